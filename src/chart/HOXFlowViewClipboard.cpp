// The flow view's clipboard commands: Cut, Copy, Paste and Select All, and
// the rules by which pasted objects enter the chart.
#include "chart/HOXFlowView.h"

#include "chart/ControllerType.h"
#include "app/HOXDoc.h"
#include "app/ProgramState.h"
#include "chart/ChartLookup.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXClipboard.h"
#include "chart/HOXPin.h"
#include "chart/HOXUndo.h"
#include "chart/TransferRules.h"
#include "platform/Archive.h"
#include "platform/Clipboard.h"
#include "platform/DragDrop.h"
#include "platform/Messages.h"
#include "platform/Strings.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"

#include <algorithm>
#include <set>

namespace {

constexpr UINT IDS_NOT_FOR_FLOW_WINDOW = 13920;
constexpr UINT IDS_DUPLICATE_NODES = 13921;

constexpr UINT kStop = MB_OK | MB_ICONHAND;

// The kinds of START message a paste remembers, so that one cause is not
// told twice in a row.
enum StartMessage : std::int32_t {
    kNoStartMessage = 0,
    kStartInSubtask = 1,
    kOneAxisStartOnBoth = 2,
    kBothAxesStartElsewhere = 3,
    kYStartOnOneAxis = 4,
    kNoProgramNumber = 5,
};

bool IsWire(const CHOXDrawObj* object) { return object->GetObjectType() == objtype::kConnect; }
bool IsNode(const CHOXDrawObj* object) { return object->GetObjectType() == objtype::kNode; }

bool IsCopyable(const CHOXDrawObj* object)
{
    const auto* symbol = dynamic_cast<const CHOXSymbol*>(object);
    return symbol != nullptr && symbol->GetState() != CHOXSymbol::kError && symbol->GetState() != CHOXSymbol::kMissing;
}

// Whether a wire of any chart of the document has the id.
bool IsWireIdUsed(const CHOXDoc& doc, DWORD id)
{
    if (!chart::IsKey(id)) return true;
    for (const auto& [name, record] : doc.GetWindowMap())
        if (record && record->GetConnectMap().Contains(static_cast<WORD>(id))) return true;
    return false;
}

} // namespace

// What one paste remembers from object to object.
struct CHOXFlowView::PasteState {
    bool circularShown = false;
    bool linearShown = false;
    bool pointerShown = false;
    // No symbol id was left: the rest of a copy paste is left out quietly.
    bool noIdLeft = false;
    std::int32_t lastStartMessage = kNoStartMessage;
};

void CHOXFlowView::RegisterClipboardCommands()
{
    OnCommand(ID_EDIT_CUT, [this] { OnEditCut(); });
    OnCommand(ID_EDIT_COPY, [this] { OnEditCopy(); });
    OnCommand(ID_EDIT_PASTE, [this] { OnEditPaste(); });
    OnCommand(ID_EDIT_SELECT_ALL, [this] { OnEditSelectAll(); });
    const auto cutOrCopy = [this](CCmdUI* ui) { ui->Enable(EditedDocument() != nullptr && HasCopyableSymbol()); };
    CCmdTarget::OnUpdate(ID_EDIT_CUT, cutOrCopy);
    CCmdTarget::OnUpdate(ID_EDIT_COPY, cutOrCopy);
    CCmdTarget::OnUpdate(ID_EDIT_PASTE, [this](CCmdUI* ui) {
        ui->Enable(EditedDocument() != nullptr && clipboard::IsAvailable(CHOXClipboard::ChartFormat()) &&
                   IsDocumentShown());
    });
    CCmdTarget::OnUpdate(ID_EDIT_SELECT_ALL, [this](CCmdUI* ui) {
        const CHOXWnd* wnd = GetWnd();
        ui->Enable(wnd != nullptr && !wnd->GetObjectMap().IsEmpty());
    });
}

bool CHOXFlowView::HasCopyableSymbol() const { return std::any_of(m_selection.begin(), m_selection.end(), IsCopyable); }

// ---------------------------------------------------------------------------
// Copy, Cut, Select All

void CHOXFlowView::OnEditCopy() { CopyToClipboard(); }

bool CHOXFlowView::CopyToClipboard()
{
    Program().clipboard.cut = 0;
    CHOXDoc* doc = EditedDocument();
    if (doc == nullptr || m_selection.empty()) return false;
    QByteArray block;
    try {
        block = CHOXClipboard(doc).WriteBlock(Program().clipboard.instanceId, m_selection);
    } catch (const ArchiveError& e) {
        AfxMessageBox(LoadStr(IDS_COMMAND_FAILED), MB_OK | MB_ICONEXCLAMATION, QString::fromStdString(e.what()));
        return false;
    }
    doc->SetPasteOffset(CSize(10, 10));
    COleDataSource source;
    source.CacheData(CHOXClipboard::ChartFormat(), block);
    // A block that starts with a wire or a node could never be pasted: the
    // clipboard keeps what it had.
    if (IsWire(m_selection.front()) || IsNode(m_selection.front())) return false;
    return source.SetClipboard();
}

void CHOXFlowView::OnEditCut()
{
    CHOXDoc* doc = EditedDocument();
    if (doc == nullptr || chart::AsFlowWnd(GetWnd()) == nullptr) return;
    std::vector<CHOXDrawObj*> toDelete;
    for (CHOXDrawObj* object : std::vector<CHOXDrawObj*>(m_selection)) {
        const auto* symbol = dynamic_cast<const CHOXSymbol*>(object);
        if (symbol != nullptr && !IsCopyable(symbol)) {
            Deselect(object);
        } else {
            toDelete.push_back(object);
        }
    }
    AddInnerWires();
    const bool copied = CopyToClipboard();
    // The widened selection was for the block only.
    m_selection = toDelete;
    // What did not reach the clipboard is not taken out of the chart: a
    // paste would bring back something else.
    if (!copied) return;
    Program().clipboard.cut = 1;
    OnEditDelete();
    // A paste of the cut objects puts them back where they were.
    doc->SetPasteOffset(CSize(0, 0));
}

void CHOXFlowView::OnEditSelectAll()
{
    SetCursor(Cursor::Arrow);
    s_nToolMode = toolmode::kSelect;
    Select(nullptr);
    CHOXWnd* wnd = GetWnd();
    if (wnd == nullptr) return;
    for (auto& [id, object] : wnd->GetObjectMap()) Select(object.get(), true);
}

void CHOXFlowView::AddInnerWires()
{
    CHOXFlowWnd* wnd = chart::AsFlowWnd(GetWnd());
    if (wnd == nullptr) return;
    // The selection grows while it is walked; what is added are wires and
    // nodes, which have no pins to follow.
    for (std::size_t i = 0; i < m_selection.size(); ++i) {
        auto* symbol = dynamic_cast<CHOXSymbol*>(m_selection[i]);
        if (symbol == nullptr) continue;
        for (int p = 0; p < symbol->GetPinCount(); ++p) {
            const CHOXPin* pin = symbol->GetPin(p);
            if (pin == nullptr || pin->IsFree()) continue;
            CHOXConnect* wire = chart::FindWire(wnd, pin->GetLinkId());
            if (wire == nullptr || IsSelected(wire)) continue;
            bool inner = false;
            if (pin->IsInputSide()) {
                const CHOXSymbol* source = chart::FindSymbol(wnd, wire->GetSourceId());
                inner = source != nullptr && IsSelected(source);
            } else if (wire->GetTargetKind() == CHOXConnect::kTargetNode) {
                const CHOXNode* node = chart::FindNode(wnd, wire->GetTargetId());
                inner = node != nullptr && IsSelected(node);
            }
            if (!inner) continue;
            Select(wire, true);
            AddWireNode(wire);
        }
    }
}

void CHOXFlowView::AddWireNode(CHOXConnect* wire)
{
    CHOXFlowWnd* wnd = chart::AsFlowWnd(GetWnd());
    CHOXNode* node = chart::FindNode(wnd, wire->GetNodeId());
    if (node == nullptr) return;
    Select(node, true);
    for (DWORD id : node->GetInWires()) {
        CHOXConnect* in = chart::FindWire(wnd, id);
        if (in == nullptr || IsSelected(in)) continue;
        const CHOXSymbol* source = chart::FindSymbol(wnd, in->GetSourceId());
        if (source != nullptr && IsSelected(source)) Select(in, true);
    }
}

// ---------------------------------------------------------------------------
// Paste

void CHOXFlowView::OnEditPaste()
{
    CHOXDoc* doc = EditedDocument();
    CHOXFlowWnd* wnd = chart::AsFlowWnd(GetWnd());
    if (doc == nullptr || wnd == nullptr) return;
    wnd->GetUndo()->Clear();
    OnUpdate(nullptr, 2, nullptr);
    m_selection.clear();
    COleDataObject data;
    data.AttachClipboard();
    if (!CHOXClipboard::IsFormatAvailable(data, CHOXClipboard::ChartFormat())) return;
    if (!ReadClipboardObjects(data)) return;
    // Data of another running copy of the program never takes the ids of
    // this one's objects.
    if (Program().clipboard.sourceId != Program().clipboard.instanceId) Program().clipboard.cut = 0;
    if (m_selection.empty()) {
        Program().clipboard.cut = 0;
        return;
    }
    if (dynamic_cast<CHOXSymbol*>(m_selection.front()) == nullptr) {
        // "ERROR: Drawing objects or OLE objects cannot be pasted in Flow Window."
        AfxMessageBox(IDS_NOT_FOR_FLOW_WINDOW, kStop);
        m_selection.clear();
        m_pasted.clear();
        return;
    }
    // A copy brings symbols only.
    if (Program().clipboard.cut == 0) DeselectWiresAndNodes();
    PasteObjects();
}

bool CHOXFlowView::ReadClipboardObjects(const COleDataObject& data)
{
    const std::optional<QByteArray> bytes = data.GetData(CHOXClipboard::ChartFormat());
    if (!bytes) return false;
    CHOXClipboard::Block block;
    try {
        block = CHOXClipboard(EditedDocument()).ReadBlock(*bytes);
    } catch (const ArchiveError& e) {
        // "Unexpected file format."
        AfxMessageBox(LoadStr(IDS_UNEXPECTED_FILE_FORMAT), MB_OK | MB_ICONEXCLAMATION,
                      QString::fromStdString(e.what()));
        return false;
    }
    m_nPasteFormat = block.formatWord;
    Program().clipboard.sourceId = block.sourceInstance;
    for (auto& object : block.objects) {
        m_selection.push_back(object.get());
        m_pasted.push_back(std::move(object));
    }
    return true;
}

bool CHOXFlowView::CutPasteKeepsIds()
{
    CHOXFlowWnd* wnd = chart::AsFlowWnd(GetWnd());
    CHOXDoc* doc = wnd->GetDocument();
    // A node's id is its pointer number: one in use, outside the valid
    // range, or twice in the block would be a second holder.
    std::set<DWORD> nodes;
    bool duplicateNode = false;
    for (CHOXDrawObj* object : m_selection) {
        if (!IsNode(object)) continue;
        object->SetWnd(wnd);
        const DWORD id = object->GetId();
        if (transfer::IsPointerNumberTaken(*doc, static_cast<int>(id)) || !nodes.insert(id).second) {
            duplicateNode = true;
            break;
        }
    }
    if (duplicateNode) {
        // "ERROR : Duplicate Nodes are Present.\nAssociated Wires and  Nodes cannot be Pasted."
        AfxMessageBox(IDS_DUPLICATE_NODES, kStop);
        return false;
    }
    // Ids handed out since the Cut (or twice in the block) would replace
    // other objects.
    std::set<DWORD> symbols;
    std::set<DWORD> wires;
    for (const CHOXDrawObj* object : m_selection) {
        const DWORD id = object->GetId();
        if (dynamic_cast<const CHOXSymbol*>(object) != nullptr) {
            if (!chart::IsKey(id) || doc->IsObjectIdUsed(static_cast<WORD>(id)) || !symbols.insert(id).second)
                return false;
        } else if (IsWire(object)) {
            if (IsWireIdUsed(*doc, id) || !wires.insert(id).second) return false;
        }
    }
    return true;
}

void CHOXFlowView::PasteObjects()
{
    CHOXFlowWnd* wnd = chart::AsFlowWnd(GetWnd());
    CHOXDoc* doc = wnd != nullptr ? wnd->GetDocument() : nullptr;
    if (doc == nullptr) return;
    if (Program().clipboard.cut != 0 && !CutPasteKeepsIds()) {
        DeselectWiresAndNodes();
        Program().clipboard.cut = 0;
    }
    const bool cut = Program().clipboard.cut != 0;
    const CSize offset = doc->GetPasteOffset();
    PasteState state;
    for (CHOXDrawObj* object : std::vector<CHOXDrawObj*>(m_selection)) {
        if (!cut) object->m_position = CHOXDrawObj::Shifted(object->GetRect(), offset.cx, offset.cy);
        object->SetWnd(wnd);
        bool placed = false;
        if (IsWire(object)) {
            // A copy paste drops its wires at the end.
            if (!cut) continue;
            auto* wire = static_cast<CHOXConnect*>(object);
            placed = PasteWire(wire);
            if (placed) wire->NotifyJumpSymbol(0);
        } else if (IsNode(object)) {
            if (!cut) continue;
            placed = PasteNode(static_cast<CHOXNode*>(object));
        } else if (auto* symbol = dynamic_cast<CHOXSymbol*>(object)) {
            placed = PasteSymbol(symbol, cut, state);
        }
        if (placed) {
            FinishPasted(object);
        } else {
            DiscardPasted(object);
        }
    }
    if (!cut) doc->SetPasteOffset(CSize(offset.cx + 10, offset.cy + 10));
    doc->UpdateAllViews(nullptr);
    Program().clipboard.cut = 0;
    DeselectWiresAndNodes();
    // What was read and not placed goes.
    m_pasted.clear();
}

bool CHOXFlowView::PasteSymbol(CHOXSymbol* symbol, bool cut, PasteState& state)
{
    if (!IsCopyable(symbol)) return false;
    CHOXFlowWnd* wnd = chart::AsFlowWnd(GetWnd());
    CHOXDoc* doc = wnd->GetDocument();
    if (symbol->GetPinCount() == 0) symbol->CreatePins();
    std::int32_t id = static_cast<std::int32_t>(symbol->GetId());
    if (!cut) {
        // Without an id nothing more can be pasted; the document has said
        // so once.
        if (state.noIdLeft) return false;
        id = doc->NewSymbolId();
        if (id == -1) {
            state.noIdLeft = true;
            return false;
        }
    }
    if (!PasteNumbers(symbol, cut, state)) {
        if (!cut) doc->ReleaseSymbolId();
        return false;
    }
    symbol->ClearPinLinks();
    symbol->SetId(static_cast<DWORD>(id));
    wnd->AddObject(TakePasted(symbol));
    symbol->UpdateText();
    symbol->CalcSteps();
    return true;
}

bool CHOXFlowView::PasteNumbers(CHOXSymbol* symbol, bool cut, PasteState& state)
{
    const int type = symbol->GetObjectType();
    if (type == objtype::kCodeLine || type == objtype::kCodeCir)
        return CheckInterpolationPaste(symbol, state.circularShown, state.linearShown);
    CHOXDoc* doc = GetWnd()->GetDocument();
    switch (transfer::CarriedNumbers(*symbol)) {
    case transfer::Carried::kProgram: return PasteStart(symbol, state.lastStartMessage);
    case transfer::Carried::kPointer: return PastePointerSymbol(symbol, state.pointerShown);
    case transfer::Carried::kLabels:
        if (!cut) {
            // The copy would define the original's labels a second time.
            symbol->SetState(CHOXSymbol::kError);
        } else if (transfer::HasTakenPointer(*doc, *symbol)) {
            // A label the Cut gave back was taken since.
            symbol->SetState(CHOXSymbol::kError);
        } else {
            transfer::MarkHeldNumbers(*doc, *symbol);
        }
        return true;
    case transfer::Carried::kNothing: break;
    }
    symbol->AssignNewNumber();
    return true;
}

bool CHOXFlowView::CheckInterpolationPaste(CHOXSymbol* symbol, bool& circularShown, bool& linearShown)
{
    CHOXDoc* doc = GetWnd()->GetDocument();
    const int type = symbol->GetObjectType();
    const QString refusal = transfer::InterpolationRefusal(type, doc->GetControllerType());
    if (refusal.isEmpty()) return true;
    bool& shown = type == objtype::kCodeCir ? circularShown : linearShown;
    if (!shown) AfxMessageBox(refusal, kStop);
    shown = true;
    return false;
}

bool CHOXFlowView::PasteStart(CHOXSymbol* symbol, std::int32_t& lastMessage)
{
    CHOXFlowWnd* wnd = chart::AsFlowWnd(GetWnd());
    CHOXDoc* doc = wnd->GetDocument();
    const auto refuse = [&](std::int32_t kind, UINT id) {
        if (lastMessage != kind) AfxMessageBox(id, kStop);
        lastMessage = kind;
        return false;
    };
    if (wnd->IsSubtaskWindow()) {
        for (const auto& [key, object] : wnd->GetObjectMap())
            if (transfer::HoldsProgram(*object)) return refuse(kStartInSubtask, IDS_START_IN_SUBTASK);
        symbol->AssignNewNumber();
        return true;
    }
    std::int32_t axis = axis::kX;
    std::int32_t number = 0;
    symbol->GetHeldProgramNumber(&axis, &number);
    const std::int32_t type = doc->GetControllerType();
    // A START of the subtask runs a program of the axis this chart runs.
    if (number == kSubtaskProgramNumber) axis = ctype::IsInterpolated(type) ? axis::kBoth : axis::kX;
    if (ctype::IsInterpolated(type) && axis::IsXOrY(axis))
        return refuse(kOneAxisStartOnBoth, IDS_PASTE_ONE_AXIS_START_ON_BOTH);
    if ((ctype::IsOneAxis(type) || ctype::HasIndependentAxes(type)) && axis == axis::kBoth)
        return refuse(kBothAxesStartElsewhere, IDS_PASTE_BOTH_AXES_START_ELSEWHERE);
    if (ctype::IsOneAxis(type) && axis == axis::kY) return refuse(kYStartOnOneAxis, IDS_PASTE_Y_START_ON_ONE_AXIS);
    if (number == kSubtaskProgramNumber) {
        if (doc->FindFreeProgramNumber(axis) == -1) return refuse(kNoProgramNumber, IDS_PASTE_START_NO_PROGRAM_NUMBER);
        symbol->SetAxis(axis);
        symbol->AssignNewNumber();
        return true;
    }
    if (doc->IsProgramNumberUsed(axis, number)) {
        if (doc->FindFreeProgramNumber(axis) == -1) return refuse(kNoProgramNumber, IDS_PASTE_START_NO_PROGRAM_NUMBER);
        symbol->AssignNewNumber();
        return true;
    }
    doc->MarkProgramNumberUsed(axis, number);
    return true;
}

bool CHOXFlowView::PastePointerSymbol(CHOXSymbol* symbol, bool& shown)
{
    CHOXDoc* doc = GetWnd()->GetDocument();
    const int n = symbol->GetPointerNumber();
    if (!transfer::IsPointerNumberTaken(*doc, n)) {
        doc->MarkPointerNumberUsed(n);
        return true;
    }
    const int probe = doc->AllocPointerNumber();
    if (probe == -1) {
        // "ERROR : Pointer number  exceeds the Maximum limit.\nCan not Paste this symbol."
        if (!shown) AfxMessageBox(IDS_PASTE_POINTER_EXCEEDS_LIMIT, kStop);
        shown = true;
        return false;
    }
    doc->FreePointerNumber(probe);
    symbol->AssignNewNumber();
    return true;
}

bool CHOXFlowView::PasteWire(CHOXConnect* wire)
{
    CHOXFlowWnd* wnd = chart::AsFlowWnd(GetWnd());
    CHOXSymbol* source = chart::FindSymbol(wnd, wire->GetSourceId());
    const bool toNode = wire->GetTargetKind() == CHOXConnect::kTargetNode;
    CHOXNode* node = toNode ? chart::FindNode(wnd, wire->GetTargetId()) : nullptr;
    CHOXSymbol* target = toNode ? nullptr : chart::FindSymbol(wnd, wire->GetTargetId());
    CHOXDrawObj* end = toNode ? static_cast<CHOXDrawObj*>(node) : target;
    if (source == nullptr || end == nullptr || !IsSelected(source) || !IsSelected(end)) return false;
    // The pins it joins: free, as the pasted symbols' pins are until their
    // wires come.
    CHOXPin* out = source->GetPin(wire->GetSourcePin());
    CHOXPin* in = target != nullptr ? target->GetPin(0) : nullptr;
    if (out == nullptr || !out->IsFree() || (target != nullptr && (in == nullptr || !in->IsFree()))) return false;
    const DWORD id = wire->GetId();
    wnd->AddConnect(TakePasted(wire));
    out->SetLinkId(id);
    if (in != nullptr) {
        in->SetLinkId(id);
    } else {
        node->AddInWire(id);
    }
    wire->RerouteAll();
    return true;
}

bool CHOXFlowView::PasteNode(CHOXNode* node)
{
    CHOXFlowWnd* wnd = chart::AsFlowWnd(GetWnd());
    CHOXConnect* out = chart::FindWire(wnd, node->GetOutWireId());
    if (out == nullptr) return false;
    wnd->AddNode(TakePasted(node));
    // The pasted wires that jump to it list themselves again.
    node->ClearInWires();
    out->RerouteAll();
    // The Cut gave the number back.
    if (CHOXDoc* doc = wnd->GetDocument()) doc->MarkPointerNumberUsed(static_cast<int>(node->GetId()));
    return true;
}

void CHOXFlowView::FinishPasted(CHOXDrawObj* object)
{
    CHOXWnd* wnd = GetWnd();
    object->EnsureVisible(this);
    wnd->GetUndo()->RecordAdd(object);
    // The sheet grows to hold what was pasted beyond its edges.
    if (CHOXBaseRect* sheet = wnd->GetBaseRect()) {
        const CRect& r = object->GetRect();
        CRect& edges = sheet->m_position;
        if (std::int64_t(r.bottom) > std::int64_t(edges.bottom) - 15) {
            edges.bottom = chart::Sat(std::int64_t(r.bottom) + 30);
            UpdateScrollSizes();
        }
        if (std::int64_t(r.right) > std::int64_t(edges.right) - 15) {
            edges.right = chart::Sat(std::int64_t(r.right) + 30);
            UpdateScrollSizes();
        }
    }
    if (CHOXDoc* doc = wnd->GetDocument()) {
        doc->SetModifiedFlag(true);
        doc->UpdateAllViews(nullptr);
    }
}

std::unique_ptr<CHOXDrawObj> CHOXFlowView::TakePasted(CHOXDrawObj* object)
{
    auto it = std::find_if(m_pasted.begin(), m_pasted.end(), [&](const auto& owned) { return owned.get() == object; });
    if (it == m_pasted.end()) return nullptr;
    std::unique_ptr<CHOXDrawObj> taken = std::move(*it);
    m_pasted.erase(it);
    return taken;
}

void CHOXFlowView::DiscardPasted(CHOXDrawObj* object)
{
    Deselect(object);
    TakePasted(object);
}
