#include "app/HOXApp.h"

#include "app/ChildFrame.h"
#include "app/DesktopRegistration.h"
#include "app/HOXDoc.h"
#include "app/HOXLogoDlg.h"
#include "chart/FrameHooks.h"
#include "platform/MDI.h"
#include "platform/MenuResource.h"
#include "app/HOXRegistry.h"
#include "app/MainFrame.h"
#include "chart/HOXFlowView.h"
#include "chart/HOXSystemIcon.h"
#include "online/monitor/HOXMonView.h"
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
    // A document to open; "/p" and "/pt" (print, print to a printer, with
    // the printer, driver and port after the file) are accepted. Printing
    // from the command line is not available yet: the file is only opened.
    QString file;
    for (const QString& argument : CommandLine()) {
        const QString flag = argument.toLower();
        if (flag == QLatin1String("/p") || flag == QLatin1String("/pt") || flag == QLatin1String("-p") ||
            flag == QLatin1String("-pt"))
            continue;
        if (file.isEmpty()) file = argument;
    }
    if (file.isEmpty()) {
        OnFileNew(); // ignored while starting: no document at launch
        return true;
    }
    return OpenDocumentFile(file) != nullptr;
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
