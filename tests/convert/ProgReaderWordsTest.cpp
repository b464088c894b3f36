// The reader's handling of words: cutting the program read into
// statements, the statement families, numbers, labels and the targets of
// CALLs, the look-ahead and the blanks of a comparison. None needs a chart.
#include "app/HOXDoc.h"
#include "chart/ObjectTypes.h"
#include "convert/HOXProgReader.h"
#include "support/Scripted.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

inline void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << list.join(QStringLiteral(" | ")).toStdString();
}

namespace {

class ProgReaderWordsTest : public ::testing::Test {
protected:
    CHOXProgReader& Reader(int type)
    {
        doc = std::make_unique<CHOXDoc>();
        doc->SetControllerType(type);
        reader = std::make_unique<CHOXProgReader>(doc.get());
        return *reader;
    }

    kt::test::TempSettings settings;
    std::unique_ptr<CHOXDoc> doc;
    std::unique_ptr<CHOXProgReader> reader;
};

QString L(const char* text) { return QString::fromLatin1(text); }

} // namespace

TEST_F(ProgReaderWordsTest, SplitStatementsCutsAfterEachSemicolonAndSeparatesNops)
{
    const struct {
        const char* text;
        QStringList statements;
    } rows[] = {
        {"", {}},
        {"ox1;cod00(drv) x100 f1000;m02(END);", {L("OX1;"), L("COD00(DRV) X100 F1000;"), L("M02(END);")}},
        // Pieces are trimmed on the left only; the last may lack its ";".
        {"  LD X0 ;\n\tOUT Y0;  m02", {L("LD X0 ;"), L("OUT Y0;"), L("M02")}},
        // NOPs that begin a piece are statements of their own.
        {"NOP NOP LD X0;", {L("NOP"), L("NOP"), L("LD X0;")}},
        {"nopnop\nnop LD X0;", {L("NOP"), L("NOP"), L("NOP"), L("LD X0;")}},
        // A NOP with its own ";" leaves an empty statement, which is none.
        {"NOP;NOP;m02;", {L("NOP"), L("NOP"), L("M02;")}},
        {";;  ;", {}},
        // NOPs after the last ";" are NOPs too.
        {"LD X0; NOPNOP", {L("LD X0;"), L("NOP"), L("NOP")}},
        {"m02;\nNOP\nNOP\n", {L("M02;"), L("NOP"), L("NOP")}},
        {"NOP", {L("NOP")}},
        {"m02; NOPX", {L("M02;"), L("NOP"), L("X")}},
        // The controller's listing: a blank before each line, two between
        // words, NOP filler after each end and a bare END closing it.
        {" OX0;\n COD04(TIM)  K1;\n M02(END);\nNOP\nNOP\n OY1;\n M02(END);\nNOP\nNOP\nEND",
         {L("OX0;"), L("COD04(TIM)  K1;"), L("M02(END);"), L("NOP"), L("NOP"), L("OY1;"), L("M02(END);"), L("NOP"),
          L("NOP")}},
        {" M02(END);\nEND\n", {L("M02(END);")}},
        // Only the closing END goes: an END statement, or an END with more
        // after it, stays.
        {"END;", {L("END;")}},
        {"m02; END X", {L("M02;"), L("END X")}},
    };
    CHOXProgReader& r = Reader(1);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        r.SplitStatements(L(row.text));
        EXPECT_EQ(r.GetStatements(), row.statements);
    }
}

TEST_F(ProgReaderWordsTest, StatementFamiliesCompareWholeNamesCaseSensitively)
{
    const struct {
        const char* alternate;
        const char* name;
        bool flow, sequence, positioning, function, compare;
    } rows[] = {
        {"FNC00", "CJ", true, false, false, false, true},
        {"FNC01", "CJN", true, false, false, false, true},
        {"FNC04", "JMP", true, false, false, false, false},
        {"FNC02", "CALL", true, false, false, false, false},
        {"FNC03", "RET", true, false, false, false, false},
        {"END", "m02", true, false, false, false, false},
        {"SEND", "m102", true, false, false, false, false},
        // CMP is a flow word and a function word; the flow test comes first.
        {"FNC10", "CMP", true, false, false, true, true},
        {"FNC10", "DCMP", true, false, false, false, true},
        {"FNC11", "ZCP", true, false, false, true, true},
        {"FNC11", "DZCP", true, false, false, false, true},
        {"LD", "", false, true, false, false, false},
        {"FNC05", "BRET", false, true, false, false, false},
        {"FNC90", "OUT", false, true, false, false, false},
        {"ANB", "", false, true, false, false, false},
        {"DRV", "cod00", false, false, true, false, false},
        {"TIM", "cod04", false, false, true, false, false},
        // A positioning SET and INC apart from the function instructions.
        {"SET", "cod92", false, false, true, true, false},
        {"", "SET", false, false, false, true, false},
        {"INC", "cod91", false, false, true, true, false},
        {"FNC24", "INC", false, false, false, true, false},
        {"", "INC", false, false, true, true, false},
        {"FNC12", "MOV", false, false, false, true, false},
        {"", "m10", false, false, false, false, false},
        {"", "Ox1", false, false, false, false, false},
        {"ld", "cj", false, false, false, false, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.alternate) + " " + row.name);
        const QString alternate = L(row.alternate);
        const QString name = L(row.name);
        EXPECT_EQ(CHOXProgReader::IsFlowInstruction(alternate) || CHOXProgReader::IsFlowInstruction(name), row.flow);
        EXPECT_EQ(CHOXProgReader::IsSequenceInstruction(alternate), row.sequence);
        EXPECT_EQ(CHOXProgReader::IsPositioningInstruction(alternate, name), row.positioning);
        EXPECT_EQ(CHOXProgReader::IsFunctionInstruction(alternate) || CHOXProgReader::IsFunctionInstruction(name),
                  row.function);
        EXPECT_EQ(CHOXProgReader::IsCompareOrCondJump(name), row.compare);
    }
    EXPECT_TRUE(CHOXProgReader::IsNop(L("NOP")));
    EXPECT_FALSE(CHOXProgReader::IsNop(L("NOP;")));
    EXPECT_FALSE(CHOXProgReader::IsNop(L("nop")));
}

// The rows are found by whole words of their blank-separated lists, in any
// case: a word that only begins or ends like one of them finds none.
TEST_F(ProgReaderWordsTest, RowsAreFoundByWholeWordsOfTheirLists)
{
    // A positioning row by its code name or its mnemonic, a function row by
    // either word.
    const struct {
        const char* first;
        const char* second;
        bool positioning, function;
    } rows[] = {
        {"", "DRV", true, false},
        {"", "drvz", true, false},
        {"cod28", "", true, false},
        {"COD91", "", true, false},
        {"", "CANC", true, false},
        {"COD76", "", true, false},
        {"", "DRVR", true, false},
        {"DRV", "", false, false},
        {"", "DR", false, false},
        {"", "DRVZZ", false, false},
        {"COD9", "COD", false, false},
        {"ABS INC", "", false, false},
        {" ", "", false, false},
        {"", "", false, false},
        {"ADD", "", false, true},
        {"", "fnc20", false, true},
        {"FNC74", "", false, true},
        {"DEC", "", false, true},
        {"", "RST", false, true},
        {"FNC2", "AD", false, false},
        {"DDECX", "", false, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.first) + " / " + row.second);
        const QString first = L(row.first);
        const QString second = L(row.second);
        EXPECT_EQ(CHOXProgReader::IsPositioningRow(first, second), row.positioning);
        EXPECT_EQ(CHOXProgReader::IsFunctionRow(first, second), row.function);
    }
}

TEST_F(ProgReaderWordsTest, NumbersAreReadCheckedIntoThirtyTwoBits)
{
    EXPECT_TRUE(CHOXProgReader::IsAllDigits(QString()));
    EXPECT_TRUE(CHOXProgReader::IsAllDigits(L("0123")));
    EXPECT_FALSE(CHOXProgReader::IsAllDigits(L("12a")));
    EXPECT_FALSE(CHOXProgReader::IsAllDigits(L("-1")));
    const struct {
        const char* text;
        bool ok;
        std::int32_t value;
    } rows[] = {
        {"0", true, 0},           {"007", true, 7},          {"2147483647", true, INT32_MAX},
        {"2147483648", false, 0}, {"99999999999", false, 0}, {"", false, 0},
        {"12a", false, 0},        {"-5", false, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        std::int32_t value = -1;
        EXPECT_EQ(CHOXProgReader::ReadDecimal(L(row.text), value), row.ok);
        if (row.ok) {
            EXPECT_EQ(value, row.value);
        }
    }
}

TEST_F(ProgReaderWordsTest, LabelStatementsGiveNumberKindAxisAndSubtask)
{
    constexpr int kStart = objtype::kFlowStart;
    constexpr int kSub = objtype::kFlowSubRtn;
    constexpr int kPointer = objtype::kFlowPointer;
    const struct {
        int type;
        const char* label;
        bool ok;
        int number, kind, axis, subtask;
    } rows[] = {
        {1, "Ox5", true, 5, kStart, 0, 0},
        {1, "oy5", true, 5, kStart, 1, 0},
        {2, "O5", true, 5, kStart, 2, 0},
        // The subtask's program: the axis stays as the caller had it.
        {1, "O100", true, 100, kStart, 7, 1},
        {1, "O10;", true, 10, kStart, 2, 0},
        {1, "O10 N5", true, 10, kStart, 2, 0},
        {1, "P5", true, 5, kPointer, 7, 0},
        {1, "P7", true, 7, kSub, 7, 0},
        {1, "P200", true, 200, kSub, 7, 0},
        // On a one-axis controller a called pointer above 127 is a POINTER.
        {0, "P200", true, 200, kPointer, 7, 0},
        {0, "P127", true, 127, kSub, 7, 0},
        // Letters after the number, numbers that do not fit, other words.
        {1, "P5X", false, 0, 0, 7, 0},
        {1, "Ox5a", false, 0, 0, 0, 0},
        {1, "P99999999999", false, 0, 0, 7, 0},
        {1, "O99999999999", false, 0, 0, 2, 0},
        {1, "P", false, 0, 0, 7, 0},
        {1, "CALL", false, 0, 0, 7, 0},
        {1, "OUT", false, 0, 0, 2, 0},
        {1, "", false, 0, 0, 7, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.type) + " " + row.label);
        // The calls are scanned on a two-axis controller, so that P200 is
        // called whatever the type the label is read on.
        CHOXProgReader& r = Reader(1);
        r.SetStatements({L("CALL P7;"), L("CALL P127;"), L("CALL P200;"), L("CALL P99999999999;")});
        r.ScanCallTargets();
        doc->SetControllerType(row.type);
        int number = 0, kind = 0, axis = 7, subtask = 9;
        EXPECT_EQ(r.ParseLabelStatement(L(row.label), number, kind, axis, subtask), row.ok);
        if (!row.ok) continue;
        EXPECT_EQ(number, row.number);
        EXPECT_EQ(kind, row.kind);
        EXPECT_EQ(axis, row.axis);
        EXPECT_EQ(subtask, row.subtask);
    }
}

TEST_F(ProgReaderWordsTest, CallTargetsComeFromAcceptedCallsWithinTheFlags)
{
    CHOXProgReader& r = Reader(1);
    r.SetStatements({L("CALL P0;"), L("  CALL(FNC02) P255;"), L("CALL P300;"), L("CALL P99999999999;"), L("JMP P4;"),
                     L("CALLX P6;"), L("LD X0;")});
    r.ScanCallTargets();
    for (int n = 0; n <= 255; ++n) EXPECT_EQ(r.IsCallTarget(n), n == 0 || n == 255) << n;
    EXPECT_FALSE(r.IsCallTarget(-1));
    EXPECT_FALSE(r.IsCallTarget(300));
    // A type-0 controller refuses P255 itself.
    CHOXProgReader& one = Reader(0);
    one.SetStatements({L("CALL P255;"), L("CALL P127;")});
    one.ScanCallTargets();
    EXPECT_FALSE(one.IsCallTarget(255));
    EXPECT_TRUE(one.IsCallTarget(127));
}

TEST_F(ProgReaderWordsTest, NextStatementLooksAheadUntilTheLastStatement)
{
    CHOXProgReader& r = Reader(1);
    r.SetStatements({L("A;"), L("B;")});
    QString next = L("old");
    ASSERT_TRUE(r.NextStatement(next));
    EXPECT_EQ(next, L("B;"));
    EXPECT_FALSE(r.NextStatement(next));
    EXPECT_TRUE(next.isEmpty());
    EXPECT_FALSE(r.NextStatement(next));
    r.SetStatements({});
    EXPECT_FALSE(r.NextStatement(next));
}

TEST_F(ProgReaderWordsTest, StripBlanksRemovesBlanksOnly)
{
    EXPECT_EQ(CHOXProgReader::StripBlanks(L("CMP(FNC10)  D0 D1  M0 ;\nLD M1;")), L("CMP(FNC10)D0D1M0;\nLDM1;"));
    EXPECT_EQ(CHOXProgReader::StripBlanks(L("LD\tX0;")), L("LD\tX0;"));
    EXPECT_EQ(CHOXProgReader::StripBlanks(QString()), QString());
}

TEST_F(ProgReaderWordsTest, LabelsWithoutAxisLetterMakeATwoAxisControllerInterpolating)
{
    const struct {
        int type;
        QStringList statements;
        int expected;
    } rows[] = {
        {1, {L("OX1;"), L("M02;"), L("OY2;"), L("M02;")}, 1},
        {1, {L("OX1;"), L("M02;"), L("  O5;"), L("M02;")}, 2},
        {1, {L("O5 N10;"), L("M02;")}, 2},
        // The subtask's number names no axis, and no other statement is a
        // label: ORB, OUT and OR begin with an O too.
        {1, {L("O100;"), L("ORB;"), L("OUT Y0;"), L("OR X1;"), L("M02;")}, 1},
        {1, {L("P5;"), L("OX1;")}, 1},
        {1, {}, 1},
        // Only a two-axis controller is looked at.
        {0, {L("O5;")}, 0},
        {2, {L("OX5;")}, 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.statements.join(u' ').toStdString());
        CHOXProgReader& r = Reader(1);
        r.SetStatements(row.statements);
        r.SetControllerType(row.type);
        r.PreScanLabels();
        EXPECT_EQ(r.GetControllerType(), row.expected);
    }
}
