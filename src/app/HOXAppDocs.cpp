// The application's one document: made on the monitor template, opened from
// a file, closed with its frames; the chart frames found, shown and
// destroyed through their window records; the recent files.
#include "app/HOXApp.h"

#include "app/HOXDoc.h"
#include "app/HOXNewUnitTypeDlg.h"
#include "app/HOXRegistry.h"
#include "app/MainFrame.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXView.h"
#include "online/HOXCommLink.h"
#include "online/monitor/HOXMonWnd.h"
#include "params/HOXParam.h"
#include "platform/MDI.h"
#include "platform/MenuResource.h"
#include "platform/Messages.h"
#include "platform/PrintPreview.h"
#include "platform/Settings.h"
#include "platform/Strings.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"

#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <utility>

namespace {
const char* const kRecentFileGroup = "Recent File List";

// The record a frame title stands for: the chart of that exact name; the
// monitor window only when no chart bears its name.
CHOXWnd* RecordOfTitle(const CHOXDoc& doc, const QString& title)
{
    CHOXFlowWnd* wnd = doc.FindWindowByName(title);
    if (wnd != nullptr) return wnd->GetName() == title ? wnd : nullptr;
    return title == LoadStr(IDS_MONITORING_WINDOW) ? doc.GetMonWnd() : nullptr;
}

bool IsRecordOf(const CHOXDoc& doc, const CHOXWnd* wnd)
{
    if (wnd == doc.GetMonWnd()) return true;
    for (const auto& [name, record] : doc.GetWindowMap())
        if (record.get() == wnd) return true;
    return false;
}
} // namespace

// ---------------------------------------------------------------------------
// Creating, opening and closing

CMDIChildWnd* CHOXApp::NewDocumentWithFrame()
{
    m_pDocument = std::make_unique<CHOXDoc>();
    CMDIChildWnd* frame = m_pMonitorTemplate->CreateNewFrame(m_pDocument.get(), MainFrame());
    if (frame == nullptr) {
        m_pDocument.reset();
        AfxMessageBox(61700, MB_OK | MB_ICONEXCLAMATION);
    }
    return frame;
}

CHOXDoc* CHOXApp::CreateMonitorDocument()
{
    if (MainFrame() == nullptr || m_pDocument) return nullptr;
    CMDIChildWnd* frame = NewDocumentWithFrame();
    if (frame == nullptr) return nullptr;
    CHOXDoc* doc = m_pDocument.get();
    m_pMonitorTemplate->InitialUpdateFrame(frame, doc, true);
    doc->ShowMonitorWindowIn(frame);
    return doc;
}

void CHOXApp::DestroyDocument()
{
    if (!m_pDocument) return;
    // A preview of it ends first, putting the frames back it hid.
    CPrintPreview::EndActive();
    // Without a document from here on: frames that become active while
    // their neighbours go find none.
    std::unique_ptr<CHOXDoc> doc = std::move(m_pDocument);
    doc->GetMonWnd()->SetView(nullptr);
    for (auto& [name, wnd] : doc->GetWindowMap()) wnd->SetView(nullptr);
    if (CMainFrame* main = MainFrame()) {
        std::vector<CMDIChildWnd*> frames;
        for (CView* view : doc->GetViews())
            if (CMDIChildWnd* frame = FrameOfView(view)) frames.push_back(frame);
        main->DestroyChildren(frames);
        main->ClearWorkspaceTree();
        // Without a document the main window bears the program's name alone.
        main->SetWindowText(LoadStr(IDR_MAINFRAME));
    }
    doc.reset();
}

bool CHOXApp::CloseOpenDocument()
{
    if (!m_pDocument) return true;
    m_nClosingWanted = 1;
    if (!m_pDocument->SaveModified()) {
        m_nClosingWanted = 0;
        return false;
    }
    if (!m_pDocument->IsEditMode()) {
        m_pDocument->StopMonitoringIfActive();
        // The worker's last cycle ends meanwhile.
        QThread::msleep(400);
    }
    m_pDocument->OnCloseDocument();
    m_nClosingWanted = 0;
    return true;
}

void CHOXApp::OnFileNew()
{
    // The File New of start-up opens nothing: the program starts without a
    // document.
    if (m_nStarting != 0) return;
    if (!CloseOpenDocument()) return;
    CMainFrame* main = MainFrame();
    if (main == nullptr) return;
    if (main->Host() != nullptr) main->Host()->ShowToolBar(IDR_MAINFRAME, true);

    CHOXRegistry registry;
    int type = registry.ReadKzqwType();
    if (type < 0) type = ctype::kTwoAxes;
    if (m_nAskType == 1) {
        CHOXNewUnitTypeDlg dlg;
        dlg.m_nUnitType = type;
        if (dlg.DoModal() != IDOK) return;
        type = dlg.m_nUnitType;
        registry.WriteString("KzqwType", QString::number(type));
    }

    if (main->Host() != nullptr) main->Host()->SetWaitCursor(true);
    main->FillSymbolPalette();
    main->BuildWorkspaceTree();
    main->ShowFlowChartBars();
    main->ShowEditBars();
    m_nFrameAtOrigin = 1;
    CHOXDoc* doc = CreateMonitorDocument();
    if (doc != nullptr) {
        doc->SetControllerType(type);
        doc->GetParam().SetDefaults();
        main->CreateFlowChartWindow(LoadStr(IDS_FLOW_CHART_NAME) + QString::number(1), QString(), 0);
        doc->OnNewDocument();
        SetMainTitleUntitled();
    }
    if (main->Host() != nullptr) main->Host()->SetWaitCursor(false);
}

CHOXDoc* CHOXApp::OpenDocumentOnTemplate(const QString& path)
{
    if (MainFrame() == nullptr) return nullptr;
    CMDIChildWnd* frame = NewDocumentWithFrame();
    if (frame == nullptr) return nullptr;
    CHOXDoc* doc = m_pDocument.get();
    if (!doc->OnOpenDocument(path)) {
        // The document has said why.
        DestroyDocument();
        return nullptr;
    }
    m_pMonitorTemplate->InitialUpdateFrame(frame, doc, true);
    return doc;
}

CHOXDoc* CHOXApp::OpenDocumentFile(const QString& path)
{
    m_nFrameAtOrigin = 1;
    if (!CloseOpenDocument()) return m_pDocument.get();
    m_nClosingWanted = 1;
    const QString fullPath = path.isEmpty() ? path : QFileInfo(path).absoluteFilePath();
    CHOXDoc* doc = OpenDocumentOnTemplate(fullPath);
    if (doc == nullptr) return nullptr;

    if (!fullPath.isEmpty()) {
        CHOXMonWnd* mon = doc->GetMonWnd();
        if (mon->GetWndRect().IsRectNull()) {
            // No document data in the file: a fresh document of the last
            // type that will write a complete file there.
            doc->OnCloseDocument();
            m_nStarting = 0;
            m_nAskType = 0;
            OnFileNew();
            m_nAskType = 1;
            doc = m_pDocument.get();
            if (doc == nullptr) return nullptr;
            doc->SetPathName(fullPath, true);
            doc->MarkPathAsOwnFile();
            doc->SetSaveAsNew();
        } else if (CHOXView* view = mon->GetView()) {
            view->SetZoomIndex(mon->GetZoomIndex());
            CPoint scroll = view->GetScrollPosition();
            if (mon->GetScrollPosX() > 0) scroll.x = mon->GetScrollPosX();
            if (mon->GetScrollPosY() > 0) scroll.y = mon->GetScrollPosY();
            view->ScrollToPosition(scroll);
            view->Invalidate();
        }
    }
    if (!doc->GetPathName().isEmpty()) SetMainTitle(doc->GetPathName());
    return doc;
}

void CHOXApp::OnFileClose()
{
    if (!m_pDocument) return;
    if (CloseOpenDocument() && MainFrame() != nullptr && MainFrame()->Host() != nullptr)
        MainFrame()->Host()->ShowToolBar(IDR_MAINFRAME, true);
}

// ---------------------------------------------------------------------------
// The document's frames

CMDIChildWnd* CHOXApp::FrameOfView(const CView* view) const
{
    const CMainFrame* main = MainFrame();
    return main != nullptr ? main->FrameOfView(view) : nullptr;
}

void CHOXApp::UpdateMainTitle()
{
    if (!m_pDocument) return;
    if (m_pDocument->GetPathName().isEmpty())
        SetMainTitleUntitled();
    else
        SetMainTitle(m_pDocument->GetPathName());
}

void CHOXApp::OnCloseAll()
{
    if (!m_pDocument) return;
    const std::vector<CView*> views = m_pDocument->GetViews();
    for (CView* view : views) {
        CMDIChildWnd* frame = FrameOfView(view);
        if (frame != nullptr && frame->IsWindowVisible()) frame->ShowWindow(SW_HIDE);
    }
}

void CHOXApp::OnUpdateCloseAll(CCmdUI* ui)
{
    bool visible = false;
    if (m_pDocument) {
        for (CView* view : m_pDocument->GetViews()) {
            const CMDIChildWnd* frame = FrameOfView(view);
            if (frame != nullptr && frame->IsWindowVisible()) {
                visible = true;
                break;
            }
        }
    }
    ui->Enable(visible);
}

void CHOXApp::OnUpdateWindowCascade(CCmdUI* ui) { ui->Enable(CountVisibleWindows() == 2); }

void CHOXApp::OnUpdateWindowTile(CCmdUI* ui) { ui->Enable(CountVisibleWindows() == 2); }

int CHOXApp::CountVisibleWindows() const
{
    if (!m_pDocument) return 0;
    auto visible = [this](const CHOXView* view) {
        const CMDIChildWnd* frame = FrameOfView(view);
        return frame != nullptr && frame->IsWindowVisible();
    };
    int count = visible(m_pDocument->GetMonWnd()->GetView()) ? 1 : 0;
    for (const auto& [name, wnd] : m_pDocument->GetWindowMap()) {
        if (count >= 2) break;
        if (visible(wnd->GetView())) ++count;
    }
    return count;
}

int CHOXApp::GetFlowChartCount() const
{
    return m_pDocument ? static_cast<int>(m_pDocument->GetWindowMap().GetCount()) : 0;
}

void CHOXApp::ShowWindowByTitle(const QString& title)
{
    if (!m_pDocument) return;
    const CHOXWnd* wnd = RecordOfTitle(*m_pDocument, title);
    if (CMDIChildWnd* frame = wnd != nullptr ? FrameOfView(wnd->GetView()) : nullptr) {
        if (!frame->IsWindowVisible())
            frame->ShowWindow(SW_SHOWNORMAL);
        else if (frame->IsIconic())
            frame->ShowWindow(SW_RESTORE);
        frame->MDIActivate();
    }
    UpdateMainTitle();
}

void CHOXApp::DestroyWindowByTitle(const QString& title)
{
    CMainFrame* main = MainFrame();
    if (!m_pDocument || main == nullptr) return;
    CHOXDoc& doc = *m_pDocument;
    CMDIChildWnd* frame = nullptr;
    if (CHOXFlowWnd* wnd = doc.FindWindowByName(title)) {
        if (wnd->GetName() == title) frame = FrameOfView(wnd->GetView());
        if (frame != nullptr) wnd->SetView(nullptr);
    } else {
        // The record may have gone before its frame: only a frame whose
        // view shows no record of the document can be meant.
        for (CView* view : doc.GetViews()) {
            const auto* chart = dynamic_cast<const CHOXView*>(view);
            if (chart == nullptr || IsRecordOf(doc, chart->GetWnd())) continue;
            CMDIChildWnd* candidate = FrameOfView(view);
            if (candidate != nullptr && candidate->GetWindowText() == title) {
                frame = candidate;
                break;
            }
        }
    }
    if (frame != nullptr) main->DestroyChild(frame);
    if (doc.GetViews().size() == 1)
        if (CMDIChildWnd* last = FrameOfView(doc.GetViews().front())) last->MDIActivate();
    if (!doc.GetViews().empty()) UpdateMainTitle();
}

void CHOXApp::ActivateMonitorFrame()
{
    if (!m_pDocument) return;
    const CView* view = m_pDocument->GetMonWnd()->GetView();
    if (view == nullptr && !m_pDocument->GetViews().empty()) view = m_pDocument->GetViews().front();
    CMDIChildWnd* frame = FrameOfView(view);
    if (frame == nullptr) return;
    if (frame->IsIconic())
        frame->ShowWindow(SW_RESTORE);
    else if (!frame->IsWindowVisible())
        frame->ShowWindow(SW_SHOWNORMAL);
    frame->MDIActivate();
}

// ---------------------------------------------------------------------------
// Messages

void CHOXApp::ShowCommError(int code, const QString& detail)
{
    AfxMessageBox(CHOXCommLink::GetCommErrorMessage(code), MB_OK | MB_ICONHAND, detail);
}

// ---------------------------------------------------------------------------
// Recent files

QStringList CHOXApp::GetRecentFiles() const
{
    auto settings = OpenSettings();
    settings->beginGroup(QString::fromLatin1(kRecentFileGroup));
    QStringList files;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString path = settings->value(QStringLiteral("File%1").arg(i)).toString();
        if (!path.isEmpty() && !files.contains(path)) files << path;
    }
    return files;
}

void CHOXApp::SetRecentFiles(const QStringList& paths)
{
    {
        auto settings = OpenSettings();
        settings->beginGroup(QString::fromLatin1(kRecentFileGroup));
        for (int i = 1; i <= kRecentFileCount; ++i) {
            const QString key = QStringLiteral("File%1").arg(i);
            if (i <= paths.size())
                settings->setValue(key, paths[i - 1]);
            else
                settings->remove(key);
        }
        settings->endGroup();
        settings->sync();
    }
    ShowRecentFiles();
}

void CHOXApp::ShowRecentFiles() const
{
    if (GetMainWnd() != nullptr && GetMainWnd()->Host() != nullptr) GetMainWnd()->Host()->SetRecentFiles(GetRecentFiles());
}

void CHOXApp::AddToRecentFileList(const QString& path)
{
    if (path.isEmpty()) return;
    QStringList files = GetRecentFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kRecentFileCount) files.removeLast();
    SetRecentFiles(files);
}

void CHOXApp::OnOpenRecentFile(UINT id)
{
    const QStringList files = GetRecentFiles();
    const int index = static_cast<int>(id) - static_cast<int>(kFirstRecentFileCommand);
    if (index < 0 || index >= files.size()) return;
    const QString path = files[index];
    // A file that cannot be opened any more leaves the list.
    if (OpenDocumentFile(path) == nullptr) {
        QStringList rest = GetRecentFiles();
        rest.removeAll(path);
        SetRecentFiles(rest);
    }
}
