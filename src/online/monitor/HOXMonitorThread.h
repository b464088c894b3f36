#pragma once
// The monitoring worker: one thread that polls the running controller
// through a connection of its own while the user-interface thread shows what
// it read. It knows neither the document nor a window: each polling cycle
// reads what its plan names (plain data, renewed by the user-interface thread
// with every result it takes), hands the readings over and waits until they
// are taken. It touches nothing but its plan, its own CCommMan and the
// flags below.
//
// A cycle's readings reach the user-interface thread as a queued call; at
// most one result waits at a time, and the worker waits until it is taken
// or the run is stopped. The run ends when it is stopped or at its first
// link failure, which is handed over once; the worker closes its port
// either way.
#include "online/comm/CommMonitor.h"
#include "platform/Types.h"

#include <QString>

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class CCommMan;
class QObject;

// The worker's priority: lowered while program texts are shown, so the user
// interface stays responsive.
enum class MonitorPriority : int { Normal, BelowNormal };

// What one polling cycle reads besides the monitoring record.
struct CHOXMonitorPlan {
    // What is read for an object.
    enum Kind : int {
        kCurPos,       // the two current positions, in the object's unit
        kPlot,         // nothing: the record's plot sample goes to it
        kDevStat,      // a column of devices
        kManInputStat, // the manual inputs of each axis
        kKZQWStat,     // the status signals of each axis
        kProgInfo,     // what each axis executes
    };
    // A column of devices as the link addresses them.
    struct Devices {
        int code = 0;    // ctrldev::Code
        int address = 0; // of the first row
        int index = -1;  // the link's index argument
        int rows = 0;    // the rows shown
        // Each row is one register of a code the link reads in register
        // pairs (Z without its 32-bit flag): the pairs that hold the rows are
        // read and each row takes its own half.
        bool singleRegisters = false;
    };
    struct Object {
        WORD id = 0;
        Kind kind = kCurPos;
        int unit = 0; // kCurPos: 0 command units, 1 pulses
        Devices devices;
    };

    // The objects that were visible at their last drawing, in the order of
    // the monitor window's map.
    std::vector<Object> objects;
    // The one-axis controller: axis 0 only.
    bool oneAxis = false;
    // How many cycles are skipped before each one that polls.
    std::uint32_t systemResponse = 0;
};

// What one cycle read.
struct CHOXMonitorResult {
    struct Reading {
        WORD id = 0;
        CHOXMonitorPlan::Kind kind = CHOXMonitorPlan::kCurPos;
        // Whether the read of axis 0 and of axis 1 succeeded; kCurPos and
        // kDevStat use the first only. A failed read stores nothing.
        std::array<bool, 2> read{};
        // Per axis: the status's 4, the inputs' 6 or the information's 3
        // words in the order of their records; kCurPos: X and Y in the
        // first.
        std::array<std::array<std::int32_t, 6>, 2> words{};
        // kDevStat: the rows' values, little-endian, 2 bytes each with
        // sixteenBit, else 4.
        std::vector<BYTE> values;
        bool sixteenBit = false;
    };

    CCommMonitor record;
    // One per object of the plan, in its order.
    std::vector<Reading> readings;
};

class CHOXMonitorThread {
public:
    // The user-interface side of a run. Called in the user-interface thread
    // from its event loop, never while the worker is stopped.
    class Client {
    public:
        virtual ~Client() = default;
        // A result waits; TakeResult takes it.
        virtual void OnResultWaiting() = 0;
        // The run's first link failure, with the code the link recorded; the
        // worker has closed its port and ends.
        virtual void OnCommError(int code) = 0;
    };
    using Priority = MonitorPriority;
    // How a cycle ended.
    enum class Cycle { Skipped, Stopped, Failed, Read };

    // Made in the user-interface thread; the worker starts with Resume. The
    // skip counter belongs to the program and is this run's while it runs.
    CHOXMonitorThread(Client& client, QString port, std::uint32_t& skipCounter);
    // Stops and joins the worker.
    ~CHOXMonitorThread();
    CHOXMonitorThread(const CHOXMonitorThread&) = delete;
    CHOXMonitorThread& operator=(const CHOXMonitorThread&) = delete;

    // Starts the worker with its first plan.
    void Resume(CHOXMonitorPlan plan);
    // Takes the waiting result and gives the plan of the next cycles; false
    // when none waits (it was taken, or the run was stopped).
    bool TakeResult(CHOXMonitorResult& result, CHOXMonitorPlan next);
    // The stop flag: no cycle starts and no object is read after it, a
    // waiting result is dropped and a call already queued does nothing.
    void RequestStop();
    // Waits for the worker's end: after a stop, at most one link call in
    // progress; after a failure, at once.
    void Join();
    bool IsFailed() const { return m_failed.load(); }
    // Joined: nothing of the worker runs any more.
    bool HasEnded() const { return !m_thread.joinable(); }
    // The priority of the worker, from now on or from its start.
    void SetPriority(Priority priority);
    Priority GetPriority() const { return static_cast<Priority>(m_priority.load()); }
    // The worker's processor time so far (0 before it starts or after it
    // ended).
    std::chrono::nanoseconds CpuTime() const;

    // One polling cycle: the skip rule, then the monitoring record and the
    // plan's objects. Failed (with the link's code) only when the record
    // cannot be read; an object that cannot be read is left out silently.
    static Cycle OnExecuteMonitor(CCommMan& comm, const CHOXMonitorPlan& plan, std::uint32_t& skipCounter,
                                  const std::atomic<bool>& stop, CHOXMonitorResult& result, int& code);
    // The plan's objects, each until the stop flag is seen; false then.
    static bool PollObjects(CCommMan& comm, const CHOXMonitorPlan& plan, const std::atomic<bool>& stop,
                            CHOXMonitorResult& result);
    // One object's reads; axis 1 unless one-axis, whatever became of axis 0.
    static void UpdateObject(CCommMan& comm, const CHOXMonitorPlan::Object& object, bool oneAxis,
                             CHOXMonitorResult::Reading& reading);
    // A column of devices; true when read.
    static bool ReadDevice(CCommMan& comm, const CHOXMonitorPlan::Devices& devices,
                           CHOXMonitorResult::Reading& reading);

private:
    class Receiver;

    // In the worker thread.
    void Run();
    void Poll();
    // Hands the result over and waits until it is taken; false when the run
    // was stopped.
    bool HandOver(CHOXMonitorResult& result);
    void ReportCommError(CCommMan& comm, int code);
    void Post(int eventType);
    void ApplyPriority();
    // In the user-interface thread, for the queued calls.
    void OnQueuedResult();
    void OnQueuedError();

    Client& m_client;
    const QString m_port;
    std::uint32_t& m_skipCounter;
    std::unique_ptr<QObject> m_receiver;
    std::thread m_thread;

    std::mutex m_mutex;
    std::condition_variable m_taken;
    CHOXMonitorPlan m_plan;
    bool m_planRenewed = false;
    CHOXMonitorResult m_pending;
    bool m_hasPending = false;
    int m_errorCode = 0;

    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_failed{false};
    std::atomic<int> m_priority{static_cast<int>(Priority::Normal)};
    std::atomic<int> m_kernelId{0};
    // The worker's nice value at its start.
    std::atomic<int> m_normalNice{0};
    // The user-interface thread's own record that it stopped the run.
    bool m_stopRequested = false;
};
