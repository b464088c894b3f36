#include "chart/HOXJumpEndBase.h"

KT_IMPLEMENT_DYNAMIC(CHOXJumpEndBase, CHOXRect)

CHOXJumpEndBase::CHOXJumpEndBase() { m_nId = 0xFFFFFFFFu; }

CHOXJumpEndBase::CHOXJumpEndBase(std::int32_t pointerNumber, const CRect& position, CHOXWnd* wnd)
    : CHOXRect(position, wnd), m_nPointerNumber(pointerNumber)
{
    m_nId = 0xFFFFFFFFu;
}
