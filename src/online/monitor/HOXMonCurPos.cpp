#include "online/monitor/HOXMonCurPos.h"

#include "chart/ChartLookup.h"
#include "chart/ObjectKinds.h"
#include "online/monitor/HOXCurPosDlg.h"
#include "platform/DC.h"

KT_IMPLEMENT_SERIAL(CHOXMonCurPos, CHOXMonObj, 0)
KT_REGISTER_KIND(CHOXMonCurPos, .type = objtype::kMonCurPos, .helpContext = 0x18079)

CHOXMonCurPos::CHOXMonCurPos() = default;

CHOXMonCurPos::CHOXMonCurPos(CHOXWnd* wnd) : CHOXMonObj(wnd) { m_position = CRect(10, 10, 138, IsOneAxis() ? 42 : 62); }

void CHOXMonCurPos::Draw(CDC* pDC)
{
    if (DrawDragOutline(pDC)) return;
    const QFont oldFont = pDC->SelectFont(TextFont());
    const QPen oldPen = pDC->SelectPen(PanelFramePen());
    const QBrush oldBrush = pDC->SelectBrush(QBrush(ToQColor(kFillColor)));
    pDC->Rectangle(m_position);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldBkColor = pDC->SetBkColor(kFillColor);
    const std::int64_t left = m_position.left;
    const std::int64_t top = m_position.top;
    const auto row = [&](const char* label, std::int32_t value, std::int64_t y) {
        pDC->TextOut(chart::Sat(left + 9), chart::Sat(y), QString::fromLatin1(label));
        TextOutEndingAt(pDC, left + kValueEnd, y, QString::number(value));
    };
    row("X:", m_nXPos, top + 8);
    if (!IsOneAxis()) row("Y:", m_nYPos, top + 28);
    pDC->SetBkColor(oldBkColor);
    pDC->SetBkMode(oldMode);
    pDC->SelectBrush(oldBrush);
    pDC->SelectPen(oldPen);
    pDC->SelectFont(oldFont);
}

void CHOXMonCurPos::OnOpen(UINT, CPoint)
{
    CHOXCurPosDlg dlg(this);
    if (dlg.DoModal() == IDOK) m_nUnit = dlg.m_nUnit;
}

void CHOXMonCurPos::SetPositions(std::int32_t x, std::int32_t y)
{
    m_nXPos = x;
    m_nYPos = y;
}
