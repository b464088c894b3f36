// The start-up logo, the timed message and the unit-type dialog, driven by
// control id without a screen.
#include "app/HOXLogoDlg.h"
#include "app/HOXNewUnitTypeDlg.h"
#include "app/HOXTimedMessageDlg.h"
#include "platform/ui/QtDialogSite.h"
#include "support/Scripted.h"

#include <QLabel>

#include <gtest/gtest.h>

using kt::test::DialogDriver;
using kt::test::RecordingHelp;
using kt::test::ScriptedDialogs;

TEST(LogoDialogTest, ShowsThePictureAndClosesItself)
{
    ScriptedDialogs dialogs;
    dialogs.Expect(2002, [](DialogDriver& d) {
        EXPECT_TRUE(d.Site().IsTimerActive(CHOXLogoDlg::kTimerId));
        EXPECT_EQ(d.Site().TimerInterval(CHOXLogoDlg::kTimerId), 3500u);
        // Exactly as large as its picture, above other windows.
        EXPECT_EQ(d.Site().Window()->size(), QSize(569, 418));
        EXPECT_TRUE(d.Site().Window()->windowFlags() & Qt::WindowStaysOnTopHint);
        d.FireTimer(CHOXLogoDlg::kTimerId);
        EXPECT_TRUE(d.Ended());
        EXPECT_FALSE(d.Site().IsTimerActive(CHOXLogoDlg::kTimerId));
    });
    CHOXLogoDlg logo;
    EXPECT_EQ(logo.DoModal(), IDOK);
}

TEST(LogoDialogTest, AnyKeyOrMouseButtonClosesIt)
{
    ScriptedDialogs dialogs;
    dialogs.Expect(2002, [](DialogDriver& d) { d.PressKey(Qt::Key_A); })
        .Expect(2002, [](DialogDriver& d) { d.ClickDialog(Qt::LeftButton); })
        .Expect(2002, [](DialogDriver& d) { d.ClickDialog(Qt::RightButton); })
        .Expect(2002, [](DialogDriver& d) { d.ClickDialog(Qt::MiddleButton); })
        .Expect(2002, [](DialogDriver& d) { d.PressKey(Qt::Key_Escape); });
    for (int i = 0; i < 5; ++i) {
        CHOXLogoDlg logo;
        EXPECT_EQ(logo.DoModal(), IDOK) << i;
    }
}

TEST(LogoDialogTest, SideMouseButtonsLeaveItOpen)
{
    ScriptedDialogs dialogs;
    dialogs.Expect(2002, [](DialogDriver& d) {
        for (Qt::MouseButton button : {Qt::BackButton, Qt::ForwardButton}) {
            d.ClickDialog(button);
            EXPECT_FALSE(d.Ended()) << button;
            EXPECT_TRUE(d.Site().IsTimerActive(CHOXLogoDlg::kTimerId)) << button;
        }
        d.FireTimer(CHOXLogoDlg::kTimerId);
    });
    CHOXLogoDlg logo;
    EXPECT_EQ(logo.DoModal(), IDOK);
}

TEST(TimedMessageTest, ShowsTheTextAndClosesAfterTwoSeconds)
{
    ScriptedDialogs dialogs;
    dialogs.Expect(2083, [](DialogDriver& d) {
        EXPECT_EQ(d.Caption(), QStringLiteral("RQT4P-VEDID-E"));
        EXPECT_EQ(d.Text(8273), QStringLiteral("Controller is in auto mode."));
        EXPECT_EQ(d.Site().TimerInterval(CHOXTimedMessageDlg::kTimerId), 2000u);
        EXPECT_EQ(d.DefaultButton(), IDOK);
        d.FireTimer(CHOXTimedMessageDlg::kTimerId);
        EXPECT_TRUE(d.Ended());
        EXPECT_EQ(d.Result(), IDOK);
        EXPECT_FALSE(d.Site().IsTimerActive(CHOXTimedMessageDlg::kTimerId));
    });
    ShowTimedMessage(QStringLiteral("Controller is in auto mode."));
    EXPECT_EQ(dialogs.Ran(), 1);
}

TEST(TimedMessageTest, OkClosesAtOnceAndStopsTheTimer)
{
    ScriptedDialogs dialogs;
    dialogs.Expect(2083, [](DialogDriver& d) {
        d.Click(IDOK);
        EXPECT_TRUE(d.Ended());
        EXPECT_FALSE(d.Site().IsTimerActive(CHOXTimedMessageDlg::kTimerId));
    });
    dialogs.Expect(2083, [](DialogDriver& d) {
        // Enter presses the default button.
        d.PressKey(Qt::Key_Return);
        EXPECT_TRUE(d.Ended());
    });
    CHOXTimedMessageDlg first;
    EXPECT_EQ(first.DoModal(), IDOK);
    CHOXTimedMessageDlg second;
    EXPECT_EQ(second.DoModal(), IDOK);
}

TEST(UnitTypeDialogTest, PreselectsTheMemberAndReturnsTheChoice)
{
    const struct {
        std::int32_t preset;
        int click;
        int result;
        std::int32_t chosen;
    } cases[] = {
        {1, 0, IDOK, 1},      // the usual preselection: independent two axes
        {2, 8044, IDOK, 0},   // one axis
        {0, 8047, IDOK, 2},   // simultaneous two axes
        {1, 8047, IDCANCEL, 1}, // Cancel keeps the member
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.preset * 10 + c.click);
        ScriptedDialogs dialogs;
        dialogs.Expect(2060, [&](DialogDriver& d) {
            EXPECT_EQ(d.Caption(), QStringLiteral("Select Positioning Unit Type"));
            const int ids[] = {8044, 8049, 8047};
            for (int i = 0; i < 3; ++i) EXPECT_EQ(d.Check(ids[i]), i == c.preset ? 1 : 0);
            EXPECT_EQ(d.Text(8049), QStringLiteral("&KZ (2N) / E - 20 QW with independent 2-axis"));
            EXPECT_EQ(d.DefaultButton(), IDOK);
            EXPECT_EQ(d.Focus(), ids[c.preset]); // the checked button of the group takes the focus
            if (c.click != 0) {
                d.Click(c.click);
                for (int id : ids) EXPECT_EQ(d.Check(id), id == c.click ? 1 : 0);
            }
            d.Click(c.result);
        });
        CHOXNewUnitTypeDlg dlg;
        dlg.m_nUnitType = c.preset;
        EXPECT_EQ(dlg.DoModal(), c.result);
        EXPECT_EQ(dlg.m_nUnitType, c.chosen);
    }
}

TEST(UnitTypeDialogTest, HelpOpensItsContextAndKeepsTheDialog)
{
    RecordingHelp help;
    ScriptedDialogs dialogs;
    dialogs.Expect(2060, [](DialogDriver& d) {
        d.Click(8372);
        EXPECT_FALSE(d.Ended());
        d.PressKey(Qt::Key_Escape);
    });
    CHOXNewUnitTypeDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_EQ(help.pages.size(), 1u);
    EXPECT_EQ(help.pages[0], QStringLiteral(":/res/help/2080c.html"));
}
