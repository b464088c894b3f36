// Save and Save As: the file dialog in the remembered folder, the folder
// remembered afterwards and the current one put back, the main window's
// title, the last-save flag, refused names, read-only files, and the save
// question of closing.
#include "AppDocsFixture.h"

#include "app/HOXRegistry.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

using kt::test::AppDocsFixture;
using kt::test::ScriptedFiles;
using kt::test::ScriptedMessages;

namespace {

class SaveTest : public AppDocsFixture {
protected:
    void SetUp() override
    {
        AppDocsFixture::SetUp();
        for (const char* dir : {"docs", "other", "elsewhere"}) QDir(m_dir.path()).mkpath(QString::fromLatin1(dir));
        // The remembered folder, and a current one that is neither.
        CHOXRegistry().WriteString("SerializeFileDir", Path(QStringLiteral("docs")));
        QDir::setCurrent(Path(QStringLiteral("elsewhere")));
        ASSERT_TRUE(Start());
        ASSERT_NE(NewDocument(), nullptr);
    }
    static QString Remembered() { return CHOXRegistry().ReadSerializeFileDir(); }
    QString Current() const { return QDir::currentPath(); }
};

} // namespace

TEST_F(SaveTest, SaveWithoutAPathAsksInTheRememberedFolder)
{
    Doc()->SetModifiedFlag();
    ScriptedFiles files;
    files.Expect(Path(QStringLiteral("other/press.hox")), [&](const FileDialogRequest& r) {
        EXPECT_TRUE(r.save);
        EXPECT_EQ(r.initialName, QStringLiteral("Untitled.hox"));
        EXPECT_EQ(r.directory, Path(QStringLiteral("docs")));
        EXPECT_EQ(r.filters.value(0), QStringLiteral("Hox Files (*.hox)"));
        EXPECT_EQ(r.defaultSuffix, QStringLiteral("hox"));
    });
    EXPECT_TRUE(GetCommandRouter()->Execute(57603));
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("other/press.hox"))));
    EXPECT_EQ(Doc()->GetPathName(), Path(QStringLiteral("other/press.hox")));
    EXPECT_EQ(Doc()->GetTitle(), QStringLiteral("press.hox"));
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(MainTitle(), QStringLiteral("RQT4P-VEDID-E - press.hox"));
    EXPECT_EQ(m_app->m_nLastSaveSucceeded, 1);
    EXPECT_EQ(Remembered(), Path(QStringLiteral("other")));
    EXPECT_EQ(Current(), Path(QStringLiteral("elsewhere")));
    EXPECT_EQ(m_app->GetRecentFiles().value(0), Path(QStringLiteral("other/press.hox")));

    // With a path, Save writes there without asking.
    Doc()->SetModifiedFlag();
    QFile::remove(Path(QStringLiteral("other/press.hox")));
    EXPECT_TRUE(GetCommandRouter()->Execute(57603));
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("other/press.hox"))));
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(SaveTest, CancellingTheDialogSavesNothingAndPutsEverythingBack)
{
    Doc()->SetModifiedFlag();
    ScriptedFiles files;
    files.Expect(QString());
    EXPECT_TRUE(GetCommandRouter()->Execute(57603));
    EXPECT_EQ(m_app->m_nLastSaveSucceeded, 0);
    EXPECT_TRUE(Doc()->GetPathName().isEmpty());
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(MainTitle(), QStringLiteral("RQT4P-VEDID-E - Untitled.hox"));
    EXPECT_EQ(Remembered(), Path(QStringLiteral("docs")));
    EXPECT_EQ(Current(), Path(QStringLiteral("elsewhere")));
    EXPECT_TRUE(QDir(Path(QStringLiteral("docs"))).entryList(QDir::Files).isEmpty());
}

TEST_F(SaveTest, ACancelledSaveLeavesTheMainWindowNamingTheUntitledDocument)
{
    const struct {
        bool maximized;
        const char* mainText;
        const char* docTitle;
        const char* after;
    } cases[] = {
        // Restored: the old text comes back as it was.
        {false, "RQT4P-VEDID-E - Untitled.hox", "Untitled", "RQT4P-VEDID-E - Untitled.hox"},
        {false, "Something else", "Hox1", "Something else"},
        // Maximized: never a text cut short before the former title.
        {true, "RQT4P-VEDID-E - Hox1 - [Monitoring Window]", "Hox1", "RQT4P-VEDID-E - Untitled.hox"},
        {true, "RQT4P-VEDID-E - Untitled.hox", "Untitled", "RQT4P-VEDID-E - Untitled.hox"},
        {true, "RQT4P-VEDID-E - Untitled.hox", "", "RQT4P-VEDID-E - Untitled.hox"},
        {true, "Ab - Untitled.hox", "Ab", "RQT4P-VEDID-E - Untitled.hox"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mainText + std::string(" / ") + c.docTitle);
        MonitorFrame()->ShowWindow(c.maximized ? SW_SHOWMAXIMIZED : SW_RESTORE);
        Main()->SetWindowText(QString::fromLatin1(c.mainText));
        Doc()->SetTitle(QString::fromLatin1(c.docTitle));
        // Twice: the first cancel leaves the title "Untitled", which the
        // main window's text holds too.
        for (int round = 0; round < 2; ++round) {
            ScriptedFiles files;
            files.Expect(QString());
            Doc()->OnFileSave();
        }
        // While a child is maximized the main window shows its name after
        // its own text ("text - [child]"), as the system's frames do.
        QString shown = MainTitle();
        const QString child = QStringLiteral("Monitoring Window");
        if (c.maximized && shown.endsWith(QStringLiteral(" - [%1]").arg(child))) shown.chop(child.size() + 5);
        EXPECT_EQ(shown, QString::fromLatin1(c.after));
        EXPECT_EQ(Doc()->GetTitle(), QStringLiteral("Untitled"));
        EXPECT_TRUE(Doc()->GetPathName().isEmpty());
    }
    MonitorFrame()->ShowWindow(SW_RESTORE);
    EXPECT_EQ(MainTitle(), QStringLiteral("RQT4P-VEDID-E - Untitled.hox"));
}

TEST_F(SaveTest, SaveAsAlwaysAsksAndLeavesTheLastSaveFlag)
{
    ASSERT_TRUE(Doc()->OnSaveDocument(Path(QStringLiteral("docs/first.hox"))));
    m_app->m_nLastSaveSucceeded = 0;
    ScriptedFiles files;
    files.Expect(Path(QStringLiteral("other/second.HOX")), [&](const FileDialogRequest& r) {
        EXPECT_TRUE(r.save);
        EXPECT_EQ(r.initialName, Path(QStringLiteral("docs/first.hox")));
    });
    EXPECT_TRUE(GetCommandRouter()->Execute(57604));
    EXPECT_EQ(Doc()->GetPathName(), Path(QStringLiteral("other/second.HOX")));
    EXPECT_EQ(MainTitle(), QStringLiteral("RQT4P-VEDID-E - second.HOX"));
    EXPECT_EQ(m_app->m_nLastSaveSucceeded, 0);
    EXPECT_EQ(Remembered(), Path(QStringLiteral("other")));
    EXPECT_EQ(Current(), Path(QStringLiteral("elsewhere")));

    // A cancelled Save As keeps the path and the folder.
    files.Expect(QString());
    EXPECT_TRUE(GetCommandRouter()->Execute(57604));
    EXPECT_EQ(Doc()->GetPathName(), Path(QStringLiteral("other/second.HOX")));
    EXPECT_EQ(MainTitle(), QStringLiteral("RQT4P-VEDID-E - second.HOX"));
    EXPECT_EQ(Remembered(), Path(QStringLiteral("other")));
}

TEST_F(SaveTest, ANameWithoutTheHoxEndingIsRefused)
{
    for (const char* name : {"other/press.txt", "other/press.hoxx"}) {
        SCOPED_TRACE(name);
        ScriptedFiles files;
        files.Expect(Path(QString::fromLatin1(name)));
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("Unexpected file format."), MB_OK, IDOK);
        EXPECT_TRUE(GetCommandRouter()->Execute(57604));
        EXPECT_FALSE(QFile::exists(Path(QString::fromLatin1(name))));
        EXPECT_TRUE(Doc()->GetPathName().isEmpty());
        EXPECT_EQ(MainTitle(), QStringLiteral("RQT4P-VEDID-E - Untitled.hox"));
        EXPECT_EQ(Remembered(), Path(QStringLiteral("docs")));
        EXPECT_EQ(Current(), Path(QStringLiteral("elsewhere")));
    }
}

TEST_F(SaveTest, AReadOnlyFileIsNotReplaced)
{
    const QString locked = Path(QStringLiteral("docs/locked.hox"));
    ASSERT_TRUE(Doc()->OnSaveDocument(locked));
    const QByteArray before = [&] {
        QFile f(locked);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ReadUser);
    Doc()->GetMonWnd()->SetZoomIndex(5);
    ScriptedFiles files;
    files.Expect(Path(QStringLiteral("other/copy.hox")), [&](const FileDialogRequest& r) {
        EXPECT_EQ(r.initialName, locked);
    });
    EXPECT_TRUE(GetCommandRouter()->Execute(57603));
    EXPECT_EQ(Doc()->GetPathName(), Path(QStringLiteral("other/copy.hox")));
    QFile f(locked);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

TEST_F(SaveTest, TheSaveQuestionNamesTheFileAndSavesOnYes)
{
    ASSERT_TRUE(Doc()->OnSaveDocument(Path(QStringLiteral("docs/press.hox"))));
    Doc()->SetModifiedFlag();
    {
        // Yes saves to the path; the folder remembered is the document's.
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("Save changes to %1?").arg(Path(QStringLiteral("docs/press.hox"))),
                        MB_YESNOCANCEL, IDYES);
        QFile::remove(Path(QStringLiteral("docs/press.hox")));
        EXPECT_TRUE(Doc()->SaveModified());
        EXPECT_TRUE(QFile::exists(Path(QStringLiteral("docs/press.hox"))));
        EXPECT_FALSE(Doc()->IsModified());
        EXPECT_EQ(Current(), Path(QStringLiteral("elsewhere")));
    }
    // Without a path Yes asks where; cancelling that stops the close.
    GetCommandRouter()->Execute(32043);
    ASSERT_NE(NewDocument(), nullptr);
    Doc()->SetModifiedFlag();
    ScriptedMessages messages;
    messages.Expect(QStringLiteral("Save changes to Untitled.hox?"), MB_YESNOCANCEL, IDYES);
    ScriptedFiles files;
    files.Expect(QString());
    CHOXDoc* doc = Doc();
    EXPECT_TRUE(GetCommandRouter()->Execute(32043));
    EXPECT_EQ(Doc(), doc);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(m_app->m_nClosingWanted, 0);
}

TEST_F(SaveTest, SavingWaitsWhileMonitoring)
{
    EXPECT_TRUE(Enabled(57603));
    EXPECT_TRUE(Enabled(57604));
    Doc()->SetEditMode(false);
    EXPECT_FALSE(Enabled(57603));
    EXPECT_FALSE(Enabled(57604));
    Doc()->SetEditMode(true);
}

// Nothing remembered yet (a first start): the first Save As of a new
// document offers the user's documents folder, never the program's own.
TEST_F(SaveTest, TheFirstSaveAsOffersTheDocumentsFolder)
{
    CHOXRegistry().WriteString("SerializeFileDir", "");
    const QString documents = Path(QStringLiteral("documents"));
    ScriptedFiles files;
    files.Expect(QString(), [&](const FileDialogRequest& r) {
        EXPECT_TRUE(r.save);
        EXPECT_EQ(QDir::cleanPath(r.directory), documents);
        EXPECT_FALSE(r.directory.startsWith(QCoreApplication::applicationDirPath()));
    });
    EXPECT_TRUE(GetCommandRouter()->Execute(57604));
    EXPECT_EQ(files.seen.size(), 1u);
    EXPECT_EQ(Current(), Path(QStringLiteral("elsewhere")));
}
