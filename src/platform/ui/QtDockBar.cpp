#include "platform/ui/QtDockBar.h"

#include "platform/ui/QtTreeCtrl.h"

#include <QAction>
#include <QCloseEvent>
#include <QMainWindow>
#include <QMenu>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {
// The least height of a floating bar's own area.
constexpr int kMinFloatingHeight = 48;
} // namespace

QtDockBar::QtDockBar(QMainWindow& main, DockBarClient& client, CTreeCtrl& tree, UINT barId, int treeId,
                     const QString& title)
    : QDockWidget(title, &main), m_main(main), m_logic(client)
{
    setObjectName(QStringLiteral("Bar%1").arg(barId));
    // It docks at the left edge or floats; it is never closed.
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    setAllowedAreas(Qt::LeftDockWidgetArea);

    // The tree fills the bar but for 4 pixels at the sides, 2 at the top and
    // 4 at the bottom.
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("Bar%1Client").arg(barId));
    auto* layout = new QVBoxLayout(m_client);
    layout->setContentsMargins(4, 2, 4, 4);
    m_tree = new QtTreeCtrl(tree, treeId, m_client);
    layout->addWidget(m_tree);
    setWidget(m_client);
    m_client->installEventFilter(this);

    connect(this, &QDockWidget::topLevelChanged, this, [this](bool floating) {
        ApplySize();
        // Docked again, wherever the user dropped it: at the top of the edge.
        if (!floating) QTimer::singleShot(0, this, [this] { PutOnTop(); });
    });

    main.addDockWidget(Qt::LeftDockWidgetArea, this, Qt::Vertical);
    hide();
}

QtDockBar::~QtDockBar() = default;

void QtDockBar::ApplySize()
{
    if (m_sizing) return;
    m_sizing = true;
    const CSize size = m_logic.CalcDynamicLayout(-1, isFloating() ? LM_MRUWIDTH : LM_VERTDOCK);
    if (!isFloating()) {
        m_client->setFixedSize(size.cx, size.cy);
    } else {
        // The width stays; the height is the user's to stretch.
        m_client->setFixedSize(size.cx, size.cy);
        adjustSize();
        m_client->setMinimumHeight(std::min<int>(kMinFloatingHeight, size.cy));
        m_client->setMaximumHeight(QWIDGETSIZE_MAX);
    }
    m_sizing = false;
}

std::vector<QDockWidget*> QtDockBar::LeftBars() const
{
    std::vector<QDockWidget*> bars;
    for (QDockWidget* bar : m_main.findChildren<QDockWidget*>()) {
        if (bar->isFloating() || bar->isHidden() || m_main.dockWidgetArea(bar) != Qt::LeftDockWidgetArea) continue;
        bars.push_back(bar);
    }
    std::stable_sort(bars.begin(), bars.end(),
                     [](const QDockWidget* a, const QDockWidget* b) { return a->y() < b->y(); });
    return bars;
}

// The bar goes above the other bars of the left edge, which keep their order.
void QtDockBar::PutOnTop()
{
    if (isFloating() || m_main.dockWidgetArea(this) != Qt::LeftDockWidgetArea) return;
    // Places of bars shown a moment ago are known once laid out.
    if (QLayout* layout = m_main.layout()) layout->activate();
    std::vector<QDockWidget*> others = LeftBars();
    others.erase(std::remove(others.begin(), others.end(), this), others.end());
    QDockWidget* above = this;
    for (QDockWidget* bar : others) {
        m_main.splitDockWidget(above, bar, Qt::Vertical);
        above = bar;
    }
}

void QtDockBar::DockLeft()
{
    if (isFloating()) setFloating(false);
    if (m_main.dockWidgetArea(this) != Qt::LeftDockWidgetArea)
        m_main.addDockWidget(Qt::LeftDockWidgetArea, this, Qt::Vertical);
    ApplySize();
    PutOnTop();
}

UINT QtDockBar::TrackPopupMenu(const std::vector<PopupMenuItem>& items, CPoint screen)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("%1Menu").arg(objectName()));
    for (const PopupMenuItem& item : items) {
        if (item.id == 0) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(item.text);
        action->setData(item.id);
        action->setEnabled(item.enabled);
    }
    QAction* chosen = menu.exec(QPoint(screen.x, screen.y));
    return chosen != nullptr ? chosen->data().toUInt() : 0;
}

bool QtDockBar::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::QueryWhatsThis: event->accept(); return true;
    case QEvent::WhatsThis:
        event->accept();
        m_logic.OnHelpHitTest();
        return true;
    default: return QDockWidget::event(event);
    }
}

bool QtDockBar::eventFilter(QObject* watched, QEvent* event)
{
    // The user stretches the floating bar: its height follows.
    if (watched == m_client && event->type() == QEvent::Resize && isFloating() && !m_sizing) {
        m_sizing = true;
        const CSize size = m_logic.CalcDynamicLayout(m_client->height(), LM_LENGTHY);
        m_client->setFixedWidth(size.cx);
        m_sizing = false;
    }
    return QDockWidget::eventFilter(watched, event);
}

void QtDockBar::closeEvent(QCloseEvent* event) { event->ignore(); }

// ---------------------------------------------------------------------------

QtDockBarHost::~QtDockBarHost() { delete m_bar.data(); }

void QtDockBarHost::Show(bool show)
{
    if (m_bar == nullptr) return;
    if (show) m_bar->ApplySize();
    m_bar->setVisible(show);
}

bool QtDockBarHost::IsVisible() const { return m_bar != nullptr && !m_bar->isHidden(); }

bool QtDockBarHost::IsFloating() const { return m_bar != nullptr && m_bar->isFloating(); }

void QtDockBarHost::DockLeft()
{
    if (m_bar != nullptr) m_bar->DockLeft();
}

UINT QtDockBarHost::TrackPopupMenu(const std::vector<PopupMenuItem>& items, CPoint screen)
{
    return m_bar != nullptr ? m_bar->TrackPopupMenu(items, screen) : 0;
}
