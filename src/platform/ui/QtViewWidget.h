#pragma once
// The widget that shows a view: it paints through the view's OnDraw with the
// view's mapping, forwards mouse and keys, and keeps the scroll range.
#include "platform/View.h"

#include <QAbstractScrollArea>

#include <map>

class QTimer;

class COleDataObject;

class QtViewWidget : public QAbstractScrollArea, public ViewHost {
    Q_OBJECT
public:
    explicit QtViewWidget(CView* view, QWidget* parent = nullptr);
    ~QtViewWidget() override;

    CView* View() const { return m_view; }
    // The view is going away: the widget stops talking to it.
    void DetachView();

    // ViewHost
    void Invalidate(bool erase) override;
    void InvalidateRect(const CRect& rect, bool erase) override;
    void SetCapture() override;
    void ReleaseCapture() override;
    bool HasCapture() const override;
    void SetCursor(Cursor cursor) override;
    CPoint GetScrollPosition() const override;
    void ScrollToPosition(CPoint position) override;
    void SetScrollSizes(CSize total) override;
    CSize GetTotalSize() const override;
    CRect GetClientRect() const override;
    int LogPixelsY() const override;
    bool GetFrameRestoredRect(CRect& rect) const override;
    void SetDropFormats(const QStringList& formats) override;
    bool IsWindowVisible() const override;
    UINT SetTimer(UINT id, UINT elapse) override;
    void KillTimer(UINT id) override;
    UINT GetDoubleClickTime() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    // The capture goes with the focus or the window: the view hears of it.
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    // Drags that carry a format the view registered go to the view.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The ranges and steps for a viewport of that size.
    void UpdateScrollBars(QSize area);
    // The viewport's size once the scroll bars the total size asks for are
    // laid out beside it.
    QSize ViewportSizeFor(CSize total) const;
    // The registered formats' blocks of a drag; false when it carries none.
    bool TakeDropData(const QDropEvent* event, COleDataObject* data) const;
    // Accepts the drag with the effect the view answered, or refuses it.
    static void AnswerDrag(QDropEvent* event, DWORD effect);
    void LoseCapture();

    CView* m_view;
    CSize m_total;
    bool m_capture = false;
    QStringList m_dropFormats;
    // The view's timers by id; a killed one stays, stopped, for the next
    // start (it may be killed from its own timeout).
    std::map<UINT, QTimer*> m_timers;
    // The whole view waits for a paint: invalidating it again changes
    // nothing. A document updates all its views each time one of its
    // windows is made, each view asking the window system again.
    bool m_wholeViewWaits = false;
};
