// Judging a device operand against the devices the controller has.
#include "symbols/operand/HOXSelectVal.h"

#include "chart/DeviceRanges.h"
#include "platform/Strings.h"
#include "res/StringIds.h"

#include <algorithm>

namespace {

QString Number(std::int64_t n) { return QString::number(n); }

using devices::InRange;
using devices::kFirstFileRegister;
using devices::kFirstSpecial;
using devices::kLastFileRegisterArea;
using devices::LastFileRegister;

// A device index counted in octal, written as its octal digits (52 is "64").
std::int32_t OctalForm(std::int32_t index) { return index < 0 ? index : QString::number(index, 8).toInt(); }

bool IsGroup(BYTE type)
{
    return type == CHOXSelectVal::kKnM || type == CHOXSelectVal::kKnX || type == CHOXSelectVal::kKnY;
}

} // namespace

bool CHOXSelectVal::KnRange::Contains(std::int32_t n) const
{
    return InRange(n, 0, lowerLast) || (upperFirst >= 0 && InRange(n, upperFirst, upperLast));
}

CHOXSelectVal::KnRange CHOXSelectVal::GetKnRange(BYTE deviceType, int digits, bool isOneAxis)
{
    // A group of d digits covers 4d devices, the last of which must stay in
    // its block. Ends are device indexes: X3, Y5 on the one-axis controller,
    // X67 and Y67 (55) otherwise; the upper X block ends at X377 (255).
    const std::int32_t covered = 4 * digits;
    const std::int32_t lowerEnd = !isOneAxis           ? 55
                                  : deviceType == kKnX ? devices::kLastLowXOneAxis
                                                       : devices::kLastYOneAxis;
    KnRange range;
    range.lowerLast = OctalForm(lowerEnd + 1 - covered);
    if (deviceType == kKnX) {
        range.upperFirst = devices::FirstHighX(isOneAxis);
        range.upperLast = OctalForm(255 + 1 - covered);
    }
    return range;
}

QString CHOXSelectVal::FormatKnRangeMessage(const KnRange& range, bool isOneAxis)
{
    const QString lower = Number(range.lowerLast < 0 ? 0 : range.lowerLast);
    const QString upper = Number(range.upperLast);
    if (range.upperLast >= devices::FirstHighX(isOneAxis)) return FormatStr(isOneAxis ? 13636 : 13635, {lower, upper});
    return FormatStr(13634, {lower, upper});
}

bool CHOXSelectVal::CheckRange(bool is32Bit, bool isOneAxis, QString& message, std::int32_t fileRegisters) const
{
    message.clear();
    if (fileRegisters < 0 || fileRegisters > devices::kMaxFileRegisters) return FailWith(message, 13640);
    const BYTE type = m_byDeviceType;
    if (type == kEmpty || type > kZ) return FailWith(message, 13342);

    if (IsGroup(type)) {
        if (isOneAxis && (type == kKnX || type == kKnY)) {
            if (m_byDigits != 1) return FailWith(message, IDS_INVALID_DIGIT_ONE_AXIS);
        } else if (m_byDigits < 1 || m_byDigits > (is32Bit ? 8 : 4)) {
            return FailWith(message, is32Bit ? IDS_INVALID_DIGIT_32_BIT : IDS_INVALID_DIGIT_16_BIT);
        }
    } else if (m_byDigits != 0) {
        return FailWith(message, IDS_NO_DIGIT_FOR_DEVICE);
    }

    if (type == kD || type == kDD || IsGroup(type)) {
        if (m_byIndexType == kIndexV || m_byIndexType == kIndexZ) {
            if (!devices::IsIndexNumber(m_byIndexNumber)) return FailWith(message, IDS_INVALID_INDEX_NUMBER);
        } else if (m_byIndexType != kNoIndex) {
            return FailWith(message, IDS_INVALID_INDEX_REGISTERS);
        }
    } else if (m_byIndexType != kNoIndex) {
        return FailWith(message, IDS_NO_INDEX_FOR_DEVICE);
    }
    return CheckNumber(is32Bit, isOneAxis, message, fileRegisters);
}

bool CHOXSelectVal::CheckNumber(bool is32Bit, bool isOneAxis, QString& message, std::int32_t fileRegisters) const
{
    const std::int64_t n = m_nNumber;
    const std::int64_t fr = fileRegisters;
    switch (m_byDeviceType) {
    case kD: {
        if (is32Bit) return FailWith(message, 13661);
        const std::int64_t lastFile = LastFileRegister(fr);
        const bool files =
            fr > 0 && InRange(n, kFirstFileRegister, std::min<std::int64_t>(lastFile, kLastFileRegisterArea));
        if (InRange(n, 0, devices::LastData(isOneAxis)) || devices::IsSpecialD(n, isOneAxis) || files) return true;
        if (isOneAxis) {
            if (fr == 0) return FailWith(message, 13350);
            message = FormatStr(13642, {Number(lastFile)});
            return false;
        }
        if (fr == 0) return FailWith(message, 13356);
        message = FormatStr(13643, {Number(lastFile)});
        return false;
    }
    case kDD: {
        if (!is32Bit) return FailWith(message, 13662);
        // A pair's first register: each range ends one lower.
        const std::int64_t lastFile = LastFileRegister(fr) - 1;
        const std::int64_t lastData = devices::LastData(isOneAxis) - 1;
        const std::int64_t lastSpecial = devices::LastSpecialD(isOneAxis) - 1;
        const std::int64_t filesEnd = std::min<std::int64_t>(lastFile, kLastFileRegisterArea - 1);
        if (isOneAxis) {
            const bool files = fr > 0 && InRange(n, kFirstFileRegister, filesEnd);
            if (InRange(n, 0, lastData) || InRange(n, kFirstSpecial, lastSpecial) || files) return true;
            if (fr == 0 || fr == 1) return FailWith(message, 13348);
            message = FormatStr(13641, {Number(lastFile)});
            return false;
        }
        // DD3999 pairs D3999 with the first file register.
        const bool files = fr > 0 && InRange(n, kFirstFileRegister - 1, filesEnd);
        if (InRange(n, 0, lastData) || InRange(n, kFirstSpecial, lastSpecial) || files) return true;
        if (fr == 0) return FailWith(message, 13357);
        if (fr == 1) return FailWith(message, 13655);
        message = FormatStr(13644, {Number(lastFile)});
        return false;
    }
    case kK:
        if (!is32Bit && !InRange(n, -32768, 32767)) return FailWith(message, 13351);
        return true;
    case kH:
        if (!is32Bit && !InRange(n, 0, 0xFFFF)) return FailWith(message, 13352);
        if (is32Bit && isOneAxis && n < 0) return FailWith(message, 13638);
        return true;
    case kKnM: {
        const std::int64_t span = 4 * std::int64_t(m_byDigits);
        // A group of d digits is 4d relays; all of them must exist.
        const std::int64_t lowLast = devices::kLastM + 1 - span;
        const std::int64_t highLast = devices::kLastSpecialM + 1 - span;
        if (InRange(n, 0, lowLast) || InRange(n, kFirstSpecial, highLast)) return true;
        message = FormatStr(13353, {Number(lowLast), Number(highLast)});
        return false;
    }
    case kKnX:
    case kKnY: {
        const KnRange range = GetKnRange(m_byDeviceType, m_byDigits, isOneAxis);
        const bool formed = devices::IsOctalFormUpTo67(n) ||
                            (m_byDeviceType == kKnX && InRange(n, devices::kFirstHighXTwoAxes, devices::kLastXY));
        if (formed && range.Contains(m_nNumber)) return true;
        message = FormatKnRangeMessage(range, isOneAxis);
        return false;
    }
    case kV:
    case kZ:
        if (!devices::IsIndexNumber(n)) return FailWith(message, 13783);
        return true;
    default: return FailWith(message, 13342);
    }
}

bool CHOXSelectVal::IsValidBitDevice(bool isOneAxis) const
{
    const std::int64_t n = m_nNumber;
    switch (m_byDeviceType) {
    case kX: return devices::IsX(n, isOneAxis);
    case kY: return devices::IsY(n, isOneAxis);
    case kM: return devices::IsM(n);
    default: return false;
    }
}

bool CHOXSelectVal::CheckFileRegister(CHOXSelectVal value, std::int32_t fileRegisters)
{
    const std::int64_t n = value.m_nNumber;
    const std::int64_t fr = fileRegisters;
    if (!InRange(n, kFirstFileRegister, kLastFileRegisterArea)) return true;
    if (value.m_byDeviceType == kD) return fr > 0 && n <= LastFileRegister(fr);
    if (value.m_byDeviceType == kDD) return fr > 0 ? n <= LastFileRegister(fr) - 1 : n == kLastFileRegisterArea;
    return true;
}
