// The main window's share of the controller: the choice of the port and the
// read from the controller, which works with or without an open document.
#include "app/MainFrame.h"

#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "convert/HOXProgReader.h"
#include "online/HOXComPortDlg.h"

#include <memory>

void CMainFrame::OnComPort()
{
    CHOXComPortDlg dlg;
    dlg.SetPortName(m_szComPort);
    if (dlg.DoModal() != IDOK) return;
    QString port = m_szComPort;
    dlg.GetPortName(port);
    m_szComPort = port;
}

void CMainFrame::OnReadFromController()
{
    CHOXApp* app = CHOXApp::Get();
    if (app == nullptr) return;
    if (!app->CloseOpenDocument()) return;
    // A document without a frame lends the read its port; the document the
    // read ends with takes its place, and this one goes with the command.
    auto lender = std::make_unique<CHOXDoc>();
    {
        CHOXProgReader reader(lender.get());
        reader.ReadFromController();
    }
}
