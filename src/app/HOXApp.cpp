#include "app/HOXApp.h"

#include "app/HOXDoc.h"
#include "app/HOXLogoDlg.h"
#include "platform/MDI.h"
#include "app/HOXRegistry.h"
#include "app/MainFrame.h"
#include "chart/HOXSystemIcon.h"
#include "platform/Strings.h"

QString FileNameOfPath(const QString& path)
{
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return cut < 0 ? path : path.mid(cut + 1);
}

CHOXApp::CHOXApp()
{
    OnCommand(57665, [this] { OnAppExit(); });
}

CHOXApp::~CHOXApp() = default;

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

    LoadSymbolIcons();

    auto frame = std::make_unique<CMainFrame>();
    if (!frame->LoadFrame(2)) return false;
    SetMainWnd(std::move(frame));

    CHOXLogoDlg logo;
    logo.DoModal();

    GetMainWnd()->DragAcceptFiles(true);
    GetMainWnd()->ShowWindow(SW_SHOWMAXIMIZED);
    GetMainWnd()->UpdateWindow();

    m_nClosingWanted = 0;
    m_nStarting = 0;
    return true;
}

int CHOXApp::ExitInstance()
{
    m_mapIcons.RemoveAll();
    return CWinApp::ExitInstance();
}

void CHOXApp::SetMainTitleUntitled()
{
    if (GetMainWnd() == nullptr) return;
    GetMainWnd()->SetWindowText(LoadStr(2) + LoadStr(13006) + LoadStr(13004) + QStringLiteral(".") + LoadStr(13005));
}

void CHOXApp::SetMainTitle(const QString& path)
{
    if (GetMainWnd() == nullptr) return;
    GetMainWnd()->SetWindowText(LoadStr(2) + LoadStr(13006) + FileNameOfPath(path));
}

void CHOXApp::OnFileNew()
{
    // The File New of start-up opens nothing: the program starts without a
    // document.
    if (m_nStarting != 0) return;
}

void CHOXApp::OnAppExit()
{
    if (GetMainWnd() != nullptr) GetMainWnd()->SendClose();
}
