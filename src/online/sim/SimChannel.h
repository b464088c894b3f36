#pragma once
// The simulated controller's end of a line: an in-process pipe or a
// pseudo-terminal. Used by the one thread that serves the line.
#include <QByteArray>

#include <chrono>

class CSimChannel {
public:
    using Clock = std::chrono::steady_clock;
    enum class ReadResult { Data, Idle, Closed };

    virtual ~CSimChannel() = default;
    // Appends what arrives, waiting until the deadline; Closed once the line
    // is gone.
    virtual ReadResult Read(QByteArray& into, Clock::time_point deadline) = 0;
    virtual bool Write(const QByteArray& bytes) = 0;
    // Waits until the time comes; false when the line closed meanwhile.
    virtual bool SleepUntil(Clock::time_point until) = 0;
    // Cuts the line: the program's end loses the link.
    virtual void Cut() = 0;
};
