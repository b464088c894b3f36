#include "chart/HOXJumpEndBase.h"

KT_IMPLEMENT_DYNAMIC(CHOXJumpEndBase, CHOXRect)

CHOXJumpEndBase::CHOXJumpEndBase() { m_nId = 0xFFFFFFFFu; }

CHOXJumpEndBase::CHOXJumpEndBase(std::int32_t pointerNumber, const CRect& position, CHOXWnd* wnd)
    : CHOXRect(position, wnd), m_nPointerNumber(pointerNumber)
{
    m_nId = 0xFFFFFFFFu;
}

namespace {
// Constant-initialised: makers register during static initialisation.
CHOXJumpEndBase::Maker g_maker = nullptr;
} // namespace

bool CHOXJumpEndBase::RegisterMaker(Maker maker)
{
    g_maker = maker;
    return true;
}

std::unique_ptr<CHOXJumpEndBase> CHOXJumpEndBase::Make(std::int32_t pointerNumber, const CRect& position, CHOXWnd* wnd)
{
    return g_maker != nullptr ? g_maker(pointerNumber, position, wnd) : nullptr;
}
