#pragma once
// The program's windows in memory: a main window whose client area holds
// child frames, each with its view hosted in memory, and bars that only
// remember whether they are shown. The frames keep the states the window
// system would (hidden, normal, minimized, maximized, the normal
// rectangle) and answer with them, so the logic above the hosts runs
// without a screen. Installed as the window factory, they make the whole
// application headless.
#include "platform/ControlBar.h"
#include "platform/DockBar.h"
#include "platform/FrameWnd.h"
#include "platform/MDI.h"
#include "platform/View.h"
#include "support/MemoryViewHost.h"

#include <map>
#include <memory>
#include <vector>

namespace kt::test {

class MemoryFrameHost;

class MemoryChildFrameHost : public ChildFrameHost {
public:
    MemoryChildFrameHost(CMDIChildWnd& frame, MemoryFrameHost& main) : m_frame(frame), m_main(main)
    {
        if (CView* view = frame.GetActiveView()) view->SetHost(&viewHost);
    }
    ~MemoryChildFrameHost() override;

    void SetTitle(const QString& text) override { title = text; }
    QString Title() const override { return title; }
    void Show(int showCommand) override
    {
        switch (showCommand) {
        case SW_HIDE: visible = false; return;
        case SW_SHOWMAXIMIZED: zoomed = true, iconic = false; break;
        case SW_SHOWMINIMIZED: iconic = true, zoomed = false; break;
        case SW_SHOWNORMAL:
        case SW_RESTORE: iconic = zoomed = false; break;
        default: break;
        }
        visible = true;
    }
    bool IsVisible() const override { return visible; }
    bool IsIconic() const override { return iconic; }
    bool IsZoomed() const override { return zoomed; }
    CRect GetWindowRect() const override;
    CRect GetRestoredRect() const override { return normal; }
    CRect GetScreenRect() const override;
    void MoveWindow(const CRect& rect) override
    {
        iconic = zoomed = false;
        normal = rect.Normalized();
    }
    void Activate() override;

    CMDIChildWnd& Frame() const { return m_frame; }

    QString title;
    bool visible = false;
    bool iconic = false;
    bool zoomed = false;
    CRect normal{0, 0, 550, 350};
    MemoryViewHost viewHost;

private:
    CMDIChildWnd& m_frame;
    MemoryFrameHost& m_main;
};

class MemoryDockBarHost : public DockBarHost {
public:
    void Show(bool show) override { visible = show; }
    bool IsVisible() const override { return visible; }
    bool IsFloating() const override { return false; }
    void DockLeft() override {}
    UINT TrackPopupMenu(const std::vector<PopupMenuItem>&, CPoint) override { return 0; }
    bool visible = false;
};

class MemoryBarHost : public BarHost {
public:
    void Show(bool show) override { visible = show; }
    void DockLeft() override {}
    CRect GetWindowRect() const override { return CRect(); }
    void ControlChanged(CBarCtrl&) override {}
    void ControlDestroyed(CBarCtrl&) override {}
    bool visible = false;
};

class MemoryFrameHost : public FrameHost {
public:
    void SetTitle(const QString& text) override { title = text; }
    QString Title() const override { return title; }
    void Show(int showCommand) override
    {
        visible = showCommand != SW_HIDE;
        minimized = showCommand == SW_SHOWMINIMIZED;
        maximized = showCommand == SW_SHOWMAXIMIZED || (maximized && showCommand == SW_SHOW);
    }
    bool IsVisible() const override { return visible; }
    bool IsMaximized() const override { return maximized; }
    bool IsMinimized() const override { return minimized; }
    CRect GetClientAreaRect() const override { return CRect(0, 0, clientArea.Width(), clientArea.Height()); }
    void SetMenu(UINT menuId) override { menu = menuId; }
    void SetAcceptDrops(bool) override {}
    void SetStatusText(int pane, const QString& text) override { panes[pane] = text; }
    QString StatusText(int pane) const override
    {
        auto it = panes.find(pane);
        return it != panes.end() ? it->second : QString();
    }
    void UpdateCommandStates() override {}
    void Close() override {}
    std::unique_ptr<ChildFrameHost> CreateChildHost(CMDIChildWnd& child) override
    {
        return std::make_unique<MemoryChildFrameHost>(child, *this);
    }
    std::unique_ptr<DockBarHost> CreateTreeBar(DockBarClient&, CTreeCtrl&, UINT, int, const QString&) override
    {
        return std::make_unique<MemoryDockBarHost>();
    }
    std::unique_ptr<BarHost> CreateBarHost(CDialogBar&) override { return std::make_unique<MemoryBarHost>(); }

    // The child frame's host, or null.
    static MemoryChildFrameHost* Of(const CMDIChildWnd* frame)
    {
        return frame != nullptr ? dynamic_cast<MemoryChildFrameHost*>(frame->Host()) : nullptr;
    }

    QString title;
    bool visible = false;
    bool minimized = false;
    bool maximized = false;
    UINT menu = 0;
    std::map<int, QString> panes;
    // The client area on the screen: the child frames' coordinates start at
    // its top-left corner.
    CRect clientArea{40, 90, 1240, 890};
    MemoryChildFrameHost* active = nullptr;
};

inline MemoryChildFrameHost::~MemoryChildFrameHost()
{
    if (m_main.active == this) m_main.active = nullptr;
    if (CView* view = m_frame.GetActiveView(); view != nullptr && view->Host() == &viewHost) view->SetHost(nullptr);
}

inline CRect MemoryChildFrameHost::GetWindowRect() const
{
    if (zoomed) return m_main.GetClientAreaRect();
    if (iconic) return CRect(0, m_main.clientArea.Height() - 30, 160, m_main.clientArea.Height());
    return normal;
}

inline CRect MemoryChildFrameHost::GetScreenRect() const
{
    CRect r = GetWindowRect();
    r.OffsetRect(m_main.clientArea.left, m_main.clientArea.top);
    return r;
}

inline void MemoryChildFrameHost::Activate() { m_main.active = this; }

// Makes main windows in memory and keeps the last one made.
class MemoryWindowFactory : public WindowFactory {
public:
    std::unique_ptr<FrameHost> CreateMainFrameHost(CFrameWnd&) override
    {
        auto host = std::make_unique<MemoryFrameHost>();
        main = host.get();
        return host;
    }
    MemoryFrameHost* main = nullptr;
};

} // namespace kt::test
