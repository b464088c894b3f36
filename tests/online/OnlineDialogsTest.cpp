// The diagnosis dialog's texts for every value the controller can report,
// and the modeless progress window.
#include "online/comm/CommDiag.h"
#include "online/HOXDiagnosisDlg.h"
#include "online/HOXProgressMsgDlg.h"
#include "support/Scripted.h"

#include <QString>

#include <gtest/gtest.h>

using kt::test::DialogDriver;
using kt::test::RecordingHelp;
using kt::test::ScriptedDialogs;

namespace {

QString L(const char* text) { return QString::fromLatin1(text); }

TEST(DiagnosisDlgTest, EveryReportedValueHasItsText)
{
    const struct {
        int capacity;
        int model;
        int version;
        int cassette;
        const char* capacityText;
        const char* modelText;
        const char* versionText;
        const char* cassetteText;
    } cases[] = {
        {8000, 1, 110, 1, "8000", "ZU(Z)-20OD", "1.10", "Non Protected"},
        {4000, 0, 100, 0, "4000", "ZE-10RE", "1.00", "Protected"},
        {0, 2, 5, 2, "0", "Unknown", "0.05", "No Cassette"},
        {-1, -1, 12345, 3, "-1", "Unknown", "123.45", "Unknown"},
        {2147483647, 7, -250, -1, "2147483647", "Unknown", "-2.50", "Unknown"},
    };
    for (const auto& c : cases) {
        CCommDiag diag;
        diag.m_capacity = c.capacity;
        diag.m_model = c.model;
        diag.m_version = c.version;
        diag.m_cassette = c.cassette;
        CHOXDiagnosisDlg dlg(diag);
        ScriptedDialogs dialogs;
        RecordingHelp help;
        dialogs.Expect(CHOXDiagnosisDlg::kTemplate, [&](DialogDriver& d) {
            EXPECT_EQ(L(c.capacityText), d.Text(CHOXDiagnosisDlg::kCapacityEdit));
            EXPECT_EQ(L(c.modelText), d.Text(CHOXDiagnosisDlg::kModelEdit));
            EXPECT_EQ(L(c.versionText), d.Text(CHOXDiagnosisDlg::kVersionEdit));
            EXPECT_EQ(L(c.cassetteText), d.Text(CHOXDiagnosisDlg::kCassetteEdit));
            d.Click(CHOXDiagnosisDlg::kHelpButton);
            EXPECT_FALSE(d.Ended());
            d.Click(IDOK);
        });
        EXPECT_EQ(IDOK, dlg.DoModal()) << c.model;
        EXPECT_EQ(std::vector<QString>{L(":/res/help/20811.html")}, help.pages);
    }
}

TEST(ProgressMsgDlgTest, ShowsItsTextUntilItsOwnerClosesIt)
{
    ScriptedDialogs dialogs;
    CHOXProgressMsgDlg progress;
    EXPECT_EQ(CHOXProgressMsgDlg::ReadingText(), progress.GetMessage());
    progress.SetMessage(CHOXProgressMsgDlg::WritingText());
    ASSERT_TRUE(progress.Create());
    DialogDriver* window = dialogs.Modeless(CHOXProgressMsgDlg::kTemplate);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(L("RQT4P-VEDID-E"), window->Caption());
    EXPECT_EQ(L("Writing is in progress..."), window->Text(CHOXProgressMsgDlg::kMessage));
    // A new text shows at once; Enter and Esc do not close the window.
    progress.SetMessage(CHOXProgressMsgDlg::VerifyingText());
    EXPECT_EQ(L("Verify is in progress ..."), window->Text(CHOXProgressMsgDlg::kMessage));
    progress.CommandOK();
    progress.CommandCancel();
    EXPECT_EQ(1u, dialogs.ModelessOpen());
    progress.DestroyWindow();
    EXPECT_EQ(0u, dialogs.ModelessOpen());
    // Closed twice is closed.
    progress.DestroyWindow();
}

} // namespace
