#include "platform/ui/QtViewWidget.h"

#include "platform/DC.h"
#include "platform/DragDrop.h"
#include "platform/ui/QtChildFrame.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleHints>
#include <QStyleOption>
#include <QTimer>

#include <algorithm>
#include <cstdint>

namespace {
UINT FlagsOf(const QMouseEvent* event)
{
    UINT flags = 0;
    if (event->buttons() & Qt::LeftButton) flags |= MK_LBUTTON;
    if (event->buttons() & Qt::RightButton) flags |= MK_RBUTTON;
    if (event->modifiers() & Qt::ShiftModifier) flags |= MK_SHIFT;
    if (event->modifiers() & Qt::ControlModifier) flags |= MK_CONTROL;
    return flags;
}

CPoint PointOf(const QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    return {p.x(), p.y()};
}

UINT KeyCodeOf(int key)
{
    switch (key) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_F1: return VK_F1;
    default: return key >= 0x20 && key <= 0x7E ? static_cast<UINT>(key) : 0;
    }
}

// The keys and buttons held while a drag moves over the view.
DWORD KeyStateOf(const QDropEvent* event)
{
    DWORD state = 0;
    if (event->buttons() & Qt::LeftButton) state |= MK_LBUTTON;
    if (event->buttons() & Qt::RightButton) state |= MK_RBUTTON;
    if (event->modifiers() & Qt::ShiftModifier) state |= MK_SHIFT;
    if (event->modifiers() & Qt::ControlModifier) state |= MK_CONTROL;
    return state;
}

CPoint PointOf(const QDropEvent* event)
{
    const QPoint p = event->position().toPoint();
    return {p.x(), p.y()};
}

Qt::CursorShape ShapeOf(Cursor cursor)
{
    switch (cursor) {
    case Cursor::Cross: return Qt::CrossCursor;
    case Cursor::SizeNS: return Qt::SizeVerCursor;
    case Cursor::SizeWE: return Qt::SizeHorCursor;
    case Cursor::SizeNWSE: return Qt::SizeFDiagCursor;
    case Cursor::SizeNESW: return Qt::SizeBDiagCursor;
    case Cursor::SizeAll: return Qt::SizeAllCursor;
    case Cursor::No: return Qt::ForbiddenCursor;
    case Cursor::Wait: return Qt::WaitCursor;
    case Cursor::Hand: return Qt::PointingHandCursor;
    default: return Qt::ArrowCursor;
    }
}
} // namespace

QtViewWidget::QtViewWidget(CView* view, QWidget* parent) : QAbstractScrollArea(parent), m_view(view)
{
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    if (m_view != nullptr) m_view->SetHost(this);
}

QtViewWidget::~QtViewWidget() { DetachView(); }

void QtViewWidget::DetachView()
{
    if (m_view != nullptr && m_view->Host() == this) m_view->SetHost(nullptr);
    m_view = nullptr;
}

void QtViewWidget::Invalidate(bool)
{
    if (m_wholeViewWaits) return;
    // A view not shown is painted whole when it shows.
    QWidget* area = viewport();
    if (!area->isVisible() || !area->updatesEnabled()) return;
    area->update();
    m_wholeViewWaits = true;
}

void QtViewWidget::InvalidateRect(const CRect& rect, bool)
{
    const CRect r = rect.Normalized();
    viewport()->update(QRect(r.left, r.top, r.Width(), r.Height()));
}

bool QtViewWidget::IsWindowVisible() const { return isVisible(); }

UINT QtViewWidget::SetTimer(UINT id, UINT elapse)
{
    QTimer*& timer = m_timers[id];
    if (timer == nullptr) {
        timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, id] {
            if (m_view != nullptr) m_view->TimerDue(id);
        });
    }
    timer->start(static_cast<int>(std::min<UINT>(elapse, INT32_MAX)));
    return id;
}

void QtViewWidget::KillTimer(UINT id)
{
    auto it = m_timers.find(id);
    if (it != m_timers.end()) it->second->stop();
}

UINT QtViewWidget::GetDoubleClickTime() const
{
    return static_cast<UINT>(std::max(0, QGuiApplication::styleHints()->mouseDoubleClickInterval()));
}

void QtViewWidget::SetCapture() { m_capture = true; }
void QtViewWidget::ReleaseCapture() { m_capture = false; }
bool QtViewWidget::HasCapture() const { return m_capture; }
void QtViewWidget::SetCursor(Cursor cursor) { viewport()->setCursor(ShapeOf(cursor)); }

CPoint QtViewWidget::GetScrollPosition() const
{
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void QtViewWidget::ScrollToPosition(CPoint position)
{
    horizontalScrollBar()->setValue(position.x);
    verticalScrollBar()->setValue(position.y);
}

void QtViewWidget::SetScrollSizes(CSize total)
{
    m_total = total;
    UpdateScrollBars(viewport()->size());
}

CSize QtViewWidget::GetTotalSize() const { return m_total; }

CRect QtViewWidget::GetClientRect() const
{
    return CRect(0, 0, viewport()->width(), viewport()->height());
}

int QtViewWidget::LogPixelsY() const { return logicalDpiY() > 0 ? logicalDpiY() : 96; }

bool QtViewWidget::GetFrameRestoredRect(CRect& rect) const
{
    for (QWidget* w = parentWidget(); w != nullptr; w = w->parentWidget()) {
        if (auto* frame = qobject_cast<QtChildFrame*>(w)) {
            rect = frame->GetRestoredRect();
            return true;
        }
    }
    return false;
}

void QtViewWidget::SetDropFormats(const QStringList& formats)
{
    m_dropFormats = formats;
    setAcceptDrops(!formats.isEmpty());
    viewport()->setAcceptDrops(!formats.isEmpty());
}

bool QtViewWidget::TakeDropData(const QDropEvent* event, COleDataObject* data) const
{
    const QMimeData* mime = event->mimeData();
    if (m_view == nullptr || mime == nullptr) return false;
    DataBlocks blocks;
    for (const QString& format : m_dropFormats)
        if (mime->hasFormat(format)) blocks.emplace_back(format, mime->data(format));
    if (blocks.empty()) return false;
    *data = COleDataObject(std::move(blocks));
    return true;
}

void QtViewWidget::AnswerDrag(QDropEvent* event, DWORD effect)
{
    if ((effect & DROPEFFECT_MOVE) != 0) {
        event->setDropAction(Qt::MoveAction);
    } else if ((effect & DROPEFFECT_COPY) != 0) {
        event->setDropAction(Qt::CopyAction);
    } else {
        event->ignore();
        return;
    }
    event->accept();
}

void QtViewWidget::dragEnterEvent(QDragEnterEvent* event)
{
    COleDataObject data;
    if (!TakeDropData(event, &data)) {
        event->ignore();
        return;
    }
    // The view stays a target whatever entering answers (the view a drag
    // starts from refuses it only to say so on the drop); the moves that
    // follow decide where it may fall.
    const DWORD effect = m_view->OnDragEnter(&data, KeyStateOf(event), PointOf(event));
    if ((effect & DROPEFFECT_MOVE) != 0) event->setDropAction(Qt::MoveAction);
    if ((effect & DROPEFFECT_COPY) != 0) event->setDropAction(Qt::CopyAction);
    event->accept();
}

void QtViewWidget::dragMoveEvent(QDragMoveEvent* event)
{
    COleDataObject data;
    if (!TakeDropData(event, &data)) {
        event->ignore();
        return;
    }
    AnswerDrag(event, m_view->OnDragOver(&data, KeyStateOf(event), PointOf(event)));
}

void QtViewWidget::dragLeaveEvent(QDragLeaveEvent* event)
{
    if (m_view != nullptr) m_view->OnDragLeave();
    event->accept();
}

void QtViewWidget::dropEvent(QDropEvent* event)
{
    COleDataObject data;
    if (!TakeDropData(event, &data)) {
        event->ignore();
        return;
    }
    const DWORD effect = event->dropAction() == Qt::MoveAction   ? DROPEFFECT_MOVE
                         : event->dropAction() == Qt::CopyAction ? DROPEFFECT_COPY
                                                                 : DROPEFFECT_NONE;
    if (m_view->OnDrop(&data, effect, PointOf(event))) {
        AnswerDrag(event, effect);
    } else {
        // A refused drop leaves the source as it was.
        event->setDropAction(Qt::IgnoreAction);
        event->ignore();
    }
}

QSize QtViewWidget::ViewportSizeFor(CSize total) const
{
    // Styles that lay the bars over the view or inside its frame are left to
    // find the size by laying the bars out.
    QStyleOption option;
    option.initFrom(this);
    const QScrollBar* across = horizontalScrollBar();
    const QScrollBar* down = verticalScrollBar();
    if (style()->styleHint(QStyle::SH_ScrollView_FrameOnlyAroundContents, &option, this) != 0 ||
        style()->styleHint(QStyle::SH_ScrollBar_Transient, nullptr, across) != 0 ||
        style()->styleHint(QStyle::SH_ScrollBar_Transient, nullptr, down) != 0 ||
        style()->pixelMetric(QStyle::PM_ScrollView_ScrollBarOverlap, &option, across) != 0 ||
        style()->pixelMetric(QStyle::PM_ScrollView_ScrollBarOverlap, &option, down) != 0)
        return viewport()->size();
    QSize room = maximumViewportSize();
    const int barHeight = across->sizeHint().height();
    const int barWidth = down->sizeHint().width();
    bool needAcross = horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn || total.cx > room.width();
    bool needDown = verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn || total.cy > room.height();
    // One bar takes room the other direction may then lack.
    if (needAcross && !needDown) needDown = total.cy > room.height() - barHeight;
    if (needDown && !needAcross) needAcross = total.cx > room.width() - barWidth;
    if (needAcross && horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOn) room.rheight() -= barHeight;
    if (needDown && verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOn) room.rwidth() -= barWidth;
    return room;
}

namespace {
// A scroll bar tells the view of each new range, and the view lays its bars
// out again once the events are handled; which bars it shows depends only on
// whether each has a range at all. A chart filled symbol by symbol grows its
// range as many times: a range that leaves the bar as needed as it was, and
// its position where it was, is set without telling. So is any range of a
// view that is laid out when it next shows (hidden, a resize waiting for it).
void SetRange(QScrollBar* bar, int maximum, bool laidOutOnShow)
{
    const bool sameNeed = (bar->maximum() > bar->minimum()) == (maximum > 0);
    const bool positionStays = bar->minimum() == 0 && bar->value() <= maximum;
    if (!laidOutOnShow && (!sameNeed || !positionStays)) {
        bar->setRange(0, maximum);
        return;
    }
    const QSignalBlocker quiet(bar);
    bar->setRange(0, maximum);
}
} // namespace

void QtViewWidget::UpdateScrollBars(QSize area)
{
    const bool laidOutOnShow = !isVisible() && testAttribute(Qt::WA_PendingResizeEvent);
    SetRange(horizontalScrollBar(), std::max(0, m_total.cx - area.width()), laidOutOnShow);
    horizontalScrollBar()->setPageStep(std::max(1, area.width()));
    horizontalScrollBar()->setSingleStep(std::max(1, area.width() / 10));
    SetRange(verticalScrollBar(), std::max(0, m_total.cy - area.height()), laidOutOnShow);
    verticalScrollBar()->setPageStep(std::max(1, area.height()));
    verticalScrollBar()->setSingleStep(std::max(1, area.height() / 10));
}

bool QtViewWidget::event(QEvent* event)
{
    // The bars are laid out on a resize before the resize reaches the view:
    // the ranges for the viewport the bars will leave come first. Set for
    // the viewport they leave now, the bars would be laid out again, perhaps
    // shown and hidden again, each time asking the view to lay itself out
    // anew: a new window's view is laid out first at the size of a widget
    // not yet placed.
    if (event->type() == QEvent::Resize) UpdateScrollBars(ViewportSizeFor(m_total));
    return QAbstractScrollArea::event(event);
}

void QtViewWidget::paintEvent(QPaintEvent*)
{
    m_wholeViewWaits = false;
    if (m_view == nullptr) return;
    QPainter painter(viewport());
    CDC dc(painter);
    m_view->OnPrepareDC(&dc);
    m_view->OnDraw(&dc);
}

void QtViewWidget::mousePressEvent(QMouseEvent* event)
{
    if (m_view == nullptr) return;
    if (event->button() == Qt::LeftButton) m_view->OnLButtonDown(FlagsOf(event), PointOf(event));
    if (event->button() == Qt::RightButton) m_view->OnRButtonDown(FlagsOf(event), PointOf(event));
}

void QtViewWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_view != nullptr && event->button() == Qt::LeftButton) m_view->OnLButtonUp(FlagsOf(event), PointOf(event));
}

void QtViewWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (m_view != nullptr && event->button() == Qt::LeftButton) m_view->OnLButtonDblClk(FlagsOf(event), PointOf(event));
}

void QtViewWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (m_view != nullptr) m_view->OnMouseMove(FlagsOf(event), PointOf(event));
}

void QtViewWidget::keyPressEvent(QKeyEvent* event)
{
    const UINT code = KeyCodeOf(event->key());
    if (m_view == nullptr || code == 0) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    m_view->OnKeyDown(code, static_cast<UINT>(event->isAutoRepeat() ? 1 : 0), 0);
}

void QtViewWidget::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    if (m_view != nullptr) m_view->OnSetFocus();
}

void QtViewWidget::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    LoseCapture();
}

void QtViewWidget::hideEvent(QHideEvent* event)
{
    QAbstractScrollArea::hideEvent(event);
    // The window system forgets what a hidden widget was to paint.
    m_wholeViewWaits = false;
    LoseCapture();
}

void QtViewWidget::LoseCapture()
{
    if (!m_capture) return;
    m_capture = false;
    if (m_view != nullptr) m_view->OnCaptureLost();
}

void QtViewWidget::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars(viewport()->size());
}

void QtViewWidget::scrollContentsBy(int, int) { viewport()->update(); }
