#include "online/monitor/HOXMonKZQWStat.h"

#include "chart/ControllerType.h"
#include "chart/ObjectKinds.h"

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

void CHOXMonKZQWStat::Draw(CDC* pDC) { DrawOutline(pDC); }

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
