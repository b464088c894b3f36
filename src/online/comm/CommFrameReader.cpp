#include "online/comm/CommFrameReader.h"

using namespace commproto;

void CCommFrameReader::Reset()
{
    m_buffer.clear();
    m_noise = false;
}

void CCommFrameReader::SkipToStartMark(qsizetype from)
{
    if (m_buffer.isEmpty()) return;
    const qsizetype mark = m_buffer.indexOf(kStartMark, from);
    if (mark != 0) m_noise = true;
    m_buffer.remove(0, mark < 0 ? m_buffer.size() : mark);
}

CCommFrameReader::Event CCommFrameReader::Next(Frame& frame)
{
    for (;;) {
        SkipToStartMark(0);
        if (m_buffer.size() < kHeaderSize) return Event::None;
        const auto* bytes = reinterpret_cast<const quint8*>(m_buffer.constData());
        const int length = bytes[3] | (bytes[4] << 8);
        if (length > kMaxPayload) {
            SkipToStartMark(1);
            continue;
        }
        const qsizetype total = kFrameOverhead + length;
        if (m_buffer.size() < total) return Event::None;
        const quint16 crc = Crc16(m_buffer.constData() + 1, kHeaderSize - 1 + length);
        const quint16 sent = static_cast<quint16>((bytes[total - 2] << 8) | bytes[total - 1]);
        if (crc != sent) {
            SkipToStartMark(1);
            return Event::BadChecksum;
        }
        frame.seq = bytes[1];
        frame.command = bytes[2];
        frame.payload = m_buffer.mid(kHeaderSize, length);
        frame.crc = crc;
        m_buffer.remove(0, total);
        return Event::Frame;
    }
}
