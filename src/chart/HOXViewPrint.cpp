// The chart views' share of the print preview: what the program hides while
// the pages are shown over it, and puts back when the preview ends.
#include "chart/HOXView.h"

#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "chart/FrameHooks.h"
#include "chart/HOXFlowWnd.h"
#include "chart/PrintHooks.h"
#include "platform/Help.h"
#include "platform/MDI.h"
#include "platform/PrintDialog.h"
#include "platform/PrintPreview.h"
#include "res/CommandIds.h"

#include <array>

namespace {
const QString kPreviewTitle = QStringLiteral(" Print Preview");

// Where a frame was before the preview hid it, kept in its record.
constexpr std::int32_t kShownMaximized = 0;
constexpr std::int32_t kShownMinimized = 1;
constexpr std::int32_t kShownNormal = 2;
constexpr std::int32_t kNotShown = 3;

// The top-level menu items the preview grays: View to Window of a chart's
// menu; Edit stays.
constexpr int kFirstGrayedMenu = 2;
constexpr int kLastGrayedMenu = 6;
constexpr int kEditMenu = 1;

// The toolbars the preview hides.
constexpr std::array<UINT, 3> kEditToolBars = {IDR_MAINFRAME, IDR_CONTROLLER_BAR, IDR_DRAWING_BAR};

CHOXApp* App() { return CHOXApp::Get(); }
CMDIFrameWnd* Main() { return App() != nullptr ? dynamic_cast<CMDIFrameWnd*>(App()->GetMainWnd()) : nullptr; }
CMDIChildWnd* FrameOf(const CView* view) { return App() != nullptr ? App()->FrameOfView(view) : nullptr; }

// The records of the document, the flow charts then the monitor window.
template <class F>
void ForEachRecord(CHOXDoc& doc, F&& f)
{
    for (auto& [name, record] : doc.GetWindowMap())
        if (record) f(*record);
    if (CHOXWnd* monitor = doc.GetMonitorRecord()) f(*monitor);
}
} // namespace

void CHOXView::OnFilePrintPreview()
{
    PreviewSetup setup;
    setup.mainFrame = Main();
    setup.printCommand = ID_FILE_PRINT;
    setup.helpContext = HID_BASE_RESOURCE + IDR_PREVIEW_BAR;
    CPrintPreview::Run(*this, setup);
}

bool CHOXView::OnPreparePrinting(CPrintInfo* pInfo)
{
    const PrintHooks& hooks = ChartPrintHooks();
    if (!hooks.preparePrinting || !hooks.preparePrinting(*this, pInfo)) {
        pInfo->m_bPreview = false;
        return false;
    }
    if (pInfo->m_bPreview) EnterPreview();
    return true;
}

void CHOXView::OnEndPrinting(CDC*, CPrintInfo* pInfo)
{
    if (pInfo != nullptr && pInfo->m_bPreview && m_nPreviewing != 0) LeavePreview();
}

void CHOXView::OnEndPrintPreview(CDC*, CPrintInfo*)
{
    CHOXApp* app = App();
    const auto* doc = dynamic_cast<const CHOXDoc*>(GetDocument());
    if (app == nullptr || doc == nullptr) return;
    if (doc->GetPathName().isEmpty()) {
        app->SetMainTitleUntitled();
    } else {
        app->SetMainTitle(doc->GetPathName());
    }
}

void CHOXView::EnterPreview()
{
    m_nPreviewing = 1;
    auto* doc = dynamic_cast<CHOXDoc*>(GetDocument());
    if (doc != nullptr) {
        m_strSavedDocTitle = doc->GetTitle();
        doc->SetTitle(kPreviewTitle);
    }
    CMDIFrameWnd* main = Main();
    m_pFrameBeforePreview = main != nullptr ? main->MDIGetActive() : nullptr;
    m_previewHiddenBars.clear();
    if (main != nullptr && main->Host() != nullptr)
        for (UINT bar : kEditToolBars)
            if (!main->Host()->IsToolBarVisible(bar)) m_previewHiddenBars.push_back(bar);
    if (FrameHooks* hooks = GetFrameHooks()) {
        hooks->HideEditBars();
        hooks->HidePaletteBars();
        hooks->HideEditToolBars();
    }
    if (doc != nullptr) {
        ForEachRecord(*doc, [](CHOXWnd& record) {
            CMDIChildWnd* frame = FrameOf(record.GetView());
            if (frame == nullptr) return;
            record.SetShowState(!frame->IsWindowVisible() ? kNotShown
                                : frame->IsZoomed()       ? kShownMaximized
                                : frame->IsIconic()       ? kShownMinimized
                                                          : kShownNormal);
            frame->ShowWindow(SW_HIDE);
        });
    }
    CMDIChildWnd* frame = FrameOf(this);
    if (frame != nullptr) {
        frame->ShowWindow(SW_SHOWMAXIMIZED);
        frame->MDIActivate();
    }
    if (main != nullptr && main->Host() != nullptr) {
        for (int item = kFirstGrayedMenu; item <= kLastGrayedMenu; ++item) main->Host()->EnableMenuItem(item, false);
        main->Host()->EnableMenuItem(kEditMenu, true);
    }
    if (frame != nullptr) {
        m_strSavedFrameTitle = frame->GetWindowText();
        frame->SetWindowText(kPreviewTitle);
    }
}

void CHOXView::LeavePreview()
{
    m_nPreviewing = 0;
    auto* doc = dynamic_cast<CHOXDoc*>(GetDocument());
    if (doc != nullptr) doc->SetTitle(m_strSavedDocTitle);
    CMDIFrameWnd* main = Main();
    if (main != nullptr && main->Host() != nullptr)
        for (int item = kEditMenu; item <= kLastGrayedMenu; ++item) main->Host()->EnableMenuItem(item, true);
    if (CMDIChildWnd* frame = FrameOf(this)) {
        frame->ShowWindow(SW_RESTORE);
        frame->SetWindowText(m_strSavedFrameTitle);
    }
    if (FrameHooks* hooks = GetFrameHooks()) {
        hooks->ShowEditBars();
        hooks->ShowPaletteBars();
    }
    // The toolbars the user had put away stay away.
    if (main != nullptr && main->Host() != nullptr)
        for (UINT bar : m_previewHiddenBars) main->Host()->ShowToolBar(bar, false);
    if (doc != nullptr) {
        // The monitor window, then the charts; maximized frames last, since
        // the client area maximizes every frame activated after one.
        auto restore = [main](CHOXWnd& record, bool maximized) {
            CMDIChildWnd* frame = FrameOf(record.GetView());
            if (frame == nullptr || (record.GetShowState() == kShownMaximized) != maximized) return;
            switch (record.GetShowState()) {
            case kShownMaximized: frame->ShowWindow(SW_SHOWMAXIMIZED); break;
            case kShownMinimized: frame->ShowWindow(SW_SHOWMINIMIZED); break;
            case kNotShown: frame->ShowWindow(SW_HIDE); return;
            default: frame->ShowWindow(SW_SHOWNORMAL); break;
            }
            if (main != nullptr) main->MDIActivate(frame);
        };
        for (bool maximized : {false, true}) {
            if (CHOXWnd* monitor = doc->GetMonitorRecord()) restore(*monitor, maximized);
            for (auto& [name, record] : doc->GetWindowMap())
                if (record) restore(*record, maximized);
        }
    }
    // The frame that was active before is so again.
    if (main != nullptr && m_pFrameBeforePreview != nullptr) {
        for (const auto& child : main->GetChildren()) {
            if (child.get() != m_pFrameBeforePreview) continue;
            if (child->IsWindowVisible()) main->MDIActivate(child.get());
            break;
        }
    }
    m_pFrameBeforePreview = nullptr;
}

bool CHOXView::OnCmdMsg(UINT id, CmdMode mode, CCmdUI* ui)
{
    if (m_nPreviewing == 0) return CView::OnCmdMsg(id, mode, ui);
    // While its pages are shown, the view takes only the preview's commands.
    CPrintPreview* preview = CPrintPreview::Active();
    if (preview != nullptr && &preview->View() != this) preview = nullptr;
    switch (id) {
    case ID_FILE_PRINT:
    case ID_HELP:
    case ID_CANCEL_EDIT:
        if (mode == CmdMode::Execute && preview != nullptr) {
            if (id == ID_FILE_PRINT) {
                preview->Print();
            } else if (id == ID_HELP) {
                preview->Help();
            } else {
                preview->Close();
            }
        }
        return true;
    case ID_FILE_PRINT_PREVIEW:
        if (mode == CmdMode::Update && ui != nullptr) ui->Enable(false);
        return true;
    default: return false;
    }
}
