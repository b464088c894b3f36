#include "platform/Strings.h"

#include <QSet>

#include <algorithm>
#include <cstdio>

namespace {
const StringEntry* Find(UINT id)
{
    const StringEntry* begin = kStringTable;
    const StringEntry* end = kStringTable + kStringTableSize;
    const StringEntry* it =
        std::lower_bound(begin, end, id, [](const StringEntry& e, UINT key) { return e.id < key; });
    return (it != end && it->id == id) ? it : nullptr;
}
} // namespace

bool HasStr(UINT id) { return Find(id) != nullptr; }

namespace {
void ReportMissing(UINT id)
{
    static QSet<UINT> reported;
    if (!reported.contains(id)) {
        reported.insert(id);
        std::fprintf(stderr, "kinetrace: no text for string id %u\n", id);
    }
}
} // namespace

QString LoadStr(UINT id)
{
    if (const StringEntry* e = Find(id)) return QString::fromLatin1(e->text);
    ReportMissing(id);
    return {};
}

std::string_view LoadStrLatin1(UINT id)
{
    if (const StringEntry* e = Find(id)) return e->text;
    ReportMissing(id);
    return {};
}

QString FormatPlaceholders(const QString& pattern, const QStringList& args)
{
    QString out;
    out.reserve(pattern.size());
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'%' && i + 1 < pattern.size() && pattern[i + 1] >= u'1' && pattern[i + 1] <= u'9') {
            const int n = pattern[i + 1].unicode() - u'1';
            out += n < args.size() ? args[n] : QStringLiteral("?");
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

QString FormatStr(UINT id, const QStringList& args) { return FormatPlaceholders(LoadStr(id), args); }
