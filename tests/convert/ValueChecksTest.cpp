// Value checks of single operand words by controller type, group size and
// the full-register flag; and the normal form of the operand text.
#include "convert/InstrParserTestSupport.h"

#include <functional>

using kt::test::CheckRow;
using kt::test::InstrParserTest;
using kt::test::kUntouched;

namespace {

class ValueChecksTest : public InstrParserTest {
protected:
    struct Case {
        int type;
        const char* word;
        bool ok;
        const char* error; // kUntouched: the check wrote nothing
    };

    // Runs the check on each word with the type's limits in place.
    void Expect(const std::vector<Case>& cases, const std::function<bool(std::string_view, std::string&)>& check)
    {
        for (const Case& c : cases) {
            SetType(c.type);
            checker->SetLimits();
            std::string error = kUntouched;
            EXPECT_EQ(check(c.word, error), c.ok) << "type " << c.type << " " << c.word;
            EXPECT_EQ(error, c.ok ? std::string(kUntouched) : std::string(c.error)) << "type " << c.type << " " << c.word;
        }
    }
};

} // namespace

TEST_F(ValueChecksTest, ProgramNumbers)
{
    const struct {
        int type;
        const char* word;
        bool ok;
        const char* error;
        const char* after;
    } cases[] = {
        {0, "O100", true, kUntouched, "O100"},
        {1, "O100", true, kUntouched, "O100"},
        {2, "o100", true, kUntouched, "O100"},
        {0, "O5", false, "Incorrect program number instruction.", "O5"},
        {2, "O5", true, kUntouched, "O5"},
        {0, "Ox100", false, "Program Number value out of range.", "Ox100"},
        {0, "OX99", true, kUntouched, "Ox99"},
        {1, "Oy7", true, kUntouched, "Oy7"},
        {1, "O7", false, "Incorrect program number instruction.", "O7"},
        {1, "Oz7", false, "Incorrect program number instruction.", "Oz7"},
        {2, "Ox7", false, "Program Number value should be numeric.", "Ox7"},
        {0, "O", false, "Enter a value for Program Number", "O"},
        {0, "Ox", false, "Enter a value for Program Number", "Ox"},
        {0, "Oxa", false, "Program Number value should be numeric.", "Oxa"},
        {0, "Ox5,junk", true, kUntouched, "Ox5"},
        {0, "P5", false, kUntouched, "P5"},
        {0, "", false, kUntouched, ""},
        // Mended: the subtask number is the digits 100 and nothing else.
        {2, "O100abc", false, "Program Number value should be numeric.", "O100abc"},
        {0, "O100abc", false, "Incorrect program number instruction.", "O100abc"},
        {2, "O1000", false, "Program Number value out of range.", "O1000"},
        {2, "O99999999999999999999999", false, "Program Number value out of range.", "O99999999999999999999999"},
    };
    for (const auto& c : cases) {
        SetType(c.type);
        checker->SetLimits();
        QString word = QString::fromLatin1(c.word);
        QString error = QString::fromLatin1(kUntouched);
        EXPECT_EQ(checker->CheckProgramNumber(word, error), c.ok) << c.type << " " << c.word;
        EXPECT_EQ(error, QString::fromLatin1(c.error)) << c.type << " " << c.word;
        EXPECT_EQ(word, QString::fromLatin1(c.after)) << c.type << " " << c.word;
    }
}

TEST_F(ValueChecksTest, McodesAloneAndAsOperands)
{
    const CheckRow rows[] = {
        {1, "m2;", true, "", "m02", "END", ";", 2, "", 0, false},
        {1, "m0;", true, "", "m00", "WAIT", ";", 2, "", 0, false},
        {1, "cod09 m2;", false, "M code value out of range.", "cod09", "CHK", "m2;", 4, "", 1, false},
        {1, "cod09 m0;", false, "M code value out of range.", "cod09", "CHK", "m0;", 4, "", 1, false},
        {1, "cod09 m100;", false, "M code value out of range.", "cod09", "CHK", "m100;", 4, "", 1, false},
        {1, "cod09 m102;", false, "M code value out of range.", "cod09", "CHK", "m102;", 4, "", 1, false},
        {1, "cod09 m1;", true, "", "cod09", "CHK", "m1;", 4, "", 0, false},
        {1, "cod09 m03;", true, "", "cod09", "CHK", "m3;", 4, "", 0, false},
    };
    for (const CheckRow& row : rows) ExpectRow(row);
    std::string error;
    EXPECT_FALSE(checker->CheckMCode("M5", error, 1));
    EXPECT_EQ(error, "");
}

TEST_F(ValueChecksTest, RelaysByGroupSize)
{
    auto m = [this](int digits) {
        return [this, digits](std::string_view word, std::string& error) {
            return checker->CheckMDevice(word, error, 1, digits);
        };
    };
    Expect({{1, "M511", true, ""},
            {1, "M512", false, "M value out of range."},
            {0, "M9175", true, ""},
            {0, "M9176", false, "M value out of range."},
            {1, "M8999", false, "M value out of range."},
            {1, "M", false, "Enter a value for M"},
            {1, "MA", false, "M value should be numeric."},
            {1, "M10V3", true, ""},
            {1, "M10V8", false, "Index Register value out of range."},
            {1, "MV1", false, "Enter a value for M"},
            {1, "M4294967296", false, "M value out of range."}},
           m(0));
    // Four relays a digit: the whole group must exist.
    Expect({{1, "M508", true, ""},
            {1, "M509", false, "M value out of range."},
            {1, "M9172", true, ""},
            {1, "M9173", false, "M value out of range."}},
           m(1));
    Expect({{1, "M480", true, ""}, {1, "M481", false, "M value out of range."}}, m(8));
    checker->SetFullRegisterRange(true);
    Expect({{1, "M509", true, ""}, {1, "M511", true, ""}, {1, "M512", false, "M value out of range."}}, m(1));
}

TEST_F(ValueChecksTest, InputsAndOutputsInOctal)
{
    auto octal = [this](char letter, int digits) {
        return [this, letter, digits](std::string_view word, std::string& error) {
            return checker->CheckOctalDevice(word, letter, error, 1, digits);
        };
    };
    Expect({{1, "X18", false, "X value should be octal."},
            {1, "X67", true, ""},
            {1, "X70", false, "X value out of range."},
            {1, "X371", false, "X value out of range."},
            {1, "X372", true, ""},
            {1, "X375", true, ""},
            {1, "X377", true, ""},
            {1, "X378", false, "X value out of range."},
            {0, "X3", true, ""},
            {0, "X4", false, "X value out of range."},
            {0, "X9", false, "X value out of range."},
            {0, "X374", false, "X value out of range."},
            {0, "X375", true, ""},
            {1, "X", false, "Enter a value for X"},
            {1, "X1A", false, "X value should be numeric."},
            {1, "X1Z9", false, "Index Register value out of range."}},
           octal('X', 0));
    Expect({{0, "Y5", true, ""}, {0, "Y6", false, "Y value out of range."}, {1, "Y67", true, ""},
            {1, "Y58", false, "Y value should be octal."}, {1, "Y372", false, "Y value out of range."}},
           octal('Y', 0));
    // A group of n digits covers 4n addresses.
    Expect({{1, "Y64", true, ""}, {1, "Y65", false, "Y value out of range."}, {0, "Y2", true, ""},
            {0, "Y3", false, "Y value out of range."}},
           octal('Y', 1));
    Expect({{1, "X64", true, ""},
            {1, "X372", true, ""},
            {1, "X374", true, ""},
            {1, "X375", false, "X value out of range."},
            {0, "X0", true, ""},
            {0, "X1", false, "X value out of range."},
            {0, "X375", false, "X value out of range."}},
           octal('X', 1));
    Expect({{1, "Y60", true, ""}, {1, "Y61", false, "Y value out of range."}}, octal('Y', 2));
    // Two digits no longer fit in X372 to X377.
    Expect({{1, "X60", true, ""}, {1, "X372", false, "X value out of range."}}, octal('X', 2));
    Expect({{1, "Y50", true, ""}, {1, "Y51", false, "Y value out of range."}}, octal('Y', 4));
    Expect({{1, "Y30", true, ""}, {1, "Y31", false, "Y value out of range."}}, octal('Y', 8));
}

TEST_F(ValueChecksTest, PointersAndRegisters)
{
    auto pointer = [this](std::string_view word, std::string& error) { return checker->CheckPointer(word, error); };
    Expect({{1, "P255", true, ""},
            {0, "P255", false, "P value out of range."},
            {0, "P127", true, ""},
            {1, "P", false, "Enter a value for P"},
            {1, "P1A", false, "P value should be numeric."},
            {1, "P-1", false, "P value should be numeric."}},
           pointer);

    auto single = [this](std::string_view word, std::string& error) {
        return checker->CheckDataRegister(word, error, true);
    };
    Expect({{1, "D3999", true, ""},
            {0, "D1999", true, ""},
            {0, "D2000", false, "Data Register value out of range."},
            {0, "D9313", true, ""},
            {0, "D9314", false, "Data Register value out of range."},
            {1, "D9599", true, ""},
            {1, "D9600", false, "Data Register value out of range."},
            {1, "D4000", false, "Data Register value out of range."},
            {1, "D", false, "Enter a value for Data Register"},
            {1, "DX", false, "Data Register value should be numeric."},
            {1, "D10W", false, "Data Register value should be numeric."},
            {1, "D10Z7", true, ""},
            {1, "D10V", true, ""},
            {1, "D10V8", false, "Index Register value out of range."}},
           single);

    auto dbl = [this](std::string_view word, std::string& error) {
        return checker->CheckDoubleDataRegister(word, error, 1, true);
    };
    Expect({{1, "DD3998", true, ""},
            {1, "DD3999", false, "Data Register value out of range."},
            {0, "DD1998", true, ""},
            {0, "DD1999", false, "Data Register value out of range."},
            {1, "DD9598", true, ""},
            {1, "DD9599", false, "Data Register value out of range."},
            {1, "D100", false, "Invalid Data Register."},
            {1, "D", false, "Invalid Data Register."},
            {1, "DD", false, "Enter a value for Data Register"}},
           dbl);

    // File registers exist as far as parameter 101 provides them.
    Expect({{1, "D4000", false, "Data Register value out of range."}}, single);
    SetParam(101, 0, 1);
    Expect({{1, "D4000", true, ""}, {1, "D4001", false, "Data Register value out of range."}}, single);
    Expect({{1, "DD4000", false, "Data Register value out of range."}}, dbl);
    SetParam(101, 0, 3000);
    Expect({{1, "D6999", true, ""}, {1, "DD6998", true, ""}}, [&](std::string_view w, std::string& e) {
        return w.size() > 1 && w[1] == 'D' ? dbl(w, e) : single(w, e);
    });
    SetParam(101, 0, 0);
    checker->SetFullRegisterRange(true);
    Expect({{1, "D4000", true, ""}, {1, "D9599", true, ""}, {0, "D9313", true, ""},
            {0, "D9314", false, "Data Register value out of range."}, {1, "D3999", true, ""}},
           single);
    Expect({{1, "DD9598", true, ""}, {1, "DD9599", false, "Data Register value out of range."}}, dbl);

    // A register the instruction's width does not allow fails without a
    // message of its own.
    std::string error = kUntouched;
    EXPECT_FALSE(checker->CheckDataRegister("D0", error, false));
    EXPECT_FALSE(checker->CheckDoubleDataRegister("DD0", error, 1, false));
    EXPECT_EQ(error, kUntouched);

    auto index = [this](std::string_view word, std::string& error) {
        return checker->CheckIndexRegister(word, error, 1);
    };
    Expect({{1, "V7", true, ""},
            {1, "Z8", false, "Index Register value out of range."},
            {1, "Va", false, "Index Register value should be numeric."},
            {1, "", false, "Enter a value for Index Register"}},
           index);
}

TEST_F(ValueChecksTest, Constants)
{
    const struct {
        const char* word;
        char letter;
    } letters[] = {{"K1M0", 'M'}, {"K100", ' '}, {"KM", ' '}, {"K2X10", 'X'}, {"K1Y0", 'Y'}, {"K-1M0", 'M'},
                   {"K10", ' '}};
    for (const auto& l : letters) EXPECT_EQ(CHOXInstrParser::GetKDeviceLetter(l.word), l.letter) << l.word;

    const CheckRow rows[] = {
        {1, "MOV K-5 D0;", true, "", "MOV", "FNC12", "K-5  D0;", 7, "", 0, false},
        {1, "MOV K-1M0 D0;", false, "K value should be positive.", "MOV", "FNC12", "K-1M0  D0;", 2, "", 1, false},
        {1, "MOV K007 D0;", false, "K value out of range.", "MOV", "FNC12", "K7  D0;", 2, "", 1, false},
        {1, "MOV K0 D0;", true, "", "MOV", "FNC12", "K0  D0;", 7, "", 0, false},
        {1, "MOV K-0 D0;", true, "", "MOV", "FNC12", "K-0  D0;", 7, "", 0, false},
        {1, "MOV K- D0;", false, "Enter a value for K", "MOV", "FNC12", "K-  D0;", 2, "", 1, false},
        {1, "MOV K D0;", false, "Enter a value for K", "MOV", "FNC12", "K  D0;", 2, "", 1, false},
        {1, "MOV K1A D0;", false, "K value should be numeric.", "MOV", "FNC12", "K1A  D0;", 2, "", 1, false},
        {1, "MOV KAM0 D0;", false, "K value should be numeric.", "MOV", "FNC12", "KAM0  D0;", 2, "", 1, false},
        {1, "MOV K32767 D0;", true, "", "MOV", "FNC12", "K32767  D0;", 7, "", 0, false},
        {1, "MOV K-32769 D0;", false, "K value out of range.", "MOV", "FNC12", "K-32769  D0;", 2, "", 1, false},
        {1, "MOV K0M0 D0;", false, "K value out of range.", "MOV", "FNC12", "K0M0  D0;", 2, "", 1, false},
        {1, "MOV K1M509 D0;", false, "M value out of range.", "MOV", "FNC12", "K1M509  D0;", 2, "", 1, false},
        {1, "DMOV K2147483647 DD0;", true, "", "DMOV", "FNC12", "K2147483647  DD0;", 9, "", 0, true},
        {1, "DMOV K-2147483649 DD0;", false, "K value out of range.", "DMOV", "FNC12", "K-2147483649  DD0;", 2, "", 1,
         true},
        // Mended: a long digit string is out of range, whatever its low bits.
        {1, "MOV K4294967296 D0;", false, "K value out of range.", "MOV", "FNC12", "K4294967296  D0;", 2, "", 1,
         false},
        {1, "DMOV K99999999999999999999 DD0;", false, "K value out of range.", "DMOV", "FNC12",
         "K99999999999999999999  DD0;", 2, "", 1, true},
        {1, "DMOV K-18446744073709551616 DD0;", false, "K value out of range.", "DMOV", "FNC12",
         "K-18446744073709551616  DD0;", 2, "", 1, true},
        {1, "cod04 K4294967296;", false, "K value out of range.", "cod04", "TIM", "K4294967296;", 4, "", 1, false},
        {1, "JMP P4294967296;", false, "P value out of range.", "JMP", "FNC04", "P4294967296;", 2, "", 1, false},
        {1, "LD M4294967808;", false, "M value out of range.", "", "LD", "M4294967808;", 2, "", 1, false},
        {1, "LD X4294967297;", false, "X value out of range.", "", "LD", "X4294967297;", 2, "", 1, false},
        {1, "MOV K1 D4294967296;", false, "Data Register value out of range.", "MOV", "FNC12", "K1  D4294967296;", 5,
         "", 2, false},
        {1, "MOV K1 D0V4294967296;", false, "Index Register value out of range.", "MOV", "FNC12",
         "K1  D0V4294967296;", 5, "", 2, false},
        {1, "m4294967298;", false, "Undefined instruction.", "", "", "", 0, "", 0, false},
        {1, "cod4294967297 x1;", false, "Undefined instruction.", "", "", "", 0, "", 0, false},
        // Hexadecimal: upper-case digits after the statement is upper-cased.
        {1, "MOV HFFFF D0;", true, "", "MOV", "FNC12", "HFFFF  D0;", 7, "", 0, false},
        {1, "MOV Hff D0;", true, "", "MOV", "FNC12", "HFF  D0;", 7, "", 0, false},
        {1, "MOV H10000 D0;", false, "H value out of range.", "MOV", "FNC12", "H10000  D0;", 2, "", 1, false},
        {1, "MOV H00FFF D0;", false, "H value out of range.", "MOV", "FNC12", "HFFF  D0;", 2, "", 1, false},
        {1, "MOV H D0;", false, "Enter a value for H", "MOV", "FNC12", "H  D0;", 2, "", 1, false},
        {1, "MOV HG D0;", false, "Incorrect hexadecimal value.", "MOV", "FNC12", "HG  D0;", 2, "", 1, false},
        {1, "DMOV H100000000 DD0;", false, "H value out of range.", "DMOV", "FNC12", "H100000000  DD0;", 2, "", 1,
         true},
        // Mended: a hexadecimal constant keeps the zeros inside it.
        {1, "MOV HF00 D0;", true, "", "MOV", "FNC12", "HF00  D0;", 7, "", 0, false},
        {1, "MOV H0F00 D0;", true, "", "MOV", "FNC12", "HF00  D0;", 7, "", 0, false},
        {1, "MOV H0000 D0;", true, "", "MOV", "FNC12", "H0  D0;", 7, "", 0, false},
        {1, "DMOV H10A000 DD0;", true, "", "DMOV", "FNC12", "H10A000  DD0;", 9, "", 0, true},
    };
    for (const CheckRow& row : rows) ExpectRow(row);

    std::string error;
    EXPECT_FALSE(checker->CheckHexValue("Hff", error, 1));
    EXPECT_EQ(error, "Incorrect hexadecimal value.");
    EXPECT_EQ(CHOXInstrParser::HexToValue("FFFFFFFF"), 4294967295u);
    EXPECT_EQ(CHOXInstrParser::HexToValue("1F"), 31u);
    EXPECT_EQ(CHOXInstrParser::HexToValue("ff"), 255u);
    EXPECT_EQ(CHOXInstrParser::HexToValue(""), 0u);
    EXPECT_EQ(CHOXInstrParser::HexToValue("1G2"), 1u);
}

TEST_F(ValueChecksTest, RemoveLeadingZerosRebuildsTheOperandText)
{
    const struct {
        const char* text;
        const char* normal;
    } cases[] = {
        {"X007", "X7  "},
        {"K0010", "K10  "},
        {"X000", "X0  "},
        {"D0100V02  K1M0010", "D100V2  K1M10  "},
        {"x-0010\tf0200;", "x-10  f200  "},
        {"K10 ; X007", "K10  "},
        {"", ""},
        // Mended: "H" and everything after it is one number.
        {"HF00", "HF00  "},
        {"H00FF", "HFF  "},
        {"H0000", "H0  "},
        {"H0A0B0", "HA0B0  "},
        {"H", "H  "},
    };
    for (const auto& c : cases) {
        QString text = QString::fromLatin1(c.text);
        checker->RemoveLeadingZeros(text);
        EXPECT_EQ(text, QString::fromLatin1(c.normal)) << c.text;
    }
}
