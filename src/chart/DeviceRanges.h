#pragma once
// The device numbers the positioning controller has, and those of its
// companion PLC; every dialog, checker and monitor object that judges a
// device number asks here. X and Y numbers are their octal digits read as
// decimal (X17 is 17). A 32-bit register pair n / n+1 ends each of its
// ranges one lower than the 16-bit register does.
#include <cstdint>

namespace devices {

// Data registers D: the ordinary ones from 0, the file registers from 4000
// (as many as the parameters set, at most 3000), the special ones from 9000.
constexpr std::int32_t kLastDataOneAxis = 1999;
constexpr std::int32_t kLastDataTwoAxes = 3999;
constexpr std::int32_t kFirstFileRegister = 4000;
constexpr std::int32_t kMaxFileRegisters = 3000;
constexpr std::int32_t kLastFileRegisterArea = kFirstFileRegister + kMaxFileRegisters - 1; // 6999
// The first special M and special D.
constexpr std::int32_t kFirstSpecial = 9000;
constexpr std::int32_t kLastSpecialDOneAxis = 9313;
constexpr std::int32_t kLastSpecialDTwoAxes = 9599;

// Auxiliary relays M: 0 to 511 and the special ones 9000 to 9175.
constexpr std::int32_t kLastM = 511;
constexpr std::int32_t kLastSpecialM = 9175;

// Index registers V and Z: 0 to 7.
constexpr std::int32_t kLastIndex = 7;

// X: 0 to 3 and 375 to 377 on the one-axis controller, 0 to 67 and 372 to
// 377 on the two-axis ones. Y: 0 to 5 on the one-axis controller, 0 to 67 on
// the others.
constexpr std::int32_t kLastLowXOneAxis = 3;
constexpr std::int32_t kFirstHighXOneAxis = 375;
constexpr std::int32_t kFirstHighXTwoAxes = 372;
constexpr std::int32_t kLastXY = 377;
constexpr std::int32_t kLastYOneAxis = 5;
constexpr std::int32_t kLastOctalTwoAxes = 67;

// The companion PLC: X and Y 0 to 377, M 0 to 3071, D 0 to 7999.
constexpr std::int32_t kLastPlcXY = kLastXY;
constexpr std::int32_t kLastPlcM = 3071;
constexpr std::int32_t kLastPlcD = 7999;

constexpr bool InRange(std::int64_t n, std::int64_t first, std::int64_t last) { return n >= first && n <= last; }

constexpr std::int32_t LastData(bool oneAxis) { return oneAxis ? kLastDataOneAxis : kLastDataTwoAxes; }
constexpr std::int32_t LastSpecialD(bool oneAxis) { return oneAxis ? kLastSpecialDOneAxis : kLastSpecialDTwoAxes; }
// The last file register of that many; below the first when there are none.
constexpr std::int64_t LastFileRegister(std::int64_t fileRegisters) { return kFirstFileRegister - 1 + fileRegisters; }
constexpr bool IsSpecialD(std::int64_t n, bool oneAxis) { return InRange(n, kFirstSpecial, LastSpecialD(oneAxis)); }
// D n exists: an ordinary, file or special register.
constexpr bool IsD(std::int64_t n, bool oneAxis, std::int64_t fileRegisters)
{
    return InRange(n, 0, LastData(oneAxis)) || InRange(n, kFirstFileRegister, LastFileRegister(fileRegisters)) ||
           IsSpecialD(n, oneAxis);
}

constexpr bool IsM(std::int64_t n) { return InRange(n, 0, kLastM) || InRange(n, kFirstSpecial, kLastSpecialM); }

constexpr bool IsIndexNumber(std::int64_t n) { return InRange(n, 0, kLastIndex); }

// Up to 67, X and Y of the two-axis controllers end in an octal digit.
constexpr bool IsOctalFormUpTo67(std::int64_t n) { return InRange(n, 0, kLastOctalTwoAxes) && n % 10 <= 7; }
constexpr std::int32_t FirstHighX(bool oneAxis) { return oneAxis ? kFirstHighXOneAxis : kFirstHighXTwoAxes; }
constexpr std::int32_t LastLowX(bool oneAxis) { return oneAxis ? kLastLowXOneAxis : kLastOctalTwoAxes; }
// X n lies in one of X's two blocks; whether its digits are octal ones is
// not judged.
constexpr bool InXBlocks(std::int64_t n, bool oneAxis)
{
    return InRange(n, 0, LastLowX(oneAxis)) || InRange(n, FirstHighX(oneAxis), kLastXY);
}
constexpr bool IsX(std::int64_t n, bool oneAxis)
{
    return oneAxis ? InRange(n, 0, kLastLowXOneAxis) || InRange(n, kFirstHighXOneAxis, kLastXY)
                   : IsOctalFormUpTo67(n) || InRange(n, kFirstHighXTwoAxes, kLastXY);
}
constexpr std::int32_t LastY(bool oneAxis) { return oneAxis ? kLastYOneAxis : kLastOctalTwoAxes; }
constexpr bool IsY(std::int64_t n, bool oneAxis)
{
    return oneAxis ? InRange(n, 0, kLastYOneAxis) : IsOctalFormUpTo67(n);
}

} // namespace devices
