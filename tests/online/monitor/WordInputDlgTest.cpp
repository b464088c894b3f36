// "Word Input" and "Feed Input" on the real widgets: the caption by the feed
// flag, the caller's prompt, the edit disabled when the value may not
// change, the value's range at both ends, and Help.
#include "online/monitor/HOXWordInputDlg.h"

#include "platform/Help.h"
#include "support/Scripted.h"

#include <QLabel>

#include <gtest/gtest.h>

using kt::test::DialogDriver;
using kt::test::RecordingHelp;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedMessages;
using Dlg = CHOXWordInputDlg;

namespace {

constexpr UINT kWarn = MB_OK | MB_ICONEXCLAMATION;

} // namespace

TEST(WordInputDlgTest, TheCaptionPromptAndEditFollowTheCaller)
{
    struct Case {
        std::int32_t value;
        const char* prompt;
        std::int32_t editable;
        std::int32_t feed;
        const char* caption;
    };
    const Case cases[] = {
        {-5, "&Enter   D100   Value", 1, 0, "Word Input"},
        {9001, "&Enter   D9001   Value", 0, 0, "Word Input"},
        {250, "&Enter X-axis Feed Value", 1, 1, "Feed Input"},
        {0, "&Enter Y-axis Feed Value", 1, 1, "Feed Input"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.prompt);
        ScriptedDialogs dialogs;
        dialogs.Expect(Dlg::kTemplate, [&](DialogDriver& d) {
            EXPECT_EQ(d.Caption().toStdString(), c.caption);
            EXPECT_EQ(d.Text(Dlg::kPrompt).toStdString(), c.prompt);
            // Its "&E" leads to the edit.
            auto* prompt = qobject_cast<QLabel*>(d.Widget(Dlg::kPrompt));
            ASSERT_NE(prompt, nullptr);
            EXPECT_EQ(prompt->buddy(), d.Widget(Dlg::kValue));
            EXPECT_EQ(d.Text(Dlg::kValue), QString::number(c.value));
            EXPECT_EQ(d.Enabled(Dlg::kValue), c.editable == 1);
            if (c.editable == 1) d.Type(Dlg::kValue, QStringLiteral("42"));
            d.Click(IDOK);
        });
        Dlg dlg(c.value, QString::fromLatin1(c.prompt), c.editable, c.feed);
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.GetValue(), c.editable == 1 ? 42 : c.value);
        EXPECT_EQ(dlg.IsEditable(), c.editable == 1);
    }
}

TEST(WordInputDlgTest, TheValueMustLieWithinTheSignedRangeButItsLowest)
{
    struct Case {
        const char* typed;
        const char* message; // empty: taken
        std::int32_t value;
    };
    const Case cases[] = {
        {"2147483647", "", 2147483647},
        {"-2147483647", "", -2147483647},
        {" 17 ", "", 17},
        {"-2147483648", "Please enter an integer between -2147483647 and 2147483647.", 0},
        {"2147483648", "Please enter an integer.", 0},
        {"12a", "Please enter an integer.", 0},
        {"", "Please enter an integer.", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ScriptedDialogs dialogs;
        dialogs.Expect(Dlg::kTemplate, [&](DialogDriver& d) {
            d.Type(Dlg::kValue, QString::fromLatin1(c.typed));
            if (*c.message == '\0') {
                d.Click(IDOK);
                EXPECT_TRUE(d.Ended());
                return;
            }
            ScriptedMessages messages;
            messages.Expect(QString::fromLatin1(c.message), kWarn, IDOK);
            d.Click(IDOK);
            EXPECT_FALSE(d.Ended());
            EXPECT_EQ(d.Focus(), Dlg::kValue);
            d.Click(IDCANCEL);
        });
        Dlg dlg(0, QStringLiteral("&Enter   D0   Value"), 1, 0);
        const int result = dlg.DoModal();
        EXPECT_EQ(result, *c.message == '\0' ? IDOK : IDCANCEL);
        if (result == IDOK) {
            EXPECT_EQ(dlg.GetValue(), c.value);
        }
    }
}

TEST(WordInputDlgTest, HelpOpensItsPage)
{
    RecordingHelp help;
    ScriptedDialogs dialogs;
    dialogs.Expect(Dlg::kTemplate, [](DialogDriver& d) {
        d.Click(Dlg::kHelp);
        d.Click(IDCANCEL);
    });
    Dlg dlg(0, QString(), 1, 1);
    dlg.DoModal();
    ASSERT_EQ(help.pages.size(), 1u);
    EXPECT_EQ(help.pages[0], QStringLiteral(":/res/help/20820.html"));
}
