// The document file's compound-file layer: "Contents" at every size, files
// checked with an independent reader (olefile), foreign storages carried
// through a load and save, damaged input and failed saves.
//
// The fixtures in data/compound come from make_fixtures.py there, a writer of
// its own rather than libgsf; their stream bytes follow Pattern() below.
#include "platform/CompoundFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtEndian>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <functional>
#include <map>
#include <random>
#include <ostream>
#include <string>

using Entry = CompoundFile::Entry;
using ClassId = CompoundFile::ClassId;

// Entries hold megabytes; a failure shows their shape, not their bytes.
void PrintTo(const Entry& e, std::ostream* os)
{
    *os << (e.isStorage ? "storage " : "stream ") << ::testing::PrintToString(e.name.toStdString());
    if (e.isStorage) {
        if (e.classId != ClassId{})
            *os << " class " << QByteArray(reinterpret_cast<const char*>(e.classId.data()), 16).toHex().toStdString();
        *os << " {";
        for (const Entry& c : e.children) {
            PrintTo(c, os);
            *os << "; ";
        }
        *os << "}";
    } else {
        *os << " (" << e.data.size() << " bytes)";
    }
}

namespace {

QByteArray Pattern(int seed, qsizetype size)
{
    QByteArray out(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i) out[i] = static_cast<char>((i * 131 + seed * 17 + (i >> 8)) & 0xFF);
    return out;
}

ClassId Clsid(int first)
{
    ClassId id{};
    for (int i = 0; i < 16; ++i) id[i] = static_cast<std::uint8_t>(first + i);
    return id;
}

Entry Stream(const QString& name, QByteArray data)
{
    Entry e;
    e.name = name;
    e.data = std::move(data);
    return e;
}

Entry Storage(const QString& name, ClassId id, std::vector<Entry> children)
{
    Entry e;
    e.name = name;
    e.isStorage = true;
    e.classId = id;
    e.children = std::move(children);
    return e;
}

// What the carried fixtures hold besides "Contents" (Pattern(1, 5000)).
std::vector<Entry> FixtureCarried()
{
    return {
        Stream(QStringLiteral("\x05SummaryInformation"), Pattern(2, 300)),
        Storage(QStringLiteral("Embedding 1"), Clsid(0x40),
                {Stream(QStringLiteral("\x01Ole"), Pattern(3, 20)),
                 Stream(QStringLiteral("\x03ObjInfo"), Pattern(4, 6)),
                 Stream(QStringLiteral("CONTENTS"), Pattern(5, 9000))}),
        Storage(QStringLiteral("Embedding 2"), Clsid(0x60),
                {Storage(QStringLiteral("Inner"), Clsid(0x80),
                         {Stream(QStringLiteral("Data"), {}), Storage(QStringLiteral("Empty"), {}, {})}),
                 Stream(QStringLiteral("Exactly4096"), Pattern(6, 4096)),
                 Stream(QStringLiteral("Just below"), Pattern(7, 4095))}),
    };
}

// The order libgsf lists entries in is its own; compare trees without it.
std::vector<Entry> ByName(std::vector<Entry> entries)
{
    for (Entry& e : entries) e.children = ByName(std::move(e.children));
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
    return entries;
}

::testing::AssertionResult SameBytes(const QByteArray& actual, const QByteArray& expected)
{
    if (actual == expected) return ::testing::AssertionSuccess();
    qsizetype at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
    return ::testing::AssertionFailure() << actual.size() << " bytes instead of " << expected.size()
                                         << ", first difference at " << at;
}

QString FixturePath(const QString& name) { return QStringLiteral(KT_TEST_DATA "/compound/") + name; }

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QStringList Listing(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}

// --- The independent reader --------------------------------------------------

const char kPython[] = "/usr/bin/python3";

bool HaveOlefile()
{
    static const bool have = [] {
        if (!QFileInfo(QString::fromLatin1(kPython)).isExecutable()) return false;
        QProcess p;
        p.start(QString::fromLatin1(kPython), {QStringLiteral("-c"), QStringLiteral("import olefile")});
        return p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }();
    return have;
}

#define REQUIRE_OLEFILE()                                                                                    \
    do {                                                                                                     \
        if (!HaveOlefile()) GTEST_SKIP() << "needs /usr/bin/python3 with olefile (Debian's python3-olefile)"; \
    } while (0)

// Every entry olefile finds, by path ("Embedding 1/CONTENTS"): its kind, and
// a stream's size and SHA-256 or a storage's class id; the root's class id
// under "/".
const char kListScript[] = R"(
import hashlib, json, sys, olefile
ole = olefile.OleFileIO(sys.argv[1])
items = {"/": "root " + ole.root.clsid}
def walk(entry, prefix):
    for kid in entry.kids:
        path = prefix + [kid.name]
        if kid.entry_type == olefile.STGTY_STORAGE:
            items["/".join(path)] = "storage " + kid.clsid
            walk(kid, path)
        else:
            data = ole.openstream(path).read()
            items["/".join(path)] = "stream %d %s" % (len(data), hashlib.sha256(data).hexdigest())
walk(ole.root, [])
ole.close()
json.dump(items, sys.stdout)
)";

// Kept in std::string so that a failure prints readably.
using OleListing = std::map<std::string, std::string>;

OleListing ReadWithOlefile(const QString& path)
{
    QProcess p;
    p.start(QString::fromLatin1(kPython), {QStringLiteral("-c"), QString::fromLatin1(kListScript), path});
    const bool finished = p.waitForFinished(-1);
    const QByteArray out = p.readAllStandardOutput();
    EXPECT_TRUE(finished && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
        << "olefile could not read " << path.toStdString() << ": " << p.readAllStandardError().toStdString();
    OleListing listing;
    const QJsonObject items = QJsonDocument::fromJson(out).object();
    for (auto it = items.begin(); it != items.end(); ++it)
        listing[it.key().toStdString()] = it.value().toString().toStdString();
    return listing;
}

std::string StreamLine(const QByteArray& data)
{
    return "stream " + std::to_string(data.size()) + " " +
           QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex().toStdString();
}

// --- Round trip ----------------------------------------------------------------

TEST(CompoundFileTest, ContentsReadBackAtEverySize)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // Around the 64-byte small blocks, the 4096-byte line between small and
    // large streams, and one of several megabytes that ends mid-block.
    const qsizetype sizes[] = {0, 1, 63, 64, 511, 512, 4095, 4096, 4097, 5 * 1024 * 1024 + 123};
    for (qsizetype size : sizes) {
        SCOPED_TRACE(size);
        const QString path = dir.filePath(QStringLiteral("doc-%1.hox").arg(size));
        CompoundFile file;
        file.SetContents(Pattern(static_cast<int>(size % 97), size));
        file.SetRootClassId(Clsid(0x10));
        QString error;
        ASSERT_TRUE(file.Save(path, &error)) << error.toStdString();

        const std::optional<CompoundFile> read = CompoundFile::Open(path, &error);
        ASSERT_TRUE(read) << error.toStdString();
        EXPECT_TRUE(SameBytes(read->Contents(), file.Contents()));
        EXPECT_EQ(read->RootClassId(), Clsid(0x10));
        EXPECT_TRUE(read->Carried().empty());
    }
}

TEST(CompoundFileTest, ANewFileHasAZeroClassIdAndNothingCarried)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("new.hox"));
    QString error;
    ASSERT_TRUE(CompoundFile().Save(path, &error)) << error.toStdString();
    const std::optional<CompoundFile> read = CompoundFile::Open(path, &error);
    ASSERT_TRUE(read) << error.toStdString();
    EXPECT_TRUE(read->Contents().isEmpty());
    EXPECT_EQ(read->RootClassId(), ClassId{});
    EXPECT_TRUE(read->CarriedNames().isEmpty());
}

TEST(CompoundFileTest, SavedFilesReadTheSameWithOlefile)
{
    REQUIRE_OLEFILE();
    QTemporaryDir dir;
    for (qsizetype size : {qsizetype(0), qsizetype(100), qsizetype(4096), qsizetype(3 * 1024 * 1024 + 5)}) {
        SCOPED_TRACE(size);
        const QString path = dir.filePath(QStringLiteral("doc-%1.hox").arg(size));
        CompoundFile file;
        file.SetContents(Pattern(11, size));
        file.SetRootClassId(Clsid(0x10));
        QString error;
        ASSERT_TRUE(file.Save(path, &error)) << error.toStdString();

        const OleListing expected = {
            // The class id as olefile spells it: the first three fields little-endian.
            {"/", "root 13121110-1514-1716-1819-1A1B1C1D1E1F"},
            {"Contents", StreamLine(file.Contents())},
        };
        EXPECT_EQ(ReadWithOlefile(path), expected);
    }
}

// --- Carrying what the program does not read ------------------------------------

void CheckCarriedThrough(const QString& fixture)
{
    QTemporaryDir dir;
    const QString original = dir.filePath(QStringLiteral("original.hox"));
    ASSERT_TRUE(QFile::copy(FixturePath(fixture), original));

    QString error;
    std::optional<CompoundFile> opened = CompoundFile::Open(original, &error);
    ASSERT_TRUE(opened) << error.toStdString();
    EXPECT_TRUE(SameBytes(opened->Contents(), Pattern(1, 5000)));
    EXPECT_EQ(opened->RootClassId(), Clsid(0x10));
    EXPECT_EQ(ByName(opened->Carried()), ByName(FixtureCarried()));
    QStringList names = opened->CarriedNames();
    names.sort();
    EXPECT_EQ(names, QStringList({QStringLiteral("\x05SummaryInformation"), QStringLiteral("Embedding 1"),
                                  QStringLiteral("Embedding 2")}));

    const QByteArray newContents = Pattern(21, 2 * 1024 * 1024 + 7);
    opened->SetContents(newContents);
    const QString saved = dir.filePath(QStringLiteral("saved.hox"));
    ASSERT_TRUE(opened->Save(saved, &error)) << error.toStdString();

    const std::optional<CompoundFile> reopened = CompoundFile::Open(saved, &error);
    ASSERT_TRUE(reopened) << error.toStdString();
    EXPECT_TRUE(SameBytes(reopened->Contents(), newContents));
    EXPECT_EQ(reopened->RootClassId(), Clsid(0x10));
    EXPECT_EQ(reopened->Carried(), opened->Carried()) << "entries or their order changed";

    if (!HaveOlefile()) return; // the test says it skipped this
    OleListing expected = ReadWithOlefile(original);
    ASSERT_EQ(expected.size(), 13u) << "the fixture is not what this test expects";
    expected["Contents"] = StreamLine(newContents);
    EXPECT_EQ(ReadWithOlefile(saved), expected);
}

TEST(CompoundFileTest, ForeignEntriesSurviveOpenAndSave)
{
    // 512-byte sectors, and 4096-byte ones (the newer kind of compound file).
    for (const char* fixture : {"carried.hox", "carried-4k.hox"}) {
        SCOPED_TRACE(fixture);
        CheckCarriedThrough(QString::fromLatin1(fixture));
    }
    if (!HaveOlefile()) GTEST_SKIP() << "checked without olefile: needs /usr/bin/python3 with olefile";
}

TEST(CompoundFileTest, SavingOverTheOpenedFileKeepsWhatItCarried)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("doc.hox"));
    ASSERT_TRUE(QFile::copy(FixturePath(QStringLiteral("carried.hox")), path));
    // Not what a new file gets, so a save that made a new file would show.
    const QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(path, permissions));
    const OleListing before = HaveOlefile() ? ReadWithOlefile(path) : OleListing();

    QString error;
    std::optional<CompoundFile> doc = CompoundFile::Open(path, &error);
    ASSERT_TRUE(doc) << error.toStdString();
    // Twice: the second save reads nothing from the file the first one wrote.
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        doc->SetContents(Pattern(30 + round, 10000 * round));
        ASSERT_TRUE(doc->Save(path, &error)) << error.toStdString();
        EXPECT_EQ(Listing(dir.path()), QStringList{QStringLiteral("doc.hox")}) << "a temporary file was left";

        const std::optional<CompoundFile> read = CompoundFile::Open(path, &error);
        ASSERT_TRUE(read) << error.toStdString();
        EXPECT_TRUE(SameBytes(read->Contents(), Pattern(30 + round, 10000 * round)));
        EXPECT_EQ(ByName(read->Carried()), ByName(FixtureCarried()));
        if (HaveOlefile()) {
            OleListing expected = before;
            expected["Contents"] = StreamLine(read->Contents());
            EXPECT_EQ(ReadWithOlefile(path), expected);
        }
    }
    const QFile::Permissions ownerGroupOther(0x7077);
    EXPECT_EQ(QFile::permissions(path) & ownerGroupOther, permissions)
        << "the replaced file's permissions were not kept";
}

TEST(CompoundFileTest, CarriedEntriesAreFoundReplacedAddedAndDroppedByNameInAnyCase)
{
    QTemporaryDir dir;
    QString error;
    std::optional<CompoundFile> file = CompoundFile::Open(FixturePath(QStringLiteral("carried.hox")), &error);
    ASSERT_TRUE(file) << error.toStdString();

    const Entry* found = file->FindCarried(QStringLiteral("EMBEDDING 1"));
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->name, QStringLiteral("Embedding 1"));
    EXPECT_TRUE(found->isStorage);
    EXPECT_EQ(file->FindCarried(QStringLiteral("Embedding 3")), nullptr);
    EXPECT_EQ(file->FindCarried(QStringLiteral("Contents")), nullptr) << "the document's own stream is not carried";

    // Dropped once; the others keep their order.
    const QStringList before = file->CarriedNames();
    EXPECT_TRUE(file->DropCarried(QStringLiteral("embedding 1")));
    EXPECT_FALSE(file->DropCarried(QStringLiteral("Embedding 1")));
    QStringList expected = before;
    expected.removeAll(QStringLiteral("Embedding 1"));
    EXPECT_EQ(file->CarriedNames(), expected);

    // One of a carried name takes its place, a new one goes last, and the
    // document's own stream is not taken.
    const Entry replacement =
        Storage(QStringLiteral("Embedding 2"), Clsid(0x70), {Stream(QStringLiteral("X"), Pattern(8, 10))});
    EXPECT_TRUE(file->Carry(replacement));
    EXPECT_TRUE(file->Carry(Stream(QStringLiteral("Added"), Pattern(9, 100))));
    EXPECT_FALSE(file->Carry(Stream(QStringLiteral("CONTENTS"), Pattern(9, 100))));
    expected.append(QStringLiteral("Added"));
    EXPECT_EQ(file->CarriedNames(), expected);
    EXPECT_EQ(*file->FindCarried(QStringLiteral("Embedding 2")), replacement);

    const QString path = dir.filePath(QStringLiteral("changed.hox"));
    ASSERT_TRUE(file->Save(path, &error)) << error.toStdString();
    const std::optional<CompoundFile> read = CompoundFile::Open(path, &error);
    ASSERT_TRUE(read) << error.toStdString();
    EXPECT_EQ(ByName(read->Carried()), ByName(file->Carried()));
    EXPECT_TRUE(SameBytes(read->Contents(), Pattern(1, 5000)));
}

// --- Files that are not documents ----------------------------------------------

TEST(CompoundFileOpenTest, RejectsWhatIsNotADocumentWithAClearMessage)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    // A valid file written by the program, large enough that its data lies
    // in many sectors.
    const QString whole = dir.filePath(QStringLiteral("whole.hox"));
    CompoundFile big;
    big.SetContents(Pattern(5, 200000));
    ASSERT_TRUE(big.Save(whole, nullptr));
    const QByteArray wholeBytes = ReadAll(whole);
    const QByteArray fixtureBytes = ReadAll(FixturePath(QStringLiteral("carried.hox")));
    ASSERT_FALSE(wholeBytes.isEmpty());
    ASSERT_FALSE(fixtureBytes.isEmpty());

    QByteArray noise(8192, Qt::Uninitialized);
    std::uint32_t state = 12345;
    for (char& c : noise) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 24);
    }
    // The signature and nothing sensible after it.
    QByteArray signatureOnly = QByteArray::fromHex("D0CF11E0A1B11AE1");
    signatureOnly.append(1024, '\0');

    const QString notCompound = QStringLiteral("is not a document file (not a compound file)");
    const QString damaged = QStringLiteral("is damaged");
    const struct {
        const char* name;
        std::function<QString()> make; // returns the path to open
        QString message;
    } cases[] = {
        {"missing file", [&] { return dir.filePath(QStringLiteral("missing.hox")); },
         QStringLiteral("cannot open")},
        {"unreadable file",
         [&] {
             const QString path = dir.filePath(QStringLiteral("unreadable.hox"));
             WriteAll(path, wholeBytes);
             QFile::setPermissions(path, QFile::WriteOwner);
             return path;
         },
         QStringLiteral("cannot open")},
        {"a directory",
         [&] {
             const QString path = dir.filePath(QStringLiteral("folder.hox"));
             QDir().mkdir(path);
             return path;
         },
         QStringLiteral("cannot open")},
        {"a device", [&] { return QStringLiteral("/dev/null"); }, QStringLiteral("not a regular file")},
        {"empty file", [&] { return QStringLiteral("empty"); }, notCompound},
        {"text file", [&] { return QStringLiteral("text"); }, notCompound},
        {"random bytes", [&] { return QStringLiteral("noise"); }, notCompound},
        {"first 300 bytes of a document", [&] { return QStringLiteral("short"); }, notCompound},
        {"signature only", [&] { return QStringLiteral("signature"); }, damaged},
        {"document cut in half", [&] { return QStringLiteral("half"); }, damaged},
        {"document one byte short", [&] { return QStringLiteral("minus1"); }, damaged},
        {"foreign file cut in half", [&] { return QStringLiteral("fixture-half"); }, damaged},
        {"foreign file without its last sector", [&] { return QStringLiteral("fixture-short"); },
         QStringLiteral("cannot read \"Embedding 2/Exactly4096\"")},
        {"no Contents", [&] { return FixturePath(QStringLiteral("no-contents.hox")); },
         QStringLiteral("has no \"Contents\" stream")},
        {"Contents a storage", [&] { return FixturePath(QStringLiteral("contents-storage.hox")); },
         QStringLiteral("\"Contents\" is a storage, not a stream")},
        {"unreadable entry name", [&] { return FixturePath(QStringLiteral("bad-name.hox")); },
         QStringLiteral("unreadable name")},
        {"streams sharing sectors", [&] { return FixturePath(QStringLiteral("overlapping.hox")); },
         QStringLiteral("more than the file holds")},
        // libgsf would leave the entry out and go on; the file must not open
        // as if it were whole.
        {"stream larger than the file", [&] { return FixturePath(QStringLiteral("bogus-size.hox")); }, damaged},
    };
    const std::map<QString, QByteArray> contents = {
        {QStringLiteral("empty"), QByteArray()},
        {QStringLiteral("text"), QByteArray("Kinetrace document\nnot really\n")},
        {QStringLiteral("noise"), noise},
        {QStringLiteral("short"), wholeBytes.left(300)},
        {QStringLiteral("signature"), signatureOnly},
        {QStringLiteral("half"), wholeBytes.left(wholeBytes.size() / 2)},
        {QStringLiteral("minus1"), wholeBytes.chopped(1)},
        {QStringLiteral("fixture-half"), fixtureBytes.left(fixtureBytes.size() / 2)},
        {QStringLiteral("fixture-short"), fixtureBytes.chopped(512)},
    };

    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (geteuid() == 0 && std::strcmp(c.name, "unreadable file") == 0) continue; // root reads it anyway
        QString path = c.make();
        if (auto it = contents.find(path); it != contents.end()) {
            path = dir.filePath(path + QStringLiteral(".hox"));
            ASSERT_TRUE(WriteAll(path, it->second));
        }
        QString error;
        const std::optional<CompoundFile> read = CompoundFile::Open(path, &error);
        EXPECT_FALSE(read);
        EXPECT_TRUE(error.contains(c.message)) << error.toStdString();
        EXPECT_TRUE(error.contains(path)) << "the message does not name the file: " << error.toStdString();
        // The same failure without anyone asking for the message.
        EXPECT_FALSE(CompoundFile::Open(path, nullptr));
    }
}

// A root entry has no siblings. libgsf would read one anyway, into an entry it
// never frees: such a file is refused before libgsf sees it.
TEST(CompoundFileOpenTest, ARootEntryWithASiblingIsRefused)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("root-sibling.hox"));
    CompoundFile file;
    file.SetContents(Pattern(3, 1000));
    ASSERT_TRUE(file.Save(path, nullptr));
    QByteArray bytes = ReadAll(path);
    ASSERT_GE(bytes.size(), 1024);
    // The root's left sibling (at 68 in its entry) becomes its child (at 76),
    // "Contents".
    const auto shift = qFromLittleEndian<std::uint16_t>(bytes.constData() + 30);
    const auto directory = qFromLittleEndian<std::uint32_t>(bytes.constData() + 48);
    const qsizetype root = 512 + (qsizetype(directory) << shift);
    ASSERT_LE(root + 128, bytes.size());
    ASSERT_EQ(bytes.mid(root, 8), QByteArray("R\0o\0o\0t\0", 8));
    qToLittleEndian(qFromLittleEndian<std::uint32_t>(bytes.constData() + root + 76), bytes.data() + root + 68);
    ASSERT_TRUE(WriteAll(path, bytes));

    QString error;
    EXPECT_FALSE(CompoundFile::Open(path, &error));
    EXPECT_TRUE(error.endsWith(QStringLiteral("is damaged (its root entry has siblings)"))) << error.toStdString();
}

// --- Saves that fail ----------------------------------------------------------------

// Lowers the largest file this process may write, so writing past it fails
// with EFBIG (SIGXFSZ is ignored meanwhile): a write failure that even root
// gets, for whom permissions are no obstacle.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_set = getrlimit(RLIMIT_FSIZE, &m_old) == 0 && (m_old.rlim_max == RLIM_INFINITY || bytes <= m_old.rlim_max);
        if (!m_set) return;
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_old;
        lowered.rlim_cur = bytes;
        m_set = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit()
    {
        if (!m_set) return;
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool ok() const { return m_set; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = SIG_DFL;
    bool m_set = false;
};

class CompoundFileSaveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("doc.hox"));
        CompoundFile old;
        old.SetContents(Pattern(40, 100000));
        ASSERT_TRUE(old.Save(path, nullptr));
        oldBytes = ReadAll(path);
        next.SetContents(Pattern(41, 1024 * 1024));
    }

    // The failed save left the old file as it was and nothing beside it.
    void ExpectUntouched()
    {
        EXPECT_TRUE(SameBytes(ReadAll(path), oldBytes));
        EXPECT_EQ(Listing(dir.path()), QStringList{QStringLiteral("doc.hox")}) << "a temporary file was left";
        QString error;
        const std::optional<CompoundFile> read = CompoundFile::Open(path, &error);
        ASSERT_TRUE(read) << error.toStdString();
        EXPECT_TRUE(SameBytes(read->Contents(), Pattern(40, 100000)));
    }

    QTemporaryDir dir;
    QString path;
    QByteArray oldBytes;
    CompoundFile next;
};

TEST_F(CompoundFileSaveTest, ReplacesAnExistingFile)
{
    QString error;
    ASSERT_TRUE(next.Save(path, &error)) << error.toStdString();
    EXPECT_EQ(Listing(dir.path()), QStringList{QStringLiteral("doc.hox")});
    const std::optional<CompoundFile> read = CompoundFile::Open(path, &error);
    ASSERT_TRUE(read) << error.toStdString();
    EXPECT_TRUE(SameBytes(read->Contents(), next.Contents()));
}

TEST_F(CompoundFileSaveTest, IntoAMissingDirectoryFails)
{
    const QString target = dir.filePath(QStringLiteral("no-such-dir/doc.hox"));
    QString error;
    EXPECT_FALSE(next.Save(target, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("cannot write ") + target)) << error.toStdString();
    ExpectUntouched();
}

TEST_F(CompoundFileSaveTest, OverADirectoryFails)
{
    const QString target = dir.filePath(QStringLiteral("folder"));
    ASSERT_TRUE(QDir().mkdir(target));
    ASSERT_TRUE(WriteAll(target + QStringLiteral("/inside"), "x"));
    QString error;
    EXPECT_FALSE(next.Save(target, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("cannot write ") + target)) << error.toStdString();
    EXPECT_TRUE(QFileInfo(target).isDir());
    EXPECT_EQ(Listing(target), QStringList{QStringLiteral("inside")});
    EXPECT_EQ(Listing(dir.path()), (QStringList{QStringLiteral("doc.hox"), QStringLiteral("folder")}));
}

TEST_F(CompoundFileSaveTest, AFailedWriteLeavesTheOldFile)
{
    QString error;
    bool saved = true;
    {
        FileSizeLimit limit(64 * 1024);
        if (!limit.ok()) GTEST_SKIP() << "cannot lower the file size limit here";
        saved = next.Save(path, &error);
    }
    EXPECT_FALSE(saved);
    EXPECT_TRUE(error.startsWith(QStringLiteral("cannot write ") + path)) << error.toStdString();
    ExpectUntouched();
}

TEST_F(CompoundFileSaveTest, IntoAReadOnlyDirectoryFails)
{
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only directories";
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    QString error;
    const bool saved = next.Save(path, &error);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(saved);
    EXPECT_TRUE(error.startsWith(QStringLiteral("cannot write ") + path)) << error.toStdString();
    ExpectUntouched();
}

// --- Damage anywhere ---------------------------------------------------------------

// A small document with a carried storage, cut at every length and with bytes
// changed at random (fixed seed). Opening either fails with a message naming
// the file, or gives a file that saves and reads back the same.
class CompoundFileFuzzTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        CompoundFile file;
        file.SetContents(Pattern(11, 700));
        file.SetRootClassId(Clsid(0x20));
        const QString source = dir.filePath(QStringLiteral("source.hox"));
        ASSERT_TRUE(file.Save(source, nullptr));
        // Carry an embedded item's storage: open a file that has one and
        // save it with this document's contents.
        std::optional<CompoundFile> carrier = CompoundFile::Open(FixturePath(QStringLiteral("carried.hox")), nullptr);
        ASSERT_TRUE(carrier);
        carrier->SetContents(Pattern(11, 700));
        ASSERT_TRUE(carrier->Save(source, nullptr));
        whole = ReadAll(source);
        ASSERT_FALSE(whole.isEmpty());
    }

    // Opens the bytes; on success checks that they save and read back the same.
    bool OpenAndResave(const QByteArray& bytes)
    {
        const QString path = dir.filePath(QStringLiteral("damaged.hox"));
        EXPECT_TRUE(WriteAll(path, bytes));
        QString error;
        const std::optional<CompoundFile> read = CompoundFile::Open(path, &error);
        if (!read) {
            EXPECT_TRUE(error.contains(path)) << error.toStdString();
            return false;
        }
        const QString again = dir.filePath(QStringLiteral("again.hox"));
        EXPECT_TRUE(read->Save(again, &error)) << error.toStdString();
        const std::optional<CompoundFile> back = CompoundFile::Open(again, &error);
        EXPECT_TRUE(back) << error.toStdString();
        if (back) {
            EXPECT_TRUE(SameBytes(back->Contents(), read->Contents()));
            EXPECT_EQ(back->RootClassId(), read->RootClassId());
            EXPECT_EQ(ByName(back->Carried()), ByName(read->Carried()));
        }
        return true;
    }

    QTemporaryDir dir;
    QByteArray whole;
};

TEST_F(CompoundFileFuzzTest, EveryTruncationFails)
{
    for (qsizetype len = 0; len < whole.size(); len += (len < 1024 ? 1 : 7)) {
        SCOPED_TRACE(len);
        EXPECT_FALSE(OpenAndResave(whole.left(len))) << "a cut file opened";
        if (HasFailure()) break;
    }
}

TEST_F(CompoundFileFuzzTest, ChangedBytesFailOrSurviveASave)
{
    std::mt19937 random(20261210);
    for (int round = 0; round < 600; ++round) {
        QByteArray bytes = whole;
        const int changes = 1 + static_cast<int>(random() % 3);
        for (int i = 0; i < changes; ++i) {
            // Mostly the header and directory, where damage does the most.
            const auto range = static_cast<std::uint32_t>(random() % 2 == 0 ? std::min<qsizetype>(bytes.size(), 2048)
                                                                               : bytes.size());
            bytes[static_cast<qsizetype>(random() % range)] = static_cast<char>(random() & 0xFF);
        }
        SCOPED_TRACE(round);
        OpenAndResave(bytes);
        if (HasFailure()) break;
    }
}

} // namespace
