#pragma once
// The byte line under a port: a serial device or the simulator inside the
// program. Every call comes from the port's I/O thread, which owns it.
#include <QByteArray>
#include <QString>

#include <chrono>

class CCommTransport {
public:
    using Clock = std::chrono::steady_clock;
    enum class ReadResult { Data, Timeout, Lost };

    virtual ~CCommTransport() = default;
    // 0, 256 (cannot open) or 257 (line set-up failed).
    virtual int Open() = 0;
    // The system's own words for why Open failed; empty when it gave none.
    virtual QString OpenFailure() const { return {}; }
    virtual void Close() = 0;
    // False when the link is lost.
    virtual bool Write(const QByteArray& bytes) = 0;
    // Appends what arrives, waiting for bytes until the deadline.
    virtual ReadResult Read(QByteArray& into, Clock::time_point deadline) = 0;
    // Drops whatever has arrived and not been read.
    virtual void Discard() = 0;
};
