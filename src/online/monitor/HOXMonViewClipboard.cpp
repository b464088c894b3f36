// The monitor view's Select All, Cut, Copy and Paste on the "TRNWK_HOX"
// block the flow view reads and writes too.
#include "online/monitor/HOXMonView.h"

#include "app/HOXDoc.h"
#include "app/ProgramState.h"
#include "chart/ChartLookup.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXClipboard.h"
#include "chart/HOXSymbol.h"
#include "chart/HOXUndo.h"
#include "online/monitor/HOXMonObj.h"
#include "online/monitor/HOXMonWnd.h"
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

constexpr UINT IDS_SYMBOL_PASTE_IN_MONITOR = 13582;

bool IsMonitorObject(const CHOXDrawObj* object) { return dynamic_cast<const CHOXMonObj*>(object) != nullptr; }

// What a copy takes along: monitor objects are never cut, and what cannot
// leave the document (an embedded item) is never copied.
bool IsCopied(const CHOXDrawObj* object) { return !IsMonitorObject(object) && object->IsTransferable(); }

// The object, taken out of the list that owns it; null when it is not there.
std::unique_ptr<CHOXDrawObj> Take(DrawObjList& list, const CHOXDrawObj* object)
{
    auto it = std::find_if(list.begin(), list.end(), [&](const auto& owned) { return owned.get() == object; });
    if (it == list.end()) return nullptr;
    std::unique_ptr<CHOXDrawObj> taken = std::move(*it);
    list.erase(it);
    return taken;
}

} // namespace

void CHOXMonView::RegisterClipboardCommands()
{
    OnCommand(ID_EDIT_SELECT_ALL, [this] { OnEditSelectAll(); });
    OnCommand(ID_EDIT_CUT, [this] { OnEditCut(); });
    OnCommand(ID_EDIT_COPY, [this] { OnEditCopy(); });
    OnCommand(ID_EDIT_PASTE, [this] { OnEditPaste(); });
    CCmdTarget::OnUpdate(ID_EDIT_SELECT_ALL, [this](CCmdUI* ui) {
        const CHOXMonWnd* wnd = MonWnd();
        ui->Enable(wnd != nullptr && (!wnd->GetMonObjMap().IsEmpty() || !wnd->GetShapeMap().IsEmpty() ||
                                      !wnd->GetObjectMap().IsEmpty() || !wnd->GetOleMap().IsEmpty()));
    });
    const auto cutOrCopy = [this](CCmdUI* ui) { ui->Enable(EditedDocument() != nullptr && HasCopyableObject()); };
    CCmdTarget::OnUpdate(ID_EDIT_CUT, cutOrCopy);
    CCmdTarget::OnUpdate(ID_EDIT_COPY, cutOrCopy);
    CCmdTarget::OnUpdate(ID_EDIT_PASTE, [this](CCmdUI* ui) {
        ui->Enable(EditedDocument() != nullptr && clipboard::IsAvailable(CHOXClipboard::ChartFormat()) &&
                   IsDocumentShown());
    });
}

bool CHOXMonView::HasCopyableObject() const { return std::any_of(m_selection.begin(), m_selection.end(), IsCopied); }

// ---------------------------------------------------------------------------
// Select All, Copy, Cut

void CHOXMonView::OnEditSelectAll()
{
    SetCursor(Cursor::Arrow);
    s_nToolMode = toolmode::kSelect;
    Select(nullptr);
    CHOXMonWnd* wnd = MonWnd();
    if (wnd == nullptr) return;
    const CHOXMonWnd& record = *wnd;
    for (const ObjectMap* map :
         {&record.GetMonObjMap(), &record.GetShapeMap(), &record.GetObjectMap(), &record.GetOleMap()})
        for (const auto& [id, object] : *map) Select(object.get(), true);
}

void CHOXMonView::OnEditCopy() { CopyToClipboard(); }

bool CHOXMonView::CopyToClipboard()
{
    Program().clipboard.cut = 0;
    CHOXDoc* doc = EditedDocument();
    if (doc == nullptr) return false;
    std::vector<CHOXDrawObj*> list;
    for (CHOXDrawObj* object : m_selection)
        if (object->IsTransferable()) list.push_back(object);
    if (list.empty()) return false;
    QByteArray block;
    try {
        block = CHOXClipboard(doc).WriteBlock(Program().clipboard.instanceId, list);
    } catch (const ArchiveError& e) {
        AfxMessageBox(LoadStr(IDS_COMMAND_FAILED), MB_OK | MB_ICONEXCLAMATION, QString::fromStdString(e.what()));
        return false;
    }
    doc->SetPasteOffset(CSize(10, 10));
    // A block led by a monitor object stays off the clipboard, which keeps
    // what it had.
    if (IsMonitorObject(list.front())) return false;
    COleDataSource source;
    source.CacheData(CHOXClipboard::ChartFormat(), block);
    return source.SetClipboard();
}

void CHOXMonView::OnEditCut()
{
    CHOXDoc* doc = EditedDocument();
    if (doc == nullptr || MonWnd() == nullptr) return;
    for (CHOXDrawObj* object : std::vector<CHOXDrawObj*>(m_selection))
        if (!IsCopied(object)) Deselect(object);
    if (m_selection.empty()) return;
    // What did not reach the clipboard is not taken out of the window: a
    // paste would bring back something else.
    if (!CopyToClipboard()) return;
    Program().clipboard.cut = 1;
    OnEditDelete();
    // A paste of the cut shapes puts them back where they were.
    doc->SetPasteOffset(CSize(0, 0));
}

// ---------------------------------------------------------------------------
// Paste

void CHOXMonView::OnEditPaste()
{
    CHOXDoc* doc = EditedDocument();
    CHOXMonWnd* wnd = MonWnd();
    if (doc == nullptr || wnd == nullptr) return;
    OnUpdate(nullptr, 2, nullptr);
    m_selection.clear();
    COleDataObject data;
    data.AttachClipboard();
    const std::optional<QByteArray> bytes = data.GetData(CHOXClipboard::ChartFormat());
    if (!bytes) return;
    // The objects read belong to this list until the window takes them;
    // what it does not take goes with the list.
    DrawObjList read;
    try {
        CHOXClipboard::Block block = CHOXClipboard(doc).ReadBlock(*bytes);
        m_nPasteFormat = block.formatWord;
        Program().clipboard.sourceId = block.sourceInstance;
        read = std::move(block.objects);
    } catch (const ArchiveError& e) {
        // "Unexpected file format."
        AfxMessageBox(LoadStr(IDS_UNEXPECTED_FILE_FORMAT), MB_OK | MB_ICONEXCLAMATION,
                      QString::fromStdString(e.what()));
        return;
    }
    for (const auto& object : read) m_selection.push_back(object.get());
    DeselectWiresAndNodes();
    wnd->GetUndo()->Clear();
    // Only this running program's own Cut keeps ids, and only while none
    // of them is taken.
    if (Program().clipboard.sourceId != Program().clipboard.instanceId || !CutPasteKeepsIds())
        Program().clipboard.cut = 0;
    const bool cut = Program().clipboard.cut != 0;
    const CSize offset = doc->GetPasteOffset();
    bool first = true;
    for (CHOXDrawObj* object : std::vector<CHOXDrawObj*>(m_selection)) {
        if (!cut) object->m_position = CHOXDrawObj::Shifted(object->GetRect(), offset.cx, offset.cy);
        if (dynamic_cast<const CHOXSymbol*>(object) != nullptr) {
            // "ERROR: Symbol Objects cannot be Pasted in Monitoring Window."
            AfxMessageBox(IDS_SYMBOL_PASTE_IN_MONITOR, MB_OK | MB_ICONHAND);
            m_selection.clear();
            break;
        }
        // Only shapes come in: monitor objects, embedded items and anything
        // else stay out.
        const std::int32_t id = !IsDrawnShape(object) ? -1 : cut ? std::int32_t(object->GetId()) : doc->NewShapeId();
        if (id == -1) {
            Deselect(object);
            continue;
        }
        object->SetId(static_cast<DWORD>(id));
        object->SetWnd(wnd);
        wnd->AddShape(Take(read, object));
        FinishPasted(object, first);
        first = false;
    }
    if (!cut) doc->SetPasteOffset(CSize(offset.cx + 10, offset.cy + 10));
    Program().clipboard.cut = 0;
    doc->UpdateAllViews(nullptr);
    DeselectWiresAndNodes();
}

bool CHOXMonView::CutPasteKeepsIds() const
{
    const CHOXMonWnd* wnd = MonWnd();
    std::set<DWORD> ids;
    for (const CHOXDrawObj* object : m_selection) {
        if (!IsDrawnShape(object)) continue;
        const DWORD id = object->GetId();
        // An id handed out since the Cut would replace another shape.
        if (!chart::IsKey(id) || wnd->LookupShape(static_cast<WORD>(id)) != nullptr || !ids.insert(id).second)
            return false;
    }
    return true;
}

void CHOXMonView::FinishPasted(CHOXDrawObj* object, bool first)
{
    CHOXMonWnd* wnd = MonWnd();
    if (first) object->EnsureVisible(this);
    wnd->GetUndo()->RecordAdd(object);
    // The sheet keeps 15 units beyond what was pasted, a line's lower or
    // right end being its top or left one when it runs that way.
    if (CHOXBaseRect* sheet = wnd->GetBaseRect()) {
        const CRect r = object->GetRect().Normalized();
        CRect& edges = sheet->m_position;
        if (std::int64_t(r.bottom) > std::int64_t(edges.bottom) - 15) {
            edges.bottom = chart::Sat(std::int64_t(r.bottom) + 15);
            UpdateScrollSizes();
        }
        if (std::int64_t(r.right) > std::int64_t(edges.right) - 15) {
            edges.right = chart::Sat(std::int64_t(r.right) + 15);
            UpdateScrollSizes();
        }
    }
    if (CHOXDoc* doc = wnd->GetDocument()) {
        doc->SetModifiedFlag(true);
        doc->UpdateAllViews(nullptr);
    }
}
