// A document monitoring the simulated controller, its monitor view hosted in
// memory: results reach the objects and redraw the view, the tracker's
// calls come where and when they must, a link failure shows one message and
// ends monitoring through the view's timer, nothing acts while a sender's
// call waits, and the skip counter outlives the runs.
#include "app/HOXRegistry.h"
#include "app/ProgramState.h"
#include "online/HOXMonCommand.h"
#include "online/comm/CommProtocol.h"
#include "res/CommandIds.h"
#include "symbols/flow/HOXFlowProgText.h"

#include "online/monitor/MonitorSupport.h"

#include <QDir>
#include <QFile>
#include <QTimer>

#include <algorithm>

#include <sys/resource.h>

using namespace kt::test;

namespace {

constexpr UINT kStop = MB_OK | MB_ICONHAND;
const char* const kNoResponse = "ERROR :  No Response from the Target Device.\nCheck the connections with the DA-ZU.";
const char* const kNotOpened = "ERROR : Failed opening ComPort.\nSetup ComPort in Control Panel.";

// What a tracker was told, in order.
struct TrackerLog {
    QStringList calls;
    int answer = 1;
};

class RecordingTracker : public CHOXMonitorTracking {
public:
    RecordingTracker(CHOXDoc& doc, TrackerLog& log) : m_doc(doc), m_log(log) {}
    ~RecordingTracker() override
    {
        const CHOXMonitorSession* session = m_doc.GetMonitorThread();
        const bool ended = session != nullptr && session->GetThread()->HasEnded();
        m_log.calls << (ended ? QStringLiteral("ends after the worker") : QStringLiteral("ends too early"));
    }
    int Update(int x, int y, int subtask) override
    {
        m_log.calls << QStringLiteral("Update %1 %2 %3").arg(x).arg(y).arg(subtask);
        return m_log.answer;
    }
    void SaveWindowLayout() override { m_log.calls << Stage(QStringLiteral("SaveWindowLayout")); }
    void SaveProgTextPositions() override { m_log.calls << Stage(QStringLiteral("SaveProgTextPositions")); }

private:
    // Whether the document still monitors and the worker still runs.
    QString Stage(const QString& call) const
    {
        const bool running = !m_doc.GetMonitorThread()->GetThread()->HasEnded();
        return call + (!m_doc.IsEditMode() && running ? QStringLiteral(" while monitoring") : QStringLiteral(" late"));
    }

    CHOXDoc& m_doc;
    TrackerLog& m_log;
};

class MonitorSessionTest : public MonitorFixture {
protected:
    void SetUp() override
    {
        MonitorFixture::SetUp();
        HostView();
    }

    MemoryViewHost& ViewHost() { return view->host; }
    CHOXMonView& View() { return view->view; }

    // Results applied so far: each redraws the view once.
    int Redrawn() const { return view->host.invalidateAll; }
    // Lets results come until `count` more were applied.
    void RunResults(int count)
    {
        const int until = Redrawn() + count;
        RunUntil([&] { return Redrawn() >= until; });
    }
    static std::size_t MonitoringReads() { return Sim().Log().Of(QStringLiteral("ReadMonitoringInfo")).size(); }

    // The stop timer runs; fired by hand, it ends monitoring.
    void FireStopTimer()
    {
        ASSERT_TRUE(ViewHost().TimerRuns(CHOXMonView::kStopTimer));
        EXPECT_EQ(CHOXMonView::kStopDelay, ViewHost().timers[CHOXMonView::kStopTimer]);
        ViewHost().FireTimer(View(), CHOXMonView::kStopTimer);
    }
};

} // namespace

TEST_F(MonitorSessionTest, StartPollsTheVisibleObjectsAndStopEndsIt)
{
    const Page page = OneOfEach();
    Sim().SetManualInputs(0, {1, 1, 0, 0, 0, 1});
    doc->SetModifiedFlag(false);
    doc->OnMonitorStart();
    ASSERT_NE(doc->GetMonitorThread(), nullptr);
    EXPECT_FALSE(doc->IsEditMode());
    EXPECT_TRUE(doc->IsMonitoring());
    EXPECT_EQ(nullptr, doc->GetMonitorThread()->GetInstrParser()) << "no program in text";
    EXPECT_EQ(QString(), doc->GetMonitoredWindowName(0)) << "no main frame makes no hidden window";

    // Nothing was drawn yet: the record alone is read, and the view redrawn.
    RunResults(1);
    QString name;
    EXPECT_EQ(0, page.inputs->GetInput(0, 0, name));
    EXPECT_TRUE(Sim().Log().Of(QStringLiteral("GetManInputStatus")).empty());
    // Drawn, the objects are read from the next plan on.
    DrawPage();
    RunUntil([&] { return page.inputs->GetInput(0, 0, name) == 1; });
    EXPECT_EQ(1, page.inputs->GetInput(0, 5, name));
    EXPECT_TRUE(Sim().Log().Of(QStringLiteral("WriteManualOprn")).empty());

    // A second start is refused and leaves the run as it is.
    CHOXMonitorSession* run = doc->GetMonitorThread();
    {
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("Application is already in Monitoring mode."), MB_OK | MB_ICONINFORMATION, IDOK);
        doc->OnMonitorStart();
    }
    EXPECT_EQ(run, doc->GetMonitorThread());

    doc->OnMonitorStop();
    EXPECT_TRUE(doc->IsEditMode());
    EXPECT_FALSE(doc->IsMonitoring());
    EXPECT_EQ(nullptr, doc->GetMonitorThread());
    EXPECT_TRUE(doc->IsModified());
    // Nothing is asked after the stop.
    const std::size_t asked = Sim().Log().Size();
    QCoreApplication::processEvents();
    EXPECT_EQ(asked, Sim().Log().Size());
    doc->OnMonitorStop();
    EXPECT_TRUE(doc->IsEditMode()) << "a stop in edit mode does nothing";
}

TEST_F(MonitorSessionTest, ToggleStartsAndStops)
{
    ASSERT_TRUE(doc->OnCmdMsg(ID_MONITOR_TOGGLE, CmdMode::Execute, nullptr));
    EXPECT_TRUE(doc->IsMonitoring());
    RunResults(1);
    ASSERT_TRUE(doc->OnCmdMsg(ID_MONITOR_TOGGLE, CmdMode::Execute, nullptr));
    EXPECT_FALSE(doc->IsMonitoring());
}

TEST_F(MonitorSessionTest, TheTrackerFollowsEachResultAndEndsAfterTheWorker)
{
    TrackerLog log;
    CHOXMonitorSession::SetTrackerMaker(
        [&log](CHOXDoc& d) -> std::unique_ptr<CHOXMonitorTracking> { return std::make_unique<RecordingTracker>(d, log); });
    Sim().SetTaskStep(CSimController::TaskX, 12);
    Sim().SetTaskStep(CSimController::TaskY, 34);
    const Page page = OneOfEach();
    DrawPage();
    doc->OnMonitorStart();
    RunUntil([&] { return !log.calls.isEmpty(); });
    EXPECT_EQ(QStringLiteral("Update 12 34 -1"), log.calls.first());

    // An answer of 0 leaves the objects alone, and the view as it was.
    log.answer = 0;
    Sim().SetManualInputs(1, {1, 1, 1, 1, 1, 1});
    const int redrawn = Redrawn();
    const qsizetype updates = log.calls.size() + 3;
    RunUntil([&] { return log.calls.size() >= updates; });
    EXPECT_EQ(redrawn, Redrawn());
    QString name;
    EXPECT_EQ(0, page.inputs->GetInput(1, 0, name));
    log.answer = 1;
    RunUntil([&] { return page.inputs->GetInput(1, 0, name) == 1; });

    log.calls.clear();
    doc->OnMonitorStop();
    EXPECT_EQ(QStringList({"SaveWindowLayout while monitoring", "SaveProgTextPositions while monitoring",
                           "ends after the worker"}),
              log.calls);
}

TEST_F(MonitorSessionTest, AChartWithAProgramInTextGetsTheCheckerItsWindowsUse)
{
    Chart(QStringLiteral("Press"));
    Place<CHOXFlowProgText>(CPoint(50, 50));
    doc->OnMonitorStart();
    EXPECT_NE(nullptr, doc->GetMonitorThread()->GetInstrParser());
    doc->OnMonitorStop();
}

TEST_F(MonitorSessionTest, WithoutAControllerOneMessageAndTheTimerEndsMonitoring)
{
    const struct {
        const char* name;
        std::function<void()> arrange;
        const char* message;
    } cases[] = {
        {"port leads nowhere", [] { CCommPortSettings::Write(QStringLiteral("COM1"), CCommPortSettings()); },
         kNotOpened},
        {"silent controller", [] { Faults().Add(SimFault(CSimFault::Silence, -1)); }, kNoResponse},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        ScriptedMessages messages;
        messages.Expect(QString::fromLatin1(c.message), kStop, IDOK);
        doc->OnMonitorStart();
        RunUntil([&] { return ViewHost().TimerRuns(CHOXMonView::kStopTimer); });
        EXPECT_EQ(1u, messages.seen.size());
        EXPECT_FALSE(doc->IsEditMode()) << "monitoring ends with the timer";
        FireStopTimer();
        EXPECT_TRUE(doc->IsEditMode());
        EXPECT_EQ(nullptr, doc->GetMonitorThread());
        EXPECT_FALSE(ViewHost().TimerRuns(CHOXMonView::kStopTimer)) << "the timer fires once";
        Faults().Clear();
        SetUp();
    }
}

TEST_F(MonitorSessionTest, AnEndedRunsStopTimerNeverStopsALaterRun)
{
    Faults().Add(SimFault(CSimFault::ForcedResult, commproto::ReadMonitoringInfo, 779));
    {
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("ERROR :  Controller is rejected."), kStop, IDOK);
        doc->OnMonitorStart();
        RunUntil([&] { return ViewHost().TimerRuns(CHOXMonView::kStopTimer); });
    }
    // Stopped before its timer fell due.
    doc->OnMonitorStop();
    EXPECT_FALSE(ViewHost().TimerRuns(CHOXMonView::kStopTimer));
    Faults().Clear();
    doc->OnMonitorStart();
    RunResults(1);
    EXPECT_FALSE(ViewHost().TimerRuns(CHOXMonView::kStopTimer));
    EXPECT_FALSE(doc->IsEditMode());
    doc->OnMonitorStop();
}

TEST_F(MonitorSessionTest, WhileASenderWaitsResultsStayQueuedAndTheStopTimerActsAfterIt)
{
    // The sender's status comes late: its call waits in the library's loop.
    SetTimeout(kLongTimeoutMs);
    Faults().Add(SimFault(CSimFault::SlowReply, commproto::Status, 300));
    doc->OnMonitorStart();
    RunResults(1);
    View().StartStopTimer();
    bool fired = false;
    QTimer::singleShot(0, [&] {
        fired = true;
        ViewHost().FireTimer(View(), CHOXMonView::kStopTimer);
    });
    const int redrawn = Redrawn();
    const std::size_t reads = MonitoringReads();
    {
        CHOXMonCommand sender(doc.get());
        EXPECT_EQ(1, sender.WriteCurrentPos(0, 10, 0));
    }
    EXPECT_TRUE(fired) << "the timer fell due while the call waited";
    EXPECT_FALSE(doc->IsEditMode()) << "no stop under a sender's call";
    EXPECT_EQ(redrawn, Redrawn()) << "no result was taken meanwhile";
    EXPECT_LE(MonitoringReads(), reads + 1) << "the worker waits for its result to be taken";
    RunResults(1);
    // The held timer comes due again after its interval.
    FireStopTimer();
    EXPECT_TRUE(doc->IsEditMode());
    EXPECT_EQ(nullptr, doc->GetMonitorThread());
}

TEST_F(MonitorSessionTest, APulseHoldsTheStopTimerThroughItsPause)
{
    doc->OnMonitorStart();
    RunResults(1);
    View().StartStopTimer();
    bool fired = false;
    QTimer::singleShot(0, [&] {
        fired = true;
        ViewHost().FireTimer(View(), CHOXMonView::kStopTimer);
    });
    {
        CHOXMonCommand sender(doc.get());
        EXPECT_EQ(1, sender.ManualOperation(1, 1, 0));
    }
    EXPECT_TRUE(fired);
    EXPECT_FALSE(doc->IsEditMode()) << "no stop inside the pulse";
    FireStopTimer();
    EXPECT_TRUE(doc->IsEditMode());
}

TEST_F(MonitorSessionTest, ALinkFailureDuringASendersWaitIsShownAfterIt)
{
    SetTimeout(kLongTimeoutMs);
    Faults().Add(SimFault(CSimFault::ForcedResult, commproto::ReadMonitoringInfo, 779));
    Faults().Add(SimFault(CSimFault::SlowReply, commproto::Status, 300));
    doc->OnMonitorStart();
    // The worker has failed, handed its failure over and ended.
    doc->GetMonitorThread()->GetThread()->Join();
    bool returned = false;
    ScriptedMessages messages;
    messages.Expect(QStringLiteral("ERROR :  Controller is rejected."), kStop, IDOK,
                    [&] { EXPECT_TRUE(returned) << "shown while the call waited"; });
    {
        CHOXMonCommand sender(doc.get());
        EXPECT_EQ(1, sender.WriteCurrentPos(0, 10, 0)) << "the sender's own line still works";
        returned = true;
    }
    EXPECT_TRUE(messages.seen.empty());
    RunUntil([&] { return ViewHost().TimerRuns(CHOXMonView::kStopTimer); });
    EXPECT_EQ(1u, messages.seen.size());
    FireStopTimer();
    EXPECT_TRUE(doc->IsEditMode());
}

TEST_F(MonitorSessionTest, AStopTimerHeldByASenderActsOnlyForItsOwnRun)
{
    SetTimeout(kLongTimeoutMs);
    Faults().Add(SimFault(CSimFault::SlowReply, commproto::Status, 300));
    doc->OnMonitorStart();
    View().StartStopTimer();
    QTimer::singleShot(0, [&] { ViewHost().FireTimer(View(), CHOXMonView::kStopTimer); });
    {
        CHOXMonCommand sender(doc.get());
        EXPECT_EQ(1, sender.WriteCurrentPos(0, 10, 0));
        EXPECT_TRUE(ViewHost().TimerRuns(CHOXMonView::kStopTimer)) << "held, it runs on";
        // Stopped and started again before the held timer came due again.
        doc->OnMonitorStop();
        doc->OnMonitorStart();
    }
    EXPECT_FALSE(ViewHost().TimerRuns(CHOXMonView::kStopTimer)) << "the ended run's timer is gone";
    RunResults(1);
    EXPECT_FALSE(doc->IsEditMode()) << "the later run goes on";
    doc->OnMonitorStop();
}

TEST_F(MonitorSessionTest, TheSkipCounterLivesAcrossRunsUntilTheProgramStartsAgain)
{
    // A count so high that no cycle polls: only the counter moves.
    CHOXRegistry().WriteDword("SystemResponse", 0xFFFFFFF0u);
    view.reset();
    NewDocument(ctype::kTwoAxes);
    HostView();
    Program().monitoring.skipCounter = 5;
    std::uint32_t last = 5;
    for (int run = 0; run < 3; ++run) {
        doc->OnMonitorStart();
        doc->OnMonitorStop();
        EXPECT_GE(Program().monitoring.skipCounter, last) << "run " << run;
        last = Program().monitoring.skipCounter;
    }
    EXPECT_TRUE(Sim().Log().Of(QStringLiteral("ReadMonitoringInfo")).empty());
    Program().Reset();
    EXPECT_EQ(0u, Program().monitoring.skipCounter);
}

TEST_F(MonitorSessionTest, TheWorkerCanBeLoweredBelowTheUserInterface)
{
    // The nice values of the program's threads, by the system's word.
    const auto nices = [] {
        std::vector<int> values;
        for (const QString& task : QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile stat(QStringLiteral("/proc/self/task/%1/stat").arg(task));
            if (!stat.open(QIODevice::ReadOnly)) continue;
            // After the command's closing parenthesis: field 19 is the nice value.
            const QByteArray text = stat.readAll();
            const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
            if (fields.size() > 16) values.push_back(fields[16].toInt());
        }
        return values;
    };
    doc->OnMonitorStart();
    RunResults(1);
    // Threads below the user-interface thread.
    const int normal = ::getpriority(PRIO_PROCESS, 0);
    const auto lowered = [&] {
        const std::vector<int> values = nices();
        return std::count_if(values.begin(), values.end(), [normal](int nice) { return nice > normal; });
    };
    EXPECT_EQ(0, lowered());
    doc->SetMonitorThreadPriority(MonitorPriority::BelowNormal);
    EXPECT_EQ(1, lowered()) << "the worker, and only it";
    doc->OnMonitorStop();
    EXPECT_EQ(0, lowered());
}
