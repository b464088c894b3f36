#include "platform/ui/QtDrawnControl.h"

#include "platform/DC.h"
#include "platform/DialogTemplate.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace {
CPoint ClientPoint(const QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    return {p.x(), p.y()};
}
} // namespace

QtDrawnControl::QtDrawnControl(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A click never takes the focus; the keyboard may.
    setFocusPolicy(Qt::TabFocus);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    QPalette white = viewport()->palette();
    white.setColor(QPalette::Base, Qt::white);
    white.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(white);
    viewport()->setAutoFillBackground(true);
    viewport()->setCursor(Qt::ArrowCursor);
    verticalScrollBar()->setRange(0, 0);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (m_syncing == 0 && m_control != nullptr) m_control->SetScrollPos(value);
    });
}

QtDrawnControl::~QtDrawnControl() { Attach(nullptr); }

QWidget* QtDrawnControl::Create(const ControlTemplate& c, QWidget* parent)
{
    auto* host = new QtDrawnControl(parent);
    host->setFocusPolicy(c.HasTabStop() ? Qt::TabFocus : Qt::NoFocus);
    return host;
}

void QtDrawnControl::Attach(CDrawnControl* control)
{
    if (control == m_control) return;
    if (m_control != nullptr) {
        CDrawnControl* old = m_control;
        m_control = nullptr;
        old->SetHost(nullptr);
    }
    m_control = control;
    // A host that showed the control before lets it go.
    if (control != nullptr) control->SetHost(this);
    ScrollChanged();
    Invalidate();
}

void QtDrawnControl::Release(CDrawnControl* control)
{
    if (control != m_control) return;
    m_control = nullptr;
    ScrollChanged();
    Invalidate();
}

void QtDrawnControl::Invalidate() { viewport()->update(); }

CRect QtDrawnControl::GetClientRect() const
{
    const QRect r = viewport()->rect();
    return CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

bool QtDrawnControl::HasFocus() const { return hasFocus(); }

void QtDrawnControl::ScrollChanged()
{
    ++m_syncing;
    QScrollBar* bar = verticalScrollBar();
    if (m_control != nullptr) {
        bar->setRange(m_control->GetScrollMin(), m_control->GetScrollMax());
        bar->setValue(m_control->GetScrollPos());
    } else {
        bar->setRange(0, 0);
    }
    --m_syncing;
}

QSize QtDrawnControl::sizeHint() const { return {240, 96}; }

void QtDrawnControl::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    if (m_control == nullptr) return;
    CDC dc(painter);
    m_control->OnPaint(dc, GetClientRect());
}

void QtDrawnControl::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    if (m_control != nullptr) m_control->OnSetFocus();
}

void QtDrawnControl::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    if (m_control != nullptr) m_control->OnKillFocus();
}

void QtDrawnControl::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (m_control != nullptr && event->button() == Qt::LeftButton) m_control->OnLButtonDown(ClientPoint(event));
}

void QtDrawnControl::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    if (m_control != nullptr) m_control->OnMouseMove(ClientPoint(event));
}

void QtDrawnControl::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (m_control != nullptr && event->button() == Qt::LeftButton) m_control->OnLButtonUp(ClientPoint(event));
}

void QtDrawnControl::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click means nothing more than the first.
    event->accept();
}

void QtDrawnControl::contextMenuEvent(QContextMenuEvent* event)
{
    // Taken here, so the dialog behind shows no menu either.
    event->accept();
}
