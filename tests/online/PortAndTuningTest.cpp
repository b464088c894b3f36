// "Select COM Port" from KZ-QW > Com Port: the preset, OK and Cancel, the
// three outcomes of Test, which never changes the choice, and the port the
// next operation opens; "Tune System Response" and where its value goes.
#include "online/ControllerFixture.h"

#include "app/HOXRegistry.h"
#include "online/HOXComPortDlg.h"
#include "online/HOXTuneResponseDlg.h"
#include "platform/ui/QtDialogSite.h"
#include "support/Screenshot.h"

#include <string>

using kt::test::ControllerFixture;
using kt::test::DialogDriver;
using kt::test::kInformation;
using kt::test::kStop;
using kt::test::RecordingHelp;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedMessages;

namespace {

constexpr int kRadios[] = {CHOXComPortDlg::kCom1Radio, CHOXComPortDlg::kCom2Radio, CHOXComPortDlg::kCom3Radio,
                           CHOXComPortDlg::kCom4Radio};

class PortAndTuningTest : public ControllerFixture {
protected:
    // The radio button checked, as an index; -1 for none.
    static int Checked(DialogDriver& d)
    {
        int checked = -1;
        for (int i = 0; i < 4; ++i)
            if (d.Check(kRadios[i]) != 0) checked = i;
        return checked;
    }
    static void RunComPort(ScriptedDialogs& dialogs, ScriptedDialogs::Script script)
    {
        dialogs.Expect(CHOXComPortDlg::kTemplate, std::move(script));
        Run(ID_COM_PORT);
    }
};

} // namespace

TEST_F(PortAndTuningTest, ComPortPresetsTheFramesPortAndOnlyOkTakesTheChoice)
{
    const struct {
        const char* before;
        int preset; // the radio checked when the dialog opens
        int click;  // -1: none
        int close;
        const char* after;
    } rows[] = {
        {"COM1", 0, 2, IDOK, "COM3"},
        {"COM2", 1, 3, IDOK, "COM4"},
        {"COM4", 3, 0, IDOK, "COM1"},
        {"COM3", 2, 1, IDCANCEL, "COM3"},
        {"COM2", 1, -1, IDOK, "COM2"},
        // A name the dialog does not know checks nothing; OK without a
        // choice keeps it.
        {"COM9", -1, -1, IDOK, "COM9"},
        {"COM9", -1, 1, IDOK, "COM2"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.before) + " -> " + row.after);
        Main()->SetComPort(S(row.before));
        ScriptedDialogs dialogs;
        RunComPort(dialogs, [&](DialogDriver& d) {
            EXPECT_EQ(S("Select COM Port"), d.Caption());
            EXPECT_EQ(S("COM&1"), d.Text(CHOXComPortDlg::kCom1Radio));
            EXPECT_EQ(S("COM&4"), d.Text(CHOXComPortDlg::kCom4Radio));
            EXPECT_EQ(S("Test"), d.Text(CHOXComPortDlg::kTestButton));
            EXPECT_EQ(row.preset, Checked(d));
            if (row.click >= 0) d.Click(kRadios[row.click]);
            d.Click(row.close);
        });
        EXPECT_EQ(1, dialogs.Ran());
        EXPECT_EQ(S(row.after), Main()->GetComPort());
    }
    // The frame keeps the choice for the next start.
    Main()->SetComPort(S("COM3"));
    ASSERT_TRUE(Start());
    EXPECT_EQ(S("COM3"), Main()->GetComPort());
    EXPECT_EQ(S("COM3"), CHOXRegistry().ReadCommPort());
}

TEST_F(PortAndTuningTest, TestSaysWhetherAControllerAnswersAndChangesNothing)
{
    const char* const kConnected = "Actual Controller is connected.";
    const char* const kNoResponse =
        "ERROR :  No Response from the Target Device.\nCheck the connections with the DA-ZU.";
    const char* const kOpenFailed = "ERROR : Failed opening ComPort.\nSetup ComPort in Control Panel.";
    // COM2 leads to the simulator too; COM3 nowhere.
    CCommPortSettings com2;
    com2.m_device = S("sim");
    com2.m_timeoutMs = kTimeoutMs;
    CCommPortSettings::Write(S("COM2"), com2);
    const struct {
        const char* what;
        int radio;
        bool responding;
        const char* text;
        UINT style;
        // What a failure's detail says of the tested port; null: no detail.
        const char* port;
    } rows[] = {
        {"a controller answers", 0, true, kConnected, kInformation, nullptr},
        {"the other port to it", 1, true, kConnected, kInformation, nullptr},
        {"nothing answers", 0, false, kNoResponse, kStop, "Port COM1 leads to the simulated controller"},
        {"the port leads nowhere", 2, true, kOpenFailed, kStop, "Port COM3 leads nowhere"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Main()->SetComPort(S("COM4"));
        Host().Reset();
        Host().Server().SetPacing(false);
        Sim().SetSwitch(CSimController::Responding, row.responding);
        ScriptedDialogs dialogs;
        ScriptedMessages messages;
        messages.Expect(S(row.text), row.style, IDOK, [] { EXPECT_TRUE(IsArrow()); });
        RunComPort(dialogs, [&](DialogDriver& d) {
            d.Click(kRadios[row.radio]);
            d.Click(CHOXComPortDlg::kTestButton);
            EXPECT_FALSE(d.Ended());
            // The choice stays as the user left it.
            EXPECT_EQ(row.radio, Checked(d));
            d.Click(IDCANCEL);
        });
        EXPECT_EQ(S("COM4"), Main()->GetComPort());
        EXPECT_TRUE(IsArrow());
        ASSERT_EQ(1u, messages.seen.size());
        const QString detail = messages.seen[0].detail;
        if (row.port == nullptr) {
            EXPECT_TRUE(detail.isEmpty()) << detail.toStdString();
        } else {
            EXPECT_TRUE(detail.contains(S(row.port))) << detail.toStdString();
            EXPECT_TRUE(detail.contains(S("[Ports]"))) << detail.toStdString();
        }
        const QStringList expected = row.radio < 2 ? QStringList{S("Diagnosis")} : QStringList{};
        if (row.responding) {
            EXPECT_EQ(expected, Operations());
        }
    }
    Sim().SetSwitch(CSimController::Responding, true);
}

TEST_F(PortAndTuningTest, TheNextOperationOpensTheChosenPort)
{
    // COM1 leads nowhere now, COM2 to the simulator.
    CCommPortSettings com1;
    com1.m_device = QString();
    CCommPortSettings::Write(S("COM1"), com1);
    CCommPortSettings com2;
    com2.m_device = S("sim");
    com2.m_timeoutMs = kTimeoutMs;
    CCommPortSettings::Write(S("COM2"), com2);
    Main()->SetComPort(S("COM1"));
    {
        ScriptedDialogs dialogs;
        RunComPort(dialogs, [](DialogDriver& d) {
            d.Click(CHOXComPortDlg::kCom2Radio);
            kt::test::SaveScreenshot(d.Site().Window(), "select-com-port.png");
            d.Click(IDOK);
        });
    }
    ScriptedDialogs dialogs;
    ScriptedMessages messages;
    messages.Expect(S("No program present in Da-ZU."), kInformation, IDOK);
    Run(ID_CONTROLLER_READ);
    EXPECT_EQ(S("GetKZQWType"), Operations().value(0));
    ASSERT_NE(Doc(), nullptr);
}

TEST_F(PortAndTuningTest, ComPortHelpOpensItsPage)
{
    RecordingHelp help;
    ScriptedDialogs dialogs;
    RunComPort(dialogs, [](DialogDriver& d) {
        d.Click(CHOXComPortDlg::kHelpButton);
        EXPECT_FALSE(d.Ended());
        d.Click(IDCANCEL);
    });
    EXPECT_EQ(std::vector<QString>{S(":/res/help/2080b.html")}, help.pages);
}

TEST_F(PortAndTuningTest, TuningRefusesValuesOutOfRangeAndKeepsTheOneAccepted)
{
    const char* const kRange = "Please enter an integer between 0 and 65535.";
    ASSERT_NE(NewDocumentOfType(ctype::kTwoAxes), nullptr);
    EXPECT_EQ(0, Doc()->GetSystemResponse());
    const auto tune = [](const std::function<void(DialogDriver&)>& script) {
        ScriptedDialogs dialogs;
        dialogs.Expect(CHOXTuneResponseDlg::kTemplate, script);
        Run(ID_TUNE_RESPONSE);
        EXPECT_EQ(1, dialogs.Ran());
    };
    {
        const struct {
            const char* typed;
            const char* message;
        } refused[] = {
            {"65536", kRange},
            {"-1", kRange},
            {"4294967295", "Please enter an integer."},
            {"fast", "Please enter an integer."},
            {"", "Please enter an integer."},
        };
        ScriptedMessages messages;
        for (const auto& r : refused) messages.Expect(S(r.message), MB_OK | MB_ICONEXCLAMATION, IDOK);
        tune([&](DialogDriver& d) {
            EXPECT_EQ(S("Tune System Response"), d.Caption());
            EXPECT_EQ(S("0"), d.Text(CHOXTuneResponseDlg::kValueEdit));
            for (const auto& r : refused) {
                d.Type(CHOXTuneResponseDlg::kValueEdit, S(r.typed));
                d.Click(IDOK);
                EXPECT_FALSE(d.Ended()) << r.typed;
                EXPECT_EQ(CHOXTuneResponseDlg::kValueEdit, d.Focus()) << r.typed;
            }
            d.Type(CHOXTuneResponseDlg::kValueEdit, S("65535"));
            kt::test::SaveScreenshot(d.Site().Window(), "tune-system-response.png");
            d.Click(IDOK);
        });
    }
    EXPECT_EQ(65535, Doc()->GetSystemResponse());
    EXPECT_EQ(65535u, CHOXRegistry().ReadSystemResponse());

    // Cancel changes nothing; the dialog shows the document's value.
    tune([](DialogDriver& d) {
        EXPECT_EQ(S("65535"), d.Text(CHOXTuneResponseDlg::kValueEdit));
        d.Type(CHOXTuneResponseDlg::kValueEdit, S("7"));
        d.Click(IDCANCEL);
    });
    EXPECT_EQ(65535, Doc()->GetSystemResponse());
    tune([](DialogDriver& d) {
        d.Type(CHOXTuneResponseDlg::kValueEdit, S(" 12 "));
        d.Click(IDOK);
    });
    EXPECT_EQ(12, Doc()->GetSystemResponse());
    // A later document starts with the value kept.
    Doc()->SetModifiedFlag(false);
    ASSERT_NE(NewDocumentOfType(ctype::kOneAxis), nullptr);
    EXPECT_EQ(12, Doc()->GetSystemResponse());
}
