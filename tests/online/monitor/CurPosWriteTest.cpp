// Presetting a current position from the "Current Position Object" dialog
// against the simulated controller: a value written to a ready axis, a busy
// axis refused by the sender's self-closing message, a value that is no
// number, and a write pressed after monitoring ended; the dialog stays open
// through each.
#include "online/monitor/HOXCurPosDlg.h"

#include "app/HOXTimedMessageDlg.h"
#include "online/monitor/MonitorSupport.h"

#include <functional>

using namespace kt::test;
using Dlg = CHOXCurPosDlg;

namespace {

class CurPosWriteTest : public MonitorFixture {
protected:
    // A current position on a monitoring document of the type, with both
    // axes ready and at 0.
    CHOXMonCurPos* Start(std::int32_t type)
    {
        NewDocument(type);
        CHOXMonCurPos* object = Put(std::make_unique<CHOXMonCurPos>(Monitor()), monid::kCurPos, CRect(10, 10, 138, 62));
        Sim().SetSwitch(CSimController::ReadyX, true);
        Sim().SetSwitch(CSimController::ReadyY, true);
        doc->SetEditMode(false);
        Sim().Log().Clear();
        return object;
    }
    void TearDown() override
    {
        if (doc) doc->SetEditMode(true);
        MonitorFixture::TearDown();
    }
    // Every request the controller carried out, without axis and client.
    static QString Sent()
    {
        QStringList texts;
        for (const CSimRequest& request : Sim().Log().Entries())
            texts << request.ToText().section(QStringLiteral(" axis"), 0, 0);
        return texts.join(QStringLiteral("; "));
    }
};

} // namespace

TEST_F(CurPosWriteTest, EachWriteButtonPresetsItsAxisOrShowsTheSendersRefusal)
{
    const struct {
        const char* what;
        std::int32_t type;
        int edit, button;
        const char* value;
        bool xReady, yReady;
        const char* refusal; // null: written
        const char* sent;
    } cases[] = {
        {"X on one axis", ctype::kOneAxis, Dlg::kXValue, Dlg::kWriteX, "500", true, true, nullptr,
         "Status; WriteCurrentPos 0 500 0"},
        {"Y on two axes", ctype::kTwoAxes, Dlg::kYValue, Dlg::kWriteY, "-73", true, true, nullptr,
         "Status; WriteCurrentPos 1 -73 0"},
        {"X busy", ctype::kTwoAxes, Dlg::kXValue, Dlg::kWriteX, "500", false, true,
         "ERROR : X axis is Busy.\n Cannot write current position to DA-ZU.", "Status"},
        {"Y busy", ctype::kInterpolated, Dlg::kYValue, Dlg::kWriteY, "9", true, false,
         "ERROR : Y axis is Busy.\n Cannot write current position to DA-ZU.", "Status"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CHOXMonCurPos* object = Start(c.type);
        Sim().SetSwitch(CSimController::ReadyX, c.xReady);
        Sim().SetSwitch(CSimController::ReadyY, c.yReady);
        const int axis = c.edit == Dlg::kXValue ? 0 : 1;
        const std::int32_t before = Sim().Position(axis);
        ScriptedDialogs dialogs;
        dialogs.Expect(Dlg::kTemplate, [&](DialogDriver& d) {
            d.Type(c.edit, QString::fromLatin1(c.value));
            d.Click(c.button);
            EXPECT_FALSE(d.Ended()) << "the dialog stays";
            EXPECT_EQ(Sent(), QString::fromLatin1(c.sent));
            d.Click(IDOK);
        });
        if (c.refusal != nullptr) {
            dialogs.Expect(CHOXTimedMessageDlg::kTemplate, [&c](DialogDriver& d) {
                EXPECT_EQ(d.Text(CHOXTimedMessageDlg::kTextControl), QString::fromLatin1(c.refusal));
                d.FireTimer(CHOXTimedMessageDlg::kTimerId);
            });
        }
        object->OnOpen(0, CPoint());
        EXPECT_EQ(Sim().Position(axis), c.refusal == nullptr ? QString::fromLatin1(c.value).toInt() : before);
    }
}

TEST_F(CurPosWriteTest, AValueThatIsNoNumberSendsNothing)
{
    CHOXMonCurPos* object = Start(ctype::kTwoAxes);
    ScriptedDialogs dialogs;
    dialogs.Expect(Dlg::kTemplate, [](DialogDriver& d) {
        d.Type(Dlg::kXValue, QStringLiteral("12a"));
        {
            ScriptedMessages messages;
            messages.Expect(QStringLiteral("Please enter an integer."), MB_OK | MB_ICONEXCLAMATION, IDOK);
            d.Click(Dlg::kWriteX);
        }
        EXPECT_FALSE(d.Ended());
        EXPECT_EQ(d.Focus(), Dlg::kXValue);
        EXPECT_EQ(d.SelectedText(Dlg::kXValue), QStringLiteral("12a"));
        EXPECT_EQ(Sent(), QString());
        d.Type(Dlg::kXValue, QStringLiteral("12"));
        d.PressKey(Qt::Key_Escape);
    });
    object->OnOpen(0, CPoint());
    EXPECT_EQ(Sent(), QString());
}

TEST_F(CurPosWriteTest, AWriteAfterMonitoringEndedSendsNothingAndDisablesTheWrites)
{
    CHOXMonCurPos* object = Start(ctype::kTwoAxes);
    ScriptedDialogs dialogs;
    dialogs.Expect(Dlg::kTemplate, [&](DialogDriver& d) {
        ASSERT_TRUE(d.Enabled(Dlg::kWriteY));
        d.Type(Dlg::kYValue, QStringLiteral("300"));
        // A link error ends monitoring while the dialog stands.
        doc->SetEditMode(true);
        d.Click(Dlg::kWriteY);
        EXPECT_EQ(Sent(), QString());
        EXPECT_FALSE(d.Enabled(Dlg::kWriteX));
        EXPECT_FALSE(d.Enabled(Dlg::kWriteY));
        EXPECT_FALSE(d.Enabled(Dlg::kXValue));
        EXPECT_FALSE(d.Enabled(Dlg::kYValue));
        EXPECT_FALSE(d.Ended());
        d.Click(IDOK);
    });
    object->OnOpen(0, CPoint());
    EXPECT_EQ(Sent(), QString());
    EXPECT_EQ(Sim().Position(1), 0);
}
