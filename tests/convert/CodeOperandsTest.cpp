// Operands of the positioning codes: counts, letter patterns per controller
// type, speeds bounded per axis, and the value of each lettered word.
#include "convert/InstrParserTestSupport.h"

#include "convert/InstrRules.h"

#include <algorithm>
#include <set>
#include <string>

using kt::test::CheckRow;
using kt::test::InstrParserTest;

namespace {

constexpr const char* kWrong = "Wrong combination of operands.";
constexpr const char* kExcess = "Excess operands.";

class CodeOperandsTest : public InstrParserTest {
protected:
    void SetUp() override
    {
        InstrParserTest::SetUp();
        SetParam(4, 0, 1000); // X
        SetParam(4, 1, 250);  // Y
    }
};

} // namespace

TEST_F(CodeOperandsTest, DrvPatternsAndSpeedsPerAxis)
{
    const CheckRow rows[] = {
        {1, "cod00 y100;", true, "", "cod00", "DRV", "y100;", 4, "", 0, false},
        {2, "cod00 y100;", true, "", "cod00", "DRV", "y100;", 4, "", 0, false},
        {0, "cod00 y100;", false, kWrong, "cod00", "DRV", "y100;", 4, "", 0, false},
        {2, "cod00 x1 f1000 y1 f250;", true, "", "cod00", "DRV", "x1  f1000  y1  f250;", 10, "", 0, false},
        {1, "cod00 x1 f1000 y1 f250;", false, kWrong, "cod00", "DRV", "x1  f1000  y1  f250;", 10, "", 0, false},
        {2, "cod00 x1 f1000 y1 f251;", false, "f value out of range.", "cod00", "DRV", "x1  f1000  y1  f251;", 10,
         "", 4, false},
        // One speed after both positions is Y's.
        {2, "cod00 x1 y1 f250;", true, "", "cod00", "DRV", "x1  y1  f250;", 8, "", 0, false},
        {2, "cod00 x1 y1 f251 m5;", false, "f value out of range.", "cod00", "DRV", "x1  y1  f251  m5;", 10, "", 3,
         false},
        {2, "cod00 x1 f1000 y1;", true, "", "cod00", "DRV", "x1  f1000  y1;", 8, "", 0, false},
        {1, "cod00 y1 f250 m5;", true, "", "cod00", "DRV", "y1  f250  m5;", 8, "", 0, false},
        {2, "cod00 x1 f1000 y1 f250 m99;", true, "", "cod00", "DRV", "x1  f1000  y1  f250  m99;", 12, "", 0, false},
        {1, "cod00 x100 f0;", true, "", "cod00", "DRV", "x100  f0;", 6, "", 0, false},
        {1, "cod00 x100 f-5;", false, "f value should be positive.", "cod00", "DRV", "x100  f-5;", 6, "", 2, false},
        {1, "cod00 x100 f1001;", false, "f value out of range.", "cod00", "DRV", "x100  f1001;", 6, "", 2, false},
        {1, "cod00 x-999999;", true, "", "cod00", "DRV", "x-999999;", 4, "", 0, false},
        {1, "cod00 x1000000;", false, "x value out of range.", "cod00", "DRV", "x1000000;", 4, "", 1, false},
        {1, "cod00 x;", false, "Enter a value for x", "cod00", "DRV", "x;", 4, "", 1, false},
        {1, "cod00 x-;", false, "Enter a value for x", "cod00", "DRV", "x-;", 4, "", 1, false},
        {1, "cod00 x1A;", false, "x value should be numeric.", "cod00", "DRV", "x1a;", 4, "", 1, false},
        {1, "cod00 f100 x10;", false, kWrong, "cod00", "DRV", "f100  x10;", 6, "", 0, false},
        {1, "cod00;", false, "Minimum number of operands is 1", "cod00", "DRV", ";", 2, "", 0, false},
        {2, "cod00 x1 f1 y1 f1 m5 x2;", false, kExcess, "cod00", "DRV", ";", 2, "", 0, false},
        // The first failing word ends the check.
        {1, "cod00 x-a f-1;", false, "x value should be numeric.", "cod00", "DRV", "x-a  f-1;", 6, "", 1, false},
        {1, "cod00 x1 m2;", false, "M code value out of range.", "cod00", "DRV", "x1  m2;", 6, "", 2, false},
        {1, "cod00 x1 m101;", true, "", "cod00", "DRV", "x1  m101;", 6, "", 0, false},
        {1, "cod00 x1 m;", false, "Enter a value for m", "cod00", "DRV", "x1  m;", 6, "", 2, false},
        {1, "cod00 x1 m5a;", false, "M code value should be numeric.", "cod00", "DRV", "x1  m5a;", 6, "", 2, false},
        // A data register in place of the number, single or double.
        {1, "cod00 xD100;", true, "", "cod00", "DRV", "xD100;", 4, "", 0, false},
        {1, "cod00 XD100 FDD10;", true, "", "cod00", "DRV", "xD100  fDD10;", 6, "", 0, false},
        {1, "cod00 xdd3998;", true, "", "cod00", "DRV", "xDD3998;", 4, "", 0, false},
        {1, "cod00 xD4000;", false, "Invalid Data Register.", "cod00", "DRV", "xD4000;", 4, "", 1, false},
        {1, "cod00 xDD3999;", false, "Data Register value out of range.", "cod00", "DRV", "xDD3999;", 4, "", 1,
         false},
        {1, "cod00 xD10V8;", false, "Invalid Data Register.", "cod00", "DRV", "xD10V8;", 4, "", 1, false},
    };
    for (const CheckRow& row : rows) ExpectRow(row);
}

TEST_F(CodeOperandsTest, OtherCodesPatternsAndCounts)
{
    const CheckRow rows[] = {
        // LIN: speeds bounded by 200000 only.
        {0, "cod01 x100 f1001;", true, "", "cod01", "LIN", "x100  f1001;", 6, "", 0, false},
        {0, "cod01 x100 f200001;", false, "f value out of range.", "cod01", "LIN", "x100  f200001;", 6, "", 2, false},
        {2, "cod01 x1 y1 f200000 m5;", true, "", "cod01", "LIN", "x1  y1  f200000  m5;", 10, "", 0, false},
        {0, "cod01 x1 y1;", false, kWrong, "cod01", "LIN", "x1  y1;", 6, "", 0, false},
        // INT: the speed of the axis before it; Y's after both.
        {2, "cod31 x1 f1000;", true, "", "cod31", "INT", "x1  f1000;", 6, "", 0, false},
        {2, "cod31 y1 f251;", false, "f value out of range.", "cod31", "INT", "y1  f251;", 6, "", 2, false},
        {2, "cod31 x1 y1 f251;", false, "f value out of range.", "cod31", "INT", "x1  y1  f251;", 8, "", 3, false},
        {0, "cod31 x1 f1000 m5;", true, "", "cod31", "INT", "x1  f1000  m5;", 8, "", 0, false},
        // TIM: the time is "K" up to 65535.
        {1, "cod04 K100;", true, "", "cod04", "TIM", "K100;", 4, "", 0, false},
        {1, "cod04 k100 m5;", true, "", "cod04", "TIM", "K100  m5;", 6, "", 0, false},
        {1, "cod04 K70000;", false, "K value out of range.", "cod04", "TIM", "K70000;", 4, "", 1, false},
        {1, "cod04 K-1;", false, "K value should be positive.", "cod04", "TIM", "K-1;", 4, "", 1, false},
        {1, "cod04 m5;", false, kWrong, "cod04", "TIM", "m5;", 4, "", 0, false},
        {1, "cod04 KD100;", true, "", "cod04", "TIM", "KD100;", 4, "", 0, false},
        // CHK and the other codes that take only an M code.
        {1, "cod09;", true, "", "cod09", "CHK", ";", 2, "", 0, false},
        {1, "cod09 m10;", true, "", "cod09", "CHK", "m10;", 4, "", 0, false},
        {1, "cod09 x1;", false, kWrong, "cod09", "CHK", "x1;", 4, "", 0, false},
        {1, "cod09 m1 m3;", false, kExcess, "cod09", "CHK", ";", 2, "", 0, false},
        {1, "DRVZ m3;", true, "", "cod28", "DRVZ", "m3;", 4, "", 0, false},
        {1, "cod76 ;", true, "", "cod76", "CANC", ";", 2, "", 0, false},
        // SINT and DINT: every speed bounded by the axis.
        {1, "cod71 y1 f250;", true, "", "cod71", "SINT", "y1  f250;", 6, "", 0, false},
        {0, "cod71 y1 f250;", false, kWrong, "cod71", "SINT", "y1  f250;", 6, "", 0, false},
        {1, "cod71 x1;", false, "Minimum number of operands is 2", "cod71", "SINT", ";", 2, "", 0, false},
        {1, "cod72 x1 f2;", false, "Minimum number of operands is 3", "cod72", "DINT", ";", 2, "", 0, false},
        {1, "cod72 x1 f10 f1000 m5;", true, "", "cod72", "DINT", "x1  f10  f1000  m5;", 10, "", 0, false},
        {1, "cod72 y1 f10 f251;", false, "f value out of range.", "cod72", "DINT", "y1  f10  f251;", 8, "", 3,
         false},
        // MOVC and SET ADDRESS.
        {2, "cod73 x1 y2 m5;", true, "", "cod73", "MOVC", "x1  y2  m5;", 8, "", 0, false},
        {1, "cod73 x1 y2;", false, kWrong, "cod73", "MOVC", "x1  y2;", 6, "", 0, false},
        {1, "cod92 y1 m5;", true, "", "cod92", "SET", "y1  m5;", 6, "", 0, false},
        // CNTC, RADC (type 2 only).
        {2, "cod74 i1 j-1 m5;", true, "", "cod74", "CNTC", "i1  j-1  m5;", 8, "", 0, false},
        {2, "cod74 j1 i1;", false, kWrong, "cod74", "CNTC", "j1  i1;", 6, "", 0, false},
        {2, "cod75 r5 m5;", true, "", "cod75", "RADC", "r5  m5;", 6, "", 0, false},
        {2, "cod75 r5 r5 r5;", false, kExcess, "cod75", "RADC", ";", 2, "", 0, false},
        // CW and CCW.
        {2, "cod02 x10 y10 r5 f100;", true, "", "cod02", "CW", "x10  y10  r5  f100;", 10, "", 0, false},
        {2, "cod02 x10 y10 i5 r5;", false, kWrong, "cod02", "CW", "x10  y10  i5  r5;", 10, "", 0, false},
        {2, "cod03 x1 y2 i3 j4 f200000 m5;", true, "", "cod03", "CCW", "x1  y2  i3  j4  f200000  m5;", 14, "", 0,
         false},
        {2, "cod03 x1 y2 i3 j4 f200001 m5;", false, "f value out of range.", "cod03", "CCW",
         "x1  y2  i3  j4  f200001  m5;", 14, "", 5, false},
        {2, "cod02 f1 r1;", false, kWrong, "cod02", "CW", "f1  r1;", 6, "", 0, false},
        {2, "cod02;", false, "Minimum number of operands is 1", "cod02", "CW", ";", 2, "", 0, false},
    };
    for (const CheckRow& row : rows) ExpectRow(row);
}

TEST_F(CodeOperandsTest, CircularCodesTakeEveryListedPatternAndNoOther)
{
    // Every pattern of the list is accepted with a value for each letter;
    // every other string of the letters x, y, i, j, r, f, m up to five long,
    // and every six-letter one without a repeated letter, is refused.
    std::set<std::string> listed;
    for (const instr::CodePattern& pattern : instr::kCircularOperands.patterns) listed.insert(std::string(pattern.letters));
    EXPECT_EQ(listed.size(), 3u + 15u + 24u + 18u + 7u + 1u);
    const std::string letters = "xyijrfm";
    std::vector<std::string> all = {""};
    for (int length = 1; length <= 6; ++length) {
        std::vector<std::string> next;
        for (const std::string& prefix : all)
            if (static_cast<int>(prefix.size()) == length - 1)
                for (char c : letters)
                    if (length < 6 || prefix.find(c) == std::string::npos) next.push_back(prefix + c);
        all.insert(all.end(), next.begin(), next.end());
    }
    SetType(2);
    for (const std::string& pattern : all) {
        if (pattern.empty()) continue;
        std::string line = "cod02";
        for (char c : pattern) line += std::string(" ") + c + (c == 'm' ? "5" : "10");
        QString error;
        const bool ok = checker->CheckInstruction(QString::fromStdString(line), error);
        EXPECT_EQ(ok, listed.count(pattern) == 1) << line << " " << error.toStdString();
        if (!ok) {
            EXPECT_EQ(error, QStringLiteral("Wrong combination of operands.")) << line;
        }
    }
    // "r" never stands with "i" or "j".
    for (const std::string& pattern : listed) {
        const bool radius = pattern.find('r') != std::string::npos;
        const bool centre = pattern.find_first_of("ij") != std::string::npos;
        EXPECT_FALSE(radius && centre) << pattern;
    }
}

TEST_F(CodeOperandsTest, EveryRuleIsConsistentData)
{
    const instr::CodeRule* rules[] = {&instr::kDrvOperands,  &instr::kLinOperands,  &instr::kCircularOperands,
                                      &instr::kTimOperands,  &instr::kModeOperands, &instr::kIntOperands,
                                      &instr::kSintOperands, &instr::kDintOperands, &instr::kMovcOperands,
                                      &instr::kCntcOperands, &instr::kRadcOperands};
    for (const instr::CodeRule* rule : rules) {
        std::set<std::string_view> seen;
        std::size_t lastLength = 0;
        for (const instr::CodePattern& pattern : rule->patterns) {
            const int length = static_cast<int>(pattern.letters.size());
            EXPECT_GE(length, rule->minimum) << pattern.letters;
            EXPECT_LE(length, rule->maximum) << pattern.letters;
            EXPECT_GE(pattern.letters.size(), lastLength) << "grouped by count: " << pattern.letters;
            lastLength = pattern.letters.size();
            EXPECT_TRUE(seen.insert(pattern.letters).second) << pattern.letters;
            const auto speeds = static_cast<std::size_t>(std::count(pattern.letters.begin(), pattern.letters.end(), 'f'));
            if (rule->speed == instr::SpeedCheck::kPerAxis)
                EXPECT_EQ(pattern.speedAxes.size(), speeds) << pattern.letters;
            else
                EXPECT_TRUE(pattern.speedAxes.empty()) << pattern.letters;
        }
    }
}

TEST_F(CodeOperandsTest, LetteredValues)
{
    checker->SetLimits();
    const struct {
        const char* word;
        char letter;
        bool ok;
        const char* error;
        const char* after;
    } cases[] = {
        {"x-999999", 'x', true, "", "x-999999"},
        {"  y5", 'y', true, "", "y5"},
        {"r1000000", 'r', false, "r value out of range.", "r1000000"},
        {"K65535", 'K', true, "", "K65535"},
        {"K65536", 'K', false, "K value out of range.", "K65536"},
        {"f200000", 'f', true, "", "f200000"},
        {"f200001", 'f', false, "f value out of range.", "f200001"},
        {"i-", 'i', false, "Enter a value for i", "i-"},
        {"j1-", 'j', false, "j value should be numeric.", "j1-"},
        {"xd10z7", 'x', true, "", "xD10Z7"},
        {"xd", 'x', false, "Invalid Data Register.", "xD"},
        // Mended: a long digit string is out of range, not read wrapped.
        {"x4294967296", 'x', false, "x value out of range.", "x4294967296"},
        {"K4294967296", 'K', false, "K value out of range.", "K4294967296"},
        {"x99999999999999999999999", 'x', false, "x value out of range.", "x99999999999999999999999"},
        {"x0000000000000000000000001", 'x', true, "", "x0000000000000000000000001"},
    };
    for (const auto& c : cases) {
        std::string word = c.word;
        std::string error;
        EXPECT_EQ(checker->CheckOperandValue(word, c.letter, error, 3), c.ok) << c.word;
        EXPECT_EQ(error, c.error) << c.word;
        EXPECT_EQ(word, c.after) << c.word;
        EXPECT_EQ(checker->GetFailingOperand(), 3) << c.word;
    }
    std::string word = "f1000";
    std::string error;
    EXPECT_TRUE(checker->CheckSpeedValue(word, 'x', error, 1));
    word = "f251";
    EXPECT_FALSE(checker->CheckSpeedValue(word, 'y', error, 1));
    EXPECT_EQ(error, "f value out of range.");
    word = "f-0";
    EXPECT_FALSE(checker->CheckSpeedValue(word, 'x', error, 1));
    EXPECT_EQ(error, "f value should be positive.");
    word = "fD0";
    EXPECT_TRUE(checker->CheckSpeedValue(word, 'y', error, 1));
}
