#include "app/HOXApp.h"

#include "app/ChildFrame.h"
#include "app/DesktopRegistration.h"
#include "app/HOXAboutDlg.h"
#include "app/HOXDoc.h"
#include "app/HOXLogoDlg.h"
#include "chart/FrameHooks.h"
#include "platform/MDI.h"
#include "platform/MenuResource.h"
#include "app/HOXRegistry.h"
#include "app/MainFrame.h"
#include "app/ProgramState.h"
#include "chart/HOXFlowView.h"
#include "chart/HOXSystemIcon.h"
#include "online/monitor/HOXMonView.h"
#include "platform/PrintDialog.h"
#include "platform/Strings.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"

#include <QCoreApplication>

QString FileNameOfPath(const QString& path)
{
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return cut < 0 ? path : path.mid(cut + 1);
}

CHOXApp::CHOXApp()
{
    OnCommand(ID_APP_EXIT, [this] { OnAppExit(); });
    OnCommand(ID_APP_ABOUT, [this] { OnAppAbout(); });
    OnCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    OnCommand(ID_DOCUMENT_CLOSE, [this] { OnFileClose(); });
    OnCommand(ID_WINDOW_CLOSE_ALL, [this] { OnCloseAll(); });
    OnUpdate(ID_WINDOW_CLOSE_ALL, [this](CCmdUI* ui) { OnUpdateCloseAll(ui); });
    // Cascade and Tile are the frame's arrangements.
    OnCommand(ID_WINDOW_CASCADE, [this] {
        if (MainFrame() != nullptr) MainFrame()->MDICascade();
    });
    OnCommand(ID_WINDOW_TILE_HORZ, [this] {
        if (MainFrame() != nullptr) MainFrame()->MDITile();
    });
    OnUpdate(ID_WINDOW_CASCADE, [this](CCmdUI* ui) { OnUpdateWindowCascade(ui); });
    OnUpdate(ID_WINDOW_TILE_HORZ, [this](CCmdUI* ui) { OnUpdateWindowTile(ui); });
    // The printer and page chosen here stay until the program ends.
    OnCommand(ID_FILE_PRINT_SETUP, [] { GetPrintService()->RunPageSetup(); });
    constexpr UINT lastRecentFile = kFirstRecentFileCommand + kRecentFileCount - 1;
    OnCommandRange(kFirstRecentFileCommand, lastRecentFile, [this](UINT id) { OnOpenRecentFile(id); });
    OnUpdateRange(kFirstRecentFileCommand, lastRecentFile, [this](CCmdUI* ui) {
        ui->Enable(static_cast<int>(ui->m_nID - kFirstRecentFileCommand) < GetRecentFiles().size());
    });
}

CHOXApp::~CHOXApp()
{
    // Frames and views go before the document they show.
    DestroyDocument();
}

CHOXApp* CHOXApp::Get() { return dynamic_cast<CHOXApp*>(AfxGetApp()); }

CMainFrame* CHOXApp::MainFrame() const { return static_cast<CMainFrame*>(GetMainWnd()); }

bool CHOXApp::InitInstance()
{
    // Settings of the framework's own (recent files) live under this key.
    SetRegistryKey(QStringLiteral("Tarnwick"));

    // The controller operations read the port themselves; start-up only makes
    // sure there is one.
    CHOXRegistry registry;
    QString port;
    if (!registry.ReadString("CommPort", port, CHOXRegistry::FindValue("CommPort")->maxBytes))
        registry.WriteString("CommPort", QStringLiteral("COM1"));

    // Both kinds of chart window are frames of the one document: the
    // monitor window (every document is made with it) and the flow charts.
    m_pMonitorTemplate = std::make_unique<CMultiDocTemplate>(
        IDR_MONITOR, [] { return std::make_unique<CChildFrame>(); }, [] { return std::make_unique<CHOXMonView>(); });
    m_pFlowTemplate = std::make_unique<CMultiDocTemplate>(
        IDR_FLOWCHART, [] { return std::make_unique<CChildFrame>(); }, [] { return std::make_unique<CHOXFlowView>(); });

    LoadSymbolIcons();

    auto frame = std::make_unique<CMainFrame>();
    if (!frame->LoadFrame(IDR_MAINFRAME)) return false;
    SetMainWnd(std::move(frame));
    SetFrameHooks(MainFrame());
    ShowRecentFiles();

    CHOXLogoDlg logo;
    logo.DoModal();

    GetMainWnd()->DragAcceptFiles(true);
    // A failed registration costs the desktop its icon and double-click, not
    // the program its start: it is not reported.
    desktopreg::Register({desktopreg::UserDataFolder(), QCoreApplication::applicationFilePath(), {}});
    if (!ProcessCommandLine()) return false;
    GetMainWnd()->ShowWindow(SW_SHOWMAXIMIZED);
    GetMainWnd()->UpdateWindow();

    m_nClosingWanted = 0;
    m_nStarting = 0;
    return true;
}

bool CHOXApp::ProcessCommandLine()
{
    // A document to open, or to print: "/p" and the file; "/pt", the file,
    // the printer, its driver and its port.
    enum class Shell { Open, Print, PrintTo } shell = Shell::Open;
    QStringList names;
    for (const QString& argument : CommandLine()) {
        const QString flag = argument.toLower();
        if (flag == QLatin1String("/p") || flag == QLatin1String("-p")) {
            shell = Shell::Print;
        } else if (flag == QLatin1String("/pt") || flag == QLatin1String("-pt")) {
            shell = Shell::PrintTo;
        } else {
            names << argument;
        }
    }
    if (names.isEmpty()) {
        OnFileNew(); // ignored while starting: no document at launch
        return true;
    }
    if (shell == Shell::Open) return OpenDocumentFile(names.front()) != nullptr;
    m_strPrinterName = shell == Shell::PrintTo && names.size() > 1 ? names[1] : QString();
    PrintFromCommandLine(names.front());
    return false;
}

void CHOXApp::PrintFromCommandLine(const QString& file)
{
    m_nStartupExitCode = 1;
    Program().printing.outcome = ProgramState::kNotPrinted;
    CHOXDoc* doc = OpenDocumentFile(file);
    if (doc == nullptr) return;
    // The first view takes it: the monitor view hands it to the first flow
    // view.
    for (CView* view : doc->GetViews())
        if (view->OnCmdMsg(ID_FILE_PRINT_DIRECT, CmdMode::Execute, nullptr)) break;
    const std::int32_t outcome = Program().printing.outcome;
    m_nStartupExitCode = outcome == ProgramState::kPrinted || outcome == ProgramState::kPrintCancelled ? 0 : 1;
}

int CHOXApp::ExitInstance()
{
    m_mapIcons.RemoveAll();
    return CWinApp::ExitInstance();
}

void CHOXApp::SetMainTitleUntitled()
{
    if (GetMainWnd() == nullptr) return;
    GetMainWnd()->SetWindowText(LoadStr(IDR_MAINFRAME) + LoadStr(13006) + LoadStr(IDS_UNTITLED) + QStringLiteral(".") +
                                LoadStr(IDS_HOX_EXTENSION));
}

void CHOXApp::SetMainTitle(const QString& path)
{
    if (GetMainWnd() == nullptr) return;
    GetMainWnd()->SetWindowText(LoadStr(IDR_MAINFRAME) + LoadStr(13006) + FileNameOfPath(path));
}

void CHOXApp::OnAppExit()
{
    if (GetMainWnd() != nullptr) GetMainWnd()->SendClose();
}

void CHOXApp::OnAppAbout()
{
    CHOXAboutDlg dlg;
    dlg.DoModal();
}
