// The seed documents of the fuzz targets (tests/data/fuzz, written by
// `scripts/fuzz.sh --seeds`): one of each controller type and one with the
// storages of embedded items besides, which must open and save to the very
// file they were read from, and whose "Contents" streams are the archive
// target's seeds.
#include "app/HOXDoc.h"
#include "chart/HOXFlowWnd.h"
#include "platform/CompoundFile.h"
#include "support/Scripted.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kSeeds = QStringLiteral(KT_TEST_DATA "/fuzz/");

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(SeedDocumentsTest, EachOpensAndSavesToTheSameFile)
{
    kt::test::TempSettings settings;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const struct {
        const char* name;
        std::int32_t type;
        QStringList carried;
    } seeds[] = {
        {"type0", 0, {}},
        {"type1", 1, {}},
        {"type2", 2, {}},
        {"carried", 2, {QStringLiteral("\005SummaryInformation"), QStringLiteral("Embedding 1")}},
    };
    for (const auto& seed : seeds) {
        SCOPED_TRACE(seed.name);
        const QString name = QString::fromLatin1(seed.name);
        const QString path = kSeeds + QStringLiteral("document/") + name + QStringLiteral(".hox");
        CHOXDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(path)) << doc.GetFileError().toStdString();
        EXPECT_EQ(doc.GetControllerType(), seed.type);
        EXPECT_GE(doc.GetWindowMap().GetCount(), 2u);
        for (const auto& [key, wnd] : doc.GetWindowMap()) EXPECT_FALSE(wnd->GetObjectMap().IsEmpty());

        const QString saved = dir.filePath(name + QStringLiteral(".hox"));
        ASSERT_TRUE(doc.OnSaveDocument(saved));
        EXPECT_EQ(ReadAll(saved).toHex(), ReadAll(path).toHex());

        const auto file = CompoundFile::Open(path, nullptr);
        ASSERT_TRUE(file.has_value());
        QStringList carried = file->CarriedNames();
        carried.sort();
        EXPECT_EQ(carried, seed.carried);
        // The archive target starts from the same documents.
        const QString archive = kSeeds + QStringLiteral("archive/type%1.bin").arg(seed.type);
        EXPECT_EQ(ReadAll(archive).toHex(), file->Contents().toHex());
    }
}
