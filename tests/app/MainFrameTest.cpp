// The main frame in the running application: its bars for each situation,
// the View toggles, the port name, the menus, the chart windows it makes,
// reopens, renames and deletes, and File Open in the remembered directory.
#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "app/HOXRegistry.h"
#include "app/MainFrame.h"
#include "chart/FrameHooks.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXNode.h"
#include "chart/HOXSymbol.h"
#include "chart/HOXView.h"
#include "platform/MenuResource.h"
#include "res/CommandIds.h"
#include "platform/ui/QtCommands.h"
#include "platform/ui/QtFrameWindow.h"
#include "support/Scripted.h"
#include "symbols/flow/HOXFlowLabel.h"
#include "symbols/flow/HOXFlowMonInfo.h"
#include "symbols/flow/HOXFlowStart.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <set>

using kt::test::DialogDriver;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedFiles;
using kt::test::ScriptedMessages;
using kt::test::TempSettings;

namespace {

const QString kCommandFailed = QStringLiteral("Command failed.");
const QString kDeleteQuestion = QStringLiteral("Do You Want to Delete  ?");
constexpr UINT kDeleteStyle = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2;

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetWindowFactory(&m_windows);
        m_app = std::make_unique<CHOXApp>();
        ScriptedDialogs dialogs;
        dialogs.Expect(2002, [](DialogDriver& d) { d.ClickDialog(Qt::LeftButton); });
        ASSERT_TRUE(m_app->InitInstance());
        m_main = m_app->MainFrame();
        m_window = dynamic_cast<QtFrameWindow*>(m_main->Host());
        ASSERT_NE(m_window, nullptr);
    }
    void TearDown() override
    {
        m_app.reset();
        SetWindowFactory(nullptr);
    }

    // A new document of type 1 with its first flow chart.
    CHOXDoc* NewDocument()
    {
        m_app->m_nAskType = 0;
        m_app->OnFileNew();
        m_app->m_nAskType = 1;
        return m_app->GetDocument();
    }
    CMDIChildWnd* FrameOf(const QString& name) const
    {
        CHOXFlowWnd* wnd = m_app->GetDocument()->FindWindowByName(name);
        return wnd != nullptr ? m_app->FrameOfView(wnd->GetView()) : nullptr;
    }
    static std::vector<int> SymbolTypes(const CHOXFlowWnd* wnd)
    {
        std::vector<int> types;
        for (const auto& [id, object] : wnd->GetObjectMap()) types.push_back(object->GetObjectType());
        std::sort(types.begin(), types.end());
        return types;
    }
    // The top-level texts of the menu bar.
    QStringList MenuTitles() const
    {
        QStringList titles;
        for (QAction* a : m_window->menuBar()->actions()) titles << a->text();
        return titles;
    }
    // Runs the New Flow Chart command with a script for its dialog.
    void NewFlowChart(const ScriptedDialogs::Script& script)
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(2066, script);
        m_main->OnNewFlowChart();
    }

    TempSettings m_settings;
    QtWindowFactory m_windows;
    std::unique_ptr<CHOXApp> m_app;
    CMainFrame* m_main = nullptr;
    QtFrameWindow* m_window = nullptr;
};

// ---------------------------------------------------------------------------
// Bars

TEST_F(MainFrameTest, StartsWithTheStandardToolbarAndADisabledEmptyZoomBox)
{
    EXPECT_TRUE(m_window->IsToolBarVisible(2));
    EXPECT_FALSE(m_window->IsToolBarVisible(1007));
    EXPECT_FALSE(m_window->IsToolBarVisible(1005));
    EXPECT_TRUE(m_window->IsStatusBarVisible());
    EXPECT_FALSE(m_window->IsZoomBoxEnabled());
    EXPECT_EQ(m_main->GetZoomBoxSelection(), -1);
    EXPECT_EQ(m_window->StatusText(1), QString());
    EXPECT_EQ(m_window->StatusText(2), QString());
    EXPECT_EQ(m_window->MenuId(), 2u);
    EXPECT_EQ(MenuTitles(), QStringList({"&File", "KZ-&QW", "&View", "&Help"}));
}

TEST_F(MainFrameTest, TheMainWindowIsTheViewsFrameHooksWhileItLives)
{
    EXPECT_EQ(GetFrameHooks(), static_cast<FrameHooks*>(m_main));
    // A view's zoom step reaches the zoom box through them.
    ASSERT_NE(NewDocument(), nullptr);
    CHOXView* view = m_app->GetDocument()->FindWindowByName(QStringLiteral("Flow Chart1"))->GetView();
    ASSERT_NE(view, nullptr);
    view->OnZoom(ID_ZOOM_50);
    EXPECT_EQ(m_main->GetZoomBoxSelection(), 4);
    m_app.reset();
    EXPECT_EQ(GetFrameHooks(), nullptr);
}

TEST_F(MainFrameTest, ViewCommandsShowAndHideTheBarsWithCheckMarks)
{
    const struct {
        UINT command;
        std::function<bool()> visible;
    } toggles[] = {
        {59392, [this] { return m_window->IsToolBarVisible(2); }},
        {32074, [this] { return m_window->IsToolBarVisible(1007); }},
        {32005, [this] { return m_window->IsToolBarVisible(1005); }},
        {59393, [this] { return m_window->IsStatusBarVisible(); }},
    };
    CommandRouter* router = GetCommandRouter();
    for (const auto& t : toggles) {
        const bool before = t.visible();
        EXPECT_EQ(router->QueryState(t.command).m_nCheck, before ? 1 : 0) << t.command;
        EXPECT_TRUE(router->QueryState(t.command).m_bEnabled);
        EXPECT_TRUE(router->Execute(t.command));
        EXPECT_EQ(t.visible(), !before) << t.command;
        EXPECT_EQ(router->QueryState(t.command).m_nCheck, before ? 0 : 1);
        EXPECT_TRUE(router->Execute(t.command));
        EXPECT_EQ(t.visible(), before);
    }
}

TEST_F(MainFrameTest, ThePortChoiceTheReadAndAboutWorkWithoutADocument)
{
    for (UINT id : {32015u, 32034u, 57664u, 57601u}) EXPECT_TRUE(GetCommandRouter()->QueryState(id).m_bEnabled) << id;
}

TEST_F(MainFrameTest, EditBarsForEachSituation)
{
    m_main->ShowEditBars();
    for (UINT bar : {2u, 1007u, 1005u}) EXPECT_TRUE(m_window->IsToolBarVisible(bar)) << bar;
    EXPECT_TRUE(m_window->IsZoomBoxEnabled());
    m_main->SetZoomBoxSelection(3);

    // Print preview begins.
    m_main->HideEditBars();
    for (UINT bar : {2u, 1007u, 1005u}) EXPECT_FALSE(m_window->IsToolBarVisible(bar)) << bar;
    EXPECT_FALSE(m_window->IsZoomBoxEnabled());
    EXPECT_EQ(m_main->GetZoomBoxSelection(), -1);

    // The document closes: the standard toolbar stays as it is.
    m_main->ShowEditBars();
    m_main->HideEditToolBars();
    EXPECT_TRUE(m_window->IsToolBarVisible(2));
    EXPECT_FALSE(m_window->IsToolBarVisible(1007));
    EXPECT_FALSE(m_window->IsToolBarVisible(1005));
    EXPECT_FALSE(m_window->IsZoomBoxEnabled());
}

TEST_F(MainFrameTest, ADocumentBringsItsBarsAndMenusAndClosingTakesThemAway)
{
    CHOXDoc* doc = NewDocument();
    ASSERT_NE(doc, nullptr);
    for (UINT bar : {2u, 1007u, 1005u}) EXPECT_TRUE(m_window->IsToolBarVisible(bar)) << bar;
    EXPECT_TRUE(m_window->IsZoomBoxEnabled());
    // The new flow chart is active, then the monitor window.
    EXPECT_EQ(m_window->MenuId(), 1002u);
    EXPECT_EQ(MenuTitles(), QStringList({"&File", "&Edit", "&View", "&Tools", "KZ-&QW", "&Parameters", "&Window",
                                         "&Help"}));
    m_app->ActivateMonitorFrame();
    EXPECT_EQ(m_window->MenuId(), 1003u);
    EXPECT_EQ(MenuTitles(), QStringList({"&File", "&Edit", "&View", "&Insert", "&Tools", "KZ-&QW", "&Parameters",
                                         "&Window", "&Help"}));
    m_app->ShowWindowByTitle(QStringLiteral("Flow Chart1"));
    EXPECT_EQ(m_window->MenuId(), 1002u);

    m_app->OnFileClose();
    EXPECT_EQ(m_app->GetDocument(), nullptr);
    EXPECT_EQ(m_window->MenuId(), 2u);
    EXPECT_TRUE(m_window->IsToolBarVisible(2));
    EXPECT_FALSE(m_window->IsToolBarVisible(1007));
    EXPECT_FALSE(m_window->IsToolBarVisible(1005));
    EXPECT_FALSE(m_window->IsZoomBoxEnabled());
}

// ---------------------------------------------------------------------------
// Port name

TEST_F(MainFrameTest, ThePortNameComesFromTheSettingsAndGoesBackAtTheEnd)
{
    EXPECT_EQ(m_main->GetComPort(), QStringLiteral("COM1"));
    m_main->SetComPort(QStringLiteral("COM3"));
    m_app.reset();
    QString port;
    ASSERT_TRUE(CHOXRegistry().ReadString("CommPort", port, 5));
    EXPECT_EQ(port, QStringLiteral("COM3"));

    const struct {
        const char* stored;
        const char* read;
    } cases[] = {{"COM3", "COM3"}, {"COM4", "COM4"}, {"COM9", "COM1"}, {"COM12", "COM1"}, {"", "COM1"}};
    for (const auto& c : cases) {
        CHOXRegistry().WriteString("CommPort", QString::fromLatin1(c.stored));
        CMainFrame frame;
        EXPECT_EQ(frame.GetComPort(), QString::fromLatin1(c.read)) << c.stored;
    }
}

// ---------------------------------------------------------------------------
// Menus

namespace {
// Every command of a menu with its text, by id.
void Collect(const std::vector<MenuItem>& items, std::map<UINT, QString>& out)
{
    for (const MenuItem& item : items) {
        if (item.IsPopup()) {
            Collect(item.items, out);
        } else if (!item.IsSeparator()) {
            out[item.id] = item.text;
        }
    }
}
std::map<UINT, QString> CommandsOf(UINT menu)
{
    std::map<UINT, QString> out;
    for (const MenuItem& popup : FindMenuResource(menu)->popups) Collect(popup.items, out);
    return out;
}
QStringList PathOf(UINT menu, UINT command)
{
    std::function<bool(const std::vector<MenuItem>&, QStringList&)> find = [&](const auto& items, QStringList& path) {
        for (const MenuItem& item : items) {
            path << item.text;
            if (item.IsPopup() ? find(item.items, path) : item.id == command) return true;
            path.removeLast();
        }
        return false;
    };
    QStringList path;
    find(FindMenuResource(menu)->popups, path);
    return path;
}
} // namespace

TEST(MainFrameMenusTest, ItemsSitWhereTheyBelongWithTheirTexts)
{
    const struct {
        UINT menu;
        UINT command;
        QStringList path;
    } cases[] = {
        {2, 57601, {"&File", "&Open...\tCtrl+O"}},
        {2, 32892, {"&File", "Import &Text"}},
        {2, 32034, {"KZ-&QW", "&Read from DA-ZU"}},
        {2, 32015, {"KZ-&QW", "&Com Port"}},
        {2, 59392, {"&View", "Standard &Toolbar"}},
        {1002, 57600, {"&File", "&New\tCtrl+N"}},
        {1002, 32043, {"&File", "&Close"}},
        {1002, 57603, {"&File", "&Save\tCtrl+S"}},
        {1002, 57604, {"&File", "Save &As..."}},
        {1002, 57607, {"&File", "&Print...\tCtrl+P"}},
        {1002, 57609, {"&File", "Print Pre&view"}},
        {1002, 57606, {"&File", "P&rint Setup..."}},
        {1002, 57643, {"&Edit", "&Undo\tCtrl+Z"}},
        {1002, 57644, {"&Edit", "&Redo\tCtrl+Y"}},
        {1002, 57635, {"&Edit", "Cu&t\tCtrl+X"}},
        {1002, 57634, {"&Edit", "&Copy\tCtrl+C"}},
        {1002, 57637, {"&Edit", "&Paste\tCtrl+V"}},
        {1002, 32004, {"&Edit", "&Delete\tDel"}},
        {1002, 57642, {"&Edit", "Select &All\tCtrl+A"}},
        {1002, 32074, {"&View", "KZ-&QW Toolbar"}},
        {1002, 32005, {"&View", "&Drawing Toolbar"}},
        {1002, 32006, {"&View", "&Accessories Toolbar"}},
        {1002, 32066, {"&View", "&Zoom ", "Zoom Large size [Ctrl + PgUp]"}},
        {1002, 32067, {"&View", "&Zoom ", "150%  Zoom"}},
        {1002, 32068, {"&View", "&Zoom ", "Zoom Normal size [Ctrl + Home]"}},
        {1002, 32070, {"&View", "&Zoom ", "50%  Zoom [Ctrl + PgDown]"}},
        {1002, 32072, {"&View", "&Zoom ", "Zoom Small size"}},
        {1002, 32021, {"&Tools", "Used &Memory"}},
        {1002, 32054, {"&Tools", "Change &Base Color"}},
        {1002, 32033, {"KZ-&QW", "&Write to DA-ZU"}},
        {1002, 32036, {"KZ-&QW", "&Initialize  DA-ZU contents"}},
        {1002, 32037, {"KZ-&QW", "&Monitor", "&Start"}},
        {1002, 32038, {"KZ-&QW", "&Monitor", "S&top"}},
        {1002, 32898, {"KZ-&QW", "&Monitor", "Set &Default Position"}},
        {1002, 32900, {"KZ-&QW", "&Monitor", "Tune System &Response"}},
        {1002, 32015, {"KZ-&QW", "&Com Port"}},
        {1002, 32008, {"&Parameters", "&System", "&System"}},
        {1002, 32009, {"&Parameters", "&System", "Sub &task"}},
        {1002, 32012, {"&Parameters", "&Positioning", "S&peed"}},
        {1002, 32029, {"&Parameters", "I/O &Control", "M &Code"}},
        {1002, 32065, {"&Parameters", "I/O &Control", "&Others"}},
        {1002, 32016, {"&Parameters", "&Initialize"}},
        {1002, 32017, {"&Parameters", "Show &All"}},
        {1002, 32019, {"&Window", "Close &All"}},
        {1002, 57664, {"&Help", "&About RQT4P-VEDID-E..."}},
        {1003, 32889, {"&Insert", "C&urrent Position"}},
        {1003, 32887, {"&Insert", "KZ-&QW Status"}},
        {1003, 57856, {"&Insert", "Insert &New Object..."}},
        {1004, 32063, {"WorkSpace", "&New Flow Chart"}},
        {1004, 32064, {"WorkSpace", "&New Subtask"}},
        {1004, 32041, {"WorkSpace", "&Update"}},
        {1004, 32042, {"WorkSpace", "&Delete"}},
    };
    for (const auto& c : cases) EXPECT_EQ(PathOf(c.menu, c.command), c.path) << c.menu << " " << c.command;

    // The document menus hold the same commands, the monitor's its Insert
    // menu besides; every command of menu 2 is in them.
    std::map<UINT, QString> flow = CommandsOf(1002);
    std::map<UINT, QString> monitor = CommandsOf(1003);
    for (UINT id : {32889u, 32883u, 32884u, 32885u, 32886u, 32887u, 32888u, 57856u}) {
        EXPECT_EQ(flow.count(id), 0u) << id;
        EXPECT_EQ(monitor.erase(id), 1u) << id;
    }
    EXPECT_EQ(flow, monitor);
    for (const auto& [id, text] : CommandsOf(2)) {
        if (id != 32892) { // the document imports with 32059
            EXPECT_EQ(flow.count(id), 1u) << id;
        }
    }
    for (UINT id : {32026u, 32077u, 32058u, 32059u, 32035u, 32039u, 32894u, 32896u, 32897u, 32010u, 32013u, 32014u,
                    32028u, 32030u, 32031u, 57650u, 57651u, 57667u, 32069u, 32071u, 59393u})
        EXPECT_EQ(flow.count(id), 1u) << id;
    EXPECT_EQ(FindMenuResource(1002)->popups.size(), 8u);
    EXPECT_EQ(FindMenuResource(1003)->popups.size(), 9u);
    EXPECT_EQ(FindMenuResource(1002)->popups[4].text, QStringLiteral("KZ-&QW"));
    EXPECT_EQ(FindMenuResource(1003)->popups[5].text, QStringLiteral("KZ-&QW"));
    // The list of open windows follows the first three items.
    const auto& window = FindMenuResource(1002)->popups[6].items;
    ASSERT_EQ(window.size(), 4u);
    EXPECT_EQ(window[2].id, 32019u);
    EXPECT_EQ(window[3].id, kFirstWindowListCommand);
}

TEST(MainFrameMenusTest, OneAcceleratorTableServesTheMainWindow)
{
    const auto* table = FindAcceleratorTable(2);
    ASSERT_NE(table, nullptr);
    std::map<QString, UINT> keys;
    for (const Accelerator& a : *table) EXPECT_TRUE(keys.emplace(a.key, a.id).second) << a.key.toStdString();
    const std::map<QString, UINT> expected = {
        {"Ctrl+N", 57600},    {"Ctrl+O", 57601},    {"Ctrl+S", 57603},      {"Ctrl+P", 57607},   {"Ctrl+Z", 57643},
        {"Ctrl+Y", 57644},    {"Ctrl+X", 57635},    {"Ctrl+C", 57634},      {"Ctrl+Ins", 57634}, {"Ctrl+V", 57637},
        {"Shift+Ins", 57637}, {"Del", 32004},       {"Ctrl+A", 57642},      {"Ctrl+PgUp", 32066}, {"Ctrl+Home", 32068},
        {"Ctrl+PgDown", 32070}, {"Return", 32891}, {"Enter", 32891},      {"Esc", 32003},      {"F1", 57670},
        {"Shift+F1", 57669},
    };
    EXPECT_EQ(keys, expected);
    for (const auto& [key, id] : keys) EXPECT_FALSE(QKeySequence(key).isEmpty()) << key.toStdString();
    EXPECT_EQ(FindAcceleratorTable(1002), nullptr);
    EXPECT_EQ(FindAcceleratorTable(1003), nullptr);
}

// ---------------------------------------------------------------------------
// Chart windows

TEST_F(MainFrameTest, ANewFlowChartWindowIsShownActiveAndInTheDocument)
{
    CHOXDoc* doc = NewDocument();
    ASSERT_NE(doc, nullptr);
    doc->SetModifiedFlag(false);
    m_main->CreateFlowChartWindow(QStringLiteral("Press"), QStringLiteral("Feeds the press"), 1);

    CHOXFlowWnd* wnd = doc->FindWindowByName(QStringLiteral("Press"));
    ASSERT_NE(wnd, nullptr);
    EXPECT_EQ(wnd->GetDescription(), QStringLiteral("Feeds the press"));
    EXPECT_EQ(doc->GetWindowNameList(), QStringList({"Flow Chart1", "Press"}));
    EXPECT_EQ(SymbolTypes(wnd), std::vector<int>({302, 304})); // POINTER and END
    CMDIChildWnd* frame = FrameOf(QStringLiteral("Press"));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetWindowText(), QStringLiteral("Press"));
    EXPECT_TRUE(frame->IsWindowVisible());
    EXPECT_EQ(m_main->MDIGetActive(), frame);
    auto* view = dynamic_cast<CHOXView*>(frame->GetActiveView());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetWnd(), wnd);
    EXPECT_EQ(wnd->GetView(), view);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(m_app->m_nFrameAtOrigin, 0);
    EXPECT_EQ(m_main->GetWindowText(), QStringLiteral("RQT4P-VEDID-E - Untitled.hox"));
    EXPECT_EQ(m_window->MenuId(), 1002u);

    // The first symbols of each kind.
    m_main->CreateFlowChartWindow(QStringLiteral("Main"), QString(), 0);
    m_main->CreateFlowChartWindow(QStringLiteral("Sub"), QString(), 2);
    EXPECT_EQ(SymbolTypes(doc->FindWindowByName(QStringLiteral("Main"))), std::vector<int>({301, 302}));
    EXPECT_EQ(SymbolTypes(doc->FindWindowByName(QStringLiteral("Sub"))), std::vector<int>({303, 309}));
}

TEST_F(MainFrameTest, ANewWindowIsRefusedWithoutADocumentForATakenNameAndAtTheLimit)
{
    {
        ScriptedMessages messages;
        messages.Expect(kCommandFailed, MB_OK, IDOK).Expect(kCommandFailed, MB_OK, IDOK);
        m_main->CreateFlowChartWindow(QStringLiteral("Press"), QString(), 0);
        EXPECT_EQ(m_main->ReopenFlowChartWindow(QStringLiteral("Press")), nullptr);
    }
    CHOXDoc* doc = NewDocument();
    const std::size_t frames = m_main->GetChildren().size();
    {
        // One window per name: the older one would be lost. A hidden window
        // of monitoring is not made, and says nothing.
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("Program Title Exists"), MB_OK | MB_ICONSTOP, IDOK);
        m_main->CreateFlowChartWindow(QStringLiteral("FLOW CHART1"), QString(), 0);
        EXPECT_EQ(m_main->CreateHiddenFlowChartWindow(QStringLiteral("Flow Chart1")), nullptr);
    }
    EXPECT_EQ(doc->GetWindowMap().GetCount(), 1u);
    EXPECT_EQ(doc->FindWindowByName(QStringLiteral("Flow Chart1"))->GetName(), QStringLiteral("Flow Chart1"));

    for (int i = 2; i <= 500; ++i) {
        const QString name = QStringLiteral("W%1").arg(i);
        doc->AddWindow(name, doc->NewFlowWindow(name, QString()));
    }
    {
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("Cannot create more than 500 flow chart windows."), MB_OK, IDOK);
        m_main->CreateFlowChartWindow(QStringLiteral("Press"), QString(), 0);
    }
    EXPECT_EQ(doc->GetWindowMap().GetCount(), 500u);
    EXPECT_EQ(doc->FindWindowByName(QStringLiteral("Press")), nullptr);
    EXPECT_EQ(m_main->GetChildren().size(), frames);
}

TEST_F(MainFrameTest, AHiddenWindowStaysOutOfTheNameListAndLeavesTheDocumentUnmodified)
{
    CHOXDoc* doc = NewDocument();
    doc->SetModifiedFlag(false);
    CHOXFlowWnd* made = m_main->CreateHiddenFlowChartWindow(QStringLiteral("FlowChart 1(Blank)"));
    CHOXFlowWnd* wnd = doc->FindWindowByName(QStringLiteral("FlowChart 1(Blank)"));
    ASSERT_NE(wnd, nullptr);
    EXPECT_EQ(made, wnd);
    EXPECT_TRUE(wnd->GetObjectMap().IsEmpty());
    EXPECT_TRUE(wnd->GetDescription().isEmpty());
    EXPECT_EQ(doc->GetWindowNameList(), QStringList({"Flow Chart1"}));
    CMDIChildWnd* frame = FrameOf(QStringLiteral("FlowChart 1(Blank)"));
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(frame->IsWindowVisible());
    EXPECT_EQ(frame->GetWindowText(), QStringLiteral("FlowChart 1(Blank)"));
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(MainFrameTest, AReopenedWindowTakesItsStoredPlaceZoomAndScrollPosition)
{
    CHOXDoc* doc = NewDocument();
    const struct {
        const char* name;
        CRect rect;
        int zoom;
        CPoint scroll;
        int percent;
    } cases[] = {
        {"Stored", CRect(30, 40, 530, 340), 0, CPoint(25, 12), 200},
        {"At origin", CRect(10, 20, 410, 320), 4, CPoint(0, 0), 50},
    };
    for (const auto& c : cases) {
        const QString name = QString::fromLatin1(c.name);
        std::unique_ptr<CHOXFlowWnd> record = doc->NewFlowWindow(name, QString());
        record->SetWndRect(c.rect);
        record->SetZoomIndex(c.zoom);
        record->SetScrollPos(c.scroll.x, c.scroll.y);
        doc->AddWindow(name, std::move(record));
        m_app->m_nFrameAtOrigin = 0;

        CHOXView* view = m_main->ReopenFlowChartWindow(name);
        ASSERT_NE(view, nullptr) << c.name;
        CMDIChildWnd* frame = FrameOf(name);
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->GetActiveView(), view);
        EXPECT_EQ(view->GetWnd(), doc->FindWindowByName(name));
        EXPECT_EQ(frame->GetWindowText(), name);
        EXPECT_FALSE(frame->IsWindowVisible());
        EXPECT_EQ(frame->GetWindowRect(), c.rect) << c.name;
        EXPECT_EQ(view->ZoomNumX(), c.percent);
        EXPECT_EQ(view->GetScrollPosition(), c.scroll) << c.name;
        EXPECT_EQ(m_app->m_nFrameAtOrigin, 1);
    }
    ScriptedMessages messages;
    messages.Expect(kCommandFailed, MB_OK, IDOK);
    EXPECT_EQ(m_main->ReopenFlowChartWindow(QStringLiteral("Nowhere")), nullptr);
}

TEST_F(MainFrameTest, WindowNameExistsComparesInUpperCase)
{
    {
        ScriptedMessages messages;
        messages.Expect(kCommandFailed, MB_OK, IDOK);
        EXPECT_FALSE(m_main->WindowNameExists(QStringLiteral("Flow Chart1")));
    }
    NewDocument();
    EXPECT_TRUE(m_main->WindowNameExists(QStringLiteral("Flow Chart1")));
    EXPECT_TRUE(m_main->WindowNameExists(QStringLiteral("flow chart1")));
    EXPECT_FALSE(m_main->WindowNameExists(QStringLiteral("Flow Chart2")));
    // Also while every frame is hidden.
    m_app->OnCloseAll();
    EXPECT_TRUE(m_main->WindowNameExists(QStringLiteral("FLOW CHART1")));
}

// ---------------------------------------------------------------------------
// Workspace commands

TEST_F(MainFrameTest, NewFlowChartProposesTheNextNumber)
{
    const struct {
        std::vector<const char*> more; // besides Flow Chart1
        bool withoutFirst;
        const char* proposal;
    } cases[] = {
        {{"Flow Chart2", "Subtask"}, false, "Flow Chart3"},
        {{"Flow Chart3"}, false, "Flow Chart4"}, // Flow Chart3 is taken
        {{"Flow Chart3", "Flow Chart4"}, true, "Flow Chart4"},
        {{}, false, "Flow Chart2"},
    };
    for (const auto& c : cases) {
        CHOXDoc* doc = NewDocument();
        for (const char* name : c.more) m_main->CreateFlowChartWindow(QString::fromLatin1(name), QString(), 0);
        if (c.withoutFirst) {
            ScriptedMessages messages;
            messages.Expect(kDeleteQuestion, kDeleteStyle, IDYES);
            m_main->SetClickedItemText(QStringLiteral("Flow Chart1"));
            m_main->OnDeleteWindow();
        }
        const std::size_t windows = doc->GetWindowMap().GetCount();
        NewFlowChart([&](DialogDriver& d) {
            EXPECT_EQ(d.Caption(), QStringLiteral("Add New Flow Chart"));
            EXPECT_EQ(d.Text(8087), QString::fromLatin1(c.proposal));
            EXPECT_EQ(d.Text(8090), QString());
            d.Click(IDCANCEL);
        });
        EXPECT_EQ(doc->GetWindowMap().GetCount(), windows);
        doc->SetModifiedFlag(false);
    }
}

// Both proposals taken: accepting the second one must not make a second
// window of that name.
TEST_F(MainFrameTest, AcceptingATakenProposalIsRefused)
{
    CHOXDoc* doc = NewDocument();
    m_main->CreateFlowChartWindow(QStringLiteral("Flow Chart2"), QString(), 0);
    m_main->CreateFlowChartWindow(QStringLiteral("Flow Chart3"), QString(), 0);
    {
        ScriptedMessages messages;
        messages.Expect(kDeleteQuestion, kDeleteStyle, IDYES);
        m_main->SetClickedItemText(QStringLiteral("Flow Chart1"));
        m_main->OnDeleteWindow();
    }
    // Left with Flow Chart3 and Flow Chart4: both proposals are taken.
    m_main->CreateFlowChartWindow(QStringLiteral("Flow Chart4"), QString(), 0);
    m_main->SetClickedItemText(QStringLiteral("Flow Chart2"));
    {
        ScriptedMessages messages;
        messages.Expect(kDeleteQuestion, kDeleteStyle, IDYES);
        m_main->OnDeleteWindow();
    }
    ASSERT_EQ(doc->GetWindowNameList(), QStringList({"Flow Chart3", "Flow Chart4"}));
    ScriptedMessages messages;
    messages.Expect(QStringLiteral("Program Title Exists"), MB_OK | MB_ICONSTOP, IDOK);
    NewFlowChart([](DialogDriver& d) {
        EXPECT_EQ(d.Text(8087), QStringLiteral("Flow Chart4"));
        d.Click(IDOK);
        EXPECT_FALSE(d.Ended());
        d.Type(8087, QStringLiteral("Flow Chart5"));
        d.Type(8090, QStringLiteral("Unloads"));
        d.Click(IDOK);
    });
    EXPECT_EQ(doc->GetWindowNameList(), QStringList({"Flow Chart3", "Flow Chart4", "Flow Chart5"}));
    ASSERT_NE(doc->FindWindowByName(QStringLiteral("Flow Chart5")), nullptr);
    EXPECT_EQ(doc->FindWindowByName(QStringLiteral("Flow Chart5"))->GetDescription(), QStringLiteral("Unloads"));
    EXPECT_EQ(m_main->MDIGetActive(), FrameOf(QStringLiteral("Flow Chart5")));
}

TEST_F(MainFrameTest, NewFlowChartWithoutADocumentFails)
{
    ScriptedMessages messages;
    messages.Expect(kCommandFailed, MB_OK, IDOK);
    m_main->OnNewFlowChart();
}

TEST_F(MainFrameTest, NewSubtaskMakesTheWindowSubtask)
{
    CHOXDoc* doc = NewDocument();
    ScriptedDialogs dialogs;
    dialogs.Expect(2066, [](DialogDriver& d) {
        EXPECT_EQ(d.Caption(), QStringLiteral("Add New Subtask"));
        EXPECT_EQ(d.Text(8087), QStringLiteral("Subtask"));
        EXPECT_FALSE(d.Enabled(8087));
        d.Type(8090, QStringLiteral("Lamps"));
        d.Click(IDOK);
    });
    m_main->OnNewSubtask();
    CHOXFlowWnd* wnd = doc->FindWindowByName(QStringLiteral("Subtask"));
    ASSERT_NE(wnd, nullptr);
    EXPECT_TRUE(wnd->IsSubtaskWindow());
    EXPECT_EQ(wnd->GetDescription(), QStringLiteral("Lamps"));
    EXPECT_EQ(SymbolTypes(wnd), std::vector<int>({301, 302}));
    EXPECT_EQ(doc->GetWindowNameList(), QStringList({"Flow Chart1", "Subtask"}));
}

TEST_F(MainFrameTest, UpdateRenamesAWindowInPlace)
{
    CHOXDoc* doc = NewDocument();
    m_main->CreateFlowChartWindow(QStringLiteral("Flow Chart2"), QStringLiteral("Old text"), 0);
    m_main->CreateFlowChartWindow(QStringLiteral("Flow Chart3"), QString(), 0);
    CHOXFlowWnd* wnd = doc->FindWindowByName(QStringLiteral("Flow Chart2"));
    doc->AddStepInfo(std::make_unique<CHOXFlowMonInfo>(4, 7, QStringLiteral("Flow Chart2")));
    doc->AddStepInfo(std::make_unique<CHOXFlowMonInfo>(9, 8, QStringLiteral("Flow Chart3")));
    doc->SetModifiedFlag(false);

    m_main->SetClickedItemText(QStringLiteral("Flow Chart2"));
    ScriptedDialogs dialogs;
    dialogs.Expect(2066, [](DialogDriver& d) {
        EXPECT_EQ(d.Caption(), QStringLiteral("Update Flow Chart"));
        EXPECT_EQ(d.Text(8087), QStringLiteral("Flow Chart2"));
        EXPECT_EQ(d.Text(8090), QStringLiteral("Old text"));
        d.Type(8087, QStringLiteral("  Main"));
        d.Type(8090, QStringLiteral("New text"));
        d.Click(IDOK);
    });
    m_main->OnUpdateWindow();

    // The same record under its new name, at the same place of the list, so
    // the program is generated in the same order.
    EXPECT_EQ(doc->FindWindowByName(QStringLiteral("Main")), wnd);
    EXPECT_EQ(doc->FindWindowByName(QStringLiteral("Flow Chart2")), nullptr);
    EXPECT_FALSE(doc->GetWindowMap().Contains(QStringLiteral("Flow Chart2")));
    EXPECT_TRUE(doc->GetWindowMap().Contains(QStringLiteral("Main")));
    EXPECT_EQ(doc->GetWindowNameList(), QStringList({"Flow Chart1", "Main", "Flow Chart3"}));
    EXPECT_EQ(wnd->GetName(), QStringLiteral("Main"));
    EXPECT_EQ(wnd->GetDescription(), QStringLiteral("New text"));
    EXPECT_EQ(doc->GetStepWindowName(7), QStringLiteral("Main"));
    EXPECT_EQ(doc->GetStepWindowName(8), QStringLiteral("Flow Chart3"));
    CMDIChildWnd* frame = FrameOf(QStringLiteral("Main"));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetWindowText(), QStringLiteral("Main"));
    EXPECT_EQ(m_main->MDIGetActive(), frame);
    EXPECT_EQ(m_main->GetClickedItemText(), QStringLiteral("Main"));
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(MainFrameTest, UpdateWithoutANewNameStillStoresTheDescription)
{
    CHOXDoc* doc = NewDocument();
    m_main->CreateFlowChartWindow(QStringLiteral("Flow Chart2"), QString(), 0);
    // The window is hidden; Update shows and activates it.
    FrameOf(QStringLiteral("Flow Chart1"))->ShowWindow(SW_HIDE);
    doc->SetModifiedFlag(false);
    m_main->SetClickedItemText(QStringLiteral("Flow Chart1"));
    ScriptedDialogs dialogs;
    dialogs.Expect(2066, [](DialogDriver& d) {
        d.Type(8090, QStringLiteral("First"));
        d.Click(IDOK);
    });
    m_main->OnUpdateWindow();
    CHOXFlowWnd* wnd = doc->FindWindowByName(QStringLiteral("Flow Chart1"));
    EXPECT_EQ(wnd->GetDescription(), QStringLiteral("First"));
    EXPECT_EQ(doc->GetWindowNameList(), QStringList({"Flow Chart1", "Flow Chart2"}));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(FrameOf(QStringLiteral("Flow Chart1"))->IsWindowVisible());
    EXPECT_EQ(m_main->MDIGetActive(), FrameOf(QStringLiteral("Flow Chart1")));
}

// A window whose frame could not be made is renamed in the document only;
// the frame that happens to be active keeps its own name.
TEST_F(MainFrameTest, UpdateOfAWindowWithoutAFrameLeavesTheActiveFrameAlone)
{
    CHOXDoc* doc = NewDocument();
    m_main->CreateFlowChartWindow(QStringLiteral("Flow Chart2"), QString(), 0);
    CHOXFlowWnd* wnd = doc->FindWindowByName(QStringLiteral("Flow Chart2"));
    CMDIChildWnd* first = FrameOf(QStringLiteral("Flow Chart1"));
    CMDIChildWnd* second = FrameOf(QStringLiteral("Flow Chart2"));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    first->MDIActivate();
    wnd->SetView(nullptr);

    m_main->SetClickedItemText(QStringLiteral("Flow Chart2"));
    ScriptedDialogs dialogs;
    dialogs.Expect(2066, [](DialogDriver& d) {
        d.Type(8087, QStringLiteral("Main"));
        d.Click(IDOK);
    });
    m_main->OnUpdateWindow();
    EXPECT_EQ(doc->FindWindowByName(QStringLiteral("Main")), wnd);
    EXPECT_EQ(doc->GetWindowNameList(), QStringList({"Flow Chart1", "Main"}));
    EXPECT_EQ(m_main->MDIGetActive(), first);
    EXPECT_EQ(first->GetWindowText(), QStringLiteral("Flow Chart1"));
    EXPECT_EQ(second->GetWindowText(), QStringLiteral("Flow Chart2"));
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(MainFrameTest, UpdateOfTheSubtaskAndACancelledUpdate)
{
    CHOXDoc* doc = NewDocument();
    m_main->CreateFlowChartWindow(QStringLiteral("Subtask"), QString(), 0);
    doc->SetModifiedFlag(false);
    m_main->SetClickedItemText(QStringLiteral("Subtask"));
    ScriptedDialogs dialogs;
    dialogs.Expect(2066, [](DialogDriver& d) {
        EXPECT_EQ(d.Caption(), QStringLiteral("Update Subtask"));
        EXPECT_FALSE(d.Enabled(8087));
        d.Type(8090, QStringLiteral("Ignored"));
        d.Click(IDCANCEL);
    });
    m_main->OnUpdateWindow();
    EXPECT_EQ(doc->FindWindowByName(QStringLiteral("Subtask"))->GetDescription(), QString());
    EXPECT_FALSE(doc->IsModified());

    // A clicked text that names no window.
    ScriptedMessages messages;
    messages.Expect(kCommandFailed, MB_OK, IDOK);
    m_main->SetClickedItemText(QStringLiteral("Gone"));
    m_main->OnUpdateWindow();
}

TEST_F(MainFrameTest, DeleteTakesTheWindowAndItsFrameAwayButNeverTheLastOne)
{
    CHOXDoc* doc = NewDocument();
    m_main->CreateFlowChartWindow(QStringLiteral("Flow Chart2"), QString(), 0);
    const std::size_t frames = m_main->GetChildren().size();
    doc->SetModifiedFlag(false);
    m_main->SetClickedItemText(QStringLiteral("Flow Chart2"));
    {
        // No keeps it.
        ScriptedMessages messages;
        messages.Expect(kDeleteQuestion, kDeleteStyle, IDNO);
        m_main->OnDeleteWindow();
    }
    EXPECT_NE(doc->FindWindowByName(QStringLiteral("Flow Chart2")), nullptr);
    EXPECT_FALSE(doc->IsModified());
    {
        ScriptedMessages messages;
        messages.Expect(kDeleteQuestion, kDeleteStyle, IDYES);
        m_main->OnDeleteWindow();
    }
    EXPECT_EQ(doc->FindWindowByName(QStringLiteral("Flow Chart2")), nullptr);
    EXPECT_EQ(doc->GetWindowNameList(), QStringList({"Flow Chart1"}));
    EXPECT_EQ(m_main->GetChildren().size(), frames - 1);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_NE(m_window->MenuId(), 2u);

    m_main->SetClickedItemText(QStringLiteral("Flow Chart1"));
    ScriptedMessages messages;
    messages.Expect(QStringLiteral("ERROR : Can not be deleted this Flow Chart Window.\n Atlease one Flow Chart window "
                                   "should be opened."),
                    MB_OK | MB_ICONSTOP, IDOK);
    m_main->OnDeleteWindow();
    EXPECT_NE(doc->FindWindowByName(QStringLiteral("Flow Chart1")), nullptr);
}

// The numbers a deleted chart's objects held are free again; those that
// another chart still holds are not.
TEST_F(MainFrameTest, DeleteGivesBackTheNumbersTheChartHeld)
{
    CHOXDoc* doc = NewDocument();
    m_main->CreateFlowChartWindow(QStringLiteral("Jumps"), QString(), 1);
    m_main->CreateFlowChartWindow(QStringLiteral("Calls"), QString(), 2);
    m_main->CreateFlowChartWindow(QStringLiteral("Main"), QString(), 0);
    m_main->CreateFlowChartWindow(QStringLiteral("Keep"), QString(), 0);
    auto numberOf = [doc](const char* window, int type) {
        for (const auto& [id, object] : doc->FindWindowByName(QString::fromLatin1(window))->GetObjectMap()) {
            if (object->GetObjectType() != type) continue;
            if (const auto* label = dynamic_cast<const CHOXFlowLabel*>(object.get())) return label->GetPointerNumber();
            if (const auto* start = dynamic_cast<const CHOXFlowStart*>(object.get())) return start->GetProgramNumber();
        }
        return -1;
    };
    const int pointer = numberOf("Jumps", 304);
    const int subroutine = numberOf("Calls", 303);
    const int program = numberOf("Main", 301);
    ASSERT_TRUE(doc->IsPointerNumberUsed(pointer));
    ASSERT_TRUE(doc->IsPointerNumberUsed(subroutine));
    ASSERT_TRUE(doc->IsProgramNumberUsed(0, program));
    // Nodes carry their number as their id; one of them twice, as only broken
    // data can have it.
    CHOXFlowWnd* jumps = doc->FindWindowByName(QStringLiteral("Jumps"));
    jumps->AddNode(std::make_unique<CHOXNode>(77, CRect(0, 0, 8, 8), 0, jumps));
    jumps->AddNode(std::make_unique<CHOXNode>(78, CRect(0, 0, 8, 8), 0, jumps));
    CHOXFlowWnd* keep = doc->FindWindowByName(QStringLiteral("Keep"));
    keep->AddNode(std::make_unique<CHOXNode>(78, CRect(0, 0, 8, 8), 0, keep));
    doc->MarkPointerNumberUsed(77);
    doc->MarkPointerNumberUsed(78);

    for (const char* window : {"Jumps", "Calls", "Main"}) {
        ScriptedMessages messages;
        messages.Expect(kDeleteQuestion, kDeleteStyle, IDYES);
        m_main->SetClickedItemText(QString::fromLatin1(window));
        m_main->OnDeleteWindow();
        EXPECT_EQ(doc->FindWindowByName(QString::fromLatin1(window)), nullptr) << window;
    }
    EXPECT_FALSE(doc->IsPointerNumberUsed(pointer));
    EXPECT_FALSE(doc->IsPointerNumberUsed(subroutine));
    EXPECT_FALSE(doc->IsPointerNumberUsed(77));
    EXPECT_TRUE(doc->IsPointerNumberUsed(78));
    EXPECT_FALSE(doc->IsProgramNumberUsed(0, program));
    // The program numbers of the charts that stay are still taken.
    EXPECT_TRUE(doc->IsProgramNumberUsed(0, numberOf("Keep", 301)));
    EXPECT_TRUE(doc->IsProgramNumberUsed(0, numberOf("Flow Chart1", 301)));
}

// ---------------------------------------------------------------------------
// Closing the main window

TEST_F(MainFrameTest, ClosingTheMainWindowAsksToSaveAndACancelKeepsIt)
{
    CHOXDoc* doc = NewDocument();
    doc->SetModifiedFlag(true);
    m_main->ShowWindow(SW_SHOW);
    {
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("Save changes to Untitled.hox?"), MB_YESNOCANCEL, IDCANCEL);
        EXPECT_FALSE(m_main->OnClose());
    }
    EXPECT_EQ(m_app->GetDocument(), doc);
    EXPECT_EQ(m_app->m_nClosingWanted, 0);
    {
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("Save changes to Untitled.hox?"), MB_YESNOCANCEL, IDNO);
        EXPECT_TRUE(m_main->OnClose());
    }
    EXPECT_EQ(m_app->GetDocument(), nullptr);
    EXPECT_EQ(m_app->m_nClosingWanted, 1);
}

// ---------------------------------------------------------------------------
// File Open

class MainFrameFileOpenTest : public MainFrameTest {
protected:
    void SetUp() override
    {
        MainFrameTest::SetUp();
        m_before = QDir::currentPath();
        ASSERT_TRUE(m_root.isValid());
        QDir(m_root.path()).mkpath(QStringLiteral("Documents"));
        CMainFrame::SetDocumentsDirForTesting(Documents());
        QDir::setCurrent(m_root.path());
    }
    void TearDown() override
    {
        CMainFrame::SetDocumentsDirForTesting(QString());
        QDir::setCurrent(m_before);
        MainFrameTest::TearDown();
    }
    QString Remembered() const { return CHOXRegistry().ReadSerializeFileDir(); }
    QString Documents() const { return QDir::cleanPath(m_root.path() + QStringLiteral("/Documents")); }

    QTemporaryDir m_root;
    QString m_before;
};

TEST_F(MainFrameFileOpenTest, TheFirstDialogOpensInTheDocumentsFolderAndACancelStoresNothing)
{
    ScriptedFiles files;
    files.Expect(QString(), [this](const FileDialogRequest& r) {
        EXPECT_FALSE(r.save);
        EXPECT_EQ(QDir::cleanPath(r.directory), Documents());
        EXPECT_EQ(QDir::cleanPath(QDir::currentPath()), Documents());
        EXPECT_EQ(r.filters, QStringList({"Hox Files (*.hox)", "All Files (*.*)"}));
        EXPECT_EQ(r.defaultSuffix, QStringLiteral("hox"));
        EXPECT_TRUE(r.initialName.isEmpty());
    });
    EXPECT_EQ(m_main->PromptForFileName(QString()), QString());
    EXPECT_TRUE(Remembered().isEmpty());
    EXPECT_EQ(QDir::currentPath(), m_root.path());
}

TEST_F(MainFrameFileOpenTest, TheDirectoryOfAConfirmedFileIsRememberedAcrossRuns)
{
    QDir(m_root.path()).mkpath(QStringLiteral("jobs"));
    const QString jobs = QDir::cleanPath(m_root.path() + QStringLiteral("/jobs"));
    {
        ScriptedFiles files;
        files.Expect(jobs + QStringLiteral("/press.hox"));
        EXPECT_EQ(m_main->PromptForFileName(QStringLiteral("press.hox")), jobs + QStringLiteral("/press.hox"));
        ASSERT_EQ(files.seen.size(), 1u);
        EXPECT_EQ(files.seen[0].initialName, QStringLiteral("press.hox"));
    }
    EXPECT_EQ(QDir::cleanPath(Remembered()), jobs);
    EXPECT_EQ(QDir::currentPath(), m_root.path());
    {
        ScriptedFiles files;
        files.Expect(QString(), [&](const FileDialogRequest& r) { EXPECT_EQ(QDir::cleanPath(r.directory), jobs); });
        m_main->PromptForFileName(QString());
    }
    // A remembered directory that is gone: the documents folder, and the
    // value stays until the next confirmed dialog.
    ASSERT_TRUE(QDir(jobs).removeRecursively());
    {
        ScriptedFiles files;
        files.Expect(QString(), [&](const FileDialogRequest& r) { EXPECT_EQ(QDir::cleanPath(r.directory), Documents()); });
        m_main->PromptForFileName(QString());
    }
    EXPECT_EQ(QDir::cleanPath(Remembered()), jobs);
    EXPECT_EQ(QDir::currentPath(), m_root.path());
}

TEST_F(MainFrameFileOpenTest, FileOpenOpensTheChosenDocument)
{
    CHOXDoc* doc = NewDocument();
    m_main->CreateFlowChartWindow(QStringLiteral("Press"), QString(), 0);
    const QString path = m_root.path() + QStringLiteral("/press.hox");
    ASSERT_TRUE(doc->OnSaveDocument(path));
    m_app->OnFileClose();
    ASSERT_EQ(m_app->GetDocument(), nullptr);

    {
        // Cancelled: nothing opens.
        ScriptedFiles files;
        files.Expect(QString());
        EXPECT_TRUE(GetCommandRouter()->Execute(57601));
        EXPECT_EQ(m_app->GetDocument(), nullptr);
    }
    ScriptedFiles files;
    files.Expect(path);
    EXPECT_TRUE(GetCommandRouter()->Execute(57601));
    ASSERT_NE(m_app->GetDocument(), nullptr);
    EXPECT_EQ(m_app->GetDocument()->GetPathName(), QFileInfo(path).absoluteFilePath());
    EXPECT_NE(m_app->GetDocument()->FindWindowByName(QStringLiteral("Press")), nullptr);
    EXPECT_EQ(QDir::currentPath(), m_root.path());
}

} // namespace
