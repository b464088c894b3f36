// The document file: the archive of a ".hox" file, the fix-ups after
// loading, and opening and saving.
#include "app/HOXDoc.h"

#include "app/HOXApp.h"
#include "app/MainFrame.h"
#include "app/ProgramState.h"
#include "chart/HOXFlowWnd.h"
#include "online/monitor/HOXCntrlItem.h"
#include "online/monitor/HOXMonWnd.h"
#include "online/monitor/HOXOle.h"
#include "params/HOXParam.h"
#include "platform/Archive.h"
#include "platform/CompoundFile.h"
#include "platform/Messages.h"
#include "platform/Strings.h"
#include "plc/HOXFounSeq.h"
#include "plc/HOXMcodeKzPlc.h"
#include "res/StringIds.h"
#include "symbols/flow/HOXFlowMonInfo.h"
#include "symbols/flow/HOXFlowSubRtn.h"

#include <QFileInfo>

#include <algorithm>
#include <set>
#include <string>
#include <unordered_set>

namespace {

// The storages of the file being opened, there for its items while the
// document reads it.
class ReadingFile {
public:
    ReadingFile(const CompoundFile*& slot, const CompoundFile* file) : m_slot(slot) { m_slot = file; }
    ~ReadingFile() { m_slot = nullptr; }
    ReadingFile(const ReadingFile&) = delete;
    ReadingFile& operator=(const ReadingFile&) = delete;

private:
    const CompoundFile*& m_slot;
};

} // namespace

// ---------------------------------------------------------------------------
// The document file

void CHOXDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(m_windowNames.size()));
        for (const QString& name : m_windowNames) ar << name;
        ar.WriteCount(static_cast<DWORD>(m_stepMap.size()));
        for (const auto& info : m_stepMap) ar.WriteObject(info.get());
        m_pFounSeq->Serialize(ar);
        ar << GetAppVersion();
        ar << m_nControllerType;
        ar.WriteObject(m_pMonWnd.get());
        for (const CRect& r : m_rects) ar << r;
        ar << m_nShowProgTextX << m_nShowProgTextY << m_nShowProgTextSubtask;
        for (const CPoint& p : m_progTextPos) ar << p;
        ar.WriteCount(static_cast<DWORD>(m_mapWindows.GetCount()));
        for (auto& [name, wnd] : m_mapWindows) {
            ar << name;
            ar.WriteObject(wnd.get());
        }
        m_pParam->Serialize(ar);
        // An item on the monitor page was written with its holder and is
        // named here by reference; one without a holder is written whole.
        ar << static_cast<DWORD>(m_items.size());
        for (CHOXCntrlItem* item : m_items) ar.WriteObject(item);
        return;
    }

    // Loading reads into new objects and puts them in place only when the
    // whole file has been read; a damaged file leaves the document as it was.
    const std::int32_t oldType = m_nControllerType;
    try {
        QStringList names;
        const DWORD nameCount = ar.ReadCount(1);
        for (DWORD i = 0; i < nameCount; ++i) {
            QString name;
            ar >> name;
            names << name;
        }
        std::list<std::unique_ptr<CHOXFlowMonInfo>> steps;
        const DWORD stepCount = ar.ReadCount(2);
        for (DWORD i = 0; i < stepCount; ++i) {
            auto info = ar.ReadOwned<CHOXFlowMonInfo>();
            if (info) steps.push_back(std::move(info));
        }
        auto founSeq = std::make_unique<CHOXFounSeq>();
        founSeq->SetDocument(this);
        founSeq->Serialize(ar);
        std::int32_t formatWord = 0;
        ar >> formatWord; // no version test: every file reads the same way
        ar >> m_nControllerType;
        ar.m_pDocument = this;
        auto monWnd = ar.ReadOwned<CHOXMonWnd>();
        if (!monWnd) throw ArchiveError(ArchiveError::badClass, "the file has no monitor window");
        std::array<CRect, 4> rects{};
        for (CRect& r : rects) ar >> r;
        std::int32_t showX = 0;
        std::int32_t showY = 0;
        std::int32_t showSubtask = 0;
        ar >> showX >> showY >> showSubtask;
        std::array<CPoint, 3> positions{};
        for (CPoint& p : positions) ar >> p;
        WindowMap windows;
        const DWORD windowCount = ar.ReadCount(3);
        for (DWORD i = 0; i < windowCount; ++i) {
            QString name;
            ar >> name;
            // One name, one chart: a second one would replace the first.
            if (windows.Contains(name))
                throw ArchiveError(ArchiveError::duplicateKey,
                                   "the window \"" + name.toStdString() + "\" is stored twice");
            auto wnd = ar.ReadOwned<CHOXFlowWnd>();
            if (wnd) windows.AppendInOrder(name, std::move(wnd));
        }
        // The parameter section's shape follows the controller type just
        // read. It is read into a copy: the item count after it can still
        // fail, and the document's own set is the one the dialogs hold.
        CHOXParam param;
        param.SetDocument(this);
        param.CopyValuesFrom(*m_pParam);
        param.Serialize(ar);
        std::vector<std::unique_ptr<CHOXCntrlItem>> keptItems;
        std::vector<CHOXCntrlItem*> items = ReadItems(ar, *monWnd, keptItems);
        // Records have no length: bytes after the last one mean that
        // something before was read in another form than it was written.
        if (const std::size_t left = ar.BytesLeft(); left != 0)
            throw ArchiveError(ArchiveError::badCount, std::to_string(left) + (left == 1 ? " byte" : " bytes") +
                                                           " after the document's data, from offset " +
                                                           std::to_string(ar.Position()));

        m_windowNames = names;
        m_stepMap = std::move(steps);
        m_pFounSeq = std::move(founSeq);
        // The M-code sequences belong to the document as it was made, not
        // to the file: what is read starts without any.
        m_pMcodeKzPlc = std::make_unique<CHOXMcodeKzPlc>();
        // The old items go with the old monitor window and list.
        DetachItems();
        m_pMonWnd = std::move(monWnd);
        m_keptItems = std::move(keptItems);
        m_items = std::move(items);
        for (CHOXCntrlItem* item : m_items) item->SetDocument(this);
        m_rects = rects;
        m_nShowProgTextX = showX;
        m_nShowProgTextY = showY;
        m_nShowProgTextSubtask = showSubtask;
        m_progTextPos = positions;
        m_mapWindows = std::move(windows);
        m_pParam->CopyValuesFrom(param);
    } catch (...) {
        m_nControllerType = oldType;
        throw;
    }
    AfterLoad();
}

std::vector<CHOXCntrlItem*> CHOXDoc::ReadItems(CArchive& ar, const CHOXMonWnd& monitor,
                                               std::vector<std::unique_ptr<CHOXCntrlItem>>& kept) const
{
    DWORD count = 0;
    ar >> count;
    // Each item takes at least a reference (two bytes).
    if (count > ar.BytesLeft() / 2)
        throw ArchiveError(ArchiveError::badCount,
                           "an item count of " + std::to_string(count) + " is larger than the data left can hold");
    std::vector<CHOXCntrlItem*> items;
    std::unordered_set<const CHOXCntrlItem*> listed;
    for (DWORD i = 0; i < count; ++i) {
        const std::size_t at = ar.Position();
        auto* item = static_cast<CHOXCntrlItem*>(ar.ReadObject(RUNTIME_CLASS(CHOXCntrlItem)));
        if (item == nullptr)
            throw ArchiveError(ArchiveError::badClass,
                               "the item list has an empty entry at offset " + std::to_string(at));
        if (!listed.insert(item).second)
            throw ArchiveError(ArchiveError::sharedObject,
                               "the item list names one item twice (offset " + std::to_string(at) + ")");
        // An item read here first has no holder: the document keeps it.
        if (ar.IsUnclaimed(item)) {
            std::unique_ptr<CObject> owned = ar.Claim(item);
            if (!owned)
                throw ArchiveError(ArchiveError::sharedObject,
                                   "the item at offset " + std::to_string(at) + " cannot be kept by the document");
            kept.push_back(std::unique_ptr<CHOXCntrlItem>(static_cast<CHOXCntrlItem*>(owned.release())));
        }
        items.push_back(item);
    }

    // What the holders write is listed too; a save would otherwise add it.
    for (const auto& [key, object] : monitor.GetOleMap()) {
        const CHOXCntrlItem* held = static_cast<const CHOXOle*>(object.get())->GetItem();
        if (held != nullptr && !listed.contains(held))
            throw ArchiveError(ArchiveError::badIndex, "the embedded item " + std::to_string(held->GetItemNumber()) +
                                                           " on the monitor page is missing from the item list");
    }
    // Each item's data is the storage of its number, its own.
    std::set<QString> claimed;
    for (const CHOXCntrlItem* item : items) {
        const QString name = item->GetStorageName();
        const std::string number = std::to_string(item->GetItemNumber());
        if (!claimed.insert(name.toUpper()).second)
            throw ArchiveError(ArchiveError::sharedObject,
                               "two embedded items claim the storage \"" + name.toStdString() + "\"");
        const CompoundFile::Entry* storage = m_pReading != nullptr ? m_pReading->FindCarried(name) : nullptr;
        if (storage == nullptr || !storage->isStorage)
            throw ArchiveError(ArchiveError::badIndex, "the embedded item " + number + " has no storage \"" +
                                                           name.toStdString() + "\" in the file");
    }
    return items;
}

void CHOXDoc::DetachItems()
{
    for (CHOXCntrlItem* item : m_items) item->SetDocument(nullptr);
    m_items.clear();
}

void CHOXDoc::AddItem(CHOXCntrlItem* item)
{
    if (item == nullptr || std::find(m_items.begin(), m_items.end(), item) != m_items.end()) return;
    item->SetDocument(this);
    m_items.push_back(item);
}

void CHOXDoc::RemoveItem(CHOXCntrlItem* item, bool forGood)
{
    if (std::erase(m_items, item) == 0) return;
    item->SetDocument(nullptr);
    if (forGood && m_file) m_file->DropCarried(item->GetStorageName());
}

DWORD CHOXDoc::GetNewItemNumber() const
{
    DWORD highest = 0;
    for (const CHOXCntrlItem* item : m_items) highest = std::max(highest, item->GetItemNumber());
    DWORD number = highest + 1;
    while (m_file && m_file->FindCarried(COleClientItem::StorageNameOf(number)) != nullptr) ++number;
    return number;
}

void CHOXDoc::AfterLoad()
{
    // Every record marks the numbers its objects hold.
    m_pointerNumbers.fill(0);
    for (auto& row : m_programNumbers) row.fill(0);
    for (auto& [name, wnd] : m_mapWindows) {
        wnd->SetDocument(this);
        for (auto& [key, node] : wnd->GetNodeMap()) MarkPointerNumberUsed(key);
        wnd->MarkSymbolNumbersUsed();
    }

    // A file may hold any 32-bit id, and maps key objects by its low word
    // (or by a word of their own). The counter rises above both, worked out
    // in 64 bits and held at the top of its range: once past 3999 (a shape
    // counter past the word range) the allocators search for an id no map
    // uses, so a new object never replaces a loaded one.
    auto raise = [](std::int32_t& counter, const ObjectMap& map) {
        std::int64_t next = counter;
        for (const auto& [key, object] : map)
            next = std::max({next, std::int64_t{key} + 1, std::int64_t{object->GetId()} + 1});
        counter = static_cast<std::int32_t>(std::min<std::int64_t>(next, INT32_MAX));
    };
    for (auto& [name, wnd] : m_mapWindows) raise(m_idCounters.symbol, wnd->GetObjectMap());
    raise(m_idCounters.symbol, m_pMonWnd->GetObjectMap());
    for (auto& [name, wnd] : m_mapWindows) raise(m_idCounters.wire, wnd->GetConnectMap());
    raise(m_idCounters.shape, m_pMonWnd->GetShapeMap());
    raise(m_idCounters.ole, m_pMonWnd->GetOleMap());
    raise(m_idCounters.monObj, m_pMonWnd->GetMonObjMap());
}

void CHOXDoc::SetProgTextShown(int which, bool shown)
{
    std::int32_t* flags[] = {&m_nShowProgTextX, &m_nShowProgTextY, &m_nShowProgTextSubtask};
    if (which >= 0 && which < 3) *flags[which] = shown ? 1 : 0;
}

static void ShowStatusControllerType(std::int32_t type)
{
    CHOXApp* app = CHOXApp::Get();
    if (app != nullptr && app->GetMainWnd() != nullptr && app->GetMainWnd()->Host() != nullptr)
        app->GetMainWnd()->Host()->SetStatusText(1, CHOXDoc::ControllerTypeName(type));
}

bool CHOXDoc::OnNewDocument()
{
    m_pParam->SetDocument(this);
    if (!CDocument::OnNewDocument()) return false;
    m_file.reset();
    // What was cut belonged to the document that went.
    Program().clipboard.cut = 0;
    ShowStatusControllerType(m_nControllerType);
    return true;
}

bool CHOXDoc::OnOpenDocument(const QString& path)
{
    m_fileError.clear();
    if (!QFileInfo::exists(path)) {
        m_fileError = QStringLiteral("%1 does not exist").arg(path);
        AfxMessageBox(FormatStr(61729, {path}), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    QString error;
    std::optional<CompoundFile> file = CompoundFile::Open(path, &error);
    if (!file) {
        m_fileError = error;
        AfxMessageBox(LoadStr(IDS_UNEXPECTED_FILE_FORMAT), MB_OK | MB_ICONEXCLAMATION, m_fileError);
        return false;
    }
    try {
        CArchive ar(file->Contents());
        ar.m_pDocument = this;
        const ReadingFile reading(m_pReading, &*file);
        Serialize(ar);
    } catch (const ArchiveError& e) {
        m_fileError = QString::fromStdString(e.what());
        AfxMessageBox(LoadStr(IDS_UNEXPECTED_FILE_FORMAT), MB_OK | MB_ICONEXCLAMATION, m_fileError);
        return false;
    }
    m_file = std::make_unique<CompoundFile>(std::move(*file));
    SetPathName(path, true);
    m_bPathIsOwnFile = true;
    SetModifiedFlag(false);
    m_pParam->SetDocument(this);
    Program().clipboard.cut = 0;
    // The application's document comes back with its bars and windows.
    CHOXApp* app = CHOXApp::Get();
    if (app != nullptr && app->GetDocument() == this && app->MainFrame() != nullptr) {
        CMainFrame* main = app->MainFrame();
        main->FillSymbolPalette();
        main->RebuildWorkspaceTree();
        main->ShowFlowChartBars();
        main->ShowEditBars();
        RestoreWindows();
    }
    ShowStatusControllerType(m_nControllerType);
    return true;
}

bool CHOXDoc::OnSaveDocument(const QString& path)
{
    m_fileError.clear();
    if (path.size() < 3 || path.right(3).compare(LoadStr(IDS_HOX_EXTENSION), Qt::CaseInsensitive) != 0) {
        AfxMessageBox(LoadStr(IDS_UNEXPECTED_FILE_FORMAT), MB_OK);
        return false;
    }
    CArchive ar;
    ar.m_pDocument = this;
    try {
        Serialize(ar);
    } catch (const ArchiveError& e) {
        m_fileError = QString::fromStdString(e.what());
        AfxMessageBox(FormatStr(IDS_WRITE_FAILED, {path}), MB_OK | MB_ICONEXCLAMATION, m_fileError);
        return false;
    }
    // A document that did not come from a file of its own is written as a
    // complete new file; one that did carries that file's other storages.
    // Either way the items' data goes along: an item whose storage is
    // missing would make the file unreadable.
    CompoundFile file;
    if (m_file && m_nSaveAsNew == 0) file = *m_file;
    QString error;
    for (const CHOXCntrlItem* item : m_items) {
        const QString name = item->GetStorageName();
        if (file.FindCarried(name) != nullptr) continue;
        const CompoundFile::Entry* storage = m_file ? m_file->FindCarried(name) : nullptr;
        if (storage == nullptr) {
            error = QStringLiteral("the embedded item %1 has no storage \"%2\"").arg(item->GetItemNumber()).arg(name);
            break;
        }
        file.Carry(*storage);
    }
    file.SetContents(ar.Buffer());
    if (!error.isEmpty() || !file.Save(path, &error)) {
        m_fileError = error;
        AfxMessageBox(FormatStr(IDS_WRITE_FAILED, {path}), MB_OK | MB_ICONEXCLAMATION, m_fileError);
        return false;
    }
    // Only a save that succeeded ends save-as-new and takes the new path.
    m_nSaveAsNew = 0;
    m_file = std::make_unique<CompoundFile>(std::move(file));
    SetPathName(path, false);
    m_bPathIsOwnFile = true;
    SetModifiedFlag(false);
    return true;
}
