// Text files: Latin-1 with CR LF written, CR dropped when read; each way a
// write or read can fail ends in a sentence that names the file and the
// cause, with the old file kept and nothing else left in the folder.
#include "platform/SafeFile.h"
#include "platform/TextFile.h"
#include "support/TinyDisk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using kt::test::TinyDisk;

namespace {

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

QStringList FilesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

std::string Str(const QString& s) { return s.toStdString(); }
// Lists compared as text, so that a failure shows the lines.
std::string Str(const QStringList& list) { return list.join(u'|').toStdString(); }

QStringList Lines(std::initializer_list<const char*> lines)
{
    QStringList out;
    for (const char* line : lines) out.append(QString::fromLatin1(line));
    return out;
}

// The injected limit ends with the test, whatever it asserts.
struct WriteLimit {
    explicit WriteLimit(qint64 bytes) { safefile::SetWriteLimitForTesting(bytes); }
    ~WriteLimit() { safefile::SetWriteLimitForTesting(-1); }
};

// Permissions do not bind root, so as root the cases run as "nobody" for a
// while; the saved id stays root's, which lets the test return to it.
class Unprivileged {
public:
    Unprivileged()
    {
        if (::geteuid() != 0) return;
        m_dropped = ::setresuid(kNobody, kNobody, 0) == 0;
        m_failed = !m_dropped;
    }
    ~Unprivileged()
    {
        if (m_dropped && ::setresuid(0, 0, 0) != 0) std::abort();
    }
    Unprivileged(const Unprivileged&) = delete;
    Unprivileged& operator=(const Unprivileged&) = delete;
    bool Failed() const { return m_failed; }

private:
    static constexpr uid_t kNobody = 65534;
    bool m_dropped = false;
    bool m_failed = false;
};

// A folder anyone may write in, so that the cases behave alike for root
// (running as "nobody") and for any other user.
class OpenFolder {
public:
    OpenFolder() { ::chmod(QFile::encodeName(m_dir.path()).constData(), 0777); }
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QString Folder() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

void SetMode(const QString& path, mode_t mode) { ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0); }

} // namespace

TEST(TextFileTest, WritesEveryLineEndAsCrLf)
{
    const struct {
        const char* text;
        QByteArray bytes;
    } cases[] = {
        {"", ""},
        {"no line end", "no line end"},
        {"[HOX File Name]\npress.hox\n\n", "[HOX File Name]\r\npress.hox\r\n\r\n"},
        {"\n\nlast\n", "\r\n\r\nlast\r\n"},
        // Text typed into an edit already has CR LF: not doubled.
        {"LD X000\r\nOUT Y001\r\n", "LD X000\r\nOUT Y001\r\n"},
        {"\r\n", "\r\n"},
        // A CR of its own is no line end and stays as it is.
        {"a\rb", "a\rb"},
    };
    OpenFolder dir;
    const QString path = dir.Path(QStringLiteral("out.txt"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(textfile::Encode(QString::fromLatin1(c.text)), c.bytes);
        QString error;
        ASSERT_TRUE(textfile::Write(path, QString::fromLatin1(c.text), &error)) << Str(error);
        EXPECT_EQ(ReadAll(path), c.bytes);
        EXPECT_EQ(Str(FilesIn(dir.Folder())), "out.txt");
    }
}

TEST(TextFileTest, ReadsLinesSplitAtLfWithEveryCrDropped)
{
    const struct {
        QByteArray bytes;
        QStringList lines;
    } cases[] = {
        {"", Lines({})},
        {"one", Lines({"one"})},
        {"one\r\ntwo\r\n", Lines({"one", "two"})},
        {"one\ntwo", Lines({"one", "two"})},
        {"\r\n", Lines({""})},
        {"a\r\n\r\n\r\nb\r\n", Lines({"a", "", "", "b"})},
        // A CR inside a line, or doubled before the LF, is dropped as well.
        {"LD\r X000\r\r\n", Lines({"LD X000"})},
        {"\r", Lines({""})},
        {"a\rb\r", Lines({"ab"})},
    };
    OpenFolder dir;
    const QString path = dir.Path(QStringLiteral("in.txt"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.toStdString());
        EXPECT_EQ(Str(textfile::Decode(c.bytes)), Str(c.lines));
        ASSERT_TRUE(PutBytes(path, c.bytes));
        QString error;
        const std::optional<QStringList> lines = textfile::Read(path, &error);
        ASSERT_TRUE(lines) << Str(error);
        EXPECT_EQ(Str(*lines), Str(c.lines));
    }
}

TEST(TextFileTest, EveryLatin1CharacterIsOneByteBothWays)
{
    QString high;
    QString low;
    for (int c = 0x80; c <= 0xFF; ++c) high.append(QChar(c));
    for (int c = 0x01; c <= 0x7F; ++c)
        if (c != '\n' && c != '\r') low.append(QChar(c));
    OpenFolder dir;
    const QString path = dir.Path(QStringLiteral("latin1.txt"));
    ASSERT_TRUE(textfile::Write(path, high + u'\n' + low + u'\n', nullptr));

    const QByteArray bytes = ReadAll(path);
    ASSERT_EQ(bytes.size(), 128 + 2 + 125 + 2);
    for (int c = 0x80; c <= 0xFF; ++c) EXPECT_EQ(static_cast<unsigned char>(bytes[c - 0x80]), c);
    const std::optional<QStringList> lines = textfile::Read(path, nullptr);
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (QStringList{high, low}));
}

TEST(TextFileTest, ACharacterBeyondLatin1IsWrittenAsOneQuestionMark)
{
    // Euro sign, Greek delta, an emoji (two UTF-16 units), a lone surrogate.
    const QString text = QStringLiteral("Presse-\u20AC-\u0394-") + QString::fromUcs4(U"\U0001F600") + u'-' +
                         QChar(0xD800) + QStringLiteral("-\u00E9");
    EXPECT_EQ(textfile::Encode(text), QByteArray("Presse-?-?-?-?-\xE9"));
}

TEST(TextFileTest, AWriteThatCannotBeDoneNamesTheCauseAndKeepsTheOldFile)
{
    OpenFolder dir;
    const QString old = dir.Path(QStringLiteral("old.txt"));
    ASSERT_TRUE(textfile::Write(old, QStringLiteral("old\n"), nullptr));
    SetMode(old, 0444);
    const QString folder = dir.Path(QStringLiteral("folder.txt"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString locked = dir.Path(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkdir(locked));
    SetMode(locked, 0555);

    const struct {
        const char* what;
        QString path;
        QString error;
    } cases[] = {
        {"missing folder", dir.Path(QStringLiteral("missing/out.txt")),
         QStringLiteral("cannot write %1: the folder %2 does not exist")
             .arg(dir.Path(QStringLiteral("missing/out.txt")), dir.Path(QStringLiteral("missing")))},
        {"a folder in the way", folder, QStringLiteral("cannot write %1: it is a folder").arg(folder)},
        {"read-only file", old, QStringLiteral("cannot write %1: the file is read-only").arg(old)},
        {"read-only folder", locked + QStringLiteral("/new.txt"),
         QStringLiteral("cannot write %1/new.txt: the folder %1 is read-only").arg(locked)},
    };
    {
        Unprivileged user;
        if (user.Failed()) GTEST_SKIP() << "cannot run as an unprivileged user";
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            QString error;
            EXPECT_FALSE(textfile::Write(c.path, QStringLiteral("new\n"), &error));
            EXPECT_EQ(Str(error), Str(c.error));
        }
    }
    EXPECT_EQ(ReadAll(old), QByteArray("old\r\n"));
    EXPECT_EQ(Str(FilesIn(dir.Folder())), "old.txt");
    EXPECT_EQ(Str(FilesIn(locked)), "");
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST(TextFileTest, AFullDiskFailsWithItsReasonAndKeepsTheOldFile)
{
    // The injected limit stands in for the disk where no file system can be
    // mounted; both must end alike.
    OpenFolder dir;
    const QString path = dir.Path(QStringLiteral("listing.txt"));
    const QString big = QStringLiteral("0000 0001: cod01(LIN)\n").repeated(20000);
    ASSERT_TRUE(textfile::Write(path, QStringLiteral("old\n"), nullptr));
    QString error;
    {
        WriteLimit limit(100000);
        EXPECT_FALSE(textfile::Write(path, big, &error));
    }
    EXPECT_EQ(Str(error), Str(QStringLiteral("cannot write %1: No space left on device").arg(path)));
    EXPECT_EQ(ReadAll(path), QByteArray("old\r\n"));
    EXPECT_EQ(Str(FilesIn(dir.Folder())), "listing.txt");

    TinyDisk disk(64);
    if (!disk.Ok()) GTEST_SKIP() << "mounting a small file system needs root";
    const QString onDisk = disk.Path(QStringLiteral("listing.txt"));
    ASSERT_TRUE(textfile::Write(onDisk, QStringLiteral("old\n"), nullptr));
    ASSERT_TRUE(disk.FillLeaving(4096));
    error.clear();
    EXPECT_FALSE(textfile::Write(onDisk, big, &error));
    EXPECT_EQ(Str(error), Str(QStringLiteral("cannot write %1: No space left on device").arg(onDisk)));
    EXPECT_EQ(ReadAll(onDisk), QByteArray("old\r\n"));
    EXPECT_EQ(Str(disk.Files()), "listing.txt");
}

TEST(TextFileTest, AReadThatCannotBeDoneNamesTheCause)
{
    OpenFolder dir;
    const QString missing = dir.Path(QStringLiteral("missing.txt"));
    const QString folder = dir.Path(QStringLiteral("folder.txt"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString pipe = dir.Path(QStringLiteral("pipe.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0666), 0);
    const QString locked = dir.Path(QStringLiteral("locked.txt"));
    ASSERT_TRUE(PutBytes(locked, "secret\r\n"));
    SetMode(locked, 0200);
    // Sparse: no blocks are written for it.
    const QString huge = dir.Path(QStringLiteral("huge.txt"));
    ASSERT_TRUE(PutBytes(huge, ""));
    ASSERT_TRUE(QFile::resize(huge, textfile::kMaxReadBytes + 1));

    const struct {
        const char* what;
        QString path;
        QString error;
    } cases[] = {
        {"missing", missing, QStringLiteral("cannot read %1: the file does not exist").arg(missing)},
        {"in a missing folder", dir.Path(QStringLiteral("no/x.txt")),
         QStringLiteral("cannot read %1: the file does not exist").arg(dir.Path(QStringLiteral("no/x.txt")))},
        {"folder", folder, QStringLiteral("cannot read %1: it is a folder").arg(folder)},
        {"pipe", pipe, QStringLiteral("cannot read %1: it is not a regular file").arg(pipe)},
        {"unreadable", locked, QStringLiteral("cannot read %1: Permission denied").arg(locked)},
        {"too large", huge, QStringLiteral("cannot read %1: it is larger than 16 MiB, too large for a text file").arg(huge)},
    };
    Unprivileged user;
    if (user.Failed()) GTEST_SKIP() << "cannot run as an unprivileged user";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QString error;
        EXPECT_FALSE(textfile::Read(c.path, &error));
        EXPECT_EQ(Str(error), Str(c.error));
    }
}

TEST(TextFileTest, AFileOfExactlyTheLimitIsRead)
{
    OpenFolder dir;
    const QString path = dir.Path(QStringLiteral("full.txt"));
    ASSERT_TRUE(PutBytes(path, ""));
    ASSERT_TRUE(QFile::resize(path, textfile::kMaxReadBytes - 2));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write("\r\n");
    }
    QString error;
    const std::optional<QStringList> lines = textfile::Read(path, &error);
    ASSERT_TRUE(lines) << Str(error);
    ASSERT_EQ(lines->size(), 1);
    EXPECT_EQ(lines->front().size(), textfile::kMaxReadBytes - 2);
}
