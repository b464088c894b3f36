#include "plc/HOXMcodeKzPlc.h"

#include <QString>

KT_IMPLEMENT_SERIAL(CHOXMcodeKzPlc, CObject, 0)

CHOXMcodeKzPlc::CHOXMcodeKzPlc()
{
    QString message;
    for (CHOXSelectVal& device : m_completion) device.SetValue(message, CHOXSelectVal::kX, 0, 0, 0, 0);
}

int CHOXMcodeKzPlc::Slot(std::int32_t mcode, int axis)
{
    if (!IsValidAxis(axis) || !IsValidMcode(mcode)) return -1;
    return axis * kCodesPerAxis + static_cast<int>(mcode);
}

std::int32_t CHOXMcodeKzPlc::GetSaveDevice(int axis) const
{
    return IsValidAxis(axis) ? m_saveDevice[static_cast<std::size_t>(axis)] : 0;
}

bool CHOXMcodeKzPlc::SetSaveDevice(std::int32_t device, int axis)
{
    if (!IsValidAxis(axis)) return false;
    m_saveDevice[static_cast<std::size_t>(axis)] = device;
    return true;
}

std::uint32_t CHOXMcodeKzPlc::GetAuxDevice(std::int32_t mcode, int axis) const
{
    const int slot = Slot(mcode, axis);
    return slot < 0 ? 0 : m_auxDevice[static_cast<std::size_t>(slot)];
}

bool CHOXMcodeKzPlc::SetAuxDevice(std::uint32_t device, std::int32_t mcode, int axis)
{
    const int slot = Slot(mcode, axis);
    if (slot < 0) return false;
    m_auxDevice[static_cast<std::size_t>(slot)] = device;
    return true;
}

CHOXSelectVal CHOXMcodeKzPlc::GetCompletionDevice(std::int32_t mcode, int axis) const
{
    const int slot = Slot(mcode, axis);
    if (slot >= 0) return m_completion[static_cast<std::size_t>(slot)];
    // What every entry starts as.
    CHOXSelectVal x0;
    QString message;
    x0.SetValue(message, CHOXSelectVal::kX, 0, 0, 0, 0);
    return x0;
}

bool CHOXMcodeKzPlc::SetCompletionDevice(std::int32_t mcode, BYTE deviceType, BYTE digits, std::int32_t number,
                                         BYTE indexType, BYTE indexNumber, int axis)
{
    const int slot = Slot(mcode, axis);
    if (slot < 0) return false;
    QString message;
    return m_completion[static_cast<std::size_t>(slot)].SetValue(message, deviceType, digits, number, indexType,
                                                                 indexNumber);
}

bool CHOXMcodeKzPlc::IsSequenceSet(std::int32_t mcode, int axis) const
{
    const int slot = Slot(mcode, axis);
    return slot >= 0 && m_sequenceSet[static_cast<std::size_t>(slot)] != 0;
}

bool CHOXMcodeKzPlc::SetSequenceFlag(std::int32_t mcode, int axis, std::int32_t flag)
{
    const int slot = Slot(mcode, axis);
    if (slot < 0) return false;
    m_sequenceSet[static_cast<std::size_t>(slot)] = flag;
    return true;
}

bool CHOXMcodeKzPlc::SetSequence(std::int32_t mcode, int axis) { return SetSequenceFlag(mcode, axis, 1); }

bool CHOXMcodeKzPlc::ClearSequence(std::int32_t mcode, int axis) { return SetSequenceFlag(mcode, axis, 0); }

std::uint32_t CHOXMcodeKzPlc::GetListEntry(int position, int axis) const
{
    if (!IsValidAxis(axis) || position < 0 || position >= kListSize) return 0;
    return m_setList[static_cast<std::size_t>(axis)][static_cast<std::size_t>(position)];
}

bool CHOXMcodeKzPlc::UpdateList(std::int32_t mcode, bool remove, int axis)
{
    if (Slot(mcode, axis) < 0 || mcode == 0) return false;
    auto& list = m_setList[static_cast<std::size_t>(axis)];
    const auto code = static_cast<std::uint32_t>(mcode);
    std::size_t end = 0;
    while (end < kMostListed && list[end] != 0) ++end;
    if (!remove) {
        if (end >= kMostListed) return false;
        list[end] = code;
        return true;
    }
    for (std::size_t i = 0; i < end; ++i) {
        if (list[i] != code) continue;
        for (std::size_t j = i; j + 1 < list.size(); ++j) list[j] = list[j + 1];
        list.back() = 0;
        return true;
    }
    return false;
}
