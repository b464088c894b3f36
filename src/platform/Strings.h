#pragma once
// The system's own texts, by string id. Texts are kept exactly as the program
// shows them; only %1 .. %9 placeholders are filled in.
#include "platform/Types.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <string_view>

// The table the texts come from, sorted by id. The platform only declares it:
// the program's resources fill it.
struct StringEntry {
    UINT id;
    const char* text; // Latin-1
};
extern const StringEntry kStringTable[];
extern const std::size_t kStringTableSize;

// The text of a string id; empty (and reported once on stderr) when the table
// has no such id.
QString LoadStr(UINT id);
bool HasStr(UINT id);
// The same text as the table stores it, 8-bit, for code that works on Latin-1
// bytes; empty (and reported once) when the table has no such id.
std::string_view LoadStrLatin1(UINT id);

// Replaces %1 .. %9 by the arguments; a placeholder without an argument
// becomes "?", any other "%" stays as it is.
QString FormatPlaceholders(const QString& pattern, const QStringList& args);
QString FormatStr(UINT id, const QStringList& args);
