#include "app/ChildFrame.h"

// Being built: the behaviour of chart frames.
CChildFrame::CChildFrame() = default;
CChildFrame::~CChildFrame() = default;
CRect CChildFrame::InitialRect() const { return CMDIChildWnd::InitialRect(); }
void CChildFrame::OnClose() { ShowWindow(SW_HIDE); }
void CChildFrame::OnSize() {}
void CChildFrame::OnMDIActivate(bool) {}
bool CChildFrame::OnSysCommand(UINT) { return false; }
