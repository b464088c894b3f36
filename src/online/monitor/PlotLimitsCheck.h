#pragma once
// The one rule of the plot's limits: each axis's positive limit lies above
// its negative one. The plot dialogs refuse anything else with the axis's
// message, the focus on its negative limit and its text selected.
#include "platform/Types.h"

#include <QString>

#include <cstdint>

class CDialog;

namespace plotlimits {

// "ERROR : X Positive Value should be greater than X Negative value."
QString XMessage();
// "ERROR : Y Positive Value should be greater than Y Negative value."
QString YMessage();

// True when positive > negative; else the message (hand icon), and the
// negative limit's edit takes the focus with its text selected.
bool Check(CDialog& dialog, std::int32_t positive, std::int32_t negative, const QString& message, int negativeEdit);

} // namespace plotlimits
