#pragma once
// Multiple-document frames: the main frame holds child frames, each showing
// one view of the document; document templates make frames with their view
// class. The logic lives here; the windows are hosts the user interface makes.
#include "platform/FrameWnd.h"
#include "platform/Geometry.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

// The system command that closes a frame.
constexpr UINT SC_CLOSE = 0xF060;

class CDocument;
class CMDIFrameWnd;
class CView;

class CMDIChildWnd : public CCmdTarget {
public:
    CMDIChildWnd();
    ~CMDIChildWnd() override;

    // The rectangle a new frame is made with (left, top, width, height).
    virtual CRect InitialRect() const { return CRect(0, 0, 550, 350); }
    // The user asks to close the frame.
    virtual void OnClose() {}
    // The frame was resized, maximized, minimized or restored.
    virtual void OnSize() {}
    // The frame became active (true) or stopped being active.
    virtual void OnMDIActivate(bool active) {}
    // A system command such as SC_CLOSE from the frame's own menu or keys:
    // false lets it go on.
    virtual bool OnSysCommand(UINT command) { return false; }
    // The help context at a point of the view (device pixels); -1: none.
    virtual int OnHelpHitTest(CPoint point) { return -1; }
    // Context help was asked for at the point: the page of its context.
    void OnContextHelp(CPoint point);

    ChildFrameHost* Host() const { return m_host.get(); }
    void SetHost(std::unique_ptr<ChildFrameHost> host) { m_host = std::move(host); }
    CView* GetActiveView() const { return m_view.get(); }
    void SetView(std::unique_ptr<CView> view);
    CDocument* GetActiveDocument() const;
    CMDIFrameWnd* GetMDIFrame() const { return m_frame; }
    void SetMDIFrame(CMDIFrameWnd* frame) { m_frame = frame; }

    void SetWindowText(const QString& title);
    QString GetWindowText() const;
    void ShowWindow(int showCommand);
    bool IsWindowVisible() const;
    bool IsIconic() const;
    bool IsZoomed() const;
    CRect GetWindowRect() const;
    // The rectangle the frame has when neither minimized nor maximized.
    CRect GetRestoredRect() const;
    void MoveWindow(const CRect& rect);
    // Restored to the rectangle, then shown by the command (SW_SHOWNORMAL
    // shows a hidden frame restored there).
    void SetWindowPlacement(const CRect& normal, int showCommand);
    // The frame's window on the screen.
    CRect GetScreenRect() const;
    void MDIActivate();

    // View, then document, then the frame itself.
    bool OnCmdMsg(UINT id, CmdMode mode, CCmdUI* ui) override;

private:
    std::unique_ptr<ChildFrameHost> m_host;
    std::unique_ptr<CView> m_view;
    CMDIFrameWnd* m_frame = nullptr;
};

class CMDIFrameWnd : public CFrameWnd {
public:
    CMDIFrameWnd();
    ~CMDIFrameWnd() override;

    // Takes the child: gives it a window in the client area (hidden until it
    // is shown). False when no window could be made.
    bool AddChild(std::unique_ptr<CMDIChildWnd> child);
    // Destroys the child frame with its view.
    void DestroyChild(CMDIChildWnd* child);
    // Destroys the child frames. None of the others is activated on the
    // way: the active one, when it is among them, stops being active first.
    void DestroyChildren(const std::vector<CMDIChildWnd*>& children);
    const std::vector<std::unique_ptr<CMDIChildWnd>>& GetChildren() const { return m_children; }
    // The child that shows the view; null when none does.
    CMDIChildWnd* FrameOfView(const CView* view) const;
    CMDIChildWnd* MDIGetActive() const { return m_active; }
    void MDIActivate(CMDIChildWnd* child);
    void MDICascade();
    void MDITile();
    // The frames the Window menu lists (commands kFirstWindowListCommand
    // on), in the order they were made: the visible ones, at most nine, the
    // active one always among them. Entries without a frame have no text.
    std::vector<CMDIChildWnd*> WindowListFrames() const;

    // Called by the host when the active child changes (null: none).
    void ActiveChildChanged(CMDIChildWnd* child);

    // While one is open, activations wait: a child asked for comes on top
    // at once (the first one ends the active child's activation), and the
    // last one asked for is activated when the last batch closes, so that
    // making many frames one after the other costs the window system one
    // activation.
    class ActivationBatch {
    public:
        explicit ActivationBatch(CMDIFrameWnd* frame);
        ~ActivationBatch();
        ActivationBatch(const ActivationBatch&) = delete;
        ActivationBatch& operator=(const ActivationBatch&) = delete;

    private:
        CMDIFrameWnd* m_frame;
    };

    CCmdTarget* GetActiveViewTarget() const override;
    CCmdTarget* GetActiveDocumentTarget() const override;
    // The active child frame first (its view, document and itself), then
    // this frame.
    bool OnCmdMsg(UINT id, CmdMode mode, CCmdUI* ui) override;

private:
    std::vector<std::unique_ptr<CMDIChildWnd>> m_children;
    CMDIChildWnd* m_active = nullptr;
    bool m_destroying = false;
    int m_batches = 0;
    CMDIChildWnd* m_waitingActive = nullptr;
};

// Makes child frames with their view for a document.
class CMultiDocTemplate {
public:
    using FrameFactory = std::function<std::unique_ptr<CMDIChildWnd>()>;
    using ViewFactory = std::function<std::unique_ptr<CView>()>;

    CMultiDocTemplate(UINT resourceId, FrameFactory frames, ViewFactory views);
    UINT GetResourceId() const { return m_resourceId; }

    // A new frame with a new view of the document, in the main frame's client
    // area, hidden; null when it could not be made.
    CMDIChildWnd* CreateNewFrame(CDocument* doc, CMDIFrameWnd* mainFrame) const;
    // The view's initial update; with visible, the frame is shown and
    // activated. Without, it stays hidden and the active frame stays so.
    void InitialUpdateFrame(CMDIChildWnd* frame, CDocument* doc, bool visible) const;

private:
    UINT m_resourceId;
    FrameFactory m_frames;
    ViewFactory m_views;
};
