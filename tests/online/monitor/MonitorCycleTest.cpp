// The monitoring worker's polling cycle without a thread: the plan the page
// gives (only what was seen, the reads of each kind), the skip rule, the
// reads the simulated controller logs, Z rows with and without their 32-bit
// flag, and failures: silent for an object, the code for the record.
#include "app/HOXRegistry.h"
#include "online/comm/CommMan.h"
#include "online/comm/CommProtocol.h"
#include "online/comm/ControllerDevices.h"
#include "online/monitor/HOXMonitorThread.h"

#include "online/monitor/MonitorSupport.h"

#include <array>
#include <atomic>

using namespace kt::test;

namespace {

using Plan = CHOXMonitorPlan;
using Cycle = CHOXMonitorThread::Cycle;

class MonitorCycleTest : public MonitorFixture {
protected:
    void SetUp() override
    {
        MonitorFixture::SetUp();
        ASSERT_EQ(0, comm.mfi_Open(QStringLiteral("COM1")));
    }
    void TearDown() override
    {
        comm.mfi_Close();
        MonitorFixture::TearDown();
    }

    // One cycle of the plan, counter at 0; the log shows its requests only.
    Cycle Run(const Plan& plan, CHOXMonitorResult& result)
    {
        Sim().Log().Clear();
        std::uint32_t skip = 0;
        int code = 0;
        return CHOXMonitorThread::OnExecuteMonitor(comm, plan, skip, stop, result, code);
    }
    // The page as drawn, planned, read and stored.
    void PollPage()
    {
        DrawPage();
        CHOXMonitorResult result;
        ASSERT_EQ(Cycle::Read, Run(CHOXMonitorSession::MakePlan(*doc), result));
        CHOXMonitorSession::ApplyReadings(*doc, result);
    }

    // Z0 to Z7 as the controller holds them, each register its own value.
    void StoreZ(const std::array<std::int16_t, 8>& z)
    {
        std::array<std::int32_t, 4> pairs{};
        for (std::size_t i = 0; i < 4; ++i)
            pairs[i] = static_cast<std::int32_t>(static_cast<std::uint16_t>(z[2 * i]) |
                                                 static_cast<std::uint32_t>(static_cast<std::uint16_t>(z[2 * i + 1])) << 16);
        ASSERT_EQ(0, comm.mfi_WriteDevice(ctrldev::Z, 0, -1, 4, reinterpret_cast<const BYTE*>(pairs.data())));
    }

    CCommMan comm;
    std::atomic<bool> stop{false};
};

} // namespace

TEST_F(MonitorCycleTest, ThePlanHoldsTheObjectsLastSeenWithWhatEachReads)
{
    CHOXRegistry().WriteDword("SystemResponse", 3);
    NewDocument(ctype::kOneAxis);
    const Page page = OneOfEach();
    page.position->SetUnit(CHOXMonCurPos::kUnitPulse);
    // A column beyond what is drawn.
    Devices({0, CHOXSelectVal::kM, 9010, 0, 0, 4}, CRect(1200, 10, 1240, 90));
    const Plan before = CHOXMonitorSession::MakePlan(*doc);
    EXPECT_TRUE(before.objects.empty()) << "nothing was drawn yet";
    EXPECT_TRUE(before.oneAxis);
    EXPECT_EQ(3u, before.systemResponse);

    DrawPage();
    const Plan plan = CHOXMonitorSession::MakePlan(*doc);
    std::vector<std::pair<WORD, Plan::Kind>> planned;
    for (const Plan::Object& object : plan.objects) planned.emplace_back(object.id, object.kind);
    // In the map's order (by the ids' buckets); the button and the column
    // out of sight are not read.
    const std::vector<std::pair<WORD, Plan::Kind>> expected = {
        {monid::kPlot, Plan::kPlot},
        {monid::kCurPos, Plan::kCurPos},
        {static_cast<WORD>(page.devices->GetId()), Plan::kDevStat},
        {monid::kProgInfo, Plan::kProgInfo},
        {monid::kKZQWStat, Plan::kKZQWStat},
        {monid::kManInputStat, Plan::kManInputStat},
    };
    EXPECT_EQ(expected, planned);
    ASSERT_EQ(expected.size(), plan.objects.size());
    EXPECT_EQ(CHOXMonCurPos::kUnitPulse, plan.objects[1].unit);
    const Plan::Devices& d = plan.objects[2].devices;
    EXPECT_EQ(ctrldev::D, d.code);
    EXPECT_EQ(100, d.address);
    EXPECT_EQ(-1, d.index);
    EXPECT_EQ(4, d.rows);
}

TEST_F(MonitorCycleTest, DeviceColumnsAreAddressedAsTheLinkNumbersThem)
{
    using SV = CHOXSelectVal;
    const struct {
        const char* name;
        DevSettings settings;
        int code, address, index, rows;
    } cases[] = {
        {"D", {0, SV::kD, 100, 0, 0, 4}, ctrldev::D, 100, -1, 4},
        {"D with V3", {0, SV::kD, 100, SV::kIndexV, 3, 1}, ctrldev::D, 100, 3, 1},
        {"D with Z3", {0, SV::kD, 100, SV::kIndexZ, 3, 1}, ctrldev::D, 100, 11, 1},
        {"32-bit D", {1, SV::kD, 4000, 0, 0, 4}, ctrldev::DDFile, 0, -1, 0},
        {"special D", {0, SV::kD, 9010, 0, 0, 1}, ctrldev::DSpecial, 10, -1, 1},
        {"M special", {0, SV::kM, 9017, 0, 0, 4}, ctrldev::MSpecial, 17, -1, 4},
        {"X octal digits", {0, SV::kX, 17, 0, 0, 4}, ctrldev::X, 17, -1, 4},
        {"Y", {0, SV::kY, 10, 0, 0, 8}, ctrldev::Y, 10, -1, 8},
        {"V", {0, SV::kV, 2, 0, 0, 4}, ctrldev::V, 2, -1, 4},
        {"Z", {0, SV::kZ, 2, 0, 0, 4}, ctrldev::Z, 2, -1, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        NewDocument(ctype::kTwoAxes);
        CHOXMonDevStat* devices = Devices(c.settings);
        DrawPage();
        const Plan plan = CHOXMonitorSession::MakePlan(*doc);
        ASSERT_EQ(1u, plan.objects.size());
        const Plan::Devices& d = plan.objects[0].devices;
        EXPECT_EQ(c.code, d.code);
        EXPECT_EQ(c.address, d.address);
        EXPECT_EQ(c.index, d.index);
        EXPECT_EQ(devices->GetShownCount(), d.rows);
        if (c.rows != 0) {
            EXPECT_EQ(c.rows, d.rows);
        }
        EXPECT_EQ(c.settings.type == SV::kZ, d.singleRegisters);
    }
}

TEST_F(MonitorCycleTest, ACycleReadsTheRecordAndEachKindOnBothAxes)
{
    const Page page = OneOfEach();
    page.position->SetUnit(CHOXMonCurPos::kUnitPulse);
    DrawPage();
    CHOXMonitorResult result;
    ASSERT_EQ(Cycle::Read, Run(CHOXMonitorSession::MakePlan(*doc), result));
    // The record, then the objects in the map's order.
    const QStringList expected = {"ReadMonitoringInfo", "ReadCurrentPos", "ReadDevice",       "GetProgInfo",
                                  "GetProgInfo",        "GetKZQWStatus",  "GetKZQWStatus",    "GetManInputStatus",
                                  "GetManInputStatus"};
    EXPECT_EQ(expected.join(u' '), Operations().join(u' '));
    EXPECT_EQ(QStringList{"ReadCurrentPos 1"}, Requests(QStringLiteral("ReadCurrentPos")));
    EXPECT_EQ(QStringList({"GetKZQWStatus 0", "GetKZQWStatus 1"}), Requests(QStringLiteral("GetKZQWStatus")));
    EXPECT_EQ(QStringList{"ReadDevice 4 100 -1 4"}, Requests(QStringLiteral("ReadDevice")));
    EXPECT_EQ(6u, result.readings.size()) << "the plot reads nothing of its own, the button is never read";
}

TEST_F(MonitorCycleTest, TheOneAxisControllerIsAskedForAxisZeroOnly)
{
    Sim().SetModel(0);
    doc->SetControllerType(ctype::kOneAxis);
    OneOfEach();
    DrawPage();
    CHOXMonitorResult result;
    ASSERT_EQ(Cycle::Read, Run(CHOXMonitorSession::MakePlan(*doc), result));
    for (const char* operation : {"GetManInputStatus", "GetKZQWStatus", "GetProgInfo"})
        EXPECT_EQ(QStringList{QStringLiteral("%1 0").arg(QLatin1String(operation))},
                  Requests(QString::fromLatin1(operation)));
}

TEST_F(MonitorCycleTest, WhatACycleReadsGoesIntoTheObjects)
{
    const Page page = OneOfEach();
    page.position->SetUnit(CHOXMonCurPos::kUnitPulse);
    Sim().SetManualInputs(1, {1, 0, 1, 0, 1, 1});
    Sim().SetAxisError(0, 7);
    std::array<std::int16_t, 4> d = {5, -6, 32767, -32768};
    ASSERT_EQ(0, comm.mfi_WriteDevice(ctrldev::D, 100, -1, 4, reinterpret_cast<const BYTE*>(d.data())));
    ASSERT_EQ(0, comm.mfi_WriteCurrentPos(0, 1234, 1));
    PollPage();
    EXPECT_EQ(1234, page.position->GetXPosition());
    QString name;
    EXPECT_EQ(1, page.inputs->GetInput(1, 0, name));
    EXPECT_EQ(0, page.inputs->GetInput(1, 1, name));
    EXPECT_EQ(1, page.inputs->GetInput(1, 5, name));
    EXPECT_EQ(7, page.info->GetInfo(0).errorCode);
    EXPECT_EQ(1, page.status->GetLamp(1, 0, name)) << "Y is ready";
    for (int row = 0; row < 4; ++row) EXPECT_EQ(d[static_cast<std::size_t>(row)], page.devices->GetValue(row));
    // The plot takes the record's sample.
    CCommMonitor record;
    ASSERT_EQ(0, comm.mfi_ReadMonitoringInfo(&record));
    EXPECT_EQ((PlotSample{record.m_plotX, record.m_plotY}), page.plot->GetLastSample());
    EXPECT_EQ(1u, page.plot->GetSamples().size());
}

TEST_F(MonitorCycleTest, ZRowsShowTheRegistersTheyNameWithAndWithoutTheirFlag)
{
    const std::array<std::int16_t, 8> z = {10, -11, 20, -21, 30, -31, 40, -41};
    const auto pair = [&](int n) {
        return static_cast<std::int32_t>(static_cast<std::uint16_t>(z[static_cast<std::size_t>(n)]) |
                                         static_cast<std::uint32_t>(static_cast<std::uint16_t>(z[static_cast<std::size_t>(n + 1)])) << 16);
    };
    const struct {
        const char* name;
        int is32Bit, top, points;
        const char* request; // as logged, without the axis and client
        std::vector<std::int32_t> values;
    } cases[] = {
        {"all eight", 0, 0, 8, "ReadDevice 11 0 -1 4", {10, -11, 20, -21, 30, -31, 40, -41}},
        {"an odd top", 0, 3, 4, "ReadDevice 11 3 -1 2", {-21, 30, -31, 40}},
        {"odd rows up to Z7", 0, 3, 8, "ReadDevice 11 2 -1 3", {-21, 30, -31, 40, -41}},
        {"Z7 alone", 0, 7, 1, "ReadDevice 11 6 -1 1", {-41}},
        {"four from Z2", 0, 2, 4, "ReadDevice 11 2 -1 2", {20, -21, 30, -31}},
        {"pairs from Z0", 1, 0, 4, "ReadDevice 11 0 -1 4", {pair(0), pair(2), pair(4), pair(6)}},
        // Z7 / Z8 is no pair: the rows before it are read, its own keeps 0.
        {"pairs from Z1", 1, 1, 4, "ReadDevice 11 1 -1 3", {pair(1), pair(3), pair(5), 0}},
    };
    StoreZ(z);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        NewDocument(ctype::kTwoAxes);
        CHOXMonDevStat* devices = Devices({c.is32Bit, CHOXSelectVal::kZ, c.top, 0, 0, c.points});
        ASSERT_EQ(static_cast<int>(c.values.size()), devices->GetShownCount());
        PollPage();
        EXPECT_EQ(QStringList{QString::fromLatin1(c.request)}, Requests(QStringLiteral("ReadDevice")));
        for (std::size_t row = 0; row < c.values.size(); ++row)
            EXPECT_EQ(c.values[row], devices->GetValue(static_cast<int>(row))) << "row " << row;
    }
}

TEST_F(MonitorCycleTest, AnObjectThatCannotBeReadIsLeftAsItWasAndTheOthersAreRead)
{
    const Page page = OneOfEach();
    page.position->SetPositions(77, 88);
    page.devices->SetValues(std::vector<BYTE>{9, 0}, true);
    page.status->SetStatus(0, 5, 5, 5, 5);
    page.status->SetStatus(1, 5, 5, 5, 5);
    Faults().Add(SimFault(CSimFault::ForcedResult, commproto::ReadDevice, 779));
    Faults().Add(SimFault(CSimFault::ForcedResult, commproto::ReadCurrentPos, 779));
    // The status of the first axis only.
    CSimFault first = SimFault(CSimFault::ForcedResult, commproto::GetKZQWStatus, 779);
    first.m_count = 1;
    Faults().Add(first);
    DrawPage();
    CHOXMonitorResult result;
    EXPECT_EQ(Cycle::Read, Run(CHOXMonitorSession::MakePlan(*doc), result)) << "no object's failure ends the cycle";
    CHOXMonitorSession::ApplyReadings(*doc, result);
    EXPECT_EQ(77, page.position->GetXPosition());
    EXPECT_EQ(88, page.position->GetYPosition());
    EXPECT_EQ(9, page.devices->GetValue(0));
    QString text;
    EXPECT_EQ(5, page.status->GetLamp(0, 0, text));
    EXPECT_EQ(QStringList{"GetKZQWStatus 1"}, Requests(QStringLiteral("GetKZQWStatus")))
        << "the second axis is asked although the first failed";
    EXPECT_EQ(1, page.status->GetLamp(1, 0, text));
    EXPECT_EQ(2u, Sim().Log().Of(QStringLiteral("GetProgInfo")).size()) << "the objects after it are read";
}

TEST_F(MonitorCycleTest, ARecordThatCannotBeReadFailsTheCycleWithItsCode)
{
    OneOfEach();
    DrawPage();
    Faults().Add(SimFault(CSimFault::ForcedResult, commproto::ReadMonitoringInfo, 779));
    CHOXMonitorResult result;
    std::uint32_t skip = 0;
    int code = 0;
    Sim().Log().Clear();
    EXPECT_EQ(Cycle::Failed, CHOXMonitorThread::OnExecuteMonitor(comm, CHOXMonitorSession::MakePlan(*doc), skip, stop,
                                                                 result, code));
    EXPECT_EQ(779, code);
    // The refused request is not carried out, and nothing is asked after it.
    EXPECT_TRUE(Operations().isEmpty()) << Operations().join(u' ').toStdString();
}

TEST_F(MonitorCycleTest, TheSkipRuleSkipsSystemResponseCyclesBeforeEachPoll)
{
    Plan plan;
    std::uint32_t skip = 0;
    const struct {
        std::uint32_t response;
        std::vector<Cycle> cycles;
    } cases[] = {
        {0, {Cycle::Read, Cycle::Read, Cycle::Read}},
        {2, {Cycle::Skipped, Cycle::Skipped, Cycle::Read, Cycle::Skipped, Cycle::Skipped, Cycle::Read}},
        {1, {Cycle::Skipped, Cycle::Read, Cycle::Skipped, Cycle::Read}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.response);
        plan.systemResponse = c.response;
        Sim().Log().Clear();
        std::size_t reads = 0;
        for (Cycle expected : c.cycles) {
            CHOXMonitorResult result;
            int code = 0;
            EXPECT_EQ(expected, CHOXMonitorThread::OnExecuteMonitor(comm, plan, skip, stop, result, code));
            if (expected == Cycle::Read) ++reads;
        }
        EXPECT_EQ(reads, Sim().Log().Size()) << "a skipped cycle sends nothing";
    }
    // The counter is the caller's: a cycle never starts it again.
    plan.systemResponse = 5;
    skip = 4;
    CHOXMonitorResult result;
    int code = 0;
    EXPECT_EQ(Cycle::Skipped, CHOXMonitorThread::OnExecuteMonitor(comm, plan, skip, stop, result, code));
    EXPECT_EQ(5u, skip);
    EXPECT_EQ(Cycle::Read, CHOXMonitorThread::OnExecuteMonitor(comm, plan, skip, stop, result, code));
    EXPECT_EQ(0u, skip);
}

TEST_F(MonitorCycleTest, AfterTheStopFlagNoObjectIsRead)
{
    OneOfEach();
    DrawPage();
    const Plan plan = CHOXMonitorSession::MakePlan(*doc);
    stop = true;
    CHOXMonitorResult result;
    EXPECT_EQ(Cycle::Stopped, Run(plan, result));
    EXPECT_TRUE(Sim().Log().Entries().empty());
    Sim().Log().Clear();
    EXPECT_FALSE(CHOXMonitorThread::PollObjects(comm, plan, stop, result));
    EXPECT_TRUE(Sim().Log().Entries().empty());
}
