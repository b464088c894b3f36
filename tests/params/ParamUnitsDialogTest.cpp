// The Units dialog: the system and length unit buttons, the sorted list of
// minimum command units with parameter 3 as 3 minus the position, the rate
// fields and labels, and what leaving a tab and OK store.
#include "params/HOXParamUnitsDlg.h"
#include "params/ParamDialogSupport.h"

#include <gtest/gtest.h>

namespace {

using kt::test::DialogDriver;
using kt::test::ExpectFailure;
using kt::test::ParamDialogTest;
using kt::test::ScriptedMessages;
using kt::test::Set;
using Units = CHOXParamUnitsDlg;

constexpr int kTab = CHOXParamDlg::kTabCtrl;

QStringList ListOf(DialogDriver& d)
{
    QStringList texts;
    for (int i = 0; i < d.Site().GetCount(Units::kCommandUnit); ++i)
        texts << d.Site().GetItemText(Units::kCommandUnit, i);
    return texts;
}

QString Selected(DialogDriver& d)
{
    const int sel = d.Site().GetCurSel(Units::kCommandUnit);
    return sel < 0 ? QString() : d.Site().GetItemText(Units::kCommandUnit, sel);
}

const QStringList kMetricTexts = {QStringLiteral("0.001"), QStringLiteral("0.01"), QStringLiteral("0.1"),
                                  QStringLiteral("1")};
const QStringList kInchTexts = {QStringLiteral("0.0001"), QStringLiteral("0.001"), QStringLiteral("0.01"),
                                QStringLiteral("0.1")};
const QStringList kMotorTexts = {QStringLiteral("1"), QStringLiteral("10"), QStringLiteral("100"),
                                 QStringLiteral("1000")};

// What the controls show for one system and length unit.
void ExpectShown(DialogDriver& d, bool motor, std::int32_t unit)
{
    for (int id : {Units::kPulseRate, Units::kFeedRate, Units::kMillimetre, Units::kDegree, Units::kInch})
        EXPECT_EQ(d.Enabled(id), !motor) << id;
    if (motor) {
        EXPECT_EQ(ListOf(d), kMotorTexts);
        EXPECT_EQ(d.Text(Units::kPulseUnit), QString());
        EXPECT_EQ(d.Text(Units::kFeedUnit), QStringLiteral(" "));
        for (int id : {Units::kMillimetre, Units::kDegree, Units::kInch}) EXPECT_EQ(d.Check(id), 0) << id;
        return;
    }
    const char* feed[] = {"Micro m/REV", " mdeg/REV", "minch/10 REV"};
    EXPECT_EQ(ListOf(d), unit == CHOXParam::unitInch ? kInchTexts : kMetricTexts);
    EXPECT_EQ(d.Text(Units::kPulseUnit), QStringLiteral(" PLS/REV"));
    EXPECT_EQ(d.Text(Units::kFeedUnit), QString::fromLatin1(feed[unit]));
    EXPECT_EQ(d.Check(Units::kMillimetre + unit), 1);
}

} // namespace

TEST(UnitsListTest, TextsAreSortedSoTheSmallestValueComesFirst)
{
    EXPECT_EQ(Units::CommandUnitTexts(0, CHOXParam::unitMillimetre), kMetricTexts);
    EXPECT_EQ(Units::CommandUnitTexts(2, CHOXParam::unitDegree), kMetricTexts);
    EXPECT_EQ(Units::CommandUnitTexts(0, CHOXParam::unitInch), kInchTexts);
    // The Motor list does not depend on the length unit.
    EXPECT_EQ(Units::CommandUnitTexts(1, CHOXParam::unitInch), kMotorTexts);
}

TEST_F(ParamDialogTest, UnitsShowEachAxisBySystemAndLengthUnit)
{
    UseType(1);
    Set(Param(), 0, 0, 0);
    Param().SetLengthUnit(0, CHOXParam::unitDegree);
    Set(Param(), 3, 0, 3);
    Set(Param(), 1, 0, 4000);
    Set(Param(), 2, 0, 5000);
    Set(Param(), 0, 1, 1);
    Set(Param(), 3, 1, 0);
    // A Motor axis's stored length unit does not count.
    Param().SetLengthUnit(1, CHOXParam::unitInch);
    Run(&CHOXParam::EditUnits, Units::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(d.Caption(), QStringLiteral("Parameter Units"));
        EXPECT_EQ(d.Check(Units::kMechanical), 1);
        ExpectShown(d, false, CHOXParam::unitDegree);
        EXPECT_EQ(Selected(d), QStringLiteral("0.001"));
        EXPECT_EQ(d.Text(Units::kPulseRate), QStringLiteral("4000"));
        EXPECT_EQ(d.Text(Units::kFeedRate), QStringLiteral("5000"));

        d.Select(kTab, 1);
        EXPECT_EQ(d.Check(Units::kMotor), 1);
        EXPECT_EQ(d.Check(Units::kMechanical), 0);
        ExpectShown(d, true, 0);
        EXPECT_EQ(Selected(d), QStringLiteral("1000"));
        // The Motor axis leaves its system: its unit in the dialog is mm.
        d.Click(Units::kMechanicalMotor);
        ExpectShown(d, false, CHOXParam::unitMillimetre);
        EXPECT_EQ(Selected(d), QStringLiteral("0.01"));

        // Back on X everything is as it was.
        d.Select(kTab, 0);
        EXPECT_EQ(d.Check(Units::kMechanical), 1);
        ExpectShown(d, false, CHOXParam::unitDegree);
        EXPECT_EQ(Selected(d), QStringLiteral("0.001"));
        d.Click(IDCANCEL);
    });
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(Param().GetLengthUnit(1), CHOXParam::unitInch);
}

// Rebuilding the list for a system or unit selects its usual text.
TEST_F(ParamDialogTest, UnitsListFollowsTheChoicesAndSelectsItsUsualText)
{
    UseType(0);
    Set(Param(), 0, 0, 2);
    Run(&CHOXParam::EditUnits, Units::kTemplate, [](DialogDriver& d) {
        const struct {
            int click;
            bool motor;
            std::int32_t unit;
            const char* usual;
        } steps[] = {
            {Units::kInch, false, CHOXParam::unitInch, "0.001"},
            {Units::kMotor, true, 0, "10"},
            // Leaving Motor the axis has the unit it had.
            {Units::kMechanical, false, CHOXParam::unitInch, "0.001"},
            {Units::kDegree, false, CHOXParam::unitDegree, "0.01"},
            {Units::kMechanicalMotor, false, CHOXParam::unitDegree, "0.01"},
            {Units::kMillimetre, false, CHOXParam::unitMillimetre, "0.01"},
        };
        for (const auto& s : steps) {
            d.Click(s.click);
            ExpectShown(d, s.motor, s.unit);
            EXPECT_EQ(Selected(d), QString::fromLatin1(s.usual)) << s.click;
        }
        d.Click(IDCANCEL);
    });
}

// Parameter 3 is 3 minus the position of the chosen text, whatever the list.
TEST_F(ParamDialogTest, UnitsTakeTheCommandUnitFromEachText)
{
    UseType(0);
    const struct {
        int system;
        int unit;
        const QStringList& texts;
    } lists[] = {
        {Units::kMechanical, Units::kMillimetre, kMetricTexts},
        {Units::kMechanicalMotor, Units::kDegree, kMetricTexts},
        {Units::kMechanical, Units::kInch, kInchTexts},
        {Units::kMotor, 0, kMotorTexts},
    };
    for (const auto& list : lists) {
        for (int position = 0; position < 4; ++position) {
            Run(&CHOXParam::EditUnits, Units::kTemplate, [&](DialogDriver& d) {
                d.Click(list.system);
                if (list.unit != 0) d.Click(list.unit);
                d.Select(Units::kCommandUnit, position);
                EXPECT_EQ(Selected(d), list.texts[position]);
                d.Click(IDOK);
            });
            EXPECT_EQ(Value(3), 3 - position) << list.texts[position].toStdString();
        }
    }
}

TEST_F(ParamDialogTest, UnitsOnMotorStoreTheSystemAndTheChosenText)
{
    UseType(1);
    Set(Param(), 0, 0, 0);
    Param().SetLengthUnit(0, CHOXParam::unitInch);
    Set(Param(), 1, 0, 1234);
    Run(&CHOXParam::EditUnits, Units::kTemplate, [](DialogDriver& d) {
        d.Click(Units::kMotor);
        ExpectShown(d, true, 0);
        EXPECT_EQ(Selected(d), QStringLiteral("10"));
        d.Click(IDOK);
    });
    EXPECT_EQ(Value(0), 1);
    EXPECT_EQ(Value(3), 2);
    // The rates stay; so does the unit the axis had in the dialog.
    EXPECT_EQ(Value(1), 1234);
    EXPECT_EQ(Param().GetLengthUnit(0), CHOXParam::unitInch);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(ParamDialogTest, UnitsChangingTheUnitSelectsItsUsualTextAgain)
{
    UseType(0);
    Set(Param(), 0, 0, 0);
    Run(&CHOXParam::EditUnits, Units::kTemplate, [](DialogDriver& d) {
        d.Select(Units::kCommandUnit, kMetricTexts.indexOf(QStringLiteral("0.001")));
        d.Click(IDOK);
    });
    EXPECT_EQ(Value(3), 3);
    Run(&CHOXParam::EditUnits, Units::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(Selected(d), QStringLiteral("0.001"));
        d.Click(Units::kInch);
        EXPECT_EQ(Selected(d), QStringLiteral("0.001"));
        d.Click(IDOK);
    });
    EXPECT_EQ(Value(3), 2);
    EXPECT_EQ(Param().GetLengthUnit(0), CHOXParam::unitInch);
}

// A stored code outside 0 to 3 (from a file or a text import) selects
// nothing; OK then keeps it instead of storing 3 - (-1).
TEST_F(ParamDialogTest, UnitsKeepACommandUnitThatSelectsNothing)
{
    UseType(2);
    Set(Param(), 0, 0, 0);
    Set(Param(), 3, 0, 7);
    Set(Param(), 3, 1, -1);
    Run(&CHOXParam::EditUnits, Units::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(Selected(d), QString());
        d.Select(kTab, 1);
        EXPECT_EQ(Selected(d), QString());
        d.Select(kTab, 0);
        d.Click(IDOK);
    });
    EXPECT_EQ(Value(3, 0), 7);
    EXPECT_EQ(Value(3, 1), -1);
    // A choice made afterwards counts.
    Run(&CHOXParam::EditUnits, Units::kTemplate, [](DialogDriver& d) {
        d.Click(Units::kMillimetre);
        d.Click(IDOK);
    });
    EXPECT_EQ(Value(3, 0), 2);
}

TEST_F(ParamDialogTest, UnitsRateFieldsPassTheDataExchangeUnlessMotor)
{
    UseType(1);
    Set(Param(), 0, 0, 0);
    // A Motor axis's rates are not exchanged, whatever they hold.
    Set(Param(), 0, 1, 1);
    Set(Param(), 1, 1, 0);
    const struct {
        int field;
        const char* typed;
        const char* message;
    } refusals[] = {
        {Units::kPulseRate, "0", "Please enter an integer between 1 and 65535."},
        {Units::kPulseRate, "65536", "Please enter an integer between 1 and 65535."},
        {Units::kFeedRate, "1000000", "Please enter an integer between 1 and 999999."},
    };
    for (const auto& r : refusals) {
        Run(&CHOXParam::EditUnits, Units::kTemplate, [&](DialogDriver& d) {
            ScriptedMessages messages;
            d.Type(r.field, QString::fromLatin1(r.typed));
            messages.Expect(QString::fromLatin1(r.message), MB_OK | MB_ICONEXCLAMATION, IDOK);
            d.Select(kTab, 1);
            EXPECT_EQ(d.Site().GetCurSel(kTab), 0);
            EXPECT_EQ(d.Focus(), r.field);
            messages.Expect(QString::fromLatin1(r.message), MB_OK | MB_ICONEXCLAMATION, IDOK);
            d.Click(IDOK);
            EXPECT_FALSE(d.Ended());
            d.Click(IDCANCEL);
        });
    }
    EXPECT_FALSE(doc.IsModified());
    Run(&CHOXParam::EditUnits, Units::kTemplate, [](DialogDriver& d) {
        d.Select(kTab, 1);
        d.Click(IDOK);
    });
    EXPECT_EQ(Value(1, 1), 0);
}

TEST_F(ParamDialogTest, UnitsOkWritesBothAxesOnTwoAxisTypesAndOnlyXOnTheOneAxisType)
{
    for (std::int32_t type : {0, 2}) {
        UseType(type);
        Set(Param(), 1, 1, 777);
        Param().SetLengthUnit(1, CHOXParam::unitDegree);
        Run(&CHOXParam::EditUnits, Units::kTemplate, [type](DialogDriver& d) {
            d.Click(Units::kMechanical);
            d.Click(Units::kInch);
            d.Type(Units::kPulseRate, QStringLiteral("1000"));
            d.Type(Units::kFeedRate, QStringLiteral("999999"));
            d.Select(Units::kCommandUnit, 0);
            if (type != 0) {
                d.Select(kTab, 1);
                d.Click(Units::kMechanicalMotor);
                d.Click(Units::kDegree);
                d.Type(Units::kPulseRate, QStringLiteral("65535"));
                d.Type(Units::kFeedRate, QStringLiteral("1"));
                d.Select(Units::kCommandUnit, 3);
            }
            d.Click(IDOK);
        });
        EXPECT_EQ(Value(0, 0), 0);
        EXPECT_EQ(Value(1, 0), 1000);
        EXPECT_EQ(Value(2, 0), 999999);
        EXPECT_EQ(Value(3, 0), 3);
        EXPECT_EQ(Param().GetLengthUnit(0), CHOXParam::unitInch);
        if (type == 0) {
            EXPECT_EQ(Value(1, 1), 777);
        } else {
            EXPECT_EQ(Value(0, 1), 2);
            EXPECT_EQ(Value(1, 1), 65535);
            EXPECT_EQ(Value(2, 1), 1);
            EXPECT_EQ(Value(3, 1), 0);
        }
        EXPECT_EQ(Param().GetLengthUnit(1), CHOXParam::unitDegree);
        EXPECT_TRUE(doc.IsModified());
    }
}

// The Motor axis's unit in the dialog is millimetres, and OK writes it.
TEST_F(ParamDialogTest, UnitsWriteMillimetresForAMotorAxis)
{
    UseType(0);
    Set(Param(), 0, 0, 1);
    Param().SetLengthUnit(0, CHOXParam::unitInch);
    Run(&CHOXParam::EditUnits, Units::kTemplate, [](DialogDriver& d) { d.Click(IDOK); });
    EXPECT_EQ(Param().GetLengthUnit(0), CHOXParam::unitMillimetre);
    EXPECT_EQ(Value(0), 1);
}
