#pragma once
// The M-code sequences of the companion RA-ZUZ: per axis the data register
// that receives the M code from the positioning unit, and per axis and M code
// the relay driven while that M code is active, the device that reports the
// auxiliary equipment's completion and whether the sequence has been applied,
// with the applied M codes of each axis in the order of applying. The
// document keeps one while it is open; none of it goes into the file.
//
// M codes run from 0 to 100 and the axes are 0 (X) and 1 (Y). An index
// outside its array is refused: reads give the initial value, stores change
// nothing and say so.
#include "platform/Object.h"
#include "chart/ControllerType.h"
#include "symbols/operand/HOXSelectVal.h"

#include <array>
#include <cstdint>

class CHOXMcodeKzPlc : public CObject {
    KT_DECLARE_SERIAL(CHOXMcodeKzPlc)
public:
    static constexpr int kAxes = 2;
    static constexpr std::int32_t kHighestMcode = 100;
    static constexpr int kCodesPerAxis = 101;
    // The set list holds at most 100 M codes and ends at its first 0.
    static constexpr int kListSize = 101;
    static constexpr int kMostListed = 100;

    // Every save device and relay 0, every completion device X0, nothing
    // applied.
    CHOXMcodeKzPlc();

    static bool IsValidAxis(int axis) { return axis::IsXOrY(axis); }
    static bool IsValidMcode(std::int32_t mcode) { return mcode >= 0 && mcode <= kHighestMcode; }

    // All take the axis last.
    std::int32_t GetSaveDevice(int axis) const;
    bool SetSaveDevice(std::int32_t device, int axis);
    std::uint32_t GetAuxDevice(std::int32_t mcode, int axis) const;
    bool SetAuxDevice(std::uint32_t device, std::int32_t mcode, int axis);
    CHOXSelectVal GetCompletionDevice(std::int32_t mcode, int axis) const;
    // Stored as the operand's SetValue takes it; false when refused.
    bool SetCompletionDevice(std::int32_t mcode, BYTE deviceType, BYTE digits, std::int32_t number, BYTE indexType,
                             BYTE indexNumber, int axis);
    bool IsSequenceSet(std::int32_t mcode, int axis) const;
    bool SetSequence(std::int32_t mcode, int axis);
    bool ClearSequence(std::int32_t mcode, int axis);

    // The entry at a position of the axis's set list (0 past its end).
    std::uint32_t GetListEntry(int position, int axis) const;
    // Appends the M code at the list's end while fewer than 100 are listed,
    // or (remove) takes its first entry out and moves the rest up. M code 0
    // cannot be kept: it ends the list. True when the list changed.
    bool UpdateList(std::int32_t mcode, bool remove, int axis);

private:
    // Where an M code of an axis is kept; -1 outside the arrays.
    static int Slot(std::int32_t mcode, int axis);
    bool SetSequenceFlag(std::int32_t mcode, int axis, std::int32_t flag);

    std::array<std::int32_t, kAxes> m_saveDevice{};
    std::array<std::uint32_t, kAxes * kCodesPerAxis> m_auxDevice{};
    std::array<CHOXSelectVal, kAxes * kCodesPerAxis> m_completion;
    std::array<std::int32_t, kAxes * kCodesPerAxis> m_sequenceSet{};
    std::array<std::array<std::uint32_t, kListSize>, kAxes> m_setList{};
};
