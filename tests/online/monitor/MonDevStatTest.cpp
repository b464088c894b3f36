// The device status object as data: which rows exist on each model, their
// numbers and labels, the shown count and the bounds, the values taken from
// a read, the rows under a point and the write protection of special
// registers; settings from files that lie outside what the dialog offers.
#include "online/monitor/HOXMonDevStat.h"

#include "params/HOXParam.h"
#include "support/DocBuilder.h"
#include "symbols/operand/HOXSelectVal.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

using kt::test::DocBuilder;

namespace {

using SV = CHOXSelectVal;
using Settings = CHOXMonDevStat::Settings;

class MonDevStatTest : public ::testing::Test, protected DocBuilder {
protected:
    // A new document of the model with that many file registers (parameter
    // 101 of axis X).
    void Model(std::int32_t controllerType, std::int32_t fileRegisters)
    {
        NewDocument(controllerType);
        ASSERT_TRUE(doc->GetParam().SetParam(&fileRegisters, 101, axis::kX));
    }
};

} // namespace

TEST_F(MonDevStatTest, RowsNumbersLabelsAndBoundsFollowTheSettingsAndTheModel)
{
    constexpr auto kZe = ctype::kOneAxis;
    constexpr auto kRo = ctype::kTwoAxes;
    struct Case {
        const char* what;
        std::int32_t model;
        std::int32_t fileRegisters;
        Settings settings;
        // Per row: v when its device exists, - when not.
        const char* rows;
        std::vector<const char*> labels; // per row; empty for a row without device
        int shown;
        std::int32_t storedType;
        CRect bounds;
    };
    // clang-format off
    const Case cases[] = {
        {"D3990, 16 points, no file registers", kRo, 0, {0, SV::kD, 3990, 0, 0, 16}, "vvvvvvvvvv------",
         {"D3990 ", "D3991 ", "D3992 ", "D3993 ", "D3994 ", "D3995 ", "D3996 ", "D3997 ", "D3998 ", "D3999 ", "", "",
          "", "", "", ""},
         10, SV::kD, {10, 10, 154, 330}},
        {"32-bit D100, 4 points", kRo, 0, {1, SV::kD, 100, 0, 0, 4}, "vvvv",
         {"DD100 ", "DD102 ", "DD104 ", "DD106 "}, 4, SV::kDD, {10, 10, 154, 90}},
        {"X0, 16 points", kRo, 0, {0, SV::kX, 0, 0, 0, 16}, "vvvvvvvvvvvvvvvv",
         {"X000", "X001", "X002", "X003", "X004", "X005", "X006", "X007", "X010", "X011", "X012", "X013", "X014",
          "X015", "X016", "X017"},
         16, SV::kX, {10, 10, 50, 330}},
        {"X0, 16 points, one axis", kZe, 0, {0, SV::kX, 0, 0, 0, 16}, "vvvv------------",
         {"X000", "X001", "X002", "X003", "", "", "", "", "", "", "", "", "", "", "", ""}, 4, SV::kX,
         {10, 10, 50, 330}},
        {"X372, 8 points", kRo, 0, {0, SV::kX, 372, 0, 0, 8}, "vvvvvv--",
         {"X372", "X373", "X374", "X375", "X376", "X377", "", ""}, 6, SV::kX, {10, 10, 50, 170}},
        {"X375, 4 points, one axis", kZe, 0, {0, SV::kX, 375, 0, 0, 4}, "vvv-", {"X375", "X376", "X377", ""}, 3,
         SV::kX, {10, 10, 50, 90}},
        {"Y0, 8 points, one axis", kZe, 0, {0, SV::kY, 0, 0, 0, 8}, "vvvvvv--",
         {"Y000", "Y001", "Y002", "Y003", "Y004", "Y005", "", ""}, 6, SV::kY, {10, 10, 50, 170}},
        {"Y60, 16 points", kRo, 0, {0, SV::kY, 60, 0, 0, 16}, "vvvvvvvv--------",
         {"Y060", "Y061", "Y062", "Y063", "Y064", "Y065", "Y066", "Y067", "", "", "", "", "", "", "", ""}, 8, SV::kY,
         {10, 10, 50, 330}},
        {"M500, 16 points", kRo, 0, {0, SV::kM, 500, 0, 0, 16}, "vvvvvvvvvvvv----",
         {"M500", "M501", "M502", "M503", "M504", "M505", "M506", "M507", "M508", "M509", "M510", "M511", "", "", "",
          ""},
         12, SV::kM, {10, 10, 50, 330}},
        {"M9172, 8 points", kZe, 0, {0, SV::kM, 9172, 0, 0, 8}, "vvvv----", {"M9172", "M9173", "M9174", "M9175", "", "", "", ""},
         4, SV::kM, {10, 10, 50, 170}},
        {"M97, 4 points", kRo, 0, {0, SV::kM, 97, 0, 0, 4}, "vvvv", {"M097", "M098", "M099", "M100"}, 4, SV::kM,
         {10, 10, 50, 90}},
        {"M5, 1 point", kRo, 0, {0, SV::kM, 5, 0, 0, 1}, "v", {"M005"}, 1, SV::kM, {10, 10, 50, 30}},
        {"D3998 into 3 file registers", kRo, 3, {0, SV::kD, 3998, 0, 0, 8}, "vvvvv---",
         {"D3998 ", "D3999 ", "D4000 ", "D4001 ", "D4002 ", "", "", ""}, 5, SV::kD, {10, 10, 154, 170}},
        {"D1998 on one axis, file registers elsewhere", kZe, 4, {0, SV::kD, 1998, 0, 0, 4}, "vv--",
         {"D1998 ", "D1999 ", "", ""}, 2, SV::kD, {10, 10, 154, 90}},
        {"D9310 on one axis", kZe, 0, {0, SV::kD, 9310, 0, 0, 8}, "vvvv----",
         {"D9310 ", "D9311 ", "D9312 ", "D9313 ", "", "", "", ""}, 4, SV::kD, {10, 10, 154, 170}},
        {"D9596 on two axes", kRo, 0, {0, SV::kD, 9596, 0, 0, 8}, "vvvv----",
         {"D9596 ", "D9597 ", "D9598 ", "D9599 ", "", "", "", ""}, 4, SV::kD, {10, 10, 154, 170}},
        {"D10 indexed by Z3", kRo, 0, {0, SV::kD, 10, SV::kIndexZ, 3, 1}, "v", {"D10 Z3 "}, 1, SV::kD,
         {10, 10, 154, 30}},
        {"V6, 4 points", kRo, 0, {0, SV::kV, 6, 0, 0, 4}, "vv--", {"V6 ", "V7 ", "", ""}, 2, SV::kV,
         {10, 10, 154, 90}},
        {"32-bit Z2, 4 points", kRo, 0, {1, SV::kZ, 2, 0, 0, 4}, "vvv-", {"Z2 ", "Z4 ", "Z6 ", ""}, 3, SV::kZ,
         {10, 10, 154, 90}},
        // V takes pairs for its rows' existence but shows consecutive numbers.
        {"32-bit V0, 4 points", kRo, 0, {1, SV::kV, 0, 0, 0, 4}, "vvvv", {"V0 ", "V1 ", "V2 ", "V3 "}, 4, SV::kV,
         {10, 10, 154, 90}},
        // Settings only a file holds.
        {"5 points", kRo, 0, {0, SV::kD, 0, 0, 0, 5}, "vvvvv", {"D0 ", "D1 ", "D2 ", "D3 ", "D4 "}, 5, SV::kD,
         {10, 10, 154, 110}},
        {"17 points", kRo, 0, {0, SV::kM, 0, 0, 0, 17}, "vvvvvvvvvvvvvvvv",
         {"M000", "M001", "M002", "M003", "M004", "M005", "M006", "M007", "M008", "M009", "M010", "M011", "M012",
          "M013", "M014", "M015"},
         16, SV::kM, {10, 10, 50, 330}},
        {"no points", kRo, 0, {0, SV::kD, 0, 0, 0, 0}, "", {}, 0, SV::kD, {10, 10, 154, 10}},
        {"negative points", kRo, 0, {0, SV::kD, 0, 0, 0, -3}, "", {}, 0, SV::kD, {10, 10, 154, 10}},
        {"points at the 32-bit limit", kRo, 0, {0, SV::kY, 0, 0, 0, INT_MAX}, "vvvvvvvvvvvvvvvv",
         {"Y000", "Y001", "Y002", "Y003", "Y004", "Y005", "Y006", "Y007", "Y010", "Y011", "Y012", "Y013", "Y014",
          "Y015", "Y016", "Y017"},
         16, SV::kY, {10, 10, 50, 330}},
        {"32-bit D at the 32-bit limit", kRo, 0, {1, SV::kD, INT_MAX - 1, 0, 0, 16}, "----------------",
         std::vector<const char*>(16, ""), 0, SV::kDD, {10, 10, 154, 330}},
        {"X below 0", kRo, 0, {0, SV::kX, -2, 0, 0, 4}, "--vv", {"", "", "X000", "X001"}, 4, SV::kX,
         {10, 10, 50, 90}},
        {"X from 9", kRo, 0, {0, SV::kX, 9, 0, 0, 4}, "vvvv", {"X010", "X011", "X012", "X013"}, 4, SV::kX,
         {10, 10, 50, 90}},
        {"an unknown type", kRo, 0, {0, SV::kK, 0, 0, 0, 4}, "----", {"", "", "", ""}, 0, SV::kK,
         {10, 10, 154, 90}},
        {"an unknown index kind", kRo, 0, {0, SV::kD, 10, 7, 3, 1}, "v", {"D10 "}, 1, SV::kD, {10, 10, 154, 30}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Model(c.model, c.fileRegisters);
        const CHOXMonDevStat object(c.settings, Monitor());
        const int rows = static_cast<int>(std::string(c.rows).size());
        ASSERT_EQ(object.GetRowCount(), rows);
        ASSERT_EQ(c.labels.size(), static_cast<std::size_t>(rows));
        for (int row = 0; row < rows; ++row) {
            SCOPED_TRACE(row);
            EXPECT_EQ(object.IsRowValid(row), c.rows[row] == 'v');
            EXPECT_EQ(object.GetRowLabel(row), QString::fromLatin1(c.labels[static_cast<std::size_t>(row)]));
            EXPECT_EQ(object.GetValue(row), 0);
        }
        EXPECT_FALSE(object.IsRowValid(-1));
        EXPECT_FALSE(object.IsRowValid(rows));
        EXPECT_EQ(object.GetRowLabel(rows), QString());
        EXPECT_EQ(object.GetShownCount(), c.shown);
        EXPECT_EQ(object.GetSettings().type, c.storedType);
        EXPECT_EQ(object.GetRect(), c.bounds);
    }
}

TEST_F(MonDevStatTest, ARowsNumberIsTheOneItShowsForTogglesAndWrites)
{
    struct Case {
        const char* what;
        Settings settings;
        std::vector<std::int64_t> numbers;
    };
    const Case cases[] = {
        {"Y from 4 skips 8 and 9", {0, SV::kY, 4, 0, 0, 8}, {4, 5, 6, 7, 10, 11, 12, 13}},
        // A top that ends in 9 (only a file holds one) moves on by one, and the
        // toggle addresses the device the row shows.
        {"Y from 9", {0, SV::kY, 9, 0, 0, 4}, {10, 11, 12, 13}},
        {"X from 17 skips once",
         {0, SV::kX, 17, 0, 0, 16},
         {17, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34}},
        {"M counts on", {0, SV::kM, 6, 0, 0, 4}, {6, 7, 8, 9}},
        {"DD by pairs", {1, SV::kD, 100, 0, 0, 4}, {100, 102, 104, 106}},
        {"DD without the flag by pairs", {0, SV::kDD, 100, 0, 0, 4}, {100, 102, 104, 106}},
        {"32-bit Z by pairs", {1, SV::kZ, 0, 0, 0, 4}, {0, 2, 4, 6}},
        {"Z", {0, SV::kZ, 0, 0, 0, 4}, {0, 1, 2, 3}},
        {"D past the 32-bit range",
         {0, SV::kD, INT_MAX, 0, 0, 4},
         {INT_MAX, std::int64_t(INT_MAX) + 1, std::int64_t(INT_MAX) + 2, std::int64_t(INT_MAX) + 3}},
        {"DD past the 32-bit range",
         {1, SV::kD, INT_MAX, 0, 0, 4},
         {INT_MAX, std::int64_t(INT_MAX) + 2, std::int64_t(INT_MAX) + 4, std::int64_t(INT_MAX) + 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const CHOXMonDevStat object(c.settings, Monitor());
        ASSERT_EQ(static_cast<std::size_t>(object.GetRowCount()), c.numbers.size());
        for (int row = 0; row < object.GetRowCount(); ++row)
            EXPECT_EQ(object.GetRowNumber(row), c.numbers[static_cast<std::size_t>(row)]) << row;
    }
}

TEST_F(MonDevStatTest, ValuesAreTakenForTheShownRowsFromSixteenOrThirtyTwoBitWords)
{
    struct Case {
        const char* what;
        Settings settings;
        std::vector<BYTE> buffer;
        bool sixteenBit;
        int filled;
        std::vector<std::int32_t> values; // per row
    };
    const Case cases[] = {
        {"16-bit words widened with their sign",
         {0, SV::kD, 0, 0, 0, 4},
         {0xff, 0xff, 0x00, 0x80, 0xff, 0x7f, 0x34, 0x12},
         true,
         4,
         {-1, -32768, 32767, 0x1234}},
        {"32-bit values",
         {1, SV::kD, 0, 0, 0, 4},
         {0xff, 0xff, 0xff, 0xff, 0x00, 0x00, 0x00, 0x80, 0xff, 0xff, 0xff, 0x7f, 0x78, 0x56, 0x34, 0x12},
         false,
         4,
         {-1, INT_MIN, INT_MAX, 0x12345678}},
        {"a short read fills fewer rows", {0, SV::kD, 0, 0, 0, 4}, {0x05, 0x00, 0x06}, true, 1, {5, 0, 0, 0}},
        {"a long read fills the shown rows", {0, SV::kV, 6, 0, 0, 4}, {1, 0, 2, 0, 3, 0, 4, 0}, true, 2, {1, 2, 0, 0}},
        {"nothing shown", {0, SV::kD, 0, 0, 0, 0}, {1, 0, 2, 0}, true, 0, {}},
        {"an empty read", {0, SV::kM, 0, 0, 0, 4}, {}, true, 0, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CHOXMonDevStat object(c.settings, Monitor());
        EXPECT_EQ(object.SetValues(c.buffer, c.sixteenBit), c.filled);
        for (std::size_t row = 0; row < c.values.size(); ++row)
            EXPECT_EQ(object.GetValue(static_cast<int>(row)), c.values[row]) << row;
    }
}

TEST_F(MonDevStatTest, RowAtFindsTheLampOrValueBoxOfAnExistingRow)
{
    CHOXMonDevStat words({0, SV::kD, 0, 0, 0, 4}, Monitor());
    CHOXMonDevStat lamps({0, SV::kM, 0, 0, 0, 40}, Monitor()); // 16 rows exist
    lamps.m_position = CRect(100, 200, 140, 1000);
    struct Case {
        const CHOXMonDevStat* object;
        CPoint point;
        bool bitBox;
        int row;
    };
    const Case cases[] = {
        // Value boxes from left + 65 to left + 145, 20 high from the top.
        {&words, {75, 10}, false, 0},
        {&words, {154, 29}, false, 0},
        {&words, {100, 30}, false, 1},
        {&words, {100, 89}, false, 3},
        {&words, {100, 90}, false, -1},
        {&words, {74, 10}, false, -1},
        {&words, {155, 10}, false, -1},
        {&words, {100, 9}, false, -1},
        {&words, {20, 10}, true, 0}, // the lamp box asked of a word column
        // Lamp boxes 40 wide.
        {&lamps, {100, 200}, true, 0},
        {&lamps, {139, 519}, true, 15},
        {&lamps, {120, 520}, true, -1}, // where row 16 would be
        {&lamps, {140, 200}, true, -1},
        {&lamps, {99, 200}, true, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y << (c.bitBox ? " lamp" : " value"));
        EXPECT_EQ(c.object->RowAt(c.point, c.bitBox), c.row);
    }

    // Bounds from a file at the end of the coordinate range.
    lamps.m_position = CRect(INT_MAX - 10, INT_MAX - 30, INT_MAX, INT_MAX);
    EXPECT_EQ(lamps.RowAt(CPoint(INT_MAX - 5, INT_MAX - 25), true), 0);
    EXPECT_EQ(lamps.RowAt(CPoint(INT_MAX - 5, INT_MAX - 5), true), 1);
    EXPECT_EQ(lamps.RowAt(CPoint(INT_MAX - 5, INT_MAX), false), -1);
}

TEST_F(MonDevStatTest, SpecialRegistersAreWriteProtectedButTheListedOnes)
{
    const struct {
        std::int64_t number;
        bool is32Bit;
        bool writeProtected;
    } cases[] = {
        {0, false, false},
        {8999, false, false},
        {9000, false, false},
        {9001, false, true},
        {9003, false, true},
        {9004, false, false},
        {9005, false, false},
        {9006, false, true},
        {9010, false, false},
        {9011, false, true},
        {9014, false, false},
        {9015, false, false},
        {9016, false, true},
        {9023, false, false},
        {9024, false, true},
        {9025, false, false},
        {9026, false, true},
        {9119, false, true},
        {9120, false, false},
        {9129, false, false},
        {9130, false, true},
        {9139, false, true},
        {9140, false, false},
        {9163, false, false},
        {9164, false, true},
        {9599, false, true},
        // A pair is protected when either register is.
        {8999, true, false},
        {9003, true, true},
        {9004, true, false},
        {9005, true, true},
        {9014, true, false},
        {9128, true, false},
        {9129, true, true},
        {9139, true, true},
        {9162, true, false},
        {9163, true, true},
        {INT_MAX, true, true},
        {INT_MIN, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.number << (c.is32Bit ? " 32-bit" : ""));
        EXPECT_EQ(CHOXMonDevStat::IsWriteProtected(c.number, c.is32Bit), c.writeProtected);
    }
}

TEST_F(MonDevStatTest, DeviceAndIndexNames)
{
    const struct {
        std::int32_t type;
        const char* name;
    } devices[] = {{SV::kD, "D"}, {SV::kDD, "DD"},  {SV::kV, "V"}, {SV::kZ, "Z"},  {SV::kX, "X"}, {SV::kY, "Y"},
                   {SV::kM, "M"}, {SV::kEmpty, ""}, {SV::kK, ""},  {SV::kKnM, ""}, {13, ""},      {-1, ""}};
    for (const auto& d : devices)
        EXPECT_EQ(CHOXMonDevStat::GetDeviceName(d.type), QString::fromLatin1(d.name)) << d.type;
    const struct {
        std::int32_t kind;
        const char* name;
    } indexes[] = {{0, ""}, {1, "V"}, {2, "Z"}, {3, ""}, {-1, ""}};
    for (const auto& i : indexes)
        EXPECT_EQ(CHOXMonDevStat::GetIndexName(i.kind), QString::fromLatin1(i.name)) << i.kind;
}

TEST_F(MonDevStatTest, AnObjectWithoutDocumentHasNoFileRegistersAndLoadsWithoutRows)
{
    CHOXMonDevStat loose({0, SV::kD, 3999, 0, 0, 4}, nullptr);
    EXPECT_EQ(loose.GetShownCount(), 1);
    CHOXMonDevStat loading;
    EXPECT_EQ(loading.GetSettings(), Settings{});
    EXPECT_EQ(loading.GetRowCount(), 0);
    EXPECT_EQ(loading.GetShownCount(), 0);
    EXPECT_EQ(loading.SetValues(std::vector<BYTE>{1, 0}, true), 0);
}
