// Threads on the link: two objects on one port in two threads (the
// monitoring worker and the command sender) each get their own answers; an
// object belongs to the thread that opened it; a thread already waiting for
// a reply cannot start a second call; the user-interface thread keeps
// handling its events while it waits.
#include "online/comm/CommMonitor.h"
#include "online/comm/CommPortSettings.h"
#include "online/comm/CommProtocol.h"
#include "online/comm/CommStatusInfo.h"
#include "online/comm/ControllerDevices.h"
#include "online/sim/SimFault.h"

#include "online/comm/CommTestSupport.h"

#include <QCoreApplication>
#include <QTimer>

#include <atomic>
#include <set>
#include <thread>
#include <vector>

using kt::test::SimLinkTest;

namespace {

class CommThreadTest : public SimLinkTest {};

// Writes its own registers and reads each back: an answer meant for the
// other thread would show at once.
int WriteAndReadBack(int first, int factor, int rounds)
{
    CCommMan comm;
    if (const int code = comm.mfi_Open(QStringLiteral("COM1")); code != 0) return code;
    for (int i = 0; i < rounds; ++i) {
        const auto value = static_cast<std::int16_t>(i * factor);
        if (const int code = comm.mfi_WriteDevice(ctrldev::D, first + i, -1, 1, reinterpret_cast<const BYTE*>(&value));
            code != 0)
            return code;
        std::int16_t read = -1;
        if (const int code = comm.mfi_ReadDevice(ctrldev::D, first + i, -1, 1, reinterpret_cast<BYTE*>(&read));
            code != 0)
            return code;
        if (read != value) return -100 - i;
        CCommMonitor record;
        if (const int code = comm.mfi_ReadMonitoringInfo(&record); code != 0) return code;
    }
    return comm.mfi_Close();
}

TEST_F(CommThreadTest, TwoObjectsOnOnePortInTwoThreadsGetTheirOwnAnswers)
{
    for (bool pacing : {false, true}) {
        Host().Server().SetPacing(pacing);
        Sim().Log().Clear();
        const int rounds = pacing ? 5 : 50;
        int monitor = -1;
        int sender = -1;
        std::thread a([&] { monitor = WriteAndReadBack(100, 3, rounds); });
        std::thread b([&] { sender = WriteAndReadBack(2000, 7, rounds); });
        a.join();
        b.join();
        EXPECT_EQ(0, monitor) << "pacing " << pacing;
        EXPECT_EQ(0, sender) << "pacing " << pacing;
        std::set<int> clients;
        for (const CSimRequest& request : Sim().Log().Entries()) clients.insert(request.m_client);
        EXPECT_EQ(2u, clients.size());
        EXPECT_EQ(static_cast<std::size_t>(6 * rounds), Sim().Log().Size());
    }
}

// Two threads open and close the same port over and over: the line of the
// port its last user just let go is closed before the next open takes it,
// so no open finds the line still taken.
TEST_F(CommThreadTest, APortOpenedAgainWhileItsLastUserClosesItWaitsForTheLine)
{
    const auto openAndClose = [](int rounds) {
        int failures = 0;
        for (int i = 0; i < rounds; ++i) {
            CCommMan comm;
            if (comm.mfi_Open(QStringLiteral("COM1")) != 0) {
                ++failures;
                continue;
            }
            comm.mfi_Close();
        }
        return failures;
    };
    int a = -1;
    int b = -1;
    std::thread first([&] { a = openAndClose(200); });
    std::thread second([&] { b = openAndClose(200); });
    first.join();
    second.join();
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 0);
}

TEST_F(CommThreadTest, AnObjectUsedFromAnotherThreadGives775)
{
    CCommMan comm;
    ASSERT_EQ(0, comm.mfi_Open(QStringLiteral("COM1")));
    int type = -1;
    int request = 0;
    int close = 0;
    int open = 0;
    std::thread other([&] {
        request = comm.mfi_GetKZQWType(type);
        close = comm.mfi_Close();
        open = comm.mfi_Open(QStringLiteral("COM1"));
    });
    other.join();
    EXPECT_EQ(775, request);
    EXPECT_EQ(775, close);
    EXPECT_EQ(775, open);
    EXPECT_EQ(775, comm.mfi_GetCommError());
    EXPECT_EQ(-1, type);
    EXPECT_TRUE(Sim().Log().Entries().empty()) << "nothing was sent";
    // The owner goes on; once closed, another thread may open it.
    EXPECT_EQ(0, comm.mfi_GetKZQWType(type));
    ASSERT_EQ(0, comm.mfi_Close());
    std::thread next([&] {
        open = comm.mfi_Open(QStringLiteral("COM1"));
        request = comm.mfi_GetKZQWType(type);
        close = comm.mfi_Close();
    });
    next.join();
    EXPECT_EQ(0, open);
    EXPECT_EQ(0, request);
    EXPECT_EQ(0, close);
}

TEST_F(CommThreadTest, AWaitingThreadHandlesEventsButStartsNoSecondCall)
{
    // A reply slow enough that the wait certainly runs its event loop.
    CCommPortSettings com1;
    com1.m_device = QStringLiteral("sim");
    com1.m_timeoutMs = 5000;
    CCommPortSettings::Write(QStringLiteral("COM1"), com1);
    CSimFault slow;
    slow.m_kind = CSimFault::SlowReply;
    slow.m_command = commproto::GetKZQWType;
    slow.m_value = 300;
    Faults().Add(slow);

    CCommMan comm;
    CCommMan other;
    ASSERT_EQ(0, comm.mfi_Open(QStringLiteral("COM1")));
    ASSERT_EQ(0, other.mfi_Open(QStringLiteral("COM1")));
    bool fired = false;
    int nested = 0;
    int same = 0;
    int nestedOpen = 0;
    CCommStatusInfo status;
    status.m_xReady = 42;
    QTimer::singleShot(0, [&] {
        fired = true;
        nested = other.mfi_Status(&status);
        same = comm.mfi_Status(&status);
        CCommMan third;
        nestedOpen = third.mfi_Open(QStringLiteral("COM1"));
    });
    int type = -1;
    EXPECT_EQ(0, comm.mfi_GetKZQWType(type));
    EXPECT_EQ(1, type);
    EXPECT_TRUE(fired) << "the timer ran while the call waited";
    EXPECT_EQ(775, nested);
    EXPECT_EQ(775, same);
    EXPECT_EQ(775, nestedOpen);
    EXPECT_EQ(42, status.m_xReady);
    EXPECT_EQ(775, other.mfi_GetCommError());
    EXPECT_TRUE(Sim().Log().Of(QStringLiteral("Status")).empty());
    // After the wait both work again.
    EXPECT_EQ(0, other.mfi_Status(&status));
    EXPECT_EQ(0, comm.mfi_Status(&status));
}

TEST_F(CommThreadTest, AWorkerThreadWaitsWithoutAnEventLoop)
{
    // Posted events of the user-interface thread stay queued while a worker
    // waits: the worker's wait takes nothing from them.
    bool handled = false;
    QTimer::singleShot(0, [&] { handled = true; });
    int code = -1;
    std::thread worker([&] {
        CCommMan comm;
        int type = 0;
        code = comm.mfi_Open(QStringLiteral("COM1"));
        if (code == 0) code = comm.mfi_GetKZQWType(type);
    });
    worker.join();
    EXPECT_EQ(0, code);
    EXPECT_FALSE(handled);
    QCoreApplication::processEvents();
    EXPECT_TRUE(handled);
}

} // namespace
