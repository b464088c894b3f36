#include "params/ParamUnits.h"

#include <cmath>

namespace paramunits {

namespace {
constexpr std::int32_t kMillimetre = 0;
constexpr std::int32_t kDegree = 1;
constexpr std::int32_t kInch = 2;

// A length unit the program does not know has no text.
QString ByLengthUnit(std::int32_t lengthUnit, const char* mm, const char* deg, const char* inch)
{
    switch (lengthUnit) {
    case kMillimetre: return QString::fromLatin1(mm);
    case kDegree: return QString::fromLatin1(deg);
    case kInch: return QString::fromLatin1(inch);
    default: return {};
    }
}
} // namespace

QString PerRevolution(std::int32_t lengthUnit)
{
    return ByLengthUnit(lengthUnit, "Micro m/REV", " mdeg/REV", "minch/10 REV");
}

QString Length(std::int32_t system, std::int32_t lengthUnit)
{
    if (system == kMotor) return QStringLiteral(" PLS");
    return ByLengthUnit(lengthUnit, " mm", " deg", " 1/10 inch");
}

QString Backlash(std::int32_t system, std::int32_t lengthUnit)
{
    if (system == kMotor) return QStringLiteral(" PLS");
    return ByLengthUnit(lengthUnit, " Micro m", " mdeg", " minch/10");
}

QString Speed(std::int32_t system, std::int32_t lengthUnit)
{
    if (system != kMechanical) return QStringLiteral(" Hz");
    return ByLengthUnit(lengthUnit, " cm/min", " 10 deg/min", " inch/min");
}

QString Position(std::int32_t system, std::int32_t lengthUnit, std::int32_t commandUnit)
{
    static const char* const kSteps[] = {" x1000", " x100", " x10", ""};
    if (commandUnit < 0 || commandUnit > 3) return {};
    const QString unit = Backlash(system, lengthUnit);
    if (unit.isEmpty()) return {};
    return QString::fromLatin1(kSteps[commandUnit]) + unit;
}

double MinCommandUnit(std::int32_t system, std::int32_t lengthUnit, std::int32_t commandUnit)
{
    // In 64 bits: 3 - c overflows 32 for the lowest codes.
    const std::int64_t c = commandUnit;
    std::int64_t exponent = -c;
    if (system == kMotor) {
        exponent = 3 - c;
    } else if (lengthUnit == kInch) {
        exponent = -(c + 1);
    }
    return std::pow(10.0, static_cast<double>(exponent));
}

} // namespace paramunits
