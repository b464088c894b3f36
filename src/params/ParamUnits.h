#pragma once
// The unit texts of an axis, as the parameter listing and the axis dialogs
// show them. They follow the axis's system of units (parameter 0: 0
// Mechanical, 1 Motor, 2 Mechanical & Motor), its length unit (0 mm, 1 deg,
// 2 inch) and, for positions, its minimum command unit (parameter 3).
#include <QString>

#include <cstdint>

namespace paramunits {

constexpr std::int32_t kMechanical = 0;
constexpr std::int32_t kMotor = 1;
constexpr std::int32_t kMechanicalAndMotor = 2;

// Movement per revolution of the feed rate (parameter 2) on a length unit.
QString PerRevolution(std::int32_t lengthUnit);
// The unit of the minimum command unit (parameter 3).
QString Length(std::int32_t system, std::int32_t lengthUnit);
// Backlash (parameter 7).
QString Backlash(std::int32_t system, std::int32_t lengthUnit);
// Speeds (parameters 4, 5, 6, 13, 14): Hz unless the system is Mechanical.
QString Speed(std::int32_t system, std::int32_t lengthUnit);
// Positions (parameters 16, 24): the backlash unit in steps of 1000, 100, 10
// or 1 by the command unit code 0 to 3; empty for any other code.
QString Position(std::int32_t system, std::int32_t lengthUnit, std::int32_t commandUnit);
// The minimum command unit as a number: 10 to the power 3 - c on a Motor
// axis, -c on millimetres and degrees, -(c + 1) on inches.
double MinCommandUnit(std::int32_t system, std::int32_t lengthUnit, std::int32_t commandUnit);

} // namespace paramunits
