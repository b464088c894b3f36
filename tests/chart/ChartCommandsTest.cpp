// The chart views' commands: Delete with Undo and Redo (symbols, wires,
// nodes and numbers come back), the refused node deletion, Align Objects in
// each direction, help contexts, the tips of the bar controls and Change Base
// Color.
#include "chart/FlowViewFixture.h"
#include "chart/HOXLine.h"
#include "chart/HOXRect.h"
#include "online/monitor/HOXMonView.h"
#include "online/monitor/HOXMonWnd.h"
#include "res/CommandIds.h"
#include "symbols/flow/HOXFlowPointer.h"
#include "symbols/flow/HOXFlowStart.h"

using namespace kt::test;

namespace {

class ChartCommandsTest : public FlowViewFixture {
protected:
    CCmdUI State(UINT id)
    {
        CCmdUI ui(id);
        view.OnCmdMsg(id, CmdMode::Update, &ui);
        return ui;
    }
    bool Run(UINT id) { return view.OnCmdMsg(id, CmdMode::Execute, nullptr); }
};

// ---------------------------------------------------------------------------
// Delete, Undo, Redo

TEST_F(ChartCommandsTest, DeleteAndUndoBringBackSymbolsWiresNodesAndNumbers)
{
    doc.SetControllerType(1);
    auto* start = Place<CHOXFlowStart>(1, CPoint(100, 40));
    auto* pointer = Place<CHOXFlowPointer>(2, CPoint(300, 40));
    CHOXSymbol* middle = Place(3, CPoint(100, 140));
    CHOXSymbol* last = Place(4, CPoint(100, 240));
    Wire(1, 1, 0, 3);
    Wire(2, 3, 1, 4);
    CHOXNode* node = NodeOn(chart::FindWire(wnd, 2));
    ASSERT_NE(node, nullptr);
    const DWORD nodeNumber = node->GetId();
    const int program = start->GetProgramNumber();
    const int pointerNumber = pointer->GetPointerNumber();
    ASSERT_TRUE(doc.IsProgramNumberUsed(0, program));
    ASSERT_TRUE(doc.IsPointerNumberUsed(pointerNumber));

    view.Select(start);
    view.Select(middle, true);
    view.Select(pointer, true);
    EXPECT_TRUE(State(ID_EDIT_DELETE).m_bEnabled);
    doc.SetModifiedFlag(false);
    doc.SetPasteOffset(CSize(40, 40));
    EXPECT_TRUE(Run(ID_EDIT_DELETE));

    // The three symbols, both wires of the middle one and the node on one
    // of them are gone; the numbers are free.
    EXPECT_EQ(Symbols(), 1u);
    EXPECT_EQ(Wires(), 0u);
    EXPECT_EQ(Nodes(), 0u);
    EXPECT_TRUE(last->GetPin(0)->IsFree());
    EXPECT_FALSE(doc.IsProgramNumberUsed(0, program));
    EXPECT_FALSE(doc.IsPointerNumberUsed(pointerNumber));
    EXPECT_FALSE(doc.IsPointerNumberUsed(static_cast<int>(nodeNumber)));
    EXPECT_EQ(view.GetSelectionCount(), 0u);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetPasteOffset(), CSize(10, 10));
    EXPECT_TRUE(State(ID_EDIT_UNDO).m_bEnabled);
    EXPECT_FALSE(State(ID_EDIT_REDO).m_bEnabled);

    Program().clipboard.cut = 1;
    EXPECT_TRUE(Run(ID_EDIT_UNDO));
    EXPECT_EQ(Program().clipboard.cut, 0);
    EXPECT_EQ(Symbols(), 4u);
    EXPECT_EQ(Wires(), 2u);
    EXPECT_EQ(Nodes(), 1u);
    EXPECT_EQ(middle->GetPin(0)->GetLinkId(), 1u);
    EXPECT_EQ(last->GetPin(0)->GetLinkId(), 2u);
    EXPECT_EQ(chart::FindWire(wnd, 2)->GetNodeId(), nodeNumber);
    EXPECT_TRUE(doc.IsProgramNumberUsed(0, program));
    EXPECT_TRUE(doc.IsPointerNumberUsed(pointerNumber));
    EXPECT_TRUE(doc.IsPointerNumberUsed(static_cast<int>(nodeNumber)));
    EXPECT_TRUE(State(ID_EDIT_REDO).m_bEnabled);

    EXPECT_TRUE(Run(ID_EDIT_REDO));
    EXPECT_EQ(Symbols(), 1u);
    EXPECT_EQ(Wires(), 0u);
    EXPECT_EQ(Nodes(), 0u);
    EXPECT_FALSE(doc.IsProgramNumberUsed(0, program));
}

TEST_F(ChartCommandsTest, ASelectedWireThatWentWithItsSymbolIsRecordedOnce)
{
    CHOXSymbol* a = Place(1, CPoint(100, 40));
    Place(2, CPoint(100, 200));
    CHOXConnect* ab = Wire(1, 1, 1, 2);
    // The symbol first: its wire goes with its pins.
    view.Select(a);
    view.Select(ab, true);
    Run(ID_EDIT_DELETE);
    EXPECT_EQ(wnd->GetUndo()->GetKept().size(), 2u);
    EXPECT_EQ(Symbols(), 1u);
    EXPECT_EQ(Wires(), 0u);
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Symbols(), 2u);
    ASSERT_EQ(Wires(), 1u);
    EXPECT_EQ(chart::FindSymbol(wnd, 2)->GetPin(0)->GetLinkId(), 1u);
    EXPECT_EQ(a->GetPin(1)->GetLinkId(), 1u);
}

TEST_F(ChartCommandsTest, ANodeOnTheSideExitIsNotDeletedAndNothingElseEither)
{
    CHOXSymbol* other = Place(1, CPoint(100, 40));
    Place<SideExitSymbol>(2, CPoint(300, 40));
    Place(3, CPoint(500, 200));
    CHOXConnect* side = Wire(1, 2, 2, 3);
    CHOXNode* node = NodeOn(side);
    ASSERT_NE(node, nullptr);
    // Something to undo before: the command clears it.
    wnd->GetUndo()->RecordMove(other);
    view.Select(other);
    view.Select(node, true);
    {
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("ERROR : Node on the wire, which is connected to the  right side\nof the "
                                       "Conditional Jump symbol can not be deleted. "),
                        kStop, IDOK);
        Run(ID_EDIT_DELETE);
    }
    // The symbol selected before the node is still there.
    EXPECT_EQ(Symbols(), 3u);
    EXPECT_EQ(Nodes(), 1u);
    EXPECT_EQ(Wires(), 1u);
    EXPECT_EQ(wnd->LookupObject(1), other);
    EXPECT_FALSE(wnd->GetUndo()->CanUndo());
    EXPECT_FALSE(State(ID_EDIT_UNDO).m_bEnabled);
}

TEST_F(ChartCommandsTest, ANodeWhoseWireIsMissingStopsTheDeletionBeforeAnythingGoes)
{
    CHOXSymbol* a = Place(1, CPoint(100, 40));
    auto orphan = std::make_unique<CHOXNode>(7, CRect(20, 20, 30, 30), 99, wnd);
    CHOXNode* node = orphan.get();
    wnd->AddNode(std::move(orphan));
    view.Select(a);
    view.Select(node, true);
    Run(ID_EDIT_DELETE);
    EXPECT_EQ(Symbols(), 1u);
    EXPECT_EQ(Nodes(), 1u);
    EXPECT_FALSE(wnd->GetUndo()->CanUndo());
}

TEST_F(ChartCommandsTest, ANodeAloneIsDeletedAndComesBack)
{
    Place(1, CPoint(100, 40));
    Place(2, CPoint(100, 240));
    CHOXConnect* wire = Wire(1, 1, 1, 2);
    CHOXNode* node = NodeOn(wire);
    const DWORD number = node->GetId();
    view.Select(node);
    Run(ID_EDIT_DELETE);
    EXPECT_EQ(Nodes(), 0u);
    EXPECT_EQ(wire->GetNodeId(), CHOXConnect::kNone);
    EXPECT_FALSE(doc.IsPointerNumberUsed(static_cast<int>(number)));
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Nodes(), 1u);
    EXPECT_EQ(wire->GetNodeId(), number);
}

TEST_F(ChartCommandsTest, DeleteUndoAndRedoWaitWhileMonitoring)
{
    CHOXSymbol* a = Place(1, CPoint(100, 40));
    EXPECT_FALSE(State(ID_EDIT_DELETE).m_bEnabled); // nothing selected
    view.Select(a);
    Run(ID_EDIT_DELETE);
    ASSERT_TRUE(State(ID_EDIT_UNDO).m_bEnabled);
    doc.SetEditMode(false);
    EXPECT_FALSE(State(ID_EDIT_UNDO).m_bEnabled);
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Symbols(), 0u);
    doc.SetEditMode(true);
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Symbols(), 1u);
    view.Select(wnd->LookupObject(1));
    doc.SetEditMode(false);
    EXPECT_FALSE(State(ID_EDIT_DELETE).m_bEnabled);
    EXPECT_FALSE(State(ID_EDIT_REDO).m_bEnabled);
    Run(ID_EDIT_DELETE);
    EXPECT_EQ(Symbols(), 1u);
    doc.SetEditMode(true);
}

// ---------------------------------------------------------------------------
// Align

class AlignTest : public ChartCommandsTest {
protected:
    // Runs Align Objects choosing the radio button (8453 left .. 8456
    // bottom), or cancelling.
    void Align(int radio, bool ok = true)
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(2069, [this, radio, ok](DialogDriver& d) {
            EXPECT_EQ(d.Caption(), QStringLiteral("Align"));
            EXPECT_EQ(d.Check(8453), 1); // left comes first
            EXPECT_EQ(State(ID_ALIGN_OBJECTS).m_nCheck, 1);
            d.Click(radio);
            d.Click(ok ? IDOK : IDCANCEL);
        });
        Run(ID_ALIGN_OBJECTS);
        EXPECT_EQ(State(ID_ALIGN_OBJECTS).m_nCheck, 0);
    }
};

TEST_F(AlignTest, EachDirectionLinesUpOnTheObjectSelectedLastAndUndoPutsThemBack)
{
    CHOXSymbol* a = Place(1, CPoint(60, 40));
    CHOXSymbol* b = Place(2, CPoint(200, 100));
    CHOXSymbol* c = Place(3, CPoint(120, 180));
    const struct {
        int radio;
        CPoint a, b;
    } cases[] = {
        {8453, CPoint(120, 40), CPoint(120, 100)}, // lefts at c's left
        {8454, CPoint(120, 40), CPoint(120, 100)}, // rights at c's right (same width)
        {8455, CPoint(60, 180), CPoint(200, 180)}, // tops at c's top
        {8456, CPoint(60, 180), CPoint(200, 180)}, // bottoms
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.radio);
        view.Select(a);
        view.Select(b, true);
        view.Select(c, true);
        EXPECT_TRUE(State(ID_ALIGN_OBJECTS).m_bEnabled);
        Align(row.radio);
        EXPECT_EQ(a->GetRect().TopLeft(), row.a);
        EXPECT_EQ(b->GetRect().TopLeft(), row.b);
        EXPECT_EQ(c->GetRect().TopLeft(), CPoint(120, 180));
        Run(ID_EDIT_UNDO);
        EXPECT_EQ(a->GetRect().TopLeft(), CPoint(60, 40));
        EXPECT_EQ(b->GetRect().TopLeft(), CPoint(200, 100));
        Run(ID_EDIT_REDO);
        EXPECT_EQ(a->GetRect().TopLeft(), row.a);
        Run(ID_EDIT_UNDO);
    }
    // Cancel moves nothing; one object alone cannot be aligned.
    Align(8455, false);
    EXPECT_EQ(a->GetRect().TopLeft(), CPoint(60, 40));
    view.Select(a);
    EXPECT_FALSE(State(ID_ALIGN_OBJECTS).m_bEnabled);
}

TEST_F(AlignTest, ObjectsThatWouldLeaveTheSheetStayAndTheMessageShowsOnce)
{
    // The sheet is 500 wide: a left edge at 430 puts a 64-wide symbol's
    // right at 494, beyond 500 - 14.
    CHOXSymbol* a = Place(1, CPoint(60, 40));
    CHOXSymbol* b = Place(2, CPoint(100, 100));
    CHOXSymbol* near = Place(3, CPoint(430, 180));
    view.Select(a);
    view.Select(b, true);
    view.Select(near, true);
    ScriptedMessages messages;
    messages.Expect(QStringLiteral("Error :  Improper alignment. Objects are moving out of base."), kStop, IDOK);
    Align(8453);
    EXPECT_EQ(a->GetRect().TopLeft(), CPoint(60, 40));
    EXPECT_EQ(b->GetRect().TopLeft(), CPoint(100, 100));
    EXPECT_EQ(near->GetRect().TopLeft(), CPoint(430, 180));
}

TEST_F(AlignTest, ALineAlignsByTheEdgeOfItsEndPoints)
{
    CHOXMonView monView;
    MemoryViewHost monHost;
    monView.SetHost(&monHost);
    doc.AddView(&monView);
    CHOXMonWnd* mon = doc.GetMonWnd();
    auto box = std::make_unique<CHOXRect>(CRect(40, 150, 100, 200), mon);
    box->SetId(1);
    CHOXDrawObj* boxRaw = box.get();
    mon->AddShape(std::move(box));
    // Drawn from lower left to upper right: its top is the second end's y.
    auto line = std::make_unique<CHOXLine>(CRect(200, 160, 260, 90), mon);
    line->SetId(2);
    CHOXDrawObj* lineRaw = line.get();
    mon->AddShape(std::move(line));
    monView.Select(boxRaw);
    monView.Select(lineRaw, true);
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(2069, [](DialogDriver& d) {
            d.Click(8455);
            d.Click(IDOK);
        });
        monView.OnAlignObjects();
    }
    EXPECT_EQ(boxRaw->GetRect(), CRect(40, 90, 100, 140));
    EXPECT_EQ(lineRaw->GetRect(), CRect(200, 160, 260, 90));
    monView.OnEditUndo();
    EXPECT_EQ(boxRaw->GetRect(), CRect(40, 150, 100, 200));
    doc.RemoveView(&monView);
}

// ---------------------------------------------------------------------------
// Help and tips

TEST_F(ChartCommandsTest, HelpAnswersTheObjectTheViewOrNothing)
{
    auto* start = Place<CHOXFlowStart>(1, CPoint(100, 40));
    Place(2, CPoint(100, 200));
    CHOXConnect* wire = Wire(1, 1, 0, 2);
    // Over objects: their type's context; over empty space or an object
    // type without help: -1.
    EXPECT_EQ(view.GetHelpContextAt(Dev(CPoint(120, 50))), 0x1006A);
    EXPECT_EQ(view.GetHelpContextAt(Dev(CPoint(120, 210))), -1); // the symbol base has no help
    EXPECT_EQ(view.GetHelpContextAt(Dev(wire->GetSecondPoint())), 0x10088);
    EXPECT_EQ(view.GetHelpContextAt(Dev(CPoint(400, 150))), -1);
    // The table's ends.
    EXPECT_EQ(CHOXView::HelpContextOfType(303), 0x1008D);
    EXPECT_EQ(CHOXView::HelpContextOfType(349), 0x10086);
    EXPECT_EQ(CHOXView::HelpContextOfType(808), 0x18078);
    EXPECT_EQ(CHOXView::HelpContextOfType(405), -1);
    EXPECT_EQ(CHOXView::HelpContextOfType(801), -1);

    // F1: one object selected opens its type's help, more the view's.
    RecordingHelp help;
    view.Select(start);
    EXPECT_TRUE(Run(ID_HELP));
    ASSERT_EQ(help.pages.size(), 1u);
    EXPECT_EQ(help.pages.back(), HelpPageFor(0x1006A));
    EXPECT_TRUE(help.pages.back().endsWith(QStringLiteral("#1006a")));
    view.Select(wire, true);
    Run(ID_HELP);
    ASSERT_EQ(help.pages.size(), 2u);
    EXPECT_EQ(help.pages.back(), QStringLiteral(":/res/help/203ea.html"));
    CHOXMonView monView;
    monView.OnHelp();
    EXPECT_EQ(help.pages.back(), QStringLiteral(":/res/help/203eb.html"));
}

TEST_F(ChartCommandsTest, TipsOfTheBarControls)
{
    const struct {
        UINT id;
        const char* tip;
    } cases[] = {{8300, "Wire"},         {32079, "Zoom"},      {20101, "Start"}, {20302, "Binary to BCD "},
                 {8001, "Flow Symbols"}, {8452, "Scroll Bar"}, {4711, ""}};
    for (const auto& c : cases) {
        QString tip = QStringLiteral("left over");
        EXPECT_TRUE(view.OnToolTipNeedText(c.id, tip));
        EXPECT_EQ(tip, QString::fromLatin1(c.tip)) << c.id;
    }
}

// ---------------------------------------------------------------------------
// Base colour

TEST_F(ChartCommandsTest, ChangeBaseColorReachesEveryChartAndCancelNone)
{
    auto second = doc.NewFlowWindow(QStringLiteral("Flow Chart2"), QString());
    CHOXFlowWnd* other = second.get();
    doc.AddWindow(QStringLiteral("Flow Chart2"), std::move(second));
    wnd->SetBaseColor(RGB(10, 20, 30));
    {
        ScriptedColors colors;
        colors.Expect(std::nullopt, [](const ColorDialogRequest& r) { EXPECT_EQ(r.initial, RGB(10, 20, 30)); });
        EXPECT_TRUE(Run(ID_CHANGE_BASE_COLOR));
    }
    EXPECT_EQ(wnd->GetBaseColor(), RGB(10, 20, 30));
    EXPECT_EQ(other->GetBaseColor(), RGB(192, 192, 192));
    {
        ScriptedColors colors;
        colors.Expect(RGB(200, 100, 50));
        Run(ID_CHANGE_BASE_COLOR);
    }
    EXPECT_EQ(wnd->GetBaseColor(), RGB(200, 100, 50));
    EXPECT_EQ(other->GetBaseColor(), RGB(200, 100, 50));
}

} // namespace
