// What every positioning-code dialog shares: the M-code entry (an up-down
// that never shows 2 and wraps at both ends, an edit of two digits, the check
// at OK), the parameter button of each dialog, Help and the dialog kinds.
#include "symbols/CodeDialogSupport.h"
#include "symbols/code/HOXCodeChk.h"
#include "symbols/code/HOXCodeChkDlg.h"
#include "symbols/code/HOXCodeCir.h"
#include "symbols/code/HOXCodeCirDlg.h"
#include "symbols/code/HOXCodeComp.h"
#include "symbols/code/HOXCodeCompDlg.h"
#include "symbols/code/HOXCodeDrv.h"
#include "symbols/code/HOXCodeDrvDlg.h"
#include "symbols/code/HOXCodeDrvz.h"
#include "symbols/code/HOXCodeDrvzDlg.h"
#include "symbols/code/HOXCodeIncAbs.h"
#include "symbols/code/HOXCodeIncAbsDlg.h"
#include "symbols/code/HOXCodeInt.h"
#include "symbols/code/HOXCodeIntDlg.h"
#include "symbols/code/HOXCodeLine.h"
#include "symbols/code/HOXCodeLineDlg.h"
#include "symbols/code/HOXCodeMcode.h"
#include "symbols/code/HOXCodeMcodeDlg.h"
#include "symbols/code/HOXCodeSetAddr.h"
#include "symbols/code/HOXCodeSetAddrDlg.h"
#include "symbols/code/HOXCodeSetrDrvr.h"
#include "symbols/code/HOXCodeSetrDrvrDlg.h"
#include "symbols/code/HOXCodeTime.h"
#include "symbols/code/HOXCodeTimeDlg.h"

#include <functional>
#include <memory>

using kt::test::DialogDriver;
using kt::test::ExpectOkRefused;
using kt::test::kStop;
using kt::test::RecordingHelp;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedMessages;
using Base = CHOXCodeDlg;

namespace {

const QString kMcodeMessage = QStringLiteral("ERROR:  Invalid Mcode Value.\nValid Mcode Range :  1 and  3~99.");

class CodeDlgBaseTest : public kt::test::CodeDialogTest {
protected:
    // A CHK symbol with an M code attached, in its dialog.
    int RunChk(std::int32_t mcodeMode, BYTE mcode, ScriptedDialogs::Script script)
    {
        CHOXCodeChk* chk = Place<CHOXCodeChk>(chart);
        chk->SetMcodeMode(mcodeMode);
        chk->SetMcode(mcode);
        ScriptedDialogs dialogs;
        dialogs.Expect(CHOXCodeChkDlg::kTemplate, std::move(script));
        CHOXCodeChkDlg dlg(chk);
        const int result = dlg.DoModal();
        if (result == IDOK) {
            resultMode = dlg.GetMcodeMode();
            resultMcode = dlg.GetMcode();
        }
        return result;
    }

    struct DialogCase {
        const char* name;
        UINT templateId;
        int kind;
        UINT parameters; // the parameter dialog's template; 0 none
        std::function<std::unique_ptr<Base>()> make;
    };
    std::vector<DialogCase> EveryDialog()
    {
        return {
            {"DRIVE", 2022, 722, 2057, [this] { return std::make_unique<CHOXCodeDrvDlg>(Place<CHOXCodeDrv>(chart)); }},
            {"LINE", 2023, 723, 2057, [this] { return std::make_unique<CHOXCodeLineDlg>(Place<CHOXCodeLine>(chart)); }},
            {"CIR", 2024, 724, 2057, [this] { return std::make_unique<CHOXCodeCirDlg>(Place<CHOXCodeCir>(chart)); }},
            {"DRVZ", 2025, 727, 2053, [this] { return std::make_unique<CHOXCodeDrvzDlg>(Place<CHOXCodeDrvz>(chart)); }},
            {"TIMER", 2026, 725, 0, [this] { return std::make_unique<CHOXCodeTimeDlg>(Place<CHOXCodeTime>(chart)); }},
            {"CHK", 2027, 726, 2056, [this] { return std::make_unique<CHOXCodeChkDlg>(Place<CHOXCodeChk>(chart)); }},
            {"SETR/DRVR", 2028, 327, 2056,
             [this] { return std::make_unique<CHOXCodeSetrDrvrDlg>(Place<CHOXCodeSetrDrvr>(chart)); }},
            {"INTERRUPT", 2029, 729, 2057,
             [this] { return std::make_unique<CHOXCodeIntDlg>(Place<CHOXCodeInt>(chart)); }},
            {"COMPENSATION", 2030, 730, 2057,
             [this] { return std::make_unique<CHOXCodeCompDlg>(Place<CHOXCodeComp>(chart)); }},
            {"Addressing", 2031, 731, 2057,
             [this] { return std::make_unique<CHOXCodeIncAbsDlg>(Place<CHOXCodeIncAbs>(chart)); }},
            {"SET Address", 2032, 721, 2057,
             [this] { return std::make_unique<CHOXCodeSetAddrDlg>(Place<CHOXCodeSetAddr>(chart)); }},
            {"M Code", 2033, 733, 2049,
             [this] { return std::make_unique<CHOXCodeMcodeDlg>(Place<CHOXCodeMcode>(chart)); }},
        };
    }

    std::int32_t resultMode = -1;
    int resultMcode = -1;
};

} // namespace

TEST_F(CodeDlgBaseTest, TheUpDownWrapsAtBothEndsAndNeverShowsTwo)
{
    RunChk(1, 1, [](DialogDriver& d) {
        EXPECT_TRUE(d.Enabled(Base::kMcode));
        EXPECT_TRUE(d.Enabled(Base::kMcodeSpin));
        const char* const shown[][2] = {{"+", "3"}, {"-", "1"}, {"-", "99"}, {"+", "1"}, {"+", "3"}, {"+", "4"}};
        for (const auto& [direction, text] : shown) {
            d.Spin(Base::kMcodeSpin, direction[0] == '+' ? 1 : -1);
            EXPECT_EQ(d.Text(Base::kMcode), QString::fromLatin1(text)) << direction << " to " << text;
        }
        // Typed values are where the next step starts.
        d.Type(Base::kMcode, QStringLiteral("98"));
        d.Spin(Base::kMcodeSpin, 1);
        EXPECT_EQ(d.Text(Base::kMcode), QStringLiteral("99"));
        d.Click(IDOK);
    });
    EXPECT_EQ(resultMode, 1);
    EXPECT_EQ(resultMcode, 99);
}

TEST_F(CodeDlgBaseTest, TheEditKeepsTwoDigitsAndComplainsOfMoreOrNone)
{
    RunChk(1, 5, [](DialogDriver& d) {
        {
            ScriptedMessages messages;
            messages.Expect(kMcodeMessage, kStop, IDOK);
            d.Type(Base::kMcode, QStringLiteral("123"));
            EXPECT_EQ(messages.seen.size(), 1u);
        }
        EXPECT_EQ(d.Text(Base::kMcode), QStringLiteral("12"));
        EXPECT_EQ(d.Focus(), Base::kMcode);
        EXPECT_EQ(d.Caret(Base::kMcode), 2);
        {
            ScriptedMessages messages;
            messages.Expect(kMcodeMessage, kStop, IDOK);
            d.Type(Base::kMcode, QString());
        }
        EXPECT_EQ(d.Caret(Base::kMcode), 0);
        // OK with the edit empty refuses before anything is read.
        ExpectOkRefused(d, Base::kMcode, kMcodeMessage);
        // Only digits go in.
        d.Type(Base::kMcode, QStringLiteral("-7"));
        EXPECT_EQ(d.Text(Base::kMcode), QStringLiteral("7"));
        d.Click(IDOK);
    });
    EXPECT_EQ(resultMcode, 7);
}

TEST_F(CodeDlgBaseTest, OkChecksTheMcodeOnlyWhileOneIsAttached)
{
    for (const char* refused : {"2", "0", "00"}) {
        SCOPED_TRACE(refused);
        const int result = RunChk(1, 1, [&](DialogDriver& d) {
            d.Type(Base::kMcode, QString::fromLatin1(refused));
            ExpectOkRefused(d, Base::kMcode, kMcodeMessage);
            d.Click(IDCANCEL);
        });
        EXPECT_EQ(result, IDCANCEL);
    }
    // Without an M code any number passes and is kept.
    EXPECT_EQ(RunChk(0, 2,
                     [](DialogDriver& d) {
                         EXPECT_FALSE(d.Enabled(Base::kMcode));
                         EXPECT_FALSE(d.Enabled(Base::kMcodeSpin));
                         d.Click(IDOK);
                     }),
              IDOK);
    EXPECT_EQ(resultMode, 0);
    EXPECT_EQ(resultMcode, 2);
}

TEST_F(CodeDlgBaseTest, ClearingTheBoxOverAnEmptyEditTakesMcodeOne)
{
    RunChk(1, 5, [](DialogDriver& d) {
        d.Type(Base::kComment, QStringLiteral("typed"));
        {
            ScriptedMessages messages;
            messages.Expect(kMcodeMessage, kStop, IDOK);
            d.Type(Base::kMcode, QString());
        }
        d.Click(Base::kMcodeMode);
        EXPECT_EQ(d.Text(Base::kMcode), QStringLiteral("1"));
        // Only the M code is shown anew: the comment typed so far stays.
        EXPECT_EQ(d.Text(Base::kComment), QStringLiteral("typed"));
        EXPECT_FALSE(d.Enabled(Base::kMcode));
        EXPECT_FALSE(d.Enabled(Base::kMcodeSpin));
        d.Click(Base::kMcodeMode);
        EXPECT_TRUE(d.Enabled(Base::kMcode));
        d.Click(Base::kMcodeMode);
        d.Click(IDOK);
    });
    EXPECT_EQ(resultMode, 0);
    EXPECT_EQ(resultMcode, 1);
}

TEST_F(CodeDlgBaseTest, CommentAndDisplayFlagsComeAndGoWithTheDialog)
{
    CHOXCodeChk* chk = Place<CHOXCodeChk>(chart);
    chk->SetComment(QStringLiteral("before"));
    chk->SetDisplayComment(0);
    ScriptedDialogs dialogs;
    dialogs.Expect(CHOXCodeChkDlg::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(d.Text(Base::kComment), QStringLiteral("before"));
        EXPECT_EQ(d.Check(Base::kDisplayComment), 0);
        EXPECT_EQ(d.Check(Base::kDisplayContents), 1);
        EXPECT_EQ(d.Limit(Base::kComment), Base::kCommentLimit);
        d.Type(Base::kComment, QStringLiteral("after"));
        d.Click(Base::kDisplayComment);
        d.Click(Base::kDisplayContents);
        d.Click(IDOK);
    });
    CHOXCodeChkDlg dlg(chk);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetComment(), QStringLiteral("after"));
    EXPECT_EQ(dlg.GetDisplayComment(), 1);
    EXPECT_EQ(dlg.GetDisplayContents(), 0);
    EXPECT_EQ(dlg.GetDocument(), doc.get());
}

TEST_F(CodeDlgBaseTest, EveryDialogOpensItsParameterDialogItsHelpAndNamesItsKind)
{
    MakeDocument(2);
    for (const DialogCase& c : EveryDialog()) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<Base> dlg = c.make();
        EXPECT_EQ(dlg->GetDialogKind(), c.kind);
        EXPECT_EQ(dlg->GetTemplateId(), c.templateId);
        ScriptedDialogs dialogs;
        RecordingHelp help;
        dialogs.Expect(c.templateId, [&](DialogDriver& d) {
            EXPECT_EQ(d.Site().HasControl(Base::kParameters), c.parameters != 0);
            if (c.parameters != 0) d.Click(Base::kParameters);
            d.Click(Base::kHelp);
            d.Click(IDCANCEL);
        });
        if (c.parameters != 0) dialogs.Expect(c.parameters, [](DialogDriver& d) { d.Click(IDCANCEL); });
        EXPECT_EQ(dlg->DoModal(), IDCANCEL);
        ASSERT_EQ(help.pages.size(), 1u);
        EXPECT_EQ(help.pages[0], QStringLiteral(":/res/help/%1.html").arg(0x20000 + c.templateId, 0, 16));
    }
    EXPECT_FALSE(doc->IsModified());
    // The base answers for SET Address, which has no kind of its own.
    EXPECT_EQ(CHOXCodeDlg::SkipTwo(1, 1), 2);
    EXPECT_EQ(CHOXCodeDlg::SkipTwo(3, -1), -2);
    EXPECT_EQ(CHOXCodeDlg::SkipTwo(2, 1), 1);
}
