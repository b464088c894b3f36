// The simulated controller on its own: the engine's steps, the staging of a
// program, and the line commands of its control socket.
#include "online/sim/SimController.h"
#include "online/comm/CommPayload.h"
#include "online/comm/CommProtocol.h"
#include "online/comm/ControllerDevices.h"
#include "online/sim/SimControl.h"
#include "online/sim/SimFaults.h"
#include "online/sim/SimProgram.h"
#include "online/sim/SimServer.h"
#include "convert/HOXInstrParser.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <chrono>

using namespace commproto;
using namespace std::chrono_literals;

namespace {

// A controller with a clock the test moves.
class SimControllerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_sim.SetClock([this] { return m_now; });
    }

    CSimController::Reply Request(int command, const CCommPayload& args, int client = 1)
    {
        return m_sim.Execute(command, CCommPayload().U16(client).Raw(args.Bytes()).Bytes());
    }
    void Pulse(int relay)
    {
        ASSERT_EQ(0, Request(ResetOperation, CCommPayload().I32(ctrldev::MSpecial).I32(relay)).result);
        ASSERT_EQ(0, Request(SetOperation, CCommPayload().I32(ctrldev::MSpecial).I32(relay)).result);
    }

    CSimController m_sim;
    CSimController::Clock::time_point m_now{};
};

TEST_F(SimControllerTest, TheRunningStepIsTheStatementsAddress)
{
    // The checker's counts, as the conversion adds them up: 3 for a program
    // number, the digit after "cod" for the positioning lines, 1 otherwise.
    m_sim.SetStepCounter([](QStringView statement, QStringView) {
        if (statement.startsWith(u'O')) return 3;
        if (statement.startsWith(u"cod")) return statement.mid(3, 2).toInt() + 1;
        return statement.trimmed().isEmpty() ? 0 : 1;
    });
    ASSERT_TRUE(m_sim.StoreProgram("OX7;\ncod04(DRV);\nm05;\n\ncod09(LIN);\nm02(END);\nOY1;\nm02(END);\n"));
    m_sim.SetSwitch(CSimController::Auto, true);
    m_sim.SetEnginePace(2); // statements a second
    Pulse(1);
    ASSERT_TRUE(m_sim.IsRunning(CSimController::TaskX));
    EXPECT_EQ(7, m_sim.ProgramNumber(CSimController::TaskX));
    const struct {
        std::chrono::milliseconds advance;
        int step;
    } walk[] = {
        {0ms, 0},    // OX7
        {400ms, 0},  // not yet half a second
        {100ms, 3},  // cod04
        {500ms, 8},  // m05: 3 + 5
        {500ms, 9},  // the blank line counts nothing
        {500ms, 9},  // cod09 stands at 9 too
        {500ms, 19}, // m02(END)
        {500ms, -1}, // ended
    };
    for (const auto& w : walk) {
        m_now += w.advance;
        EXPECT_EQ(w.step, m_sim.TaskStep(CSimController::TaskX)) << w.advance.count();
    }
    EXPECT_FALSE(m_sim.IsRunning(CSimController::TaskX));
    const CSimController::Reply info = Request(GetProgInfo, CCommPayload().I32(0));
    CCommPayload words(info.data);
    std::int32_t number = 0, mCode = 0;
    ASSERT_TRUE(words.ReadI32(number) && words.ReadI32(mCode));
    EXPECT_EQ(7, number);
    EXPECT_EQ(2, mCode) << "the last M code passed";

    // A test may fix the step instead.
    m_sim.SetTaskStep(CSimController::TaskY, 123);
    EXPECT_EQ(123, m_sim.TaskStep(CSimController::TaskY));
    m_sim.SetTaskStep(CSimController::TaskY, std::nullopt);
    EXPECT_EQ(-1, m_sim.TaskStep(CSimController::TaskY));
}

TEST_F(SimControllerTest, JoggingMovesWithTime)
{
    ASSERT_EQ(0, Request(WriteManualOprn, CCommPayload().I32(71).I32(0)).result); // Y jog-
    m_now += 1500ms;
    EXPECT_EQ(-1500, m_sim.Position(1));
    ASSERT_EQ(0, Request(WriteManualOprn, CCommPayload().I32(87).I32(0)).result);
    m_now += 1s;
    EXPECT_EQ(-1500, m_sim.Position(1));
}

TEST_F(SimControllerTest, AProgramIsStagedUntilItsLastBlockChecksOut)
{
    ASSERT_TRUE(m_sim.StoreProgram("old\n"));
    const QByteArray text = "new text\n";
    const auto begin = [&](int client, quint16 crc) {
        return Request(WriteProgramBegin,
                       CCommPayload().I32(7800).I32(0).U32(static_cast<std::uint32_t>(text.size())).U16(crc), client);
    };
    ASSERT_EQ(0, begin(1, Crc16(text)).result);
    EXPECT_TRUE(m_sim.IsStaging());
    // Another client's block, and a block out of place, are refused.
    EXPECT_EQ(779, Request(WriteProgramBlock, CCommPayload().U32(0).Raw(text), 2).result);
    EXPECT_EQ(779, Request(WriteProgramBlock, CCommPayload().U32(1).Raw(text.mid(1)), 1).result);
    ASSERT_EQ(0, Request(WriteProgramBlock, CCommPayload().U32(0).Raw(text.left(4)), 1).result);
    EXPECT_EQ(QByteArray("old\n"), m_sim.ProgramText()) << "the old program stays while staging";
    // The end before all bytes came fails the whole-text check.
    EXPECT_EQ(780,
              Request(WriteProgramEnd, CCommPayload().U32(static_cast<std::uint32_t>(text.size())).U16(Crc16(text)), 1)
                  .result);
    EXPECT_FALSE(m_sim.IsStaging());
    EXPECT_EQ(QByteArray("old\n"), m_sim.ProgramText());
    // A whole text with a check that does not fit it.
    ASSERT_EQ(0, begin(1, static_cast<quint16>(Crc16(text) ^ 1)).result);
    ASSERT_EQ(0, Request(WriteProgramBlock, CCommPayload().U32(0).Raw(text), 1).result);
    EXPECT_EQ(780, Request(WriteProgramEnd,
                           CCommPayload().U32(static_cast<std::uint32_t>(text.size())).U16(Crc16(text) ^ 1), 1)
                       .result);
    EXPECT_EQ(QByteArray("old\n"), m_sim.ProgramText());
    // And a good one.
    ASSERT_EQ(0, begin(1, Crc16(text)).result);
    ASSERT_EQ(0, Request(WriteProgramBlock, CCommPayload().U32(0).Raw(text), 1).result);
    ASSERT_EQ(0,
              Request(WriteProgramEnd, CCommPayload().U32(static_cast<std::uint32_t>(text.size())).U16(Crc16(text)), 1)
                  .result);
    EXPECT_EQ(text, m_sim.ProgramText());
    // A request whose payload does not fit its command.
    EXPECT_EQ(778, Request(WriteProgramEnd, CCommPayload().U16(1)).result);
    EXPECT_EQ(778, m_sim.Execute(Status, QByteArray("\x01", 1)).result);
}

TEST_F(SimControllerTest, ListingForm)
{
    CSimProgram program;
    ASSERT_TRUE(program.Load("OX0;\ncod00(DRV)  x10 ,  f20;\nm02(END);\n", {}));
    EXPECT_EQ(QByteArray(" OX0;\n COD00(DRV)  X10  ,  F20;\n M02(END);\nNOP\nNOP\nEND"), program.ListingForm());
    ASSERT_TRUE(program.Load("", {}));
    EXPECT_EQ(QByteArray(), program.ListingForm());
    EXPECT_FALSE(program.Load("a\nb\n", [](QStringView s, QStringView) { return s == u"b" ? -1 : 1; }));
    EXPECT_EQ(QByteArray(), program.Text()) << "a refused text changes nothing";
}

TEST(SimControlTest, LineCommands)
{
    CSimController sim;
    CSimFaults faults;
    CSimServer server(sim, faults);
    CSimControl control(sim, faults, server);
    const struct {
        const char* line;
        const char* last;
    } commands[] = {
        {"fault badsum op=ReadProgramBlock skip=1 count=2", "ok"},
        {"fault result value=770", "ok"},
        {"fault nothing", "error fault kind"},
        {"fault lost op=NoSuchThing", "error op=NoSuchThing"},
        {"fault lost colour=red", "error colour=red"},
        {"pace 9600 12", "ok"},
        {"pace 0 1", "error pace"},
        {"switch auto 1", "ok"},
        {"switch auto 2", "error switch"},
        {"switch sideways 1", "error sideways"},
        {"inputs 0 1 1 0 0 1 1", "ok"},
        {"inputs 0 1", "error inputs"},
        {"step 2 55", "ok"},
        {"engine 4.5", "ok"},
        {"readback listing", "ok"},
        {"program", "ok"},
        {"dance", "error dance"},
        {"", "error empty"},
    };
    for (const auto& c : commands) {
        const QStringList reply = control.Execute(QString::fromLatin1(c.line));
        ASSERT_FALSE(reply.isEmpty());
        EXPECT_EQ(QString::fromLatin1(c.last), reply.last()) << c.line;
    }
    EXPECT_FALSE(faults.IsEmpty());
    EXPECT_EQ(9600, server.Baud());
    EXPECT_EQ(12, server.TurnaroundMs());
    EXPECT_TRUE(sim.GetSwitch(CSimController::Auto));
    EXPECT_EQ(55, sim.TaskStep(CSimController::TaskSub));
    EXPECT_EQ((QStringList{QStringLiteral("bytes 0 sum 0"), QStringLiteral("ok")}),
              control.Execute(QStringLiteral("program")));
    EXPECT_EQ(QStringList{QStringLiteral("ok")}, control.Execute(QStringLiteral("clear")));
    EXPECT_TRUE(faults.IsEmpty());
    sim.Execute(GetKZQWType, CCommPayload().U16(9).Bytes());
    EXPECT_EQ((QStringList{QStringLiteral("GetKZQWType axis -1 client 9"), QStringLiteral("ok")}),
              control.Execute(QStringLiteral("log")));
    EXPECT_EQ(QStringList{QStringLiteral("ok")}, control.Execute(QStringLiteral("model 0")));
    EXPECT_EQ(0, sim.Model());
    EXPECT_FALSE(control.QuitRequested());
    control.Execute(QStringLiteral("quit"));
    EXPECT_TRUE(control.QuitRequested());
}

} // namespace

// Without a counter of its own the controller counts steps as the conversion
// does: the instruction checker's count for a type the model runs.
TEST(SimProgramTest, StatementsCountTheCheckersStepsForTheModel)
{
    const QByteArray text = "OX0;\ncod01(LIN) x100  y-2  f10;\nTIME  K10;\n\nm02(END);\n";
    const QList<QByteArray> lines = text.split('\n');
    for (int model : {0, 1}) {
        SCOPED_TRACE(model);
        CSimProgram program;
        ASSERT_TRUE(program.Load(text, DefaultSimStepCounter([model] { return model; })));
        CHOXInstrParser checker(nullptr);
        int address = 0;
        for (int i = 0; i < program.StatementCount(); ++i) {
            EXPECT_EQ(program.Address(i), address) << program.Statement(i).constData();
            const QString line = QString::fromLatin1(lines.value(i));
            QString error;
            int steps = line.trimmed().isEmpty() ? 0 : 1;
            for (std::int32_t type : model == 0 ? std::vector<std::int32_t>{0} : std::vector<std::int32_t>{2, 1}) {
                checker.SetControllerType(type);
                if (!line.trimmed().isEmpty() && checker.CheckInstruction(line, error)) {
                    steps = checker.GetSteps();
                    break;
                }
            }
            address += steps;
        }
        EXPECT_EQ(program.TotalSteps(), address);
    }
    // The linear interpolation is a two-axis statement: more than one step
    // there, one step (not accepted) on the one-axis model.
    CSimProgram one, two;
    ASSERT_TRUE(one.Load(text, DefaultSimStepCounter([] { return 0; })));
    ASSERT_TRUE(two.Load(text, DefaultSimStepCounter([] { return 1; })));
    EXPECT_EQ(one.Address(2) - one.Address(1), 1);
    EXPECT_GT(two.Address(2) - two.Address(1), 1);
}
