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
    // The read begins on a document without a frame, which only lends it the
    // port name: the document the read ends with (taken or new) is the
    // program's, and this one goes with the command.
    auto lender = std::make_unique<CHOXDoc>();
    {
        CHOXProgReader reader(lender.get());
        reader.ReadFromController();
    }
}
