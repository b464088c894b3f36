#include "online/monitor/HOXMonKZQWStat.h"

#include "app/HOXDoc.h"
#include "chart/ChartLookup.h"
#include "chart/ControllerType.h"
#include "chart/ObjectKinds.h"
#include "online/monitor/HOXManInputDlg.h"
#include "platform/DC.h"
#include "plc/HOXFounSeq.h"

KT_IMPLEMENT_SERIAL(CHOXMonKZQWStat, CHOXMonObj, 0)
KT_REGISTER_KIND(CHOXMonKZQWStat, .type = objtype::kMonKZQWStat, .helpContext = 0x18077)

namespace {
constexpr const char* kLampTexts[CHOXMonKZQWStat::kLamps] = {"Ready", "Completed", "Error", "Zero Completed"};
} // namespace

CHOXMonKZQWStat::CHOXMonKZQWStat() = default;

CHOXMonKZQWStat::CHOXMonKZQWStat(CHOXWnd* wnd) : CHOXMonObj(wnd)
{
    m_position = CRect(10, 10, IsOneAxis() ? 138 : 276, 110);
}

void CHOXMonKZQWStat::Draw(CDC* pDC)
{
    if (DrawDragOutline(pDC)) return;
    const QFont oldFont = pDC->SelectFont(TextFont());
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const QBrush oldBrush = pDC->GetBrush();
    const std::int64_t left = m_position.left;
    const std::int64_t top = m_position.top;
    DrawColumn(pDC, axis::kX, left, top);
    if (!IsOneAxis()) DrawColumn(pDC, axis::kY, left + kColumnStep, top);
    pDC->SelectBrush(oldBrush);
    pDC->SetBkMode(oldMode);
    pDC->SelectFont(oldFont);
}

void CHOXMonKZQWStat::OnOpen(UINT, CPoint)
{
    CHOXDoc* doc = GetDocument();
    if (doc == nullptr || !doc->IsEditMode()) return;
    CHOXManInputDlg dlg;
    dlg.SetCaption(QStringLiteral("DA-ZU Status"));
    dlg.DoModal();
    if (dlg.m_bKzPlc == 1) doc->GetFounSeq()->EditFromSecond();
}

void CHOXMonKZQWStat::DrawColumn(CDC* pDC, int axis, std::int64_t left, std::int64_t top) const
{
    TextOutCentred(pDC, left, kLampWidth, top, QString::fromLatin1(axis == axis::kX ? "X-axis" : "Y-axis"));
    for (int i = 0; i < kLamps; ++i) {
        QString text;
        const bool on = GetLamp(axis, i, text) == 1;
        const std::int64_t rowTop = top + kRowHeight * (i + 1);
        pDC->SelectBrush(QBrush(ToQColor(on ? kLampOn : kLampOff)));
        pDC->Rectangle(CRect(chart::Pt(left, rowTop), chart::Pt(left + kLampWidth, rowTop + kRowHeight)));
        TextOutCentred(pDC, left, kLampWidth, rowTop + 2, text);
    }
}

void CHOXMonKZQWStat::SetStatus(int axis, std::int32_t ready, std::int32_t completed, std::int32_t error,
                                std::int32_t zeroCompleted)
{
    (axis == axis::kX ? m_x : m_y) = {ready, completed, error, zeroCompleted};
}

std::int32_t CHOXMonKZQWStat::GetLamp(int axis, int index, QString& text) const
{
    if (index < 0 || index >= kLamps) {
        text.clear();
        return 0;
    }
    text = QString::fromLatin1(kLampTexts[index]);
    return (axis == axis::kX ? m_x : m_y)[static_cast<std::size_t>(index)];
}
