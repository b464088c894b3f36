// Selecting and moving with the mouse in tool mode 0: click, the Shift
// rules, the rubber band and its edges, moves recorded for undo, and the
// base sheet's edge as the sheet's share of the same mouse.
#include "chart/FlowViewFixture.h"
#include "platform/DC.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdlib>

using namespace kt::test;

namespace {

const ViewPlace kPlaces[] = {{2, CPoint(0, 0), "Normal"}, {0, CPoint(150, 90), "LargeScrolled"}};

class FlowSelectTest : public FlowViewFixture, public ::testing::WithParamInterface<ViewPlace> {
protected:
    FlowSelectTest()
    {
        ShowAt(GetParam());
        a = Place(1, CPoint(100, 100));
        b = Place(2, CPoint(300, 100));
        c = Place(3, CPoint(100, 300));
        ab = Wire(1, 1, 1, 2);
    }
    std::vector<CHOXDrawObj*> Selected() const { return view.CopySelection(); }
    static CPoint Inside(const CHOXDrawObj* o) { return CPoint(o->GetRect().left + 20, o->GetRect().top + 16); }

    CHOXSymbol* a = nullptr;
    CHOXSymbol* b = nullptr;
    CHOXSymbol* c = nullptr;
    CHOXConnect* ab = nullptr;
};

INSTANTIATE_TEST_SUITE_P(Places, FlowSelectTest, ::testing::ValuesIn(kPlaces),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(FlowSelectTest, AClickSelectsAndEmptySpaceClears)
{
    Click(Inside(a));
    EXPECT_EQ(Selected(), std::vector<CHOXDrawObj*>{a});
    Click(Inside(b));
    EXPECT_EQ(Selected(), std::vector<CHOXDrawObj*>{b});
    Click(CPoint(600, 500));
    EXPECT_TRUE(Selected().empty());
    EXPECT_FALSE(host.capture);
    EXPECT_EQ(Mode(), 0);
}

TEST_P(FlowSelectTest, ShiftRules)
{
    // Each row: what is selected before, what is Shift-clicked, what is
    // selected after.
    CHOXNode* node = NodeOn(Wire(2, 2, 1, 3));
    ASSERT_NE(node, nullptr);
    CHOXConnect* wire = ab;
    const struct {
        const char* what;
        std::vector<CHOXDrawObj*> before;
        CHOXDrawObj* clicked;
        std::vector<CHOXDrawObj*> after;
    } cases[] = {
        {"empty selection: the clicked object alone", {}, b, {b}},
        {"a wire first: the clicked object alone", {wire, a}, b, {b}},
        {"added when not selected", {a}, b, {a, b}},
        {"taken away when selected", {a, b}, a, {b}},
        {"a node replaces the selection", {a, b}, node, {node}},
        {"a node standing first goes", {node}, a, {a}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        view.Select(nullptr);
        for (CHOXDrawObj* o : row.before) view.Select(o, true);
        const CRect before = row.clicked->GetRect();
        const CPoint at = row.clicked == node ? node->GetRect().CenterPoint() : Inside(row.clicked);
        Press(at, MK_SHIFT);
        // A Shift press never moves anything, even with the mouse dragged.
        EXPECT_FALSE(host.capture);
        MoveTo(CPoint(at.x + 30, at.y + 30), MK_LBUTTON | MK_SHIFT);
        Release(CPoint(at.x + 30, at.y + 30), MK_SHIFT);
        EXPECT_EQ(Selected(), row.after);
        EXPECT_EQ(row.clicked->GetRect(), before);
    }
}

TEST_P(FlowSelectTest, PressingOneOfSeveralSelectedKeepsThemAll)
{
    view.Select(a);
    view.Select(b, true);
    Press(Inside(b));
    EXPECT_EQ(Selected(), (std::vector<CHOXDrawObj*>{a, b}));
    Release(Inside(b));
    Click(Inside(c));
    EXPECT_EQ(Selected(), std::vector<CHOXDrawObj*>{c});
}

TEST_P(FlowSelectTest, TheBandCatchesWhatLiesWhollyInside)
{
    // a spans (100, 100) to (164, 132), c (100, 300) to (164, 332).
    const struct {
        const char* what;
        CPoint from, to;
        std::vector<CHOXDrawObj*> caught;
    } cases[] = {
        {"both corners inside", CPoint(90, 90), CPoint(200, 150), {a}},
        {"dragged up and left", CPoint(200, 170), CPoint(90, 90), {a}},
        {"right edge on the band's right edge", CPoint(90, 90), CPoint(164, 150), {}},
        {"right edge one inside", CPoint(90, 90), CPoint(165, 150), {a}},
        // The band starts one unit right of and below the press.
        {"left edge on the press", CPoint(100, 90), CPoint(200, 150), {}},
        {"left edge one right of the press", CPoint(99, 89), CPoint(200, 150), {a}},
        {"two symbols, not the wire between others", CPoint(90, 90), CPoint(200, 400), {a, c}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        view.Select(b);
        Press(row.from);
        EXPECT_TRUE(Selected().empty());
        EXPECT_EQ(view.m_nBandActive, 1);
        EXPECT_TRUE(host.capture);
        MoveTo(CPoint((row.from.x + row.to.x) / 2, (row.from.y + row.to.y) / 2));
        MoveTo(row.to);
        Release(row.to);
        EXPECT_EQ(view.m_nBandActive, 0);
        EXPECT_FALSE(host.capture);
        std::vector<CHOXDrawObj*> caught = Selected();
        std::vector<CHOXDrawObj*> expected = row.caught;
        std::sort(caught.begin(), caught.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(caught, expected);
    }
}

TEST_P(FlowSelectTest, TheBandStopsAtTheSheetsRightAndBottomEdges)
{
    const CRect sheet = wnd->GetBaseRect()->GetRect();
    Press(CPoint(sheet.right - 100, sheet.bottom - 100));
    MoveTo(CPoint(sheet.right + 60, sheet.bottom + 60));
    EXPECT_EQ(view.m_ptBandEnd, CPoint(sheet.right, sheet.bottom));
    EXPECT_EQ(view.m_ptBandStart, CPoint(sheet.right - 99, sheet.bottom - 99));
    Release(CPoint(sheet.right + 60, sheet.bottom + 60));
}

TEST_P(FlowSelectTest, TheBandIsDrawnDottedOverTheChart)
{
    const CPoint from = view.ClientToDoc(CPoint(20, 20));
    const CPoint to = view.ClientToDoc(CPoint(220, 80));
    Press(from);
    host.ClearRecord();
    MoveTo(to);
    // The band's area is redrawn, not the whole view.
    EXPECT_EQ(host.invalidateAll, 0);
    EXPECT_FALSE(host.invalidated.empty());
    QImage image(host.client.Width(), host.client.Height(), QImage::Format_RGB32);
    {
        QPainter painter(&image);
        CDC dc(painter);
        view.OnPrepareDC(&dc);
        view.OnDraw(&dc);
    }
    // Along the band's top edge every other pixel or so is black (the row
    // the line lands on may be one off the edge at a zoom).
    const CRect band = view.DocToClient(CRect(view.m_ptBandStart, view.m_ptBandEnd));
    auto darkOnTop = [&] {
        int most = 0;
        for (int y = band.top - 1; y <= band.top + 1; ++y) {
            int dark = 0;
            for (int x = band.left + 2; x < band.right - 2; ++x)
                dark += QColor(image.pixel(x, y)) == QColor(Qt::black) ? 1 : 0;
            most = std::max(most, dark);
        }
        return most;
    };
    int dark = darkOnTop();
    EXPECT_GT(dark, band.Width() / 4);
    EXPECT_LT(dark, band.Width() * 3 / 4);
    Release(to);
    // Gone with the release.
    {
        QPainter painter(&image);
        CDC dc(painter);
        view.OnPrepareDC(&dc);
        view.OnDraw(&dc);
    }
    EXPECT_EQ(darkOnTop(), 0);
}

TEST_P(FlowSelectTest, APressOutsideTheSheetStartsNoBand)
{
    wnd->GetBaseRect()->m_position = CRect(0, 0, 500, 400);
    view.Select(a);
    Press(CPoint(560, 200));
    EXPECT_EQ(view.m_nBandActive, 0);
    EXPECT_TRUE(Selected().empty());
    MoveTo(CPoint(300, 100));
    Release(CPoint(300, 100));
    EXPECT_TRUE(Selected().empty());
}

TEST_P(FlowSelectTest, AMoveIsRecordedAndUndone)
{
    const CRect fromA = a->GetRect();
    const CRect fromB = b->GetRect();
    view.Select(a);
    view.Select(b, true);
    Drag(Inside(a), CPoint(Inside(a).x + 40, Inside(a).y + 60));
    EXPECT_EQ(a->GetRect(), CHOXDrawObj::Shifted(fromA, 40, 60));
    EXPECT_EQ(b->GetRect(), CHOXDrawObj::Shifted(fromB, 40, 60));
    // The wire between them followed.
    EXPECT_EQ(ab->GetPoints().front(), a->GetPinPosition(1));
    EXPECT_EQ(ab->GetPoints().back(), b->GetPinPosition(0));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(wnd->GetUndo()->GetAction(), 0);
    EXPECT_TRUE(wnd->GetUndo()->CanUndo());
    view.OnEditUndo();
    EXPECT_EQ(a->GetRect(), fromA);
    EXPECT_EQ(b->GetRect(), fromB);
    EXPECT_EQ(ab->GetPoints().front(), a->GetPinPosition(1));
    view.OnEditRedo();
    EXPECT_EQ(a->GetRect(), CHOXDrawObj::Shifted(fromA, 40, 60));
}

TEST_P(FlowSelectTest, ASymbolReleasedOutsideTheSheetGoesBackOnce)
{
    const CRect sheet = wnd->GetBaseRect()->GetRect();
    const CRect fromA = a->GetRect();
    const CRect fromB = b->GetRect();
    view.Select(a);
    view.Select(b, true);
    const CPoint outside(sheet.right + 40, Inside(a).y);
    {
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("ERROR:  Cannot draw out side the  Base Rectangle."), kStop, IDOK);
        Drag(Inside(a), outside);
    }
    EXPECT_EQ(a->GetRect(), fromA);
    EXPECT_EQ(b->GetRect(), fromB);
    // Nothing moved: nothing to undo.
    EXPECT_FALSE(wnd->GetUndo()->CanUndo());
}

TEST_P(FlowSelectTest, TheSheetsEdgeResizesTheSheetAndNothingElse)
{
    const CRect sheet = wnd->GetBaseRect()->GetRect();
    view.Select(a);
    const CPoint edge(sheet.right, sheet.bottom / 2);
    MoveTo(edge, 0);
    EXPECT_EQ(host.cursor, Cursor::SizeWE);
    Drag(edge, CPoint(sheet.right + 80, sheet.bottom / 2));
    EXPECT_EQ(wnd->GetBaseRect()->GetRect().right, sheet.right + 80);
    EXPECT_EQ(a->GetRect(), CRect(100, 100, 164, 132));
    EXPECT_EQ(view.m_nBandActive, 0);
    EXPECT_FALSE(host.capture);
}

TEST_P(FlowSelectTest, ADoubleClickOpensTheObject)
{
    ScriptedDialogs dialogs;
    dialogs.Expect(2063, [](DialogDriver& d) { d.Click(IDCANCEL); });
    const std::vector<CPoint>& points = ab->GetPoints();
    // A vertical part of the wire: the NODE dialog offers a node there.
    CPoint at;
    for (std::size_t k = 0; k + 1 < points.size(); ++k)
        if (points[k].x == points[k + 1].x && std::abs(points[k].y - points[k + 1].y) > 20)
            at = CPoint(points[k].x, (points[k].y + points[k + 1].y) / 2);
    view.OnLButtonDblClk(MK_LBUTTON, Dev(at));
    EXPECT_EQ(Nodes(), 0u);
}

TEST_P(FlowSelectTest, NothingChangesWhileMonitoring)
{
    doc.SetEditMode(false);
    const CRect fromA = a->GetRect();
    Drag(Inside(a), CPoint(Inside(a).x + 40, Inside(a).y));
    EXPECT_EQ(a->GetRect(), fromA);
    EXPECT_TRUE(Selected().empty());
    EXPECT_FALSE(host.capture);
    MoveTo(Inside(b), 0);
    EXPECT_EQ(host.cursor, Cursor::Arrow);
    doc.SetEditMode(true);
}

} // namespace
