// The ring of the axis dialogs: Units, Speed, Machine Zero, Settings and back
// to Units. A ring button does what OK does and its neighbour opens once the
// dialog has returned; a failed check keeps the dialog and opens nothing.
#include "params/HOXParamAxisDlg.h"
#include "params/HOXParamMachineZeroDlg.h"
#include "params/HOXParamSettingsDlg.h"
#include "params/HOXParamSpeedDlg.h"
#include "params/HOXParamUnitsDlg.h"
#include "params/ParamDialogSupport.h"

#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using kt::test::DialogDriver;
using kt::test::ParamDialogTest;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedMessages;
using kt::test::Set;
using Ring = CHOXParamAxisDlg;
using Edit = void (CHOXParam::*)();

struct Page {
    const char* name;
    Edit edit;
    UINT templateId;
    // A field of the dialog and a value that passes its checks, and one that
    // fails with the message.
    int field;
    const char* passes;
    const char* fails;
    const char* message;
    UINT number; // the parameter the field edits
};

// In the order of the ring.
const Page kRing[] = {
    {"Units", &CHOXParam::EditUnits, CHOXParamUnitsDlg::kTemplate, CHOXParamUnitsDlg::kPulseRate, "3000", "0",
     "Please enter an integer between 1 and 65535.", 1},
    {"Speed", &CHOXParam::EditSpeed, CHOXParamSpeedDlg::kTemplate, CHOXParamSpeedDlg::kJogSpeed, "3000", "0",
     "ERROR :Valid Range 1- Maximum Speed", 5},
    {"Machine Zero", &CHOXParam::EditMachineZero, CHOXParamMachineZeroDlg::kTemplate,
     CHOXParamMachineZeroDlg::kCreepSpeed, "3000", "0", "ERROR: Valid Range :1-15300", 14},
    {"Settings", &CHOXParam::EditSettings, CHOXParamSettingsDlg::kTemplate, CHOXParamSettingsDlg::kUpperLimit, "3000",
     "+3000", "ERROR: Valid Range -2147483648 ~ 2147483647.", 25},
};
constexpr int kPages = 4;

const Page& At(int i) { return kRing[((i % kPages) + kPages) % kPages]; }

class AxisRingTest : public ParamDialogTest {
protected:
    void SetUp() override
    {
        UseType(1);
        // The Units dialog's rates take input on the Mechanical system, whose
        // speeds go up to 153000.
        Set(Param(), 0, 0, 0);
        Set(Param(), 4, 0, 150000);
    }
};

} // namespace

TEST_F(AxisRingTest, EachButtonIsLabelledWithTheDialogItOpensAndShowsItsPicture)
{
    for (int i = 0; i < kPages; ++i) {
        Run(At(i).edit, At(i).templateId, [i](DialogDriver& d) {
            EXPECT_EQ(d.Text(Ring::kBackButton), QString::fromLatin1(At(i - 1).name)) << At(i).name;
            EXPECT_EQ(d.Text(Ring::kForwardButton), QString::fromLatin1(At(i + 1).name)) << At(i).name;
            for (int id : {Ring::kBackButton, Ring::kForwardButton}) {
                auto* button = qobject_cast<QPushButton*>(d.Widget(id));
                ASSERT_NE(button, nullptr);
                EXPECT_FALSE(button->icon().isNull()) << At(i).name << " " << id;
            }
            d.Click(IDCANCEL);
        });
    }
}

// Each button stores what the dialog holds, marks the document modified and
// opens the right neighbour, which is cancelled here.
TEST_F(AxisRingTest, BothButtonsOfEachDialogOpenTheNeighbourAfterDoingWhatOkDoes)
{
    for (int i = 0; i < kPages; ++i) {
        for (int step : {-1, 1}) {
            doc.SetModifiedFlag(false);
            const Page& page = At(i);
            ScriptedDialogs dialogs;
            dialogs.Expect(page.templateId, [&](DialogDriver& d) {
                d.Type(page.field, QString::fromLatin1(page.passes));
                d.Click(step < 0 ? Ring::kBackButton : Ring::kForwardButton);
                EXPECT_TRUE(d.Ended());
                EXPECT_EQ(d.Result(), IDOK);
            });
            dialogs.Expect(At(i + step).templateId, [&](DialogDriver& d) {
                // The dialog before has returned.
                EXPECT_EQ(dialogs.Open(), 1);
                d.Click(IDCANCEL);
            });
            (Param().*page.edit)();
            EXPECT_EQ(Value(page.number), 3000) << page.name << " " << step;
            EXPECT_TRUE(doc.IsModified()) << page.name << " " << step;
            Set(Param(), page.number, 0, 2000);
        }
    }
}

TEST_F(AxisRingTest, AFailedCheckKeepsTheDialogAndOpensNothing)
{
    for (int i = 0; i < kPages; ++i) {
        const Page& page = At(i);
        const std::int32_t before = Value(page.number);
        Run(page.edit, page.templateId, [&](DialogDriver& d) {
            ScriptedMessages messages;
            d.Type(page.field, QString::fromLatin1(page.fails));
            for (int id : {Ring::kBackButton, Ring::kForwardButton}) {
                messages.Expect(QString::fromLatin1(page.message), MB_OK | MB_ICONEXCLAMATION, IDOK);
                d.Click(id);
                EXPECT_FALSE(d.Ended()) << page.name;
                EXPECT_EQ(d.Focus(), page.field);
            }
            d.Click(IDCANCEL);
        });
        EXPECT_EQ(Value(page.number), before) << page.name;
        EXPECT_FALSE(doc.IsModified()) << page.name;
    }
}

// Twice round forwards and once round backwards, each dialog alone on the
// screen; OK at the end leaves the ring.
TEST_F(AxisRingTest, GoingRoundTheRingOpensOneDialogAtATime)
{
    for (int step : {1, -1}) {
        const int first = step > 0 ? 1 : 2;
        const int rounds = step > 0 ? 2 : 1;
        ScriptedDialogs dialogs;
        for (int n = 0; n <= rounds * kPages; ++n) {
            const bool last = n == rounds * kPages;
            dialogs.Expect(At(first + n * step).templateId, [&dialogs, last, step](DialogDriver& d) {
                EXPECT_EQ(dialogs.Open(), 1);
                d.Click(last ? IDOK : (step > 0 ? Ring::kForwardButton : Ring::kBackButton));
            });
        }
        (Param().*At(first).edit)();
        EXPECT_EQ(dialogs.Ran(), rounds * kPages + 1);
        EXPECT_EQ(dialogs.MostOpen(), 1);
    }
}

// Cancel in the ring ends it; the dialogs before it have stored their values.
TEST_F(AxisRingTest, CancelEndsTheRingAndKeepsWhatTheDialogsBeforeIt)
{
    ScriptedDialogs dialogs;
    dialogs.Expect(CHOXParamSettingsDlg::kTemplate, [](DialogDriver& d) {
        d.Type(CHOXParamSettingsDlg::kUpperLimit, QStringLiteral("-5"));
        d.Click(Ring::kForwardButton);
    });
    dialogs.Expect(CHOXParamUnitsDlg::kTemplate, [](DialogDriver& d) {
        d.Type(CHOXParamUnitsDlg::kPulseRate, QStringLiteral("4321"));
        d.Click(IDCANCEL);
    });
    Param().EditSettings();
    EXPECT_EQ(Value(25), -5);
    EXPECT_EQ(Value(1), 2000);
    EXPECT_TRUE(doc.IsModified());
}
