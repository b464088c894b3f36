#pragma once
// Telling window records apart by their type codes, and the one pair of casts
// to the flow-chart record (the subtask chart is one too) and the monitor
// window record. The casts are templates so that a record's class need only
// be complete where a cast is used: the monitor record lives with the online
// code, which the chart layer does not see.
#include "chart/HOXWnd.h"
#include "chart/ObjectTypes.h"

class CHOXFlowWnd;
class CHOXMonWnd;

namespace chart {

inline bool IsFlowRecord(const CHOXWnd* wnd) { return wnd != nullptr && wnd->GetObjectType() == objtype::kFlowWnd; }
inline bool IsMonitorRecord(const CHOXWnd* wnd) { return wnd != nullptr && wnd->GetObjectType() == objtype::kMonWnd; }

// The record as a flow chart, or null for any other record.
template <class Flow = CHOXFlowWnd>
Flow* AsFlowWnd(CHOXWnd* wnd)
{
    return IsFlowRecord(wnd) ? static_cast<Flow*>(wnd) : nullptr;
}
template <class Flow = CHOXFlowWnd>
const Flow* AsFlowWnd(const CHOXWnd* wnd)
{
    return IsFlowRecord(wnd) ? static_cast<const Flow*>(wnd) : nullptr;
}

// The record as the monitor window, or null for any other record.
template <class Mon = CHOXMonWnd>
Mon* AsMonWnd(CHOXWnd* wnd)
{
    return IsMonitorRecord(wnd) ? static_cast<Mon*>(wnd) : nullptr;
}
template <class Mon = CHOXMonWnd>
const Mon* AsMonWnd(const CHOXWnd* wnd)
{
    return IsMonitorRecord(wnd) ? static_cast<const Mon*>(wnd) : nullptr;
}

} // namespace chart
