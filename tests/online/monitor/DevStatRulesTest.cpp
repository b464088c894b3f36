// The rules of "Device Status" without its window: every check's message in
// order on both models, the spin's steps across each jump and group, and
// the buffer memories and RA-ZUZ buttons of each kind of column.
#include "online/monitor/DevStatRules.h"

#include "symbols/operand/HOXSelectVal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using SV = CHOXSelectVal;
using devstat::Entry;
using devstat::Model;

const Model kZe{true, 0};
const Model kRo{false, 0};
const Model kZeFile{true, 1000};
const Model kRoFile{false, 1000};

const char* const kX1 = "ERROR : Invalid Device Number for Device type X.\nValid range :  0 ~ 3 and  375 ~ 377.";
const char* const kX2 =
    "ERROR : Invalid Device Number for Device type X.\nValid range :  0 ~ 7, 372 ~ 377 and 10 ~ 67 (octal).";
const char* const kY1 = "ERROR : Invalid Device Number for Device type Y.\nValid range : 0 ~ 5.";
const char* const kY2 = "ERROR : Invalid Device Number for Device type Y.\nValid range : 0 ~ 67 (Octal).";
const char* const kM = "ERROR : Invalid Device Number for Device type M.\nValid range : 0 ~ 511 and 9000 ~ 9175.";
const char* const kIndexV = "ERROR : Invalid Index number for Index Register V.\nValid range: 0~7";
const char* const kIndexZ = "ERROR : Invalid Index number for Index Register Z.\nValid range : 0~7";
const char* const kV = "ERROR : Invalid Device number for Device Typer V.\nValid range : 0~7";
const char* const kZ = "ERROR : Invalid Device number for Device Typer Z.\nValid range : 0~7";
const char* const kMGroup =
    "ERROR:   M device number is invalid for 16 points setting. \n Valid Range is M0, 16, 32....";
const char* const kXGroup1 =
    "ERROR:   X Device Number is invalid for 16 points setting. \n Valid Range is X0 and X375.";
const char* const kXGroup2 =
    "ERROR:   X Device Number is invalid for 16 points setting. \n Valid Range is X0,10,20..60,372.";
const char* const kYGroup1 = "ERROR:   Y Device Number is invalid for 16 points setting. \n Valid Number is Y0 only.";
const char* const kYGroup2 =
    "ERROR:   Y Device Number is invalid for 16 points setting. \n Valid Range is Y0,10,20..60.";

} // namespace

TEST(DevStatRulesTest, EachCheckGivesItsMessageInTheDialogsOrder)
{
    struct Case {
        Model model;
        Entry entry;
        const char* message; // empty: accepted
    };
    // clang-format off
    const Case cases[] = {
        {kRo, {"", 0, 0, 0, false}, "ERROR :  Invalid Device Type. "},
        {kRo, {"", 9999, 0, 0, true}, "ERROR :  Invalid Device Type. "},
        // A name that is no type of the list goes to the word check.
        {kRo, {"DD", 0, 0, 0, false}, "ERROR : Invalid Word Device Data."},
        {kRo, {"Q", 0, 0, 0, true}, "ERROR : Invalid Word Device Data."},
        {kZe, {"X", 3, 0, 0, false}, ""}, {kZe, {"X", 4, 0, 0, false}, kX1}, {kZe, {"X", 374, 0, 0, false}, kX1},
        {kZe, {"X", 377, 0, 0, false}, ""}, {kZe, {"X", 378, 0, 0, false}, kX1}, {kZe, {"X", -1, 0, 0, false}, kX1},
        {kRo, {"X", 67, 0, 0, false}, ""}, {kRo, {"X", 8, 0, 0, false}, kX2}, {kRo, {"X", 59, 0, 0, false}, kX2},
        {kRo, {"X", 68, 0, 0, false}, kX2}, {kRo, {"X", 371, 0, 0, false}, kX2}, {kRo, {"X", 372, 0, 0, false}, ""},
        {kZe, {"Y", 5, 0, 0, false}, ""}, {kZe, {"Y", 6, 0, 0, false}, kY1},
        {kRo, {"Y", 67, 0, 0, false}, ""}, {kRo, {"Y", 18, 0, 0, false}, kY2}, {kRo, {"Y", 70, 0, 0, false}, kY2},
        {kRo, {"M", 511, 0, 0, false}, ""}, {kRo, {"M", 512, 0, 0, false}, kM}, {kZe, {"M", 8999, 0, 0, false}, kM},
        {kZe, {"M", 9175, 0, 0, false}, ""}, {kRo, {"M", 9176, 0, 0, false}, kM}, {kRo, {"M", -1, 0, 0, false}, kM},
        {kZe, {"D", 1999, 0, 0, false}, ""},
        {kZe, {"D", 2000, 0, 0, false},
         "ERROR : Invalid Device Number for Device type D.\nValid range :  0 ~ 1999,  9000 ~ 9313."},
        {kZe, {"D", 9314, 0, 0, false},
         "ERROR : Invalid Device Number for Device type D.\nValid range :  0 ~ 1999,  9000 ~ 9313."},
        {kRo, {"D", 4000, 0, 0, false},
         "ERROR : Invalid Device Number for Device type D.\nValid range :  0 ~ 3999,  9000 ~ 9599."},
        {kZeFile, {"D", 4999, 0, 0, false}, ""},
        {kZeFile, {"D", 3000, 0, 0, false},
         "ERROR: Invalid Device Number for Device type D.\nValid range :  0 ~ 1999, 4000 ~ 4999,  9000 ~ 9313."},
        {kRoFile, {"D", 5000, 0, 0, false},
         "ERROR : Invalid Device Number for Device type D.\nValid range :  0 ~ 4999,  9000 ~ 9599."},
        {kRoFile, {"D", 9599, 0, 0, true}, ""},
        // The number before the index; the index only when it is one.
        {kRo, {"D", 100, SV::kIndexV, 7, false}, ""}, {kRo, {"D", 100, SV::kIndexV, 8, false}, kIndexV},
        {kRo, {"D", 100, SV::kIndexZ, 8, false}, kIndexZ}, {kRo, {"D", 100, SV::kIndexZ, -1, false}, kIndexZ},
        {kRo, {"D", 100, SV::kNoIndex, 99, false}, ""},
        {kZe, {"D", 2000, SV::kIndexZ, 8, false},
         "ERROR : Invalid Device Number for Device type D.\nValid range :  0 ~ 1999,  9000 ~ 9313."},
        {kRo, {"V", 7, 0, 0, false}, ""}, {kRo, {"V", 8, 0, 0, false}, kV}, {kZe, {"V", -1, 0, 0, false}, kV},
        {kRo, {"Z", 8, 0, 0, false}, kZ}, {kRo, {"Z", 0, 0, 0, false}, ""},
        // Groups of 16, after the number's own check.
        {kRo, {"M", 496, 0, 0, true}, ""}, {kRo, {"M", 17, 0, 0, true}, kMGroup}, {kRo, {"M", 9008, 0, 0, true}, kMGroup},
        {kRo, {"M", 9016, 0, 0, true}, ""}, {kRo, {"M", 9160, 0, 0, true}, ""}, {kRo, {"M", 9168, 0, 0, true}, kMGroup}, {kRo, {"M", 512, 0, 0, true}, kM},
        {kZe, {"X", 375, 0, 0, true}, ""}, {kZe, {"X", 1, 0, 0, true}, kXGroup1}, {kZe, {"X", 376, 0, 0, true}, kXGroup1},
        {kRo, {"X", 60, 0, 0, true}, ""}, {kRo, {"X", 372, 0, 0, true}, ""}, {kRo, {"X", 12, 0, 0, true}, kXGroup2},
        {kRo, {"X", 373, 0, 0, true}, kXGroup2}, {kRo, {"X", 8, 0, 0, true}, kX2},
        {kZe, {"Y", 0, 0, 0, true}, ""}, {kZe, {"Y", 3, 0, 0, true}, kYGroup1},
        {kRo, {"Y", 60, 0, 0, true}, ""}, {kRo, {"Y", 61, 0, 0, true}, kYGroup2},
        {kRo, {"D", 105, 0, 0, true}, ""},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry.name.toStdString() + std::to_string(c.entry.number) + (c.model.oneAxis ? " ZE" : " RO") +
                     (c.entry.sixteenPoints ? " 16" : ""));
        EXPECT_EQ(devstat::Check(c.entry, c.model).toStdString(), c.message);
    }
}

TEST(DevStatRulesTest, TheSpinStepsOnlyThroughNumbersThatExist)
{
    struct Case {
        const char* what;
        Model model;
        std::int32_t type;
        bool sixteen;
        std::int32_t from;
        int delta;
        std::vector<std::int32_t> visits; // one step each; the last is where it stops
    };
    // clang-format off
    const Case cases[] = {
        {"X over the octal digits", kRo, SV::kX, false, 6, 1, {7, 10, 11}},
        {"X back over them", kRo, SV::kX, false, 11, -1, {10, 7, 6}},
        {"X from 67 to 372", kRo, SV::kX, false, 66, 1, {67, 372, 373}},
        {"X from 372 to 67", kRo, SV::kX, false, 373, -1, {372, 67, 66}},
        {"X at its end", kRo, SV::kX, false, 376, 1, {377, 377}},
        {"X at 0", kRo, SV::kX, false, 1, -1, {0, 0}},
        {"one-axis X from 3 to 375", kZe, SV::kX, false, 2, 1, {3, 375, 376, 377, 377}},
        {"one-axis X back", kZe, SV::kX, false, 375, -1, {3, 2}},
        {"a number that does not exist steps to the nearest", kRo, SV::kX, false, 100, 1, {372}},
        {"and down", kRo, SV::kX, false, 100, -1, {67}},
        {"Y over the octal digits", kRo, SV::kY, false, 57, 1, {60, 61}},
        {"Y ends at 67", kRo, SV::kY, false, 66, 1, {67, 67}},
        {"one-axis Y ends at 5", kZe, SV::kY, false, 4, 1, {5, 5}},
        {"M from 511 to 9000", kRo, SV::kM, false, 510, 1, {511, 9000, 9001}},
        {"M from 9000 to 511", kZe, SV::kM, false, 9001, -1, {9000, 511}},
        {"M ends at 9175", kRo, SV::kM, false, 9174, 1, {9175, 9175}},
        {"one-axis D from 1999 to 9000", kZe, SV::kD, false, 1998, 1, {1999, 9000, 9001}},
        {"one-axis D with file registers", kZeFile, SV::kD, false, 1999, 1, {4000, 4001}},
        {"one-axis D from the last file register", kZeFile, SV::kD, false, 4998, 1, {4999, 9000}},
        {"one-axis D down from 4000", kZeFile, SV::kD, false, 4000, -1, {1999}},
        {"one-axis D down from 9000", kZeFile, SV::kD, false, 9000, -1, {4999}},
        {"D up to 9000 without file registers", kRo, SV::kD, false, 3998, 1, {3999, 9000}},
        {"D through the file registers", kRoFile, SV::kD, false, 3999, 1, {4000, 4001}},
        {"D ends at 9599", kRo, SV::kD, false, 9598, 1, {9599, 9599}},
        {"one-axis D ends at 9313", kZe, SV::kD, false, 9312, 1, {9313, 9313}},
        {"V ends at 7", kRo, SV::kV, false, 6, 1, {7, 7}},
        {"Z starts at 0", kZe, SV::kZ, false, 1, -1, {0, 0}},
        {"16 M by 16", kRo, SV::kM, true, 0, 1, {16, 32, 48}},
        {"16 M from 496 to 9000", kRo, SV::kM, true, 480, 1, {496, 9000, 9016}},
        {"16 M ends at 9160", kRo, SV::kM, true, 9144, 1, {9160, 9160}},
        {"16 M down from 9000 to 496", kRo, SV::kM, true, 9016, -1, {9000, 496, 480}},
        {"16 M from between groups", kRo, SV::kM, true, 20, 1, {32}},
        {"16 X by tens, then 372", kRo, SV::kX, true, 40, 1, {50, 60, 372, 372}},
        {"16 X back", kRo, SV::kX, true, 372, -1, {60, 50}},
        {"16 one-axis X: 0 and 375", kZe, SV::kX, true, 0, 1, {375, 375}},
        {"16 one-axis X back", kZe, SV::kX, true, 375, -1, {0, 0}},
        {"16 Y by tens", kRo, SV::kY, true, 0, 1, {10, 20, 30, 40, 50, 60, 60}},
        {"16 one-axis Y only 0", kZe, SV::kY, true, 0, 1, {0}},
        {"16 D as without", kRo, SV::kD, true, 3999, 1, {9000}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::int32_t pos = c.from;
        std::vector<std::int32_t> visited;
        for (std::size_t i = 0; i < c.visits.size(); ++i) {
            pos = devstat::Step(c.type, pos, c.delta, c.sixteen, c.model);
            visited.push_back(pos);
        }
        EXPECT_EQ(visited, c.visits);
    }
    EXPECT_EQ(devstat::SpinHighest(SV::kD, kZe), 9313);
    EXPECT_EQ(devstat::SpinHighest(SV::kD, kRo), 9599);
    EXPECT_EQ(devstat::SpinHighest(SV::kV, kRo), 7);
    EXPECT_EQ(devstat::SpinHighest(SV::kZ, kZe), 7);
    EXPECT_EQ(devstat::SpinHighest(SV::kX, kZe), 377);
    EXPECT_EQ(devstat::SpinHighest(SV::kY, kZe), 5);
    EXPECT_EQ(devstat::SpinHighest(SV::kY, kRo), 67);
    EXPECT_EQ(devstat::SpinHighest(SV::kM, kRo), 9175);
}

TEST(DevStatRulesTest, ColumnsWithABufferMemoryAllowTheRaZuzButtons)
{
    struct Case {
        Model model;
        std::int32_t type;
        std::int32_t number;
        bool sixteen;
        std::int32_t buffer; // -1 none
        bool read;
        bool write;
    };
    // clang-format off
    const Case cases[] = {
        {kRo, SV::kD, 0, false, 0, false, false}, {kRo, SV::kD, 99, true, 99, false, false},
        {kRo, SV::kD, 100, false, 100, true, true}, {kRo, SV::kD, 3999, false, 3999, true, true},
        {kRoFile, SV::kD, 4000, false, 4000, false, true}, {kRoFile, SV::kD, 6999, false, 6999, false, true},
        {kRo, SV::kD, 7000, false, 7000, true, true}, {kZe, SV::kD, 9000, true, 9000, true, true},
        {kRo, SV::kV, 0, false, 0, true, true}, {kRo, SV::kZ, 7, false, 7, true, true},
        {kRo, SV::kM, 0, true, 64, true, true}, {kRo, SV::kM, 496, true, 95, true, true},
        {kZe, SV::kM, 9000, true, 20, true, true}, {kRo, SV::kM, 9160, true, 30, true, true},
        {kRo, SV::kM, 0, false, -1, false, false}, {kRo, SV::kM, 8, true, -1, false, false},
        {kRo, SV::kX, 0, true, 32, true, true}, {kZe, SV::kX, 0, true, 32, true, true},
        {kRo, SV::kX, 372, true, 47, true, true}, {kZe, SV::kX, 375, true, 47, true, true},
        {kRo, SV::kX, 10, true, -1, false, false}, {kZe, SV::kX, 372, true, -1, false, false},
        {kRo, SV::kX, 0, false, -1, false, false},
        {kRo, SV::kY, 0, true, 48, true, true}, {kZe, SV::kY, 0, true, 48, true, true},
        {kRo, SV::kY, 10, true, -1, false, false}, {kRo, SV::kY, 0, false, -1, false, false},
        {kRo, 0, 100, false, -1, false, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " " + std::to_string(c.number) + (c.sixteen ? " 16" : "") +
                     (c.model.oneAxis ? " ZE" : " RO"));
        EXPECT_EQ(devstat::BufferMemory(c.type, c.number, c.sixteen, c.model), c.buffer);
        const devstat::KzPlcButtons b = devstat::Buttons(c.type, c.number, c.sixteen, c.model);
        EXPECT_EQ(b.read, c.read);
        EXPECT_EQ(b.write, c.write);
    }
}
