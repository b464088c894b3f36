#include "params/HOXParam.h"

#include "app/HOXDoc.h"
#include "chart/ControllerType.h"
#include "platform/Archive.h"

#include <algorithm>
#include <limits>
#include <utility>

KT_IMPLEMENT_SERIAL(CHOXParam, CObject, 0)

namespace {

// The same defaults on both axes.
constexpr std::array<std::int32_t, 27> kDefaultsA = {
    1, 2000, 2000, 2, 200000, 20000, 0, 0, 200, 200, 100, 0, 0, 100000,
    1000, 1, 0, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0,
};
constexpr std::array<std::int32_t, 27> kDefaultsB = {
    0, 0, 0, 20, 0, 0, 0, 0, 0, 0, 1, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
};

constexpr std::array<UINT, 10> kAxisIoNumbers = {31, 32, 35, 37, 38, 41, 42, 51, 52, 54};
constexpr std::array<UINT, 5> kCommonIoNumbers = {103, 105, 107, 109, 111};

// The first parameter number of a transfer block; the values follow in order.
UINT BlockBase(UINT block)
{
    switch (block) {
    case CHOXParam::blockCommon: return 100;
    case CHOXParam::blockAxisA: return 0;
    case CHOXParam::blockAxisB: return 30;
    default: return 0;
    }
}

// Sign aside, in 64 bits: the magnitude of INT32_MIN does not fit in 32.
std::int64_t Magnitude(std::int32_t v) { return v < 0 ? -static_cast<std::int64_t>(v) : v; }

bool HasOctalDigitsOnly(std::int32_t v)
{
    for (std::int64_t m = Magnitude(v); m > 0; m /= 10)
        if (m % 10 > 7) return false;
    return true;
}

// Never overflows: each decimal digit weighs less than before.
std::int32_t PlainFromOctalDigits(std::int32_t v)
{
    std::int64_t result = 0;
    std::int64_t weight = 1;
    for (std::int64_t m = Magnitude(v); m > 0; m /= 10, weight *= 8) result += (m % 10) * weight;
    return static_cast<std::int32_t>(v < 0 ? -result : result);
}

std::optional<std::int32_t> OctalDigitsFromPlain(std::int32_t v)
{
    std::int64_t result = 0;
    std::int64_t weight = 1;
    for (std::int64_t m = Magnitude(v); m > 0; m /= 8, weight *= 10) result += (m % 8) * weight;
    if (v < 0) result = -result;
    if (result < std::numeric_limits<std::int32_t>::min() || result > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(result);
}

std::int32_t DefaultOf(UINT number)
{
    if (number <= 26) return kDefaultsA[number];
    if (number >= 30 && number <= 56) return kDefaultsB[number - 30];
    return 0;
}

// An I/O number as loaded from a file: one with a digit 8 or 9 becomes the
// number the controller would have been given for it, written in octal digits.
std::int32_t RepairIoNumber(std::int32_t v, UINT number)
{
    if (HasOctalDigitsOnly(v)) return v;
    return OctalDigitsFromPlain(PlainFromOctalDigits(v)).value_or(DefaultOf(number));
}

} // namespace

CHOXParam::CHOXParam() { SetDefaults(); }

CHOXParam::~CHOXParam() = default;

std::int32_t* CHOXParam::Slot(UINT number, int axis)
{
    return const_cast<std::int32_t*>(std::as_const(*this).Slot(number, axis));
}

const std::int32_t* CHOXParam::Slot(UINT number, int axis) const
{
    if (number >= 100 && number <= 111) return &m_common[number - 100];
    if (!axis::IsXOrY(axis)) return nullptr;
    if (number <= 26) return &m_axisA[number][static_cast<std::size_t>(axis)];
    if (number >= 30 && number <= 56) return &m_axisB[number - 30][static_cast<std::size_t>(axis)];
    return nullptr;
}

bool CHOXParam::GetParam(std::int32_t* value, UINT number, int axis) const
{
    const std::int32_t* slot = Slot(number, axis);
    if (slot == nullptr || value == nullptr) return false;
    *value = *slot;
    return true;
}

bool CHOXParam::SetParam(const std::int32_t* value, UINT number, int axis)
{
    std::int32_t* slot = Slot(number, axis);
    if (slot == nullptr || value == nullptr) return false;
    if (IsIoNumber(number) && !HasOctalDigitsOnly(*value)) return false;
    *slot = *value;
    return true;
}

void CHOXParam::SetDefaults()
{
    const bool oneAxis = IsOneAxisModel();
    const std::size_t axes = oneAxis ? 1 : 2;
    for (std::size_t axis = 0; axis < axes; ++axis) {
        for (std::size_t i = 0; i < axisCount; ++i) {
            m_axisA[i][axis] = kDefaultsA[i];
            m_axisB[i][axis] = kDefaultsB[i];
        }
    }
    m_common.fill(0);
    m_common[0] = oneAxis ? 1 : 0;
}

void CHOXParam::CopyValuesFrom(const CHOXParam& other)
{
    m_axisA = other.m_axisA;
    m_axisB = other.m_axisB;
    m_common = other.m_common;
    m_lengthUnit = other.m_lengthUnit;
}

bool CHOXParam::IsOneAxisModel() const { return m_pDoc != nullptr && ctype::IsOneAxis(m_pDoc->GetControllerType()); }

std::int32_t CHOXParam::GetLengthUnit(int axis) const
{
    if (!axis::IsXOrY(axis)) return unitMillimetre;
    return m_lengthUnit[static_cast<std::size_t>(axis)];
}

void CHOXParam::SetLengthUnit(int axis, std::int32_t unit)
{
    if (!axis::IsXOrY(axis)) return;
    m_lengthUnit[static_cast<std::size_t>(axis)] = unit;
}

bool CHOXParam::HasMechanicalPositions(int axis) const
{
    std::int32_t system = 0;
    return GetParam(&system, 0, axis) && system != 1;
}

bool CHOXParam::HasPulseSpeeds(int axis) const
{
    std::int32_t system = 0;
    return GetParam(&system, 0, axis) && system != 0;
}

std::int32_t CHOXParam::GetProgramMemorySize() const
{
    const std::int64_t memory = m_common[0] == 0 ? 7800 : 3800;
    const std::int64_t left = memory - GetFileRegisters();
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(left, 0, memory));
}

bool CHOXParam::IsIoNumber(UINT number)
{
    return std::find(kAxisIoNumbers.begin(), kAxisIoNumbers.end(), number) != kAxisIoNumbers.end() ||
           std::find(kCommonIoNumbers.begin(), kCommonIoNumbers.end(), number) != kCommonIoNumbers.end();
}

std::size_t CHOXParam::GetTransferBlockSize(UINT block)
{
    switch (block) {
    case blockCommon: return commonCount;
    case blockAxisA:
    case blockAxisB: return axisCount;
    default: return 0;
    }
}

bool CHOXParam::IsTransferable(UINT block, int axis) const
{
    if (GetTransferBlockSize(block) == 0) return false;
    if (block == blockCommon) return axis == axis::kX;
    return axis == axis::kX || (axis == axis::kY && !IsOneAxisModel());
}

std::vector<std::int32_t> CHOXParam::GetTransferBlock(UINT block, int axis) const
{
    if (!IsTransferable(block, axis)) return {};
    const std::size_t size = GetTransferBlockSize(block);
    std::vector<std::int32_t> values(size);
    for (std::size_t i = 0; i < size; ++i)
        GetParam(&values[i], BlockBase(block) + static_cast<UINT>(i), axis);
    return IoNumbersFromOctal(block, values);
}

bool CHOXParam::SetTransferBlock(UINT block, int axis, std::span<const std::int32_t> values)
{
    if (!IsTransferable(block, axis) || values.size() != GetTransferBlockSize(block)) return false;
    const std::optional<std::vector<std::int32_t>> octal = IoNumbersToOctal(block, values);
    if (!octal) return false;
    for (std::size_t i = 0; i < octal->size(); ++i)
        *Slot(BlockBase(block) + static_cast<UINT>(i), axis) = (*octal)[i];
    return true;
}

std::vector<std::int32_t> CHOXParam::IoNumbersFromOctal(UINT block, std::span<const std::int32_t> values)
{
    std::vector<std::int32_t> result(values.begin(), values.end());
    if (GetTransferBlockSize(block) == 0) return result;
    for (std::size_t i = 0; i < result.size(); ++i)
        if (IsIoNumber(BlockBase(block) + static_cast<UINT>(i))) result[i] = PlainFromOctalDigits(result[i]);
    return result;
}

std::optional<std::vector<std::int32_t>> CHOXParam::IoNumbersToOctal(UINT block, std::span<const std::int32_t> values)
{
    std::vector<std::int32_t> result(values.begin(), values.end());
    if (GetTransferBlockSize(block) == 0) return result;
    for (std::size_t i = 0; i < result.size(); ++i) {
        if (!IsIoNumber(BlockBase(block) + static_cast<UINT>(i))) continue;
        const std::optional<std::int32_t> octal = OctalDigitsFromPlain(result[i]);
        if (!octal) return std::nullopt;
        result[i] = *octal;
    }
    return result;
}

void CHOXParam::Serialize(CArchive& ar)
{
    const bool oneAxis = IsOneAxisModel();
    if (ar.IsStoring()) {
        const auto storeAxis = [&](std::size_t axis) {
            for (const auto& pair : m_axisA) ar << pair[axis];
            for (const auto& pair : m_axisB) ar << pair[axis];
        };
        storeAxis(axis::kX);
        for (std::int32_t v : m_common) ar << v;
        ar << m_lengthUnit[0];
        if (!oneAxis) {
            storeAxis(axis::kY);
            ar << m_lengthUnit[1];
        }
        return;
    }

    AxisBlock axisA = m_axisA;
    AxisBlock axisB = m_axisB;
    std::array<std::int32_t, commonCount> common{};
    std::array<std::int32_t, 2> lengthUnit = m_lengthUnit;
    const auto loadAxis = [&](std::size_t axis) {
        for (auto& pair : axisA) ar >> pair[axis];
        for (auto& pair : axisB) ar >> pair[axis];
    };
    loadAxis(axis::kX);
    for (std::int32_t& v : common) ar >> v;
    ar >> lengthUnit[0];
    if (!oneAxis) {
        loadAxis(axis::kY);
        ar >> lengthUnit[1];
    }

    const std::size_t axes = oneAxis ? 1 : 2;
    for (UINT number : kAxisIoNumbers) {
        for (std::size_t axis = 0; axis < axes; ++axis) {
            std::int32_t& v = axisB[number - 30][axis];
            v = RepairIoNumber(v, number);
        }
    }
    for (UINT number : kCommonIoNumbers) common[number - 100] = RepairIoNumber(common[number - 100], number);

    m_axisA = axisA;
    m_axisB = axisB;
    m_common = common;
    m_lengthUnit = lengthUnit;
}
