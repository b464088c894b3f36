// The operand of the positioning codes and the compensation setting: reading
// the text form, range checks on both controller families for several
// file-register counts, and the stored form written in place.
#include "symbols/operand/HOXCompSetting.h"
#include "symbols/operand/HOXDataReg.h"

#include "platform/Archive.h"
#include "platform/Strings.h"
#include "support/StoredFragments.h"

#include <gtest/gtest.h>

using namespace kt::test::hex;

namespace {

CHOXDataReg Parsed(const char* text)
{
    CHOXDataReg reg;
    EXPECT_TRUE(reg.Parse(QString::fromLatin1(text), true)) << text;
    return reg;
}

QByteArray Stored(CObject& object)
{
    CArchive out;
    object.Serialize(out);
    return out.Buffer().toHex();
}

} // namespace

TEST(DataRegTest, AcceptedTextsAndTheirFields)
{
    const struct {
        const char* text;
        bool allowNegative;
        int mode;
        std::int32_t number;
        int indexType;
        int indexNumber;
        const char* back;
    } cases[] = {
        {"0", false, 0, 0, 0, 0, "0"},
        {"200000", false, 0, 200000, 0, 0, "200000"},
        {"-999999", true, 0, -999999, 0, 0, "-999999"},
        {"999999", true, 0, 999999, 0, 0, "999999"},
        {"007", true, 0, 7, 0, 0, "7"},
        {"-0", false, 0, 0, 0, 0, "0"},
        {"D0", false, 1, 0, 0, 0, "D0"},
        {"D100", true, 1, 100, 0, 0, "D100"},
        {"DD4000", true, 2, 4000, 0, 0, "DD4000"},
        {"D12V7", true, 1, 12, 1, 7, "D12V7"},
        {"DD4000Z0", true, 2, 4000, 2, 0, "DD4000Z0"},
        {"D100V3", false, 1, 100, 1, 3, "D100V3"},
        // Register numbers are judged by the range check, not here.
        {"D99999", true, 1, 99999, 0, 0, "D99999"},
        {"D2147483647", true, 1, 2147483647, 0, 0, "D2147483647"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        CHOXDataReg reg;
        ASSERT_TRUE(reg.Parse(QString::fromLatin1(c.text), c.allowNegative));
        EXPECT_EQ(reg.GetMode(), c.mode);
        EXPECT_EQ(reg.GetNumber(), c.number);
        EXPECT_EQ(reg.GetIndexType(), c.indexType);
        EXPECT_EQ(reg.GetIndexNumber(), c.indexNumber);
        EXPECT_EQ(reg.IsConstant(), c.mode == 0);
        EXPECT_EQ(reg.IsRegister(), c.mode != 0);
        EXPECT_EQ(reg.Is32Bit(), c.mode == 2);
        EXPECT_EQ(reg.GetText(), QString::fromLatin1(c.back));
    }
}

TEST(DataRegTest, RefusedTextsLeaveTheOperandAsItWas)
{
    const struct {
        const char* text;
        bool allowNegative;
    } cases[] = {
        {"", true},
        {"D", true},
        {"DD", true},
        {"DDD1", true},
        {"D12V", true},
        {"DV1", true},
        {"D5X", true},
        {"D12Z8", true},
        {"D12V7 ", true},
        {"D12V7Z1", true},
        {"d100", true},
        {" 100", true},
        {"100 ", true},
        {"-", true},
        {"--1", true},
        {"1-", true},
        {"+5", true},
        {"-1", false},
        {"200001", false},
        {"1000000", true},
        {"-1000000", true},
        {"K100", true},
        {"1e3", true},
        // Digit runs beyond 32 bits fail instead of wrapping.
        {"D2147483648", true},
        {"DD99999999999999999999", true},
        {"D1V99999999999999999999", true},
        {"99999999999999999999", true},
        {"-99999999999999999999", true},
        {"4294967296", true},
    };
    const CHOXDataReg before = Parsed("DD321Z4");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        CHOXDataReg reg = before;
        EXPECT_FALSE(reg.Parse(QString::fromLatin1(c.text), c.allowNegative));
        EXPECT_EQ(Stored(reg), Stored(const_cast<CHOXDataReg&>(before)));
    }
}

TEST(DataRegTest, SetValueClearAndCopies)
{
    CHOXDataReg reg = Parsed("D5V2");
    EXPECT_TRUE(reg.SetValue(true, true, 4000, 2, 7));
    EXPECT_EQ(reg.GetText(), QStringLiteral("DD4000Z7"));
    EXPECT_TRUE(reg.SetValue(true, false, 12, 0, 0));
    EXPECT_EQ(reg.GetText(), QStringLiteral("D12"));
    // A constant keeps its number and index: only the mode changes.
    reg = Parsed("D33Z1");
    EXPECT_FALSE(reg.SetValue(false, true, 99, 1, 1));
    EXPECT_EQ(reg.GetMode(), 0);
    EXPECT_EQ(reg.GetNumber(), 33);
    EXPECT_EQ(reg.GetIndexType(), 2);
    EXPECT_EQ(reg.GetText(), QStringLiteral("33"));

    CHOXDataReg copy(Parsed("DD7V3"));
    CHOXDataReg assigned;
    assigned = copy;
    EXPECT_EQ(assigned.GetText(), QStringLiteral("DD7V3"));
    assigned.Clear();
    EXPECT_EQ(Stored(assigned), Reg(0, 0));
    EXPECT_EQ(copy.GetText(), QStringLiteral("DD7V3"));
}

TEST(DataRegTest, RangeChecksOnBothFamiliesWithTheirMessages)
{
    const QString none;
    const struct {
        const char* text;
        bool oneAxis;
        std::int32_t fileRegisters;
        QString message; // empty: accepted
    } cases[] = {
        // One axis: no D2000 to D3999; file registers from D4000.
        {"D1999", true, 0, none},
        {"D2000", true, 0, LoadStr(13652)},
        {"D3999", true, 1, LoadStr(13654)},
        {"D2000", true, 10, FormatStr(13653, {QStringLiteral("4009")})},
        {"D4000", true, 0, LoadStr(13652)},
        {"D4000", true, 1, none},
        {"D4001", true, 1, LoadStr(13654)},
        {"D4009", true, 10, none},
        {"D4010", true, 10, FormatStr(13653, {QStringLiteral("4009")})},
        {"D6999", true, 3000, none},
        {"DD1998", true, 0, none},
        {"DD1999", true, 0, LoadStr(13656)},
        {"DD1999", true, 1, LoadStr(13656)},
        {"DD3999", true, 2, LoadStr(13658)},
        {"DD4000", true, 1, LoadStr(13656)},
        {"DD4000", true, 2, none},
        {"DD4001", true, 2, LoadStr(13658)},
        {"DD4008", true, 10, none},
        {"DD4009", true, 10, FormatStr(13657, {QStringLiteral("4008")})},
        // Two axes: everything below the file registers.
        {"D3999", false, 0, none},
        {"D4000", false, 0, FormatStr(13632, {QStringLiteral("3999")})},
        {"D4099", false, 100, none},
        {"D4100", false, 100, FormatStr(13632, {QStringLiteral("4099")})},
        {"DD3998", false, 0, none},
        {"DD3999", false, 0, FormatStr(13651, {QStringLiteral("3998")})},
        {"DD3999", false, 1, none},
        {"DD4000", false, 1, FormatStr(13651, {QStringLiteral("3999")})},
        {"DD6998", false, 3000, none},
        // Beyond the data registers whatever the file registers.
        {"D7000", false, 3000, LoadStr(13583)},
        {"D7000", true, 3000, LoadStr(13583)},
        {"DD6999", false, 3000, LoadStr(13584)},
        {"DD6999", true, 3000, LoadStr(13584)},
        // Index registers.
        {"D10V7", false, 0, none},
        // Constants are not judged.
        {"-999999", true, 0, none},
        {"200000", false, 0, none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.text << (c.oneAxis ? " one axis" : " two axes") << " FR " << c.fileRegisters);
        const CHOXDataReg reg = Parsed(c.text);
        QString message = QStringLiteral("(before)");
        EXPECT_EQ(reg.CheckRange(c.oneAxis, message, c.fileRegisters), c.message.isEmpty());
        EXPECT_EQ(message, c.message);
        EXPECT_EQ(reg.IsValid(c.oneAxis, c.fileRegisters), c.message.isEmpty());
    }
    // The messages with their numbers filled in, to the byte.
    EXPECT_EQ(FormatStr(13653, {QStringLiteral("4009")}),
              QStringLiteral("ERROR : Invalid Device Number for ZE 10RE .\nValid range :  0 ~ 1999  and  4000 ~ 4009"));
    EXPECT_EQ(FormatStr(13651, {QStringLiteral("3998")}),
              QStringLiteral("ERROR : Invalid Device Number for Device type DD.\nValid range :  0 ~ 3998\n"));

    // Index numbers of 8 and more come only from a stored operand.
    CHOXDataReg index;
    index.SetValue(true, false, 10, 2, 8);
    QString message;
    EXPECT_FALSE(index.CheckRange(false, message, 0));
    EXPECT_EQ(message, QStringLiteral("ERROR: Invalid Index Register Number.\nValid Range : 0~7"));
    index.SetValue(true, false, 10, 0, 8);
    EXPECT_TRUE(index.CheckRange(false, message, 0));
}

TEST(DataRegTest, StoredInPlaceAsSevenBytes)
{
    const struct {
        const char* text;
        QByteArray bytes;
    } cases[] = {
        {"0", Reg(0, 0)},
        {"-250", Reg(0, -250)},
        {"D100V3", Reg(1, 100, 1, 3)},
        {"DD4000Z0", Reg(2, 4000, 2, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        CHOXDataReg reg = Parsed(c.text);
        EXPECT_EQ(Stored(reg), c.bytes);
        CArchive in(QByteArray::fromHex(c.bytes));
        CHOXDataReg back = Parsed("D1");
        back.Serialize(in);
        EXPECT_EQ(in.BytesLeft(), 0u);
        EXPECT_EQ(back.GetText(), QString::fromLatin1(c.text));
    }
    // Cut short: nothing of the operand changes.
    CArchive cut(QByteArray::fromHex(Reg(2, 4000, 2, 0).left(12)));
    CHOXDataReg back = Parsed("D1");
    EXPECT_THROW(back.Serialize(cut), ArchiveError);
    EXPECT_EQ(back.GetText(), QStringLiteral("D1"));
}

TEST(CompSettingTest, DefaultsCopiesAndStoredForm)
{
    CHOXCompSetting comp;
    EXPECT_EQ(comp.GetKind(), CHOXCompSetting::kMovc);
    EXPECT_EQ(comp.IsOperand1Used(), 1);
    EXPECT_EQ(comp.IsOperand2Used(), 1);
    EXPECT_EQ(Stored(comp), Comp(0, 1, 1, Reg(0, 0), Reg(0, 0)));

    comp.SetKind(CHOXCompSetting::kCntc);
    comp.SetOperand1Used(0);
    comp.SetOperand1Text(QStringLiteral("D100V3"));
    comp.SetOperand2Text(QStringLiteral("DD4000Z1"));
    const QByteArray bytes = Comp(2, 0, 1, Reg(1, 100, 1, 3), Reg(2, 4000, 2, 1));
    EXPECT_EQ(bytes.size(), 2 * 23);
    EXPECT_EQ(Stored(comp), bytes);

    CArchive in(QByteArray::fromHex(bytes));
    CHOXCompSetting back;
    back.Serialize(in);
    EXPECT_EQ(in.BytesLeft(), 0u);
    EXPECT_EQ(Stored(back), bytes);
    EXPECT_EQ(back.GetOperand1Text(), QStringLiteral("D100V3"));
    EXPECT_EQ(back.GetOperand2Text(), QStringLiteral("DD4000Z1"));

    CHOXCompSetting copy(back);
    CHOXCompSetting assigned;
    assigned = copy;
    EXPECT_EQ(Stored(assigned), bytes);

    // A setting cut short is not half read.
    CArchive cut(QByteArray::fromHex(bytes.left(30)));
    CHOXCompSetting untouched;
    EXPECT_THROW(untouched.Serialize(cut), ArchiveError);
    EXPECT_EQ(Stored(untouched), Comp(0, 1, 1, Reg(0, 0), Reg(0, 0)));
}

TEST(CompSettingTest, UnreadableTextsKeepTheOperandsAndNegativesAreAllowed)
{
    CHOXCompSetting comp;
    comp.SetOperand1Text(QStringLiteral("-999999"));
    comp.SetOperand2Text(QStringLiteral("D7"));
    for (const char* bad : {"", "x5", "1000000", "D", "d7"}) {
        comp.SetOperand1Text(QString::fromLatin1(bad));
        comp.SetOperand2Text(QString::fromLatin1(bad));
    }
    EXPECT_EQ(comp.GetOperand1Text(), QStringLiteral("-999999"));
    EXPECT_EQ(comp.GetOperand2Text(), QStringLiteral("D7"));
}

TEST(CompSettingTest, OnlyUsedOperandsAreJudged)
{
    CHOXCompSetting comp;
    comp.SetOperand1Text(QStringLiteral("D2000"));
    comp.SetOperand2Text(QStringLiteral("D4000"));
    // D2000 is missing on one axis only; D4000 without file registers on both.
    EXPECT_FALSE(comp.IsValid(true, 10));
    EXPECT_FALSE(comp.IsValid(false, 0));
    EXPECT_TRUE(comp.IsValid(false, 1));
    comp.SetOperand2Used(0);
    EXPECT_TRUE(comp.IsValid(false, 0));
    EXPECT_FALSE(comp.IsValid(true, 10));
    comp.SetOperand1Used(0);
    EXPECT_TRUE(comp.IsValid(true, 0));
}
