#pragma once
// Golden bytes of stored operands and symbols, built from fragments: the hex
// of each field as the archive writes it.
#include <QByteArray>

#include <cstdint>

namespace kt::test::hex {

// A 32-bit field, little-endian.
inline QByteArray I32(std::int32_t v)
{
    const auto u = static_cast<std::uint32_t>(v);
    QByteArray bytes;
    for (int i = 0; i < 4; ++i) bytes.append(static_cast<char>((u >> (8 * i)) & 0xFF));
    return bytes.toHex();
}

inline QByteArray Byte(int v) { return QByteArray(1, static_cast<char>(v)).toHex(); }

// An 8-bit string shorter than 255: length byte and characters.
inline QByteArray Str(const char* text)
{
    const QByteArray raw(text);
    return Byte(static_cast<int>(raw.size())) + raw.toHex();
}

// The class tag of a class written for the first time: new-class mark,
// schema 0, name.
inline QByteArray NewClass(const char* name)
{
    return "ffff"
           "0000" +
           Byte(static_cast<int>(qstrlen(name))) + "00" + QByteArray(name).toHex();
}

// A data-register operand in place: mode, number, index type, index number.
inline QByteArray Reg(int mode, std::int32_t number, int indexType = 0, int indexNumber = 0)
{
    return Byte(mode) + I32(number) + Byte(indexType) + Byte(indexNumber);
}

// A compensation setting in place: kind, both used flags, both operands.
inline QByteArray Comp(int kind, int used1, int used2, const QByteArray& op1, const QByteArray& op2)
{
    return Byte(kind) + I32(used1) + I32(used2) + op1 + op2;
}

// A device operand in place: type, digits, number, index type and number.
inline QByteArray Device(int type, int digits, std::int32_t number, int indexType = 0, int indexNumber = 0)
{
    return Byte(type) + Byte(digits) + I32(number) + Byte(indexType) + Byte(indexNumber);
}

} // namespace kt::test::hex
