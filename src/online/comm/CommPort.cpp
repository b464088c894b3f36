#include "online/comm/CommPort.h"

#include "online/comm/CommPayload.h"
#include "online/comm/CommProtocol.h"
#include "online/comm/CommSerialTransport.h"
#include "online/comm/CommSimTransport.h"
#include "platform/View.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QRandomGenerator>
#include <QThread>

#include <condition_variable>
#include <map>

using namespace commproto;

namespace {

struct PortEntry {
    std::shared_ptr<CCommPort> port;
    int users = 0;
    // Its last user let it go and its line is being closed.
    bool closing = false;
};

struct PortTable {
    std::mutex mutex;
    // Told when a closing port's line is closed.
    std::condition_variable closed;
    std::map<QString, PortEntry> ports;
    int openObjects = 0;
    CCommPort::TransportMaker maker;
};

PortTable& Table()
{
    static PortTable table;
    return table;
}

// The seq of the next request on each port name. It runs on from one
// session to the next, so a reply that comes late from a session before
// (the controller may still be answering its retries) never carries the seq
// the new session waits for; a name's first session in this run starts
// anywhere, for the late replies of a run before. Its own lock: the I/O
// threads take it while the table's lock may be held by an open.
int NextSeq(const QString& name)
{
    static std::mutex mutex;
    static std::map<QString, int> next;
    std::lock_guard lock(mutex);
    auto [it, first] = next.try_emplace(name, 0);
    if (first) it->second = static_cast<int>(QRandomGenerator::global()->bounded(256u));
    const int seq = it->second;
    it->second = (seq + 1) & 0xFF;
    return seq;
}

bool IsUserInterfaceThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app != nullptr && QThread::currentThread() == app->thread();
}

} // namespace

struct CCommPort::Completion {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    QEventLoop* loop = nullptr;

    void Finish()
    {
        {
            std::lock_guard lock(mutex);
            finished = true;
            // The waiter's loop outlives this: it takes the lock before it
            // lets the loop go.
            if (loop != nullptr) QMetaObject::invokeMethod(loop, "quit", Qt::QueuedConnection);
        }
        done.notify_all();
    }

    void Wait(bool localLoop)
    {
        if (localLoop) {
            // The views' timers wait for the answer: what they start (a
            // click on a button, the end of monitoring) never runs in the
            // middle of this call.
            const ViewTimerHold hold;
            QEventLoop eventLoop;
            bool wait = false;
            {
                std::lock_guard lock(mutex);
                wait = !finished;
                if (wait) loop = &eventLoop;
            }
            if (wait) eventLoop.exec(QEventLoop::ExcludeUserInputEvents);
            std::lock_guard lock(mutex);
            loop = nullptr;
        }
        // Also where a loop was ended from outside before the job was done.
        std::unique_lock lock(mutex);
        done.wait(lock, [this] { return finished; });
    }
};

// ---------------------------------------------------------------------------
// The table of open ports

void CCommPort::SetTransportMaker(TransportMaker maker)
{
    PortTable& table = Table();
    std::lock_guard lock(table.mutex);
    table.maker = std::move(maker);
}

int CCommPort::Acquire(const QString& name, std::shared_ptr<CCommPort>& port, QString* reason)
{
    if (!CCommPortSettings::IsPortName(name)) return 259;
    PortTable& table = Table();
    std::unique_lock lock(table.mutex);
    if (table.openObjects >= kMaxOpenObjects) return 261;
    // A port whose last user just let it go still holds its line until the
    // line is closed; opening it again meanwhile would find the line taken.
    table.closed.wait(lock, [&table, &name] {
        const auto closing = table.ports.find(name);
        return closing == table.ports.end() || !closing->second.closing;
    });
    auto it = table.ports.find(name);
    if (it != table.ports.end()) {
        // A line the simulator cut, or a device that went away, is opened
        // again by the next open.
        int code = 0;
        it->second.port->RunBlocking([&code, reason](CCommPort& self) {
            if (!self.m_lost) return;
            if (self.m_transport) self.m_transport->Close();
            code = self.OpenTransport(reason);
        });
        if (code != 0) return code;
        ++it->second.users;
        ++table.openObjects;
        port = it->second.port;
        return 0;
    }
    const CCommPortSettings settings = CCommPortSettings::Read(name);
    if (!settings.IsMapped()) return 256;
    if (!settings.IsLineValid()) return 257;
    std::shared_ptr<CCommPort> created(new CCommPort(name, settings, table.maker));
    if (const int code = created->Start(reason); code != 0) {
        created->Stop();
        return code;
    }
    table.ports[name] = {created, 1, false};
    ++table.openObjects;
    port = std::move(created);
    return 0;
}

void CCommPort::Release(std::shared_ptr<CCommPort>& port)
{
    if (!port) return;
    std::shared_ptr<CCommPort> last;
    PortTable& table = Table();
    {
        std::lock_guard lock(table.mutex);
        --table.openObjects;
        auto it = table.ports.find(port->m_name);
        if (it != table.ports.end() && --it->second.users == 0) {
            last = it->second.port;
            it->second.closing = true;
        }
    }
    port.reset();
    if (!last) return;
    last->Stop();
    {
        std::lock_guard lock(table.mutex);
        auto it = table.ports.find(last->m_name);
        if (it != table.ports.end() && it->second.port == last) table.ports.erase(it);
    }
    table.closed.notify_all();
}

// ---------------------------------------------------------------------------
// The I/O thread

CCommPort::CCommPort(QString name, CCommPortSettings settings, TransportMaker maker)
    : m_name(std::move(name)), m_settings(std::move(settings)), m_maker(std::move(maker))
{
}

CCommPort::~CCommPort() { Stop(); }

int CCommPort::Start(QString* reason)
{
    // A QThread, not a bare thread: the serial port's notifiers want its
    // event dispatcher.
    m_thread.reset(QThread::create([this] { Loop(); }));
    m_thread->start();
    int code = 0;
    RunBlocking([&code, reason](CCommPort& self) { code = self.OpenTransport(reason); });
    return code;
}

void CCommPort::Stop()
{
    if (!m_thread) return;
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_queued.notify_all();
    // The loop's own word that it is done, then the thread's end: all the
    // loop touched is ours again before anything is destroyed.
    {
        std::unique_lock lock(m_mutex);
        m_queued.wait(lock, [this] { return m_exited; });
    }
    m_thread->wait();
    m_thread.reset();
}

void CCommPort::Loop()
{
    for (;;) {
        QueuedJob next;
        {
            std::unique_lock lock(m_mutex);
            m_queued.wait(lock, [this] { return m_stop || !m_jobs.empty(); });
            if (m_jobs.empty()) break;
            next = std::move(m_jobs.front());
            m_jobs.pop_front();
        }
        next.job(*this);
        next.completion->Finish();
    }
    if (m_transport) m_transport->Close();
    m_transport.reset();
    // Told under the lock: Stop cannot go on (and destroy the condition)
    // before the notification is over.
    std::lock_guard lock(m_mutex);
    m_exited = true;
    m_queued.notify_all();
}

void CCommPort::Enqueue(const Job& job, const std::shared_ptr<Completion>& completion)
{
    {
        std::lock_guard lock(m_mutex);
        m_jobs.push_back({job, completion});
    }
    m_queued.notify_all();
}

void CCommPort::Run(const Job& job)
{
    auto completion = std::make_shared<Completion>();
    Enqueue(job, completion);
    completion->Wait(IsUserInterfaceThread());
}

void CCommPort::RunBlocking(const Job& job)
{
    auto completion = std::make_shared<Completion>();
    Enqueue(job, completion);
    completion->Wait(false);
}

int CCommPort::OpenTransport(QString* reason)
{
    m_transport.reset();
    std::unique_ptr<CCommTransport> transport;
    if (m_maker)
        transport = m_maker(m_settings);
    else if (m_settings.IsSimulator())
        transport = std::make_unique<CCommSimTransport>(m_settings.m_speed);
    else
        transport = std::make_unique<CCommSerialTransport>(m_settings.m_device, m_settings.m_speed);
    if (!transport) return 256;
    const int code = transport->Open();
    if (code != 0) {
        if (reason != nullptr) *reason = transport->OpenFailure();
        return code;
    }
    m_transport = std::move(transport);
    m_reader.Reset();
    m_synced = false;
    m_lost = false;
    return 0;
}

// ---------------------------------------------------------------------------
// Exchanges

std::int64_t CCommPort::AttemptTimeoutUs(qsizetype requestPayload, int command) const
{
    const std::int64_t bytes = 2 * kFrameOverhead + requestPayload + MaxReplyPayload(command);
    return WireTimeUs(bytes, m_settings.m_speed) + std::int64_t{m_settings.m_timeoutMs} * 1000;
}

CCommPort::Reply CCommPort::Exchange(int command, const QByteArray& payload)
{
    if (!m_transport || m_lost) return {776, 0, {}};
    if (!m_synced) {
        // A new session: the controller must not take our first seq for a
        // repeat of another session's last request.
        const std::uint32_t nonce = QRandomGenerator::global()->generate();
        // The echo of another nonce answers another session's start: late.
        const auto answersThis = [nonce](const Reply& reply) {
            CCommPayload echo(reply.data);
            std::uint32_t echoed = 0;
            return reply.result != 0 || !echo.ReadU32(echoed) || !echo.AtEnd() || echoed == nonce;
        };
        const Reply sync = Attempts(Sync, CCommPayload().U16(0).U32(nonce).Bytes(), answersThis);
        if (sync.code != 0) return sync;
        CCommPayload echo(sync.data);
        std::uint32_t echoed = 0;
        if (sync.result != 0 || !echo.ReadU32(echoed) || !echo.AtEnd() || echoed != nonce) return {778, 0, {}};
        m_synced = true;
    }
    return Attempts(command, payload);
}

CCommPort::Reply CCommPort::Attempts(int command, const QByteArray& payload, const Answers& answers)
{
    const int seq = NextSeq(m_name);
    const QByteArray frame = EncodeFrame(seq, command, payload);
    const std::int64_t timeoutUs = AttemptTimeoutUs(payload.size(), command);
    int code = 768;
    for (int attempt = 0; attempt < kTries; ++attempt) {
        m_reader.Reset();
        m_transport->Discard();
        Reply reply;
        code = m_transport->Write(frame) ? ReadReply(seq, command, timeoutUs, answers, reply) : 776;
        if (code == 0) return reply;
        if (code == 776) {
            m_lost = true;
            break;
        }
    }
    return {code, 0, {}};
}

int CCommPort::ReadReply(int seq, int command, std::int64_t timeoutUs, const Answers& answers, Reply& reply)
{
    const auto deadline = CCommTransport::Clock::now() + std::chrono::microseconds(timeoutUs);
    QByteArray bytes;
    for (;;) {
        bytes.clear();
        switch (m_transport->Read(bytes, deadline)) {
        case CCommTransport::ReadResult::Lost: return 776;
        case CCommTransport::ReadResult::Timeout:
            if (m_reader.HasPartial()) return 777;
            return m_reader.SawNoise() ? 778 : 768;
        case CCommTransport::ReadResult::Data: break;
        }
        m_reader.Feed(bytes);
        Frame frame;
        for (CCommFrameReader::Event event; (event = m_reader.Next(frame)) != CCommFrameReader::Event::None;) {
            if (event == CCommFrameReader::Event::BadChecksum) return 780;
            if (frame.seq != seq) continue; // a late reply to an earlier request
            if (frame.command != (command | kReplyFlag)) return 778;
            CCommPayload data(frame.payload);
            int result = 0;
            if (!data.ReadI16(result)) return 778;
            Reply candidate{0, result, data.Rest()};
            if (answers && !answers(candidate)) continue; // late, like a reply of another seq
            reply = std::move(candidate);
            return 0;
        }
    }
}
