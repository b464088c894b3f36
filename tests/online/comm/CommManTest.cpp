// The communication library against the simulated controller inside the
// program: opening and closing, and every operation's round trip, records,
// block sizes and refusals.
#include "online/comm/CommDiag.h"
#include "online/comm/CommKZQWStatus.h"
#include "online/comm/CommManInputStat.h"
#include "online/comm/CommMonitor.h"
#include "online/comm/CommPortSettings.h"
#include "online/comm/CommProgInfo.h"
#include "online/comm/CommStatusInfo.h"
#include "online/comm/ControllerDevices.h"
#include "online/sim/SimController.h"
#include "params/HOXParam.h"

#include "app/HOXRegistry.h"
#include "online/comm/CommTestSupport.h"

#include <QString>

#include <array>
#include <cstring>
#include <vector>

using kt::test::SimLinkTest;

namespace {

class CommManTest : public SimLinkTest {
protected:
    // An object open on COM1 (the simulator).
    void Open(CCommMan& comm) { ASSERT_EQ(0, comm.mfi_Open(QStringLiteral("COM1"))); }
};

// ---------------------------------------------------------------------------
// Opening and closing

TEST_F(CommManTest, OpenAndCloseMisuseGiveTheirCodes)
{
    CCommPortSettings unmapped;
    unmapped.m_device.clear();
    CCommPortSettings::Write(QStringLiteral("COM3"), unmapped);
    CCommPortSettings badSpeed;
    badSpeed.m_device = QStringLiteral("sim");
    badSpeed.m_speed = 0;
    CCommPortSettings::Write(QStringLiteral("COM4"), badSpeed);

    const struct {
        const char* port;
        int code;
    } opens[] = {
        {"COM5", 259}, {"COM0", 259},  {"com1", 259},
        {"", 259},     {"COM10", 259}, {"COM2", 256}, // leads nowhere by default
        {"COM3", 256},                                // an empty device
        {"COM4", 257},                                // a speed the line cannot take
    };
    for (const auto& c : opens) {
        CCommMan comm;
        EXPECT_EQ(c.code, comm.mfi_Open(QString::fromLatin1(c.port))) << c.port;
        EXPECT_EQ(c.code, comm.mfi_GetCommError()) << c.port;
        // A failed open leaves the object closed: requests and close fail
        // harmlessly.
        int type = -7;
        EXPECT_EQ(774, comm.mfi_GetKZQWType(type)) << c.port;
        EXPECT_EQ(-7, type);
        EXPECT_EQ(512, comm.mfi_Close()) << c.port;
        EXPECT_EQ(512, comm.mfi_GetCommError());
    }
}

TEST_F(CommManTest, AnObjectOpensOnceAndSharesItsPort)
{
    CCommMan first;
    CCommMan second;
    Open(first);
    EXPECT_EQ(260, first.mfi_Open(QStringLiteral("COM1")));
    EXPECT_EQ(260, first.mfi_GetCommError());
    first.mfi_ClearCommError();
    EXPECT_EQ(0, first.mfi_GetCommError());
    Open(second); // a second object on the same port is no error
    int type = -1;
    EXPECT_EQ(0, first.mfi_GetKZQWType(type));
    EXPECT_EQ(0, second.mfi_GetKZQWType(type));
    EXPECT_EQ(0, first.mfi_Close());
    EXPECT_EQ(0, second.mfi_GetKZQWType(type)); // the port stays for the other
    EXPECT_EQ(512, first.mfi_Close());
    EXPECT_EQ(0, second.mfi_Close());
    // Closed and open again.
    Open(first);
    EXPECT_EQ(0, first.mfi_GetKZQWType(type));
}

TEST_F(CommManTest, TooManyObjectsOpen)
{
    std::vector<std::unique_ptr<CCommMan>> open;
    for (int i = 0; i < 8; ++i) {
        open.push_back(std::make_unique<CCommMan>());
        ASSERT_EQ(0, open.back()->mfi_Open(QStringLiteral("COM1")));
    }
    CCommMan ninth;
    EXPECT_EQ(261, ninth.mfi_Open(QStringLiteral("COM1")));
    open.front()->mfi_Close();
    EXPECT_EQ(0, ninth.mfi_Open(QStringLiteral("COM1")));
    // Destroying open objects closes them.
    open.clear();
    CCommMan again;
    EXPECT_EQ(0, again.mfi_Open(QStringLiteral("COM1")));
}

TEST_F(CommManTest, AFreshProgramReachesTheSimulatorOnCom1)
{
    // Fresh settings: the port the program uses, and where it leads.
    const QString port = CHOXRegistry().ReadCommPort();
    EXPECT_EQ(QStringLiteral("COM1"), port);
    EXPECT_TRUE(CCommPortSettings::Read(port).IsSimulator());
    CCommMan comm;
    ASSERT_EQ(0, comm.mfi_Open(port));
    int type = -1;
    ASSERT_EQ(0, comm.mfi_GetKZQWType(type));
    EXPECT_EQ(1, type);
    ASSERT_EQ(1u, Sim().Log().Of(QStringLiteral("GetKZQWType")).size());
}

TEST_F(CommManTest, TheSimulatorPacesItsLineByDefault)
{
    // So that a polling loop on the default link never spins a core.
    Host().Reset();
    EXPECT_TRUE(Host().Server().IsPacing());
    CCommPortSettings slow;
    slow.m_device = QStringLiteral("sim");
    slow.m_speed = 9600;
    CCommPortSettings::Write(QStringLiteral("COM1"), slow);
    CCommMan comm;
    Open(comm);
    EXPECT_EQ(9600, Host().Server().Baud()) << "at the port's speed";
    int type = -1;
    EXPECT_EQ(0, comm.mfi_GetKZQWType(type));
}

// ---------------------------------------------------------------------------
// Records

TEST_F(CommManTest, IdentityStatusAndSwitches)
{
    CCommMan comm;
    Open(comm);
    CCommDiag diag;
    ASSERT_EQ(0, comm.mfi_Diagnosis(&diag));
    EXPECT_EQ(8000, diag.m_capacity);
    EXPECT_EQ(1, diag.m_model);
    EXPECT_EQ(110, diag.m_version);
    EXPECT_EQ(1, diag.m_cassette);

    const struct {
        CSimController::Switch which;
        bool on;
        std::array<int, 4> status; // x ready, writing permitted, y ready, not auto
    } cases[] = {
        {CSimController::WritePermitted, true, {1, 1, 1, 1}},  {CSimController::Auto, true, {1, 1, 1, 0}},
        {CSimController::WritePermitted, false, {1, 0, 1, 0}}, {CSimController::ReadyX, false, {0, 0, 1, 0}},
        {CSimController::ReadyY, false, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        Sim().SetSwitch(c.which, c.on);
        CCommStatusInfo info;
        ASSERT_EQ(0, comm.mfi_Status(&info));
        EXPECT_EQ(c.status, (std::array<int, 4>{info.m_xReady, info.m_writePermitted, info.m_yReady, info.m_notAuto}));
    }

    Sim().SetModel(0);
    int type = -1;
    ASSERT_EQ(0, comm.mfi_GetKZQWType(type));
    EXPECT_EQ(0, type);
    ASSERT_EQ(0, comm.mfi_Diagnosis(&diag));
    EXPECT_EQ(4000, diag.m_capacity);
    EXPECT_EQ(0, diag.m_model);
}

TEST_F(CommManTest, FileNameRoundTrip)
{
    CCommMan comm;
    Open(comm);
    QString name = QStringLiteral("x");
    ASSERT_EQ(0, comm.mfi_GetFileName(name));
    EXPECT_EQ(QString(), name);
    ASSERT_EQ(0, comm.mfi_SetFileName(QStringLiteral("machine \u00e9.hox")));
    ASSERT_EQ(0, comm.mfi_GetFileName(name));
    EXPECT_EQ(QStringLiteral("machine \u00e9.hox"), name);
    // Too long for the controller: refused, and the name stays.
    EXPECT_EQ(779, comm.mfi_SetFileName(QString(256, u'a')));
    ASSERT_EQ(0, comm.mfi_GetFileName(name));
    EXPECT_EQ(QStringLiteral("machine \u00e9.hox"), name);
    // Too long for a frame: refused before it is sent.
    const std::size_t logged = Sim().Log().Size();
    EXPECT_EQ(779, comm.mfi_SetFileName(QString(5000, u'a')));
    EXPECT_EQ(logged, Sim().Log().Size());
}

TEST_F(CommManTest, ParameterBlocksRoundTripWithTheirSizes)
{
    CCommMan comm;
    Open(comm);
    const CHOXParam defaults;
    const struct {
        int block;
        int axis;
        std::size_t size;
    } blocks[] = {{112, 0, 12}, {113, 0, 27}, {114, 0, 27}, {113, 1, 27}, {114, 1, 27}};
    for (const auto& b : blocks) {
        std::vector<std::int32_t> read(b.size + 1, -99);
        ASSERT_EQ(0, comm.mfi_ReadParams(b.block, b.axis, read.data())) << b.block << "/" << b.axis;
        EXPECT_EQ(-99, read.back()) << "nothing past the block";
        read.pop_back();
        EXPECT_EQ(defaults.GetTransferBlock(static_cast<UINT>(b.block), b.axis), read);

        std::vector<std::int32_t> written(b.size);
        for (std::size_t i = 0; i < b.size; ++i)
            written[i] = static_cast<std::int32_t>(1000 * b.block + 10 * b.axis + i);
        written[0] = -2147483647 - 1;
        ASSERT_EQ(0, comm.mfi_WriteParams(b.block, b.axis, written.data()));
        EXPECT_EQ(written, Sim().Block(b.block, b.axis));
        std::vector<std::int32_t> back(b.size);
        ASSERT_EQ(0, comm.mfi_ReadParams(b.block, b.axis, back.data()));
        EXPECT_EQ(written, back);
    }
}

TEST_F(CommManTest, ParameterRefusalsAreMinusOneWithTheirCause)
{
    CCommMan comm;
    Open(comm);
    std::vector<std::int32_t> values(27, 5);
    const struct {
        int block;
        int axis;
    } refused[] = {{112, 1}, {113, 2}, {114, -1}, {115, 0}, {0, 0}};
    for (const auto& r : refused) {
        std::vector<std::int32_t> read(27, -3);
        EXPECT_EQ(-1, comm.mfi_ReadParams(r.block, r.axis, read.data())) << r.block << "/" << r.axis;
        EXPECT_EQ(779, comm.mfi_GetCommError());
        EXPECT_EQ(std::vector<std::int32_t>(27, -3), read) << "a failed read writes nothing";
        EXPECT_EQ(-1, comm.mfi_WriteParams(r.block, r.axis, values.data()));
        EXPECT_EQ(779, comm.mfi_GetCommError());
    }
    // The one-axis model has no Y blocks.
    Sim().SetModel(0);
    EXPECT_EQ(-1, comm.mfi_ReadParams(113, 1, values.data()));
    std::vector<std::int32_t> common(12);
    ASSERT_EQ(0, comm.mfi_ReadParams(112, 0, common.data()));
    EXPECT_EQ(1, common[0]) << "the one-axis model's 4K memory";
    // Writing prohibited, or in auto mode.
    Sim().SetSwitch(CSimController::WritePermitted, false);
    EXPECT_EQ(-1, comm.mfi_WriteParams(113, 0, values.data()));
    EXPECT_EQ(779, comm.mfi_GetCommError());
    // Every failure, the link's too.
    comm.mfi_Close();
    EXPECT_EQ(-1, comm.mfi_ReadParams(113, 0, values.data()));
    EXPECT_EQ(774, comm.mfi_GetCommError());
}

TEST_F(CommManTest, ProgramRoundTripsAndTheChecksumFlag)
{
    CCommMan comm;
    Open(comm);
    const QString texts[] = {
        QString(),
        QStringLiteral("OX0;\ncod01(LIN) X100 Y-2;\nm02(END);\n"),
        // Over several blocks, with a line end on a block's border.
        QString(511, u'a') + QStringLiteral("\n") + QString(1500, u'b') + QStringLiteral("\n\xe9;"),
    };
    for (const QString& text : texts) {
        int sum = 0;
        ASSERT_EQ(0, comm.mfi_CreateSum(sum));
        EXPECT_TRUE(Sim().ChecksumFlag());
        ASSERT_EQ(0, comm.mfi_WriteProgram(text, 7800, 0)) << text.size();
        EXPECT_FALSE(Sim().ChecksumFlag()) << "a write clears the flag";
        EXPECT_EQ(text.toLatin1(), Sim().ProgramText());
        QString read = QStringLiteral("old");
        ASSERT_EQ(0, comm.mfi_ReadProgram(read));
        EXPECT_EQ(text, read);
        ASSERT_EQ(0, comm.mfi_CreateSum(sum));
        EXPECT_TRUE(Sim().ChecksumFlag());
    }
}

TEST_F(CommManTest, ProgramRefusals)
{
    CCommMan comm;
    Open(comm);
    const QByteArray old = "OX0;\nm02(END);\n";
    ASSERT_TRUE(Sim().StoreProgram(old));
    const QString tooBig = QStringLiteral("LD X0;\n").repeated(7801);
    const QString fits = QStringLiteral("LD X0;\n").repeated(7700);

    // The memory argument must be the controller's.
    EXPECT_EQ(0x601, comm.mfi_WriteProgram(fits, 3800, 0));
    EXPECT_EQ(779, comm.mfi_GetCommError());
    // More steps than the memory less P101.
    EXPECT_EQ(-1, comm.mfi_WriteProgram(tooBig, 7800, 0));
    EXPECT_EQ(779, comm.mfi_GetCommError());
    comm.mfi_ClearCommError();
    EXPECT_EQ(-1, comm.mfi_WriteProgram(fits, 7800, 101));
    EXPECT_EQ(779, comm.mfi_GetCommError());
    // A statement the controller refuses.
    Sim().SetStepCounter([](QStringView statement, QStringView) { return statement.contains(u'?') ? -1 : 1; });
    EXPECT_EQ(-1, comm.mfi_WriteProgram(QStringLiteral("LD X0;\nBAD?\n"), 7800, 0));
    // Writing prohibited.
    Sim().SetSwitch(CSimController::WritePermitted, false);
    EXPECT_EQ(779, comm.mfi_WriteProgram(QStringLiteral("LD X0;\n"), 7800, 0));
    EXPECT_EQ(old, Sim().ProgramText()) << "every refusal keeps the old program";
    Sim().SetSwitch(CSimController::WritePermitted, true);
    EXPECT_EQ(0, comm.mfi_WriteProgram(fits, 7800, 100));
    EXPECT_EQ(fits.toLatin1(), Sim().ProgramText());

    // Reading while the parameters are undefined.
    Sim().SetSwitch(CSimController::ParamsDefined, false);
    QString read = QStringLiteral("kept");
    EXPECT_EQ(0x600, comm.mfi_ReadProgram(read));
    EXPECT_EQ(779, comm.mfi_GetCommError());
    EXPECT_EQ(QStringLiteral("kept"), read);
    ASSERT_EQ(0, comm.mfi_InitiateKZQW());
    ASSERT_EQ(0, comm.mfi_ReadProgram(read));
    EXPECT_EQ(QString(), read) << "initialising empties the program and defines the parameters";
}

TEST_F(CommManTest, InitiateRestoresTheDefaults)
{
    CCommMan comm;
    Open(comm);
    std::vector<std::int32_t> values(27, 77);
    ASSERT_EQ(0, comm.mfi_WriteParams(113, 1, values.data()));
    ASSERT_EQ(0, comm.mfi_WriteProgram(QStringLiteral("OX1;\n"), 7800, 0));
    ASSERT_EQ(0, comm.mfi_SetFileName(QStringLiteral("a.hox")));
    int sum = 0;
    ASSERT_EQ(0, comm.mfi_CreateSum(sum));
    // Refused in auto mode and while writing is prohibited.
    Sim().SetSwitch(CSimController::Auto, true);
    EXPECT_EQ(779, comm.mfi_InitiateKZQW());
    Sim().SetSwitch(CSimController::Auto, false);
    ASSERT_EQ(0, comm.mfi_InitiateKZQW());
    EXPECT_EQ(CHOXParam().GetTransferBlock(113, 1), Sim().Block(113, 1));
    EXPECT_EQ(QByteArray(), Sim().ProgramText());
    EXPECT_EQ(QByteArray(), Sim().FileName());
    EXPECT_FALSE(Sim().ChecksumFlag());
}

TEST_F(CommManTest, ReadBackForms)
{
    CCommMan comm;
    Open(comm);
    ASSERT_EQ(
        0, comm.mfi_WriteProgram(QStringLiteral("OX0;\ncod01(LIN)  x100,y2;\nm02(END);\nP1;\nRET(FNC03);\n"), 7800, 0));
    Sim().SetReadBack(CSimController::Listing);
    QString read;
    ASSERT_EQ(0, comm.mfi_ReadProgram(read));
    EXPECT_EQ(QStringLiteral(" OX0;\n COD01(LIN)  X100,Y2;\n M02(END);\nNOP\nNOP\n P1;\n RET(FNC03);\nEND"), read);
    Sim().SetReadBack(CSimController::SetText, "anything");
    ASSERT_EQ(0, comm.mfi_ReadProgram(read));
    EXPECT_EQ(QStringLiteral("anything"), read);
}

TEST_F(CommManTest, MonitoringRecords)
{
    CCommMan comm;
    Open(comm);
    // Parameters 1 and 2 of X: 2000 pulses for 1000 units.
    std::vector<std::int32_t> x = Sim().Block(113, 0);
    x[0] = 0;
    x[1] = 2000;
    x[2] = 1000;
    ASSERT_EQ(0, comm.mfi_WriteParams(113, 0, x.data()));
    ASSERT_EQ(0, comm.mfi_WriteCurrentPos(0, 500, 0));  // 500 units = 1000 pulses
    ASSERT_EQ(0, comm.mfi_WriteCurrentPos(1, -300, 1)); // pulses
    Sim().SetManualInputs(1, {1, 0, 1, 0, 0, 1});
    Sim().SetAxisError(0, 42);
    Sim().SetTaskStep(CSimController::TaskSub, 17);

    std::int32_t px = 0;
    std::int32_t py = 0;
    ASSERT_EQ(0, comm.mfi_ReadCurrentPos(px, py, 0));
    EXPECT_EQ(500, px);
    EXPECT_EQ(-300, py); // Y's defaults: as many units as pulses
    ASSERT_EQ(0, comm.mfi_ReadCurrentPos(px, py, 1));
    EXPECT_EQ(1000, px);
    px = 9;
    EXPECT_EQ(779, comm.mfi_ReadCurrentPos(px, py, 2));
    EXPECT_EQ(9, px);

    CCommMonitor monitor;
    ASSERT_EQ(0, comm.mfi_ReadMonitoringInfo(&monitor));
    EXPECT_EQ((std::array<int, 7>{500, -300, 1000, -300, -1, -1, 17}),
              (std::array<int, 7>{monitor.m_plotX, monitor.m_plotY, monitor.m_pulseX, monitor.m_pulseY, monitor.m_stepX,
                                  monitor.m_stepY, monitor.m_stepSub}));

    CCommManInputStat inputs;
    ASSERT_EQ(0, comm.mfi_GetManInputStatus(1, &inputs));
    EXPECT_EQ((std::array<int, 6>{1, 0, 1, 0, 0, 1}), (std::array<int, 6>{inputs.m_dog, inputs.m_start, inputs.m_stop,
                                                                          inputs.m_zrn, inputs.m_fwd, inputs.m_rvs}));
    CCommKZQWStatus status;
    ASSERT_EQ(0, comm.mfi_GetKZQWStatus(0, &status));
    EXPECT_EQ((std::array<int, 4>{1, 0, 1, 0}),
              (std::array<int, 4>{status.m_ready, status.m_completed, status.m_error, status.m_zeroCompleted}));
    CCommProgInfo info;
    ASSERT_EQ(0, comm.mfi_GetProgInfo(0, &info));
    EXPECT_EQ((std::array<int, 3>{-1, 0, 42}), (std::array<int, 3>{info.m_programNo, info.m_mCode, info.m_errorCode}));

    // Axis 2 does not exist; nor does Y on the one-axis model. A refused read
    // leaves the record alone.
    CCommProgInfo untouched;
    untouched.m_mCode = 55;
    EXPECT_EQ(779, comm.mfi_GetProgInfo(2, &untouched));
    EXPECT_EQ(55, untouched.m_mCode);
    Sim().SetModel(0);
    EXPECT_EQ(779, comm.mfi_GetKZQWStatus(1, &status));
    EXPECT_EQ(779, comm.mfi_GetManInputStatus(1, &inputs));
    EXPECT_EQ(0, comm.mfi_GetManInputStatus(0, &inputs));
}

// ---------------------------------------------------------------------------
// Devices

std::vector<std::int32_t> Values(const std::vector<BYTE>& buffer, int width)
{
    std::vector<std::int32_t> values;
    for (std::size_t i = 0; i + static_cast<std::size_t>(width) <= buffer.size();
         i += static_cast<std::size_t>(width)) {
        if (width == 2) {
            std::int16_t v = 0;
            std::memcpy(&v, &buffer[i], 2);
            values.push_back(v);
        } else {
            std::int32_t v = 0;
            std::memcpy(&v, &buffer[i], 4);
            values.push_back(v);
        }
    }
    return values;
}

std::vector<BYTE> Buffer(const std::vector<std::int32_t>& values, int width)
{
    std::vector<BYTE> buffer(values.size() * static_cast<std::size_t>(width));
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (width == 2) {
            const auto v = static_cast<std::int16_t>(values[i]);
            std::memcpy(&buffer[i * 2], &v, 2);
        } else {
            std::memcpy(&buffer[i * 4], &values[i], 4);
        }
    }
    return buffer;
}

TEST_F(CommManTest, DevicesRoundTripWithTheirWidths)
{
    CCommMan comm;
    Open(comm);
    std::vector<std::int32_t> common = Sim().Block(112, 0);
    common[1] = 100; // 100 file registers
    ASSERT_EQ(0, comm.mfi_WriteParams(112, 0, common.data()));

    const struct {
        int type;
        int address;
        int index;
        std::vector<std::int32_t> values;
        int width;
    } cases[] = {
        {ctrldev::D, 100, -1, {1, -2, 32767}, 2}, {ctrldev::DD, 200, -1, {70000, -70000}, 4},
        {ctrldev::DFile, 99, -1, {-5}, 2},        {ctrldev::DDFile, 0, -1, {123456789}, 4},
        {ctrldev::DSpecial, 0, -1, {9}, 2},                                            // D9000 is writable
        {ctrldev::DDSpecial, 140, -1, {-1}, 4},                                        // D9140/D9141
        {ctrldev::V, 6, -1, {-7, 8}, 2},          {ctrldev::Z, 2, -1, {100000, 3}, 4}, // pairs Z2/Z3, Z4/Z5
        {ctrldev::M, 510, -1, {1, 0}, 2},         {ctrldev::Y, 6, -1, {1, 1, 0}, 2},   // Y6, Y7, Y10
        {ctrldev::MSpecial, 100, -1, {1}, 2},     {ctrldev::D, 10, 3, {-3, 4}, 4},     // indexed: 32-bit slots
    };
    for (const auto& c : cases) {
        const auto count = static_cast<int>(c.values.size());
        const std::vector<BYTE> out = Buffer(c.values, c.width);
        ASSERT_EQ(0, comm.mfi_WriteDevice(c.type, c.address, c.index, count, out.data())) << c.type << " " << c.address;
        std::vector<BYTE> in(out.size() + 4, 0xEE);
        ASSERT_EQ(0, comm.mfi_ReadDevice(c.type, c.address, c.index, count, in.data()));
        EXPECT_EQ(0xEE, in.back()) << "no byte past the values";
        in.resize(out.size());
        EXPECT_EQ(c.values, Values(in, c.width)) << c.type << " " << c.address;
    }
    // Y6, Y7 and Y10 are the counts 6, 7 and 8.
    std::int32_t bit = 0;
    ASSERT_TRUE(Sim().ReadDeviceValue(ctrldev::Y, 10, bit));
    EXPECT_EQ(0, bit);
    ASSERT_TRUE(Sim().ReadDeviceValue(ctrldev::Y, 7, bit));
    EXPECT_EQ(1, bit);
    // V3 is 0: the indexed write went to D10 and D11.
    ASSERT_TRUE(Sim().ReadDeviceValue(ctrldev::D, 11, bit));
    EXPECT_EQ(4, bit);
}

TEST_F(CommManTest, IndexRegistersShiftTheDevice)
{
    CCommMan comm;
    Open(comm);
    const std::vector<BYTE> five = Buffer({5}, 2);
    ASSERT_EQ(0, comm.mfi_WriteDevice(ctrldev::V, 1, -1, 1, five.data()));            // V1 = 5
    ASSERT_EQ(0, comm.mfi_WriteDevice(ctrldev::Z, 4, -1, 1, Buffer({-2}, 4).data())); // Z4 = -2, Z5 = -1
    const std::vector<BYTE> value = Buffer({321}, 4);
    ASSERT_EQ(0, comm.mfi_WriteDevice(ctrldev::D, 100, 1, 1, value.data()));  // D(100 + V1)
    ASSERT_EQ(0, comm.mfi_WriteDevice(ctrldev::D, 100, 12, 1, value.data())); // D(100 + Z4)
    std::int32_t v = 0;
    ASSERT_TRUE(Sim().ReadDeviceValue(ctrldev::D, 105, v));
    EXPECT_EQ(321, v);
    ASSERT_TRUE(Sim().ReadDeviceValue(ctrldev::D, 98, v));
    EXPECT_EQ(321, v);
}

TEST_F(CommManTest, DeviceRefusals)
{
    CCommMan comm;
    Open(comm);
    const struct {
        int type;
        int address;
        int index;
        int count;
        bool write;
    } refused[] = {
        {ctrldev::D, 3999, -1, 2, false},  // D4000 is no data register
        {ctrldev::DD, 3999, -1, 1, false}, // nor is half a pair
        {ctrldev::DFile, 0, -1, 1, false}, // no file registers without P101
        {ctrldev::DSpecial, 600, -1, 1, false},
        {ctrldev::DSpecial, 1, -1, 1, true},  // D9001 is the controller's
        {ctrldev::DDSpecial, 3, -1, 1, true}, // D9004 is writable, D9003 not
        {ctrldev::X, 0, -1, 1, true},         // inputs are the machine's
        {ctrldev::X, 70, -1, 1, false},       // X70 does not exist
        {ctrldev::X, 18, -1, 1, false},       // no octal number
        {ctrldev::Y, 67, -1, 2, false},       // Y67, then Y70
        {ctrldev::M, 512, -1, 1, false},
        {ctrldev::MSpecial, 176, -1, 1, false},
        {ctrldev::V, 8, -1, 1, false},
        {ctrldev::Z, 7, -1, 1, false}, // Z7/Z8
        {12, 0, -1, 1, false},
        {ctrldev::D, 0, 16, 1, false}, // no such index register
        {ctrldev::D, 0, -1, 0, false},
        {ctrldev::D, 0, -1, 65, false},
    };
    for (const auto& r : refused) {
        std::vector<BYTE> buffer(65 * 4, 0xAB);
        const int code = r.write ? comm.mfi_WriteDevice(r.type, r.address, r.index, r.count, buffer.data())
                                 : comm.mfi_ReadDevice(r.type, r.address, r.index, r.count, buffer.data());
        EXPECT_EQ(779, code) << r.type << " " << r.address << " " << r.count;
        EXPECT_EQ(std::vector<BYTE>(65 * 4, 0xAB), buffer);
    }
    EXPECT_EQ(779, comm.mfi_ReadDevice(ctrldev::D, 0, -1, 1, nullptr));
    // The ranges of the one-axis model are smaller.
    Sim().SetModel(0);
    std::vector<BYTE> buffer(8);
    EXPECT_EQ(779, comm.mfi_ReadDevice(ctrldev::D, 2000, -1, 1, buffer.data()));
    EXPECT_EQ(779, comm.mfi_ReadDevice(ctrldev::X, 4, -1, 1, buffer.data()));
    EXPECT_EQ(0, comm.mfi_ReadDevice(ctrldev::X, 375, -1, 3, buffer.data()));
    EXPECT_EQ(779, comm.mfi_ReadDevice(ctrldev::Y, 6, -1, 1, buffer.data()));
    EXPECT_EQ(779, comm.mfi_ReadDevice(ctrldev::DSpecial, 314, -1, 1, buffer.data()));
}

TEST_F(CommManTest, SetAndResetTakeYByCountAndStartPrograms)
{
    CCommMan comm;
    Open(comm);
    ASSERT_EQ(0, comm.mfi_SetOperation(ctrldev::Y, 15)); // Y17
    std::int32_t bit = 0;
    ASSERT_TRUE(Sim().ReadDeviceValue(ctrldev::Y, 17, bit));
    EXPECT_EQ(1, bit);
    ASSERT_EQ(0, comm.mfi_ResetOperation(ctrldev::Y, 15));
    ASSERT_TRUE(Sim().ReadDeviceValue(ctrldev::Y, 17, bit));
    EXPECT_EQ(0, bit);
    EXPECT_EQ(779, comm.mfi_SetOperation(ctrldev::X, 0));
    EXPECT_EQ(779, comm.mfi_SetOperation(ctrldev::D, 0));
    EXPECT_EQ(779, comm.mfi_SetOperation(ctrldev::Y, 56));

    ASSERT_EQ(
        0, comm.mfi_WriteProgram(QStringLiteral("OX3;\nLD X0;\nm02(END);\nOY4;\nm02(END);\nO100;\nLD X1;\n"), 7800, 0));
    Sim().SetEnginePace(0);
    // Not in manual mode.
    ASSERT_EQ(0, comm.mfi_ResetOperation(ctrldev::MSpecial, 1));
    ASSERT_EQ(0, comm.mfi_SetOperation(ctrldev::MSpecial, 1));
    EXPECT_FALSE(Sim().IsRunning(CSimController::TaskX));
    Sim().SetSwitch(CSimController::Auto, true);
    // The edge counts: M9001 is still set.
    ASSERT_EQ(0, comm.mfi_SetOperation(ctrldev::MSpecial, 1));
    EXPECT_FALSE(Sim().IsRunning(CSimController::TaskX));
    ASSERT_EQ(0, comm.mfi_ResetOperation(ctrldev::MSpecial, 1));
    ASSERT_EQ(0, comm.mfi_SetOperation(ctrldev::MSpecial, 1));
    EXPECT_TRUE(Sim().IsRunning(CSimController::TaskX));
    EXPECT_TRUE(Sim().IsRunning(CSimController::TaskSub));
    EXPECT_FALSE(Sim().IsRunning(CSimController::TaskY));
    EXPECT_EQ(3, Sim().ProgramNumber(CSimController::TaskX));
    CCommStatusInfo status;
    ASSERT_EQ(0, comm.mfi_Status(&status));
    EXPECT_EQ(0, status.m_xReady);
    EXPECT_EQ(1, status.m_yReady);
    CCommMonitor monitor;
    ASSERT_EQ(0, comm.mfi_ReadMonitoringInfo(&monitor));
    EXPECT_EQ(0, monitor.m_stepX);
    EXPECT_EQ(-1, monitor.m_stepY);
    // The subtask starts at the address of "O100;", the checker's steps of
    // the statements before it: 3 + 2 + 2 + 3 + 2.
    EXPECT_EQ(12, monitor.m_stepSub);
    // Y by M9017 (a set on its own is a rising edge), stop X by M9002.
    ASSERT_EQ(0, comm.mfi_SetOperation(ctrldev::MSpecial, 17));
    EXPECT_EQ(4, Sim().ProgramNumber(CSimController::TaskY));
    EXPECT_TRUE(Sim().IsRunning(CSimController::TaskY));
    ASSERT_EQ(0, comm.mfi_SetOperation(ctrldev::MSpecial, 2));
    EXPECT_FALSE(Sim().IsRunning(CSimController::TaskX));
    EXPECT_FALSE(Sim().IsRunning(CSimController::TaskSub));
    ASSERT_EQ(0, comm.mfi_SetOperation(ctrldev::MSpecial, 18));
    EXPECT_FALSE(Sim().IsRunning(CSimController::TaskY));
}

TEST_F(CommManTest, ManualOperationCodes)
{
    CCommMan comm;
    Open(comm);
    const int accepted[] = {68, 84, 70, 86, 72, 74, 16, 69, 85, 71, 87, 73, 75, 17};
    for (int code : accepted) EXPECT_EQ(0, comm.mfi_WriteManualOprn(code, 0)) << code;
    const int refused[] = {0, 1, 2, 15, 18, 67, 76, 83, 88, 100, -68};
    for (int code : refused) EXPECT_EQ(779, comm.mfi_WriteManualOprn(code, 0)) << code;

    // Zero return, feed, jog.
    ASSERT_EQ(0, comm.mfi_WriteCurrentPos(0, 40, 1));
    ASSERT_EQ(0, comm.mfi_WriteManualOprn(72, 0));
    EXPECT_EQ(0, Sim().Position(0));
    CCommKZQWStatus status;
    ASSERT_EQ(0, comm.mfi_GetKZQWStatus(0, &status));
    EXPECT_EQ(1, status.m_zeroCompleted);
    ASSERT_EQ(0, comm.mfi_WriteManualOprn(75, -250));
    EXPECT_EQ(-250, Sim().Position(1));
    ASSERT_EQ(0, comm.mfi_WriteManualOprn(68, 0));
    EXPECT_EQ(1, Sim().Jog(0));
    CCommStatusInfo info;
    ASSERT_EQ(0, comm.mfi_Status(&info));
    EXPECT_EQ(0, info.m_xReady) << "a jogging axis is busy";
    EXPECT_EQ(779, comm.mfi_WriteCurrentPos(0, 0, 0));
    ASSERT_EQ(0, comm.mfi_WriteManualOprn(86, 0)); // the other direction's end: no effect
    EXPECT_EQ(1, Sim().Jog(0));
    ASSERT_EQ(0, comm.mfi_WriteManualOprn(84, 0));
    EXPECT_EQ(0, Sim().Jog(0));
    Sim().SetAxisError(1, 3);
    ASSERT_EQ(0, comm.mfi_WriteManualOprn(17, 0));
    ASSERT_EQ(0, comm.mfi_GetKZQWStatus(1, &status));
    EXPECT_EQ(0, status.m_error);

    // The one-axis model has no Y codes.
    Sim().SetModel(0);
    EXPECT_EQ(779, comm.mfi_WriteManualOprn(69, 0));
    EXPECT_EQ(0, comm.mfi_WriteManualOprn(68, 0));
    EXPECT_EQ(779, comm.mfi_WriteCurrentPos(1, 0, 0));
}

TEST_F(CommManTest, RecordsAreLeftAloneByFailures)
{
    CCommMan comm;
    // Closed: every request is 774 and writes nothing.
    CCommStatusInfo status;
    status.m_xReady = 5;
    EXPECT_EQ(774, comm.mfi_Status(&status));
    EXPECT_EQ(5, status.m_xReady);
    CCommDiag diag;
    diag.m_model = 9;
    EXPECT_EQ(774, comm.mfi_Diagnosis(&diag));
    EXPECT_EQ(9, diag.m_model);
    QString text = QStringLiteral("keep");
    EXPECT_EQ(774, comm.mfi_ReadProgram(text));
    EXPECT_EQ(774, comm.mfi_GetFileName(text));
    EXPECT_EQ(QStringLiteral("keep"), text);
    EXPECT_EQ(774, comm.mfi_WriteProgram(QStringLiteral("x"), 7800, 0));
    EXPECT_EQ(774, comm.mfi_GetCommError());
    // Null records are refused.
    Open(comm);
    EXPECT_EQ(779, comm.mfi_Status(nullptr));
    EXPECT_EQ(779, comm.mfi_ReadMonitoringInfo(nullptr));
}

} // namespace
