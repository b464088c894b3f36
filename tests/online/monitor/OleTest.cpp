// The holder of an embedded item and the item: their stored forms, the
// placeholder the holder draws, what its removal and its end do to the item
// and the document's list, its mouse handling on the monitor view, Delete
// and Undo, and the clipboard, which carries no holder.
#include "online/monitor/HOXCntrlItem.h"
#include "online/monitor/HOXMonView.h"
#include "online/monitor/HOXOle.h"

#include "chart/HOXBaseRect.h"
#include "chart/HOXClipboard.h"
#include "chart/HOXRect.h"
#include "chart/HOXUndo.h"
#include "chart/ObjectKinds.h"
#include "chart/RecordingPainter.h"
#include "platform/Archive.h"
#include "platform/DC.h"
#include "support/DocBuilder.h"
#include "support/StoredFragments.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace kt::test;

namespace {

// The item's record as the archive writes it: type, number, aspect, moniker
// flag, drawing aspect.
QByteArray Record(std::int32_t type, std::int32_t number, std::int32_t aspect = 1, const char* moniker = "0000",
                  std::int32_t drawAspect = 1)
{
    return hex::I32(type) + hex::I32(number) + hex::I32(aspect) + moniker + hex::I32(drawAspect);
}

QByteArray IdAndBounds(std::int32_t id, const CRect& r)
{
    return hex::I32(id) + hex::I32(r.left) + hex::I32(r.top) + hex::I32(r.right) + hex::I32(r.bottom);
}

// A holder in the monitor window of the document, with a new item of the
// document or without one.
CHOXOle* AddHolder(CHOXDoc& doc, DWORD id, const CRect& bounds, bool withItem)
{
    CHOXMonWnd* mon = doc.GetMonWnd();
    auto holder = std::make_unique<CHOXOle>(bounds, mon);
    holder->SetId(id);
    if (withItem) holder->AttachItem(std::make_unique<CHOXCntrlItem>(&doc, holder.get()));
    CHOXOle* raw = holder.get();
    mon->AddOleObject(std::move(holder));
    return raw;
}

class OleTest : public ::testing::Test, protected DocBuilder {};

} // namespace

// ---------------------------------------------------------------------------
// Stored forms

TEST_F(OleTest, AHolderStoresTheBaseTheExtentAndItsItemWithItsClass)
{
    CHOXOle* with = AddHolder(Doc(), 3, CRect(250, 20, 330, 80), true);
    CHOXOle* without = AddHolder(Doc(), 4, CRect(10, 20, 30, 40), false);
    ASSERT_EQ(with->GetItem()->GetItemNumber(), 1u);
    EXPECT_EQ(with->GetItem()->GetHolder(), with);
    EXPECT_EQ(with->GetExtent(), CSize(0, 0));

    const QByteArray noExtent = hex::I32(0) + hex::I32(0);
    EXPECT_EQ(StoredBytes(with).toHex(), hex::NewClass("CHOXOle") + IdAndBounds(3, CRect(250, 20, 330, 80)) + noExtent +
                                             hex::NewClass("CHOXCntrlItem") + Record(2, 1));
    EXPECT_EQ(StoredBytes(without).toHex(),
              hex::NewClass("CHOXOle") + IdAndBounds(4, CRect(10, 20, 30, 40)) + noExtent + "0000");
}

TEST_F(OleTest, AStoredHolderComesBackWithItsItemAndWritesTheSameBytes)
{
    // A linked item numbered 7, an extent read before, the other fields as
    // a file may hold them.
    const QByteArray stored = hex::NewClass("CHOXOle") + IdAndBounds(2, CRect(5, 6, 105, 56)) + hex::I32(2540) +
                              hex::I32(1270) + hex::NewClass("CHOXCntrlItem") + Record(1, 7, 4, "0100", 8);
    const std::unique_ptr<CHOXOle> holder = LoadStored<CHOXOle>(QByteArray::fromHex(stored));
    ASSERT_NE(holder, nullptr);
    EXPECT_EQ(holder->GetExtent(), CSize(2540, 1270));
    const CHOXCntrlItem* item = holder->GetItem();
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GetHolder(), holder.get());
    EXPECT_EQ(item->GetDocument(), nullptr) << "only the document that reads the file adopts it";
    EXPECT_EQ(item->GetItemType(), static_cast<DWORD>(COleClientItem::kLinked));
    EXPECT_EQ(item->GetItemNumber(), 7u);
    EXPECT_EQ(item->GetAspect(), 4u);
    EXPECT_EQ(item->GetMonikerFlag(), 1u);
    EXPECT_EQ(item->GetDrawAspect(), 8u);
    EXPECT_EQ(item->GetStorageName(), QStringLiteral("Embedding 7"));
    EXPECT_EQ(StoredBytes(holder.get()).toHex(), stored);
}

TEST_F(OleTest, ReadingRefusesAnItemOfAnotherFormOrHeldTwice)
{
    const QByteArray head = hex::NewClass("CHOXOle") + IdAndBounds(1, CRect(0, 0, 40, 30)) + hex::I32(0) + hex::I32(0);
    const QByteArray item = hex::NewClass("CHOXCntrlItem");
    // A second holder (class index 1) naming the first holder's item (object
    // 4, after the holder's class and object and the item's class).
    const QByteArray second = "0180" + IdAndBounds(2, CRect(50, 0, 90, 30)) + hex::I32(0) + hex::I32(0) + "0400";
    const struct {
        const char* what;
        QByteArray hex;
        int holders;
        ArchiveError::Cause cause;
    } cases[] = {
        {"type 0", head + item + Record(0, 1), 1, ArchiveError::badClass},
        {"type 4", head + item + Record(4, 1), 1, ArchiveError::badClass},
        {"type ffffffff", head + item + Record(-1, 1), 1, ArchiveError::badClass},
        {"record cut in the drawing aspect", (head + item + Record(2, 1)).chopped(2), 1, ArchiveError::endOfFile},
        {"record cut in the moniker flag", head + item + hex::I32(2) + hex::I32(1) + hex::I32(1) + "00", 1,
         ArchiveError::endOfFile},
        {"item of another class", head + hex::NewClass("CHOXRect") + IdAndBounds(9, CRect()) + Record(2, 1), 1,
         ArchiveError::badClass},
        {"one item held by two holders", head + item + Record(2, 1) + second, 2, ArchiveError::sharedObject},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CArchive in(QByteArray::fromHex(c.hex));
        try {
            std::vector<std::unique_ptr<CHOXOle>> read;
            for (int i = 0; i < c.holders; ++i) read.push_back(in.ReadOwned<CHOXOle>());
            ADD_FAILURE() << "read without error";
        } catch (const ArchiveError& e) {
            EXPECT_EQ(e.cause(), c.cause) << e.what();
        }
    }
    // The three known types read.
    for (std::int32_t type : {1, 2, 3}) {
        const std::unique_ptr<CHOXOle> holder = LoadStored<CHOXOle>(QByteArray::fromHex(head + item + Record(type, 1)));
        ASSERT_NE(holder, nullptr);
        EXPECT_EQ(holder->GetItem()->GetItemType(), static_cast<DWORD>(type));
    }
}

// ---------------------------------------------------------------------------
// Kind, drawing, removal

TEST_F(OleTest, TheHoldersKindHasItsHelpAndNoTool)
{
    const ObjectKind* kind = kinds::ByType(objtype::kOle);
    ASSERT_NE(kind, nullptr);
    EXPECT_STREQ(kind->className, "CHOXOle");
    EXPECT_EQ(kind->helpContext, 0x10087u);
    EXPECT_EQ(kind->tool, 0u);
    EXPECT_EQ(kind->maker, nullptr) << "nothing on this platform inserts an item";
    HostedView<CHOXMonView> hosted(Doc(), Monitor());
    AddHolder(Doc(), 0, CRect(100, 100, 160, 140), true);
    EXPECT_EQ(hosted.view.GetHelpContextAt(CPoint(130, 120)), 0x10087);
}

TEST_F(OleTest, ThePlaceholderIsAnOutlineAndACrossAndDottedWhileDragged)
{
    const CRect bounds(20, 30, 120, 80);
    const struct {
        const char* what;
        bool item;
        bool dragging;
        bool printing;
    } cases[] = {
        {"with item", true, false, false},
        {"without item", false, false, false},
        {"printed", true, false, true},
        {"dragged", true, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CHOXOle* holder = AddHolder(Doc(), 1, bounds, c.item);
        holder->m_nDragging = c.dragging ? 1 : 0;
        RecordingPaintDevice device;
        {
            QPainter painter(&device);
            CDC dc(painter, c.printing);
            holder->Draw(&dc);
        }
        const RecordingPaintEngine& drawn = device.Record();
        ASSERT_EQ(drawn.rects.size(), 1u);
        EXPECT_EQ(drawn.rects[0].rect.toAlignedRect(), QRect(20, 30, 100, 50));
        EXPECT_EQ(drawn.rects[0].brush.style(), Qt::NoBrush);
        EXPECT_EQ(drawn.rects[0].pen.color(), QColor(Qt::black));
        if (c.dragging) {
            EXPECT_EQ(drawn.rects[0].pen.style(), Qt::DotLine);
            EXPECT_TRUE(drawn.lines.empty());
            continue;
        }
        EXPECT_EQ(drawn.rects[0].pen.style(), Qt::SolidLine);
        ASSERT_EQ(drawn.lines.size(), 2u);
        EXPECT_EQ(drawn.lines[0].line, QLineF(20, 30, 119, 79));
        EXPECT_EQ(drawn.lines[1].line, QLineF(119, 30, 20, 79));
    }
}

TEST_F(OleTest, RemoveDeletesTheItemFromTheDocumentAndTheHoldersEndForgetsIt)
{
    CHOXOle* removed = AddHolder(Doc(), 1, CRect(0, 0, 50, 50), true);
    CHOXOle* destroyed = AddHolder(Doc(), 2, CRect(60, 0, 110, 50), true);
    CHOXOle* empty = AddHolder(Doc(), 3, CRect(120, 0, 170, 50), false);
    CHOXCntrlItem* kept = destroyed->GetItem();
    ASSERT_EQ(Doc().GetItems().size(), 2u);

    std::unique_ptr<CHOXDrawObj> out = Monitor()->RemoveOleObject(1);
    EXPECT_TRUE(removed->Remove());
    EXPECT_EQ(removed->GetItem(), nullptr);
    EXPECT_EQ(Doc().GetItems(), std::vector<CHOXCntrlItem*>{kept});

    // A holder without item has nothing to give up.
    std::unique_ptr<CHOXDrawObj> none = Monitor()->RemoveOleObject(3);
    EXPECT_TRUE(empty->Remove());

    Monitor()->RemoveOleObject(2).reset();
    EXPECT_TRUE(Doc().GetItems().empty());
    // A new item takes the next number above those still listed.
    EXPECT_EQ(AddHolder(Doc(), 4, CRect(), true)->GetItem()->GetItemNumber(), 1u);
}

TEST_F(OleTest, TheDocumentsEndLeavesHoldersAndItemsToGoWithoutAWord)
{
    AddHolder(Doc(), 1, CRect(0, 0, 50, 50), true);
    CHOXOle* deleted = AddHolder(Doc(), 2, CRect(60, 0, 110, 50), true);
    Monitor()->GetUndo()->RecordDelete(Monitor()->RemoveOleObject(static_cast<WORD>(deleted->GetId())));
    ASSERT_EQ(Doc().GetItems().size(), 2u);
    doc.reset(); // the sanitizers see a use after free or a leak
}

// ---------------------------------------------------------------------------
// The mouse on the monitor view

namespace {

class OleMouseTest : public OleTest {
protected:
    void SetUp() override
    {
        holder = AddHolder(Doc(), 0, CRect(100, 100, 160, 140), true);
        Doc().SetModifiedFlag(false);
    }
    CHOXBaseRect* Sheet() const { return Monitor()->GetBaseRect(); }
    // A press, moves on the way and a release, as the view passes them on.
    void Drag(CPoint from, std::initializer_list<CPoint> via, CPoint to)
    {
        holder->OnLButtonDown(&hosted.view, MK_LBUTTON, from);
        for (CPoint p : via) holder->OnMouseMove(&hosted.view, MK_LBUTTON, p);
        holder->OnMouseMove(&hosted.view, MK_LBUTTON, to);
        holder->OnLButtonUp(&hosted.view, 0, to);
    }

    HostedView<CHOXMonView> hosted{Doc(), Monitor()};
    CHOXOle* holder = nullptr;
};

} // namespace

TEST_F(OleMouseTest, MovesAndResizesAreKeptInsideTheSheetWhichGrowsToKeep15UnitsBeyond)
{
    // The sheet is 500 by 300; the holder (100, 100, 160, 140) alone is
    // selected; the view shows the page at 100 % unscrolled.
    const struct {
        const char* what;
        CPoint from;
        CPoint to;
        CRect bounds;
        CRect sheet;
        bool warned;
    } cases[] = {
        {"moved", {130, 120}, {150, 135}, {120, 115, 180, 155}, {0, 0, 500, 300}, false},
        {"moved back onto its start", {130, 120}, {130, 120}, {100, 100, 160, 140}, {0, 0, 500, 300}, false},
        {"resized by the bottom-right handle", {160, 140}, {230, 200}, {100, 100, 230, 200}, {0, 0, 500, 300}, false},
        {"resized by the top-left handle past the other corner",
         {100, 100},
         {190, 170},
         {160, 140, 190, 170},
         {0, 0, 500, 300},
         false},
        {"moved near the bottom", {130, 120}, {130, 265}, {100, 245, 160, 285}, {0, 0, 500, 300}, false},
        {"moved within 15 of the bottom", {130, 120}, {130, 270}, {100, 250, 160, 290}, {0, 0, 500, 305}, false},
        {"moved within 15 of the right", {130, 120}, {460, 120}, {430, 100, 490, 140}, {0, 0, 505, 300}, false},
        {"resized to the sheet's corner", {160, 140}, {600, 600}, {100, 100, 499, 299}, {0, 0, 514, 314}, false},
        {"moved partly off the right", {130, 120}, {500, 120}, {100, 100, 160, 140}, {0, 0, 500, 300}, true},
        {"moved partly above the top", {130, 120}, {130, 110}, {100, 90, 160, 130}, {0, 0, 500, 300}, false},
        {"moved partly off the top", {130, 120}, {130, 10}, {100, 100, 160, 140}, {0, 0, 500, 300}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        holder->m_position = CRect(100, 100, 160, 140);
        Sheet()->m_position = CRect(0, 0, 500, 300);
        hosted.view.Select(holder);
        Doc().SetModifiedFlag(false);
        hosted.host.ClearRecord();
        ScriptedMessages messages;
        if (c.warned) messages.Expect("ERROR:  Cannot draw out side the  Base Rectangle.", MB_OK | MB_ICONHAND, IDOK);
        CHOXView::s_nOutOfSheetWarned = 0;
        Drag(c.from, {CPoint((c.from.x + c.to.x) / 2, (c.from.y + c.to.y) / 2)}, c.to);
        EXPECT_EQ(holder->GetRect(), c.bounds);
        EXPECT_EQ(Sheet()->GetRect(), c.sheet);
        // The scroll range follows the sheet.
        EXPECT_EQ(hosted.host.totalSize, CSize(c.sheet.right + 15, c.sheet.bottom + 15));
        EXPECT_TRUE(Doc().IsModified());
        EXPECT_EQ(holder->m_nDragging, 0);
        EXPECT_FALSE(hosted.host.capture);
        EXPECT_EQ(hosted.host.cursor, Cursor::Arrow);
    }
}

TEST_F(OleMouseTest, AHandleDragKeepsItsCursorAndDrawsDottedUntilReleased)
{
    hosted.view.Select(holder);
    holder->OnMouseMove(&hosted.view, 0, CPoint(160, 140));
    EXPECT_EQ(hosted.host.cursor, Cursor::SizeNWSE) << "over the bottom-right handle";
    holder->OnMouseMove(&hosted.view, 0, CPoint(130, 120));
    EXPECT_EQ(hosted.host.cursor, Cursor::Arrow);

    holder->OnLButtonDown(&hosted.view, MK_LBUTTON, CPoint(130, 100));
    EXPECT_EQ(hosted.host.cursor, Cursor::SizeNS) << "the top handle";
    EXPECT_EQ(hosted.view.m_nTracking, 1);
    EXPECT_EQ(holder->m_nDragging, 1) << "from the press on";
    EXPECT_TRUE(hosted.host.capture);
    holder->OnMouseMove(&hosted.view, MK_LBUTTON, CPoint(130, 80));
    EXPECT_EQ(holder->GetRect(), CRect(100, 80, 160, 140));
    EXPECT_EQ(holder->m_nResized, 1);
    EXPECT_EQ(hosted.host.cursor, Cursor::SizeNS);
    holder->OnLButtonUp(&hosted.view, 0, CPoint(130, 80));
    EXPECT_EQ(holder->m_nDragging, 0);

    // With two objects selected no handle is taken: the press moves.
    auto other = std::make_unique<CHOXRect>(CRect(300, 100, 340, 140), Monitor());
    hosted.view.Select(other.get(), true);
    holder->OnLButtonDown(&hosted.view, MK_LBUTTON, CPoint(130, 80));
    EXPECT_EQ(holder->m_nCurrentHandle, 0);
    EXPECT_EQ(hosted.view.m_nTracking, 0);
    holder->OnMouseMove(&hosted.view, MK_LBUTTON, CPoint(140, 90));
    holder->OnLButtonUp(&hosted.view, 0, CPoint(140, 90));
    EXPECT_EQ(holder->GetRect(), CRect(110, 90, 170, 150));
    hosted.view.Select(nullptr);
}

TEST_F(OleMouseTest, UndoAndRedoTakeAMoveAndAResizeBack)
{
    const struct {
        const char* what;
        CPoint from;
        CPoint to;
        CRect done;
    } cases[] = {
        {"move", {130, 120}, {170, 150}, {140, 130, 200, 170}},
        {"resize", {100, 140}, {60, 190}, {60, 100, 160, 190}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        holder->m_position = CRect(100, 100, 160, 140);
        hosted.view.Select(holder);
        Drag(c.from, {}, c.to);
        hosted.view.RecordSelectionMove();
        ASSERT_EQ(holder->GetRect(), c.done);
        hosted.view.OnEditUndo();
        EXPECT_EQ(holder->GetRect(), CRect(100, 100, 160, 140));
        hosted.view.OnEditRedo();
        EXPECT_EQ(holder->GetRect(), c.done);
    }
}

TEST_F(OleMouseTest, DeleteKeepsTheItemListedUntilTheUndoStoreLetsTheHolderGo)
{
    CHOXCntrlItem* item = holder->GetItem();
    hosted.view.Select(holder);
    hosted.view.OnEditDelete();
    EXPECT_EQ(Monitor()->LookupOleObject(0), nullptr);
    EXPECT_EQ(Doc().GetItems(), std::vector<CHOXCntrlItem*>{item});

    hosted.view.OnEditUndo();
    EXPECT_EQ(Monitor()->LookupOleObject(0), holder);
    EXPECT_EQ(holder->GetItem(), item);
    hosted.view.OnEditRedo();
    EXPECT_EQ(Monitor()->LookupOleObject(0), nullptr);
    EXPECT_EQ(Doc().GetItems(), std::vector<CHOXCntrlItem*>{item});

    // Another step lets the deleted holder go: its item leaves the document.
    CHOXOle* next = AddHolder(Doc(), 1, CRect(300, 100, 340, 140), false);
    hosted.view.Select(next);
    hosted.view.OnEditDelete();
    EXPECT_TRUE(Doc().GetItems().empty());
}

// ---------------------------------------------------------------------------
// The clipboard

TEST_F(OleTest, ClipboardBlocksLeaveHoldersOutAndDropThemWhenRead)
{
    CHOXOle* holder = AddHolder(Doc(), 1, CRect(100, 100, 160, 140), true);
    CHOXRect rect(CRect(10, 10, 50, 50), Monitor());
    rect.SetId(7);
    EXPECT_FALSE(holder->IsTransferable());
    EXPECT_TRUE(rect.IsTransferable());

    CHOXClipboard clipboard(&Doc());
    const QByteArray written = clipboard.WriteBlock(5, {holder, &rect});
    CHOXClipboard::Block block = clipboard.ReadBlock(written);
    ASSERT_EQ(block.objects.size(), 1u);
    EXPECT_EQ(block.objects[0]->GetObjectType(), objtype::kRect);

    // A block from another writer that holds one anyway.
    CArchive ar;
    ar << DWORD(CHOXClipboard::kFormatWord) << DWORD(5);
    ar.WriteCount(2);
    ar.WriteObject(holder);
    ar.WriteObject(&rect);
    block = clipboard.ReadBlock(ar.Buffer());
    ASSERT_EQ(block.objects.size(), 1u);
    EXPECT_EQ(block.objects[0]->GetId(), 7u);
    EXPECT_EQ(Doc().GetItems().size(), 1u) << "the block's item is no item of the document";
}
