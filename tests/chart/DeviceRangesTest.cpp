// Every end of every device range, and the numbers just beyond it: the
// operand checks, the device choosers and the monitor objects all ask here.
#include "chart/DeviceRanges.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

enum class Kind { kD, kM, kX, kY, kIndex, kXBlocks };

struct Case {
    Kind kind;
    std::int64_t number;
    bool oneAxis;
    std::int64_t fileRegisters;
    bool exists;
};

bool Exists(const Case& c)
{
    switch (c.kind) {
    case Kind::kD: return devices::IsD(c.number, c.oneAxis, c.fileRegisters);
    case Kind::kM: return devices::IsM(c.number);
    case Kind::kX: return devices::IsX(c.number, c.oneAxis);
    case Kind::kY: return devices::IsY(c.number, c.oneAxis);
    case Kind::kIndex: return devices::IsIndexNumber(c.number);
    case Kind::kXBlocks: return devices::InXBlocks(c.number, c.oneAxis);
    }
    return false;
}

constexpr bool kOne = true;
constexpr bool kTwo = false;

// clang-format off
constexpr Case kCases[] = {
    // D: ordinary, file and special registers.
    {Kind::kD, -1, kOne, 0, false},     {Kind::kD, 0, kOne, 0, true},
    {Kind::kD, 1999, kOne, 0, true},    {Kind::kD, 2000, kOne, 0, false},
    {Kind::kD, 3999, kTwo, 0, true},    {Kind::kD, 4000, kTwo, 0, false},
    {Kind::kD, 4000, kOne, 1, true},    {Kind::kD, 4001, kOne, 1, false},
    {Kind::kD, 6999, kTwo, 3000, true}, {Kind::kD, 7000, kTwo, 3000, false},
    {Kind::kD, 8999, kTwo, 0, false},   {Kind::kD, 9000, kOne, 0, true},
    {Kind::kD, 9313, kOne, 0, true},    {Kind::kD, 9314, kOne, 0, false},
    {Kind::kD, 9599, kTwo, 0, true},    {Kind::kD, 9600, kTwo, 0, false},
    // M: ordinary and special relays, the same on every model.
    {Kind::kM, -1, kOne, 0, false},     {Kind::kM, 511, kTwo, 0, true},
    {Kind::kM, 512, kTwo, 0, false},    {Kind::kM, 8999, kTwo, 0, false},
    {Kind::kM, 9000, kTwo, 0, true},    {Kind::kM, 9175, kTwo, 0, true},
    {Kind::kM, 9176, kTwo, 0, false},
    // X: two blocks; octal digits up to 67 on the two-axis models.
    {Kind::kX, 3, kOne, 0, true},       {Kind::kX, 4, kOne, 0, false},
    {Kind::kX, 374, kOne, 0, false},    {Kind::kX, 375, kOne, 0, true},
    {Kind::kX, 377, kOne, 0, true},     {Kind::kX, 378, kOne, 0, false},
    {Kind::kX, 17, kTwo, 0, true},      {Kind::kX, 18, kTwo, 0, false},
    {Kind::kX, 67, kTwo, 0, true},      {Kind::kX, 70, kTwo, 0, false},
    {Kind::kX, 371, kTwo, 0, false},    {Kind::kX, 372, kTwo, 0, true},
    {Kind::kX, 378, kTwo, 0, false},    {Kind::kX, -1, kTwo, 0, false},
    // The blocks alone, octal digits unjudged.
    {Kind::kXBlocks, 18, kTwo, 0, true}, {Kind::kXBlocks, 68, kTwo, 0, false},
    {Kind::kXBlocks, 375, kOne, 0, true}, {Kind::kXBlocks, 374, kOne, 0, false},
    // Y.
    {Kind::kY, 5, kOne, 0, true},       {Kind::kY, 6, kOne, 0, false},
    {Kind::kY, 67, kTwo, 0, true},      {Kind::kY, 68, kTwo, 0, false},
    {Kind::kY, 58, kTwo, 0, false},     {Kind::kY, -1, kTwo, 0, false},
    // V and Z.
    {Kind::kIndex, -1, kOne, 0, false}, {Kind::kIndex, 0, kOne, 0, true},
    {Kind::kIndex, 7, kOne, 0, true},   {Kind::kIndex, 8, kOne, 0, false},
};
// clang-format on

TEST(DeviceRanges, EachRangeEndsWhereTheControllerEndsIt)
{
    for (const Case& c : kCases)
        EXPECT_EQ(Exists(c), c.exists) << "kind " << static_cast<int>(c.kind) << " number " << c.number
                                       << (c.oneAxis ? " one axis" : " two axes") << " files " << c.fileRegisters;
}

} // namespace
