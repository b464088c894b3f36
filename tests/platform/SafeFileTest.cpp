// Files written beside their target and renamed into place: a full disk, a
// missing or read-only folder end in a reason, the old file untouched and no
// temporary file left behind.
#include "platform/SafeFile.h"
#include "support/TinyDisk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

using kt::test::TinyDisk;

namespace {

QByteArray Bytes(qsizetype size, char seed)
{
    QByteArray out(size, '\0');
    for (qsizetype i = 0; i < size; ++i) out[i] = char(seed + i * 7 + (i >> 9));
    return out;
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The injected limit ends with the test, whatever it asserts.
struct WriteLimit {
    explicit WriteLimit(qint64 bytes) { safefile::SetWriteLimitForTesting(bytes); }
    ~WriteLimit() { safefile::SetWriteLimitForTesting(-1); }
};

const struct FullDiskCase {
    const char* what;
    qsizetype size;
    bool overExisting;
} kFullDiskCases[] = {
    // Below 16 KiB Qt's buffer once hid the failure entirely.
    {"small file over an existing one", 12800, true},
    {"small file to a new name", 12800, false},
    {"large file over an existing one", 300000, true},
    {"large file to a new name", 300000, false},
};

} // namespace

TEST(SafeFileTest, WritesTheBytesAndLeavesNothingElse)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.bin"));
    for (qsizetype size : {qsizetype(0), qsizetype(1), qsizetype(3 << 20)}) {
        QString error;
        ASSERT_TRUE(safefile::Write(path, Bytes(size, 3), &error)) << error.toStdString();
        EXPECT_EQ(ReadAll(path), Bytes(size, 3));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("out.bin")});
    }
}

TEST(SafeFileTest, AFullDiskFailsWithItsReasonAndKeepsTheOldFile)
{
    TinyDisk disk(64);
    if (!disk.Ok()) GTEST_SKIP() << "mounting a small file system needs root";
    const QByteArray old = Bytes(8000, 1);
    for (const FullDiskCase& c : kFullDiskCases) {
        SCOPED_TRACE(c.what);
        const QString path = disk.Path(QStringLiteral("doc.hox"));
        QFile::remove(path);
        QFile::remove(disk.Path(QStringLiteral("filler")));
        if (c.overExisting) {
            ASSERT_TRUE(safefile::Write(path, old, nullptr));
        }
        ASSERT_TRUE(disk.FillLeaving(4096));
        QString error;
        EXPECT_FALSE(safefile::Write(path, Bytes(c.size, 2), &error));
        EXPECT_EQ(error.toStdString(), "No space left on device");
        EXPECT_EQ(disk.Files(), c.overExisting ? QStringList{QStringLiteral("doc.hox")} : QStringList{});
        if (c.overExisting) {
            EXPECT_EQ(ReadAll(path), old);
        }
    }
}

TEST(SafeFileTest, AnInjectedFullDiskFailsTheSameWay)
{
    QTemporaryDir dir;
    const QByteArray old = Bytes(8000, 1);
    for (const FullDiskCase& c : kFullDiskCases) {
        SCOPED_TRACE(c.what);
        const QString path = dir.filePath(QStringLiteral("doc.hox"));
        QFile::remove(path);
        if (c.overExisting) {
            ASSERT_TRUE(safefile::Write(path, old, nullptr));
        }
        QString error;
        {
            WriteLimit limit(c.size / 2);
            EXPECT_FALSE(safefile::Write(path, Bytes(c.size, 2), &error));
        }
        EXPECT_EQ(error.toStdString(), "No space left on device");
        const QStringList expected = c.overExisting ? QStringList{QStringLiteral("doc.hox")} : QStringList{};
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), expected);
        if (c.overExisting) {
            EXPECT_EQ(ReadAll(path), old);
        }
    }
}

TEST(SafeFileTest, FoldersThatCannotTakeTheFileFailWithAReason)
{
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(safefile::Write(dir.filePath(QStringLiteral("missing/out.bin")), "x", &error));
    EXPECT_FALSE(error.isEmpty());

    const QString folder = dir.filePath(QStringLiteral("folder"));
    ASSERT_TRUE(QDir().mkdir(folder));
    error.clear();
    EXPECT_FALSE(safefile::Write(folder, "x", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFileInfo(folder).isDir());

    if (geteuid() == 0) return; // root writes into read-only folders
    const QString locked = dir.filePath(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkdir(locked));
    ASSERT_TRUE(safefile::Write(locked + QStringLiteral("/old.bin"), "old", nullptr));
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
    error.clear();
    EXPECT_FALSE(safefile::Write(locked + QStringLiteral("/old.bin"), "new", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadAll(locked + QStringLiteral("/old.bin")), QByteArray("old"));
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
