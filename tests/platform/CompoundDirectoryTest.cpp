// Compound files whose root storage holds many entries: a directory far wider
// than any document's is refused before it is walked; a few hundred entries
// open and are carried through a save.
#include "platform/CompoundFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr quint32 kFree = 0xFFFFFFFF;
constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kFatSector = 0xFFFFFFFD;
constexpr quint32 kNoStream = 0xFFFFFFFF;
constexpr int kSector = 512;

void Put16(QByteArray& b, qsizetype at, quint32 v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char((v >> 8) & 0xFF);
}
void Put32(QByteArray& b, qsizetype at, quint32 v)
{
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

void PutEntry(QByteArray& dir, int index, const QString& name, int type, quint32 right, quint32 child)
{
    const qsizetype at = qsizetype(index) * 128;
    for (int i = 0; i < name.size(); ++i) Put16(dir, at + 2 * i, name[i].unicode());
    Put16(dir, at + 64, quint32(2 * (name.size() + 1)));
    dir[at + 66] = char(type);
    dir[at + 67] = 1; // black
    Put32(dir, at + 68, kNoStream);
    Put32(dir, at + 72, right);
    Put32(dir, at + 76, child);
    Put32(dir, at + 116, kEndOfChain); // no data
}

// A file whose root holds `count` empty storages and an empty "Contents"
// stream, all in one chain of right siblings (names sort shorter first, so
// "Contents" comes last), as some writers lay a directory out.
QByteArray WideFile(int count)
{
    const int entries = count + 2;
    const int dirSectors = (entries * 128 + kSector - 1) / kSector;
    int fatSectors = 1;
    while (fatSectors * (kSector / 4) < dirSectors + fatSectors) ++fatSectors;
    EXPECT_LE(fatSectors, 109);

    QByteArray dir(qsizetype(dirSectors) * kSector, '\0');
    PutEntry(dir, 0, QStringLiteral("Root Entry"), 5, kNoStream, 1);
    for (int i = 0; i < count; ++i)
        PutEntry(dir, 1 + i, QStringLiteral("S%1").arg(i, 5, 10, QLatin1Char('0')), 1, quint32(2 + i), kNoStream);
    PutEntry(dir, count + 1, QStringLiteral("Contents"), 2, kNoStream, kNoStream);
    Put32(dir, qsizetype(count + 1) * 128 + 116, kEndOfChain);
    for (int i = entries; i < dirSectors * 4; ++i) {
        Put32(dir, qsizetype(i) * 128 + 68, kNoStream);
        Put32(dir, qsizetype(i) * 128 + 72, kNoStream);
        Put32(dir, qsizetype(i) * 128 + 76, kNoStream);
    }

    QByteArray fat(qsizetype(fatSectors) * kSector, '\0');
    for (int s = 0; s < fatSectors * kSector / 4; ++s) {
        quint32 v = kFree;
        if (s < dirSectors) v = s + 1 < dirSectors ? quint32(s + 1) : kEndOfChain;
        else if (s < dirSectors + fatSectors) v = kFatSector;
        Put32(fat, qsizetype(s) * 4, v);
    }

    QByteArray header(kSector, '\0');
    const char signature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    header.replace(0, 8, QByteArray(signature, 8));
    Put16(header, 24, 0x3E);
    Put16(header, 26, 3);
    Put16(header, 28, 0xFFFE);
    Put16(header, 30, 9);
    Put16(header, 32, 6);
    Put32(header, 44, quint32(fatSectors));
    Put32(header, 48, 0);
    Put32(header, 56, 4096);
    Put32(header, 60, kEndOfChain);
    Put32(header, 68, kEndOfChain);
    for (int i = 0; i < 109; ++i) Put32(header, 76 + 4 * i, i < fatSectors ? quint32(dirSectors + i) : kFree);
    return header + dir + fat;
}

QString Written(const QTemporaryDir& dir, const QByteArray& bytes)
{
    const QString path = dir.filePath(QStringLiteral("wide.hox"));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    return path;
}

} // namespace

TEST(CompoundDirectoryTest, AFewHundredEntriesOpenAndAreCarriedThrough)
{
    QTemporaryDir dir;
    const QString path = Written(dir, WideFile(300));
    QString error;
    std::optional<CompoundFile> file = CompoundFile::Open(path, &error);
    ASSERT_TRUE(file) << error.toStdString();
    ASSERT_EQ(file->Carried().size(), 300u);
    EXPECT_EQ(file->Carried().front().name, QStringLiteral("S00000"));
    EXPECT_TRUE(file->Carried().back().isStorage);

    const QString again = dir.filePath(QStringLiteral("again.hox"));
    ASSERT_TRUE(file->Save(again, &error)) << error.toStdString();
    std::optional<CompoundFile> reread = CompoundFile::Open(again, &error);
    ASSERT_TRUE(reread) << error.toStdString();
    EXPECT_EQ(reread->CarriedNames(), file->CarriedNames());
}

TEST(CompoundDirectoryTest, AVeryWideDirectoryIsRefusedWithAReason)
{
    QTemporaryDir dir;
    // Just over the limit, and wide enough to exhaust the stack if walked.
    for (int count : {4095, 40000}) {
        const QString path = Written(dir, WideFile(count));
        QString error;
        EXPECT_FALSE(CompoundFile::Open(path, &error)) << count;
        EXPECT_EQ(error.toStdString(),
                  QStringLiteral("%1 is not a document file (its directory holds more than 4096 entries)")
                      .arg(path)
                      .toStdString());
    }
    // At the limit the file still opens.
    QString error;
    EXPECT_TRUE(CompoundFile::Open(Written(dir, WideFile(4094)), &error)) << error.toStdString();
}
