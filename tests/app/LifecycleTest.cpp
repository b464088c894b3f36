// The one document: File New with its controller type, opening a file with
// its windows where they were, closing with the save question, Close All,
// the Window menu's states, finding frames through their window records,
// jump and call targets, the recent files and the command line.
#include "AppDocsFixture.h"

#include "app/HOXRegistry.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXNode.h"
#include "params/HOXParam.h"
#include "platform/Settings.h"
#include "symbols/flow/HOXFlowPointer.h"
#include "symbols/flow/HOXFlowSubRtn.h"

#include <QFile>

using kt::test::AppDocsFixture;
using kt::test::DialogDriver;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedFiles;
using kt::test::ScriptedMessages;

namespace {

class LifecycleTest : public AppDocsFixture {
protected:
    // A file saved from a new document: its frames moved and zoomed first.
    QString SaveArrangedFile(const QString& name)
    {
        EXPECT_NE(NewDocument(), nullptr);
        Main()->CreateFlowChartWindow(QStringLiteral("Flow Chart2"), QStringLiteral("second"), 0);
        MonitorFrame()->MoveWindow(CRect(5, 6, 405, 306));
        ChartFrame(QStringLiteral("Flow Chart1"))->MoveWindow(CRect(30, 40, 530, 340));
        ChartFrame(QStringLiteral("Flow Chart2"))->MoveWindow(CRect(60, 70, 460, 270));
        Doc()->GetMonWnd()->SetZoomIndex(4);
        Doc()->FindWindowByName(QStringLiteral("Flow Chart1"))->SetZoomIndex(0);
        Doc()->FindWindowByName(QStringLiteral("Flow Chart2"))->SetZoomIndex(5);
        EXPECT_TRUE(Doc()->OnSaveDocument(Path(name)));
        return Path(name);
    }

    // The save question of a document, answered.
    static void ExpectSaveQuestion(ScriptedMessages& messages, const QString& name, int answer)
    {
        messages.Expect(QStringLiteral("Save changes to %1?").arg(name), MB_YESNOCANCEL, answer);
    }
};

} // namespace

TEST_F(LifecycleTest, StartsWithoutADocument)
{
    ASSERT_TRUE(Start());
    EXPECT_EQ(m_app->GetDocument(), nullptr);
    EXPECT_TRUE(Frames().empty());
    EXPECT_TRUE(Window()->IsMaximized());
    EXPECT_EQ(m_app->m_nStarting, 0);
    EXPECT_EQ(m_app->GetFlowChartCount(), 0);
    EXPECT_EQ(m_app->CountVisibleWindows(), 0);
    for (UINT id : {32019u, 57650u, 57651u, 57603u, 57604u}) EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(57600));
}

TEST_F(LifecycleTest, FileNewMakesTheMonitorWindowAndTheFirstFlowChart)
{
    const struct {
        const char* stored; // KzqwType before, null: none
        int preset;         // the dialog's checked button
        int click;          // 0: keep the preset
        int type;
        const char* status;
    } cases[] = {
        {nullptr, 8049, 0, 1, "ZA-20VI ZOZ"},
        {nullptr, 8049, 8044, 0, "ZE-10RE"},
        {"2", 8047, 0, 2, "DO-20VI RER"},
        {"7", 8049, 0, 1, "ZA-20VI ZOZ"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type * 100 + c.click);
        m_app.reset();
        CHOXRegistry registry;
        if (c.stored != nullptr) registry.WriteString("KzqwType", QString::fromLatin1(c.stored));
        ASSERT_TRUE(Start());
        ScriptedDialogs dialogs;
        dialogs.Expect(2060, [&](DialogDriver& d) {
            EXPECT_EQ(d.Check(c.preset), 1);
            if (c.click != 0) d.Click(c.click);
            d.Click(IDOK);
        });
        ASSERT_TRUE(GetCommandRouter()->Execute(57600));
        CHOXDoc* doc = Doc();
        ASSERT_NE(doc, nullptr);
        EXPECT_EQ(doc->GetControllerType(), c.type);
        EXPECT_EQ(registry.ReadKzqwType(), c.type);
        EXPECT_EQ(Titles(), (QStringList{QStringLiteral("Monitoring Window"), QStringLiteral("Flow Chart1")}));
        EXPECT_EQ(VisibleTitles(), Titles());
        EXPECT_EQ(ActiveTitle(), QStringLiteral("Flow Chart1"));
        EXPECT_EQ(doc->GetWindowNameList(), QStringList{QStringLiteral("Flow Chart1")});
        EXPECT_EQ(MainTitle(), QStringLiteral("RQT4P-VEDID-E - Untitled.hox"));
        EXPECT_EQ(Window()->StatusText(1), QString::fromLatin1(c.status));
        EXPECT_FALSE(doc->IsModified());
        EXPECT_TRUE(doc->GetPathName().isEmpty());
        // Views and records know each other; the monitor view comes first.
        ASSERT_EQ(doc->GetViews().size(), 2u);
        auto* monView = dynamic_cast<CHOXView*>(doc->GetViews()[0]);
        ASSERT_NE(monView, nullptr);
        EXPECT_EQ(monView->GetViewType(), 202);
        EXPECT_EQ(monView->GetWnd(), doc->GetMonWnd());
        EXPECT_EQ(doc->GetMonWnd()->GetView(), monView);
        CHOXFlowWnd* chart = doc->FindWindowByName(QStringLiteral("Flow Chart1"));
        ASSERT_NE(chart, nullptr);
        ASSERT_NE(chart->GetView(), nullptr);
        EXPECT_EQ(chart->GetView()->GetWnd(), chart);
        EXPECT_EQ(chart->GetView()->GetViewType(), 201);
        // The first chart cascades from the top left; its START and END.
        EXPECT_EQ(ChartFrame(QStringLiteral("Flow Chart1"))->GetWindowRect(), CRect(20, 20, 570, 370));
        EXPECT_EQ(chart->GetObjectMap().GetCount(), 2u);
        EXPECT_EQ(Window()->MenuId(), 1002u);
        registry.WriteString("KzqwType", QString());
    }
}

TEST_F(LifecycleTest, CancellingTheTypeLeavesNoDocument)
{
    ASSERT_TRUE(Start());
    ASSERT_NE(NewDocument(), nullptr);
    ScriptedDialogs dialogs;
    dialogs.Expect(2060, [](DialogDriver& d) { d.Click(IDCANCEL); });
    GetCommandRouter()->Execute(57600);
    EXPECT_EQ(Doc(), nullptr);
    EXPECT_TRUE(Frames().empty());
    EXPECT_EQ(Window()->MenuId(), 2u);
    EXPECT_EQ(Window()->StatusText(1), QString());
}

TEST_F(LifecycleTest, FileNewOnAModifiedDocumentAsksToSaveFirst)
{
    ASSERT_TRUE(Start());
    CHOXDoc* first = NewDocument();
    first->SetModifiedFlag();
    {
        // Cancel: the document stays and nothing is made.
        ScriptedMessages messages;
        ExpectSaveQuestion(messages, QStringLiteral("Untitled.hox"), IDCANCEL);
        GetCommandRouter()->Execute(57600);
        EXPECT_EQ(Doc(), first);
        EXPECT_EQ(Frames().size(), 2u);
        EXPECT_EQ(m_app->m_nClosingWanted, 0);
    }
    {
        // No: the changes go and the new document comes.
        ScriptedMessages messages;
        ExpectSaveQuestion(messages, QStringLiteral("Untitled.hox"), IDNO);
        CHOXDoc* second = NewDocument(8047);
        ASSERT_NE(second, nullptr);
        EXPECT_EQ(second->GetControllerType(), 2);
        EXPECT_EQ(Frames().size(), 2u);
        EXPECT_EQ(m_app->m_nClosingWanted, 0);
    }
    {
        // Yes: saved where the user says, then replaced.
        Doc()->SetModifiedFlag();
        ScriptedMessages messages;
        ExpectSaveQuestion(messages, QStringLiteral("Untitled.hox"), IDYES);
        ScriptedFiles files;
        files.Expect(Path(QStringLiteral("kept.hox")));
        ASSERT_NE(NewDocument(), nullptr);
        EXPECT_TRUE(QFile::exists(Path(QStringLiteral("kept.hox"))));
        EXPECT_TRUE(Doc()->GetPathName().isEmpty());
    }
}

TEST_F(LifecycleTest, FileNewWhileMonitoringStopsMonitoringFirst)
{
    ASSERT_TRUE(Start());
    CHOXDoc* doc = NewDocument();
    doc->SetEditMode(false);
    doc->SetMonitoring(true);
    doc->StopMonitoringIfActive();
    EXPECT_TRUE(doc->IsEditMode());
    EXPECT_FALSE(doc->IsMonitoring());

    doc->SetEditMode(false);
    doc->SetMonitoring(true);
    CHOXDoc* next = NewDocument();
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(next->IsEditMode());
    EXPECT_EQ(Frames().size(), 2u);
}

TEST_F(LifecycleTest, OpeningAFileBringsItsWindowsBackWhereTheyWere)
{
    ASSERT_TRUE(Start());
    const QString path = SaveArrangedFile(QStringLiteral("press.hox"));
    GetCommandRouter()->Execute(32043);
    ASSERT_EQ(Doc(), nullptr);

    CHOXDoc* doc = m_app->OpenDocumentFile(path);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc, Doc());
    EXPECT_EQ(doc->GetPathName(), path);
    EXPECT_EQ(MainTitle(), QStringLiteral("RQT4P-VEDID-E - press.hox"));
    EXPECT_EQ(Titles(), (QStringList{QStringLiteral("Monitoring Window"), QStringLiteral("Flow Chart1"),
                                     QStringLiteral("Flow Chart2")}));
    EXPECT_EQ(VisibleTitles(), Titles());
    EXPECT_EQ(ActiveTitle(), QStringLiteral("Monitoring Window"));
    EXPECT_EQ(Window()->MenuId(), 1003u);
    EXPECT_EQ(Window()->StatusText(1), QStringLiteral("ZA-20VI ZOZ"));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(doc->IsSaveAsNew());

    const struct {
        const char* title;
        CRect rect;
        int percent;
    } cases[] = {
        {"Monitoring Window", CRect(5, 6, 405, 306), 50},
        {"Flow Chart1", CRect(30, 40, 530, 340), 200},
        {"Flow Chart2", CRect(60, 70, 460, 270), 25},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        const QString title = QString::fromLatin1(c.title);
        CHOXWnd* wnd = title == QStringLiteral("Monitoring Window")
                           ? static_cast<CHOXWnd*>(doc->GetMonWnd())
                           : static_cast<CHOXWnd*>(doc->FindWindowByName(title));
        ASSERT_NE(wnd, nullptr);
        CMDIChildWnd* frame = FrameOf(wnd);
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->GetWindowText(), title);
        EXPECT_EQ(frame->GetWindowRect(), c.rect);
        EXPECT_EQ(wnd->GetView()->GetWnd(), wnd);
        EXPECT_EQ(wnd->GetView()->ZoomNumX(), c.percent);
    }
}

TEST_F(LifecycleTest, OpeningAFileScrollsTheViewsBackWhereTheyWere)
{
    ASSERT_TRUE(Start());
    NewDocument();
    CHOXWnd* records[] = {Doc()->GetMonWnd(), Doc()->FindWindowByName(QStringLiteral("Flow Chart1"))};
    const CPoint scrolled[] = {CPoint(120, 90), CPoint(0, 75)};
    for (int i = 0; i < 2; ++i) {
        records[i]->GetBaseRect()->MoveTo(CRect(0, 0, 3000, 2000), nullptr);
        records[i]->GetView()->SetScrollSizes(CSize(3000, 2000));
        records[i]->GetView()->ScrollToPosition(scrolled[i]);
        ASSERT_EQ(records[i]->GetView()->GetScrollPosition(), scrolled[i]);
    }
    const QString path = Path(QStringLiteral("scrolled.hox"));
    ASSERT_TRUE(Doc()->OnSaveDocument(path));
    GetCommandRouter()->Execute(32043);

    ASSERT_NE(m_app->OpenDocumentFile(path), nullptr);
    const CHOXWnd* reopened[] = {Doc()->GetMonWnd(), Doc()->FindWindowByName(QStringLiteral("Flow Chart1"))};
    for (int i = 0; i < 2; ++i) {
        const CHOXView* view = reopened[i]->GetView();
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->ZoomNumX(), 100);
        EXPECT_EQ(view->GetScrollPosition(), scrolled[i]) << i;
    }
}

TEST_F(LifecycleTest, AFileWithoutDocumentDataBecomesAFreshDocumentThatWritesItAnew)
{
    ASSERT_TRUE(Start());
    // A document never shown in a window keeps an all-zero frame rectangle.
    const QString path = Path(QStringLiteral("blank.hox"));
    {
        CHOXDoc blank;
        blank.SetControllerType(0);
        ASSERT_TRUE(blank.OnSaveDocument(path));
    }
    CHOXRegistry().WriteString("KzqwType", QStringLiteral("2"));

    CHOXDoc* doc = m_app->OpenDocumentFile(path); // no type dialog
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetControllerType(), 2);
    EXPECT_EQ(doc->GetPathName(), path);
    EXPECT_TRUE(doc->IsSaveAsNew());
    EXPECT_EQ(m_app->m_nAskType, 1);
    EXPECT_EQ(Titles(), (QStringList{QStringLiteral("Monitoring Window"), QStringLiteral("Flow Chart1")}));
    EXPECT_EQ(MainTitle(), QStringLiteral("RQT4P-VEDID-E - blank.hox"));
    EXPECT_EQ(m_app->GetRecentFiles().value(0), path);

    // The first Save writes a complete document there, without asking.
    GetCommandRouter()->Execute(57603);
    EXPECT_FALSE(doc->IsSaveAsNew());
    EXPECT_EQ(m_app->m_nLastSaveSucceeded, 1);
    GetCommandRouter()->Execute(32043);
    CHOXDoc* reopened = m_app->OpenDocumentFile(path);
    ASSERT_NE(reopened, nullptr);
    EXPECT_FALSE(reopened->IsSaveAsNew());
    EXPECT_FALSE(reopened->GetMonWnd()->GetWndRect().IsRectNull());
    EXPECT_EQ(reopened->GetControllerType(), 2);
    EXPECT_EQ(reopened->GetWindowNameList(), QStringList{QStringLiteral("Flow Chart1")});
}

TEST_F(LifecycleTest, AFileThatCannotBeReadLeavesNoDocument)
{
    ASSERT_TRUE(Start());
    NewDocument();
    QFile notes(Path(QStringLiteral("notes.hox")));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("plain text, not a document");
    notes.close();
    {
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("Unexpected file format."), MB_OK | MB_ICONEXCLAMATION, IDOK);
        EXPECT_EQ(m_app->OpenDocumentFile(Path(QStringLiteral("notes.hox"))), nullptr);
    }
    EXPECT_EQ(Doc(), nullptr);
    EXPECT_TRUE(Frames().empty());
    EXPECT_TRUE(m_app->GetRecentFiles().isEmpty());
    EXPECT_EQ(Window()->MenuId(), 2u);
}

TEST_F(LifecycleTest, CancellingTheSaveQuestionOfFileOpenKeepsTheDocument)
{
    ASSERT_TRUE(Start());
    const QString path = SaveArrangedFile(QStringLiteral("press.hox"));
    CHOXDoc* doc = Doc();
    doc->SetModifiedFlag();
    ScriptedMessages messages;
    ExpectSaveQuestion(messages, path, IDCANCEL);
    EXPECT_EQ(m_app->OpenDocumentFile(path), doc);
    EXPECT_EQ(Doc(), doc);
    EXPECT_EQ(Frames().size(), 3u);
}

TEST_F(LifecycleTest, FileCloseAsksAndTakesTheDocumentWithItsFrames)
{
    ASSERT_TRUE(Start());
    GetCommandRouter()->Execute(32043); // nothing to close
    NewDocument();
    Doc()->SetModifiedFlag();
    {
        ScriptedMessages messages;
        ExpectSaveQuestion(messages, QStringLiteral("Untitled.hox"), IDCANCEL);
        EXPECT_TRUE(GetCommandRouter()->Execute(32043));
        EXPECT_NE(Doc(), nullptr);
    }
    ScriptedMessages messages;
    ExpectSaveQuestion(messages, QStringLiteral("Untitled.hox"), IDNO);
    EXPECT_TRUE(GetCommandRouter()->Execute(32043));
    EXPECT_EQ(Doc(), nullptr);
    EXPECT_TRUE(Frames().empty());
    EXPECT_EQ(m_app->m_nClosingWanted, 0);
    EXPECT_EQ(Window()->StatusText(1), QString());
    EXPECT_EQ(Window()->StatusText(2), QString());
    EXPECT_EQ(Window()->MenuId(), 2u);
    EXPECT_EQ(MainTitle(), QStringLiteral("RQT4P-VEDID-E"));
    EXPECT_TRUE(Window()->IsToolBarVisible(2));
    EXPECT_FALSE(Window()->IsToolBarVisible(1005));
}

TEST_F(LifecycleTest, ClosingTheFrameOfAnUnwantedCloseKeepsTheDocument)
{
    ASSERT_TRUE(Start());
    CHOXDoc* doc = NewDocument();
    m_app->m_nClosingWanted = 0;
    doc->OnCloseDocument();
    EXPECT_EQ(Doc(), doc);
    EXPECT_EQ(Frames().size(), 2u);
}

TEST_F(LifecycleTest, CloseAllHidesEveryFrameAndTheTreeBringsThemBack)
{
    ASSERT_TRUE(Start());
    NewDocument();
    Main()->CreateFlowChartWindow(QStringLiteral("Flow Chart2"), QString(), 0);
    EXPECT_TRUE(Enabled(32019));
    EXPECT_TRUE(GetCommandRouter()->Execute(32019));
    EXPECT_TRUE(VisibleTitles().isEmpty());
    EXPECT_EQ(Frames().size(), 3u);
    EXPECT_EQ(Doc()->GetWindowMap().GetCount(), 2u);
    EXPECT_FALSE(Enabled(32019));

    m_app->ShowWindowByTitle(QStringLiteral("Flow Chart2"));
    EXPECT_EQ(VisibleTitles(), QStringList{QStringLiteral("Flow Chart2")});
    EXPECT_EQ(ActiveTitle(), QStringLiteral("Flow Chart2"));
    m_app->ActivateMonitorFrame();
    EXPECT_EQ(VisibleTitles(), (QStringList{QStringLiteral("Monitoring Window"), QStringLiteral("Flow Chart2")}));
    EXPECT_EQ(ActiveTitle(), QStringLiteral("Monitoring Window"));
    EXPECT_TRUE(Enabled(32019));

    // A minimized frame is restored.
    ChartFrame(QStringLiteral("Flow Chart2"))->ShowWindow(SW_SHOWMINIMIZED);
    m_app->ShowWindowByTitle(QStringLiteral("Flow Chart2"));
    EXPECT_FALSE(ChartFrame(QStringLiteral("Flow Chart2"))->IsIconic());
    EXPECT_EQ(MainTitle(), QStringLiteral("RQT4P-VEDID-E - Untitled.hox"));
}

TEST_F(LifecycleTest, CascadeAndTileNeedTwoVisibleWindows)
{
    ASSERT_TRUE(Start());
    EXPECT_FALSE(Enabled(57650));
    NewDocument();
    Main()->CreateFlowChartWindow(QStringLiteral("Flow Chart2"), QString(), 0);
    const struct {
        bool monitor, one, two;
        int count;
    } cases[] = {
        {false, false, false, 0}, {true, false, false, 1}, {false, false, true, 1},
        {true, true, false, 2},   {false, true, true, 2},  {true, true, true, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count * 1000 + c.monitor * 100 + c.one * 10 + c.two);
        MonitorFrame()->ShowWindow(c.monitor ? SW_SHOW : SW_HIDE);
        ChartFrame(QStringLiteral("Flow Chart1"))->ShowWindow(c.one ? SW_SHOW : SW_HIDE);
        ChartFrame(QStringLiteral("Flow Chart2"))->ShowWindow(c.two ? SW_SHOW : SW_HIDE);
        EXPECT_EQ(m_app->CountVisibleWindows(), c.count);
        EXPECT_EQ(Enabled(57650), c.count == 2);
        EXPECT_EQ(Enabled(57651), c.count == 2);
    }
    EXPECT_TRUE(GetCommandRouter()->Execute(57651));
    EXPECT_TRUE(GetCommandRouter()->Execute(57650));
}

TEST_F(LifecycleTest, FramesAreFoundThroughTheirRecordsWhateverTheirNames)
{
    ASSERT_TRUE(Start());
    NewDocument();
    // Charts may bear the monitor window's name or a placeholder's.
    const QString monitorName = QStringLiteral("Monitoring Window");
    const QString blankName = QStringLiteral("FlowChart 1(Blank)");
    Main()->CreateFlowChartWindow(monitorName, QString(), 0);
    Main()->CreateFlowChartWindow(blankName, QString(), 0);
    CMDIChildWnd* monitor = MonitorFrame();
    CMDIChildWnd* namesake = ChartFrame(monitorName);
    ASSERT_NE(namesake, nullptr);
    ASSERT_NE(namesake, monitor);

    m_app->OnCloseAll();
    m_app->ShowWindowByTitle(monitorName);
    EXPECT_TRUE(namesake->IsWindowVisible());
    EXPECT_FALSE(monitor->IsWindowVisible());

    // Delete takes the chart's frame, never the monitor window's.
    m_app->DestroyWindowByTitle(monitorName);
    EXPECT_EQ(Frames().size(), 3u);
    EXPECT_EQ(MonitorFrame(), monitor);
    EXPECT_EQ(Doc()->GetMonWnd()->GetView(), monitor->GetActiveView());
    EXPECT_EQ(Doc()->FindWindowByName(monitorName)->GetView(), nullptr);

    // A record that went first: only the frame that shows no record goes.
    CHOXFlowWnd* blank = Doc()->FindWindowByName(blankName);
    CMDIChildWnd* blankFrame = FrameOf(blank);
    std::unique_ptr<CHOXFlowWnd> gone = Doc()->RemoveWindow(blankName);
    m_app->DestroyWindowByTitle(blankName);
    gone.reset();
    EXPECT_EQ(Frames().size(), 2u);
    for (CMDIChildWnd* frame : Frames()) EXPECT_NE(frame, blankFrame);

    // Names are matched exactly, as frame titles are.
    m_app->DestroyWindowByTitle(QStringLiteral("flow chart1"));
    EXPECT_EQ(Frames().size(), 2u);
    m_app->DestroyWindowByTitle(QStringLiteral("Flow Chart1"));
    ASSERT_EQ(Frames().size(), 1u);
    EXPECT_EQ(Frames()[0], monitor);
    EXPECT_EQ(Main()->MDIGetActive(), monitor);
}

TEST_F(LifecycleTest, AFreeJumpTargetGetsANewChartUnderAFreeName)
{
    ASSERT_TRUE(Start());
    NewDocument();
    // Two charts, the second named as the next number would name it.
    Main()->CreateFlowChartWindow(QStringLiteral("Flow Chart3"), QString(), 1);
    CHOXFlowWnd* third = Doc()->FindWindowByName(QStringLiteral("Flow Chart3"));
    const std::size_t thirdCount = third->GetObjectMap().GetCount();
    ASSERT_TRUE(Doc()->IsPointerNumberUsed(0)); // its POINTER

    Doc()->OpenJumpTarget(5);
    EXPECT_EQ(Doc()->FindWindowByName(QStringLiteral("Flow Chart3")), third);
    EXPECT_EQ(third->GetObjectMap().GetCount(), thirdCount);
    EXPECT_EQ(Doc()->GetWindowNameList(), (QStringList{QStringLiteral("Flow Chart1"), QStringLiteral("Flow Chart3"),
                                                       QStringLiteral("Flow Chart4")}));
    CHOXFlowWnd* fourth = Doc()->FindWindowByName(QStringLiteral("Flow Chart4"));
    ASSERT_NE(fourth, nullptr);
    int pointers = 0;
    for (auto& [id, object] : fourth->GetObjectMap())
        if (auto* pointer = dynamic_cast<CHOXFlowPointer*>(object.get())) {
            EXPECT_EQ(pointer->GetPointerNumber(), 5);
            ++pointers;
        }
    EXPECT_EQ(pointers, 1);
    EXPECT_TRUE(Doc()->IsPointerNumberUsed(5));
    EXPECT_TRUE(Doc()->IsPointerNumberUsed(0));
    EXPECT_FALSE(Doc()->IsPointerNumberUsed(1)); // taken by the new POINTER, given back
    EXPECT_EQ(ActiveTitle(), QStringLiteral("Flow Chart4"));

    // A call target makes a SUBROUTINE chart the same way.
    Doc()->OpenCallTarget(9);
    CHOXFlowWnd* fifth = Doc()->FindWindowByName(QStringLiteral("Flow Chart5"));
    ASSERT_NE(fifth, nullptr);
    int subroutines = 0;
    for (auto& [id, object] : fifth->GetObjectMap())
        if (auto* subroutine = dynamic_cast<CHOXFlowSubRtn*>(object.get())) {
            EXPECT_EQ(subroutine->GetPointerNumber(), 9);
            ++subroutines;
        }
    EXPECT_EQ(subroutines, 1);
    EXPECT_TRUE(Doc()->IsSubroutineDefined(9));
}

TEST_F(LifecycleTest, AHeldTargetIsShownAndSelectedOrRefused)
{
    ASSERT_TRUE(Start());
    NewDocument(8044); // one axis: pointer numbers 0 to 127
    Main()->CreateFlowChartWindow(QStringLiteral("Jumps"), QString(), 1);  // POINTER P0
    Main()->CreateFlowChartWindow(QStringLiteral("Calls"), QString(), 2);  // SUBROUTINE P1
    CHOXFlowWnd* jumps = Doc()->FindWindowByName(QStringLiteral("Jumps"));
    CHOXFlowWnd* calls = Doc()->FindWindowByName(QStringLiteral("Calls"));
    CHOXDrawObj* pointer = nullptr;
    for (auto& [id, object] : jumps->GetObjectMap())
        if (dynamic_cast<CHOXFlowPointer*>(object.get()) != nullptr) pointer = object.get();
    CHOXDrawObj* subroutine = nullptr;
    for (auto& [id, object] : calls->GetObjectMap())
        if (dynamic_cast<CHOXFlowSubRtn*>(object.get()) != nullptr) subroutine = object.get();
    ASSERT_NE(pointer, nullptr);
    ASSERT_NE(subroutine, nullptr);
    const std::size_t windows = Doc()->GetWindowMap().GetCount();

    {
        // Out of range for the type.
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("ERROR :  Invalid Pointer number."), MB_OK | MB_ICONHAND, IDOK);
        messages.Expect(QStringLiteral("ERROR :  Invalid Pointer number."), MB_OK | MB_ICONHAND, IDOK);
        Doc()->OpenJumpTarget(-1);
        Doc()->OpenCallTarget(128);
    }
    // The POINTER's hidden chart comes back, active, with it selected.
    FrameOf(jumps)->ShowWindow(SW_HIDE);
    calls->GetView()->Select(subroutine);
    Doc()->OpenJumpTarget(0);
    EXPECT_TRUE(FrameOf(jumps)->IsWindowVisible());
    EXPECT_EQ(ActiveTitle(), QStringLiteral("Jumps"));
    EXPECT_EQ(jumps->GetView()->GetSelection(), std::vector<CHOXDrawObj*>{pointer});
    EXPECT_EQ(calls->GetView()->GetSelectionCount(), 0u);

    Doc()->OpenCallTarget(1);
    EXPECT_EQ(ActiveTitle(), QStringLiteral("Calls"));
    EXPECT_EQ(calls->GetView()->GetSelection(), std::vector<CHOXDrawObj*>{subroutine});
    EXPECT_EQ(jumps->GetView()->GetSelectionCount(), 0u);
    {
        // The other kind's number is refused.
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("ERROR : Pointer number used for SUBROUTINE Symbol, should not be used for "
                                       "JUMP instruction."),
                        MB_OK | MB_ICONHAND, IDOK);
        messages.Expect(QStringLiteral("ERROR : Pointer number used for POINTER Symbol, should not be used for CALL "
                                       "instruction."),
                        MB_OK | MB_ICONHAND, IDOK);
        Doc()->OpenJumpTarget(1);
        Doc()->OpenCallTarget(0);
    }
    // A number only a node holds: selections emptied, nothing else.
    CHOXFlowWnd* first = Doc()->FindWindowByName(QStringLiteral("Flow Chart1"));
    first->AddNode(std::make_unique<CHOXNode>(40, CRect(40, 40, 50, 50), 0, first));
    Doc()->MarkPointerNumberUsed(40);
    jumps->GetView()->Select(pointer);
    Doc()->OpenJumpTarget(40);
    EXPECT_EQ(jumps->GetView()->GetSelectionCount(), 0u);
    EXPECT_EQ(Doc()->GetWindowMap().GetCount(), windows);
}

TEST_F(LifecycleTest, RecentFilesAreKeptNewestFirstAndOpenedByCommand)
{
    ASSERT_TRUE(Start());
    QStringList paths;
    for (int i = 1; i <= 9; ++i) paths << Path(QStringLiteral("file%1.hox").arg(i));
    for (const QString& path : paths) m_app->AddToRecentFileList(path);
    QStringList expected;
    for (int i = 9; i >= 2; --i) expected << paths[i - 1];
    EXPECT_EQ(m_app->GetRecentFiles(), expected);
    m_app->AddToRecentFileList(paths[4]);
    expected.removeAll(paths[4]);
    expected.prepend(paths[4]);
    EXPECT_EQ(m_app->GetRecentFiles(), expected);
    {
        // In the settings file under the framework's list.
        auto settings = OpenSettings();
        EXPECT_EQ(settings->value(QStringLiteral("Recent File List/File1")).toString(), paths[4]);
        EXPECT_EQ(settings->value(QStringLiteral("Recent File List/File8")).toString(), expected[7]);
        EXPECT_FALSE(settings->contains(QStringLiteral("Recent File List/File9")));
    }
    for (UINT id = 57616; id <= 57623; ++id) EXPECT_TRUE(Enabled(id)) << id;

    // A listed file that cannot be opened leaves the list.
    {
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("%1\nCannot find this file.\nPlease verify that the correct path and file name "
                                       "are given.")
                            .arg(expected[1]),
                        MB_OK | MB_ICONEXCLAMATION, IDOK);
        EXPECT_TRUE(GetCommandRouter()->Execute(57617));
    }
    expected.removeAt(1);
    EXPECT_EQ(m_app->GetRecentFiles(), expected);
    EXPECT_FALSE(Enabled(57623));

    // A real one opens and moves to the top; the next start still has it.
    const QString press = SaveArrangedFile(QStringLiteral("press.hox"));
    m_app->AddToRecentFileList(press);
    m_app->AddToRecentFileList(paths[0]);
    GetCommandRouter()->Execute(32043);
    EXPECT_TRUE(GetCommandRouter()->Execute(57617));
    ASSERT_NE(Doc(), nullptr);
    EXPECT_EQ(Doc()->GetPathName(), press);
    EXPECT_EQ(m_app->GetRecentFiles().value(0), press);
    ASSERT_TRUE(Start());
    EXPECT_EQ(m_app->GetRecentFiles().value(0), press);
}

TEST_F(LifecycleTest, TheCommandLineOpensItsFile)
{
    ASSERT_TRUE(Start());
    const QString path = SaveArrangedFile(QStringLiteral("press.hox"));
    // "/p" and "/pt" print the file and end the program (PrintCommandLineTest).
    const QStringList lines[] = {
        {path},
    };
    for (const QStringList& line : lines) {
        SCOPED_TRACE(line.join(u' ').toStdString());
        m_app.reset();
        ASSERT_TRUE(Start(line));
        ASSERT_NE(Doc(), nullptr);
        EXPECT_EQ(Doc()->GetPathName(), path);
        EXPECT_EQ(Titles().size(), 3);
        EXPECT_EQ(MainTitle(), QStringLiteral("RQT4P-VEDID-E - press.hox"));
        EXPECT_TRUE(Window()->IsMaximized());
        EXPECT_EQ(m_app->m_nStarting, 0);
        EXPECT_EQ(m_app->m_nClosingWanted, 0);
    }
    // A relative path is the current folder's.
    m_app.reset();
    QDir::setCurrent(m_dir.path());
    ASSERT_TRUE(Start({QStringLiteral("press.hox")}));
    EXPECT_EQ(Doc()->GetPathName(), path);

    // A file that cannot be opened ends the start.
    m_app.reset();
    ScriptedMessages messages;
    messages.Expect(QStringLiteral("%1\nCannot find this file.\nPlease verify that the correct path and file name "
                                   "are given.")
                        .arg(Path(QStringLiteral("missing.hox"))),
                    MB_OK | MB_ICONEXCLAMATION, IDOK);
    EXPECT_FALSE(Start({Path(QStringLiteral("missing.hox"))}));
}

TEST_F(LifecycleTest, CommunicationErrorsHaveTheirMessages)
{
    ASSERT_TRUE(Start());
    const struct {
        int code;
        const char* text;
    } cases[] = {
        {256, "ERROR : Failed opening ComPort.\nSetup ComPort in Control Panel."},
        {261, "ERROR :  Number of threads opened is exceeded the limit."},
        {515, "ERROR :  Closed the opened process, which is different from the current process. "},
        {768, "ERROR :  No Response from the Target Device.\nCheck the connections with the DA-ZU."},
        {772, "ERROR :  Framing error."},
        {773, "Default Error - Error No : 773"},
        {780, "ERROR :  Receiving operation is failed (Sum error)."},
        {0, "Default Error - Error No : 0"},
        {-5, "Default Error - Error No : -5"},
    };
    for (const auto& c : cases) {
        ScriptedMessages messages;
        messages.Expect(QString::fromLatin1(c.text), MB_OK | MB_ICONHAND, IDOK);
        m_app->ShowCommError(c.code);
    }
}
