// The document file when things go wrong: a full disk during a save, ids in a
// file at the top of the 32-bit range, a compound file with a very wide
// directory.
#include "app/HOXDoc.h"
#include "chart/HOXConnect.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXRect.h"
#include "chart/HOXSymbol.h"
#include "online/monitor/HOXMonObj.h"
#include "online/monitor/HOXMonWnd.h"
#include "platform/CompoundFile.h"
#include "platform/SafeFile.h"
#include "support/Scripted.h"
#include "support/TinyDisk.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using kt::test::ScriptedMessages;
using kt::test::TempSettings;
using kt::test::TinyDisk;

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void AddCharts(CHOXDoc& doc, int charts, int symbolsEach)
{
    for (int c = 0; c < charts; ++c) {
        const QString name = QStringLiteral("Flow Chart%1").arg(c + 1);
        auto wnd = doc.NewFlowWindow(name, QString());
        for (int i = 0; i < symbolsEach; ++i) {
            auto symbol = std::make_unique<CHOXSymbol>(CPoint(10 + i, 20 + i), wnd.get());
            symbol->SetId(DWORD(doc.NewSymbolId()));
            wnd->AddObject(std::move(symbol));
        }
        doc.AddWindow(name, std::move(wnd));
    }
}

// Where the save goes and how the disk fills: a real small file system (root
// only) or the platform's injected write failure.
struct FullDisk {
    bool real;
    std::function<QString(const QString&)> path;
    std::function<QStringList()> files;
};

struct FaultCase {
    const char* what;
    int charts;
    bool overExisting;
};

const FaultCase kFaultCases[] = {
    {"small document over an existing file", 1, true},
    {"small document to a new name", 1, false},
    {"large document over an existing file", 40, true},
    {"large document to a new name", 40, false},
};

// The save ends in the error message with its reason; the old file is as it
// was, nothing is left beside it, and the document still needs saving.
void ExpectFailedSave(const FullDisk& disk, const FaultCase& c, const std::function<void()>& fill)
{
    SCOPED_TRACE(c.what);
    const QString path = disk.path(QStringLiteral("press.hox"));
    QFile::remove(path);
    QByteArray old;
    if (c.overExisting) {
        CHOXDoc first;
        ASSERT_TRUE(first.OnSaveDocument(path));
        old = ReadAll(path);
    }
    fill();
    CHOXDoc doc;
    AddCharts(doc, c.charts, 50);
    doc.SetModifiedFlag();
    ScriptedMessages messages;
    messages.Expect(QStringLiteral("An unexpected error occurred while writing %1.").arg(path),
                    MB_OK | MB_ICONEXCLAMATION, IDOK);
    EXPECT_FALSE(doc.OnSaveDocument(path));
    ASSERT_EQ(messages.seen.size(), 1u);
    EXPECT_EQ(messages.seen[0].detail.toStdString(),
              QStringLiteral("cannot write %1: No space left on device").arg(path).toStdString());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.GetPathName().isEmpty());
    EXPECT_EQ(disk.files(), c.overExisting ? QStringList{QStringLiteral("press.hox")} : QStringList{});
    if (c.overExisting) {
        EXPECT_EQ(ReadAll(path), old);
    }
}

class DocumentFaultsTest : public ::testing::Test {
protected:
    TempSettings settings;
};

} // namespace

TEST_F(DocumentFaultsTest, SavingOntoAFullDiskFailsAndKeepsTheOldFile)
{
    TinyDisk disk(96);
    if (!disk.Ok()) GTEST_SKIP() << "mounting a small file system needs root";
    const FullDisk real{true, [&](const QString& n) { return disk.Path(n); }, [&] { return disk.Files(); }};
    for (const FaultCase& c : kFaultCases) {
        QFile::remove(disk.Path(QStringLiteral("filler")));
        ExpectFailedSave(real, c, [&] { ASSERT_TRUE(disk.FillLeaving(1024)); });
    }
}

TEST_F(DocumentFaultsTest, AnInjectedWriteFailureEndsTheSameWay)
{
    QTemporaryDir dir;
    const FullDisk injected{false, [&](const QString& n) { return dir.filePath(n); },
                            [&] { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }};
    for (const FaultCase& c : kFaultCases) {
        ExpectFailedSave(injected, c, [] { safefile::SetWriteLimitForTesting(2000); });
        safefile::SetWriteLimitForTesting(-1);
    }
}

// Ids at the top of the 32-bit range, in every map the id counters follow.
// After loading, every id handed out is one no loaded object holds, and
// adding objects under them replaces nothing.
TEST_F(DocumentFaultsTest, IdsAtTheTopOfTheRangeNeverCollideAfterLoading)
{
    QTemporaryDir dir;
    for (DWORD stored : {DWORD(0x7FFFFFFF), DWORD(0x80000000), DWORD(0xFFFF0001), DWORD(0xFFFFFFFF)}) {
        SCOPED_TRACE(stored);
        const QString path = dir.filePath(QStringLiteral("ids.hox"));
        {
            CHOXDoc doc;
            AddCharts(doc, 1, 3);
            CHOXFlowWnd* wnd = doc.FindWindowByName(QStringLiteral("Flow Chart1"));
            auto symbol = std::make_unique<CHOXSymbol>(CPoint(5, 5), wnd);
            symbol->SetId(stored);
            wnd->AddObject(std::move(symbol));
            auto wire = std::make_unique<CHOXConnect>(CRect(1, 1, 9, 9), wnd);
            wire->SetId(stored);
            wnd->AddConnect(std::move(wire));
            CHOXMonWnd* mon = doc.GetMonWnd();
            auto shape = std::make_unique<CHOXRect>(CRect(1, 2, 3, 4), mon);
            shape->SetId(stored);
            mon->GetShapeMap().SetAt(WORD(stored), std::move(shape));
            auto monObj = std::make_unique<CHOXMonObj>(mon);
            monObj->SetId(stored);
            mon->AddMonObj(std::move(monObj));
            ASSERT_TRUE(doc.OnSaveDocument(path));
        }
        CHOXDoc loaded;
        ASSERT_TRUE(loaded.OnOpenDocument(path));
        CHOXFlowWnd* wnd = loaded.FindWindowByName(QStringLiteral("Flow Chart1"));
        ASSERT_NE(wnd, nullptr);
        CHOXMonWnd* mon = loaded.GetMonWnd();
        const auto objects = wnd->GetObjectMap().Keys();
        const auto wires = wnd->GetConnectMap().Keys();
        const auto shapes = mon->GetShapeMap().Keys();
        const auto monObjs = mon->GetMonObjMap().Keys();
        for (int round = 0; round < 3; ++round) {
            const std::int32_t symbolId = loaded.NewSymbolId();
            const std::int32_t wireId = loaded.NewWireId();
            const std::int32_t shapeId = loaded.NewShapeId();
            const std::int32_t monObjId = loaded.NewMonObjId();
            for (std::int32_t id : {symbolId, wireId, shapeId, monObjId}) ASSERT_GE(id, 0);
            EXPECT_FALSE(wnd->GetObjectMap().Contains(WORD(symbolId))) << symbolId;
            EXPECT_FALSE(wnd->GetConnectMap().Contains(WORD(wireId))) << wireId;
            EXPECT_FALSE(mon->GetShapeMap().Contains(WORD(shapeId))) << shapeId;
            EXPECT_FALSE(mon->GetMonObjMap().Contains(WORD(monObjId))) << monObjId;
            auto symbol = std::make_unique<CHOXSymbol>(CPoint(0, 0), wnd);
            symbol->SetId(DWORD(symbolId));
            wnd->AddObject(std::move(symbol));
            auto wire = std::make_unique<CHOXConnect>(CRect(0, 0, 1, 1), wnd);
            wire->SetId(DWORD(wireId));
            wnd->AddConnect(std::move(wire));
            auto shape = std::make_unique<CHOXRect>(CRect(0, 0, 1, 1), mon);
            shape->SetId(DWORD(shapeId));
            mon->GetShapeMap().SetAt(WORD(shapeId), std::move(shape));
            auto monObj = std::make_unique<CHOXMonObj>(mon);
            monObj->SetId(DWORD(monObjId));
            mon->AddMonObj(std::move(monObj));
        }
        for (WORD key : objects) EXPECT_TRUE(wnd->GetObjectMap().Contains(key)) << key;
        for (WORD key : wires) EXPECT_TRUE(wnd->GetConnectMap().Contains(key)) << key;
        for (WORD key : shapes) EXPECT_TRUE(mon->GetShapeMap().Contains(key)) << key;
        for (WORD key : monObjs) EXPECT_TRUE(mon->GetMonObjMap().Contains(key)) << key;
        EXPECT_EQ(wnd->GetObjectMap().GetCount(), objects.size() + 3);
        EXPECT_EQ(wnd->GetConnectMap().GetCount(), wires.size() + 3);
        EXPECT_EQ(mon->GetShapeMap().GetCount(), shapes.size() + 3);
        EXPECT_EQ(mon->GetMonObjMap().GetCount(), monObjs.size() + 3);
    }
}
