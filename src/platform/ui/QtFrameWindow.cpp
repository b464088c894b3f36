#include "platform/ui/QtFrameWindow.h"

#include "platform/ui/QtChildFrame.h"
#include "platform/ui/QtCommands.h"

#include <QMdiArea>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QScreen>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

QtFrameWindow::QtFrameWindow(CFrameWnd& frame) : m_frame(frame)
{
    // The client area that holds the child frames.
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        auto* mdi = dynamic_cast<CMDIFrameWnd*>(&m_frame);
        if (mdi == nullptr) return;
        auto* child = qobject_cast<QtChildFrame*>(window);
        mdi->ActiveChildChanged(child != nullptr ? child->Frame() : nullptr);
    });

    // Status bar: the message pane, two panes of 70 pixels the document fills,
    // then the lock-key indicators.
    auto* bar = statusBar();
    m_panes.push_back(new QLabel(bar));
    bar->addWidget(m_panes.back(), 1);
    for (int i = 0; i < 2; ++i) {
        auto* pane = new QLabel(bar);
        pane->setMinimumWidth(70);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar->addPermanentWidget(pane);
        m_panes.push_back(pane);
    }
    for (const char* indicator : {"CAP", "NUM", "SCRL"}) {
        auto* pane = new QLabel(QString::fromLatin1(indicator), bar);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setEnabled(false);
        bar->addPermanentWidget(pane);
        m_panes.push_back(pane);
    }
    // Toolbar buttons follow their commands' state while the program idles.
    m_idle = new QTimer(this);
    connect(m_idle, &QTimer::timeout, this, [this] { UpdateCommandStates(); });
    m_idle->start(250);
}

QtFrameWindow::~QtFrameWindow() = default;

void QtFrameWindow::SetTitle(const QString& title) { setWindowTitle(title); }
QString QtFrameWindow::Title() const { return windowTitle(); }

void QtFrameWindow::Show(int showCommand)
{
    switch (showCommand) {
    case SW_HIDE: hide(); break;
    case SW_SHOWMAXIMIZED:
        // Without a window manager maximizing does nothing; cover the screen
        // first so the window is as large either way.
        if (QScreen* s = screen()) setGeometry(s->availableGeometry());
        showMaximized();
        break;
    case SW_SHOWMINIMIZED: showMinimized(); break;
    case SW_RESTORE:
    case SW_SHOWNORMAL: showNormal(); break;
    default: show(); break;
    }
}

bool QtFrameWindow::IsVisible() const { return isVisible(); }
bool QtFrameWindow::IsMaximized() const { return isMaximized() || (windowState() & Qt::WindowMaximized); }

void QtFrameWindow::SetMenu(UINT menuId)
{
    if (const MenuResource* menu = FindMenuResource(menuId)) FillMenuBar(menuBar(), *menu);
    if (const auto* table = FindAcceleratorTable(menuId)) InstallAccelerators(this, *table);
}

void QtFrameWindow::SetAcceptDrops(bool accept) { setAcceptDrops(accept); }

void QtFrameWindow::SetStatusText(int pane, const QString& text)
{
    if (pane >= 0 && pane < static_cast<int>(m_panes.size())) m_panes[static_cast<std::size_t>(pane)]->setText(text);
}

QString QtFrameWindow::StatusText(int pane) const
{
    if (pane >= 0 && pane < static_cast<int>(m_panes.size())) return m_panes[static_cast<std::size_t>(pane)]->text();
    return {};
}

void QtFrameWindow::UpdateCommandStates()
{
    for (QAction* action : actions()) UpdateCommandAction(action);
    for (QObject* child : children())
        if (auto* w = qobject_cast<QWidget*>(child); w != nullptr && w != menuBar()) UpdateCommandActions(w);
}

void QtFrameWindow::Close() { close(); }

std::unique_ptr<ChildFrameHost> QtFrameWindow::CreateChildHost(CMDIChildWnd& child)
{
    auto* window = new QtChildFrame(child);
    m_mdiArea->addSubWindow(window);
    const CRect r = child.InitialRect();
    window->setGeometry(r.left, r.top, r.Width(), r.Height());
    window->hide();
    return std::make_unique<QtChildFrameHost>(window);
}

void QtFrameWindow::CascadeChildren() { m_mdiArea->cascadeSubWindows(); }
void QtFrameWindow::TileChildren() { m_mdiArea->tileSubWindows(); }

void QtFrameWindow::closeEvent(QCloseEvent* event)
{
    if (m_frame.OnClose()) {
        event->accept();
        // The program ends with its main window, whatever else is open.
        QCoreApplication::quit();
    } else {
        event->ignore();
    }
}

std::unique_ptr<FrameHost> QtWindowFactory::CreateMainFrameHost(CFrameWnd& frame)
{
    return std::make_unique<QtFrameWindow>(frame);
}
