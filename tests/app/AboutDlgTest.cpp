// Help > About: its texts, and the item's state with and without a document
// and while monitoring.
#include "AppDocsFixture.h"

#include "app/HOXAboutDlg.h"
#include "platform/ui/QtDialogSite.h"
#include "res/CommandIds.h"
#include "support/Screenshot.h"

using kt::test::AppDocsFixture;
using kt::test::DialogDriver;
using kt::test::ScriptedDialogs;

namespace {

class AboutDlgTest : public AppDocsFixture {
protected:
    void SetUp() override
    {
        AppDocsFixture::SetUp();
        ASSERT_TRUE(Start());
    }
};

} // namespace

TEST_F(AboutDlgTest, NamesTheProgramItsVersionAndItsLink)
{
    EXPECT_TRUE(Enabled(ID_APP_ABOUT));
    ScriptedDialogs dialogs;
    dialogs.Expect(CHOXAboutDlg::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(QStringLiteral("About RQT4P-VEDID-E"), d.Caption());
        EXPECT_EQ(QStringLiteral("Version 0.1"), d.Text(CHOXAboutDlg::kVersionText));
        kt::test::SaveScreenshot(d.Site().Window(), "about.png");
        d.Click(IDOK);
    });
    EXPECT_TRUE(GetCommandRouter()->Execute(ID_APP_ABOUT));
    EXPECT_EQ(1, dialogs.Ran());
}

TEST_F(AboutDlgTest, TheItemWaitsWhileTheDocumentIsMonitored)
{
    ASSERT_NE(NewDocument(), nullptr);
    EXPECT_TRUE(Enabled(ID_APP_ABOUT));
    Doc()->SetEditMode(false);
    EXPECT_FALSE(Enabled(ID_APP_ABOUT));
    Doc()->SetEditMode(true);
    EXPECT_TRUE(Enabled(ID_APP_ABOUT));
}
