// The parameter set inside a document: the shape that the controller type
// gives it (defaults, stored form, transfer blocks of the Y axis).
#include "params/HOXParam.h"

#include "app/HOXDoc.h"
#include "platform/Archive.h"

#include "params/ParamTestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using kt::test::Get;
using kt::test::Hex;
using kt::test::Set;
using kt::test::Store;

// The defaults of a one-axis document, X length unit 0.
const char* const kOneAxisDefaults =
    // X 0-26
    "01000000d0070000d007000002000000400d0300204e00000000000000000000c8000000"
    "c8000000640000000000000000000000a0860100e8030000010000000000000001000000"
    "010000000000000000000000000000000100000001000000000000000000000000000000"
    // X 30-56
    "000000000000000000000000140000000000000000000000000000000000000000000000"
    "000000000100000000000000020000000000000000000000000000000000000000000000"
    "000000000000000000000000000000000000000000000000000000000000000000000000"
    // 100-111
    "010000000000000000000000000000000000000000000000000000000000000000000000"
    "000000000000000000000000"
    // X length unit
    "00000000";

// A one-axis document: its set with some Y values that must survive.
class ParamDocTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.SetControllerType(0);
        param().SetDefaults();
        Set(param(), 4, 1, 777);
        Set(param(), 42, 1, 5);
        param().SetLengthUnit(1, 2);
    }
    CHOXParam& param() { return doc.GetParam(); }
    CHOXDoc doc;
};

TEST(ParamDocOwnerTest, OneAxisModelFollowsTheControllerType)
{
    CHOXDoc doc;
    EXPECT_EQ(doc.GetParam().GetDocument(), &doc);
    const struct {
        std::int32_t type;
        bool oneAxis;
    } cases[] = {{0, true}, {1, false}, {2, false}, {5, false}, {-1, false}};
    for (const auto& c : cases) {
        doc.SetControllerType(c.type);
        EXPECT_EQ(doc.GetParam().IsOneAxisModel(), c.oneAxis) << c.type;
    }
}

TEST(ParamDocOwnerTest, TwoAxisDefaultsAreTheSameOnBothAxes)
{
    for (std::int32_t type : {1, 2}) {
        CHOXDoc doc;
        doc.SetControllerType(type);
        CHOXParam& param = doc.GetParam();
        for (UINT n = 0; n <= 56; ++n) {
            const std::int32_t y = 99;
            param.SetParam(&y, n, 1);
        }
        param.SetDefaults();
        EXPECT_EQ(Get(param, 100, 0), 0) << type;
        for (UINT n = 0; n <= 56; ++n) {
            std::int32_t x = 0;
            std::int32_t y = 0;
            if (!param.GetParam(&x, n, 0)) continue;
            ASSERT_TRUE(param.GetParam(&y, n, 1));
            EXPECT_EQ(x, y) << n;
        }
        const QByteArray bytes = Store(param);
        EXPECT_EQ(bytes.size(), 488);
        // The X part of a two-axis set is the one-axis form but for parameter 100.
        QByteArray oneAxis = Hex(kOneAxisDefaults);
        oneAxis[216] = 0;
        EXPECT_EQ(bytes.left(268), oneAxis);
    }
}

TEST_F(ParamDocTest, DefaultsLeaveTheYAxisAlone)
{
    Set(param(), 4, 0, 1);
    Set(param(), 100, 0, 0);
    param().SetDefaults();
    EXPECT_EQ(Get(param(), 100, 0), 1);
    EXPECT_EQ(Get(param(), 4, 0), 200000);
    EXPECT_EQ(Get(param(), 4, 1), 777);
    EXPECT_EQ(Get(param(), 42, 1), 5);
}

TEST_F(ParamDocTest, StoredFormHasNoYAxis)
{
    EXPECT_EQ(Store(param()), Hex(kOneAxisDefaults));
}

TEST_F(ParamDocTest, LoadingStopsAfterTheXLengthUnit)
{
    QByteArray bytes = Hex(kOneAxisDefaults);
    bytes.replace(4 * 4, 4, Hex("2a000000")); // X 4 = 42
    bytes[264] = 0x01;                         // X length unit: degrees
    bytes.append(Hex("0200000003000000"));
    CArchive in(bytes);
    param().Serialize(in);
    EXPECT_EQ(in.BytesLeft(), 8u);
    EXPECT_EQ(Get(param(), 4, 0), 42);
    EXPECT_EQ(param().GetLengthUnit(0), 1);
    EXPECT_EQ(Get(param(), 4, 1), 777);
    EXPECT_EQ(Get(param(), 42, 1), 5);
    EXPECT_EQ(param().GetLengthUnit(1), 2);
}

TEST_F(ParamDocTest, TruncatedSectionThrowsAndChangesNothing)
{
    const QByteArray bytes = Hex(kOneAxisDefaults);
    Set(param(), 31, 0, 17);
    const QByteArray before = Store(param());
    for (int size : {0, 4, 107, 108, 215, 216, 263, 264, 267}) {
        CArchive in(bytes.left(size));
        EXPECT_THROW(param().Serialize(in), ArchiveError) << size;
        EXPECT_EQ(Store(param()), before) << size;
        EXPECT_EQ(Get(param(), 4, 1), 777);
    }
}

TEST_F(ParamDocTest, TheYAxisIsNeverTransferred)
{
    EXPECT_EQ(param().GetTransferBlock(CHOXParam::blockAxisA, 0).size(), 27u);
    EXPECT_TRUE(param().GetTransferBlock(CHOXParam::blockAxisA, 1).empty());
    EXPECT_TRUE(param().GetTransferBlock(CHOXParam::blockAxisB, 1).empty());
    EXPECT_FALSE(param().SetTransferBlock(CHOXParam::blockAxisA, 1, std::vector<std::int32_t>(27, 1)));
    EXPECT_EQ(Get(param(), 4, 1), 777);
}

} // namespace
