// The document file: the top level of the archive, save/load/save giving the
// same bytes, and damaged or refused files leaving the document as it was.
#include "app/HOXDoc.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXConnect.h"
#include "chart/HOXNode.h"
#include "chart/HOXSymbol.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXLine.h"
#include "chart/HOXOval.h"
#include "chart/HOXRect.h"
#include "online/monitor/HOXMonObj.h"
#include "online/monitor/HOXMonWnd.h"
#include "params/HOXParam.h"
#include "platform/Archive.h"
#include "platform/CompoundFile.h"
#include "symbols/flow/HOXFlowMonInfo.h"
#include "support/Scripted.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using kt::test::ScriptedMessages;
using kt::test::TempSettings;

namespace {

QByteArray ArchiveOf(CHOXDoc& doc)
{
    CArchive ar;
    ar.m_pDocument = &doc;
    doc.Serialize(ar);
    return ar.Buffer();
}

QByteArray ContentsOf(const QString& path)
{
    auto file = CompoundFile::Open(path, nullptr);
    EXPECT_TRUE(file.has_value()) << path.toStdString();
    return file ? file->Contents() : QByteArray();
}

template <class T>
T* Place(ObjectMap& map, CHOXWnd* wnd, DWORD id, CRect r)
{
    auto object = std::make_unique<T>(r, wnd);
    object->SetId(id);
    T* raw = object.get();
    map.SetAt(static_cast<WORD>(id), std::move(object));
    return raw;
}

class HOXDocFileTest : public ::testing::Test {
protected:
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    // A document with something of every kind the file holds so far.
    void Fill(CHOXDoc& doc)
    {
        doc.SetControllerType(2);
        for (int chart = 1; chart <= 3; ++chart) {
            const QString name = QStringLiteral("Flow Chart%1").arg(chart);
            auto wnd = doc.NewFlowWindow(name, QStringLiteral("second name %1").arg(chart));
            for (DWORD id = 0; id < 20; ++id) {
                auto symbol = std::make_unique<CHOXSymbol>(CPoint(id, id * 3), wnd.get());
                symbol->SetId(20 * chart + id);
                wnd->AddObject(std::move(symbol));
            }
            auto wire = std::make_unique<CHOXConnect>(CRect(10, 10, 90, 90), wnd.get());
            wire->SetId(5 * chart);
            wnd->AddConnect(std::move(wire));
            auto node = std::make_unique<CHOXNode>(100 + chart, CRect(40, 40, 50, 50), 5 * chart, wnd.get());
            wnd->AddNode(std::move(node));
            wnd->SetWndRect(CRect(0, 0, 400, 300 + chart));
            wnd->SetScrollPos(chart, 2 * chart);
            wnd->SetZoomIndex(chart);
            doc.AddWindow(name, std::move(wnd));
        }
        CHOXMonWnd* mon = doc.GetMonWnd();
        Place<CHOXRect>(mon->GetShapeMap(), mon, 7, CRect(1, 2, 3, 4));
        auto monObj = std::make_unique<CHOXMonObj>(mon);
        monObj->SetId(57);
        mon->AddMonObj(std::move(monObj));
        auto info = std::make_unique<CHOXFlowMonInfo>();
        info->Set(12, 21, QStringLiteral("Flow Chart1"));
        doc.AddStepInfo(std::move(info));
        doc.SetStoredRect(2, CRect(1, 2, 3, 4));
        doc.SetProgTextPos(1, CPoint(-5, 6));
        doc.SetProgTextShown(1, true);
        const std::int32_t jogY = 12345;
        EXPECT_TRUE(doc.GetParam().SetParam(&jogY, 5, 1));
    }

    TempSettings settings;
    QTemporaryDir dir;
};

} // namespace

TEST_F(HOXDocFileTest, TopLevelOfAnEmptyDocument)
{
    for (std::int32_t type : {0, 1}) {
        CHOXDoc doc;
        doc.SetControllerType(type);
        doc.GetParam().SetDefaults();
        const QByteArray bytes = ArchiveOf(doc);
        // Window names and step map: empty counts.
        EXPECT_EQ(bytes.left(4).toHex(), QByteArray("00000000"));
        // Format word and controller type follow the foundation settings;
        // the monitor window record follows with its class.
        const QByteArray typeAndMonitor = QByteArray::fromHex("64000000") +
                                          QByteArray::fromHex(QByteArray::number(type) + "000000") +
                                          QByteArray::fromHex("ffff00000a00") + "CHOXMonWnd";
        EXPECT_GT(bytes.indexOf(typeAndMonitor), 4) << type;
        // From the end: no embedded items, the parameters (268 or 488 bytes),
        // no windows, three positions, three show flags, four rectangles.
        const int paramSize = type == 0 ? 268 : 488;
        EXPECT_EQ(bytes.right(4).toHex(), QByteArray("00000000"));
        const int tail = 4 + paramSize + 2 + 24 + 12 + 64;
        EXPECT_EQ(bytes.mid(bytes.size() - tail, 64 + 12 + 24 + 2), QByteArray(64 + 12 + 24 + 2, '\0'));
    }
}

TEST_F(HOXDocFileTest, SaveLoadSaveGivesTheSameBytes)
{
    CHOXDoc doc;
    Fill(doc);
    ASSERT_TRUE(doc.OnSaveDocument(Path("press.hox")));
    EXPECT_EQ(doc.GetPathName(), Path("press.hox"));
    EXPECT_EQ(doc.GetTitle(), QStringLiteral("press.hox"));
    EXPECT_FALSE(doc.IsModified());

    CHOXDoc loaded;
    ASSERT_TRUE(loaded.OnOpenDocument(Path("press.hox")));
    ASSERT_TRUE(loaded.OnSaveDocument(Path("again.hox")));
    EXPECT_EQ(ContentsOf(Path("again.hox")).toHex(), ContentsOf(Path("press.hox")).toHex());

    EXPECT_EQ(loaded.GetControllerType(), 2);
    EXPECT_EQ(loaded.GetWindowNameList(), doc.GetWindowNameList());
    CHOXFlowWnd* wnd = loaded.FindWindowByName(QStringLiteral("Flow Chart2"));
    ASSERT_NE(wnd, nullptr);
    EXPECT_EQ(wnd->GetDescription(), QStringLiteral("second name 2"));
    EXPECT_EQ(wnd->GetObjectMap().Keys(), doc.FindWindowByName(QStringLiteral("Flow Chart2"))->GetObjectMap().Keys());
    EXPECT_EQ(wnd->GetZoomIndex(), 2);
    EXPECT_EQ(wnd->GetWndRect(), CRect(0, 0, 400, 302));
    EXPECT_EQ(wnd->GetScrollPosY(), 4);
    for (const auto& [id, object] : wnd->GetObjectMap()) EXPECT_EQ(object->GetWnd(), wnd);
    EXPECT_EQ(wnd->GetBaseRect()->GetWnd(), wnd);
    EXPECT_EQ(loaded.GetStepWindowName(21), QStringLiteral("Flow Chart1"));
    EXPECT_EQ(loaded.GetStoredRect(2), CRect(1, 2, 3, 4));
    EXPECT_EQ(loaded.GetProgTextPos(1), CPoint(-5, 6));
    EXPECT_TRUE(loaded.IsProgTextYShown());
    std::int32_t jogY = 0;
    EXPECT_TRUE(loaded.GetParam().GetParam(&jogY, 5, 1));
    EXPECT_EQ(jogY, 12345);

    // Counters rise above every id in use; node numbers are taken again.
    EXPECT_EQ(loaded.GetIdCounters().symbol, 80);
    EXPECT_EQ(loaded.GetIdCounters().wire, 16);
    EXPECT_EQ(loaded.GetIdCounters().shape, 8);
    EXPECT_EQ(loaded.GetIdCounters().monObj, 58);
    EXPECT_EQ(loaded.GetIdCounters().ole, 0);
    EXPECT_TRUE(loaded.IsPointerNumberUsed(101));
    EXPECT_TRUE(loaded.IsPointerNumberUsed(103));
    EXPECT_FALSE(loaded.IsPointerNumberUsed(100));
}

TEST_F(HOXDocFileTest, ANewDocumentWithoutChartsReopensOnlyItsMonitorWindow)
{
    CHOXDoc doc;
    ASSERT_TRUE(doc.OnSaveDocument(Path("empty.hox")));
    CHOXDoc loaded;
    ASSERT_TRUE(loaded.OnOpenDocument(Path("empty.hox")));
    EXPECT_EQ(loaded.GetWindowMap().GetCount(), 0u);
    ASSERT_NE(loaded.GetMonWnd(), nullptr);
    EXPECT_EQ(loaded.GetIdCounters().symbol, 0);
    EXPECT_EQ(loaded.GetIdCounters().monObj, 20);
}

TEST_F(HOXDocFileTest, AnyFormatWordLoads)
{
    CHOXDoc doc;
    QByteArray bytes = ArchiveOf(doc);
    const qsizetype at = bytes.indexOf(QByteArray::fromHex("6400000001000000ffff"));
    ASSERT_GT(at, 0);
    bytes[at] = 7;
    CHOXDoc loaded;
    CArchive in(bytes);
    in.m_pDocument = &loaded;
    EXPECT_NO_THROW(loaded.Serialize(in));
}

TEST_F(HOXDocFileTest, DamagedFilesAreRefusedAndChangeNothing)
{
    CHOXDoc source;
    Fill(source);
    const QByteArray good = ArchiveOf(source);

    const struct {
        const char* what;
        QByteArray contents;
    } cases[] = {
        {"cut in the window map", good.left(good.size() - 600)},
        {"cut in the parameters", good.left(good.size() - 10)},
        {"empty", QByteArray()},
        {"no monitor window", QByteArray::fromHex("00000000") + good.mid(4, good.indexOf("CHOXMonWnd") - 4 - 6) +
                                   QByteArray::fromHex("0000")},
        {"an item count without its items", good.left(good.size() - 4) + QByteArray::fromHex("01000000")},
        {"cut in the item count", good.left(good.size() - 2)},
        {"one window name twice", QByteArray(good).replace("Flow Chart2", "Flow Chart1")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CompoundFile file;
        file.SetContents(c.contents);
        ASSERT_TRUE(file.Save(Path("bad.hox"), nullptr));
        CHOXDoc doc;
        doc.SetControllerType(0);
        auto keep = doc.NewFlowWindow(QStringLiteral("Kept"), QString());
        doc.AddWindow(QStringLiteral("Kept"), std::move(keep));
        CHOXMonWnd* monitor = doc.GetMonWnd();
        // The parameters come after everything else but the items: a file
        // that fails there must not leave its parameters behind either.
        const std::int32_t speedX = 4321;
        const std::int32_t speedY = 8765;
        ASSERT_TRUE(doc.GetParam().SetParam(&speedX, 4, 0));
        ASSERT_TRUE(doc.GetParam().SetParam(&speedY, 4, 1));
        doc.GetParam().SetLengthUnit(0, CHOXParam::unitInch);
        ScriptedMessages messages;
        messages.Expect("Unexpected file format.", MB_OK | MB_ICONEXCLAMATION, IDOK);
        EXPECT_FALSE(doc.OnOpenDocument(Path("bad.hox")));
        EXPECT_FALSE(doc.GetFileError().isEmpty());
        EXPECT_EQ(doc.GetControllerType(), 0);
        EXPECT_EQ(doc.GetMonWnd(), monitor);
        EXPECT_EQ(doc.GetWindowNameList(), QStringList{"Kept"});
        EXPECT_NE(doc.FindWindowByName(QStringLiteral("Kept")), nullptr);
        EXPECT_TRUE(doc.GetPathName().isEmpty());
        std::int32_t value = 0;
        EXPECT_TRUE(doc.GetParam().GetParam(&value, 4, 0));
        EXPECT_EQ(value, speedX);
        EXPECT_TRUE(doc.GetParam().GetParam(&value, 4, 1));
        EXPECT_EQ(value, speedY);
        EXPECT_EQ(doc.GetParam().GetLengthUnit(0), CHOXParam::unitInch);
    }
}

TEST_F(HOXDocFileTest, FilesThatAreNoDocumentsAreRefused)
{
    QFile text(Path("notes.hox"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a document\r\n");
    text.close();
    CHOXDoc doc;
    ScriptedMessages messages;
    messages.Expect("Unexpected file format.", MB_OK | MB_ICONEXCLAMATION, IDOK);
    EXPECT_FALSE(doc.OnOpenDocument(Path("notes.hox")));
    messages.Expect(Path("missing.hox") + "\nCannot find this file.\nPlease verify that the correct path and file "
                                          "name are given.",
                    MB_OK | MB_ICONEXCLAMATION, IDOK);
    EXPECT_FALSE(doc.OnOpenDocument(Path("missing.hox")));
}

TEST_F(HOXDocFileTest, OnlyHoxPathsAreWritten)
{
    CHOXDoc doc;
    EXPECT_TRUE(doc.OnSaveDocument(Path("caps.HOX")));
    for (const char* name : {"press.txt", "press.hoxx", "press.ho"}) {
        ScriptedMessages messages;
        messages.Expect("Unexpected file format.", MB_OK, IDOK);
        EXPECT_FALSE(doc.OnSaveDocument(Path(name))) << name;
        EXPECT_FALSE(QFile::exists(Path(name))) << name;
    }
}

TEST_F(HOXDocFileTest, SaveAsNewWritesACompleteFileAndEndsOnlyWhenTheSaveSucceeded)
{
    CHOXDoc doc;
    doc.SetSaveAsNew();
    ScriptedMessages messages;
    messages.Expect(QStringLiteral("An unexpected error occurred while writing %1.").arg(Path("no/such/dir/x.hox")),
                    MB_OK | MB_ICONEXCLAMATION, IDOK);
    EXPECT_FALSE(doc.OnSaveDocument(Path("no/such/dir/x.hox")));
    EXPECT_TRUE(doc.IsSaveAsNew());
    EXPECT_TRUE(doc.GetPathName().isEmpty());
    EXPECT_TRUE(doc.OnSaveDocument(Path("new.hox")));
    EXPECT_FALSE(doc.IsSaveAsNew());
    EXPECT_EQ(doc.GetPathName(), Path("new.hox"));
}
