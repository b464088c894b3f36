#include "platform/FrameWnd.h"

#include "platform/Strings.h"
#include "platform/View.h"

namespace {
WindowFactory* g_factory = nullptr;
}

void SetWindowFactory(WindowFactory* factory) { g_factory = factory; }
WindowFactory* GetWindowFactory() { return g_factory; }

CFrameWnd::CFrameWnd() = default;
CFrameWnd::~CFrameWnd() = default;

bool CFrameWnd::LoadFrame(UINT resourceId)
{
    if (g_factory == nullptr) return false;
    m_host = g_factory->CreateMainFrameHost(*this);
    if (!m_host) return false;
    m_host->SetMenu(resourceId);
    // The title of the frame's resource: its string of the same id.
    m_host->SetTitle(LoadStr(resourceId));
    if (!OnCreate()) {
        m_host.reset();
        return false;
    }
    return true;
}

void CFrameWnd::SetWindowText(const QString& text)
{
    if (m_host) m_host->SetTitle(text);
}

QString CFrameWnd::GetWindowText() const { return m_host ? m_host->Title() : QString(); }

void CFrameWnd::ShowWindow(int showCommand)
{
    if (m_host) m_host->Show(showCommand);
}

bool CFrameWnd::IsIconic() const { return m_host && m_host->IsMinimized(); }
CRect CFrameWnd::GetMDIClientRect() const { return m_host ? m_host->GetClientAreaRect() : CRect(); }

void CFrameWnd::EnableWindow(bool enable)
{
    if (m_host) m_host->EnableWindow(enable);
}

bool CFrameWnd::IsWindowEnabled() const { return !m_host || m_host->IsWindowEnabled(); }

void CFrameWnd::SendClose()
{
    if (m_host) m_host->Close();
}

void CFrameWnd::DragAcceptFiles(bool accept)
{
    if (m_host) m_host->SetAcceptDrops(accept);
}

bool CFrameWnd::OnToolTipNeedText(UINT controlId, QString& tip)
{
    auto* view = dynamic_cast<CView*>(GetActiveViewTarget());
    return view != nullptr && view->OnToolTipNeedText(controlId, tip);
}

bool CFrameWnd::OnCmdMsg(UINT id, CmdMode mode, CCmdUI* ui)
{
    if (CCmdTarget* view = GetActiveViewTarget(); view != nullptr && view->OnCmdMsg(id, mode, ui)) return true;
    if (CCmdTarget* doc = GetActiveDocumentTarget(); doc != nullptr && doc->OnCmdMsg(id, mode, ui)) return true;
    return CCmdTarget::OnCmdMsg(id, mode, ui);
}
