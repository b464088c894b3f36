#pragma once
// What the parts of the program reader share: the column's row height, the
// kinds of symbols that end or begin a chain, the statements' leading
// blanks, and the blank-separated word lists of its tables.
#include "chart/HOXSymbol.h"
#include "chart/ObjectTypes.h"
#include "platform/Geometry.h"

#include <QLatin1StringView>
#include <QString>
#include <QStringView>

#include <cstring>

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

// The place of the name among the blank-separated words of the list; -1
// when it is not one of them. The tables are read for every statement, so
// the list is walked where it stands, not split into strings.
inline int IndexInWords(QStringView name, const char* list)
{
    if (name.isEmpty()) return -1;
    int index = 0;
    for (const char* at = list; *at != '\0';) {
        if (*at == ' ') {
            ++at;
            continue;
        }
        const char* end = std::strchr(at, ' ');
        if (end == nullptr) end = at + std::strlen(at);
        if (name == QLatin1StringView(at, end - at)) return index;
        ++index;
        at = end;
    }
    return -1;
}

inline bool IsOneOfWords(QStringView name, const char* list) { return IndexInWords(name, list) >= 0; }

// The list's word at the place; empty past its end.
inline QString WordAt(const char* list, int index)
{
    return QString::fromLatin1(list).split(u' ', Qt::SkipEmptyParts).value(index);
}

} // namespace progreader
