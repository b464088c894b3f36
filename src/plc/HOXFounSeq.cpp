#include "plc/HOXFounSeq.h"

#include "platform/Archive.h"

KT_IMPLEMENT_SERIAL(CHOXFounSeq, CObject, 0)

namespace {
// Devices come from files too; a stored value near the top of the range must
// not overflow: it wraps as 32-bit arithmetic does.
std::int32_t Plus3(std::int32_t device)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(device) + 3u);
}
} // namespace

CHOXFounSeq::CHOXFounSeq() = default;

CHOXFounSeq::CHOXFounSeq(CHOXDoc* doc) : m_pDocument(doc) {}

void CHOXFounSeq::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_nUnitNo << m_nControlDeviceX << m_nStatusDeviceX << m_nControlDeviceY << m_nStatusDeviceY;
        return;
    }
    std::int32_t unitNo = 0;
    std::int32_t controlX = 0;
    std::int32_t statusX = 0;
    std::int32_t controlY = 0;
    std::int32_t statusY = 0;
    ar >> unitNo >> controlX >> statusX >> controlY >> statusY;
    m_nUnitNo = unitNo;
    m_nControlDeviceX = controlX;
    m_nStatusDeviceX = statusX;
    m_nControlDeviceY = controlY;
    m_nStatusDeviceY = statusY;
}

void CHOXFounSeq::SetControlDevice(int axis, std::int32_t device)
{
    (axis == 0 ? m_nControlDeviceX : m_nControlDeviceY) = device;
}

void CHOXFounSeq::SetStatusDevice(int axis, std::int32_t device)
{
    (axis == 0 ? m_nStatusDeviceX : m_nStatusDeviceY) = device;
}

std::int32_t CHOXFounSeq::GetMcodeOffDevice(int axis) const { return Plus3(GetControlDevice(axis)); }

std::int32_t CHOXFounSeq::GetMcodeOnDevice(int axis) const { return Plus3(GetStatusDevice(axis)); }
