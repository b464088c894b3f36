// The text import's charts: labels and windows, first and closing symbols,
// inserted jumps and returns, flow instructions, conditional-jump forms and
// near-forms, refused lines, and the closing messages.
#include "convert/ImportFixture.h"

#include "chart/HOXBaseRect.h"
#include "convert/HOXExportProgressDlg.h"
#include "symbols/flow/HOXFlowCJump.h"
#include "symbols/flow/HOXFlowEnd.h"
#include "symbols/flow/HOXFlowStart.h"

using kt::test::Completed;
using kt::test::ExpectWiresWhole;
using kt::test::ImportFixture;
using kt::test::kResultStyle;
using kt::test::Picture;
using kt::test::ScriptedMessages;

namespace {

QString WithErrors() { return Completed() + LoadStr(13528); }

class TextImportChartTest : public ImportFixture {
protected:
    template <class T>
    T* At(const QString& chart, int index)
    {
        const std::vector<CHOXSymbol*> column = kt::test::ColumnOf(Chart(chart));
        return index < static_cast<int>(column.size()) ? dynamic_cast<T*>(column[std::size_t(index)]) : nullptr;
    }
    QString KindOfAt(const QString& chart, int index)
    {
        const std::vector<CHOXSymbol*> column = kt::test::ColumnOf(Chart(chart));
        return index < static_cast<int>(column.size()) ? kt::test::KindOf(column[std::size_t(index)]) : QString();
    }
};

} // namespace

// ---------------------------------------------------------------------------
// Labels, windows, first symbols

TEST_F(TextImportChartTest, LabelledProgramsOfEachAxisBecomeCharts)
{
    CHOXDoc* doc = NewDoc(1);
    ImportProgram(doc, {"Ox1", "LD X0", "OUT Y0", "m02", "OY01;", "m02"});
    EXPECT_EQ(ChartNames(), (QStringList{"Flow Chart1", "Flow Chart2"}));
    EXPECT_EQ(Picture(Chart("Flow Chart1")),
              (QStringList{"START Ox1 @137,32", "TEXT [LD  X0;|OUT(FNC90)  Y0;] @137,102", "END @137,172", "0.0>1",
                           "1.1>2"}));
    EXPECT_EQ(Picture(Chart("Flow Chart2")), (QStringList{"START Oy1 @137,32", "END @137,102", "0.0>1"}));
    EXPECT_EQ(At<CHOXFlowStart>("Flow Chart1", 0)->GetAxis(), 0);
    EXPECT_EQ(At<CHOXFlowStart>("Flow Chart2", 0)->GetAxis(), 1);
    EXPECT_EQ(At<CHOXFlowEnd>("Flow Chart1", 2)->GetEndKind(), 0);
    // Each START holds its own number; what the constructors took is back.
    EXPECT_TRUE(doc->IsProgramNumberUsed(0, 1));
    EXPECT_TRUE(doc->IsProgramNumberUsed(1, 1));
    EXPECT_FALSE(doc->IsProgramNumberUsed(0, 0));
    EXPECT_FALSE(doc->IsProgramNumberUsed(1, 0));
    for (const QString& name : ChartNames()) ExpectWiresWhole(Chart(name));
}

TEST_F(TextImportChartTest, AProgramWithoutAxisLetterOnTheInterpolatingType)
{
    CHOXDoc* doc = NewDoc(2);
    ImportProgram(doc, {"O0", "m02"});
    EXPECT_EQ(Picture(Chart("Flow Chart1")), (QStringList{"START O0 @137,32", "END @137,102", "0.0>1"}));
    EXPECT_EQ(At<CHOXFlowStart>("Flow Chart1", 0)->GetAxis(), 2);
    EXPECT_TRUE(doc->IsProgramNumberUsed(2, 0));
}

TEST_F(TextImportChartTest, ChartNamesCountTheWindowsAndPassOverTakenNames)
{
    CHOXDoc* doc = NewDoc(2);
    doc->AddWindow(QStringLiteral("flow chart2"), doc->NewFlowWindow(QStringLiteral("flow chart2"), QString()));
    ImportProgram(doc, {"O0", "m02", "O1", "m02"});
    EXPECT_EQ(ChartNames(), (QStringList{"flow chart2", "Flow Chart3", "Flow Chart4"}));
    EXPECT_EQ(Chart("flow chart2")->GetObjectMap().GetCount(), 0u);
}

TEST_F(TextImportChartTest, TheSubtaskProgramAndASecondOne)
{
    CHOXDoc* doc = NewDoc(2);
    const Run run = ImportProgram(doc, {"O100", "LD X0", "m102", "O100", "m102"}, WithErrors());
    EXPECT_EQ(ChartNames(), (QStringList{"Subtask", "Flow Chart2"}));
    EXPECT_EQ(Picture(Chart("Subtask")),
              (QStringList{"START O100 @137,32", "TEXT [LD  X0;] @137,102", "END @137,172", "0.0>1", "1.1>2"}));
    EXPECT_EQ(At<CHOXFlowEnd>("Subtask", 2)->GetEndKind(), 1);
    EXPECT_EQ(Picture(Chart("Flow Chart2")), (QStringList{"START O100 @137,32 !2", "END @137,102", "0.0>1"}));
    EXPECT_TRUE(run.errorSymbols);
    EXPECT_EQ(run.details, QStringLiteral("Line 5: O100\n    The number is used twice."));
}

TEST_F(TextImportChartTest, AChartOfTheUsersNamedLikeTheSubtaskIsNeverEmptied)
{
    CHOXDoc* doc = NewDoc(2);
    doc->AddWindow(QStringLiteral("SUBTASK"), doc->NewFlowWindow(QStringLiteral("SUBTASK"), QString()));
    auto end = std::make_unique<CHOXFlowEnd>(CPoint(137, 32), Chart("SUBTASK"));
    end->SetId(static_cast<DWORD>(doc->NewSymbolId()));
    Chart("SUBTASK")->AddObject(std::move(end));
    ImportProgram(doc, {"O100", "m102"}, WithErrors());
    EXPECT_EQ(Chart("SUBTASK")->GetObjectMap().GetCount(), 1u);
    EXPECT_EQ(ChartNames(), (QStringList{"SUBTASK", "Flow Chart2"}));
    EXPECT_EQ(Picture(Chart("Flow Chart2"))[0], QStringLiteral("START O100 @137,32 !2"));
}

TEST_F(TextImportChartTest, CalledPointersAreSubroutinesBeforeOrAfterTheirCall)
{
    CHOXDoc* doc = NewDoc(2);
    ImportProgram(doc, {"P7", "RET", "O0", "CALL P5", "CALL P7", "m02", "P6", "MOV D0 D1", "JMP P5", "P5", "RET"});
    EXPECT_EQ(Picture(Chart("Flow Chart1")), (QStringList{"SUB P7 @137,32", "RET @137,102", "0.0>1"}));
    EXPECT_EQ(Picture(Chart("Flow Chart2")), (QStringList{"START O0 @137,32", "CALL P5 @137,102", "CALL P7 @137,172",
                                                          "END @137,242", "0.0>1", "1.1>2", "2.1>3"}));
    EXPECT_EQ(Picture(Chart("Flow Chart3")), (QStringList{"POINTER P6 @137,32", "TEXT [MOV(FNC12)  D0  D1;] @137,102",
                                                          "JUMP P5 @137,172", "0.0>1", "1.1>2"}));
    EXPECT_EQ(Picture(Chart("Flow Chart4")), (QStringList{"SUB P5 @137,32", "RET @137,102", "0.0>1"}));
    for (int n : {5, 6, 7}) EXPECT_TRUE(doc->IsPointerNumberUsed(n)) << n;
    EXPECT_FALSE(doc->IsPointerNumberUsed(0));
}

TEST_F(TextImportChartTest, AProgramRunningIntoAPointerGetsAJumpAndTheNotice)
{
    CHOXDoc* doc = NewDoc(2);
    Run run;
    {
        ScriptedMessages messages;
        messages.Expect(LoadStr(13623), MB_OK, IDOK).Expect(Completed(), kResultStyle, IDOK);
        run = Import(doc, QStringLiteral("[Program]\nO0\nLD X0\nOUT Y0\nP7\nm02"));
    }
    EXPECT_EQ(Picture(Chart("Flow Chart1")), (QStringList{"START O0 @137,32", "TEXT [LD  X0;|OUT(FNC90)  Y0;] @137,102",
                                                          "JUMP P7 @137,172", "0.0>1", "1.1>2"}));
    auto* jump = At<CHOXFlowJump>("Flow Chart1", 2);
    EXPECT_EQ(jump->GetEndFollows(), 0);
    EXPECT_EQ(jump->GetCaptionMode(), 1);
    EXPECT_EQ(jump->GetEndKind(), -1);
    EXPECT_EQ(jump->GetCode(), QStringLiteral("JMP(FNC04) P7;"));
    EXPECT_EQ(Picture(Chart("Flow Chart2")), (QStringList{"POINTER P7 @137,32", "END @137,102", "0.0>1"}));
    EXPECT_GT(run.jumpsBuilt, run.jumpsRead);

    // With errors to report the notice is not shown.
    m_app->DestroyDocument();
    doc = NewDoc(2);
    ImportProgram(doc, {"O0", "LD X999", "P7", "m02"}, WithErrors());
}

TEST_F(TextImportChartTest, ASubroutineRunningIntoAProgramGetsItsReturn)
{
    CHOXDoc* doc = NewDoc(2);
    ImportProgram(doc, {"O0", "CALL P5", "m02", "P5", "MOV D0 D1", "O1", "MOV D1 D2"});
    EXPECT_EQ(Picture(Chart("Flow Chart2")),
              (QStringList{"SUB P5 @137,32", "TEXT [MOV(FNC12)  D0  D1;] @137,102", "RET @137,172", "0.0>1", "1.1>2"}));
    // A program that simply ends gets an END that writes nothing.
    EXPECT_EQ(Picture(Chart("Flow Chart3")), (QStringList{"START O1 @137,32", "TEXT [MOV(FNC12)  D1  D2;] @137,102",
                                                          "END @137,172 !3", "0.0>1", "1.1>2"}));
    auto* end = At<CHOXFlowEnd>("Flow Chart3", 2);
    EXPECT_EQ(end->GetEndKind(), -1);
    EXPECT_EQ(end->GetCode(), QString());
    EXPECT_EQ(end->GetSteps(), 0);
}

TEST_F(TextImportChartTest, AJumpTakesTheEndAfterItOrEndsTheChart)
{
    CHOXDoc* doc = NewDoc(2);
    ImportProgram(doc, {"O0", "JMP P5", "m02", "O1", "JMP P5", "MOV D0 D1", "m02", "P5", "m02"});
    EXPECT_EQ(ChartNames().size(), 4);
    auto* withEnd = At<CHOXFlowJump>("Flow Chart1", 1);
    EXPECT_EQ(Picture(Chart("Flow Chart1")), (QStringList{"START O0 @137,32", "JUMP P5 @137,102", "0.0>1"}));
    EXPECT_EQ(withEnd->GetEndFollows(), 1);
    EXPECT_EQ(withEnd->GetCaptionMode(), 1);
    EXPECT_EQ(withEnd->GetEndKind(), 0);
    EXPECT_EQ(withEnd->GetSymbolName(), QStringLiteral("JUMP"));
    EXPECT_EQ(withEnd->GetCode(), QStringLiteral("JMP(FNC04) P5;\nm02(END);"));
    EXPECT_EQ(At<CHOXFlowJump>("Flow Chart2", 1)->GetEndFollows(), 0);
    // The line after a JUMP starts a chart of its own.
    EXPECT_EQ(Picture(Chart("Flow Chart3")), (QStringList{"START @137,32 !3", "TEXT [MOV(FNC12)  D0  D1;] @137,102",
                                                          "END @137,172", "0.0>1", "1.1>2"}));
    EXPECT_EQ(Picture(Chart("Flow Chart4")), (QStringList{"POINTER P5 @137,32", "END @137,102", "0.0>1"}));
}

TEST_F(TextImportChartTest, NopLinesBetweenChartsMakeNothingButOpenAnUnlabelledOne)
{
    CHOXDoc* doc = NewDoc(2);
    ImportProgram(doc, {"NOP", "O0", "m02", "NOP", "nop", "LD X0", "m02", "NOP", "NOP"});
    EXPECT_EQ(ChartNames(), (QStringList{"Flow Chart1", "Flow Chart2"}));
    EXPECT_EQ(Picture(Chart("Flow Chart1")), (QStringList{"START O0 @137,32", "END @137,102", "0.0>1"}));
    EXPECT_EQ(Picture(Chart("Flow Chart2")),
              (QStringList{"START @137,32 !3", "TEXT [NOP|NOP|LD  X0;] @137,102", "END @137,172", "0.0>1", "1.1>2"}));
    auto* start = At<CHOXFlowStart>("Flow Chart2", 0);
    EXPECT_EQ(start->GetProgramNumber(), -1);
    EXPECT_EQ(start->GetSteps(), 0);
}

TEST_F(TextImportChartTest, AChartGrowsItsSheetDownToItsColumn)
{
    CHOXDoc* doc = NewDoc(2);
    QStringList lines{"P9", "RET", "O0"};
    for (int i = 0; i < 8; ++i) lines << QStringLiteral("CALL P9");
    lines << QStringLiteral("m02");
    ImportProgram(doc, lines);
    const CRect& sheet = Chart("Flow Chart2")->GetBaseRect()->GetRect();
    // Ten symbols from y 32, 70 apart: the next row would be at 732.
    EXPECT_EQ(sheet.bottom, 732);
    EXPECT_EQ(Chart("Flow Chart1")->GetBaseRect()->GetRect().bottom, 300);
}

// ---------------------------------------------------------------------------
// Conditional jumps

TEST_F(TextImportChartTest, ABitConditionBetweenBretLinesBecomesAConditionalJump)
{
    CHOXDoc* doc = NewDoc(2);
    ImportProgram(doc, {"O0", "BRET", "LD X1", "AND X2", "CJN P4", "BRET", "MOV D0 D1", "m02"});
    EXPECT_EQ(Picture(Chart("Flow Chart1")),
              (QStringList{"START O0 @137,32", "CJ [LD  X1;|AND  X2;] @137,102", "JUMP P4 @237,172",
                           "TEXT [MOV(FNC12)  D0  D1;] @137,312", "END @137,382", "0.0>1", "1.1>3", "1.2>2", "3.1>4"}));
    auto* cjump = At<CHOXFlowCJump>("Flow Chart1", 1);
    EXPECT_EQ(cjump->GetKind(), CHOXFlowCJump::kBitForm);
    EXPECT_EQ(cjump->GetNegated(), 1);
    EXPECT_EQ(cjump->GetBitCondition(), QStringLiteral("LD  X1;\nAND  X2;\n"));
    auto* jump = At<CHOXFlowJump>("Flow Chart1", 2);
    EXPECT_EQ(jump->GetEndFollows(), 0);
    EXPECT_EQ(jump->GetCaptionMode(), 0);
    EXPECT_EQ(jump->GetEndKind(), -1);
    EXPECT_EQ(jump->GetSteps(), 0);
    // The symbol writes its block again, its target through the JUMP.
    EXPECT_EQ(cjump->GetCode().toStdString(), "BRET(FNC05);\nLD  X1;\nAND  X2;\nCJN(FNC01) P4;\nBRET(FNC05);");
    ExpectWiresWhole(Chart("Flow Chart1"));
}

TEST_F(TextImportChartTest, CompareAndZoneBlocksBecomeConditionalJumps)
{
    const struct {
        const char* compare;
        std::vector<const char*> result;
        const char* jump;
        int form;
        int relation;
        int negated;
        int outputType;
        int outputNumber;
    } cases[] = {
        {"CMP D0 K5 M10", {"LD M10"}, "CJ P4", 1, CHOXFlowCJump::kGreater, 0, 1, 10},
        {"CMP D0 K5 M10", {"LD M10", "OR M11"}, "CJ P4", 1, CHOXFlowCJump::kGreaterEqual, 0, 1, 10},
        {"CMP D0 K5 M10", {"LD M11", "OR M10"}, "CJ P4", 1, CHOXFlowCJump::kGreaterEqual, 0, 1, 10},
        {"CMP D0 K5 M10", {"LD M11"}, "CJN P4", 1, CHOXFlowCJump::kEqual, 1, 1, 10},
        {"CMP D0 K5 M10", {"LDI M11"}, "CJ P4", 1, CHOXFlowCJump::kNotEqual, 0, 1, 10},
        {"CMP D0 K5 M10", {"LD M12", "OR M11"}, "CJ P4", 1, CHOXFlowCJump::kLessEqual, 0, 1, 10},
        {"CMP D0 K5 M10", {"LD M12"}, "CJ P4", 1, CHOXFlowCJump::kLess, 0, 1, 10},
        // Y outputs count in octal.
        {"CMP D0 D2 Y7", {"LD Y10"}, "CJ P4", 1, CHOXFlowCJump::kEqual, 0, 0, 7},
        {"ZCP D0 K5 K9 M20", {"LD M21"}, "CJ P4", 2, -1, 0, 1, 20},
        {"ZCP D0 K5 K9 Y16", {"LD Y17"}, "CJN P4", 2, -1, 1, 0, 16},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.compare);
        SCOPED_TRACE(c.result.front());
        CHOXDoc* doc = NewDoc(2);
        QStringList lines{"O0", "BRET", c.compare};
        for (const char* r : c.result) lines << QString::fromLatin1(r);
        lines << QString::fromLatin1(c.jump) << QStringLiteral("BRET") << QStringLiteral("m02");
        const Run run = ImportProgram(doc, lines);
        EXPECT_FALSE(run.errorSymbols) << run.details.toStdString();
        auto* cjump = At<CHOXFlowCJump>("Flow Chart1", 1);
        ASSERT_NE(cjump, nullptr) << Picture(Chart("Flow Chart1")).join(u' ').toStdString();
        EXPECT_EQ(cjump->GetKind(), c.form);
        EXPECT_EQ(cjump->GetNegated(), c.negated);
        if (c.form == CHOXFlowCJump::kCompareForm) {
            EXPECT_EQ(cjump->GetCompareCondition(), c.relation);
            EXPECT_EQ(cjump->GetCompareOutputType(), c.outputType);
            EXPECT_EQ(cjump->GetCompareOutputNumber(), c.outputNumber);
            EXPECT_EQ(cjump->GetCompareOperand1().GetText(), QStringLiteral("D0"));
        } else {
            EXPECT_EQ(cjump->GetZoneOutputType(), c.outputType);
            EXPECT_EQ(cjump->GetZoneOutputNumber(), c.outputNumber);
            EXPECT_EQ(cjump->GetZoneOperand3().GetText(), QStringLiteral("K9"));
        }
        EXPECT_EQ(At<CHOXFlowJump>("Flow Chart1", 2)->GetPointerNumber(), 4);
        EXPECT_EQ(KindOfAt("Flow Chart1", 3), QStringLiteral("END"));
        m_app->DestroyDocument();
    }
}

TEST_F(TextImportChartTest, NearFormsStayProgramText)
{
    const struct {
        const char* what;
        QStringList lines;
        QStringList picture;
        bool error;
    } cases[] = {
        {"no BRET before the jump",
         {"O0", "LD X1", "CJ P4", "m02"},
         {"START O0 @137,32", "TEXT [LD  X1;|CJ P4] @137,102", "END @137,172", "0.0>1", "1.1>2"},
         false},
        {"a conditional jump first in its chart",
         {"O0", "CJ P4", "MOV D0 D1", "m02"},
         {"START O0 @137,32", "TEXT [CJ P4|MOV(FNC12)  D0  D1;] @137,102", "END @137,172", "0.0>1", "1.1>2"},
         false},
        {"a result bit that is not the output's",
         {"O0", "BRET", "CMP D0 K5 M10", "LD M13", "CJ P4", "BRET", "m02"},
         {"START O0 @137,32", "TEXT [BRET(FNC05);|CMP D0 K5 M10|LD  M13;|CJ P4|BRET(FNC05);] @137,102", "END @137,172",
          "0.0>1", "1.1>2"},
         false},
        {"an OR of two bits that make no relation",
         {"O0", "BRET", "CMP D0 K5 M10", "LD M10", "OR M12", "CJ P4", "BRET", "m02"},
         {"START O0 @137,32", "TEXT [BRET(FNC05);|CMP D0 K5 M10|LD M10|OR  M12;|CJ P4|BRET(FNC05);] @137,102",
          "END @137,172", "0.0>1", "1.1>2"},
         false},
        {"a bit form without its closing BRET",
         {"O0", "BRET", "LD X1", "CJ P4", "MOV D0 D1", "m02"},
         {"START O0 @137,32", "TEXT [BRET(FNC05);|LD  X1;|CJ P4|MOV(FNC12)  D0  D1;] @137,102", "END @137,172", "0.0>1",
          "1.1>2"},
         false},
        {"a zone block whose jump line is missing",
         {"O0", "BRET", "ZCP D0 K5 K9 M20", "LD M21", "MOV D0 D1", "m02"},
         {"START O0 @137,32", "TEXT [BRET(FNC05);|ZCP D0 K5 K9 M20|LD M21|MOV(FNC12)  D0  D1;] @137,102",
          "END @137,172", "0.0>1", "1.1>2"},
         false},
        {"a line inside the block that the checker refuses",
         {"O0", "BRET", "CMP D0 K5 M10", "LD M11", "CJ P4", "BRET X9", "m02"},
         {"START O0 @137,32", "TEXT [BRET(FNC05);|CMP D0 K5 M10|LD M11|CJ P4|BRET X9] @137,102 !2", "END @137,172",
          "0.0>1", "1.1>2"},
         true},
        {"an opening BRET the checker refused is no opening",
         {"O0", "BRET X1", "LD X1", "CJ P4", "BRET", "m02"},
         {"START O0 @137,32", "TEXT [BRET X1|LD  X1;|CJ P4|BRET(FNC05);] @137,102 !2", "END @137,172", "0.0>1",
          "1.1>2"},
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CHOXDoc* doc = NewDoc(2);
        const Run run = ImportProgram(doc, c.lines, c.error ? WithErrors() : Completed());
        EXPECT_EQ(Picture(Chart("Flow Chart1")), c.picture);
        m_app->DestroyDocument();
    }
}

TEST_F(TextImportChartTest, AFailedConditionalJumpLeavesTheTargetOfTheOneBefore)
{
    // The second block is no conditional jump; the first one's JUMP must
    // still lead to its own target.
    CHOXDoc* doc = NewDoc(2);
    ImportProgram(doc, {"O0", "BRET", "LD X1", "CJ P4", "BRET", "BRET", "LD X2", "CJ P9", "MOV D0 D1", "m02"});
    EXPECT_EQ(Picture(Chart("Flow Chart1")),
              (QStringList{"START O0 @137,32", "CJ [LD  X1;] @137,102", "JUMP P4 @237,172",
                           "TEXT [BRET(FNC05);|LD  X2;|CJ P9|MOV(FNC12)  D0  D1;] @137,312", "END @137,382", "0.0>1",
                           "1.1>3", "1.2>2", "3.1>4"}));
}

// ---------------------------------------------------------------------------
// Refused lines and lines held back

TEST_F(TextImportChartTest, RefusedLinesGoIntoErrorBlocksNamedInTheDetails)
{
    CHOXDoc* doc = NewDoc(2);
    const Run run =
        ImportProgram(doc, {"O0", "LD X0", "LD X999", "OUT Y0", "m02", "O1", "MOV D0 D1", "m02"}, WithErrors());
    EXPECT_EQ(Picture(Chart("Flow Chart1")),
              (QStringList{"START O0 @137,32", "TEXT [LD  X0;|LD X999|OUT(FNC90)  Y0;] @137,102 !2", "END @137,172",
                           "0.0>1", "1.1>2"}));
    // The flag goes with the block it marked.
    EXPECT_EQ(Picture(Chart("Flow Chart2"))[1], QStringLiteral("TEXT [MOV(FNC12)  D0  D1;] @137,102"));
    QString error;
    CHOXInstrParser(&doc->GetParam()).CheckInstruction(QStringLiteral("LD X999"), error);
    EXPECT_EQ(run.details, QStringLiteral("Line 4: LD X999\n    ") + error);
}

TEST_F(TextImportChartTest, AChartWhoseFirstLinesFailStartsWithAnErrorBlock)
{
    CHOXDoc* doc = NewDoc(1);
    const Run run = ImportProgram(doc, {"   7 0000: LD X999", "m02", "O0", "m02", "P99999999999", "m02"}, WithErrors());
    EXPECT_EQ(Picture(Chart("Flow Chart1")),
              (QStringList{"START @137,32 !3", "TEXT [LD X999] @137,102 !2", "END @137,172", "0.0>1", "1.1>2"}));
    // "O0" has no axis letter, which this type needs: a START in the error
    // state holding nothing.
    EXPECT_EQ(Picture(Chart("Flow Chart2")), (QStringList{"START Ox0 @137,32 !2", "END @137,102", "0.0>1"}));
    EXPECT_FALSE(doc->IsProgramNumberUsed(0, 0));
    // A number too long for 32 bits is no label: the line stays text.
    EXPECT_EQ(Picture(Chart("Flow Chart3")),
              (QStringList{"START @137,32 !3", "TEXT [P99999999999] @137,102 !2", "END @137,172", "0.0>1", "1.1>2"}));
    EXPECT_TRUE(run.details.startsWith(QStringLiteral("Line 2: 7 0000: LD X999\n")));
    EXPECT_TRUE(run.details.contains(QStringLiteral("Line 4: O0\n")));
    EXPECT_TRUE(run.details.contains(QStringLiteral("Line 6: P99999999999\n")));
}

TEST_F(TextImportChartTest, SequenceLinesHeldBeforeALabelOrTheEndAreKept)
{
    CHOXDoc* doc = NewDoc(2);
    {
        ScriptedMessages messages;
        messages.Expect(LoadStr(13623), MB_OK, IDOK).Expect(Completed(), kResultStyle, IDOK);
        Import(doc, QStringLiteral("[Program]\nO0\nOUT Y0\nLD X0\nP5\nJMP P5\nO1\nLD X1\nANI X2\nO2\nLD X3"));
    }
    EXPECT_EQ(Picture(Chart("Flow Chart1")), (QStringList{"START O0 @137,32", "TEXT [OUT(FNC90)  Y0;|LD  X0;] @137,102",
                                                          "JUMP P5 @137,172", "0.0>1", "1.1>2"}));
    EXPECT_EQ(Picture(Chart("Flow Chart3")), (QStringList{"START O1 @137,32", "TEXT [LD  X1;|ANI  X2;] @137,102",
                                                          "END @137,172 !3", "0.0>1", "1.1>2"}));
    EXPECT_EQ(Picture(Chart("Flow Chart4")),
              (QStringList{"START O2 @137,32", "TEXT [LD  X3;] @137,102", "END @137,172 !3", "0.0>1", "1.1>2"}));
}

TEST_F(TextImportChartTest, AStartOfTheSecondAxisKeepsTheNumbersOfOthers)
{
    // Each START of the Y axis must keep its own number taken: a third
    // "OY0" is a duplicate.
    CHOXDoc* doc = NewDoc(1);
    const Run run = ImportProgram(doc, {"OY0", "m02", "OY1", "m02", "OY0", "m02"}, WithErrors());
    EXPECT_EQ(Picture(Chart("Flow Chart3"))[0], QStringLiteral("START Oy0 @137,32 !2"));
    EXPECT_TRUE(doc->IsProgramNumberUsed(1, 0));
    EXPECT_TRUE(doc->IsProgramNumberUsed(1, 1));
    EXPECT_FALSE(doc->IsProgramNumberUsed(0, 0));
    EXPECT_EQ(run.details, QStringLiteral("Line 6: OY0\n    The number is used twice."));
}

TEST_F(TextImportChartTest, LabelsAndTheirNumbers)
{
    CHOXDoc* doc = NewDoc(0);
    CHOXTextImporter importer(doc,
                              {QStringLiteral("[Program]"), QStringLiteral("CALL P5"), QStringLiteral("CALL P100")});
    importer.ScanCallTargets();
    EXPECT_TRUE(importer.IsCallTarget(5));
    EXPECT_TRUE(importer.IsCallTarget(100));
    EXPECT_FALSE(importer.IsCallTarget(6));
    const struct {
        const char* text;
        bool label;
        int type;
        int axis;
        std::int32_t number;
        bool subtask;
    } cases[] = {
        {"O0;", true, 301, 2, 0, false},        {"ox12", true, 301, 0, 12, false},
        {"OY3;junk", true, 301, 1, 3, false},   {"O100", true, 301, 2, 100, true},
        {"O0100", true, 301, 2, 100, true},     {"OX100", true, 301, 0, 100, false},
        {"P5", true, 303, 2, 5, false},         {"p6;", true, 304, 2, 6, false},
        {"P100", true, 303, 2, 100, false},     {"P200", true, 304, 2, 200, false},
        {"O", false, 0, 0, 0, false},           {"P", false, 0, 0, 0, false},
        {"P5 ", false, 0, 0, 0, false},         {"PX5", false, 0, 0, 0, false},
        {"OZ5", false, 0, 0, 0, false},         {"O4294967396", false, 0, 0, 0, false},
        {"P4294967301", false, 0, 0, 0, false}, {"Q5", false, 0, 0, 0, false},
    };
    for (const auto& c : cases) {
        int type = 0;
        int axis = 0;
        std::int32_t number = 0;
        bool subtask = false;
        EXPECT_EQ(importer.ParseLabel(QString::fromLatin1(c.text), &type, &axis, &number, &subtask), c.label) << c.text;
        if (!c.label) continue;
        EXPECT_EQ(type, c.type) << c.text;
        EXPECT_EQ(number, c.number) << c.text;
        EXPECT_EQ(subtask, c.subtask) << c.text;
        if (c.type == 301) {
            EXPECT_EQ(axis, c.axis) << c.text;
        }
    }
}

// ---------------------------------------------------------------------------
// The program part

TEST_F(TextImportChartTest, WithoutAProgramHeaderNothingIsBuilt)
{
    CHOXDoc* doc = NewDoc(2);
    {
        ScriptedMessages messages;
        messages.Expect(LoadStr(13487), kResultStyle, IDOK);
        Import(doc, QString());
    }
    {
        ScriptedMessages messages;
        messages.Expect(LoadStr(13564) + LoadStr(13487), kResultStyle, IDOK);
        const Run run = Import(doc, QStringLiteral("O0\nm02"));
        EXPECT_EQ(run.details, QStringLiteral("Line 1: O0"));
    }
    EXPECT_TRUE(ChartNames().isEmpty());
}

TEST_F(TextImportChartTest, LinesBeforeTheProgramHeaderAreAParameterError)
{
    CHOXDoc* doc = NewDoc(2);
    ScriptedMessages messages;
    messages.Expect(Completed() + LoadStr(13564), kResultStyle, IDOK);
    const Run run = Import(doc, QStringLiteral("stray line\n[Program]\nO0\nm02"));
    EXPECT_TRUE(run.parameterError);
    EXPECT_EQ(run.details, QStringLiteral("Line 1: stray line"));
    EXPECT_EQ(ChartNames().size(), 1);
}

TEST_F(TextImportChartTest, AFileRegisterLineEndsTheProgram)
{
    CHOXDoc* doc = NewDoc(2);
    ImportProgram(doc, {"O0", "m02", "  12 0003: [File Register]", "O1", "m02"});
    EXPECT_EQ(ChartNames(), QStringList{"Flow Chart1"});
}

TEST_F(TextImportChartTest, TheProgressWindowFollowsTheImportAndIsGoneBeforeTheClosingMessage)
{
    for (const QString& text : {QStringLiteral("[Program]\nO0\nm02"), QStringLiteral("O0\nm02")}) {
        CHOXDoc* doc = NewDoc(2);
        kt::test::ScriptedDialogs dialogs;
        ScriptedMessages messages;
        // Neither file has the parameter part.
        const QString closing = text.startsWith(u'[') ? Completed() + LoadStr(13564) : LoadStr(13564) + LoadStr(13487);
        messages.Expect(closing, kResultStyle, IDOK, [&] { EXPECT_EQ(dialogs.Modeless(4081), nullptr); });
        CHOXTextImporter importer(doc, text.split(u'\n'));
        kt::test::DialogDriver* progress = dialogs.Modeless(4081);
        ASSERT_NE(progress, nullptr);
        EXPECT_EQ(progress->Text(1562), QStringLiteral("Reading File contents..."));
        importer.SetParameters();
        EXPECT_EQ(progress->Text(1562), QStringLiteral("Setting parameter values..."));
        importer.GenerateFlowCharts();
        EXPECT_EQ(dialogs.ModelessOpen(), 0u);
        EXPECT_EQ(importer.GetProgress()->GetCaption(), QStringLiteral("Generating flow charts..."));
        m_app->DestroyDocument();
    }
}
