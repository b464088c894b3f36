#include "platform/ui/QtChildFrame.h"

#include "platform/ui/QtViewWidget.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QIcon>
#include <QKeySequence>
#include <QLayout>
#include <QMdiArea>
#include <QMenu>
#include <QMoveEvent>
#include <QPixmap>
#include <QScopedValueRollback>

#include <memory>
#include <utility>

namespace {
// Posted to a window whose caption waits.
const QEvent::Type kCaptionEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

// The batch of frames being made, the frame that waits to show, and the
// last frame whose moves and resizes the client area was not told of.
int g_showBatches = 0;
QPointer<QtChildFrame> g_waitingShow;
QPointer<QtChildFrame> g_areaBehind;
bool g_tellingArea = false;

// The client area sets its scroll bars at each move or resize of one of its
// windows, measuring all of them again, and it hears of each twice, through
// its watch on the window and its watch on all the application's events. A
// batch makes windows by the hundred: while it is made, the frames' moves and
// resizes go to them past every watch, and the area is told once, at its end.
class AreaMoveKeeper : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Move && event->type() != QEvent::Resize) return false;
        auto* window = qobject_cast<QtChildFrame*>(watched);
        if (window == nullptr || g_tellingArea) return false;
        g_areaBehind = window;
        // Delivered as the application would deliver it, past the watches:
        // a resize first lays the frame's view out in its new inside.
        QLayout* layout = window->layout();
        if (event->type() == QEvent::Resize && layout != nullptr && layout->isEnabled() && !layout->activate())
            layout->setGeometry(window->contentsRect());
        static_cast<QObject*>(window)->event(event);
        return true;
    }
};
std::unique_ptr<AreaMoveKeeper> g_moveKeeper;

const QIcon& BlankIcon()
{
    static const QIcon icon = [] {
        QPixmap blank(16, 16);
        blank.fill(Qt::transparent);
        return QIcon(blank);
    }();
    return icon;
}

// Ctrl+F4 closes a frame, as it does wherever such frames are found; the
// toolkit gives the system menu's Close only the keys of the desktop it runs
// on (Ctrl+W on most), and those stay too. Close is the entry with those
// keys, else the menu's last.
void AddCloseKey(const QMdiSubWindow& window)
{
    const QMenu* menu = window.systemMenu();
    if (menu == nullptr) return;
    const QList<QKeySequence> desktop = QKeySequence::keyBindings(QKeySequence::Close);
    QAction* close = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) continue;
        close = action;
        if (!desktop.isEmpty() && action->shortcuts() == desktop) break;
    }
    if (close == nullptr) return;
    const QKeySequence ctrlF4(Qt::CTRL | Qt::Key_F4);
    QList<QKeySequence> keys{ctrlF4};
    for (const QKeySequence& key : close->shortcuts())
        if (key != ctrlF4) keys << key;
    close->setShortcuts(keys);
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
    AddCloseKey(*this);
    m_viewWidget = new QtViewWidget(frame.GetActiveView(), this);
    setWidget(m_viewWidget);
    m_viewWidget->viewport()->installEventFilter(this);
    const CRect r = frame.InitialRect();
    setGeometry(r.left, r.top, r.Width(), r.Height());
    m_normal = geometry();
}

QtChildFrame::~QtChildFrame() = default;

void QtChildFrame::JoinArea(QMdiArea* area)
{
    // Adding a subwindow gives it the viewport for a parent again. One not
    // yet made for the window system takes that for a new parent and sets
    // its frame up once more (flags, geometry, its system menu's entries
    // each hidden and shown again); made, it does not. A child window is
    // made without anything of the window system's: it only says so.
    create();
    // The area puts a new window under the ones that stay on top, matching
    // each window it holds against all the others; one that stays on top
    // goes on top at once. None of the frames stays on top: the hint goes
    // again as it came, past the subwindow's own handling of flags, which
    // would set the frame up once more and tick its system menu's entry.
    area->addSubWindow(this, windowFlags() | Qt::WindowStaysOnTopHint);
    create();
    setParent(parentWidget(), windowFlags() & ~Qt::WindowStaysOnTopHint);
}

void QtChildFrame::SetCaption(const QString& caption)
{
    m_caption = caption;
    if (isVisible()) {
        m_captionWaits = false;
        setWindowTitle(caption);
        return;
    }
    if (m_captionWaits) return;
    m_captionWaits = true;
    // Events posted by the window's making come before this one, the
    // paints (posted with a low priority) after it.
    QCoreApplication::postEvent(this, new QEvent(kCaptionEvent));
}

void QtChildFrame::ShowCaption()
{
    if (!m_captionWaits) return;
    m_captionWaits = false;
    setWindowTitle(m_caption);
}

bool QtChildFrame::event(QEvent* event)
{
    if (event->type() == kCaptionEvent) {
        ShowCaption();
        return true;
    }
    return QMdiSubWindow::event(event);
}

void QtChildFrame::paintEvent(QPaintEvent* event)
{
    ShowCaption();
    QMdiSubWindow::paintEvent(event);
}

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
    // the one that decides which frame is active. Only the window's own
    // mark is set for that moment: disabling it would disable its every
    // widget and enable them again, each told so.
    const bool disabledAlready = testAttribute(Qt::WA_Disabled);
    if (!disabledAlready) setAttribute(Qt::WA_Disabled, true);
    QMdiSubWindow::showEvent(event);
    if (!disabledAlready) setAttribute(Qt::WA_Disabled, false);
}

void QtChildFrame::hideEvent(QHideEvent* event)
{
    // Only a maximized subwindow has put its buttons into the menu bar and
    // its caption into the main window's. Any other would still look
    // through every subwindow of the area for one that is maximized, for
    // the main window's caption: closing a document hides its frames by
    // the hundred.
    if (isMaximized()) {
        QMdiSubWindow::hideEvent(event);
        return;
    }
    QWidget::hideEvent(event);
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

namespace {
// The commands that show a window in the state it has.
bool ShowsAsItIs(int showCommand)
{
    switch (showCommand) {
    case SW_HIDE:
    case SW_SHOWMAXIMIZED:
    case SW_SHOWMINIMIZED:
    case SW_RESTORE:
    case SW_SHOWNORMAL: return false;
    default: return true;
    }
}
} // namespace

void QtChildFrameHost::BeginShowBatch()
{
    if (g_showBatches++ > 0 || QCoreApplication::instance() == nullptr) return;
    // Installed last, it sees the events before the area does.
    g_moveKeeper = std::make_unique<AreaMoveKeeper>();
    QCoreApplication::instance()->installEventFilter(g_moveKeeper.get());
}

void QtChildFrameHost::EndShowBatch()
{
    if (g_showBatches == 0 || --g_showBatches > 0) return;
    if (g_moveKeeper && QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->removeEventFilter(g_moveKeeper.get());
    g_moveKeeper.reset();
    ShowWaitingFrame();
}

void QtChildFrameHost::ShowWaitingFrame()
{
    ShowWaiting();
    TellAreaOfKeptMoves();
}

void QtChildFrameHost::ShowWaiting()
{
    if (QPointer<QtChildFrame> window = std::exchange(g_waitingShow, nullptr)) window->show();
}

void QtChildFrameHost::TellAreaOfKeptMoves()
{
    QPointer<QtChildFrame> window = std::exchange(g_areaBehind, nullptr);
    if (!window || window->mdiArea() == nullptr) return;
    // A move to where the window is: the area sets its scroll bars for all
    // its windows as they are now.
    const QScopedValueRollback<bool> telling(g_tellingArea, true);
    QMoveEvent move(window->pos(), window->pos());
    QCoreApplication::sendEvent(window, &move);
}

QtChildFrameHost::~QtChildFrameHost()
{
    if (!m_window) return;
    if (g_waitingShow == m_window) g_waitingShow = nullptr;
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
    if (m_window) m_window->SetCaption(title);
}

QString QtChildFrameHost::Title() const { return m_window ? m_window->Caption() : QString(); }

void QtChildFrameHost::Show(int showCommand)
{
    if (!m_window) return;
    // A maximized subwindow puts its caption into the main window's when it
    // shows, and the frame's logic sets the main window's caption again
    // after that: the caption comes first, as it always did.
    if (showCommand == SW_SHOWMAXIMIZED || m_window->isMaximized()) m_window->ShowCaption();
    if (g_showBatches > 0 && ShowsAsItIs(showCommand) && m_window->isHidden()) {
        if (g_waitingShow != m_window) ShowWaiting();
        g_waitingShow = m_window;
        return;
    }
    // Frames show in the order they were asked to.
    if (g_waitingShow == m_window) {
        g_waitingShow = nullptr;
    } else {
        ShowWaiting();
    }
    switch (showCommand) {
    case SW_HIDE: m_window->hide(); break;
    case SW_SHOWMAXIMIZED: m_window->showMaximized(); break;
    case SW_SHOWMINIMIZED: m_window->showMinimized(); break;
    case SW_RESTORE:
    case SW_SHOWNORMAL: m_window->showNormal(); break;
    default: m_window->show(); break;
    }
}

bool QtChildFrameHost::IsVisible() const { return m_window && (!m_window->isHidden() || g_waitingShow == m_window); }
bool QtChildFrameHost::IsIconic() const { return m_window && m_window->isMinimized(); }
bool QtChildFrameHost::IsZoomed() const { return m_window && m_window->isMaximized(); }

CRect QtChildFrameHost::GetWindowRect() const
{
    if (!m_window) return {};
    const QRect r = m_window->geometry();
    return CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

CRect QtChildFrameHost::GetRestoredRect() const { return m_window ? m_window->GetRestoredRect() : CRect(); }

CRect QtChildFrameHost::GetScreenRect() const
{
    if (!m_window) return {};
    const QPoint topLeft = m_window->mapToGlobal(QPoint(0, 0));
    return CRect(topLeft.x(), topLeft.y(), topLeft.x() + m_window->width(), topLeft.y() + m_window->height());
}

QtChildFrame* QtChildFrameHost::WindowOf(const CMDIChildWnd* frame)
{
    const auto* host = frame != nullptr ? dynamic_cast<const QtChildFrameHost*>(frame->Host()) : nullptr;
    return host != nullptr ? host->Window() : nullptr;
}

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
    if (g_waitingShow == m_window) ShowWaitingFrame();
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
