#pragma once
// The frame of every chart window: its title is the window's name, it opens
// at a cascading place, closing only hides it, and it cannot be closed from
// its own menu while the controller is monitored.
#include "platform/MDI.h"

class CChildFrame : public CMDIChildWnd {
public:
    CChildFrame();
    ~CChildFrame() override;

    CRect InitialRect() const override;
    void OnClose() override;
    void OnSize() override;
    void OnMDIActivate(bool active) override;
    bool OnSysCommand(UINT command) override;
    // The object under the point answers through the view; elsewhere the
    // frame answers with the help of its chart kind.
    int OnHelpHitTest(CPoint point) override;
};
