// Charts rebuilt from statement lists: which windows open, which symbols
// stand where in which state, how they are wired, and what the jump counts
// say; each case as the picture RebuildFixture::Dump draws of the document.
#include "convert/RebuildFixture.h"

using kt::test::RebuildFixture;

namespace {

struct ChartCase {
    const char* what;
    int type;
    const char* program;
    QStringList dump;
    int jumpsRead = 0;
    int jumpsBuilt = 0;
};

QString L(const char* text) { return QString::fromLatin1(text); }

class RebuildChartsTest : public RebuildFixture {
protected:
    void RunCases(const std::vector<ChartCase>& cases)
    {
        for (const ChartCase& c : cases) {
            SCOPED_TRACE(c.what);
            CHOXProgReader& r = Rebuild(L(c.program), c.type);
            EXPECT_FALSE(r.IsStopped());
            EXPECT_EQ(kt::test::Lines(Dump(r.GetDocument())), kt::test::Lines(c.dump));
            EXPECT_EQ(r.GetJumpsRead(), c.jumpsRead);
            EXPECT_EQ(r.GetJumpsBuilt(), c.jumpsBuilt);
            CloseDocument();
        }
    }
};

} // namespace

TEST_F(RebuildChartsTest, NothingToBuild)
{
    for (const char* program : {"", "NOP NOP NOP", ";;", "NOP; NOP;"}) {
        SCOPED_TRACE(program);
        CHOXProgReader& r = Rebuild(L(program), 1);
        EXPECT_TRUE(r.GetDocument()->GetWindowNameList().isEmpty());
        EXPECT_TRUE(r.GetDocument()->GetStepInfoList().empty());
        CloseDocument();
    }
}

TEST_F(RebuildChartsTest, ProgramsHeadsAndEnds)
{
    RunCases({
        {"a program with a statement that stays text, in the column",
         2,
         "O10; LD X0; m02;",
         {L("[Flow Chart2]"), L("0 START O10 @250,10"), L("1 TEXT LD X0; @250,80"), L("2 END k0 @250,150"),
          L("w 0.0>1"), L("w 1.1>2")}},
        {"a positioning statement becomes its symbol, in the column",
         2,
         "O10; cod00 x100 f1000; m02;",
         {L("[Flow Chart2]"), L("0 START O10 @250,10"), L("1 DRIVE X = 100\nfx = 1000 @250,80"), L("2 END k0 @250,150"),
          L("w 0.0>1"), L("w 1.1>2")}},
        {"axis letters on an independent two-axis controller; SEND ends the subtask",
         1,
         "OY5; m10; m02; O100; m11; m102;",
         {L("[Flow Chart2]"), L("0 START Oy5 @250,10"), L("1 MCODE m10 @250,80"), L("2 END k0 @250,150"), L("w 0.0>1"),
          L("w 1.1>2"), L("[Subtask]"), L("0 START O100 @250,10"), L("1 MCODE m11 @250,80"), L("2 END k1 @250,150"),
          L("w 0.0>1"), L("w 1.1>2")}},
        {"a program that runs into the next program gets an END marked missing",
         0,
         "OX1; m10; OX2; m02;",
         {L("[Flow Chart2]"), L("0 START Ox1 @250,10"), L("1 MCODE m10 @250,80"), L("2 END k-1 @250,150 s3"),
          L("w 0.0>1"), L("w 1.1>2"), L("[Flow Chart3]"), L("0 START Ox2 @250,10"), L("1 END k0 @250,80"),
          L("w 0.0>1")}},
        {"in the subtask the added end is SEND, also missing",
         1,
         "O100; m10; OX1; m02;",
         {L("[Subtask]"), L("0 START O100 @250,10"), L("1 MCODE m10 @250,80"), L("2 END k-1 @250,150 s3"), L("w 0.0>1"),
          L("w 1.1>2"), L("[Flow Chart3]"), L("0 START Ox1 @250,10"), L("1 END k0 @250,80"), L("w 0.0>1")}},
        {"a called pointer is a SUBROUTINE, closed by an added RET; the text ends with an added END",
         1,
         "OX1; CALL P7; m02; P7; m11; OX2;",
         {L("[Flow Chart2]"), L("0 START Ox1 @250,10"), L("1 CALL P7 @250,80"), L("2 END k0 @250,150"), L("w 0.0>1"),
          L("w 1.1>2"), L("[Flow Chart3]"), L("0 SUB P7 @250,10"), L("1 MCODE m11 @250,80"), L("2 RET @250,150"),
          L("w 0.0>1"), L("w 1.1>2"), L("[Flow Chart4]"), L("0 START Ox2 @250,10"), L("1 END k-1 @250,80 s3"),
          L("w 0.0>1")}},
        {"a program that runs into a pointer jumps to it; the JMP is counted as added",
         1,
         "OX1; m10; P5; m02;",
         {L("[Flow Chart2]"), L("0 START Ox1 @250,10"), L("1 MCODE m10 @250,80"), L("2 JUMP P5 e0 c1 k-1 @250,150"),
          L("w 0.0>1"), L("w 1.1>2"), L("[Flow Chart3]"), L("0 PTR P5 @250,10"), L("1 END k0 @250,80"), L("w 0.0>1")},
         1,
         2},
        {"JMP followed by its end is one JUMP",
         1,
         "OX1; JMP P5; m02; P5; JMP(FNC04) P6; m102(SEND); P6; m02;",
         {L("[Flow Chart2]"), L("0 START Ox1 @250,10"), L("1 JUMP P5 e1 c1 k0 @250,80"), L("w 0.0>1"),
          L("[Flow Chart3]"), L("0 PTR P5 @250,10"), L("1 JUMP P6 e1 c1 k1 @250,80"), L("w 0.0>1"), L("[Flow Chart4]"),
          L("0 PTR P6 @250,10"), L("1 END k0 @250,80"), L("w 0.0>1")},
         2,
         2},
        {"a JMP followed by anything else stands alone; what follows opens a chart of its own",
         1,
         "OX1; JMP P5; m10; m02; P5; m02;",
         {L("[Flow Chart2]"), L("0 START Ox1 @250,10"), L("1 JUMP P5 e0 c1 k-1 @250,80"), L("w 0.0>1"),
          L("[Flow Chart3]"), L("0 START @250,10 s3"), L("1 MCODE m10 @250,80"), L("2 END k0 @250,150"), L("w 0.0>1"),
          L("w 1.1>2"), L("[Flow Chart4]"), L("0 PTR P5 @250,10"), L("1 END k0 @250,80"), L("w 0.0>1")},
         1,
         1},
        {"numbers in use: the second START and the second POINTER in the error state",
         1,
         "OX1; m02; OX1; m02; P5; m02; P5; m02;",
         {L("[Flow Chart2]"), L("0 START Ox1 @250,10"), L("1 END k0 @250,80"), L("w 0.0>1"), L("[Flow Chart3]"),
          L("0 START Ox1 @250,10 s2"), L("1 END k0 @250,80"), L("w 0.0>1"), L("[Flow Chart4]"), L("0 PTR P5 @250,10"),
          L("1 END k0 @250,80"), L("w 0.0>1"), L("[Flow Chart5]"), L("0 PTR P5 @250,10 s2"), L("1 END k0 @250,80"),
          L("w 0.0>1")}},
        {"a second subtask program stands in a chart of its own, its START in the error state",
         1,
         "O100; m102; O100; m102;",
         {L("[Subtask]"), L("0 START O100 @250,10"), L("1 END k1 @250,80"), L("w 0.0>1"), L("[Flow Chart3]"),
          L("0 START O100 @250,10 s2"), L("1 END k1 @250,80"), L("w 0.0>1")}},
    });
}

TEST_F(RebuildChartsTest, ProgramTextBlocks)
{
    RunCases({
        {"a refused first statement opens a chart with a missing START; its block is in error",
         1,
         "XYZ; LD X0; OUT Y0; m02;",
         {L("[Flow Chart2]"), L("0 START @250,10 s3"), L("1 TEXT XYZ;|LD X0;|OUT Y0; @250,80 s2"),
          L("2 END k0 @250,150"), L("w 0.0>1"), L("w 1.1>2")}},
        {"sequence lines before an end",
         1,
         "LD X0; OUT Y0; m02;",
         {L("[Flow Chart2]"), L("0 START @250,10 s3"), L("1 TEXT LD X0;|OUT Y0; @250,80"), L("2 END k0 @250,150"),
          L("w 0.0>1"), L("w 1.1>2")}},
        {"a compare without a BRET before it is text",
         1,
         "OX1; CMP D0 D1 M10; LD M10; CJ P5; BRET; m02; P5; m02;",
         {L("[Flow Chart2]"), L("0 START Ox1 @250,10"), L("1 TEXT CMP D0 D1 M10;|LD M10;|CJ P5;|BRET; @250,80"),
          L("2 END k0 @250,150"), L("w 0.0>1"), L("w 1.1>2"), L("[Flow Chart3]"), L("0 PTR P5 @250,10"),
          L("1 END k0 @250,80"), L("w 0.0>1")}},
        {"sequence lines at the very end stand before the chart's added end",
         1,
         "OX1; m10; LD X0; OUT Y0;",
         {L("[Flow Chart2]"), L("0 START Ox1 @250,10"), L("1 MCODE m10 @250,80"), L("2 TEXT LD X0;|OUT Y0; @250,150"),
          L("3 END k-1 @250,220 s3"), L("w 0.0>1"), L("w 1.1>2"), L("w 2.1>3")}},
        {"refused lines among others keep their place; their block is in error",
         1,
         "OX1; m10; LD X0; JMP P300; m11; m02;",
         {L("[Flow Chart2]"), L("0 START Ox1 @250,10"), L("1 MCODE m10 @250,80"),
          L("2 TEXT LD X0;|JMP P300; @250,150 s2"), L("3 MCODE m11 @250,220"), L("4 END k0 @250,290"), L("w 0.0>1"),
          L("w 1.1>2"), L("w 2.1>3"), L("w 3.1>4")}},
        {"a NOP after held sequence lines stays between them and the refused line",
         1,
         "OX1; m10; LD X0; NOP; XYZ; m02;",
         {L("[Flow Chart2]"), L("0 START Ox1 @250,10"), L("1 MCODE m10 @250,80"),
          L("2 TEXT LD X0;|NOP|XYZ; @250,150 s2"), L("3 END k0 @250,220"), L("w 0.0>1"), L("w 1.1>2"), L("w 2.1>3")}},
        {"a refused line that begins like a BRET is no BRET: what follows stays text",
         1,
         "OX1; BRETX; LD X0; CJ P5; BRET; m02; P5; m02;",
         {L("[Flow Chart2]"), L("0 START Ox1 @250,10"), L("1 TEXT BRETX;|LD X0;|CJ P5;|BRET; @250,80 s2"),
          L("2 END k0 @250,150"), L("w 0.0>1"), L("w 1.1>2"), L("[Flow Chart3]"), L("0 PTR P5 @250,10"),
          L("1 END k0 @250,80"), L("w 0.0>1")}},
        {"NOPs within a program stay, NOPs between programs and at the end go",
         1,
         "OX1; NOP; m10; NOP; m02; NOP NOP OX2; NOP m02; NOP",
         {L("[Flow Chart2]"), L("0 START Ox1 @250,10"), L("1 TEXT NOP @250,80"), L("2 MCODE m10 @250,150"),
          L("3 TEXT NOP @250,220"), L("4 END k0 @250,290"), L("w 0.0>1"), L("w 1.1>2"), L("w 2.1>3"), L("w 3.1>4"),
          L("[Flow Chart3]"), L("0 START Ox2 @250,10"), L("1 TEXT NOP @250,80"), L("2 END k0 @250,150"), L("w 0.0>1"),
          L("w 1.1>2")}},
    });
}

TEST_F(RebuildChartsTest, BareOperandWordsAreText)
{
    // Cut by the read, the words are upper case and no longer operand
    // words; a list given as it stands keeps them.
    CHOXProgReader& r = RebuildList({L("OX1;"), L("x100 f100;"), L("m02;")}, 1);
    EXPECT_EQ(kt::test::Lines(Dump(r.GetDocument())),
              kt::test::Lines({L("[Flow Chart2]"), L("0 START Ox1 @250,10"), L("1 TEXT x100 f100; @250,80"),
                               L("2 END k0 @250,150"), L("w 0.0>1"), L("w 1.1>2")}));
    CloseDocument();
    // Behind held lines and a NOP read after them, in that order.
    CHOXProgReader& held = RebuildList({L("OX1;"), L("LD X0;"), L("NOP"), L("x100 f100;"), L("m02;")}, 1);
    EXPECT_EQ(kt::test::Lines(Dump(held.GetDocument())),
              kt::test::Lines({L("[Flow Chart2]"), L("0 START Ox1 @250,10"), L("1 TEXT LD X0;|NOP|x100 f100; @250,80"),
                               L("2 END k0 @250,150"), L("w 0.0>1"), L("w 1.1>2")}));
}

// Held sequence lines used to join the block only after the JMP before a
// pointer, or after the END of the chart before: the block then hung from
// a symbol without an output, and the program could not be made again.
TEST_F(RebuildChartsTest, HeldSequenceLinesNeverHangFromAnEnd)
{
    RunCases({
        {"before the JMP to the pointer",
         1,
         "OX1; m10; LD X0; OUT Y0; P5; m02;",
         {L("[Flow Chart2]"), L("0 START Ox1 @250,10"), L("1 MCODE m10 @250,80"), L("2 TEXT LD X0;|OUT Y0; @250,150"),
          L("3 JUMP P5 e0 c1 k-1 @250,220"), L("w 0.0>1"), L("w 1.1>2"), L("w 2.1>3"), L("[Flow Chart3]"),
          L("0 PTR P5 @250,10"), L("1 END k0 @250,80"), L("w 0.0>1")},
         1,
         2},
        {"after an END: a chart of their own",
         1,
         "OX1; m02; LD X0; P5; m02;",
         {L("[Flow Chart2]"), L("0 START Ox1 @250,10"), L("1 END k0 @250,80"), L("w 0.0>1"), L("[Flow Chart3]"),
          L("0 START @250,10 s3"), L("1 TEXT LD X0; @250,80"), L("2 END k-1 @250,150 s3"), L("w 0.0>1"), L("w 1.1>2"),
          L("[Flow Chart4]"), L("0 PTR P5 @250,10"), L("1 END k0 @250,80"), L("w 0.0>1")}},
        {"after a JMP, before a program",
         1,
         "OX1; JMP P5; LD X0; OX2; m02; P5; m02;",
         {L("[Flow Chart2]"), L("0 START Ox1 @250,10"), L("1 JUMP P5 e0 c1 k-1 @250,80"), L("w 0.0>1"),
          L("[Flow Chart3]"), L("0 START @250,10 s3"), L("1 TEXT LD X0; @250,80"), L("2 END k-1 @250,150 s3"),
          L("w 0.0>1"), L("w 1.1>2"), L("[Flow Chart4]"), L("0 START Ox2 @250,10"), L("1 END k0 @250,80"), L("w 0.0>1"),
          L("[Flow Chart5]"), L("0 PTR P5 @250,10"), L("1 END k0 @250,80"), L("w 0.0>1")},
         1,
         1},
    });
    // Each of them converts again.
    for (const char* program : {"OX1; m10; LD X0; OUT Y0; P5; m02;", "OX1; m02; LD X0; P5; m02;"}) {
        SCOPED_TRACE(program);
        CHOXProgReader& r = Rebuild(L(program), 1);
        CHOXExport exporter(r.GetDocument());
        QString message;
        int severity = -1;
        CHOXSymbol* symbol = nullptr;
        EXPECT_TRUE(exporter.GenerateProgram(message, false, &severity, &symbol, false)) << message.toStdString();
        CloseDocument();
    }
}

TEST_F(RebuildChartsTest, WindowsTakeTheFirstFreeNameCountingTheMonitorWindow)
{
    CHOXDoc* doc = ReadDocument(1);
    ASSERT_NE(doc, nullptr);
    // The monitor window, Flow Chart1 and Flow Chart4: Flow Chart4 is tried
    // first and taken, so Flow Chart5 opens. A chart whose name differs only
    // in case counts as taken.
    Main()->CreateFlowChartWindow(L("Flow Chart1"), QString(), 0);
    Main()->CreateFlowChartWindow(L("Flow Chart4"), QString(), 0);
    CHOXProgReader r(doc);
    CHOXFlowWnd* first = r.OpenNewChartWindow(0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetName().toStdString(), "Flow Chart5");
    Main()->CreateFlowChartWindow(L("FLOW CHART6"), QString(), 0);
    CHOXFlowWnd* second = r.OpenNewChartWindow(0);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->GetName().toStdString(), "Flow Chart7");
    // Emptied, with the numbers their first symbols took given back.
    EXPECT_EQ(first->GetObjectMap().GetCount(), 0u);
    EXPECT_EQ(second->GetObjectMap().GetCount(), 0u);
    for (int n = 0; n <= 255; ++n) EXPECT_FALSE(doc->IsPointerNumberUsed(n)) << n;
    CHOXFlowWnd* subtask = r.OpenNewChartWindow(1);
    ASSERT_NE(subtask, nullptr);
    EXPECT_EQ(subtask->GetName().toStdString(), "Subtask");
    CHOXFlowWnd* again = r.OpenNewChartWindow(1);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->GetName().toStdString(), "Flow Chart8");
    EXPECT_EQ(CHOXProgReader::StartPosition(first), CPoint(250, 10));
}
