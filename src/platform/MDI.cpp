#include "platform/MDI.h"

#include "platform/Document.h"
#include "platform/Help.h"
#include "platform/MenuResource.h"
#include "platform/View.h"

#include <algorithm>

CMDIChildWnd::CMDIChildWnd() = default;

CMDIChildWnd::~CMDIChildWnd()
{
    if (m_view && m_view->GetDocument() != nullptr) m_view->GetDocument()->RemoveView(m_view.get());
    // The window goes before the view it shows.
    m_host.reset();
}

void CMDIChildWnd::SetView(std::unique_ptr<CView> view) { m_view = std::move(view); }

CDocument* CMDIChildWnd::GetActiveDocument() const { return m_view ? m_view->GetDocument() : nullptr; }

void CMDIChildWnd::SetWindowText(const QString& title)
{
    if (m_host) m_host->SetTitle(title);
}
QString CMDIChildWnd::GetWindowText() const { return m_host ? m_host->Title() : QString(); }
void CMDIChildWnd::ShowWindow(int showCommand)
{
    if (m_host) m_host->Show(showCommand);
}
bool CMDIChildWnd::IsWindowVisible() const { return m_host && m_host->IsVisible(); }
bool CMDIChildWnd::IsIconic() const { return m_host && m_host->IsIconic(); }
bool CMDIChildWnd::IsZoomed() const { return m_host && m_host->IsZoomed(); }
CRect CMDIChildWnd::GetWindowRect() const { return m_host ? m_host->GetWindowRect() : CRect(); }
CRect CMDIChildWnd::GetRestoredRect() const { return m_host ? m_host->GetRestoredRect() : CRect(); }
void CMDIChildWnd::MoveWindow(const CRect& rect)
{
    if (m_host) m_host->MoveWindow(rect);
}
void CMDIChildWnd::SetWindowPlacement(const CRect& normal, int showCommand)
{
    if (!m_host) return;
    m_host->MoveWindow(normal);
    m_host->Show(showCommand);
}
CRect CMDIChildWnd::GetScreenRect() const { return m_host ? m_host->GetScreenRect() : CRect(); }
void CMDIChildWnd::MDIActivate()
{
    if (m_frame != nullptr) m_frame->MDIActivate(this);
}

void CMDIChildWnd::OnContextHelp(CPoint point)
{
    const int context = OnHelpHitTest(point);
    if (context >= 0) AfxWinHelp(static_cast<UINT>(context));
}

bool CMDIChildWnd::OnCmdMsg(UINT id, CmdMode mode, CCmdUI* ui)
{
    if (m_view && m_view->OnCmdMsg(id, mode, ui)) return true;
    if (CDocument* doc = GetActiveDocument(); doc != nullptr && doc->OnCmdMsg(id, mode, ui)) return true;
    return CCmdTarget::OnCmdMsg(id, mode, ui);
}

// ---------------------------------------------------------------------------

CMDIFrameWnd::CMDIFrameWnd()
{
    constexpr UINT last = kFirstWindowListCommand + kMaxWindowListEntries - 1;
    OnCommandRange(kFirstWindowListCommand, last, [this](UINT id) {
        const std::vector<CMDIChildWnd*> frames = WindowListFrames();
        const std::size_t index = id - kFirstWindowListCommand;
        if (index >= frames.size()) return;
        CMDIChildWnd* frame = frames[index];
        if (frame->IsIconic()) frame->ShowWindow(SW_RESTORE);
        MDIActivate(frame);
    });
    OnUpdateRange(kFirstWindowListCommand, last, [this](CCmdUI* ui) {
        const std::vector<CMDIChildWnd*> frames = WindowListFrames();
        const std::size_t index = ui->m_nID - kFirstWindowListCommand;
        if (index >= frames.size()) {
            ui->SetText(QString());
            ui->Enable(false);
            return;
        }
        // "&" in a title would become a mnemonic.
        QString title = frames[index]->GetWindowText();
        title.replace(u'&', QStringLiteral("&&"));
        ui->SetText(QStringLiteral("&%1 %2").arg(index + 1).arg(title));
        ui->SetCheck(frames[index] == m_active ? 1 : 0);
    });
}

CMDIFrameWnd::~CMDIFrameWnd()
{
    // The children go one at a time and the window system hands activation
    // on to the next; none of them may be told so while this frame is half
    // gone.
    m_destroying = true;
    m_active = nullptr;
    m_waitingActive = nullptr;
    m_children.clear();
}

bool CMDIFrameWnd::AddChild(std::unique_ptr<CMDIChildWnd> child)
{
    if (Host() == nullptr) return false;
    std::unique_ptr<ChildFrameHost> host = Host()->CreateChildHost(*child);
    if (!host) return false;
    child->SetMDIFrame(this);
    child->SetHost(std::move(host));
    m_children.push_back(std::move(child));
    return true;
}

void CMDIFrameWnd::DestroyChild(CMDIChildWnd* child)
{
    auto it = std::find_if(m_children.begin(), m_children.end(), [child](const auto& c) { return c.get() == child; });
    if (it == m_children.end()) return;
    if (m_active == child) m_active = nullptr;
    if (m_waitingActive == child) m_waitingActive = nullptr;
    std::unique_ptr<CMDIChildWnd> doomed = std::move(*it);
    m_children.erase(it);
    doomed.reset();
}

void CMDIFrameWnd::DestroyChildren(const std::vector<CMDIChildWnd*>& children)
{
    // Each going window would otherwise hand activation on to a neighbour
    // that is about to go too.
    if (m_active != nullptr && std::find(children.begin(), children.end(), m_active) != children.end()) {
        m_active = nullptr;
        if (Host() != nullptr) Host()->DeactivateChildren();
    }
    // Newest first: the toolkit searches its shortcuts from the newest, and
    // each window takes its keys out as it goes.
    for (auto it = children.rbegin(); it != children.rend(); ++it) DestroyChild(*it);
}

CMDIFrameWnd::ActivationBatch::ActivationBatch(CMDIFrameWnd* frame) : m_frame(frame)
{
    if (m_frame == nullptr) return;
    if (m_frame->m_batches++ == 0 && m_frame->Host() != nullptr) m_frame->Host()->BeginChildBatch();
}

CMDIFrameWnd::ActivationBatch::~ActivationBatch()
{
    if (m_frame == nullptr || --m_frame->m_batches > 0) return;
    // The frames show before the last one asked for is activated.
    if (m_frame->Host() != nullptr) m_frame->Host()->EndChildBatch();
    CMDIChildWnd* child = m_frame->m_waitingActive;
    m_frame->m_waitingActive = nullptr;
    if (child != nullptr) m_frame->MDIActivate(child);
}

CMDIChildWnd* CMDIFrameWnd::FrameOfView(const CView* view) const
{
    if (view == nullptr) return nullptr;
    for (const auto& child : m_children)
        if (child->GetActiveView() == view) return child.get();
    return nullptr;
}

void CMDIFrameWnd::MDIActivate(CMDIChildWnd* child)
{
    if (child == nullptr || child->Host() == nullptr) return;
    if (m_batches > 0) {
        // The frame that was active stops being so at the first activation,
        // as it would have without the batch: the window system puts it
        // under the frames made after.
        if (m_waitingActive == nullptr && m_active != nullptr) {
            if (Host() != nullptr) Host()->DeactivateChildren();
            // A host without a window system does not report it.
            if (m_active != nullptr) ActiveChildChanged(nullptr);
        }
        // On top at once, as the activation would put it.
        child->Host()->Raise();
        m_waitingActive = child;
        return;
    }
    child->Host()->Activate();
    // Hosts report the change themselves; one without a window system still
    // needs the core to follow.
    if (m_active != child) ActiveChildChanged(child);
}

void CMDIFrameWnd::MDICascade()
{
    if (Host() != nullptr) Host()->CascadeChildren();
}

void CMDIFrameWnd::MDITile()
{
    if (Host() != nullptr) Host()->TileChildren();
}

std::vector<CMDIChildWnd*> CMDIFrameWnd::WindowListFrames() const
{
    std::vector<CMDIChildWnd*> frames;
    bool activeListed = false;
    for (const auto& child : m_children) {
        if (!child->IsWindowVisible()) continue;
        if (static_cast<int>(frames.size()) < kMaxWindowListEntries) {
            frames.push_back(child.get());
            activeListed = activeListed || child.get() == m_active;
        } else if (child.get() == m_active && !activeListed) {
            // Beyond the ninth, the active frame takes the last place.
            frames.back() = child.get();
            activeListed = true;
        }
    }
    return frames;
}

void CMDIFrameWnd::ActiveChildChanged(CMDIChildWnd* child)
{
    if (m_destroying || child == m_active) return;
    CMDIChildWnd* old = m_active;
    m_active = child;
    if (old != nullptr) {
        old->OnMDIActivate(false);
        if (old->GetActiveView() != nullptr) old->GetActiveView()->OnActivateView(false);
    }
    if (child != nullptr) {
        child->OnMDIActivate(true);
        if (child->GetActiveView() != nullptr) child->GetActiveView()->OnActivateView(true);
    }
}

CCmdTarget* CMDIFrameWnd::GetActiveViewTarget() const { return m_active ? m_active->GetActiveView() : nullptr; }

CCmdTarget* CMDIFrameWnd::GetActiveDocumentTarget() const { return m_active ? m_active->GetActiveDocument() : nullptr; }

bool CMDIFrameWnd::OnCmdMsg(UINT id, CmdMode mode, CCmdUI* ui)
{
    if (m_active != nullptr && m_active->OnCmdMsg(id, mode, ui)) return true;
    return CCmdTarget::OnCmdMsg(id, mode, ui);
}

// ---------------------------------------------------------------------------

CMultiDocTemplate::CMultiDocTemplate(UINT resourceId, FrameFactory frames, ViewFactory views)
    : m_resourceId(resourceId), m_frames(std::move(frames)), m_views(std::move(views))
{
}

CMDIChildWnd* CMultiDocTemplate::CreateNewFrame(CDocument* doc, CMDIFrameWnd* mainFrame) const
{
    if (mainFrame == nullptr) return nullptr;
    std::unique_ptr<CMDIChildWnd> frame = m_frames();
    std::unique_ptr<CView> view = m_views();
    if (!frame || !view) return nullptr;
    CView* rawView = view.get();
    frame->SetView(std::move(view));
    CMDIChildWnd* raw = frame.get();
    if (!mainFrame->AddChild(std::move(frame))) return nullptr;
    if (doc != nullptr) doc->AddView(rawView);
    return raw;
}

void CMultiDocTemplate::InitialUpdateFrame(CMDIChildWnd* frame, CDocument*, bool visible) const
{
    if (frame == nullptr) return;
    if (CView* view = frame->GetActiveView()) view->OnInitialUpdate();
    if (visible) {
        frame->ShowWindow(SW_SHOW);
        frame->MDIActivate();
    }
}
