#pragma once
// The input of the link-reply fuzz target, and the controller's side of the
// line played from it. The input is read in the order things happen: a call
// the program makes on CCommMan with its arguments, then, for every request
// frame the port writes while the call runs, the steps that put the
// controller's answer on the line; then the next call. The seed maker
// records such inputs from the simulated controller; the target plays them
// back changed, and the tests play the recorded seeds.
//
// A script begins with one u8 that chooses the port's speed and time-out
// (LineSettings). Then come the calls.
// A call:  op u8 | a u8 | b u8 | c u8 | value i32 | text length u16 | text
// A step:  kind u8 (low three bits, below; 0x80: another step follows for the
//          same request; 0x40: the line hands the bytes over in pieces of
//          u8 % 16 + 1 bytes, the u8 following the kind) and its fields:
//   0 answer   the request's seq and reply command, result 0, data (u16
//              length and bytes); a session start's data is the echo of its
//              nonce and takes nothing from the input
//   1 result   the same with a result i16 before the data
//   2 raw      u16 length and bytes, put on the line as they are
//   3 late     as result, with the seq moved by u8 % 255 + 1 before
//   4 command  as result, with the command u8 in place of the reply command
//   5 damaged  as result, the crc spoiled
//   6 silence  nothing comes
//   7 lost     the line is gone: writes fail, reads say so
// An input that runs out answers nothing any more (silence).
#include "online/comm/CommPortSettings.h"
#include "online/comm/CommProtocol.h"
#include "online/comm/CommTransport.h"
#include "online/comm/CommFrameReader.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

class CCommMan;

namespace kt::fuzz::link {

// The port name every script talks to, and its line as the script's first
// byte chooses it: speeds from 50 to 4000000 bit/s, time-outs from 1 ms to a
// minute.
QString PortName();
CCommPortSettings LineSettings(int head);

class Script {
public:
    explicit Script(QByteArray bytes) : m_bytes(std::move(bytes)) {}
    // 0 (and nothing taken) once the input ran out.
    int U8();
    int U16();
    std::int32_t I32();
    // Up to `count` bytes: fewer when the input runs out.
    QByteArray Bytes(qsizetype count);
    bool AtEnd() const { return m_at >= m_bytes.size(); }
    qsizetype Size() const { return m_bytes.size(); }

private:
    QByteArray m_bytes;
    qsizetype m_at = 0;
};

class ScriptWriter {
public:
    void U8(int value) { m_bytes.append(static_cast<char>(value & 0xFF)); }
    void U16(int value);
    void I32(std::int32_t value);
    void Bytes(const QByteArray& bytes) { m_bytes.append(bytes); }
    const QByteArray& Result() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

enum Op : int {
    kGetKZQWType,
    kStatus,
    kDiagnosis,
    kInitiateKZQW,
    kSetFileName,
    kGetFileName,
    kWriteParams,
    kReadParams,
    kWriteProgram,
    kReadProgram,
    kCreateSum,
    kReadMonitoringInfo,
    kReadCurrentPos,
    kGetKZQWStatus,
    kGetManInputStatus,
    kGetProgInfo,
    kReadDevice,
    kWriteDevice,
    kSetOperation,
    kResetOperation,
    kWriteCurrentPos,
    kWriteManualOprn,
    // Close and open again: a new session.
    kReopen,
    kOpCount
};

struct Call {
    int op = 0;
    int a = 0;
    int b = 0;
    int c = 0;
    std::int32_t value = 0;
    QByteArray text;
};
Call ReadCall(Script& script);
void WriteCall(ScriptWriter& out, const Call& call);

// What the line saw of the port during one call: each request frame written,
// and the first broken promise about time-outs.
struct LineRecord {
    struct Request {
        int seq = 0;
        int command = 0;
    };
    std::vector<Request> requests;
    QString broken;
    void Clear()
    {
        requests.clear();
        broken.clear();
    }
};

// The controller's side played from the script. Reads never wait: a read
// with nothing on the line is a time-out at once (the deadline the port
// asked for is checked against the attempt time-out the port promises).
class PlayedLine : public CCommTransport {
public:
    PlayedLine(Script& script, const CCommPortSettings& settings, LineRecord& record);
    int Open() override { return 0; }
    void Close() override {}
    bool Write(const QByteArray& bytes) override;
    ReadResult Read(QByteArray& into, Clock::time_point deadline) override;
    void Discard() override { m_line.clear(); }

private:
    void Answer(const commproto::Frame& request);
    // The step's result and data, framed.
    QByteArray Reply(int seq, int command, bool damaged);

    Script& m_script;
    const CCommPortSettings m_settings;
    LineRecord& m_record;
    CCommFrameReader m_reader;
    QByteArray m_line;
    int m_piece = 0;
    bool m_lost = false;
    Clock::time_point m_written;
    std::int64_t m_allowedUs = 0;
};

// The simulated controller inside the program, with every reply it gives
// written to the script as the steps that play it back.
class RecordedLine : public CCommTransport {
public:
    RecordedLine(ScriptWriter& out, int speed);
    ~RecordedLine() override;
    int Open() override;
    void Close() override;
    bool Write(const QByteArray& bytes) override;
    ReadResult Read(QByteArray& into, Clock::time_point deadline) override;
    void Discard() override;

private:
    ScriptWriter& m_out;
    std::unique_ptr<CCommTransport> m_sim;
    CCommFrameReader m_requests;
    CCommFrameReader m_replies;
};

// Makes the call on the object (open on PortName()) and checks what the
// library promises of it: a result of the code table (or the call's own
// failures), a recorded code after a failure, nothing written into the
// caller's records or buffers by a failed call. The complaint, or empty;
// the call's result in *code.
QString MakeCall(CCommMan& comm, const Call& call, int* code);

// What the line saw against the call's promised attempts: no request
// written more than the tries allow, no more requests than the call needs.
QString CheckAttempts(const Call& call, const LineRecord& record, qsizetype scriptSize);

} // namespace kt::fuzz::link
