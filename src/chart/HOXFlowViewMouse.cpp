// The flow view's mouse and keys: selecting, moving and placing (tool modes 0
// and 1) and nudging with the arrow keys. Wires (tool mode 2) are in
// HOXFlowViewWire.cpp.
#include "chart/HOXFlowView.h"

#include "app/HOXDoc.h"
#include "app/ProgramState.h"
#include "chart/ChartLookup.h"
#include "chart/ControllerType.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXConnect.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXNode.h"
#include "chart/HOXSymbol.h"
#include "chart/HOXUndo.h"
#include "chart/RecordCasts.h"
#include "platform/Messages.h"
#include "platform/Strings.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"

namespace {

constexpr UINT IDS_SYMBOL_NOT_MADE = 13269;

bool IsWire(const CHOXDrawObj* object) { return object != nullptr && object->GetObjectType() == objtype::kConnect; }

} // namespace

// ---------------------------------------------------------------------------
// The handlers by tool mode

void CHOXFlowView::OnLButtonDown(UINT flags, CPoint point)
{
    const CPoint docPoint = ClientToDoc(point);
    if (EditedDocument() == nullptr || chart::AsFlowWnd(GetWnd()) == nullptr) return;
    switch (s_nToolMode) {
    case toolmode::kPlace: PressPlace(docPoint); break;
    case toolmode::kWire: PressWire(docPoint); break;
    default:
        SetCapture();
        PressSelect(flags, point, docPoint);
        break;
    }
}

void CHOXFlowView::OnMouseMove(UINT flags, CPoint point)
{
    const CPoint docPoint = ClientToDoc(point);
    if (EditedDocument() == nullptr) {
        SetCursor(Cursor::Arrow);
        return;
    }
    if (chart::AsFlowWnd(GetWnd()) == nullptr) return;
    switch (s_nToolMode) {
    case toolmode::kPlace: SetCursor(Cursor::Cross); break;
    case toolmode::kWire:
        SetCursor(Cursor::Cross);
        // The loose end of the wire being drawn follows the pointer.
        if (m_selection.size() == 1 && IsWire(m_selection.front()) && HasCapture())
            m_selection.front()->OnMouseMove(this, flags, point);
        break;
    default: MoveSelect(flags, point, docPoint); break;
    }
}

void CHOXFlowView::OnLButtonUp(UINT flags, CPoint point)
{
    const CPoint docPoint = ClientToDoc(point);
    if (EditedDocument() == nullptr) {
        ReleaseCapture();
        return;
    }
    if (chart::AsFlowWnd(GetWnd()) == nullptr) return;
    switch (s_nToolMode) {
    case toolmode::kPlace: ReleasePlace(flags, point); break;
    case toolmode::kWire: ReleaseWire(flags, point, docPoint); break;
    default: ReleaseSelect(flags, point); break;
    }
}

void CHOXFlowView::OnLButtonDblClk(UINT flags, CPoint point)
{
    if (EditedDocument() == nullptr) return;
    CHOXWnd* wnd = GetWnd();
    if (wnd == nullptr) return;
    const CPoint docPoint = ClientToDoc(point);
    if (CHOXDrawObj* object = wnd->ObjectAt(docPoint)) object->OnOpen(flags, docPoint);
}

// ---------------------------------------------------------------------------
// Tool mode 0: select, move, rubber band

void CHOXFlowView::PressSelect(UINT flags, CPoint point, CPoint docPoint)
{
    CHOXWnd* wnd = GetWnd();
    CHOXDrawObj* object = wnd->ObjectAt(docPoint);
    const bool sheetHandle = SheetMouseDown(flags, point);
    if (object == nullptr) {
        Select(nullptr);
        if (sheetHandle) return;
        SetCursor(Cursor::Arrow);
        const CHOXBaseRect* sheet = wnd->GetBaseRect();
        if (sheet != nullptr && sheet->GetRect().PtInRect(docPoint) && m_nBandActive == 0) {
            StartBand(docPoint);
            Invalidate(false);
        }
        return;
    }
    if (object->GetObjectType() == objtype::kFlowJumpEnd) return;
    if (!sheetHandle) {
        if ((flags & MK_SHIFT) != 0) {
            ShiftSelect(object);
            // A Shift press never moves anything.
            ReleaseCapture();
        } else {
            Select(object, m_selection.size() > 1 && IsSelected(object));
            for (CHOXDrawObj* selected : std::vector<CHOXDrawObj*>(m_selection))
                selected->OnLButtonDown(this, flags, point);
        }
    }
    Invalidate(false);
}

void CHOXFlowView::MoveSelect(UINT flags, CPoint point, CPoint docPoint)
{
    SheetMouseMove(flags, point);
    if ((flags & MK_SHIFT) != 0) return;
    CHOXWnd* wnd = GetWnd();
    const CHOXBaseRect* sheet = wnd->GetBaseRect();
    // While the sheet's edge is dragged the objects stay; otherwise each
    // selected one follows the pointer. A symbol pulled out of the view is
    // dragged on from there, into another chart window or back.
    if (sheet == nullptr || !sheet->IsOnResizeHandle()) {
        for (CHOXDrawObj* selected : std::vector<CHOXDrawObj*>(m_selection)) {
            // Only a symbol the mouse holds: the button was pressed here.
            if (HasCapture() && dynamic_cast<CHOXSymbol*>(selected) != nullptr && HasLeftScrollExtent(selected)) {
                CHOXDoc* doc = wnd->GetDocument();
                doc->SetDragSource(wnd);
                doc->SetDragPending(true);
                BeginDrag(selected, flags, point);
                return;
            }
            selected->OnMouseMove(this, flags, point);
        }
    }
    if (m_nBandActive != 0 && HasCapture()) MoveBand(docPoint);
}

bool CHOXFlowView::HasLeftScrollExtent(const CHOXDrawObj* object) const
{
    // The extent last set, in document units.
    const CSize total = GetTotalSize();
    const CPoint origin = ClientToDoc(CPoint(0, 0));
    const CPoint extent = ClientToDoc(CPoint(total.cx, total.cy));
    const CRect& r = object->GetRect();
    return r.right < 0 || r.bottom < 0 || std::int64_t(r.top) > std::int64_t(extent.y) - origin.y ||
           std::int64_t(r.left) > std::int64_t(extent.x) - origin.x;
}

void CHOXFlowView::ReleaseSelect(UINT flags, CPoint point)
{
    if (SheetMouseUp(flags, point)) {
        ReleaseCapture();
        RecordSelectionMove();
        return;
    }
    s_nOutOfSheetWarned = 0;
    for (CHOXDrawObj* selected : std::vector<CHOXDrawObj*>(m_selection)) selected->OnLButtonUp(this, flags, point);
    if (m_nBandActive != 0) {
        SelectInRect(EndBand());
        Invalidate(false);
    }
    SetCursor(Cursor::Arrow);
    s_nToolMode = toolmode::kSelect;
    ReleaseCapture();
    RecordSelectionMove();
}

// ---------------------------------------------------------------------------
// Tool mode 1: placing the current tool's symbol

void CHOXFlowView::PressPlace(CPoint docPoint)
{
    SetCapture();
    CHOXFlowWnd* wnd = chart::AsFlowWnd(GetWnd());
    CHOXDoc* doc = wnd->GetDocument();
    if (doc == nullptr || !CheckPlacement(wnd)) {
        EndPlacing();
        return;
    }
    const std::int32_t id = doc->NewSymbolId();
    if (id == -1) {
        EndPlacing();
        return;
    }
    std::unique_ptr<CHOXDrawObj> made = CreateSymbol(docPoint);
    if (!made) {
        // The id was not used: it goes back with the tool.
        doc->ReleaseSymbolId();
        AfxMessageBox(IDS_SYMBOL_NOT_MADE, MB_OK | MB_ICONHAND); // "ERROR :  Fialed in creating a symbol."
        EndPlacing();
        return;
    }
    CHOXDrawObj* symbol = made.get();
    symbol->SetId(static_cast<DWORD>(id));
    wnd->AddObject(std::move(made));
    Select(symbol);
    if (symbol->IsOutsideBaseRect()) {
        // "ERROR:  Cannot draw out side the  Base Rectangle."
        AfxMessageBox(IDS_OUTSIDE_SHEET, MB_OK | MB_ICONHAND);
        std::unique_ptr<CHOXDrawObj> gone = wnd->RemoveObject(static_cast<WORD>(id));
        Deselect(symbol);
        symbol->Remove();
        doc->ReleaseSymbolId();
        SetCursor(Cursor::Arrow);
    } else {
        wnd->GetUndo()->Clear();
        wnd->GetUndo()->RecordAdd(symbol);
        s_nCurrentTool = 0;
    }
    Invalidate(false);
}

void CHOXFlowView::EndPlacing()
{
    SetCursor(Cursor::Arrow);
    s_nToolMode = toolmode::kSelect;
    ReleaseCapture();
}

bool CHOXFlowView::CheckPlacement(CHOXFlowWnd* wnd)
{
    CHOXDoc* doc = wnd->GetDocument();
    const std::int32_t type = doc->GetControllerType();
    UINT refusal = 0;
    QString text;
    switch (s_nCurrentTool) {
    case ID_TOOL_CODE_CIR:
        // Circular interpolation needs both axes driven together.
        if (!ctype::IsInterpolated(type))
            text = LoadStr(IDS_CIRCULAR_REFUSED) +
                   LoadStr(ctype::HasIndependentAxes(type) ? IDS_CIRCULAR_FOR_TWO_AXES : IDS_CIRCULAR_FOR_ONE_AXIS);
        break;
    case ID_TOOL_CODE_LINE:
        if (!ctype::IsOneAxis(type) && !ctype::IsInterpolated(type)) refusal = IDS_LINEAR_REFUSED;
        break;
    case ID_TOOL_FLOW_SUBRTN:
    case ID_TOOL_FLOW_POINTER: {
        // Only whether one is free: the symbol takes its own number.
        const int n = doc->AllocPointerNumber();
        if (n == -1) {
            refusal = IDS_CREATE_POINTER_EXCEEDS_LIMIT;
        } else {
            doc->FreePointerNumber(n);
        }
        break;
    }
    case ID_TOOL_FLOW_START:
        if (wnd->IsSubtaskWindow()) {
            for (const auto& [id, object] : wnd->GetObjectMap())
                if (object->GetObjectType() == objtype::kFlowStart) refusal = IDS_START_IN_SUBTASK;
        } else if (ctype::IsInterpolated(type)) {
            if (doc->FindFreeProgramNumber(axis::kBoth) == -1) refusal = IDS_CREATE_PROGRAM_EXCEEDS_99;
        } else if (ctype::HasIndependentAxes(type)) {
            if (doc->FindFreeProgramNumber(axis::kX) == -1 && doc->FindFreeProgramNumber(axis::kY) == -1)
                refusal = IDS_CREATE_PROGRAM_EXCEEDS_99;
        } else if (doc->FindFreeProgramNumber(axis::kX) == -1) {
            refusal = IDS_CREATE_PROGRAM_EXCEEDS_99;
        }
        break;
    default: break;
    }
    if (refusal != 0) text = LoadStr(refusal);
    if (text.isEmpty()) return true;
    AfxMessageBox(text, MB_OK | MB_ICONHAND);
    return false;
}

void CHOXFlowView::ReleasePlace(UINT flags, CPoint point)
{
    if (!m_selection.empty()) m_selection.back()->OnLButtonUp(this, flags, point);
    SetCursor(Cursor::Arrow);
    Select(nullptr);
    if (CHOXDoc* doc = EditedDocument()) doc->SetModifiedFlag(true);
    s_nToolMode = toolmode::kSelect;
    ReleaseCapture();
    RecordSelectionMove();
}

// ---------------------------------------------------------------------------
// The arrow keys

void CHOXFlowView::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    if (NudgeSelection(key)) CView::OnKeyDown(key, repeat, flags);
}
