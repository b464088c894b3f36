// The monitor view's mouse and keys: drawing shapes, selecting and moving
// while the document is edited; pressing the monitor objects' buttons while
// it monitors.
#include "online/monitor/HOXMonView.h"

#include "app/HOXDoc.h"
#include "app/ProgramState.h"
#include "chart/ChartLookup.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXShape.h"
#include "chart/HOXUndo.h"
#include "chart/ObjectKinds.h"
#include "online/monitor/HOXMonObj.h"
#include "online/monitor/HOXMonWnd.h"
#include "platform/Messages.h"
#include "res/StringIds.h"

#include <vector>

namespace {

constexpr UINT IDS_SYMBOL_IN_MONITOR = 13581;

// The shapes the drawing tools make, by tool mode.
struct ShapeTool {
    std::int32_t mode;
    int type;
};
constexpr ShapeTool kShapeTools[] = {
    {toolmode::kRect, objtype::kRect},
    {toolmode::kOval, objtype::kOval},
    {toolmode::kLine, objtype::kLine},
};

const ShapeTool* FindShapeTool(std::int32_t mode)
{
    for (const ShapeTool& tool : kShapeTools)
        if (tool.mode == mode) return &tool;
    return nullptr;
}

} // namespace

bool CHOXMonView::IsDrawnShape(const CHOXDrawObj* object)
{
    for (const ShapeTool& tool : kShapeTools)
        if (object != nullptr && object->GetObjectType() == tool.type) return true;
    return false;
}

// ---------------------------------------------------------------------------
// The handlers

void CHOXMonView::OnLButtonDown(UINT flags, CPoint point)
{
    const CPoint docPoint = ClientToDoc(point);
    m_ptLastDown = docPoint;
    m_ptLastMouse = point;
    s_nDropRefused = 0;
    SetCapture();
    if (MonWnd() == nullptr) return;
    if (IsMonitoring()) {
        PressWhileMonitoring(flags, point, docPoint);
        return;
    }
    if (EditedDocument() == nullptr) return;
    // A button held while monitoring ended is held no more.
    ForgetPressedPanel();
    switch (s_nToolMode) {
    case toolmode::kSelect: PressSelect(flags, point, docPoint); break;
    case toolmode::kPlace: RefuseSymbol(); break;
    default:
        if (FindShapeTool(s_nToolMode) != nullptr && !PressShape(docPoint)) return;
        break;
    }
    Invalidate(true);
}

void CHOXMonView::OnMouseMove(UINT flags, CPoint point)
{
    const CPoint docPoint = ClientToDoc(point);
    m_ptLastMouse = point;
    if (MonWnd() == nullptr) return;
    if (IsMonitoring()) {
        MoveWhileMonitoring(flags, point, docPoint);
        return;
    }
    if (EditedDocument() == nullptr) return;
    switch (s_nToolMode) {
    case toolmode::kSelect: MoveSelect(flags, point, docPoint); break;
    case toolmode::kPlace: SetCursor(Cursor::Cross); break;
    default:
        if (FindShapeTool(s_nToolMode) == nullptr) break;
        SetCursor(Cursor::Cross);
        // The shape being drawn sizes itself by its corner.
        if (m_selection.size() == 1 && IsDrawnShape(m_selection.front()))
            m_selection.front()->OnMouseMove(this, flags, point);
        break;
    }
}

void CHOXMonView::OnLButtonUp(UINT flags, CPoint point)
{
    const CPoint docPoint = ClientToDoc(point);
    m_ptLastMouse = point;
    if (MonWnd() == nullptr || EditedDocument() == nullptr) {
        ReleaseCapture();
        if (MonWnd() != nullptr && IsMonitoring()) ReleaseWhileMonitoring(flags, point, docPoint);
        return;
    }
    ForgetPressedPanel();
    if (s_nToolMode == toolmode::kSelect) {
        ReleaseSelect(flags, point, docPoint);
    } else if (FindShapeTool(s_nToolMode) != nullptr) {
        FinishShape(flags, point, docPoint);
    }
    ReleaseCapture();
    RecordSelectionMove();
    s_nToolMode = toolmode::kSelect;
}

void CHOXMonView::OnLButtonDblClk(UINT flags, CPoint point)
{
    CHOXMonWnd* wnd = MonWnd();
    if (wnd == nullptr) return;
    const CPoint docPoint = ClientToDoc(point);
    CHOXDrawObj* object = wnd->ObjectAt(docPoint);
    if (object == nullptr) return;
    auto* monObj = dynamic_cast<CHOXMonObj*>(object);
    // Only monitor objects and embedded items open here.
    if (monObj == nullptr && object->GetObjectType() != objtype::kOle) return;
    if (monObj != nullptr && monObj->WaitsForDoubleClick()) {
        KillTimer(kDelayedClickTimer);
        m_nDelayedClickTimer = 0;
        m_pDelayedClick = nullptr;
    }
    object->OnOpen(flags, docPoint);
}

void CHOXMonView::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    if (NudgeSelection(key)) CView::OnKeyDown(key, repeat, flags);
}

// ---------------------------------------------------------------------------
// While monitoring

CHOXMonObj* CHOXMonView::GetPressedPanel()
{
    if (m_pPressedPanel == nullptr) return nullptr;
    const CHOXMonWnd* wnd = MonWnd();
    // Compared, never followed, until it is found in the window again.
    const bool there = wnd != nullptr && chart::IsKey(m_nPressedPanelId) &&
                       wnd->LookupMonObj(static_cast<WORD>(m_nPressedPanelId)) == m_pPressedPanel;
    if (!there || !IsMonitoring()) ForgetPressedPanel();
    return m_pPressedPanel;
}

void CHOXMonView::ForgetPressedPanel()
{
    m_pPressedPanel = nullptr;
    m_nPressedPanelId = 0;
    m_nPanelLetGo = 0;
}

void CHOXMonView::PressWhileMonitoring(UINT flags, CPoint point, CPoint docPoint)
{
    auto* object = dynamic_cast<CHOXMonObj*>(MonWnd()->ObjectAt(docPoint));
    if (object == nullptr) return;
    if (object->WaitsForDoubleClick()) {
        // Its single click waits: a double click may follow instead.
        m_pDelayedClick = object;
        m_nDelayedClickId = object->GetId();
        m_ptDelayedClick = docPoint;
        m_nDelayedClickTimer = SetTimer(kDelayedClickTimer, GetDoubleClickTime());
        ForgetPressedPanel();
        return;
    }
    if (object->IsHeldButton()) {
        ForgetPressedPanel();
        m_pPressedPanel = object;
        m_nPressedPanelId = object->GetId();
    }
    object->OnLButtonDown(this, flags, point);
}

void CHOXMonView::MoveWhileMonitoring(UINT flags, CPoint point, CPoint docPoint)
{
    // Leaving the held button releases it, though the mouse button is
    // still down.
    if (CHOXMonObj* panel = GetPressedPanel(); panel != nullptr && MonWnd()->ObjectAt(docPoint) != panel) {
        m_nPanelLetGo = 1;
        panel->OnLButtonUp(this, flags, point);
    }
    SetCursor(Cursor::Arrow);
}

void CHOXMonView::ReleaseWhileMonitoring(UINT flags, CPoint point, CPoint docPoint)
{
    CHOXDrawObj* under = MonWnd()->ObjectAt(docPoint);
    // The held button is forgotten wherever the mouse button comes up; one
    // the pointer left unnoticed (the page scrolled under it) is released
    // too, so that it never stays pressed.
    CHOXMonObj* panel = GetPressedPanel();
    const bool letGo = m_nPanelLetGo != 0;
    ForgetPressedPanel();
    if (panel != nullptr && under != panel && !letGo) panel->OnLButtonUp(this, flags, point);
    auto* object = dynamic_cast<CHOXMonObj*>(under);
    if (object != nullptr && !object->WaitsForDoubleClick()) object->OnLButtonUp(this, flags, point);
}

void CHOXMonView::RunDelayedClick()
{
    CHOXMonObj* button = m_pDelayedClick;
    m_pDelayedClick = nullptr;
    CHOXMonWnd* wnd = MonWnd();
    if (button == nullptr || wnd == nullptr || !IsMonitoring()) return;
    // Only the button that waits, still there and still under its point.
    if (!chart::IsKey(m_nDelayedClickId) || wnd->LookupMonObj(static_cast<WORD>(m_nDelayedClickId)) != button) return;
    if (wnd->ObjectAt(m_ptDelayedClick) != button) return;
    button->OnLButtonDown(this, MK_LBUTTON, DocToClient(m_ptDelayedClick));
}

void CHOXMonView::OnCaptureLost()
{
    // As when the pointer leaves it: a jog never runs without a held
    // mouse button.
    CHOXMonObj* panel = GetPressedPanel();
    ForgetPressedPanel();
    if (panel != nullptr) panel->OnLButtonUp(this, 0, m_ptLastMouse);
}

// ---------------------------------------------------------------------------
// Editing: the select tool

void CHOXMonView::PressSelect(UINT flags, CPoint point, CPoint docPoint)
{
    CHOXMonWnd* wnd = MonWnd();
    const bool sheetHandle = SheetMouseDown(flags, point);
    CHOXDrawObj* object = wnd->ObjectAt(docPoint);
    if (object == nullptr) {
        Select(nullptr);
        if (sheetHandle) return;
        SetCursor(Cursor::Arrow);
        const CHOXBaseRect* sheet = wnd->GetBaseRect();
        if (sheet != nullptr && sheet->GetRect().PtInRect(docPoint) && m_nBandActive == 0) StartBand(docPoint);
        return;
    }
    if (sheetHandle) return;
    m_nTracking = 1;
    if ((flags & MK_SHIFT) != 0) {
        ShiftSelect(object);
        // A Shift press never moves anything.
        ReleaseCapture();
        return;
    }
    Select(object, m_selection.size() > 1 && IsSelected(object));
    const CPoint scroll = GetScrollPosition();
    for (CHOXDrawObj* selected : std::vector<CHOXDrawObj*>(m_selection))
        selected->OnLButtonDown(this, flags, Unscrolled(point, scroll));
}

void CHOXMonView::MoveSelect(UINT flags, CPoint point, CPoint docPoint)
{
    SheetMouseMove(flags, point);
    if ((flags & MK_SHIFT) != 0) return;
    const CHOXBaseRect* sheet = MonWnd()->GetBaseRect();
    if (sheet == nullptr || !sheet->IsOnResizeHandle()) {
        const CPoint scroll = GetScrollPosition();
        for (CHOXDrawObj* selected : std::vector<CHOXDrawObj*>(m_selection))
            selected->OnMouseMove(this, flags, Unscrolled(point, scroll));
    }
    if (m_nBandActive != 0 && HasCapture()) MoveBand(docPoint);
}

void CHOXMonView::ReleaseSelect(UINT flags, CPoint point, CPoint docPoint)
{
    if (!SheetMouseUp(flags, point)) {
        if (!m_selection.empty()) {
            // The out-of-sheet message is shown once for all of them.
            s_nOutOfSheetWarned = 0;
            const CPoint scroll = GetScrollPosition();
            for (CHOXDrawObj* selected : std::vector<CHOXDrawObj*>(m_selection))
                selected->OnLButtonUp(this, flags, Unscrolled(point, scroll));
        } else if (CHOXDrawObj* object = MonWnd()->ObjectAt(docPoint)) {
            m_nTracking = 0;
            CHOXUndo* undo = MonWnd()->GetUndo();
            undo->Clear();
            undo->RecordMove(object);
            object->OnLButtonUp(this, flags, point);
        }
    }
    if (m_nBandActive != 0) {
        SelectInRect(EndBand());
        Invalidate(true);
    }
    SetCursor(Cursor::Arrow);
}

CPoint CHOXMonView::Unscrolled(CPoint point, CPoint scroll) const
{
    const CPoint now = GetScrollPosition();
    return chart::Pt(std::int64_t(point.x) - (std::int64_t(now.x) - scroll.x),
                     std::int64_t(point.y) - (std::int64_t(now.y) - scroll.y));
}

void CHOXMonView::SelectInRect(const CRect& rect)
{
    Select(nullptr);
    CHOXMonWnd* wnd = MonWnd();
    if (wnd == nullptr) return;
    const CHOXMonWnd& record = *wnd;
    for (const ObjectMap* map :
         {&record.GetMonObjMap(), &record.GetObjectMap(), &record.GetShapeMap(), &record.GetOleMap()})
        for (const auto& [id, object] : *map) {
            const CRect& r = object->GetRect();
            if (rect.PtInRect(r.TopLeft()) && rect.PtInRect(r.BottomRight())) Select(object.get(), true);
        }
}

// ---------------------------------------------------------------------------
// Editing: the other tools

void CHOXMonView::RefuseSymbol()
{
    // "ERROR: Symbol Objects cannot be placed in Monitoring Window."
    AfxMessageBox(IDS_SYMBOL_IN_MONITOR, MB_OK | MB_ICONHAND);
    SetCursor(Cursor::Arrow);
    s_nToolMode = toolmode::kSelect;
    ReleaseCapture();
}

bool CHOXMonView::PressShape(CPoint docPoint)
{
    CHOXMonWnd* wnd = MonWnd();
    CHOXDoc* doc = wnd->GetDocument();
    const CHOXBaseRect* sheet = wnd->GetBaseRect();
    if (sheet == nullptr || !sheet->GetRect().PtInRect(docPoint)) {
        // "ERROR:  Cannot draw out side the  Base Rectangle."
        AfxMessageBox(IDS_OUTSIDE_SHEET, MB_OK | MB_ICONHAND);
        return false;
    }
    const ObjectKind* kind = kinds::ByType(FindShapeTool(s_nToolMode)->type);
    std::unique_ptr<CHOXDrawObj> made =
        kind != nullptr && kind->maker != nullptr ? kind->maker(docPoint, wnd) : nullptr;
    auto* shape = dynamic_cast<CHOXShape*>(made.get());
    const std::int32_t id = shape != nullptr ? doc->NewShapeId() : -1;
    // No id is left once all 65536 are in use: nothing is drawn.
    if (id == -1) return true;
    shape->SetLineWidth(m_nLineWidth);
    shape->SetLineColor(m_crLine);
    shape->SetFillColor(m_crFill);
    shape->SetId(static_cast<DWORD>(id));
    m_ptShapeStart = docPoint;
    wnd->AddShape(std::move(made));
    wnd->GetUndo()->Clear();
    wnd->GetUndo()->RecordAdd(shape);
    Select(shape);
    m_nTracking = 1;
    m_pDrawnShape = shape;
    m_nDrawnShapeId = static_cast<DWORD>(id);
    return true;
}

CHOXShape* CHOXMonView::DrawnShape() const
{
    const CHOXMonWnd* wnd = MonWnd();
    if (m_pDrawnShape == nullptr || wnd == nullptr || !chart::IsKey(m_nDrawnShapeId)) return nullptr;
    return wnd->LookupShape(static_cast<WORD>(m_nDrawnShapeId)) == m_pDrawnShape ? m_pDrawnShape : nullptr;
}

void CHOXMonView::FinishShape(UINT flags, CPoint point, CPoint docPoint)
{
    CHOXShape* shape = DrawnShape();
    m_pDrawnShape = nullptr;
    if (m_selection.empty() || shape == nullptr || m_selection.back() != shape) {
        SetCursor(Cursor::Arrow);
        ReleaseCapture();
        return;
    }
    CHOXMonWnd* wnd = MonWnd();
    if (docPoint == m_ptShapeStart) {
        // A click without a drag draws nothing; the step that recorded the
        // shape goes with it.
        Deselect(shape);
        wnd->GetUndo()->Clear();
        wnd->RemoveShape(static_cast<WORD>(m_nDrawnShapeId));
        return;
    }
    m_nTracking = 0;
    // The shape brings its bounds in order itself: a line keeps its
    // direction.
    shape->OnLButtonUp(this, flags, point);
    Select(nullptr);
    if (CHOXDoc* doc = wnd->GetDocument()) doc->SetModifiedFlag(true);
}
