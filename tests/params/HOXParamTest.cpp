// The parameter set on its own (no document, so a two-axis set): numbering,
// defaults, predicates, memory size, the stored form, the I/O-number
// conversions and the transfer blocks.
#include "params/HOXParam.h"

#include "platform/Archive.h"

#include "params/ParamTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <utility>
#include <vector>

namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

using kt::test::Get;
using kt::test::Hex;
using kt::test::Set;
using kt::test::Store;

// Defaults, X length unit 1, Y length unit 2, and a few values that mark
// where each field goes: X 31 = 17, 101 = 3000, 103 = 67, Y 0 = 2, Y 56 = 4.
void MarkFields(CHOXParam& param)
{
    param.SetLengthUnit(0, 1);
    param.SetLengthUnit(1, 2);
    Set(param, 31, 0, 17);
    Set(param, 101, 0, 3000);
    Set(param, 103, 0, 67);
    Set(param, 0, 1, 2);
    Set(param, 56, 1, 4);
}

const char* const kMarkedTwoAxis =
    // X 0-26
    "01000000d0070000d007000002000000400d0300204e00000000000000000000c8000000"
    "c8000000640000000000000000000000a0860100e8030000010000000000000001000000"
    "010000000000000000000000000000000100000001000000000000000000000000000000"
    // X 30-56
    "000000001100000000000000140000000000000000000000000000000000000000000000"
    "000000000100000000000000020000000000000000000000000000000000000000000000"
    "000000000000000000000000000000000000000000000000000000000000000000000000"
    // 100-111
    "00000000b80b000000000000430000000000000000000000000000000000000000000000"
    "000000000000000000000000"
    // X length unit
    "01000000"
    // Y 0-26
    "02000000d0070000d007000002000000400d0300204e00000000000000000000c8000000"
    "c8000000640000000000000000000000a0860100e8030000010000000000000001000000"
    "010000000000000000000000000000000100000001000000000000000000000000000000"
    // Y 30-56
    "000000000000000000000000140000000000000000000000000000000000000000000000"
    "000000000100000000000000020000000000000000000000000000000000000000000000"
    "000000000000000000000000000000000000000000000000000000000000000004000000"
    // Y length unit
    "02000000";

TEST(ParamNumberingTest, ValidNumbersAndAxes)
{
    const struct {
        UINT number;
        int axis;
        bool valid;
    } cases[] = {
        {0, 0, true},     {26, 1, true},    {27, 0, false},  {29, 1, false},  {30, 0, true},   {43, 0, true},
        {55, 1, true},    {56, 1, true},    {57, 0, false},  {99, 0, false},  {100, 0, true},  {111, 1, true},
        {112, 0, false},  {119, 0, false},  {0xFFFFFFFFu, 0, false},          {4, -1, false},  {4, 2, false},
        {40, 7, false},   {105, 7, true},   {105, -3, true},
    };
    for (const auto& c : cases) {
        CHOXParam param;
        std::int32_t out = -777;
        EXPECT_EQ(param.GetParam(&out, c.number, c.axis), c.valid) << c.number << " axis " << c.axis;
        if (!c.valid) {
            EXPECT_EQ(out, -777) << "output touched for " << c.number;
        }

        const QByteArray before = Store(param);
        const std::int32_t v = 5;
        EXPECT_EQ(param.SetParam(&v, c.number, c.axis), c.valid) << c.number << " axis " << c.axis;
        if (c.valid) {
            EXPECT_TRUE(param.GetParam(&out, c.number, c.axis));
            EXPECT_EQ(out, 5);
        } else {
            EXPECT_EQ(Store(param), before) << "set changed for " << c.number;
        }
    }
}

TEST(ParamNumberingTest, AxesAreSeparateAndCommonValuesShared)
{
    CHOXParam param;
    Set(param, 4, 0, 111);
    Set(param, 4, 1, 222);
    Set(param, 105, 1, 17);
    EXPECT_EQ(Get(param, 4, 0), 111);
    EXPECT_EQ(Get(param, 4, 1), 222);
    EXPECT_EQ(Get(param, 105, 0), 17);
    EXPECT_EQ(Get(param, 105, 1), 17);
    // The set stores any value of a parameter that is not an I/O number.
    Set(param, 25, 0, kMin);
    Set(param, 26, 1, kMax);
    EXPECT_EQ(Get(param, 25, 0), kMin);
    EXPECT_EQ(Get(param, 26, 1), kMax);
}

TEST(ParamNumberingTest, NullPointersAreRefused)
{
    CHOXParam param;
    EXPECT_FALSE(param.GetParam(nullptr, 4, 0));
    const QByteArray before = Store(param);
    EXPECT_FALSE(param.SetParam(nullptr, 4, 0));
    EXPECT_EQ(Store(param), before);
}

TEST(ParamNumberingTest, IoNumbersRefuseDigitsEightAndNine)
{
    const struct {
        UINT number;
        int axis;
        std::int32_t value;
        bool stored;
    } cases[] = {
        {31, 0, 17, true},    {31, 1, 18, false},   {32, 0, 90, false},  {35, 1, 377, true},  {37, 0, -19, false},
        {38, 0, -17, true},   {41, 0, 8, false},    {41, 1, 7, true},    {42, 0, 1999, false}, {51, 1, 66, true},
        {52, 0, 65, true},    {54, 1, 380, false},  {103, 0, 68, false}, {105, 1, 372, true}, {107, 0, 9, false},
        {109, 0, 67, true},   {111, 1, 1000000008, false},               {111, 0, 1777777777, true},
        {33, 0, 99, true},    {40, 1, 255, true},   {101, 0, 3000, true}, {16, 0, -999999, true},
    };
    for (const auto& c : cases) {
        CHOXParam param;
        const std::int32_t before = Get(param, c.number, c.axis);
        EXPECT_EQ(param.SetParam(&c.value, c.number, c.axis), c.stored) << c.number << " = " << c.value;
        EXPECT_EQ(Get(param, c.number, c.axis), c.stored ? c.value : before) << c.number << " = " << c.value;
    }
}

TEST(ParamDefaultsTest, NewSetHoldsTwoAxisDefaultsAndMillimetres)
{
    CHOXParam param;
    EXPECT_FALSE(param.IsOneAxisModel());
    EXPECT_EQ(param.GetDocument(), nullptr);
    EXPECT_EQ(param.GetLengthUnit(0), 0);
    EXPECT_EQ(param.GetLengthUnit(1), 0);
    MarkFields(param);
    EXPECT_EQ(Store(param), Hex(kMarkedTwoAxis));
}

TEST(ParamDefaultsTest, SetDefaultsRestoresValuesButNotLengthUnits)
{
    CHOXParam param;
    const QByteArray fresh = Store(param);
    MarkFields(param);
    Set(param, 43, 0, 9);
    Set(param, 55, 1, 9);
    Set(param, 111, 0, 7);
    param.SetDefaults();
    EXPECT_EQ(Get(param, 0, 1), 1);
    EXPECT_EQ(Get(param, 42, 1), 2);
    EXPECT_EQ(Get(param, 43, 0), 0);
    EXPECT_EQ(Get(param, 100, 0), 0);
    EXPECT_EQ(param.GetLengthUnit(0), 1);
    EXPECT_EQ(param.GetLengthUnit(1), 2);
    param.SetLengthUnit(0, 0);
    param.SetLengthUnit(1, 0);
    EXPECT_EQ(Store(param), fresh);
}

TEST(ParamPredicatesTest, SystemOfUnitDecidesPositionsAndSpeeds)
{
    const struct {
        std::int32_t system;
        bool mechanicalPositions;
        bool pulseSpeeds;
    } cases[] = {{0, true, false}, {1, false, true}, {2, true, true}, {7, true, true}};
    for (const auto& c : cases) {
        CHOXParam param;
        Set(param, 0, 1, c.system);
        EXPECT_EQ(param.HasMechanicalPositions(1), c.mechanicalPositions) << c.system;
        EXPECT_EQ(param.HasPulseSpeeds(1), c.pulseSpeeds) << c.system;
        // X keeps its default, Motor.
        EXPECT_FALSE(param.HasMechanicalPositions(0));
        EXPECT_TRUE(param.HasPulseSpeeds(0));
    }
    CHOXParam param;
    EXPECT_FALSE(param.HasMechanicalPositions(2));
    EXPECT_FALSE(param.HasPulseSpeeds(-1));
}

TEST(ParamPredicatesTest, LengthUnitPerAxis)
{
    CHOXParam param;
    param.SetLengthUnit(1, CHOXParam::unitInch);
    param.SetLengthUnit(0, CHOXParam::unitDegree);
    param.SetLengthUnit(2, CHOXParam::unitInch);
    param.SetLengthUnit(-1, CHOXParam::unitInch);
    EXPECT_EQ(param.GetLengthUnit(0), 1);
    EXPECT_EQ(param.GetLengthUnit(1), 2);
    EXPECT_EQ(param.GetLengthUnit(2), 0);
    EXPECT_EQ(param.GetLengthUnit(-1), 0);
}

TEST(ParamPredicatesTest, ProgramMemorySize)
{
    const struct {
        std::int32_t memory;
        std::int32_t fileRegisters;
        std::int32_t steps;
    } cases[] = {
        {0, 0, 7800},    {1, 0, 3800},     {0, 3000, 4800}, {1, 3000, 800}, {1, 3800, 0},
        {1, 3801, 0},    {0, kMax, 0},     {0, -5, 7800},   {0, kMin, 7800}, {2, 100, 3700},
    };
    for (const auto& c : cases) {
        CHOXParam param;
        Set(param, 100, 0, c.memory);
        Set(param, 101, 0, c.fileRegisters);
        EXPECT_EQ(param.GetProgramMemorySize(), c.steps) << c.memory << " / " << c.fileRegisters;
    }
}

TEST(ParamStoreTest, RoundTripRestoresEveryValue)
{
    CHOXParam source;
    MarkFields(source);
    for (UINT n = 0; n <= 111; ++n) {
        if (CHOXParam::IsIoNumber(n)) continue;
        const std::int32_t x = static_cast<std::int32_t>(n) * 1001 - 7;
        const std::int32_t y = -static_cast<std::int32_t>(n) * 3;
        source.SetParam(&x, n, 0);
        if (n < 100) source.SetParam(&y, n, 1);
    }
    const QByteArray bytes = Store(source);
    ASSERT_EQ(bytes.size(), 488);

    CHOXParam target;
    CArchive in(bytes);
    target.Serialize(in);
    EXPECT_EQ(in.BytesLeft(), 0u);
    EXPECT_EQ(Store(target), bytes);
    for (UINT n = 0; n <= 111; ++n) {
        std::int32_t a = 0;
        std::int32_t b = 0;
        for (int axis = 0; axis < 2; ++axis) {
            EXPECT_EQ(source.GetParam(&a, n, axis), target.GetParam(&b, n, axis));
            EXPECT_EQ(a, b) << n << " axis " << axis;
        }
    }
    EXPECT_EQ(target.GetLengthUnit(0), 1);
    EXPECT_EQ(target.GetLengthUnit(1), 2);
}

TEST(ParamStoreTest, CopyTakesEveryValueButNotTheOwner)
{
    CHOXParam source;
    MarkFields(source);
    CHOXParam target;
    target.CopyValuesFrom(source);
    EXPECT_EQ(Store(target).toHex(), QByteArray(kMarkedTwoAxis));
    EXPECT_EQ(target.GetDocument(), nullptr);
}

TEST(ParamStoreTest, LoadingReadsOnlyItsSection)
{
    QByteArray bytes = Hex(kMarkedTwoAxis);
    bytes.append(Hex("deadbeef"));
    CHOXParam param;
    CArchive in(bytes);
    param.Serialize(in);
    EXPECT_EQ(in.BytesLeft(), 4u);
    EXPECT_EQ(Get(param, 56, 1), 4);
}

TEST(ParamStoreTest, TruncatedSectionThrowsAndChangesNothing)
{
    const QByteArray bytes = Hex(kMarkedTwoAxis);
    for (int size = 0; size < bytes.size(); size += 4) {
        CHOXParam param;
        Set(param, 5, 1, 4242);
        param.SetLengthUnit(1, 1);
        const QByteArray before = Store(param);
        CArchive in(bytes.left(size));
        EXPECT_THROW(param.Serialize(in), ArchiveError) << size;
        EXPECT_EQ(Store(param), before) << size;
    }
    // A section cut inside a value.
    CHOXParam param;
    const QByteArray before = Store(param);
    CArchive in(bytes.left(487));
    EXPECT_THROW(param.Serialize(in), ArchiveError);
    EXPECT_EQ(Store(param), before);
}

TEST(ParamStoreTest, LoadedIoNumbersWithDigitsEightOrNineAreRepaired)
{
    // Older files could hold such values; the controller was given the
    // digits weighed as octal, which is what the set now holds.
    const struct {
        UINT number;
        int axis;
        std::int32_t stored;
        std::int32_t loaded;
    } cases[] = {
        {31, 0, 18, 20},  {54, 1, 98, 120},   {105, 0, 19, 21},  {41, 1, 8, 10},    {37, 0, -9, -11},
        {52, 1, 17, 17},  {33, 0, 99, 99},    {111, 0, 0, 0},    {51, 0, 2099999999, 2122222221},
        // The digits weighed as octal do not fit back in 32 bits: the default.
        {42, 0, 1999999999, 2}, {109, 0, 1999999999, 0}, {32, 1, kMin, 0},
    };
    for (const auto& c : cases) {
        QByteArray bytes = Hex(kMarkedTwoAxis);
        int offset = 0;
        if (c.number >= 100)
            offset = 216 + 4 * static_cast<int>(c.number - 100);
        else
            offset = (c.axis == 0 ? 0 : 268) + 4 * static_cast<int>(c.number <= 26 ? c.number : c.number - 3);
        CArchive value;
        value << c.stored;
        bytes.replace(offset, 4, value.Buffer());

        CHOXParam param;
        CArchive in(bytes);
        param.Serialize(in);
        EXPECT_EQ(Get(param, c.number, c.axis), c.loaded) << c.number << " = " << c.stored;
    }
}

TEST(ParamOctalTest, ConversionsOfIoNumbers)
{
    // Parameter 31 is the second value of block 114.
    const struct {
        std::int32_t octalDigits;
        std::int32_t plain;
    } cases[] = {
        {17, 15}, {67, 55}, {377, 255}, {0, 0}, {7, 7}, {10, 8}, {-17, -15}, {1777777777, 268435455},
        {2077777777, 285212671}, {-2077777777, -285212671},
    };
    for (const auto& c : cases) {
        std::vector<std::int32_t> block(27, 0);
        block[1] = c.octalDigits;
        EXPECT_EQ(CHOXParam::IoNumbersFromOctal(CHOXParam::blockAxisB, block)[1], c.plain) << c.octalDigits;
        block[1] = c.plain;
        const auto back = CHOXParam::IoNumbersToOctal(CHOXParam::blockAxisB, block);
        ASSERT_TRUE(back.has_value()) << c.plain;
        EXPECT_EQ((*back)[1], c.octalDigits) << c.plain;
    }
}

TEST(ParamOctalTest, ConversionsTouchOnlyIoNumbers)
{
    std::vector<std::int32_t> b(27, 17);
    const std::vector<std::int32_t> b8 = CHOXParam::IoNumbersFromOctal(CHOXParam::blockAxisB, b);
    // 31, 32, 35, 37, 38, 41, 42, 51, 52, 54
    const std::vector<std::int32_t> expectedB = {17, 15, 15, 17, 17, 15, 17, 15, 15, 17, 17, 15, 15, 17,
                                                 17, 17, 17, 17, 17, 17, 17, 15, 15, 17, 15, 17, 17};
    EXPECT_EQ(b8, expectedB);
    EXPECT_EQ(b, std::vector<std::int32_t>(27, 17));

    const std::vector<std::int32_t> c(12, 17);
    const std::vector<std::int32_t> expectedC = {17, 17, 17, 15, 17, 15, 17, 15, 17, 15, 17, 15};
    EXPECT_EQ(CHOXParam::IoNumbersFromOctal(CHOXParam::blockCommon, c), expectedC);

    const std::vector<std::int32_t> a(27, 17);
    EXPECT_EQ(CHOXParam::IoNumbersFromOctal(CHOXParam::blockAxisA, a), a);
    EXPECT_EQ(CHOXParam::IoNumbersToOctal(CHOXParam::blockAxisA, a), a);
}

TEST(ParamOctalTest, ExtremeValuesConvertWithoutOverflow)
{
    std::vector<std::int32_t> c(12, 0);
    for (std::int32_t v : {kMax, kMin}) {
        c[3] = v;
        // Reading the digits never grows a value.
        const std::int32_t plain = CHOXParam::IoNumbersFromOctal(CHOXParam::blockCommon, c)[3];
        EXPECT_LT(std::abs(static_cast<std::int64_t>(plain)), std::abs(static_cast<std::int64_t>(v)));
        // Written in octal digits they would need eleven digits.
        EXPECT_FALSE(CHOXParam::IoNumbersToOctal(CHOXParam::blockCommon, c).has_value()) << v;
    }
    // Only I/O numbers are written in octal digits.
    c[3] = 0;
    c[2] = kMax;
    EXPECT_TRUE(CHOXParam::IoNumbersToOctal(CHOXParam::blockCommon, c).has_value());
}

TEST(ParamTransferTest, BlocksInPlainNumbersLeaveTheSetAsItIs)
{
    CHOXParam param;
    MarkFields(param);
    Set(param, 54, 1, 377);
    Set(param, 111, 0, 375);
    const QByteArray before = Store(param);

    const std::vector<std::int32_t> common = param.GetTransferBlock(CHOXParam::blockCommon, 0);
    ASSERT_EQ(common.size(), 12u);
    EXPECT_EQ(common[1], 3000);
    EXPECT_EQ(common[3], 55);
    EXPECT_EQ(common[11], 253);

    const std::vector<std::int32_t> xa = param.GetTransferBlock(CHOXParam::blockAxisA, 0);
    ASSERT_EQ(xa.size(), 27u);
    EXPECT_EQ(xa[0], 1);
    EXPECT_EQ(xa[4], 200000);
    EXPECT_EQ(param.GetTransferBlock(CHOXParam::blockAxisA, 1)[0], 2);

    const std::vector<std::int32_t> xb = param.GetTransferBlock(CHOXParam::blockAxisB, 0);
    ASSERT_EQ(xb.size(), 27u);
    EXPECT_EQ(xb[1], 15);
    EXPECT_EQ(xb[3], 20);
    EXPECT_EQ(xb[12], 2);
    const std::vector<std::int32_t> yb = param.GetTransferBlock(CHOXParam::blockAxisB, 1);
    EXPECT_EQ(yb[24], 255);
    EXPECT_EQ(yb[26], 4);

    // Building blocks any number of times changes nothing.
    param.GetTransferBlock(CHOXParam::blockAxisB, 0);
    EXPECT_EQ(Store(param), before);
    EXPECT_EQ(Get(param, 31, 0), 17);
}

TEST(ParamTransferTest, RefusedBlocksAndAxes)
{
    const struct {
        UINT block;
        int axis;
    } cases[] = {{111, 0}, {115, 0}, {0, 0}, {112, 1}, {112, -1}, {113, 2}, {114, -1}};
    for (const auto& c : cases) {
        CHOXParam param;
        const QByteArray before = Store(param);
        EXPECT_TRUE(param.GetTransferBlock(c.block, c.axis).empty()) << c.block << " axis " << c.axis;
        const std::vector<std::int32_t> values(CHOXParam::GetTransferBlockSize(c.block == 112 ? 112 : 113), 1);
        EXPECT_FALSE(param.SetTransferBlock(c.block, c.axis, values)) << c.block << " axis " << c.axis;
        EXPECT_EQ(Store(param), before);
    }
    EXPECT_EQ(CHOXParam::GetTransferBlockSize(112), 12u);
    EXPECT_EQ(CHOXParam::GetTransferBlockSize(113), 27u);
    EXPECT_EQ(CHOXParam::GetTransferBlockSize(114), 27u);
    EXPECT_EQ(CHOXParam::GetTransferBlockSize(115), 0u);
}

TEST(ParamTransferTest, TakingBlocksStoresOctalDigits)
{
    CHOXParam param;
    std::vector<std::int32_t> b(27);
    for (std::size_t i = 0; i < b.size(); ++i) b[i] = static_cast<std::int32_t>(i + 6);
    ASSERT_TRUE(param.SetTransferBlock(CHOXParam::blockAxisB, 1, b));
    EXPECT_EQ(Get(param, 30, 1), 6);
    EXPECT_EQ(Get(param, 31, 1), 7);
    EXPECT_EQ(Get(param, 32, 1), 10);  // plain 8: never a digit 8 in the set
    EXPECT_EQ(Get(param, 33, 1), 9);   // not an I/O number
    EXPECT_EQ(Get(param, 35, 1), 13);  // plain 11
    EXPECT_EQ(Get(param, 54, 1), 36);  // plain 30
    EXPECT_EQ(Get(param, 31, 0), 0);   // X untouched

    std::vector<std::int32_t> c(12, 0);
    c[0] = 1;
    c[3] = 255;
    c[11] = 9;
    ASSERT_TRUE(param.SetTransferBlock(CHOXParam::blockCommon, 0, c));
    EXPECT_EQ(Get(param, 100, 0), 1);
    EXPECT_EQ(Get(param, 103, 0), 377);
    EXPECT_EQ(Get(param, 111, 1), 11);
}

TEST(ParamTransferTest, RefusedBlockChangesNothing)
{
    CHOXParam param;
    MarkFields(param);
    const QByteArray before = Store(param);
    std::vector<std::int32_t> b(27, 3);
    b[26] = kMax; // 56 is no I/O number: fine on its own
    b[24] = kMax; // 54 would need eleven octal digits
    EXPECT_FALSE(param.SetTransferBlock(CHOXParam::blockAxisB, 0, b));
    EXPECT_FALSE(param.SetTransferBlock(CHOXParam::blockAxisB, 0, std::vector<std::int32_t>(26, 3)));
    EXPECT_FALSE(param.SetTransferBlock(CHOXParam::blockCommon, 0, std::vector<std::int32_t>(13, 3)));
    EXPECT_EQ(Store(param), before);
}

TEST(ParamTransferTest, WritingAndReadingBackGivesTheSameSet)
{
    CHOXParam source;
    MarkFields(source);
    Set(source, 42, 1, 67);
    Set(source, 107, 0, 372);
    Set(source, 38, 0, 1777);

    CHOXParam target;
    const std::array<std::pair<UINT, int>, 5> order = {
        {{CHOXParam::blockCommon, 0}, {CHOXParam::blockAxisA, 0}, {CHOXParam::blockAxisB, 0},
         {CHOXParam::blockAxisA, 1}, {CHOXParam::blockAxisB, 1}}};
    for (const auto& [block, axis] : order)
        ASSERT_TRUE(target.SetTransferBlock(block, axis, source.GetTransferBlock(block, axis)));
    target.SetLengthUnit(0, 1);
    target.SetLengthUnit(1, 2);
    EXPECT_EQ(Store(target), Store(source));
}

} // namespace
