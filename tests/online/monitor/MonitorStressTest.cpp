// Starting and stopping monitoring again and again, with the stop falling
// before the worker opened its port, while it waits for a reply, and while
// its result waits to be taken: every stop returns, no result arrives after
// it, and no thread is left behind. Leaks show at the test program's end.
#include "online/comm/CommProtocol.h"

#include "online/monitor/MonitorSupport.h"

#include <QDir>

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
    // Waits, without taking any result, until the controller was asked for
    // the record `count` more times.
    static void WaitForReads(std::size_t count)
    {
        const std::size_t until = MonitoringReads() + count;
        while (MonitoringReads() < until) std::this_thread::yield();
    }

    // One run stopped at the moment `when` arranges; what reaches the page
    // after the stop is nothing.
    void RunAndStop(const std::function<void()>& when)
    {
        doc->OnMonitorStart();
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
    RunAndStop([] { WaitForReads(1); });
    const int threads = Threads();
    const struct {
        const char* name;
        std::function<void()> when;
    } moments[] = {
        {"before the port opens", [] {}},
        {"while a result waits", [] { WaitForReads(1); }},
        {"after a result was taken", [this] {
             const int redrawn = view->host.invalidateAll;
             RunUntil([&] { return view->host.invalidateAll > redrawn; });
         }},
        {"while a reply is late",
         [] {
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
        doc->OnMonitorStart();
        if (round % 2 == 1) WaitForReads(1);
        view.reset();
        NewDocument(ctype::kTwoAxes);
        HostView();
        OneOfEach();
        DrawPage();
    }
}
