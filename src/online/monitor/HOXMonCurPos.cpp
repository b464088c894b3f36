#include "online/monitor/HOXMonCurPos.h"

#include "chart/ObjectKinds.h"

KT_IMPLEMENT_SERIAL(CHOXMonCurPos, CHOXMonObj, 0)
KT_REGISTER_KIND(CHOXMonCurPos, .type = objtype::kMonCurPos, .helpContext = 0x18079)

CHOXMonCurPos::CHOXMonCurPos() = default;

CHOXMonCurPos::CHOXMonCurPos(CHOXWnd* wnd) : CHOXMonObj(wnd) { m_position = CRect(10, 10, 138, IsOneAxis() ? 42 : 62); }

void CHOXMonCurPos::Draw(CDC* pDC) { DrawOutline(pDC); }

void CHOXMonCurPos::SetPositions(std::int32_t x, std::int32_t y)
{
    m_nXPos = x;
    m_nYPos = y;
}
