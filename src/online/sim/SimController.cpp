#include "online/sim/SimController.h"

#include "chart/ControllerType.h"
#include "online/comm/CommPayload.h"
#include "online/comm/CommProtocol.h"
#include "online/comm/ControllerDevices.h"
#include "params/HOXParam.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace commproto;

namespace {

constexpr int kMaxProgramBytes = 1 << 20;
constexpr int kMaxFileRegisters = 7800;

CSimController::Reply Ok(const CCommPayload& data = {}) { return {0, data.Bytes()}; }
CSimController::Reply Refused() { return {kResultRefused, {}}; }
// A request whose payload does not fit its command.
CSimController::Reply Malformed() { return {778, {}}; }

std::int32_t Clamp32(std::int64_t v)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

// Manual-operation codes: the axis each moves and what it does.
enum class Manual { JogPlus, JogMinus, JogPlusEnd, JogMinusEnd, ZeroReturn, Feed, ErrorReset };
struct ManualCode {
    int code;
    int axis;
    Manual op;
};
constexpr ManualCode kManualCodes[] = {
    {68, 0, Manual::JogPlus},     {84, 0, Manual::JogPlusEnd},  {70, 0, Manual::JogMinus},
    {86, 0, Manual::JogMinusEnd}, {72, 0, Manual::ZeroReturn},  {74, 0, Manual::Feed},
    {16, 0, Manual::ErrorReset},  {69, 1, Manual::JogPlus},     {85, 1, Manual::JogPlusEnd},
    {71, 1, Manual::JogMinus},    {87, 1, Manual::JogMinusEnd}, {73, 1, Manual::ZeroReturn},
    {75, 1, Manual::Feed},        {17, 1, Manual::ErrorReset},
};

} // namespace

CSimController::CSimController() { Reset(); }

void CSimController::Reset()
{
    std::lock_guard lock(m_mutex);
    m_model = 1;
    m_capacity = 8000;
    m_version = 110;
    m_cassette = 1;
    m_memory = 7800;
    m_counter = DefaultSimStepCounter([this] { return m_model; });
    m_clock = [] { return Clock::now(); };
    m_pace = kDefaultPace;
    m_log.Clear();
    ResetLocked();
}

void CSimController::ResetLocked()
{
    m_switches = {false, true, true, true, true, true};
    DefaultParams();
    m_program.Clear();
    m_checksumFlag = false;
    m_fileName.clear();
    m_staging.reset();
    m_readSnapshots.clear();
    m_readBack = AsWritten;
    m_readBackText.clear();
    m_m.fill(0);
    m_mSpecial.fill(0);
    m_x.fill(0);
    m_y.fill(0);
    m_d.assign(4000, 0);
    m_dSpecial.assign(600, 0);
    m_dFile.assign(kMaxFileRegisters, 0);
    m_v.fill(0);
    m_z.fill(0);
    m_tasks = {};
    m_axes = {};
    m_lastAdvance = m_clock();
}

void CSimController::DefaultParams()
{
    // A set without a document holds the two-axis defaults; the one-axis
    // model differs in parameter 100 only (its 4K memory).
    const CHOXParam defaults;
    m_common = defaults.GetTransferBlock(CHOXParam::blockCommon, axis::kX);
    if (IsOneAxis()) m_common[0] = 1;
    for (const int axis : {axis::kX, axis::kY}) {
        m_blockA[static_cast<std::size_t>(axis)] = defaults.GetTransferBlock(CHOXParam::blockAxisA, axis);
        m_blockB[static_cast<std::size_t>(axis)] = defaults.GetTransferBlock(CHOXParam::blockAxisB, axis);
    }
}

// ---------------------------------------------------------------------------
// Requests

CSimController::Handler CSimController::HandlerOf(int command)
{
    switch (command) {
    case GetKZQWType: return &CSimController::DoGetType;
    case Status: return &CSimController::DoStatus;
    case Diagnosis: return &CSimController::DoDiagnosis;
    case InitiateKZQW: return &CSimController::DoInitiate;
    case SetFileName: return &CSimController::DoSetFileName;
    case GetFileName: return &CSimController::DoGetFileName;
    case WriteParams: return &CSimController::DoWriteParams;
    case ReadParams: return &CSimController::DoReadParams;
    case WriteProgramBegin: return &CSimController::DoWriteBegin;
    case WriteProgramBlock: return &CSimController::DoWriteBlock;
    case WriteProgramEnd: return &CSimController::DoWriteEnd;
    case ReadProgramBegin: return &CSimController::DoReadBegin;
    case ReadProgramBlock: return &CSimController::DoReadBlock;
    case CreateSum: return &CSimController::DoCreateSum;
    case ReadMonitoringInfo: return &CSimController::DoMonitor;
    case ReadCurrentPos: return &CSimController::DoReadCurrentPos;
    case GetKZQWStatus: return &CSimController::DoKZQWStatus;
    case GetManInputStatus: return &CSimController::DoManInput;
    case GetProgInfo: return &CSimController::DoProgInfo;
    case ReadDevice: return &CSimController::DoReadDevice;
    case WriteDevice: return &CSimController::DoWriteDevice;
    case SetOperation: return &CSimController::DoSetOperation;
    case ResetOperation: return &CSimController::DoResetOperation;
    case WriteCurrentPos: return &CSimController::DoWriteCurrentPos;
    case WriteManualOprn: return &CSimController::DoManual;
    default: return nullptr;
    }
}

CSimController::Reply CSimController::Execute(int command, const QByteArray& payload)
{
    std::lock_guard lock(m_mutex);
    CCommPayload args(payload);
    CSimRequest log;
    log.m_operation = CommandName(command);
    if (!args.ReadU16(log.m_client)) return Malformed();
    const Handler handler = HandlerOf(command);
    if (handler == nullptr) return Refused();
    Advance();
    Reply reply = (this->*handler)(args, log);
    m_log.Add(std::move(log));
    return reply;
}

bool CSimController::IsResponding() const
{
    std::lock_guard lock(m_mutex);
    return m_switches[Responding];
}

CSimController::Reply CSimController::DoGetType(CCommPayload&, CSimRequest&)
{
    return Ok(CCommPayload().I32(IsOneAxis() ? 0 : 1));
}

CSimController::Reply CSimController::DoStatus(CCommPayload&, CSimRequest&)
{
    const int xReady = m_switches[ReadyX] && !IsBusy(0) ? 1 : 0;
    const int yReady = !IsOneAxis() && m_switches[ReadyY] && !IsBusy(1) ? 1 : 0;
    return Ok(
        CCommPayload().I32(xReady).I32(m_switches[WritePermitted] ? 1 : 0).I32(yReady).I32(m_switches[Auto] ? 0 : 1));
}

CSimController::Reply CSimController::DoDiagnosis(CCommPayload&, CSimRequest&)
{
    return Ok(CCommPayload().I32(m_capacity).I32(IsOneAxis() ? 0 : 1).I32(m_version).I32(m_cassette));
}

CSimController::Reply CSimController::DoInitiate(CCommPayload&, CSimRequest&)
{
    if (m_switches[Auto] || !m_switches[WritePermitted]) return Refused();
    for (int task = 0; task < 3; ++task) StopTask(task);
    DefaultParams();
    m_program.Clear();
    m_checksumFlag = false;
    m_fileName.clear();
    m_staging.reset();
    m_readSnapshots.clear();
    m_switches[ParamsDefined] = true;
    return Ok();
}

CSimController::Reply CSimController::DoSetFileName(CCommPayload& args, CSimRequest& log)
{
    QByteArray name;
    if (!args.ReadText(name) || !args.AtEnd()) return Malformed();
    log.m_arguments = {static_cast<std::int32_t>(name.size())};
    if (name.size() > kMaxFileName) return Refused();
    m_fileName = name;
    return Ok();
}

CSimController::Reply CSimController::DoGetFileName(CCommPayload&, CSimRequest&)
{
    return Ok(CCommPayload().Text(m_fileName));
}

std::vector<std::int32_t>* CSimController::BlockSlot(int block, int axis)
{
    return const_cast<std::vector<std::int32_t>*>(static_cast<const CSimController*>(this)->BlockSlot(block, axis));
}

const std::vector<std::int32_t>* CSimController::BlockSlot(int block, int axis) const
{
    if (block == CHOXParam::blockCommon) return axis == axis::kX ? &m_common : nullptr;
    if (!IsAxis(axis)) return nullptr;
    if (block == CHOXParam::blockAxisA) return &m_blockA[static_cast<std::size_t>(axis)];
    if (block == CHOXParam::blockAxisB) return &m_blockB[static_cast<std::size_t>(axis)];
    return nullptr;
}

CSimController::Reply CSimController::DoWriteParams(CCommPayload& args, CSimRequest& log)
{
    std::int32_t block = 0;
    std::int32_t axis = axis::kX;
    int count = 0;
    if (!args.ReadI32(block) || !args.ReadI32(axis) || !args.ReadU16(count)) return Malformed();
    std::vector<std::int32_t> values(static_cast<std::size_t>(count));
    for (std::int32_t& v : values)
        if (!args.ReadI32(v)) return Malformed();
    if (!args.AtEnd()) return Malformed();
    log.m_arguments = {block, axis, count};
    log.m_axis = axis;
    std::vector<std::int32_t>* slot = BlockSlot(block, axis);
    if (slot == nullptr || values.size() != slot->size()) return Refused();
    if (m_switches[Auto] || !m_switches[WritePermitted]) return Refused();
    *slot = std::move(values);
    m_switches[ParamsDefined] = true;
    return Ok();
}

CSimController::Reply CSimController::DoReadParams(CCommPayload& args, CSimRequest& log)
{
    std::int32_t block = 0;
    std::int32_t axis = axis::kX;
    if (!args.ReadI32(block) || !args.ReadI32(axis) || !args.AtEnd()) return Malformed();
    log.m_arguments = {block, axis};
    log.m_axis = axis;
    const std::vector<std::int32_t>* slot = BlockSlot(block, axis);
    if (slot == nullptr) return Refused();
    CCommPayload reply;
    reply.U16(static_cast<int>(slot->size()));
    for (std::int32_t v : *slot) reply.I32(v);
    return Ok(reply);
}

// ---------------------------------------------------------------------------
// Program

CSimController::Reply CSimController::DoWriteBegin(CCommPayload& args, CSimRequest& log)
{
    Staging staging;
    staging.client = log.m_client;
    int crc = 0;
    if (!args.ReadI32(staging.memory) || !args.ReadI32(staging.fileRegisters) || !args.ReadU32(staging.length) ||
        !args.ReadU16(crc) || !args.AtEnd())
        return Malformed();
    staging.crc = static_cast<quint16>(crc);
    log.m_arguments = {staging.memory, staging.fileRegisters, static_cast<std::int32_t>(staging.length)};
    if (m_switches[Auto] || !m_switches[WritePermitted]) return Refused();
    if (staging.memory != m_memory) return {kResultMemoryMismatch, {}};
    if (staging.length > static_cast<std::uint32_t>(kMaxProgramBytes)) return {kResultTextRefused, {}};
    // From here the stored program no longer matches its sum.
    m_checksumFlag = false;
    m_staging = std::move(staging);
    return Ok();
}

CSimController::Reply CSimController::DoWriteBlock(CCommPayload& args, CSimRequest& log)
{
    std::uint32_t offset = 0;
    if (!args.ReadU32(offset)) return Malformed();
    const QByteArray bytes = args.Rest();
    log.m_arguments = {static_cast<std::int32_t>(offset), static_cast<std::int32_t>(bytes.size())};
    if (!m_staging || m_staging->client != log.m_client || offset != m_staging->data.size() ||
        m_staging->data.size() + bytes.size() > m_staging->length)
        return Refused();
    m_staging->data.append(bytes);
    return Ok();
}

CSimController::Reply CSimController::DoWriteEnd(CCommPayload& args, CSimRequest& log)
{
    std::uint32_t length = 0;
    int crc = 0;
    if (!args.ReadU32(length) || !args.ReadU16(crc) || !args.AtEnd()) return Malformed();
    log.m_arguments = {static_cast<std::int32_t>(length)};
    if (!m_staging || m_staging->client != log.m_client) return Refused();
    const Staging staging = std::move(*m_staging);
    m_staging.reset();
    if (length != staging.length || staging.data.size() != staging.length || crc != staging.crc ||
        Crc16(staging.data) != staging.crc)
        return {kResultSumError, {}};
    CSimProgram program;
    if (!program.Load(staging.data, m_counter)) return {kResultTextRefused, {}};
    if (program.TotalSteps() > staging.memory - staging.fileRegisters) return {kResultTextRefused, {}};
    m_program = std::move(program);
    return Ok();
}

CSimController::Reply CSimController::DoReadBegin(CCommPayload& args, CSimRequest& log)
{
    if (!args.AtEnd()) return Malformed();
    if (!m_switches[ParamsDefined]) return {kResultParamsUndefined, {}};
    QByteArray text = m_program.Text();
    if (m_readBack == Listing) text = m_program.ListingForm();
    if (m_readBack == SetText) text = m_readBackText;
    log.m_arguments = {static_cast<std::int32_t>(text.size())};
    const quint16 crc = Crc16(text);
    m_readSnapshots[log.m_client] = text;
    return Ok(CCommPayload().U32(static_cast<std::uint32_t>(text.size())).U16(crc));
}

CSimController::Reply CSimController::DoReadBlock(CCommPayload& args, CSimRequest& log)
{
    std::uint32_t offset = 0;
    int max = 0;
    if (!args.ReadU32(offset) || !args.ReadU16(max) || !args.AtEnd()) return Malformed();
    log.m_arguments = {static_cast<std::int32_t>(offset), max};
    const auto it = m_readSnapshots.find(log.m_client);
    if (it == m_readSnapshots.end() || offset > static_cast<std::uint32_t>(it->second.size())) return Refused();
    const QByteArray part = it->second.mid(offset, std::min(max, kProgramBlock));
    if (offset + part.size() >= static_cast<std::uint32_t>(it->second.size())) m_readSnapshots.erase(it);
    return Ok(CCommPayload().Raw(part));
}

CSimController::Reply CSimController::DoCreateSum(CCommPayload&, CSimRequest&)
{
    m_checksumFlag = true;
    return Ok(CCommPayload().I32(Crc16(m_program.Text())));
}

// ---------------------------------------------------------------------------
// Monitoring

CSimController::Reply CSimController::DoMonitor(CCommPayload&, CSimRequest&)
{
    const std::int64_t x = m_axes[0].pulses;
    const std::int64_t y = IsOneAxis() ? 0 : m_axes[1].pulses;
    return Ok(CCommPayload()
                  .I32(Clamp32(UnitsOf(0, x)))
                  .I32(Clamp32(IsOneAxis() ? 0 : UnitsOf(1, y)))
                  .I32(Clamp32(x))
                  .I32(Clamp32(y))
                  .I32(StepOf(TaskX))
                  .I32(StepOf(TaskY))
                  .I32(StepOf(TaskSub)));
}

CSimController::Reply CSimController::DoReadCurrentPos(CCommPayload& args, CSimRequest& log)
{
    std::int32_t mode = 0;
    if (!args.ReadI32(mode) || !args.AtEnd()) return Malformed();
    log.m_arguments = {mode};
    if (mode != 0 && mode != 1) return Refused();
    const auto shown = [&](int axis) {
        if (!IsAxis(axis)) return 0;
        const std::int64_t pulses = m_axes[static_cast<std::size_t>(axis)].pulses;
        return Clamp32(mode == 1 ? pulses : UnitsOf(axis, pulses));
    };
    return Ok(CCommPayload().I32(shown(0)).I32(shown(1)));
}

CSimController::Reply CSimController::DoKZQWStatus(CCommPayload& args, CSimRequest& log)
{
    std::int32_t axis = axis::kX;
    if (!args.ReadI32(axis) || !args.AtEnd()) return Malformed();
    log.m_arguments = {axis};
    log.m_axis = axis;
    if (!IsAxis(axis)) return Refused();
    const AxisState& a = m_axes[static_cast<std::size_t>(axis)];
    const bool ready = m_switches[axis == axis::kX ? ReadyX : ReadyY] && !IsBusy(axis);
    return Ok(CCommPayload().I32(ready ? 1 : 0).I32(a.completed).I32(a.error != 0 ? 1 : 0).I32(a.zeroCompleted));
}

CSimController::Reply CSimController::DoManInput(CCommPayload& args, CSimRequest& log)
{
    std::int32_t axis = axis::kX;
    if (!args.ReadI32(axis) || !args.AtEnd()) return Malformed();
    log.m_arguments = {axis};
    log.m_axis = axis;
    if (!IsAxis(axis)) return Refused();
    CCommPayload reply;
    for (int input : m_axes[static_cast<std::size_t>(axis)].inputs) reply.I32(input);
    return Ok(reply);
}

CSimController::Reply CSimController::DoProgInfo(CCommPayload& args, CSimRequest& log)
{
    std::int32_t axis = axis::kX;
    if (!args.ReadI32(axis) || !args.AtEnd()) return Malformed();
    log.m_arguments = {axis};
    log.m_axis = axis;
    if (!IsAxis(axis)) return Refused();
    const TaskState& task = m_tasks[static_cast<std::size_t>(axis)];
    return Ok(CCommPayload().I32(task.programNo).I32(task.mCode).I32(m_axes[static_cast<std::size_t>(axis)].error));
}

// ---------------------------------------------------------------------------
// Devices

int CSimController::FileRegisters() const { return std::clamp(m_common[1], 0, kMaxFileRegisters); }

int CSimController::FirstCount(int code, int address, int index) const
{
    if (!ctrldev::IsKnownCode(code) || !ctrldev::IsKnownIndex(index)) return -1;
    int first = code == ctrldev::X || code == ctrldev::Y ? ctrldev::OctalDigitsToCount(address) : address;
    if (first < 0) return -1;
    if (index != ctrldev::kNoIndex)
        first += index < 8 ? m_v[static_cast<std::size_t>(index)] : m_z[static_cast<std::size_t>(index - 8)];
    return first;
}

bool CSimController::AllValid(int code, int first, int count) const
{
    const int registers = count * ctrldev::RegistersPerValue(code);
    for (int i = 0; i < registers; ++i)
        if (!ctrldev::IsValidDevice(code, first + i, IsOneAxis(), FileRegisters())) return false;
    return true;
}

std::uint8_t* CSimController::Bit(int code, int count)
{
    return const_cast<std::uint8_t*>(static_cast<const CSimController*>(this)->Bit(code, count));
}

const std::uint8_t* CSimController::Bit(int code, int count) const
{
    const auto at = [count](const auto& bits) { return &bits[static_cast<std::size_t>(count)]; };
    switch (code) {
    case ctrldev::M: return at(m_m);
    case ctrldev::MSpecial: return at(m_mSpecial);
    case ctrldev::X: return at(m_x);
    case ctrldev::Y: return at(m_y);
    default: return nullptr;
    }
}

std::int16_t* CSimController::Register(int code, int count)
{
    return const_cast<std::int16_t*>(static_cast<const CSimController*>(this)->Register(code, count));
}

const std::int16_t* CSimController::Register(int code, int count) const
{
    const auto at = [count](const auto& regs) { return &regs[static_cast<std::size_t>(count)]; };
    switch (code) {
    case ctrldev::D:
    case ctrldev::DD: return at(m_d);
    case ctrldev::DSpecial:
    case ctrldev::DDSpecial: return at(m_dSpecial);
    case ctrldev::DFile:
    case ctrldev::DDFile: return at(m_dFile);
    case ctrldev::V: return at(m_v);
    case ctrldev::Z: return at(m_z);
    default: return nullptr;
    }
}

std::int32_t CSimController::ValueAt(int code, int count, bool wide) const
{
    if (ctrldev::IsBitCode(code)) return *Bit(code, count) != 0 ? 1 : 0;
    const std::int16_t* reg = Register(code, count);
    if (!wide) return reg[0];
    return static_cast<std::int32_t>(static_cast<std::uint16_t>(reg[0]) |
                                     (static_cast<std::uint32_t>(static_cast<std::uint16_t>(reg[1])) << 16));
}

void CSimController::StoreAt(int code, int count, std::int32_t value, bool wide)
{
    if (ctrldev::IsBitCode(code)) {
        SetBit(code, count, value != 0);
        return;
    }
    std::int16_t* reg = Register(code, count);
    reg[0] = static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFF));
    if (wide)
        reg[1] =
            static_cast<std::int16_t>(static_cast<std::uint16_t>((static_cast<std::uint32_t>(value) >> 16) & 0xFFFF));
}

void CSimController::SetBit(int code, int count, bool on)
{
    std::uint8_t* bit = Bit(code, count);
    const bool rising = on && *bit == 0;
    *bit = on ? 1 : 0;
    if (!rising || code != ctrldev::MSpecial) return;
    // The special relays act on their rising edge only.
    switch (count) {
    case 1: StartTask(TaskX); break;
    case 2:
        StopTask(TaskX);
        StopTask(TaskSub);
        break;
    case 17: StartTask(TaskY); break;
    case 18: StopTask(TaskY); break;
    default: break;
    }
}

CSimController::Reply CSimController::DoReadDevice(CCommPayload& args, CSimRequest& log)
{
    std::int32_t code = 0;
    std::int32_t address = 0;
    std::int32_t index = 0;
    int count = 0;
    if (!args.ReadI32(code) || !args.ReadI32(address) || !args.ReadI32(index) || !args.ReadU16(count) || !args.AtEnd())
        return Malformed();
    log.m_arguments = {code, address, index, count};
    const int first = FirstCount(code, address, index);
    if (first < 0 || count < 1 || count > kMaxDeviceCount || !AllValid(code, first, count)) return Refused();
    const int registers = ctrldev::RegistersPerValue(code);
    const bool wideBuffer = ctrldev::ValueWidth(code, index) == 4;
    CCommPayload reply;
    for (int i = 0; i < count; ++i) {
        const std::int32_t value = ValueAt(code, first + i * registers, registers == 2);
        if (wideBuffer)
            reply.I32(value);
        else
            reply.U16(value);
    }
    return Ok(reply);
}

CSimController::Reply CSimController::DoWriteDevice(CCommPayload& args, CSimRequest& log)
{
    std::int32_t code = 0;
    std::int32_t address = 0;
    std::int32_t index = 0;
    int count = 0;
    if (!args.ReadI32(code) || !args.ReadI32(address) || !args.ReadI32(index) || !args.ReadU16(count))
        return Malformed();
    log.m_arguments = {code, address, index, count};
    const int first = FirstCount(code, address, index);
    if (first < 0 || count < 1 || count > kMaxDeviceCount || !AllValid(code, first, count)) return Refused();
    const bool wideBuffer = ctrldev::ValueWidth(code, index) == 4;
    std::vector<std::int32_t> values(static_cast<std::size_t>(count));
    for (std::int32_t& v : values) {
        int narrow = 0;
        if (wideBuffer ? !args.ReadI32(v) : !args.ReadI16(narrow)) return Malformed();
        if (!wideBuffer) v = narrow;
    }
    if (!args.AtEnd()) return Malformed();
    for (std::int32_t v : values) log.m_arguments.push_back(v);
    const int registers = ctrldev::RegistersPerValue(code);
    if (code == ctrldev::X) return Refused(); // inputs belong to the machine
    if (code == ctrldev::DSpecial || code == ctrldev::DDSpecial)
        for (int i = 0; i < count; ++i)
            if (ctrldev::IsWriteProtected(ctrldev::kSpecialBase + first + i * registers, registers == 2))
                return Refused();
    for (int i = 0; i < count; ++i)
        StoreAt(code, first + i * registers, values[static_cast<std::size_t>(i)], registers == 2);
    return Ok();
}

CSimController::Reply CSimController::DoSetOperation(CCommPayload& args, CSimRequest& log)
{
    std::int32_t code = 0;
    std::int32_t address = 0;
    if (!args.ReadI32(code) || !args.ReadI32(address) || !args.AtEnd()) return Malformed();
    log.m_arguments = {code, address};
    // Set and reset address Y by its count (Y17 is 15).
    if (code != ctrldev::M && code != ctrldev::MSpecial && code != ctrldev::Y) return Refused();
    if (!ctrldev::IsValidDevice(code, address, IsOneAxis(), FileRegisters())) return Refused();
    SetBit(code, address, true);
    return Ok();
}

CSimController::Reply CSimController::DoResetOperation(CCommPayload& args, CSimRequest& log)
{
    std::int32_t code = 0;
    std::int32_t address = 0;
    if (!args.ReadI32(code) || !args.ReadI32(address) || !args.AtEnd()) return Malformed();
    log.m_arguments = {code, address};
    if (code != ctrldev::M && code != ctrldev::MSpecial && code != ctrldev::Y) return Refused();
    if (!ctrldev::IsValidDevice(code, address, IsOneAxis(), FileRegisters())) return Refused();
    SetBit(code, address, false);
    return Ok();
}

// ---------------------------------------------------------------------------
// Axes

std::int64_t CSimController::UnitsOf(int axis, std::int64_t pulses) const
{
    const auto& block = m_blockA[static_cast<std::size_t>(axis)];
    if (block[0] == 1 || block[1] <= 0 || block[2] <= 0) return pulses; // motor system: pulses
    return pulses * block[2] / block[1];
}

std::int64_t CSimController::PulsesOf(int axis, std::int64_t units) const
{
    const auto& block = m_blockA[static_cast<std::size_t>(axis)];
    if (block[0] == 1 || block[1] <= 0 || block[2] <= 0) return units;
    return units * block[1] / block[2];
}

bool CSimController::IsBusy(int axis) const
{
    return m_tasks[static_cast<std::size_t>(axis)].running || m_axes[static_cast<std::size_t>(axis)].jog != 0;
}

CSimController::Reply CSimController::DoWriteCurrentPos(CCommPayload& args, CSimRequest& log)
{
    std::int32_t axis = axis::kX;
    std::int32_t value = 0;
    std::int32_t mode = 0;
    if (!args.ReadI32(axis) || !args.ReadI32(value) || !args.ReadI32(mode) || !args.AtEnd()) return Malformed();
    log.m_arguments = {axis, value, mode};
    log.m_axis = axis;
    if (!IsAxis(axis) || (mode != 0 && mode != 1) || IsBusy(axis)) return Refused();
    m_axes[static_cast<std::size_t>(axis)].pulses = mode == 1 ? value : PulsesOf(axis, value);
    return Ok();
}

CSimController::Reply CSimController::DoManual(CCommPayload& args, CSimRequest& log)
{
    std::int32_t code = 0;
    std::int32_t value = 0;
    if (!args.ReadI32(code) || !args.ReadI32(value) || !args.AtEnd()) return Malformed();
    log.m_arguments = {code, value};
    const ManualCode* found = nullptr;
    for (const ManualCode& m : kManualCodes)
        if (m.code == code) found = &m;
    if (found == nullptr || !IsAxis(found->axis)) return Refused();
    log.m_axis = found->axis;
    AxisState& axis = m_axes[static_cast<std::size_t>(found->axis)];
    const bool running = m_tasks[static_cast<std::size_t>(found->axis)].running;
    switch (found->op) {
    case Manual::JogPlus:
    case Manual::JogMinus:
        if (running) return Refused();
        axis.jog = found->op == Manual::JogPlus ? 1 : -1;
        axis.jogDue = 0;
        axis.completed = 0;
        break;
    case Manual::JogPlusEnd:
        if (axis.jog == 1) axis.jog = 0;
        break;
    case Manual::JogMinusEnd:
        if (axis.jog == -1) axis.jog = 0;
        break;
    case Manual::ZeroReturn:
        if (IsBusy(found->axis)) return Refused();
        axis.pulses = 0;
        axis.zeroCompleted = 1;
        axis.completed = 1;
        break;
    case Manual::Feed:
        if (IsBusy(found->axis)) return Refused();
        axis.pulses += PulsesOf(found->axis, value);
        axis.completed = 1;
        break;
    case Manual::ErrorReset: axis.error = 0; break;
    }
    return Ok();
}

// ---------------------------------------------------------------------------
// Engine

void CSimController::Advance()
{
    const Clock::time_point now = m_clock();
    const double seconds = std::chrono::duration<double>(now - m_lastAdvance).count();
    m_lastAdvance = now;
    if (seconds <= 0) return;
    for (AxisState& axis : m_axes) {
        if (axis.jog == 0) continue;
        axis.jogDue += seconds * kJogRate;
        const double whole = std::floor(axis.jogDue);
        axis.jogDue -= whole;
        axis.pulses += axis.jog * static_cast<std::int64_t>(whole);
    }
    for (int t = 0; t < 3; ++t) {
        TaskState& task = m_tasks[static_cast<std::size_t>(t)];
        if (!task.running || m_pace <= 0) continue;
        task.due += seconds * m_pace;
        while (task.running && task.due >= 1) {
            task.due -= 1;
            StepTask(t);
        }
    }
}

void CSimController::StartTask(int task)
{
    TaskState& state = m_tasks[static_cast<std::size_t>(task)];
    if (!m_switches[Auto] || state.running) return;
    if (task == TaskY && IsOneAxis()) return;
    int number = -1;
    int index = -1;
    if (task == TaskX) {
        index = m_program.FindProgram('X', number);
        if (index < 0) index = m_program.FindProgram(0, number);
    } else {
        index = m_program.FindProgram(task == TaskY ? 'Y' : 'S', number);
    }
    if (task == TaskX) StartTask(TaskSub);
    if (index < 0) return;
    state.running = true;
    state.index = index;
    state.programNo = number;
    state.due = 0;
    if (task != TaskSub) m_axes[static_cast<std::size_t>(task)].completed = 0;
}

void CSimController::StopTask(int task)
{
    TaskState& state = m_tasks[static_cast<std::size_t>(task)];
    state.running = false;
    state.index = -1;
    state.due = 0;
}

void CSimController::StepTask(int task)
{
    TaskState& state = m_tasks[static_cast<std::size_t>(task)];
    char axis = 0;
    int number = 0;
    const bool atEnd = m_program.IsEnd(state.index);
    const int next = state.index + 1;
    if (atEnd || next >= m_program.StatementCount() || m_program.IsProgramLabel(next, axis, number)) {
        StopTask(task);
        if (task != TaskSub) m_axes[static_cast<std::size_t>(task)].completed = 1;
        return;
    }
    state.index = next;
    const int mCode = m_program.MCode(next);
    if (mCode >= 0) state.mCode = mCode;
}

int CSimController::StepOf(int task) const
{
    const TaskState& state = m_tasks[static_cast<std::size_t>(task)];
    if (state.fixedStep) return *state.fixedStep;
    return state.running ? m_program.Address(state.index) : -1;
}

// ---------------------------------------------------------------------------
// Access for tests and the control socket

void CSimController::SetModel(int model)
{
    std::lock_guard lock(m_mutex);
    m_model = model == 0 ? 0 : 1;
    m_memory = m_model == 0 ? 3800 : 7800;
    m_capacity = m_model == 0 ? 4000 : 8000;
    ResetLocked();
}

int CSimController::Model() const
{
    std::lock_guard lock(m_mutex);
    return m_model;
}

void CSimController::SetIdentity(int capacity, int version, int cassette, int memory)
{
    std::lock_guard lock(m_mutex);
    m_capacity = capacity;
    m_version = version;
    m_cassette = cassette;
    m_memory = memory;
}

int CSimController::Memory() const
{
    std::lock_guard lock(m_mutex);
    return m_memory;
}

void CSimController::SetSwitch(Switch which, bool on)
{
    std::lock_guard lock(m_mutex);
    m_switches[which] = on;
}

bool CSimController::GetSwitch(Switch which) const
{
    std::lock_guard lock(m_mutex);
    return m_switches[which];
}

void CSimController::SetStepCounter(SimStepCounter counter)
{
    std::lock_guard lock(m_mutex);
    m_counter = counter ? std::move(counter) : DefaultSimStepCounter([this] { return m_model; });
    CSimProgram recounted;
    if (recounted.Load(m_program.Text(), m_counter)) m_program = std::move(recounted);
}

QByteArray CSimController::ProgramText() const
{
    std::lock_guard lock(m_mutex);
    return m_program.Text();
}

bool CSimController::ChecksumFlag() const
{
    std::lock_guard lock(m_mutex);
    return m_checksumFlag;
}

bool CSimController::IsStaging() const
{
    std::lock_guard lock(m_mutex);
    return m_staging.has_value();
}

QByteArray CSimController::FileName() const
{
    std::lock_guard lock(m_mutex);
    return m_fileName;
}

void CSimController::SetReadBack(ReadBack mode, const QByteArray& text)
{
    std::lock_guard lock(m_mutex);
    m_readBack = mode;
    m_readBackText = text;
}

bool CSimController::StoreProgram(const QByteArray& text)
{
    std::lock_guard lock(m_mutex);
    CSimProgram program;
    if (!program.Load(text, m_counter)) return false;
    m_program = std::move(program);
    m_checksumFlag = false;
    return true;
}

std::vector<std::int32_t> CSimController::Block(int block, int axis) const
{
    std::lock_guard lock(m_mutex);
    const std::vector<std::int32_t>* slot = BlockSlot(block, axis);
    return slot != nullptr ? *slot : std::vector<std::int32_t>();
}

bool CSimController::ReadDeviceValue(int code, int address, std::int32_t& value) const
{
    std::lock_guard lock(m_mutex);
    const int first = FirstCount(code, address, ctrldev::kNoIndex);
    if (first < 0 || !AllValid(code, first, 1)) return false;
    value = ValueAt(code, first, ctrldev::RegistersPerValue(code) == 2);
    return true;
}

bool CSimController::SetInput(int number, bool on)
{
    std::lock_guard lock(m_mutex);
    const int count = ctrldev::OctalDigitsToCount(number);
    if (count < 0 || !ctrldev::IsValidDevice(ctrldev::X, count, IsOneAxis(), 0)) return false;
    m_x[static_cast<std::size_t>(count)] = on ? 1 : 0;
    return true;
}

void CSimController::SetEnginePace(double statementsPerSecond)
{
    std::lock_guard lock(m_mutex);
    Advance();
    m_pace = statementsPerSecond;
}

void CSimController::SetClock(ClockSource clock)
{
    std::lock_guard lock(m_mutex);
    m_clock = clock ? std::move(clock) : ClockSource([] { return Clock::now(); });
    m_lastAdvance = m_clock();
}

void CSimController::SetTaskStep(int task, std::optional<int> step)
{
    std::lock_guard lock(m_mutex);
    if (task < 0 || task > 2) return;
    m_tasks[static_cast<std::size_t>(task)].fixedStep = step;
}

int CSimController::TaskStep(int task)
{
    std::lock_guard lock(m_mutex);
    if (task < 0 || task > 2) return -1;
    Advance();
    return StepOf(task);
}

bool CSimController::IsRunning(int task)
{
    std::lock_guard lock(m_mutex);
    if (task < 0 || task > 2) return false;
    Advance();
    return m_tasks[static_cast<std::size_t>(task)].running;
}

int CSimController::ProgramNumber(int task) const
{
    std::lock_guard lock(m_mutex);
    if (task < 0 || task > 2) return -1;
    return m_tasks[static_cast<std::size_t>(task)].programNo;
}

void CSimController::SetManualInputs(int axis, const std::array<int, 6>& inputs)
{
    std::lock_guard lock(m_mutex);
    if (axis::IsXOrY(axis)) m_axes[static_cast<std::size_t>(axis)].inputs = inputs;
}

void CSimController::SetAxisError(int axis, int code)
{
    std::lock_guard lock(m_mutex);
    if (axis::IsXOrY(axis)) m_axes[static_cast<std::size_t>(axis)].error = code;
}

std::int32_t CSimController::Position(int axis)
{
    std::lock_guard lock(m_mutex);
    if (!axis::IsXOrY(axis)) return 0;
    Advance();
    return Clamp32(m_axes[static_cast<std::size_t>(axis)].pulses);
}

int CSimController::Jog(int axis) const
{
    std::lock_guard lock(m_mutex);
    return axis::IsXOrY(axis) ? m_axes[static_cast<std::size_t>(axis)].jog : 0;
}
