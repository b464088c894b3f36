// Conditional jumps rebuilt from their statements: the three forms and the
// six relations, the statements that keep them program text (each once, in
// its place), and the JUMP on the side exit with its target and place.
#include "convert/RebuildFixture.h"

using kt::test::Lines;
using kt::test::RebuildFixture;

namespace {

QString L(const char* text) { return QString::fromLatin1(text); }

class RebuildConditionalJumpTest : public RebuildFixture {
protected:
    // The lines between a BRET and an END in a program whose P5 and P6
    // exist; the symbol that stands in their place.
    QString SymbolFor(const char* lines, int type = 1)
    {
        const QString program = QStringLiteral("OX1; BRET; %1; m02; P5; m02; P6; m02;").arg(QString::fromLatin1(lines));
        CHOXProgReader& r = Rebuild(program, type);
        CHOXFlowWnd* wnd = r.GetDocument()->FindWindowByName(L("Flow Chart2"));
        QString text;
        if (wnd != nullptr) {
            const std::vector<CHOXSymbol*> symbols = SymbolsInColumnOrder(wnd);
            if (symbols.size() > 1) text = Describe(symbols[1]);
        }
        CloseDocument();
        return text;
    }
};

} // namespace

TEST_F(RebuildConditionalJumpTest, CompareZoneAndBitFormsWithTheirRelations)
{
    const struct {
        const char* lines;
        const char* symbol;
    } rows[] = {
        {"CMP D0 D1 M10; LD M10; CJ P5; BRET", "CJ f1 n0 r0 D0 > D1 @250,80"},
        {"CMP D0 D1 M10; LD M10; OR M11; CJ P5; BRET", "CJ f1 n0 r1 D0 >= D1 @250,80"},
        {"CMP D0 D1 M10; LD M11; OR M10; CJ P5; BRET", "CJ f1 n0 r1 D0 >= D1 @250,80"},
        {"CMP(FNC10) K5 D1 M10; LD M11; CJ(FNC00) P5; BRET(FNC05)", "CJ f1 n0 r2 K5 = D1 @250,80"},
        {"CMP D0 D1 M10; LDI M11; CJ P5; BRET", "CJ f1 n0 r3 D0 != D1 @250,80"},
        {"CMP D0 D1 M10; LD M11; OR M12; CJN P5; BRET", "CJ f1 n1 r4 D0 <= D1 @250,80"},
        {"CMP D0 D1 M10; LD M12; OR M11; CJ P5; BRET", "CJ f1 n0 r4 D0 <= D1 @250,80"},
        {"CMP D0 D1 M10; LD M12; CJN P5; BRET", "CJ f1 n1 r5 D0 < D1 @250,80"},
        {"CMP D0 D1 M10; LD M12; FNC01 P5; FNC05", "CJ f1 n1 r5 D0 < D1 @250,80"},
        {"DCMP DD0 DD2 M10; LD M12; CJ P5; BRET", "CJ f1 n0 r5 DD0 < DD2 @250,80"},
        // Y results count in octal, as the symbol writes them.
        {"CMP D0 D1 Y7; LD Y10; CJ P5; BRET", "CJ f1 n0 r2 D0 = D1 @250,80"},
        {"CMP D0 D1 Y6; LD Y10; CJ P5; BRET", "CJ f1 n0 r5 D0 < D1 @250,80"},
        {"ZCP D0 D1 D2 M10; LD M11; CJN P6; BRET", "CJ f2 n1 r2 D0 <= D1 <= D2 @250,80"},
        {"DZCP DD0 DD2 DD4 Y0; LD Y1; CJ P5; BRET", "CJ f2 n0 r2 DD0 <= DD2 <= DD4 @250,80"},
        {"LD X0; AND X1; CJ P5; BRET", "CJ f0 n0 LD X0;|AND X1; @250,80"},
        {"LD X0; OUT Y0; CJN P5; BRET", "CJ f0 n1 LD X0;|OUT Y0; @250,80"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.lines);
        EXPECT_EQ(SymbolFor(row.lines).toStdString(), row.symbol);
    }
}

// A completion that fails used to step back one statement as if the last
// one taken had been given back: a statement it stopped at was placed
// twice, and after a refused one the statements before it too.
TEST_F(RebuildConditionalJumpTest, NearMissesStayTextWithEachStatementOnce)
{
    const struct {
        const char* lines;
        const char* symbol;
    } rows[] = {
        // The bits tested are not those of the result.
        {"CMP D0 D1 M10; LD M13; CJ P5; BRET", "TEXT BRET;|CMP D0 D1 M10;|LD M13;|CJ P5;|BRET; @250,80"},
        {"CMP D0 D1 M10; LD X11; CJ P5; BRET", "TEXT BRET;|CMP D0 D1 M10;|LD X11;|CJ P5;|BRET; @250,80"},
        {"CMP D0 D1 M10; LDI M10; CJ P5; BRET", "TEXT BRET;|CMP D0 D1 M10;|LDI M10;|CJ P5;|BRET; @250,80"},
        {"CMP D0 D1 M10; LD M10; OR M12; CJ P5; BRET",
         "TEXT BRET;|CMP D0 D1 M10;|LD M10;|OR M12;|CJ P5;|BRET; @250,80"},
        {"CMP D0 D1 M10; LD M10; LD M11; CJ P5; BRET",
         "TEXT BRET;|CMP D0 D1 M10;|LD M10;|LD M11;|CJ P5;|BRET; @250,80"},
        {"ZCP D0 D1 D2 M10; LD M10; CJ P5; BRET", "TEXT BRET;|ZCP D0 D1 D2 M10;|LD M10;|CJ P5;|BRET; @250,80"},
        // No BRET after the jump.
        {"CMP D0 D1 M10; LD M10; CJ P5; m10", "TEXT BRET;|CMP D0 D1 M10;|LD M10;|CJ P5; @250,80"},
        {"LD X0; CJ P5; LD X1", "TEXT BRET;|LD X0;|CJ P5;|LD X1; @250,80"},
        // No jump where one belongs.
        {"CMP D0 D1 M10; LDI M11; BRET", "TEXT BRET;|CMP D0 D1 M10;|LDI M11;|BRET; @250,80"},
        {"CMP D0 D1 M10; LD M10; OR M11; BRET", "TEXT BRET;|CMP D0 D1 M10;|LD M10;|OR M11;|BRET; @250,80"},
        // A result device other than M or Y.
        {"CMP D0 D1 M10Z; LD M11; CJ P5; BRET", "TEXT BRET;|CMP D0 D1 M10Z;|LD M11;|CJ P5;|BRET; @250,80"},
        // A refused statement among those taken: in the block once, which is
        // then in error.
        {"CMP D0 D1 M10; LD M10; CJ P300; BRET", "TEXT BRET;|CMP D0 D1 M10;|LD M10;|CJ P300;|BRET; @250,80 s2"},
        {"CMP D0 D1 M10; LD M10; OR M11; XYZ; BRET", "TEXT BRET;|CMP D0 D1 M10;|LD M10;|OR M11;|XYZ;|BRET; @250,80 s2"},
        // A bit condition needs its lines.
        {"CJ P5; BRET", "TEXT BRET;|CJ P5;|BRET; @250,80"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.lines);
        EXPECT_EQ(SymbolFor(row.lines).toStdString(), row.symbol);
    }
}

TEST_F(RebuildConditionalJumpTest, TheListEndingInsideACompletionLeavesTheStatementsAsText)
{
    for (const char* program :
         {"OX1; BRET; CMP D0 D1 M10; LD M10", "OX1; BRET; CMP D0 D1 M10; LD M10; CJ P5", "OX1; BRET; LD X0; CJ P5"}) {
        SCOPED_TRACE(program);
        CHOXProgReader& r = Rebuild(L(program), 1);
        QStringList body;
        for (qsizetype i = 1; i < r.GetStatements().size(); ++i) body << r.GetStatements().at(i);
        EXPECT_EQ(Lines(Dump(r.GetDocument())),
                  Lines({L("[Flow Chart2]"), L("0 START Ox1 @250,10"), L("1 TEXT ") + body.join(u'|') + L(" @250,80"),
                         L("2 END k-1 @250,150 s3"), L("w 0.0>1"), L("w 1.1>2")}));
        CloseDocument();
    }
}

TEST_F(RebuildConditionalJumpTest, TheSideExitJumpsThroughAJumpBesideTheNextSymbol)
{
    CHOXProgReader& r = Rebuild(L("OX1; BRET; LD X0; CJ P5; BRET; m10; m02; P5; m02;"), 1);
    EXPECT_EQ(Lines(Dump(r.GetDocument())),
              Lines({L("[Flow Chart2]"), L("0 START Ox1 @250,10"), L("1 CJ f0 n0 LD X0; @250,80"),
                     L("2 JUMP P5 e0 c0 k-1 @350,150"), L("3 MCODE m10 @250,220"), L("4 END k0 @250,290"), L("w 0.0>1"),
                     L("w 1.1>3"), L("w 1.2>2"), L("w 3.1>4"), L("[Flow Chart3]"), L("0 PTR P5 @250,10"),
                     L("1 END k0 @250,80"), L("w 0.0>1")}));
    // The JUMP on the side exit counts no steps of its own and is counted as
    // read: nothing was added.
    CHOXFlowWnd* wnd = r.GetDocument()->FindWindowByName(L("Flow Chart2"));
    ASSERT_NE(wnd, nullptr);
    const std::vector<CHOXSymbol*> symbols = SymbolsInColumnOrder(wnd);
    EXPECT_EQ(symbols[2]->GetSteps(), 0);
    EXPECT_EQ(r.GetJumpsRead(), r.GetJumpsBuilt());
    // The wires run from the pins' places, in the rebuild's width.
    for (auto& [id, object] : wnd->GetConnectMap()) {
        const auto* wire = static_cast<const CHOXConnect*>(object.get());
        EXPECT_EQ(wire->GetLineWidth(), 2);
        const CHOXSymbol* from = chart::FindSymbol(wnd, wire->GetSourceId());
        const CHOXSymbol* to = chart::FindSymbol(wnd, wire->GetTargetId());
        ASSERT_NE(from, nullptr);
        ASSERT_NE(to, nullptr);
        EXPECT_EQ(wire->GetPoints().front(), from->GetPinPosition(wire->GetSourcePin()));
        EXPECT_EQ(wire->GetPoints().back(), to->GetPinPosition(0));
    }
}

TEST_F(RebuildConditionalJumpTest, SideExitsOfConsecutiveJumpsAndBeforeABlockKeepTheColumn)
{
    CHOXProgReader& r = Rebuild(L("OX1; BRET; LD X0; CJ P5; BRET; BRET; LD X1; CJN P6; BRET; LD X2; OUT Y2; m02;"
                                  "P5; m02; P6; m02;"),
                                1);
    EXPECT_EQ(Lines(Dump(r.GetDocument())), Lines({L("[Flow Chart2]"),
                                                   L("0 START Ox1 @250,10"),
                                                   L("1 CJ f0 n0 LD X0; @250,80"),
                                                   L("2 JUMP P5 e0 c0 k-1 @350,150"),
                                                   L("3 CJ f0 n1 LD X1; @250,220"),
                                                   L("4 JUMP P6 e0 c0 k-1 @350,290"),
                                                   L("5 TEXT LD X2;|OUT Y2; @250,360"),
                                                   L("6 END k0 @250,430"),
                                                   L("w 0.0>1"),
                                                   L("w 1.1>3"),
                                                   L("w 1.2>2"),
                                                   L("w 3.1>5"),
                                                   L("w 3.2>4"),
                                                   L("w 5.1>6"),
                                                   L("[Flow Chart3]"),
                                                   L("0 PTR P5 @250,10"),
                                                   L("1 END k0 @250,80"),
                                                   L("w 0.0>1"),
                                                   L("[Flow Chart4]"),
                                                   L("0 PTR P6 @250,10"),
                                                   L("1 END k0 @250,80"),
                                                   L("w 0.0>1")}));
}

// The JUMP of a side exit is built when the symbol after the conditional
// jump is wired; it must jump where that conditional jump's own CJ said,
// not where a later attempt or nothing at all says.
TEST_F(RebuildConditionalJumpTest, TheSideExitKeepsItsOwnTarget)
{
    const struct {
        const char* program;
        const char* jump;
    } rows[] = {
        // A failed attempt after it names P6.
        {"OX1; BRET; LD X0; CJ P5; BRET; BRET; LD X1; CJ P6; LD X2; m02; P5; m02; P6; m02;",
         "2 JUMP P5 e0 c0 k-1 @350,150"},
        {"OX1; BRET; LD X0; CJ P5; BRET; BRET; CMP D0 D1 M0; LD M0; CJ P6; m10; m02; P5; m02; P6; m02;",
         "2 JUMP P5 e0 c0 k-1 @350,150"},
        // The conditional jump is the last statement of the list.
        {"P5; m02; OX1; BRET; LD X0; CJ P5; BRET", "2 JUMP P5 e0 c0 k-1 @350,150"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.program);
        CHOXProgReader& r = Rebuild(L(row.program), 1);
        const QStringList dump = Dump(r.GetDocument());
        EXPECT_TRUE(dump.contains(L(row.jump))) << Lines(dump);
        CHOXExport exporter(r.GetDocument());
        QString message;
        int severity = -1;
        CHOXSymbol* symbol = nullptr;
        EXPECT_TRUE(exporter.GenerateProgram(message, false, &severity, &symbol, false)) << message.toStdString();
        CloseDocument();
    }
}

TEST_F(RebuildConditionalJumpTest, CompletionAnswersAndWhatItTakes)
{
    CHOXDoc* doc = ReadDocument(1);
    ASSERT_NE(doc, nullptr);
    CHOXProgReader r(doc);
    const struct {
        const char* text;
        int kind;
        QStringList after;
        int result;
        int consumed;
        const char* consumedText;
        const char* cjOperand;
    } rows[] = {
        {"D0 D1 M10;", 1, {L("LD M10;"), L("CJ P5;"), L("BRET;")}, 1, 3, "LD M10;\nCJ P5;\nBRET;\n", "P5;"},
        {"D0 D1 M10;",
         1,
         {L("LD M10;"), L("OR M11;"), L("CJN P7;"), L("BRET;")},
         1,
         4,
         "LD M10;\nOR M11;\nCJN P7;\nBRET;\n",
         "P7;"},
        // The statement that does not fit is given back, and still counted.
        {"D0 D1 M10;", 1, {L("LD M10;"), L("LD M11;")}, 2, 2, "LD M10;\n", ""},
        {"D0 D1 M10;", 1, {L("LD X10;")}, 2, 1, "", ""},
        // A refused one is kept.
        {"D0 D1 M10;", 1, {L("LD M10;"), L("XYZ;")}, 0, 2, "LD M10;\nXYZ;\n", ""},
        {"D0 D1 M10;", 1, {L("LD M10;")}, 2, 1, "LD M10;\n", ""},
        // Nothing is taken for a result device other than M or Y.
        {"D0 D1 D10;", 1, {L("LD M10;")}, 2, 0, "", ""},
        {"D0 D1 D2 M4;", 2, {L("LD M5;"), L("CJ P1;"), L("BRET;")}, 1, 3, "LD M5;\nCJ P1;\nBRET;\n", "P1;"},
        {"D0 D1 D2 M4;", 2, {L("LD M5;"), L("CJ P1;"), L("m10;")}, 2, 3, "LD M5;\nCJ P1;\n", ""},
        {"LD X0;\n", 0, {L("BRET;")}, 1, 1, "BRET;\n", ""},
        {"LD X0;\n", 0, {L("m10;")}, 2, 1, "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        QStringList statements{L("FIRST;")};
        statements << row.after;
        r.SetStatements(statements);
        CHOXFlowCJump cjump(CPoint(0, 0), nullptr);
        EXPECT_EQ(r.CompleteConditionalJump(&cjump, nullptr, L(row.text), row.kind), row.result);
        EXPECT_EQ(r.GetConsumedCount(), row.consumed);
        EXPECT_EQ(r.GetConsumedText().toStdString(), row.consumedText);
        if (row.result == 1 && row.kind != 0) {
            EXPECT_EQ(r.GetCjOperand().toStdString(), row.cjOperand);
        }
    }
}
