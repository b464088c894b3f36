#include "app/HOXWaitCursor.h"

#include "app/HOXApp.h"
#include "app/MainFrame.h"

CHOXWaitCursor::CHOXWaitCursor() { Set(true); }

CHOXWaitCursor::~CHOXWaitCursor() { Set(false); }

void CHOXWaitCursor::Set(bool wait)
{
    if (wait == m_bWait) return;
    m_bWait = wait;
    CHOXApp* app = CHOXApp::Get();
    CMainFrame* main = app != nullptr ? app->MainFrame() : nullptr;
    if (main != nullptr && main->Host() != nullptr) main->Host()->SetWaitCursor(wait);
}
