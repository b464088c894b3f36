// "Select Word Device": the lists of each device-list code on both controller
// families, the unit-number lists, spin jumps and octal steps at the edges of
// the controller's blocks, hexadecimal entry and display, the resets of a
// device change, and every refusal of OK with its message and its control.
#include "symbols/operand/HOXSelWordDevDlg.h"

#include "platform/Strings.h"
#include "platform/ui/QtDialogSite.h"
#include "support/Screenshot.h"
#include "support/Scripted.h"

#include <gtest/gtest.h>

#include <functional>

using kt::test::DialogDriver;
using kt::test::RecordingHelp;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedMessages;
using Dlg = CHOXSelWordDevDlg;
using SV = CHOXSelectVal;

namespace {

constexpr UINT kStop = MB_OK | MB_ICONHAND;

SV Operand(const char* text)
{
    SV operand;
    QString message;
    EXPECT_TRUE(operand.Parse(QString::fromLatin1(text), message)) << text;
    return operand;
}

// What the controller's range check says of the operand.
QString RangeMessage(const char* text)
{
    QString message;
    EXPECT_FALSE(Operand(text).CheckRange(false, false, message, 0));
    EXPECT_FALSE(message.isEmpty());
    return message;
}

QStringList Entries(DialogDriver& d)
{
    QStringList entries;
    for (int i = 0; i < d.Site().GetCount(Dlg::kDevice); ++i) entries << d.Site().GetItemText(Dlg::kDevice, i);
    return entries;
}

int IndexOf(DialogDriver& d, const char* device)
{
    return static_cast<int>(Entries(d).indexOf(QString::fromLatin1(device)));
}

void Choose(DialogDriver& d, const char* device)
{
    const int index = IndexOf(d, device);
    ASSERT_GE(index, 0) << device;
    d.Select(Dlg::kDevice, index);
}

QString Selected(DialogDriver& d)
{
    const int index = d.Site().GetCurSel(Dlg::kDevice);
    return index < 0 ? QString() : d.Site().GetItemText(Dlg::kDevice, index);
}

struct Chooser {
    bool is32Bit = false;
    bool oneAxis = false;
    int list = 0;
    std::int32_t fileRegisters = 0;
    SV start;
};

// Runs the chooser on the script; its result and the operand it built.
int RunChooser(const Chooser& c, std::function<void(DialogDriver&)> script, SV* built = nullptr)
{
    Dlg dlg(c.start, c.is32Bit, c.oneAxis, c.list, c.fileRegisters);
    ScriptedDialogs dialogs;
    dialogs.Expect(Dlg::kTemplate, std::move(script));
    const int result = dlg.DoModal();
    if (built != nullptr) *built = dlg.GetValue();
    return result;
}

} // namespace

TEST(SelWordDevDlg, EachListOffersItsDevices)
{
    const struct {
        int list;
        bool is32Bit;
        const char* entries;
    } cases[] = {
        {0, false, "D,K,H,KnX,KnY,KnM,V,Z"},
        {0, true, "DD,K,H,KnX,KnY,KnM,V,Z"},
        {1, false, "K"},
        {10, true, "K"},
        {11, false, "K"},
        {2, true, "DD,V,Z"},
        {3, false, "D,K,H,KnX,KnY,KnM,Z"},
        {4, false, "D,K,H,KnX,KnY,KnM,V"},
        {5, false, "D,KnX,KnY,KnM,V,Z"},
        {6, true, "DD,KnY,KnM,V,Z"},
        {7, false, "D,KnY,KnM,V"},
        {8, false, "D,KnY,KnM,Z"},
        {9, false, "D,K,H,V,Z"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list);
        Chooser chooser;
        chooser.list = c.list;
        chooser.is32Bit = c.is32Bit;
        RunChooser(chooser, [&](DialogDriver& d) {
            EXPECT_EQ(Entries(d).join(u',').toStdString(), c.entries);
            EXPECT_EQ(d.Caption(), QStringLiteral("Select Word Device"));
            d.Click(IDCANCEL);
        });
    }
    // A list nobody knows offers the register alone, and says so.
    ScriptedMessages messages;
    messages.Expect(QStringLiteral("ERROR :  Invalid Device List."), kStop, IDOK);
    Chooser unknown;
    unknown.list = 12;
    RunChooser(unknown, [](DialogDriver& d) {
        EXPECT_EQ(Entries(d).join(u','), QStringLiteral("D"));
        d.Click(IDCANCEL);
    });
    EXPECT_EQ(messages.seen.size(), 1u);
}

TEST(SelWordDevDlg, OpensOnTheOperandTheControllerHas)
{
    const struct {
        const char* what;
        const char* operand;
        bool oneAxis;
        std::int32_t fileRegisters;
        int list;
        bool is32Bit;
        const char* device;
        const char* number;
        const char* digits;
        int index;
    } cases[] = {
        {"register with index", "D100Z3", false, 0, 0, false, "D", "100", "0", 8023},
        {"group", "K3M16", false, 0, 0, false, "KnM", "16", "3", 8180},
        {"H shown with 0x", "HFF", false, 0, 0, false, "H", "0xFF", "0", 8180},
        {"big K shown as text", "K100000", false, 0, 0, true, "K", "100000", "0", 8180},
        {"file register missing", "D5000", false, 0, 0, false, "D", "0", "0", 8180},
        {"file register there", "D5000", false, 2000, 0, false, "D", "5000", "0", 8180},
        {"not in the list", "V3", false, 0, 3, false, "D", "3", "0", 8180},
        {"unit list 10 16-bit", "K0", false, 0, 10, false, "K", "1", "0", 8180},
        {"unit list 10 32-bit", "K2", false, 0, 10, true, "K", "5", "0", 8180},
        {"unit list 1 two-axis", "K30", false, 0, 1, false, "K", "1", "0", 8180},
        {"unit list 1 one-axis keeps", "K30", true, 0, 1, false, "K", "30", "0", 8180},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Chooser chooser;
        chooser.start = Operand(c.operand);
        chooser.oneAxis = c.oneAxis;
        chooser.fileRegisters = c.fileRegisters;
        chooser.list = c.list;
        chooser.is32Bit = c.is32Bit;
        RunChooser(chooser, [&](DialogDriver& d) {
            EXPECT_EQ(Selected(d).toStdString(), c.device);
            EXPECT_EQ(d.Text(Dlg::kNumber).toStdString(), c.number);
            EXPECT_EQ(d.Text(Dlg::kDigits).toStdString(), c.digits);
            EXPECT_EQ(d.Check(c.index), 1);
            d.Click(IDCANCEL);
        });
    }
}

TEST(SelWordDevDlg, ControlsFollowTheDevice)
{
    const struct {
        const char* device;
        bool oneAxis;
        bool is32Bit;
        bool digits, digitSpin, numberSpin, index;
        int limit;
    } cases[] = {
        {"D", false, false, false, false, true, true, 4},   {"K", false, false, false, false, true, false, 6},
        {"K", false, true, false, false, false, false, 11}, {"H", false, false, false, false, true, false, 6},
        {"H", false, true, false, false, true, false, 10},  {"KnM", false, false, true, true, true, true, 4},
        {"KnX", false, false, true, true, true, true, 3},   {"KnY", false, false, true, true, true, true, 2},
        {"KnX", true, false, true, false, false, true, 3},  {"KnY", true, false, true, false, true, true, 2},
        {"V", false, false, false, false, true, false, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.device) + (c.oneAxis ? " one-axis" : "") + (c.is32Bit ? " 32-bit" : ""));
        Chooser chooser;
        chooser.oneAxis = c.oneAxis;
        chooser.is32Bit = c.is32Bit;
        RunChooser(chooser, [&](DialogDriver& d) {
            Choose(d, c.device);
            EXPECT_EQ(d.Enabled(Dlg::kDigits), c.digits);
            EXPECT_EQ(d.Enabled(Dlg::kDigitsSpin), c.digitSpin);
            EXPECT_EQ(d.Enabled(Dlg::kNumberSpin), c.numberSpin);
            EXPECT_EQ(d.Enabled(Dlg::kNoIndex), c.index);
            EXPECT_EQ(d.Enabled(Dlg::kIndexV), c.index);
            EXPECT_EQ(d.Limit(Dlg::kNumber), c.limit);
            // The index number only while V or Z is chosen.
            EXPECT_FALSE(d.Enabled(Dlg::kIndexNumber));
            if (c.index) {
                d.Click(Dlg::kIndexV);
                EXPECT_TRUE(d.Enabled(Dlg::kIndexNumber));
                EXPECT_TRUE(d.Enabled(Dlg::kIndexSpin));
                d.Type(Dlg::kIndexNumber, QStringLiteral("5"));
                d.Click(Dlg::kNoIndex);
                EXPECT_FALSE(d.Enabled(Dlg::kIndexNumber));
                EXPECT_EQ(d.Text(Dlg::kIndexNumber), QStringLiteral("0"));
            }
            d.Click(IDCANCEL);
        });
    }
}

// Starting from a number, the arrow goes where the controller has the next
// device; the spin's range stops it.
TEST(SelWordDevDlg, NumberSpinJumpsOverMissingDevicesAndCountsOctal)
{
    const struct {
        const char* what;
        const char* device;
        bool oneAxis;
        std::int32_t fileRegisters;
        bool is32Bit;
        int list;
        const char* digits;
        const char* from;
        int steps;
        const char* to;
    } cases[] = {
        {"D one-axis up", "D", true, 0, false, 0, nullptr, "1999", 1, "9000"},
        {"D one-axis down", "D", true, 0, false, 0, nullptr, "9000", -1, "1999"},
        {"D one-axis FR up", "D", true, 100, false, 0, nullptr, "1999", 1, "4000"},
        {"D one-axis FR end up", "D", true, 100, false, 0, nullptr, "4099", 1, "9000"},
        {"D one-axis FR down", "D", true, 100, false, 0, nullptr, "9000", -1, "4099"},
        {"D one-axis FR start down", "D", true, 100, false, 0, nullptr, "4000", -1, "1999"},
        {"D one-axis top", "D", true, 0, false, 0, nullptr, "9313", 1, "9313"},
        {"D two-axis up", "D", false, 0, false, 0, nullptr, "3999", 1, "9000"},
        {"D two-axis FR up", "D", false, 10, false, 0, nullptr, "4009", 1, "9000"},
        {"D two-axis FR down", "D", false, 10, false, 0, nullptr, "9000", -1, "4009"},
        {"D two-axis top", "D", false, 0, false, 0, nullptr, "9599", 1, "9599"},
        {"D bottom", "D", false, 0, false, 0, nullptr, "0", -1, "0"},
        {"DD one-axis up", "DD", true, 1, true, 0, nullptr, "1998", 1, "9000"},
        {"DD one-axis FR up", "DD", true, 2, true, 0, nullptr, "1998", 1, "4000"},
        {"DD one-axis FR end", "DD", true, 2, true, 0, nullptr, "4000", 1, "9000"},
        {"DD two-axis down", "DD", false, 0, true, 0, nullptr, "9000", -1, "3998"},
        {"DD one-axis down", "DD", true, 1, true, 0, nullptr, "9000", -1, "1998"},
        {"DD one-axis FR down", "DD", true, 100, true, 0, nullptr, "9000", -1, "4098"},
        {"DD one-axis FR start down", "DD", true, 100, true, 0, nullptr, "4000", -1, "1998"},
        {"DD two-axis up", "DD", false, 0, true, 0, nullptr, "3998", 1, "9000"},
        {"DD two-axis FR up", "DD", false, 10, true, 0, nullptr, "4008", 1, "9000"},
        {"DD two-axis FR down", "DD", false, 10, true, 0, nullptr, "9000", -1, "4008"},
        {"DD two-axis FR no gap", "DD", false, 10, true, 0, nullptr, "3998", 1, "3999"},
        {"D two-axis down", "D", false, 0, false, 0, nullptr, "9000", -1, "3999"},
        {"KnX 67 up", "KnX", false, 0, false, 0, "1", "67", 1, "372"},
        {"KnY 59 down", "KnY", false, 0, false, 0, "1", "59", -1, "57"},
        {"K unit list 1 two-axis up", "K", false, 0, false, 1, nullptr, "4", 1, "17"},
        {"K unit list 1 two-axis down", "K", false, 0, false, 1, nullptr, "17", -1, "4"},
        {"H down in hex", "H", false, 0, false, 0, nullptr, "0x10", -1, "0xF"},
        {"KnM up", "KnM", false, 0, false, 0, "2", "504", 1, "9000"},
        {"KnM down", "KnM", false, 0, false, 0, "2", "9000", -1, "504"},
        {"KnX up 7", "KnX", false, 0, false, 0, "2", "7", 1, "10"},
        {"KnX down 10", "KnX", false, 0, false, 0, "2", "10", -1, "7"},
        {"KnX block up", "KnX", false, 0, false, 0, "1", "64", 1, "372"},
        {"KnX block down", "KnX", false, 0, false, 0, "1", "372", -1, "64"},
        {"KnY 57 up", "KnY", false, 0, false, 0, "1", "57", 1, "60"},
        {"KnY 60 down", "KnY", false, 0, false, 0, "1", "60", -1, "57"},
        {"KnY 18 down", "KnY", false, 0, false, 0, "1", "18", -1, "17"},
        {"K unit list 10 up", "K", false, 0, false, 10, nullptr, "4", 1, "17"},
        {"K unit list 10 down", "K", false, 0, false, 10, nullptr, "17", -1, "4"},
        {"K unit list 1 one-axis", "K", true, 0, false, 1, nullptr, "2", 1, "17"},
        {"K unit list 1 one-axis down", "K", true, 0, false, 1, nullptr, "17", -1, "2"},
        {"K unit list 11 top", "K", false, 0, false, 11, nullptr, "3", 1, "3"},
        {"H counts in hex", "H", false, 0, false, 0, nullptr, "0x9", 1, "0xA"},
        {"H top", "H", false, 0, false, 0, nullptr, "0xFFFF", 1, "0xFFFF"},
        {"K plain", "K", false, 0, false, 0, nullptr, "-32768", -1, "-32768"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Chooser chooser;
        chooser.oneAxis = c.oneAxis;
        chooser.fileRegisters = c.fileRegisters;
        chooser.is32Bit = c.is32Bit;
        chooser.list = c.list;
        RunChooser(chooser, [&](DialogDriver& d) {
            Choose(d, c.device);
            if (c.digits != nullptr) d.Type(Dlg::kDigits, QString::fromLatin1(c.digits));
            d.Type(Dlg::kNumber, QString::fromLatin1(c.from));
            d.Spin(Dlg::kNumberSpin, c.steps);
            EXPECT_EQ(d.Text(Dlg::kNumber).toStdString(), c.to);
            d.Click(IDCANCEL);
        });
    }
}

TEST(SelWordDevDlg, ADeviceChangeKeepsANumberTheDeviceHasAndResetsOneItLacks)
{
    const struct {
        const char* what;
        bool oneAxis;
        bool is32Bit;
        int list;
        const char* before;
        const char* number;
        const char* after;
        const char* shown;
    } cases[] = {
        {"KnM keeps 100", false, false, 0, "D", "100", "KnM", "100"},
        {"KnX lacks 100", false, false, 0, "D", "100", "KnX", "0"},
        {"H reads hex text", false, false, 0, "D", "100", "H", "100"},
        {"minus sign resets", false, false, 0, "K", "-5", "D", "0"},
        {"hex letters reset", false, false, 0, "H", "0xFF", "D", "0"},
        {"V lacks 9", false, false, 0, "D", "9", "V", "0"},
        {"file register lacks", false, false, 0, "K", "5000", "D", "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Chooser chooser;
        chooser.oneAxis = c.oneAxis;
        chooser.is32Bit = c.is32Bit;
        chooser.list = c.list;
        RunChooser(chooser, [&](DialogDriver& d) {
            Choose(d, c.before);
            d.Type(Dlg::kNumber, QString::fromLatin1(c.number));
            Choose(d, c.after);
            EXPECT_EQ(d.Text(Dlg::kNumber).toStdString(), c.shown);
            d.Click(IDCANCEL);
        });
    }
    // A group's digit count starts at 1.
    RunChooser(Chooser{}, [](DialogDriver& d) {
        Choose(d, "KnM");
        EXPECT_EQ(d.Text(Dlg::kDigits), QStringLiteral("1"));
        d.Click(IDCANCEL);
    });
}

TEST(SelWordDevDlg, OkBuildsTheOperand)
{
    const struct {
        const char* what;
        bool is32Bit;
        bool oneAxis;
        int list;
        std::function<void(DialogDriver&)> fill;
        const char* text;
    } cases[] = {
        {"register with index", false, false, 0,
         [](DialogDriver& d) {
             Choose(d, "D");
             d.Type(Dlg::kNumber, QStringLiteral("100"));
             d.Click(Dlg::kIndexZ);
             d.Type(Dlg::kIndexNumber, QStringLiteral("3"));
         },
         "D100Z3"},
        {"index dropped for K", false, false, 0,
         [](DialogDriver& d) {
             Choose(d, "D");
             d.Click(Dlg::kIndexV);
             d.Type(Dlg::kIndexNumber, QStringLiteral("2"));
             Choose(d, "K");
             d.Type(Dlg::kNumber, QStringLiteral("-7"));
         },
         "K-7"},
        {"group", false, false, 0,
         [](DialogDriver& d) {
             Choose(d, "KnY");
             d.Type(Dlg::kDigits, QStringLiteral("2"));
             d.Type(Dlg::kNumber, QStringLiteral("10"));
         },
         "K2Y10"},
        {"hex FF", false, false, 0,
         [](DialogDriver& d) {
             Choose(d, "H");
             d.Type(Dlg::kNumber, QStringLiteral("FF"));
         },
         "HFF"},
        {"hex ff", false, false, 0,
         [](DialogDriver& d) {
             Choose(d, "H");
             d.Type(Dlg::kNumber, QStringLiteral("ff"));
         },
         "HFF"},
        {"hex 0xff", false, false, 0,
         [](DialogDriver& d) {
             Choose(d, "H");
             d.Type(Dlg::kNumber, QStringLiteral("0xff"));
         },
         "HFF"},
        {"32-bit hex", true, false, 0,
         [](DialogDriver& d) {
             Choose(d, "H");
             d.Type(Dlg::kNumber, QStringLiteral("0x12345678"));
         },
         "H12345678"},
        {"32-bit K", true, false, 0,
         [](DialogDriver& d) {
             Choose(d, "K");
             d.Type(Dlg::kNumber, QStringLiteral("-2147483648"));
         },
         "K-2147483648"},
        {"list 11", false, false, 11, [](DialogDriver& d) { d.Type(Dlg::kNumber, QStringLiteral("3")); }, "K3"},
        {"list 1 one-axis", false, true, 1, [](DialogDriver& d) { d.Type(Dlg::kNumber, QStringLiteral("17")); }, "K17"},
        {"list 10 two-axis", false, false, 10, [](DialogDriver& d) { d.Type(Dlg::kNumber, QStringLiteral("20")); },
         "K20"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Chooser chooser;
        chooser.is32Bit = c.is32Bit;
        chooser.oneAxis = c.oneAxis;
        chooser.list = c.list;
        SV built;
        const int result = RunChooser(
            chooser,
            [&](DialogDriver& d) {
                c.fill(d);
                d.Click(IDOK);
                EXPECT_TRUE(d.Ended());
            },
            &built);
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(built.GetText().toStdString(), c.text);
    }
}

TEST(SelWordDevDlg, OkRefusesWithTheMessageOnTheControlAtFault)
{
    const struct {
        const char* what;
        bool is32Bit;
        bool oneAxis;
        int list;
        std::function<void(DialogDriver&)> fill;
        QString message;
        int focus;
    } cases[] = {
        {"hex with leading zeros", false, false, 0,
         [](DialogDriver& d) {
             Choose(d, "H");
             d.Type(Dlg::kNumber, QStringLiteral("0x00FF"));
         },
         LoadStr(13263), Dlg::kNumber},
        {"hex beyond 16 bits", false, false, 0,
         [](DialogDriver& d) {
             Choose(d, "H");
             d.Type(Dlg::kNumber, QStringLiteral("10000"));
         },
         LoadStr(13263), Dlg::kNumber},
        {"32-bit hex with leading zero", true, false, 0,
         [](DialogDriver& d) {
             Choose(d, "H");
             d.Type(Dlg::kNumber, QStringLiteral("0FF"));
         },
         LoadStr(13675), Dlg::kNumber},
        {"not hex", false, false, 0,
         [](DialogDriver& d) {
             Choose(d, "H");
             d.Type(Dlg::kNumber, QStringLiteral("G1"));
         },
         QStringLiteral("ERROR : Invalid Device Number."), Dlg::kNumber},
        {"empty digits", false, false, 0,
         [](DialogDriver& d) {
             Choose(d, "KnM");
             d.Type(Dlg::kDigits, QString());
         },
         QStringLiteral("ERROR :  Invalid Digits."), Dlg::kDigits},
        {"empty number", false, false, 0, [](DialogDriver& d) { d.Type(Dlg::kNumber, QString()); },
         QStringLiteral("ERROR : Invalid Device Number."), Dlg::kNumber},
        {"32-bit K too big", true, false, 0,
         [](DialogDriver& d) {
             Choose(d, "K");
             d.Type(Dlg::kNumber, QStringLiteral("2147483648"));
         },
         QStringLiteral(" Invalid  Number for 32-bit Device ' K '.\nValid Range: -2147483648~2147483647."),
         Dlg::kNumber},
        {"32-bit K with a leading zero", true, false, 0,
         [](DialogDriver& d) {
             Choose(d, "K");
             d.Type(Dlg::kNumber, QStringLiteral("05"));
         },
         LoadStr(13637), Dlg::kNumber},
        {"empty index", false, false, 0,
         [](DialogDriver& d) {
             d.Click(Dlg::kIndexV);
             d.Type(Dlg::kIndexNumber, QString());
         },
         LoadStr(13295), Dlg::kIndexNumber},
        {"list 11", false, false, 11, [](DialogDriver& d) { d.Type(Dlg::kNumber, QStringLiteral("4")); },
         QStringLiteral("ERROR : Invalid Device Number. Valid range : 0~ 3."), Dlg::kNumber},
        {"list 1 one-axis", false, true, 1, [](DialogDriver& d) { d.Type(Dlg::kNumber, QStringLiteral("3")); },
         QStringLiteral("ERROR: Invalid Device Number. Valid Number is: K1,K2 or K17."), Dlg::kNumber},
        {"list 10 one-axis 16-bit", false, true, 10, [](DialogDriver& d) { d.Type(Dlg::kNumber, QStringLiteral("5")); },
         LoadStr(13628), Dlg::kNumber},
        {"list 10 one-axis 32-bit", true, true, 10, [](DialogDriver& d) { d.Type(Dlg::kNumber, QStringLiteral("7")); },
         LoadStr(13629), Dlg::kNumber},
        {"list 10 two-axis 16-bit", false, false, 10,
         [](DialogDriver& d) { d.Type(Dlg::kNumber, QStringLiteral("16")); }, LoadStr(13630), Dlg::kNumber},
        {"list 1 two-axis 32-bit", true, false, 1, [](DialogDriver& d) { d.Type(Dlg::kNumber, QStringLiteral("4")); },
         LoadStr(13631), Dlg::kNumber},
        {"register the controller lacks", false, false, 0,
         [](DialogDriver& d) { d.Type(Dlg::kNumber, QStringLiteral("5000")); }, RangeMessage("D5000"), Dlg::kNumber},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Chooser chooser;
        chooser.is32Bit = c.is32Bit;
        chooser.oneAxis = c.oneAxis;
        chooser.list = c.list;
        ScriptedMessages messages;
        messages.Expect(c.message, kStop, IDOK);
        RunChooser(chooser, [&](DialogDriver& d) {
            c.fill(d);
            d.Click(IDOK);
            EXPECT_FALSE(d.Ended());
            EXPECT_EQ(messages.seen.size(), 1u);
            EXPECT_EQ(d.Focus(), c.focus);
            EXPECT_EQ(d.SelectedText(c.focus), d.Text(c.focus));
            d.Click(IDCANCEL);
        });
    }
}

TEST(SelWordDevDlg, NumberEditRules)
{
    // Letters in a decimal number are refused at once.
    {
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("ERROR: Only Integer values are permissible."), kStop, IDOK);
        RunChooser(Chooser{}, [](DialogDriver& d) {
            d.Type(Dlg::kNumber, QStringLiteral("1a"));
            EXPECT_EQ(d.Focus(), Dlg::kNumber);
            d.Click(IDCANCEL);
        });
        EXPECT_EQ(messages.seen.size(), 1u);
    }
    // A 16-bit H keeps its last four digits behind "0x": the first text typed
    // after opening is put in that form.
    Chooser hex;
    hex.start = Operand("HFF");
    RunChooser(hex, [](DialogDriver& d) {
        // Pasted: the text arrives whole.
        d.Dialog().SetDlgItemText(Dlg::kNumber, QStringLiteral("12345"));
        EXPECT_EQ(d.Text(Dlg::kNumber), QStringLiteral("0x2345"));
        d.Click(IDCANCEL);
    });
}

TEST(SelWordDevDlg, HelpOpensItsPage)
{
    RecordingHelp help;
    RunChooser(Chooser{}, [](DialogDriver& d) {
        d.Click(Dlg::kHelp);
        d.Click(IDCANCEL);
    });
    ASSERT_EQ(help.pages.size(), 1u);
    EXPECT_TRUE(help.pages[0].contains(QStringLiteral("2080d"), Qt::CaseInsensitive)) << help.pages[0].toStdString();
}

TEST(SelWordDevDlg, OnScreen)
{
    Chooser chooser;
    chooser.start = Operand("K4M100Z2");
    RunChooser(chooser, [](DialogDriver& d) {
        QWidget* window = d.Site().Window();
        window->show();
        EXPECT_EQ(d.Text(Dlg::kDigits), QStringLiteral("4"));
        kt::test::SaveScreenshot(window, "select-word-device.png");
        d.Click(IDCANCEL);
    });
}
