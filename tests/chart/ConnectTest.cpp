// Wires: routing by every corner rule, the stored form, hit tests and
// segment dragging, following moved symbols and nodes, taking wires out and
// putting them back, and making nodes on them.
#include "chart/ChartFixture.h"
#include "chart/HOXNodeDlg.h"
#include "chart/RecordingPainter.h"
#include "platform/Archive.h"
#include "platform/ui/QtDialogSite.h"
#include "symbols/flow/HOXFlowJump.h"
#include "symbols/flow/HOXFlowJumpEnd.h"
#include "symbols/flow/HOXFlowPointer.h"

#include <QPainter>

using kt::test::ChartFixture;
using kt::test::DialogDriver;
using kt::test::MemoryViewHost;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedMessages;
using kt::test::SideExitSymbol;

namespace {

using Points = std::vector<CPoint>;

class ConnectTest : public ChartFixture {
protected:
    // Symbol 1 above symbol 2, joined by wire 3 with a node on it; symbol 4
    // beside them when a test jumps from it to the node.
    struct NodedWire {
        CHOXConnect* main;
        CHOXNode* node;
        DWORD number;
    };
    NodedWire PlaceNodedWire(bool withJumpSource = false)
    {
        Place(1, {68, 50});
        Place(2, {68, 250});
        if (withJumpSource) Place(4, {300, 50});
        CHOXConnect* main = Wire(3, 1, 1, 2);
        CHOXNode* node = NodeOn(main);
        return {main, node, node->GetId()};
    }
};

} // namespace

// ---------------------------------------------------------------------------
// Routing

TEST_F(ConnectTest, RoutesToASymbolByEveryCornerRule)
{
    // The source symbol stands at (68, 50): its bottom output is at
    // (100, 82), its side exit (when it is a conditional jump) at (132, 66).
    // A target's input pin is at its top-left corner plus (32, 0).
    const struct {
        const char* rule;
        bool sideExit;
        CPoint targetAt;
        Points expected;
    } cases[] = {
        {"straight down: a Z that degenerates", false, {68, 150}, {{100, 82}, {100, 116}, {100, 116}, {100, 150}}},
        {"down and across: horizontal at mid-height", false, {168, 150}, {{100, 82}, {100, 116}, {200, 116}, {200, 150}}},
        {"not below, far to the right: round the left of the target", false, {268, 90},
         {{100, 82}, {100, 137}, {253, 137}, {253, 75}, {300, 75}, {300, 90}}},
        {"above, up to 75 right: round the right of the target", false, {118, 20},
         {{100, 82}, {100, 97}, {197, 97}, {197, 5}, {150, 5}, {150, 20}}},
        {"more than 75 left: round the right of the target", false, {-12, 60},
         {{100, 82}, {100, 107}, {67, 107}, {67, 45}, {20, 45}, {20, 60}}},
        {"up to 75 left: round the left of the target", false, {18, 60},
         {{100, 82}, {100, 107}, {3, 107}, {3, 45}, {50, 45}, {50, 60}}},
        {"side exit, below and right: one corner", true, {168, 150}, {{132, 66}, {200, 66}, {200, 150}}},
        {"side exit, well below and left: out, down 30, across", true, {68, 150},
         {{132, 66}, {147, 66}, {147, 96}, {100, 96}, {100, 150}}},
        {"side exit, just below and left: the last corner is the end", true, {68, 90},
         {{132, 66}, {147, 66}, {147, 90}, {100, 90}, {100, 90}}},
        {"side exit, level, target far right: in from the left", true, {200, 70},
         {{132, 66}, {185, 66}, {185, 55}, {232, 55}, {232, 70}}},
        {"side exit, target high up: down 30, round its right", true, {100, 20},
         {{132, 66}, {147, 66}, {147, 96}, {179, 96}, {179, 5}, {132, 5}, {132, 20}}},
        {"side exit, target level and left: below it, round its left", true, {80, 60},
         {{132, 66}, {147, 66}, {147, 107}, {65, 107}, {65, 45}, {112, 45}, {112, 60}}},
    };
    DWORD id = 10;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rule);
        CHOXSymbol* source = c.sideExit ? Place<SideExitSymbol>(id, {68, 50}) : Place(id, {68, 50});
        Place(id + 1, c.targetAt);
        CHOXConnect* wire = Wire(id + 2, id, c.sideExit ? 2 : 1, id + 1);
        EXPECT_EQ(RouteOf(wire), c.expected);
        EXPECT_EQ(source->GetPin(c.sideExit ? 2 : 1)->GetLinkId(), id + 2);
        wnd->RemoveObject(static_cast<WORD>(id));
        wnd->RemoveObject(static_cast<WORD>(id + 1));
        id += 3;
    }
}

TEST_F(ConnectTest, RoutesToANodeByEveryCornerRule)
{
    // Node centres: the end of the wire.
    const struct {
        const char* rule;
        bool sideExit;
        CPoint centre;
        Points expected;
    } cases[] = {
        {"level, to the right: round the source's right", false, {200, 80},
         {{100, 82}, {100, 97}, {147, 97}, {147, 80}, {200, 80}}},
        {"level, to the left: round the source's left", false, {50, 60},
         {{100, 82}, {100, 97}, {53, 97}, {53, 60}, {50, 60}}},
        {"below: down, then across", false, {200, 150}, {{100, 82}, {100, 150}, {200, 150}}},
        {"side exit, near and left: round under the source", true, {100, 80},
         {{132, 66}, {147, 66}, {147, 96}, {53, 96}, {53, 80}, {100, 80}}},
        {"side exit, lower down: right 15, then down", true, {200, 150},
         {{132, 66}, {147, 66}, {147, 150}, {200, 150}}},
        {"side exit, near but right: right 15, then down", true, {200, 70},
         {{132, 66}, {147, 66}, {147, 70}, {200, 70}}},
    };
    DWORD id = 10;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rule);
        if (c.sideExit) {
            Place<SideExitSymbol>(id, {68, 50});
        } else {
            Place(id, {68, 50});
        }
        const DWORD number = id;
        wnd->AddNode(std::make_unique<CHOXNode>(number, CRect(c.centre.x - 5, c.centre.y - 5, c.centre.x + 5, c.centre.y + 5),
                                                CHOXConnect::kNone, wnd));
        CHOXConnect* wire = Wire(id + 2, id, c.sideExit ? 2 : 1, number, CHOXConnect::kTargetNode);
        EXPECT_EQ(RouteOf(wire), c.expected);
        wnd->RemoveObject(static_cast<WORD>(id));
        wnd->RemoveNode(static_cast<WORD>(number));
        id += 3;
    }
}

TEST_F(ConnectTest, BoundsAreTheBoxOfThePoints)
{
    Place(1, {68, 50});
    Place(2, {268, 90});
    CHOXConnect* wire = Wire(3, 1, 1, 2);
    EXPECT_EQ(wire->GetRect(), CRect(100, 75, 300, 137));
    EXPECT_EQ(wire->GetHandleCount(), 6);
    EXPECT_EQ(wire->GetHandle(1), CPoint(100, 82));
    EXPECT_EQ(wire->GetHandle(6), CPoint(300, 90));
    EXPECT_EQ(wire->GetSecondPoint(), CPoint(100, 137));
}

TEST_F(ConnectTest, AMissingEndLeavesAnEmptyRouteAndDrawsNothing)
{
    Place(1, {68, 50});
    CHOXSymbol* endless = Place(2, {68, 150});
    endless->SetPinCount(0);
    const struct {
        const char* what;
        DWORD source;
        int pin;
        DWORD target;
        int kind;
    } cases[] = {
        {"no source symbol", 40, 1, 2, CHOXConnect::kTargetSymbol},
        {"no such source pin", 1, 5, 2, CHOXConnect::kTargetSymbol},
        {"target without pin 0", 1, 1, 2, CHOXConnect::kTargetSymbol},
        {"no target symbol", 1, 1, 41, CHOXConnect::kTargetSymbol},
        {"no target node", 1, 1, 42, CHOXConnect::kTargetNode},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CHOXConnect* wire = Wire(9, c.source, c.pin, c.target, c.kind);
        EXPECT_TRUE(wire->GetPoints().empty());
        EXPECT_FALSE(wire->HitsRect(CRect(0, 0, 500, 300)));
        kt::test::RecordingPaintDevice device;
        {
            QPainter painter(&device);
            CDC dc(painter);
            wire->Draw(&dc);
        }
        EXPECT_TRUE(device.Record().lines.empty());
        wnd->RemoveConnect(9);
    }
}

// ---------------------------------------------------------------------------
// Stored form

TEST_F(ConnectTest, StoredFormWithoutAMarker)
{
    Place(7, {68, 50});
    Place(8, {68, 150});
    CHOXConnect* wire = Wire(3, 7, 1, 8);
    CArchive out;
    out.WriteObject(wire);
    const QByteArray expected = QByteArray::fromHex(
        "ffff00000b00") + "CHOXConnect" +
        QByteArray::fromHex("03000000"                                  // id
                            "64000000520000006400000096000000"          // bounds 100, 82, 100, 150
                            "07000000" "01000000" "08000000" "01000000" // source 7 pin 1, target 8 kind 1
                            "ffffffff" "ffffffff"                       // no node, no node segment
                            "0000"                                      // no marker
                            "0400"                                      // four points
                            "6400000052000000" "6400000074000000" "6400000074000000" "6400000096000000");
    EXPECT_EQ(out.Buffer().toHex(), expected.toHex());

    CArchive in(out.Buffer());
    auto back = in.ReadOwned<CHOXConnect>();
    ASSERT_TRUE(back);
    EXPECT_EQ(back->GetId(), 3u);
    EXPECT_EQ(back->GetSourceId(), 7u);
    EXPECT_EQ(back->GetSourcePin(), 1);
    EXPECT_EQ(back->GetTargetId(), 8u);
    EXPECT_EQ(back->GetTargetKind(), 1);
    EXPECT_EQ(back->GetNodeId(), CHOXConnect::kNone);
    EXPECT_EQ(back->GetNodeSegment(), -1);
    EXPECT_EQ(back->GetJumpEnd(), nullptr);
    EXPECT_EQ(back->GetPoints(), wire->GetPoints());
    EXPECT_EQ(back->GetRect(), wire->GetRect());
    // A loaded wire is drawn finished.
    EXPECT_EQ(back->GetPenStyle(), 6);
    EXPECT_EQ(back->GetLineWidth(), 2);
}

TEST_F(ConnectTest, StoredFormWithAMarkerGivesTheMarkerItsNumberOnLoading)
{
    Place(7, {68, 50});
    wnd->AddNode(std::make_unique<CHOXNode>(9, CRect(195, 145, 205, 155), 40, wnd));
    CHOXConnect* wire = Wire(3, 7, 1, 9, CHOXConnect::kTargetNode);
    wire->SetJumpEnd(std::make_unique<CHOXFlowJumpEnd>(9, CRect(95, 145, 105, 155), wnd));
    wire->RerouteAll();
    ASSERT_EQ(wire->GetJumpEnd()->GetRect(), CRect(95, 145, 105, 155)); // on the second point
    CArchive out;
    out.WriteObject(wire);
    const QByteArray expected =
        QByteArray::fromHex("ffff00000b00") + "CHOXConnect" +
        QByteArray::fromHex("03000000"
                            "6400000052000000c800000096000000"          // bounds 100, 82, 200, 150
                            "07000000" "01000000" "09000000" "00000000" // target node 9
                            "ffffffff" "ffffffff") +
        QByteArray::fromHex("ffff00000f00") + "CHOXFlowJumpEnd" +
        QByteArray::fromHex("ffffffff" "5f00000091000000690000009b000000" // marker: id -1, its square
                            "01000000" "00000000"                         // end follows, END
                            "0300"
                            "6400000052000000" "6400000096000000" "c800000096000000");
    EXPECT_EQ(out.Buffer().toHex(), expected.toHex());

    CArchive in(out.Buffer());
    auto back = in.ReadOwned<CHOXConnect>();
    ASSERT_TRUE(back);
    ASSERT_NE(back->GetJumpEnd(), nullptr);
    EXPECT_EQ(back->GetJumpEnd()->GetPointerNumber(), 9);
    EXPECT_EQ(back->GetJumpEnd()->GetRect(), CRect(95, 145, 105, 155));
    back->SetWnd(wnd);
    EXPECT_EQ(back->GetJumpEnd()->GetWnd(), wnd);
}

TEST_F(ConnectTest, DamagedStoredFormsThrowAndLeakNothing)
{
    Place(7, {68, 50});
    wnd->AddNode(std::make_unique<CHOXNode>(9, CRect(195, 145, 205, 155), 40, wnd));
    CHOXConnect* wire = Wire(3, 7, 1, 9, CHOXConnect::kTargetNode);
    wire->SetJumpEnd(std::make_unique<CHOXFlowJumpEnd>(9, CRect(95, 145, 105, 155), wnd));
    CArchive out;
    out.WriteObject(wire);
    const QByteArray bytes = out.Buffer();
    for (int cut = 0; cut < bytes.size(); ++cut) {
        CArchive in(bytes.left(cut));
        EXPECT_THROW(in.ReadOwned<CHOXConnect>(), ArchiveError) << cut;
    }
    // A point count larger than what follows.
    QByteArray lying = bytes;
    lying[lying.size() - 3 * 8 - 2] = '\x30';
    CArchive in(lying);
    EXPECT_THROW(in.ReadOwned<CHOXConnect>(), ArchiveError);
}

// ---------------------------------------------------------------------------
// Hit tests, drawing and segment dragging

TEST_F(ConnectTest, OnlyInnerSegmentsAreGrabbed)
{
    CHOXView view;
    MemoryViewHost host;
    view.SetHost(&host);
    Place(1, {68, 50});
    Place(2, {268, 90});
    // (100, 82) (100, 137) (253, 137) (253, 75) (300, 75) (300, 90)
    CHOXConnect* wire = Wire(3, 1, 1, 2);
    const struct {
        CPoint at;
        int hit;
        int segment;
    } cases[] = {
        {{100, 100}, 0, 1},   // first segment: stays on its pin
        {{180, 137}, 101, 2}, // horizontal
        {{254, 100}, 100, 3}, // vertical, within the handle width
        {{280, 74}, 101, 4},
        {{300, 85}, 0, 5},    // last segment
        {{180, 150}, 0, -1},  // beside the wire
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.at.x * 1000 + c.at.y);
        EXPECT_EQ(wire->HitTest(c.at, &view), c.hit);
        if (c.segment > 0) {
            EXPECT_EQ(wire->GetGrabbedSegment(), c.segment);
        }
    }
    // The cursor follows without a press.
    wire->OnMouseMove(&view, 0, CPoint(254, 100));
    EXPECT_EQ(host.cursor, Cursor::SizeWE);
    wire->OnMouseMove(&view, 0, CPoint(180, 137));
    EXPECT_EQ(host.cursor, Cursor::SizeNS);
    wire->OnMouseMove(&view, 0, CPoint(100, 100));
    EXPECT_EQ(host.cursor, Cursor::Arrow);
}

TEST_F(ConnectTest, DraggingAnInnerSegmentStaysFifteenInsideTheSheet)
{
    CHOXView view;
    MemoryViewHost host;
    view.SetHost(&host);
    wnd->SetView(&view);
    Place(1, {68, 50});
    Place(2, {268, 90});
    CHOXConnect* wire = Wire(3, 1, 1, 2);
    // Grab the vertical segment at x 253 and drag it far right.
    wire->OnLButtonDown(&view, MK_LBUTTON, CPoint(253, 100));
    EXPECT_EQ(wire->m_nCurrentHandle, 100);
    EXPECT_EQ(view.m_nTracking, 1);
    EXPECT_TRUE(host.capture);
    wire->OnMouseMove(&view, MK_LBUTTON, CPoint(700, 100));
    EXPECT_EQ(RouteOf(wire), (Points{{100, 82}, {100, 137}, {485, 137}, {485, 75}, {300, 75}, {300, 90}}));
    EXPECT_EQ(host.cursor, Cursor::SizeWE);
    wire->OnLButtonUp(&view, 0, CPoint(700, 100));
    EXPECT_FALSE(host.capture);
    EXPECT_EQ(view.m_nTracking, 0);
    EXPECT_EQ(view.GetSelection(), std::vector<CHOXDrawObj*>{wire});
    EXPECT_EQ(wire->GetRect(), CRect(100, 75, 485, 137));

    // A horizontal segment dragged above the sheet stops at its top + 15.
    wire->OnLButtonDown(&view, MK_LBUTTON, CPoint(180, 137));
    wire->OnMouseMove(&view, MK_LBUTTON, CPoint(180, -40));
    EXPECT_EQ(wire->GetPoints()[1], CPoint(100, 15));
    EXPECT_EQ(wire->GetPoints()[2], CPoint(485, 15));
    wire->OnLButtonUp(&view, 0, CPoint(180, -40));

    // The first segment does not move.
    wire->OnLButtonDown(&view, MK_LBUTTON, CPoint(100, 60));
    EXPECT_EQ(view.m_nTracking, 0);
    const Points before = wire->GetPoints();
    wire->OnMouseMove(&view, MK_LBUTTON, CPoint(200, 60));
    EXPECT_EQ(wire->GetPoints(), before);
    EXPECT_EQ(host.cursor, Cursor::Arrow);
    wire->OnLButtonUp(&view, 0, CPoint(200, 60));
    wnd->SetView(nullptr);
}

TEST_F(ConnectTest, ANewWireFollowsTheMouseDottedAndScrolls)
{
    CHOXView view;
    MemoryViewHost host(CRect(0, 0, 300, 200));
    view.SetHost(&host);
    auto made = std::make_unique<CHOXConnect>(CRect(100, 82, 100, 82), wnd);
    CHOXConnect* wire = made.get();
    EXPECT_EQ(wire->m_nCurrentHandle, 2);
    EXPECT_EQ(wire->GetLineWidth(), 1);
    EXPECT_EQ(wire->GetPoints(), (Points{{100, 82}, {100, 82}}));
    view.SetCapture();
    wire->OnMouseMove(&view, MK_LBUTTON, CPoint(150, 120));
    EXPECT_EQ(wire->GetPoints(), (Points{{100, 82}, {150, 120}}));
    EXPECT_EQ(wire->GetRect(), CRect(100, 82, 150, 120));
    EXPECT_EQ(wire->GetPenStyle(), PS_DOT);
    EXPECT_EQ(host.scroll, CPoint(0, 0));
    // Within 15 of the visible bottom: the view scrolls to keep 15 units.
    wire->OnMouseMove(&view, MK_LBUTTON, CPoint(150, 195));
    EXPECT_EQ(host.scroll, CPoint(0, 10));
    // Near the right edge too.
    wire->OnMouseMove(&view, MK_LBUTTON, CPoint(295, 150));
    EXPECT_EQ(host.scroll, CPoint(10, 10));
    wire->OnLButtonUp(&view, 0, CPoint(295, 150));
    EXPECT_EQ(wire->GetPenStyle(), 6);
    EXPECT_EQ(wire->GetLineWidth(), 2);
    view.Select(nullptr);
}

TEST_F(ConnectTest, DrawsItsSegmentsThenItsNodeAndItsMarker)
{
    Place(1, {68, 50});
    wnd->AddNode(std::make_unique<CHOXNode>(9, CRect(195, 145, 205, 155), 40, wnd));
    CHOXConnect* wire = Wire(3, 1, 1, 9, CHOXConnect::kTargetNode);
    wire->SetJumpEnd(std::make_unique<CHOXFlowJumpEnd>(9, CRect(), wnd));
    wire->RerouteAll();
    kt::test::RecordingPaintDevice device;
    {
        QPainter painter(&device);
        CDC dc(painter);
        wire->Draw(&dc);
    }
    const auto& record = device.Record();
    ASSERT_GE(record.lines.size(), 2u);
    EXPECT_EQ(record.lines[0].line, QLineF(100, 82, 100, 150));
    EXPECT_EQ(record.lines[1].line, QLineF(100, 150, 200, 150));
    EXPECT_EQ(record.lines[0].pen.color(), QColor(Qt::black));
    EXPECT_DOUBLE_EQ(record.lines[0].pen.widthF(), 2.0);
    // The marker on the second point: filled, as an END follows.
    ASSERT_FALSE(record.rects.empty());
    EXPECT_EQ(record.rects.back().brush.color(), QColor(Qt::black));
}

TEST_F(ConnectTest, HitsRectUsesEachSegmentWidenedByFive)
{
    Place(1, {68, 50});
    Place(2, {268, 90});
    CHOXConnect* wire = Wire(3, 1, 1, 2);
    EXPECT_TRUE(wire->HitsRect(CRect(104, 100, 106, 102)));  // 4 right of the first segment
    EXPECT_FALSE(wire->HitsRect(CRect(106, 100, 108, 102))); // 6 right of it
    EXPECT_FALSE(wire->HitsRect(CRect(150, 60, 200, 70)));   // inside the bounds, off every segment
    // The window's point hit test: symbols first, then nodes, markers, wires.
    EXPECT_EQ(wnd->ObjectAt(CPoint(180, 130)), wire);
    EXPECT_EQ(wnd->ObjectAt(CPoint(180, 100)), nullptr);
}

// ---------------------------------------------------------------------------
// Following a moved symbol

TEST_F(ConnectTest, ASmallMoveShiftsTheEndAndAFarMoveRoutesAnew)
{
    CHOXSymbol* source = Place(1, {68, 50});
    CHOXSymbol* target = Place(2, {168, 150});
    CHOXConnect* wire = Wire(3, 1, 1, 2);
    ASSERT_EQ(RouteOf(wire), (Points{{100, 82}, {100, 116}, {200, 116}, {200, 150}}));

    // The target 10 to the right and 5 down: only the end moves.
    target->MoveTo(CRect(178, 155, 242, 187), nullptr);
    EXPECT_EQ(RouteOf(wire), (Points{{100, 82}, {100, 116}, {210, 116}, {210, 155}}));
    EXPECT_EQ(wire->GetRect(), CRect(100, 82, 210, 155));

    // The source 20 to the left: the first segment stays vertical.
    source->MoveTo(CRect(48, 50, 112, 82), nullptr);
    EXPECT_EQ(RouteOf(wire), (Points{{80, 82}, {80, 116}, {210, 116}, {210, 155}}));

    // The target up close to the horizontal: routed from scratch.
    target->MoveTo(CRect(178, 115, 242, 147), nullptr);
    EXPECT_EQ(RouteOf(wire), (Points{{80, 82}, {80, 98}, {210, 98}, {210, 115}}));
}

TEST_F(ConnectTest, NeedsRerouteRules)
{
    CHOXSymbol* source = Place(1, {68, 50});
    CHOXSymbol* target = Place(2, {168, 150});
    CHOXConnect* wire = Wire(3, 1, 1, 2); // (100,82) (100,116) (200,116) (200,150)
    auto movedTo = [&](CHOXSymbol* symbol, CPoint topLeft) {
        // Bounds only, as MoveTo has them when it asks.
        symbol->m_position = CRect(topLeft, CSize(64, 32));
    };
    const struct {
        const char* rule;
        bool source;
        CPoint to;
        bool reroute;
    } cases[] = {
        {"source a little higher", true, {68, 40}, false},
        {"source down to 7 above the horizontal", true, {68, 77}, true},
        {"source down to 8 above the horizontal", true, {68, 76}, false},
        {"target a little lower", false, {168, 170}, false},
        {"target up to 7 below the horizontal", false, {168, 123}, true},
        {"target up to 8 below the horizontal", false, {168, 124}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rule);
        movedTo(c.source ? source : target, c.to);
        EXPECT_EQ(wire->NeedsReroute(c.source ? 1 : 2, c.source ? 1 : 0, true), c.reroute);
        movedTo(source, {68, 50});
        movedTo(target, {168, 150});
    }
    // Points near the sheet's edges always route anew.
    wnd->GetBaseRect()->m_position = CRect(0, 0, 500, 125);
    EXPECT_TRUE(wire->NeedsReroute(2, 0, true));
    wnd->GetBaseRect()->m_position = CRect(0, 0, 500, 300);
    // A missing end always routes anew.
    wnd->RemoveObject(1);
    EXPECT_TRUE(wire->NeedsReroute(2, 0, true));
}

TEST_F(ConnectTest, MovingASymbolToWhereItIsChangesNothing)
{
    CHOXSymbol* source = Place(1, {68, 50});
    Place(2, {168, 150});
    CHOXConnect* wire = Wire(3, 1, 1, 2);
    const Points before = wire->GetPoints();
    doc.SetModifiedFlag(false);
    source->MoveTo(source->GetRect(), nullptr);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(wire->GetPoints(), before);
    source->MoveTo(CRect(69, 50, 133, 82), nullptr);
    EXPECT_TRUE(doc.IsModified());
}

// ---------------------------------------------------------------------------
// Following through nodes

TEST_F(ConnectTest, FinalTargetFollowsNodesAndAnswersNoneForABrokenChain)
{
    Place(1, {68, 50});
    Place(2, {68, 200});
    Place(4, {300, 50});
    CHOXConnect* main = Wire(3, 1, 1, 2);
    CHOXNode* node = NodeOn(main);
    ASSERT_NE(node, nullptr);
    CHOXConnect* jump = Wire(5, 4, 1, node->GetId(), CHOXConnect::kTargetNode);
    EXPECT_EQ(main->GetFinalTarget(), 2u);
    EXPECT_EQ(jump->GetFinalTarget(), 2u);
    // A wire to a node with no wire of its own ends nowhere.
    wnd->AddNode(std::make_unique<CHOXNode>(77, CRect(0, 0, 10, 10), 999, wnd));
    jump->SetTarget(77, CHOXConnect::kTargetNode);
    EXPECT_EQ(jump->GetFinalTarget(), CHOXConnect::kNone);
    jump->SetTarget(78, CHOXConnect::kTargetNode);
    EXPECT_EQ(jump->GetFinalTarget(), CHOXConnect::kNone);
    // Two jumps into each other's nodes run in a circle: no target either.
    wnd->AddNode(std::make_unique<CHOXNode>(80, CRect(0, 0, 10, 10), 5, wnd));
    jump->SetTarget(80, CHOXConnect::kTargetNode);
    EXPECT_EQ(jump->GetFinalTarget(), CHOXConnect::kNone);
}

// ---------------------------------------------------------------------------
// Nodes on wires

TEST_F(ConnectTest, CreateNodeSitsInTheMiddleOfTheLastSegment)
{
    Place(1, {68, 50});
    Place(2, {68, 150});
    CHOXConnect* wire = Wire(3, 1, 1, 2); // (100,82) (100,116) (100,116) (100,150)
    doc.MarkPointerNumberUsed(0);
    CHOXNode* node = NodeOn(wire);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->GetId(), 1u);
    EXPECT_TRUE(doc.IsPointerNumberUsed(1));
    EXPECT_EQ(node->GetRect(), CRect(95, 128, 105, 138));
    EXPECT_EQ(node->GetOutWireId(), 3u);
    EXPECT_EQ(wire->GetNodeId(), 1u);
    EXPECT_EQ(wire->GetNodeSegment(), 2);
    EXPECT_TRUE(wnd->GetUndo()->CanUndo());
    EXPECT_EQ(wnd->GetUndo()->GetAction(), 1);
    // One node per wire.
    EXPECT_FALSE(wire->CreateNode());
    // No free pointer number: no node.
    Place(4, {300, 50});
    Place(5, {300, 150});
    CHOXConnect* other = Wire(6, 4, 1, 5);
    for (int n = 0; n <= 255; ++n) doc.MarkPointerNumberUsed(n);
    EXPECT_FALSE(other->CreateNode());
    EXPECT_EQ(other->GetNodeId(), CHOXConnect::kNone);
}

TEST_F(ConnectTest, NodePositionsOnASegment)
{
    Place(1, {68, 50});
    Place(2, {168, 250});
    CHOXConnect* wire = Wire(3, 1, 1, 2); // (100,82) (100,166) (200,166) (200,250)
    CHOXNode* node = NodeOn(wire);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->GetRect(), CRect(195, 203, 205, 213));
    EXPECT_EQ(wire->GetNodeSegment(), 2);
    // Well inside the segment the node keeps its height; near an end it
    // goes to the middle.
    EXPECT_EQ(wire->NodePosOnSegment(2), CPoint(200, 208));
    EXPECT_EQ(wire->NodePosOnSegment(0), CPoint(100, 124));
    EXPECT_EQ(wire->NodePosOnSegment(9), CPoint(200, 208)); // beyond the last: the last
    EXPECT_EQ(wire->SegmentAt(CRect(99, 90, 101, 92)), 0);
    EXPECT_EQ(wire->SegmentAt(CRect(300, 90, 301, 92)), -1);
    CPoint at;
    EXPECT_TRUE(wire->NodePointAt(CPoint(103, 100), &at));
    EXPECT_EQ(at, CPoint(100, 100));
    EXPECT_FALSE(wire->NodePointAt(CPoint(150, 166), &at)); // horizontal
    EXPECT_FALSE(wire->NodePointAt(CPoint(150, 100), &at)); // off the wire
}

TEST_F(ConnectTest, DoubleClickMakesANodeThroughTheDialog)
{
    Place(1, {68, 50});
    Place(2, {68, 200});
    CHOXConnect* wire = Wire(3, 1, 1, 2); // (100,82) (100,141) (100,141) (100,200)
    doc.MarkPointerNumberUsed(0);
    ScriptedDialogs dialogs;
    dialogs.Expect(2063, [](DialogDriver& d) {
        EXPECT_EQ(d.Text(CHOXNodeDlg::kNumberEdit), QStringLiteral("1"));
        d.Type(CHOXNodeDlg::kNumberEdit, QStringLiteral("12"));
        d.Click(IDOK);
    });
    wire->OnOpen(0, CPoint(102, 170));
    auto* node = dynamic_cast<CHOXNode*>(wnd->LookupNode(12));
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->GetRect(), CRect(95, 165, 105, 175));
    EXPECT_EQ(wire->GetNodeId(), 12u);
    EXPECT_EQ(wire->GetNodeSegment(), 2);
    EXPECT_TRUE(doc.IsPointerNumberUsed(12));
    EXPECT_FALSE(doc.IsPointerNumberUsed(1)); // the number offered went back
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(wnd->GetUndo()->GetAction(), 1);
    // A second double click changes nothing.
    wire->OnOpen(0, CPoint(102, 120));
    EXPECT_EQ(wnd->GetNodeMap().GetCount(), 1u);
}

TEST_F(ConnectTest, CancellingTheDialogGivesBackOnlyANumberTakenForTheNode)
{
    // A plain source: the number was taken for the node and goes back.
    Place(1, {68, 50});
    Place(2, {68, 200});
    CHOXConnect* wire = Wire(3, 1, 1, 2);
    ScriptedDialogs dialogs;
    dialogs.Expect(2063, [](DialogDriver& d) { d.Click(IDCANCEL); });
    wire->OnOpen(0, CPoint(100, 170));
    EXPECT_FALSE(doc.IsPointerNumberUsed(0));
    EXPECT_EQ(wnd->GetNodeMap().GetCount(), 0u);

    // A POINTER's wire offers the POINTER's number, which stays taken.
    auto* pointer = Place<CHOXFlowPointer>(4, {268, 50});
    ASSERT_EQ(pointer->GetPointerNumber(), 0);
    Place(5, {268, 200});
    CHOXConnect* fromPointer = Wire(6, 4, 0, 5);
    dialogs.Expect(2063, [](DialogDriver& d) {
        EXPECT_EQ(d.Text(CHOXNodeDlg::kNumberEdit), QStringLiteral("0"));
        d.Click(IDCANCEL);
    });
    fromPointer->OnOpen(0, CPoint(300, 170));
    EXPECT_TRUE(doc.IsPointerNumberUsed(0));
    EXPECT_EQ(pointer->GetPointerNumber(), 0);
}

TEST_F(ConnectTest, ANodeOnAPointersWireRenumbersThePointer)
{
    auto* pointer = Place<CHOXFlowPointer>(1, {68, 50});
    Place(2, {68, 200});
    CHOXConnect* wire = Wire(3, 1, 0, 2);
    ScriptedDialogs dialogs;
    ScriptedMessages messages;
    dialogs.Expect(2063, [](DialogDriver& d) {
        d.Type(CHOXNodeDlg::kNumberEdit, QStringLiteral("20"));
        d.Click(IDOK);
    });
    messages.Expect(QStringLiteral("Caution :Pointer Number of FlowPointer symbol is also updated"),
                    MB_OK | MB_ICONINFORMATION, IDOK);
    wire->OnOpen(0, CPoint(100, 170));
    EXPECT_EQ(pointer->GetPointerNumber(), 20);
    EXPECT_NE(wnd->LookupNode(20), nullptr);
    EXPECT_TRUE(doc.IsPointerNumberUsed(20));
    EXPECT_FALSE(doc.IsPointerNumberUsed(0));

    // Keeping the POINTER's number shows no caution.
    Place<CHOXFlowPointer>(4, {268, 50});
    Place(5, {268, 200});
    CHOXConnect* second = Wire(6, 4, 0, 5);
    dialogs.Expect(2063, [](DialogDriver& d) { d.Click(IDOK); });
    second->OnOpen(0, CPoint(300, 170));
    EXPECT_NE(wnd->LookupNode(0), nullptr);
}

TEST_F(ConnectTest, NoNodeOnAWireToANodeOrToAJump)
{
    Place(1, {68, 50});
    Place<CHOXFlowJump>(2, {68, 200});
    CHOXConnect* toJump = Wire(3, 1, 1, 2);
    Place(4, {268, 50});
    wnd->AddNode(std::make_unique<CHOXNode>(9, CRect(295, 195, 305, 205), 40, wnd));
    CHOXConnect* toNode = Wire(5, 4, 1, 9, CHOXConnect::kTargetNode);
    ScriptedMessages messages;
    messages.Expect(QStringLiteral("ERROR :  Cannot create Node on this Wire Object."), MB_OK | MB_ICONHAND, IDOK)
        .Expect(QStringLiteral("ERROR :  Cannot create Node on this Wire Object."), MB_OK | MB_ICONHAND, IDOK);
    toJump->OnOpen(0, CPoint(100, 170));
    toNode->OnOpen(0, CPoint(300, 150));
    EXPECT_EQ(wnd->GetNodeMap().GetCount(), 1u);
    EXPECT_FALSE(doc.IsPointerNumberUsed(0));
}

// ---------------------------------------------------------------------------
// Taking wires out and putting them back

TEST_F(ConnectTest, FreeingAFreePinLeavesItFree)
{
    CHOXSymbol* source = Place(1, {68, 50});
    CHOXSymbol* target = Place(2, {68, 150});
    CHOXConnect* wire = Wire(3, 1, 1, 2);
    wire->FreeEnds();
    EXPECT_TRUE(source->GetPin(1)->IsFree());
    EXPECT_TRUE(target->GetPin(0)->IsFree());
    // Freed twice: still free, not linked to the wire again.
    wire->FreeEnds();
    EXPECT_TRUE(source->GetPin(1)->IsFree());
    EXPECT_TRUE(target->GetPin(0)->IsFree());
    // A pin that holds another wire keeps it.
    target->GetPin(0)->SetLinkId(8);
    wire->FreeTargetPin();
    EXPECT_EQ(target->GetPin(0)->GetLinkId(), 8u);
}

TEST_F(ConnectTest, RemoveFreesBothEndsAndLeavesTheMapToTheCaller)
{
    CHOXSymbol* source = Place(1, {68, 50});
    CHOXSymbol* target = Place(2, {68, 150});
    CHOXConnect* wire = Wire(3, 1, 1, 2);
    auto owned = wnd->RemoveConnect(3);
    EXPECT_FALSE(wire->Remove());
    EXPECT_TRUE(source->GetPin(1)->IsFree());
    EXPECT_TRUE(target->GetPin(0)->IsFree());
    // A wire to a node leaves the node's list.
    wnd->AddNode(std::make_unique<CHOXNode>(9, CRect(195, 145, 205, 155), 40, wnd));
    CHOXConnect* jump = Wire(4, 1, 1, 9, CHOXConnect::kTargetNode);
    auto* node = dynamic_cast<CHOXNode*>(wnd->LookupNode(9));
    ASSERT_EQ(node->GetInWires(), std::vector<DWORD>{4});
    jump->Remove();
    EXPECT_TRUE(node->GetInWires().empty());
    EXPECT_NE(wnd->LookupConnect(4), nullptr);
}

TEST_F(ConnectTest, RemovingAWireHandsItsNodeAndTheJumpsToItToUndo)
{
    const auto [main, node, number] = PlaceNodedWire(true);
    Wire(5, 4, 1, number, CHOXConnect::kTargetNode);
    wnd->GetUndo()->Clear();
    auto owned = wnd->RemoveConnect(3);
    main->Remove();
    EXPECT_EQ(wnd->LookupNode(static_cast<WORD>(number)), nullptr);
    EXPECT_EQ(wnd->LookupConnect(5), nullptr); // the jump went with its node
    EXPECT_FALSE(doc.IsPointerNumberUsed(static_cast<int>(number)));
    EXPECT_TRUE(dynamic_cast<CHOXSymbol*>(wnd->LookupObject(4))->GetPin(1)->IsFree());
    EXPECT_EQ(wnd->GetUndo()->GetAction(), 2);
    EXPECT_TRUE(wnd->GetUndo()->CanUndo());
}

TEST_F(ConnectTest, DeletingTheSourceGivesTheNodeToTheNearestJump)
{
    Place(1, {68, 50});
    CHOXSymbol* end = Place(2, {68, 250});
    Place(4, {300, 50});
    Place(6, {400, 0});
    CHOXConnect* main = Wire(3, 1, 1, 2);
    CHOXNode* node = NodeOn(main);
    const DWORD number = node->GetId();
    CHOXConnect* near = Wire(5, 4, 1, number, CHOXConnect::kTargetNode);
    CHOXConnect* far = Wire(7, 6, 1, number, CHOXConnect::kTargetNode);
    ASSERT_EQ(node->GetInWires(), (std::vector<DWORD>{5, 7}));
    EXPECT_EQ(main->NearestIncomingWire(), near);

    std::unique_ptr<CHOXDrawObj> gone = main->DetachFromSource();
    EXPECT_EQ(gone.get(), main);
    EXPECT_EQ(wnd->LookupConnect(3), nullptr);
    // The nearest jump now runs into the END and carries the node.
    EXPECT_EQ(near->GetTargetKind(), CHOXConnect::kTargetSymbol);
    EXPECT_EQ(near->GetTargetId(), 2u);
    EXPECT_EQ(end->GetPin(0)->GetLinkId(), 5u);
    EXPECT_EQ(node->GetOutWireId(), 5u);
    EXPECT_EQ(node->GetInWires(), std::vector<DWORD>{7});
    EXPECT_EQ(near->GetNodeId(), number);
    EXPECT_EQ(near->GetNodeSegment(), 0);
    EXPECT_EQ(far->GetFinalTarget(), 2u);
    EXPECT_TRUE(doc.IsPointerNumberUsed(static_cast<int>(number)));

    // Undo puts the wire back and the node returns to it.
    wnd->AddConnect(std::move(gone));
    main->RestoreLinks();
    EXPECT_EQ(end->GetPin(0)->GetLinkId(), 3u);
    EXPECT_EQ(node->GetOutWireId(), 3u);
    EXPECT_EQ(main->GetNodeId(), number);
    EXPECT_EQ(near->GetNodeId(), CHOXConnect::kNone);
    EXPECT_EQ(near->GetTargetKind(), CHOXConnect::kTargetNode);
    EXPECT_EQ(near->GetTargetId(), number);
    EXPECT_EQ(node->GetInWires(), (std::vector<DWORD>{7, 5}));
    EXPECT_EQ(near->GetPoints().back(), node->GetRect().CenterPoint());
}

TEST_F(ConnectTest, ANodeNobodyJumpsToGoesWithItsWire)
{
    const auto [main, node, number] = PlaceNodedWire();
    wnd->GetUndo()->Clear();
    std::unique_ptr<CHOXDrawObj> gone = main->DetachFromSource();
    EXPECT_EQ(wnd->LookupNode(static_cast<WORD>(number)), nullptr);
    EXPECT_FALSE(doc.IsPointerNumberUsed(static_cast<int>(number)));
    EXPECT_EQ(wnd->GetUndo()->GetAction(), 2);
}

TEST_F(ConnectTest, AJumpFromTheSymbolTheWireEntersDoesNotInheritIt)
{
    const auto [main, node, number] = PlaceNodedWire();
    // The END's own output jumps back to the node (a loop).
    CHOXConnect* loop = Wire(5, 2, 1, number, CHOXConnect::kTargetNode);
    std::unique_ptr<CHOXDrawObj> gone = main->DetachFromSource();
    EXPECT_EQ(wnd->LookupNode(static_cast<WORD>(number)), nullptr);
    EXPECT_EQ(wnd->LookupConnect(5), nullptr);
    EXPECT_EQ(loop->GetTargetKind(), CHOXConnect::kTargetNode);
}

TEST_F(ConnectTest, AnInheritingPointerWireGivesTheNodeItsNumber)
{
    Place(1, {68, 50});
    Place(2, {68, 250});
    auto* pointer = Place<CHOXFlowPointer>(4, {300, 50});
    const int pointerNumber = pointer->GetPointerNumber();
    CHOXConnect* main = Wire(3, 1, 1, 2);
    CHOXNode* node = NodeOn(main);
    const DWORD number = node->GetId();
    ASSERT_NE(static_cast<int>(number), pointerNumber);
    CHOXConnect* jump = Wire(5, 4, 0, number, CHOXConnect::kTargetNode);
    std::unique_ptr<CHOXDrawObj> gone = main->DetachFromSource();
    // The node now stands for the POINTER's label.
    EXPECT_EQ(node->GetId(), static_cast<DWORD>(pointerNumber));
    EXPECT_EQ(wnd->LookupNode(static_cast<WORD>(pointerNumber)), node);
    EXPECT_EQ(jump->GetNodeId(), static_cast<DWORD>(pointerNumber));
    EXPECT_FALSE(doc.IsPointerNumberUsed(static_cast<int>(number)));
    EXPECT_TRUE(doc.IsPointerNumberUsed(pointerNumber));

    // Undo: the node takes this wire's number again; the POINTER keeps its.
    wnd->AddConnect(std::move(gone));
    main->RestoreLinks();
    EXPECT_EQ(node->GetId(), number);
    EXPECT_EQ(main->GetNodeId(), number);
    EXPECT_TRUE(doc.IsPointerNumberUsed(static_cast<int>(number)));
    EXPECT_EQ(pointer->GetPointerNumber(), pointerNumber);
    EXPECT_EQ(jump->GetTargetId(), number);
}

TEST_F(ConnectTest, DeletingTheInputPinDetachesTheWire)
{
    CHOXSymbol* source = Place(1, {68, 50});
    CHOXSymbol* target = Place(2, {68, 150});
    Wire(3, 1, 1, 2);
    target->DeletePins();
    EXPECT_EQ(target->GetPinCount(), 0);
    EXPECT_EQ(wnd->LookupConnect(3), nullptr);
    EXPECT_TRUE(source->GetPin(1)->IsFree());
    EXPECT_EQ(wnd->GetUndo()->GetAction(), 2);
}

TEST_F(ConnectTest, RestoreJumpChainHandsAnOrphanedNodeOn)
{
    const auto [main, node, number] = PlaceNodedWire(true);
    CHOXConnect* jump = Wire(5, 4, 1, number, CHOXConnect::kTargetNode);
    // Undo of the added wire: it has left the chart, its node stays.
    auto owned = wnd->RemoveConnect(3);
    main->FreeEnds();
    main->RestoreJumpChain();
    EXPECT_EQ(node->GetOutWireId(), 5u);
    EXPECT_EQ(jump->GetTargetId(), 2u);
    EXPECT_EQ(jump->GetTargetKind(), CHOXConnect::kTargetSymbol);
    EXPECT_EQ(jump->GetNodeId(), number);
    EXPECT_EQ(jump->GetPoints().back(), CPoint(100, 250));
}

TEST_F(ConnectTest, ASideExitWireTellsTheJumpItsCaptionMode)
{
    Place<SideExitSymbol>(1, {68, 50});
    auto* jump = Place<CHOXFlowJump>(2, {268, 150});
    ASSERT_EQ(jump->GetCaptionMode(), 1);
    CHOXConnect* wire = Wire(3, 1, 2, 2);
    wire->NotifyJumpSymbol(0);
    EXPECT_EQ(jump->GetCaptionMode(), 0);
    EXPECT_EQ(jump->GetSymbolName(), QStringLiteral("JUMPWEND"));
    auto owned = wnd->RemoveConnect(3);
    wire->Remove();
    EXPECT_EQ(jump->GetCaptionMode(), 1);
    EXPECT_EQ(jump->GetSymbolName(), QStringLiteral("JUMP"));
    // A wire from a bottom output leaves the JUMP alone.
    Place(4, {268, 50});
    CHOXConnect* plain = Wire(5, 4, 1, 2);
    plain->NotifyJumpSymbol(0);
    EXPECT_EQ(jump->GetCaptionMode(), 1);
}

TEST_F(ConnectTest, AChartWithAnEmptyWireEntryIsRefused)
{
    Place(1, {68, 50});
    Place(2, {68, 150});
    Wire(3, 1, 1, 2);
    CArchive good;
    good.m_pDocument = &doc;
    good.WriteObject(wnd);
    {
        CArchive in(good.Buffer());
        in.m_pDocument = &doc;
        auto back = in.ReadOwned<CHOXFlowWnd>();
        ASSERT_TRUE(back);
        auto* wire = dynamic_cast<CHOXConnect*>(back->LookupConnect(3));
        ASSERT_NE(wire, nullptr);
        EXPECT_EQ(wire->GetWnd(), back.get());
        EXPECT_EQ(wire->GetPoints(), RouteOf(dynamic_cast<CHOXConnect*>(wnd->LookupConnect(3))));
    }
    wnd->GetConnectMap().SetAt(4, nullptr);
    CArchive bad;
    bad.m_pDocument = &doc;
    bad.WriteObject(wnd);
    wnd->GetConnectMap().RemoveKey(4);
    CArchive in(bad.Buffer());
    in.m_pDocument = &doc;
    EXPECT_THROW(in.ReadOwned<CHOXFlowWnd>(), ArchiveError);
}
