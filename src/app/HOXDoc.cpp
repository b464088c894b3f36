#include "app/HOXDoc.h"

#include "app/HOXApp.h"
#include "app/HOXRegistry.h"
#include "app/MainFrame.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXPin.h"
#include "chart/HOXSymbol.h"
#include "chart/HOXView.h"
#include "online/monitor/HOXCntrlItem.h"
#include "online/monitor/HOXMonWnd.h"
#include "online/monitor/HOXMonitorSession.h"
#include "online/HOXProgressMsgDlg.h"
#include "params/HOXParam.h"
#include "platform/CompoundFile.h"
#include "platform/DC.h"
#include "platform/Messages.h"
#include "platform/Resources.h"
#include "platform/Strings.h"
#include "platform/View.h"
#include "plc/HOXFounSeq.h"
#include "plc/HOXMcodeKzPlc.h"
#include "platform/FileDialog.h"
#include "platform/MDI.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"
#include "symbols/flow/HOXFlowMonInfo.h"
#include "symbols/flow/HOXFlowPointer.h"
#include "symbols/flow/HOXFlowSubRtn.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>

KT_IMPLEMENT_SERIAL(CHOXDoc, CObject, 0)

CHOXDoc::CHOXDoc()
    : m_pParam(std::make_unique<CHOXParam>()), m_pMonWnd(std::make_unique<CHOXMonWnd>(this)),
      m_pinBitmapTopBottom(LoadBitmapResource(4073)), m_pinBitmapSide(LoadBitmapResource(4072)),
      m_pFounSeq(std::make_unique<CHOXFounSeq>()), m_pMcodeKzPlc(std::make_unique<CHOXMcodeKzPlc>()),
      m_pProgressDlg(std::make_unique<CHOXProgressMsgDlg>())
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
    InitMonitorCommands();
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
        ui->Enable(ctype::HasIndependentAxes(m_nControllerType));
        ui->SetCheck(m_nShowProgTextY == 1 ? 1 : 0);
    });
    RegisterParameterCommands();
    InitPalette();
    InitProgramCommands();
    InitControllerCommands();
}

CHOXDoc::~CHOXDoc()
{
    // The worker ends before anything it was told of goes.
    m_pMonitorThread.reset();
    // The holders that go with the monitor window take their items along;
    // nothing is left to tell.
    DetachItems();
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
    case ctype::kOneAxis: return LoadStr(IDS_ONE_AXIS_MODEL_NAME);
    case ctype::kTwoAxes: return LoadStr(13536);
    case ctype::kInterpolated: return LoadStr(13537);
    default: return LoadStr(IDS_UNKNOWN_MODEL);
    }
}

QString CHOXDoc::UntitledName() { return LoadStr(IDS_UNTITLED) + QStringLiteral(".") + LoadStr(IDS_HOX_EXTENSION); }

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

CHOXWnd* CHOXDoc::GetMonitorRecord() const { return m_pMonWnd.get(); }

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
    frame->SetWindowText(LoadStr(IDS_MONITORING_WINDOW));
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
    // The monitoring frame is activated before the charts open and stays
    // the active one: its activation is made once they are open, so that
    // it ends on top of them, as activating each chart in turn left it.
    CMDIFrameWnd::ActivationBatch batch(main);
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
    SetTitle(LoadStr(IDS_UNTITLED));
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
    // Nor is a file the document never came from: the Save As dialog
    // proposes the name and asks before it replaces anything.
    const bool notOwn = file.exists() && !m_bPathIsOwnFile;
    if (GetPathName().isEmpty() || readOnly || notOwn) return DoSave(QString(), true);
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
            proposal += QStringLiteral(".") + LoadStr(IDS_HOX_EXTENSION);
        }
        FileDialogRequest request;
        request.save = true;
        request.initialName = proposal;
        request.directory = QDir::currentPath();
        request.filters = {QString::fromLatin1(kHoxFilter), QStringLiteral("All Files (*.*)")};
        request.defaultSuffix = LoadStr(IDS_HOX_EXTENSION);
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
    SetTitle(LoadStr(IDS_UNTITLED));

    const bool saved = saveAs ? DoSave(QString(), true) : DoFileSave();
    if (saved) CMainFrame::SetFileDir();
    if (!saveAs && app != nullptr) app->m_nLastSaveSucceeded = saved ? 1 : 0;
    QDir::setCurrent(oldDir);
    SetCaptionAfterSave(oldText, maximized);
}

void CHOXDoc::SetCaptionAfterSave(const QString& oldText, bool maximized)
{
    CHOXApp* app = CHOXApp::Get();
    CMainFrame* main = MainFrameOf(app);
    if (main == nullptr) return;
    if (GetPathName().isEmpty()) {
        // Cutting the old text before the document's former title would eat
        // into the program's name (the title is "Untitled" from the first
        // save on, and the text holds "Untitled.hox"); with the monitoring
        // frame maximized the main window names the untitled document anew.
        if (maximized)
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
        AfxMessageBox(IDS_INVALID_POINTER_NUMBER, MB_OK | MB_ICONHAND);
        return;
    }
    if (!IsPointerNumberUsed(n)) {
        CMainFrame* main = MainFrameOf(CHOXApp::Get());
        if (main == nullptr) return;
        // The next number may already name a chart (after a delete or a
        // rename): the first free name is taken, so no chart is replaced.
        QString name;
        for (std::size_t k = m_mapWindows.GetCount() + 1;; ++k) {
            name = LoadStr(IDS_FLOW_CHART_NAME) + QString::number(k);
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
