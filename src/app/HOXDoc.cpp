#include "app/HOXDoc.h"

#include "app/HOXApp.h"
#include "app/HOXRegistry.h"
#include "app/MainFrame.h"
#include "app/ProgramState.h"
#include "chart/HOXDrawObj.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXPin.h"
#include "chart/HOXSymbol.h"
#include "chart/HOXView.h"
#include "online/HOXMonWnd.h"
#include "params/HOXParam.h"
#include "platform/Archive.h"
#include "platform/CompoundFile.h"
#include "platform/DC.h"
#include "platform/Messages.h"
#include "platform/Resources.h"
#include "platform/Strings.h"
#include "platform/View.h"
#include "plc/HOXFounSeq.h"
#include "platform/FileDialog.h"
#include "platform/MDI.h"
#include "res/CommandIds.h"
#include "symbols/flow/HOXFlowMonInfo.h"
#include "symbols/flow/HOXFlowPointer.h"
#include "symbols/flow/HOXFlowSubRtn.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>

KT_IMPLEMENT_SERIAL(CHOXDoc, CObject, 0)

namespace {
// The most flow-chart windows a document holds.
constexpr std::size_t kMaxWindows = 500;

// Whether the last id of a kind came from the search (program-wide, not
// stored): then giving the id back does nothing.
ProgramState::IdSearch& Searching() { return Program().searching; }
} // namespace

CHOXDoc::CHOXDoc()
    : m_pParam(std::make_unique<CHOXParam>()), m_pMonWnd(std::make_unique<CHOXMonWnd>(this)),
      m_pinBitmapTopBottom(LoadBitmapResource(4073)), m_pinBitmapSide(LoadBitmapResource(4072)),
      m_pFounSeq(std::make_unique<CHOXFounSeq>())
{
    m_pParam->SetDocument(this);
    m_pParam->SetDefaults();
    m_pFounSeq->SetDocument(this);
    m_nSystemResponse = static_cast<std::int32_t>(CHOXRegistry().ReadSystemResponse());

    // Program-text windows of monitoring, and the default-position request.
    OnCommand(ID_PROGTEXT_X, [this] { m_nShowProgTextX = m_nShowProgTextX == 1 ? 0 : 1; });
    OnCommand(ID_PROGTEXT_Y, [this] { m_nShowProgTextY = m_nShowProgTextY == 1 ? 0 : 1; });
    OnCommand(ID_PROGTEXT_SUBTASK, [this] { m_nShowProgTextSubtask = m_nShowProgTextSubtask == 1 ? 0 : 1; });
    OnCommand(ID_DEFAULT_POSITION, [this] { m_nDefaultPosition = m_nDefaultPosition == 1 ? 0 : 1; });
    OnCommand(ID_FILE_SAVE, [this] { OnFileSave(); });
    OnCommand(ID_FILE_SAVE_AS, [this] { OnFileSaveAs(); });
    // Commands that change the document or talk to the controller wait while
    // monitoring; a command that is not handled stays disabled in any case.
    for (UINT id : {ID_CONTROLLER_WRITE, ID_CONTROLLER_READ, ID_CONTROLLER_VERIFY, ID_CONTROLLER_INITIALIZE,
                    ID_CONTROLLER_DIAGNOSIS, ID_COM_PORT, ID_USED_MEMORY, ID_MONITOR_START, ID_IMPORT_TEXT,
                    ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_PRINT_SETUP, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW,
                    ID_APP_ABOUT})
        OnUpdate(id, [this](CCmdUI* ui) {
            if (!IsEditMode()) ui->Enable(false);
        });
    for (UINT id : {ID_MONITOR_STOP, ID_DEFAULT_POSITION})
        OnUpdate(id, [this](CCmdUI* ui) {
            if (!IsMonitoring()) ui->Enable(false);
        });
    OnUpdate(ID_MONITOR_TOGGLE, [this](CCmdUI* ui) { ui->SetRadio(IsMonitoring()); });
    OnUpdate(ID_PROGTEXT_X, [this](CCmdUI* ui) { ui->SetCheck(m_nShowProgTextX == 1 ? 1 : 0); });
    OnUpdate(ID_PROGTEXT_SUBTASK, [this](CCmdUI* ui) { ui->SetCheck(m_nShowProgTextSubtask == 1 ? 1 : 0); });
    OnUpdate(ID_PROGTEXT_Y, [this](CCmdUI* ui) {
        ui->Enable(m_nControllerType == ctype::kTwoAxes);
        ui->SetCheck(m_nShowProgTextY == 1 ? 1 : 0);
    });
    RegisterParameterCommands();
    InitPalette();
}

CHOXDoc::~CHOXDoc()
{
    m_mapWindows.RemoveAll();
    m_pMonWnd.reset();
    ReleasePalette();
    m_windowNames.clear();
    m_blankWindowNames.clear();
    ClearStepInfo();
}

QString CHOXDoc::ControllerTypeName(std::int32_t type)
{
    switch (type) {
    case ctype::kOneAxis: return LoadStr(13530);
    case ctype::kTwoAxes: return LoadStr(13536);
    case ctype::kInterpolated: return LoadStr(13537);
    default: return LoadStr(13532);
    }
}

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
        // Embedded items: none can be made on this platform.
        ar << DWORD(0);
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
        DWORD itemCount = 0;
        ar >> itemCount;
        if (itemCount != 0)
            throw ArchiveError(ArchiveError::badClass, "the file holds embedded items, which this program cannot read");

        m_windowNames = names;
        m_stepMap = std::move(steps);
        m_pFounSeq = std::move(founSeq);
        m_pMonWnd = std::move(monWnd);
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
        AfxMessageBox(LoadStr(61728), MB_OK | MB_ICONEXCLAMATION, m_fileError);
        return false;
    }
    try {
        CArchive ar(file->Contents());
        ar.m_pDocument = this;
        Serialize(ar);
    } catch (const ArchiveError& e) {
        m_fileError = QString::fromStdString(e.what());
        AfxMessageBox(LoadStr(61728), MB_OK | MB_ICONEXCLAMATION, m_fileError);
        return false;
    }
    m_file = std::make_unique<CompoundFile>(std::move(*file));
    SetPathName(path, true);
    SetModifiedFlag(false);
    m_pParam->SetDocument(this);
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
    if (path.size() < 3 || path.right(3).compare(LoadStr(13005), Qt::CaseInsensitive) != 0) {
        AfxMessageBox(LoadStr(61728), MB_OK);
        return false;
    }
    CArchive ar;
    ar.m_pDocument = this;
    try {
        Serialize(ar);
    } catch (const ArchiveError& e) {
        m_fileError = QString::fromStdString(e.what());
        AfxMessageBox(FormatStr(61734, {path}), MB_OK | MB_ICONEXCLAMATION, m_fileError);
        return false;
    }
    // A document that did not come from a file of its own is written as a
    // complete new file; one that did carries that file's other storages.
    CompoundFile file;
    if (m_file && m_nSaveAsNew == 0) file = *m_file;
    file.SetContents(ar.Buffer());
    QString error;
    if (!file.Save(path, &error)) {
        m_fileError = error;
        AfxMessageBox(FormatStr(61734, {path}), MB_OK | MB_ICONEXCLAMATION, m_fileError);
        return false;
    }
    // Only a save that succeeded ends save-as-new and takes the new path.
    m_nSaveAsNew = 0;
    m_file = std::make_unique<CompoundFile>(std::move(file));
    SetPathName(path, false);
    SetModifiedFlag(false);
    return true;
}

// ---------------------------------------------------------------------------
// Window map and ids

CHOXFlowWnd* CHOXDoc::FindWindowByName(const QString& name) const
{
    const QString wanted = name.toUpper();
    for (const auto& [key, wnd] : m_mapWindows)
        if (wnd->GetName().toUpper() == wanted) return wnd.get();
    return nullptr;
}

CHOXFlowWnd* CHOXDoc::FindWindowByView(const CView* view) const
{
    for (const auto& [key, wnd] : m_mapWindows)
        if (wnd->GetView() != nullptr && static_cast<const CView*>(wnd->GetView()) == view) return wnd.get();
    return nullptr;
}

std::unique_ptr<CHOXFlowWnd> CHOXDoc::NewFlowWindow(const QString& name, const QString& description)
{
    // The message says 500 windows at most; a 501st is refused.
    if (m_mapWindows.GetCount() >= kMaxWindows) return nullptr;
    auto wnd = std::make_unique<CHOXFlowWnd>(this);
    wnd->SetNames(name, description);
    return wnd;
}

void CHOXDoc::AddWindow(const QString& name, std::unique_ptr<CHOXFlowWnd> wnd, bool keepOutOfList)
{
    m_mapWindows.SetAt(name, std::move(wnd));
    if (!keepOutOfList) m_windowNames << name;
}

std::unique_ptr<CHOXFlowWnd> CHOXDoc::RemoveWindow(const QString& name) { return m_mapWindows.Take(name); }

void CHOXDoc::UpdateWindowName(const QString& oldName, bool remove, const QString& newName)
{
    const qsizetype at = m_windowNames.indexOf(oldName);
    if (at < 0) return;
    m_windowNames.removeAt(at);
    if (!remove) m_windowNames.insert(at, newName);
}

bool CHOXDoc::IsObjectIdUsed(WORD id) const
{
    for (const auto& [name, wnd] : m_mapWindows)
        if (wnd->GetObjectMap().Contains(id)) return true;
    return false;
}

namespace {
// The lowest id from `first` to `last` that no map uses; -1 (after the
// message) when all are taken.
template <class Maps>
std::int32_t SearchFreeId(std::int32_t first, std::int32_t last, const Maps& maps, UINT message)
{
    for (std::int32_t candidate = first; candidate <= last; ++candidate) {
        bool used = false;
        for (const ObjectMap* map : maps) {
            if (map->Contains(static_cast<WORD>(candidate))) {
                used = true;
                break;
            }
        }
        if (!used) return candidate;
    }
    AfxMessageBox(message, MB_OK | MB_ICONHAND);
    return -1;
}
} // namespace

std::int32_t CHOXDoc::NewSymbolId()
{
    if (m_idCounters.symbol <= 3999) {
        Searching().symbol = 0;
        return m_idCounters.symbol++;
    }
    Searching().symbol = 1;
    std::vector<const ObjectMap*> maps;
    for (const auto& [name, wnd] : m_mapWindows) maps.push_back(&wnd->GetObjectMap());
    return SearchFreeId(0, 4000, maps, 13646);
}

void CHOXDoc::ReleaseSymbolId()
{
    if (Searching().symbol == 0) --m_idCounters.symbol;
}

std::int32_t CHOXDoc::NewWireId()
{
    if (m_idCounters.wire <= 3999) {
        Searching().wire = 0;
        return m_idCounters.wire++;
    }
    Searching().wire = 1;
    std::vector<const ObjectMap*> maps;
    for (const auto& [name, wnd] : m_mapWindows) maps.push_back(&wnd->GetConnectMap());
    return SearchFreeId(0, 4000, maps, 13647);
}

void CHOXDoc::ReleaseWireId()
{
    if (Searching().wire == 0) --m_idCounters.wire;
}

std::int32_t CHOXDoc::NewShapeId()
{
    // Shape ids key a 16-bit map: past the word range the lowest id no
    // shape uses is taken instead of wrapping onto an existing one.
    if (m_idCounters.shape <= 0xFFFF) return m_idCounters.shape++;
    for (std::int32_t candidate = 0; candidate <= 0xFFFF; ++candidate)
        if (!m_pMonWnd->GetShapeMap().Contains(static_cast<WORD>(candidate))) return candidate;
    return -1;
}

std::int32_t CHOXDoc::NewOleId()
{
    if (m_idCounters.ole <= 3999) {
        Searching().ole = 0;
        return m_idCounters.ole++;
    }
    Searching().ole = 1;
    return SearchFreeId(0, 4000, std::vector<const ObjectMap*>{&m_pMonWnd->GetOleMap()}, 13648);
}

std::int32_t CHOXDoc::NewMonObjId()
{
    if (m_idCounters.monObj <= 3999) {
        Searching().monObj = 0;
        return m_idCounters.monObj++;
    }
    Searching().monObj = 1;
    return SearchFreeId(20, 4020, std::vector<const ObjectMap*>{&m_pMonWnd->GetMonObjMap()}, 13649);
}

// ---------------------------------------------------------------------------
// Pointer and program numbers

bool CHOXDoc::IsValidPointerNumber(int n) const { return n >= 0 && n <= ctype::HighestPointerNumber(m_nControllerType); }

bool CHOXDoc::IsPointerNumberUsed(int n) const
{
    return IsValidPointerNumber(n) && m_pointerNumbers[static_cast<std::size_t>(n)] != 0;
}

int CHOXDoc::AllocPointerNumber()
{
    const int last = ctype::HighestPointerNumber(m_nControllerType);
    for (int n = 0; n <= last; ++n) {
        if (m_pointerNumbers[static_cast<std::size_t>(n)] == 0) {
            m_pointerNumbers[static_cast<std::size_t>(n)] = 1;
            return n;
        }
    }
    return -1;
}

void CHOXDoc::FreePointerNumber(int n)
{
    if (IsValidPointerNumber(n)) m_pointerNumbers[static_cast<std::size_t>(n)] = 0;
}

void CHOXDoc::MarkPointerNumberUsed(int n)
{
    if (IsValidPointerNumber(n)) m_pointerNumbers[static_cast<std::size_t>(n)] = 1;
}

namespace {
// The row of an axis selector: 1 is Y; 0 and 2 (both axes together) are X.
// Selectors come from files too; any other value names no row.
int ProgramRow(int axis) { return axis == 1 ? 1 : (axis == 0 || axis == 2) ? 0 : -1; }
} // namespace

bool CHOXDoc::IsProgramNumberUsed(int axis, int n) const
{
    const int row = ProgramRow(axis);
    return row >= 0 && n >= 0 && n <= 99 && m_programNumbers[static_cast<std::size_t>(row)][static_cast<std::size_t>(n)] != 0;
}

int CHOXDoc::FindFreeProgramNumber(int axis) const
{
    const int row = ProgramRow(axis);
    if (row < 0) return -1;
    for (int n = 0; n <= 99; ++n)
        if (m_programNumbers[static_cast<std::size_t>(row)][static_cast<std::size_t>(n)] == 0) return n;
    return -1;
}

void CHOXDoc::FreeProgramNumber(int axis, int n)
{
    const int row = ProgramRow(axis);
    if (row >= 0 && n >= 0 && n <= 99) m_programNumbers[static_cast<std::size_t>(row)][static_cast<std::size_t>(n)] = 0;
}

void CHOXDoc::MarkProgramNumberUsed(int axis, int n)
{
    const int row = ProgramRow(axis);
    if (row >= 0 && n >= 0 && n <= 99) m_programNumbers[static_cast<std::size_t>(row)][static_cast<std::size_t>(n)] = 1;
}

bool CHOXDoc::IsSubroutineDefined(int n) const
{
    if (!IsPointerNumberUsed(n)) return false;
    for (const auto& [name, wnd] : m_mapWindows)
        for (const auto& [key, object] : wnd->GetObjectMap())
            if (const auto* subroutine = dynamic_cast<const CHOXFlowSubRtn*>(object.get()))
                if (subroutine->GetPointerNumber() == n) return true;
    return false;
}

// ---------------------------------------------------------------------------
// Step map and small accessors

bool CHOXDoc::DrawSymbolIcon(CDC* pDC, const QString& symbolName, int state, CPoint topLeft)
{
    const CHOXApp* app = CHOXApp::Get();
    if (pDC == nullptr || app == nullptr) return false;
    // The printout falls back like the screen does, so no symbol prints blank.
    if (state != CHOXSymbol::kNormal && app->GetSymbolIcon(symbolName, state) == nullptr) state = CHOXSymbol::kNormal;
    if (pDC->IsPrinting()) return app->DrawIcon(symbolName, state, pDC, topLeft.x, topLeft.y);

    const QImage* bitmap = app->GetSymbolIcon(symbolName, state);
    if (bitmap == nullptr || bitmap->isNull()) return false;
    const CRect target(topLeft, CSize(bitmap->width(), bitmap->height()));
    // Filtered when shrunk, so thin lines do not drop out; enlarged pictures
    // keep their pixels sharp.
    QPainter& painter = pDC->Painter();
    const bool wasSmooth = painter.testRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, pDC->LPtoDP(target).Width() < bitmap->width());
    pDC->DrawImage(target, *bitmap);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, wasSmooth);
    return true;
}

const QImage& CHOXDoc::GetPinBitmap(int kind) const { return kind == CHOXPin::kSideExit ? m_pinBitmapSide : m_pinBitmapTopBottom; }

void CHOXDoc::AddStepInfo(std::unique_ptr<CHOXFlowMonInfo> info) { m_stepMap.push_back(std::move(info)); }

void CHOXDoc::ClearStepInfo() { m_stepMap.clear(); }

QString CHOXDoc::GetStepWindowName(int id) const
{
    for (const auto& info : m_stepMap)
        if (info->GetSymbolId() == id) return info->GetWindowName();
    return {};
}

void CHOXDoc::RenameStepWindow(const QString& oldName, const QString& newName)
{
    for (auto& info : m_stepMap)
        if (info->GetWindowName() == oldName) info->SetWindowName(newName);
}

// ---------------------------------------------------------------------------
// Opening, closing and saving with the application's frames

namespace {
CMainFrame* MainFrameOf(const CHOXApp* app) { return app != nullptr ? app->MainFrame() : nullptr; }

CMDIChildWnd* FrameOf(const CView* view)
{
    const CHOXApp* app = CHOXApp::Get();
    return app != nullptr && view != nullptr ? app->FrameOfView(view) : nullptr;
}

// How the questions name a document without a path: "Untitled.hox".
QString UntitledName() { return LoadStr(13004) + QStringLiteral(".") + LoadStr(13005); }

// The document template's filter.
const char* const kHoxFilter = "Hox Files (*.hox)";
} // namespace

void CHOXDoc::SetPathName(const QString& path, bool addToRecentFiles)
{
    CDocument::SetPathName(path, addToRecentFiles);
    CHOXApp* app = CHOXApp::Get();
    if (addToRecentFiles && app != nullptr && app->GetDocument() == this) app->AddToRecentFileList(path);
}

void CHOXDoc::ShowMonitorWindowIn(CMDIChildWnd* frame)
{
    frame->SetWindowText(LoadStr(13001));
    auto* view = dynamic_cast<CHOXView*>(frame->GetActiveView());
    m_pMonWnd->SetView(view);
    if (view != nullptr) view->SetWnd(m_pMonWnd.get());
}

void CHOXDoc::RestoreWindows()
{
    CHOXApp* app = CHOXApp::Get();
    CMainFrame* main = MainFrameOf(app);
    if (main == nullptr || GetViews().empty()) return;
    CMDIChildWnd* frame = app->FrameOfView(GetViews().front());
    if (frame == nullptr) return;
    app->GetMonitorTemplate()->InitialUpdateFrame(frame, this, true);
    ShowMonitorWindowIn(frame);
    frame->MoveWindow(m_pMonWnd->GetWndRect());
    app->ActivateMonitorFrame();

    for (const QString& name : m_windowNames) {
        const auto* entry = m_mapWindows.Lookup(name);
        if (entry == nullptr) continue;
        CHOXFlowWnd* wnd = entry->get();
        CHOXView* view = main->ReopenFlowChartWindow(name);
        wnd->SetView(view);
        if (view == nullptr) continue;
        view->SetWnd(wnd);
        // Reopened hidden at its place, zoom and scroll position; now shown.
        if (CMDIChildWnd* chart = app->FrameOfView(view)) chart->ShowWindow(SW_SHOW);
    }
}

void CHOXDoc::OnCloseDocument()
{
    CHOXApp* app = CHOXApp::Get();
    CMainFrame* main = MainFrameOf(app);
    if (app != nullptr && app->m_nClosingWanted == 1) {
        if (app->GetDocument() == this)
            app->DestroyDocument(); // this document is gone from here on
        else
            CDocument::OnCloseDocument();
    }
    if (main != nullptr) {
        main->HideEditToolBars();
        main->HidePaletteBars();
        main->SetStatusPaneText(1, QString());
        main->SetStatusPaneText(2, QString());
    }
}

bool CHOXDoc::CanCloseFrame(CMDIChildWnd* frame)
{
    if (frame == nullptr) return true;
    const bool wasMaximized = frame->IsZoomed();
    if (wasMaximized) frame->ShowWindow(SW_RESTORE);
    frame->ShowWindow(SW_HIDE);

    const std::vector<CView*> views = GetViews();
    std::size_t at = 0;
    while (at < views.size() && FrameOf(views[at]) != frame) ++at;
    if (at == views.size()) return true;
    // The monitor frame hands on to the charts after it; a chart to the
    // one before it and then those after it.
    for (std::size_t i = at == 0 ? 1 : at - 1; i < views.size(); ++i) {
        CMDIChildWnd* other = FrameOf(views[i]);
        if (other == nullptr || other == frame || !other->IsWindowVisible()) continue;
        if (wasMaximized) other->ShowWindow(SW_SHOWMAXIMIZED);
        other->MDIActivate();
        break;
    }
    return true;
}

bool CHOXDoc::SaveModified()
{
    // Embedded items cannot exist on this platform: only the document's own
    // changes are asked about.
    if (!IsModified()) return true;
    const QString name = GetPathName().isEmpty() ? UntitledName() : GetPathName();
    switch (AfxMessageBox(FormatStr(61699, {name}), MB_YESNOCANCEL)) {
    case IDCANCEL: return false;
    case IDNO: SetModifiedFlag(false); return true;
    default: break;
    }
    const QString oldTitle = GetTitle();
    SetTitle(LoadStr(13004));
    const QString oldDir = QDir::currentPath();
    CMainFrame::ChangeToFileDir();
    if (!DoFileSave()) {
        SetTitle(oldTitle);
        CMainFrame::SetFileDir();
        return false;
    }
    CMainFrame::SetFileDir();
    QDir::setCurrent(oldDir);
    return true;
}

bool CHOXDoc::DoFileSave()
{
    const QFileInfo file(GetPathName());
    // A read-only file is not replaced (not even by a user who could): the
    // user chooses where to save.
    const bool readOnly = file.exists() && (!file.isWritable() || !file.permission(QFileDevice::WriteOwner));
    if (GetPathName().isEmpty() || readOnly) return DoSave(QString(), true);
    return DoSave(GetPathName(), true);
}

bool CHOXDoc::DoSave(const QString& path, bool replace)
{
    QString target = path;
    if (target.isEmpty()) {
        QString proposal = GetPathName();
        if (proposal.isEmpty()) {
            proposal = GetTitle();
            for (QChar bad : {u':', u'/', u'\\'}) {
                const qsizetype cut = proposal.indexOf(bad);
                if (cut >= 0) proposal.truncate(cut);
            }
            proposal += QStringLiteral(".") + LoadStr(13005);
        }
        FileDialogRequest request;
        request.save = true;
        request.initialName = proposal;
        request.directory = QDir::currentPath();
        request.filters = {QString::fromLatin1(kHoxFilter), QStringLiteral("All Files (*.*)")};
        request.defaultSuffix = LoadStr(13005);
        target = RunFileDialog(request);
        if (target.isEmpty()) return false;
        // The dialog leaves the chosen file's folder current, as the
        // system's own does; the callers remember it from there.
        QDir::setCurrent(QFileInfo(target).absolutePath());
    }
    if (!OnSaveDocument(target)) return false;
    if (replace) SetPathName(target, true);
    return true;
}

void CHOXDoc::SaveCommand(bool saveAs)
{
    CHOXApp* app = CHOXApp::Get();
    CMainFrame* main = MainFrameOf(app);
    const QString oldDir = QDir::currentPath();
    CMainFrame::ChangeToFileDir();
    const QString oldText = main != nullptr ? main->GetWindowText() : QString();
    CMDIChildWnd* monitorFrame = GetViews().empty() ? nullptr : FrameOf(GetViews().front());
    const bool maximized = monitorFrame != nullptr && monitorFrame->IsZoomed();
    SetTitle(LoadStr(13004));

    const bool saved = saveAs ? DoSave(QString(), true) : DoFileSave();
    if (saved) CMainFrame::SetFileDir();
    if (!saveAs && app != nullptr) app->m_nLastSaveSucceeded = saved ? 1 : 0;
    QDir::setCurrent(oldDir);

    if (main == nullptr) return;
    if (GetPathName().isEmpty()) {
        // Cutting the old text before the document's former title would eat
        // into the program's name (the title is "Untitled" from the first
        // save on, and the text holds "Untitled.hox"); with the monitoring
        // frame maximized the main window names the untitled document anew.
        if (maximized && app != nullptr)
            app->SetMainTitleUntitled();
        else
            main->SetWindowText(oldText);
    } else {
        app->SetMainTitle(GetPathName());
    }
}

void CHOXDoc::OnFileSave() { SaveCommand(false); }

void CHOXDoc::OnFileSaveAs() { SaveCommand(true); }

// ---------------------------------------------------------------------------
// Jump and call targets

void CHOXDoc::OpenJumpTarget(int n) { OpenTarget(n, true); }

void CHOXDoc::OpenCallTarget(int n) { OpenTarget(n, false); }

void CHOXDoc::OpenTarget(int n, bool jump)
{
    if (!IsValidPointerNumber(n)) {
        AfxMessageBox(13227, MB_OK | MB_ICONHAND);
        return;
    }
    if (!IsPointerNumberUsed(n)) {
        CMainFrame* main = MainFrameOf(CHOXApp::Get());
        if (main == nullptr) return;
        // The next number may already name a chart (after a delete or a
        // rename): the first free name is taken, so no chart is replaced.
        QString name;
        for (std::size_t k = m_mapWindows.GetCount() + 1;; ++k) {
            name = LoadStr(20001) + QString::number(k);
            if (FindWindowByName(name) == nullptr) break;
        }
        main->CreateFlowChartWindow(name, QString(), jump ? 1 : 2);
        CHOXFlowWnd* wnd = FindWindowByName(name);
        if (wnd == nullptr) return;
        for (auto& [key, object] : wnd->GetObjectMap()) {
            if (jump) {
                if (auto* pointer = dynamic_cast<CHOXFlowPointer*>(object.get())) pointer->SetPointerNumber(n);
            } else if (auto* subroutine = dynamic_cast<CHOXFlowSubRtn*>(object.get())) {
                subroutine->SetPointerNumber(n);
            }
        }
        if (wnd->GetView() != nullptr) wnd->GetView()->Invalidate();
        return;
    }
    for (auto& [name, wnd] : m_mapWindows) {
        CHOXView* view = wnd->GetView();
        if (view != nullptr) view->Select(nullptr);
        for (auto& [key, object] : wnd->GetObjectMap()) {
            auto* label = dynamic_cast<CHOXFlowLabel*>(object.get());
            if (label == nullptr || label->GetPointerNumber() != n) continue;
            const bool isSubroutine = dynamic_cast<CHOXFlowSubRtn*>(label) != nullptr;
            const bool isPointer = dynamic_cast<CHOXFlowPointer*>(label) != nullptr;
            if (jump ? isSubroutine : isPointer) {
                AfxMessageBox(jump ? 13275 : 13274, MB_OK | MB_ICONHAND);
                return;
            }
            if (!(jump ? isPointer : isSubroutine)) continue;
            if (CMDIChildWnd* frame = FrameOf(view)) {
                if (!frame->IsWindowVisible()) frame->ShowWindow(SW_SHOW);
                frame->MDIActivate();
            }
            if (view != nullptr) view->Select(label, true);
        }
    }
}

// ---------------------------------------------------------------------------
// Modes

void CHOXDoc::StopMonitoringIfActive()
{
    if (m_nEditMode == 0) OnMonitorStop();
}

void CHOXDoc::OnMonitorStop()
{
    if (m_nEditMode == 1) return;
    // Ending the worker and putting the chart windows back belong to
    // monitoring itself.
    m_nEditMode = 1;
    m_nMonitoring = 0;
}

void CHOXDoc::SetMenusEnabled(bool, CView*)
{
    // Menu items take their state from the update handlers, which read the
    // mode: asking for the states again switches them.
    const CHOXApp* app = CHOXApp::Get();
    if (app != nullptr && app->GetMainWnd() != nullptr && app->GetMainWnd()->Host() != nullptr)
        app->GetMainWnd()->Host()->UpdateCommandStates();
}
