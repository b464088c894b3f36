#include "online/monitor/HOXMonitorSession.h"

#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "app/MainFrame.h"
#include "app/ProgramState.h"
#include "chart/ControllerType.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXView.h"
#include "chart/ObjectTypes.h"
#include "convert/HOXInstrParser.h"
#include "online/HOXCommLink.h"
#include "online/HOXMonCommand.h"
#include "online/monitor/HOXMonCurPos.h"
#include "online/monitor/HOXMonDevStat.h"
#include "online/monitor/HOXMonKZQWStat.h"
#include "online/monitor/HOXMonManInputStat.h"
#include "online/monitor/HOXMonPlotObj.h"
#include "online/monitor/HOXMonTracker.h"
#include "online/monitor/HOXMonProgInfo.h"
#include "online/monitor/HOXMonView.h"
#include "online/monitor/HOXMonWnd.h"
#include "symbols/operand/HOXSelectVal.h"

namespace {

using Plan = CHOXMonitorPlan;

CHOXMonitorSession::TrackerMaker& Maker()
{
    static CHOXMonitorSession::TrackerMaker maker;
    return maker;
}

// The running-program tracker of the document, over the frames of the
// program's main window when the document is the program's.
std::unique_ptr<CHOXMonitorTracking> MakeTracker(CHOXDoc& doc)
{
    const CHOXApp* app = CHOXApp::Get();
    CMDIFrameWnd* main = app != nullptr && app->GetDocument() == &doc ? app->MainFrame() : nullptr;
    return std::make_unique<CHOXMonTracker>(&doc, main);
}

// What the worker reads for a monitor object; false for one it never reads
// (a manual-operation button) or cannot address.
bool PlanObject(const CHOXMonObj& object, Plan::Object& entry)
{
    entry.id = static_cast<WORD>(object.GetId());
    switch (object.GetObjectType()) {
    case objtype::kMonCurPos:
        entry.kind = Plan::kCurPos;
        entry.unit = static_cast<const CHOXMonCurPos&>(object).GetUnit();
        return true;
    case objtype::kMonPlotObj: entry.kind = Plan::kPlot; return true;
    case objtype::kMonManInputStat: entry.kind = Plan::kManInputStat; return true;
    case objtype::kMonKZQWStat: entry.kind = Plan::kKZQWStat; return true;
    case objtype::kMonProgInfo: entry.kind = Plan::kProgInfo; return true;
    case objtype::kMonDevStat: {
        const auto& devices = static_cast<const CHOXMonDevStat&>(object);
        const CHOXMonDevStat::Settings& s = devices.GetSettings();
        entry.kind = Plan::kDevStat;
        Plan::Devices& read = entry.devices;
        read.code = CHOXMonCommand::GetDeviceType(s.type, s.top);
        if (read.code < 0 || !CHOXMonCommand::GetIndexArgument(s.indexKind, s.indexNumber, read.index)) return false;
        read.address = CHOXMonCommand::GetDeviceAddress(read.code, s.top);
        read.rows = devices.GetShownCount();
        // Without its 32-bit flag a Z row is one register, Z top + row.
        read.singleRegisters = s.type == CHOXSelectVal::kZ && s.is32Bit == 0;
        return true;
    }
    default: return false;
    }
}

template <class T>
T* As(CHOXMonObj* object, int type)
{
    return object != nullptr && object->GetObjectType() == type ? static_cast<T*>(object) : nullptr;
}

void Apply(CHOXMonObj* object, const CHOXMonitorResult::Reading& r, const CCommMonitor& record)
{
    const auto& w = r.words;
    switch (r.kind) {
    case Plan::kCurPos:
        if (auto* pos = As<CHOXMonCurPos>(object, objtype::kMonCurPos); pos != nullptr && r.read[0])
            pos->SetPositions(w[0][0], w[0][1]);
        return;
    case Plan::kPlot:
        if (auto* plot = As<CHOXMonPlotObj>(object, objtype::kMonPlotObj)) plot->AddSample(record.m_plotX, record.m_plotY);
        return;
    case Plan::kDevStat:
        if (auto* devices = As<CHOXMonDevStat>(object, objtype::kMonDevStat); devices != nullptr && r.read[0])
            devices->SetValues(r.values, r.sixteenBit);
        return;
    case Plan::kManInputStat:
        if (auto* inputs = As<CHOXMonManInputStat>(object, objtype::kMonManInputStat))
            for (int axis = 0; axis < 2; ++axis) {
                const auto& v = w[static_cast<std::size_t>(axis)];
                if (r.read[static_cast<std::size_t>(axis)]) inputs->SetInputs(axis, v[0], v[1], v[2], v[3], v[4], v[5]);
            }
        return;
    case Plan::kKZQWStat:
        if (auto* status = As<CHOXMonKZQWStat>(object, objtype::kMonKZQWStat))
            for (int axis = 0; axis < 2; ++axis) {
                const auto& v = w[static_cast<std::size_t>(axis)];
                if (r.read[static_cast<std::size_t>(axis)]) status->SetStatus(axis, v[0], v[1], v[2], v[3]);
            }
        return;
    case Plan::kProgInfo:
        if (auto* info = As<CHOXMonProgInfo>(object, objtype::kMonProgInfo))
            for (int axis = 0; axis < 2; ++axis) {
                const auto& v = w[static_cast<std::size_t>(axis)];
                if (r.read[static_cast<std::size_t>(axis)]) info->SetInfo(axis, v[0], v[1], v[2]);
            }
        return;
    }
}

} // namespace

CHOXMonitorSession::CHOXMonitorSession() = default;

CHOXMonitorSession::~CHOXMonitorSession()
{
    *m_alive = false;
    CHOXMonCommand::ForgetWaiting(this);
    RequestStop();
    Join();
}

void CHOXMonitorSession::SetTrackerMaker(TrackerMaker maker) { Maker() = std::move(maker); }

void CHOXMonitorSession::Setup(CHOXDoc* doc)
{
    m_pDocument = doc;
    m_strPort = doc->GetComPortName();
    if (!m_pTracker) m_pTracker = Maker() ? Maker()(*doc) : MakeTracker(*doc);
    // The program-text windows check the lines they select.
    bool programInText = false;
    for (const auto& [name, wnd] : doc->GetWindowMap()) {
        for (const auto& [id, object] : wnd->GetObjectMap())
            if (object && object->GetObjectType() == objtype::kFlowProgText) programInText = true;
        if (programInText) break;
    }
    if (programInText && !m_pInstrParser) m_pInstrParser = std::make_unique<CHOXInstrParser>(&doc->GetParam());
    m_pThread = std::make_unique<CHOXMonitorThread>(*this, m_strPort, Program().monitoring.skipCounter);
}

void CHOXMonitorSession::Resume()
{
    if (m_pThread && m_pDocument != nullptr) m_pThread->Resume(MakePlan(*m_pDocument));
}

void CHOXMonitorSession::SaveWindowLayout()
{
    if (m_pTracker && m_pDocument != nullptr && !m_pDocument->IsEditMode()) m_pTracker->SaveWindowLayout();
}

void CHOXMonitorSession::SaveProgTextPositions()
{
    if (m_pTracker && m_pDocument != nullptr && !m_pDocument->IsEditMode()) m_pTracker->SaveProgTextPositions();
}

void CHOXMonitorSession::RequestStop()
{
    m_bStopped = true;
    if (m_pThread) m_pThread->RequestStop();
}

void CHOXMonitorSession::Join()
{
    if (m_pThread) m_pThread->Join();
    // Its marks and windows go only now that nothing polls any more.
    m_pTracker.reset();
}

void CHOXMonitorSession::SetPriority(CHOXMonitorThread::Priority priority)
{
    if (m_pThread) m_pThread->SetPriority(priority);
}

// ---------------------------------------------------------------------------
// Plans and results

CHOXMonitorPlan CHOXMonitorSession::MakePlan(const CHOXDoc& doc)
{
    CHOXMonitorPlan plan;
    plan.oneAxis = ctype::IsOneAxis(doc.GetControllerType());
    plan.systemResponse = static_cast<std::uint32_t>(doc.GetSystemResponse());
    const CHOXMonWnd* wnd = doc.GetMonWnd();
    if (wnd == nullptr) return plan;
    for (const auto& [id, object] : wnd->GetMonObjMap()) {
        const auto* monitored = dynamic_cast<const CHOXMonObj*>(object.get());
        CHOXMonitorPlan::Object entry;
        if (monitored != nullptr && monitored->IsVisible() && PlanObject(*monitored, entry))
            plan.objects.push_back(entry);
    }
    return plan;
}

void CHOXMonitorSession::ApplyReadings(const CHOXDoc& doc, const CHOXMonitorResult& result)
{
    const CHOXMonWnd* wnd = doc.GetMonWnd();
    if (wnd == nullptr) return;
    for (const CHOXMonitorResult::Reading& reading : result.readings)
        Apply(wnd->LookupMonObj(reading.id), reading, result.record);
}

void CHOXMonitorSession::InvalidateMonitorViews(const CHOXDoc& doc)
{
    for (CView* view : doc.GetViews()) {
        auto* chart = dynamic_cast<CHOXView*>(view);
        if (chart != nullptr && chart->GetViewType() == objtype::kMonView) chart->Invalidate(true);
    }
}

// ---------------------------------------------------------------------------
// The worker's calls

void CHOXMonitorSession::OnResultWaiting()
{
    if (m_bStopped || !m_pThread || m_pDocument == nullptr) return;
    if (CHOXMonCommand::IsWaiting()) {
        CHOXMonCommand::AfterWaiting(this, [this] { OnResultWaiting(); });
        return;
    }
    CHOXMonitorResult result;
    if (!m_pThread->TakeResult(result, MakePlan(*m_pDocument))) return;
    if (m_pDocument->IsEditMode()) return;
    const CCommMonitor& record = result.record;
    if (m_pTracker && m_pTracker->Update(record.m_stepX, record.m_stepY, record.m_stepSub) == 0) return;
    ApplyReadings(*m_pDocument, result);
    InvalidateMonitorViews(*m_pDocument);
}

void CHOXMonitorSession::OnCommError(int code)
{
    if (m_bStopped || m_bErrorShown || m_pDocument == nullptr) return;
    if (CHOXMonCommand::IsWaiting()) {
        CHOXMonCommand::AfterWaiting(this, [this, code] { OnCommError(code); });
        return;
    }
    m_bErrorShown = true;
    const std::shared_ptr<bool> alive = m_alive;
    CHOXApp::ShowCommError(code, CHOXCommLink::DescribePort(m_strPort));
    if (!*alive || m_bStopped) return;
    ScheduleStop();
}

void CHOXMonitorSession::ScheduleStop()
{
    CHOXMonWnd* wnd = m_pDocument->GetMonWnd();
    if (auto* view = wnd != nullptr ? dynamic_cast<CHOXMonView*>(wnd->GetView()) : nullptr) view->StartStopTimer();
}
