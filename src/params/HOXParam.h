#pragma once
// The controller's parameter set of a document: per-axis parameters 0 to 26
// and 30 to 56 (X and Y), common parameters 100 to 111, and the length unit of
// each axis. I/O numbers (31, 32, 35, 37, 38, 41, 42, 51, 52, 54 per axis;
// 103, 105, 107, 109, 111) are kept in octal-digit notation: X17 is stored as
// 17. The controller link takes them as plain numbers (15); the transfer
// blocks convert a copy, so the set's own values never change on the way, and
// no value with a digit 8 or 9 ever enters the set as an I/O number.
#include "platform/Object.h"
#include "platform/Types.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class CArchive;
class CHOXDoc;

// One parameter as text: its number, its name and the values of the X and Y
// axes as a user reads them. Every field is zero-terminated and cut to fit.
struct PARAM_ROW {
    char number[4];
    char name[32];
    char xText[32];
    char yText[32];
};

class CHOXParam : public CObject {
    KT_DECLARE_SERIAL(CHOXParam)
public:
    // Transfer blocks of the controller link.
    static constexpr UINT blockCommon = 112; // parameters 100 to 111, axis 0 only
    static constexpr UINT blockAxisA = 113;  // parameters 0 to 26 of an axis
    static constexpr UINT blockAxisB = 114;  // parameters 30 to 56 of an axis

    // Length units.
    static constexpr std::int32_t unitMillimetre = 0;
    static constexpr std::int32_t unitDegree = 1;
    static constexpr std::int32_t unitInch = 2;

    // Holds the defaults of a set without a document (two axes); length units
    // are millimetres.
    CHOXParam();
    ~CHOXParam() override;

    // The parameter section of the document file, without class tag: 268
    // bytes on the one-axis type, 488 on the two-axis types. Loading reads the
    // whole section before anything changes; an I/O number with a digit 8 or
    // 9 is read as the controller would have been given it (its digits weighed
    // as octal, written back in octal digits: 18 becomes 20), or as its
    // default when that does not fit in 32 bits.
    void Serialize(CArchive& ar) override;

    // Valid numbers are 0 to 26 and 30 to 56 (per axis, axis 0 or 1) and 100
    // to 111 (common, axis ignored). False, and nothing written, for any other
    // number, a per-axis number with another axis, or a null pointer.
    bool GetParam(std::int32_t* value, UINT number, int axis) const;
    // The same addressing. Also false, and no change, when the number is an
    // I/O number and the value has a decimal digit 8 or 9.
    bool SetParam(const std::int32_t* value, UINT number, int axis);

    // Per-axis defaults to X (and to Y on the two-axis types); parameter 100
    // is 1 on the one-axis type, else 0; 101 to 111 are 0. Length units stay.
    void SetDefaults();

    // True when the owning document's controller type is 0; a set without a
    // document is a two-axis set.
    bool IsOneAxisModel() const;
    CHOXDoc* GetDocument() const { return m_pDoc; }
    // Takes every value and both length units of the other set; the owning
    // document stays.
    void CopyValuesFrom(const CHOXParam& other);
    void SetDocument(CHOXDoc* doc) { m_pDoc = doc; }

    // 0 millimetres, 1 degrees, 2 inches; 0 for an axis other than 0 or 1,
    // whose setting is ignored.
    std::int32_t GetLengthUnit(int axis) const;
    void SetLengthUnit(int axis, std::int32_t unit);
    // Parameter 0 of the axis is not 1: positions and backlash are in the
    // length unit, not in pulses.
    bool HasMechanicalPositions(int axis) const;
    // Parameter 0 of the axis is not 0: speeds are in Hz.
    bool HasPulseSpeeds(int axis) const;

    // The parameter that holds how many file registers the controller keeps
    // (taken from its program memory).
    static constexpr UINT fileRegistersNumber = 101;
    std::int32_t GetFileRegisters() const { return m_common[fileRegistersNumber - 100]; }

    // The controller's program memory in steps: 7800 (8K) when parameter 100
    // is 0, else 3800 (4K), less the file registers (parameter 101). Never
    // below 0 or above the memory itself.
    std::int32_t GetProgramMemorySize() const;

    // True for the numbers that hold a controller input or output number.
    static bool IsIoNumber(UINT number);

    // Number of values of a transfer block: 12, 27, 27; 0 for another block.
    static std::size_t GetTransferBlockSize(UINT block);
    // The values of a block as the controller takes them (I/O numbers plain).
    // Empty for an unknown block, block 112 with an axis other than 0, an axis
    // other than 0 or 1, or axis 1 on the one-axis type.
    std::vector<std::int32_t> GetTransferBlock(UINT block, int axis) const;
    // Stores a block read from the controller, turning its plain I/O numbers
    // into octal-digit notation. False, and no change, for a block or axis
    // GetTransferBlock refuses, a count other than the block's size, or an I/O
    // number whose octal-digit form does not fit in 32 bits.
    bool SetTransferBlock(UINT block, int axis, std::span<const std::int32_t> values);

    // A copy of a block's values whose I/O numbers are turned from octal-digit
    // notation into plain numbers: the decimal digits d0, d1, ... of v (sign
    // aside) give d0 + 8*d1 + 64*d2 + ... (17 becomes 15).
    static std::vector<std::int32_t> IoNumbersFromOctal(UINT block, std::span<const std::int32_t> values);
    // The reverse on a copy: the octal digits o0, o1, ... of v give o0 +
    // 10*o1 + 100*o2 + ... (15 becomes 17). Empty when an I/O number's result
    // does not fit in 32 bits.
    static std::optional<std::vector<std::int32_t>> IoNumbersToOctal(UINT block,
                                                                     std::span<const std::int32_t> values);

    // The text row of a parameter number. Numbers without a meaning (27 to
    // 29, 43 to 49, 55, 57 to 99, above 111) are "Spare" with empty values.
    // On the one-axis type the Y text of a listed number is left as it was.
    void GetParamRow(UINT number, PARAM_ROW* row) const;

    // Each runs its parameter dialog on this set and marks the owning
    // document modified when the dialog ends with OK.
    void EditSystem();
    void EditSubtask();
    void EditProgramNumber();
    void EditMcode();
    void EditPulser();
    void EditAbsPosition();
    void EditOthers();
    // The axis dialogs, linked in a ring by their back and forward buttons:
    // a dialog ended by one of them has done what OK does, and its neighbour
    // opens once it has returned.
    void EditUnits();
    void EditSpeed();
    void EditMachineZero();
    void EditSettings();

private:
    static constexpr std::size_t axisCount = 27;
    static constexpr std::size_t commonCount = 12;
    using AxisBlock = std::array<std::array<std::int32_t, 2>, axisCount>; // [number][axis]

    std::int32_t* Slot(UINT number, int axis);
    const std::int32_t* Slot(UINT number, int axis) const;
    bool IsTransferable(UINT block, int axis) const;

    CHOXDoc* m_pDoc = nullptr;
    AxisBlock m_axisA{};                          // parameters 0 to 26
    AxisBlock m_axisB{};                          // parameters 30 to 56
    std::array<std::int32_t, commonCount> m_common{}; // parameters 100 to 111
    std::array<std::int32_t, 2> m_lengthUnit{};
};
