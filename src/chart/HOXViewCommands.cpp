// The editing commands that the flow-chart and monitor views share: Delete,
// Align Objects, Undo and Redo, help and the tips of the bar controls.
#include "chart/HOXView.h"

#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "app/PaletteTools.h"
#include "app/ProgramState.h"
#include "chart/ChartLookup.h"
#include "chart/FrameHooks.h"
#include "chart/HOXAlignDlg.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXConnect.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXNode.h"
#include "chart/HOXPin.h"
#include "chart/HOXSymbol.h"
#include "chart/HOXUndo.h"
#include "chart/ObjectKinds.h"
#include "chart/RecordCasts.h"
#include "platform/Help.h"
#include "platform/Messages.h"
#include "res/CommandIds.h"

#include <utility>

namespace {

constexpr UINT IDS_IMPROPER_ALIGNMENT = 13007;
constexpr UINT IDS_SIDE_EXIT_NODE = 13267;

WORD Key(DWORD id) { return static_cast<WORD>(id); }

// The object of a kind (CHOXUndoRecord) under the id in the record's maps.
CHOXDrawObj* LookupOfKind(const CHOXWnd* wnd, std::int32_t kind, DWORD id)
{
    const ObjectMap* map = wnd->GetMapOfKind(kind);
    return map != nullptr && chart::IsKey(id) ? FindInMap(*map, Key(id)) : nullptr;
}

// The edge an object is aligned by: a line by its end points, so the
// normalised bounds serve every object.
LONG EdgeOf(const CHOXDrawObj* object, int direction)
{
    const CRect r = object->GetRect().Normalized();
    switch (direction) {
    case CHOXAlignDlg::kRight: return r.right;
    case CHOXAlignDlg::kTop: return r.top;
    case CHOXAlignDlg::kBottom: return r.bottom;
    default: return r.left;
    }
}

} // namespace

void CHOXView::RegisterEditCommands()
{
    OnCommand(ID_EDIT_DELETE, [this] { OnEditDelete(); });
    CCmdTarget::OnUpdate(ID_EDIT_DELETE,
                         [this](CCmdUI* ui) { ui->Enable(EditedDocument() != nullptr && !m_selection.empty()); });
    OnCommand(ID_ALIGN_OBJECTS, [this] { OnAlignObjects(); });
    CCmdTarget::OnUpdate(ID_ALIGN_OBJECTS, [this](CCmdUI* ui) {
        ui->Enable(EditedDocument() != nullptr && m_selection.size() >= 2);
        ui->SetRadio(m_nAlignDlgOpen != 0);
    });
    OnCommand(ID_EDIT_UNDO, [this] { OnEditUndo(); });
    CCmdTarget::OnUpdate(ID_EDIT_UNDO, [this](CCmdUI* ui) {
        const CHOXWnd* wnd = GetWnd();
        ui->Enable(EditedDocument() != nullptr && wnd != nullptr && wnd->GetUndo()->CanUndo());
    });
    OnCommand(ID_EDIT_REDO, [this] { OnEditRedo(); });
    CCmdTarget::OnUpdate(ID_EDIT_REDO, [this](CCmdUI* ui) {
        const CHOXWnd* wnd = GetWnd();
        ui->Enable(EditedDocument() != nullptr && wnd != nullptr && wnd->GetUndo()->CanRedo());
    });
    OnCommand(ID_HELP, [this] { OnHelp(); });
}

CHOXDoc* CHOXView::EditedDocument() const
{
    auto* doc = dynamic_cast<CHOXDoc*>(GetDocument());
    if (doc == nullptr) {
        // A view shown on a record alone works on the record's document.
        const CHOXWnd* wnd = GetWnd();
        doc = wnd != nullptr ? wnd->GetDocument() : nullptr;
    }
    return doc != nullptr && doc->IsEditMode() ? doc : nullptr;
}

// ---------------------------------------------------------------------------
// Delete

void CHOXView::OnEditDelete()
{
    CHOXDoc* doc = EditedDocument();
    CHOXWnd* wnd = GetWnd();
    if (doc == nullptr || wnd == nullptr) return;
    wnd->GetUndo()->Clear();
    // A refused node stops the command before anything goes: what went
    // before it would be lost, the store that could bring it back being
    // cleared.
    if (!CanDeleteSelectedNodes(wnd)) return;
    for (CHOXDrawObj* object : std::vector<CHOXDrawObj*>(m_selection)) DeleteObject(wnd, object);
    m_selection.clear();
    doc->UpdateAllViews(nullptr);
    doc->SetPasteOffset(CSize(10, 10));
}

bool CHOXView::CanDeleteSelectedNodes(CHOXWnd* wnd)
{
    CHOXFlowWnd* flow = chart::AsFlowWnd(wnd);
    if (flow == nullptr) return true;
    for (CHOXDrawObj* object : m_selection) {
        if (CHOXUndo::KindOf(object) != CHOXUndoRecord::kNode) continue;
        if (LookupOfKind(wnd, CHOXUndoRecord::kNode, object->GetId()) != object) continue;
        const auto* node = static_cast<const CHOXNode*>(object);
        const CHOXConnect* wire = chart::FindWire(flow, node->GetOutWireId());
        const CHOXPin* pin = wire != nullptr ? flow->GetSymbolPin(wire->GetSourceId(), wire->GetSourcePin()) : nullptr;
        if (pin == nullptr) return false;
        if (pin->GetKind() == CHOXPin::kSideExit) {
            // "ERROR : Node on the wire, which is connected to the  right side\nof the Conditional Jump symbol
            // can not be deleted. "
            AfxMessageBox(IDS_SIDE_EXIT_NODE, MB_OK | MB_ICONHAND);
            wnd->GetUndo()->Clear();
            return false;
        }
    }
    return true;
}

bool CHOXView::DeleteObject(CHOXWnd* wnd, CHOXDrawObj* object)
{
    const std::int32_t kind = CHOXUndo::KindOf(object);
    const DWORD id = object->GetId();
    // Wires and nodes of a symbol deleted before them went with it into the
    // undo store; they must not be taken and recorded a second time.
    if (LookupOfKind(wnd, kind, id) != object) return false;
    std::unique_ptr<CHOXDrawObj> taken;
    switch (kind) {
    case CHOXUndoRecord::kSymbol:
        if (chart::IsFlowRecord(wnd)) {
            auto* symbol = static_cast<CHOXSymbol*>(object);
            symbol->DeletePins();
            symbol->Remove();
        }
        taken = wnd->RemoveOfKind(kind, Key(id));
        break;
    case CHOXUndoRecord::kWire:
        object->Remove();
        taken = wnd->RemoveOfKind(kind, Key(id));
        break;
    case CHOXUndoRecord::kNode:
        taken = wnd->RemoveOfKind(kind, Key(id));
        object->Remove();
        break;
    case CHOXUndoRecord::kShape:
    case CHOXUndoRecord::kOle:
    case CHOXUndoRecord::kMonObj: taken = wnd->RemoveOfKind(kind, Key(id)); break;
    default: return false;
    }
    if (!taken) return false;
    Deselect(object);
    if (wnd->GetDocument() != nullptr) wnd->GetDocument()->SetModifiedFlag(true);
    wnd->GetUndo()->RecordDelete(std::move(taken));
    return true;
}

// ---------------------------------------------------------------------------
// Align

void CHOXView::OnAlignObjects()
{
    CHOXAlignDlg dlg;
    m_nAlignDlgOpen = 1;
    const int result = dlg.DoModal();
    m_nAlignDlgOpen = 0;
    if (result != IDOK) return;
    CHOXDoc* doc = EditedDocument();
    CHOXWnd* wnd = GetWnd();
    if (doc == nullptr || wnd == nullptr || wnd->GetBaseRect() == nullptr || m_selection.size() < 2) return;
    const int direction = dlg.GetAlignment();
    const CRect sheet = wnd->GetBaseRect()->GetRect();
    const LONG reference = EdgeOf(m_selection.back(), direction);
    bool refused = false;
    for (CHOXDrawObj* object : std::vector<CHOXDrawObj*>(m_selection))
        if (!AlignObject(object, direction, reference, sheet)) refused = true;
    // "Error :  Improper alignment. Objects are moving out of base."
    if (refused) AfxMessageBox(IDS_IMPROPER_ALIGNMENT, MB_OK | MB_ICONHAND);
    RecordSelectionMove();
    doc->SetModifiedFlag(true);
    doc->UpdateAllViews(nullptr);
}

bool CHOXView::AlignObject(CHOXDrawObj* object, int direction, LONG reference, const CRect& sheet)
{
    const CRect now = object->GetRect();
    const std::int64_t shift = std::int64_t(reference) - EdgeOf(object, direction);
    const bool sideways = direction == CHOXAlignDlg::kLeft || direction == CHOXAlignDlg::kRight;
    const CRect moved = CHOXDrawObj::Shifted(now, sideways ? shift : 0, sideways ? 0 : shift);
    object->m_ptDragStart = now.TopLeft();
    object->m_ptPrevDrag = now.TopLeft();
    object->m_nResized = 0;
    const CRect n = moved.Normalized();
    const std::int64_t right = std::int64_t(sheet.right) - 14;
    const std::int64_t bottom = std::int64_t(sheet.bottom) - 14;
    bool outside = false;
    switch (direction) {
    case CHOXAlignDlg::kRight: outside = n.left <= sheet.left; break;
    case CHOXAlignDlg::kTop: outside = n.bottom >= bottom; break;
    case CHOXAlignDlg::kBottom: outside = n.top <= sheet.top; break;
    default: outside = n.right >= right; break;
    }
    if (outside) return false;
    object->MoveTo(moved, this);
    // The undo store reads a move as last drag point minus drag origin: the
    // origin stays where the object stood, so that undo puts it back.
    object->m_ptPrevDrag = moved.TopLeft();
    if (CHOXWnd* wnd = GetWnd()) wnd->GetUndo()->RecordMove(object);
    return true;
}

// ---------------------------------------------------------------------------
// Undo and redo

void CHOXView::OnEditUndo()
{
    CHOXWnd* wnd = GetWnd();
    if (EditedDocument() == nullptr || wnd == nullptr) return;
    wnd->GetUndo()->Undo();
    // What was cut may have come back: a paste must not reuse its ids.
    Program().clipboard.cut = 0;
}

void CHOXView::OnEditRedo()
{
    CHOXWnd* wnd = GetWnd();
    if (EditedDocument() == nullptr || wnd == nullptr) return;
    wnd->GetUndo()->Redo();
}

// ---------------------------------------------------------------------------
// Help and tips

int CHOXView::HelpContextOfType(int type)
{
    const ObjectKind* kind = kinds::ByType(type);
    return kind != nullptr && kind->helpContext != 0 ? static_cast<int>(kind->helpContext) : -1;
}

UINT CHOXView::GetViewHelpContext() const
{
    return HID_BASE_RESOURCE + (GetViewType() == objtype::kMonView ? IDR_MONITOR : IDR_FLOWCHART);
}

void CHOXView::OnHelp()
{
    if (m_selection.size() == 1) {
        const int context = HelpContextOfType(m_selection.front()->GetObjectType());
        if (context != -1) {
            // An object without a page of its own shows its window's.
            AfxWinHelp(static_cast<UINT>(context), GetViewHelpContext());
            return;
        }
    }
    AfxWinHelp(GetViewHelpContext());
}

int CHOXView::GetHelpContextAt(CPoint point)
{
    CHOXWnd* wnd = GetWnd();
    if (wnd == nullptr) return -1;
    const CHOXDrawObj* object = wnd->ObjectAt(ClientToDoc(point));
    return object != nullptr ? HelpContextOfType(object->GetObjectType()) : -1;
}

bool CHOXView::OnToolTipNeedText(UINT id, QString& tip)
{
    // The status line stands before a line break, the tip after it; a text
    // without one is both.
    const QString text = ControlTipText(id);
    const qsizetype newline = text.indexOf(u'\n');
    tip = (newline >= 0 ? text.mid(newline + 1) : text).left(63);
    FrameHooks* frame = GetFrameHooks();
    if (!text.isEmpty() && frame != nullptr) frame->SetStatusPaneText(0, newline >= 0 ? text.left(newline) : text);
    return true;
}
