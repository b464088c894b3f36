// SUBROUTINE CALL: the called number, program text, steps, error state.
#include "symbols/flow/HOXFlowCall.h"

#include "chart/HOXPin.h"
#include "symbols/FlowSymbolTestSupport.h"

using kt::test::FlowDocTest;

namespace {
class FlowCallTest : public FlowDocTest {};
} // namespace

TEST_F(FlowCallTest, ANewCallHasNoNumber)
{
    CHOXFlowCall* call = Place<CHOXFlowCall>(chart);
    EXPECT_EQ(call->GetObjectType(), 305);
    EXPECT_EQ(call->GetSymbolName(), QStringLiteral("SUBROUTINE CALL"));
    EXPECT_EQ(call->GetCategory(), 0);
    EXPECT_EQ(call->GetPointerNumber(), -1);
    EXPECT_EQ(call->GetLabel(), QString());
    // The blank stays before the ";".
    EXPECT_EQ(call->GetCode(), QStringLiteral("CALL(FNC02) ;"));
    EXPECT_EQ(call->GetSteps(), 2);
    EXPECT_EQ(call->GetErrorState(), 1);
    EXPECT_EQ(UsedPointerNumbers(), 0);
}

TEST_F(FlowCallTest, HasAnInputAtTheTopAndAnOutputAtTheBottom)
{
    CHOXFlowCall* call = Place<CHOXFlowCall>(chart);
    ASSERT_EQ(call->GetPinCount(), 2);
    const struct {
        int index;
        CPoint offset;
        int kind;
        bool input;
    } pins[] = {{0, CPoint(32, 0), 0, true}, {1, CPoint(32, 32), 1, false}};
    for (const auto& p : pins) {
        const CHOXPin* pin = call->GetPin(p.index);
        ASSERT_NE(pin, nullptr);
        EXPECT_EQ(pin->GetNumber(), p.index);
        EXPECT_EQ(pin->GetOffset(), p.offset);
        EXPECT_EQ(pin->GetKind(), p.kind);
        EXPECT_EQ(pin->IsInputSide(), p.input);
    }
    EXPECT_EQ(Place<CHOXFlowCall>(monitor)->GetPinCount(), 0);
}

TEST_F(FlowCallTest, ACalledNumberIsReferredToNotTaken)
{
    CHOXFlowCall* call = Place<CHOXFlowCall>(chart);
    call->SetPointerNumber(12);
    call->CalcSteps();
    EXPECT_EQ(call->GetLabel(), QStringLiteral("P12"));
    EXPECT_EQ(call->GetCode(), QStringLiteral("CALL(FNC02) P12;"));
    EXPECT_EQ(call->GetSteps(), 4);
    EXPECT_EQ(call->GetErrorState(), 0);
    EXPECT_EQ(UsedPointerNumbers(), 0);

    call->SetPointerNumber(0);
    call->CalcSteps();
    EXPECT_EQ(call->GetCode(), QStringLiteral("CALL(FNC02) P0;"));
    EXPECT_EQ(call->GetSteps(), 4);
}

TEST_F(FlowCallTest, APastedCallLosesItsNumber)
{
    CHOXFlowCall* call = Place<CHOXFlowCall>(subtask);
    call->SetPointerNumber(5);
    call->CalcSteps();
    call->AssignNewNumber();
    EXPECT_EQ(call->GetPointerNumber(), -1);
    EXPECT_EQ(call->GetLabel(), QString());
    EXPECT_EQ(call->GetSteps(), 2);
    EXPECT_EQ(call->GetErrorState(), 1);

    // In the monitor window only the label goes.
    CHOXFlowCall* mon = Place<CHOXFlowCall>(monitor);
    mon->SetPointerNumber(5);
    mon->AssignNewNumber();
    EXPECT_EQ(mon->GetPointerNumber(), 5);
    EXPECT_EQ(mon->GetLabel(), QString());
    EXPECT_EQ(mon->GetSteps(), 0);
}
