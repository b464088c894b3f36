#include "LinkScript.h"

#include "online/comm/CommDiag.h"
#include "online/comm/CommKZQWStatus.h"
#include "online/comm/CommMan.h"
#include "online/comm/CommManInputStat.h"
#include "online/comm/CommMonitor.h"
#include "online/comm/CommPayload.h"
#include "online/comm/CommProgInfo.h"
#include "online/comm/CommSimTransport.h"
#include "online/comm/CommStatusInfo.h"
#include "online/comm/ControllerDevices.h"

#include <algorithm>
#include <array>
#include <bit>
#include <initializer_list>

using namespace commproto;

namespace kt::fuzz::link {

QString PortName() { return QStringLiteral("COM1"); }

CCommPortSettings LineSettings(int head)
{
    constexpr int kSpeeds[] = {CCommPortSettings::kDefaultSpeed, 9600, 4000000, 50};
    constexpr int kTimeouts[] = {CCommPortSettings::kDefaultTimeoutMs, 1, 60000, 100};
    CCommPortSettings settings;
    settings.m_device = QString::fromLatin1(CCommPortSettings::kSimulator);
    settings.m_speed = kSpeeds[head % 4];
    settings.m_timeoutMs = kTimeouts[(head / 4) % 4];
    return settings;
}

// ---------------------------------------------------------------------------
// Reading and writing scripts

int Script::U8()
{
    if (AtEnd()) return 0;
    return static_cast<quint8>(m_bytes[m_at++]);
}

int Script::U16()
{
    const int low = U8();
    return low | (U8() << 8);
}

std::int32_t Script::I32()
{
    std::uint32_t value = 0;
    for (int shift = 0; shift < 32; shift += 8) value |= static_cast<std::uint32_t>(U8()) << shift;
    return static_cast<std::int32_t>(value);
}

QByteArray Script::Bytes(qsizetype count)
{
    const QByteArray bytes = m_bytes.mid(m_at, std::min(count, m_bytes.size() - m_at));
    m_at += bytes.size();
    return bytes;
}

void ScriptWriter::U16(int value)
{
    U8(value);
    U8(value >> 8);
}

void ScriptWriter::I32(std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) U8(static_cast<int>(bits >> shift));
}

Call ReadCall(Script& script)
{
    Call call;
    call.op = script.U8() % kOpCount;
    call.a = script.U8();
    call.b = script.U8();
    call.c = script.U8();
    call.value = script.I32();
    call.text = script.Bytes(script.U16());
    return call;
}

void WriteCall(ScriptWriter& out, const Call& call)
{
    out.U8(call.op);
    out.U8(call.a);
    out.U8(call.b);
    out.U8(call.c);
    out.I32(call.value);
    out.U16(static_cast<int>(call.text.size()));
    out.Bytes(call.text);
}

// ---------------------------------------------------------------------------
// The played line

namespace {

enum Kind : int { kAnswer, kResult, kRaw, kLate, kCommand, kDamaged, kSilence, kLost };
constexpr int kMore = 0x80;
constexpr int kPieces = 0x40;

// A read may wait a little longer than the attempt time-out it was given:
// the port takes its deadline just after the write. Far less than any
// mistake in the time-out would be.
constexpr std::int64_t kSlackUs = 250000;

std::uint32_t NonceOf(const Frame& start)
{
    CCommPayload args(start.payload);
    int client = 0;
    std::uint32_t nonce = 0;
    args.ReadU16(client);
    args.ReadU32(nonce);
    return nonce;
}

} // namespace

PlayedLine::PlayedLine(Script& script, const CCommPortSettings& settings, LineRecord& record)
    : m_script(script), m_settings(settings), m_record(record)
{
}

bool PlayedLine::Write(const QByteArray& bytes)
{
    if (m_lost) return false;
    m_reader.Feed(bytes);
    Frame frame;
    while (m_reader.Next(frame) == CCommFrameReader::Event::Frame) {
        m_record.requests.push_back({frame.seq, frame.command});
        m_written = Clock::now();
        // The wire time of this request and of the command's longest reply,
        // and the controller's turnaround allowance.
        const std::int64_t bytesOnLine = 2 * kFrameOverhead + frame.payload.size() + MaxReplyPayload(frame.command);
        m_allowedUs = WireTimeUs(bytesOnLine, m_settings.m_speed) + std::int64_t{m_settings.m_timeoutMs} * 1000;
        Answer(frame);
    }
    return true;
}

QByteArray PlayedLine::Reply(int seq, int command, bool damaged)
{
    const auto result = static_cast<std::int16_t>(m_script.U16());
    const QByteArray data = m_script.Bytes(m_script.U16());
    QByteArray frame = EncodeFrame(seq, command, CCommPayload().I16(result).Raw(data).Bytes());
    if (damaged) frame[frame.size() - 1] = static_cast<char>(frame[frame.size() - 1] ^ 0x5A);
    return frame;
}

void PlayedLine::Answer(const Frame& request)
{
    const int replyCommand = request.command | kReplyFlag;
    for (;;) {
        if (m_script.AtEnd()) return;
        const int kind = m_script.U8();
        m_piece = (kind & kPieces) != 0 ? m_script.U8() % 16 + 1 : 0;
        switch (kind & 7) {
        case kAnswer:
            if (request.command == Sync) {
                m_line += EncodeFrame(request.seq, replyCommand, CCommPayload().I16(0).U32(NonceOf(request)).Bytes());
            } else {
                const QByteArray data = m_script.Bytes(m_script.U16());
                m_line += EncodeFrame(request.seq, replyCommand, CCommPayload().I16(0).Raw(data).Bytes());
            }
            break;
        case kResult: m_line += Reply(request.seq, replyCommand, false); break;
        case kRaw: m_line += m_script.Bytes(m_script.U16()); break;
        case kLate: {
            const int seq = (request.seq + 1 + m_script.U8() % 255) & 0xFF;
            m_line += Reply(seq, replyCommand, false);
            break;
        }
        case kCommand: {
            const int command = m_script.U8();
            m_line += Reply(request.seq, command, false);
            break;
        }
        case kDamaged: m_line += Reply(request.seq, replyCommand, true); break;
        case kSilence: break;
        case kLost: m_lost = true; return;
        }
        if ((kind & kMore) == 0) return;
    }
}

CCommTransport::ReadResult PlayedLine::Read(QByteArray& into, Clock::time_point deadline)
{
    const auto waitsUs = std::chrono::duration_cast<std::chrono::microseconds>(deadline - m_written).count();
    if (waitsUs > m_allowedUs + kSlackUs && m_record.broken.isEmpty())
        m_record.broken = QStringLiteral("a read waits %1 us after its request, one attempt is %2 us")
                              .arg(waitsUs)
                              .arg(m_allowedUs);
    if (m_lost) return ReadResult::Lost;
    if (m_line.isEmpty()) return ReadResult::Timeout;
    const qsizetype take = m_piece > 0 ? std::min<qsizetype>(m_piece, m_line.size()) : m_line.size();
    into.append(m_line.left(take));
    m_line.remove(0, take);
    return ReadResult::Data;
}

// ---------------------------------------------------------------------------
// The recorded line

RecordedLine::RecordedLine(ScriptWriter& out, int speed) : m_out(out), m_sim(std::make_unique<CCommSimTransport>(speed))
{
}

RecordedLine::~RecordedLine() = default;

int RecordedLine::Open() { return m_sim->Open(); }

void RecordedLine::Close() { m_sim->Close(); }

bool RecordedLine::Write(const QByteArray& bytes) { return m_sim->Write(bytes); }

CCommTransport::ReadResult RecordedLine::Read(QByteArray& into, Clock::time_point deadline)
{
    const qsizetype before = into.size();
    const ReadResult result = m_sim->Read(into, deadline);
    if (result != ReadResult::Data) return result;
    m_replies.Feed(into.constData() + before, into.size() - before);
    Frame reply;
    while (m_replies.Next(reply) == CCommFrameReader::Event::Frame) {
        CCommPayload payload(reply.payload);
        int code = 0;
        payload.ReadI16(code);
        const QByteArray data = payload.Rest();
        if (reply.command == (Sync | kReplyFlag)) {
            m_out.U8(kAnswer);
        } else if (code == 0) {
            m_out.U8(kAnswer);
            m_out.U16(static_cast<int>(data.size()));
            m_out.Bytes(data);
        } else {
            m_out.U8(kResult);
            m_out.U16(code);
            m_out.U16(static_cast<int>(data.size()));
            m_out.Bytes(data);
        }
    }
    return result;
}

void RecordedLine::Discard() { m_sim->Discard(); }

// ---------------------------------------------------------------------------
// The calls and what they promise

namespace {

constexpr int kSentinel = 0x5EED5EED;

bool InTable(int code)
{
    return (code >= 256 && code <= 261) || (code >= 512 && code <= 515) ||
           (code >= 768 && code <= 780 && code != 773);
}

// A record of int fields, every one set to the sentinel; and whether a
// record still is.
template <class Record>
using Words = std::array<int, sizeof(Record) / sizeof(int)>;

template <class Record>
void Fill(Record& record)
{
    static_assert(sizeof(Record) % sizeof(int) == 0);
    Words<Record> words;
    words.fill(kSentinel);
    record = std::bit_cast<Record>(words);
}

template <class Record>
bool Untouched(const Record& record)
{
    const Words<Record> words = std::bit_cast<Words<Record>>(record);
    return std::all_of(words.begin(), words.end(), [](int word) { return word == kSentinel; });
}

int BlockOf(int a) { return a < 3 ? ctrldev::kBlockCommon + a : a; }

class CallCheck {
public:
    CallCheck(CCommMan& comm, int code) : m_comm(comm), m_code(code) {}

    // The result is 0, of the table, or one of the call's own failures; a
    // failure leaves a code of the table recorded.
    QString Result(std::initializer_list<int> own = {}) const
    {
        if (m_code == 0) return {};
        const bool ownFailure = std::find(own.begin(), own.end(), m_code) != own.end();
        if (!InTable(m_code) && !ownFailure) return QStringLiteral("the result %1 is no code of the table").arg(m_code);
        const int recorded = m_comm.mfi_GetCommError();
        if (!InTable(recorded)) return QStringLiteral("the result %1 recorded %2").arg(m_code).arg(recorded);
        return {};
    }
    // After the result: a failed call wrote nothing.
    QString Kept(bool untouched, const char* what) const
    {
        if (m_code == 0 || untouched) return {};
        return QStringLiteral("the failed call (%1) wrote %2").arg(m_code).arg(QLatin1String(what));
    }

private:
    CCommMan& m_comm;
    int m_code;
};

QString Both(const QString& first, const QString& second) { return first.isEmpty() ? second : first; }

template <class Record, class Read>
QString RecordCall(CCommMan& comm, int* code, const char* what, Read read)
{
    Record record;
    Fill(record);
    *code = read(&record);
    const CallCheck check(comm, *code);
    return Both(check.Result(), check.Kept(Untouched(record), what));
}

QString DeviceCall(CCommMan& comm, const Call& call, int* code, bool write)
{
    const int type = call.a % 16;
    const int index = call.b == 255 ? ctrldev::kNoIndex : call.b % 20;
    const int count = call.c % 70;
    std::array<BYTE, 4 * commproto::kMaxDeviceCount + 16> buffer;
    buffer.fill(0xA5);
    if (write) {
        *code = comm.mfi_WriteDevice(type, call.value, index, count, buffer.data());
        return CallCheck(comm, *code).Result();
    }
    *code = comm.mfi_ReadDevice(type, call.value, index, count, buffer.data());
    const CallCheck check(comm, *code);
    // A read writes its values and nothing after them.
    const qsizetype written = *code == 0 ? qsizetype{count} * ctrldev::ValueWidth(type, index) : 0;
    const bool rest = std::all_of(buffer.begin() + std::min<qsizetype>(written, qsizetype(buffer.size())),
                                  buffer.end(), [](BYTE b) { return b == 0xA5; });
    if (!rest && *code == 0) return QStringLiteral("a read of %1 values wrote past them").arg(count);
    return Both(check.Result(), check.Kept(rest, "into the buffer"));
}

} // namespace

QString MakeCall(CCommMan& comm, const Call& call, int* code)
{
    *code = 0;
    switch (call.op) {
    case kGetKZQWType: {
        int type = kSentinel;
        *code = comm.mfi_GetKZQWType(type);
        const CallCheck check(comm, *code);
        return Both(check.Result(), check.Kept(type == kSentinel, "the type"));
    }
    case kStatus:
        return RecordCall<CCommStatusInfo>(comm, code, "the status", [&](auto* r) { return comm.mfi_Status(r); });
    case kDiagnosis:
        return RecordCall<CCommDiag>(comm, code, "the diagnosis", [&](auto* r) { return comm.mfi_Diagnosis(r); });
    case kInitiateKZQW: *code = comm.mfi_InitiateKZQW(); return CallCheck(comm, *code).Result();
    case kSetFileName:
        *code = comm.mfi_SetFileName(QString::fromLatin1(call.text));
        return CallCheck(comm, *code).Result();
    case kGetFileName: {
        QString name = QStringLiteral("unread");
        *code = comm.mfi_GetFileName(name);
        const CallCheck check(comm, *code);
        return Both(check.Result(), check.Kept(name == QLatin1String("unread"), "the name"));
    }
    case kWriteParams: {
        std::array<std::int32_t, 27> values{};
        for (std::size_t i = 0; i < values.size(); ++i) values[i] = static_cast<std::int32_t>(i) * 1000 + call.c;
        *code = comm.mfi_WriteParams(BlockOf(call.a), call.b % 4, values.data());
        if (*code != 0 && *code != -1) return QStringLiteral("a parameter write returned %1").arg(*code);
        return CallCheck(comm, *code).Result({-1});
    }
    case kReadParams: {
        std::array<std::int32_t, 28> values;
        values.fill(kSentinel);
        const int block = BlockOf(call.a);
        *code = comm.mfi_ReadParams(block, call.b % 4, values.data());
        if (*code != 0 && *code != -1) return QStringLiteral("a parameter read returned %1").arg(*code);
        const auto size = static_cast<std::size_t>(*code == 0 ? ctrldev::TransferBlockSize(block) : 0);
        const bool rest = std::all_of(values.begin() + static_cast<std::ptrdiff_t>(size), values.end(),
                                      [](std::int32_t v) { return v == kSentinel; });
        if (!rest && *code == 0) return QStringLiteral("a read of block %1 wrote past its values").arg(block);
        const CallCheck check(comm, *code);
        return Both(check.Result({-1}), check.Kept(rest, "parameter values"));
    }
    case kWriteProgram:
        *code = comm.mfi_WriteProgram(QString::fromLatin1(call.text), call.value, call.b);
        return CallCheck(comm, *code).Result({kResultTextRefused, kResultMemoryMismatch});
    case kReadProgram: {
        QString text = QStringLiteral("unread");
        *code = comm.mfi_ReadProgram(text);
        const CallCheck check(comm, *code);
        return Both(check.Result({kResultParamsUndefined}), check.Kept(text == QLatin1String("unread"), "the text"));
    }
    case kCreateSum: {
        int sum = kSentinel;
        *code = comm.mfi_CreateSum(sum);
        const CallCheck check(comm, *code);
        return Both(check.Result(), check.Kept(sum == kSentinel, "the sum"));
    }
    case kReadMonitoringInfo:
        return RecordCall<CCommMonitor>(comm, code, "the monitoring record",
                                        [&](auto* r) { return comm.mfi_ReadMonitoringInfo(r); });
    case kReadCurrentPos: {
        std::int32_t x = kSentinel;
        std::int32_t y = kSentinel;
        *code = comm.mfi_ReadCurrentPos(x, y, call.a % 3);
        const CallCheck check(comm, *code);
        return Both(check.Result(), check.Kept(x == kSentinel && y == kSentinel, "a position"));
    }
    case kGetKZQWStatus:
        return RecordCall<CCommKZQWStatus>(comm, code, "the axis status",
                                           [&](auto* r) { return comm.mfi_GetKZQWStatus(call.a % 3, r); });
    case kGetManInputStatus:
        return RecordCall<CCommManInputStat>(comm, code, "the manual inputs",
                                             [&](auto* r) { return comm.mfi_GetManInputStatus(call.a % 3, r); });
    case kGetProgInfo:
        return RecordCall<CCommProgInfo>(comm, code, "the program information",
                                         [&](auto* r) { return comm.mfi_GetProgInfo(call.a % 3, r); });
    case kReadDevice: return DeviceCall(comm, call, code, false);
    case kWriteDevice: return DeviceCall(comm, call, code, true);
    case kSetOperation:
        *code = comm.mfi_SetOperation(call.a % 16, call.value);
        return CallCheck(comm, *code).Result();
    case kResetOperation:
        *code = comm.mfi_ResetOperation(call.a % 16, call.value);
        return CallCheck(comm, *code).Result();
    case kWriteCurrentPos:
        *code = comm.mfi_WriteCurrentPos(call.a % 3, call.value, call.b % 3);
        return CallCheck(comm, *code).Result();
    case kWriteManualOprn:
        *code = comm.mfi_WriteManualOprn(call.a, call.value);
        return CallCheck(comm, *code).Result();
    case kReopen:
        if ((*code = comm.mfi_Close()) != 0) return QStringLiteral("an open object does not close: %1").arg(*code);
        if ((*code = comm.mfi_Open(PortName())) != 0) return QStringLiteral("it does not open again: %1").arg(*code);
        return {};
    default: return {};
    }
}

QString CheckAttempts(const Call& call, const LineRecord& record, qsizetype scriptSize)
{
    if (!record.broken.isEmpty()) return record.broken;
    // Runs of one request: the first write and its retries.
    std::vector<std::pair<LineRecord::Request, int>> runs;
    for (const LineRecord::Request& request : record.requests) {
        if (!runs.empty() && runs.back().first.seq == request.seq && runs.back().first.command == request.command)
            ++runs.back().second;
        else
            runs.push_back({request, 1});
    }
    for (std::size_t i = 0; i < runs.size(); ++i) {
        if (runs[i].second > kTries)
            return QStringLiteral("request %1 (%2) went %3 times")
                .arg(i)
                .arg(CommandName(runs[i].first.command))
                .arg(runs[i].second);
        if (i > 0 && runs[i].first.command == Sync) return QStringLiteral("a session start in the middle of a call");
    }
    // Exchanges the call needs, a session start included.
    qsizetype needed = 2;
    if (call.op == kWriteProgram) needed = 3 + (call.text.size() + kProgramBlock - 1) / kProgramBlock;
    if (call.op == kReadProgram) needed = 2 + scriptSize; // every block needs some input to answer it
    if (call.op == kReopen) needed = 0;
    if (qsizetype(runs.size()) > needed)
        return QStringLiteral("%1 requests for a call that needs at most %2").arg(runs.size()).arg(needed);
    return {};
}

} // namespace kt::fuzz::link
