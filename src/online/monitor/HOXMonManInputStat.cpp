#include "online/monitor/HOXMonManInputStat.h"

#include "chart/ChartLookup.h"
#include "chart/ControllerType.h"
#include "chart/ObjectKinds.h"
#include "online/monitor/HOXManInputDlg.h"
#include "online/monitor/HOXManInputPlcDlg.h"
#include "platform/Archive.h"
#include "platform/DC.h"

KT_IMPLEMENT_SERIAL(CHOXMonManInputStat, CHOXMonObj, 0)
KT_REGISTER_KIND(CHOXMonManInputStat, .type = objtype::kMonManInputStat, .helpContext = 0x18076)

namespace {
constexpr const char* kInputNames[CHOXMonManInputStat::kInputs] = {"DOG", "START", "STOP", "ZRN", "FWD", "RVS"};
} // namespace

CHOXMonManInputStat::CHOXMonManInputStat() = default;

CHOXMonManInputStat::CHOXMonManInputStat(CHOXWnd* wnd) : CHOXMonObj(wnd)
{
    m_position = CRect(10, 10, IsOneAxis() ? 80 : 160, 150);
}

void CHOXMonManInputStat::Serialize(CArchive& ar)
{
    CHOXMonObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nXTopDevice << m_nYTopDevice;
    } else {
        ar >> m_nXTopDevice >> m_nYTopDevice;
    }
}

void CHOXMonManInputStat::Draw(CDC* pDC)
{
    if (DrawDragOutline(pDC)) return;
    const QFont oldFont = pDC->SelectFont(TextFont());
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const QPen oldPen = pDC->SelectPen(MakePen(PS_SOLID, 1, RGB(0, 0, 0)));
    const QBrush oldBrush = pDC->GetBrush();
    DrawColumn(pDC, axis::kX, 0, QStringLiteral("X-axis"));
    if (!IsOneAxis()) DrawColumn(pDC, axis::kY, kColumnStep, QStringLiteral("Y-axis"));
    pDC->SelectBrush(oldBrush);
    pDC->SelectPen(oldPen);
    pDC->SetBkMode(oldMode);
    pDC->SelectFont(oldFont);
}

void CHOXMonManInputStat::OnOpen(UINT, CPoint)
{
    if (!IsEditing()) return;
    CHOXManInputDlg dlg;
    dlg.SetCaption(QStringLiteral("Manual Input"));
    dlg.DoModal();
    if (dlg.m_bKzPlc != 1) return;
    CHOXManInputPlcDlg plc(*this);
    if (plc.DoModal() != IDOK) return;
    // The top devices are stored: only a change makes the document modified.
    const std::int32_t x = plc.GetTopDevice(axis::kX);
    const std::int32_t y = plc.GetTopDevice(axis::kY);
    if (x == m_nXTopDevice && y == m_nYTopDevice) return;
    m_nXTopDevice = x;
    m_nYTopDevice = y;
    SetModified();
}

void CHOXMonManInputStat::DrawColumn(CDC* pDC, int axis, int offset, const QString& header)
{
    const std::int64_t left = std::int64_t(m_position.left) + offset;
    const std::int64_t top = m_position.top;
    TextOutCentred(pDC, left, kColumnWidth, top, header);
    for (int i = 0; i < kInputs; ++i) {
        QString name;
        const bool on = GetInput(axis, i, name) == 1;
        const std::int64_t boxTop = top + kLampHeight * (i + 1);
        pDC->SelectBrush(QBrush(ToQColor(on ? kLampOn : kLampOff)));
        pDC->Rectangle(
            CRect(chart::Sat(left), chart::Sat(boxTop), chart::Sat(left + kColumnWidth), chart::Sat(boxTop + kLampHeight)));
        TextOutCentred(pDC, left, kColumnWidth, boxTop + 2, name);
    }
}

void CHOXMonManInputStat::SetInputs(int axis, std::int32_t dog, std::int32_t start, std::int32_t stop, std::int32_t zrn,
                                    std::int32_t fwd, std::int32_t rvs)
{
    (axis == axis::kX ? m_xInputs : m_yInputs) = {dog, start, stop, zrn, fwd, rvs};
}

std::int32_t CHOXMonManInputStat::GetInput(int axis, int index, QString& name) const
{
    if (index < 0 || index >= kInputs) {
        name.clear();
        return 0;
    }
    name = QString::fromLatin1(kInputNames[index]);
    return (axis == axis::kX ? m_xInputs : m_yInputs)[static_cast<std::size_t>(index)];
}

std::int32_t CHOXMonManInputStat::GetTopDevice(int axis) const
{
    return axis == axis::kX ? m_nXTopDevice : m_nYTopDevice;
}

void CHOXMonManInputStat::SetTopDevice(int axis, std::int32_t device)
{
    (axis == axis::kX ? m_nXTopDevice : m_nYTopDevice) = device;
}
