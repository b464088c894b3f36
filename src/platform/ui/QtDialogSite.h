#pragma once
// Renders a dialog template with Qt widgets and gives the dialog its controls
// by id. The same site serves the application (shown modally) and the tests
// (driven by a script without an event loop).
#include "platform/Dialog.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <map>
#include <memory>

class QButtonGroup;
class QTimer;
class QWidget;
class QtDialogSite;

// The window of a rendered dialog: Enter, Esc and the close box go to the
// dialog's logic instead of closing the window.
class TemplateDialog : public QDialog {
    Q_OBJECT
public:
    TemplateDialog(QtDialogSite& site, QWidget* parent);
    void accept() override;
    void reject() override;
    void done(int result) override;
    void SetClientImage(const QImage& image);
    // Lets the window close itself with the result the dialog ended with.
    void Finish(int result);
    // The site the window shows (what drives a shown dialog reaches its
    // controls by id through it).
    QtDialogSite& Site() const { return m_site; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QtDialogSite& m_site;
    QImage m_image;
    bool m_finishing = false;
};

class QtDialogSite : public QObject, public DialogSite {
    Q_OBJECT
public:
    // A renderer for a custom control kind (graphs, grids, ladder display).
    using Factory = std::function<QWidget*(const ControlTemplate&, QWidget* parent)>;
    static void RegisterKind(const QString& kind, Factory factory);

    QtDialogSite(CDialog& dialog, QWidget* parent);
    ~QtDialogSite() override;

    CDialog& Dialog() const { return m_dialog; }
    TemplateDialog* Window() const { return m_window; }
    QWidget* Control(int id) const;
    bool Ended() const { return m_ended; }
    int Result() const { return m_result; }
    // Runs OnInitDialog and applies its focus rule. False when the dialog
    // ended during initialisation.
    bool Initialize();

    // Called by the window for the dialog's own keys and clicks.
    void KeyPressed(int key) { m_dialog.OnKeyDown(key); }
    void MousePressed(int button) { m_dialog.OnMouseButtonDown(button); }

    // DialogSite
    bool HasControl(int id) const override;
    QString GetText(int id) const override;
    void SetText(int id, const QString& text) override;
    int GetCheck(int id) const override;
    void SetCheck(int id, int state) override;
    bool IsEnabled(int id) const override;
    void Enable(int id, bool enable) override;
    bool IsVisible(int id) const override;
    void Show(int id, bool show) override;
    bool IsReadOnly(int id) const override;
    void SetReadOnly(int id, bool readOnly) override;
    void SetFocus(int id) override;
    int GetFocus() const override;
    void SetDefaultButton(int id) override;
    int GetDefaultButton() const override;
    void SetLimit(int id, int maxChars) override;
    int GetLimit(int id) const override;
    void SetSel(int id, int from, int to) override;
    int AddString(int id, const QString& text) override;
    void ResetContent(int id) override;
    int GetCount(int id) const override;
    QString GetItemText(int id, int index) const override;
    int GetCurSel(int id) const override;
    void SetCurSel(int id, int index) override;
    void SetRange(int id, int low, int high) override;
    void SetPos(int id, int pos) override;
    int GetPos(int id) const override;
    void SetBase(int id, int base) override;
    int GetBase(int id) const override;
    void SetImage(int id, const QImage& image) override;
    void SetGridRows(int id, int rows) override;
    int GetGridRows(int id) const override;
    void SetGridCols(int id, int cols) override;
    int GetGridCols(int id) const override;
    void SetGridText(int id, int row, int col, const QString& text) override;
    QString GetGridText(int id, int row, int col) const override;
    void SetGridColWidth(int id, int col, int twips) override;
    int GetGridColWidth(int id, int col) const override;
    void SetGridColAlignment(int id, int col, int alignment) override;
    int GetGridColAlignment(int id, int col) const override;
    QSize GetControlSize(int id) const override;
    void SetControlSize(int id, const QSize& size) override;
    QSize GetClientSize() const override;
    void SetClientSize(const QSize& size) override;
    bool AttachDrawnControl(int id, CDrawnControl* control) override;
    bool AttachEdit(int id, CEdit* edit) override;
    void EnableToolTips(bool enable) override;
    // The tip the dialog gives the control now; empty while tips are off.
    QString ToolTipText(int id) const;
    void SetCaption(const QString& caption) override;
    QString GetCaption() const override;
    void SetClientImage(const QImage& image) override;
    void SetTopmost(bool topmost) override;
    void CenterOnScreen() override;
    void SetTimer(UINT timerId, UINT milliseconds) override;
    void KillTimer(UINT timerId) override;
    bool IsTimerActive(UINT timerId) const override;
    UINT TimerInterval(UINT timerId) const override;
    void End(int result) override;

    // Modeless windows of the application: Refresh paints the dialog's
    // window while the dialog's owner is busy, at most every few hundredths
    // of a second; until the window is on the screen, the program's other
    // waiting work is done too (user input waits).
    void SetPaintWhileBusy(bool paint) { m_paintWhileBusy = paint; }
    void Refresh() override;
    void ShowWindow(int showCommand) override;
    bool IsWindowVisible() const override;
    CRect GetWindowRect() const override;
    void MoveWindowTo(CPoint topLeft) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build();
    // The backgrounds the dialog chooses for its controls.
    void ApplyControlColors();
    QWidget* MakeControl(const ControlTemplate& c, QWidget* parent);
    // The control kinds the site renders itself, each by its maker.
    using Maker = QWidget* (*)(QtDialogSite& site, const ControlTemplate& c, QWidget* parent);
    static const std::map<QString, Maker>& OwnKinds();
    void AddRows(const std::vector<std::vector<ControlTemplate>>& rows, QWidget* parent, class QBoxLayout* layout);
    int IdOf(const QWidget* w) const;
    void Connect(const ControlTemplate& c, QWidget* w);

    CDialog& m_dialog;
    QPointer<TemplateDialog> m_window;
    std::map<int, QWidget*> m_controls;
    std::map<const QWidget*, int> m_ids;
    std::vector<std::pair<const ControlTemplate*, QWidget*>> m_order; // template order
    std::map<int, QButtonGroup*> m_radioGroups; // by the id of each radio button
    std::map<int, int> m_tabSelection;          // the tab each tab control shows
    static constexpr int kTwipsPerPixel = 15;
    std::map<UINT, std::unique_ptr<QTimer>> m_timers;
    int m_focus = 0;
    int m_default = 0;
    bool m_ended = false;
    int m_result = -1;
    // Set while the program changes a control, so that only what the user
    // does is reported as a click or a selection change.
    int m_programChange = 0;
    bool m_paintWhileBusy = false;
    qint64 m_lastPaint = -1;
    bool m_toolTips = false;
};
