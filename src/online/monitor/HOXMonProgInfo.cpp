#include "online/monitor/HOXMonProgInfo.h"

#include "chart/ControllerType.h"
#include "chart/ObjectKinds.h"

KT_IMPLEMENT_SERIAL(CHOXMonProgInfo, CHOXMonObj, 0)
KT_REGISTER_KIND(CHOXMonProgInfo, .type = objtype::kMonProgInfo, .helpContext = 0x18078)

CHOXMonProgInfo::CHOXMonProgInfo() = default;

CHOXMonProgInfo::CHOXMonProgInfo(CHOXWnd* wnd) : CHOXMonObj(wnd)
{
    m_position = CRect(10, 10, IsOneAxis() ? 185 : 250, 84);
}

void CHOXMonProgInfo::Draw(CDC* pDC) { DrawOutline(pDC); }

void CHOXMonProgInfo::SetInfo(int axis, std::int32_t programNumber, std::int32_t mcode, std::int32_t errorCode)
{
    (axis == axis::kX ? m_x : m_y) = {programNumber, mcode, errorCode};
}

const CHOXMonProgInfo::AxisInfo& CHOXMonProgInfo::GetInfo(int axis) const { return axis == axis::kX ? m_x : m_y; }
