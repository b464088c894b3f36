// The text import's charts: labels and windows, first and closing symbols,
// inserted jumps and returns, flow instructions, conditional-jump forms and
// near-forms, refused lines, and the closing messages.
#include "convert/ImportFixture.h"

using kt::test::Completed;
using kt::test::ImportFixture;
using kt::test::kResultStyle;
using kt::test::Picture;
using kt::test::ScriptedMessages;

namespace {

class TextImportChartTest : public ImportFixture {};

} // namespace

TEST_F(TextImportChartTest, Explore)
{
    CHOXDoc* doc = NewDoc(2);
    ImportProgram(doc, {"O0", "BRET", "LD X1", "CJ P4", "BRET", "MOV D0 D1", "m02", "P4", "LD X0", "OUT Y0", "JMP P3"});
    for (const QString& name : ChartNames()) {
        printf("== %s\n", qPrintable(name));
        for (const QString& l : Picture(Chart(name))) printf("  %s\n", qPrintable(l));
    }
}
