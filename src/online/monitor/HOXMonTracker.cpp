#include "online/monitor/HOXMonTracker.h"

#include "app/HOXDoc.h"
#include "chart/ControllerType.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXSymbol.h"
#include "chart/HOXView.h"
#include "chart/ObjectTypes.h"
#include "online/monitor/HOXMonProgTextDlg.h"
#include "online/monitor/HOXMonWnd.h"
#include "platform/MDI.h"
#include "symbols/flow/HOXFlowMonInfo.h"
#include "symbols/flow/HOXFlowProgText.h"

#include <QHash>

namespace {

// The symbol of the id in the window (through what it shows); null when
// either is missing.
CHOXSymbol* SymbolIn(const CHOXFlowWnd* wnd, int id)
{
    if (wnd == nullptr || id < 0 || id > 0xFFFF) return nullptr;
    return dynamic_cast<CHOXSymbol*>(wnd->LookupObject(static_cast<WORD>(id)));
}

std::int32_t MarkOf(const CHOXSymbol& symbol, int axis)
{
    switch (axis) {
    case CHOXMonTracker::kX: return symbol.GetMonitorMark1();
    case CHOXMonTracker::kY: return symbol.GetMonitorMark2();
    default: return symbol.GetMonitorMark3();
    }
}

void SetMarkOf(CHOXSymbol& symbol, int axis, std::int32_t mark)
{
    switch (axis) {
    case CHOXMonTracker::kX: symbol.SetMonitorMark1(mark); break;
    case CHOXMonTracker::kY: symbol.SetMonitorMark2(mark); break;
    default: symbol.SetMonitorMark3(mark); break;
    }
}

// The document's windows by name, as FindWindowByName finds them (names
// compared in upper case, the first in the map's order), for one walk of
// the step map: a name is looked up once while the records of its window
// follow one another, and no lookup walks the windows.
class WindowsByName {
public:
    explicit WindowsByName(const CHOXDoc& doc)
    {
        for (const auto& [key, wnd] : doc.GetWindowMap())
            if (!m_windows.contains(wnd->GetUpperName())) m_windows.insert(wnd->GetUpperName(), wnd.get());
    }
    const CHOXFlowWnd* Find(const QString& name)
    {
        if (m_hasLast && name == m_lastName) return m_last;
        m_hasLast = true;
        m_lastName = name;
        m_last = m_windows.value(name.toUpper(), nullptr);
        return m_last;
    }

private:
    QHash<QString, const CHOXFlowWnd*> m_windows;
    bool m_hasLast = false;
    QString m_lastName;
    const CHOXFlowWnd* m_last = nullptr;
};

} // namespace

CHOXMonTracker::CHOXMonTracker(CHOXDoc* doc, CMDIFrameWnd* mainFrame)
    : m_pDocument(doc), m_pMainFrame(mainFrame),
      m_nYFlag(doc != nullptr && ctype::HasIndependentAxes(doc->GetControllerType()) ? 1 : 0),
      m_nControllerType(doc != nullptr ? doc->GetControllerType() : ctype::kTwoAxes)
{
}

CHOXMonTracker::~CHOXMonTracker()
{
    DestroyProgTextDialogs();
    if (m_pDocument == nullptr) return;
    // Each mark where it was set: in the chart of the last name.
    for (int axis = 0; axis < kAxes; ++axis) {
        const auto i = static_cast<std::size_t>(axis);
        if (m_lastIds[i] == -1) continue;
        if (CHOXSymbol* symbol = SymbolIn(m_pDocument->FindWindowByName(m_lastNames[i]), m_lastIds[i]))
            SetMarkOf(*symbol, axis, 0);
    }
}

bool CHOXMonTracker::IsMonitoring() const { return m_pDocument != nullptr && !m_pDocument->IsEditMode(); }

CMDIChildWnd* CHOXMonTracker::FrameOf(const CHOXWnd* record) const
{
    if (m_pMainFrame == nullptr || record == nullptr) return nullptr;
    return m_pMainFrame->FrameOfView(record->GetView());
}

CHOXFlowWnd* CHOXMonTracker::GetMonitoredWindow(int axis) const
{
    if (m_pDocument == nullptr) return nullptr;
    const QString name = m_pDocument->GetMonitoredWindowName(axis);
    return name.isEmpty() ? nullptr : m_pDocument->FindWindowByName(name);
}

CHOXMonProgTextDlg* CHOXMonTracker::GetProgTextDlg(int axis) const
{
    return m_dialogs.at(static_cast<std::size_t>(axis)).get();
}

// ---------------------------------------------------------------------------
// Following the steps

int CHOXMonTracker::Update(int x, int y, int subtask)
{
    if (!IsMonitoring()) return 0;
    // While the charts cannot be seen, only the objects are read.
    CMDIChildWnd* monitorFrame = FrameOf(m_pDocument->GetMonitorRecord());
    if ((m_pMainFrame != nullptr && m_pMainFrame->IsIconic()) ||
        (monitorFrame != nullptr && monitorFrame->IsWindowVisible() && monitorFrame->IsZoomed())) {
        DestroyProgTextDialogs();
        return 1;
    }
    const bool request = m_pDocument->IsDefaultPositionRequested();
    if (m_nArranged == 0 || request) {
        ArrangeWindows(GetMonitoredWindow(kX), m_nYFlag == 1 ? GetMonitoredWindow(kY) : nullptr,
                       GetMonitoredWindow(kSubtask));
        m_nArranged = 1;
        m_pDocument->SetDefaultPositionRequest(false);
    }
    if (request)
        for (const auto& dialog : m_dialogs)
            if (dialog) dialog->PlaceWindow(true);
    const std::array<int, kAxes> steps{x, y, subtask};
    for (int axis = 0; axis < kAxes; ++axis) {
        if (axis == kY && m_nYFlag != 1) continue;
        const auto i = static_cast<std::size_t>(axis);
        const int answer = steps[i] != -1 ? HighlightStep(steps[i], m_lastNames[i], m_lastIds[i], axis)
                                          : ClearMark(m_lastNames[i], m_lastIds[i], axis);
        if (answer == 0) return 0;
    }
    return 1;
}

CHOXMonTracker::StepPlace CHOXMonTracker::FindStep(int step) const
{
    if (!IsMonitoring()) return {};
    WindowsByName windows(*m_pDocument);
    for (const auto& info : m_pDocument->GetStepInfoList()) {
        const CHOXSymbol* symbol = SymbolIn(windows.Find(info->GetWindowName()), info->GetSymbolId());
        if (symbol == nullptr) break;
        // Wide, so that no first step of a damaged file overflows.
        const std::int64_t first = info->GetStep();
        if (first <= step && step < first + symbol->GetSteps())
            return {info->GetSymbolId(), info->GetWindowName(), info->GetStep()};
    }
    return {};
}

int CHOXMonTracker::HighlightStep(int step, QString& lastName, int& lastId, int axis)
{
    if (!IsMonitoring()) return 0;
    if (IsAxisCovered(axis)) return 1;
    const StepPlace place = FindStep(step);
    if (place.id == -1 || place.name.isEmpty()) {
        ClearMark(lastName, lastId, axis);
        return 1;
    }
    if (place.name != lastName) FollowWindow(place.name, axis);
    if (MoveMark(place.id, lastId, lastName, place.name, step, place.firstStep, axis) == 0) return 0;
    lastId = place.id;
    lastName = place.name;
    return 1;
}

int CHOXMonTracker::MoveMark(int newId, int oldId, const QString& oldName, const QString& newName, int step,
                             int firstStep, int axis)
{
    if (!IsMonitoring()) return 0;
    CHOXFlowWnd* wnd = GetMonitoredWindow(axis);
    if (oldId != -1 && oldId != newId) ClearMark(oldName, oldId, axis);
    // Each result brings the step again: the symbol marked already, in the
    // chart shown already, needs no new picture (a scroll paints itself).
    bool changed = newId != oldId || newName != oldName;
    if (CHOXSymbol* symbol = newId != -1 ? SymbolIn(wnd, newId) : nullptr) {
        ScrollToSymbol(wnd, symbol->m_position);
        if (MarkOf(*symbol, axis) == 0) changed = true;
        SetMark(symbol, axis);
        if (symbol->GetObjectType() == objtype::kFlowProgText)
            ShowProgText(static_cast<CHOXFlowProgText*>(symbol), step, firstStep, axis);
        else
            HideProgText(axis);
    }
    if (changed && wnd != nullptr && wnd->GetView() != nullptr) wnd->GetView()->Invalidate(true);
    return 1;
}

int CHOXMonTracker::ClearMark(const QString& name, int id, int axis)
{
    if (!IsMonitoring()) return 0;
    if (id == -1 || name.isEmpty()) return 1;
    CHOXSymbol* symbol = SymbolIn(m_pDocument->FindWindowByName(name), id);
    if (symbol == nullptr || MarkOf(*symbol, axis) == 0) return 1;
    SetMarkOf(*symbol, axis, 0);
    // The monitored window shows the mark: it goes from the screen too.
    const CHOXFlowWnd* wnd = GetMonitoredWindow(axis);
    if (wnd != nullptr && wnd->GetView() != nullptr) wnd->GetView()->Invalidate(true);
    return 1;
}

void CHOXMonTracker::SetMark(CHOXSymbol* symbol, int axis)
{
    if (symbol != nullptr) SetMarkOf(*symbol, axis, 1);
}

void CHOXMonTracker::FollowWindow(const QString& name, int axis)
{
    CHOXFlowWnd* wnd = GetMonitoredWindow(axis);
    CHOXFlowWnd* chart = m_pDocument != nullptr ? m_pDocument->FindWindowByName(name) : nullptr;
    if (wnd == nullptr || chart == nullptr || wnd == chart) return;
    wnd->CopyMapsFrom(*chart);
    switch (axis) {
    case kX: wnd->m_nDisplayFirst = 1; break;
    case kY: wnd->m_nDisplaySecond = 1; break;
    default: wnd->m_nDisplayThird = 1; break;
    }
}

void CHOXMonTracker::ScrollToSymbol(CHOXFlowWnd* wnd, const CRect& bounds)
{
    CHOXView* view = wnd != nullptr ? wnd->GetView() : nullptr;
    if (view == nullptr) return;
    const CSize total = view->GetTotalSize();
    const CRect client = view->GetClientRect();
    if (total.cx <= client.Width() && total.cy <= client.Height()) return;
    // The scroll position is in device pixels: the corner, moved by half
    // the client area, is added to where the view stands now.
    const CRect shown = view->DocToClient(bounds);
    const CPoint scroll = view->GetScrollPosition();
    view->ScrollToPosition(
        CPoint(scroll.x + shown.left - client.Width() / 2, scroll.y + shown.top - client.Height() / 2));
}

bool CHOXMonTracker::IsAxisCovered(int axis)
{
    CHOXFlowWnd* wnd = GetMonitoredWindow(axis);
    if (wnd == nullptr) return false;
    const CMDIChildWnd* frame = FrameOf(wnd);
    if (frame != nullptr && frame->IsIconic()) {
        DestroyProgTextDialog(axis);
        return true;
    }
    const bool zoomed = frame != nullptr && frame->IsZoomed();
    bool covered = false;
    for (int other = 0; other < kAxes; ++other) {
        if (other == axis) continue;
        CHOXMonProgTextDlg* dialog = GetProgTextDlg(other);
        if (zoomed && dialog != nullptr) dialog->ShowWindow(SW_HIDE);
        const CMDIChildWnd* otherFrame = FrameOf(GetMonitoredWindow(other));
        if (otherFrame != nullptr && otherFrame->IsZoomed()) covered = true;
    }
    return covered;
}

// ---------------------------------------------------------------------------
// Frames

QString CHOXMonTracker::FrameCaption(int axis, std::int32_t controllerType)
{
    switch (axis) {
    case kX:
        return ctype::IsInterpolated(controllerType) ? QStringLiteral("X-axis and Y-axis - Monitor Mode")
                                                     : QStringLiteral("X-axis - Monitor Mode");
    case kY: return QStringLiteral("Y-axis - Monitor Mode");
    default: return QStringLiteral("Sub-Task - Monitor Mode");
    }
}

QString CHOXMonTracker::ProgTextCaption(int axis)
{
    switch (axis) {
    case kX: return QStringLiteral("Monitoring Program In Text(X axis)");
    case kY: return QStringLiteral("Monitoring Program In Text(Y axis)");
    default: return QStringLiteral("Monitoring Program In Text(Subtask)");
    }
}

CRect CHOXMonTracker::DefaultRect(int frame, const CRect& area)
{
    const int w2 = (area.right - area.left) / 2;
    const int h2 = (area.bottom - area.top) / 2;
    const int midX = area.right / 2;
    const int midY = area.bottom / 2;
    switch (frame) {
    case kMonitorFrame: return CRect(area.left, area.top, area.left + w2, area.top + h2);
    case kX: return CRect(midX, area.top, midX + w2, area.top + h2);
    case kY: return CRect(midX, midY, midX + w2, midY + h2);
    default: return CRect(area.left, midY, area.left + w2, midY + h2);
    }
}

int CHOXMonTracker::ArrangeWindows(CHOXFlowWnd* x, CHOXFlowWnd* y, CHOXFlowWnd* subtask)
{
    if (!IsMonitoring()) return 0;
    // By the document's rectangles: X, Y, subtask, monitor.
    const std::array<CMDIChildWnd*, 4> frames{FrameOf(x), FrameOf(y), FrameOf(subtask),
                                              FrameOf(m_pDocument->GetMonitorRecord())};
    for (int axis = 0; axis < kAxes; ++axis)
        if (CMDIChildWnd* frame = frames[static_cast<std::size_t>(axis)])
            frame->SetWindowText(FrameCaption(axis, m_nControllerType));
    const CRect area = m_pMainFrame != nullptr ? m_pMainFrame->GetMDIClientRect() : CRect();
    const bool request = m_pDocument->IsDefaultPositionRequested();
    for (int i : {kMonitorFrame, kX, kY, kSubtask}) {
        CMDIChildWnd* frame = frames[static_cast<std::size_t>(i)];
        if (frame == nullptr) continue;
        const CRect& kept = m_pDocument->GetStoredRect(i);
        const bool useKept = !request && !kept.IsRectNull();
        frame->SetWindowPlacement(useKept ? kept : DefaultRect(i, area), SW_SHOWNORMAL);
    }
    return 1;
}

void CHOXMonTracker::SaveWindowLayout()
{
    if (!IsMonitoring()) return;
    // Frames never arranged stand where they were made, hidden: that is no
    // place of the user's to keep.
    if (m_nArranged == 0) return;
    std::array<CMDIChildWnd*, 4> frames{
        FrameOf(GetMonitoredWindow(kX)), m_nYFlag == 1 ? FrameOf(GetMonitoredWindow(kY)) : nullptr,
        FrameOf(GetMonitoredWindow(kSubtask)), FrameOf(m_pDocument->GetMonitorRecord())};
    for (std::size_t i = 0; i < frames.size(); ++i)
        if (frames[i] == nullptr && (i != kY || m_nYFlag == 1)) return;
    std::array<CRect, 4> rects{};
    bool moved = false;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        if (frames[i] != nullptr) rects[i] = frames[i]->GetRestoredRect();
        if (rects[i] != m_pDocument->GetStoredRect(static_cast<int>(i))) moved = true;
    }
    if (moved) m_pDocument->SetModifiedFlag();
    for (std::size_t i = 0; i < rects.size(); ++i) m_pDocument->SetStoredRect(static_cast<int>(i), rects[i]);
}

// ---------------------------------------------------------------------------
// Program-text windows

bool CHOXMonTracker::IsProgTextKept(int axis) const
{
    switch (axis) {
    case kX: return m_pDocument->IsProgTextXShown();
    case kY: return m_pDocument->IsProgTextYShown();
    default: return m_pDocument->IsProgTextSubtaskShown();
    }
}

void CHOXMonTracker::ShowProgText(CHOXFlowProgText* symbol, int step, int firstStep, int axis)
{
    if (m_pDocument == nullptr || symbol == nullptr) return;
    std::unique_ptr<CHOXMonProgTextDlg>& dialog = m_dialogs.at(static_cast<std::size_t>(axis));
    if (!dialog) {
        CHOXFlowWnd* wnd = GetMonitoredWindow(axis);
        const CPoint corner = m_pDocument->GetProgTextPos(axis);
        auto made = std::make_unique<CHOXMonProgTextDlg>(symbol, firstStep, wnd, corner.x, corner.y);
        if (!made->Create(FrameOf(wnd), false)) return;
        made->ShowWindow(SW_SHOWNOACTIVATE);
        made->PlaceWindow(false);
        made->SetWindowText(ProgTextCaption(axis));
        dialog = std::move(made);
    }
    if (!dialog->IsWindowVisible()) dialog->ShowWindow(SW_SHOWNOACTIVATE);
    dialog->SetSymbol(symbol, firstStep);
    dialog->SelectStep(step);
    m_pDocument->SetMonitorThreadPriority(MonitorPriority::BelowNormal);
}

void CHOXMonTracker::HideProgText(int axis)
{
    CHOXMonProgTextDlg* dialog = GetProgTextDlg(axis);
    if (dialog == nullptr) return;
    if (IsProgTextKept(axis))
        dialog->SetSymbol(nullptr);
    else
        dialog->ShowWindow(SW_HIDE);
}

void CHOXMonTracker::DestroyProgTextDialog(int axis)
{
    std::unique_ptr<CHOXMonProgTextDlg>& dialog = m_dialogs.at(static_cast<std::size_t>(axis));
    if (!dialog) return;
    dialog->DestroyWindow();
    dialog.reset();
}

void CHOXMonTracker::DestroyProgTextDialogs()
{
    for (int axis = 0; axis < kAxes; ++axis) DestroyProgTextDialog(axis);
}

void CHOXMonTracker::SaveProgTextPositions()
{
    if (m_pDocument == nullptr) return;
    for (int axis = 0; axis < kAxes; ++axis)
        if (const CHOXMonProgTextDlg* dialog = GetProgTextDlg(axis))
            m_pDocument->SetProgTextPos(axis, dialog->GetWindowRect().TopLeft());
}
