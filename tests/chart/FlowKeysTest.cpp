// Nudging the selection with the arrow keys: one unit at a time, never
// nearer than 14 + 3 units to the sheet's edges; a node slides along its wire
// and stops Left and Right.
#include "chart/FlowViewFixture.h"

using namespace kt::test;

namespace {

class FlowKeysTest : public FlowViewFixture {
protected:
    FlowKeysTest() { EXPECT_EQ(wnd->GetBaseRect()->GetRect(), CRect(0, 0, 500, 300)); }
};

TEST_F(FlowKeysTest, EachArrowKeyMovesOneUnitWithinTheMargins)
{
    // The sheet is 500 by 300: an object stays 17 units inside each edge.
    const struct {
        const char* what;
        UINT key;
        CPoint topLeft;
        CPoint after;
    } cases[] = {
        {"down", VK_DOWN, CPoint(100, 250), CPoint(100, 251)}, // bottom 282 + 3 < 286
        {"down at the margin", VK_DOWN, CPoint(100, 251), CPoint(100, 251)},
        {"up", VK_UP, CPoint(100, 18), CPoint(100, 17)}, // top 18 - 3 > 14
        {"up at the margin", VK_UP, CPoint(100, 17), CPoint(100, 17)},
        {"left", VK_LEFT, CPoint(18, 100), CPoint(17, 100)},
        {"left at the margin", VK_LEFT, CPoint(17, 100), CPoint(17, 100)},
        {"right", VK_RIGHT, CPoint(418, 100), CPoint(419, 100)}, // right 482 + 3 < 486
        {"right at the margin", VK_RIGHT, CPoint(419, 100), CPoint(419, 100)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        view.Select(nullptr);
        wnd->GetObjectMap().RemoveAll();
        CHOXSymbol* symbol = Place(1, c.topLeft);
        view.Select(symbol);
        doc.SetModifiedFlag(false);
        Key(c.key);
        EXPECT_EQ(symbol->GetRect().TopLeft(), c.after);
        // The handling ran to its end: the document counts as changed even
        // where nothing could move.
        EXPECT_TRUE(doc.IsModified());
    }
}

TEST_F(FlowKeysTest, TheWholeSelectionMovesWithItsWires)
{
    CHOXSymbol* a = Place(1, CPoint(100, 40));
    CHOXSymbol* b = Place(2, CPoint(100, 200));
    CHOXConnect* ab = Wire(1, 1, 1, 2);
    view.Select(a);
    view.Select(b, true);
    for (int i = 0; i < 5; ++i) Key(VK_RIGHT);
    EXPECT_EQ(a->GetRect().TopLeft(), CPoint(105, 40));
    EXPECT_EQ(b->GetRect().TopLeft(), CPoint(105, 200));
    EXPECT_EQ(ab->GetPoints().front(), a->GetPinPosition(1));
    EXPECT_EQ(ab->GetPoints().back(), b->GetPinPosition(0));
}

TEST_F(FlowKeysTest, WithoutASelectionOrForOtherKeysNothingHappens)
{
    CHOXSymbol* a = Place(1, CPoint(100, 40));
    Key(VK_DOWN);
    EXPECT_FALSE(doc.IsModified());
    view.Select(a);
    Key(VK_HOME);
    Key('A');
    EXPECT_EQ(a->GetRect().TopLeft(), CPoint(100, 40));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(FlowKeysTest, ANodeSlidesAlongItsWireAndKeepsThreeUnitsFromItsEnds)
{
    // A straight wire from (132, 72) down to (132, 220).
    Place(1, CPoint(100, 40));
    Place(2, CPoint(100, 220));
    CHOXConnect* wire = Wire(1, 1, 1, 2);
    ASSERT_EQ(wire->GetPoints().front().x, wire->GetPoints().back().x);
    CHOXNode* node = NodeOn(wire);
    ASSERT_NE(node, nullptr);
    view.Select(node);
    for (int i = 0; i < 300; ++i) Key(VK_DOWN);
    EXPECT_EQ(node->GetRect().bottom, 220 - 3);
    for (int i = 0; i < 300; ++i) Key(VK_UP);
    EXPECT_EQ(node->GetRect().top, 72 + 3);
    EXPECT_EQ(node->GetRect().Width(), 10);
    EXPECT_EQ(node->GetRect().left, 127);
}

TEST_F(FlowKeysTest, ANodeOnABentWireSlidesWithinItsSegment)
{
    // The wire bends: down from (132, 72), across at 146, down to (332, 220).
    Place(1, CPoint(100, 40));
    Place(2, CPoint(300, 220));
    CHOXConnect* wire = Wire(1, 1, 1, 2);
    const std::vector<CPoint> points = wire->GetPoints();
    ASSERT_EQ(points.size(), 4u);
    CHOXNode* node = NodeOn(wire);
    ASSERT_NE(node, nullptr);
    const std::int32_t k = wire->GetNodeSegment();
    ASSERT_EQ(k, 2);
    view.Select(node);
    for (int i = 0; i < 300; ++i) Key(VK_UP);
    EXPECT_EQ(node->GetRect().top, points[2].y + 3);
    for (int i = 0; i < 300; ++i) Key(VK_DOWN);
    EXPECT_EQ(node->GetRect().bottom, points[3].y - 3);
}

TEST_F(FlowKeysTest, LeftOrRightStopsAtANode)
{
    CHOXSymbol* a = Place(1, CPoint(100, 40));
    Place(2, CPoint(100, 220));
    CHOXSymbol* c = Place(3, CPoint(300, 40));
    CHOXNode* node = NodeOn(Wire(1, 1, 1, 2));
    // With the node first nothing moves and the document stays as it was.
    view.Select(node);
    view.Select(a, true);
    const CRect nodeBefore = node->GetRect();
    Key(VK_LEFT);
    EXPECT_EQ(a->GetRect().TopLeft(), CPoint(100, 40));
    EXPECT_FALSE(doc.IsModified());
    // The objects before the node move, those after it do not.
    view.Select(a);
    view.Select(node, true);
    view.Select(c, true);
    Key(VK_LEFT);
    EXPECT_EQ(a->GetRect().TopLeft(), CPoint(99, 40));
    EXPECT_EQ(node->GetRect(), nodeBefore);
    EXPECT_EQ(c->GetRect().TopLeft(), CPoint(300, 40));
    // Up and down slide it.
    Key(VK_DOWN);
    EXPECT_EQ(node->GetRect().top, nodeBefore.top + 1);
    EXPECT_EQ(c->GetRect().TopLeft(), CPoint(300, 41));
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(FlowKeysTest, ANodeWithoutItsWireStopsTheKey)
{
    CHOXSymbol* a = Place(1, CPoint(100, 40));
    auto orphan = std::make_unique<CHOXNode>(7, CRect(20, 20, 30, 30), 99, wnd);
    CHOXNode* node = orphan.get();
    wnd->AddNode(std::move(orphan));
    view.Select(node);
    view.Select(a, true);
    Key(VK_DOWN);
    EXPECT_EQ(node->GetRect(), CRect(20, 20, 30, 30));
    EXPECT_EQ(a->GetRect().TopLeft(), CPoint(100, 40));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(FlowKeysTest, ArrowKeysMoveAlsoWhileMonitoring)
{
    CHOXSymbol* a = Place(1, CPoint(100, 40));
    view.Select(a);
    doc.SetEditMode(false);
    Key(VK_DOWN);
    EXPECT_EQ(a->GetRect().TopLeft(), CPoint(100, 41));
    doc.SetEditMode(true);
}

} // namespace
