#pragma once
// The payload of one frame: little-endian integers and texts written in
// order, and read back in the same order with a check for every field.
#include <QByteArray>

#include <cstdint>

class CCommPayload {
public:
    CCommPayload() = default;
    explicit CCommPayload(QByteArray bytes) : m_bytes(std::move(bytes)) {}

    CCommPayload& U8(int value);
    CCommPayload& U16(int value);
    CCommPayload& I16(int value);
    CCommPayload& I32(std::int32_t value);
    CCommPayload& U32(std::uint32_t value);
    CCommPayload& Raw(const QByteArray& bytes);
    // A length (u16) and the bytes.
    CCommPayload& Text(const QByteArray& bytes);

    // Each reader is false, and takes nothing, when too few bytes are left.
    bool ReadU8(int& value);
    bool ReadU16(int& value);
    bool ReadI16(int& value);
    bool ReadI32(std::int32_t& value);
    bool ReadU32(std::uint32_t& value);
    bool ReadRaw(qsizetype count, QByteArray& bytes);
    bool ReadText(QByteArray& bytes);
    // Everything not read yet.
    QByteArray Rest();
    bool AtEnd() const { return m_read >= m_bytes.size(); }
    qsizetype Left() const { return m_bytes.size() - m_read; }

    const QByteArray& Bytes() const { return m_bytes; }
    qsizetype Size() const { return m_bytes.size(); }

private:
    bool Take(qsizetype count, const char*& data);

    QByteArray m_bytes;
    qsizetype m_read = 0;
};
