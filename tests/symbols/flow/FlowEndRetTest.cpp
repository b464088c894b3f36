// END and RET: end kind by window, program text, steps and pins.
#include "symbols/flow/HOXFlowEnd.h"
#include "symbols/flow/HOXFlowRet.h"

#include "chart/HOXPin.h"
#include "symbols/FlowSymbolTestSupport.h"

using kt::test::FlowDocTest;

namespace {
class FlowEndRetTest : public FlowDocTest {};

void ExpectSingleInputPin(const CHOXSymbol* symbol)
{
    ASSERT_EQ(symbol->GetPinCount(), 1);
    const CHOXPin* pin = symbol->GetPin(0);
    ASSERT_NE(pin, nullptr);
    EXPECT_EQ(pin->GetNumber(), 0);
    EXPECT_EQ(pin->GetOffset(), CPoint(32, 0));
    EXPECT_EQ(pin->GetKind(), 0);
    EXPECT_TRUE(pin->IsInputSide());
}
} // namespace

TEST_F(FlowEndRetTest, EndByWindowKindAndState)
{
    const struct {
        const char* window;
        int endKind;  // -1: as made
        int state;
        int wantKind;
        const char* code;
        int steps;
    } cases[] = {
        {"chart", -1, 0, 0, "m02(END);", 2},
        {"chart", 1, 0, 1, "m102(SEND);", 2},
        {"chart", 7, 0, 7, "m102(SEND);", 2},
        {"subtask", -1, 0, 1, "m102(SEND);", 2},
        {"subtask", 0, 0, 0, "m102(SEND);", 2},
        {"chart", -1, 2, 0, "m02(END);", 2},
        {"chart", -1, 3, 0, "", 0},
        {"subtask", -1, 3, 1, "", 0},
        {"monitor", -1, 0, 0, "m02(END);", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.window) + " kind " + std::to_string(c.endKind) + " state " +
                     std::to_string(c.state));
        CHOXWnd* wnd = std::string(c.window) == "chart" ? static_cast<CHOXWnd*>(chart)
                       : std::string(c.window) == "subtask" ? static_cast<CHOXWnd*>(subtask)
                                                             : static_cast<CHOXWnd*>(monitor);
        CHOXFlowEnd* end = Place<CHOXFlowEnd>(wnd);
        if (c.endKind >= 0) end->SetEndKind(c.endKind);
        end->SetState(c.state);
        end->UpdateText();
        end->CalcSteps();
        EXPECT_EQ(end->GetEndKind(), c.wantKind);
        EXPECT_EQ(end->GetCode(), QString::fromLatin1(c.code));
        EXPECT_EQ(end->GetSteps(), c.steps);
        EXPECT_EQ(end->GetLabel(), QString());
        EXPECT_EQ(end->GetErrorState(), 0);
    }
}

TEST_F(FlowEndRetTest, EndIsAnInputAtTheTopAndTakesNoNumbers)
{
    CHOXFlowEnd* end = Place<CHOXFlowEnd>(chart);
    EXPECT_EQ(end->GetObjectType(), 302);
    EXPECT_EQ(end->GetSymbolName(), QStringLiteral("END"));
    EXPECT_EQ(end->GetCategory(), 0);
    ExpectSingleInputPin(end);
    EXPECT_EQ(Place<CHOXFlowEnd>(monitor)->GetPinCount(), 0);
    EXPECT_EQ(UsedPointerNumbers() + UsedProgramNumbers(0) + UsedProgramNumbers(1), 0);
}

TEST_F(FlowEndRetTest, APastedEndBecomesSendInTheSubtask)
{
    CHOXFlowEnd* sub = Place<CHOXFlowEnd>(subtask);
    sub->SetEndKind(0);
    sub->AssignNewNumber();
    EXPECT_EQ(sub->GetEndKind(), 1);

    CHOXFlowEnd* end = Place<CHOXFlowEnd>(chart);
    end->SetEndKind(1);
    end->AssignNewNumber();
    EXPECT_EQ(end->GetEndKind(), 1);
    end->SetEndKind(0);
    end->AssignNewNumber();
    EXPECT_EQ(end->GetEndKind(), 0);
}

TEST_F(FlowEndRetTest, RetReturnsInEveryFlowWindow)
{
    for (CHOXWnd* wnd : {static_cast<CHOXWnd*>(chart), static_cast<CHOXWnd*>(subtask)}) {
        CHOXFlowRet* ret = Place<CHOXFlowRet>(wnd);
        EXPECT_EQ(ret->GetObjectType(), 309);
        EXPECT_EQ(ret->GetSymbolName(), QStringLiteral("RET"));
        EXPECT_EQ(ret->GetCategory(), 0);
        EXPECT_EQ(ret->GetCode(), QStringLiteral("RET(FNC03);"));
        EXPECT_EQ(ret->GetSteps(), 2);
        EXPECT_EQ(ret->GetLabel(), QString());
        ExpectSingleInputPin(ret);
        // The base's AssignNewNumber recounts.
        ret->AssignNewNumber();
        EXPECT_EQ(ret->GetSteps(), 2);
    }
    CHOXFlowRet* mon = Place<CHOXFlowRet>(monitor);
    EXPECT_EQ(mon->GetPinCount(), 0);
    EXPECT_EQ(mon->GetSteps(), 0);
}
