#pragma once
// Frame windows as the program's logic sees them: a title, a show state, a
// menu and status bar panes, and the command routing through the active view
// and document. The window itself is a host that the user interface makes.
#include "platform/CmdTarget.h"
#include "platform/ControlBar.h"
#include "platform/DockBar.h"
#include "platform/Geometry.h"

#include <QString>
#include <QStringList>

#include <memory>

class CFrameWnd;
class CMDIChildWnd;
class CTreeCtrl;
struct ToolbarResource;

// The window of a child frame inside the main frame's client area.
class ChildFrameHost {
public:
    virtual ~ChildFrameHost() = default;
    virtual void SetTitle(const QString& title) = 0;
    virtual QString Title() const = 0;
    // SW_HIDE, SW_SHOW, SW_SHOWNORMAL, SW_RESTORE, SW_SHOWMAXIMIZED,
    // SW_SHOWMINIMIZED.
    virtual void Show(int showCommand) = 0;
    virtual bool IsVisible() const = 0;
    virtual bool IsIconic() const = 0;
    virtual bool IsZoomed() const = 0;
    // In the coordinates of the client area that holds the frames.
    virtual CRect GetWindowRect() const = 0;
    // The rectangle the frame has when it is neither minimized nor maximized.
    virtual CRect GetRestoredRect() const = 0;
    // Where the frame's window is on the screen now.
    virtual CRect GetScreenRect() const { return GetWindowRect(); }
    virtual void MoveWindow(const CRect& rect) = 0;
    // Makes the frame the active child of the main frame, on top of the
    // others.
    virtual void Activate() = 0;
    // Puts the frame on top of the others without activating it.
    virtual void Raise() {}
};

// The window that shows a frame.
class FrameHost {
public:
    virtual ~FrameHost() = default;
    virtual void SetTitle(const QString& title) = 0;
    virtual QString Title() const = 0;
    virtual void Show(int showCommand) = 0;
    virtual bool IsVisible() const = 0;
    virtual bool IsMaximized() const = 0;
    virtual bool IsMinimized() const { return false; }
    // The area that holds the child frames, in its own coordinates (those
    // the child frames are placed in): it leaves out the bars beside it.
    virtual CRect GetClientAreaRect() const { return CRect(); }
    // The menu resource shown in the menu bar.
    virtual void SetMenu(UINT menuId) = 0;
    // A top-level item of the menu bar, by its position from 0, grayed or
    // enabled; it stays so when the menu bar shows another menu.
    virtual void EnableMenuItem(int position, bool enable) {}
    virtual bool IsMenuItemEnabled(int position) const { return true; }
    virtual void SetAcceptDrops(bool accept) = 0;
    virtual void SetStatusText(int pane, const QString& text) = 0;
    virtual QString StatusText(int pane) const = 0;
    // Menu items and buttons ask the routing chain for their state again.
    virtual void UpdateCommandStates() = 0;
    // Asks the window to close; the frame's OnClose decides.
    virtual void Close() = 0;
    // Whether the window takes input: its menus, bars, shortcuts and the
    // frames inside it. Windows of their own that it owns stay usable.
    virtual void EnableWindow(bool) {}
    virtual bool IsWindowEnabled() const { return true; }

    // Frames with child frames: a window for a child in the client area
    // (hidden until shown), and the arrangements of the children.
    virtual std::unique_ptr<ChildFrameHost> CreateChildHost(CMDIChildWnd& child) { return nullptr; }
    // No child window is active any more, and none becomes so by itself.
    virtual void DeactivateChildren() {}
    // Children are made one after the other until the batch ends (batches
    // nest). A window system may show a child asked to show meanwhile only
    // once the next one shows or the batch ends, as long as it reports it
    // shown from the start.
    virtual void BeginChildBatch() {}
    virtual void EndChildBatch() {}
    virtual void CascadeChildren() {}
    virtual void TileChildren() {}

    // Toolbars made from resources, in order.
    virtual void AddToolBar(const ToolbarResource& bar, bool visible) {}
    virtual void ShowToolBar(UINT id, bool show) {}
    virtual bool IsToolBarVisible(UINT id) const { return false; }
    virtual void ShowStatusBar(bool show) {}
    virtual bool IsStatusBarVisible() const { return false; }
    // The zoom box of the standard toolbar (the slot that holds a control):
    // selection (-1 none) and enabled state. A change by the user runs the
    // slot's command.
    virtual void SetZoomBoxSelection(int index) {}
    virtual int GetZoomBoxSelection() const { return -1; }
    virtual void EnableZoomBox(bool enable) {}
    virtual bool IsZoomBoxEnabled() const { return false; }
    // The recent files shown in the File menu (commands kFirstRecentFileCommand
    // and on).
    virtual void SetRecentFiles(const QStringList& paths) {}
    virtual void SetWaitCursor(bool wait) {}
    // Context help mode: the next click asks the window under it for its
    // help.
    virtual void EnterContextHelp() {}

    // A bar at the left edge that holds a tree control (shown as the control
    // id treeId), hidden until shown; null when the window cannot have one.
    virtual std::unique_ptr<DockBarHost> CreateTreeBar(DockBarClient& client, CTreeCtrl& tree, UINT barId, int treeId,
                                                       const QString& title)
    {
        return nullptr;
    }

    // A dialog bar at the left edge that shows the bar's controls, hidden
    // until shown; null when the window cannot have one.
    virtual std::unique_ptr<BarHost> CreateBarHost(CDialogBar& bar) { return nullptr; }
};

// Makes the windows of frames; installed by the user interface (or a test).
class WindowFactory {
public:
    virtual ~WindowFactory() = default;
    virtual std::unique_ptr<FrameHost> CreateMainFrameHost(CFrameWnd& frame) = 0;
};
void SetWindowFactory(WindowFactory* factory);
WindowFactory* GetWindowFactory();

class CFrameWnd : public CCmdTarget {
public:
    CFrameWnd();
    ~CFrameWnd() override;

    // Makes the window with the menu and title of a resource; false when no
    // window could be made.
    virtual bool LoadFrame(UINT resourceId);
    FrameHost* Host() const { return m_host.get(); }

    void SetWindowText(const QString& text);
    QString GetWindowText() const;
    void ShowWindow(int showCommand);
    bool IsIconic() const;
    // The rectangle of the area that holds the child frames, origin (0, 0);
    // empty without one.
    CRect GetMDIClientRect() const;
    void UpdateWindow() {}
    void DragAcceptFiles(bool accept = true);
    void EnableWindow(bool enable = true);
    bool IsWindowEnabled() const;

    // The active view and document: the first targets a command is offered to.
    virtual CCmdTarget* GetActiveViewTarget() const { return nullptr; }
    virtual CCmdTarget* GetActiveDocumentTarget() const { return nullptr; }
    bool OnCmdMsg(UINT id, CmdMode mode, CCmdUI* ui) override;
    // A control of one of the frame's bars asks for its tip at the moment it
    // is shown: the active view answers; false keeps the control's own tip.
    virtual bool OnToolTipNeedText(UINT controlId, QString& tip);

    // The window asks for the texts of the status bar's panes while the
    // program idles.
    virtual void UpdateStatusPanes() {}

    // The user or the program asks the window to close: true lets it close.
    virtual bool OnClose() { return true; }
    void SendClose();

protected:
    // Called once the window exists; false makes LoadFrame fail.
    virtual bool OnCreate() { return true; }

private:
    std::unique_ptr<FrameHost> m_host;
};
