// POINTER and SUBROUTINE: the pointer numbers they hold, labels, program
// text, steps, setters, AssignNewNumber; and the document's question whether
// a subroutine is defined.
#include "symbols/flow/HOXFlowPointer.h"
#include "symbols/flow/HOXFlowSubRtn.h"

#include "chart/HOXPin.h"
#include "symbols/FlowSymbolTestSupport.h"

using kt::test::FlowDocTest;

namespace {

template <class T>
class FlowPointerTest : public FlowDocTest {};

struct PointerKind {
    using Symbol = CHOXFlowPointer;
    static constexpr int type = 304;
    static constexpr const char* name = "POINTER";
    // A POINTER shows no label in the monitor window.
    static constexpr bool labelInMonitor = false;
};
struct SubroutineKind {
    using Symbol = CHOXFlowSubRtn;
    static constexpr int type = 303;
    static constexpr const char* name = "SUBROUTINE";
    static constexpr bool labelInMonitor = true;
};
using Kinds = ::testing::Types<PointerKind, SubroutineKind>;
TYPED_TEST_SUITE(FlowPointerTest, Kinds);

} // namespace

TYPED_TEST(FlowPointerTest, TakesTheLowestFreePointerNumber)
{
    using Symbol = typename TypeParam::Symbol;
    Symbol* first = this->template Place<Symbol>(this->chart);
    EXPECT_EQ(first->GetObjectType(), TypeParam::type);
    EXPECT_EQ(first->GetSymbolName(), QString::fromLatin1(TypeParam::name));
    EXPECT_EQ(first->GetCategory(), 0);
    EXPECT_EQ(first->GetPointerNumber(), 0);
    EXPECT_EQ(first->GetLabel(), QStringLiteral("P0"));
    EXPECT_EQ(first->GetCode(), QStringLiteral("P0;"));
    EXPECT_EQ(first->GetSteps(), 2);
    EXPECT_EQ(first->GetErrorState(), 0);

    this->doc->MarkPointerNumberUsed(1);
    Symbol* inSubtask = this->template Place<Symbol>(this->subtask);
    EXPECT_EQ(inSubtask->GetPointerNumber(), 2);
    EXPECT_EQ(inSubtask->GetCode(), QStringLiteral("P2;"));
    EXPECT_EQ(this->UsedPointerNumbers(), 3);
}

TYPED_TEST(FlowPointerTest, HasOneOutputPinAtTheBottom)
{
    using Symbol = typename TypeParam::Symbol;
    Symbol* symbol = this->template Place<Symbol>(this->chart);
    ASSERT_EQ(symbol->GetPinCount(), 1);
    const CHOXPin* pin = symbol->GetPin(0);
    ASSERT_NE(pin, nullptr);
    EXPECT_EQ(pin->GetOffset(), CPoint(32, 32));
    EXPECT_EQ(pin->GetKind(), 1);
    EXPECT_FALSE(pin->IsInputSide());
}

TYPED_TEST(FlowPointerTest, TheMonitorWindowGivesNoNumber)
{
    using Symbol = typename TypeParam::Symbol;
    Symbol* symbol = this->template Place<Symbol>(this->monitor);
    EXPECT_EQ(symbol->GetPointerNumber(), -1);
    EXPECT_EQ(symbol->GetLabel(), QString());
    EXPECT_EQ(symbol->GetCode(), QStringLiteral(";"));
    EXPECT_EQ(symbol->GetSteps(), 0);
    EXPECT_EQ(symbol->GetPinCount(), 0);
    EXPECT_EQ(this->UsedPointerNumbers(), 0);

    // A number set there shows only on a SUBROUTINE.
    symbol->SetPointerNumber(9);
    EXPECT_EQ(symbol->GetLabel(), TypeParam::labelInMonitor ? QStringLiteral("P9") : QString());

    // A symbol pasted there takes no number, since none is given back when
    // it goes.
    this->doc->FreePointerNumber(9);
    symbol->AssignNewNumber();
    EXPECT_EQ(symbol->GetPointerNumber(), -1);
    EXPECT_EQ(this->UsedPointerNumbers(), 0);
}

TYPED_TEST(FlowPointerTest, AFullTableLeavesTheSymbolWithoutANumber)
{
    using Symbol = typename TypeParam::Symbol;
    for (int type : {0, 1}) {
        SCOPED_TRACE(type);
        this->MakeDocument(type);
        const int last = type == 0 ? 127 : 255;
        for (int n = 0; n <= last; ++n) this->doc->MarkPointerNumberUsed(n);
        Symbol* symbol = this->template Place<Symbol>(this->chart);
        EXPECT_EQ(symbol->GetPointerNumber(), -1);
        EXPECT_EQ(symbol->GetLabel(), QString());
        EXPECT_EQ(symbol->GetCode(), QStringLiteral(";"));
        EXPECT_EQ(symbol->GetSteps(), 2);
    }
}

TYPED_TEST(FlowPointerTest, SetPointerNumberMovesTheNumber)
{
    using Symbol = typename TypeParam::Symbol;
    Symbol* symbol = this->template Place<Symbol>(this->chart); // P0
    symbol->SetPointerNumber(200);
    EXPECT_FALSE(this->doc->IsPointerNumberUsed(0));
    EXPECT_TRUE(this->doc->IsPointerNumberUsed(200));
    EXPECT_EQ(symbol->GetLabel(), QStringLiteral("P200"));
    EXPECT_EQ(symbol->GetCode(), QStringLiteral("P200;"));

    // In the error state the old number goes back and the new one is not
    // taken.
    symbol->SetState(2);
    symbol->SetPointerNumber(17);
    EXPECT_FALSE(this->doc->IsPointerNumberUsed(200));
    EXPECT_FALSE(this->doc->IsPointerNumberUsed(17));
    EXPECT_EQ(symbol->GetPointerNumber(), 17);

    // -1 clears the label; out-of-range numbers are stored but not marked.
    symbol->SetState(0);
    symbol->SetPointerNumber(-1);
    EXPECT_EQ(symbol->GetLabel(), QString());
    symbol->SetPointerNumber(300);
    EXPECT_EQ(symbol->GetLabel(), QStringLiteral("P300"));
    EXPECT_EQ(this->UsedPointerNumbers(), 0);
}

TYPED_TEST(FlowPointerTest, AssignNewNumberTakesTheLowestFreeNumber)
{
    using Symbol = typename TypeParam::Symbol;
    Symbol* symbol = this->template Place<Symbol>(this->chart); // P0, still held
    symbol->AssignNewNumber();
    EXPECT_EQ(symbol->GetPointerNumber(), 1);
    EXPECT_EQ(symbol->GetLabel(), QStringLiteral("P1"));
    EXPECT_EQ(symbol->GetSteps(), 2);
    EXPECT_TRUE(this->doc->IsPointerNumberUsed(1));
}

namespace {
class FlowSubroutineDefinedTest : public FlowDocTest {};
} // namespace

TEST_F(FlowSubroutineDefinedTest, NeedsAUsedNumberHeldByASubroutine)
{
    CHOXFlowPointer* pointer = Place<CHOXFlowPointer>(chart); // P0
    CHOXFlowSubRtn* subroutine = Place<CHOXFlowSubRtn>(AddChart(QStringLiteral("Sub"))); // P1
    EXPECT_FALSE(doc->IsSubroutineDefined(pointer->GetPointerNumber()));
    EXPECT_TRUE(doc->IsSubroutineDefined(subroutine->GetPointerNumber()));
    EXPECT_FALSE(doc->IsSubroutineDefined(2));
    EXPECT_FALSE(doc->IsSubroutineDefined(-1));
    EXPECT_FALSE(doc->IsSubroutineDefined(256));

    // A number the table does not count as used is not defined, even when a
    // SUBROUTINE in the error state carries it.
    subroutine->SetState(2);
    subroutine->SetPointerNumber(40);
    EXPECT_FALSE(doc->IsSubroutineDefined(40));
    doc->MarkPointerNumberUsed(40);
    EXPECT_TRUE(doc->IsSubroutineDefined(40));

    // On type 0 numbers above 127 are out of range.
    MakeDocument(0);
    CHOXFlowSubRtn* high = Place<CHOXFlowSubRtn>(chart);
    high->SetPointerNumber(128);
    EXPECT_FALSE(doc->IsSubroutineDefined(128));
    high->SetPointerNumber(127);
    EXPECT_TRUE(doc->IsSubroutineDefined(127));
}
