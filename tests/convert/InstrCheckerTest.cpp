// The statement check: name forms, the table's search order, INC and TIME,
// controller refusals, labels, program numbers and bare operand words; the
// word scanning the importers share; the limits read before every check.
#include "convert/InstrParserTestSupport.h"

#include "convert/InstrRules.h"

using kt::test::CheckRow;
using kt::test::InstrParserTest;
using kt::test::kNotForType;
using kt::test::kUntouched;

namespace {

constexpr const char* kUndefined = "Undefined instruction.";
constexpr const char* kExcess = "Excess operands.";

class InstrCheckerTest : public InstrParserTest {};

} // namespace

TEST_F(InstrCheckerTest, StatementsByNameFormAndControllerType)
{
    const CheckRow rows[] = {
        // type, line, ok, error, primary, alternate, operands, steps, rest, failing, 32-bit
        {1, "cod01 x100 f200;", false, kNotForType, "cod01", "LIN", ";", 2, "", 0, false},
        {0, "cod01 x100 f200;", true, "", "cod01", "LIN", "x100  f200;", 6, "", 0, false},
        {2, "COD1 X100 F200;", true, "", "cod01", "LIN", "x100  f200;", 6, "", 0, false},
        {1, "cod31 x1;", false, kNotForType, "cod31", "INT", ";", 2, "", 0, false},
        {0, "cod02 x10 r5;", false, kNotForType, "cod02", "CW", ";", 2, "", 0, false},
        {1, "CCW r5;", false, kNotForType, "cod03", "CCW", ";", 2, "", 0, false},
        {1, "cod74 i10;", false, kNotForType, "cod74", "CNTC", ";", 2, "", 0, false},
        {0, "RADC r1;", false, kNotForType, "cod75", "RADC", ";", 2, "", 0, false},
        {2, "cod75 r1;", true, "", "cod75", "RADC", "r1;", 4, "", 0, false},
        {0, "DSEGL DD0 Y0 K5 K0;", false, kNotForType, "DSEGL", "FNC74", ";", 2, "", 0, false},
        {1, "DSEGL DD0 Y0 K5 K0;", true, "", "DSEGL", "FNC74", "DD0  Y0  K5  K0;", 10, "", 0, true},
        // Both names, in either form; a name found only as an alternate, or
        // an alternate of another row, is no instruction.
        {1, "cod00(DRV) x1;", true, "", "cod00", "DRV", "x1;", 4, "", 0, false},
        {1, "DRV x1", true, "", "cod00", "DRV", "x1;", 4, "", 0, false},
        {1, "cod00 x1;", true, "", "cod00", "DRV", "x1;", 4, "", 0, false},
        {1, "DRV(cod00) x1;", false, kUndefined, "", "", "", 0, "", 0, false},
        {1, "JMP(FNC04) P10;", true, "", "JMP", "FNC04", "P10;", 4, "", 0, false},
        {1, "FNC04 P10;", true, "", "JMP", "FNC04", "P10;", 4, "", 0, false},
        {1, "fnc4 P10;", true, "", "JMP", "FNC04", "P10;", 4, "", 0, false},
        {1, "MOV(FNC13) D0 D1;", false, kUndefined, "", "", "", 0, "", 0, false},
        {1, "FNC12 K1 D0;", true, "", "MOV", "FNC12", "K1  D0;", 7, "", 0, false},
        {1, "DMOV(FNC12) DD0 DD2;", true, "", "DMOV", "FNC12", "DD0  DD2;", 6, "", 0, true},
        {1, "fncd12 DD0 DD2;", true, "", "DMOV", "FNC12", "DD0  DD2;", 6, "", 0, true},
        {1, "fncd10 DD0 DD2 M0;", true, "", "DCMP", "FNC10", "DD0  DD2  M0;", 8, "", 0, true},
        {1, "fncd10 D0 D2;", false, "Number of operands for the instruction is 3", "DCMP", "FNC10", "D0  D2;", 2, "",
         0, true},
        {1, "DCMP(FNC10) DD0 K100000 M0;", true, "", "DCMP", "FNC10", "DD0  K100000  M0;", 11, "", 0, true},
        {1, "CMP(FNC10) K100 D0 M0;", true, "", "CMP", "FNC10", "K100  D0  M0;", 9, "", 0, false},
        // Not a name: "f" words are tried as operands.
        {1, "fncd100 D0;", false, kUndefined, "", "", "fncd100  ", 2, "", 1, false},
        {1, "cod(DRV);", false, kUndefined, "", "", "", 0, "", 0, false},
        {1, "codX;", false, kUndefined, "", "", "", 0, "", 0, false},
        {1, "cod;", false, kUndefined, "", "", "", 0, "", 0, false},
        {1, "cod100 x1;", false, kUndefined, "", "", "", 0, "", 0, false},
        // "SET" alone is the sequence instruction; cod92 is SET ADDRESS.
        {1, "SET M0;", true, "", "SET", "", "M0;", 2, "", 0, false},
        {1, "cod92(SET) x100;", true, "", "cod92", "SET", "x100;", 4, "", 0, false},
        {1, "ld x0", true, "", "", "LD", "X0;", 2, "", 0, false},
        // TIME is read as TIM, in either name.
        {1, "TIME K100;", true, "", "cod04", "TIM", "K100;", 4, "", 0, false},
        {1, "cod04(time) k100 m5;", true, "", "cod04", "TIM", "K100  m5;", 6, "", 0, false},
        // M codes: lower-case "m" and any number of digits, or the table's
        // own spelling in any case.
        {1, "m5;", true, "", "m05", "", ";", 2, "", 0, false},
        {1, "m003;", true, "", "m03", "", ";", 2, "", 0, false},
        {1, "M05;", true, "", "m05", "", ";", 2, "", 0, false},
        {1, "m2;", true, "", "m02", "END", ";", 2, "", 0, false},
        {1, "END;", true, "", "m02", "END", ";", 2, "", 0, false},
        // Any row from the D forms on, written with its alternate, sets the
        // 32-bit flag; on an M code nothing reads it.
        {1, "m102(SEND);", true, "", "m102", "SEND", ";", 2, "", 0, true},
        {1, "M5;", false, kUndefined, "", "", "", 0, "", 0, false},
        {1, "m103;", false, kUndefined, "", "", "", 0, "", 0, false},
        {1, "m5x;", false, kUndefined, "", "", "", 0, "", 0, false},
        {1, "m02 x1;", false, kExcess, "m02", "END", "X1;", 2, "", 0, false},
        // NOP stands without ";" and keeps nothing of the line after it.
        {1, "NOP;", true, "", "NOP", "", "", 1, "", 0, false},
        {1, "NOP; LD X0;", true, "", "NOP", "", "", 1, "", 0, false},
        {1, "ANB x;", false, kExcess, "", "ANB", "X;", 2, "", 0, false},
        // Only the first statement is checked.
        {1, "JMP P10; m02;", true, "", "JMP", "FNC04", "P10;", 4, " m02;", 0, false},
        {1, "JMP\tP10\r\n", true, "", "JMP", "FNC04", "P10;", 4, "", 0, false},
        {1, ";", false, kUndefined, "", "", "", 0, "", 0, false},
        {1, "(x);", false, kUndefined, "", "", "", 0, "", 0, false},
    };
    for (const CheckRow& row : rows) ExpectRow(row);
}

TEST_F(InstrCheckerTest, IncIsTheCodeBeforeAnMcodeOrNothingAndTheFunctionOtherwise)
{
    const CheckRow rows[] = {
        {1, "inc", true, "", "cod91", "INC", ";", 2, "", 0, false},
        {1, "INC m5;", true, "", "cod91", "INC", "m5;", 4, "", 0, false},
        {1, "INC M5;", true, "", "cod91", "INC", "m5;", 4, "", 0, false},
        {1, "INC D0;", true, "", "INC", "FNC24", "D0;", 4, "", 0, false},
        {1, "INC(FNC24);", true, "", "cod91", "INC", ";", 2, "", 0, false},
        {1, "INC(FNC24) D0;", true, "", "INC", "FNC24", "D0;", 4, "", 0, false},
        {1, "inc(inc) m5;", true, "", "cod91", "INC", "m5;", 4, "", 0, false},
        {1, "INC(INC) D0;", true, "", "INC", "FNC24", "D0;", 4, "", 0, false},
        {1, "cod91 D0;", false, "Wrong combination of operands.", "cod91", "INC", "d0;", 4, "", 0, false},
        {1, "FNC24 D0;", true, "", "INC", "FNC24", "D0;", 4, "", 0, false},
        // Mended: a longer name, or INC with another instruction's alternate,
        // was taken for INC and stored as INC.
        {1, "INCDEC D0;", false, kUndefined, "", "", "", 0, "", 0, false},
        {1, "INCX;", false, kUndefined, "", "", "", 0, "", 0, false},
        {1, "INC(DEC) D0;", false, kUndefined, "", "", "", 0, "", 0, false},
        {1, "INC(LIN) m5;", false, kUndefined, "", "", "", 0, "", 0, false},
        {1, "INC( D0;", false, kUndefined, "", "", "", 0, "", 0, false},
    };
    for (const CheckRow& row : rows) ExpectRow(row);
}

TEST_F(InstrCheckerTest, LabelsProgramNumbersAndBareOperands)
{
    const CheckRow rows[] = {
        // A label: the words after it are not looked at.
        {1, "P10 x5;", true, "", "P10", "", ";", 2, "", 0, false},
        {1, "p010;", true, "", "P10", "", ";", 2, "", 0, false},
        {1, "P255;", true, "", "P255", "", ";", 2, "", 0, false},
        {0, "P255;", false, kUndefined, "", "", "", 0, "", 0, false},
        {1, "P999;", false, kUndefined, "", "", "", 0, "", 0, false},
        // A program number leaves the caller's error text alone.
        {0, "Ox5;", true, kUntouched, "Ox5", "", ";", 3, "", 0, false},
        {0, "OX05;", true, kUntouched, "Ox5", "", ";", 3, "", 0, false},
        {1, "Oy7;", true, kUntouched, "Oy7", "", ";", 3, "", 0, false},
        {2, "O5;", true, kUntouched, "O5", "", ";", 3, "", 0, false},
        {0, "O5;", false, kUndefined, "", "", "", 0, "", 0, false},
        {0, "O100;", true, kUntouched, "O100", "", ";", 3, "", 0, false},
        {1, "O0100;", true, kUntouched, "O100", "", ";", 3, "", 0, false},
        {2, "O100; m02;", true, kUntouched, "O100", "", ";", 3, " m02;", 0, false},
        // Operand words of the positioning codes without a code; a success
        // leaves the error text alone.
        {1, "x100 y200;", true, kUntouched, "", "", "x100  y200;", 5, "", 0, false},
        {1, "f100 i-5 j5 r0", true, kUntouched, "", "", "f100  i-5  j5  r0;", 9, "", 0, false},
        {1, "xD100;", true, kUntouched, "", "", "xD100;", 3, "", 0, false},
        // Mended: the rest of the line was lost after bare operands.
        {1, "x1; y2;", true, kUntouched, "", "", "x1;", 3, " y2;", 0, false},
        {1, "X100;", false, kUndefined, "", "", "", 0, "", 0, false},
        {1, "x100 m5;", false, kUndefined, "", "", "x100  ", 2, "", 1, false},
        // Every word is checked; the last one that fails is reported.
        {1, "x1000000 y1 xa;", false, "x value should be numeric.", "", "", "x1000000  y1  xa  ", 6, "", 3, false},
        {1, "x1000000 y1;", false, "x value out of range.", "", "", "x1000000  y1  ", 4, "", 1, false},
        {1, "f-1;", false, "f value should be positive.", "", "", "f-1  ", 2, "", 1, false},
        // An empty or blank line is correct and writes nothing.
        {1, "", true, kUntouched, "", "", "", 0, "", 0, false},
        {1, " \t\r\n", true, kUntouched, "", "", "", 0, "", 0, false},
    };
    for (const CheckRow& row : rows) ExpectRow(row);
    QString error;
    checker->CheckInstruction(QStringLiteral("x100 y200;"), error);
    EXPECT_TRUE(checker->IsOperandOnly());
    checker->CheckInstruction(QStringLiteral("cod00 x100;"), error);
    EXPECT_FALSE(checker->IsOperandOnly());
}

TEST_F(InstrCheckerTest, InstructionFlagMarksEveryKnownInstructionButMcodes)
{
    QString error;
    const struct {
        const char* line;
        bool instruction;
    } cases[] = {{"cod00 x1;", true}, {"LD X0;", true}, {"NOP;", true}, {"m02;", false},
                 {"m05;", false},    {"P1;", false},    {"x1;", false},  {"cod01 x1;", true}};
    for (const auto& c : cases) {
        checker->CheckInstruction(QString::fromLatin1(c.line), error);
        EXPECT_EQ(checker->IsInstruction(), c.instruction) << c.line;
    }
}

TEST_F(InstrCheckerTest, CanonicalStatementJoinsNamesOperandsAndRest)
{
    const struct {
        const char* line;
        const char* canonical;
    } cases[] = {
        {"ld x0", "LD  X0;"},
        {"fnc12 d0 d1", "MOV(FNC12)  D0  D1;"},
        {"cod00 x007 f0100; m02;", "cod00(DRV)  x7  f100; m02;"},
        {"SET M9024;", "SET  M9024;"},
        {"m5;", "m05;"},
        {"END", "m02(END);"},
        {"P010 x1;", "P10;"},
        {"Ox05;", "Ox5;"},
        {"x1 y2; z", "x1  y2; z"},
        {"NOP", "NOP"},
        {"cod09;", "cod09(CHK);"},
    };
    SetType(0);
    for (const auto& c : cases) {
        QString error;
        ASSERT_TRUE(checker->CheckInstruction(QString::fromLatin1(c.line), error)) << c.line;
        EXPECT_EQ(checker->GetCanonicalStatement(), QString::fromLatin1(c.canonical)) << c.line;
    }
}

TEST_F(InstrCheckerTest, InstructionTableRowsAndSearchOrder)
{
    // Fixed rows, the made M-code rows and the rows after them.
    const struct {
        int row;
        const char* primary;
        const char* alternate;
    } rows[] = {{0, "cod00", "DRV"},  {17, "cod91", "INC"},  {18, "cod92", "SET"}, {19, "", "LD"},
                {27, "SET", ""},      {28, "", "RST"},       {48, "INC", "FNC24"}, {58, "SEGL", "FNC74"},
                {59, "DCMP", "FNC10"}, {72, "DSEGL", "FNC74"}, {73, "NOP", ""},    {76, "DXOR", "FNC28"},
                {77, "m00", "WAIT"},  {79, "m02", "END"},    {80, "m03", ""},      {176, "m99", ""},
                {177, "m100", "SWAIT"}, {179, "m102", "SEND"}};
    for (const auto& r : rows) {
        EXPECT_EQ(CHOXInstrParser::TablePrimaryName(r.row), QString::fromLatin1(r.primary)) << r.row;
        EXPECT_EQ(CHOXInstrParser::TableAlternateName(r.row), QString::fromLatin1(r.alternate)) << r.row;
    }
    for (int row = 80; row <= 176; ++row)
        EXPECT_EQ(CHOXInstrParser::TablePrimaryName(row), QStringLiteral("m%1").arg(row - 77, 2, 10, QLatin1Char('0')));

    // The first row in table order wins; the 32-bit search starts at the D
    // forms; "fncd" looks at the D forms only.
    const struct {
        const char* name;
        bool from32Bit;
        int row;
    } lookups[] = {{"SET", false, 27}, {"set", false, 27}, {"FNC12", false, 39}, {"FNC12", true, 61},
                   {"fncd12", false, 61}, {"fncd13", false, -1}, {"fncd", false, -1}, {"INC", false, 48},
                   {"m3", false, 80}, {"m0", false, 77}, {"m100", false, 177}, {"M100", false, 177},
                   {"COD92", false, 18}, {"FNC4", false, 33}, {"ORB", false, 26}, {"WAITING", false, -1},
                   {"", false, -1}, {"cod5", false, -1}};
    for (const auto& l : lookups) {
        QString error;
        // The search flags as a statement leaves them: bare operands clear
        // them all; after a D-form name with its alternate the search runs
        // over the D forms' alternates.
        checker->CheckInstruction(l.from32Bit ? QStringLiteral("DMOV(FNC12) DD0 DD2;") : QStringLiteral("x1;"),
                                  error);
        EXPECT_EQ(checker->LookupInstruction(l.name), l.row) << l.name;
    }
}

TEST_F(InstrCheckerTest, ExtractWordAndCountWords)
{
    QString text = QStringLiteral("  LD\tX0 ;rest");
    QString word;
    checker->ExtractWord(text, word);
    EXPECT_EQ(word, QStringLiteral("LD"));
    EXPECT_EQ(text, QStringLiteral("X0 ;rest"));
    EXPECT_FALSE(checker->IsEndOfLine());
    EXPECT_FALSE(checker->IsEndOfStatement());
    checker->ExtractWord(text, word);
    EXPECT_EQ(word, QStringLiteral("X0"));
    EXPECT_EQ(text, QStringLiteral(";rest"));
    EXPECT_TRUE(checker->IsEndOfStatement());
    // The ";" is never taken.
    checker->ExtractWord(text, word);
    EXPECT_EQ(word, QString());
    EXPECT_EQ(text, QStringLiteral(";rest"));
    EXPECT_TRUE(checker->IsEndOfStatement());

    text = QStringLiteral("x1\r\n0");
    checker->ExtractWord(text, word);
    EXPECT_EQ(word, QStringLiteral("x10"));
    EXPECT_TRUE(checker->IsEndOfLine());
    text = QStringLiteral("x1  ");
    checker->ExtractWord(text, word);
    EXPECT_TRUE(checker->IsEndOfLine());
    text = QStringLiteral("   ");
    checker->ExtractWord(text, word);
    EXPECT_EQ(word, QString());
    EXPECT_TRUE(checker->IsEndOfLine());

    EXPECT_EQ(checker->CountWords(QStringLiteral("a b\tc; d e")), 3);
    EXPECT_EQ(checker->CountWords(QStringLiteral(" ; a")), 0);
    EXPECT_EQ(checker->CountWords(QStringLiteral("")), 0);
    EXPECT_EQ(checker->CountWords(QStringLiteral("a  b  ")), 2);
    EXPECT_EQ(checker->GetInitials("xa yb zc", 2), "xy");
    EXPECT_EQ(checker->GetInitials("xa; yb", 2), "x");
}

TEST_F(InstrCheckerTest, SplitNameTakesNameOrNameWithAlternate)
{
    const struct {
        const char* word;
        bool ok;
        const char* name;
        const char* alternate;
    } cases[] = {{"cod00(DRV)", true, "cod00", "DRV"}, {"DRV", true, "DRV", ""}, {"", false, "", ""},
                 {"a(", false, "a", ""},              {"a()", false, "a", ""}, {"a(b)c", false, "a", "b"},
                 {"(b)", true, "", "b"},              {"a(b(c))", false, "a", "b(c"}};
    for (const auto& c : cases) {
        std::string name = "old";
        std::string alternate = "old";
        EXPECT_EQ(CHOXInstrParser::SplitName(c.word, name, alternate), c.ok) << c.word;
        EXPECT_EQ(name, c.name) << c.word;
        EXPECT_EQ(alternate, c.alternate) << c.word;
    }
    EXPECT_TRUE(CHOXInstrParser::IsNumber(""));
    EXPECT_TRUE(CHOXInstrParser::IsNumber("0123"));
    EXPECT_FALSE(CHOXInstrParser::IsNumber("12a"));
    EXPECT_FALSE(CHOXInstrParser::IsNumber("-1"));
}

TEST_F(InstrCheckerTest, EveryCheckReadsTheControllerTypeAndParametersAgain)
{
    QString error;
    SetType(0);
    EXPECT_FALSE(checker->CheckInstruction(QStringLiteral("JMP P200;"), error));
    EXPECT_EQ(checker->GetPointerLimit(), 128);
    EXPECT_EQ(checker->GetDataRegisterLimit(), 1999);
    SetType(1);
    EXPECT_TRUE(checker->CheckInstruction(QStringLiteral("JMP P200;"), error));
    EXPECT_EQ(checker->GetPointerLimit(), 256);
    EXPECT_EQ(checker->GetSpecialRegisterLimit(), 9599);
    // An unknown type keeps the limits it found last.
    SetType(0);
    checker->SetLimits();
    SetType(7);
    EXPECT_FALSE(checker->CheckInstruction(QStringLiteral("JMP P200;"), error));
    EXPECT_EQ(checker->GetControllerType(), 7);
    EXPECT_EQ(checker->GetOctalXLimit(), 3);

    SetType(1);
    SetParam(4, 0, 1000);
    SetParam(4, 1, 250);
    EXPECT_FALSE(checker->CheckInstruction(QStringLiteral("cod00 x1 f1001;"), error));
    EXPECT_EQ(error, QStringLiteral("f value out of range."));
    EXPECT_TRUE(checker->CheckInstruction(QStringLiteral("cod00 y1 f250;"), error));
    EXPECT_EQ(checker->GetMaxSpeedY(), 250);
    EXPECT_FALSE(checker->CheckInstruction(QStringLiteral("MOV K1 D4000;"), error));
    SetParam(101, 0, 1);
    EXPECT_TRUE(checker->CheckInstruction(QStringLiteral("MOV K1 D4000;"), error));
    EXPECT_EQ(checker->GetFileRegisters(), 1);

    // Another parameter set takes over at the next check.
    CHOXDoc other;
    other.SetControllerType(0);
    checker->SetParam(&other.GetParam());
    EXPECT_FALSE(checker->CheckInstruction(QStringLiteral("JMP P200;"), error));
}

TEST_F(InstrCheckerTest, PrecedingTextIsKeptWhenGiven)
{
    QString error;
    checker->CheckInstruction(QStringLiteral("LD X0;"), error, QStringLiteral("Ox1;\n"));
    EXPECT_EQ(checker->GetPrecedingText(), QStringLiteral("Ox1;\n"));
    checker->CheckInstruction(QStringLiteral("LD X1;"), error, QString());
    EXPECT_EQ(checker->GetPrecedingText(), QStringLiteral("Ox1;\n"));
    checker->CheckInstruction(QStringLiteral("  "), error, QStringLiteral("other"));
    EXPECT_EQ(checker->GetPrecedingText(), QStringLiteral("Ox1;\n"));

    // Let go of, the caller's text is the caller's alone again: a line added
    // to it does not copy it.
    QString log = QString::fromLatin1("Ox1;\nLD X0;\n");
    checker->CheckInstruction(QStringLiteral("OUT Y0;"), error, log);
    EXPECT_FALSE(log.isDetached());
    checker->ReleasePrecedingText();
    EXPECT_TRUE(log.isDetached());
    EXPECT_EQ(checker->GetPrecedingText(), QString());
}
