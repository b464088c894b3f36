#pragma once
// The link protocol between the program and the controller. It is our own:
// no other controller understands it, and the simulated controller
// (online/sim) is its other end.
//
// Frames (both directions)
//   STX 0x02 | seq | cmd | len lo | len hi | payload (len bytes) | crc hi | crc lo
//   - seq: 0..255, one per request, counted on for each port name from one
//     session to the next (so a late reply of the last session cannot match
//     the next session's requests); every retry of a request repeats its
//     seq, so the controller can tell a repeat.
//   - cmd: the request's command; a reply carries cmd | 0x80.
//   - len: payload bytes, at most kMaxPayload; a longer len is no frame.
//   - crc: CRC-16/CCITT-FALSE (poly 0x1021, init 0xFFFF, no reflection) over
//     seq, cmd, len and payload.
//   Integers inside payloads are little-endian; values are signed 32-bit.
//   A request payload starts with the client (u16): which CCommMan object
//   asks, so that the controller's request log can tell two objects apart.
//   A reply payload starts with the result (i16): 0, or the failure the
//   controller reports: 779 refused, 780 whole-program check failed, -1 the
//   program text refused, 0x600 parameters undefined, 0x601 memory mismatch,
//   769..772 line errors (injected only). The data follows a 0 result only.
//
// Reading frames: bytes before a start mark are skipped; a frame whose len is
// too big or whose crc is wrong is dropped from its start mark only, and the
// search goes on from the next start mark inside it (resync).
//
// One exchange (the port's I/O thread, one request in flight per port)
//   1. The request is sent; the attempt's time-out is the wire time of the
//      request and of the longest reply of its command at the port's speed
//      (10 bits a byte) plus the port's time-out setting (the controller's
//      turnaround).
//   2. A reply with another seq is late (an earlier request's) and dropped;
//      so is a session start's echo of another nonce (another session's).
//      A reply with this seq ends the attempt; a reply of this seq from an
//      earlier attempt is as good as the latest, since the controller
//      answers a repeat with the reply it already gave, without acting twice.
//   3. A wrong crc ends the attempt at once (780); the time-out ends it with
//      777 when part of a frame came, 778 when only bytes that make no
//      frame came, 768 when nothing came; a frame of this seq for another
//      command is 778. A lost link (the device went away, the simulator cut
//      the line) ends the exchange at once with 776.
//   4. kTries attempts in all; the last attempt's code is the exchange's.
//   So one exchange takes at most kTries attempt time-outs; that is the
//   longest any single-exchange call takes (stopping monitoring waits at most
//   that long), plus one sync exchange for the first request after the port
//   opens, plus what another object's call on the same port still needs.
//
// Commands and payloads (request -> reply data)
//   Sync            nonce u32 -> nonce u32. First exchange of a port session:
//                   the controller forgets the seq of its last request.
//   GetKZQWType     -> type i32 (0 one-axis, 1 two-axis)
//   Status          -> x ready, writing permitted, y ready, not auto (4 i32)
//   Diagnosis       -> capacity, model, version x 100, cassette (4 i32)
//   InitiateKZQW    ->
//   SetFileName     text (u16 length + Latin-1 bytes) ->
//   GetFileName     -> text
//   WriteParams     block i32, axis i32, count u16, values i32... ->
//   ReadParams      block i32, axis i32 -> count u16, values i32...
//   WriteProgramBegin  memory i32, P101 i32, length u32, crc u16 ->
//   WriteProgramBlock  offset u32, bytes... ->        (kProgramBlock bytes)
//   WriteProgramEnd    length u32, crc u16 ->
//                   Program text is Latin-1 with "\n" line ends, staged in
//                   acknowledged blocks; the controller checks length and
//                   crc of the whole text at the end and only then replaces
//                   its program; until then the old one stays.
//   ReadProgramBegin   -> length u32, crc u16  (a snapshot for this client)
//   ReadProgramBlock   offset u32, max u16 -> bytes...
//   CreateSum       -> sum i32 (crc of the stored text)
//   ReadMonitoringInfo -> 7 i32
//   ReadCurrentPos  mode i32 -> x i32, y i32
//   GetKZQWStatus   axis i32 -> 4 i32
//   GetManInputStatus axis i32 -> 6 i32
//   GetProgInfo     axis i32 -> 3 i32
//   ReadDevice      type i32, address i32, index i32, count u16 -> values
//   WriteDevice     type i32, address i32, index i32, count u16, values ->
//                   values are 16-bit for types 0-6 and 10 without an index,
//                   else 32-bit (see ControllerDevices.h)
//   SetOperation / ResetOperation  type i32, address i32 ->
//   WriteCurrentPos axis i32, value i32, mode i32 ->
//   WriteManualOprn code i32, value i32 ->
#include <QByteArray>
#include <QString>

#include <cstdint>

namespace commproto {

constexpr char kStartMark = 0x02;
constexpr int kHeaderSize = 5; // start mark, seq, cmd, len (2)
constexpr int kFrameOverhead = kHeaderSize + 2;
constexpr int kMaxPayload = 600;
constexpr int kProgramBlock = 512; // text bytes in one program block
constexpr int kReplyFlag = 0x80;
constexpr int kTries = 3;
constexpr int kMaxDeviceCount = 64; // values in one device request
constexpr int kMaxFileName = 255;   // bytes the controller keeps

enum Command : int {
    Sync = 0x01,
    GetKZQWType = 0x10,
    Status = 0x11,
    Diagnosis = 0x12,
    InitiateKZQW = 0x13,
    SetFileName = 0x14,
    GetFileName = 0x15,
    WriteParams = 0x20,
    ReadParams = 0x21,
    WriteProgramBegin = 0x30,
    WriteProgramBlock = 0x31,
    WriteProgramEnd = 0x32,
    ReadProgramBegin = 0x33,
    ReadProgramBlock = 0x34,
    CreateSum = 0x35,
    ReadMonitoringInfo = 0x40,
    ReadCurrentPos = 0x41,
    GetKZQWStatus = 0x42,
    GetManInputStatus = 0x43,
    GetProgInfo = 0x44,
    ReadDevice = 0x50,
    WriteDevice = 0x51,
    SetOperation = 0x52,
    ResetOperation = 0x53,
    WriteCurrentPos = 0x54,
    WriteManualOprn = 0x55,
};

// Results a reply can carry besides 0 and the codes of the error table.
constexpr int kResultTextRefused = -1;
constexpr int kResultParamsUndefined = 0x600;
constexpr int kResultMemoryMismatch = 0x601;
constexpr int kResultRefused = 779;
constexpr int kResultSumError = 780;

// One decoded frame.
struct Frame {
    int seq = 0;
    int command = 0;
    QByteArray payload;
    quint16 crc = 0;
};

quint16 Crc16(const char* data, qsizetype size);
inline quint16 Crc16(const QByteArray& data) { return Crc16(data.constData(), data.size()); }

QByteArray EncodeFrame(int seq, int command, const QByteArray& payload);

// The operation's name ("ReadMonitoringInfo"); empty for an unknown command.
QString CommandName(int command);
// The command of a name, case ignored; -1 when there is none.
int CommandOfName(const QString& name);
bool IsKnownCommand(int command);
// Payload bytes of the longest reply the command can have.
int MaxReplyPayload(int command);

// Microseconds a frame of `bytes` bytes takes on the line.
std::int64_t WireTimeUs(std::int64_t bytes, int baud);

} // namespace commproto
