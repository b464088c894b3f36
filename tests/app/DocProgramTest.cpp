// The document's program commands with the application running. Saving on
// behalf of "Save Select" before the program leaves the document:
// a named document without changes needs nothing, a changed one is saved to
// its file, a new one asks for a name; the folders and the main window's
// title follow as the other saves do.
#include "AppDocsFixture.h"

#include "app/HOXRegistry.h"
#include "chart/HOXDrawObj.h"
#include "res/CommandIds.h"

#include <QFile>

using kt::test::AppDocsFixture;
using kt::test::ScriptedFiles;

namespace {

class DocProgramTest : public AppDocsFixture {
protected:
    void SetUp() override
    {
        AppDocsFixture::SetUp();
        for (const char* dir : {"docs", "other", "elsewhere"}) QDir(m_dir.path()).mkpath(QString::fromLatin1(dir));
        CHOXRegistry().WriteString("SerializeFileDir", Path(QStringLiteral("docs")));
        QDir::setCurrent(Path(QStringLiteral("elsewhere")));
        ASSERT_TRUE(Start());
        ASSERT_NE(NewDocument(), nullptr);
    }
    static QString Remembered() { return CHOXRegistry().ReadSerializeFileDir(); }
};

} // namespace

TEST_F(DocProgramTest, ANamedDocumentWithoutChangesIsNotSavedAgain)
{
    ScriptedFiles files;
    files.Expect(Path(QStringLiteral("other/press.hox")));
    Doc()->SetModifiedFlag();
    Doc()->OnFileSave();
    QFile::remove(Path(QStringLiteral("other/press.hox")));
    ASSERT_FALSE(Doc()->IsModified());

    EXPECT_TRUE(Doc()->SaveBeforeWrite());
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("other/press.hox"))));
    EXPECT_EQ(MainTitle(), QStringLiteral("RQT4P-VEDID-E - press.hox"));
}

TEST_F(DocProgramTest, AChangedNamedDocumentIsSavedToItsFile)
{
    {
        ScriptedFiles files;
        files.Expect(Path(QStringLiteral("other/press.hox")));
        Doc()->SetModifiedFlag();
        Doc()->OnFileSave();
    }
    QFile::remove(Path(QStringLiteral("other/press.hox")));
    Doc()->SetModifiedFlag();
    EXPECT_TRUE(Doc()->SaveBeforeWrite());
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("other/press.hox"))));
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(Doc()->GetTitle(), QStringLiteral("press.hox"));
}

TEST_F(DocProgramTest, ANewDocumentAsksForANameAndACancelPutsTheTitleBack)
{
    const QString before = MainTitle();
    {
        ScriptedFiles files;
        files.Expect(QString(), [&](const FileDialogRequest& r) {
            EXPECT_EQ(r.initialName, QStringLiteral("Untitled.hox"));
            EXPECT_EQ(r.directory, Path(QStringLiteral("docs")));
        });
        EXPECT_FALSE(Doc()->SaveBeforeWrite());
    }
    EXPECT_EQ(Doc()->GetTitle(), QStringLiteral("Untitled"));
    EXPECT_TRUE(Doc()->GetPathName().isEmpty());
    EXPECT_EQ(MainTitle(), before);
    EXPECT_EQ(Remembered(), Path(QStringLiteral("docs")));

    // Saved: the folder chosen is remembered, the main window names the file.
    ScriptedFiles files;
    files.Expect(Path(QStringLiteral("other/new.hox")));
    EXPECT_TRUE(Doc()->SaveBeforeWrite());
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("other/new.hox"))));
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(Remembered(), Path(QStringLiteral("other")));
    EXPECT_EQ(QDir::currentPath(), Path(QStringLiteral("docs")));
    EXPECT_EQ(MainTitle(), QStringLiteral("RQT4P-VEDID-E - new.hox"));
}

TEST_F(DocProgramTest, ExportTextShowsTheSymbolAtFaultInItsFrame)
{
    // A new document's first chart holds an unwired START and END.
    CHOXFlowWnd* chart = Doc()->FindWindowByName(QStringLiteral("Flow Chart1"));
    ASSERT_NE(chart, nullptr);
    MonitorFrame()->MDIActivate();
    ASSERT_NE(ActiveTitle(), QStringLiteral("Flow Chart1"));
    ASSERT_TRUE(Enabled(ID_EXPORT_TEXT));
    kt::test::ScriptedMessages messages;
    messages.Expect(QStringLiteral("ERROR : At least one symbol is not connected.\nCannot Export file."),
                    MB_OK | MB_ICONSTOP, IDOK);
    EXPECT_TRUE(GetCommandRouter()->Execute(ID_EXPORT_TEXT));
    EXPECT_EQ(ActiveTitle(), QStringLiteral("Flow Chart1"));
    ASSERT_EQ(chart->GetView()->GetSelectionCount(), 1u);
    EXPECT_EQ(chart->GetView()->GetSelection().front()->GetObjectType(), objtype::kFlowEnd);
}
