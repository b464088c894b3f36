#include "platform/ui/QtChildFrame.h"

#include "platform/ui/QtViewWidget.h"

#include <QCloseEvent>
#include <QHelpEvent>
#include <QIcon>
#include <QPixmap>
#include <QMdiArea>

namespace {
const QIcon& BlankIcon()
{
    static const QIcon icon = [] {
        QPixmap blank(16, 16);
        blank.fill(Qt::transparent);
        return QIcon(blank);
    }();
    return icon;
}
} // namespace

QtChildFrame::QtChildFrame(CMDIChildWnd& frame, QWidget* parent) : QMdiSubWindow(parent), m_frame(&frame)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    // Opaque, so that the window system paints nothing of the frames it
    // covers: a document's frames often lie one on the other by the hundred.
    setAutoFillBackground(true);
    // No toolkit emblem in the frame's corner.
    setWindowIcon(BlankIcon());
    m_viewWidget = new QtViewWidget(frame.GetActiveView(), this);
    setWidget(m_viewWidget);
    m_viewWidget->viewport()->installEventFilter(this);
    const CRect r = frame.InitialRect();
    setGeometry(r.left, r.top, r.Width(), r.Height());
    m_normal = geometry();
}

QtChildFrame::~QtChildFrame() = default;

void QtChildFrame::Detach()
{
    m_frame = nullptr;
    if (m_viewWidget != nullptr) m_viewWidget->DetachView();
}

CRect QtChildFrame::GetRestoredRect() const
{
    const QRect r = (isMaximized() || isMinimized()) ? m_normal : geometry();
    return CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

void QtChildFrame::RememberNormalGeometry()
{
    if (!isMaximized() && !isMinimized()) m_normal = geometry();
}

bool QtChildFrame::eventFilter(QObject* watched, QEvent* event)
{
    // The subwindow would make itself active whenever its widget shows,
    // which is each time the subwindow or the main window shows: the
    // frame's logic decides which frame is active (showEvent).
    if (watched == m_viewWidget && event->type() == QEvent::Show) return false;
    if (m_viewWidget != nullptr && watched == m_viewWidget->viewport()) {
        if (event->type() == QEvent::QueryWhatsThis) {
            event->accept();
            return true;
        }
        if (event->type() == QEvent::WhatsThis) {
            event->accept();
            const QPoint at = static_cast<QHelpEvent*>(event)->pos();
            if (m_frame != nullptr) m_frame->OnContextHelp(CPoint(at.x(), at.y()));
            return true;
        }
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

void QtChildFrame::closeEvent(QCloseEvent* event)
{
    // The frame's logic decides: hide, refuse, or destroy later.
    event->ignore();
    if (m_frame == nullptr) return;
    if (m_frame->OnSysCommand(SC_CLOSE)) return;
    m_frame->OnClose();
}

void QtChildFrame::showEvent(QShowEvent* event)
{
    // The subwindow makes itself active when it shows, unless it is
    // disabled then. Each activation visits every other subwindow, and the
    // main window's first show shows them all: showing many frames would
    // cost the square of their number, and the frame's logic would not be
    // the one that decides which frame is active.
    const bool disabledAlready = testAttribute(Qt::WA_ForceDisabled);
    if (!disabledAlready) setEnabled(false);
    QMdiSubWindow::showEvent(event);
    if (!disabledAlready) setEnabled(true);
}

void QtChildFrame::changeEvent(QEvent* event)
{
    QMdiSubWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && m_frame != nullptr) m_frame->OnSize();
}

void QtChildFrame::resizeEvent(QResizeEvent* event)
{
    QMdiSubWindow::resizeEvent(event);
    RememberNormalGeometry();
    if (m_frame != nullptr) m_frame->OnSize();
}

void QtChildFrame::moveEvent(QMoveEvent* event)
{
    QMdiSubWindow::moveEvent(event);
    RememberNormalGeometry();
}

// ---------------------------------------------------------------------------

QtChildFrameHost::~QtChildFrameHost()
{
    if (!m_window) return;
    m_window->Detach();
    m_window->hide();
    // Taken out of the client area, the active window hands activation on
    // to the next at once. Any other lets go of the client area when it is
    // deleted: taken out now, it would first be made a top-level window of
    // its own.
    QMdiArea* area = m_window->mdiArea();
    if (area != nullptr && area->activeSubWindow() == m_window) area->removeSubWindow(m_window);
    m_window->deleteLater();
}

void QtChildFrameHost::SetTitle(const QString& title)
{
    if (m_window) m_window->setWindowTitle(title);
}

QString QtChildFrameHost::Title() const { return m_window ? m_window->windowTitle() : QString(); }

void QtChildFrameHost::Show(int showCommand)
{
    if (!m_window) return;
    switch (showCommand) {
    case SW_HIDE: m_window->hide(); break;
    case SW_SHOWMAXIMIZED: m_window->showMaximized(); break;
    case SW_SHOWMINIMIZED: m_window->showMinimized(); break;
    case SW_RESTORE:
    case SW_SHOWNORMAL: m_window->showNormal(); break;
    default: m_window->show(); break;
    }
}

bool QtChildFrameHost::IsVisible() const { return m_window && !m_window->isHidden(); }
bool QtChildFrameHost::IsIconic() const { return m_window && m_window->isMinimized(); }
bool QtChildFrameHost::IsZoomed() const { return m_window && m_window->isMaximized(); }

CRect QtChildFrameHost::GetWindowRect() const
{
    if (!m_window) return {};
    const QRect r = m_window->geometry();
    return CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

CRect QtChildFrameHost::GetRestoredRect() const { return m_window ? m_window->GetRestoredRect() : CRect(); }

void QtChildFrameHost::MoveWindow(const CRect& rect)
{
    if (!m_window) return;
    const CRect r = rect.Normalized();
    if (m_window->isMaximized() || m_window->isMinimized()) m_window->showNormal();
    m_window->setGeometry(r.left, r.top, r.Width(), r.Height());
}

void QtChildFrameHost::Activate()
{
    if (!m_window) return;
    QMdiArea* area = m_window->mdiArea();
    if (area == nullptr) return;
    if (m_window->isHidden()) {
        // The client area will not take a hidden window, yet the frame's
        // logic makes it active (so commands still reach the document).
        // The shown window that was active must stop being so, or a click
        // on it later would not make it active again.
        area->setActiveSubWindow(nullptr);
        return;
    }
    area->setActiveSubWindow(m_window);
    // Frames made without being activated may lie over the one that was
    // active already.
    m_window->raise();
}

void QtChildFrameHost::Raise()
{
    if (m_window) m_window->raise();
}
