// The system and subtask parameter dialogs: what they show and enable by
// switch and controller type, their checks in order, their spins, and what OK
// writes.
#include "params/HOXParamSubtaskDlg.h"
#include "params/HOXParamSystemDlg.h"
#include "params/ParamDialogSupport.h"

#include <gtest/gtest.h>

namespace {

using kt::test::DialogDriver;
using kt::test::ExpectFailure;
using kt::test::ParamDialogTest;
using kt::test::ScriptedMessages;
using kt::test::Set;
using Sys = CHOXParamSystemDlg;
using Sub = CHOXParamSubtaskDlg;

constexpr UINT kWarn = MB_OK | MB_ICONEXCLAMATION;
const QString kOctal = QStringLiteral("Please enter octal values");
const QString kOneAxisInput = QStringLiteral("ERROR : Valid Range  0-3, 375-377");
const QString kTwoAxisInput = QStringLiteral("ERROR: Valid Range :Octal values beween 0-67, 372-377");

class SystemDialogsTest : public ParamDialogTest {
protected:
    void RunSystem(kt::test::ScriptedDialogs::Script script) { Run(&CHOXParam::EditSystem, Sys::kTemplate, script); }
    void RunSubtask(kt::test::ScriptedDialogs::Script script) { Run(&CHOXParam::EditSubtask, Sub::kTemplate, script); }
};

} // namespace

TEST_F(SystemDialogsTest, OneAxisSystemHasOnly4KStepsAndNoBattery)
{
    UseType(0);
    Set(Param(), 100, 0, 0);
    Set(Param(), 102, 0, 2);
    Set(Param(), 103, 0, 7);
    RunSystem([](DialogDriver& d) {
        EXPECT_EQ(d.Check(Sys::kMemory4K), 1);
        EXPECT_EQ(d.Check(Sys::kMemory8K), 0);
        EXPECT_FALSE(d.Enabled(Sys::kMemory8K));
        for (int id : {Sys::kBatteryGroup, Sys::kBatteryOn, Sys::kBatteryOff, Sys::kBatterySet, Sys::kOutputLabel,
                       Sys::kOutput, Sys::kOutputSpin})
            EXPECT_FALSE(d.Enabled(id)) << id;
        // Neither the battery choice nor its output came from the set.
        EXPECT_EQ(d.Check(Sys::kBatterySet), 0);
        EXPECT_EQ(d.Text(Sys::kOutput), QStringLiteral("0"));
        d.Type(Sys::kFileRegisters, QStringLiteral("3000"));
        d.Click(IDOK);
    });
    EXPECT_EQ(Value(100), 1);
    EXPECT_EQ(Value(101), 3000);
    EXPECT_EQ(Value(102), 2);
    EXPECT_EQ(Value(103), 7);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(SystemDialogsTest, TheBatteryOutputCountsOnlyWithSet)
{
    UseType(1);
    Set(Param(), 102, 0, 2);
    Set(Param(), 103, 0, 17);
    RunSystem([](DialogDriver& d) {
        EXPECT_EQ(d.Check(Sys::kMemory8K), 1);
        EXPECT_EQ(d.Check(Sys::kBatterySet), 1);
        EXPECT_EQ(d.Text(Sys::kOutput), QStringLiteral("17"));
        EXPECT_TRUE(d.Enabled(Sys::kOutput));
        d.Type(Sys::kOutput, QStringLiteral("20"));
        d.Click(Sys::kBatteryOff);
        EXPECT_FALSE(d.Enabled(Sys::kOutput));
        EXPECT_FALSE(d.Enabled(Sys::kOutputSpin));
        d.Click(Sys::kMemory4K);
        d.Click(IDOK);
    });
    EXPECT_EQ(Value(100), 1);
    EXPECT_EQ(Value(102), 1);
    EXPECT_EQ(Value(103), 17); // not written without SET
    RunSystem([](DialogDriver& d) {
        d.Click(Sys::kBatterySet);
        d.Type(Sys::kOutput, QStringLiteral("67"));
        d.Click(IDOK);
    });
    EXPECT_EQ(Value(102), 2);
    EXPECT_EQ(Value(103), 67);
}

TEST_F(SystemDialogsTest, SystemChecksRangesThenTheOctalDigitWhateverTheBattery)
{
    UseType(2);
    RunSystem([](DialogDriver& d) {
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("Please enter an integer between 0 and 3000."), kWarn, IDOK);
        d.Type(Sys::kFileRegisters, QStringLiteral("3001"));
        d.Click(IDOK);
        ExpectFailure(d, messages, Sys::kFileRegisters, QStringLiteral("Please enter an integer between 0 and 3000."));
        d.Type(Sys::kFileRegisters, QStringLiteral("12"));
        d.Click(Sys::kBatterySet);
        messages.Expect(QStringLiteral("Please enter an integer between 0 and 67."), kWarn, IDOK);
        d.Type(Sys::kOutput, QStringLiteral("68"));
        d.Click(IDOK);
        ExpectFailure(d, messages, Sys::kOutput, QStringLiteral("Please enter an integer between 0 and 67."));
        // A last digit 8 fails even after the output stopped counting.
        d.Type(Sys::kOutput, QStringLiteral("58"));
        d.Click(Sys::kBatteryOn);
        messages.Expect(kOctal, kWarn, IDOK);
        d.Click(IDOK);
        EXPECT_EQ(d.Focus(), Sys::kOutput);
        EXPECT_FALSE(d.Ended());
        d.Click(IDCANCEL);
    });
    EXPECT_EQ(Value(101), 0);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(SystemDialogsTest, TheBatteryOutputSpinStepsInOctalAndWraps)
{
    UseType(1);
    Set(Param(), 102, 0, 2);
    Set(Param(), 103, 0, 67);
    RunSystem([](DialogDriver& d) {
        const struct {
            int steps;
            const char* shown;
        } moves[] = {{1, "0"}, {-1, "67"}, {-1, "66"}, {1, "67"}, {1, "0"}, {1, "1"}};
        for (const auto& m : moves) {
            d.Spin(Sys::kOutputSpin, m.steps);
            EXPECT_EQ(d.Text(Sys::kOutput).toStdString(), m.shown);
        }
        d.Type(Sys::kOutput, QStringLiteral("7"));
        d.Spin(Sys::kOutputSpin, 1);
        EXPECT_EQ(d.Text(Sys::kOutput), QStringLiteral("10"));
        d.Spin(Sys::kOutputSpin, -1);
        EXPECT_EQ(d.Text(Sys::kOutput), QStringLiteral("7"));
        d.Click(IDCANCEL);
    });
}

TEST_F(SystemDialogsTest, SubtaskShowsEachInputBesideItsChoice)
{
    UseType(1);
    const std::pair<UINT, std::int32_t> stored[] = {{104, 2}, {105, 375}, {106, 0}, {107, 7},
                                                    {108, 0}, {109, 5},   {110, 1}, {111, 3}};
    for (const auto& [n, v] : stored) Set(Param(), n, 0, v);
    RunSubtask([](DialogDriver& d) {
        EXPECT_EQ(d.Check(Sub::kStartEither), 1);
        EXPECT_EQ(d.Text(Sub::kStartInputField), QStringLiteral("0"));
        EXPECT_EQ(d.Text(Sub::kStartEitherField), QStringLiteral("375"));
        EXPECT_EQ(d.Text(Sub::kStopField), QStringLiteral("0"));
        EXPECT_EQ(d.Text(Sub::kStepField), QStringLiteral("3"));
        EXPECT_EQ(d.Text(Sub::kErrorField), QStringLiteral("5"));
        const std::pair<int, bool> enabled[] = {
            {Sub::kStartInputField, false}, {Sub::kStartInputSpin, false}, {Sub::kStartEitherField, true},
            {Sub::kStartEitherSpin, true},  {Sub::kStopField, false},      {Sub::kStepField, true},
            {Sub::kErrorField, false},      {Sub::kErrorSpin, false},
        };
        for (const auto& [id, on] : enabled) EXPECT_EQ(d.Enabled(id), on) << id;
        d.Click(Sub::kStartInput);
        EXPECT_TRUE(d.Enabled(Sub::kStartInputField));
        EXPECT_FALSE(d.Enabled(Sub::kStartEitherField));
        d.Click(Sub::kErrorCheck);
        EXPECT_TRUE(d.Enabled(Sub::kErrorField));
        d.Click(IDCANCEL);
    });
}

TEST_F(SystemDialogsTest, SubtaskChecksInOrderOnlyWhatItsChoicesUse)
{
    for (std::int32_t type : {0, 1}) {
        UseType(type);
        const QString input = type == 0 ? kOneAxisInput : kTwoAxisInput;
        const QString error = type == 0 ? QStringLiteral("ERROR : Valid Range : 0-5")
                                        : QStringLiteral("ERROR :Valid Range :Octal values between 0 and 67");
        RunSubtask([&](DialogDriver& d) {
            ScriptedMessages messages;
            // An input the start does not use is not looked at.
            d.Click(Sub::kStartInput);
            d.Type(Sub::kStartInputField, QStringLiteral("400"));
            d.Click(Sub::kStartManual);
            // Every used field is wrong: the start input goes first...
            d.Click(Sub::kStartEither);
            d.Type(Sub::kStartEitherField, QStringLiteral("400"));
            d.Click(Sub::kStopInput);
            d.Type(Sub::kStopField, QStringLiteral("370"));
            d.Click(Sub::kStepInput);
            d.Type(Sub::kStepField, QStringLiteral("378"));
            d.Click(Sub::kErrorCheck);
            d.Type(Sub::kErrorField, QStringLiteral("70"));
            const std::pair<int, const char*> order[] = {{Sub::kStartEitherField, "375"},
                                                         {Sub::kStopField, "3"},
                                                         {Sub::kStepField, "377"},
                                                         {Sub::kErrorField, "5"}};
            for (const auto& [id, fix] : order) {
                const QString message = id == Sub::kErrorField ? error : input;
                messages.Expect(message, kWarn, IDOK);
                d.Click(IDOK);
                ExpectFailure(d, messages, id, message);
                d.Type(id, QString::fromLatin1(fix));
            }
            d.Click(IDOK);
            EXPECT_TRUE(d.Ended());
        });
        EXPECT_EQ(Value(104), 2);
        EXPECT_EQ(Value(105), 375);
        EXPECT_EQ(Value(107), 3);
        EXPECT_EQ(Value(111), 377);
        EXPECT_EQ(Value(109), 5);
    }
}

TEST_F(SystemDialogsTest, TwoAxisSubtaskInputsAreOctalInTwoRanges)
{
    UseType(2);
    const struct {
        const char* typed;
        const char* message; // null: passes
    } cases[] = {
        {"67", nullptr}, {"372", nullptr}, {"377", nullptr}, {"68", "range"},
        {"58", "octal"}, {"371", "range"}, {"378", "range"}, {"0", nullptr},
    };
    for (const auto& c : cases) {
        RunSubtask([&](DialogDriver& d) {
            ScriptedMessages messages;
            d.Click(Sub::kStopInput);
            d.Type(Sub::kStopField, QString::fromLatin1(c.typed));
            if (c.message != nullptr) {
                const QString message = QString::fromLatin1(c.message) == u"octal" ? kOctal : kTwoAxisInput;
                messages.Expect(message, kWarn, IDOK);
                d.Click(IDOK);
                ExpectFailure(d, messages, Sub::kStopField, message);
                d.Click(IDCANCEL);
            } else {
                d.Click(IDOK);
            }
        });
        if (c.message == nullptr) {
            EXPECT_EQ(Value(107), QString::fromLatin1(c.typed).toInt());
        }
    }
}

TEST_F(SystemDialogsTest, SubtaskWritesAnInputOnlyWithItsChoice)
{
    UseType(1);
    const std::pair<UINT, std::int32_t> stored[] = {{104, 1}, {105, 7}, {106, 1}, {107, 6},
                                                    {108, 1}, {109, 5}, {110, 1}, {111, 4}};
    for (const auto& [n, v] : stored) Set(Param(), n, 0, v);
    RunSubtask([](DialogDriver& d) {
        for (int id : {Sub::kStartManual, Sub::kStopManual, Sub::kStepRelay, Sub::kErrorCheck}) d.Click(id);
        d.Click(IDOK);
    });
    const std::pair<UINT, std::int32_t> written[] = {{104, 0}, {105, 7}, {106, 0}, {107, 6},
                                                     {108, 0}, {109, 5}, {110, 0}, {111, 4}};
    for (const auto& [n, v] : written) EXPECT_EQ(Value(n), v) << n;
    RunSubtask([](DialogDriver& d) {
        d.Click(Sub::kStartEither);
        d.Type(Sub::kStartEitherField, QStringLiteral("372"));
        d.Click(Sub::kStepInput);
        d.Type(Sub::kStepField, QStringLiteral("12"));
        d.Click(IDOK);
    });
    EXPECT_EQ(Value(104), 2);
    EXPECT_EQ(Value(105), 372);
    EXPECT_EQ(Value(110), 1);
    EXPECT_EQ(Value(111), 12);
}

TEST_F(SystemDialogsTest, SubtaskSpinsJumpBetweenTheRangesOfTheType)
{
    const struct {
        std::int32_t type;
        int spin;
        int field;
        const char* from;
        int steps;
        const char* to;
    } cases[] = {
        {0, Sub::kStopSpin, Sub::kStopField, "3", 1, "375"},    {0, Sub::kStopSpin, Sub::kStopField, "375", -1, "3"},
        {0, Sub::kStopSpin, Sub::kStopField, "377", 1, "0"},    {0, Sub::kStopSpin, Sub::kStopField, "0", -1, "377"},
        {1, Sub::kStopSpin, Sub::kStopField, "67", 1, "372"},   {1, Sub::kStopSpin, Sub::kStopField, "372", -1, "67"},
        {1, Sub::kStopSpin, Sub::kStopField, "17", 1, "20"},    {1, Sub::kStopSpin, Sub::kStopField, "0", -1, "377"},
        {0, Sub::kErrorSpin, Sub::kErrorField, "5", 1, "0"},    {1, Sub::kErrorSpin, Sub::kErrorField, "67", 1, "0"},
        {1, Sub::kErrorSpin, Sub::kErrorField, "20", -1, "17"},
    };
    for (const auto& c : cases) {
        UseType(c.type);
        RunSubtask([&](DialogDriver& d) {
            d.Click(Sub::kStopInput);
            d.Click(Sub::kErrorCheck);
            d.Type(c.field, QString::fromLatin1(c.from));
            d.Spin(c.spin, c.steps);
            EXPECT_EQ(d.Text(c.field).toStdString(), c.to) << c.type << " from " << c.from;
            d.Click(IDCANCEL);
        });
    }
}
