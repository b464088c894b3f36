#pragma once
// Golden bytes of stored objects, built from fragments: the hex of each
// field as the archive writes it, the pieces most stored forms share (class
// tags, the id and bounds, the pins of a symbol, operands), and storing and
// reading an object with its class.
#include "platform/Archive.h"
#include "platform/Object.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

namespace kt::test {

// The object as the archive stores it, with its class.
inline QByteArray StoredBytes(CObject* object)
{
    CArchive out;
    out.WriteObject(object);
    return out.Buffer();
}

// Reads an object of class T back from stored bytes; the whole input must be
// used.
template <class T>
std::unique_ptr<T> LoadStored(const QByteArray& bytes)
{
    CArchive in(bytes);
    std::unique_ptr<T> object = in.ReadOwned<T>();
    EXPECT_EQ(in.BytesLeft(), 0u);
    return object;
}

// Hex of the 8-bit text, for golden bytes that name classes and captions.
inline QByteArray Ascii(const char* text) { return QByteArray(text).toHex(); }

namespace hex {

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

// A placed object's id 5 and its bounds (100, 50, 164, 82): a symbol of the
// default size with its top-left corner at (100, 50).
inline const QByteArray kIdAndBounds = "05000000"
                                       "64000000"
                                       "32000000"
                                       "a4000000"
                                       "52000000";

// A symbol's free pin: number, offset x, offset y, kind, side, link.
inline QByteArray FreePin(std::int32_t number, std::int32_t x, std::int32_t y, std::int32_t kind, std::int32_t side)
{
    return I32(number) + I32(x) + I32(y) + I32(kind) + I32(side) + "ffffffff";
}
// The pins most symbols have: an input at the top centre, an output at the
// bottom centre (as the only pin, or the second), and the side exit.
inline const QByteArray kInputPin0 = FreePin(0, 32, 0, 0, 1);
inline const QByteArray kOutputPin0 = FreePin(0, 32, 32, 1, 0);
inline const QByteArray kOutputPin1 = FreePin(1, 32, 32, 1, 0);
inline const QByteArray kSideExitPin2 = FreePin(2, 64, 16, 2, 0);

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

} // namespace hex
} // namespace kt::test
