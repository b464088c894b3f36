#include "online/monitor/HOXMonManOpern.h"

#include "chart/ObjectKinds.h"
#include "online/monitor/MonObjIds.h"
#include "platform/Archive.h"

KT_IMPLEMENT_SERIAL(CHOXMonManOpern, CHOXMonObj, 0)
KT_REGISTER_KIND(CHOXMonManOpern, .type = objtype::kMonManOpern, .helpContext = 0x18075)

namespace {

// By button index: seven buttons of the X axis, then the same of the Y axis.
// clang-format off
constexpr CHOXMonManOpern::Button kButtons[monid::kManOpernButtons] = {
    {"X START", false, false}, {"X STOP", false, false}, {"X JOG+", true, false}, {"X JOG-", true, false},
    {"X ZRN", false, false},   {"X FEED", false, true},  {"X E-RST", false, false},
    {"Y START", false, false}, {"Y STOP", false, false}, {"Y JOG+", true, false}, {"Y JOG-", true, false},
    {"Y ZRN", false, false},   {"Y FEED", false, true},  {"Y E-RST", false, false},
};
// clang-format on

} // namespace

const CHOXMonManOpern::Button* CHOXMonManOpern::FindButton(std::int32_t index)
{
    return monid::IsManOpernIndex(index) ? &kButtons[index] : nullptr;
}

CHOXMonManOpern::CHOXMonManOpern() = default;

CHOXMonManOpern::CHOXMonManOpern(std::int32_t buttonIndex, CHOXWnd* wnd) : CHOXMonObj(wnd), m_nButtonIndex(buttonIndex)
{
    m_position = CRect(10, 10, 70, 40);
}

void CHOXMonManOpern::Serialize(CArchive& ar)
{
    CHOXMonObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nButtonIndex;
    } else {
        ar >> m_nButtonIndex;
    }
}

void CHOXMonManOpern::Draw(CDC* pDC) { DrawOutline(pDC); }

int CHOXMonManOpern::GetButtonName(std::int32_t index, QString& name)
{
    const Button* button = FindButton(index);
    name = button != nullptr ? QString::fromLatin1(button->label) : QString();
    return button != nullptr ? monid::ManOpernId(index) : -1;
}

bool CHOXMonManOpern::IsFeedButton() const
{
    const Button* button = FindButton(m_nButtonIndex);
    return button != nullptr && button->feed;
}

bool CHOXMonManOpern::IsJogButton() const
{
    const Button* button = FindButton(m_nButtonIndex);
    return button != nullptr && button->jog;
}
