#pragma once
// One monitoring run as the user-interface thread sees it, from the
// document's Start Monitoring to its Stop. It makes the worker, renews the
// worker's plan from the monitor window as last drawn whenever it takes a
// result, stores each result in the monitor objects through their setters,
// hands the running steps to the running-program tracker and has the
// monitor views redrawn. A link failure is shown once; after the message
// the monitor view's stop timer ends the run.
//
// Nothing here runs while a sender's call waits (CHOXMonCommand): results
// stay queued and the worker waits for them to be taken.
#include "online/monitor/HOXMonitorThread.h"

#include <QString>

#include <functional>
#include <memory>

class CHOXDoc;
class CHOXInstrParser;

// What the running-program tracker does in a monitoring run, in the
// user-interface thread: it follows the running steps of every result, and
// at the stop, before the stop flag, it keeps the frames' placements and
// the program-text windows' corners in the document. It ends after the
// worker has.
class CHOXMonitorTracking {
public:
    virtual ~CHOXMonitorTracking() = default;
    // The running steps of X, Y and the subtask (-1: none); 0 when
    // monitoring ended meanwhile: the result's objects are then left alone.
    virtual int Update(int x, int y, int subtask) = 0;
    virtual void SaveWindowLayout() = 0;
    virtual void SaveProgTextPositions() = 0;
};

class CHOXMonitorSession : public CHOXMonitorThread::Client {
public:
    CHOXMonitorSession();
    // Stops and joins the worker if that has not happened yet.
    ~CHOXMonitorSession() override;
    CHOXMonitorSession(const CHOXMonitorSession&) = delete;
    CHOXMonitorSession& operator=(const CHOXMonitorSession&) = delete;

    // The document, its port, the tracker and, when a chart holds a program
    // in text, the instruction checker its windows use. The worker is made
    // here and started by Resume.
    void Setup(CHOXDoc* doc);
    void Resume();
    // The tracker's stop-time calls, while the document still monitors.
    void SaveWindowLayout();
    void SaveProgTextPositions();
    // The stop flag; then Join waits for the worker and the tracker ends.
    void RequestStop();
    void Join();
    void SetPriority(CHOXMonitorThread::Priority priority);

    CHOXMonitorThread* GetThread() const { return m_pThread.get(); }
    CHOXMonitorTracking* GetTracker() const { return m_pTracker.get(); }
    CHOXInstrParser* GetInstrParser() const { return m_pInstrParser.get(); }

    // The plan of the next cycles: the monitor objects visible at their last
    // drawing, the controller's axes and the "SystemResponse" count.
    static CHOXMonitorPlan MakePlan(const CHOXDoc& doc);
    // The readings go into the monitor objects by id.
    static void ApplyReadings(const CHOXDoc& doc, const CHOXMonitorResult& result);
    // Every monitor view of the document is drawn anew.
    static void InvalidateMonitorViews(const CHOXDoc& doc);

    // The tracker a run makes at its Setup instead of the running-program
    // tracker (empty: that one again); a maker may give none.
    using TrackerMaker = std::function<std::unique_ptr<CHOXMonitorTracking>(CHOXDoc&)>;
    static void SetTrackerMaker(TrackerMaker maker);

    // CHOXMonitorThread::Client
    void OnResultWaiting() override;
    void OnCommError(int code) override;

private:
    // The monitor view's stop timer.
    void ScheduleStop();

    CHOXDoc* m_pDocument = nullptr;
    QString m_strPort;
    std::unique_ptr<CHOXMonitorTracking> m_pTracker;
    std::unique_ptr<CHOXInstrParser> m_pInstrParser;
    std::unique_ptr<CHOXMonitorThread> m_pThread;
    bool m_bStopped = false;
    bool m_bErrorShown = false;
    // False once the session is gone: a message box may outlive it.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
