// "Select Bit Device": the lists and titles of each list kind, presets, spin
// ranges and the steps over devices a controller lacks, the device change,
// every refusal of OK and the device's text.
#include "symbols/operand/HOXSelectBitDeviceDlg.h"

#include "platform/ui/QtDialogSite.h"
#include "support/Scripted.h"

#include <gtest/gtest.h>

#include <functional>

using kt::test::DialogDriver;
using kt::test::RecordingHelp;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedMessages;
using Dlg = CHOXSelectBitDeviceDlg;

namespace {

constexpr UINT kStop = MB_OK | MB_ICONHAND;

QStringList Entries(DialogDriver& d)
{
    QStringList entries;
    for (int i = 0; i < d.Site().GetCount(Dlg::kDevice); ++i) entries << d.Site().GetItemText(Dlg::kDevice, i);
    return entries;
}

QString Selected(DialogDriver& d)
{
    const int index = d.Site().GetCurSel(Dlg::kDevice);
    return index < 0 ? QString() : d.Site().GetItemText(Dlg::kDevice, index);
}

// Runs a chooser on the script; its result.
int RunChooser(Dlg& dlg, std::function<void(DialogDriver&)> script)
{
    ScriptedDialogs dialogs;
    dialogs.Expect(Dlg::kTemplate, std::move(script));
    return dlg.DoModal();
}

} // namespace

TEST(SelectBitDeviceDlg, EachListKindOffersItsDevicesUnderItsTitle)
{
    const struct {
        int kind;
        const char* entries;
        const char* title;
    } cases[] = {
        {0, "X,Y,M,D", "Select Device for KZ-2N"},
        {1, "X", "Select Bit Device"},
        {2, "Y", "Select Bit Device"},
        {3, "M", "Select Bit Device"},
        {4, "Y,M", "Select Bit Device"},
        {5, "X,Y,M", "Select Bit Device"},
        {-1, "X,Y,M", "Select Bit Device"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        Dlg dlg(false, c.kind);
        EXPECT_EQ(dlg.GetDialogKind(), 821);
        RunChooser(dlg, [&](DialogDriver& d) {
            EXPECT_EQ(Entries(d).join(u','), QString::fromLatin1(c.entries));
            EXPECT_EQ(d.Caption(), QString::fromLatin1(c.title));
            // Nothing preset: the first device, number 0.
            EXPECT_EQ(Selected(d), Entries(d).front());
            EXPECT_EQ(d.Text(Dlg::kNumber), QStringLiteral("0"));
            EXPECT_EQ(d.Limit(Dlg::kNumber), 4);
            d.Click(IDCANCEL);
        });
    }
}

TEST(SelectBitDeviceDlg, APresetDeviceIsShownWhenItExists)
{
    const struct {
        const char* what;
        bool oneAxis;
        int kind;
        int type;
        std::uint32_t number;
        bool missingLetter;
        const char* letter;
        const char* number_;
    } cases[] = {
        {"PLC register", false, 0, Dlg::kTypeD, 7999, false, "D", "7999"},
        {"PLC relay", false, 0, Dlg::kTypeM, 3071, false, "M", "3071"},
        {"PLC input too high", false, 0, Dlg::kTypeX, 400, false, "X", "0"},
        {"PLC register too high", false, 0, Dlg::kTypeD, 8000, false, "X", "0"},
        {"no device", false, 0, Dlg::kTypeNone, 5, false, "X", "0"},
        {"M9200 in list 4", false, 4, Dlg::kTypeM, 9200, false, "Y", "0"},
        {"M9100 in list 4", false, 4, Dlg::kTypeM, 9100, false, "M", "9100"},
        {"one-axis Y5 in list 4", true, 4, Dlg::kTypeY, 5, false, "Y", "5"},
        // It exists but the list lacks its letter.
        {"Y5 in list 1", true, 1, Dlg::kTypeY, 5, true, "X", "5"},
        {"D in list 3", false, 3, Dlg::kTypeD, 5, false, "M", "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedMessages messages;
        if (c.missingLetter) messages.Expect(QStringLiteral("ERROR:  Invalid Device Type."), kStop, IDOK);
        Dlg dlg(c.oneAxis, c.kind);
        dlg.SetDevice(c.type, c.number);
        RunChooser(dlg, [&](DialogDriver& d) {
            EXPECT_EQ(Selected(d), QString::fromLatin1(c.letter));
            EXPECT_EQ(d.Text(Dlg::kNumber), QString::fromLatin1(c.number_));
            d.Click(IDCANCEL);
        });
        EXPECT_EQ(messages.seen.size(), c.missingLetter ? 1u : 0u);
    }
}

TEST(SelectBitDeviceDlg, SpinRangesFollowTheDeviceAndTheController)
{
    const struct {
        int type, kind;
        bool oneAxis;
        int high;
    } cases[] = {
        {Dlg::kTypeX, 0, false, 377},  {Dlg::kTypeY, 0, true, 377},   {Dlg::kTypeM, 0, false, 3071},
        {Dlg::kTypeD, 0, false, 7999}, {Dlg::kTypeX, 1, true, 377},   {Dlg::kTypeY, 2, true, 5},
        {Dlg::kTypeY, 2, false, 67},   {Dlg::kTypeM, 3, false, 9175}, {Dlg::kTypeM, 4, true, 9175},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " in list " + std::to_string(c.kind));
        const Dlg::Range range = Dlg::SpinRange(c.type, c.kind, c.oneAxis);
        EXPECT_EQ(range.low, 0);
        EXPECT_EQ(range.high, c.high);
        // The spin stops at the top.
        Dlg dlg(c.oneAxis, c.kind);
        dlg.SetDevice(c.type, 0);
        RunChooser(dlg, [&](DialogDriver& d) {
            d.Type(Dlg::kNumber, QString::number(c.high));
            d.Spin(Dlg::kSpin, 1);
            EXPECT_EQ(d.Text(Dlg::kNumber), QString::number(c.high));
            d.Click(IDCANCEL);
        });
    }
}

TEST(SelectBitDeviceDlg, StepsPassOverDevicesTheControllerLacks)
{
    const struct {
        const char* what;
        bool oneAxis;
        int kind;
        int type;
        int from;
        int steps;
        int to;
    } cases[] = {
        {"one-axis X up over the gap", true, 1, Dlg::kTypeX, 3, 1, 375},
        {"one-axis X down over the gap", true, 1, Dlg::kTypeX, 375, -1, 3},
        {"one-axis X counts in decimal", true, 1, Dlg::kTypeX, 0, 3, 3},
        {"two-axis X up past 7", false, 1, Dlg::kTypeX, 7, 1, 10},
        {"two-axis X up past 57", false, 1, Dlg::kTypeX, 57, 1, 60},
        {"two-axis X down past 10", false, 1, Dlg::kTypeX, 10, -1, 7},
        {"two-axis X down from 18", false, 1, Dlg::kTypeX, 18, -1, 17},
        {"two-axis X up over the gap", false, 1, Dlg::kTypeX, 67, 1, 372},
        {"two-axis X down over the gap", false, 1, Dlg::kTypeX, 372, -1, 67},
        {"two-axis Y in octal", false, 2, Dlg::kTypeY, 27, 1, 30},
        {"two-axis Y stops at 67", false, 2, Dlg::kTypeY, 67, 1, 67},
        {"one-axis Y", true, 2, Dlg::kTypeY, 4, 1, 5},
        {"M up over the gap", false, 3, Dlg::kTypeM, 511, 1, 9000},
        {"M down over the gap", true, 3, Dlg::kTypeM, 9000, -1, 511},
        {"M from inside the gap", false, 3, Dlg::kTypeM, 600, 1, 9000},
        {"PLC X by one", false, 0, Dlg::kTypeX, 7, 1, 8},
        {"PLC M by one", false, 0, Dlg::kTypeM, 511, 1, 512},
        {"PLC D by one", false, 0, Dlg::kTypeD, 100, -2, 98},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Dlg dlg(c.oneAxis, c.kind);
        dlg.SetDevice(c.type, 0);
        RunChooser(dlg, [&](DialogDriver& d) {
            d.Type(Dlg::kNumber, QString::number(c.from));
            d.Spin(Dlg::kSpin, c.steps);
            EXPECT_EQ(d.Text(Dlg::kNumber), QString::number(c.to));
            d.Click(IDCANCEL);
        });
    }
}

TEST(SelectBitDeviceDlg, ChangingTheDeviceKeepsANumberItHasAndResetsOneItLacks)
{
    Dlg dlg(false, 0);
    dlg.SetDevice(Dlg::kTypeD, 3000);
    RunChooser(dlg, [](DialogDriver& d) {
        EXPECT_EQ(Selected(d), QStringLiteral("D"));
        d.Select(Dlg::kDevice, 2); // M
        EXPECT_EQ(d.Text(Dlg::kNumber), QStringLiteral("3000"));
        d.Select(Dlg::kDevice, 0); // X
        EXPECT_EQ(d.Text(Dlg::kNumber), QStringLiteral("0"));
        d.Type(Dlg::kNumber, QStringLiteral("377"));
        d.Select(Dlg::kDevice, 1); // Y
        EXPECT_EQ(d.Text(Dlg::kNumber), QStringLiteral("377"));
        d.Click(IDCANCEL);
    });
    // Two-axis M9000 to Y: Y9000 does not exist.
    Dlg fn(false, 5);
    fn.SetDevice(Dlg::kTypeM, 9000);
    RunChooser(fn, [](DialogDriver& d) {
        EXPECT_EQ(Selected(d), QStringLiteral("M"));
        d.Select(Dlg::kDevice, 1);
        EXPECT_EQ(d.Text(Dlg::kNumber), QStringLiteral("0"));
        d.Spin(Dlg::kSpin, 10);
        EXPECT_EQ(d.Text(Dlg::kNumber), QStringLiteral("12"));
        d.Click(IDCANCEL);
    });
    // The same in the Y and M list of the function dialogs.
    Dlg ym(false, 4);
    ym.SetDevice(Dlg::kTypeM, 9000);
    RunChooser(ym, [](DialogDriver& d) {
        EXPECT_EQ(Selected(d), QStringLiteral("M"));
        d.Select(Dlg::kDevice, 0); // Y
        EXPECT_EQ(d.Text(Dlg::kNumber), QStringLiteral("0"));
        d.Click(IDCANCEL);
    });
}

TEST(SelectBitDeviceDlg, OkRefusesADeviceTheControllerLacks)
{
    const struct {
        bool oneAxis;
        int kind;
        int entry;
        const char* number;
        const char* message; // null: accepted
        const char* text;
    } cases[] = {
        {false, 0, 0, "400", "ERROR: Invalid Range for bit device X.\n Valid Range: 0 ~ 377.", nullptr},
        {false, 0, 0, "18", nullptr, "X18"},
        {false, 0, 1, "378", "ERROR: Invalid Range for bit device Y.\n Valid Range: 0 ~ 377.", nullptr},
        {false, 0, 2, "3071", nullptr, "M3071"},
        {false, 0, 2, "3072", "ERROR: Invalid Range for bit device M.\n Valid Range: 0 ~ 3071.", nullptr},
        {false, 0, 3, "7999", nullptr, "D7999"},
        {false, 0, 3, "8000", "ERROR: Invalid Range for bit device D.\n Valid Range: 0 ~ 7999.", nullptr},
        {true, 1, 0, "4", "Valid Range: 00~03, 375~377", nullptr},
        {true, 1, 0, "376", nullptr, "X376"},
        {false, 1, 0, "68", "Valid Range: 00~67(Octal), 372~377", nullptr},
        {false, 1, 0, "18", "Valid Range: 00~67(Octal), 372~377", nullptr},
        {false, 1, 0, "372", nullptr, "X372"},
        {true, 2, 0, "6", "Valid Range: 00~05", nullptr},
        {false, 2, 0, "58", "Valid Range: 00~67 (Octal)", nullptr},
        {false, 2, 0, "57", nullptr, "Y57"},
        {false, 3, 0, "512", "Valid Range: 0~511, 9000~9175", nullptr},
        {true, 4, 1, "9175", nullptr, "M9175"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.kind) + " " + c.number);
        Dlg dlg(c.oneAxis, c.kind);
        const int result = RunChooser(dlg, [&](DialogDriver& d) {
            d.Select(Dlg::kDevice, c.entry);
            d.Type(Dlg::kNumber, QString::fromLatin1(c.number));
            if (c.message == nullptr) {
                d.Click(IDOK);
                return;
            }
            ScriptedMessages messages;
            messages.Expect(QString::fromLatin1(c.message), kStop, IDOK);
            d.Click(IDOK);
            EXPECT_FALSE(d.Ended());
            EXPECT_EQ(d.Focus(), Dlg::kNumber);
            EXPECT_EQ(d.SelectedText(Dlg::kNumber), QString::fromLatin1(c.number));
            d.Click(IDCANCEL);
        });
        EXPECT_EQ(result, c.message == nullptr ? IDOK : IDCANCEL);
        if (c.text != nullptr) {
            EXPECT_EQ(dlg.GetDeviceText(), QString::fromLatin1(c.text));
            EXPECT_EQ(dlg.GetDeviceNumber(), QString::fromLatin1(c.number).toUInt());
        }
    }
}

TEST(SelectBitDeviceDlg, AnEmptyNumberIsRefusedAndHelpOpensItsPage)
{
    RecordingHelp help;
    Dlg dlg(false, 0);
    dlg.SetDevice(Dlg::kTypeY, 7);
    RunChooser(dlg, [](DialogDriver& d) {
        d.Type(Dlg::kNumber, QString());
        {
            ScriptedMessages messages;
            messages.Expect(QStringLiteral("ERROR : Invalid Device Number."), kStop, IDOK);
            d.Click(IDOK);
            EXPECT_EQ(d.Focus(), Dlg::kNumber);
            EXPECT_FALSE(d.Ended());
        }
        d.Click(Dlg::kHelpButton);
        d.Type(Dlg::kNumber, QStringLiteral("17"));
        d.Click(IDOK);
    });
    EXPECT_EQ(dlg.GetDeviceType(), Dlg::kTypeY);
    EXPECT_EQ(dlg.GetDeviceText(), QStringLiteral("Y17"));
    ASSERT_EQ(help.pages.size(), 1u);
    EXPECT_EQ(help.pages[0], QStringLiteral(":/res/help/2080e.html"));

    // A type without a letter has no text.
    Dlg none(false, 0);
    EXPECT_EQ(none.GetDeviceText(), QString());
    none.SetDevice(Dlg::kTypeM, 12);
    EXPECT_EQ(none.GetDeviceText(), QStringLiteral("M12"));
}
