// The Speed, Machine Zero and Settings dialogs: unit labels by the shown
// axis's stored units, their checks in order with message and focus, the tab
// change refused while one fails, and what OK writes for each axis.
#include "params/HOXParamMachineZeroDlg.h"
#include "params/HOXParamSettingsDlg.h"
#include "params/HOXParamSpeedDlg.h"
#include "params/ParamDialogSupport.h"

#include <QLabel>

#include <gtest/gtest.h>

namespace {

using kt::test::DialogDriver;
using kt::test::ExpectFailure;
using kt::test::ParamDialogTest;
using kt::test::ScriptedMessages;
using kt::test::Set;
using Speed = CHOXParamSpeedDlg;
using Zero = CHOXParamMachineZeroDlg;
using Settings = CHOXParamSettingsDlg;
using Edit = void (CHOXParam::*)();

constexpr UINT kWarn = MB_OK | MB_ICONEXCLAMATION;
constexpr int kTab = CHOXParamDlg::kTabCtrl;

// A check that must fail on the X axis of a system of units: the fields to
// type into first (0 for none), and the field and message of the failure.
struct Typed {
    int field;
    const char* text;
};
struct Refusal {
    std::int32_t system;
    std::vector<Typed> typed;
    int field;
    const char* message;
};

class MotionDialogsTest : public ParamDialogTest {
protected:
    // Each refusal in a fresh dialog on a two-axis document: the message with
    // the focus on its field, the Y tab refused, OK refused, nothing written.
    void ExpectRefusals(Edit edit, UINT templateId, const std::vector<Refusal>& refusals)
    {
        for (const Refusal& r : refusals) {
            UseType(1);
            Set(Param(), 0, 0, r.system);
            Run(edit, templateId, [&](DialogDriver& d) {
                ScriptedMessages messages;
                for (const Typed& t : r.typed) d.Type(t.field, QString::fromLatin1(t.text));
                const QString message = QString::fromLatin1(r.message);
                messages.Expect(message, kWarn, IDOK);
                d.Select(kTab, 1);
                EXPECT_EQ(d.Site().GetCurSel(kTab), 0) << r.message;
                ExpectFailure(d, messages, r.field, message);
                messages.Expect(message, kWarn, IDOK);
                d.Click(IDOK);
                ExpectFailure(d, messages, r.field, message);
                d.Click(IDCANCEL);
            });
            EXPECT_FALSE(doc.IsModified()) << r.message;
        }
    }
};

} // namespace

// ---------------------------------------------------------------------------
// Speed

TEST_F(MotionDialogsTest, SpeedLabelsFollowTheStoredUnitsOfTheShownAxis)
{
    const struct {
        std::int32_t system;
        std::int32_t unit;
        const char* speed;
        const char* backlash;
    } cases[] = {
        {0, CHOXParam::unitMillimetre, "cm/min", "Micro m"},
        {0, CHOXParam::unitDegree, "10 deg/min", "mdeg"},
        {0, CHOXParam::unitInch, "inch/min", "minch/10"},
        {1, CHOXParam::unitInch, "Hz", "PLS"},
        {2, CHOXParam::unitDegree, "Hz", "mdeg"},
    };
    for (const auto& c : cases) {
        UseType(2);
        Set(Param(), 0, 1, c.system);
        Param().SetLengthUnit(1, c.unit);
        Run(&CHOXParam::EditSpeed, Speed::kTemplate, [&](DialogDriver& d) {
            EXPECT_EQ(d.Caption(), QStringLiteral("Parameter Speed "));
            // X holds the defaults: the Motor system.
            EXPECT_EQ(d.Text(Speed::kMaxSpeedUnit), QStringLiteral("Hz"));
            d.Select(kTab, 1);
            for (int id : {Speed::kMaxSpeedUnit, Speed::kJogSpeedUnit, Speed::kBiasSpeedUnit})
                EXPECT_EQ(d.Text(id), QString::fromLatin1(c.speed)) << c.speed;
            EXPECT_EQ(d.Text(Speed::kBacklashUnit), QString::fromLatin1(c.backlash));
            d.Click(IDCANCEL);
        });
    }
}

TEST_F(MotionDialogsTest, SpeedChecksInOrder)
{
    const int max = Speed::kMaxSpeed;
    const int jog = Speed::kJogSpeed;
    const int bias = Speed::kBiasSpeed;
    ExpectRefusals(
        &CHOXParam::EditSpeed, Speed::kTemplate,
        {
            {0, {{max, "160000"}}, max, "ERROR: Valid Range :1-153000"},
            {0, {{max, "0"}, {jog, "0"}}, max, "ERROR: Valid Range :1-153000"},
            {1, {{max, "200001"}}, max, "ERROR :Valid Range: 1-200000"},
            {2, {{max, "0"}}, max, "ERROR :Valid Range: 1-200000"},
            {0, {{max, "1000"}, {jog, "1001"}}, jog, "ERROR :Valid Range 1- Maximum Speed"},
            {1, {{jog, "0"}, {bias, "999999"}}, jog, "ERROR :Valid Range 1- Maximum Speed"},
            {0, {{max, "1000"}, {jog, "1000"}, {bias, "153001"}}, bias, "ERROR: Valid Range :0-153000"},
            {1, {{bias, "200001"}}, bias, "ERROR: Valid Range :0-200000"},
            {0,
             {{max, "100"}, {jog, "50"}, {Speed::kAccTime, "5001"}},
             Speed::kAccTime,
             "Please enter an integer between 0 and 5000."},
            {1, {{Speed::kBacklash, "65536"}}, Speed::kBacklash, "Please enter an integer between 0 and 65535."},
        });
    // A bias above the maximum passes; so do the highest values.
    UseType(0);
    Set(Param(), 0, 0, 0);
    Run(&CHOXParam::EditSpeed, Speed::kTemplate, [](DialogDriver& d) {
        d.Type(Speed::kMaxSpeed, QStringLiteral("100"));
        d.Type(Speed::kJogSpeed, QStringLiteral("100"));
        d.Type(Speed::kBiasSpeed, QStringLiteral("153000"));
        d.Click(IDOK);
    });
    EXPECT_EQ(Value(6), 153000);
}

TEST_F(MotionDialogsTest, SpeedOkWritesBothAxesAndTheGraphFollowsTheTabs)
{
    UseType(2);
    Set(Param(), 4, 1, 100000);
    Set(Param(), 8, 1, 300);
    Run(&CHOXParam::EditSpeed, Speed::kTemplate, [](DialogDriver& d) {
        auto& dlg = static_cast<Speed&>(d.Dialog());
        EXPECT_EQ(dlg.Graph().GetProfile().maxSpeed, 200000);
        EXPECT_TRUE(dlg.Graph().IsAttached());
        const struct {
            int id;
            const char* text;
        } xs[] = {{Speed::kMaxSpeed, "150000"}, {Speed::kJogSpeed, "1500"}, {Speed::kBiasSpeed, "15"},
                  {Speed::kBacklash, "7"},      {Speed::kAccTime, "1000"},  {Speed::kDecTime, "2000"},
                  {Speed::kInterpolation, "50"}};
        for (const auto& x : xs) d.Type(x.id, QString::fromLatin1(x.text));
        // Leaving X draws what X holds, entering Y what Y holds.
        d.Select(kTab, 1);
        EXPECT_EQ(dlg.Graph().GetProfile().maxSpeed, 100000);
        EXPECT_EQ(dlg.Graph().GetProfile().accTime, 300);
        EXPECT_EQ(d.Text(Speed::kMaxSpeed), QStringLiteral("100000"));
        d.Type(Speed::kDecTime, QStringLiteral("0"));
        d.Select(kTab, 0);
        EXPECT_EQ(dlg.Graph().GetProfile().maxSpeed, 150000);
        EXPECT_EQ(dlg.Graph().GetProfile().biasSpeed, 15);
        EXPECT_EQ(dlg.Graph().GetProfile().decTime, 2000);
        d.Click(IDOK);
    });
    const std::int32_t x[] = {150000, 1500, 15, 7, 1000, 2000, 50};
    for (UINT n = 4; n <= 10; ++n) EXPECT_EQ(Value(n, 0), x[n - 4]) << n;
    EXPECT_EQ(Value(4, 1), 100000);
    EXPECT_EQ(Value(8, 1), 300);
    EXPECT_EQ(Value(9, 1), 0);
    EXPECT_TRUE(doc.IsModified());
}

// "Dra&w" runs the checks, and a failure still draws what the fields hold.
TEST_F(MotionDialogsTest, SpeedDrawShowsTheFieldsEvenWhenAChecksFails)
{
    UseType(0);
    Run(&CHOXParam::EditSpeed, Speed::kTemplate, [](DialogDriver& d) {
        auto& dlg = static_cast<Speed&>(d.Dialog());
        ScriptedMessages messages;
        d.Type(Speed::kMaxSpeed, QStringLiteral("300000"));
        d.Type(Speed::kAccTime, QStringLiteral("50"));
        messages.Expect(QStringLiteral("ERROR :Valid Range: 1-200000"), kWarn, IDOK);
        d.Click(Speed::kDraw);
        EXPECT_EQ(d.Focus(), Speed::kMaxSpeed);
        EXPECT_EQ(dlg.Graph().GetProfile().maxSpeed, 300000);
        EXPECT_EQ(dlg.Graph().GetProfile().accTime, 50);
        EXPECT_FALSE(d.Ended());
        // Passing, it draws without a word.
        d.Type(Speed::kMaxSpeed, QStringLiteral("30000"));
        d.Click(Speed::kDraw);
        EXPECT_EQ(dlg.Graph().GetProfile().maxSpeed, 30000);
        d.Click(IDCANCEL);
    });
    EXPECT_EQ(Value(4), 200000);
    EXPECT_EQ(Value(8), 200);
}

// The rendered dialog paints the graph in its box: the profile in red.
TEST_F(MotionDialogsTest, SpeedGraphIsPaintedInTheDialog)
{
    UseType(1);
    Run(&CHOXParam::EditSpeed, Speed::kTemplate, [](DialogDriver& d) {
        QWidget* host = d.Widget(Speed::kGraph);
        ASSERT_NE(host, nullptr);
        const QImage shot = host->grab().toImage();
        int red = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                if (shot.pixelColor(x, y) == QColor(255, 0, 0)) ++red;
        EXPECT_GT(red, 50);
        d.Click(IDCANCEL);
    });
}

// ---------------------------------------------------------------------------
// Machine zero

TEST_F(MotionDialogsTest, MachineZeroLabelsAndPictures)
{
    UseType(2);
    Set(Param(), 0, 0, 0);
    Param().SetLengthUnit(0, CHOXParam::unitInch);
    Set(Param(), 3, 0, 1);
    Set(Param(), 0, 1, 1);
    Set(Param(), 3, 1, 3);
    Run(&CHOXParam::EditMachineZero, Zero::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(d.Caption(), QStringLiteral("Parameter Machine Zero"));
        EXPECT_EQ(d.Text(Zero::kZeroSpeedUnit), QStringLiteral("inch/min"));
        EXPECT_EQ(d.Text(Zero::kCreepSpeedUnit), QStringLiteral("inch/min"));
        EXPECT_EQ(d.Text(Zero::kAddressUnit), QStringLiteral(" x100 minch/10"));
        d.Select(kTab, 1);
        EXPECT_EQ(d.Text(Zero::kZeroSpeedUnit), QStringLiteral("Hz"));
        EXPECT_EQ(d.Text(Zero::kAddressUnit), QStringLiteral(" PLS"));
        for (int id : {Zero::kFrontEndPicture, Zero::kRearEndPicture}) {
            auto* picture = qobject_cast<QLabel*>(d.Widget(id));
            ASSERT_NE(picture, nullptr);
            EXPECT_FALSE(picture->pixmap().isNull()) << id;
        }
        d.Click(IDCANCEL);
    });
}

TEST_F(MotionDialogsTest, MachineZeroChecksInOrderAgainstTheStoredMaximum)
{
    const int zero = Zero::kZeroSpeed;
    const int creep = Zero::kCreepSpeed;
    ExpectRefusals(
        &CHOXParam::EditMachineZero, Zero::kTemplate,
        {
            {0, {{creep, "15301"}, {zero, "0"}}, creep, "ERROR: Valid Range :1-15300"},
            {0, {{creep, "0"}}, creep, "ERROR: Valid Range :1-15300"},
            {0, {{zero, "153001"}}, zero, "ERROR: Valid Range :1-153000"},
            {1, {{creep, "20001"}}, creep, "ERROR: Valid Range :1- 20000"},
            {2, {{creep, "0"}}, creep, "ERROR: Valid Range :1- 20000"},
            {2, {{zero, "200001"}}, zero, "ERROR :Valid Range: 1-200000"},
            {1, {{Zero::kAddress, "-1000000"}}, Zero::kAddress, "Please enter an integer between -999999 and 999999."},
            {1, {{Zero::kCount, "65536"}}, Zero::kCount, "Please enter an integer between 0 and 65535."},
        });
    // The zero return speed stays within the stored maximum of the axis.
    UseType(1);
    Set(Param(), 4, 0, 50000);
    Run(&CHOXParam::EditMachineZero, Zero::kTemplate, [](DialogDriver& d) {
        ScriptedMessages messages;
        d.Type(Zero::kZeroSpeed, QStringLiteral("60000"));
        messages.Expect(QStringLiteral("ERROR: Valid Range : 1-50000"), kWarn, IDOK);
        d.Click(IDOK);
        ExpectFailure(d, messages, Zero::kZeroSpeed, QStringLiteral("ERROR: Valid Range : 1-50000"));
        d.Type(Zero::kZeroSpeed, QStringLiteral("50000"));
        d.Type(Zero::kAddress, QStringLiteral("-999999"));
        d.Click(IDOK);
    });
    EXPECT_EQ(Value(13), 50000);
    EXPECT_EQ(Value(16), -999999);
}

TEST_F(MotionDialogsTest, MachineZeroOkWritesBothAxes)
{
    for (std::int32_t type : {0, 1}) {
        UseType(type);
        Set(Param(), 13, 1, 1234);
        const std::int32_t yDogOption = Value(18, 1);
        Run(&CHOXParam::EditMachineZero, Zero::kTemplate, [type](DialogDriver& d) {
            // The defaults show on X.
            EXPECT_EQ(d.Text(Zero::kZeroSpeed), QStringLiteral("100000"));
            EXPECT_EQ(d.Check(Zero::kDecreasing), 1);
            EXPECT_EQ(d.Check(Zero::kRearEnd), 1);
            EXPECT_EQ(d.Check(Zero::kDogOpen), 1);
            EXPECT_EQ(d.Check(Zero::kLimitOpen), 1);
            d.Type(Zero::kZeroSpeed, QStringLiteral("9000"));
            d.Type(Zero::kCreepSpeed, QStringLiteral("900"));
            d.Click(Zero::kIncreasing);
            d.Type(Zero::kAddress, QStringLiteral("-42"));
            d.Type(Zero::kCount, QStringLiteral("65535"));
            d.Click(Zero::kNotUsed);
            d.Click(Zero::kDogClosed);
            d.Click(Zero::kLimitClosed);
            if (type != 0) {
                d.Select(kTab, 1);
                EXPECT_EQ(d.Text(Zero::kZeroSpeed), QStringLiteral("1234"));
                d.Click(Zero::kFrontEnd);
            }
            d.Click(IDOK);
        });
        const std::int32_t x[] = {9000, 900, 0, -42, 65535, 2, 1, 1};
        for (UINT n = 13; n <= 20; ++n) EXPECT_EQ(Value(n, 0), x[n - 13]) << n;
        EXPECT_EQ(Value(13, 1), 1234);
        EXPECT_EQ(Value(18, 1), type == 0 ? yDogOption : 0);
        EXPECT_TRUE(doc.IsModified());
    }
}

// ---------------------------------------------------------------------------
// Settings

TEST(SettingsLimitTest, OnlyTheExactDecimalFormOfA32BitNumberPasses)
{
    const struct {
        const char* text;
        bool passes;
        std::int32_t value;
    } cases[] = {
        {"7", true, 7},
        {"0", true, 0},
        {"-2147483648", true, INT32_MIN},
        {"2147483647", true, INT32_MAX},
        {"007", false, 0},
        {"+7", false, 0},
        {" 7", false, 0},
        {"7 ", false, 0},
        {"-0", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {"1e3", false, 0},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"99999999999999999999", false, 0},
    };
    for (const auto& c : cases) {
        const std::optional<std::int32_t> value = Settings::ParseLimit(QString::fromLatin1(c.text));
        EXPECT_EQ(value.has_value(), c.passes) << '"' << c.text << '"';
        if (c.passes && value) {
            EXPECT_EQ(*value, c.value) << c.text;
        }
    }
}

TEST_F(MotionDialogsTest, SettingsCheckTheLimitsThenTheDataExchange)
{
    const char* kLimit = "ERROR: Valid Range -2147483648 ~ 2147483647.";
    ExpectRefusals(
        &CHOXParam::EditSettings, Settings::kTemplate,
        {
            {1, {{Settings::kUpperLimit, "007"}, {Settings::kLowerLimit, "x"}}, Settings::kUpperLimit, kLimit},
            {1, {{Settings::kLowerLimit, "2147483648"}}, Settings::kLowerLimit, kLimit},
            {1,
             {{Settings::kCompletionTime, "5001"}},
             Settings::kCompletionTime,
             "Please enter an integer between 0 and 5000."},
            {1,
             {{Settings::kAddress, "1000000"}},
             Settings::kAddress,
             "Please enter an integer between -999999 and 999999."},
        });
}

TEST_F(MotionDialogsTest, SettingsShowTheServoCheckInvertedAndWriteBothAxes)
{
    UseType(2);
    Set(Param(), 22, 0, 0);
    Set(Param(), 22, 1, 1);
    Set(Param(), 0, 0, 0);
    Set(Param(), 3, 0, 2);
    Run(&CHOXParam::EditSettings, Settings::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(d.Caption(), QStringLiteral("Parameter Settings"));
        EXPECT_EQ(d.Text(Settings::kPositionUnit), QStringLiteral(" x10 Micro m"));
        EXPECT_EQ(d.Check(Settings::kServoCheck), 1);
        EXPECT_EQ(d.Check(Settings::kStopInvalid + 1), 1);
        d.Click(Settings::kServoCheck);
        d.Click(Settings::kPulseDirection);
        d.Click(Settings::kDecreases);
        d.Click(Settings::kStopNextInterpolation);
        d.Type(Settings::kUpperLimit, QStringLiteral("2147483647"));
        d.Type(Settings::kLowerLimit, QStringLiteral("-2147483648"));
        d.Type(Settings::kCompletionTime, QStringLiteral("5000"));
        d.Type(Settings::kAddress, QStringLiteral("-999999"));
        d.Select(kTab, 1);
        EXPECT_EQ(d.Text(Settings::kPositionUnit), QStringLiteral(" x10 PLS"));
        EXPECT_EQ(d.Check(Settings::kServoCheck), 0);
        d.Click(Settings::kServoCheck);
        d.Type(Settings::kUpperLimit, QStringLiteral("7"));
        d.Click(IDOK);
    });
    const struct {
        UINT number;
        std::int32_t x;
        std::int32_t y;
    } expected[] = {{11, 1, 0}, {12, 1, 0},       {21, 5000, 0},      {22, 1, 0},
                    {23, 5, 1}, {24, -999999, 0}, {25, INT32_MAX, 7}, {26, INT32_MIN, 0}};
    for (const auto& e : expected) {
        EXPECT_EQ(Value(e.number, 0), e.x) << e.number;
        EXPECT_EQ(Value(e.number, 1), e.y) << e.number;
    }
}

// The completion time steps by one both ways and wraps at its ends.
TEST_F(MotionDialogsTest, SettingsCompletionTimeSpinStepsByOne)
{
    UseType(0);
    Run(&CHOXParam::EditSettings, Settings::kTemplate, [](DialogDriver& d) {
        const struct {
            const char* from;
            int steps;
            const char* to;
        } cases[] = {{"10", 1, "11"}, {"10", -1, "9"}, {"0", -1, "5000"}, {"5000", 1, "0"}, {"4999", 1, "5000"}};
        for (const auto& c : cases) {
            d.Type(Settings::kCompletionTime, QString::fromLatin1(c.from));
            d.Spin(Settings::kCompletionSpin, c.steps);
            EXPECT_EQ(d.Text(Settings::kCompletionTime), QString::fromLatin1(c.to)) << c.from << " by " << c.steps;
        }
        d.Click(IDCANCEL);
    });
}
