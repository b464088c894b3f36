// START: the program number it takes in each window and on each controller
// type, its label, program text and steps, the setters and AssignNewNumber.
#include "symbols/flow/HOXFlowStart.h"

#include "chart/HOXPin.h"
#include "symbols/FlowSymbolTestSupport.h"

using kt::test::FlowDocTest;

namespace {
class FlowStartTest : public FlowDocTest {};
} // namespace

TEST_F(FlowStartTest, TakesItsNumberByWindowAndControllerType)
{
    const struct {
        int type;
        const char* window; // "chart", "subtask" or "monitor"
        int axis;
        int number;
        const char* label;
        const char* code;
        int steps;
        int usedX;
        int usedY;
    } cases[] = {
        {0, "chart", 0, 0, "Ox0", "Ox0;", 3, 1, 0},
        {1, "chart", 0, 0, "Ox0", "Ox0;", 3, 1, 0},
        {2, "chart", 2, 0, "O0", "O0;", 3, 1, 0},
        {0, "subtask", 2, 100, "O100", "O100;", 3, 0, 0},
        {1, "subtask", 2, 100, "O100", "O100;", 3, 0, 0},
        {2, "subtask", 2, 100, "O100", "O100;", 3, 0, 0},
        {0, "monitor", 2, 0, "", ";", 0, 0, 0},
        {1, "monitor", 2, 0, "", ";", 0, 0, 0},
        {2, "monitor", 2, 0, "", ";", 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.window) + " type " + std::to_string(c.type));
        MakeDocument(c.type);
        CHOXWnd* wnd = std::string(c.window) == "chart" ? static_cast<CHOXWnd*>(chart)
                       : std::string(c.window) == "subtask" ? static_cast<CHOXWnd*>(subtask)
                                                             : static_cast<CHOXWnd*>(monitor);
        CHOXFlowStart* start = Place<CHOXFlowStart>(wnd);
        EXPECT_EQ(start->GetObjectType(), 301);
        EXPECT_EQ(start->GetSymbolName(), QStringLiteral("START"));
        EXPECT_EQ(start->GetCategory(), 0);
        EXPECT_EQ(start->GetAxis(), c.axis);
        EXPECT_EQ(start->GetProgramNumber(), c.number);
        EXPECT_EQ(start->GetLabel(), QString::fromLatin1(c.label));
        EXPECT_EQ(start->GetCode(), QString::fromLatin1(c.code));
        EXPECT_EQ(start->GetSteps(), c.steps);
        EXPECT_EQ(start->GetErrorState(), 0);
        EXPECT_EQ(UsedProgramNumbers(0), c.usedX);
        EXPECT_EQ(UsedProgramNumbers(1), c.usedY);
        EXPECT_EQ(start->GetRect(), CRect(100, 50, 164, 82));
    }
}

TEST_F(FlowStartTest, HasOneOutputPinAtTheBottomExceptInTheMonitorWindow)
{
    CHOXFlowStart* start = Place<CHOXFlowStart>(chart);
    ASSERT_EQ(start->GetPinCount(), 1);
    const CHOXPin* pin = start->GetPin(0);
    ASSERT_NE(pin, nullptr);
    EXPECT_EQ(pin->GetNumber(), 0);
    EXPECT_EQ(pin->GetOffset(), CPoint(32, 32));
    EXPECT_EQ(pin->GetKind(), 1);
    EXPECT_FALSE(pin->IsInputSide());
    EXPECT_TRUE(pin->IsFree());
    EXPECT_EQ(start->GetPinPosition(0), CPoint(132, 82));
    EXPECT_EQ(Place<CHOXFlowStart>(monitor)->GetPinCount(), 0);
}

TEST_F(FlowStartTest, SuccessiveStartsTakeTheLowestFreeNumbers)
{
    EXPECT_EQ(Place<CHOXFlowStart>(chart)->GetLabel(), QStringLiteral("Ox0"));
    EXPECT_EQ(Place<CHOXFlowStart>(chart)->GetLabel(), QStringLiteral("Ox1"));
    doc->FreeProgramNumber(0, 0);
    EXPECT_EQ(Place<CHOXFlowStart>(chart)->GetLabel(), QStringLiteral("Ox0"));
    EXPECT_EQ(UsedProgramNumbers(0), 2);
}

TEST_F(FlowStartTest, OnTypeOneAFullXRowSendsTheStartToY)
{
    UseAllProgramNumbers(0);
    doc->MarkProgramNumberUsed(1, 0);
    CHOXFlowStart* start = Place<CHOXFlowStart>(chart);
    EXPECT_EQ(start->GetAxis(), 1);
    EXPECT_EQ(start->GetProgramNumber(), 1);
    EXPECT_EQ(start->GetLabel(), QStringLiteral("Oy1"));
    EXPECT_EQ(start->GetCode(), QStringLiteral("Oy1;"));
    EXPECT_TRUE(doc->IsProgramNumberUsed(1, 1));
}

TEST_F(FlowStartTest, WithoutAFreeNumberTheStartHasNone)
{
    // Type 1 with both rows full: axis 1, no number.
    UseAllProgramNumbers(0);
    UseAllProgramNumbers(1);
    CHOXFlowStart* start = Place<CHOXFlowStart>(chart);
    EXPECT_EQ(start->GetAxis(), 1);
    EXPECT_EQ(start->GetProgramNumber(), -1);
    EXPECT_EQ(start->GetLabel(), QString());
    EXPECT_EQ(start->GetCode(), QStringLiteral(";"));
    EXPECT_EQ(start->GetSteps(), 3);

    // Type 0 does not look at Y.
    MakeDocument(0);
    UseAllProgramNumbers(0);
    start = Place<CHOXFlowStart>(chart);
    EXPECT_EQ(start->GetAxis(), 0);
    EXPECT_EQ(start->GetProgramNumber(), -1);
    EXPECT_EQ(start->GetCode(), QStringLiteral(";"));
    EXPECT_EQ(UsedProgramNumbers(1), 0);
}

TEST_F(FlowStartTest, TheMissingStateWritesNothingAndCountsNothing)
{
    CHOXFlowStart* start = Place<CHOXFlowStart>(chart);
    start->SetState(3);
    start->UpdateText();
    start->CalcSteps();
    EXPECT_EQ(start->GetLabel(), QString());
    EXPECT_EQ(start->GetCode(), QString());
    EXPECT_EQ(start->GetSteps(), 0);
    // The error state still writes its line.
    start->SetState(2);
    start->UpdateText();
    start->CalcSteps();
    EXPECT_EQ(start->GetCode(), QStringLiteral("Ox0;"));
    EXPECT_EQ(start->GetSteps(), 3);
}

TEST_F(FlowStartTest, LabelsFollowTheAxis)
{
    CHOXFlowStart* start = Place<CHOXFlowStart>(chart);
    const struct {
        int axis;
        const char* label;
    } cases[] = {{0, "Ox7"}, {1, "Oy7"}, {2, "O7"}, {5, "O7"}};
    for (const auto& c : cases) {
        start->SetAxis(c.axis);
        start->SetProgramNumber(7);
        EXPECT_EQ(start->GetLabel(), QString::fromLatin1(c.label)) << c.axis;
    }
}

TEST_F(FlowStartTest, SetProgramNumberMovesTheNumberInTheTableOfItsAxis)
{
    CHOXFlowStart* start = Place<CHOXFlowStart>(chart);
    start->SetProgramNumber(42);
    EXPECT_FALSE(doc->IsProgramNumberUsed(0, 0));
    EXPECT_TRUE(doc->IsProgramNumberUsed(0, 42));
    EXPECT_EQ(start->GetLabel(), QStringLiteral("Ox42"));

    // The axis alone changes nothing in the tables.
    start->SetAxis(1);
    EXPECT_TRUE(doc->IsProgramNumberUsed(0, 42));
    start->SetProgramNumber(3);
    EXPECT_TRUE(doc->IsProgramNumberUsed(0, 42));
    EXPECT_TRUE(doc->IsProgramNumberUsed(1, 3));
    EXPECT_EQ(start->GetLabel(), QStringLiteral("Oy3"));

    // In the error state the new number is stored but not taken.
    start->SetState(2);
    start->SetProgramNumber(9);
    EXPECT_FALSE(doc->IsProgramNumberUsed(1, 3));
    EXPECT_FALSE(doc->IsProgramNumberUsed(1, 9));
    EXPECT_EQ(start->GetProgramNumber(), 9);

    // Numbers outside 0 to 99 are stored; the table ignores them.
    start->SetState(0);
    start->SetProgramNumber(100);
    EXPECT_EQ(start->GetProgramNumber(), 100);
    EXPECT_EQ(start->GetLabel(), QStringLiteral("Oy100"));
    EXPECT_EQ(UsedProgramNumbers(1), 0);
}

TEST_F(FlowStartTest, AssignNewNumberTakesAFreeNumberOfItsOwnAxis)
{
    CHOXFlowStart* start = Place<CHOXFlowStart>(chart); // Ox0
    start->SetAxis(1);
    doc->MarkProgramNumberUsed(1, 0);
    start->AssignNewNumber();
    EXPECT_EQ(start->GetAxis(), 1);
    EXPECT_EQ(start->GetProgramNumber(), 1);
    EXPECT_TRUE(doc->IsProgramNumberUsed(1, 1));
    EXPECT_EQ(start->GetLabel(), QStringLiteral("Oy1"));
    EXPECT_EQ(start->GetSteps(), 3);

    // No fallback to the other row.
    UseAllProgramNumbers(1);
    start->AssignNewNumber();
    EXPECT_EQ(start->GetAxis(), 1);
    EXPECT_EQ(start->GetProgramNumber(), -1);
    EXPECT_EQ(start->GetLabel(), QString());
}

TEST_F(FlowStartTest, AssignNewNumberInTheSubtaskAndTheMonitorWindow)
{
    CHOXFlowStart* sub = Place<CHOXFlowStart>(subtask);
    sub->SetAxis(0);
    sub->SetProgramNumber(5);
    doc->FreeProgramNumber(0, 5);
    sub->AssignNewNumber();
    EXPECT_EQ(sub->GetAxis(), 2);
    EXPECT_EQ(sub->GetProgramNumber(), 100);
    EXPECT_EQ(sub->GetLabel(), QStringLiteral("O100"));
    EXPECT_EQ(UsedProgramNumbers(0), 0);

    CHOXFlowStart* mon = Place<CHOXFlowStart>(monitor);
    mon->AssignNewNumber();
    EXPECT_EQ(mon->GetLabel(), QString());
    EXPECT_EQ(mon->GetProgramNumber(), 0);
    EXPECT_EQ(UsedProgramNumbers(0), 0);
}
