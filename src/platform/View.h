#pragma once
// Views: the program's view classes hold their logic here in the core; the
// widget that shows one is its host and forwards input. Tests host a view in
// memory.
#include "platform/CmdTarget.h"
#include "platform/Geometry.h"

#include <QString>
#include <QStringList>

#include <cstdint>

class CDC;
class CDocument;
class COleDataObject;
class CPrintInfo;

enum class Cursor { Arrow, Cross, SizeNS, SizeWE, SizeNWSE, SizeNESW, SizeAll, No, Wait, Hand };

// Keys the views handle, as their codes arrive with OnKeyDown.
constexpr UINT VK_BACK = 0x08;
constexpr UINT VK_TAB = 0x09;
constexpr UINT VK_RETURN = 0x0D;
constexpr UINT VK_ESCAPE = 0x1B;
constexpr UINT VK_PRIOR = 0x21;
constexpr UINT VK_NEXT = 0x22;
constexpr UINT VK_END = 0x23;
constexpr UINT VK_HOME = 0x24;
constexpr UINT VK_LEFT = 0x25;
constexpr UINT VK_UP = 0x26;
constexpr UINT VK_RIGHT = 0x27;
constexpr UINT VK_DOWN = 0x28;
constexpr UINT VK_INSERT = 0x2D;
constexpr UINT VK_DELETE = 0x2E;
constexpr UINT VK_F1 = 0x70;

// Mouse and key flags passed with input.
constexpr UINT MK_LBUTTON = 0x0001;
constexpr UINT MK_RBUTTON = 0x0002;
constexpr UINT MK_SHIFT = 0x0004;
constexpr UINT MK_CONTROL = 0x0008;

// The device side of a view: its window.
class ViewHost {
public:
    virtual ~ViewHost() = default;
    virtual void Invalidate(bool erase) = 0;
    // A rectangle in device pixels of the client area.
    virtual void InvalidateRect(const CRect& rect, bool erase) = 0;
    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    virtual bool HasCapture() const = 0;
    virtual void SetCursor(Cursor cursor) = 0;
    // Scrolling in device pixels.
    virtual CPoint GetScrollPosition() const = 0;
    virtual void ScrollToPosition(CPoint position) = 0;
    virtual void SetScrollSizes(CSize total) = 0;
    virtual CSize GetTotalSize() const = 0;
    virtual CRect GetClientRect() const = 0;
    virtual int LogPixelsY() const { return 96; }
    // The rectangle of the view's frame as it is when restored, in the
    // coordinates of the area that holds the frames; false when unknown.
    virtual bool GetFrameRestoredRect(CRect& rect) const { return false; }
    // The window takes drags that carry one of the formats (none: no drags).
    virtual void SetDropFormats(const QStringList& formats) {}
    virtual bool IsWindowVisible() const { return true; }
    // Timers by id, as the window keeps them: each comes due every `elapse`
    // milliseconds until it is killed (the window then calls the view's
    // TimerDue); setting an id that runs starts it afresh. The answer is the
    // id, 0 when the window keeps no timers.
    virtual UINT SetTimer(UINT id, UINT elapse) { return 0; }
    virtual void KillTimer(UINT id) {}
    // The longest time between the clicks of a double click, in ms.
    virtual UINT GetDoubleClickTime() const { return 500; }
};

// While one lives (in the user-interface thread), the views' timers are held:
// one that comes due then is not run, and comes due again after its interval.
// A call that waits for an answer in a local event loop holds them, so that
// nothing a timer starts runs in the middle of that call.
class ViewTimerHold {
public:
    ViewTimerHold();
    ~ViewTimerHold();
    ViewTimerHold(const ViewTimerHold&) = delete;
    ViewTimerHold& operator=(const ViewTimerHold&) = delete;
    static bool IsHeld();
};

class CView : public CCmdTarget {
public:
    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    // Called by the document when the view is added to or removed from it.
    void SetDocument(CDocument* document) { m_pDocument = document; }
    ViewHost* Host() const { return m_host; }
    // A new host takes the drops the view registered for.
    void SetHost(ViewHost* host);

    virtual void OnInitialUpdate();
    // Hint 0 redraws the whole view.
    virtual void OnUpdate(CView* sender, std::intptr_t hint, CObject* hintObject);
    virtual void OnPrepareDC(CDC* pDC);
    virtual void OnDraw(CDC* pDC);
    virtual bool IsSelected(const CObject* object) const;
    // The view's frame became the active one (true) or stopped being it.
    virtual void OnActivateView(bool activate) {}

    // Input, in device pixels of the client area.
    virtual void OnLButtonDown(UINT flags, CPoint point);
    virtual void OnLButtonUp(UINT flags, CPoint point);
    virtual void OnLButtonDblClk(UINT flags, CPoint point);
    virtual void OnRButtonDown(UINT flags, CPoint point);
    virtual void OnMouseMove(UINT flags, CPoint point);
    virtual void OnKeyDown(UINT key, UINT repeat, UINT flags);
    // The window took the keyboard focus.
    virtual void OnSetFocus() {}
    // The window lost the mouse capture the view held without the view
    // releasing it (the focus left, another window opened).
    virtual void OnCaptureLost() {}
    // A timer set through SetTimer came due; held timers (ViewTimerHold) are
    // not run.
    void TimerDue(UINT id);
    virtual void OnTimer(UINT id) {}
    // A bar control of the frame asks for its tip: true with the tip when
    // the view gives one.
    virtual bool OnToolTipNeedText(UINT controlId, QString& tip) { return false; }

    // Printing through the print preview (PrintPreview.h): the view prepares
    // the run (false: no preview), draws each page shown on a device context
    // of the printer's page, and ends the run and then the preview.
    virtual bool OnPreparePrinting(CPrintInfo* pInfo) { return false; }
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) {}
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) {}
    virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo) {}

    // Drops: from now on the view's window takes drags that carry one of the
    // formats, and hands them to the four handlers below.
    void RegisterDropTarget(const QStringList& formats);
    const QStringList& GetDropFormats() const { return m_dropFormats; }
    // A drag enters the view or moves over it: the data it carries, the keys
    // and buttons held (MK_ flags) and the device point. The answer is the
    // effect a drop there would have (DROPEFFECT_, DragDrop.h).
    virtual DWORD OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point);
    virtual DWORD OnDragOver(COleDataObject* data, DWORD keyState, CPoint point);
    // The drag left the view, or was let go where nothing takes it.
    virtual void OnDragLeave() {}
    // The drag is let go over the view with the effect the last move
    // answered; true when the view took the data.
    virtual bool OnDrop(COleDataObject* data, DWORD dropEffect, CPoint point);

    // The host's services, harmless without a host.
    void Invalidate(bool erase = true);
    void InvalidateRect(const CRect& rect, bool erase = true);
    void SetCapture();
    void ReleaseCapture();
    bool HasCapture() const;
    void SetCursor(Cursor cursor);
    CPoint GetScrollPosition() const;
    void ScrollToPosition(CPoint position);
    void SetScrollSizes(CSize total);
    CSize GetTotalSize() const;
    CRect GetClientRect() const;
    bool IsWindowVisible() const;
    UINT SetTimer(UINT id, UINT elapse);
    void KillTimer(UINT id);
    UINT GetDoubleClickTime() const;

private:
    CDocument* m_pDocument = nullptr;
    ViewHost* m_host = nullptr;
    QStringList m_dropFormats;
};
