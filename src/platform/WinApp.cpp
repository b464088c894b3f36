#include "platform/WinApp.h"

namespace {
CWinApp* g_app = nullptr;
}

CWinApp* AfxGetApp() { return g_app; }

CWinApp::CWinApp()
{
    g_app = this;
    SetCommandRouter(this);
}

CWinApp::~CWinApp()
{
    m_pMainWnd.reset();
    if (GetCommandRouter() == this) SetCommandRouter(nullptr);
    if (g_app == this) g_app = nullptr;
}

int CWinApp::ExitInstance() { return 0; }

void CWinApp::SetMainWnd(std::unique_ptr<CFrameWnd> frame) { m_pMainWnd = std::move(frame); }

void CWinApp::DestroyMainWnd() { m_pMainWnd.reset(); }

bool CWinApp::RouteCmdMsg(UINT id, CmdMode mode, CCmdUI* ui)
{
    if (m_pMainWnd && m_pMainWnd->OnCmdMsg(id, mode, ui)) return true;
    return OnCmdMsg(id, mode, ui);
}
