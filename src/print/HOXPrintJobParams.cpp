// The parameter-information pages: the document's parameters as a ruled
// table in group order (three pages) or number order (five pages). They are
// printed at 100 %, so every place is a fixed distance in logical units from
// the drawing rectangle's corner.
#include "print/HOXPrintJob.h"

#include "app/HOXDoc.h"
#include "chart/ControllerType.h"
#include "platform/DC.h"
#include "platform/PrintDialog.h"
#include "platform/Strings.h"
#include "res/StringIds.h"

#include <array>
#include <initializer_list>

namespace {
constexpr UINT IDS_GROUP_ORDER_TITLE = 13362;
constexpr UINT IDS_PARAMETER_INFORMATION = 13363;
constexpr UINT IDS_PARAMETER = 13364;
constexpr UINT IDS_GROUP = 13365;
constexpr UINT IDS_ITEMS = 13366;
constexpr UINT IDS_X_AXIS_SETTINGS = 13367;
constexpr UINT IDS_Y_AXIS_SETTINGS = 13368;
constexpr UINT IDS_NUMBER = 13369;
constexpr UINT IDS_NUMBER_ORDER_TITLE = 13370;

// The group-order pages: each group's name and its parameters in row order.
struct ParameterGroup {
    int page;
    UINT name;
    std::initializer_list<int> numbers;
};
const std::array<ParameterGroup, 11> kGroups = {{
    {1, 13371, {0, 3, 1, 2}},
    {1, 13372, {4, 5, 6, 8, 9, 10, 7, 13, 14}},
    {1, 13373, {15, 16, 17, 18, 19, 20}},
    {2, 13374, {11, 12, 21, 22, 23, 24, 25, 26}},
    {2, 13375, {30, 31, 32, 33, 34, 35}},
    {2, 13376, {36, 37, 38}},
    {2, 13377, {39, 40, 41, 42}},
    {3, 13378, {50, 51, 52}},
    {3, 13379, {53, 54, 56}},
    {3, 13380, {100, 101, 102, 103}},
    {3, IDS_SUBTASK_NAME, {104, 105, 106, 107, 108, 109, 110, 111}},
}};
constexpr UINT kGroupPages = 3;
// Number order lists 25 numbers a page, the last again first on the next,
// and on its fifth page the rest.
constexpr UINT kNumberPages = 5;
constexpr int kRowsTop = 125;
constexpr int kRowHeight = 25;
// Texts stand this far above their row's line.
constexpr int kTextRise = 15;

QString Latin1(const char* text) { return QString::fromLatin1(text); }

void Line(CDC* pDC, int x1, int y1, int x2, int y2)
{
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}

QString Footer(UINT page, UINT pages)
{
    return LoadStr(IDS_PARAMETER_INFORMATION) +
           QString::asprintf("  page %d of %d", static_cast<int>(page), static_cast<int>(pages));
}
} // namespace

void CHOXPrintJob::PrintParameterInfo(CDC* pDC, CPrintInfo* pInfo)
{
    m_nParamPageIndex = pInfo->m_nCurPage - m_nMonitorPages - m_nFlowChartPages;
    FillParameterRows();
    DrawParameterFrame(pDC, pInfo);
    const bool groupPage = m_nParamPageIndex <= m_nGroupOrderPages;
    if (pInfo->m_bPreview) {
        if (groupPage) {
            DrawGroupOrderRows(pDC, pInfo);
        } else {
            DrawNumberOrderRows(pDC, pInfo);
        }
    } else if (m_bGroupOrder != 0) {
        if (groupPage) DrawGroupOrderRows(pDC, pInfo);
    } else {
        DrawNumberOrderRows(pDC, pInfo);
    }
}

void CHOXPrintJob::FillParameterRows()
{
    m_paramRows.fill(PARAM_ROW{});
    if (m_pDoc == nullptr) return;
    for (UINT number = 0; number < kParameterRows; ++number)
        m_pDoc->GetParam().GetParamRow(number, &m_paramRows[number]);
}

void CHOXPrintJob::DrawParameterFrame(CDC* pDC, CPrintInfo* pInfo)
{
    const CRect& d = pInfo->m_rectDraw;
    const int x0 = d.left;
    const int y0 = d.top;
    const bool twoAxes = m_pDoc == nullptr || !ctype::IsOneAxis(m_pDoc->GetControllerType());
    const UINT page = m_nParamPageIndex;

    if ((pInfo->m_bPreview || m_bGroupOrder != 0) && page <= m_nGroupOrderPages) {
        const int right = twoAxes ? d.right - 2 : x0 + 370;
        pDC->TextOut(200, y0, LoadStr(IDS_GROUP_ORDER_TITLE));
        pDC->TextOut(x0, d.bottom - 30, Footer(page, m_nParameterPages));
        for (int y : {50, 75, 100}) Line(pDC, x0, y0 + y, right, y0 + y);
        pDC->TextOut(x0 + 10, y0 + 60, LoadStr(IDS_PARAMETER));
        const int head = y0 + 85;
        pDC->TextOut(x0 + 10, head, LoadStr(IDS_GROUP));
        pDC->TextOut(x0 + (page == 2 ? 110 : 100), head, LoadStr(IDS_ITEMS));
        pDC->TextOut(x0 + 210, head, LoadStr(IDS_X_AXIS_SETTINGS));
        if (twoAxes) {
            pDC->TextOut(x0 + 330, head, LoadStr(IDS_Y_AXIS_SETTINGS));
            pDC->TextOut(x0 + 450, head, LoadStr(IDS_NUMBER));
        } else {
            pDC->TextOut(x0 + 330, head, LoadStr(IDS_NUMBER));
        }
        // The columns end at the last row's line; pages after the third
        // have no rows and no columns.
        const int bottom = page == 1 ? 575 : page == 2 ? 625 : page == 3 ? 550 : 0;
        if (bottom == 0) return;
        Line(pDC, x0, y0 + 50, x0, y0 + bottom);
        for (int x : {page == 2 ? 103 : 90, 200, 320}) Line(pDC, x0 + x, y0 + 75, x0 + x, y0 + bottom);
        if (twoAxes) Line(pDC, x0 + 440, y0 + 75, x0 + 440, y0 + bottom);
        Line(pDC, right, y0 + 50, right, y0 + bottom);
        return;
    }
    if (!pInfo->m_bPreview && m_bGroupOrder != 0) return;

    const UINT k = page - m_nGroupOrderPages;
    const int right = twoAxes ? x0 + 400 : x0 + 270;
    pDC->TextOut(200, y0, LoadStr(IDS_NUMBER_ORDER_TITLE));
    pDC->TextOut(x0, d.bottom - 12, Footer(page, m_nParameterPages));
    for (int y : {50, 75, 100}) Line(pDC, x0, y0 + y, right, y0 + y);
    pDC->TextOut(x0 + 10, y0 + 60, LoadStr(IDS_PARAMETER));
    const int head = y0 + 85;
    pDC->TextOut(x0 + 10, head, LoadStr(IDS_NUMBER));
    pDC->TextOut(x0 + 50, head, LoadStr(IDS_ITEMS));
    pDC->TextOut(x0 + 160, head, LoadStr(IDS_X_AXIS_SETTINGS));
    if (twoAxes) pDC->TextOut(x0 + 280, head, LoadStr(IDS_Y_AXIS_SETTINGS));
    // Pages beyond the fifth (short paper) have no rows, and no columns.
    if (k > kNumberPages) return;
    const int bottom = y0 + (k <= 4 ? 725 : 700);
    Line(pDC, x0, y0 + 50, x0, bottom);
    Line(pDC, x0 + 45, y0 + 75, x0 + 45, bottom);
    Line(pDC, x0 + 150, y0 + 75, x0 + 150, bottom);
    Line(pDC, x0 + 270, y0 + (twoAxes ? 75 : 50), x0 + 270, bottom);
    if (twoAxes) Line(pDC, x0 + 400, y0 + 50, x0 + 400, bottom);
}

void CHOXPrintJob::DrawGroupOrderRows(CDC* pDC, CPrintInfo* pInfo)
{
    const UINT page = m_nParamPageIndex;
    if (page < 1 || page > kGroupPages) return;
    const CRect& d = pInfo->m_rectDraw;
    const int x0 = d.left;
    const int y0 = d.top;
    const bool twoAxes = m_pDoc == nullptr || !ctype::IsOneAxis(m_pDoc->GetControllerType());
    const int right = twoAxes ? d.right - 2 : x0 + 370;
    int row = 0;
    for (const ParameterGroup& group : kGroups) {
        if (group.page != static_cast<int>(page)) continue;
        bool first = true;
        for (int number : group.numbers) {
            const int y = y0 + kRowsTop + kRowHeight * row++;
            const int text = y - kTextRise;
            const PARAM_ROW& p = m_paramRows[static_cast<std::size_t>(number)];
            Line(pDC, x0, y, right, y);
            if (first) pDC->TextOut(x0 + 10, text, LoadStr(group.name));
            first = false;
            pDC->TextOut(x0 + (page == 2 ? 110 : 100), text, Latin1(p.name));
            pDC->TextOut(x0 + 210, text, Latin1(p.xText));
            if (twoAxes) pDC->TextOut(x0 + 330, text, Latin1(p.yText));
            pDC->TextOut(x0 + (twoAxes ? 450 : 330), text, QString::asprintf("%d", number));
        }
    }
}

void CHOXPrintJob::DrawNumberOrderRows(CDC* pDC, CPrintInfo* pInfo)
{
    const UINT k = m_nParamPageIndex - m_nGroupOrderPages;
    if (k < 1 || k > kNumberPages) return;
    const CRect& d = pInfo->m_rectDraw;
    const int x0 = d.left;
    const int y0 = d.top;
    const bool twoAxes = m_pDoc == nullptr || !ctype::IsOneAxis(m_pDoc->GetControllerType());
    const int right = twoAxes ? x0 + 400 : x0 + 270;
    const int first = k <= 4 ? 24 * static_cast<int>(k - 1) : 96;
    const int last = k <= 4 ? 24 * static_cast<int>(k) : kParameterRows - 1;
    for (int number = first; number <= last; ++number) {
        const int y = y0 + kRowsTop + kRowHeight * (number - first);
        const int text = y - kTextRise;
        const PARAM_ROW& p = m_paramRows[static_cast<std::size_t>(number)];
        Line(pDC, x0, y, right, y);
        pDC->TextOut(x0 + 10, text, QString::number(number));
        pDC->TextOut(x0 + 50, text, Latin1(p.name));
        pDC->TextOut(x0 + 160, text, Latin1(p.xText));
        if (twoAxes) pDC->TextOut(x0 + 280, text, Latin1(p.yText));
    }
}
