// The side-exit rules of the wiring ask the pin, not the symbol's class: a
// symbol of the tests' own, whose side exit is its second pin, gets what the
// conditional jump's side exit gets.
#include "chart/ChartLookup.h"
#include "chart/FlowViewFixture.h"
#include "chart/HOXJumpEndBase.h"
#include "chart/SymbolSupport.h"

using namespace kt::test;

namespace {

// An input on top and a side exit at (64, 16), and nothing else.
class SideExitProbe : public CHOXSymbol {
public:
    SideExitProbe(CPoint topLeft, CHOXWnd* wnd) : CHOXSymbol(topLeft, wnd) {}
    void CreatePins() override
    {
        SetPinCount(2);
        SetPin(0, chart::MakePin(0, 32, 0, CHOXPin::kTop, CHOXPin::kInput, m_pWnd));
        SetPin(1, chart::MakePin(1, 64, 16, CHOXPin::kSideExit, CHOXPin::kOutput, m_pWnd));
    }
};

class SideExitTest : public FlowViewFixture {
protected:
    SideExitTest()
    {
        probe = Place<SideExitProbe>(1, CPoint(100, 60)); // side exit (164, 76)
        target = Place(2, CPoint(100, 240));              // input (132, 240)
        from = Place(3, CPoint(400, 60));
        to = Place(4, CPoint(400, 300));
        node = NodeOn(Wire(10, 3, 1, 4));
        CHOXDoc::IdCounters counters = doc.GetIdCounters();
        counters.symbol = 5;
        counters.wire = 11;
        doc.SetIdCounters(counters);
        view.OnWireTool();
    }

    CHOXConnect* NewWire() const { return chart::FindWire(wnd, 11); }

    CHOXSymbol* probe = nullptr;
    CHOXSymbol* target = nullptr;
    CHOXSymbol* from = nullptr;
    CHOXSymbol* to = nullptr;
    CHOXNode* node = nullptr;
};

} // namespace

TEST_F(SideExitTest, TheSymbolAnswersForItsPinsByTheirKind)
{
    EXPECT_FALSE(probe->IsSideExitPin(0));
    EXPECT_TRUE(probe->IsSideExitPin(1));
    EXPECT_FALSE(probe->IsSideExitPin(2));
    EXPECT_TRUE(probe->HasSideExit());
    EXPECT_FALSE(target->HasSideExit());
}

TEST_F(SideExitTest, AWireFromTheSideExitToASymbolCarriesANodeOfItsOwn)
{
    const std::size_t nodes = wnd->GetNodeMap().GetCount();
    DrawWire(probe->GetPinPosition(1), target->GetPinPosition(0));
    CHOXConnect* wire = NewWire();
    ASSERT_NE(wire, nullptr);
    EXPECT_EQ(wire->GetSourceId(), 1u);
    EXPECT_EQ(wire->GetSourcePin(), 1);
    EXPECT_NE(wire->GetNodeId(), CHOXConnect::kNone);
    EXPECT_EQ(wnd->GetNodeMap().GetCount(), nodes + 1);
}

TEST_F(SideExitTest, AWireFromTheSideExitToANodeGetsNoJumpEndMarker)
{
    DrawWire(probe->GetPinPosition(1), node->GetRect().CenterPoint());
    CHOXConnect* wire = NewWire();
    ASSERT_NE(wire, nullptr);
    EXPECT_EQ(wire->GetTargetKind(), CHOXConnect::kTargetNode);
    EXPECT_EQ(wire->GetJumpEnd(), nullptr);

    // From an ordinary output the same join gets one.
    DrawWire(target->GetPinPosition(1), node->GetRect().CenterPoint());
    CHOXConnect* plain = chart::FindWire(wnd, 12);
    ASSERT_NE(plain, nullptr);
    EXPECT_NE(plain->GetJumpEnd(), nullptr);
}
