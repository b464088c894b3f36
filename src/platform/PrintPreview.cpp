#include "platform/PrintPreview.h"

#include "platform/DC.h"
#include "platform/Help.h"
#include "platform/PrintDialog.h"
#include "platform/Strings.h"
#include "platform/View.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
PreviewService* g_service = nullptr;
// The preview that runs; it owns itself from Run to its end.
CPrintPreview* g_active = nullptr;

// Window pixels between the pages and around them.
constexpr int kGap = 8;

// A device context on the page where nothing is kept, for the calls that
// want one but draw nothing that is seen.
struct UnseenPage {
    explicit UnseenPage(const PageMetrics& page) : device(page), painter(&device), dc(painter, true) {}
    PageMetricsDevice device;
    QPainter painter;
    CDC dc;
};
} // namespace

void SetPreviewService(PreviewService* service) { g_service = service; }
PreviewService* GetPreviewService() { return g_service; }

CPrintPreview::CPrintPreview(CView& view, std::unique_ptr<CPrintInfo> info, const PageMetrics& page,
                             const PreviewSetup& setup)
    : m_view(view), m_info(std::move(info)), m_page(page), m_setup(setup)
{
}

CPrintPreview::~CPrintPreview() = default;

CPrintPreview* CPrintPreview::Active() { return g_active; }

bool CPrintPreview::Run(CView& view, const PreviewSetup& setup)
{
    if (g_active != nullptr || g_service == nullptr) return false;
    auto info = std::make_unique<CPrintInfo>();
    info->m_bPreview = true;
    if (!view.OnPreparePrinting(info.get())) return false;
    // A view that prepared without a printer previews on the page a PDF has.
    const PrintTarget* target = info->m_pPD->GetTarget();
    const PageMetrics page = target != nullptr ? target->Metrics() : MetricsOf(DefaultPageLayout(), 600);
    std::unique_ptr<CPrintPreview> preview(new CPrintPreview(view, std::move(info), page, setup));
    g_active = preview.get();
    {
        UnseenPage unseen(page);
        view.OnBeginPrinting(&unseen.dc, preview->m_info.get());
    }
    preview->CountPages();
    preview->m_host = g_service->Open(*preview, setup.mainFrame);
    if (!preview->m_host) {
        End(std::move(preview));
        return false;
    }
    preview.release();
    return true;
}

void CPrintPreview::EndActive()
{
    if (g_active == nullptr) return;
    End(std::unique_ptr<CPrintPreview>(g_active));
}

void CPrintPreview::End(std::unique_ptr<CPrintPreview> preview)
{
    if (g_active == preview.get()) g_active = nullptr;
    // The window goes before the frames under it come back.
    preview->m_host.reset();
    UnseenPage unseen(preview->m_page);
    preview->m_view.OnEndPrinting(&unseen.dc, preview->m_info.get());
    preview->m_view.OnEndPrintPreview(&unseen.dc, preview->m_info.get());
}

UINT CPrintPreview::PageCount() const { return m_info->GetMaxPage(); }

UINT CPrintPreview::LastPageShown() const
{
    if (m_nPagesShown == 2 && m_nCurrentPage < PageCount()) return m_nCurrentPage + 1;
    return m_nCurrentPage;
}

bool CPrintPreview::CanNextPage() const { return LastPageShown() < PageCount(); }
bool CPrintPreview::CanPrevPage() const { return m_nCurrentPage > 1; }
bool CPrintPreview::CanShowTwoPages() const { return m_nPagesShown == 2 || PageCount() > 1; }

void CPrintPreview::NextPage()
{
    if (CanNextPage()) GoToPage(m_nCurrentPage + 1);
}

void CPrintPreview::PrevPage()
{
    if (CanPrevPage()) GoToPage(m_nCurrentPage - 1);
}

void CPrintPreview::GoToPage(UINT page)
{
    const UINT last = std::max<UINT>(1, PageCount());
    m_nCurrentPage = std::clamp<UINT>(page, 1, last);
    Changed();
}

void CPrintPreview::TogglePages()
{
    if (!CanShowTwoPages()) return;
    m_nPagesShown = m_nPagesShown == 1 ? 2 : 1;
    Changed();
}

void CPrintPreview::ZoomIn()
{
    if (!CanZoomIn()) return;
    ++m_nZoom;
    Changed();
}

void CPrintPreview::ZoomOut()
{
    if (!CanZoomOut()) return;
    --m_nZoom;
    Changed();
}

void CPrintPreview::Print()
{
    CView& view = m_view;
    const UINT command = m_setup.printCommand;
    Close();
    // This preview is gone from here on.
    if (command != 0) view.OnCmdMsg(command, CmdMode::Execute, nullptr);
}

void CPrintPreview::Close()
{
    if (g_active == this) EndActive();
}

void CPrintPreview::Help() const
{
    if (m_setup.helpContext != 0) AfxWinHelp(m_setup.helpContext);
}

QString CPrintPreview::Description() const
{
    const QStringList lines = m_info->m_strPageDesc.split(u'\n');
    const bool two = LastPageShown() != m_nCurrentPage;
    const QString pattern = two && lines.size() > 1 ? lines[1] : lines.value(0);
    return FormatPlaceholders(
        pattern, {QString::number(m_nCurrentPage), QString::number(m_nCurrentPage + 1), QString::number(PageCount())});
}

double CPrintPreview::Scale(int areaWidth, int areaHeight, int screenDpi) const
{
    const int shown = static_cast<int>(LastPageShown() - m_nCurrentPage) + 1;
    const double width = std::max(1, m_page.widthPx) * static_cast<double>(shown);
    const double height = std::max(1, m_page.heightPx);
    const double fit =
        std::max(1e-4, std::min((areaWidth - kGap * (shown + 1)) / width, (areaHeight - 2.0 * kGap) / height));
    // The largest step shows the page as large as it is on paper, or at
    // least twice the fitted size on a screen that makes that smaller.
    const double real = std::max(2 * fit, static_cast<double>(std::max(1, screenDpi)) / std::max(1, m_page.dpiX));
    switch (m_nZoom) {
    case 0: return fit;
    case 1: return std::sqrt(fit * real);
    default: return real;
    }
}

QImage CPrintPreview::RenderPage(UINT page, double scale)
{
    const int width = std::max(1, static_cast<int>(std::lround(m_page.widthPx * scale)));
    const int height = std::max(1, static_cast<int>(std::lround(m_page.heightPx * scale)));
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    DrawPage(page, painter, scale);
    painter.end();
    return image;
}

void CPrintPreview::DrawPage(UINT page, QPainter& painter, double scale)
{
    {
        CDC dc(painter, m_page, scale);
        m_info->m_nCurPage = page;
        m_view.OnPrint(&dc, m_info.get());
    }
    // Fewer pages than before: the pages shown stay within them.
    if (PageCount() >= 1 && m_nCurrentPage > PageCount()) m_nCurrentPage = PageCount();
}

void CPrintPreview::CountPages()
{
    UnseenPage unseen(m_page);
    m_info->m_nCurPage = m_nCurrentPage;
    m_view.OnPrint(&unseen.dc, m_info.get());
}

void CPrintPreview::Changed()
{
    if (m_host) m_host->Update();
}
