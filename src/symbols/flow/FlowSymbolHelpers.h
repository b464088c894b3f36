#pragma once
// What the flow-control symbols share in their program text and in the text
// they draw beside themselves.
#include "chart/SideTextScope.h"

#include <QString>

namespace flowsym {

// The line that ends a program: the subtask always ends with SEND; elsewhere
// only end kind 0 is a plain END.
inline QString EndLine(bool subtask, int endKind)
{
    return (subtask || endKind != 0) ? QStringLiteral("m102(SEND);") : QStringLiteral("m02(END);");
}

using chart::SideTextScope;

} // namespace flowsym
