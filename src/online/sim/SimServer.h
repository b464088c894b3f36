#pragma once
// Serves one line for a simulated controller: finds request frames in the
// bytes (resync on the start mark), answers a repeat of the last request
// with the reply it already gave (without acting twice), makes the faults it
// is told to, and paces the line: a request counts as arrived after its own
// wire time (10 bits a byte at the line's speed), the turnaround passes, and
// the reply leaves byte by byte at that speed. Pacing is on by default, in
// the program as on a pseudo-terminal, so a polling loop never spins.
#include "online/sim/SimChannel.h"

#include <QByteArray>

#include <atomic>

class CSimController;
class CSimFaults;
namespace commproto {
struct Frame;
}

class CSimServer {
public:
    using Clock = CSimChannel::Clock;
    static constexpr int kDefaultBaud = 19200;
    static constexpr int kDefaultTurnaroundMs = 5;

    CSimServer(CSimController& controller, CSimFaults& faults);

    // Serves until the line closes (false) or a fault cut it (true), or Stop.
    bool Serve(CSimChannel& channel);
    // Serve returns within 50 ms, now and ever after.
    void Stop() { m_stop = true; }

    void SetPacing(bool on) { m_pacing = on; }
    bool IsPacing() const { return m_pacing; }
    void SetLine(int baud, int turnaroundMs);
    int Baud() const { return m_baud; }
    int TurnaroundMs() const { return m_turnaroundMs; }
    // Pacing on, the default line.
    void ResetLine();

private:
    struct Session {
        int lastSeq = -1;
        quint16 lastCrc = 0;
        QByteArray lastReply;
    };
    enum class Outcome { Sent, Cut, Closed };

    Outcome Handle(CSimChannel& channel, Session& session, const commproto::Frame& frame, Clock::time_point arrived);
    QByteArray Answer(Session& session, const commproto::Frame& frame, bool forced, int forcedResult);
    bool WritePaced(CSimChannel& channel, const QByteArray& bytes, Clock::time_point start);
    std::int64_t WireUs(std::int64_t bytes) const;

    CSimController& m_controller;
    CSimFaults& m_faults;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_pacing{true};
    std::atomic<int> m_baud{kDefaultBaud};
    std::atomic<int> m_turnaroundMs{kDefaultTurnaroundMs};
};
