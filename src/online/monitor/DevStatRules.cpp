#include "online/monitor/DevStatRules.h"

#include "chart/DeviceRanges.h"
#include "platform/Strings.h"
#include "res/StringIds.h"
#include "symbols/operand/HOXSelectVal.h"

#include <QStringList>

#include <algorithm>
#include <limits>
#include <vector>

namespace devstat {

namespace {

using SV = CHOXSelectVal;

// "ERROR : Invalid Word Device Data."
constexpr UINT IDS_INVALID_WORD_DEVICE = 14080;
// "ERROR : Invalid Device Number for Device type M.\nValid range : 0 ~ 511 and 9000 ~ 9175."
constexpr UINT IDS_INVALID_M = 14081;
// "ERROR : Invalid Device Number for Device type D.\nValid range :  0 ~ %1,  9000 ~ %2."
constexpr UINT IDS_INVALID_D = 14082;
// "ERROR: Invalid Device Number for Device type D.\nValid range :  0 ~ 1999, 4000 ~ %1,  9000 ~ %2."
constexpr UINT IDS_INVALID_D_ONE_AXIS_FILE = 14083;
// "ERROR : Invalid Index number for Index Register V.\nValid range: 0~7"
constexpr UINT IDS_INVALID_INDEX_V = 14084;
// "ERROR : Invalid Index number for Index Register Z.\nValid range : 0~7"
constexpr UINT IDS_INVALID_INDEX_Z = 14085;
// "ERROR : Invalid Device number for Device Typer V.\nValid range : 0~7"
constexpr UINT IDS_INVALID_V = 14086;
// "ERROR : Invalid Device number for Device Typer Z.\nValid range : 0~7"
constexpr UINT IDS_INVALID_Z = 14087;
// "ERROR:   M device number is invalid for 16 points setting. \n Valid Range is M0, 16, 32...."
constexpr UINT IDS_M_GROUP = 14088;
// "ERROR:   X Device Number is invalid for 16 points setting. \n Valid Range is X0 and X375."
constexpr UINT IDS_X_GROUP_ONE_AXIS = 14089;
// "ERROR:   X Device Number is invalid for 16 points setting. \n Valid Range is X0,10,20..60,372."
constexpr UINT IDS_X_GROUP_TWO_AXES = 14090;
// "ERROR:   Y Device Number is invalid for 16 points setting. \n Valid Number is Y0 only."
constexpr UINT IDS_Y_GROUP_ONE_AXIS = 14091;
// "ERROR:   Y Device Number is invalid for 16 points setting. \n Valid Range is Y0,10,20..60."
constexpr UINT IDS_Y_GROUP_TWO_AXES = 14092;

using devices::kFirstFileRegister;
using devices::kFirstHighXOneAxis;
using devices::kFirstHighXTwoAxes;
using devices::kFirstSpecial;
using devices::kLastIndex;
using devices::kLastLowXOneAxis;
using devices::kLastM;
using devices::kLastSpecialM;
using devices::kLastXY;
using devices::kLastYOneAxis;
// The RA-ZUZ buttons: the registers below this are the PLC's own; the file
// registers up to 6999 cannot be read from the unit.
constexpr std::int32_t kFirstPlcRegister = 100;
constexpr std::int32_t kLastUnreadable = devices::kLastFileRegisterArea;

std::int64_t LastData(const Model& m) { return devices::LastData(m.oneAxis); }
std::int64_t LastSpecial(const Model& m) { return devices::LastSpecialD(m.oneAxis); }
// The last file register; below the first when there are none.
std::int64_t LastFile(const Model& m) { return devices::LastFileRegister(m.fileRegisters); }

bool ValidX(std::int64_t n, const Model& m) { return devices::IsX(n, m.oneAxis); }
bool ValidY(std::int64_t n, const Model& m) { return devices::IsY(n, m.oneAxis); }
bool ValidM(std::int64_t n) { return devices::IsM(n); }
bool ValidD(std::int64_t n, const Model& m) { return devices::IsD(n, m.oneAxis, m.fileRegisters); }
bool ValidIndex(std::int64_t n) { return devices::IsIndexNumber(n); }

// Group tops of 16 points: M from 0 or 9000 in steps of 16, X and Y the
// tens below 67 and the top of X's upper block.
bool ValidGroup(std::int32_t type, std::int64_t n, const Model& m)
{
    const bool lowerTop = m.oneAxis ? n == 0 : devices::InRange(n, 0, devices::kLastOctalTwoAxes) && n % 10 == 0;
    switch (type) {
    case SV::kM: return n < kFirstSpecial ? n % 16 == 0 : (n - kFirstSpecial) % 16 == 0;
    case SV::kX: return n == devices::FirstHighX(m.oneAxis) || lowerTop;
    case SV::kY: return lowerTop;
    default: return true;
    }
}

// The numbers the spin visits: runs from first to last in steps.
struct Run {
    std::int64_t first;
    std::int64_t last;
    std::int64_t step;
};

std::vector<Run> OctalRuns(std::int64_t lastTen)
{
    std::vector<Run> runs;
    for (std::int64_t ten = 0; ten <= lastTen; ten += 10) runs.push_back({ten, ten + 7, 1});
    return runs;
}

std::vector<Run> Runs(std::int32_t type, bool sixteen, const Model& m)
{
    switch (type) {
    case SV::kX:
        if (m.oneAxis)
            return sixteen ? std::vector<Run>{{0, 0, 1}, {kFirstHighXOneAxis, kFirstHighXOneAxis, 1}}
                           : std::vector<Run>{{0, kLastLowXOneAxis, 1}, {kFirstHighXOneAxis, kLastXY, 1}};
        if (sixteen) return {{0, 60, 10}, {kFirstHighXTwoAxes, kFirstHighXTwoAxes, 1}};
        {
            std::vector<Run> runs = OctalRuns(60);
            runs.push_back({kFirstHighXTwoAxes, kLastXY, 1});
            return runs;
        }
    case SV::kY:
        if (m.oneAxis) return sixteen ? std::vector<Run>{{0, 0, 1}} : std::vector<Run>{{0, kLastYOneAxis, 1}};
        return sixteen ? std::vector<Run>{{0, 60, 10}} : OctalRuns(60);
    case SV::kM:
        if (sixteen) return {{0, kLastM + 1 - 16, 16}, {kFirstSpecial, kLastSpecialM + 1 - 16, 16}};
        return {{0, kLastM, 1}, {kFirstSpecial, kLastSpecialM, 1}};
    case SV::kD: {
        std::vector<Run> runs = {{0, LastData(m), 1}};
        if (m.fileRegisters > 0) runs.push_back({kFirstFileRegister, LastFile(m), 1});
        runs.push_back({kFirstSpecial, LastSpecial(m), 1});
        return runs;
    }
    case SV::kV:
    case SV::kZ: return {{0, kLastIndex, 1}};
    default: return {};
    }
}

// The smallest number of the run above pos, or the largest below it.
bool Beyond(const Run& r, std::int64_t pos, bool up, std::int64_t& out)
{
    if (r.last < r.first) return false;
    if (up) {
        if (pos >= r.last) return false;
        const std::int64_t from = pos < r.first ? r.first : r.first + ((pos - r.first) / r.step + 1) * r.step;
        if (from > r.last) return false;
        out = from;
        return true;
    }
    if (pos <= r.first) return false;
    const std::int64_t below = pos > r.last ? r.last : pos - 1;
    out = r.first + (below - r.first) / r.step * r.step;
    return true;
}

QString Message(UINT id) { return LoadStr(id); }

QString CheckD(const Entry& e, const Model& m)
{
    if (!ValidD(e.number, m)) {
        if (m.fileRegisters <= 0)
            return FormatStr(IDS_INVALID_D, {QString::number(LastData(m)), QString::number(LastSpecial(m))});
        const QStringList args = {QString::number(LastFile(m)), QString::number(LastSpecial(m))};
        return FormatStr(m.oneAxis ? IDS_INVALID_D_ONE_AXIS_FILE : IDS_INVALID_D, args);
    }
    if (e.indexKind == SV::kIndexV && !ValidIndex(e.indexNumber)) return Message(IDS_INVALID_INDEX_V);
    if (e.indexKind == SV::kIndexZ && !ValidIndex(e.indexNumber)) return Message(IDS_INVALID_INDEX_Z);
    return {};
}

QString CheckWord(const Entry& e, std::int32_t type, const Model& m)
{
    switch (type) {
    case SV::kD: return CheckD(e, m);
    case SV::kV: return ValidIndex(e.number) ? QString() : Message(IDS_INVALID_V);
    case SV::kZ: return ValidIndex(e.number) ? QString() : Message(IDS_INVALID_Z);
    default: return Message(IDS_INVALID_WORD_DEVICE);
    }
}

QString CheckGroup(std::int32_t type, std::int64_t n, const Model& m)
{
    if (ValidGroup(type, n, m)) return {};
    switch (type) {
    case SV::kM: return Message(IDS_M_GROUP);
    case SV::kX: return Message(m.oneAxis ? IDS_X_GROUP_ONE_AXIS : IDS_X_GROUP_TWO_AXES);
    default: return Message(m.oneAxis ? IDS_Y_GROUP_ONE_AXIS : IDS_Y_GROUP_TWO_AXES);
    }
}

} // namespace

std::int32_t TypeOfName(const QString& name)
{
    if (name == u"D") return SV::kD;
    if (name == u"V") return SV::kV;
    if (name == u"Z") return SV::kZ;
    if (name == u"X") return SV::kX;
    if (name == u"Y") return SV::kY;
    if (name == u"M") return SV::kM;
    return 0;
}

std::int32_t SpinHighest(std::int32_t type, const Model& model)
{
    switch (type) {
    case SV::kD: return static_cast<std::int32_t>(LastSpecial(model));
    case SV::kV:
    case SV::kZ: return kLastIndex;
    case SV::kX: return kLastXY;
    case SV::kY: return devices::LastY(model.oneAxis);
    case SV::kM: return kLastSpecialM;
    default: return 0;
    }
}

std::int32_t Step(std::int32_t type, std::int32_t pos, int delta, bool sixteenPoints, const Model& model)
{
    if (delta == 0) return pos;
    const bool up = delta > 0;
    bool found = false;
    std::int64_t best = pos;
    for (const Run& run : Runs(type, sixteenPoints, model)) {
        std::int64_t next = 0;
        if (!Beyond(run, pos, up, next)) continue;
        if (!found || (up ? next < best : next > best)) best = next;
        found = true;
    }
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(best, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

bool IsValidTop(std::int32_t type, std::int32_t number, bool sixteenPoints, const Model& model)
{
    bool valid = false;
    switch (type) {
    case SV::kX: valid = ValidX(number, model); break;
    case SV::kY: valid = ValidY(number, model); break;
    case SV::kM: valid = ValidM(number); break;
    case SV::kD: valid = ValidD(number, model); break;
    case SV::kV:
    case SV::kZ: valid = ValidIndex(number); break;
    default: return false;
    }
    return valid && (!sixteenPoints || ValidGroup(type, number, model));
}

QString Check(const Entry& entry, const Model& model)
{
    if (entry.name.isEmpty()) return Message(IDS_INVALID_DEVICE_TYPE);
    const std::int32_t type = TypeOfName(entry.name);
    const std::int64_t n = entry.number;
    QString failed;
    switch (type) {
    case SV::kX:
        if (!ValidX(n, model)) failed = Message(model.oneAxis ? IDS_INVALID_X_ONE_AXIS : IDS_INVALID_X_TWO_AXES);
        break;
    case SV::kY:
        if (!ValidY(n, model)) failed = Message(model.oneAxis ? IDS_INVALID_Y_ONE_AXIS : IDS_INVALID_Y_TWO_AXES);
        break;
    case SV::kM:
        if (!ValidM(n)) failed = Message(IDS_INVALID_M);
        break;
    default: failed = CheckWord(entry, type, model); break;
    }
    if (!failed.isEmpty() || !entry.sixteenPoints) return failed;
    return CheckGroup(type, n, model);
}

std::int32_t BufferMemory(std::int32_t type, std::int32_t number, bool sixteenPoints, const Model& model)
{
    switch (type) {
    case SV::kD:
    case SV::kV:
    case SV::kZ: return number;
    default: break;
    }
    if (!sixteenPoints || !IsValidTop(type, number, true, model)) return -1;
    switch (type) {
    case SV::kM: return number < kFirstSpecial ? number / 16 + 64 : (number - kFirstSpecial) / 16 + 20;
    case SV::kX:
        if (number == 0) return 32;
        return number == devices::FirstHighX(model.oneAxis) ? 47 : -1;
    case SV::kY: return number == 0 ? 48 : -1;
    default: return -1;
    }
}

KzPlcButtons Buttons(std::int32_t type, std::int32_t number, bool sixteenPoints, const Model& model)
{
    switch (type) {
    case SV::kD:
        if (number < kFirstPlcRegister) return {};
        return {!devices::InRange(number, kFirstFileRegister, kLastUnreadable), true};
    case SV::kV:
    case SV::kZ: return {true, true};
    default: {
        const bool mapped = BufferMemory(type, number, sixteenPoints, model) >= 0;
        return {mapped, mapped};
    }
    }
}

} // namespace devstat
