#include "online/monitor/HOXMonProgInfo.h"

#include "chart/ChartLookup.h"
#include "chart/ControllerType.h"
#include "chart/ObjectKinds.h"
#include "online/monitor/HOXProgInfoDlg.h"
#include "platform/DC.h"

#include <array>

KT_IMPLEMENT_SERIAL(CHOXMonProgInfo, CHOXMonObj, 0)
KT_REGISTER_KIND(CHOXMonProgInfo, .type = objtype::kMonProgInfo, .helpContext = 0x18078)

CHOXMonProgInfo::CHOXMonProgInfo() = default;

CHOXMonProgInfo::CHOXMonProgInfo(CHOXWnd* wnd) : CHOXMonObj(wnd)
{
    m_position = CRect(10, 10, IsOneAxis() ? 185 : 250, 84);
}

void CHOXMonProgInfo::Draw(CDC* pDC)
{
    if (DrawDragOutline(pDC)) return;
    const QFont oldFont = pDC->SelectFont(TextFont());
    const std::int64_t labelWidth = pDC->GetCharWidthSum(QStringLiteral("Program Number"));
    const std::int64_t left = m_position.left;
    const std::int64_t top = m_position.top;
    constexpr int kRowStep = 25;
    constexpr int kBoxHeight = 20;

    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const char* const labels[] = {"Program Number", "M code Status", "Error Code"};
    for (int row = 0; row < 3; ++row)
        pDC->TextOut(chart::Sat(left), chart::Sat(top + 2 + kRowStep * row), QString::fromLatin1(labels[row]));
    pDC->SetBkMode(oldMode);

    const QPen oldPen = pDC->SelectPen(MakePen(PS_INSIDEFRAME, 2, RGB(127, 127, 127)));
    const QBrush oldBrush = pDC->SelectBrush(QBrush(Qt::white));
    const COLORREF oldBkColor = pDC->SetBkColor(RGB(255, 255, 255));
    const auto column = [&](std::int64_t boxLeft, int boxWidth, const AxisInfo& info, const char* first) {
        const std::array<std::int32_t, 3> values = {info.programNumber, info.mcode, info.errorCode};
        const char* const prefixes[] = {first, " M:", " E:"};
        for (int row = 0; row < 3; ++row) {
            const std::int64_t rowTop = top + kRowStep * row;
            pDC->Rectangle(CRect(chart::Pt(boxLeft, rowTop), chart::Pt(boxLeft + boxWidth, rowTop + kBoxHeight)));
            pDC->TextOut(chart::Sat(boxLeft + 2), chart::Sat(rowTop + 2), QString::fromLatin1(prefixes[row]));
            TextOutEndingAt(pDC, boxLeft + kValueEnd, rowTop + 2, QString::number(values[std::size_t(row)]));
        }
        return boxLeft + boxWidth;
    };
    std::int64_t right = column(left + labelWidth + 10, kXBoxWidth, m_x, " X:");
    if (!IsOneAxis()) right = column(left + labelWidth + 75, kYBoxWidth, m_y, " Y:");
    m_position.right = chart::Sat(right);

    pDC->SetBkColor(oldBkColor);
    pDC->SelectBrush(oldBrush);
    pDC->SelectPen(oldPen);
    pDC->SelectFont(oldFont);
}

void CHOXMonProgInfo::OnOpen(UINT, CPoint)
{
    CHOXProgInfoDlg dlg(GetDocument());
    dlg.DoModal();
}

void CHOXMonProgInfo::SetInfo(int axis, std::int32_t programNumber, std::int32_t mcode, std::int32_t errorCode)
{
    (axis == axis::kX ? m_x : m_y) = {programNumber, mcode, errorCode};
}

const CHOXMonProgInfo::AxisInfo& CHOXMonProgInfo::GetInfo(int axis) const { return axis == axis::kX ? m_x : m_y; }
