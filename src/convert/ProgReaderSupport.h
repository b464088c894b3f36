#pragma once
// What the parts of the program reader share: the column's row height, the
// kinds of symbols that end or begin a chain, and the statements' leading
// blanks.
#include "chart/HOXSymbol.h"
#include "chart/ObjectTypes.h"
#include "platform/Geometry.h"

#include <QString>

namespace progreader {

// Each symbol of a rebuilt chart stands this far below the one before it.
constexpr LONG kRowHeight = 70;

// END, RET and JUMP end a chart's chain.
inline bool EndsChain(const CHOXSymbol* symbol)
{
    const int type = symbol->GetObjectType();
    return type == objtype::kFlowEnd || type == objtype::kFlowRet || type == objtype::kFlowJump;
}

// START, POINTER and SUBROUTINE begin one.
inline bool IsEntry(const CHOXSymbol* symbol)
{
    const int type = symbol->GetObjectType();
    return type == objtype::kFlowStart || type == objtype::kFlowPointer || type == objtype::kFlowSubRtn;
}

inline QString TrimmedLeft(const QString& text)
{
    qsizetype blanks = 0;
    while (blanks < text.size() && text.at(blanks).isSpace()) ++blanks;
    return text.mid(blanks);
}

} // namespace progreader
