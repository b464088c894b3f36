#include "online/sim/SimServer.h"

#include "online/comm/CommFrameReader.h"
#include "online/comm/CommPayload.h"
#include "online/comm/CommProtocol.h"
#include "online/sim/SimController.h"
#include "online/sim/SimFaults.h"

#include <algorithm>

using namespace commproto;
using namespace std::chrono_literals;

CSimServer::CSimServer(CSimController& controller, CSimFaults& faults) : m_controller(controller), m_faults(faults) {}

void CSimServer::SetLine(int baud, int turnaroundMs)
{
    m_baud = std::max(baud, 1);
    m_turnaroundMs = std::max(turnaroundMs, 0);
}

void CSimServer::ResetLine()
{
    m_pacing = true;
    SetLine(kDefaultBaud, kDefaultTurnaroundMs);
}

std::int64_t CSimServer::WireUs(std::int64_t bytes) const { return m_pacing ? WireTimeUs(bytes, m_baud) : 0; }

bool CSimServer::Serve(CSimChannel& channel)
{
    CCommFrameReader reader;
    Session session;
    Clock::time_point frameStart = Clock::now();
    Clock::time_point lastByte = frameStart;
    QByteArray bytes;
    while (!m_stop) {
        bytes.clear();
        const CSimChannel::ReadResult read = channel.Read(bytes, Clock::now() + 50ms);
        if (read == CSimChannel::ReadResult::Closed) return false;
        const Clock::time_point now = Clock::now();
        if (read == CSimChannel::ReadResult::Idle) {
            // A frame that stopped halfway is given up once the line stays
            // quiet for longer than any frame takes.
            const auto quiet = std::chrono::microseconds(WireUs(kFrameOverhead + kMaxPayload)) + 200ms;
            if (!reader.IsEmpty() && now - lastByte > quiet) reader.Reset();
            continue;
        }
        if (reader.IsEmpty()) frameStart = now;
        lastByte = now;
        reader.Feed(bytes);
        Frame frame;
        for (CCommFrameReader::Event event; (event = reader.Next(frame)) != CCommFrameReader::Event::None;) {
            if (event != CCommFrameReader::Event::Frame) continue;
            const auto arrived = frameStart + std::chrono::microseconds(WireUs(kFrameOverhead + frame.payload.size()));
            const Outcome outcome = Handle(channel, session, frame, arrived);
            if (outcome == Outcome::Cut) return true;
            if (outcome == Outcome::Closed) return false;
            frameStart = Clock::now();
        }
    }
    return false;
}

QByteArray CSimServer::Answer(Session& session, const Frame& frame, bool forced, int forcedResult)
{
    const bool sync = frame.command == Sync;
    if (!sync && frame.seq == session.lastSeq && frame.crc == session.lastCrc) return session.lastReply;
    CCommPayload reply;
    if (forced) {
        reply.I16(forcedResult);
    } else if (sync) {
        CCommPayload args(frame.payload);
        int client = 0;
        std::uint32_t nonce = 0;
        if (args.ReadU16(client) && args.ReadU32(nonce) && args.AtEnd())
            reply.I16(0).U32(nonce);
        else
            reply.I16(778);
    } else {
        const CSimController::Reply result = m_controller.Execute(frame.command, frame.payload);
        reply.I16(result.result);
        if (result.result == 0) reply.Raw(result.data);
    }
    const QByteArray encoded = EncodeFrame(frame.seq, frame.command | kReplyFlag, reply.Bytes());
    if (sync) {
        session = Session();
    } else {
        session.lastSeq = frame.seq;
        session.lastCrc = frame.crc;
        session.lastReply = encoded;
    }
    return encoded;
}

CSimServer::Outcome CSimServer::Handle(CSimChannel& channel, Session& session, const Frame& frame,
                                       Clock::time_point arrived)
{
    if (!m_controller.IsResponding()) return Outcome::Sent;
    const std::optional<CSimFault> fault = m_faults.Take(frame.command);
    const auto is = [&](CSimFault::Kind kind) { return fault && fault->m_kind == kind; };
    if (is(CSimFault::Silence)) return Outcome::Sent;
    QByteArray reply = Answer(session, frame, is(CSimFault::ForcedResult), fault ? fault->m_value : 0);
    if (is(CSimFault::NoReply)) return Outcome::Sent;
    if (is(CSimFault::LostByte)) reply.remove(kHeaderSize + (reply.size() - kFrameOverhead) / 2, 1);
    if (is(CSimFault::BadChecksum)) reply[reply.size() - 1] = static_cast<char>(reply[reply.size() - 1] ^ 0x5A);
    Clock::time_point start = Clock::now();
    if (m_pacing) start = std::max(start, arrived + std::chrono::milliseconds(m_turnaroundMs.load()));
    if (is(CSimFault::SlowReply)) start += std::chrono::milliseconds(fault->m_value);
    if (is(CSimFault::Cut)) {
        const QByteArray part = reply.left(std::max(fault->m_value, 0));
        if (!part.isEmpty() && !WritePaced(channel, part, start)) return Outcome::Closed;
        channel.Cut();
        return Outcome::Cut;
    }
    return WritePaced(channel, reply, start) ? Outcome::Sent : Outcome::Closed;
}

bool CSimServer::WritePaced(CSimChannel& channel, const QByteArray& bytes, Clock::time_point start)
{
    if (!channel.SleepUntil(start)) return false;
    if (!m_pacing) return channel.Write(bytes);
    // About 5 ms of line a piece: smooth enough, and few wake-ups.
    const qsizetype piece = std::max(1, m_baud / 10 / 200);
    for (qsizetype sent = 0; sent < bytes.size(); sent += piece) {
        const qsizetype n = std::min(piece, bytes.size() - sent);
        if (!channel.SleepUntil(start + std::chrono::microseconds(WireUs(sent + n)))) return false;
        if (!channel.Write(bytes.mid(sent, n))) return false;
    }
    return true;
}
