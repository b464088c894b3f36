#include "online/monitor/HOXMonManInputStat.h"

#include "chart/ControllerType.h"
#include "chart/ObjectKinds.h"
#include "platform/Archive.h"

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

void CHOXMonManInputStat::Draw(CDC* pDC) { DrawOutline(pDC); }

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
