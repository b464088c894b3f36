#include "plc/HOXFounSeq.h"

#include "app/HOXDoc.h"
#include "chart/ControllerType.h"
#include "platform/Archive.h"
#include "plc/HOXFounSeq1Dlg.h"
#include "plc/HOXFounSeq2Dlg.h"

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
    (axis == axis::kX ? m_nControlDeviceX : m_nControlDeviceY) = device;
}

void CHOXFounSeq::SetStatusDevice(int axis, std::int32_t device)
{
    (axis == axis::kX ? m_nStatusDeviceX : m_nStatusDeviceY) = device;
}

std::int32_t CHOXFounSeq::GetMcodeOffDevice(int axis) const { return Plus3(GetControlDevice(axis)); }

std::int32_t CHOXFounSeq::GetMcodeOnDevice(int axis) const { return Plus3(GetStatusDevice(axis)); }

bool CHOXFounSeq::Store(std::int32_t& field, std::int32_t value)
{
    const bool changed = field != value;
    field = value;
    return changed;
}

void CHOXFounSeq::EditFromFirst() { Edit(true); }

void CHOXFounSeq::EditFromSecond() { Edit(false); }

void CHOXFounSeq::Edit(bool fromFirst)
{
    if (m_pDocument == nullptr) return;
    // Built once: a page shown again shows what was last entered on it.
    CHOXFounSeq1Dlg first(m_pDocument);
    CHOXFounSeq2Dlg second(m_pDocument, false);
    bool changed = false;
    bool onFirst = fromFirst;
    for (;;) {
        if (onFirst) {
            if (first.DoModal() != IDOK) break;
            changed |= Store(m_nUnitNo, first.GetUnitNo());
            changed |= Store(m_nControlDeviceX, first.GetControlDevice(0));
            changed |= Store(m_nControlDeviceY, first.GetControlDevice(1));
            if (!first.IsNext()) break;
        } else {
            if (second.DoModal() != IDOK) break;
            changed |= Store(m_nStatusDeviceX, second.GetStatusDevice(0));
            changed |= Store(m_nStatusDeviceY, second.GetStatusDevice(1));
            if (!second.IsBack()) break;
        }
        onFirst = !onFirst;
    }
    if (changed) m_pDocument->SetModifiedFlag();
}
