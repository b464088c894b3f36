#pragma once
// Small byte-string helpers of the instruction checker. Letter case is the
// ASCII one: the controller's text has no other letters.
#include <cstdint>
#include <string>
#include <string_view>

namespace instr {

// White space as the program text knows it.
constexpr bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr char ToLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }
constexpr char ToUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c; }

inline std::string_view TrimLeft(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    return text.substr(i);
}

inline std::string_view Trim(std::string_view text)
{
    text = TrimLeft(text);
    std::size_t n = text.size();
    while (n > 0 && IsSpace(text[n - 1])) --n;
    return text.substr(0, n);
}

inline void TrimInPlace(std::string& text)
{
    const std::string_view trimmed = Trim(text);
    const std::size_t from = static_cast<std::size_t>(trimmed.data() - text.data());
    text.erase(from + trimmed.size());
    text.erase(0, from);
}

inline void UpperInPlace(std::string& text)
{
    for (char& c : text) c = ToUpper(c);
}

inline void LowerInPlace(std::string& text)
{
    for (char& c : text) c = ToLower(c);
}

inline bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (ToLower(text[i]) != ToLower(prefix[i])) return false;
    return true;
}

inline bool EqualsNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && StartsWithNoCase(a, b);
}

enum class Number : std::uint8_t {
    kOk,
    kNotNumeric, // a character other than a decimal digit
    kTooLarge,   // more than fits: every range refuses it
};

// Reads decimal digits into 64 bits; the empty string is 0. A value beyond
// 2^53 is reported as too large: far above every range the checker knows.
inline Number ReadDecimal(std::string_view digits, std::int64_t& value)
{
    constexpr std::int64_t kCap = std::int64_t{1} << 53;
    value = 0;
    bool tooLarge = false;
    for (char c : digits) {
        if (!IsDigit(c)) return Number::kNotNumeric;
        if (!tooLarge) {
            value = value * 10 + (c - '0');
            if (value > kCap) tooLarge = true;
        }
    }
    return tooLarge ? Number::kTooLarge : Number::kOk;
}

// Digits up to the first character that is not one.
inline std::size_t DigitRun(std::string_view text, std::size_t from)
{
    std::size_t i = from;
    while (i < text.size() && IsDigit(text[i])) ++i;
    return i - from;
}

} // namespace instr
