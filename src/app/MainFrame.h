#pragma once
// The program's main window: menus, status bar and the frame-level commands.
#include "platform/FrameWnd.h"

class CMainFrame : public CFrameWnd {
public:
    CMainFrame();
    ~CMainFrame() override;

    bool OnClose() override;

protected:
    bool OnCreate() override;
};
