// The I/O parameter dialogs with their axis tab: program number, M code,
// manual pulse generator, absolute position and others. What they show and
// enable, their checks, spins and what OK writes for each axis.
#include "params/HOXParamAbsPosDlg.h"
#include "params/HOXParamMcodeDlg.h"
#include "params/HOXParamOthersDlg.h"
#include "params/HOXParamProgNoDlg.h"
#include "params/HOXParamPulserDlg.h"
#include "params/ParamDialogSupport.h"
#include "plc/HOXKzPlcDlg.h"

#include <gtest/gtest.h>

namespace {

using kt::test::DialogDriver;
using kt::test::ExpectFailure;
using kt::test::ParamDialogTest;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedMessages;
using kt::test::Set;
using Prog = CHOXParamProgNoDlg;
using Mcode = CHOXParamMcodeDlg;
using Pulser = CHOXParamPulserDlg;
using Abs = CHOXParamAbsPosDlg;
using Others = CHOXParamOthersDlg;

constexpr UINT kWarn = MB_OK | MB_ICONEXCLAMATION;
constexpr int kTab = CHOXParamDlg::kTabCtrl;
const QString kOctal = QStringLiteral("Please enter octal values");

// A check that must fail: the switch to click first (0 none), the field, the
// text and the message.
struct Refusal {
    int click;
    int field;
    const char* typed;
    QString message;
};

class IoDialogsTest : public ParamDialogTest {
protected:
    // Types each refusal in turn into a fresh dialog and expects its message,
    // focus and selection.
    void ExpectRefusals(void (CHOXParam::*edit)(), UINT templateId, std::initializer_list<Refusal> refusals)
    {
        for (const Refusal& r : refusals) {
            Run(edit, templateId, [&](DialogDriver& d) {
                ScriptedMessages messages;
                if (r.click != 0) d.Click(r.click);
                d.Type(r.field, QString::fromLatin1(r.typed));
                messages.Expect(r.message, kWarn, IDOK);
                d.Click(IDOK);
                ExpectFailure(d, messages, r.field, r.message);
                d.Click(IDCANCEL);
            });
        }
        EXPECT_FALSE(doc.IsModified());
    }
};

QString To(int highest) { return QStringLiteral("Please enter ineger between 0 to %1").arg(highest); }

} // namespace

// ---------------------------------------------------------------------------
// Program number

TEST_F(IoDialogsTest, ProgramNumberEnablesBySourceAndOpensTheRegisterSequence)
{
    UseType(1);
    Run(&CHOXParam::EditProgramNumber, Prog::kTemplate, [this](DialogDriver& d) {
        EXPECT_EQ(d.Check(Prog::kDesigFixed), 1);
        const int switchFields[] = {Prog::kInput,      Prog::kInputSpin, Prog::kOutput,
                                    Prog::kOutputSpin, Prog::kInterval,  Prog::kIntervalSpin};
        for (int id : switchFields) EXPECT_FALSE(d.Enabled(id)) << id;
        EXPECT_FALSE(d.Enabled(Prog::kKzPlc));
        EXPECT_FALSE(d.Enabled(Prog::kReadyOutput));
        for (int choice : {Prog::kDesigSwitch9, Prog::kDesigSwitch99}) {
            d.Click(choice);
            for (int id : switchFields) EXPECT_TRUE(d.Enabled(id)) << id;
            EXPECT_FALSE(d.Enabled(Prog::kKzPlc));
        }
        d.Click(Prog::kDesigRegister);
        EXPECT_FALSE(d.Enabled(Prog::kInput));
        EXPECT_TRUE(d.Enabled(Prog::kKzPlc));
        ScriptedDialogs inner;
        inner.Expect(CHOXKzPlcDlg::kTemplate, [this](DialogDriver& k) {
            auto& kz = static_cast<CHOXKzPlcDlg&>(k.Dialog());
            EXPECT_EQ(kz.GetForm(), 0);
            EXPECT_EQ(kz.GetRegisterNumber(), 9000);
            EXPECT_EQ(kz.GetDocument(), &doc);
            EXPECT_EQ(k.Caption(), QStringLiteral("RA-ZUZ instruction"));
            k.Click(IDCANCEL);
        });
        d.Click(Prog::kKzPlc);
        EXPECT_FALSE(d.Ended());
        d.Click(Prog::kReady);
        EXPECT_TRUE(d.Enabled(Prog::kReadyOutput));
        EXPECT_TRUE(d.Enabled(Prog::kReadyOutputSpin));
        d.Click(IDCANCEL);
    });
}

TEST_F(IoDialogsTest, ProgramNumberChecksByTypeAndOnlyWhatIsUsed)
{
    UseType(2);
    ExpectRefusals(&CHOXParam::EditProgramNumber, Prog::kTemplate,
                   {
                       {Prog::kDesigSwitch9, Prog::kInput, "370",
                        QStringLiteral("ERROR :Valid Range :Octal values beween 0-67 and 372-374")},
                       {Prog::kDesigSwitch99, Prog::kInput, "375",
                        QStringLiteral("ERROR :Valid Range :Octal values beween 0-67 and 372-374")},
                       {Prog::kDesigSwitch9, Prog::kInput, "58", kOctal},
                       {Prog::kDesigSwitch9, Prog::kOutput, "70", To(67)},
                       {Prog::kDesigSwitch9, Prog::kOutput, "18", kOctal},
                       {Prog::kReady, Prog::kReadyOutput, "70", To(67)},
                       {Prog::kReady, Prog::kReadyOutput, "9", kOctal},
                   });
    UseType(0);
    ExpectRefusals(&CHOXParam::EditProgramNumber, Prog::kTemplate,
                   {
                       {Prog::kDesigSwitch9, Prog::kInput, "4", To(3)},
                       {Prog::kDesigSwitch9, Prog::kOutput, "6", To(5)},
                       {Prog::kReady, Prog::kReadyOutput, "6", To(5)},
                   });
    // Fields whose switch is off are not looked at.
    Run(&CHOXParam::EditProgramNumber, Prog::kTemplate, [](DialogDriver& d) {
        d.Click(Prog::kDesigSwitch9);
        d.Type(Prog::kOutput, QStringLiteral("70"));
        d.Click(Prog::kDesigRegister);
        d.Click(IDOK);
        EXPECT_TRUE(d.Ended());
    });
    EXPECT_EQ(Value(30), 3);
    EXPECT_EQ(Value(32), 70);
}

TEST_F(IoDialogsTest, ProgramNumberWritesBothAxesOnTwoAxisTypes)
{
    UseType(1);
    Run(&CHOXParam::EditProgramNumber, Prog::kTemplate, [](DialogDriver& d) {
        d.Click(Prog::kDesigSwitch99);
        d.Type(Prog::kInput, QStringLiteral("372"));
        d.Type(Prog::kOutput, QStringLiteral("40"));
        d.Type(Prog::kInterval, QStringLiteral("100"));
        d.Select(kTab, 1);
        // The Y axis shows its own values.
        EXPECT_EQ(d.Check(Prog::kDesigFixed), 1);
        EXPECT_EQ(d.Text(Prog::kInterval), QStringLiteral("20"));
        EXPECT_FALSE(d.Enabled(Prog::kInput));
        d.Click(Prog::kReady);
        d.Type(Prog::kReadyOutput, QStringLiteral("57"));
        d.Select(kTab, 0);
        EXPECT_EQ(d.Check(Prog::kDesigSwitch99), 1);
        EXPECT_EQ(d.Text(Prog::kInput), QStringLiteral("372"));
        d.Click(IDOK);
    });
    const std::tuple<UINT, int, std::int32_t> written[] = {
        {30, 0, 2}, {31, 0, 372}, {32, 0, 40}, {33, 0, 100}, {34, 0, 0},
        {30, 1, 0}, {33, 1, 20},  {34, 1, 1},  {35, 1, 57},
    };
    for (const auto& [n, axis, v] : written) EXPECT_EQ(Value(n, axis), v) << n << " axis " << axis;
}

TEST_F(IoDialogsTest, ProgramNumberInputSpinsByType)
{
    const struct {
        std::int32_t type;
        const char* from;
        int steps;
        const char* to;
    } cases[] = {{1, "67", 1, "372"}, {1, "374", 1, "0"}, {1, "0", -1, "374"},
                 {1, "57", 1, "60"},  {0, "3", 1, "0"},   {0, "0", -1, "3"}};
    for (const auto& c : cases) {
        UseType(c.type);
        Run(&CHOXParam::EditProgramNumber, Prog::kTemplate, [&](DialogDriver& d) {
            d.Click(Prog::kDesigSwitch9);
            d.Type(Prog::kInput, QString::fromLatin1(c.from));
            d.Spin(Prog::kInputSpin, c.steps);
            EXPECT_EQ(d.Text(Prog::kInput).toStdString(), c.to) << c.type << " from " << c.from;
            d.Click(IDCANCEL);
        });
    }
}

// ---------------------------------------------------------------------------
// M code

TEST_F(IoDialogsTest, McodeFieldsFollowTheBoxAndClearingItEmptiesThem)
{
    UseType(1);
    Set(Param(), 36, 1, 1);
    Set(Param(), 37, 1, 12);
    Set(Param(), 38, 1, 375);
    Run(&CHOXParam::EditMcode, Mcode::kTemplate, [](DialogDriver& d) {
        for (int id : {Mcode::kOutput, Mcode::kOutputSpin, Mcode::kOffInput, Mcode::kOffInputSpin})
            EXPECT_FALSE(d.Enabled(id));
        d.Select(kTab, 1);
        EXPECT_EQ(d.Check(Mcode::kOutputMcode), 1);
        EXPECT_EQ(d.Text(Mcode::kOutput), QStringLiteral("12"));
        EXPECT_TRUE(d.Enabled(Mcode::kOffInput));
        d.Click(Mcode::kOutputMcode);
        EXPECT_EQ(d.Text(Mcode::kOutput), QStringLiteral("0"));
        EXPECT_EQ(d.Text(Mcode::kOffInput), QStringLiteral("0"));
        EXPECT_FALSE(d.Enabled(Mcode::kOutput));
        d.Select(kTab, 0);
        d.Click(Mcode::kOutputMcode);
        d.Type(Mcode::kOutput, QStringLiteral("57"));
        d.Type(Mcode::kOffInput, QStringLiteral("377"));
        d.Click(IDOK);
    });
    const std::tuple<UINT, int, std::int32_t> written[] = {
        {36, 0, 1}, {37, 0, 57}, {38, 0, 377}, {36, 1, 0}, {37, 1, 0}, {38, 1, 0},
    };
    for (const auto& [n, axis, v] : written) EXPECT_EQ(Value(n, axis), v) << n << " axis " << axis;
}

TEST_F(IoDialogsTest, McodeChecksTheFieldsTickedOrNot)
{
    UseType(2);
    ExpectRefusals(&CHOXParam::EditMcode, Mcode::kTemplate,
                   {
                       {Mcode::kOutputMcode, Mcode::kOutput, "60",
                        QStringLiteral("ERROR:Valid Range :Octal value between 0 - 57")},
                       {Mcode::kOutputMcode, Mcode::kOutput, "48", kOctal},
                       {Mcode::kOutputMcode, Mcode::kOffInput, "371",
                        QStringLiteral("ERROR: Valid Range :Octal values beween 0-67, 372-377")},
                       {Mcode::kOutputMcode, Mcode::kOffInput, "29", kOctal},
                   });
    UseType(0);
    ExpectRefusals(
        &CHOXParam::EditMcode, Mcode::kTemplate,
        {
            {Mcode::kOutputMcode, Mcode::kOutput, "6", QStringLiteral("ERROR : Valid Range is 0-5 ")},
            {Mcode::kOutputMcode, Mcode::kOffInput, "4", QStringLiteral("ERROR : Valid Range  0-3, 375-377")},
        });
    // A stored output the box does not use is checked all the same.
    Set(Param(), 37, 0, 7);
    Run(&CHOXParam::EditMcode, Mcode::kTemplate, [](DialogDriver& d) {
        ScriptedMessages messages;
        EXPECT_FALSE(d.Enabled(Mcode::kOutput));
        messages.Expect(QStringLiteral("ERROR : Valid Range is 0-5 "), kWarn, IDOK);
        d.Click(IDOK);
        EXPECT_FALSE(d.Ended());
        d.Click(IDCANCEL);
    });
}

TEST_F(IoDialogsTest, McodeSpinsByType)
{
    const struct {
        std::int32_t type;
        int spin;
        int field;
        const char* from;
        int steps;
        const char* to;
    } cases[] = {
        {0, Mcode::kOffInputSpin, Mcode::kOffInput, "3", 1, "375"},
        {0, Mcode::kOffInputSpin, Mcode::kOffInput, "375", -1, "3"},
        {0, Mcode::kOutputSpin, Mcode::kOutput, "5", 1, "0"},
        {2, Mcode::kOutputSpin, Mcode::kOutput, "57", 1, "0"},
        {2, Mcode::kOutputSpin, Mcode::kOutput, "47", 1, "50"},
        {2, Mcode::kOffInputSpin, Mcode::kOffInput, "67", 1, "372"},
        {2, Mcode::kOffInputSpin, Mcode::kOffInput, "30", -1, "27"},
    };
    for (const auto& c : cases) {
        UseType(c.type);
        Run(&CHOXParam::EditMcode, Mcode::kTemplate, [&](DialogDriver& d) {
            d.Click(Mcode::kOutputMcode);
            d.Type(c.field, QString::fromLatin1(c.from));
            d.Spin(c.spin, c.steps);
            EXPECT_EQ(d.Text(c.field).toStdString(), c.to) << c.type << " from " << c.from;
            d.Click(IDCANCEL);
        });
    }
}

// ---------------------------------------------------------------------------
// Manual pulse generator

TEST_F(IoDialogsTest, OneAxisPulserHasNoSecondGeneratorAndNoDivision)
{
    UseType(0);
    Set(Param(), 40, 0, 9);
    Set(Param(), 41, 0, 6);
    Set(Param(), 42, 0, 3);
    Run(&CHOXParam::EditPulser, Pulser::kTemplate, [](DialogDriver& d) {
        EXPECT_FALSE(d.Enabled(Pulser::kTwo));
        for (int id : {Pulser::kFactor, Pulser::kFactorSpin, Pulser::kDivision, Pulser::kDivisionSpin, Pulser::kInput,
                       Pulser::kInputSpin})
            EXPECT_FALSE(d.Enabled(id)) << id;
        d.Click(Pulser::kOne);
        for (int id : {Pulser::kFactor, Pulser::kFactorSpin, Pulser::kInput, Pulser::kInputSpin})
            EXPECT_TRUE(d.Enabled(id)) << id;
        EXPECT_FALSE(d.Enabled(Pulser::kDivision));
        EXPECT_FALSE(d.Enabled(Pulser::kTwo));
        d.Type(Pulser::kFactor, QStringLiteral("255"));
        d.Type(Pulser::kInput, QStringLiteral("1"));
        d.Click(IDOK);
    });
    EXPECT_EQ(Value(39), 1);
    EXPECT_EQ(Value(40), 255);
    EXPECT_EQ(Value(41), 6); // the one-axis type has no division rate to write
    EXPECT_EQ(Value(42), 1);
}

TEST_F(IoDialogsTest, PulserNoneKeepsTheStoredValuesOfItsAxis)
{
    UseType(1);
    for (int axis : {0, 1}) {
        Set(Param(), 39, axis, 2);
        Set(Param(), 40, axis, 9);
        Set(Param(), 41, axis, 4);
        Set(Param(), 42, axis, 12);
    }
    Run(&CHOXParam::EditPulser, Pulser::kTemplate, [](DialogDriver& d) {
        d.Select(kTab, 1);
        d.Type(Pulser::kFactor, QStringLiteral("100"));
        d.Type(Pulser::kDivision, QStringLiteral("7"));
        d.Click(Pulser::kNone);
        for (int id : {Pulser::kFactor, Pulser::kDivision, Pulser::kInput}) EXPECT_FALSE(d.Enabled(id)) << id;
        d.Select(kTab, 0);
        d.Type(Pulser::kDivision, QStringLiteral("1"));
        d.Type(Pulser::kInput, QStringLiteral("67"));
        d.Click(IDOK);
    });
    const std::tuple<UINT, int, std::int32_t> written[] = {
        {39, 0, 2}, {40, 0, 9}, {41, 0, 1}, {42, 0, 67}, {39, 1, 0}, {40, 1, 9}, {41, 1, 4}, {42, 1, 12},
    };
    for (const auto& [n, axis, v] : written) EXPECT_EQ(Value(n, axis), v) << n << " axis " << axis;
}

TEST_F(IoDialogsTest, PulserChecksByType)
{
    UseType(2);
    ExpectRefusals(
        &CHOXParam::EditPulser, Pulser::kTemplate,
        {
            {Pulser::kOne, Pulser::kInput, "70", QStringLiteral("ERROR :Valid Range :Octal values between 0 and 67")},
            {Pulser::kTwo, Pulser::kInput, "28", kOctal},
            {Pulser::kOne, Pulser::kFactor, "256", QStringLiteral("Please enter an integer between 1 and 255.")},
            {Pulser::kOne, Pulser::kDivision, "8", QStringLiteral("Please enter an integer between 0 and 7.")},
        });
    UseType(0);
    ExpectRefusals(&CHOXParam::EditPulser, Pulser::kTemplate,
                   {{Pulser::kOne, Pulser::kInput, "4", QStringLiteral("ERROR:Valid Range 0-3")}});
}

// ---------------------------------------------------------------------------
// Absolute position

TEST_F(IoDialogsTest, OneAxisAbsolutePositionTakesItsOwnHeads)
{
    UseType(0);
    const QString range = QStringLiteral("ERROR : Valid Range  0-3, 375-377");
    ExpectRefusals(&CHOXParam::EditAbsPosition, Abs::kTemplate,
                   {
                       {Abs::kDetect, Abs::kInput, "3", range},
                       {Abs::kDetect, Abs::kInput, "377", range},
                       {Abs::kDetect, Abs::kOutput, "4", QStringLiteral("ERROR:Valid Range 0-3")},
                   });
    for (const char* input : {"2", "376", "375", "0"}) {
        Set(Param(), 50, 0, 0);
        Run(&CHOXParam::EditAbsPosition, Abs::kTemplate, [&](DialogDriver& d) {
            d.Click(Abs::kDetect);
            d.Type(Abs::kInput, QString::fromLatin1(input));
            d.Type(Abs::kOutput, QStringLiteral("3"));
            d.Click(IDOK);
            EXPECT_TRUE(d.Ended()) << input;
        });
        EXPECT_EQ(Value(51), QString::fromLatin1(input).toInt());
    }
    EXPECT_EQ(Value(52), 3);
}

TEST_F(IoDialogsTest, AbsolutePositionChecksOnlyWhileDetectingAndWritesHeadsOnlyThen)
{
    UseType(1);
    ExpectRefusals(
        &CHOXParam::EditAbsPosition, Abs::kTemplate,
        {
            {Abs::kDetect, Abs::kInput, "67", QStringLiteral("ERROR:Valid Range :Octal values between 0 -66")},
            {Abs::kDetect, Abs::kInput, "58", kOctal},
            {Abs::kDetect, Abs::kOutput, "66", QStringLiteral("ERROR :Valid Range :Octal values between 0 -65")},
            {Abs::kDetect, Abs::kOutput, "19", kOctal},
        });
    Set(Param(), 51, 1, 5);
    Run(&CHOXParam::EditAbsPosition, Abs::kTemplate, [](DialogDriver& d) {
        d.Click(Abs::kDetect);
        d.Type(Abs::kInput, QStringLiteral("66"));
        d.Type(Abs::kOutput, QStringLiteral("65"));
        d.Select(kTab, 1);
        // Not detecting on Y: its heads are neither checked nor written.
        d.Click(Abs::kDetect);
        d.Type(Abs::kInput, QStringLiteral("99"));
        d.Click(Abs::kDetect);
        d.Click(IDOK);
        EXPECT_TRUE(d.Ended());
    });
    const std::tuple<UINT, int, std::int32_t> written[] = {
        {50, 0, 1}, {51, 0, 66}, {52, 0, 65}, {50, 1, 0}, {51, 1, 5}, {52, 1, 0},
    };
    for (const auto& [n, axis, v] : written) EXPECT_EQ(Value(n, axis), v) << n << " axis " << axis;
}

TEST_F(IoDialogsTest, AbsolutePositionSpinsByType)
{
    const struct {
        std::int32_t type;
        int spin;
        int field;
        const char* from;
        int steps;
        const char* to;
    } cases[] = {
        {0, Abs::kInputSpin, Abs::kInput, "2", 1, "375"},   {0, Abs::kInputSpin, Abs::kInput, "375", -1, "2"},
        {0, Abs::kInputSpin, Abs::kInput, "376", 1, "0"},   {0, Abs::kOutputSpin, Abs::kOutput, "3", 1, "0"},
        {2, Abs::kInputSpin, Abs::kInput, "66", 1, "0"},    {2, Abs::kInputSpin, Abs::kInput, "0", -1, "66"},
        {2, Abs::kOutputSpin, Abs::kOutput, "57", 1, "60"}, {2, Abs::kOutputSpin, Abs::kOutput, "65", 1, "0"},
    };
    for (const auto& c : cases) {
        UseType(c.type);
        Run(&CHOXParam::EditAbsPosition, Abs::kTemplate, [&](DialogDriver& d) {
            d.Click(Abs::kDetect);
            d.Type(c.field, QString::fromLatin1(c.from));
            d.Spin(c.spin, c.steps);
            EXPECT_EQ(d.Text(c.field).toStdString(), c.to) << c.type << " from " << c.from;
            d.Click(IDCANCEL);
        });
    }
}

// ---------------------------------------------------------------------------
// Others

TEST_F(IoDialogsTest, OthersWritesTheStartInputOnlyForSingleStep)
{
    UseType(2);
    Set(Param(), 54, 1, 7);
    Run(&CHOXParam::EditOthers, Others::kTemplate, [](DialogDriver& d) {
        auto& dlg = static_cast<CHOXParamOthersDlg&>(d.Dialog());
        EXPECT_FALSE(d.Enabled(Others::kInput));
        d.Click(Others::kValid);
        EXPECT_TRUE(d.Enabled(Others::kInputSpin));
        // What is typed is the dialog's at once.
        d.Type(Others::kInput, QStringLiteral("375"));
        EXPECT_EQ(dlg.m_nInput, 375);
        d.Click(Others::kAlwaysSpecialM);
        d.Select(kTab, 1);
        EXPECT_EQ(d.Text(Others::kInput), QStringLiteral("7"));
        d.Click(Others::kValid);
        d.Type(Others::kInput, QStringLiteral("x"));
        EXPECT_EQ(d.Text(Others::kInput), QStringLiteral("7")); // digits only
        d.Type(Others::kInput, QStringLiteral("12"));
        d.Click(Others::kValid);
        d.Click(Others::kAuto);
        d.Click(IDOK);
    });
    const std::tuple<UINT, int, std::int32_t> written[] = {
        {53, 0, 1}, {54, 0, 375}, {56, 0, 4}, {53, 1, 0}, {54, 1, 7}, {56, 1, 1},
    };
    for (const auto& [n, axis, v] : written) EXPECT_EQ(Value(n, axis), v) << n << " axis " << axis;
}

TEST_F(IoDialogsTest, OthersChecksByTypeWhileSingleStepIsValid)
{
    UseType(1);
    ExpectRefusals(&CHOXParam::EditOthers, Others::kTemplate,
                   {
                       {Others::kValid, Others::kInput, "100",
                        QStringLiteral("ERROR: Valid Range :Octal values beween 0-67, 372-377")},
                       {Others::kValid, Others::kInput, "49", kOctal},
                   });
    UseType(0);
    ExpectRefusals(&CHOXParam::EditOthers, Others::kTemplate,
                   {{Others::kValid, Others::kInput, "374", QStringLiteral("ERROR : Valid Range  0-3, 375-377")}});
    Run(&CHOXParam::EditOthers, Others::kTemplate, [](DialogDriver& d) {
        d.Click(Others::kValid);
        d.Type(Others::kInput, QStringLiteral("3"));
        d.Spin(Others::kInputSpin, 1);
        EXPECT_EQ(d.Text(Others::kInput), QStringLiteral("375"));
        d.Click(IDOK);
    });
    EXPECT_EQ(Value(54), 375);
}
