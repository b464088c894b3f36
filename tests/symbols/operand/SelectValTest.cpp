// The device operand of the function, conditional-jump and sequence
// instructions: its text form, reading typed text with the exact messages,
// range checks on both controller families, bit devices, file registers and
// the digit-group ranges, and the stored form written in place.
#include "symbols/operand/HOXSelectVal.h"

#include "platform/Archive.h"
#include "platform/Strings.h"
#include "support/StoredFragments.h"

#include <gtest/gtest.h>

using namespace kt::test::hex;
using SV = CHOXSelectVal;

namespace {

QByteArray Stored(CHOXSelectVal& value)
{
    CArchive out;
    value.Serialize(out);
    return out.Buffer().toHex();
}

CHOXSelectVal Parsed(const char* text)
{
    CHOXSelectVal value;
    QString message;
    EXPECT_TRUE(value.Parse(QString::fromLatin1(text), message)) << text << ": " << message.toStdString();
    return value;
}

CHOXSelectVal Made(BYTE type, BYTE digits, std::int32_t number, BYTE indexType = 0, BYTE indexNumber = 0)
{
    CHOXSelectVal value;
    QString message;
    EXPECT_TRUE(value.SetValue(message, type, digits, number, indexType, indexNumber)) << message.toStdString();
    return value;
}

} // namespace

TEST(SelectValTest, AnEmptyOperandAndTheTextOfEachType)
{
    CHOXSelectVal empty;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(empty.GetNumber(), -1);
    EXPECT_EQ(empty.GetText(), QString());
    for (BYTE type = 0; type <= 12; ++type) EXPECT_FALSE(empty.IsDeviceType(type)) << int(type);
    EXPECT_EQ(Stored(empty), Device(0, 0, -1));

    const struct {
        CHOXSelectVal value;
        const char* text;
        bool bit;
    } cases[] = {
        {Made(SV::kD, 0, 100), "D100", false},
        {Made(SV::kDD, 0, 200, 2, 3), "DD200Z3", false},
        {Made(SV::kK, 0, -5), "K-5", false},
        {Made(SV::kH, 0, 0xFFFF), "HFFFF", false},
        // A hexadecimal constant shows no index register.
        {Made(SV::kH, 0, 255, 1, 2), "HFF", false},
        {Made(SV::kH, 0, -1), "HFFFFFFFF", false},
        {Made(SV::kKnM, 2, 10), "K2M10", false},
        {Made(SV::kKnX, 1, 0, 1, 2), "K1X0V2", false},
        {Made(SV::kKnY, 4, 20, 2, 7), "K4Y20Z7", false},
        // SetValue leaves digit counts to the range check.
        {Made(SV::kKnM, 0, 0), "K0M0", false},
        {Made(SV::kV, 0, 3), "V3", false},
        {Made(SV::kZ, 0, 7), "Z7", false},
        {Made(SV::kX, 0, 17), "X17", true},
        {Made(SV::kY, 0, 5), "Y5", true},
        {Made(SV::kM, 0, 9175), "M9175", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.value.GetText(), QString::fromLatin1(c.text));
        EXPECT_EQ(c.value.IsBitDevice(), c.bit);
        EXPECT_TRUE(c.value.IsDeviceType(c.value.GetDeviceType()));
        EXPECT_FALSE(c.value.IsEmpty());
    }
}

TEST(SelectValTest, SetValueRefusesUnsoundCombinationsAndStoresNothing)
{
    const struct {
        BYTE type;
        BYTE digits;
        BYTE indexType;
        BYTE indexNumber;
        UINT message;
    } cases[] = {
        {SV::kD, 2, 0, 0, 13340}, {SV::kK, 1, 0, 0, 13340}, {SV::kD, 0, 3, 0, 13341},
        {SV::kD, 0, 0, 1, 13333}, {SV::kD, 0, 1, 8, 13337}, {SV::kKnM, 2, 2, 9, 13337},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << int(c.type) << " " << int(c.digits) << " " << int(c.indexType) << " " << int(c.indexNumber));
        CHOXSelectVal value = Made(SV::kD, 0, 42);
        QString message;
        EXPECT_FALSE(value.SetValue(message, c.type, c.digits, 7, c.indexType, c.indexNumber));
        EXPECT_EQ(message, LoadStr(c.message));
        EXPECT_EQ(value.GetText(), QStringLiteral("D42"));
    }
    // Bit devices are stored like any other (the sequence dialogs set X0).
    CHOXSelectVal x;
    QString message = QStringLiteral("(before)");
    EXPECT_TRUE(x.SetValue(message, SV::kX, 0, 0, 0, 0));
    EXPECT_TRUE(message.isEmpty());
}

TEST(SelectValTest, AcceptedTextsAndTheirFields)
{
    const struct {
        const char* text;
        BYTE type;
        BYTE digits;
        std::int32_t number;
        BYTE indexType;
        BYTE indexNumber;
    } cases[] = {
        {"  D100V3  ", SV::kD, 0, 100, 1, 3},
        {"DD200Z7", SV::kDD, 0, 200, 2, 7},
        {"D0", SV::kD, 0, 0, 0, 0},
        {"D2147483647", SV::kD, 0, 2147483647, 0, 0},
        {"100", SV::kK, 0, 100, 0, 0},
        {"-100", SV::kK, 0, -100, 0, 0},
        {"0", SV::kK, 0, 0, 0, 0},
        {"-2147483648", SV::kK, 0, INT32_MIN, 0, 0},
        {"K32768", SV::kK, 0, 32768, 0, 0},
        {"K-5", SV::kK, 0, -5, 0, 0},
        {"H0", SV::kH, 0, 0, 0, 0},
        {"HFF", SV::kH, 0, 255, 0, 0},
        {"HFFFFFFFF", SV::kH, 0, -1, 0, 0},
        {"K4M0", SV::kKnM, 4, 0, 0, 0},
        {"K8X372", SV::kKnX, 8, 372, 0, 0},
        {"K1Y07", SV::kKnY, 1, 7, 0, 0},
        {"K2M10V7", SV::kKnM, 2, 10, 1, 7},
        {"K2M10Z0", SV::kKnM, 2, 10, 2, 0},
        {"V7", SV::kV, 0, 7, 0, 0},
        {"Z0", SV::kZ, 0, 0, 0, 0},
        // The octal check belongs to the range check.
        {"X18", SV::kX, 0, 18, 0, 0},
        {"Y0", SV::kY, 0, 0, 0, 0},
        {"M9175", SV::kM, 0, 9175, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        CHOXSelectVal value;
        QString message = QStringLiteral("(before)");
        ASSERT_TRUE(value.Parse(QString::fromLatin1(c.text), message)) << message.toStdString();
        EXPECT_TRUE(message.isEmpty());
        EXPECT_EQ(value.GetDeviceType(), c.type);
        EXPECT_EQ(value.GetDigits(), c.digits);
        EXPECT_EQ(value.GetNumber(), c.number);
        EXPECT_EQ(value.GetIndexType(), c.indexType);
        EXPECT_EQ(value.GetIndexNumber(), c.indexNumber);
    }
    // Read back from its own text.
    EXPECT_EQ(Parsed("K1Y07").GetText(), QStringLiteral("K1Y7"));
    EXPECT_EQ(Parsed("100").GetText(), QStringLiteral("K100"));
}

TEST(SelectValTest, RefusedTextsWithTheirMessagesLeaveTheOperandAsItWas)
{
    const struct {
        const char* text;
        UINT message;
    } cases[] = {
        {"", 13319},
        {"   ", 13319},
        {"d100", 13327},
        {"1-00", 13323},
        {"007", 13639},
        {"-0", 13639},
        {"-", 13639},
        {"2147483648", 13639},
        {"-2147483649", 13639},
        {"99999999999999999999", 13639},
        {"12a", 13327},
        {"K-", 13325},
        {"K", 13639},
        {"K007", 13639},
        {"K5-", 13323},
        {"K--5", 13323},
        {"K4M", 13335},
        {"K9M0", 13339},
        {"K0X0", 13321},
        {"K9Y0", 13322},
        {"KM0", 13339},
        {"K-2M0", 13339},
        {"K99999999999X0", 13321},
        {"K2MA", 13330},
        {"K2M10A", 13334},
        {"K2M10V", 13331},
        {"K2M10Z", 13332},
        {"K2M10V9", 13337},
        {"K2M10V99999999999999", 13337},
        {"K2M10VA", 13333},
        {"K2M99999999999", 13639},
        {"K1.5", 13324},
        {"H1f", 13328},
        {"HG", 13328},
        {"H0FF", 13639},
        {"H", 13639},
        {"H100000000", 13639},
        {"D", 13336},
        {"DD", 13336},
        {"DV1", 13336},
        {"D10W", 13333},
        {"D10V", 13331},
        {"D10Z", 13332},
        {"D10V12", 13337},
        {"D10VX", 13336},
        {"D10V1 2", 13336},
        {"D99999999999", 13639},
        {"X10V1", 13336},
        {"X", 13336},
        {"M-1", 13336},
        {"Y99999999999", 13639},
        {"V", 13336},
    };
    const CHOXSelectVal before = Made(SV::kDD, 0, 321, 2, 4);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        CHOXSelectVal value = before;
        QString message;
        EXPECT_FALSE(value.Parse(QString::fromLatin1(c.text), message));
        EXPECT_EQ(message, LoadStr(c.message));
        EXPECT_EQ(value.GetText(), QStringLiteral("DD321Z4"));
    }
}

TEST(SelectValTest, RangeChecksOnBothFamilies)
{
    const QString none;
    auto f = [](UINT id, std::initializer_list<int> numbers) {
        QStringList args;
        for (int n : numbers) args << QString::number(n);
        return FormatStr(id, args);
    };
    const struct {
        CHOXSelectVal value;
        bool is32Bit;
        bool oneAxis;
        std::int32_t fileRegisters;
        QString message; // empty: accepted
    } cases[] = {
        // File registers and operand kinds come first.
        {Made(SV::kD, 0, 0), false, false, 3001, LoadStr(13640)},
        {Made(SV::kD, 0, 0), false, false, -1, LoadStr(13640)},
        {CHOXSelectVal(), false, false, 0, LoadStr(13342)},
        {Made(SV::kX, 0, 0), false, false, 0, LoadStr(13342)},
        {Made(SV::kM, 0, 0), true, true, 0, LoadStr(13342)},
        // Digits.
        {Made(SV::kKnM, 5, 0), false, false, 0, LoadStr(13344)},
        {Made(SV::kKnM, 0, 0), false, false, 0, LoadStr(13344)},
        {Made(SV::kKnM, 9, 0), true, false, 0, LoadStr(13343)},
        {Made(SV::kKnM, 8, 0), true, true, 0, none},
        {Made(SV::kKnX, 2, 0), false, true, 0, LoadStr(13650)},
        {Made(SV::kKnY, 2, 0), true, true, 0, LoadStr(13650)},
        {Made(SV::kKnM, 2, 0), false, true, 0, none},
        // Index registers.
        {Made(SV::kD, 0, 10, 2, 7), false, false, 0, none},
        {Made(SV::kKnY, 1, 0, 1, 7), false, false, 0, none},
        {Made(SV::kK, 0, 1, 1, 0), false, false, 0, LoadStr(13346)},
        {Made(SV::kH, 0, 1, 2, 0), false, false, 0, LoadStr(13346)},
        {Made(SV::kV, 0, 1, 1, 0), false, false, 0, LoadStr(13346)},
        {Made(SV::kZ, 0, 1, 2, 1), false, false, 0, LoadStr(13346)},
        // D on one axis.
        {Made(SV::kD, 0, 1999), false, true, 0, none},
        {Made(SV::kD, 0, 2000), false, true, 0, LoadStr(13350)},
        {Made(SV::kD, 0, 9313), false, true, 0, none},
        {Made(SV::kD, 0, 9314), false, true, 0, LoadStr(13350)},
        {Made(SV::kD, 0, 100), true, true, 0, LoadStr(13661)},
        {Made(SV::kD, 0, 4009), false, true, 10, none},
        {Made(SV::kD, 0, 4010), false, true, 10, f(13642, {4009})},
        {Made(SV::kD, 0, 6999), false, true, 3000, none},
        // DD on one axis.
        {Made(SV::kDD, 0, 1998), true, true, 0, none},
        {Made(SV::kDD, 0, 1999), true, true, 0, LoadStr(13348)},
        {Made(SV::kDD, 0, 9312), true, true, 0, none},
        {Made(SV::kDD, 0, 9313), true, true, 0, LoadStr(13348)},
        {Made(SV::kDD, 0, 4000), true, true, 1, LoadStr(13348)},
        {Made(SV::kDD, 0, 4000), true, true, 2, none},
        {Made(SV::kDD, 0, 4001), true, true, 2, f(13641, {4000})},
        {Made(SV::kDD, 0, 100), false, true, 0, LoadStr(13662)},
        // D and DD on two axes.
        {Made(SV::kD, 0, 3999), false, false, 0, none},
        {Made(SV::kD, 0, 4000), false, false, 0, LoadStr(13356)},
        {Made(SV::kD, 0, 9599), false, false, 0, none},
        {Made(SV::kD, 0, 9600), false, false, 0, LoadStr(13356)},
        {Made(SV::kD, 0, 4099), false, false, 100, none},
        {Made(SV::kD, 0, 4100), false, false, 100, f(13643, {4099})},
        {Made(SV::kD, 0, -1), false, false, 0, LoadStr(13356)},
        {Made(SV::kDD, 0, 99), true, false, 0, none}, // although 13357 names 0~98
        {Made(SV::kDD, 0, 3998), true, false, 0, none},
        {Made(SV::kDD, 0, 3999), true, false, 0, LoadStr(13357)},
        {Made(SV::kDD, 0, 3999), true, false, 100, none},
        {Made(SV::kDD, 0, 4099), true, false, 100, f(13644, {4098})},
        {Made(SV::kDD, 0, 3999), true, false, 1, none},
        {Made(SV::kDD, 0, 4000), true, false, 1, LoadStr(13655)},
        {Made(SV::kDD, 0, 9598), true, false, 0, none},
        {Made(SV::kDD, 0, 6998), true, false, 3000, none},
        {Made(SV::kDD, 0, 6999), true, false, 3000, f(13644, {6998})},
        // Constants.
        {Made(SV::kK, 0, 32767), false, false, 0, none},
        {Made(SV::kK, 0, -32768), false, true, 0, none},
        {Made(SV::kK, 0, 32768), false, false, 0, LoadStr(13351)},
        {Made(SV::kK, 0, INT32_MIN), true, true, 0, none},
        {Made(SV::kH, 0, 0xFFFF), false, true, 0, none},
        {Made(SV::kH, 0, 0x10000), false, false, 0, LoadStr(13352)},
        {Made(SV::kH, 0, -1), false, false, 0, LoadStr(13352)},
        {Made(SV::kH, 0, 0x7FFFFFFF), true, true, 0, none},
        {Made(SV::kH, 0, -1), true, true, 0, LoadStr(13638)},
        {Made(SV::kH, 0, -1), true, false, 0, none},
        // KnM.
        {Made(SV::kKnM, 2, 504), false, false, 0, none},
        {Made(SV::kKnM, 2, 505), false, false, 0, f(13353, {504, 9168})},
        {Made(SV::kKnM, 1, 9172), false, true, 0, none},
        {Made(SV::kKnM, 1, 9173), false, true, 0, f(13353, {508, 9172})},
        {Made(SV::kKnM, 1, 8999), false, true, 0, f(13353, {508, 9172})},
        // KnX and KnY on two axes: octal starts, the upper X block for one
        // digit.
        {Made(SV::kKnX, 1, 64), false, false, 0, none},
        {Made(SV::kKnX, 1, 374), false, false, 0, none},
        {Made(SV::kKnX, 1, 372), false, false, 0, none},
        {Made(SV::kKnX, 1, 65), false, false, 0, f(13635, {64, 374})},
        {Made(SV::kKnX, 1, 375), false, false, 0, f(13635, {64, 374})},
        {Made(SV::kKnX, 1, 58), false, false, 0, f(13635, {64, 374})},
        {Made(SV::kKnX, 1, 371), false, false, 0, f(13635, {64, 374})},
        {Made(SV::kKnX, 2, 60), false, false, 0, none},
        {Made(SV::kKnX, 2, 61), false, false, 0, f(13634, {60})},
        {Made(SV::kKnX, 2, 372), false, false, 0, f(13634, {60})},
        {Made(SV::kKnX, 8, 30), true, false, 0, none},
        {Made(SV::kKnX, 8, 31), true, false, 0, f(13634, {30})},
        {Made(SV::kKnY, 1, 64), false, false, 0, none},
        {Made(SV::kKnY, 1, 372), false, false, 0, f(13634, {64})},
        {Made(SV::kKnY, 3, 54), false, false, 0, none},
        {Made(SV::kKnY, 3, 55), false, false, 0, f(13634, {54})},
        // ... and on one axis.
        {Made(SV::kKnX, 1, 0), false, true, 0, none},
        {Made(SV::kKnX, 1, 1), false, true, 0, f(13634, {0})},
        {Made(SV::kKnX, 1, 375), false, true, 0, f(13634, {0})},
        {Made(SV::kKnY, 1, 2), false, true, 0, none},
        {Made(SV::kKnY, 1, 3), false, true, 0, f(13634, {2})},
        // Index registers as operands.
        {Made(SV::kV, 0, 7), false, false, 0, none},
        {Made(SV::kZ, 0, 8), true, true, 0, LoadStr(13783)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.value.GetText().toStdString() << (c.is32Bit ? " 32-bit" : " 16-bit")
                                          << (c.oneAxis ? " one axis" : " two axes") << " FR " << c.fileRegisters);
        QString message = QStringLiteral("(before)");
        EXPECT_EQ(c.value.CheckRange(c.is32Bit, c.oneAxis, message, c.fileRegisters), c.message.isEmpty());
        EXPECT_EQ(message, c.message);
    }
    // The messages with their numbers, to the byte.
    EXPECT_EQ(f(13635, {64, 374}), QStringLiteral(" Valid Range for Device Number is: 0~64  (Octal), 372~374."));
    EXPECT_EQ(f(13353, {504, 9168}),
              QStringLiteral(" Invalid Device Number for Device KnM.\nValid range :  0 ~ 504,  9000 ~ 9168."));
}

TEST(SelectValTest, DigitGroupRanges)
{
    // Highest starts of X and Y groups, in octal digits, for 1 to 8 digits.
    const std::int32_t twoAxisLower[] = {64, 60, 54, 50, 44, 40, 34, 30};
    for (int d = 1; d <= 8; ++d) {
        SCOPED_TRACE(d);
        const SV::KnRange x = SV::GetKnRange(SV::kKnX, d, false);
        const SV::KnRange y = SV::GetKnRange(SV::kKnY, d, false);
        EXPECT_EQ(x.lowerLast, twoAxisLower[d - 1]);
        EXPECT_EQ(y.lowerLast, twoAxisLower[d - 1]);
        EXPECT_EQ(x.upperFirst, 372);
        EXPECT_EQ(y.upperFirst, -1);
        // Only one digit fits in X372 to X377.
        EXPECT_EQ(x.Contains(372), d == 1);
        EXPECT_EQ(x.Contains(374), d == 1);
        EXPECT_FALSE(x.Contains(375));
        EXPECT_FALSE(y.Contains(372));
        EXPECT_TRUE(x.Contains(0));
    }
    const SV::KnRange x1 = SV::GetKnRange(SV::kKnX, 1, true);
    EXPECT_EQ(x1.lowerLast, 0);
    EXPECT_EQ(x1.upperFirst, 375);
    EXPECT_EQ(x1.upperLast, 374); // too short for a digit
    EXPECT_FALSE(x1.Contains(375));
    EXPECT_EQ(SV::GetKnRange(SV::kKnY, 1, true).lowerLast, 2);
    const SV::KnRange x2 = SV::GetKnRange(SV::kKnX, 2, true);
    EXPECT_LT(x2.lowerLast, 0);
    EXPECT_FALSE(x2.Contains(0));

    // The message names 0 for a block that holds no group.
    EXPECT_EQ(SV::FormatKnRangeMessage(x2, true), FormatStr(13634, {QStringLiteral("0")}));
    EXPECT_EQ(SV::FormatKnRangeMessage(x1, true), FormatStr(13634, {QStringLiteral("0")}));
    SV::KnRange upper{2, 375, 377};
    EXPECT_EQ(SV::FormatKnRangeMessage(upper, true), FormatStr(13636, {QStringLiteral("2"), QStringLiteral("377")}));
    EXPECT_EQ(SV::FormatKnRangeMessage(SV::GetKnRange(SV::kKnX, 1, false), false),
              FormatStr(13635, {QStringLiteral("64"), QStringLiteral("374")}));
}

TEST(SelectValTest, BitDevicesOnBothFamilies)
{
    const struct {
        BYTE type;
        std::int32_t number;
        bool oneAxis;
        bool valid;
    } cases[] = {
        {SV::kX, 3, true, true},     {SV::kX, 4, true, false},     {SV::kX, 375, true, true},
        {SV::kX, 374, true, false},  {SV::kX, 377, true, true},    {SV::kX, 378, true, false},
        {SV::kX, 67, false, true},   {SV::kX, 68, false, false},   {SV::kX, 78, false, false},
        {SV::kX, 58, false, false},  {SV::kX, 372, false, true},   {SV::kX, 371, false, false},
        {SV::kX, -1, false, false},  {SV::kY, 5, true, true},      {SV::kY, 6, true, false},
        {SV::kY, 67, false, true},   {SV::kY, 372, false, false},  {SV::kM, 511, true, true},
        {SV::kM, 512, false, false}, {SV::kM, 9000, true, true},   {SV::kM, 9175, false, true},
        {SV::kM, 9176, true, false}, {SV::kM, 9176, false, false}, {SV::kD, 0, false, false},
        {SV::kKnX, 0, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << int(c.type) << " " << c.number << (c.oneAxis ? " one axis" : ""));
        EXPECT_EQ(Made(c.type, c.type == SV::kKnX ? 1 : 0, c.number).IsValidBitDevice(c.oneAxis), c.valid);
    }
    EXPECT_FALSE(CHOXSelectVal().IsValidBitDevice(false));
}

TEST(SelectValTest, FileRegistersAfterParameter101Changed)
{
    const struct {
        CHOXSelectVal value;
        std::int32_t fileRegisters;
        bool passes;
    } cases[] = {
        {Made(SV::kD, 0, 4000), 0, false},   {Made(SV::kD, 0, 3999), 0, true},   {Made(SV::kD, 0, 4009), 10, true},
        {Made(SV::kD, 0, 4010), 10, false},  {Made(SV::kDD, 0, 4008), 10, true}, {Made(SV::kDD, 0, 4009), 10, false},
        {Made(SV::kDD, 0, 4000), 0, false},  {Made(SV::kDD, 0, 6999), 0, true},  {Made(SV::kDD, 0, 6999), 10, false},
        {Made(SV::kD, 0, 6999), 3000, true}, {Made(SV::kD, 0, 7000), 0, true},   {Made(SV::kD, 0, 9000), 0, true},
        {Made(SV::kK, 0, 5000), 0, true},    {Made(SV::kKnM, 1, 5000), 0, true}, {CHOXSelectVal(), 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.value.GetText().toStdString() << " FR " << c.fileRegisters);
        EXPECT_EQ(CHOXSelectVal::CheckFileRegister(c.value, c.fileRegisters), c.passes);
    }
}

TEST(SelectValTest, StoredInPlaceAsEightBytes)
{
    const struct {
        CHOXSelectVal value;
        QByteArray bytes;
    } cases[] = {
        {CHOXSelectVal(), Device(0, 0, -1)},
        {Made(SV::kDD, 0, 200, 2, 3), Device(2, 0, 200, 2, 3)},
        {Made(SV::kKnX, 4, 20, 1, 7), Device(6, 4, 20, 1, 7)},
        {Made(SV::kH, 0, -1), Device(4, 0, -1)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value.GetText().toStdString());
        CHOXSelectVal value = c.value;
        EXPECT_EQ(Stored(value), c.bytes);
        CArchive in(QByteArray::fromHex(c.bytes));
        CHOXSelectVal back = Made(SV::kD, 0, 1);
        back.Serialize(in);
        EXPECT_EQ(in.BytesLeft(), 0u);
        EXPECT_EQ(Stored(back), c.bytes);
        EXPECT_EQ(back.GetText(), c.value.GetText());
    }
    CArchive cut(QByteArray::fromHex(Device(2, 0, 200, 2, 3).left(14)));
    CHOXSelectVal back = Made(SV::kD, 0, 1);
    EXPECT_THROW(back.Serialize(cut), ArchiveError);
    EXPECT_EQ(back.GetText(), QStringLiteral("D1"));
    back.Clear();
    EXPECT_TRUE(back.IsEmpty());
    EXPECT_EQ(back.GetNumber(), -1);
}
