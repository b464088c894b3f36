// Drag and drop of a symbol between chart windows: the source side
// (BeginDrag), the target side (the drop-target handlers and DropObjects) and
// the numbers the dropped symbol keeps or takes.
#include "chart/HOXView.h"

#include "chart/ControllerType.h"
#include "app/HOXDoc.h"
#include "app/ProgramState.h"
#include "chart/ChartLookup.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXClipboard.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXSymbol.h"
#include "chart/HOXUndo.h"
#include "chart/RecordCasts.h"
#include "chart/TransferRules.h"
#include "platform/Archive.h"
#include "platform/DragDrop.h"
#include "platform/Messages.h"
#include "platform/Strings.h"
#include "res/StringIds.h"

namespace {

constexpr UINT IDS_DROP_ON_SOURCE = 13266;
constexpr UINT IDS_ERROR_STATE_DRAG = 13589;
constexpr UINT IDS_MISSING_STATE_DRAG = 13750;

constexpr UINT kHand = MB_OK | MB_ICONHAND;

bool HasStart(const CHOXWnd* wnd)
{
    for (const auto& [id, object] : wnd->GetObjectMap())
        if (transfer::HoldsProgram(*object)) return true;
    return false;
}

} // namespace

// ---------------------------------------------------------------------------
// The source

void CHOXView::BeginDrag(CHOXDrawObj* object, UINT flags, CPoint point)
{
    CHOXDoc* doc = EditedDocument();
    CHOXWnd* wnd = GetWnd();
    if (m_selection.size() != 1 || object == nullptr || doc == nullptr || wnd == nullptr) {
        // No drag: no drop may take this chart for the source of one.
        if (doc != nullptr) doc->SetDragSource(nullptr);
        return;
    }
    if (!IsSelected(object)) Select(object);
    const std::vector<CHOXDrawObj*> list = CopySelection();
    COleDataSource source;
    if (!CHOXClipboard(doc).WriteObjects(list, source, CHOXClipboard::DragFormat())) {
        doc->SetDragSource(nullptr);
        return;
    }
    // A refusal left behind by a drop that started elsewhere is not this
    // drag's.
    s_nDropRefused = 0;
    s_nSubtaskStartMoved = 0;
    m_nDragSourceActive = 1;
    const auto* last = dynamic_cast<const CHOXSymbol*>(list.back());
    const std::int32_t state = last != nullptr ? last->GetState() : CHOXSymbol::kNormal;
    const bool refused = state == CHOXSymbol::kError || state == CHOXSymbol::kMissing;
    DWORD effect = DROPEFFECT_NONE;
    if (!refused) effect = source.DoDragDrop(Host(), DROPEFFECT_COPY | DROPEFFECT_MOVE);
    m_nDragSourceActive = 0;
    if (effect == DROPEFFECT_MOVE && s_nDropRefused == 0) {
        FinishDragMove(wnd, doc);
    } else {
        if (refused) {
            s_nDropRefused = 1;
            // "ERROR: Symbols in Error State cannot be dragged .   " or
            // "ERROR: Missing State Icons cannot be Dragged."
            AfxMessageBox(state == CHOXSymbol::kError ? IDS_ERROR_STATE_DRAG : IDS_MISSING_STATE_DRAG, kHand);
        } else if (effect == DROPEFFECT_COPY) {
            // The copy went where it was dropped; the symbol goes back where
            // the mouse took it from without calling that a mistake.
            s_nOutOfSheetWarned = 1;
        }
        object->OnLButtonUp(this, flags, point);
        s_nDropRefused = 0;
        s_nSubtaskStartMoved = 0;
        doc->SetDragSource(nullptr);
    }
    ReleaseCapture();
}

void CHOXView::FinishDragMove(CHOXWnd* wnd, CHOXDoc* doc)
{
    // Every number the selection gives back when it is deleted; a drop in
    // this document placed the same symbols, which hold them again.
    std::vector<CHOXSymbol::HeldNumber> givenBack;
    for (const CHOXDrawObj* object : m_selection)
        if (const auto* symbol = dynamic_cast<const CHOXSymbol*>(object))
            for (const CHOXSymbol::HeldNumber& held : symbol->GetHeldNumbers())
                if (held.givesBack) givenBack.push_back(held);
    OnEditDelete();
    if (!doc->IsDragPending()) {
        for (const CHOXSymbol::HeldNumber& held : givenBack) {
            // A START that went into the subtask chart holds the subtask's
            // number now.
            if (held.kind == CHOXSymbol::HeldNumber::kProgram &&
                (held.number == kSubtaskProgramNumber || s_nSubtaskStartMoved != 0))
                continue;
            held.MarkIn(*doc);
        }
    }
    m_selection.clear();
    s_nDropRefused = 0;
    s_nSubtaskStartMoved = 0;
    wnd->GetUndo()->Clear();
    doc->SetDragSource(nullptr);
}

// ---------------------------------------------------------------------------
// The target

DWORD CHOXView::OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point)
{
    if (!CHOXClipboard::IsFormatAvailable(*data, CHOXClipboard::DragFormat())) return OnDragOver(data, keyState, point);
    if ((keyState & MK_CONTROL) != 0) return DROPEFFECT_COPY;
    return m_nDragSourceActive != 0 ? DROPEFFECT_NONE : DROPEFFECT_MOVE;
}

CRect CHOXView::DragFeedbackRect() const
{
    const CPoint topLeft = ClientToDoc(m_ptLastDrag);
    CRect r(topLeft, chart::Pt(std::int64_t(topLeft.x) + m_sizeDrag.cx, std::int64_t(topLeft.y) + m_sizeDrag.cy));
    // An empty rectangle still shows.
    if (r.IsRectEmpty()) r.InflateRect(0, 0, 1, 1);
    return r;
}

DWORD CHOXView::OnDragOver(COleDataObject* data, DWORD keyState, CPoint point)
{
    CHOXDoc* doc = EditedDocument();
    if (doc == nullptr || !CHOXClipboard::IsFormatAvailable(*data, CHOXClipboard::DragFormat())) return DROPEFFECT_NONE;
    // Copies for the feedback alone: they go when it is drawn.
    DrawObjList list;
    try {
        CHOXClipboard(doc).ReadObjects(list, *data, CHOXClipboard::DragFormat());
    } catch (const ArchiveError&) {
        return DROPEFFECT_NONE;
    }
    // The chart's scroll extent in document units, 30 inside each edge.
    const CSize total = GetTotalSize();
    const CPoint origin = ClientToDoc(CPoint(0, 0));
    const CPoint extent = ClientToDoc(CPoint(total.cx, total.cy));
    CRect inner(0, 0, extent.x - origin.x, extent.y - origin.y);
    inner.DeflateRect(30, 30);
    DWORD effect = DROPEFFECT_NONE;
    for (auto& object : list) {
        CSize size;
        GetDragRect(object.get(), size);
        const CPoint at = ClientToDoc(point);
        CRect feedback(at, chart::Pt(std::int64_t(at.x) + size.cx, std::int64_t(at.y) + size.cy));
        if (feedback.IsRectEmpty()) feedback.InflateRect(0, 0, 1, 1);
        CRect overlap;
        if (overlap.IntersectRect(feedback, inner))
            effect = (keyState & MK_CONTROL) != 0 ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
        const bool moved = point != m_ptLastDrag;
        if (moved && m_nDragFeedback != 0) InvalidateRect(DocToClient(DragFeedbackRect()), false);
        m_ptLastDrag = point;
        m_sizeDrag = size;
        m_nDragFeedback = 1;
        InvalidateRect(DocToClient(DragFeedbackRect()), false);
        if (!moved) break;
    }
    return effect;
}

void CHOXView::OnDragLeave()
{
    m_nDragFeedback = 0;
    Invalidate(true);
}

void CHOXView::GetDragRect(CHOXDrawObj* object, CSize& size)
{
    const CRect& r = object->GetRect();
    size = CSize(chart::Sat(std::int64_t(r.right) - r.left), chart::Sat(std::int64_t(r.bottom) - r.top));
    CHOXWnd* wnd = GetWnd();
    object->SetWnd(wnd);
    CHOXDoc* doc = wnd != nullptr ? wnd->GetDocument() : nullptr;
    // The copy's pins name wires of the chart it came from: they go without
    // touching any wire here.
    if (auto* symbol = dynamic_cast<CHOXSymbol*>(object);
        symbol != nullptr && (doc == nullptr || doc->GetDragSource() != wnd))
        symbol->SetPinCount(0);
}

bool CHOXView::OnDrop(COleDataObject* data, DWORD dropEffect, CPoint point)
{
    CHOXDoc* doc = EditedDocument();
    CHOXWnd* wnd = GetWnd();
    if (doc == nullptr || wnd == nullptr) return false;
    DrawObjList list;
    DrawObjList filtered;
    try {
        if (!CHOXClipboard(doc).ReadObjects(list, *data, CHOXClipboard::DragFormat(), &filtered)) return false;
    } catch (const ArchiveError& e) {
        OnDragLeave();
        // "Unexpected file format."
        AfxMessageBox(LoadStr(IDS_UNEXPECTED_FILE_FORMAT), MB_OK | MB_ICONEXCLAMATION,
                      QString::fromStdString(e.what()));
        return false;
    }
    OnDragLeave();
    if (list.empty()) {
        // Nothing the chart may take: the drop is refused, so that a move
        // leaves the source's symbol where it is.
        const QString why =
            filtered.empty() ? QString() : transfer::FilterRefusal(*filtered.front(), doc->GetControllerType());
        if (!why.isEmpty()) AfxMessageBox(why, kHand);
        s_nDropRefused = 1;
    } else {
        DropObjects(list, point, dropEffect);
    }
    wnd->GetUndo()->Clear();
    const bool refused = s_nDropRefused != 0;
    // A drag from another document or program waits for no flag of ours.
    if (doc->GetDragSource() == nullptr) {
        s_nDropRefused = 0;
        s_nSubtaskStartMoved = 0;
    }
    if (refused) return false;
    m_selection.clear();
    return true;
}

void CHOXView::DropObjects(DrawObjList& list, CPoint point, DWORD effect)
{
    CHOXFlowWnd* target = chart::AsFlowWnd(GetWnd());
    CHOXDoc* doc = target != nullptr ? target->GetDocument() : nullptr;
    if (doc == nullptr) {
        s_nDropRefused = 1;
        return;
    }
    if (target == doc->GetDragSource()) {
        // "ERROR : Drag is initiated from this window. \nCannot Drop in the same window."
        AfxMessageBox(IDS_DROP_ON_SOURCE, kHand);
        s_nDropRefused = 1;
        return;
    }
    // A refusal leaves the chart and the numbers as they were, also after
    // symbols of the same drop were placed.
    const transfer::NumberTables before(*doc);
    std::vector<DWORD> placed;
    for (auto& owned : list) {
        // A drag carries symbols only; anything else ends the drop.
        if (dynamic_cast<CHOXSymbol*>(owned.get()) == nullptr) break;
        const CHOXDrawObj* symbol = owned.get();
        if (!DropSymbol(target, std::move(owned), point, effect)) {
            for (DWORD id : placed) target->RemoveObject(static_cast<WORD>(id));
            before.Restore(*doc);
            s_nDropRefused = 1;
            return;
        }
        placed.push_back(symbol->GetId());
    }
    if (placed.empty()) {
        s_nDropRefused = 1;
        return;
    }
    m_selection.clear();
    doc->UpdateAllViews(nullptr);
    doc->SetModifiedFlag(true);
    doc->SetDragPending(false);
}

bool CHOXView::DropSymbol(CHOXFlowWnd* target, std::unique_ptr<CHOXDrawObj> owned, CPoint point, DWORD effect)
{
    auto* symbol = static_cast<CHOXSymbol*>(owned.get());
    CHOXDoc* doc = target->GetDocument();
    const CPoint at = ClientToDoc(point);
    const CRect& r = symbol->GetRect();
    symbol->m_position = CHOXDrawObj::Shifted(r, std::int64_t(at.x) - r.left, std::int64_t(at.y) - r.top);
    symbol->SetWnd(target);
    if (symbol->IsOutsideBaseRect()) {
        // "ERROR:  Cannot draw out side the  Base Rectangle." The copy holds
        // nothing here: it goes without giving anything back.
        AfxMessageBox(IDS_OUTSIDE_SHEET, kHand);
        return false;
    }
    const std::int32_t id = doc->NewSymbolId();
    if (id == -1) return false; // the document has said why
    if (!SettleDroppedNumbers(target, symbol, effect)) {
        doc->ReleaseSymbolId();
        return false;
    }
    symbol->SetId(static_cast<DWORD>(id));
    // Its pins named wires of the chart it came from.
    symbol->ClearPinLinks();
    symbol->CreatePins();
    target->AddObject(std::move(owned));
    const bool moved = effect == DROPEFFECT_MOVE;
    const bool fromOutside = doc->GetDragSource() == nullptr;
    if (transfer::CarriedNumbers(*symbol) == transfer::Carried::kLabels) {
        if (moved && !fromOutside) {
            // Its source gives the labels back when it goes; they stay taken.
            target->MarkSymbolNumbersUsed(symbol);
        } else if (transfer::HasTakenPointer(*doc, *symbol)) {
            symbol->SetState(CHOXSymbol::kError);
        } else {
            target->MarkSymbolNumbersUsed(symbol);
        }
    } else {
        // A subtask START's number lies outside the table: it marks nothing.
        target->MarkSymbolNumbersUsed(symbol);
    }
    // The stream's label is only what its writer showed: the symbol shows
    // the number it holds, as a paste or a reopened file would.
    symbol->UpdateText();
    symbol->CalcSteps();
    return true;
}

bool CHOXView::SettleDroppedNumbers(CHOXFlowWnd* target, CHOXSymbol* symbol, DWORD effect)
{
    CHOXDoc* doc = target->GetDocument();
    const bool moved = effect == DROPEFFECT_MOVE;
    const bool fromOutside = doc->GetDragSource() == nullptr;
    switch (transfer::CarriedNumbers(*symbol)) {
    case transfer::Carried::kProgram: return SettleDroppedStart(target, symbol, moved, fromOutside);
    case transfer::Carried::kPointer: {
        if (moved && !fromOutside) return true;
        const int n = symbol->GetPointerNumber();
        if (!transfer::IsPointerNumberTaken(*doc, n)) {
            doc->MarkPointerNumberUsed(n);
            return true;
        }
        const int probe = doc->AllocPointerNumber();
        if (probe == -1) {
            AfxMessageBox(IDS_POINTER_EXCEEDS_LIMIT, kHand); // "ERROR : Pointer number  exceeds the Maximum limit."
            return false;
        }
        doc->FreePointerNumber(probe);
        symbol->AssignNewNumber();
        return true;
    }
    case transfer::Carried::kLabels:
        // A copy of a program in text of this document would define its
        // labels twice.
        if (!moved && !fromOutside) symbol->SetState(CHOXSymbol::kError);
        return true;
    case transfer::Carried::kNothing: break;
    }
    symbol->SettleAfterDrop(moved);
    return true;
}

bool CHOXView::SettleDroppedStart(CHOXFlowWnd* target, CHOXSymbol* start, bool moved, bool fromOutside)
{
    CHOXDoc* doc = target->GetDocument();
    const std::int32_t type = doc->GetControllerType();
    std::int32_t axis = axis::kX;
    std::int32_t number = 0;
    start->GetHeldProgramNumber(&axis, &number);
    const bool intoSubtask = target->IsSubtaskWindow();
    if (fromOutside && number != kSubtaskProgramNumber && !intoSubtask) {
        if (const UINT refusal = transfer::DroppedStartRefusal(axis, type)) {
            AfxMessageBox(refusal, kHand);
            return false;
        }
    }
    if (intoSubtask) {
        if (HasStart(target)) {
            // "ERROR : Start Symbol is already present in the Subtask Window."
            AfxMessageBox(IDS_START_IN_SUBTASK, kHand);
            return false;
        }
        // Moved or copied, it becomes the subtask's START.
        start->AssignNewNumber();
        if (moved) s_nSubtaskStartMoved = 1;
        return true;
    }
    if (number == kSubtaskProgramNumber) {
        // The subtask's START runs a program of the target's axis.
        const std::int32_t to = ctype::IsInterpolated(type) ? axis::kBoth : axis::kX;
        if (doc->FindFreeProgramNumber(to) == -1) {
            // "ERROR : Can not Paste START symbol.\nMaximum program number (99)  has been reached."
            AfxMessageBox(IDS_PASTE_START_NO_PROGRAM_NUMBER, kHand);
            return false;
        }
        start->SetAxis(to);
        start->AssignNewNumber();
        return true;
    }
    if (moved && !fromOutside) return true;
    const std::int32_t to = moved ? axis : transfer::NormalisedAxis(axis, type);
    if (doc->IsProgramNumberUsed(to, number)) {
        if (doc->FindFreeProgramNumber(to) == -1) {
            AfxMessageBox(IDS_PASTE_START_NO_PROGRAM_NUMBER, kHand);
            return false;
        }
        start->SetAxis(to);
        start->AssignNewNumber();
        return true;
    }
    doc->MarkProgramNumberUsed(to, number);
    start->SetAxis(to);
    start->UpdateText();
    return true;
}
