// The step map a rebuild leaves for monitoring: which symbols get records,
// in which order, and where each record's steps begin.
#include "convert/RebuildFixture.h"

using kt::test::Lines;
using kt::test::RebuildFixture;

namespace {

QString L(const char* text) { return QString::fromLatin1(text); }

class RebuildStepMapTest : public RebuildFixture {
protected:
    // The records as "window kind first-step".
    static QStringList Records(CHOXDoc* doc)
    {
        QStringList records;
        for (const auto& info : doc->GetStepInfoList()) {
            CHOXFlowWnd* wnd = doc->FindWindowByName(info->GetWindowName());
            const CHOXSymbol* symbol =
                wnd != nullptr ? chart::FindSymbol(wnd, static_cast<DWORD>(info->GetSymbolId())) : nullptr;
            records << QStringLiteral("%1 %2 %3")
                           .arg(info->GetWindowName(), symbol != nullptr ? Kind(symbol) : L("?"))
                           .arg(info->GetStep());
        }
        return records;
    }
};

} // namespace

// The records used to count NOP lines as nothing, a JMP with its end as
// the end alone, a compare or zone jump as its last BRET, and to start a
// conditional jump's record after its first BRET; the side exit's JUMP
// added four of its own. Monitoring then marked the wrong symbols.
TEST_F(RebuildStepMapTest, RecordsBeginWhereTheControllersStepsOfTheirSymbolBegin)
{
    const struct {
        const char* program;
        QStringList records;
    } rows[] = {
        // Steps: OX1 0 (3), NOP 3 (1), m10 4 (2), BRET 6, CMP 8 (8), LD 16,
        // CJ 18 (4), BRET 22, JMP 24 (4), m02 28, NOP 30, NOP 31, P5 32,
        // m02 34, P6 36, NOP 38, m02 39.
        {"OX1; NOP; m10; BRET; CMP D0 D1 M10; LD M11; CJ P5; BRET; JMP P6; m02; NOP; NOP; P5; m02; P6; NOP; m02;",
         {L("Flow Chart2 START 0"), L("Flow Chart2 MCODE 4"), L("Flow Chart2 CJ 6"), L("Flow Chart2 JUMP 24"),
          L("Flow Chart2 JUMP 18"), L("Flow Chart3 PTR 32"), L("Flow Chart3 END 34"), L("Flow Chart4 PTR 36"),
          L("Flow Chart4 END 39")}},
        // A bit condition: BRET 3, LD 5, AND 7, CJN 9 (4), BRET 13, m10 15,
        // ZCP's BRET 17, ZCP 19 (10), LD 29, CJ 31, BRET 35, m02 37.
        {"OX1; BRET; LD X0; AND X1; CJN P5; BRET; m10; BRET; ZCP D0 D1 D2 M0; LD M1; CJ P5; BRET; m02; P5; m02;",
         {L("Flow Chart2 START 0"), L("Flow Chart2 CJ 3"), L("Flow Chart2 MCODE 15"), L("Flow Chart2 JUMP 9"),
          L("Flow Chart2 CJ 17"), L("Flow Chart2 END 37"), L("Flow Chart2 JUMP 31"), L("Flow Chart3 PTR 39"),
          L("Flow Chart3 END 41")}},
        // A refused statement counts nothing; the JMP and the END the rebuild
        // adds, and program text, get no record: OX1 0, m10 3, XYZ 5 (0),
        // m11 5, P5 7, m02 9, OX2 11, m12 14.
        {"OX1; m10; XYZ; m11; P5; m02; OX2; m12;",
         {L("Flow Chart2 START 0"), L("Flow Chart2 MCODE 3"), L("Flow Chart2 MCODE 5"), L("Flow Chart3 PTR 7"),
          L("Flow Chart3 END 9"), L("Flow Chart4 START 11"), L("Flow Chart4 MCODE 14")}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.program);
        CHOXProgReader& r = Rebuild(L(row.program), 1);
        EXPECT_EQ(Lines(Records(r.GetDocument())), Lines(row.records));
        CloseDocument();
    }
}

TEST_F(RebuildStepMapTest, ARebuildReplacesTheStepMap)
{
    CHOXDoc* doc = ReadDocument(1);
    ASSERT_NE(doc, nullptr);
    doc->AddStepInfo(std::make_unique<CHOXFlowMonInfo>(5, 99, L("Old")));
    CHOXProgReader r(doc);
    r.SplitStatements(L("OX1; m02;"));
    r.GenerateFlowCharts();
    EXPECT_EQ(Lines(Records(doc)), Lines({L("Flow Chart2 START 0"), L("Flow Chart2 END 3")}));
    // Each record's symbol covers the steps up to the next one.
    CHOXFlowWnd* wnd = doc->FindWindowByName(L("Flow Chart2"));
    ASSERT_NE(wnd, nullptr);
    const std::vector<CHOXSymbol*> symbols = SymbolsInColumnOrder(wnd);
    EXPECT_EQ(symbols[0]->GetSteps(), 3);
    EXPECT_EQ(symbols[1]->GetSteps(), 2);
}
