// Positioning and function statements rebuilt as their symbols: which
// symbol each statement list gives, with its fields as its caption shows
// them, its text and steps; what folds into a motion or a drive to zero
// and what stays apart; and every symbol option converted, rebuilt and
// converted again.
#include "convert/EverythingChart.h"
#include "convert/RebuildFixture.h"
#include "support/Scripted.h"
#include "symbols/flow/HOXFlowCJump.h"

using kt::test::Lines;
using kt::test::NormalLines;
using kt::test::RebuildFixture;

namespace {

QString L(const char* text) { return QString::fromLatin1(text); }

struct StatementCase {
    const char* what;
    const char* program;
    QStringList column;
    // Every statement is taken: the charts convert back into the program.
    bool convertsBack = true;
};

class RebuildSymbolsTest : public RebuildFixture {
protected:
    // The symbols between the charts' heads and ends, top to bottom: name,
    // caption (lines joined by "|") and steps.
    static QStringList Column(CHOXDoc* doc)
    {
        QStringList out;
        for (const QString& name : doc->GetWindowNameList()) {
            CHOXFlowWnd* wnd = doc->FindWindowByName(name);
            if (wnd == nullptr) continue;
            for (CHOXSymbol* s : SymbolsInColumnOrder(wnd)) {
                const int type = s->GetObjectType();
                if (type == objtype::kFlowStart || type == objtype::kFlowEnd) continue;
                QString label = s->GetLabel();
                while (label.endsWith(u'\n')) label.chop(1);
                out << QStringLiteral("%1 [%2] %3").arg(Kind(s), label.replace(u'\n', u'|')).arg(s->GetSteps());
            }
        }
        return out;
    }

    // Each case rebuilt on the two-axis controller: its column, then, when
    // it converts back, the text and the step records against the
    // conversion's.
    void RunCases(const std::vector<StatementCase>& cases)
    {
        for (const StatementCase& c : cases) {
            SCOPED_TRACE(c.what);
            const QString program = L(c.program);
            CHOXProgReader& r = Rebuild(program, 2);
            EXPECT_FALSE(r.IsStopped());
            EXPECT_EQ(Lines(Column(r.GetDocument())), Lines(c.column));
            CloseDocument();
            if (c.convertsBack) CheckRoundTrip(program, NormalLines(program), 2);
        }
    }
};

} // namespace

// Options whose addressing or compensation no fold takes: the motion
// writes them, but the rebuild keeps them as symbols of their own.
struct SplitOption {
    const char* what;
    int symbols;
};
constexpr SplitOption kSplitOptions[] = {
    {"LINE: CNTC with its first operand", 2},
    {"LINE: absolute, RADC, Y alone", 3},
    {"DRIVE: incremental, RADC", 3},
    {"DRIVE: CNTC with both operands", 2},
};

TEST_F(RebuildSymbolsTest, EverySymbolOptionComesBackAsItself)
{
    std::vector<const kt::test::SymbolTextCase*> rows;
    for (int type : {0, 1, 2}) {
        for (const auto* row : kt::test::RowsOf(kt::test::CodeSymbolTextCases(), type)) rows.push_back(row);
        for (const auto* row : kt::test::RowsOf(kt::test::FuncSymbolTextCases(), type)) rows.push_back(row);
    }
    for (const kt::test::SymbolTextCase* row : rows) {
        SCOPED_TRACE(row->what);
        QString text;
        std::uint32_t steps = 0;
        int objectType = 0;
        {
            CHOXDoc source;
            kt::test::PrepareDocument(source, row->controllerType);
            kt::test::ChartMaker chart(source, QStringLiteral("Main"));
            chart.Add<CHOXFlowStart>();
            objectType = chart.Add(row->make(chart.Window()))->GetObjectType();
            chart.Add<CHOXFlowEnd>();
            CHOXExport exporter(&source);
            QString message;
            int severity = -1;
            CHOXSymbol* culprit = nullptr;
            ASSERT_TRUE(exporter.GenerateProgram(message, false, &severity, &culprit, false)) << message.toStdString();
            text = exporter.GetProgramText();
            steps = source.GetTotalSteps();
        }
        int expected = 1;
        for (const SplitOption& split : kSplitOptions)
            if (std::string_view(split.what) == row->what) expected = split.symbols;
        CheckRoundTrip(text, NormalLines(text), row->controllerType, true, [&](CHOXDoc* doc) {
            EXPECT_EQ(doc->GetTotalSteps(), steps);
            int between = 0;
            int same = 0;
            for (const QString& name : doc->GetWindowNameList())
                for (CHOXSymbol* s : SymbolsInColumnOrder(doc->FindWindowByName(name))) {
                    const int type = s->GetObjectType();
                    if (type == objtype::kFlowStart || type == objtype::kFlowEnd) continue;
                    ++between;
                    if (type == objectType) ++same;
                }
            EXPECT_EQ(between, expected) << Lines(Column(doc));
            EXPECT_EQ(same, 1) << Lines(Column(doc));
        });
    }
}

TEST_F(RebuildSymbolsTest, AddressingAndCompensationFoldIntoTheMotionAfterThem)
{
    RunCases({
        {"INC before LIN", "O1;\ncod91(INC);\ncod01(LIN) x100 f300;\nm02(END);", {L("LINEAR [INC|X = 100|f = 300] 8")}},
        {"INC with an M code stays apart",
         "O1;\ncod91(INC) m5;\ncod01(LIN) x100 f300;\nm02(END);",
         {L("INCREMENTAL [m5] 4"), L("LINEAR [X = 100|f = 300] 6")}},
        {"ABS and MOVC before DRV",
         "O1;\ncod90(ABS);\ncod73(MOVC) x1 y2;\ncod00(DRV) x10 f100;\nm02(END);",
         {L("DRIVE [ABS|MOVC X1 Y2|X = 10|fx = 100] 14")}},
        {"INC and CNTC before a circle by its centre",
         "O1;\ncod91(INC);\ncod74(CNTC) i5;\ncod02(CW) x10 y10 i5 j5;\nm02(END);",
         {L("CIRCULAR CW [INC|CNTC i5 |X = 10|Y = 10|i = 5|j = 5] 16")}},
        {"INC and RADC before a circle by its radius",
         "O1;\ncod91(INC);\ncod75(RADC) r5;\ncod03(CCW) x10 y10 r5;\nm02(END);",
         {L("CIRCULAR CCW [INC|RADC r5|X = 10|Y = 10|r = 5] 14")}},
        {"CANC before an interrupt; INC does not fold into one",
         "O1;\ncod76(CANC);\ncod71(SINT) x100 f1000;\ncod91(INC);\ncod72(DINT) y100 f10 f20;\nm02(END);",
         {L("ONE STEP INTERRUPT [CANC|X Distance  100|Speed1  1000] 8"), L("INCREMENTAL [] 2"),
          L("TWO STEP INTERRUPT [Y Distance  100|Speed1  10|Speed2  20] 8")}},
        {"CNTC before a circle without i or j stays apart",
         "O1;\ncod74(CNTC) i5;\ncod02(CW) x10 y20 r5;\nm02(END);",
         {L("CENTER COMPENSATION [i = 5] 4"), L("CIRCULAR CW [X = 10|Y = 20|r = 5] 8")}},
        {"MOVC before a circle stays apart, and so does the INC before it",
         "O1;\ncod91(INC);\ncod73(MOVC) x1;\ncod02(CW) x10 y10 r5;\nm02(END);",
         {L("INCREMENTAL [] 2"), L("MOVE COMPENSATION [x = 1] 4"), L("CIRCULAR CW [X = 10|Y = 10|r = 5] 8")}},
        {"INC before an M code", "O1;\ncod91(INC);\nm10;\nm02(END);", {L("INCREMENTAL [] 2"), L("MCODE [m10] 2")}},
        {"INC as the last statement", "O1;\nm10;\ncod91(INC);", {L("MCODE [m10] 2"), L("INCREMENTAL [] 2")}, false},
        {"MOVC as the last statement",
         "O1;\nm10;\ncod73(MOVC) x1;",
         {L("MCODE [m10] 2"), L("MOVE COMPENSATION [x = 1] 4")},
         false},
    });
}

TEST_F(RebuildSymbolsTest, EndChecksFoldIntoLinesAndCircles)
{
    RunCases({
        {"after CW, CCW, LIN and INT; not after DRV",
         "O1;\ncod02(CW) x10 y20 r5;\ncod09(CHK);\ncod03(CCW) x10 y20 i5;\ncod09(CHK);\ncod01(LIN) x5;\ncod09(CHK);\n"
         "cod31(INT) y5;\ncod09(CHK);\ncod00(DRV) x5;\ncod09(CHK);\nm02(END);",
         {L("CIRCULAR CW [X = 10|Y = 20|r = 5|CHK] 10"), L("CIRCULAR CCW [X = 10|Y = 20|i = 5|CHK] 10"),
          L("LINEAR [X = 5|CHK] 6"), L("LINEAR INT [Y = 5|CHK] 6"), L("DRIVE [X = 5] 4"), L("CHK [] 2")}},
        {"two checks after a line: the second is its own",
         "O1;\ncod01(LIN) x5;\ncod09(CHK);\ncod09(CHK);\nm02(END);",
         {L("LINEAR [X = 5|CHK] 6"), L("CHK [] 2")}},
    });
}

TEST_F(RebuildSymbolsTest, OtherPositioningRows)
{
    RunCases({
        {"timers, K removed",
         "O1;\ncod04(TIM) K10;\ncod04(TIM) KD5 m3;\nm02(END);",
         {L("TIMER [T = 10] 4"), L("TIMER [T = D5|m 3] 6")}},
        {"SETR with an M code, DRVR without",
         "O1;\ncod29(SETR) m5;\ncod30(DRVR);\nm02(END);",
         {L("SETR [ m5] 4"), L("DRVR [] 2")}},
        {"set address",
         "O1;\ncod92(SET) x100 y-2 m5;\ncod92(SET) yD7;\nm02(END);",
         {L("SET ADDRESS [x = 100|y = -2|m 5] 8"), L("SET ADDRESS [y = D7] 4")}},
        {"a drive's speed belongs to the axis before it",
         "O1;\ncod00(DRV) x10 y20 f5;\ncod00(DRV) x10 f3 y20 f5;\ncod00(DRV) x10 f3 y20;\nm02(END);",
         {L("DRIVE [X = 10|Y = 20|fy = 5] 8"), L("DRIVE [X = 10|Y = 20|fx = 3|fy = 5] 10"),
          L("DRIVE [X = 10|Y = 20|fx = 3] 8")}},
        {"a drive to zero outside a relay sequence",
         "O1;\ncod28(DRVZ);\ncod28(DRVZ) m12;\nm02(END);",
         {L("DRIVE TO ZERO [Return 0] 2"), L("DRIVE TO ZERO [Return 0| m12] 4")}},
        {"repeat and its end",
         "O1;\nRPT(FNC08) K5;\nRPE(FNC09);\nm02(END);",
         {L("REPEAT [K5] 5"), L("REPEAT END [ ] 2")}},
    });
}

// What carries an M code the motion cannot write, or what the checker
// refuses, is no fold: nothing is lost, written twice or attached to a later
// motion.
TEST_F(RebuildSymbolsTest, NoFoldWithAnMcodeOrARefusedNeighbour)
{
    RunCases({
        {"a CHK with an M code after a line",
         "O1;\ncod01(LIN) x100;\ncod09(CHK) m5;\nm02(END);",
         {L("LINEAR [X = 100] 4"), L("CHK [m 5] 4")}},
        {"a compensation with an M code before a drive",
         "O1;\ncod73(MOVC) x1 m5;\ncod00(DRV) x10;\nm02(END);",
         {L("MOVE COMPENSATION [x = 1|m5] 6"), L("DRIVE [X = 10] 4")}},
        {"addressing across a compensation that stays apart",
         "O1;\ncod91(INC);\ncod73(MOVC) x1 m5;\ncod00(DRV) x10;\nm02(END);",
         {L("INCREMENTAL [] 2"), L("MOVE COMPENSATION [x = 1|m5] 6"), L("DRIVE [X = 10] 4")}},
        {"addressing before a refused line",
         "O1;\ncod91(INC);\ncod01(LIN) q5;\ncod01(LIN) x5;\nm02(END);",
         {L("INCREMENTAL [] 2"), L("TEXT [COD01(LIN) Q5;] 0"), L("LINEAR [X = 5] 4")},
         false},
        {"compensation before a refused drive",
         "O1;\ncod73(MOVC) x1;\ncod00(DRV) q5;\ncod00(DRV) x5;\nm02(END);",
         {L("MOVE COMPENSATION [x = 1] 4"), L("TEXT [COD00(DRV) Q5;] 0"), L("DRIVE [X = 5] 4")},
         false},
        {"addressing across a compensation before a refused drive",
         "O1;\ncod90(ABS);\ncod76(CANC);\ncod00(DRV) q5;\ncod00(DRV) x5;\nm02(END);",
         {L("ABSOLUTE [] 2"), L("CANCEL COMPENSATION [] 2"), L("TEXT [COD00(DRV) Q5;] 0"), L("DRIVE [X = 5] 4")},
         false},
        {"a refused CHK after a line, then a CHK",
         "O1;\ncod01(LIN) x100;\ncod09(CHK) q5;\ncod09(CHK);\nm02(END);",
         {L("LINEAR [X = 100] 4"), L("TEXT [COD09(CHK) Q5;] 0"), L("CHK [] 2")},
         false},
    });
}

TEST_F(RebuildSymbolsTest, RelaysAroundADriveToZero)
{
    RunCases({
        {"X relay",
         "O1;\nSET M9024;\ncod28(DRVZ);\nRST M9024;\nm10;\nm02(END);",
         {L("DRIVE TO ZERO [Return x] 6"), L("MCODE [m10] 2")}},
        {"Y relay, with an M code",
         "O1;\nSET M9008;\ncod28(DRVZ) m5;\nRST M9008;\nm02(END);",
         {L("DRIVE TO ZERO [Return y| m5] 8")}},
        {"the relay before something else",
         "O1;\nSET M9024;\nm10;\nRST M9024;\nm02(END);",
         {L("SET [M9024] 2"), L("MCODE [m10] 2"), L("RESET [M9024] 2")}},
        {"another relay",
         "O1;\nSET M10;\ncod28(DRVZ);\nRST M10;\nm02(END);",
         {L("SET [M10] 2"), L("DRIVE TO ZERO [Return 0] 2"), L("RESET [M10] 2")}},
        {"different relays",
         "O1;\nSET M9024;\ncod28(DRVZ);\nRST M9008;\nm02(END);",
         {L("SET [M9024] 2"), L("DRIVE TO ZERO [Return 0] 2"), L("RESET [M9008] 2")}},
        {"something between the drive and the RST",
         "O1;\nSET M9024;\ncod28(DRVZ);\nm10;\nRST M9024;\nm02(END);",
         {L("SET [M9024] 2"), L("DRIVE TO ZERO [Return 0] 2"), L("MCODE [m10] 2"), L("RESET [M9024] 2")}},
        {"two sequences in a row",
         "O1;\nSET M9024;\ncod28(DRVZ);\nRST M9024;\nSET M9008;\ncod28(DRVZ);\nRST M9008;\nm02(END);",
         {L("DRIVE TO ZERO [Return x] 6"), L("DRIVE TO ZERO [Return y] 6")}},
        {"a refused drive to zero",
         "O1;\nSET M9024;\ncod28(DRVZ) q;\nRST M9024;\nm02(END);",
         {L("SET [M9024] 2"), L("TEXT [COD28(DRVZ) Q;] 0"), L("RESET [M9024] 2")},
         false},
        {"no RST at the end",
         "O1;\nSET M9024;\ncod28(DRVZ);",
         {L("SET [M9024] 2"), L("DRIVE TO ZERO [Return 0] 2")},
         false},
    });
}

// A document of each controller type holding every kind of symbol: its
// program, cut into statements and rebuilt, converts back to itself with
// each symbol's steps where the conversion puts them.
TEST_F(RebuildSymbolsTest, EveryKindOfDocumentComesBackFromItsProgram)
{
    for (int type : {0, 1, 2}) {
        SCOPED_TRACE(type);
        QString text;
        {
            CHOXDoc source;
            kt::test::BuildEverything(source, type);
            CHOXExport exporter(&source);
            QString message;
            int severity = -1;
            CHOXSymbol* culprit = nullptr;
            ASSERT_TRUE(exporter.GenerateProgram(message, false, &severity, &culprit, false)) << message.toStdString();
            ASSERT_TRUE(message.isEmpty()) << message.toStdString();
            // The controller keeps no comment behind a statement.
            for (QString line : exporter.GetProgramText().split(u'\n', Qt::SkipEmptyParts))
                text += line.left(line.indexOf(u';') + 1 > 0 ? line.indexOf(u';') + 1 : line.size()) + u'\n';
        }
        ASSERT_GT(text.count(u'\n'), 30);
        CheckRoundTrip(text, NormalLines(text), type, true, [&](CHOXDoc* doc) {
            for (const QString& name : doc->GetWindowNameList())
                for (CHOXSymbol* s : SymbolsInColumnOrder(doc->FindWindowByName(name)))
                    EXPECT_EQ(s->GetErrorState(), 0) << Describe(s).toStdString();
        });
    }
}

// An output in a conditional jump's condition is a program word longer than
// a contact; counted as one, the document's total fell behind the
// controller's program.
TEST_F(RebuildSymbolsTest, OutputsInAConditionCountAsTheControllerCountsThem)
{
    const struct {
        const char* condition;
        int steps;
    } rows[] = {
        {"LD X0;\nAND X1;\n", 12},     {"LD X0;\nOUT Y0;\n", 14},  {"LD X0;\nOUT(FNC90) M5;\nANI X1;", 16},
        {"  ld x0;\n  out y0;\n", 14}, {"LD X0;\nOUTX Y0;\n", 12},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.condition);
        CHOXFlowCJump cjump;
        cjump.SetKind(CHOXFlowCJump::kBitForm);
        cjump.SetBitCondition(L(row.condition));
        cjump.CalcSteps();
        EXPECT_EQ(cjump.GetSteps(), row.steps);
    }
    const QString program = L("Ox1;\nBRET(FNC05);\nLD X0;\nOUT Y0;\nCJ(FNC00) P5;\nBRET(FNC05);\nm10;\nm02(END);\n"
                              "P5;\nm02(END);");
    CheckRoundTrip(program, NormalLines(program), 0, true, [](CHOXDoc* doc) { EXPECT_EQ(doc->GetTotalSteps(), 25u); });
}

// A NOP before a conditional jump's BRET used to follow the BRET, which
// then no longer ended the block: the jump stayed text, the lines swapped.
TEST_F(RebuildSymbolsTest, ANopBeforeAConditionalJumpKeepsItsPlace)
{
    const QString program = L("Ox1;\nLD X0;\nOUT Y0;\nNOP\nBRET(FNC05);\nLD X0;\nCJ(FNC00) P5;\nBRET(FNC05);\n"
                              "m02(END);\nP5;\nm02(END);");
    CheckRoundTrip(program, NormalLines(program), 1, true, [](CHOXDoc* doc) {
        EXPECT_EQ(Lines(Column(doc)),
                  Lines({L("TEXT [LD X0;|OUT Y0;|NOP] 7"), L("CJ [LD X0;] 10"), L("JUMP [P5] 0"), L("PTR [P5] 2")}));
    });
}

// The builders on their own, with what the checker would not let through:
// names in any case or only one of them, missing operand words, values no
// operand reads, a fifth text, names of no row.
TEST_F(RebuildSymbolsTest, BuildersTakeWhatTheyAreGiven)
{
    CHOXProgReader& r = Rebuild(L("O1;\nm10;\nm02(END);"), 2);
    CHOXWnd* wnd = r.GetDocument()->FindWindowByName(r.GetDocument()->GetWindowNameList().front());
    ASSERT_NE(wnd, nullptr);
    const struct {
        bool positioning;
        const char* name;
        const char* alternate;
        const char* operands;
        const char* symbol;
    } rows[] = {
        {false, "ADD", "FNC20", "D0;", "ARITHMETIC [=D0+] 4"},
        {false, "ext", "fnc72", "X0 Y0;", "EXTERNAL DIGITAL SWITCH [X0|Y0||] 6"},
        {false, "MOV", "FNC12", ";", "MOVE [|] 2"},
        {false, "", "FNC18", "D0 D1;", "BIN - BCD [D0|D1] 6"},
        {false, "XYZ", "FNC99", "D0;", "none"},
        {false, "SET", "", "M9024;", "SET [M9024] 2"},
        {false, "RST", "RST", "M9024;", "RESET [M9024] 2"},
        {true, "cod99", "XYZ", ";", "none"},
        {true, "cod04", "TIM", "k25;", "TIMER [T = 25] 4"},
        {true, "cod04", "", "K25 m4;", "TIMER [T = 25|m 4] 6"},
        {true, "cod01", "LIN", "x#5 q7 f10;", "LINEAR [X = 0|f = 10] 6"},
        {true, "", "lin", "xD7Z2 f10;", "LINEAR [X = D7Z2|f = 10] 6"},
        {true, "COD00", "", "y5 f10 m3;", "DRIVE [Y = 5|fy = 10|m 3] 8"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name + std::string(" ") + row.alternate + " " + row.operands);
        CHOXSymbol* s = row.positioning
                            ? r.BuildPositioningSymbol(wnd, L(row.name), L(row.alternate), L(row.operands), L("x9;"))
                            : r.BuildFunctionSymbol(wnd, L(row.name), L(row.alternate), L(row.operands), L("D9;"));
        QString seen = L("none");
        if (s != nullptr) {
            QString label = s->GetLabel();
            seen = QStringLiteral("%1 [%2] %3").arg(Kind(s), label.replace(u'\n', u'|')).arg(s->GetSteps());
            EXPECT_EQ(chart::FindSymbol(static_cast<CHOXFlowWnd*>(wnd), s->GetId()), s);
        }
        EXPECT_EQ(seen.toStdString(), row.symbol);
    }
    CloseDocument();
}

// A statement whose symbol gets no id builds nothing and the rebuild stops;
// what folds forward takes none.
TEST_F(RebuildSymbolsTest, WhenSymbolIdsRunOutTheRebuildStops)
{
    CHOXDoc* doc = ReadDocument(2);
    ASSERT_NE(doc, nullptr);
    auto filler = doc->NewFlowWindow(L("Filler"), QString());
    CHOXFlowWnd* raw = filler.get();
    doc->AddWindow(L("Filler"), std::move(filler), true);
    // Two symbol ids are left: 3999 and 4000.
    for (int id = 0; id < 3999; ++id) {
        auto symbol = std::make_unique<CHOXSymbol>(CPoint(10, 10), raw);
        symbol->SetId(static_cast<DWORD>(id));
        raw->AddObject(std::move(symbol));
    }
    doc->SetIdCounters({4000, 0, 0, 0, 20});
    CHOXProgReader r(doc);
    r.SplitStatements(L("O1; cod91(INC); cod01(LIN) x5; ADD D0 D1 D2; m10; m02;"));
    {
        kt::test::ScriptedMessages messages;
        messages.Expect(L("ERROR : Number of Symbols exceeded the limit."), MB_OK | MB_ICONHAND, IDOK);
        r.GenerateFlowCharts();
    }
    EXPECT_TRUE(r.IsStopped());
    QStringList dump = Dump(doc);
    dump = dump.mid(dump.indexOf(L("[Flow Chart3]")));
    EXPECT_EQ(Lines(dump),
              Lines({L("[Flow Chart3]"), L("0 START O1 @250,10"), L("1 LINEAR INC\nX = 5 @250,80"), L("w 0.0>1")}));
}

// Each symbol's steps begin where its first statement does: what folds
// forward starts the motion's or the drive's record, a CHK or RST folded
// back stays in its symbol's range, the look-aheads shift nothing. Refused
// lines, which have no steps, keep the programs from converting back.
TEST_F(RebuildSymbolsTest, StepRecordsAroundFoldsAndRefusedLines)
{
    const struct {
        const char* program;
        std::vector<int> steps;
    } rows[] = {
        // START, LINE with its CHK (4 + 2), m10, END.
        {"O1; cod01(LIN) x5; cod09(CHK); cod09(CHK) q; m10; m02;", {0, 3, 9, 11}},
        // START, DRVZ with its relays (6), INC, m10, END.
        {"O1; SET M9024; cod28(DRVZ); RST M9024; cod91(INC); cod01(LIN) q; m10; m02;", {0, 3, 9, 11, 13}},
        // START, DRIVE with ABS and CANC (2 + 2 + 4), DRVZ, m10, END.
        {"O1; cod90(ABS); cod76(CANC); cod00(DRV) x5; XYZ; SET M9008; cod28(DRVZ); RST M9008; m10; m02;",
         {0, 3, 11, 17, 19}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.program);
        CHOXProgReader& r = Rebuild(L(row.program), 2);
        std::vector<int> steps;
        for (const auto& [window, id, step] : Steps(r.GetDocument())) steps.push_back(step);
        EXPECT_EQ(steps, row.steps);
        CloseDocument();
    }
}
