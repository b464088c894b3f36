// Starting and stopping monitoring again and again, with the stop falling
// before the worker opened its port, while it waits for a reply, and while
// its result waits to be taken: every stop returns, no result arrives after
// it, and no thread is left behind. Leaks show at the test program's end.
#include "online/comm/CommProtocol.h"

#include "online/monitor/MonitorSupport.h"

#include <QDir>

#include <chrono>
#include <thread>

using namespace kt::test;

namespace {

class MonitorStressTest : public MonitorFixture {
protected:
    void SetUp() override
    {
        MonitorFixture::SetUp();
        HostView();
        OneOfEach();
        DrawPage();
    }

    static int Threads() { return static_cast<int>(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size()); }
    static std::size_t MonitoringReads() { return Sim().Log().Of(QStringLiteral("ReadMonitoringInfo")).size(); }
    void Start()
    {
        m_readsAtStart = MonitoringReads();
        doc->OnMonitorStart();
    }
    // Waits, without taking any result, until the controller was asked for
    // the record `count` times since the run started. Counted from the wait
    // instead, a read the worker made before it would be waited for anew,
    // while the worker, whose result nobody takes, asks no more.
    void WaitForReads(std::size_t count) const
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (MonitoringReads() < m_readsAtStart + count) {
            if (std::chrono::steady_clock::now() > deadline) {
                ADD_FAILURE() << "the controller was not asked for the record";
                return;
            }
            std::this_thread::yield();
        }
    }
    std::size_t m_readsAtStart = 0;

    // One run stopped at the moment `when` arranges; what reaches the page
    // after the stop is nothing.
    void RunAndStop(const std::function<void()>& when)
    {
        Start();
        when();
        doc->OnMonitorStop();
        ASSERT_TRUE(doc->IsEditMode());
        ASSERT_EQ(nullptr, doc->GetMonitorThread());
        const int redrawn = view->host.invalidateAll;
        const std::size_t asked = Sim().Log().Size();
        QCoreApplication::processEvents();
        EXPECT_EQ(redrawn, view->host.invalidateAll) << "a result queued at the stop is dropped";
        EXPECT_EQ(asked, Sim().Log().Size());
    }
};

} // namespace

TEST_F(MonitorStressTest, StopsAtEveryMomentOfARunReturnAndLeaveNoThread)
{
    // A run to its end first: the threads that live on are there by now.
    RunAndStop([this] { WaitForReads(1); });
    const int threads = Threads();
    const struct {
        const char* name;
        std::function<void()> when;
    } moments[] = {
        {"before the port opens", [] {}},
        {"while a result waits", [this] { WaitForReads(1); }},
        {"after a result was taken", [this] {
             const int redrawn = view->host.invalidateAll;
             RunUntil([&] { return view->host.invalidateAll > redrawn; });
         }},
        {"while a reply is late",
         [this] {
             // The reply comes a little late: the stop waits for it.
             Faults().Add(SimFault(CSimFault::SlowReply, commproto::GetProgInfo, 5));
             WaitForReads(1);
         }},
    };
    for (int round = 0; round < 25; ++round) {
        for (const auto& moment : moments) {
            SCOPED_TRACE(moment.name);
            RunAndStop(moment.when);
            Faults().Clear();
            if (HasFatalFailure()) return;
        }
    }
    // A joined thread may take a moment to leave the system's list; one
    // that never leaves keeps the test from ending.
    RunUntil([&] { return Threads() <= threads; });
    EXPECT_LE(Threads(), threads) << "no worker and no port thread is left";
}

TEST_F(MonitorStressTest, ADocumentThatGoesWhileMonitoringEndsItsWorkerFirst)
{
    for (int round = 0; round < 20; ++round) {
        Start();
        if (round % 2 == 1) WaitForReads(1);
        view.reset();
        NewDocument(ctype::kTwoAxes);
        HostView();
        OneOfEach();
        DrawPage();
    }
}
