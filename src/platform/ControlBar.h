#pragma once
// Dialog bars: fixed-size bars at the main window's left edge that carry
// controls addressed by control id (push buttons, picture buttons and
// sliders). The bar and its controls keep their state here, so the program's
// logic runs and is tested without a screen; the window that shows them is a
// host the user interface makes, and it draws what the controls say.
#include "platform/Help.h"
#include "platform/CmdTarget.h"
#include "platform/Geometry.h"

#include <QImage>
#include <QString>

#include <memory>
#include <vector>

class CBarCtrl;
class CDialogBar;
class CFrameWnd;

// Button state bits (BM_GETSTATE).
constexpr UINT BST_PUSHED = 0x0004;
// States of an owner-drawn item.
constexpr UINT ODS_SELECTED = 0x0001;
constexpr UINT ODS_DISABLED = 0x0004;
constexpr UINT ODS_FOCUS = 0x0010;
// Slider notifications (WM_VSCROLL codes).
constexpr UINT TB_LINEUP = 0;
constexpr UINT TB_LINEDOWN = 1;
constexpr UINT TB_PAGEUP = 2;
constexpr UINT TB_PAGEDOWN = 3;
constexpr UINT TB_THUMBPOSITION = 4;
constexpr UINT TB_THUMBTRACK = 5;
constexpr UINT TB_TOP = 6;
constexpr UINT TB_BOTTOM = 7;
constexpr UINT TB_ENDTRACK = 8;

// The window that shows a dialog bar and its controls.
class BarHost {
public:
    virtual ~BarHost() = default;
    virtual void Show(bool show) = 0;
    // Docks the bar at the left edge, above the bars docked there.
    virtual void DockLeft() = 0;
    // The bar's window in screen coordinates.
    virtual CRect GetWindowRect() const = 0;
    // A control was made or its place, pictures or state changed.
    virtual void ControlChanged(CBarCtrl& control) = 0;
    // A control's window goes.
    virtual void ControlDestroyed(CBarCtrl& control) = 0;
};

// A control of a dialog bar. The object may live longer than its window:
// Create makes the window, DestroyWindow takes it away again.
class CBarCtrl : public CObject {
public:
    enum class Kind { Button, Slider };

    explicit CBarCtrl(Kind kind) : m_kind(kind) {}
    ~CBarCtrl() override;

    Kind GetKind() const { return m_kind; }
    bool IsWindow() const { return m_pBar != nullptr; }
    CDialogBar* GetParent() const { return m_pBar; }
    UINT GetDlgCtrlID() const { return m_nID; }
    QString GetWindowText() const { return m_strText; }
    void SetWindowText(const QString& text);
    // In the bar's client coordinates.
    CRect GetClientRectInBar() const { return m_rect; }
    // In screen coordinates.
    CRect GetWindowRect() const;
    void MoveWindow(const CRect& rect);
    bool IsWindowEnabled() const { return m_bEnabled; }
    void EnableWindow(bool enable);
    void DestroyWindow();
    // Asks for a repaint; counted, so that tests can see one.
    void Invalidate();
    int GetInvalidateCount() const { return m_nInvalidated; }
    // The tip shown over the control.
    QString GetToolTip() const { return m_strToolTip; }
    void SetToolTip(const QString& tip);

protected:
    // Makes the window in the bar; false when the bar has no window or the
    // control has one already.
    bool CreateIn(CDialogBar* bar, UINT id, const QString& text, const CRect& rect);
    // Takes over the window of the bar's control with that id (its id, text
    // and place); false when the bar has no such control.
    bool SubclassDlgItem(UINT id, CDialogBar* bar);
    void Changed();

private:
    friend class CDialogBar;
    Kind m_kind;
    CDialogBar* m_pBar = nullptr;
    UINT m_nID = 0;
    QString m_strText;
    CRect m_rect;
    bool m_bEnabled = true;
    int m_nInvalidated = 0;
    QString m_strToolTip;
};

// A push button. With pictures of its own it is drawn by the program
// (owner-drawn); else the system draws it with its picture in the middle.
class CButton : public CBarCtrl {
public:
    CButton() : CBarCtrl(Kind::Button) {}
    bool Create(const QString& text, const CRect& rect, CDialogBar* bar, UINT id);
    virtual bool IsOwnerDrawn() const { return false; }
    // BM_SETIMAGE: the picture of a system-drawn button (null: none).
    void SetBitmap(const QImage* image);
    const QImage* GetBitmap() const { return m_image.isNull() ? nullptr : &m_image; }
    // BM_SETSTATE: the pushed look.
    void SetState(bool pushed);
    // BM_GETSTATE.
    UINT GetState() const { return m_bPushed ? BST_PUSHED : 0; }
    // The picture an owner-drawn button shows in the item state (ODS_ bits).
    virtual const QImage* DrawItem(UINT itemState) const { return nullptr; }
    // Takes over the window of the bar's control with that id.
    bool SubclassDlgItem(UINT id, CDialogBar* bar) { return CBarCtrl::SubclassDlgItem(id, bar); }

private:
    QImage m_image;
    bool m_bPushed = false;
};

// A button drawn with up to four pictures: normal, selected (pushed),
// focused and disabled.
class CBitmapButton : public CButton {
public:
    bool IsOwnerDrawn() const override { return true; }
    // The pictures by resource id (0: none); false without the normal one.
    bool LoadBitmaps(UINT normal, UINT selected = 0, UINT focus = 0, UINT disabled = 0);
    // Takes over the bar's control and loads the pictures named by its window
    // text with the endings "U", "D", "F" and "X"; only the first is needed.
    bool AutoLoad(UINT id, CDialogBar* bar);
    // The button takes the size of its normal picture.
    void SizeToContent();
    const QImage* DrawItem(UINT itemState) const override;

private:
    QImage m_bitmap;
    QImage m_bitmapSel;
    QImage m_bitmapFocus;
    QImage m_bitmapDisabled;
};

class CSliderCtrl : public CBarCtrl {
public:
    CSliderCtrl() : CBarCtrl(Kind::Slider) {}
    bool Create(const CRect& rect, CDialogBar* bar, UINT id);
    void SetRange(int minimum, int maximum, bool redraw = false);
    int GetRangeMin() const { return m_nMin; }
    int GetRangeMax() const { return m_nMax; }
    void SetPos(int pos);
    int GetPos() const { return m_nPos; }

private:
    int m_nMin = 0;
    int m_nMax = 100;
    int m_nPos = 0;
};

// A control of a bar's template: kind, id, window text and place in dialog
// units.
struct BarControlTemplate {
    CBarCtrl::Kind kind;
    UINT id;
    QString text;
    CRect rect;
};

class CDialogBar : public CCmdTarget {
public:
    CDialogBar();
    ~CDialogBar() override;

    // Makes the bar's window in the frame, hidden, with the template's size
    // and controls; false when the frame cannot hold a bar.
    bool Create(CFrameWnd* frame, UINT templateId, CSize dialogUnits,
                const std::vector<BarControlTemplate>& controls = {});
    bool IsWindow() const { return m_bCreated; }
    UINT GetDlgCtrlID() const { return m_nID; }
    CFrameWnd* GetOwner() const { return m_pFrame; }
    BarHost* Host() const { return m_host.get(); }

    // The size of the template in pixels.
    CSize GetDefaultSize() const { return m_sizeDefault; }
    void ShowWindow(bool show);
    bool IsWindowVisible() const { return m_bVisible; }
    // Docks the bar at the left edge, above the bars docked there.
    void DockLeft();
    CRect GetWindowRect() const;
    CPoint ClientToScreen(CPoint point) const;

    // The control with the id, or null.
    CBarCtrl* GetDlgItem(UINT id) const;
    // The first control whose window holds the point (client coordinates).
    CBarCtrl* ChildAt(CPoint point) const;
    const std::vector<CBarCtrl*>& GetControls() const { return m_controls; }

    // Enables each button by the state of its command; with
    // disableIfNoHandler a button whose command nobody handles is disabled.
    virtual void OnUpdateCmdUI(CommandRouter* target, bool disableIfNoHandler);
    // A slider of the bar moved (code TB_...).
    virtual void OnVScroll(UINT code, int pos, CSliderCtrl* slider) {}
    // The help context at a point of the client area: the control's there,
    // else -1.
    virtual int OnHelpHitTest(CPoint point);
    // Context help was asked for at the point: the page of its context.
    void OnContextHelp(CPoint point);

    // Dialog units of the program's dialogs in pixels.
    static CSize MapDialogUnits(CSize units);
    static CRect MapDialogUnits(const CRect& units);

private:
    friend class CBarCtrl;
    void Attach(CBarCtrl* control);
    void Detach(CBarCtrl* control);
    void ControlChanged(CBarCtrl* control);

    UINT m_nID = 0;
    CFrameWnd* m_pFrame = nullptr;
    bool m_bCreated = false;
    bool m_bVisible = false;
    CSize m_sizeDefault;
    // Controls of the template that no member object took over.
    std::vector<std::unique_ptr<CBarCtrl>> m_ownControls;
    // Every control with a window, in the order they were made.
    std::vector<CBarCtrl*> m_controls;
    std::unique_ptr<BarHost> m_host;
};
