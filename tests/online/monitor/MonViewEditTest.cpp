// Editing the monitor page with the mouse and the arrow keys: drawing shapes
// with each tool, the refusals, selecting by click, Shift-click and rubber
// band, moving and undoing the move, and the arrow keys' margins. Each
// script runs at full size and at other zooms, scrolled.
#include "chart/HOXLine.h"
#include "chart/HOXOval.h"
#include "online/monitor/HOXMonCurPos.h"
#include "online/monitor/HOXOle.h"
#include "online/monitor/MonViewFixture.h"
#include "res/CommandIds.h"

using namespace kt::test;

namespace {

const QString kOutsideSheet = QStringLiteral("ERROR:  Cannot draw out side the  Base Rectangle.");
const QString kSymbolRefused = QStringLiteral("ERROR: Symbol Objects cannot be placed in Monitoring Window.");

class MonViewEditTest : public ::testing::TestWithParam<MonPlace>, protected MonViewFixture {
protected:
    void SetUp() override { ShowAt(GetParam()); }
};

INSTANTIATE_TEST_SUITE_P(Places, MonViewEditTest, ::testing::ValuesIn(kMonPlaces),
                         [](const auto& info) { return std::string(info.param.name); });

struct ToolCase {
    UINT command;
    int type;
};
const ToolCase kToolCases[] = {
    {ID_DRAW_RECT, objtype::kRect},
    {ID_DRAW_OVAL, objtype::kOval},
    {ID_DRAW_LINE, objtype::kLine},
};

} // namespace

TEST_P(MonViewEditTest, EachToolDrawsItsShapeWithTheViewsPenAndFillThenTheToolGoesBackToSelect)
{
    view.m_nLineWidth = 3;
    view.m_crLine = RGB(10, 20, 30);
    view.m_crFill = RGB(40, 50, 60);
    for (const ToolCase& tool : kToolCases) {
        SCOPED_TRACE(tool.command);
        Command(tool.command);
        const std::vector<WORD> before = ShapeIds();
        Drag(CPoint(300, 152), CPoint(240, 200));
        EXPECT_EQ(Mode(), toolmode::kSelect);
        ASSERT_EQ(Shapes(), before.size() + 1);
        const auto* shape = dynamic_cast<const CHOXShape*>(wnd->LookupShape(ShapeIds().back()));
        ASSERT_NE(shape, nullptr);
        EXPECT_EQ(shape->GetObjectType(), tool.type);
        EXPECT_EQ(shape->GetLineWidth(), 3);
        EXPECT_EQ(shape->GetLineColor(), RGB(10, 20, 30));
        EXPECT_EQ(shape->GetFillColor(), RGB(40, 50, 60));
        // Drawn down and left: a line keeps its slope (left end first), the
        // others are put in order.
        const CRect expected = tool.type == objtype::kLine ? CRect(240, 200, 300, 152) : CRect(240, 152, 300, 200);
        EXPECT_EQ(shape->GetRect(), expected);
        // Drawn, it is no longer selected; the document changed.
        EXPECT_EQ(view.GetSelectionCount(), 0u);
        EXPECT_TRUE(doc->IsModified());
        // Undo takes it away again.
        Command(ID_EDIT_UNDO);
        EXPECT_EQ(ShapeIds(), before);
        Command(ID_EDIT_REDO);
    }
    EXPECT_EQ(Shapes(), 3u);
}

TEST_P(MonViewEditTest, AClickWithAShapeToolDrawsNothingAndLeavesNothingToUndo)
{
    for (const ToolCase& tool : kToolCases) {
        Command(tool.command);
        Click(CPoint(200, 120));
        EXPECT_EQ(Shapes(), 0u);
        EXPECT_EQ(Mode(), toolmode::kSelect);
        EXPECT_FALSE(wnd->GetUndo()->CanUndo());
        EXPECT_FALSE(host.capture);
    }
}

TEST_P(MonViewEditTest, AShapeStartedOutsideTheSheetIsRefusedAndAShapeDrawnBeyondItStopsAtItsEdge)
{
    Command(ID_DRAW_RECT);
    const int invalidations = host.invalidateAll;
    {
        ScriptedMessages messages;
        messages.Expect(kOutsideSheet, kStop, IDOK);
        Press(CPoint(950, 100));
    }
    // Refused without a repaint; the release ends the tool.
    EXPECT_EQ(host.invalidateAll, invalidations);
    Release(CPoint(950, 100));
    EXPECT_EQ(Shapes(), 0u);
    EXPECT_EQ(Mode(), toolmode::kSelect);
    EXPECT_FALSE(host.capture);

    Command(ID_DRAW_OVAL);
    Drag(CPoint(852, 652), CPoint(992, 792));
    ASSERT_EQ(Shapes(), 1u);
    EXPECT_EQ(wnd->GetShapeMap().begin()->second->GetRect(), CRect(852, 652, 899, 699));
}

TEST_P(MonViewEditTest, ASymbolOfThePaletteIsRefusedAndTheToolFallsBackToSelect)
{
    view.OnToolSelected(ID_TOOL_FLOW_CALL);
    ASSERT_EQ(Mode(), toolmode::kPlace);
    {
        ScriptedMessages messages;
        messages.Expect(kSymbolRefused, kStop, IDOK);
        Press(CPoint(100, 100));
    }
    EXPECT_EQ(Mode(), toolmode::kSelect);
    EXPECT_FALSE(host.capture);
    Release(CPoint(100, 100));
    EXPECT_TRUE(wnd->GetObjectMap().IsEmpty());
    EXPECT_EQ(Shapes(), 0u);
}

TEST_P(MonViewEditTest, ClickSelectsShiftClickTogglesAndAPressOnASelectedObjectKeepsTheSelection)
{
    CHOXRect* a = Shape(CRect(50, 50, 100, 100));
    CHOXRect* b = Shape(CRect(150, 50, 200, 100));
    CHOXMonCurPos* position = MonObj<CHOXMonCurPos>(CRect(250, 50, 378, 112));

    Click(CPoint(76, 76));
    EXPECT_EQ(view.GetSelection(), (std::vector<CHOXDrawObj*>{a}));
    Click(CPoint(176, 76), MK_SHIFT);
    Click(CPoint(300, 80), MK_SHIFT);
    EXPECT_EQ(view.GetSelection(), (std::vector<CHOXDrawObj*>{a, b, position}));
    // Shift on a selected one takes it out; a Shift press moves nothing.
    Drag(CPoint(176, 76), CPoint(184, 96), MK_SHIFT);
    EXPECT_EQ(view.GetSelection(), (std::vector<CHOXDrawObj*>{a, position}));
    EXPECT_EQ(b->GetRect(), CRect(150, 50, 200, 100));
    // A press on one of several selected keeps them all; on another object
    // it selects that one alone.
    Click(CPoint(76, 76));
    EXPECT_EQ(view.GetSelectionCount(), 2u);
    Click(CPoint(176, 76));
    EXPECT_EQ(view.GetSelection(), (std::vector<CHOXDrawObj*>{b}));
    // Empty space clears it.
    Click(CPoint(400, 248));
    EXPECT_EQ(view.GetSelectionCount(), 0u);
}

TEST_P(MonViewEditTest, DraggingMovesTheWholeSelectionAndUndoPutsItBack)
{
    CHOXRect* a = Shape(CRect(50, 50, 100, 100));
    CHOXMonCurPos* position = MonObj<CHOXMonCurPos>(CRect(250, 50, 378, 112));
    SelectOnly({a, position});
    Drag(CPoint(76, 76), CPoint(108, 116));
    EXPECT_EQ(a->GetRect(), CRect(82, 90, 132, 140));
    EXPECT_EQ(position->GetRect(), CRect(282, 90, 410, 152));
    EXPECT_TRUE(Enabled(ID_EDIT_UNDO));
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(a->GetRect(), CRect(50, 50, 100, 100));
    EXPECT_EQ(position->GetRect(), CRect(250, 50, 378, 112));
}

TEST_P(MonViewEditTest, TheBandSelectsWhatLiesWhollyInsideItOverEveryMap)
{
    CHOXRect* inside = Shape(CRect(120, 120, 160, 160));
    CHOXRect* partly = Shape(CRect(280, 120, 330, 160));
    // Right and bottom edges exactly on the band's: outside.
    CHOXRect* onEdge = Shape(CRect(200, 200, 300, 300));
    CHOXMonCurPos* position = MonObj<CHOXMonCurPos>(CRect(110, 200, 190, 250));
    auto line = std::make_unique<CHOXLine>(CRect(250, 180, 130, 110), wnd);
    line->SetId(static_cast<DWORD>(doc->NewShapeId()));
    CHOXLine* backwards = line.get();
    wnd->AddShape(std::move(line));

    // The band's fixed corner is one unit beyond the press.
    Press(CPoint(99, 99));
    EXPECT_EQ(view.m_nBandActive, 1);
    EXPECT_TRUE(host.capture);
    MoveTo(CPoint(200, 200));
    MoveTo(CPoint(300, 300));
    Release(CPoint(300, 300));
    EXPECT_EQ(view.m_nBandActive, 0);
    // Monitor objects first, then the shapes in their map's order.
    ASSERT_EQ(view.GetSelectionCount(), 3u);
    EXPECT_EQ(view.GetSelection().front(), position);
    EXPECT_TRUE(view.IsSelected(inside));
    EXPECT_TRUE(view.IsSelected(backwards));
    EXPECT_FALSE(view.IsSelected(partly));
    EXPECT_FALSE(view.IsSelected(onEdge));
}

TEST_P(MonViewEditTest, TheBandStopsAtTheSheetsRightAndBottomEdges)
{
    Press(CPoint(800, 600));
    MoveTo(CPoint(992, 792));
    EXPECT_EQ(view.m_ptBandStart, CPoint(801, 601));
    EXPECT_EQ(view.m_ptBandEnd, CPoint(900, 700));
    Release(CPoint(992, 792));
    // Outside the sheet no band starts.
    Press(CPoint(950, 100));
    EXPECT_EQ(view.m_nBandActive, 0);
    Release(CPoint(950, 100));
}

TEST_P(MonViewEditTest, ArrowKeysMoveTheSelectionUnitByUnitUntilTheMarginInEitherMode)
{
    // 17 units from the bottom edge: one unit down would leave less than
    // 14 and the step's 3.
    CHOXRect* low = Shape(CRect(100, 600, 150, 683));
    CHOXRect* free = Shape(CRect(300, 300, 350, 350));
    SelectOnly({low, free});
    Key(VK_DOWN);
    EXPECT_EQ(low->GetRect(), CRect(100, 600, 150, 683));
    EXPECT_EQ(free->GetRect(), CRect(300, 301, 350, 351));
    low->m_position = CRect(100, 600, 150, 682);
    Key(VK_DOWN);
    EXPECT_EQ(low->GetRect(), CRect(100, 601, 150, 683));

    struct Margin {
        UINT key;
        CRect at;    // the last place it moves from
        CRect after; // one unit on
    };
    const Margin margins[] = {
        {VK_UP, CRect(100, 18, 150, 60), CRect(100, 17, 150, 59)},
        {VK_LEFT, CRect(18, 100, 60, 150), CRect(17, 100, 59, 150)},
        {VK_RIGHT, CRect(800, 100, 882, 150), CRect(801, 100, 883, 150)},
    };
    SelectOnly({free});
    StartMonitoring();
    for (const Margin& m : margins) {
        SCOPED_TRACE(m.key);
        free->m_position = m.at;
        Key(m.key);
        EXPECT_EQ(free->GetRect(), m.after);
        Key(m.key);
        EXPECT_EQ(free->GetRect(), m.after);
    }
}

// ---------------------------------------------------------------------------
// Full size only

namespace {
class MonViewToolTest : public ::testing::Test, protected MonViewFixture {};
} // namespace

TEST_F(MonViewToolTest, TheWireToolsDoNothingHereAndTheNextReleaseSelectsAgain)
{
    for (std::int32_t mode : {toolmode::kWire, std::int32_t(3)}) {
        CHOXView::s_nToolMode = mode;
        Drag(CPoint(100, 100), CPoint(200, 200));
        EXPECT_EQ(Shapes(), 0u);
        EXPECT_EQ(view.m_nBandActive, 0);
        EXPECT_EQ(Mode(), toolmode::kSelect);
    }
}

TEST_F(MonViewToolTest, ANewViewStartsWithTheSelectToolTheDefaultPenAndFillAndThePagesInitialSize)
{
    EXPECT_EQ(host.totalSize, CSize(515, 315));
    CHOXView::s_nToolMode = toolmode::kRect;
    CHOXMonView another;
    EXPECT_EQ(Mode(), toolmode::kSelect);
    EXPECT_EQ(another.m_nLineWidth, 1);
    EXPECT_EQ(another.m_crLine, RGB(0, 0, 0));
    EXPECT_EQ(another.m_crFill, RGB(192, 192, 192));
}

TEST_F(MonViewToolTest, TheScrollSizesFollowTheSheetAndTheZoomAndAWindowThatHoldsThePageScrollsNoMore)
{
    sheet->m_position = CRect(0, 0, 785, 485);
    host.scroll = CPoint(40, 30);
    view.UpdateScrollSizes();
    EXPECT_EQ(host.totalSize, CSize(800, 500));
    EXPECT_EQ(host.scroll, CPoint(40, 30));
    view.SetZoomIndex(4); // 50 %
    EXPECT_EQ(host.totalSize, CSize(400, 250));
    // 400 by 300 holds 400 by 250: neither way is left to scroll.
    EXPECT_EQ(host.scroll, CPoint(0, 0));
}

TEST_F(MonViewToolTest, AnEmbeddedItemIsSelectedMovedAndBandedLikeAShapeAndOpensNothing)
{
    auto made = std::make_unique<CHOXOle>(CRect(100, 100, 160, 140), wnd);
    made->SetId(0);
    CHOXOle* holder = made.get();
    wnd->AddOleObject(std::move(made));

    Drag(CPoint(130, 120), CPoint(150, 135));
    EXPECT_EQ(view.GetSelection(), std::vector<CHOXDrawObj*>{holder});
    EXPECT_EQ(holder->GetRect(), CRect(120, 115, 180, 155));
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(holder->GetRect(), CRect(100, 100, 160, 140));

    Drag(CPoint(50, 50), CPoint(300, 250));
    EXPECT_EQ(view.GetSelection(), std::vector<CHOXDrawObj*>{holder});
    // Nothing runs an item here: no dialog, no change.
    view.OnLButtonDblClk(MK_LBUTTON, Dev(CPoint(130, 120)));
    EXPECT_EQ(holder->GetRect(), CRect(100, 100, 160, 140));
    EXPECT_FALSE(Enabled(ID_OLE_INSERT_NEW));
}
