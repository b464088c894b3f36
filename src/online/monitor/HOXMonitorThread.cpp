#include "online/monitor/HOXMonitorThread.h"

#include "online/comm/CommKZQWStatus.h"
#include "online/comm/CommMan.h"
#include "online/comm/CommManInputStat.h"
#include "online/comm/CommProgInfo.h"
#include "online/comm/ControllerDevices.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <algorithm>
#include <cerrno>
#include <ctime>

#include <pthread.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

using Plan = CHOXMonitorPlan;
using Reading = CHOXMonitorResult::Reading;

// A lowered worker still runs, but gives way to the user interface: its
// nice value this much above the one it started with.
constexpr int kBelowNormalNice = 5;
constexpr int kLowestNice = 19;

int ResultEvent()
{
    static const int type = QEvent::registerEventType();
    return type;
}

int ErrorEvent()
{
    static const int type = QEvent::registerEventType();
    return type;
}

// The thin wrappers of the reads: true when the link answers 0.
bool ReadCurrentPos(CCommMan& comm, std::int32_t& x, std::int32_t& y, int unit)
{
    return comm.mfi_ReadCurrentPos(x, y, unit) == 0;
}
bool GetKZQWStatus(CCommMan& comm, int axis, CCommKZQWStatus& status)
{
    return comm.mfi_GetKZQWStatus(axis, &status) == 0;
}
bool GetManInputStatus(CCommMan& comm, int axis, CCommManInputStat& status)
{
    return comm.mfi_GetManInputStatus(axis, &status) == 0;
}
bool GetProgInfo(CCommMan& comm, int axis, CCommProgInfo& info) { return comm.mfi_GetProgInfo(axis, &info) == 0; }

// The words of one axis's record as the reading keeps them.
bool ReadAxis(CCommMan& comm, Plan::Kind kind, int axis, std::array<std::int32_t, 6>& words)
{
    switch (kind) {
    case Plan::kManInputStat: {
        CCommManInputStat s;
        if (!GetManInputStatus(comm, axis, s)) return false;
        words = {s.m_dog, s.m_start, s.m_stop, s.m_zrn, s.m_fwd, s.m_rvs};
        return true;
    }
    case Plan::kKZQWStat: {
        CCommKZQWStatus s;
        if (!GetKZQWStatus(comm, axis, s)) return false;
        words = {s.m_ready, s.m_completed, s.m_error, s.m_zeroCompleted, 0, 0};
        return true;
    }
    case Plan::kProgInfo: {
        CCommProgInfo info;
        if (!GetProgInfo(comm, axis, info)) return false;
        words = {info.m_programNo, info.m_mCode, info.m_errorCode, 0, 0, 0};
        return true;
    }
    default: return false;
    }
}

std::int32_t Unsigned16(const BYTE* v) { return v[0] | (v[1] << 8); }

} // namespace

// Lives in the user-interface thread and turns the worker's posted events
// into calls there. Events still queued when it goes are dropped with it.
class CHOXMonitorThread::Receiver : public QObject {
public:
    explicit Receiver(CHOXMonitorThread& owner) : m_owner(owner) {}

    bool event(QEvent* e) override
    {
        if (e->type() == static_cast<QEvent::Type>(ResultEvent())) {
            m_owner.OnQueuedResult();
            return true;
        }
        if (e->type() == static_cast<QEvent::Type>(ErrorEvent())) {
            m_owner.OnQueuedError();
            return true;
        }
        return QObject::event(e);
    }

private:
    CHOXMonitorThread& m_owner;
};

CHOXMonitorThread::CHOXMonitorThread(Client& client, QString port, std::uint32_t& skipCounter)
    : m_client(client), m_port(std::move(port)), m_skipCounter(skipCounter),
      m_receiver(std::make_unique<Receiver>(*this))
{
}

CHOXMonitorThread::~CHOXMonitorThread()
{
    RequestStop();
    Join();
}

// ---------------------------------------------------------------------------
// The user-interface thread's side

void CHOXMonitorThread::Resume(CHOXMonitorPlan plan)
{
    if (m_thread.joinable() || m_stopRequested) return;
    {
        std::lock_guard lock(m_mutex);
        m_plan = std::move(plan);
        m_planRenewed = true;
    }
    m_thread = std::thread([this] { Run(); });
}

bool CHOXMonitorThread::TakeResult(CHOXMonitorResult& result, CHOXMonitorPlan next)
{
    {
        std::lock_guard lock(m_mutex);
        if (!m_hasPending || m_stop.load()) return false;
        result = std::move(m_pending);
        m_pending = {};
        m_hasPending = false;
        m_plan = std::move(next);
        m_planRenewed = true;
    }
    m_taken.notify_all();
    return true;
}

void CHOXMonitorThread::RequestStop()
{
    m_stopRequested = true;
    {
        // Under the lock, so that a worker about to wait sees it.
        std::lock_guard lock(m_mutex);
        m_stop.store(true);
    }
    m_taken.notify_all();
}

void CHOXMonitorThread::Join()
{
    if (m_thread.joinable()) m_thread.join();
}

void CHOXMonitorThread::OnQueuedResult()
{
    if (!m_stopRequested) m_client.OnResultWaiting();
}

void CHOXMonitorThread::OnQueuedError()
{
    if (m_stopRequested) return;
    int code = 0;
    {
        std::lock_guard lock(m_mutex);
        code = m_errorCode;
    }
    m_client.OnCommError(code);
}

void CHOXMonitorThread::SetPriority(Priority priority)
{
    m_priority.store(static_cast<int>(priority));
    ApplyPriority();
}

void CHOXMonitorThread::ApplyPriority()
{
    // Per thread on Linux: a thread's nice value. Raising it back may be
    // refused to an unprivileged program; it then stays lowered.
    const int id = m_kernelId.load();
    if (id == 0) return;
    const int normal = m_normalNice.load();
    const int nice = m_priority.load() == static_cast<int>(Priority::BelowNormal)
                         ? std::min(normal + kBelowNormalNice, kLowestNice)
                         : normal;
    ::setpriority(PRIO_PROCESS, static_cast<id_t>(id), nice);
}

std::chrono::nanoseconds CHOXMonitorThread::CpuTime() const
{
    if (!m_thread.joinable()) return {};
    clockid_t clock = 0;
    timespec time{};
    if (::pthread_getcpuclockid(const_cast<std::thread&>(m_thread).native_handle(), &clock) != 0 ||
        ::clock_gettime(clock, &time) != 0)
        return {};
    return std::chrono::seconds(time.tv_sec) + std::chrono::nanoseconds(time.tv_nsec);
}

// ---------------------------------------------------------------------------
// The worker

void CHOXMonitorThread::Run()
{
    const auto id = static_cast<int>(::syscall(SYS_gettid));
    errno = 0;
    const int nice = ::getpriority(PRIO_PROCESS, static_cast<id_t>(id));
    m_normalNice.store(errno == 0 ? nice : 0);
    m_kernelId.store(id);
    ApplyPriority();
    Poll();
    m_kernelId.store(0);
}

void CHOXMonitorThread::Poll()
{
    // Its connection is made, used and closed here alone.
    CCommMan comm;
    if (m_stop.load()) return;
    if (const int code = comm.mfi_Open(m_port); code != 0) {
        ReportCommError(comm, code);
        return;
    }
    CHOXMonitorPlan plan;
    CHOXMonitorResult result;
    while (!m_stop.load()) {
        {
            std::lock_guard lock(m_mutex);
            if (m_planRenewed) {
                plan = std::move(m_plan);
                m_plan = {};
                m_planRenewed = false;
            }
        }
        int code = 0;
        const Cycle cycle = OnExecuteMonitor(comm, plan, m_skipCounter, m_stop, result, code);
        if (cycle == Cycle::Skipped) {
            std::this_thread::yield();
            continue;
        }
        if (cycle == Cycle::Failed) ReportCommError(comm, code);
        if (cycle != Cycle::Read || !HandOver(result)) break;
    }
    comm.mfi_Close();
}

bool CHOXMonitorThread::HandOver(CHOXMonitorResult& result)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_stop.load()) return false;
        m_pending = std::move(result);
        result = {};
        m_hasPending = true;
    }
    Post(ResultEvent());
    std::unique_lock lock(m_mutex);
    m_taken.wait(lock, [this] { return !m_hasPending || m_stop.load(); });
    if (m_hasPending) {
        // Stopped: the result goes with it.
        m_pending = {};
        m_hasPending = false;
        return false;
    }
    return !m_stop.load();
}

void CHOXMonitorThread::ReportCommError(CCommMan& comm, int code)
{
    if (m_failed.load() || code == 0) return;
    const int recorded = comm.mfi_GetCommError();
    comm.mfi_ClearCommError();
    {
        std::lock_guard lock(m_mutex);
        m_errorCode = recorded != 0 ? recorded : code;
    }
    m_failed.store(true);
    Post(ErrorEvent());
}

void CHOXMonitorThread::Post(int eventType)
{
    QCoreApplication::postEvent(m_receiver.get(), new QEvent(static_cast<QEvent::Type>(eventType)));
}

// ---------------------------------------------------------------------------
// One cycle

CHOXMonitorThread::Cycle CHOXMonitorThread::OnExecuteMonitor(CCommMan& comm, const CHOXMonitorPlan& plan,
                                                             std::uint32_t& skipCounter,
                                                             const std::atomic<bool>& stop, CHOXMonitorResult& result,
                                                             int& code)
{
    if (skipCounter < plan.systemResponse) {
        ++skipCounter;
        return Cycle::Skipped;
    }
    skipCounter = 0;
    if (stop.load()) return Cycle::Stopped;
    result = {};
    if (const int failed = comm.mfi_ReadMonitoringInfo(&result.record); failed != 0) {
        code = failed;
        return Cycle::Failed;
    }
    return PollObjects(comm, plan, stop, result) ? Cycle::Read : Cycle::Stopped;
}

bool CHOXMonitorThread::PollObjects(CCommMan& comm, const CHOXMonitorPlan& plan, const std::atomic<bool>& stop,
                                    CHOXMonitorResult& result)
{
    result.readings.reserve(plan.objects.size());
    for (const CHOXMonitorPlan::Object& object : plan.objects) {
        if (stop.load()) return false;
        Reading reading;
        reading.id = object.id;
        reading.kind = object.kind;
        UpdateObject(comm, object, plan.oneAxis, reading);
        result.readings.push_back(std::move(reading));
    }
    return true;
}

void CHOXMonitorThread::UpdateObject(CCommMan& comm, const CHOXMonitorPlan::Object& object, bool oneAxis,
                                     Reading& reading)
{
    switch (object.kind) {
    case Plan::kCurPos: {
        std::int32_t x = 0;
        std::int32_t y = 0;
        reading.read[0] = ReadCurrentPos(comm, x, y, object.unit);
        if (reading.read[0]) {
            reading.words[0][0] = x;
            reading.words[0][1] = y;
        }
        return;
    }
    case Plan::kDevStat: reading.read[0] = ReadDevice(comm, object.devices, reading); return;
    case Plan::kManInputStat:
    case Plan::kKZQWStat:
    case Plan::kProgInfo:
        for (int axis = 0; axis < (oneAxis ? 1 : 2); ++axis) {
            const auto a = static_cast<std::size_t>(axis);
            reading.read[a] = ReadAxis(comm, object.kind, axis, reading.words[a]);
        }
        return;
    case Plan::kPlot: return;
    }
}

bool CHOXMonitorThread::ReadDevice(CCommMan& comm, const CHOXMonitorPlan::Devices& devices, Reading& reading)
{
    using namespace ctrldev;
    const bool pairs = RegistersPerValue(devices.code) == 2;
    const bool zPlain = devices.code == Z && devices.index == kNoIndex;
    if (!devices.singleRegisters || !pairs) {
        int count = devices.rows;
        // A pair that would reach past Z7 is not asked for: its row keeps
        // its value, the rows before it are read.
        if (zPlain) count = std::min(count, (kIndexRegisters - devices.address) / 2);
        if (count <= 0) return false;
        const int width = ValueWidth(devices.code, devices.index);
        std::vector<BYTE> values(static_cast<std::size_t>(count * width));
        if (comm.mfi_ReadDevice(devices.code, devices.address, devices.index, count, values.data()) != 0) return false;
        reading.values = std::move(values);
        reading.sixteenBit = width == 2;
        return true;
    }

    // One register a row: the pairs that hold the rows' registers, moved
    // down by one when the last pair would reach past Z7.
    const int first = devices.address;
    const int rows = devices.rows;
    const int pairCount = (rows + 1) / 2;
    int start = first;
    if (zPlain) start = std::max(0, std::min(first, kIndexRegisters - 2 * pairCount));
    if (rows <= 0) return false;
    std::vector<BYTE> pairBytes(static_cast<std::size_t>(pairCount * 4));
    if (comm.mfi_ReadDevice(devices.code, start, devices.index, pairCount, pairBytes.data()) != 0) return false;
    // Low word first in each pair.
    std::vector<BYTE> values(static_cast<std::size_t>(rows * 2));
    for (int row = 0; row < rows; ++row) {
        const int offset = (first + row - start) * 2;
        if (offset + 2 > static_cast<int>(pairBytes.size())) return false;
        const std::int32_t word = Unsigned16(pairBytes.data() + offset);
        values[static_cast<std::size_t>(row * 2)] = static_cast<BYTE>(word & 0xFF);
        values[static_cast<std::size_t>(row * 2 + 1)] = static_cast<BYTE>(word >> 8);
    }
    reading.values = std::move(values);
    reading.sixteenBit = true;
    return true;
}
