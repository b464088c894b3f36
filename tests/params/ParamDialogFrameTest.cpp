// What every parameter dialog shares: the axis tabs by controller type, a
// tab left only when its fields pass, octal stepping of I/O numbers, Cancel
// and OK, Help.
#include "params/HOXParamDlg.h"
#include "params/ParamDialogSupport.h"

#include <gtest/gtest.h>

namespace {

using kt::test::DialogDriver;
using kt::test::ExpectFailure;
using kt::test::ParamDialogTest;
using kt::test::RecordingHelp;
using kt::test::ScriptedMessages;
using kt::test::Store;
using Edit = void (CHOXParam::*)();

constexpr int kTab = CHOXParamDlg::kTabCtrl;

struct DialogCase {
    const char* name;
    Edit edit;
    UINT templateId;
    bool hasTab;
};

const DialogCase kDialogs[] = {
    {"system", &CHOXParam::EditSystem, 2055, false},
    {"subtask", &CHOXParam::EditSubtask, 2054, false},
    {"program number", &CHOXParam::EditProgramNumber, 2051, true},
    {"M code", &CHOXParam::EditMcode, 2049, true},
    {"pulser", &CHOXParam::EditPulser, 2050, true},
    {"absolute position", &CHOXParam::EditAbsPosition, 2048, true},
    {"others", &CHOXParam::EditOthers, 2052, true},
    {"units", &CHOXParam::EditUnits, 2057, true},
    {"speed", &CHOXParam::EditSpeed, 2058, true},
    {"machine zero", &CHOXParam::EditMachineZero, 2053, true},
    {"settings", &CHOXParam::EditSettings, 2056, true},
};

// A change on the X tab that its checks refuse, by dialog: the switch that
// enables the field (0 for none), the field, what is typed and the message.
struct RefusedCase {
    Edit edit;
    UINT templateId;
    int enable;
    int field;
    const char* typed;
    const char* message;
};

const RefusedCase kRefused[] = {
    {&CHOXParam::EditProgramNumber, 2051, 8761, 8766, "370",
     "ERROR :Valid Range :Octal values beween 0-67 and 372-374"},
    {&CHOXParam::EditProgramNumber, 2051, 8761, 8772, "5", "Please enter an integer between 7 and 100."},
    {&CHOXParam::EditMcode, 2049, 8780, 8783, "60", "ERROR:Valid Range :Octal value between 0 - 57"},
    {&CHOXParam::EditPulser, 2050, 8791, 8800, "70", "ERROR :Valid Range :Octal values between 0 and 67"},
    {&CHOXParam::EditAbsPosition, 2048, 8810, 8813, "67", "ERROR:Valid Range :Octal values between 0 -66"},
    {&CHOXParam::EditOthers, 2052, 8820, 8822, "400", "ERROR: Valid Range :Octal values beween 0-67, 372-377"},
    {&CHOXParam::EditUnits, 2057, 8842, 8847, "0", "Please enter an integer between 1 and 65535."},
    {&CHOXParam::EditSpeed, 2058, 0, 8862, "0", "ERROR :Valid Range 1- Maximum Speed"},
    {&CHOXParam::EditMachineZero, 2053, 0, 8882, "0", "ERROR: Valid Range :1- 20000"},
    {&CHOXParam::EditSettings, 2056, 0, 8910, "007", "ERROR: Valid Range -2147483648 ~ 2147483647."},
};

} // namespace

TEST(ParamSpinStepTest, OctalStepsAndJumpsBetweenTwoRanges)
{
    const CHOXParamDlg::SpinSteps plain{};
    const CHOXParamDlg::SpinSteps octal{.octal = true};
    const CHOXParamDlg::SpinSteps twoRanges{.octal = true, .lowerTop = 67, .upperBottom = 372};
    const CHOXParamDlg::SpinSteps oneAxis{.lowerTop = 3, .upperBottom = 375};
    const struct {
        const CHOXParamDlg::SpinSteps& steps;
        int pos;
        int delta;
        int to;
    } cases[] = {
        {plain, 7, 1, 8},         {plain, 10, -1, 9},     {octal, 6, 1, 7},         {octal, 7, 1, 10},
        {octal, 17, 1, 20},       {octal, 18, 1, 20},     {octal, 10, -1, 7},       {octal, 0, -1, -3},
        {octal, 18, -1, 17},      {octal, 19, -1, 17},    {octal, 21, -1, 20},      {twoRanges, 67, 1, 372},
        {twoRanges, 372, -1, 67}, {twoRanges, 66, 1, 67}, {twoRanges, 377, 1, 380}, {twoRanges, 373, -1, 372},
        {oneAxis, 3, 1, 375},     {oneAxis, 375, -1, 3},  {oneAxis, 375, 1, 376},   {oneAxis, 9, 1, 10},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.pos + CHOXParamDlg::AdjustStep(c.steps, c.pos, c.delta), c.to) << c.pos << " by " << c.delta;
}

TEST_F(ParamDialogTest, TabsShowXAndOnTwoAxisTypesY)
{
    for (std::int32_t type : {0, 1, 2}) {
        UseType(type);
        for (const DialogCase& c : kDialogs) {
            Run(c.edit, c.templateId, [&](DialogDriver& d) {
                EXPECT_EQ(d.Site().HasControl(kTab), c.hasTab) << c.name;
                if (c.hasTab) {
                    ASSERT_EQ(d.Site().GetCount(kTab), type == 0 ? 1 : 2) << c.name;
                    EXPECT_EQ(d.Site().GetItemText(kTab, 0), QStringLiteral(" X"));
                    if (type != 0) {
                        EXPECT_EQ(d.Site().GetItemText(kTab, 1), QStringLiteral(" Y"));
                    }
                    EXPECT_EQ(d.Site().GetCurSel(kTab), 0);
                }
                d.Click(IDCANCEL);
            });
        }
    }
}

TEST_F(ParamDialogTest, AFailedCheckKeepsTheXTab)
{
    UseType(1);
    for (const RefusedCase& c : kRefused) {
        Run(c.edit, c.templateId, [&](DialogDriver& d) {
            ScriptedMessages messages;
            messages.Expect(QString::fromLatin1(c.message), MB_OK | MB_ICONEXCLAMATION, IDOK);
            if (c.enable != 0) d.Click(c.enable);
            d.Type(c.field, QString::fromLatin1(c.typed));
            d.Select(kTab, 1);
            EXPECT_EQ(d.Site().GetCurSel(kTab), 0) << c.message;
            ExpectFailure(d, messages, c.field, QString::fromLatin1(c.message));
            // OK refuses the same way and writes nothing.
            messages.Expect(QString::fromLatin1(c.message), MB_OK | MB_ICONEXCLAMATION, IDOK);
            d.Click(IDOK);
            EXPECT_FALSE(d.Ended());
            d.Click(IDCANCEL);
        });
        EXPECT_FALSE(doc.IsModified());
    }
}

TEST_F(ParamDialogTest, CancelWritesNothingAndOkMarksTheDocumentModified)
{
    UseType(2);
    for (const DialogCase& c : kDialogs) {
        CHOXParam before;
        before.CopyValuesFrom(Param());
        Run(c.edit, c.templateId, [](DialogDriver& d) {
            // Flip every check box and radio button the dialog shows enabled.
            for (const ControlTemplate* control : d.Dialog().Template()->Controls())
                if ((control->kind == u"check" || control->kind == u"radio") && d.Enabled(control->id))
                    d.Click(control->id);
            d.Click(IDCANCEL);
        });
        EXPECT_FALSE(doc.IsModified()) << c.name;
        EXPECT_EQ(Store(before), Store(Param())) << c.name;
        Run(c.edit, c.templateId, [](DialogDriver& d) { d.Click(IDOK); });
        EXPECT_TRUE(doc.IsModified()) << c.name;
        doc.SetModifiedFlag(false);
    }
}

TEST_F(ParamDialogTest, HelpOpensThePageOfTheTemplate)
{
    UseType(1);
    RecordingHelp help;
    for (const DialogCase& c : kDialogs) {
        Run(c.edit, c.templateId, [](DialogDriver& d) {
            d.Click(CHOXParamDlg::kHelpButton);
            EXPECT_FALSE(d.Ended());
            d.Click(IDCANCEL);
        });
        ASSERT_FALSE(help.pages.empty());
        EXPECT_EQ(help.pages.back(), QStringLiteral(":/res/help/%1.html").arg(0x20000 + c.templateId, 0, 16));
    }
    EXPECT_EQ(help.pages.size(), std::size(kDialogs));
}
