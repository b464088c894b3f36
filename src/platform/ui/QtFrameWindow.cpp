#include "platform/ui/QtFrameWindow.h"

#include "platform/Strings.h"
#include "platform/ui/QtChildFrame.h"
#include "platform/ui/QtCommands.h"
#include "platform/ui/QtDialogBar.h"
#include "platform/ui/QtDockBar.h"
#include "platform/ui/QtTitleBarIconStyle.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolTip>
#include <QWhatsThis>

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

QtFrameWindow::~QtFrameWindow()
{
    // The client area goes with the widgets below this one and hands
    // activation on as its subwindows go: this frame is no longer there to
    // be told.
    disconnect(m_mdiArea, nullptr, this, nullptr);
    if (m_waitCursor) QApplication::restoreOverrideCursor();
}

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
bool QtFrameWindow::IsMinimized() const { return isMinimized(); }

CRect QtFrameWindow::GetClientAreaRect() const
{
    // The frames live in the area's viewport.
    const QWidget* area = m_mdiArea != nullptr ? m_mdiArea->viewport() : nullptr;
    return area != nullptr ? CRect(0, 0, area->width(), area->height()) : CRect();
}

void QtFrameWindow::SetMenu(UINT menuId)
{
    if (menuId == m_menuId) return;
    const MenuResource* menu = FindMenuResource(menuId);
    if (menu == nullptr) return;
    m_menuId = menuId;
    FillMenuBar(menuBar(), *menu, m_recentFiles);
    ApplyGrayedMenuItems();
    // A menu without a table of its own keeps the keys of the one before.
    if (const auto* table = FindAcceleratorTable(menuId)) InstallAccelerators(this, *table);
}

void QtFrameWindow::EnableMenuItem(int position, bool enable)
{
    if (position < 0) return;
    if (enable) {
        m_grayedMenuItems.erase(position);
    } else {
        m_grayedMenuItems.insert(position);
    }
    const QList<QAction*> items = menuBar()->actions();
    if (position < items.size()) items[position]->setEnabled(enable);
}

bool QtFrameWindow::IsMenuItemEnabled(int position) const { return m_grayedMenuItems.count(position) == 0; }

void QtFrameWindow::ApplyGrayedMenuItems()
{
    const QList<QAction*> items = menuBar()->actions();
    for (int position : m_grayedMenuItems)
        if (position < items.size()) items[position]->setEnabled(false);
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
    // Only the toolbars: menus ask when they open, dialog bars ask for their
    // own buttons, and walking the client area would visit every child
    // frame with all its widgets four times a second.
    for (QAction* action : actions()) UpdateCommandAction(action);
    for (QToolBar* bar : findChildren<QToolBar*>(Qt::FindDirectChildrenOnly)) UpdateCommandActions(bar);
    m_frame.UpdateStatusPanes();
}

void QtFrameWindow::Close() { close(); }

void QtFrameWindow::EnableWindow(bool enable)
{
    m_enabled = enable;
    // The window itself stays enabled: Qt would disable the dialogs it owns
    // with it, and the one that shows a print run must keep its Cancel.
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow()) child->setEnabled(enable);
    for (QShortcut* shortcut : findChildren<QShortcut*>(Qt::FindDirectChildrenOnly)) shortcut->setEnabled(enable);
}

std::unique_ptr<ChildFrameHost> QtFrameWindow::CreateChildHost(CMDIChildWnd& child)
{
    // Made inside the client area: a window made on its own first would be
    // turned from a top-level window into a subwindow.
    auto* window = new QtChildFrame(child, m_mdiArea->viewport());
    // The client area looks for the place that overlaps the shown windows
    // least, trying the places beside each of them against all the others;
    // it looks for none for a window without a size. The frame's place
    // follows at once.
    window->resize(0, 0);
    window->JoinArea(m_mdiArea);
    const CRect r = child.InitialRect();
    window->setGeometry(r.left, r.top, r.Width(), r.Height());
    window->hide();
    return std::make_unique<QtChildFrameHost>(window);
}

void QtFrameWindow::DeactivateChildren() { m_mdiArea->setActiveSubWindow(nullptr); }

void QtFrameWindow::BeginChildBatch() { QtChildFrameHost::BeginShowBatch(); }
void QtFrameWindow::EndChildBatch() { QtChildFrameHost::EndShowBatch(); }

// The arrangements place the shown frames, a waiting one among them.
void QtFrameWindow::CascadeChildren()
{
    QtChildFrameHost::ShowWaitingFrame();
    m_mdiArea->cascadeSubWindows();
}

void QtFrameWindow::TileChildren()
{
    QtChildFrameHost::ShowWaitingFrame();
    m_mdiArea->tileSubWindows();
}

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

void QtFrameWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    ArrangeToolBars();
}

// ---------------------------------------------------------------------------
// Toolbars, zoom box, status bar, recent files

bool QtFrameWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip && watched == m_zoomBox) {
        QString tip;
        if (m_frame.OnToolTipNeedText(m_zoomCommand, tip)) {
            if (tip.isEmpty()) {
                QToolTip::hideText();
            } else {
                QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, m_zoomBox);
            }
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void QtFrameWindow::EnterContextHelp() { QWhatsThis::enterWhatsThisMode(); }

QComboBox* QtFrameWindow::MakeZoomBox(QToolBar* bar, UINT command, int width)
{
    // The box sits 6 pixels inside its slot on either side.
    auto* slot = new QWidget(bar);
    auto* layout = new QHBoxLayout(slot);
    layout->setContentsMargins(6, 0, 6, 0);
    auto* box = new QComboBox(slot);
    box->setObjectName(QStringLiteral("ZoomBox"));
    box->setEditable(false);
    box->setFixedWidth(std::max(width - 12, 1));
    // An entry's position is the view's zoom step.
    for (const char* entry : {"200%", "150%", "100%", "75%", "50%", "25%", "10%"})
        box->addItem(QString::fromLatin1(entry));
    box->setMaxVisibleItems(7);
    // The face of the string table where the system has it; else the
    // narrow sans-serif face the program draws "Arial" with.
    QFont font;
    font.setFamilies({LoadStr(13003), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(12);
    font.setBold(true);
    box->setFont(font);
    box->setCurrentIndex(-1);
    box->setEnabled(false);
    layout->addWidget(box);
    // Only a choice of the user runs the command; the program's own
    // selections do not.
    connect(box, &QComboBox::activated, box, [command](int) { PostCommand(command); });
    box->installEventFilter(this);
    m_zoomBox = box;
    m_zoomCommand = command;
    return box;
}

void QtFrameWindow::AddToolBar(const ToolbarResource& resource, bool visible)
{
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar%1").arg(resource.id));
    // Bars stay where the program puts them.
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(16, 15));
    FillToolBar(bar, resource, [this](const ToolbarButton& slot, QToolBar* owner) -> QWidget* {
        if (slot.width <= 0 || m_zoomBox != nullptr) return nullptr;
        return MakeZoomBox(owner, slot.id, slot.width)->parentWidget();
    });
    addToolBar(Qt::TopToolBarArea, bar);
    bar->setVisible(visible);
    m_toolBars.emplace_back(resource.id, bar);
    m_rows.clear();
    ArrangeToolBars();
}

QToolBar* QtFrameWindow::ToolBar(UINT id) const
{
    for (const auto& [barId, bar] : m_toolBars)
        if (barId == id) return bar;
    return nullptr;
}

void QtFrameWindow::ShowToolBar(UINT id, bool show)
{
    QToolBar* bar = ToolBar(id);
    if (bar == nullptr) return;
    bar->setVisible(show);
    ArrangeToolBars();
}

bool QtFrameWindow::IsToolBarVisible(UINT id) const
{
    const QToolBar* bar = ToolBar(id);
    return bar != nullptr && !bar->isHidden();
}

std::vector<std::vector<UINT>> QtFrameWindow::ToolBarRows(const std::vector<ToolBarPlace>& bars, int frameRight)
{
    std::vector<std::vector<UINT>> rows;
    if (bars.empty()) return rows;
    rows.emplace_back();
    std::vector<UINT> wrapped;
    long long total = 0;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        total += bars[i].width;
        if (i == 0 || !bars[i].visible || total < frameRight) {
            rows.front().push_back(bars[i].id);
        } else {
            wrapped.push_back(bars[i].id);
        }
    }
    for (auto it = wrapped.rbegin(); it != wrapped.rend(); ++it) rows.push_back({*it});
    return rows;
}

void QtFrameWindow::ArrangeToolBars()
{
    if (m_arranging || m_toolBars.empty()) return;
    std::vector<ToolBarPlace> places;
    for (const auto& [id, bar] : m_toolBars) places.push_back({id, bar->sizeHint().width(), !bar->isHidden()});
    const QRect frame = frameGeometry();
    const auto rows = ToolBarRows(places, frame.x() + frame.width());
    if (rows == m_rows) return;
    m_arranging = true;
    std::map<UINT, bool> shown;
    for (const auto& [id, bar] : m_toolBars) {
        shown[id] = !bar->isHidden();
        removeToolBar(bar);
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (r > 0) addToolBarBreak(Qt::TopToolBarArea);
        for (UINT id : rows[r]) {
            QToolBar* bar = ToolBar(id);
            addToolBar(Qt::TopToolBarArea, bar);
            bar->setVisible(shown[id]);
        }
    }
    m_rows = rows;
    m_arranging = false;
}

void QtFrameWindow::ShowStatusBar(bool show) { statusBar()->setVisible(show); }

bool QtFrameWindow::IsStatusBarVisible() const { return !statusBar()->isHidden(); }

void QtFrameWindow::SetZoomBoxSelection(int index)
{
    if (m_zoomBox == nullptr) return;
    const QSignalBlocker quiet(m_zoomBox);
    m_zoomBox->setCurrentIndex(index >= 0 && index < m_zoomBox->count() ? index : -1);
}

int QtFrameWindow::GetZoomBoxSelection() const { return m_zoomBox != nullptr ? m_zoomBox->currentIndex() : -1; }

void QtFrameWindow::EnableZoomBox(bool enable)
{
    if (m_zoomBox != nullptr) m_zoomBox->setEnabled(enable);
}

bool QtFrameWindow::IsZoomBoxEnabled() const { return m_zoomBox != nullptr && m_zoomBox->isEnabledTo(this); }

void QtFrameWindow::SetRecentFiles(const QStringList& paths)
{
    m_recentFiles = paths;
    if (const MenuResource* menu = FindMenuResource(m_menuId)) {
        FillMenuBar(menuBar(), *menu, m_recentFiles);
        ApplyGrayedMenuItems();
    }
}

void QtFrameWindow::SetWaitCursor(bool wait)
{
    if (wait == m_waitCursor) return;
    m_waitCursor = wait;
    if (wait) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

std::unique_ptr<FrameHost> QtWindowFactory::CreateMainFrameHost(CFrameWnd& frame)
{
    // The main window's child frames are made by the hundred.
    QtTitleBarIconStyle::Install();
    return std::make_unique<QtFrameWindow>(frame);
}

// ---------------------------------------------------------------------------
// Bars with a tree control

std::unique_ptr<DockBarHost> QtFrameWindow::CreateTreeBar(DockBarClient& client, CTreeCtrl& tree, UINT barId,
                                                          int treeId, const QString& title)
{
    return std::make_unique<QtDockBarHost>(new QtDockBar(*this, client, tree, barId, treeId, title));
}

// ---------------------------------------------------------------------------
// Dialog bars

std::unique_ptr<BarHost> QtFrameWindow::CreateBarHost(CDialogBar& bar)
{
    return std::make_unique<QtDialogBarHost>(new QtDialogBar(*this, bar));
}
