#pragma once
// One open port name (COM1 to COM4) and the I/O thread that owns its line.
// Every CCommMan object open on the name shares it; the thread carries out
// their requests one at a time, in the order they came, so two objects on
// one port (the monitoring thread and the command sender) each get their
// own answers. The thread starts with the first object's open and is joined
// when the last one closes; the transport is made, used and destroyed in it.
//
// How long one call can take (the figure that bounds, for instance, how long
// stopping the monitoring waits for its worker's call in progress):
//   one attempt  = wire time of the request and of the command's longest
//                  reply at the port's Speed (10 bits a byte)
//                  + the port's Timeout setting (default 200 ms)
//   one exchange = at most kTries (3) attempts
//   one call     = one exchange (two or more for a program, one per block),
//                  plus one sync exchange for the first request after the
//                  port was opened, plus what another object's call already
//                  queued on the same port still takes.
// With the defaults (19200 bit/s, 200 ms) a monitoring read is at most
// 3 x 224 ms = 0.67 s; a program block at 9600 bit/s at most 3 x 758 ms.
#include "online/comm/CommFrameReader.h"
#include "online/comm/CommPortSettings.h"

#include <QByteArray>
#include <QString>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

class CCommTransport;
class QThread;

class CCommPort {
public:
    // The outcome of one exchange: a link failure's code, or the controller's
    // result and the reply's data.
    struct Reply {
        int code = 0;
        int result = 0;
        QByteArray data;
    };
    using Job = std::function<void(CCommPort&)>;

    // CCommMan objects open at once, on all ports together.
    static constexpr int kMaxOpenObjects = 8;

    // Makes the line under a port: by default the simulator or a serial
    // device, as the settings say. A test or a fuzz target that plays the
    // controller's side itself puts its own line under the ports opened
    // afterwards; an empty maker puts the default back.
    using TransportMaker = std::function<std::unique_ptr<CCommTransport>(const CCommPortSettings&)>;
    static void SetTransportMaker(TransportMaker maker);

    // For one object opening the name: 0 and the port, or 259 (not COM1 to
    // COM4), 261 (too many objects open), 256 (the name leads nowhere, or the
    // device cannot be opened, or the simulator's line is taken), 257 (the
    // line cannot be set up). A port whose link was lost is connected again.
    // On a failure `reason` gets the system's words for it, when it has any.
    static int Acquire(const QString& name, std::shared_ptr<CCommPort>& port, QString* reason = nullptr);
    // The object closed; the last one closes the port and joins its thread.
    static void Release(std::shared_ptr<CCommPort>& port);

    ~CCommPort();
    CCommPort(const CCommPort&) = delete;
    CCommPort& operator=(const CCommPort&) = delete;

    // Runs the job on the I/O thread after the jobs queued before it, and
    // returns when it is done. The user-interface thread waits in a local
    // event loop that leaves user input aside, so windows keep painting;
    // any other thread blocks.
    void Run(const Job& job);

    // On the I/O thread, inside a job: one request and its reply, with the
    // retries of CommProtocol.h.
    Reply Exchange(int command, const QByteArray& payload);

    // The longest one attempt of the command waits, in microseconds.
    std::int64_t AttemptTimeoutUs(qsizetype requestPayload, int command) const;

    const QString& Name() const { return m_name; }

private:
    struct Completion;
    struct QueuedJob {
        Job job;
        std::shared_ptr<Completion> completion;
    };

    CCommPort(QString name, CCommPortSettings settings, TransportMaker maker);
    int Start(QString* reason);
    void Stop();
    void Loop();
    // Run, blocking in any thread: for the short jobs of opening a port.
    void RunBlocking(const Job& job);
    void Enqueue(const Job& job, const std::shared_ptr<Completion>& completion);
    // On the I/O thread; a failure leaves the system's words in `reason`.
    int OpenTransport(QString* reason = nullptr);
    // Whether a reply of the request's seq and command answers this very
    // request; one that does not is late and is read past.
    using Answers = std::function<bool(const Reply&)>;
    Reply Attempts(int command, const QByteArray& payload, const Answers& answers = {});
    int ReadReply(int seq, int command, std::int64_t timeoutUs, const Answers& answers, Reply& reply);

    const QString m_name;
    const CCommPortSettings m_settings;
    const TransportMaker m_maker;
    std::unique_ptr<QThread> m_thread;

    std::mutex m_mutex;
    std::condition_variable m_queued;
    std::deque<QueuedJob> m_jobs;
    bool m_stop = false;
    bool m_exited = false;

    // Owned by the I/O thread.
    std::unique_ptr<CCommTransport> m_transport;
    CCommFrameReader m_reader;
    bool m_synced = false;
    bool m_lost = false;
};
