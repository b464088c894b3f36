#pragma once
// Reading the digits of an operand text.
#include <QString>

#include <cstdint>
#include <optional>

namespace operand {

inline bool IsDecimalDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// The run of decimal digits from pos, as long as its value fits in a signed
// 32-bit number; pos moves behind the run. No digit gives none; so does a run
// whose value does not fit, with pos behind the digits read so far.
inline std::optional<std::int64_t> ReadDigits(const QString& text, qsizetype& pos)
{
    std::int64_t value = 0;
    const qsizetype start = pos;
    while (pos < text.size() && IsDecimalDigit(text[pos])) {
        value = value * 10 + (text[pos].unicode() - u'0');
        if (value > INT32_MAX) return std::nullopt;
        ++pos;
    }
    if (pos == start) return std::nullopt;
    return value;
}

} // namespace operand
