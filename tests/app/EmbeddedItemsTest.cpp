// Documents whose monitor page holds embedded items: a file made of the
// stored forms and the items' storages opens, shows its holders and saves
// back unchanged; a move changes only the holder's bounds; Delete and Undo
// keep an item's storage until the undo store lets its holder go; a new
// name or a new file keeps the items' storages; and the strict reader
// refuses every other form with the reason, the open document unchanged.
// Through the real window: the placeholders on the monitor page, and no
// command that could insert an item.
#include "app/AppDocsFixture.h"
#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXRect.h"
#include "chart/HOXUndo.h"
#include "chart/RecordingPainter.h"
#include "online/monitor/HOXCntrlItem.h"
#include "online/monitor/HOXMonCurPos.h"
#include "online/monitor/HOXMonView.h"
#include "online/monitor/HOXMonWnd.h"
#include "online/monitor/HOXOle.h"
#include "online/monitor/MonObjIds.h"
#include "platform/Archive.h"
#include "platform/CompoundFile.h"
#include "platform/DC.h"
#include "platform/MDI.h"
#include "platform/ui/QtChildFrame.h"
#include "platform/ui/QtCommands.h"
#include "platform/ui/QtViewWidget.h"
#include "res/CommandIds.h"
#include "support/DocBuilder.h"
#include "support/Screenshot.h"
#include "support/StoredFragments.h"

#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

using namespace kt::test;
using Entry = CompoundFile::Entry;

namespace {

const CRect kHeldBounds(250, 20, 330, 80);    // holder 1, with item 1
const CRect kEmptyBounds(250, 100, 300, 140); // holder 0, without item
const CRect kGoneBounds(350, 20, 420, 60);    // holder 2, deleted: item 2 kept alone

// Classes and objects of the file before the first holder's class: the
// monitor window, its sheet and the rectangle, and what the document writes
// before them.
constexpr int kHolderClass = 7;
// After it: the first holder, the item's class, item 1, the second holder.
constexpr int kItemClass = kHolderClass + 2;
constexpr int kItemOne = kHolderClass + 3;

QByteArray Word(int v) { return hex::Byte(v & 0xFF) + hex::Byte((v >> 8) & 0xFF); }
QByteArray Record(std::int32_t type, std::int32_t number)
{
    return hex::I32(type) + hex::I32(number) + hex::I32(1) + "0000" + hex::I32(1);
}
QByteArray Holder(std::int32_t id, const CRect& r)
{
    return hex::I32(id) + hex::I32(r.left) + hex::I32(r.top) + hex::I32(r.right) + hex::I32(r.bottom) + hex::I32(0) +
           hex::I32(0);
}
// The monitor window's holders: key 1 (the newer one in their bucket)
// first, with its item; then key 0 without one.
const QByteArray kOleMap = "0200"
                           "0100" +
                           hex::NewClass("CHOXOle") + Holder(1, kHeldBounds) + hex::NewClass("CHOXCntrlItem") +
                           Record(2, 1) + "0000" + Word(0x8000 | kHolderClass) + Holder(0, kEmptyBounds) + "0000";
// The document's item list at the end: item 1 by reference, item 2 whole.
const QByteArray kItemList = hex::I32(2) + Word(kItemOne) + Word(0x8000 | kItemClass) + Record(2, 2);

Entry Stream(const QString& name, QByteArray data)
{
    Entry e;
    e.name = name;
    e.data = std::move(data);
    return e;
}

Entry Storage(const QString& name, int classFirst, std::vector<Entry> children)
{
    Entry e;
    e.name = name;
    e.isStorage = true;
    for (int i = 0; i < 16; ++i) e.classId[std::size_t(i)] = static_cast<std::uint8_t>(classFirst + i);
    e.children = std::move(children);
    return e;
}

QByteArray Pattern(int seed, int size)
{
    QByteArray out(size, '\0');
    for (int i = 0; i < size; ++i) out[i] = static_cast<char>((i * 131 + seed * 17) & 0xFF);
    return out;
}

// What the file holds beside "Contents": the two items' storages, and a
// stream no item claims.
std::vector<Entry> Storages()
{
    return {
        Storage(
            QStringLiteral("Embedding 1"), 0x40,
            {Stream(QStringLiteral("\x01Ole"), Pattern(1, 20)), Stream(QStringLiteral("CONTENTS"), Pattern(2, 900))}),
        Storage(QStringLiteral("Embedding 2"), 0x60,
                {Storage(QStringLiteral("Inner"), 0x80, {Stream(QStringLiteral("Data"), {})}),
                 Stream(QStringLiteral("CONTENTS"), Pattern(3, 5000))}),
        Stream(QStringLiteral("\x05SummaryInformation"), Pattern(4, 48)),
    };
}

// Fills the document's monitor page and gives its archive: a rectangle, the
// current position, the holder without item, the holder with item 1, and the
// holder of item 2, which is deleted before the save.
QByteArray EmbeddedContents(CHOXDoc& doc)
{
    CHOXMonWnd* mon = doc.GetMonWnd();
    // Where its frame stood: a file without it holds no document.
    mon->SetWndRect(CRect(0, 0, 640, 420));
    auto rect = std::make_unique<CHOXRect>(CRect(20, 20, 200, 120), mon);
    rect->SetId(static_cast<DWORD>(doc.NewShapeId()));
    mon->AddShape(std::move(rect));
    auto position = std::make_unique<CHOXMonCurPos>(mon);
    position->m_position.OffsetRect(10, 150);
    position->SetId(monid::kCurPos);
    mon->AddMonObj(std::move(position));
    for (const CRect& bounds : {kEmptyBounds, kHeldBounds, kGoneBounds}) {
        auto holder = std::make_unique<CHOXOle>(bounds, mon);
        holder->SetId(static_cast<DWORD>(doc.NewOleId()));
        if (bounds != kEmptyBounds) holder->AttachItem(std::make_unique<CHOXCntrlItem>(&doc, holder.get()));
        mon->AddOleObject(std::move(holder));
    }
    mon->GetUndo()->RecordDelete(mon->RemoveOleObject(2));
    CArchive ar;
    ar.m_pDocument = &doc;
    doc.Serialize(ar);
    return ar.Buffer();
}

// The file of the contents and the storages, but those named.
bool WriteFile(const QString& path, const QByteArray& contents, const std::vector<Entry>& storages)
{
    CompoundFile file;
    file.SetContents(contents);
    for (const Entry& e : storages) file.Carry(e);
    QString error;
    const bool saved = file.Save(path, &error);
    EXPECT_TRUE(saved) << error.toStdString();
    return saved;
}

std::vector<Entry> ByName(std::vector<Entry> entries)
{
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
    return entries;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The bytes with the first (or last) occurrence of one fragment replaced.
QByteArray Replaced(QByteArray bytes, const QByteArray& hexFrom, const QByteArray& hexTo, bool last = false)
{
    const QByteArray from = QByteArray::fromHex(hexFrom);
    const qsizetype at = last ? bytes.lastIndexOf(from) : bytes.indexOf(from);
    EXPECT_GE(at, 0) << hexFrom.toStdString();
    return at < 0 ? bytes : bytes.replace(at, from.size(), QByteArray::fromHex(hexTo));
}

class EmbeddedItemsTest : public ::testing::Test, protected DocBuilder {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        contents = EmbeddedContents(Doc());
        ASSERT_TRUE(WriteFile(Path("embedded.hox"), contents, Storages()));
    }
    QString Path(const QString& name) const { return dir.filePath(name); }
    // A document opened from the file, with no message.
    std::unique_ptr<CHOXDoc> Open(const QString& path)
    {
        auto opened = std::make_unique<CHOXDoc>();
        ScriptedMessages none;
        EXPECT_TRUE(opened->OnOpenDocument(path)) << opened->GetFileError().toStdString();
        return opened;
    }
    static CHOXOle* HolderOf(const CHOXDoc& d, WORD id)
    {
        return dynamic_cast<CHOXOle*>(d.GetMonWnd()->LookupOleObject(id));
    }

    QTemporaryDir dir;
    QByteArray contents;
};

} // namespace

TEST_F(EmbeddedItemsTest, TheFileOpensWithItsHoldersAndItemsAndSavesBackUnchanged)
{
    EXPECT_GT(contents.indexOf(QByteArray::fromHex(kOleMap)), 0) << contents.toHex().toStdString();
    EXPECT_TRUE(contents.endsWith(QByteArray::fromHex(kItemList))) << contents.right(24).toHex().toStdString();

    const std::unique_ptr<CHOXDoc> opened = Open(Path("embedded.hox"));
    CHOXOle* held = HolderOf(*opened, 1);
    CHOXOle* empty = HolderOf(*opened, 0);
    ASSERT_NE(held, nullptr);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(opened->GetMonWnd()->GetOleMap().GetCount(), 2u);
    EXPECT_EQ(held->GetRect(), kHeldBounds);
    EXPECT_EQ(empty->GetRect(), kEmptyBounds);
    EXPECT_EQ(empty->GetItem(), nullptr);
    EXPECT_EQ(held->GetWnd(), opened->GetMonWnd());
    // The list as the file gives it: item 1 with its holder, item 2 alone.
    const std::vector<CHOXCntrlItem*>& items = opened->GetItems();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0], held->GetItem());
    EXPECT_EQ(items[0]->GetItemNumber(), 1u);
    EXPECT_EQ(items[0]->GetHolder(), held);
    EXPECT_EQ(items[1]->GetItemNumber(), 2u);
    EXPECT_EQ(items[1]->GetHolder(), nullptr);
    for (const CHOXCntrlItem* item : items) EXPECT_EQ(item->GetDocument(), opened.get());
    EXPECT_EQ(opened->GetIdCounters().ole, 2);

    // Each holder shows as its placeholder at its stored size.
    RecordingPaintDevice device;
    {
        QPainter painter(&device);
        CDC dc(painter);
        opened->GetMonWnd()->Draw(&dc);
    }
    std::vector<QRect> outlines;
    for (const auto& shape : device.Record().rects)
        if (shape.brush.style() == Qt::NoBrush) outlines.push_back(shape.rect.toAlignedRect());
    // The holders' placeholders; then the current position's panel, framed
    // inside its bounds by its 4-unit pen.
    EXPECT_EQ(outlines, (std::vector<QRect>{QRect(250, 20, 80, 60), QRect(250, 100, 50, 40)}));
    ASSERT_FALSE(device.Record().rects.empty());
    EXPECT_EQ(device.Record().rects.back().rect, QRectF(22, 162, 124, 48));

    ASSERT_TRUE(opened->OnSaveDocument(Path("again.hox")));
    const std::optional<CompoundFile> original = CompoundFile::Open(Path("embedded.hox"), nullptr);
    const std::optional<CompoundFile> saved = CompoundFile::Open(Path("again.hox"), nullptr);
    ASSERT_TRUE(original && saved);
    EXPECT_EQ(saved->Contents().toHex(), original->Contents().toHex());
    EXPECT_EQ(ByName(saved->Carried()), ByName(Storages()));
    EXPECT_EQ(ReadAll(Path("again.hox")).toHex(), ReadAll(Path("embedded.hox")).toHex());
}

TEST_F(EmbeddedItemsTest, AfterAMoveOnlyTheHoldersBoundsDiffer)
{
    const std::unique_ptr<CHOXDoc> opened = Open(Path("embedded.hox"));
    CHOXOle* held = HolderOf(*opened, 1);
    ASSERT_NE(held, nullptr);
    HostedView<CHOXMonView> hosted(*opened, opened->GetMonWnd());
    hosted.view.Select(held);
    held->OnLButtonDown(&hosted.view, MK_LBUTTON, CPoint(290, 50));
    held->OnMouseMove(&hosted.view, MK_LBUTTON, CPoint(310, 60));
    held->OnLButtonUp(&hosted.view, 0, CPoint(310, 60));
    hosted.view.RecordSelectionMove();
    ASSERT_EQ(held->GetRect(), CRect(270, 30, 350, 90));
    ASSERT_TRUE(opened->OnSaveDocument(Path("moved.hox")));

    const std::optional<CompoundFile> saved = CompoundFile::Open(Path("moved.hox"), nullptr);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->Contents().toHex(),
              Replaced(contents, Holder(1, kHeldBounds), Holder(1, CRect(270, 30, 350, 90))).toHex());
    EXPECT_EQ(ByName(saved->Carried()), ByName(Storages()));
}

TEST_F(EmbeddedItemsTest, DeletedHoldersKeepTheirStorageUntilTheUndoStoreLetsThemGo)
{
    const std::unique_ptr<CHOXDoc> opened = Open(Path("embedded.hox"));
    CHOXOle* held = HolderOf(*opened, 1);
    CHOXOle* empty = HolderOf(*opened, 0);
    ASSERT_TRUE(held && empty);
    HostedView<CHOXMonView> hosted(*opened, opened->GetMonWnd());

    // Delete, then Undo: the holder is back and the file is what it was.
    hosted.view.Select(held);
    hosted.view.OnEditDelete();
    EXPECT_EQ(HolderOf(*opened, 1), nullptr);
    EXPECT_EQ(opened->GetItems().size(), 2u);
    hosted.view.OnEditUndo();
    EXPECT_EQ(HolderOf(*opened, 1), held);
    ASSERT_TRUE(opened->OnSaveDocument(Path("undone.hox")));
    EXPECT_EQ(ReadAll(Path("undone.hox")).toHex(), ReadAll(Path("embedded.hox")).toHex());

    // Delete it again, then the other holder: the second deletion clears
    // the store, which takes item 1 out of the document for good.
    hosted.view.Select(held);
    hosted.view.OnEditDelete();
    hosted.view.Select(empty);
    hosted.view.OnEditDelete();
    ASSERT_EQ(opened->GetItems().size(), 1u);
    EXPECT_EQ(opened->GetItems()[0]->GetItemNumber(), 2u);
    ASSERT_TRUE(opened->OnSaveDocument(Path("dropped.hox")));

    const std::unique_ptr<CHOXDoc> reopened = Open(Path("dropped.hox"));
    EXPECT_TRUE(reopened->GetMonWnd()->GetOleMap().IsEmpty());
    ASSERT_EQ(reopened->GetItems().size(), 1u);
    EXPECT_EQ(reopened->GetItems()[0]->GetItemNumber(), 2u);
    const std::optional<CompoundFile> file = CompoundFile::Open(Path("dropped.hox"), nullptr);
    ASSERT_TRUE(file);
    QStringList names = file->CarriedNames();
    names.sort();
    EXPECT_EQ(names, (QStringList{QStringLiteral("\x05SummaryInformation"), QStringLiteral("Embedding 2")}));
    EXPECT_TRUE(
        file->Contents().endsWith(QByteArray::fromHex(hex::I32(1) + hex::NewClass("CHOXCntrlItem") + Record(2, 2))));
}

TEST_F(EmbeddedItemsTest, ANewNameOrANewFileCarriesTheItemsStorages)
{
    const struct {
        const char* what;
        bool asNew;
        QStringList carried;
    } cases[] = {
        {"saved under a new name",
         false,
         {QStringLiteral("\x05SummaryInformation"), QStringLiteral("Embedding 1"), QStringLiteral("Embedding 2")}},
        {"saved as a new file", true, {QStringLiteral("Embedding 1"), QStringLiteral("Embedding 2")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::unique_ptr<CHOXDoc> opened = Open(Path("embedded.hox"));
        if (c.asNew) opened->SetSaveAsNew();
        ASSERT_TRUE(opened->OnSaveDocument(Path("other.hox")));
        const std::optional<CompoundFile> file = CompoundFile::Open(Path("other.hox"), nullptr);
        ASSERT_TRUE(file);
        QStringList names = file->CarriedNames();
        names.sort();
        EXPECT_EQ(names, c.carried);
        EXPECT_EQ(file->Contents().toHex(), contents.toHex());
        Open(Path("other.hox"));
    }
}

TEST_F(EmbeddedItemsTest, AnItemWithoutItsStorageIsNotSaved)
{
    // Made in memory: its number names no storage of any file.
    CHOXOle* holder = HolderOf(Doc(), 1);
    ASSERT_NE(holder, nullptr);
    ASSERT_EQ(Doc().GetItems().size(), 2u);
    ScriptedMessages messages;
    messages.Expect(QStringLiteral("An unexpected error occurred while writing %1.").arg(Path("memory.hox")),
                    MB_OK | MB_ICONEXCLAMATION, IDOK);
    EXPECT_FALSE(Doc().OnSaveDocument(Path("memory.hox")));
    EXPECT_FALSE(QFile::exists(Path("memory.hox")));
    EXPECT_EQ(Doc().GetFileError(), QStringLiteral("the embedded item 1 has no storage \"Embedding 1\""));
}

TEST_F(EmbeddedItemsTest, EveryOtherFormIsRefusedWithItsReasonAndTheOpenDocumentStays)
{
    std::vector<Entry> withoutTwo = Storages();
    withoutTwo.erase(withoutTwo.begin() + 1);
    std::vector<Entry> twoAStream = Storages();
    twoAStream[1] = Stream(QStringLiteral("Embedding 2"), Pattern(5, 10));
    const QByteArray head = contents.left(contents.size() - QByteArray::fromHex(kItemList).size());

    const struct {
        const char* what;
        QByteArray contents;
        std::vector<Entry> storages;
        const char* reason;
    } cases[] = {
        {"an unknown type", Replaced(contents, Record(2, 2), Record(9, 2)), Storages(),
         "is of a type this program does not know (9)"},
        {"an item without its storage", contents, withoutTwo, "the embedded item 2 has no storage \"Embedding 2\""},
        {"an item whose storage is a stream", contents, twoAStream,
         "the embedded item 2 has no storage \"Embedding 2\""},
        {"a storage claimed twice", Replaced(contents, Record(2, 2), Record(2, 1), true), Storages(),
         "two embedded items claim the storage \"Embedding 1\""},
        {"a record cut off", contents.chopped(3), Storages(), "the file ends before the end of its data"},
        {"bytes after the data", contents + QByteArray(1, '\0'), Storages(), "1 byte after the document's data"},
        {"an item held twice",
         Replaced(contents, Holder(0, kEmptyBounds) + "0000", Holder(0, kEmptyBounds) + Word(kItemOne)), Storages(),
         "is held by a second holder"},
        {"an item listed twice", head + QByteArray::fromHex(hex::I32(2) + Word(kItemOne) + Word(kItemOne)), Storages(),
         "the item list names one item twice"},
        {"a held item not listed", head + QByteArray::fromHex(hex::I32(1) + Word(0x8000 | kItemClass) + Record(2, 2)),
         Storages(), "the embedded item 1 on the monitor page is missing from the item list"},
        {"an empty entry", head + QByteArray::fromHex(hex::I32(1) + "0000"), Storages(),
         "the item list has an empty entry"},
        {"a holder in the list", head + QByteArray::fromHex(hex::I32(1) + Word(kHolderClass + 1)), Storages(),
         "stands where a \"CHOXCntrlItem\" belongs"},
        {"a count beyond the data", head + QByteArray::fromHex(hex::I32(100) + Word(kItemOne)), Storages(),
         "an item count of 100 is larger than the data left can hold"},
    };
    const std::unique_ptr<CHOXDoc> opened = Open(Path("embedded.hox"));
    const std::vector<CHOXCntrlItem*> items = opened->GetItems();
    CHOXMonWnd* monitor = opened->GetMonWnd();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(WriteFile(Path("bad.hox"), c.contents, c.storages));
        ScriptedMessages messages;
        messages.Expect("Unexpected file format.", MB_OK | MB_ICONEXCLAMATION, IDOK);
        EXPECT_FALSE(opened->OnOpenDocument(Path("bad.hox")));
        ASSERT_EQ(messages.seen.size(), 1u);
        EXPECT_TRUE(messages.seen[0].detail.contains(QLatin1String(c.reason))) << messages.seen[0].detail.toStdString();
        EXPECT_EQ(opened->GetMonWnd(), monitor);
        EXPECT_EQ(opened->GetItems(), items);
        EXPECT_EQ(opened->GetPathName(), Path("embedded.hox"));
        for (const CHOXCntrlItem* item : items) EXPECT_EQ(item->GetDocument(), opened.get());
    }
    // Still the document it was.
    ASSERT_TRUE(opened->OnSaveDocument(Path("still.hox")));
    EXPECT_EQ(ReadAll(Path("still.hox")).toHex(), ReadAll(Path("embedded.hox")).toHex());
}

// ---------------------------------------------------------------------------
// Through the real window

namespace {
class EmbeddedItemsUiTest : public AppDocsFixture {};
} // namespace

TEST_F(EmbeddedItemsUiTest, TheMonitorWindowShowsThePlaceholdersAndOffersNoInsert)
{
    const QString path = Path(QStringLiteral("embedded.hox"));
    {
        // Made before the program starts: a document's end reaches the main
        // window's bars.
        CHOXDoc source;
        ASSERT_TRUE(WriteFile(path, EmbeddedContents(source), Storages()));
    }
    ASSERT_TRUE(Start());
    ASSERT_NE(m_app->OpenDocumentFile(path), nullptr);
    CMDIChildWnd* monitor = MonitorFrame();
    ASSERT_NE(monitor, nullptr);
    monitor->MDIActivate();
    ASSERT_EQ(Window()->MenuId(), 1003u);

    EXPECT_FALSE(Enabled(ID_OLE_INSERT_NEW));
    UpdateCommandActions(Window());
    QAction* insert = nullptr;
    for (QAction* popup : Window()->menuBar()->actions())
        if (popup->menu() != nullptr)
            for (QAction* a : popup->menu()->actions())
                if (CommandIdOf(a) == ID_OLE_INSERT_NEW) insert = a;
    ASSERT_NE(insert, nullptr);
    EXPECT_EQ(insert->text(), QStringLiteral("Insert &New Object..."));
    EXPECT_FALSE(insert->isEnabled());

    // The page as the widget paints it: the held item's outline and cross.
    QtViewWidget* widget = static_cast<QtChildFrameHost*>(monitor->Host())->Window()->ViewWidget();
    QWidget* area = widget->viewport();
    const CPoint scroll = Doc()->GetMonWnd()->GetView()->GetScrollPosition();
    const QImage page = area->grab().toImage();
    const QPoint corner(kHeldBounds.left - scroll.x, kHeldBounds.top - scroll.y);
    ASSERT_TRUE(page.rect().contains(corner + QPoint(79, 59)));
    // A line passes within a pixel of where it is meant to be.
    auto blackNear = [&page](QPoint p) {
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (page.pixelColor(p + QPoint(dx, dy)) == QColor(Qt::black)) return true;
        return false;
    };
    EXPECT_TRUE(blackNear(corner + QPoint(40, 0))) << "the top edge";
    EXPECT_TRUE(blackNear(corner + QPoint(0, 30))) << "the left edge";
    EXPECT_TRUE(blackNear(corner + QPoint(40, 30))) << "the middle of the cross";
    EXPECT_FALSE(blackNear(corner + QPoint(40, 10))) << "inside, off the cross";
    EXPECT_EQ(page.pixelColor(corner + QPoint(40, 10)), page.pixelColor(corner + QPoint(-10, 10)))
        << "the sheet shows through";
    SaveScreenshot(Window(), "embedded-items.png");

    // A click selects the placeholder and an arrow key nudges it, as any
    // object of the page.
    QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, corner + QPoint(40, 10));
    auto* held = dynamic_cast<CHOXOle*>(Doc()->GetMonWnd()->LookupOleObject(1));
    ASSERT_NE(held, nullptr);
    QTest::keyClick(widget, Qt::Key_Right);
    EXPECT_EQ(held->GetRect(), CRect(kHeldBounds.left + 1, kHeldBounds.top, kHeldBounds.right + 1, kHeldBounds.bottom));
    EXPECT_TRUE(Doc()->IsModified());
}
