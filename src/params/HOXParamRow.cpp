// The parameter listing: one parameter number as a row of text.
#include "params/HOXParam.h"
#include "params/ParamUnits.h"

#include <QByteArray>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

const char* const kNotApplicable = "<Not Applicable>";

// The names of parameters 0 to 56 by number; null where the number has no
// meaning.
const std::array<const char*, 57> kAxisNames = {
    "System of Unit",
    "Pulse Rate",
    "Feed Rate",
    "Min Command Unit",
    "Maximum Speed",
    "Jog Speed",
    "Bias Speed",
    "Backlash",
    "Acceleration time",
    "Deceleration time",
    "Interpolation T/C",
    "Pulse output format",
    "Rotation direction",
    "Zero return speed",
    "Creep speed",
    "Zero return direction",
    "Machine zero point addr",
    "Zero point signal count",
    "Count start timimg",
    "DOG input switch",
    "Stroke end LS logic",
    "Error judge time",
    "Servo ready check",
    "Stop mode",
    "Cod30 address",
    "SW upper limit",
    "SW lower limit",
    nullptr,
    nullptr,
    nullptr,
    "Program Desig",
    "DSW head i/p No.",
    "DSW head o/p No.",
    "DSW reading interval",
    "RDY o/p",
    "RDY o/p No.",
    "Mcode out",
    "Mcode o/p No.",
    "Mcode OFF command No.",
    "Pulser valid",
    "Pulser multiply",
    "Pulser division",
    "Pulser enable i/p",
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    "ABS I/F valid",
    "ABS i/p",
    "ABS o/p",
    "Single run valid",
    "Single run start",
    nullptr,
    "FWD/RVS/ZRN i/p",
};

const std::array<const char*, 12> kCommonNames = {
    "Memory Size",   "File Registers",        "Battery Status", "Battery Status o/p",
    "Subtask Start", "Subtask Start i/p No.", "Subtask Stop",   "Subtask Stop i/p No.",
    "Subtask Error", "Subtask Error o/p",     "Single Step",    "Single Step Input",
};

// The name of a listed number; null for every other one.
const char* NameOf(UINT number)
{
    if (number < kAxisNames.size()) return kAxisNames[number];
    if (number >= 100 && number <= 111) return kCommonNames[number - 100];
    return nullptr;
}

// Copies as much of the text as the field holds, always zero-terminated.
template <std::size_t N>
void Put(char (&field)[N], const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    const std::size_t n = std::min(static_cast<std::size_t>(bytes.size()), N - 1);
    std::memcpy(field, bytes.constData(), n);
    field[n] = '\0';
}

QString Text(const char* text) { return QString::fromLatin1(text); }
QString Number(std::int32_t v) { return QString::number(v); }

// Text by a code: the entry of the code, or the last one for any other.
QString Pick(std::int32_t code, std::initializer_list<const char*> texts)
{
    const std::int32_t last = static_cast<std::int32_t>(texts.size()) - 1;
    return Text(texts.begin()[code >= 0 && code < last ? code : last]);
}

// The value of a per-axis parameter as text, by the rules of its number and
// the units of its axis.
class AxisText {
public:
    AxisText(const CHOXParam& param, int axis) : m_param(param), m_axis(axis) {}

    QString operator()(UINT number) const
    {
        const std::int32_t v = Get(number);
        const std::int32_t system = Get(0);
        const std::int32_t unit = m_param.GetLengthUnit(m_axis);
        const bool motor = system == paramunits::kMotor;
        switch (number) {
        case 0: return Pick(v, {"Mechanical", "Motor", "Mechanical & Motor", ""});
        case 1: return motor ? Text(kNotApplicable) : Number(v) + QStringLiteral(" PLS/REV");
        case 2: return motor ? Text(kNotApplicable) : Number(v) + paramunits::PerRevolution(unit);
        case 3:
            return QString::asprintf("%6.3f", paramunits::MinCommandUnit(system, unit, v)) +
                   paramunits::Length(system, unit);
        case 4:
        case 5:
        case 6:
        case 13:
        case 14: return Number(v) + paramunits::Speed(system, unit);
        case 7: return Number(v) + paramunits::Backlash(system, unit);
        case 8:
        case 9:
        case 10:
        case 21:
        case 33: return Number(v) + QStringLiteral(" ms");
        case 11: return Pick(v == 0 ? 0 : 1, {"FWD & RVS rotation pls", "Rotation pls & direction"});
        case 12: return Pick(v == 0 ? 0 : 1, {"Inc as FP is o/p", "Dec as FP is o/p"});
        case 15: return Pick(v == 0 ? 0 : 1, {"Present value Inc", "Present value Dec"});
        case 16:
        case 24: return Number(v) + paramunits::Position(system, unit, Get(3));
        case 17:
        case 25:
        case 26: return Number(v);
        case 18: return Pick(v, {"DOG F-edge", "DOG R-edge", "None"});
        case 19:
        case 20: return Pick(v == 0 ? 0 : 1, {"Normally Open", "Normally Closed"});
        case 22: return Pick(Code(22) == 0 ? 0 : 1, {"Valid", "Invalid"});
        case 23:
            return Pick(Code(23) - 1, {"Pause", "Next step", "Jump to End", "Pause (interpolation)",
                                       "Next step(interpolation)", "Invalid"});
        case 30: return Pick(Code(30) - 1, {"BCD 0~9", "BCD 0~99", "Set by sp-D reg", "0 Fixed"});
        case 31:
        case 38: return QStringLiteral("X") + Number(v);
        case 32:
        case 35:
        case 37: return QStringLiteral("Y") + Number(v);
        case 34:
        case 36:
        case 50:
        case 53: return Pick(Code(number) == 0 ? 0 : 1, {"Invalid", "Valid"});
        case 39: return Pick(Code(39) - 1, {"Valid (One pulse generator)", "Valid (Two pulse generator)", "Invalid"});
        case 40: return Code(39) != 0 ? Number(v) : QString();
        case 41:
            if (m_param.IsOneAxisModel()) return Text(kNotApplicable);
            return Code(39) != 0 ? Number(v) : QString();
        case 42: return Code(39) != 0 ? QStringLiteral("X") + Number(v) : QString();
        case 51: return Code(50) != 0 ? QStringLiteral("X") + Number(v) : QString();
        case 52: return Code(50) != 0 ? QStringLiteral("Y") + Number(v) : QString();
        case 54: return Code(53) != 0 ? QStringLiteral("X") + Number(v) : QString();
        case 56: return Pick(v, {"Never", "Auto", "Always", "Auto with Special M", "Always with Special M", ""});
        default: return {};
        }
    }

private:
    std::int32_t Get(UINT number) const
    {
        std::int32_t v = 0;
        m_param.GetParam(&v, number, m_axis);
        return v;
    }
    // Coded switches are judged on their low 8 bits.
    std::int32_t Code(UINT number) const { return Get(number) & 0xFF; }

    const CHOXParam& m_param;
    int m_axis;
};

QString CommonText(UINT number, std::int32_t v)
{
    switch (number) {
    case 100: return Pick(v, {"8K Steps", "4K Steps", ""});
    case 101: return Number(v);
    case 102: return Pick(v, {"LED valid, QW o/p invalid", "LED invalid, QW o/p invalid", "LED valid, QW o/p valid"});
    case 103:
    case 109: return QStringLiteral("Y") + Number(v);
    case 104: return Pick(v, {"MANU to  AUTO", "AUTO and i/p ON", "MANU to AUTO or i/p ON"});
    case 105:
    case 107:
    case 111: return QStringLiteral("X") + Number(v);
    case 106: return Pick(v == 0 ? 0 : 1, {"AUTO to  MANU", "AUTO to MANU or i/p ON"});
    case 108: return Pick(v == 0 ? 0 : 1, {"On Error Non-o/p", "On Error o/p"});
    case 110: return Pick(v == 0 ? 0 : 1, {"Not using general I/O", "Using general I/O"});
    default: return {};
    }
}

} // namespace

void CHOXParam::GetParamRow(UINT number, PARAM_ROW* row) const
{
    if (row == nullptr) return;
    Put(row->number, QString::number(number));
    const char* name = NameOf(number);
    if (name == nullptr) {
        Put(row->name, QStringLiteral("Spare"));
        Put(row->xText, QString());
        Put(row->yText, QString());
        return;
    }
    Put(row->name, Text(name));
    const bool twoAxes = !IsOneAxisModel();
    if (number >= 100) {
        std::int32_t v = 0;
        GetParam(&v, number, 0);
        const QString text = CommonText(number, v);
        Put(row->xText, text);
        if (twoAxes) Put(row->yText, text);
        return;
    }
    Put(row->xText, AxisText(*this, 0)(number));
    if (twoAxes) Put(row->yText, AxisText(*this, 1)(number));
}
