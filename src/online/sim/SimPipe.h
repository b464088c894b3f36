#pragma once
// The in-process line between a port's I/O thread (the host end) and the
// simulator's thread (the channel end). Thread-safe; bytes are copied across,
// never shared between the two threads.
#include "online/sim/SimChannel.h"

#include <condition_variable>
#include <mutex>

class CSimPipe : public CSimChannel {
public:
    // The simulator's end.
    ReadResult Read(QByteArray& into, Clock::time_point deadline) override;
    bool Write(const QByteArray& bytes) override;
    bool SleepUntil(Clock::time_point until) override;
    void Cut() override;

    // The host's end: Read gives Closed once the simulator cut the line.
    bool HostWrite(const QByteArray& bytes);
    ReadResult HostRead(QByteArray& into, Clock::time_point deadline);
    void HostDiscard();
    void HostClose();

    // Closed by the host or cut by the simulator: nobody serves it any more.
    bool IsFinished() const;

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    QByteArray m_toSim;
    QByteArray m_toHost;
    bool m_hostClosed = false;
    bool m_cut = false;
};
