#include "app/MainFrame.h"

#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "app/HOXNewFlowChartDlg.h"
#include "app/HOXRegistry.h"
#include "app/ProgramState.h"
#include "chart/HOXDrawObj.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXView.h"
#include "platform/FileDialog.h"
#include "platform/Help.h"
#include "platform/MenuResource.h"
#include "platform/Messages.h"
#include "platform/Strings.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
// The framework's message for a command that could not be carried out.
void CommandFailed() { AfxMessageBox(IDS_COMMAND_FAILED, MB_OK); }

// The workspace tree's part in the window commands.
void AddWindowItem(CMainFrame& main, const QString& name, const QString& group)
{
    if (CHOXWorkspaceBar* bar = main.GetWorkspaceBar()) bar->AddWindowItem(name, group);
}
void DeleteSelectedItem(CMainFrame& main)
{
    if (CHOXWorkspaceBar* bar = main.GetWorkspaceBar()) bar->DeleteSelectedItem();
}

// The key under which the document's map holds the record.
QString KeyOfWindow(const CHOXDoc& doc, const CHOXFlowWnd* wnd)
{
    for (const auto& [key, record] : doc.GetWindowMap())
        if (record.get() == wnd) return key;
    return {};
}

// Gives back the pointer and program numbers a chart's objects hold, by the
// rules of their own removal; numbers that another chart still holds stay
// taken.
void ReleaseWindowNumbers(CHOXDoc& doc, CHOXFlowWnd& wnd)
{
    wnd.GiveBackNumbers();
    for (auto& [name, other] : doc.GetWindowMap()) {
        if (other.get() == &wnd) continue;
        other->MarkSymbolNumbersUsed();
        for (auto& [id, node] : other->GetNodeMap()) doc.MarkPointerNumberUsed(static_cast<int>(id));
    }
}

void SetMainTitleFor(CHOXApp* app, const CHOXDoc* doc)
{
    if (app == nullptr || doc == nullptr) return;
    if (doc->GetPathName().isEmpty()) {
        app->SetMainTitleUntitled();
    } else {
        app->SetMainTitle(doc->GetPathName());
    }
}
} // namespace

CMainFrame::CMainFrame()
{
    m_szComPort = CHOXRegistry().ReadCommPort();

    OnCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    // Without a document only: with one the document imports (32059). The
    // steps pane that shares the number is filled apart from the commands.
    OnCommand(ID_FILE_IMPORT_TEXT, [this] { OnFileImportText(); });
    OnUpdate(ID_FILE_IMPORT_TEXT, [](CCmdUI* ui) {
        const CHOXApp* app = CHOXApp::Get();
        ui->Enable(app != nullptr && app->GetDocument() == nullptr);
    });
    OnCommand(ID_NEW_FLOW_CHART, [this] { OnNewFlowChart(); });
    OnCommand(ID_NEW_SUBTASK, [this] { OnNewSubtask(); });
    OnCommand(ID_WINDOW_UPDATE, [this] { OnUpdateWindow(); });
    OnCommand(ID_WINDOW_DELETE, [this] { OnDeleteWindow(); });
    OnCommand(ID_ENTER_KEY, [this] { OnEnterKey(); });
    OnCommand(ID_COM_PORT, [this] { OnComPort(); });
    OnCommand(ID_CONTROLLER_READ, [this] { OnReadFromController(); });

    // View: each bar shows or hides, checked while shown.
    for (const auto& [command, bar] : {std::pair{ID_VIEW_TOOLBAR, IDR_MAINFRAME},
                                       std::pair{ID_VIEW_CONTROLLER_BAR, IDR_CONTROLLER_BAR},
                                       std::pair{ID_VIEW_DRAWING_BAR, IDR_DRAWING_BAR}}) {
        // An init-capture: clang 14 cannot capture a structured binding.
        OnCommand(command, [this, bar = bar] {
            if (Host() != nullptr) Host()->ShowToolBar(bar, !Host()->IsToolBarVisible(bar));
        });
        OnUpdate(command, [this, bar = bar](CCmdUI* ui) {
            ui->SetCheck(Host() != nullptr && Host()->IsToolBarVisible(bar) ? 1 : 0);
        });
    }
    OnCommand(ID_VIEW_STATUS_BAR, [this] {
        if (Host() != nullptr) Host()->ShowStatusBar(!Host()->IsStatusBarVisible());
    });
    OnUpdate(ID_VIEW_STATUS_BAR,
             [this](CCmdUI* ui) { ui->SetCheck(Host() != nullptr && Host()->IsStatusBarVisible() ? 1 : 0); });

    RegisterPaletteCommands();
    OnCommand(ID_HELP_FINDER, [] { AfxHelpContents(); }); // Help > Contents
    OnCommand(ID_DEFAULT_HELP, [] { AfxHelpContents(); }); // default help
    OnCommand(ID_HELP, [] { AfxHelpContents(); }); // F1 without a chart: the contents
    OnCommand(ID_CONTEXT_HELP, [this] {
        if (Host() != nullptr) Host()->EnterContextHelp();
    });
}

CMainFrame::~CMainFrame()
{
    if (GetFrameHooks() == this) SetFrameHooks(nullptr);
    // The port chosen in this run is the one of the next.
    CHOXRegistry().WriteString("CommPort", m_szComPort);
}

bool CMainFrame::OnCreate()
{
    FrameHost* host = Host();
    for (const auto& [bar, visible] :
         {std::pair{IDR_MAINFRAME, true}, std::pair{IDR_CONTROLLER_BAR, false}, std::pair{IDR_DRAWING_BAR, false}}) {
        const ToolbarResource* resource = FindToolbarResource(bar);
        if (resource == nullptr) return false;
        host->AddToolBar(*resource, visible);
    }
    // The zoom box works only while a document is edited.
    host->SetZoomBoxSelection(-1);
    host->EnableZoomBox(false);
    host->ShowStatusBar(true);
    // Both document panes of the status bar start empty.
    host->SetStatusText(1, QString());
    host->SetStatusText(2, QString());
    // The workspace bar, hidden until a document is shown.
    if (!m_pWorkspaceBar->Create(this)) return false;
    // The palette's bars, hidden until a document is shown.
    if (!CreatePaletteBars()) return false;
    return true;
}

bool CMainFrame::OnClose()
{
    CHOXApp* app = CHOXApp::Get();
    if (app == nullptr) return true;
    // A print run draws through the document's views: it stops first, and
    // the close comes again when it has ended.
    if (Program().printing.running != 0) {
        Program().printing.userAbort = 1;
        Program().printing.closeWanted = 1;
        return false;
    }
    // The document goes first, asking to save it; a cancel keeps the window.
    if (app->GetDocument() != nullptr && !app->CloseOpenDocument()) {
        app->m_nClosingWanted = 0;
        return false;
    }
    // From here on, closing the document really closes it.
    app->m_nClosingWanted = 1;
    return true;
}

void CMainFrame::SetMenuForActiveFrame()
{
    if (Host() == nullptr) return;
    // With a document but no active frame, the menu of the document's own
    // template, the monitor window's.
    const CHOXApp* app = CHOXApp::Get();
    UINT menu = app != nullptr && app->GetDocument() != nullptr ? IDR_MONITOR : IDR_MAINFRAME;
    if (CMDIChildWnd* child = MDIGetActive()) {
        if (const auto* view = dynamic_cast<const CHOXView*>(child->GetActiveView()))
            menu = view->GetViewType() == objtype::kMonView ? IDR_MONITOR : IDR_FLOWCHART;
    }
    Host()->SetMenu(menu);
}

// ---------------------------------------------------------------------------
// Bars

void CMainFrame::ShowEditBars()
{
    if (Host() == nullptr) return;
    Host()->ShowToolBar(IDR_DRAWING_BAR, true);
    Host()->ShowToolBar(IDR_CONTROLLER_BAR, true);
    Host()->ShowToolBar(IDR_MAINFRAME, true);
    Host()->EnableZoomBox(true);
    SetMenuForActiveFrame();
}

void CMainFrame::HideEditBars()
{
    if (Host() == nullptr) return;
    Host()->ShowToolBar(IDR_DRAWING_BAR, false);
    Host()->ShowToolBar(IDR_CONTROLLER_BAR, false);
    Host()->ShowToolBar(IDR_MAINFRAME, false);
    Host()->EnableZoomBox(false);
    Host()->SetZoomBoxSelection(-1);
}

void CMainFrame::HideEditToolBars()
{
    if (Host() == nullptr) return;
    Host()->ShowToolBar(IDR_DRAWING_BAR, false);
    Host()->ShowToolBar(IDR_CONTROLLER_BAR, false);
    Host()->EnableZoomBox(false);
    SetMenuForActiveFrame();
}

void CMainFrame::ShowFlowChartBars()
{
    // The workspace bar goes on top of the palette's Flow group, at its
    // template size.
    CHOXWorkspaceBar& bar = *m_pWorkspaceBar;
    bar.CalcDynamicLayout(0, LM_HORZDOCK | LM_VERTDOCK);
    bar.ShowWindow(SW_HIDE);
    bar.EnableCustomDocking();
    ShowFlowChartPaletteBars();
    bar.ShowWindow(SW_SHOW);
    bar.DockLeft();
}
void CMainFrame::RebuildWorkspaceTree()
{
    ClearWorkspaceTree();
    BuildWorkspaceTree();
}
void CMainFrame::BuildWorkspaceTree() { m_pWorkspaceBar->BuildTree(); }
void CMainFrame::ClearWorkspaceTree()
{
    if (m_pWorkspaceBar->HasWindow()) m_pWorkspaceBar->DeleteAllItems();
}

int CMainFrame::GetZoomBoxSelection() const { return Host() ? Host()->GetZoomBoxSelection() : -1; }

void CMainFrame::SetZoomBoxSelection(int index)
{
    if (Host()) Host()->SetZoomBoxSelection(index);
}

void CMainFrame::UpdateStatusPanes()
{
    const CHOXApp* app = CHOXApp::Get();
    CHOXDoc* doc = app != nullptr ? app->GetDocument() : nullptr;
    if (doc == nullptr) return;
    CCmdUI steps(ID_INDICATOR_STEPS);
    doc->OnUpdateSteps(&steps);
}

void CMainFrame::SetStatusPaneText(int pane, const QString& text)
{
    if (Host()) Host()->SetStatusText(pane, text);
}

// ---------------------------------------------------------------------------
// Chart windows

namespace {
// The document the window commands work on: the active frame's, else the
// program's one document (every frame may be hidden).
CHOXDoc* ActiveDocument(const CMainFrame& frame)
{
    if (CMDIChildWnd* child = frame.MDIGetActive())
        if (auto* doc = dynamic_cast<CHOXDoc*>(child->GetActiveDocument())) return doc;
    CHOXApp* app = CHOXApp::Get();
    return app != nullptr ? app->GetDocument() : nullptr;
}

CHOXView* ViewOf(CMDIChildWnd* frame) { return frame ? dynamic_cast<CHOXView*>(frame->GetActiveView()) : nullptr; }

enum class NewWindow { Shown, Hidden };

// The record made, or null.
CHOXFlowWnd* MakeFlowChartWindow(CMainFrame& main, const QString& name, const QString& description, int kind,
                                 NewWindow how)
{
    CHOXApp* app = CHOXApp::Get();
    CHOXDoc* doc = ActiveDocument(main);
    CMultiDocTemplate* flowTemplate = app != nullptr ? app->GetFlowTemplate() : nullptr;
    if (doc == nullptr || flowTemplate == nullptr) {
        CommandFailed();
        return nullptr;
    }
    const bool hidden = how == NewWindow::Hidden;
    // The map holds one window per name: a second one would take the first
    // one's place and lose it. A hidden window of monitoring is simply not
    // made beside a chart of its name.
    if (doc->FindWindowByName(name) != nullptr) {
        if (!hidden) AfxMessageBox(IDS_PROGRAM_TITLE_EXISTS, MB_OK | MB_ICONSTOP);
        return nullptr;
    }
    app->m_nFrameAtOrigin = 0;
    std::unique_ptr<CHOXFlowWnd> wnd = doc->NewFlowWindow(name, description);
    if (!wnd) {
        AfxMessageBox(IDS_TOO_MANY_FLOW_CHARTS, MB_OK);
        return nullptr;
    }
    CMDIChildWnd* frame = flowTemplate->CreateNewFrame(doc, &main);
    if (frame == nullptr) {
        CommandFailed();
        return nullptr;
    }
    if (!hidden) AddWindowItem(main, name, LoadStr(IDS_FLOW_CHART_NAME));
    frame->SetWindowText(name);
    if (!hidden) wnd->CreateInitialSymbols(kind);
    CHOXFlowWnd* record = wnd.get();
    doc->AddWindow(name, std::move(wnd), hidden);
    // View and record know each other before the view's first update.
    if (CHOXView* view = ViewOf(frame)) view->ShowRecord(record);
    // A frame that is to stay hidden is neither shown nor activated.
    flowTemplate->InitialUpdateFrame(frame, doc, !hidden);
    SetMainTitleFor(app, doc);
    if (!hidden) doc->SetModifiedFlag();
    main.SetMenuForActiveFrame();
    return record;
}
} // namespace

bool CMainFrame::WindowNameExists(const QString& name)
{
    CHOXDoc* doc = ActiveDocument(*this);
    if (doc == nullptr) {
        CommandFailed();
        return false;
    }
    return doc->FindWindowByName(name) != nullptr;
}

void CMainFrame::CreateFlowChartWindow(const QString& name, const QString& description, int kind)
{
    MakeFlowChartWindow(*this, name, description, kind, NewWindow::Shown);
}

CHOXFlowWnd* CMainFrame::CreateHiddenFlowChartWindow(const QString& name)
{
    return MakeFlowChartWindow(*this, name, QString(), 0, NewWindow::Hidden);
}

CHOXView* CMainFrame::ReopenFlowChartWindow(const QString& name)
{
    CHOXApp* app = CHOXApp::Get();
    CHOXDoc* doc = ActiveDocument(*this);
    CMultiDocTemplate* flowTemplate = app != nullptr ? app->GetFlowTemplate() : nullptr;
    CHOXFlowWnd* record = doc != nullptr ? doc->FindWindowByName(name) : nullptr;
    if (record == nullptr || flowTemplate == nullptr) {
        CommandFailed();
        return nullptr;
    }
    app->m_nFrameAtOrigin = 1;
    CMDIChildWnd* frame = flowTemplate->CreateNewFrame(doc, this);
    if (frame == nullptr) {
        CommandFailed();
        return nullptr;
    }
    AddWindowItem(*this, name, LoadStr(IDS_FLOW_CHART_NAME));
    frame->SetWindowText(name);
    CHOXView* view = ViewOf(frame);
    if (view != nullptr) view->ShowRecord(record);
    // Hidden until the document shows its windows: it is neither shown nor
    // activated on the way.
    flowTemplate->InitialUpdateFrame(frame, doc, false);

    // The stored place; a record that never had one keeps the frame's own.
    const CRect& rect = record->GetWndRect();
    if (rect.Width() > 0 && rect.Height() > 0) frame->MoveWindow(rect);
    if (view != nullptr) {
        view->SetZoomIndex(record->GetZoomIndex());
        CPoint position = view->GetScrollPosition();
        if (record->GetScrollPosX() > 0) position.x = record->GetScrollPosX();
        if (record->GetScrollPosY() > 0) position.y = record->GetScrollPosY();
        if (record->GetScrollPosX() > 0 || record->GetScrollPosY() > 0) view->ScrollToPosition(position);
    }
    SetMenuForActiveFrame();
    return view;
}

// ---------------------------------------------------------------------------
// Workspace commands

void CMainFrame::OnNewFlowChart()
{
    CHOXNewFlowChartDlg dlg(this);
    dlg.SetCaption(LoadStr(IDS_ADD_NEW_FLOW_CHART));
    CHOXApp* app = CHOXApp::Get();
    CHOXDoc* doc = ActiveDocument(*this);
    if (app == nullptr || doc == nullptr) {
        CommandFailed();
        return;
    }
    int count = app->GetFlowChartCount();
    if (doc->FindWindowByName(LoadStr(IDS_SUBTASK_NAME)) != nullptr) --count;
    QString proposal = LoadStr(IDS_FLOW_CHART_NAME) + QString::number(count + 1);
    if (WindowNameExists(proposal)) proposal = LoadStr(IDS_FLOW_CHART_NAME) + QString::number(count + 2);
    dlg.SetTitleAndDescription(proposal, QString());
    if (dlg.DoModal() != IDOK) return;
    CreateFlowChartWindow(dlg.m_strTitle, dlg.m_strDescription, 0);
}

void CMainFrame::OnNewSubtask()
{
    CHOXNewFlowChartDlg dlg(this);
    dlg.SetCaption(LoadStr(IDS_ADD_NEW_SUBTASK));
    dlg.SetTitleAndDescription(LoadStr(IDS_SUBTASK_NAME), QString());
    if (dlg.DoModal() != IDOK) return;
    CreateFlowChartWindow(dlg.m_strTitle, dlg.m_strDescription, 0);
}

void CMainFrame::OnUpdateWindow()
{
    const QString oldName = GetClickedItemText();
    CHOXApp* app = CHOXApp::Get();
    CHOXDoc* doc = ActiveDocument(*this);
    CHOXFlowWnd* record = doc != nullptr ? doc->FindWindowByName(oldName) : nullptr;
    if (app == nullptr || record == nullptr) {
        CommandFailed();
        return;
    }
    CHOXNewFlowChartDlg dlg(this);
    QString title;
    QString description;
    record->GetNames(title, description);
    dlg.SetCaption(LoadStr(oldName == LoadStr(IDS_SUBTASK_NAME) ? IDS_UPDATE_SUBTASK : IDS_UPDATE_FLOW_CHART));
    dlg.SetTitleAndDescription(title, description);
    if (dlg.DoModal() != IDOK) return;

    QString newName = dlg.m_strTitle;
    while (!newName.isEmpty() && newName.front().isSpace()) newName.remove(0, 1);

    app->ShowWindowByTitle(oldName);
    if (newName != oldName) {
        const QString key = KeyOfWindow(*doc, record);
        std::unique_ptr<CHOXFlowWnd> owned = doc->RemoveWindow(key);
        doc->AddWindow(newName, std::move(owned), true);
        doc->UpdateWindowName(key, false, newName);
        doc->RenameStepWindow(oldName, newName);
    }
    record->SetNames(newName, dlg.m_strDescription);
    m_pWorkspaceBar->SetSelectedItemText(newName);
    // Only the window's own frame takes the name: a window without a frame
    // must not rename whichever other window happens to be active.
    if (CMDIChildWnd* frame = app->FrameOfView(record->GetView())) frame->SetWindowText(newName);
    doc->SetModifiedFlag();
}

void CMainFrame::OnDeleteWindow()
{
    const QString name = GetClickedItemText();
    CHOXApp* app = CHOXApp::Get();
    if (app == nullptr || app->GetFlowChartCount() <= 1) {
        AfxMessageBox(13247, MB_OK | MB_ICONSTOP);
        return;
    }
    if (AfxMessageBox(13020, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) return;
    CHOXDoc* doc = ActiveDocument(*this);
    CHOXFlowWnd* record = doc != nullptr ? doc->FindWindowByName(name) : nullptr;
    if (record == nullptr) {
        CommandFailed();
        return;
    }
    const QString key = KeyOfWindow(*doc, record);
    ReleaseWindowNumbers(*doc, *record);
    // The frame goes before the record its view shows, and no frame may go
    // on showing it.
    const CView* view = record->GetView();
    app->DestroyWindowByTitle(name);
    if (CMDIChildWnd* frame = FrameOfView(view)) DestroyChild(frame);
    record->SetView(nullptr);
    std::unique_ptr<CHOXFlowWnd> gone = doc->RemoveWindow(key);
    doc->UpdateWindowName(key, true, QString());
    gone.reset();
    DeleteSelectedItem(*this);
    doc->SetModifiedFlag();
    SetMenuForActiveFrame();
}

// ---------------------------------------------------------------------------
// The document directory and File Open

void CMainFrame::SetDocumentsDirForTesting(const QString& dir) { Program().documentsDir = dir; }

QString CMainFrame::DefaultFileDir()
{
    // Documents belong with the user's documents, never beside the program:
    // where it is installed or built is no place to keep them.
    const QString documents = Program().documentsDir.isEmpty()
                                  ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                                  : Program().documentsDir;
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return QDir::cleanPath(documents);
    return QDir::homePath();
}

void CMainFrame::ChangeToFileDir()
{
    const QString remembered = CHOXRegistry().ReadSerializeFileDir();
    if (!remembered.isEmpty() && QDir::setCurrent(remembered)) return;
    // Nothing remembered, or the remembered directory is gone.
    QDir::setCurrent(DefaultFileDir());
}

bool CMainFrame::SetFileDir() { return CHOXRegistry().WriteString("SerializeFileDir", QDir::currentPath()); }

QString CMainFrame::PromptForFileName(const QString& initialName)
{
    const QString saved = QDir::currentPath();
    ChangeToFileDir();
    FileDialogRequest request;
    request.save = false;
    request.initialName = initialName;
    request.directory = QDir::currentPath();
    request.filters = {QStringLiteral("Hox Files (*.hox)"), QStringLiteral("All Files (*.*)")};
    request.defaultSuffix = LoadStr(IDS_HOX_EXTENSION);
    request.confirmOverwrite = true;
    const QString path = RunFileDialog(request);
    if (path.isEmpty()) {
        QDir::setCurrent(saved);
        return {};
    }
    // The directory the user confirmed in is the one remembered.
    const QString full = QFileInfo(path).absoluteFilePath();
    QDir::setCurrent(QFileInfo(full).absolutePath());
    SetFileDir();
    QDir::setCurrent(saved);
    return full;
}

void CMainFrame::OnFileOpen()
{
    const QString path = PromptForFileName(QString());
    if (path.isEmpty()) return;
    if (CHOXApp* app = CHOXApp::Get()) app->OpenDocumentFile(path);
}

// ---------------------------------------------------------------------------
// The workspace bar

QString CMainFrame::GetClickedItemText() const { return m_pWorkspaceBar->GetClickedItemText(); }

void CMainFrame::SetClickedItemText(const QString& text) { m_pWorkspaceBar->SetClickedItemText(text); }

void CMainFrame::GetWorkspaceFloatSize(CSize& size) const { size = m_pWorkspaceBar->GetFloatingSize(); }

void CMainFrame::GetWorkspaceDockSize(CSize& size) const { size = m_pWorkspaceBar->GetDockedSize(); }

void CMainFrame::OnEnterKey()
{
    // Enter opens a tree item only while the tree has the keyboard focus.
    if (m_pWorkspaceBar->IsWindowVisible() && m_pWorkspaceBar->GetTreeCtrl().HasFocus())
        m_pWorkspaceBar->OpenSelectedItem();
}
