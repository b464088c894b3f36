#include "online/comm/CommPayload.h"

CCommPayload& CCommPayload::U8(int value)
{
    m_bytes.append(static_cast<char>(value & 0xFF));
    return *this;
}

CCommPayload& CCommPayload::U16(int value)
{
    m_bytes.append(static_cast<char>(value & 0xFF));
    m_bytes.append(static_cast<char>((value >> 8) & 0xFF));
    return *this;
}

CCommPayload& CCommPayload::I16(int value) { return U16(value); }

CCommPayload& CCommPayload::I32(std::int32_t value) { return U32(static_cast<std::uint32_t>(value)); }

CCommPayload& CCommPayload::U32(std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8) m_bytes.append(static_cast<char>((value >> shift) & 0xFF));
    return *this;
}

CCommPayload& CCommPayload::Raw(const QByteArray& bytes)
{
    m_bytes.append(bytes);
    return *this;
}

CCommPayload& CCommPayload::Text(const QByteArray& bytes)
{
    U16(static_cast<int>(bytes.size()));
    return Raw(bytes);
}

bool CCommPayload::Take(qsizetype count, const char*& data)
{
    if (count < 0 || Left() < count) return false;
    data = m_bytes.constData() + m_read;
    m_read += count;
    return true;
}

bool CCommPayload::ReadU8(int& value)
{
    const char* data = nullptr;
    if (!Take(1, data)) return false;
    value = static_cast<quint8>(data[0]);
    return true;
}

bool CCommPayload::ReadU16(int& value)
{
    const char* data = nullptr;
    if (!Take(2, data)) return false;
    value = static_cast<quint8>(data[0]) | (static_cast<quint8>(data[1]) << 8);
    return true;
}

bool CCommPayload::ReadI16(int& value)
{
    int raw = 0;
    if (!ReadU16(raw)) return false;
    value = static_cast<std::int16_t>(static_cast<std::uint16_t>(raw));
    return true;
}

bool CCommPayload::ReadU32(std::uint32_t& value)
{
    const char* data = nullptr;
    if (!Take(4, data)) return false;
    value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<quint8>(data[i]);
    return true;
}

bool CCommPayload::ReadI32(std::int32_t& value)
{
    std::uint32_t raw = 0;
    if (!ReadU32(raw)) return false;
    value = static_cast<std::int32_t>(raw);
    return true;
}

bool CCommPayload::ReadRaw(qsizetype count, QByteArray& bytes)
{
    const char* data = nullptr;
    if (!Take(count, data)) return false;
    bytes = QByteArray(data, count);
    return true;
}

bool CCommPayload::ReadText(QByteArray& bytes)
{
    const qsizetype start = m_read;
    int length = 0;
    if (ReadU16(length) && ReadRaw(length, bytes)) return true;
    m_read = start;
    return false;
}

QByteArray CCommPayload::Rest()
{
    QByteArray rest = m_bytes.mid(m_read);
    m_read = m_bytes.size();
    return rest;
}
