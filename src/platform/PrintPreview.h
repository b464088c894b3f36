#pragma once
// Print preview: the pages of a view's print run on the screen, each drawn
// only when it is shown, on the page of the printer the run would print on.
// The logic is here; the window that shows it is a host the user interface
// makes over the main window's frames. One preview runs at a time.
#include "platform/PrintTarget.h"
#include "platform/Types.h"

#include <QImage>
#include <QString>

class QPainter;

#include <memory>

class CFrameWnd;
class CPrintInfo;
class CPrintPreview;
class CView;

// The window of a preview. It goes with its host.
class PreviewHost {
public:
    virtual ~PreviewHost() = default;
    // The pages shown, their number or the zoom changed: shows them anew.
    virtual void Update() = 0;
};

class PreviewService {
public:
    virtual ~PreviewService() = default;
    // A window that shows the preview over the frames of the main window
    // until the host goes; null when none can be made.
    virtual std::unique_ptr<PreviewHost> Open(CPrintPreview& preview, CFrameWnd* mainFrame) = 0;
};

// The service previews open their windows with; null: none (no preview
// starts).
void SetPreviewService(PreviewService* service);
PreviewService* GetPreviewService();

// What a preview needs of the program around it.
struct PreviewSetup {
    CFrameWnd* mainFrame = nullptr;
    // The command the preview's Print sends the view once the preview ended.
    UINT printCommand = 0;
    // The help of the preview window.
    UINT helpContext = 0;
};

class CPrintPreview {
public:
    static constexpr int kZoomLevels = 3;

    // The print preview of the view: the view prepares a run in preview
    // (false ends it there), then the window opens on the first page. False
    // when no preview started.
    static bool Run(CView& view, const PreviewSetup& setup);
    // The preview that runs; null when none does.
    static CPrintPreview* Active();
    // Ends the preview that runs, if one does: its window closes, then the
    // view ends the run and the preview.
    static void EndActive();

    ~CPrintPreview();
    CPrintPreview(const CPrintPreview&) = delete;
    CPrintPreview& operator=(const CPrintPreview&) = delete;

    CView& View() const { return m_view; }
    CPrintInfo& Info() const { return *m_info; }
    const PageMetrics& Page() const { return m_page; }
    UINT HelpContext() const { return m_setup.helpContext; }

    // The first page shown (from 1), how many are shown side by side (1 or
    // 2), and the zoom (0 the pages fit the window, up to kZoomLevels - 1).
    UINT CurrentPage() const { return m_nCurrentPage; }
    int PagesShown() const { return m_nPagesShown; }
    int ZoomLevel() const { return m_nZoom; }
    // The pages of the run, as the last page drawn counted them.
    UINT PageCount() const;
    // The pages shown: the current one and, when two are shown and there is
    // one, the next.
    UINT LastPageShown() const;

    // The window's commands and whether each can act now.
    bool CanNextPage() const;
    bool CanPrevPage() const;
    bool CanShowTwoPages() const;
    bool CanZoomIn() const { return m_nZoom < kZoomLevels - 1; }
    bool CanZoomOut() const { return m_nZoom > 0; }
    void NextPage();
    void PrevPage();
    void GoToPage(UINT page);
    // One page or two side by side.
    void TogglePages();
    void ZoomIn();
    void ZoomOut();
    // The preview ends and the view prints.
    void Print();
    // The preview ends.
    void Close();
    void Help() const;

    // The page or pages shown, in the run's page description ("Page %1 of
    // %3" and "Pages %1-%2 of %3", a line each).
    QString Description() const;
    // The device pixels of the window to one of the page's at the zoom, for
    // the pages shown in an area of the size (window pixels) on a screen of
    // the resolution.
    double Scale(int areaWidth, int areaHeight, int screenDpi) const;
    // Page n drawn at the scale on a white image; the page count follows
    // what the drawing counted.
    QImage RenderPage(UINT page, double scale);
    // Page n drawn at the scale through the painter (its device's pixels).
    void DrawPage(UINT page, QPainter& painter, double scale);

private:
    CPrintPreview(CView& view, std::unique_ptr<CPrintInfo> info, const PageMetrics& page, const PreviewSetup& setup);
    // Draws the current page where nothing is kept, for its count.
    void CountPages();
    void Changed();
    // Takes the preview out of its place and ends it.
    static void End(std::unique_ptr<CPrintPreview> preview);

    CView& m_view;
    std::unique_ptr<CPrintInfo> m_info;
    PageMetrics m_page;
    PreviewSetup m_setup;
    std::unique_ptr<PreviewHost> m_host;
    UINT m_nCurrentPage = 1;
    int m_nPagesShown = 1;
    int m_nZoom = 0;
};
