// The flow view's share of printing: the commands that start a run, and the
// print mapping that turns sheet units into the printer's.
#include "chart/HOXFlowView.h"

#include "app/HOXDoc.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXWnd.h"
#include "chart/PrintHooks.h"
#include "platform/DC.h"
#include "platform/PrintDialog.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

PrintHooks& ChartPrintHooks()
{
    static PrintHooks hooks;
    return hooks;
}

PrintMargins ComputePrintMargins(CDC* pDC)
{
    PrintMargins m;
    m.page = pDC->DPtoLP(CRect(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES))).Normalized();
    const int mm = std::max(1, pDC->GetDeviceCaps(HORZSIZE));
    const double unitsPerMm = static_cast<double>(m.page.Width()) / mm;
    m.left = m.right = static_cast<int>(std::ceil(unitsPerMm * 13.5));
    m.top = m.bottom = static_cast<int>(std::ceil(unitsPerMm * 9.0));
    return m;
}

void CHOXFlowView::OnFilePrint(UINT command)
{
    m_nMonitorPrinting = 0;
    if (const PrintHooks& hooks = ChartPrintHooks(); hooks.filePrint) hooks.filePrint(*this, command);
}

void CHOXFlowView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    m_nMonitorPrinting = 0;
    if (const PrintHooks& hooks = ChartPrintHooks(); hooks.previewPage) hooks.previewPage(*this, pDC, pInfo);
}

void CHOXFlowView::GetPrintableRect(CDC* pDC, CRect& rect) { rect = ComputePrintMargins(pDC).Printable(); }

void CHOXFlowView::SetPrintExtent(CDC* pDC, std::int64_t e)
{
    // One logical unit is 1/75 inch at extent 55: the viewport is 220/300 of
    // the device's pixels per inch.
    const int x = 220 * pDC->GetDeviceCaps(LOGPIXELSX) / 300;
    const int y = 220 * pDC->GetDeviceCaps(LOGPIXELSY) / 300;
    const int extent = static_cast<int>(std::clamp<std::int64_t>(e, 1, std::numeric_limits<std::int32_t>::max()));
    pDC->SetMapping(x, y, extent, extent, CPoint());
}

void CHOXFlowView::OnPrepareDC(CDC* pDC, const CPrintInfo* pInfo)
{
    CHOXView::OnPrepareDC(pDC);
    if (!pDC->IsPrinting()) return;
    SetPrintExtent(pDC, 55);
    if (pInfo == nullptr || pInfo->m_bPreview || pInfo->m_bDirect || !pInfo->m_pPD) return;
    const CPrintDialog& dialog = *pInfo->m_pPD;
    if (dialog.IsFixedScale()) {
        const std::int64_t percent = std::max(1, dialog.FixedScalePercent());
        SetPrintExtent(pDC, (5500 + percent - 1) / percent);
        return;
    }
    FitSheetToPage(pDC);
}

void CHOXFlowView::FitSheetToPage(CDC* pDC)
{
    const bool monitor = m_nMonitorPrinting == 1;
    const CHOXDoc* doc = dynamic_cast<const CHOXDoc*>(GetDocument());
    const CHOXWnd* record = monitor ? (doc != nullptr ? doc->GetMonitorRecord() : nullptr) : m_pPrintWnd;
    if (record == nullptr || record->GetBaseRect() == nullptr) return;
    const CRect& sheet = record->GetBaseRect()->GetRect();

    CRect r;
    GetPrintableRect(pDC, r);
    const std::int64_t w = r.Width();
    const std::int64_t h = r.Height();
    const std::int64_t c = w < h ? std::max(53 * w / 482, 53 * h / 760) : std::max(53 * w / 736, 53 * h / 517);
    // In 64 bits, and never below 1: a huge sheet would overflow the
    // products, an empty one give an extent of 0.
    const std::int64_t byHeight = c * sheet.bottom / std::max<std::int64_t>(1, h - 10);
    const std::int64_t byWidth = c * sheet.right / std::max<std::int64_t>(1, w - 10);
    // The page in logical units must stay within 32 bits.
    const std::int64_t device = std::max({1, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES)});
    const std::int64_t viewport =
        std::max(1, 220 * std::min(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY)) / 300);
    const std::int64_t largest =
        std::max<std::int64_t>(1, std::numeric_limits<std::int32_t>::max() / 4 / device * viewport);
    std::int64_t e = std::clamp<std::int64_t>(std::max(byHeight, byWidth), 1, largest);
    SetPrintExtent(pDC, e);

    // The chart grows while the space it leaves beside it in the limiting
    // direction is more than half the first extent.
    const std::int64_t half = e / 2;
    GetPrintableRect(pDC, r);
    if (byHeight > byWidth) {
        while (e > 1 && std::int64_t{r.bottom} - sheet.bottom - 15 > half) {
            --e;
            GetPrintableRect(pDC, r);
            SetPrintExtent(pDC, e);
        }
    } else {
        auto free = [&] {
            const std::int64_t space = std::int64_t{r.right} - sheet.right;
            return monitor ? space - r.left + 1 : space;
        };
        while (e > 1 && free() > half) {
            --e;
            SetPrintExtent(pDC, e);
            GetPrintableRect(pDC, r);
        }
    }
}
