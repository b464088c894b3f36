// How Verify brings the controller's program text and the document's to
// one form before it compares them: blanks, case, trailing white space,
// filler NOPs, line numbers on labels and a closing END.
#include "online/HOXCommLink.h"

#include <QString>

#include <gtest/gtest.h>

namespace {

QString L(const char* text) { return QString::fromLatin1(text); }

TEST(CommLinkNormaliseTest, InstructionWords)
{
    const struct {
        const char* line;
        const char* word;
    } cases[] = {
        {"cod01(LIN)x100;", "cod01"},
        {"JMP(FNC04)P5;", "JMP"},
        {"O10;", "O10;"},
        {"NOP", "NOP"},
        {"(x)", ""},
        {"", ""},
        {"a(b(c)", "a"},
    };
    for (const auto& c : cases) EXPECT_EQ(L(c.word), CHOXCommLink::GetInstructionWord(L(c.line))) << c.line;
}

TEST(CommLinkNormaliseTest, LabelStatements)
{
    const struct {
        const char* word;
        bool label;
    } cases[] = {
        // Program numbers, with an axis letter or without, and pointers.
        {"O10;", true},
        {"O0", true},
        {"OX5;", true},
        {"OY123;", true},
        {"P5;", true},
        {"P255", true},
        // A line number goes with the character before its "N".
        {"O10,N0003;", true},
        {"OX7,N12;", true},
        {"O10N5;", true}, // "0N5" cut: "O1" is left
        {"ON5;", false},  // nothing is left
        // At least two characters before the ";".
        {"P;", false},
        {"O;", false},
        {"P", false},
        {"", false},
        // Only digits after the letters.
        {"O1A;", false},
        {"OZ1;", false},
        {"OXY1;", false},
        {"PX1;", false},
        {"P1N2;", false}, // the line-number cut is the program number's
        {"P-1;", false},
        {"P12;junk", true}, // only what comes before the ";" counts
        {"COD01", false},
        {"M02;", false},
    };
    for (const auto& c : cases) EXPECT_EQ(c.label, CHOXCommLink::IsLabelStatement(L(c.word))) << c.word;
}

TEST(CommLinkNormaliseTest, EndStatements)
{
    const struct {
        const char* word;
        bool end;
    } cases[] = {
        {"M02", true},   {"M02;", true},  {"M102;", true}, {"JMP", true},   {"RET", true},   {"END", true},
        {"SEND", true},  {"END;X", true}, {"M2", false},   {"M002", false}, {"JMPX", false}, {"ENDX;", false},
        {"M02X", false}, {"", false},     {";END", false}, {"CJ", false},
    };
    for (const auto& c : cases) EXPECT_EQ(c.end, CHOXCommLink::IsEndStatement(L(c.word))) << c.word;
}

TEST(CommLinkNormaliseTest, CutAfterTheLastEnd)
{
    const struct {
        const char* text;
        const char* cut;
    } cases[] = {
        {"A;M02(END);\nEND", "A;M02(END);"},
        {"A;M102;\nX", "A;M102;"},
        {"A;\nEND;\nEND", "A;\nEND;"},
        {"X;END;Y", "X;END;"},
        // The statement the last ";" ends decides.
        {"M02;X;", "M02;X;"},
        {"M02;X;\nEND", "M02;X;\nEND"},
        {"JMP(FNC04)P5;\nEND", "JMP(FNC04)P5;\nEND"},
        // Without a ";" nothing is cut.
        {"no end here END", "no end here END"},
        {"", ""},
        {";END", ";END"},
        {"END;", "END;"},
    };
    for (const auto& c : cases) EXPECT_EQ(L(c.cut), CHOXCommLink::CutAfterLastEnd(L(c.text))) << c.text;
}

TEST(CommLinkNormaliseTest, BlanksAreSpacesOnly)
{
    EXPECT_EQ(L("abc\td\n"), CHOXCommLink::RemoveBlanks(L(" a b  c\td \n")));
}

TEST(CommLinkNormaliseTest, ControllerLines)
{
    const struct {
        const char* what;
        const char* text;
        const char* normalised;
    } cases[] = {
        {"NOPs after an end before a label go", "M02(END);\nNOP\nNOP\nO1;\nA;", "M02(END);\nO1;\nA;\n"},
        {"every end statement counts", "JMP(FNC04)P1;\nNOP\nP1;\nRET;\nNOP\nP2;\nSEND;\nNOP\nO2;",
         "JMP(FNC04)P1;\nP1;\nRET;\nP2;\nSEND;\nO2;\n"},
        {"NOPs at the start before a label go", "NOP\nO0;\nA;", "O0;\nA;\n"},
        {"NOPs at the end go", "A;\nNOP\nNOP", "A;\n"},
        {"NOPs between statements stay", "A;\nNOP\nB;", "A;\nNOP\nB;\n"},
        {"NOPs before a label after a statement stay", "A;\nNOP\nO1;", "A;\nNOP\nO1;\n"},
        {"NOPs after an end before a statement stay", "M02;\nNOP\nB;", "M02;\nNOP\nB;\n"},
        {"NOPs at the start before a statement stay", "NOP\nA;", "NOP\nA;\n"},
        {"nop in any case, with an operand", "M02;\nnop\nNOP(1)\nP1;", "M02;\nP1;\n"},
        {"a label keeps only its label", "O10,N0005;\nA;", "O10;\nA;\n"},
        {"a label line becomes its upper-cased word", "ox3;", "OX3;\n"},
        {"a label ends the end", "M02;\nO1;\nNOP\nP2;", "M02;\nO1;\nNOP\nP2;\n"},
        {"other lines stay as written", "cod04(TIM)K1;", "cod04(TIM)K1;\n"},
        {"an empty line stays", "A;\n\nB;", "A;\n\nB;\n"},
        {"an empty text", "", "\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(L(c.normalised), CHOXCommLink::NormaliseControllerText(L(c.text))) << c.what;
}

TEST(CommLinkNormaliseTest, BothTextsAsVerifyComparesThem)
{
    const QString document = L("O0;\ncod04(TIM) K10;\nJMP(FNC04) P1;\nP1;\nm02(END);\n");
    const struct {
        const char* what;
        const char* controller;
        bool same;
    } cases[] = {
        {"as written", "O0;\ncod04(TIM) K10;\nJMP(FNC04) P1;\nP1;\nm02(END);\n", true},
        {"listed by the controller",
         " O0;\n COD04(TIM)  K10;\n JMP(FNC04)  P1;\nNOP\nNOP\n P1;\n M02(END);\nNOP\nNOP\nEND", true},
        {"a line number on a program number", "O0,N0001;\ncod04(TIM)K10;\nJMP(FNC04)P1;\nP1;\nm02(END);", true},
        {"a line number on a pointer", "O0;\ncod04(TIM)K10;\nJMP(FNC04)P1;\nP1,N0009;\nm02(END);", false},
        {"trailing white space", "O0;\ncod04(TIM) K10;\nJMP(FNC04) P1;\nP1;\nm02(END);\n \t\n\n", true},
        {"text after the final END", "O0;\ncod04(TIM)K10;\nJMP(FNC04)P1;\nP1;\nm02(END);\nEND", true},
        {"a NOP the document lacks", "O0;\nNOP\ncod04(TIM)K10;\nJMP(FNC04)P1;\nP1;\nm02(END);", false},
        {"another value", "O0;\ncod04(TIM)K11;\nJMP(FNC04)P1;\nP1;\nm02(END);", false},
        {"a tab inside a statement", "O0;\ncod04(TIM)\tK10;\nJMP(FNC04)P1;\nP1;\nm02(END);", false},
        {"a line missing", "O0;\ncod04(TIM)K10;\nP1;\nm02(END);", false},
        {"empty", "", false},
    };
    for (const auto& c : cases) {
        QString mine = document;
        QString theirs = L(c.controller);
        CHOXCommLink::NormaliseForCompare(mine, theirs);
        EXPECT_EQ(c.same, mine == theirs) << c.what << "\n" << mine.toStdString() << "\n--\n" << theirs.toStdString();
    }
    // The document's own text loses blanks and case and its trailing white
    // space, nothing else.
    QString mine = L(" o0;\nNOP\n a b; \n");
    QString theirs;
    CHOXCommLink::NormaliseForCompare(mine, theirs);
    EXPECT_EQ(L("O0;\nNOP\nAB;"), mine);
}

} // namespace
