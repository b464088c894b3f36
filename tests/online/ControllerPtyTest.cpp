// The user's run of the KZ-QW commands against the simulated controller's
// own program on a pseudo-terminal, the port chosen in the main window.
#include "online/ControllerFixture.h"
#include "online/sim/SimProcess.h"

#include <QRegularExpression>

using kt::test::ControllerFixture;
using kt::test::SimProcess;

namespace {

class ControllerPtyTest : public ControllerFixture {};

TEST_F(ControllerPtyTest, WriteVerifyDiagnoseAndInitialiseOverAPseudoTerminal)
{
    SimProcess sim;
    ASSERT_TRUE(sim.Start({QStringLiteral("--no-pacing")}));
    CCommPortSettings com2;
    com2.m_device = sim.Link();
    CCommPortSettings::Write(QStringLiteral("COM2"), com2);
    ASSERT_NE(NewDocument(), nullptr);
    Main()->SetComPort(QStringLiteral("COM2"));
    PrepareRunDocument();

    const auto operations = [&sim](const char* name) {
        return sim.Command(QStringLiteral("log")).filter(QRegularExpression(QStringLiteral("^%1 ").arg(S(name))));
    };
    const auto written = [&] {
        EXPECT_TRUE(sim.Command(QStringLiteral("program")).first().endsWith(QLatin1String(" sum 1")));
        EXPECT_EQ(5, operations("WriteParams").size());
        EXPECT_EQ(1, operations("SetFileName").size());
        EXPECT_GE(operations("WriteProgramBlock").size(), 2);
        EXPECT_EQ(1, operations("CreateSum").size());
    };
    const auto initialised = [&] {
        EXPECT_EQ(QStringList({S("bytes 0 sum 0"), S("ok")}), sim.Command(QStringLiteral("program")));
        EXPECT_EQ(1, operations("InitiateKZQW").size());
    };
    RunAsUser(written, initialised);
    // The in-process simulator was never asked.
    EXPECT_TRUE(Operations().isEmpty());
    EXPECT_EQ(0, sim.Quit());
}

} // namespace
