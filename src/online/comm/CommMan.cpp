#include "online/comm/CommMan.h"

#include "online/comm/CommDiag.h"
#include "online/comm/CommKZQWStatus.h"
#include "online/comm/CommManInputStat.h"
#include "online/comm/CommMonitor.h"
#include "online/comm/CommPayload.h"
#include "online/comm/CommPort.h"
#include "online/comm/CommProgInfo.h"
#include "online/comm/CommProtocol.h"
#include "online/comm/CommStatusInfo.h"
#include "online/comm/ControllerDevices.h"

#include <cstring>
#include <vector>

using namespace commproto;

namespace {

// Calls of this thread now waiting for their reply.
thread_local int t_waiting = 0;

std::atomic<int> g_lastClient{0};

int NextClient()
{
    for (;;) {
        const int client = (g_lastClient.fetch_add(1) + 1) & 0xFFFF;
        if (client != 0) return client;
    }
}

bool IsTableCode(int code) { return (code >= 769 && code <= 772) || (code >= 776 && code <= 780); }

std::pair<int, int> PlainResult(int result)
{
    const int code = IsTableCode(result) ? result : kResultRefused;
    return {code, code};
}

std::pair<int, int> ProgramWriteResult(int result)
{
    if (result == kResultTextRefused || result == kResultMemoryMismatch) return {result, kResultRefused};
    return PlainResult(result);
}

std::pair<int, int> ProgramReadResult(int result)
{
    if (result == kResultParamsUndefined) return {result, kResultRefused};
    return PlainResult(result);
}

constexpr qsizetype kMaxProgramRead = 1 << 20;

} // namespace

CCommMan::CCommMan() = default;

CCommMan::~CCommMan()
{
    if (m_port) CCommPort::Release(m_port);
}

// ---------------------------------------------------------------------------
// Connection

int CCommMan::Guard() const
{
    if (t_waiting > 0) return 775;
    const std::thread::id owner = m_owner.load(std::memory_order_acquire);
    if (owner == std::thread::id()) return 774;
    return owner == std::this_thread::get_id() ? 0 : 775;
}

int CCommMan::Fail(int returned, int recorded)
{
    m_error.store(recorded, std::memory_order_relaxed);
    return returned;
}

int CCommMan::mfi_Open(const QString& port)
{
    if (t_waiting > 0) return Fail(775);
    const std::thread::id me = std::this_thread::get_id();
    std::thread::id expected;
    if (!m_owner.compare_exchange_strong(expected, me, std::memory_order_acq_rel))
        return Fail(expected == me ? 260 : 775);
    QString reason;
    if (const int code = CCommPort::Acquire(port, m_port, &reason); code != 0) {
        m_reason = reason;
        m_owner.store(std::thread::id(), std::memory_order_release);
        return Fail(code);
    }
    m_reason.clear();
    m_client = NextClient();
    return 0;
}

int CCommMan::mfi_Close()
{
    if (t_waiting > 0) return Fail(775);
    const std::thread::id owner = m_owner.load(std::memory_order_acquire);
    if (owner == std::thread::id()) return Fail(512);
    if (owner != std::this_thread::get_id()) return Fail(775);
    CCommPort::Release(m_port);
    m_owner.store(std::thread::id(), std::memory_order_release);
    return 0;
}

int CCommMan::mfi_GetCommError() const { return m_error.load(std::memory_order_relaxed); }

void CCommMan::mfi_ClearCommError()
{
    m_error.store(0, std::memory_order_relaxed);
}

// ---------------------------------------------------------------------------
// Requests

void CCommMan::RunOnPort(const std::function<void(CCommPort&)>& job)
{
    ++t_waiting;
    m_port->Run(job);
    --t_waiting;
}

QByteArray CCommMan::WithClient(const QByteArray& args) const { return CCommPayload().U16(m_client).Raw(args).Bytes(); }

int CCommMan::Finish(int code, int result, const QByteArray& data, const Parse& parse, ResultMap map)
{
    if (code != 0) return Fail(code);
    if (result != 0) {
        const auto [returned, recorded] = (map != nullptr ? map : PlainResult)(result);
        return Fail(returned, recorded);
    }
    CCommPayload reply(data);
    if (parse ? !parse(reply) || !reply.AtEnd() : !reply.AtEnd()) return Fail(778);
    return 0;
}

int CCommMan::Request(int command, const QByteArray& args, const Parse& parse, ResultMap map)
{
    if (const int refused = Guard(); refused != 0) return Fail(refused);
    const QByteArray payload = WithClient(args);
    if (payload.size() > kMaxPayload) return Fail(kResultRefused);
    CCommPort::Reply reply;
    RunOnPort([&](CCommPort& port) { reply = port.Exchange(command, payload); });
    return Finish(reply.code, reply.result, reply.data, parse, map);
}

int CCommMan::ReadWords(int command, const QByteArray& args, int* words, int count)
{
    std::vector<std::int32_t> read(static_cast<std::size_t>(count));
    const int code = Request(command, args, [&](CCommPayload& reply) {
        for (std::int32_t& word : read)
            if (!reply.ReadI32(word)) return false;
        return true;
    });
    if (code == 0)
        for (int i = 0; i < count; ++i) words[i] = read[static_cast<std::size_t>(i)];
    return code;
}

int CCommMan::mfi_GetKZQWType(int& type) { return ReadWords(GetKZQWType, {}, &type, 1); }

int CCommMan::mfi_Status(CCommStatusInfo* info)
{
    if (info == nullptr) return Fail(kResultRefused);
    int words[4];
    const int code = ReadWords(Status, {}, words, 4);
    if (code == 0) {
        info->m_xReady = words[0];
        info->m_writePermitted = words[1];
        info->m_yReady = words[2];
        info->m_notAuto = words[3];
    }
    return code;
}

int CCommMan::mfi_Diagnosis(CCommDiag* diag)
{
    if (diag == nullptr) return Fail(kResultRefused);
    int words[4];
    const int code = ReadWords(Diagnosis, {}, words, 4);
    if (code == 0) {
        diag->m_capacity = words[0];
        diag->m_model = words[1];
        diag->m_version = words[2];
        diag->m_cassette = words[3];
    }
    return code;
}

int CCommMan::mfi_InitiateKZQW() { return Request(InitiateKZQW, {}); }

int CCommMan::mfi_SetFileName(QString name)
{
    return Request(SetFileName, CCommPayload().Text(name.toLatin1()).Bytes());
}

int CCommMan::mfi_GetFileName(QString& name)
{
    QByteArray read;
    const int code = Request(GetFileName, {}, [&](CCommPayload& reply) { return reply.ReadText(read); });
    if (code == 0) name = QString::fromLatin1(read);
    return code;
}

// ---------------------------------------------------------------------------
// Parameters

int CCommMan::mfi_WriteParams(int block, int axis, const std::int32_t values[])
{
    const auto count = ctrldev::TransferBlockSize(block);
    if (values == nullptr && count > 0) {
        Fail(kResultRefused);
        return -1;
    }
    CCommPayload args;
    args.I32(block).I32(axis).U16(count);
    for (int i = 0; i < count; ++i) args.I32(values[i]);
    return Request(WriteParams, args.Bytes()) == 0 ? 0 : -1;
}

int CCommMan::mfi_ReadParams(int block, int axis, std::int32_t values[])
{
    const auto expected = ctrldev::TransferBlockSize(block);
    if (values == nullptr) {
        Fail(kResultRefused);
        return -1;
    }
    std::vector<std::int32_t> read;
    const int code = Request(ReadParams, CCommPayload().I32(block).I32(axis).Bytes(), [&](CCommPayload& reply) {
        int count = 0;
        if (!reply.ReadU16(count) || count != expected || expected == 0) return false;
        read.resize(static_cast<std::size_t>(count));
        for (std::int32_t& v : read)
            if (!reply.ReadI32(v)) return false;
        return true;
    });
    if (code != 0) return -1;
    std::copy(read.begin(), read.end(), values);
    return 0;
}

// ---------------------------------------------------------------------------
// Program

int CCommMan::mfi_WriteProgram(const QString& text, int memory, int fileRegisters)
{
    if (const int refused = Guard(); refused != 0) return Fail(refused);
    const QByteArray bytes = text.toLatin1();
    const quint16 crc = Crc16(bytes);
    CCommPort::Reply reply;
    RunOnPort([&](CCommPort& port) {
        // Each step must be acknowledged with an empty reply to go on.
        const auto step = [&](int command, const QByteArray& args) {
            reply = port.Exchange(command, WithClient(args));
            return reply.code == 0 && reply.result == 0 && reply.data.isEmpty();
        };
        const auto length = static_cast<std::uint32_t>(bytes.size());
        if (!step(WriteProgramBegin, CCommPayload().I32(memory).I32(fileRegisters).U32(length).U16(crc).Bytes()))
            return;
        for (qsizetype offset = 0; offset < bytes.size(); offset += kProgramBlock) {
            const QByteArray block = bytes.mid(offset, kProgramBlock);
            if (!step(WriteProgramBlock, CCommPayload().U32(static_cast<std::uint32_t>(offset)).Raw(block).Bytes()))
                return;
        }
        step(WriteProgramEnd, CCommPayload().U32(length).U16(crc).Bytes());
    });
    return Finish(reply.code, reply.result, reply.data, {}, ProgramWriteResult);
}

int CCommMan::mfi_ReadProgram(QString& text)
{
    if (const int refused = Guard(); refused != 0) return Fail(refused);
    CCommPort::Reply reply;
    QByteArray read;
    bool damaged = false;
    bool sumError = false;
    RunOnPort([&](CCommPort& port) {
        reply = port.Exchange(ReadProgramBegin, WithClient({}));
        if (reply.code != 0 || reply.result != 0) return;
        CCommPayload head(reply.data);
        std::uint32_t length = 0;
        int crc = 0;
        if (!head.ReadU32(length) || !head.ReadU16(crc) || !head.AtEnd() || length > kMaxProgramRead) {
            damaged = true;
            return;
        }
        while (read.size() < static_cast<qsizetype>(length)) {
            const QByteArray args =
                CCommPayload().U32(static_cast<std::uint32_t>(read.size())).U16(kProgramBlock).Bytes();
            reply = port.Exchange(ReadProgramBlock, WithClient(args));
            if (reply.code != 0 || reply.result != 0) return;
            if (reply.data.isEmpty() || read.size() + reply.data.size() > static_cast<qsizetype>(length)) {
                damaged = true;
                return;
            }
            read.append(reply.data);
        }
        reply.data.clear();
        sumError = Crc16(read) != crc;
    });
    if (damaged) return Fail(778);
    if (sumError) return Fail(kResultSumError);
    const int code = Finish(reply.code, reply.result, reply.data, {}, ProgramReadResult);
    if (code == 0) text = QString::fromLatin1(read);
    return code;
}

int CCommMan::mfi_CreateSum(int& sum) { return ReadWords(CreateSum, {}, &sum, 1); }

// ---------------------------------------------------------------------------
// Monitoring

int CCommMan::mfi_ReadMonitoringInfo(CCommMonitor* info)
{
    if (info == nullptr) return Fail(kResultRefused);
    int words[7];
    const int code = ReadWords(ReadMonitoringInfo, {}, words, 7);
    if (code == 0) {
        info->m_plotX = words[0];
        info->m_plotY = words[1];
        info->m_pulseX = words[2];
        info->m_pulseY = words[3];
        info->m_stepX = words[4];
        info->m_stepY = words[5];
        info->m_stepSub = words[6];
    }
    return code;
}

int CCommMan::mfi_ReadCurrentPos(std::int32_t& x, std::int32_t& y, int mode)
{
    int words[2];
    const int code = ReadWords(ReadCurrentPos, CCommPayload().I32(mode).Bytes(), words, 2);
    if (code == 0) {
        x = words[0];
        y = words[1];
    }
    return code;
}

int CCommMan::mfi_GetKZQWStatus(int axis, CCommKZQWStatus* status)
{
    if (status == nullptr) return Fail(kResultRefused);
    int words[4];
    const int code = ReadWords(GetKZQWStatus, CCommPayload().I32(axis).Bytes(), words, 4);
    if (code == 0) {
        status->m_ready = words[0];
        status->m_completed = words[1];
        status->m_error = words[2];
        status->m_zeroCompleted = words[3];
    }
    return code;
}

int CCommMan::mfi_GetManInputStatus(int axis, CCommManInputStat* status)
{
    if (status == nullptr) return Fail(kResultRefused);
    int words[6];
    const int code = ReadWords(GetManInputStatus, CCommPayload().I32(axis).Bytes(), words, 6);
    if (code == 0) {
        status->m_dog = words[0];
        status->m_start = words[1];
        status->m_stop = words[2];
        status->m_zrn = words[3];
        status->m_fwd = words[4];
        status->m_rvs = words[5];
    }
    return code;
}

int CCommMan::mfi_GetProgInfo(int axis, CCommProgInfo* info)
{
    if (info == nullptr) return Fail(kResultRefused);
    int words[3];
    const int code = ReadWords(GetProgInfo, CCommPayload().I32(axis).Bytes(), words, 3);
    if (code == 0) {
        info->m_programNo = words[0];
        info->m_mCode = words[1];
        info->m_errorCode = words[2];
    }
    return code;
}

// ---------------------------------------------------------------------------
// Devices and manual operation

int CCommMan::mfi_ReadDevice(int type, int address, int index, int count, BYTE* buffer)
{
    if (buffer == nullptr || count < 1 || count > kMaxDeviceCount) return Fail(kResultRefused);
    const int width = ctrldev::ValueWidth(type, index);
    QByteArray values;
    const QByteArray args = CCommPayload().I32(type).I32(address).I32(index).U16(count).Bytes();
    const int code =
        Request(ReadDevice, args, [&](CCommPayload& reply) { return reply.ReadRaw(count * width, values); });
    if (code == 0) std::memcpy(buffer, values.constData(), static_cast<std::size_t>(values.size()));
    return code;
}

int CCommMan::mfi_WriteDevice(int type, int address, int index, int count, const BYTE* buffer)
{
    if (buffer == nullptr || count < 1 || count > kMaxDeviceCount) return Fail(kResultRefused);
    const int width = ctrldev::ValueWidth(type, index);
    CCommPayload args;
    args.I32(type).I32(address).I32(index).U16(count);
    args.Raw(QByteArray(reinterpret_cast<const char*>(buffer), count * width));
    return Request(WriteDevice, args.Bytes());
}

int CCommMan::mfi_SetOperation(int type, int address)
{
    return Request(SetOperation, CCommPayload().I32(type).I32(address).Bytes());
}

int CCommMan::mfi_ResetOperation(int type, int address)
{
    return Request(ResetOperation, CCommPayload().I32(type).I32(address).Bytes());
}

int CCommMan::mfi_WriteCurrentPos(int axis, std::int32_t value, int mode)
{
    return Request(WriteCurrentPos, CCommPayload().I32(axis).I32(value).I32(mode).Bytes());
}

int CCommMan::mfi_WriteManualOprn(int code, std::int32_t value)
{
    return Request(WriteManualOprn, CCommPayload().I32(code).I32(value).Bytes());
}
