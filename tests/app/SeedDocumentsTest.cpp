// The seed documents of the fuzz targets (tests/data/fuzz, written by
// `scripts/fuzz.sh --seeds`): one of each controller type, one with the
// storages of embedded items besides, one with embedded items on its monitor
// page, and the every-symbol document of each type, which must open and save
// to the very file they were read from, and whose "Contents" streams are the
// archive target's seeds (but that of the embedded items, whose storages an
// archive alone lacks); and the inputs the targets once failed on.
#include "app/HOXDoc.h"
#include "chart/HOXFlowWnd.h"
#include "online/monitor/HOXMonWnd.h"
#include "platform/Archive.h"
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
        const char* archive;
        QStringList carried;
        std::size_t items;
        std::size_t holders;
    } seeds[] = {
        {"type0", 0, "type0", {}, 0, 0},
        {"type1", 1, "type1", {}, 0, 0},
        {"type2", 2, "type2", {}, 0, 0},
        {"carried", 2, "type2", {QStringLiteral("\005SummaryInformation"), QStringLiteral("Embedding 1")}, 0, 0},
        {"embedded",
         2,
         nullptr,
         {QStringLiteral("\005SummaryInformation"), QStringLiteral("Embedding 1"), QStringLiteral("Embedding 2"),
          QStringLiteral("Embedding 3")},
         3,
         3},
        {"everything0", 0, "everything0", {}, 0, 0},
        {"everything1", 1, "everything1", {}, 0, 0},
        {"everything2", 2, "everything2", {}, 0, 0},
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
        EXPECT_EQ(doc.GetItems().size(), seed.items);
        EXPECT_EQ(doc.GetMonWnd()->GetOleMap().GetCount(), seed.holders);

        const QString saved = dir.filePath(name + QStringLiteral(".hox"));
        ASSERT_TRUE(doc.OnSaveDocument(saved));
        EXPECT_EQ(ReadAll(saved).toHex(), ReadAll(path).toHex());

        const auto file = CompoundFile::Open(path, nullptr);
        ASSERT_TRUE(file.has_value());
        QStringList carried = file->CarriedNames();
        carried.sort();
        EXPECT_EQ(carried, seed.carried);
        // The archive target starts from the same documents.
        if (seed.archive == nullptr) continue;
        const QString archive = kSeeds + QStringLiteral("archive/%1.bin").arg(QLatin1String(seed.archive));
        EXPECT_EQ(ReadAll(archive).toHex(), file->Contents().toHex());
    }
}

// Inputs the archive target failed on (tests/data/fuzz/crash-archive-*): each
// is refused or loads, and one that loads stores, loads and stores again to
// the same bytes. The sanitizers of the test build catch what they caught.
TEST(SeedDocumentsTest, ArchiveFindingsLoadCleanlyOrAreRefused)
{
    kt::test::TempSettings settings;
    const QStringList findings =
        QDir(kSeeds).entryList({QStringLiteral("crash-archive-*")}, QDir::Files, QDir::Name);
    ASSERT_FALSE(findings.isEmpty());
    for (const QString& name : findings) {
        SCOPED_TRACE(name.toStdString());
        CHOXDoc doc;
        try {
            CArchive in(ReadAll(kSeeds + name));
            in.m_pDocument = &doc;
            doc.Serialize(in);
        } catch (const ArchiveError&) {
            continue;
        }
        CArchive first;
        first.m_pDocument = &doc;
        doc.Serialize(first);
        CHOXDoc again;
        CArchive in(first.Buffer());
        in.m_pDocument = &again;
        ASSERT_NO_THROW(again.Serialize(in));
        CArchive second;
        second.m_pDocument = &again;
        again.Serialize(second);
        EXPECT_EQ(second.Buffer().toHex(), first.Buffer().toHex());
    }
}
