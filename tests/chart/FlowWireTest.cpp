// Drawing wires with the wire tool: where a wire may start, every row of the
// joining table (joined or discarded, with its message), the jump-end
// marker, the side exit's node, and the ids of discarded wires.
#include "chart/ChartLookup.h"
#include "chart/FlowViewFixture.h"
#include "platform/DC.h"
#include "symbols/flow/HOXFlowJump.h"
#include "symbols/flow/HOXFlowJumpEnd.h"

using namespace kt::test;

namespace {

const ViewPlace kPlaces[] = {{2, CPoint(0, 0), "Normal"}, {0, CPoint(150, 90), "LargeScrolled"}};

const QString kPinsTaken = QStringLiteral("ERROR :  Pins are not vacant on this side of this Symbol.");

class FlowWireTest : public FlowViewFixture, public ::testing::WithParamInterface<ViewPlace> {
protected:
    FlowWireTest()
    {
        ShowAt(GetParam());
        upper = Place(1, CPoint(100, 60));                 // in (132, 60), out (132, 92)
        lower = Place(2, CPoint(100, 240));                // in (132, 240), out (132, 272)
        cjump = Place<SideExitSymbol>(3, CPoint(300, 60)); // side exit (364, 76)
        jump = Place<CHOXFlowJump>(4, CPoint(420, 240));   // in (452, 240)
        from = Place(5, CPoint(600, 60));
        to = Place(6, CPoint(600, 400));
        // A node on the wire from 5 to 6, at (632, 348).
        carrier = Wire(10, 5, 1, 6);
        node = NodeOn(carrier);
        CHOXDoc::IdCounters counters = doc.GetIdCounters();
        counters.symbol = 7;
        counters.wire = 11;
        doc.SetIdCounters(counters);
        view.OnWireTool();
        doc.SetModifiedFlag(false);
    }

    static CPoint In(const CHOXSymbol* s) { return s->GetPinPosition(0); }
    static CPoint Out(const CHOXSymbol* s) { return s->GetPinPosition(1); }
    CPoint NodeAt() const { return node->GetRect().CenterPoint(); }
    // The wire made last, when it is still there.
    CHOXConnect* NewWire() const { return chart::FindWire(wnd, 11); }

    // Takes the last wire back and starts the wire ids where they were.
    void Forget()
    {
        view.OnEditUndo();
        wnd->GetUndo()->Clear();
        CHOXDoc::IdCounters counters = doc.GetIdCounters();
        counters.wire = 11;
        doc.SetIdCounters(counters);
    }

    // A discarded wire leaves nothing behind: no wire, its id back, the
    // pins free, the tool still on.
    void ExpectDiscarded(std::size_t wiresBefore) const
    {
        EXPECT_EQ(Wires(), wiresBefore);
        EXPECT_EQ(NewWire(), nullptr);
        EXPECT_EQ(doc.GetIdCounters().wire, 11);
        EXPECT_EQ(view.GetSelectionCount(), 0u);
        EXPECT_FALSE(host.capture);
        EXPECT_EQ(Mode(), 2);
        for (const CHOXSymbol* s : {upper, lower, cjump, jump})
            for (int i = 0; i < s->GetPinCount(); ++i) EXPECT_TRUE(s->GetPin(i)->IsFree());
        EXPECT_EQ(node->GetInWires().size(), 0u);
    }

    CHOXSymbol* upper = nullptr;
    CHOXSymbol* lower = nullptr;
    CHOXSymbol* cjump = nullptr;
    CHOXSymbol* jump = nullptr;
    CHOXSymbol* from = nullptr;
    CHOXSymbol* to = nullptr;
    CHOXConnect* carrier = nullptr;
    CHOXNode* node = nullptr;
};

INSTANTIATE_TEST_SUITE_P(Places, FlowWireTest, ::testing::ValuesIn(kPlaces),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(FlowWireTest, AWireStartsOnlyAtAFreePinOrANode)
{
    // Beside every pin and node the tool ends.
    Press(CPoint(250, 500));
    EXPECT_EQ(Mode(), 0);
    Release(CPoint(250, 500));
    EXPECT_EQ(Wires(), 1u);
    // On a wire too.
    view.OnWireTool();
    Press(CPoint(632, 150));
    EXPECT_EQ(Mode(), 0);
    Release(CPoint(632, 150));

    // On a pin that carries a wire: the message, and the tool stays.
    view.OnWireTool();
    {
        ScriptedMessages messages;
        messages.Expect(kPinsTaken, kStop, IDOK);
        Press(Out(from));
    }
    EXPECT_EQ(Mode(), 2);
    EXPECT_FALSE(host.capture);
    EXPECT_EQ(view.GetSelectionCount(), 0u);
    Release(Out(from));
    EXPECT_EQ(Wires(), 1u);

    // On a free pin: a new wire in the map, the only selection, recorded as
    // added; its end follows the mouse.
    Press(Out(upper));
    ASSERT_NE(NewWire(), nullptr);
    EXPECT_EQ(view.GetSelection().back(), NewWire());
    EXPECT_EQ(view.m_nWireStartPin, 1);
    EXPECT_EQ(view.m_nWireStartObject, 1);
    EXPECT_EQ(view.m_nTracking, 1);
    EXPECT_EQ(wnd->GetUndo()->GetAction(), 1);
    MoveTo(CPoint(150, 180));
    EXPECT_EQ(NewWire()->GetPoints().back(), CPoint(150, 180));
    EXPECT_EQ(NewWire()->GetPenStyle(), PS_DOT);
}

TEST_P(FlowWireTest, WiresRunFromAnOutputToAnInputWhicheverEndStarts)
{
    const struct {
        const char* what;
        bool fromOutput;
    } cases[] = {{"output to input", true}, {"input to output", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CPoint start = c.fromOutput ? Out(upper) : In(lower);
        const CPoint end = c.fromOutput ? In(lower) : Out(upper);
        DrawWire(start, end);
        CHOXConnect* wire = NewWire();
        ASSERT_NE(wire, nullptr);
        EXPECT_EQ(wire->GetSourceId(), 1u);
        EXPECT_EQ(wire->GetSourcePin(), 1);
        EXPECT_EQ(wire->GetTargetId(), 2u);
        EXPECT_EQ(wire->GetTargetKind(), CHOXConnect::kTargetSymbol);
        EXPECT_EQ(upper->GetPin(1)->GetLinkId(), 11u);
        EXPECT_EQ(lower->GetPin(0)->GetLinkId(), 11u);
        // Routed, finished, and the tool stays on for the next wire.
        EXPECT_EQ(wire->GetPoints().front(), Out(upper));
        EXPECT_EQ(wire->GetPoints().back(), In(lower));
        EXPECT_EQ(wire->GetLineWidth(), 2);
        EXPECT_EQ(wire->GetJumpEnd(), nullptr);
        EXPECT_EQ(Mode(), 2);
        EXPECT_EQ(view.GetSelectionCount(), 0u);
        EXPECT_FALSE(host.capture);
        EXPECT_EQ(view.m_nTracking, 0);
        EXPECT_TRUE(doc.IsModified());
        // The wire is the step of the undo store.
        view.OnEditUndo();
        EXPECT_EQ(NewWire(), nullptr);
        EXPECT_TRUE(upper->GetPin(1)->IsFree());
        EXPECT_TRUE(lower->GetPin(0)->IsFree());
        Forget();
    }
}

TEST_P(FlowWireTest, RefusedJoinsDiscardTheWireAndGiveItsIdBack)
{
    const QString inToIn =
        QStringLiteral("ERROR : Input side of the symbol is connected to the Input side of the symbol.");
    const QString outToOut =
        QStringLiteral("ERROR : Output side  of the symbol is connected to the Output side of the symbol.");
    const struct {
        const char* what;
        CPoint start;
        CPoint end;
        QString message; // empty: none
    } cases[] = {
        {"on empty space", Out(upper), CPoint(250, 500), {}},
        {"on another wire", Out(upper), CPoint(632, 150), {}},
        {"on its own symbol", Out(upper), In(upper),
         QStringLiteral("ERROR :  Can not be connected to the same symbol.")},
        {"input to input", In(upper), In(lower), inToIn},
        {"output to output", Out(upper), Out(lower), outToOut},
        {"on a symbol's taken pin", Out(upper), In(to), kPinsTaken},
        {"on a symbol beside its pins", Out(upper), CPoint(332, 76), kPinsTaken},
        {"node to an input", NodeAt(), In(lower), QStringLiteral("ERROR :  Node cannot be connected to symbol input.")},
        {"node to a node", NodeAt(), NodeAt(), QStringLiteral("ERROR :  Node Can not be connected to the Node.")},
        {"an input to a node", In(lower), NodeAt(),
         QStringLiteral("ERROR : Symbol input cannot be connected to Node.")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::size_t before = Wires();
        {
            ScriptedMessages messages;
            if (!c.message.isEmpty()) messages.Expect(c.message, kStop, IDOK);
            DrawWire(c.start, c.end);
        }
        ExpectDiscarded(before);
        // Nothing is left to undo.
        EXPECT_FALSE(wnd->GetUndo()->CanUndo());
    }
}

TEST_P(FlowWireTest, AWireToANodeJumpsThereWithAMarker)
{
    const struct {
        const char* what;
        CPoint start;
        CPoint end;
        DWORD source;
    } cases[] = {{"from an output", Out(upper), NodeAt(), 1}, {"from the node to an output", NodeAt(), Out(lower), 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DrawWire(c.start, c.end);
        CHOXConnect* wire = NewWire();
        ASSERT_NE(wire, nullptr);
        EXPECT_EQ(wire->GetSourceId(), c.source);
        EXPECT_EQ(wire->GetSourcePin(), 1);
        EXPECT_EQ(wire->GetTargetId(), node->GetId());
        EXPECT_EQ(wire->GetTargetKind(), CHOXConnect::kTargetNode);
        EXPECT_EQ(node->GetInWires(), std::vector<DWORD>{11});
        auto* marker = dynamic_cast<CHOXFlowJumpEnd*>(wire->GetJumpEnd());
        ASSERT_NE(marker, nullptr);
        EXPECT_EQ(marker->GetPointerNumber(), static_cast<std::int32_t>(node->GetId()));
        const CPoint second = wire->GetSecondPoint();
        EXPECT_EQ(marker->GetRect(), CRect(second.x - 5, second.y - 5, second.x + 5, second.y + 5));
        EXPECT_EQ(wire->GetPoints().back(), NodeAt());
        view.OnEditUndo();
        EXPECT_EQ(NewWire(), nullptr);
        EXPECT_TRUE(node->GetInWires().empty());
        Forget();
    }
}

TEST_P(FlowWireTest, AWireReleasedOnAJumpEndMarkerIsDiscarded)
{
    DrawWire(Out(upper), NodeAt());
    ASSERT_NE(NewWire(), nullptr);
    const CRect marker = NewWire()->GetJumpEnd()->GetRect();
    wnd->GetUndo()->Clear();
    CHOXDoc::IdCounters counters = doc.GetIdCounters();
    const std::int32_t next = counters.wire;
    DrawWire(Out(lower), marker.CenterPoint());
    EXPECT_EQ(Wires(), 2u);
    EXPECT_EQ(doc.GetIdCounters().wire, next);
    EXPECT_TRUE(lower->GetPin(1)->IsFree());
    EXPECT_EQ(Mode(), 2);
}

TEST_P(FlowWireTest, TheSideExitGetsNoMarkerAndANodeOfItsOwnUnlessItLeadsToAJump)
{
    const CPoint side = cjump->GetPinPosition(2);
    auto* theJump = static_cast<CHOXFlowJump*>(jump);

    // To a node: a jump without a marker.
    DrawWire(side, NodeAt());
    ASSERT_NE(NewWire(), nullptr);
    EXPECT_EQ(NewWire()->GetJumpEnd(), nullptr);
    EXPECT_EQ(NewWire()->GetNodeId(), CHOXConnect::kNone);
    Forget();

    // To a JUMP: straight in, no node.
    const std::size_t nodes = Nodes();
    DrawWire(side, In(jump));
    CHOXConnect* wire = NewWire();
    ASSERT_NE(wire, nullptr);
    EXPECT_EQ(wire->GetSourcePin(), 2);
    EXPECT_EQ(wire->GetNodeId(), CHOXConnect::kNone);
    EXPECT_EQ(Nodes(), nodes);
    EXPECT_EQ(theJump->GetCaptionMode(), 0);
}

TEST_P(FlowWireTest, ASideExitToAnOrdinarySymbolCarriesANode)
{
    const CPoint side = cjump->GetPinPosition(2);
    const struct {
        const char* what;
        CPoint start;
        CPoint end;
    } cases[] = {{"from the side exit", side, In(lower)}, {"from the input", In(lower), side}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::size_t nodes = Nodes();
        DrawWire(c.start, c.end);
        CHOXConnect* wire = NewWire();
        ASSERT_NE(wire, nullptr);
        EXPECT_EQ(wire->GetSourceId(), 3u);
        EXPECT_EQ(wire->GetSourcePin(), 2);
        EXPECT_EQ(wire->GetTargetId(), 2u);
        ASSERT_NE(wire->GetNodeId(), CHOXConnect::kNone);
        EXPECT_EQ(Nodes(), nodes + 1);
        EXPECT_TRUE(doc.IsPointerNumberUsed(static_cast<int>(wire->GetNodeId())));
        // Undo takes the wire and its node away, and the number goes back.
        const int number = static_cast<int>(wire->GetNodeId());
        view.OnEditUndo();
        EXPECT_EQ(NewWire(), nullptr);
        EXPECT_EQ(Nodes(), nodes);
        EXPECT_FALSE(doc.IsPointerNumberUsed(number));
        Forget();
    }
}

} // namespace
