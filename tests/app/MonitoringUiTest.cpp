// Monitoring in the running program with its real windows offscreen, on a
// document read from its file: Start and Stop from the menu and the
// controller toolbar's button put the chart frames away and bring them back
// as they were, make and remove the hidden windows of the running programs
// (never a chart of the same name), switch the menus and the palette, end
// through the view's timer after a link failure, and a stop while a reply is
// late returns after it and leaves the document safe to close.
#include "app/ProgramState.h"
#include "online/ControllerFixture.h"
#include "online/comm/CommProtocol.h"
#include "online/monitor/HOXMonView.h"
#include "online/monitor/HOXMonitorSession.h"
#include "platform/ui/QtCommands.h"
#include "platform/ui/QtFrameWindow.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>

using namespace kt::test;

namespace {

const char* const kBlankX = "FlowChart 1(Blank)";
const char* const kBlankY = "FlowChart 2(Blank)";
const char* const kBlankSubtask = "Subtask(Blank)";

class MonitoringUiTest : public MonitoringFixture {
protected:
    static QString S(const char* text) { return QString::fromLatin1(text); }

    // A document of three charts whose frames stand in every state, saved
    // and read back from its file.
    CHOXDoc* OpenArrangedDocument()
    {
        EXPECT_NE(NewDocument(), nullptr);
        for (const char* name : {"Press", "Feed", "Hidden"}) Main()->CreateFlowChartWindow(S(name), QString(), 0);
        const QString path = Path(QStringLiteral("line.hox"));
        EXPECT_TRUE(Doc()->OnSaveDocument(path));
        EXPECT_TRUE(GetCommandRouter()->Execute(ID_DOCUMENT_CLOSE));
        CHOXDoc* doc = m_app->OpenDocumentFile(path);
        EXPECT_NE(doc, nullptr);
        return doc;
    }

    // Every item of the menu bar's menus, by command id.
    QAction* MenuItem(UINT id) const
    {
        std::vector<QMenu*> menus;
        for (QAction* a : Window()->menuBar()->actions())
            if (a->menu() != nullptr) menus.push_back(a->menu());
        while (!menus.empty()) {
            QMenu* menu = menus.back();
            menus.pop_back();
            for (QAction* a : menu->actions()) {
                if (a->menu() != nullptr) menus.push_back(a->menu());
                if (CommandIdOf(a) == id) return a;
            }
        }
        return nullptr;
    }
    // The item's state as its menu shows it when it opens.
    bool MenuItemEnabled(UINT id) const
    {
        QAction* item = MenuItem(id);
        if (item == nullptr) return false;
        for (QObject* menu = item->parent(); menu != nullptr; menu = menu->parent())
            if (auto* opened = qobject_cast<QMenu*>(menu)) Q_EMIT opened->aboutToShow();
        return item->isEnabled();
    }
    QAction* ToolBarButton(UINT bar, UINT id) const
    {
        QToolBar* tools = Window()->ToolBar(bar);
        if (tools == nullptr) return nullptr;
        for (QAction* a : tools->actions())
            if (CommandIdOf(a) == id) return a;
        return nullptr;
    }
    // Triggers the menu item or button as a click does; the command runs
    // once the widget has returned.
    static void Trigger(QAction* action)
    {
        ASSERT_NE(action, nullptr);
        ASSERT_TRUE(action->isEnabled()) << action->text().toStdString();
        action->trigger();
        QCoreApplication::processEvents();
    }

    CHOXMonView* MonitorView() const { return dynamic_cast<CHOXMonView*>(Doc()->GetMonWnd()->GetView()); }
    // A result was taken and the monitor view redrawn.
    void RunOneResult()
    {
        CHOXMonitorSession* run = Doc()->GetMonitorThread();
        ASSERT_NE(run, nullptr);
        const std::size_t before = Sim().Log().Of(QStringLiteral("ReadMonitoringInfo")).size();
        RunUntil([&] { return Sim().Log().Of(QStringLiteral("ReadMonitoringInfo")).size() >= before + 2; });
    }
};

} // namespace

TEST_F(MonitoringUiTest, StartAndStopPutTheFramesAwayAndBringThemBackAsTheyWere)
{
    CHOXDoc* doc = OpenArrangedDocument();
    ASSERT_NE(doc, nullptr);
    ChartFrame(S("Flow Chart1"))->MoveWindow(CRect(30, 40, 430, 340));
    ChartFrame(S("Feed"))->MoveWindow(CRect(50, 60, 450, 260));
    ChartFrame(S("Feed"))->ShowWindow(SW_SHOWMINIMIZED);
    ChartFrame(S("Hidden"))->ShowWindow(SW_HIDE);
    ChartFrame(S("Press"))->MoveWindow(CRect(70, 80, 470, 380));
    ChartFrame(S("Press"))->ShowWindow(SW_SHOWMAXIMIZED);
    MonitorFrame()->MoveWindow(CRect(5, 6, 405, 306));
    doc->SetModifiedFlag(false);
    ASSERT_TRUE(Main()->GetVisiblePaletteGroup() >= 0);

    Trigger(MenuItem(ID_MONITOR_START));
    ASSERT_TRUE(doc->IsMonitoring());
    EXPECT_FALSE(doc->IsEditMode());
    // The charts are put away; the monitor window stays as it was.
    EXPECT_EQ(VisibleTitles(), QStringList{S("Monitoring Window")});
    EXPECT_EQ(MonitorFrame()->GetWindowRect(), CRect(5, 6, 405, 306));
    // The hidden windows of the running programs, out of the name list.
    for (int axis = 0; axis < 3; ++axis) {
        const QString name = doc->GetMonitoredWindowName(axis);
        const char* expected[] = {kBlankX, kBlankY, kBlankSubtask};
        EXPECT_EQ(S(expected[axis]), name);
        ASSERT_NE(ChartFrame(name), nullptr);
        EXPECT_FALSE(ChartFrame(name)->IsWindowVisible());
    }
    EXPECT_EQ(doc->GetWindowNameList(), (QStringList{S("Flow Chart1"), S("Press"), S("Feed"), S("Hidden")}));
    // Menus and bars of monitoring.
    EXPECT_FALSE(Enabled(ID_MONITOR_START));
    EXPECT_TRUE(Enabled(ID_MONITOR_STOP));
    EXPECT_TRUE(GetCommandRouter()->QueryState(ID_MONITOR_TOGGLE).m_nCheck != 0);
    EXPECT_FALSE(Enabled(ID_FILE_SAVE));
    EXPECT_FALSE(MenuItemEnabled(ID_MONITOR_START));
    EXPECT_TRUE(MenuItemEnabled(ID_MONITOR_STOP));
    EXPECT_EQ(-1, Main()->GetVisiblePaletteGroup());
    RunOneResult();

    Trigger(MenuItem(ID_MONITOR_STOP));
    EXPECT_TRUE(doc->IsEditMode());
    EXPECT_FALSE(doc->IsMonitoring());
    EXPECT_EQ(nullptr, doc->GetMonitorThread());
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(Titles(), (QStringList{S("Monitoring Window"), S("Flow Chart1"), S("Press"), S("Feed"), S("Hidden")}))
        << "the hidden windows are gone, the captions are the names";
    for (const char* blank : {kBlankX, kBlankY, kBlankSubtask}) EXPECT_EQ(nullptr, doc->FindWindowByName(S(blank)));
    EXPECT_EQ(QString(), doc->GetMonitoredWindowName(0));
    // Each frame as it was.
    EXPECT_TRUE(MonitorFrame()->IsWindowVisible());
    EXPECT_EQ(MonitorFrame()->GetRestoredRect(), CRect(5, 6, 405, 306));
    EXPECT_TRUE(ChartFrame(S("Flow Chart1"))->IsWindowVisible());
    EXPECT_EQ(ChartFrame(S("Flow Chart1"))->GetRestoredRect(), CRect(30, 40, 430, 340));
    EXPECT_TRUE(ChartFrame(S("Press"))->IsZoomed());
    EXPECT_EQ(ChartFrame(S("Press"))->GetRestoredRect(), CRect(70, 80, 470, 380));
    EXPECT_TRUE(ChartFrame(S("Feed"))->IsIconic());
    EXPECT_EQ(ChartFrame(S("Feed"))->GetRestoredRect(), CRect(50, 60, 450, 260));
    EXPECT_FALSE(ChartFrame(S("Hidden"))->IsWindowVisible());
    EXPECT_TRUE(Enabled(ID_MONITOR_START));
    EXPECT_FALSE(Enabled(ID_MONITOR_STOP));
    EXPECT_TRUE(MenuItemEnabled(ID_MONITOR_START));
    EXPECT_FALSE(MenuItemEnabled(ID_MONITOR_STOP));
    EXPECT_GE(Main()->GetVisiblePaletteGroup(), 0);
}

TEST_F(MonitoringUiTest, TheToolbarButtonTogglesMonitoring)
{
    ASSERT_NE(NewDocument(), nullptr);
    Main()->SetMenuForActiveFrame();
    QAction* toggle = ToolBarButton(IDR_CONTROLLER_BAR, ID_MONITOR_TOGGLE);
    Trigger(toggle);
    EXPECT_TRUE(Doc()->IsMonitoring());
    EXPECT_TRUE(toggle->isChecked());
    RunOneResult();
    Trigger(toggle);
    EXPECT_FALSE(Doc()->IsMonitoring());
    EXPECT_FALSE(toggle->isChecked());
}

TEST_F(MonitoringUiTest, AChartNamedLikeAHiddenWindowSurvivesAndThatAxisHasNone)
{
    ASSERT_NE(NewDocument(), nullptr);
    Main()->CreateFlowChartWindow(S(kBlankY), QString(), 0);
    CHOXFlowWnd* chart = Doc()->FindWindowByName(S(kBlankY));
    ASSERT_NE(chart, nullptr);
    const std::size_t symbols = chart->GetObjectMap().GetCount();
    ASSERT_GT(symbols, 0u);
    // No message: that axis simply has no monitored window.
    Doc()->OnMonitorStart();
    EXPECT_EQ(S(kBlankX), Doc()->GetMonitoredWindowName(0));
    EXPECT_EQ(QString(), Doc()->GetMonitoredWindowName(1));
    EXPECT_EQ(S(kBlankSubtask), Doc()->GetMonitoredWindowName(2));
    EXPECT_EQ(chart, Doc()->FindWindowByName(S(kBlankY)));
    Doc()->OnMonitorStop();
    ASSERT_EQ(chart, Doc()->FindWindowByName(S(kBlankY))) << "the user's chart stays";
    EXPECT_EQ(symbols, chart->GetObjectMap().GetCount());
    ASSERT_NE(ChartFrame(S(kBlankY)), nullptr);
    EXPECT_TRUE(ChartFrame(S(kBlankY))->IsWindowVisible());
    EXPECT_EQ(nullptr, Doc()->FindWindowByName(S(kBlankX)));
    EXPECT_EQ(Titles(), (QStringList{S("Monitoring Window"), S("Flow Chart1"), S(kBlankY)}));
}

TEST_F(MonitoringUiTest, AtTheWindowLimitOnlyTheHiddenWindowsThatFitAreMadeAndRemoved)
{
    CHOXDoc* doc = NewDocument();
    ASSERT_NE(doc, nullptr);
    for (int i = 2; i <= 499; ++i) {
        const QString name = QStringLiteral("W%1").arg(i);
        doc->AddWindow(name, doc->NewFlowWindow(name, QString()));
    }
    {
        ScriptedMessages messages;
        messages.Expect(S("Cannot create more than 500 flow chart windows."), MB_OK, IDOK)
            .Expect(S("Cannot create more than 500 flow chart windows."), MB_OK, IDOK);
        doc->OnMonitorStart();
    }
    EXPECT_EQ(S(kBlankX), doc->GetMonitoredWindowName(0));
    EXPECT_EQ(QString(), doc->GetMonitoredWindowName(1));
    EXPECT_EQ(QString(), doc->GetMonitoredWindowName(2));
    EXPECT_EQ(500u, doc->GetWindowMap().GetCount());
    doc->OnMonitorStop();
    EXPECT_EQ(499u, doc->GetWindowMap().GetCount());
    EXPECT_EQ(nullptr, doc->FindWindowByName(S(kBlankX)));
}

TEST_F(MonitoringUiTest, WhenEveryWindowWasHiddenTheMonitorFrameEndsHiddenButActive)
{
    ASSERT_NE(NewDocument(), nullptr);
    ChartFrame(S("Flow Chart1"))->ShowWindow(SW_HIDE);
    MonitorFrame()->ShowWindow(SW_HIDE);
    Doc()->OnMonitorStart();
    Doc()->OnMonitorStop();
    EXPECT_TRUE(VisibleTitles().isEmpty());
    EXPECT_EQ(Main()->MDIGetActive(), MonitorFrame());
}

TEST_F(MonitoringUiTest, WithoutTheSimulatorOneMessageAndEditModeAfterTheTimer)
{
    ASSERT_NE(NewDocument(), nullptr);
    CCommPortSettings::Write(QStringLiteral("COM1"), CCommPortSettings());
    ScriptedMessages messages;
    messages.Expect(S("ERROR : Failed opening ComPort.\nSetup ComPort in Control Panel."), MB_OK | MB_ICONHAND, IDOK);
    Trigger(MenuItem(ID_MONITOR_START));
    // The widget's own timer ends monitoring after the message.
    RunUntil([&] { return Doc()->IsEditMode(); });
    EXPECT_EQ(1u, messages.seen.size());
    EXPECT_FALSE(Doc()->IsMonitoring());
    EXPECT_EQ(VisibleTitles(), (QStringList{S("Monitoring Window"), S("Flow Chart1")}));
}

TEST_F(MonitoringUiTest, AStopWhileAReplyIsLateReturnsAfterItAndTheDocumentClosesSafely)
{
    CCommPortSettings com1;
    com1.m_device = S("sim");
    com1.m_timeoutMs = 10000;
    CCommPortSettings::Write(QStringLiteral("COM1"), com1);
    ASSERT_NE(NewDocument(), nullptr);
    Doc()->OnMonitorStart();
    RunOneResult();
    CSimFault late = Fault(CSimFault::SlowReply, commproto::ReadMonitoringInfo, 300);
    Faults().Add(late);
    // The controller carried the request out: its reply is on its way.
    const std::size_t before = Sim().Log().Of(QStringLiteral("ReadMonitoringInfo")).size();
    RunUntil([&] { return Sim().Log().Of(QStringLiteral("ReadMonitoringInfo")).size() > before; });
    Doc()->OnMonitorStop();
    EXPECT_EQ(nullptr, Doc()->GetMonitorThread()) << "the worker ended with its reply";
    EXPECT_TRUE(Doc()->IsEditMode());
    const std::size_t asked = Sim().Log().Size();
    ScriptedMessages messages;
    messages.Expect(QStringLiteral("Save changes to Untitled.hox?"), MB_YESNOCANCEL, IDNO);
    EXPECT_TRUE(GetCommandRouter()->Execute(ID_DOCUMENT_CLOSE));
    EXPECT_EQ(nullptr, Doc());
    QCoreApplication::processEvents();
    EXPECT_EQ(asked, Sim().Log().Size());
}
