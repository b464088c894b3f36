// The document type registered with the desktop: the files written once and
// kept up to date, the databases refreshed by their tools where installed,
// and nothing that fails here stopping anything else. The tools are stand-in
// scripts that note their call and make the database file.
#include "app/DesktopRegistration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

std::string Str(const QString& s) { return s.toStdString(); }
// Lists compared as text, so that a failure shows their names.
std::string Str(const QStringList& list) { return list.join(u'\n').toStdString(); }

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool PutBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

const char* const kEntry = "applications/kinetrace.desktop";
const char* const kPackage = "mime/packages/kinetrace.xml";
const char* const kIcons[] = {
    "icons/hicolor/48x48/apps/kinetrace.png",
    "icons/hicolor/48x48/mimetypes/application-x-kinetrace-hox.png",
    "icons/hicolor/256x256/apps/kinetrace.png",
    "icons/hicolor/256x256/mimetypes/application-x-kinetrace-hox.png",
};

class DesktopRegistrationTest : public ::testing::Test {
protected:
    QString Data(const char* path) const { return m_data.filePath(QString::fromLatin1(path)); }

    // A stand-in for a refresh tool: notes its name and argument, makes the
    // database file the real tool makes, and ends with `exitCode`.
    void AddTool(const char* name, const char* cache, int exitCode = 0)
    {
        const QString path = m_tools.filePath(QString::fromLatin1(name));
        const QByteArray script = QByteArray("#!/bin/sh\necho \"") + name + " $*\" >> '" +
                                  QFile::encodeName(m_log) + "'\ntouch \"$1/" + cache + "\"\nexit " +
                                  QByteArray::number(exitCode) + "\n";
        ASSERT_TRUE(PutBytes(path, script));
        ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }
    void AddBothTools()
    {
        AddTool("update-mime-database", "mime.cache");
        AddTool("update-desktop-database", "mimeinfo.cache");
    }

    desktopreg::Outcome Register(const QString& executable = QStringLiteral("/opt/kinetrace/bin/kinetrace"))
    {
        return desktopreg::Register({m_data.path(), executable, {m_tools.path()}});
    }

    QStringList Calls() const
    {
        QString log = QString::fromLocal8Bit(ReadAll(m_log));
        log.replace(m_data.path(), QStringLiteral("<data>"));
        return log.split(u'\n', Qt::SkipEmptyParts);
    }

    QStringList AllFiles() const
    {
        QStringList all;
        all << Data(kEntry) << Data(kPackage);
        for (const char* icon : kIcons) all << Data(icon);
        return all;
    }

    QTemporaryDir m_data;
    QTemporaryDir m_tools;
    QTemporaryDir m_logDir;
    QString m_log = m_logDir.filePath(QStringLiteral("calls.log"));
};

} // namespace

TEST_F(DesktopRegistrationTest, WritesEachFileOnceAndRefreshesTheDatabasesAfterIt)
{
    AddBothTools();
    const desktopreg::Outcome first = Register();
    EXPECT_EQ(Str(first.written), Str(AllFiles()));
    EXPECT_EQ(Str(first.refreshed), Str(QStringList({QStringLiteral("update-mime-database"), QStringLiteral("update-desktop-database")})));
    EXPECT_EQ(Str(first.failures), Str(QStringList()));
    EXPECT_EQ(Str(Calls()), Str(QStringList({QStringLiteral("update-mime-database <data>/mime"),
                                             QStringLiteral("update-desktop-database <data>/applications")})));

    EXPECT_EQ(ReadAll(Data(kEntry)), desktopreg::DesktopEntry(QStringLiteral("/opt/kinetrace/bin/kinetrace")));
    EXPECT_EQ(ReadAll(Data(kPackage)), desktopreg::MimePackage());
    for (const char* icon : kIcons) {
        SCOPED_TRACE(icon);
        const QImage image(Data(icon));
        const int size = QString::fromLatin1(icon).contains(QLatin1String("/48x48/")) ? 48 : 256;
        EXPECT_EQ(image.size(), QSize(size, size));
    }

    const desktopreg::Outcome second = Register();
    EXPECT_EQ(Str(second.written), Str(QStringList()));
    EXPECT_EQ(Str(second.refreshed), Str(QStringList()));
    EXPECT_EQ(Str(second.failures), Str(QStringList()));
    EXPECT_EQ(Calls().size(), 2);
}

TEST_F(DesktopRegistrationTest, ReplacesOnlyWhatIsOutOfDateAndRefreshesOnlyWhatDependsOnIt)
{
    AddBothTools();
    Register();
    // The program has moved; an icon was deleted; the type is as it was.
    ASSERT_TRUE(QFile::remove(Data(kIcons[2])));
    const desktopreg::Outcome moved = Register(QStringLiteral("/usr/local/bin/kinetrace"));
    EXPECT_EQ(Str(moved.written), Str(QStringList({Data(kEntry), Data(kIcons[2])})));
    EXPECT_EQ(Str(moved.refreshed), Str(QStringList{QStringLiteral("update-desktop-database")}));
    EXPECT_EQ(ReadAll(Data(kEntry)), desktopreg::DesktopEntry(QStringLiteral("/usr/local/bin/kinetrace")));

    // A file that is longer than ours but starts alike is out of date too.
    ASSERT_TRUE(PutBytes(Data(kPackage), desktopreg::MimePackage() + "<!-- -->\n"));
    const desktopreg::Outcome grown = Register(QStringLiteral("/usr/local/bin/kinetrace"));
    EXPECT_EQ(Str(grown.written), Str(QStringList{Data(kPackage)}));
    EXPECT_EQ(Str(grown.refreshed), Str(QStringList{QStringLiteral("update-mime-database")}));
    EXPECT_EQ(ReadAll(Data(kPackage)), desktopreg::MimePackage());
}

TEST_F(DesktopRegistrationTest, MissingToolsAreNoFailureAndRunOnceThereAreAny)
{
    const desktopreg::Outcome without = Register();
    EXPECT_EQ(Str(without.written), Str(AllFiles()));
    EXPECT_EQ(Str(without.refreshed), Str(QStringList()));
    EXPECT_EQ(Str(without.failures), Str(QStringList()));

    // Installed later: the databases made before our files came are stale.
    AddBothTools();
    const desktopreg::Outcome later = Register();
    EXPECT_EQ(Str(later.written), Str(QStringList()));
    EXPECT_EQ(later.refreshed.size(), 2);
    EXPECT_EQ(Str(Register().refreshed), Str(QStringList()));
}

TEST_F(DesktopRegistrationTest, AFailingToolOrAnUnwritableFolderIsRecordedAndTheRestStillDone)
{
    AddTool("update-mime-database", "mime.cache", 3);
    AddTool("update-desktop-database", "mimeinfo.cache");
    const desktopreg::Outcome outcome = Register();
    EXPECT_EQ(Str(outcome.written), Str(AllFiles()));
    EXPECT_EQ(Str(outcome.refreshed), Str(QStringList{QStringLiteral("update-desktop-database")}));
    EXPECT_EQ(Str(outcome.failures), Str(QStringList{QStringLiteral("update-mime-database: ended with 3")}));

    // Without the program's path the entry would start nothing.
    QTemporaryDir other;
    const desktopreg::Outcome pathless = desktopreg::Register({other.path(), QString(), {}});
    EXPECT_EQ(Str(pathless.failures),
              Str(other.filePath(QStringLiteral("applications/kinetrace.desktop: the program's own path is unknown"))));
    EXPECT_EQ(pathless.written.size(), 5);
    EXPECT_FALSE(QFile::exists(other.filePath(QString::fromLatin1(kEntry))));

    // A file stands where the data folder should be.
    const QString blocked = m_data.filePath(QStringLiteral("blocked"));
    ASSERT_TRUE(PutBytes(blocked, "x"));
    const desktopreg::Outcome none = desktopreg::Register({blocked, QStringLiteral("/bin/kt"), {m_tools.path()}});
    EXPECT_EQ(Str(none.written), Str(QStringList()));
    EXPECT_EQ(Str(none.refreshed), Str(QStringList()));
    ASSERT_EQ(none.failures.size(), 6);
    EXPECT_EQ(Str(none.failures.front()), Str(QStringLiteral("%1/applications/kinetrace.desktop: cannot make the folder %1/applications").arg(blocked)));
}

TEST(DesktopEntryTest, StartsTheRunningProgramWithTheFileQuotedAsTheFormatAsks)
{
    const struct {
        const char* executable;
        const char* exec;
    } cases[] = {
        {"/opt/kinetrace/bin/kinetrace", R"(Exec="/opt/kinetrace/bin/kinetrace" %f)"},
        {"/home/ann/my tools/kinetrace", R"(Exec="/home/ann/my tools/kinetrace" %f)"},
        // '"', '`', '$' and '\' take a backslash inside the quotes, which
        // the value's own escaping doubles; '%' would be a field code.
        {R"(/a"b/k)", R"(Exec="/a\\"b/k" %f)"},
        {"/a`b/$HOME/k", R"(Exec="/a\\`b/\\$HOME/k" %f)"},
        {R"(/a\b/k)", R"(Exec="/a\\\\b/k" %f)"},
        {"/100%/k", R"(Exec="/100%%/k" %f)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.executable);
        const QStringList lines = QString::fromUtf8(desktopreg::DesktopEntry(QString::fromUtf8(c.executable))).split(u'\n');
        ASSERT_EQ(lines.filter(QStringLiteral("Exec=")).size(), 1);
        EXPECT_EQ(Str(lines.filter(QStringLiteral("Exec=")).front()), c.exec);
    }
    const QByteArray entry = desktopreg::DesktopEntry(QStringLiteral("/opt/kt"));
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(entry.contains("\nMimeType=application/x-kinetrace-hox;\n"));
    EXPECT_TRUE(entry.contains("\nIcon=kinetrace\n"));
}

TEST_F(DesktopRegistrationTest, TheRealMimeDatabaseTakesTheType)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (tool.isEmpty()) GTEST_SKIP() << "update-mime-database is not installed";
    const desktopreg::Outcome outcome = desktopreg::Register({m_data.path(), QStringLiteral("/opt/kt"), {QFileInfo(tool).path()}});
    EXPECT_EQ(Str(outcome.failures), Str(QStringList()));
    EXPECT_TRUE(outcome.refreshed.contains(QStringLiteral("update-mime-database")));
    EXPECT_TRUE(ReadAll(Data("mime/globs2")).contains(":application/x-kinetrace-hox:*.hox"));
    EXPECT_TRUE(ReadAll(Data("mime/subclasses")).contains("application/x-kinetrace-hox application/x-ole-storage"));
    EXPECT_TRUE(ReadAll(Data("mime/application/x-kinetrace-hox.xml")).contains("Hox Document"));
}

TEST_F(DesktopRegistrationTest, TheRealDesktopToolsTakeTheEntry)
{
    const QString validate = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    const QString update = QStandardPaths::findExecutable(QStringLiteral("update-desktop-database"));
    if (validate.isEmpty() || update.isEmpty()) GTEST_SKIP() << "desktop-file-utils is not installed";
    const QString executable = QStringLiteral("/home/ann/my \"tools\"/$bin\\100%/kinetrace");
    const desktopreg::Outcome outcome = desktopreg::Register({m_data.path(), executable, {QFileInfo(update).path()}});
    EXPECT_EQ(Str(outcome.failures), "");
    EXPECT_TRUE(outcome.refreshed.contains(QStringLiteral("update-desktop-database")));
    EXPECT_TRUE(ReadAll(Data("applications/mimeinfo.cache")).contains("application/x-kinetrace-hox=kinetrace.desktop;"));

    QProcess check;
    check.start(validate, {Data(kEntry)});
    ASSERT_TRUE(check.waitForFinished());
    EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardOutput().toStdString()
                                   << check.readAllStandardError().toStdString();
}
