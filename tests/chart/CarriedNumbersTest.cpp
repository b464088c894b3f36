// What a symbol entering a chart brings of the document's numbers, read from
// its own report: paste, drop and the drag filter settle it by this alone.
#include "chart/TransferRules.h"

#include "chart/FlowViewFixture.h"
#include "symbols/flow/HOXFlowCall.h"
#include "symbols/flow/HOXFlowEnd.h"
#include "symbols/flow/HOXFlowJump.h"
#include "symbols/flow/HOXFlowPointer.h"
#include "symbols/flow/HOXFlowProgText.h"
#include "symbols/flow/HOXFlowStart.h"
#include "symbols/flow/HOXFlowSubRtn.h"

#include <functional>

using kt::test::ChartFixture;
using transfer::Carried;

namespace {

class CarriedNumbersTest : public ChartFixture {};

} // namespace

TEST_F(CarriedNumbersTest, EachSymbolBringsWhatItReports)
{
    const struct {
        const char* what;
        std::function<CHOXSymbol*()> place;
        Carried carried;
    } cases[] = {
        {"START", [&] { return Place<CHOXFlowStart>(1, CPoint(100, 40)); }, Carried::kProgram},
        {"POINTER", [&] { return Place<CHOXFlowPointer>(2, CPoint(100, 100)); }, Carried::kPointer},
        {"SUBROUTINE", [&] { return Place<CHOXFlowSubRtn>(3, CPoint(100, 160)); }, Carried::kPointer},
        {"program in text with labels",
         [&] {
             auto* text = Place<CHOXFlowProgText>(4, CPoint(300, 40));
             text->AddPointerNumber(12);
             return text;
         },
         Carried::kLabels},
        {"program in text without", [&] { return Place<CHOXFlowProgText>(5, CPoint(300, 100)); }, Carried::kNothing},
        {"JUMP, which only refers", [&] { return Place<CHOXFlowJump>(6, CPoint(300, 160)); }, Carried::kNothing},
        {"CALL, which only refers", [&] { return Place<CHOXFlowCall>(7, CPoint(300, 220)); }, Carried::kNothing},
        {"END", [&] { return Place<CHOXFlowEnd>(8, CPoint(100, 220)); }, Carried::kNothing},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CHOXSymbol* symbol = c.place();
        EXPECT_EQ(transfer::CarriedNumbers(*symbol), c.carried);
        EXPECT_EQ(transfer::HoldsProgram(*symbol), c.carried == Carried::kProgram);
    }
    // Whatever is no symbol holds no program.
    EXPECT_FALSE(transfer::HoldsProgram(*wnd->GetBaseRect()));
}
