// The main window's Qt side: toolbars from resources and their rows, the zoom
// box, recent files in the menus, and shortcuts that follow the menu.
#include "platform/MDI.h"
#include "platform/MenuResource.h"
#include "platform/WinApp.h"
#include "platform/ui/QtCommands.h"
#include "platform/ui/QtFrameWindow.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

using Rows = std::vector<std::vector<UINT>>;

class TestMainFrame : public CMDIFrameWnd {};

class ZoomApp : public CWinApp {
public:
    ZoomApp()
    {
        OnCommand(32079, [this] {
            if (GetMainWnd() != nullptr) chosen.push_back(GetMainWnd()->Host()->GetZoomBoxSelection());
        });
    }
    std::vector<int> chosen;
};

class MainFrameWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetWindowFactory(&m_windows);
        auto frame = std::make_unique<TestMainFrame>();
        ASSERT_TRUE(frame->LoadFrame(2));
        m_window = dynamic_cast<QtFrameWindow*>(frame->Host());
        ASSERT_NE(m_window, nullptr);
        m_app.SetMainWnd(std::move(frame));
        for (UINT id : {2u, 1007u, 1005u}) m_window->AddToolBar(*FindToolbarResource(id), id == 2);
    }
    void TearDown() override
    {
        m_app.DestroyMainWnd();
        SetWindowFactory(nullptr);
    }
    // The toolbars' rows as the window lays them out, top to bottom.
    Rows LaidOutRows()
    {
        m_window->layout()->activate();
        std::map<int, std::vector<std::pair<int, UINT>>> byTop;
        for (UINT id : {2u, 1007u, 1005u}) {
            QToolBar* bar = m_window->ToolBar(id);
            if (bar->isHidden()) continue;
            byTop[bar->geometry().top()].push_back({bar->geometry().left(), id});
        }
        Rows rows;
        for (auto& [top, bars] : byTop) {
            std::sort(bars.begin(), bars.end());
            rows.emplace_back();
            for (const auto& [left, id] : bars) rows.back().push_back(id);
        }
        return rows;
    }
    int Width(UINT id) const { return m_window->ToolBar(id)->sizeHint().width(); }

    QtWindowFactory m_windows;
    ZoomApp m_app;
    QtFrameWindow* m_window = nullptr;
};

} // namespace

TEST(MainFrameToolBarRowsTest, TheToolbarsWrapByTheirWidthsAgainstTheFramesRightEdge)
{
    // Standard 300, controller 100, drawing 200 wide.
    const struct {
        bool controller;
        bool drawing;
        int right;
        Rows rows;
    } cases[] = {
        {true, true, 601, {{2, 1007, 1005}}},
        {true, true, 600, {{2, 1007}, {1005}}},      // all three no longer fit
        {true, true, 401, {{2, 1007}, {1005}}},
        {true, true, 400, {{2}, {1005}, {1007}}},    // nor the first two
        {true, true, 50, {{2}, {1005}, {1007}}},
        {false, true, 500, {{2, 1007}, {1005}}},     // a hidden bar keeps its place and width
        {true, false, 400, {{2, 1005}, {1007}}},
        {false, false, 10, {{2, 1007, 1005}}},
    };
    for (const auto& c : cases) {
        const std::vector<QtFrameWindow::ToolBarPlace> bars = {
            {2, 300, true}, {1007, 100, c.controller}, {1005, 200, c.drawing}};
        EXPECT_EQ(QtFrameWindow::ToolBarRows(bars, c.right), c.rows) << c.right;
    }
    EXPECT_TRUE(QtFrameWindow::ToolBarRows({}, 100).empty());
}

TEST_F(MainFrameWindowTest, ToolbarsComeFromTheirResourcesWithTipsAndPictures)
{
    const struct {
        UINT id;
        std::vector<UINT> commands;
    } bars[] = {
        {2, {57600, 57601, 57603, 57635, 57634, 57637, 57607, 57664, 57669, 32073, 32034}},
        {1007, {32033, 32035, 32039, 32890, 32898}},
        {1005, {32020, 32022, 32023, 32024, 32025, 32076, 32027, 32075}},
    };
    for (const auto& b : bars) {
        QToolBar* bar = m_window->ToolBar(b.id);
        ASSERT_NE(bar, nullptr);
        EXPECT_FALSE(bar->isMovable());
        EXPECT_FALSE(bar->isFloatable());
        std::vector<UINT> commands;
        for (QAction* action : bar->actions()) {
            if (CommandIdOf(action) == 0) continue;
            commands.push_back(CommandIdOf(action));
            EXPECT_FALSE(action->icon().isNull()) << CommandIdOf(action);
            EXPECT_FALSE(action->toolTip().isEmpty());
        }
        EXPECT_EQ(commands, b.commands) << b.id;
    }
    EXPECT_EQ(CommandIdOf(m_window->ToolBar(1007)->actions().at(0)), 32033u);
    EXPECT_EQ(m_window->ToolBar(1007)->actions().at(0)->toolTip(), QStringLiteral("Write to DA-ZU"));
    EXPECT_TRUE(m_window->ToolBar(1007)->actions().at(3)->isSeparator());
    EXPECT_TRUE(m_window->IsToolBarVisible(2));
    EXPECT_FALSE(m_window->IsToolBarVisible(1007));
    EXPECT_FALSE(m_window->IsToolBarVisible(1005));
    EXPECT_FALSE(m_window->IsToolBarVisible(9999));
}

TEST_F(MainFrameWindowTest, TheZoomBoxSitsInTheStandardToolbar)
{
    QComboBox* box = m_window->ZoomBox();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(m_window->ToolBar(2)->isAncestorOf(box));
    QStringList entries;
    for (int i = 0; i < box->count(); ++i) entries << box->itemText(i);
    EXPECT_EQ(entries, QStringList({"200%", "150%", "100%", "75%", "50%", "25%", "10%"}));
    EXPECT_EQ(box->width(), 70 - 12);
    EXPECT_TRUE(box->font().bold());
    EXPECT_FALSE(box->isEditable());
    EXPECT_EQ(m_window->GetZoomBoxSelection(), -1);

    m_window->EnableZoomBox(true);
    EXPECT_TRUE(m_window->IsZoomBoxEnabled());
    // The program's selection runs nothing; the user's runs command 32079.
    m_window->SetZoomBoxSelection(2);
    EXPECT_EQ(m_window->GetZoomBoxSelection(), 2);
    EXPECT_TRUE(m_app.chosen.empty());
    QTest::keyClick(box, Qt::Key_Down);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_app.chosen, std::vector<int>({3}));
    m_window->SetZoomBoxSelection(7);
    EXPECT_EQ(m_window->GetZoomBoxSelection(), -1);
    m_window->EnableZoomBox(false);
    EXPECT_FALSE(m_window->IsZoomBoxEnabled());
}

TEST_F(MainFrameWindowTest, TheToolbarsWrapWhenTheWindowIsNarrow)
{
    m_window->ShowToolBar(1007, true);
    m_window->ShowToolBar(1005, true);
    m_window->show();
    const int standard = Width(2);
    const int controller = Width(1007);
    const int drawing = Width(1005);

    m_window->resize(standard + controller + drawing + 100, 400);
    EXPECT_EQ(LaidOutRows(), Rows({{2, 1007, 1005}}));
    m_window->resize(standard + controller + drawing - 10, 400);
    EXPECT_EQ(LaidOutRows(), Rows({{2, 1007}, {1005}}));
    m_window->resize(standard + controller - 10, 400);
    EXPECT_EQ(LaidOutRows(), Rows({{2}, {1005}, {1007}}));
    // Wide again: one row after the next resize; the bars stay as shown.
    m_window->resize(standard + controller + drawing + 100, 400);
    EXPECT_EQ(LaidOutRows(), Rows({{2, 1007, 1005}}));
    m_window->ShowToolBar(1005, false);
    EXPECT_EQ(LaidOutRows(), Rows({{2, 1007}}));
    EXPECT_FALSE(m_window->IsToolBarVisible(1005));
}

TEST_F(MainFrameWindowTest, RecentFilesTakeThePlaceOfTheirMenuItem)
{
    auto fileMenuItems = [this] {
        std::vector<std::pair<UINT, QString>> items;
        QMenu* file = m_window->menuBar()->actions().front()->menu();
        for (QAction* a : file->actions())
            if (CommandIdOf(a) >= kFirstRecentFileCommand && CommandIdOf(a) < kFirstRecentFileCommand + 16)
                items.push_back({CommandIdOf(a), a->text()});
        return items;
    };
    using Items = std::vector<std::pair<UINT, QString>>;
    EXPECT_EQ(fileMenuItems(), Items({{57616, QStringLiteral("Recent File")}}));
    m_window->SetRecentFiles({QStringLiteral("/work/press.hox"), QStringLiteral("/work/R&D/feed.hox")});
    EXPECT_EQ(fileMenuItems(), Items({{57616, QStringLiteral("&1 /work/press.hox")},
                                      {57617, QStringLiteral("&2 /work/R&&D/feed.hox")}}));
    // They stay when the menu changes.
    m_window->SetMenu(1002);
    EXPECT_EQ(fileMenuItems().size(), 2u);
    m_window->SetRecentFiles({});
    EXPECT_EQ(fileMenuItems(), Items({{57616, QStringLiteral("Recent File")}}));
}

TEST_F(MainFrameWindowTest, ShortcutsAreInstalledOnceWhateverTheMenu)
{
    auto count = [this] { return m_window->findChildren<QShortcut*>(Qt::FindDirectChildrenOnly).size(); };
    const auto* table = FindAcceleratorTable(2);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(count(), static_cast<qsizetype>(table->size()));
    for (UINT menu : {1002u, 1003u, 2u, 1002u, 2u}) {
        m_window->SetMenu(menu);
        EXPECT_EQ(m_window->MenuId(), menu);
        EXPECT_EQ(count(), static_cast<qsizetype>(table->size()));
    }
    // A menu that does not exist changes nothing.
    m_window->SetMenu(4711);
    EXPECT_EQ(m_window->MenuId(), 2u);
}

TEST_F(MainFrameWindowTest, StatusBarShowsAndHides)
{
    EXPECT_TRUE(m_window->IsStatusBarVisible());
    m_window->ShowStatusBar(false);
    EXPECT_FALSE(m_window->IsStatusBarVisible());
    m_window->ShowStatusBar(true);
    EXPECT_TRUE(m_window->IsStatusBarVisible());
}

TEST_F(MainFrameWindowTest, StatusBarPanesComeInTheirOrderAndTheDocumentsPanesStartEmpty)
{
    const struct {
        int pane;
        QString text;
    } panes[] = {
        {1, QString()}, {2, QString()}, {3, QStringLiteral("CAP")}, {4, QStringLiteral("NUM")},
        {5, QStringLiteral("SCRL")}, {6, QString()}, {-1, QString()},
    };
    for (const auto& p : panes) EXPECT_EQ(m_window->StatusText(p.pane), p.text) << p.pane;

    m_window->SetStatusText(1, QStringLiteral("ZA-20VI ZOZ"));
    m_window->SetStatusText(2, QStringLiteral("Steps 12"));
    m_window->SetStatusText(6, QStringLiteral("nowhere"));
    EXPECT_EQ(m_window->StatusText(1), QStringLiteral("ZA-20VI ZOZ"));
    EXPECT_EQ(m_window->StatusText(2), QStringLiteral("Steps 12"));
    EXPECT_EQ(m_window->StatusText(6), QString());

    // Left to right: the message pane, the two of the document, the keys.
    m_window->show();
    m_window->resize(800, 400);
    m_window->layout()->activate();
    auto* bar = m_window->statusBar();
    bar->layout()->activate();
    std::vector<std::pair<int, QString>> byLeft;
    for (QLabel* label : bar->findChildren<QLabel*>()) byLeft.push_back({label->geometry().left(), label->text()});
    std::sort(byLeft.begin(), byLeft.end());
    QStringList order;
    for (const auto& [left, text] : byLeft) order << text;
    EXPECT_EQ(order, QStringList({QString(), QStringLiteral("ZA-20VI ZOZ"), QStringLiteral("Steps 12"),
                                  QStringLiteral("CAP"), QStringLiteral("NUM"), QStringLiteral("SCRL")}));
    for (QLabel* label : bar->findChildren<QLabel*>()) {
        if (label->text() == QStringLiteral("Steps 12") || label->text() == QStringLiteral("ZA-20VI ZOZ")) {
            EXPECT_GE(label->width(), 70) << label->text().toStdString();
        }
    }
}
