#pragma once
// Finds frames in the bytes of a line: skips what comes before a start mark,
// drops a damaged frame from its start mark only and looks again from the
// next start mark inside it (resync).
#include "online/comm/CommProtocol.h"

#include <QByteArray>

class CCommFrameReader {
public:
    enum class Event {
        None,        // no complete frame buffered
        Frame,       // a good frame
        BadChecksum, // a frame whose crc is wrong was dropped
    };

    void Feed(const char* data, qsizetype size) { m_buffer.append(data, size); }
    void Feed(const QByteArray& bytes) { m_buffer.append(bytes); }
    Event Next(commproto::Frame& frame);
    void Reset();

    // A start mark is buffered with the frame after it incomplete.
    bool HasPartial() const { return !m_buffer.isEmpty(); }
    // Bytes that belonged to no frame were met since the last reset.
    bool SawNoise() const { return m_noise; }
    bool IsEmpty() const { return m_buffer.isEmpty(); }

private:
    void SkipToStartMark(qsizetype from);

    QByteArray m_buffer;
    bool m_noise = false;
};
