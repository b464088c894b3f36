// Sessions on a line that outlives the connections on it, as a serial line
// does, with the test playing the controller: what a session takes for its
// own start reply, and how its requests are numbered after the session
// before.
#include "online/comm/CommMan.h"
#include "online/comm/CommPayload.h"
#include "online/comm/CommPort.h"
#include "online/comm/CommProtocol.h"
#include "online/comm/CommTransport.h"
#include "support/Scripted.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

using namespace commproto;

namespace {

// The controller's end of the line. Every request frame written is kept; the
// test's answer puts bytes on the line behind what is already there, as if
// they arrived while the port waits. A read with nothing on the line is a
// time-out at once.
class PlayedLine {
public:
    using Answer = std::function<void(const Frame& request, QByteArray& line)>;

    void SetAnswer(Answer answer)
    {
        std::lock_guard lock(m_mutex);
        m_answer = std::move(answer);
    }
    std::vector<Frame> Requests()
    {
        std::lock_guard lock(m_mutex);
        return m_requests;
    }
    void ClearRequests()
    {
        std::lock_guard lock(m_mutex);
        m_requests.clear();
    }

    void Written(const QByteArray& bytes)
    {
        std::lock_guard lock(m_mutex);
        m_reader.Feed(bytes);
        Frame frame;
        while (m_reader.Next(frame) == CCommFrameReader::Event::Frame) {
            m_requests.push_back(frame);
            if (m_answer) m_answer(frame, m_line);
        }
    }
    bool Take(QByteArray& into)
    {
        std::lock_guard lock(m_mutex);
        if (m_line.isEmpty()) return false;
        into.append(m_line);
        m_line.clear();
        return true;
    }
    void Discard()
    {
        std::lock_guard lock(m_mutex);
        m_line.clear();
    }

private:
    std::mutex m_mutex;
    CCommFrameReader m_reader;
    std::vector<Frame> m_requests;
    QByteArray m_line;
    Answer m_answer;
};

class PlayedTransport : public CCommTransport {
public:
    explicit PlayedTransport(PlayedLine& line) : m_line(line) {}
    int Open() override { return 0; }
    void Close() override {}
    bool Write(const QByteArray& bytes) override
    {
        m_line.Written(bytes);
        return true;
    }
    ReadResult Read(QByteArray& into, Clock::time_point) override
    {
        return m_line.Take(into) ? ReadResult::Data : ReadResult::Timeout;
    }
    void Discard() override { m_line.Discard(); }

private:
    PlayedLine& m_line;
};

std::uint32_t NonceOf(const Frame& start)
{
    CCommPayload args(start.payload);
    int client = 0;
    std::uint32_t nonce = 0;
    EXPECT_TRUE(args.ReadU16(client) && args.ReadU32(nonce));
    return nonce;
}

QByteArray StartReply(int seq, std::uint32_t nonce)
{
    return EncodeFrame(seq, Sync | kReplyFlag, CCommPayload().I16(0).U32(nonce).Bytes());
}

// A two-axis controller that answers at once.
void Answer(const Frame& request, QByteArray& line)
{
    if (request.command == Sync)
        line += StartReply(request.seq, NonceOf(request));
    else if (request.command == GetKZQWType)
        line += EncodeFrame(request.seq, GetKZQWType | kReplyFlag, CCommPayload().I16(0).I32(1).Bytes());
}

class CommSessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CCommPort::SetTransportMaker([this](const CCommPortSettings&) {
            return std::make_unique<PlayedTransport>(m_line);
        });
    }
    void TearDown() override { CCommPort::SetTransportMaker({}); }

    // One session: open, the controller's type, close.
    int Session()
    {
        CCommMan comm;
        EXPECT_EQ(0, comm.mfi_Open(QStringLiteral("COM1")));
        int type = -1;
        const int code = comm.mfi_GetKZQWType(type);
        EXPECT_EQ(code == 0 ? 1 : -1, type);
        EXPECT_EQ(0, comm.mfi_Close());
        return code;
    }
    // The commands the port wrote, in order.
    std::vector<int> Commands()
    {
        std::vector<int> commands;
        for (const Frame& frame : m_line.Requests()) commands.push_back(frame.command);
        return commands;
    }

    kt::test::TempSettings m_settings;
    PlayedLine m_line;
};

// The fault: a start reply that came late from the session before had the
// new session's seq and command, was taken, and failed the session with 778
// for its nonce, without reading on to the session's own reply.
TEST_F(CommSessionTest, LateStartRepliesAreReadPastAndTheSessionTakesItsOwn)
{
    // The session before never heard its start answered.
    EXPECT_EQ(768, Session());
    const std::vector<Frame> unanswered = m_line.Requests();
    ASSERT_EQ(unanswered.size(), std::size_t(kTries));

    const struct {
        const char* what;
        std::function<QByteArray(const Frame& start)> late;
    } cases[] = {
        {"the answers to the last session's attempts, as they were sent",
         [&](const Frame&) {
             QByteArray late;
             for (const Frame& start : unanswered) late += StartReply(start.seq, NonceOf(start));
             return late;
         }},
        {"an answer of this session's seq to another session's start (a run before)",
         [](const Frame& start) { return StartReply(start.seq, NonceOf(start) ^ 0x5A5A5A5Au); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        m_line.SetAnswer([&](const Frame& request, QByteArray& line) {
            if (request.command == Sync) line += c.late(request);
            Answer(request, line);
        });
        m_line.ClearRequests();
        EXPECT_EQ(0, Session());
        // Each request went once: the first attempt had its reply.
        EXPECT_EQ(Commands(), (std::vector<int>{Sync, GetKZQWType}));
    }
}

// Sessions back to back number their requests on from the one before, so a
// reply still on its way from that one cannot match.
TEST_F(CommSessionTest, BackToBackSessionsNumberOnFromTheOneBefore)
{
    m_line.SetAnswer(Answer);
    for (int session = 0; session < 4; ++session) ASSERT_EQ(0, Session());
    const std::vector<Frame> requests = m_line.Requests();
    ASSERT_EQ(requests.size(), 8u);
    for (std::size_t i = 1; i < requests.size(); ++i)
        EXPECT_EQ(requests[i].seq, (requests[i - 1].seq + 1) & 0xFF) << i;
}

} // namespace
