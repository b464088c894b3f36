#pragma once
// Dialogs: the logic of every dialog is a class derived from CDialog, which
// addresses its controls by control id through a DialogSite. The site is made
// by a renderer from the dialog's template; DoModal hands the dialog to the
// installed runner (real windows in the application, a script in the tests).
#include "platform/DialogTemplate.h"
#include "platform/Geometry.h"
#include "platform/Messages.h"
#include "platform/Types.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <utility>

class CDialog;
class CDrawnControl;
class CEdit;
class CMDIChildWnd;

// What a dialog's controls report to the dialog.
enum class Notify {
    Clicked,     // button, check box, radio button
    Changed,     // edit text changed (also when the program sets it)
    SelChange,   // list or combo box selection changed by the user
    DoubleClick, // list box item
    SetFocus,
    KillFocus,
    Scroll,      // slider moved
};

// The running controls of one dialog, by control id. Every call on an id the
// dialog does not have is ignored (reads give empty values).
class DialogSite {
public:
    virtual ~DialogSite() = default;

    virtual bool HasControl(int id) const = 0;
    virtual QString GetText(int id) const = 0;
    virtual void SetText(int id, const QString& text) = 0;
    // 0 unchecked, 1 checked, 2 indeterminate.
    virtual int GetCheck(int id) const = 0;
    virtual void SetCheck(int id, int state) = 0;
    virtual bool IsEnabled(int id) const = 0;
    virtual void Enable(int id, bool enable) = 0;
    virtual bool IsVisible(int id) const = 0;
    virtual void Show(int id, bool show) = 0;
    virtual bool IsReadOnly(int id) const = 0;
    virtual void SetReadOnly(int id, bool readOnly) = 0;
    virtual void SetFocus(int id) = 0;
    virtual int GetFocus() const = 0;
    virtual void SetDefaultButton(int id) = 0;
    virtual int GetDefaultButton() const = 0;
    // Edits: most characters the user can enter (0: no limit).
    virtual void SetLimit(int id, int maxChars) = 0;
    virtual int GetLimit(int id) const = 0;
    // Selects characters from..to of an edit (-1 to the end).
    virtual void SetSel(int id, int from, int to) = 0;

    // List and combo boxes.
    virtual int AddString(int id, const QString& text) = 0;
    virtual void ResetContent(int id) = 0;
    virtual int GetCount(int id) const = 0;
    virtual QString GetItemText(int id, int index) const = 0;
    virtual int GetCurSel(int id) const = 0;
    virtual void SetCurSel(int id, int index) = 0;

    // Spin buttons, sliders and progress bars.
    virtual void SetRange(int id, int low, int high) = 0;
    virtual void SetPos(int id, int pos) = 0;
    virtual int GetPos(int id) const = 0;
    // A spin button's buddy in base 10, or in base 16, where it shows "0x"
    // and capital digits and is read with or without the "0x".
    virtual void SetBase(int /*id*/, int /*base*/) {}
    virtual int GetBase(int /*id*/) const { return 10; }

    // Pictures: a picture control shows the image; a button shows it beside
    // its text.
    virtual void SetImage(int id, const QImage& image) = 0;

    // Read-only grids: cells by row and column (row 0 is the header row),
    // column widths in twips (15 to a pixel) and column alignments (0 left
    // top).
    virtual void SetGridRows(int id, int rows) = 0;
    virtual int GetGridRows(int id) const = 0;
    virtual void SetGridCols(int id, int cols) = 0;
    virtual int GetGridCols(int id) const = 0;
    virtual void SetGridText(int id, int row, int col, const QString& text) = 0;
    virtual QString GetGridText(int id, int row, int col) const = 0;
    virtual void SetGridColWidth(int id, int col, int twips) = 0;
    virtual int GetGridColWidth(int id, int col) const = 0;
    virtual void SetGridColAlignment(int id, int col, int alignment) = 0;
    virtual int GetGridColAlignment(int id, int col) const = 0;
    // The size of a control and of the dialog's client area, in pixels. A
    // control given a size keeps it; the dialog grows around it.
    virtual QSize GetControlSize(int id) const = 0;
    virtual void SetControlSize(int id, const QSize& size) = 0;
    virtual QSize GetClientSize() const = 0;
    virtual void SetClientSize(const QSize& size) = 0;
    // Controls the program draws itself: the control id's host shows the
    // control from now on. False when the id has no host for one.
    virtual bool AttachDrawnControl(int /*id*/, CDrawnControl* /*control*/) { return false; }
    // Multi-line edits whose keys the program sees first (platform/Edit.h):
    // the control id's host shows the edit from now on. False when the id
    // has no host for one.
    virtual bool AttachEdit(int /*id*/, CEdit* /*edit*/) { return false; }
    // Tips over the controls: while enabled, the dialog is asked for the tip
    // of the control the pointer rests on (CDialog::OnToolTipNeedText).
    virtual void EnableToolTips(bool /*enable*/) {}

    // The dialog window.
    virtual void SetCaption(const QString& caption) = 0;
    virtual QString GetCaption() const = 0;
    // Draws the image as the dialog's whole client area and sizes the client
    // area to it.
    virtual void SetClientImage(const QImage& image) = 0;
    virtual void SetTopmost(bool topmost) = 0;
    virtual void CenterOnScreen() = 0;

    virtual void SetTimer(UINT timerId, UINT milliseconds) = 0;
    virtual void KillTimer(UINT timerId) = 0;
    virtual bool IsTimerActive(UINT timerId) const = 0;
    virtual UINT TimerInterval(UINT timerId) const = 0;

    // Closes the dialog; the runner returns the result from DoModal.
    virtual void End(int result) = 0;

    // A modeless dialog's window shows what changed while its owner keeps
    // the program busy (it paints; input waits).
    virtual void Refresh() {}

    // A modeless dialog's window: SW_HIDE, SW_SHOW, SW_SHOWNOACTIVATE.
    virtual void ShowWindow(int /*showCommand*/) {}
    virtual bool IsWindowVisible() const { return false; }
    // Its rectangle on the screen, and a move of its top-left corner to a
    // point of the screen (its size stays).
    virtual CRect GetWindowRect() const { return CRect(); }
    virtual void MoveWindowTo(CPoint /*topLeft*/) {}
};

// Runs dialogs modally. The application installs one that shows windows; the
// tests install one that plays scripts.
class DialogRunner {
public:
    virtual ~DialogRunner() = default;
    // Runs the dialog and returns the result it ended with (IDOK, IDCANCEL,
    // ...), or -1 when it could not be shown.
    virtual int RunModal(CDialog& dialog) = 0;

    // Modeless dialogs (progress windows): makes the dialog's window, shown
    // unless the dialog asks to be made hidden, and returns at once; false
    // when it is not made. The window stays until DestroyModeless, which the
    // dialog calls. A dialog with a parent frame is owned by the window that
    // holds the frame.
    virtual bool CreateModeless(CDialog& dialog) { return false; }
    virtual void DestroyModeless(CDialog& dialog) {}
};
void SetDialogRunner(DialogRunner* runner);
DialogRunner* GetDialogRunner();

// One data exchange between a dialog's fields and its controls.
class CDataExchange {
public:
    CDataExchange(CDialog* dialog, bool saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
    CDialog* m_pDlgWnd;
    bool m_bSaveAndValidate;
    int m_idLastControl = 0;
    // Called by a validation that failed: the focus goes to the last control
    // exchanged and the exchange stops.
    [[noreturn]] void Fail();
};

// Thrown by CDataExchange::Fail and caught by UpdateData.
struct DataExchangeFailed {};

void DDX_Text(CDataExchange* pDX, int id, QString& value);
void DDX_Text(CDataExchange* pDX, int id, std::int32_t& value);
void DDX_Check(CDataExchange* pDX, int id, std::int32_t& value);
// The index of the checked radio button of the group that starts at id, -1
// when none is checked.
void DDX_Radio(CDataExchange* pDX, int id, std::int32_t& value);
void DDX_CBIndex(CDataExchange* pDX, int id, std::int32_t& value);
void DDX_LBIndex(CDataExchange* pDX, int id, std::int32_t& value);
void DDV_MaxChars(CDataExchange* pDX, const QString& value, int maxChars);
void DDV_MinMaxInt(CDataExchange* pDX, std::int32_t value, std::int32_t minVal, std::int32_t maxVal);

class CDialog {
public:
    explicit CDialog(UINT templateId);
    // A dialog on a template made by the program itself.
    explicit CDialog(std::shared_ptr<const DialogTemplate> dialogTemplate);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog; the result it ended with, or -1 when it could not run.
    virtual int DoModal();

    // Modeless: shows the dialog through the installed runner and returns at
    // once; false, and nothing shown, when no runner shows modeless dialogs.
    // The window stays until DestroyWindow (or the dialog's destruction);
    // without it the dialog keeps its fields, and its control calls do
    // nothing.
    bool Create();
    // The same, owned by the frame (it stays in front of the frame's main
    // window); made hidden unless visible.
    bool Create(CMDIChildWnd* parentFrame, bool visible);
    CMDIChildWnd* GetParentFrame() const { return m_pParentFrame; }
    bool IsVisibleOnCreate() const { return m_bVisibleOnCreate; }
    void DestroyWindow();
    bool IsModeless() const { return m_modelessRunner != nullptr; }
    // Lets the window show what changed while the caller stays busy.
    void UpdateWindow();
    // Called by a runner that goes while the dialog's modeless window stands.
    void ModelessClosed() { m_modelessRunner = nullptr; }

    UINT GetTemplateId() const { return m_templateId; }
    const DialogTemplate* Template() const { return m_template.get(); }
    // The template with the caption set at run time, for renderers.
    std::shared_ptr<const DialogTemplate> TemplatePtr() const { return m_template; }

    // Called by runners.
    void Attach(DialogSite* site);
    void Detach();
    DialogSite* Site() const { return m_site; }
    bool IsRunning() const { return m_site != nullptr; }
    int Result() const { return m_result; }
    bool HasEnded() const { return m_ended; }
    // A control reported something: runs the handler registered for it; OK
    // and Cancel buttons run OnOK and OnCancel unless a handler takes them.
    void Dispatch(int id, Notify what);
    // The user is about to change the selection of a tab control: false
    // keeps the present one.
    bool QuerySelChange(int id);
    // A spin button is about to step from pos by delta: the step it takes
    // instead (the delta itself without a handler; 0 when it is refused).
    int AdjustSpinDelta(int id, int pos, int delta);
    // The focus or the default button asked to close the dialog (Enter, Esc).
    void CommandOK() { Dispatch(IDOK, Notify::Clicked); }
    void CommandCancel() { Dispatch(IDCANCEL, Notify::Clicked); }
    // F1 in the dialog: what its Help button does when it has a working
    // one, else the dialog's own page (0x20000 + template id).
    virtual void OnHelpInfo();

    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void OnTimer(UINT timerId);
    // A key or mouse button pressed on the dialog itself (not taken by a
    // control).
    virtual void OnKeyDown(int key);
    virtual void OnMouseButtonDown(int button);
    virtual void DoDataExchange(CDataExchange* pDX);
    // The tip of a control while tips are enabled: true with the text, false
    // for no tip.
    virtual bool OnToolTipNeedText(int id, QString& tip);
    // The colour a control's background is painted in, asked once the
    // dialog is initialized: true with the colour, false for its own.
    virtual bool OnCtlColor(int id, COLORREF& background);

    // Field exchange: controls to fields (true) or fields to controls.
    bool UpdateData(bool saveAndValidate = true);
    void EndDialog(int result);

    // Controls by id.
    QString GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const QString& text);
    // The control's text as a decimal number; *ok false when it is none.
    std::int32_t GetDlgItemInt(int id, bool* ok = nullptr, bool isSigned = true) const;
    void SetDlgItemInt(int id, std::int32_t value, bool isSigned = true);
    void CheckDlgButton(int id, int state);
    int IsDlgButtonChecked(int id) const;
    void CheckRadioButton(int firstId, int lastId, int checkId);
    // The id of the checked button among firstId .. lastId, 0 when none.
    int GetCheckedRadioButton(int firstId, int lastId) const;
    void EnableDlgItem(int id, bool enable = true);
    bool IsDlgItemEnabled(int id) const;
    void ShowDlgItem(int id, bool show = true);
    bool IsDlgItemVisible(int id) const;
    void GotoDlgCtrl(int id);
    int GetFocusId() const;
    void SetDefID(int id);
    int GetDefID() const;
    void LimitText(int id, int maxChars);
    void SetWindowText(const QString& caption);
    QString GetWindowText() const;
    // The modeless window: SW_HIDE, SW_SHOW or SW_SHOWNOACTIVATE; whether it
    // is shown; its rectangle on the screen; its top-left corner moved to a
    // point of the screen, its size kept.
    void ShowWindow(int showCommand);
    bool IsWindowVisible() const;
    CRect GetWindowRect() const;
    void SetWindowPos(CPoint topLeft);
    void SetTimer(UINT timerId, UINT milliseconds);
    void KillTimer(UINT timerId);
    void EnableToolTips(bool enable = true);

protected:
    using Handler = std::function<void()>;
    // The dialog's message map: what runs when a control reports.
    void On(int id, Notify what, Handler handler);
    void OnClicked(int id, Handler handler) { On(id, Notify::Clicked, std::move(handler)); }
    void OnChange(int id, Handler handler) { On(id, Notify::Changed, std::move(handler)); }
    void OnSelChange(int id, Handler handler) { On(id, Notify::SelChange, std::move(handler)); }
    // Asked before a tab control's selection changes; false refuses it.
    void OnSelChanging(int id, std::function<bool()> allow) { m_selChanging[id] = std::move(allow); }
    // Asked before a spin button steps: (position, delta) to the delta taken.
    // A delta of 0 refuses the step: the position and the buddy's text stay
    // as they are and nothing is reported.
    void OnSpinDelta(int id, std::function<int(int, int)> adjust) { m_spinDelta[id] = std::move(adjust); }
    // Opens the help page of a context number (0x20000 + template id for a
    // dialog's Help button).
    void OpenHelp(UINT context);

private:
    UINT m_templateId;
    std::shared_ptr<const DialogTemplate> m_template;
    DialogSite* m_site = nullptr;
    int m_result = -1;
    bool m_ended = false;
    std::map<std::pair<int, Notify>, Handler> m_handlers;
    DialogRunner* m_modelessRunner = nullptr;
    CMDIChildWnd* m_pParentFrame = nullptr;
    bool m_bVisibleOnCreate = true;
    std::map<int, std::function<bool()>> m_selChanging;
    std::map<int, std::function<int(int, int)>> m_spinDelta;
};
