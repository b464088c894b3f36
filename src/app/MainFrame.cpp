#include "app/MainFrame.h"

#include "app/HOXApp.h"
#include "platform/Help.h"

CMainFrame::CMainFrame()
{
    OnCommand(57667, [] { AfxHelpContents(); }); // Help > Contents
    OnCommand(57671, [] { AfxHelpContents(); }); // default help
    OnCommand(57670, [] { AfxHelpContents(); }); // F1 without a chart: the contents
}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::OnCreate()
{
    // Both document panes of the status bar start empty.
    Host()->SetStatusText(1, QString());
    Host()->SetStatusText(2, QString());
    return true;
}

bool CMainFrame::OnClose()
{
    // From here on, closing the document really closes it.
    if (CHOXApp* app = CHOXApp::Get()) app->m_nClosingWanted = 1;
    return true;
}
