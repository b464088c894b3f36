// Start-up of the application object: the settings it makes sure of, the
// logo, the document type registered with the desktop, and the main window
// with its title and no document.
#include "app/HOXApp.h"
#include "app/HOXRegistry.h"
#include "app/MainFrame.h"
#include "platform/ui/QtFrameWindow.h"
#include "support/Scripted.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using kt::test::DialogDriver;
using kt::test::ScriptedDialogs;
using kt::test::TempSettings;

namespace {
class AppStartupTest : public ::testing::Test {
protected:
    void SetUp() override { SetWindowFactory(&m_windows); }
    void TearDown() override { SetWindowFactory(nullptr); }
    // Starts the application; the logo is closed with a click.
    void Start(CHOXApp& app)
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(2002, [](DialogDriver& d) { d.ClickDialog(Qt::LeftButton); });
        ASSERT_TRUE(app.InitInstance());
    }
    TempSettings m_settings;
    QtWindowFactory m_windows;
};
} // namespace

TEST_F(AppStartupTest, ShowsTheMaximizedMainWindowWithoutADocument)
{
    CHOXApp app;
    Start(app);
    ASSERT_NE(app.GetMainWnd(), nullptr);
    EXPECT_EQ(app.GetMainWnd()->GetWindowText(), QStringLiteral("RQT4P-VEDID-E"));
    EXPECT_TRUE(app.GetMainWnd()->Host()->IsVisible());
    EXPECT_TRUE(app.GetMainWnd()->Host()->IsMaximized());
    EXPECT_EQ(app.m_nStarting, 0);
    EXPECT_EQ(app.m_nClosingWanted, 0);
    EXPECT_EQ(app.GetMainWnd()->Host()->StatusText(1), QString());
    EXPECT_EQ(app.GetMainWnd()->Host()->StatusText(2), QString());
}

TEST_F(AppStartupTest, WritesTheDefaultPortOnlyWhenThereIsNone)
{
    {
        CHOXApp app;
        Start(app);
    }
    CHOXRegistry reg;
    QString port;
    ASSERT_TRUE(reg.ReadString("CommPort", port, 5));
    EXPECT_EQ(port, QStringLiteral("COM1"));

    reg.WriteString("CommPort", QStringLiteral("COM3"));
    {
        CHOXApp app;
        Start(app);
    }
    ASSERT_TRUE(reg.ReadString("CommPort", port, 5));
    EXPECT_EQ(port, QStringLiteral("COM3"));
}

TEST_F(AppStartupTest, TitlesOfTheMainWindow)
{
    CHOXApp app;
    Start(app);
    app.SetMainTitleUntitled();
    EXPECT_EQ(app.GetMainWnd()->GetWindowText(), QStringLiteral("RQT4P-VEDID-E - Untitled.hox"));
    const struct {
        const char* path;
        const char* title;
    } cases[] = {
        {"/home/ann/work/press.hox", "RQT4P-VEDID-E - press.hox"},
        {"C:\\jobs\\press.hox", "RQT4P-VEDID-E - press.hox"},
        {"press.hox", "RQT4P-VEDID-E - press.hox"},
        {"/dir/", "RQT4P-VEDID-E - "},
    };
    for (const auto& c : cases) {
        app.SetMainTitle(QString::fromLatin1(c.path));
        EXPECT_EQ(app.GetMainWnd()->GetWindowText(), QString::fromLatin1(c.title)) << c.path;
    }
}

TEST_F(AppStartupTest, FileNewDuringStartUpOpensNothingAndExitClosesTheWindow)
{
    CHOXApp app;
    app.OnFileNew(); // still starting: ignored
    Start(app);
    EXPECT_TRUE(GetCommandRouter()->Execute(57665));
    EXPECT_FALSE(app.GetMainWnd()->Host()->IsVisible());
    EXPECT_EQ(app.m_nClosingWanted, 1);
}

TEST_F(AppStartupTest, RegistersTheDocumentTypeInTheUsersDataFolder)
{
    QTemporaryDir data;
    const QByteArray previous = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    {
        CHOXApp app;
        Start(app);
    }
    qputenv("XDG_DATA_HOME", previous);
    QFile entry(data.filePath(QStringLiteral("applications/kinetrace.desktop")));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QByteArray exec = "\nExec=\"" + QFile::encodeName(QCoreApplication::applicationFilePath()) + "\" %f\n";
    EXPECT_TRUE(entry.readAll().contains(exec));
    EXPECT_TRUE(QFile::exists(data.filePath(QStringLiteral("mime/packages/kinetrace.xml"))));
}
