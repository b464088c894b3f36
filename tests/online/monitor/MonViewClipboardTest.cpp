// Cut, Copy and Paste on the monitor page: where copies land and which ids
// they take, a cut paste putting shapes back, monitor objects and embedded
// items never leaving, symbols refused, wires and nodes left out, the sheet
// that grows; and the faults a paste must not have (another program's block
// replacing shapes, objects left behind after a refused symbol, a Cut that
// removed what never reached the clipboard). A symbol dragged onto the page
// is refused and stays in its chart.
#include "chart/HOXClipboard.h"
#include "chart/HOXLine.h"
#include "chart/HOXNode.h"
#include "online/monitor/HOXCntrlItem.h"
#include "online/monitor/HOXMonCurPos.h"
#include "online/monitor/HOXOle.h"
#include "online/monitor/MonViewFixture.h"
#include "platform/Archive.h"
#include "platform/Clipboard.h"
#include "platform/DragDrop.h"
#include "res/CommandIds.h"
#include "support/ScriptedDrag.h"

using namespace kt::test;

// A rectangle that counts how many of its kind are alive.
class CTestCountedRect : public CHOXRect {
    KT_DECLARE_SERIAL(CTestCountedRect)
public:
    CTestCountedRect() { ++s_live; }
    CTestCountedRect(const CRect& rect, CHOXWnd* wnd) : CHOXRect(rect, wnd) { ++s_live; }
    ~CTestCountedRect() override { --s_live; }
    static inline int s_live = 0;
};
KT_IMPLEMENT_SERIAL(CTestCountedRect, CHOXRect, 0)

namespace {

const QString kSymbolPasteRefused = QStringLiteral("ERROR: Symbol Objects cannot be Pasted in Monitoring Window.");
const QString kUnexpectedFormat = QStringLiteral("Unexpected file format.");
const QString kOutsideSheet = QStringLiteral("ERROR:  Cannot draw out side the  Base Rectangle.");

class MonViewClipboardTest : public ::testing::Test, protected MonViewFixture {
protected:
    static void OfferBlock(const std::vector<CHOXDrawObj*>& objects, std::uint32_t instance)
    {
        ASSERT_TRUE(
            clipboard::Offer(CHOXClipboard::ChartFormat(), CHOXClipboard(nullptr).WriteBlock(instance, objects)));
    }
    static std::uint32_t Me() { return Program().clipboard.instanceId; }
    static QByteArray ClipboardBlock() { return clipboard::Take(CHOXClipboard::ChartFormat()).value_or(QByteArray()); }
    // The ids in the block on the clipboard, in order.
    std::vector<DWORD> BlockIds() const
    {
        std::vector<DWORD> ids;
        for (const auto& object : CHOXClipboard(nullptr).ReadBlock(ClipboardBlock()).objects)
            ids.push_back(object->GetId());
        return ids;
    }
    CHOXDrawObj* ShapeAt(CPoint topLeft) const
    {
        for (const auto& [id, shape] : wnd->GetShapeMap())
            if (shape->GetRect().TopLeft() == topLeft) return shape.get();
        return nullptr;
    }
};

} // namespace

TEST_F(MonViewClipboardTest, CopiesLandTenUnitsFurtherEachTimeUnderNewIdsAndStaySelected)
{
    CHOXRect* rect = Shape(CRect(100, 100, 150, 130));
    CHOXLine* line = Shape<CHOXLine>(CRect(200, 180, 160, 140));
    rect->SetLineWidth(3);
    SelectOnly({rect, line});
    ASSERT_TRUE(Enabled(ID_EDIT_COPY));
    Command(ID_EDIT_COPY);
    EXPECT_EQ(BlockIds(), (std::vector<DWORD>{0, 1}));
    EXPECT_EQ(doc->GetPasteOffset(), CSize(10, 10));

    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE(n);
        Command(ID_EDIT_PASTE);
        const auto* copy = dynamic_cast<const CHOXRect*>(ShapeAt(CPoint(100 + 10 * n, 100 + 10 * n)));
        const auto* lineCopy = dynamic_cast<const CHOXLine*>(ShapeAt(CPoint(200 + 10 * n, 180 + 10 * n)));
        ASSERT_NE(copy, nullptr);
        ASSERT_NE(lineCopy, nullptr);
        EXPECT_EQ(copy->GetRect(), CRect(100 + 10 * n, 100 + 10 * n, 150 + 10 * n, 130 + 10 * n));
        // A line keeps its direction.
        EXPECT_EQ(lineCopy->GetRect(), CRect(200 + 10 * n, 180 + 10 * n, 160 + 10 * n, 140 + 10 * n));
        EXPECT_EQ(copy->GetLineWidth(), 3);
        EXPECT_EQ(copy->GetWnd(), wnd);
        EXPECT_EQ(copy->GetId(), DWORD(2 * n));
        EXPECT_EQ(lineCopy->GetId(), DWORD(2 * n + 1));
        EXPECT_EQ(view.GetSelection(), (std::vector<CHOXDrawObj*>{ShapeAt(copy->GetRect().TopLeft()),
                                                                  ShapeAt(lineCopy->GetRect().TopLeft())}));
    }
    EXPECT_EQ(Shapes(), 8u);
    EXPECT_EQ(rect->GetRect(), CRect(100, 100, 150, 130));
    // The last paste can be undone.
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Shapes(), 6u);
}

TEST_F(MonViewClipboardTest, ACutPasteComesBackInPlaceUnderItsIdsAndLaterPastesAreCopies)
{
    CHOXRect* rect = Shape(CRect(100, 100, 150, 130));
    Shape(CRect(300, 100, 350, 130));
    view.Select(rect);
    Command(ID_EDIT_CUT);
    EXPECT_EQ(ShapeIds(), (std::vector<WORD>{1}));
    EXPECT_EQ(Program().clipboard.cut, 1);
    EXPECT_EQ(doc->GetPasteOffset(), CSize(0, 0));

    Command(ID_EDIT_PASTE);
    EXPECT_EQ(ShapeIds(), (std::vector<WORD>{0, 1}));
    EXPECT_EQ(wnd->LookupShape(0)->GetRect(), CRect(100, 100, 150, 130));
    EXPECT_EQ(Program().clipboard.cut, 0);
    EXPECT_EQ(doc->GetPasteOffset(), CSize(0, 0));
    // Then copies: first in place, then 10 on.
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(wnd->LookupShape(2)->GetRect(), CRect(100, 100, 150, 130));
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(wnd->LookupShape(3)->GetRect(), CRect(110, 110, 160, 140));
}

// The fault: a paste after a Cut kept the ids of whatever block it read, and
// a shape of equal id in this window was replaced by it.
TEST_F(MonViewClipboardTest, AfterACutABlockOfAnotherProgramOrWithAnIdInUsePastesAsACopy)
{
    CHOXRect* kept = Shape(CRect(100, 100, 150, 130)); // id 0
    CHOXRect* cut = Shape(CRect(300, 100, 350, 130));  // id 1
    view.Select(cut);
    Command(ID_EDIT_CUT);
    ASSERT_EQ(Program().clipboard.cut, 1);

    // Another running copy put a shape of id 0 there.
    auto foreign = std::make_unique<CHOXRect>(CRect(20, 20, 60, 60), nullptr);
    foreign->SetId(0);
    OfferBlock({foreign.get()}, Me() + 1);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(wnd->LookupShape(0), kept);
    EXPECT_EQ(kept->GetRect(), CRect(100, 100, 150, 130));
    ASSERT_EQ(Shapes(), 2u);
    EXPECT_EQ(ShapeAt(CPoint(20, 20))->GetId(), 2u);

    // This program's block whose id was taken meanwhile.
    CHOXRect* again = Shape(CRect(400, 200, 440, 240)); // id 3
    view.Select(again);
    Command(ID_EDIT_CUT);
    auto taker = std::make_unique<CHOXRect>(CRect(5, 5, 9, 9), wnd);
    taker->SetId(3);
    CHOXDrawObj* taking = taker.get();
    wnd->AddShape(std::move(taker));
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(wnd->LookupShape(3), taking);
    EXPECT_NE(ShapeAt(CPoint(400, 200)), nullptr);
    EXPECT_EQ(ShapeAt(CPoint(400, 200))->GetId(), 4u);
}

TEST_F(MonViewClipboardTest, MonitorObjectsAreNeverCutAndABlockLedByOneNeverReachesTheClipboard)
{
    CHOXRect* rect = Shape(CRect(100, 100, 150, 130));
    CHOXMonCurPos* position = MonObj<CHOXMonCurPos>(CRect(200, 10, 328, 72));
    ASSERT_TRUE(clipboard::Offer(clipboard::TextFormat(), QByteArray("before")));

    view.Select(position);
    EXPECT_FALSE(Enabled(ID_EDIT_COPY));
    EXPECT_FALSE(Enabled(ID_EDIT_CUT));
    Command(ID_EDIT_CUT);
    EXPECT_EQ(wnd->LookupMonObj(static_cast<WORD>(position->GetId())), position);

    // Select All puts the monitor objects first: Copy keeps the clipboard.
    Command(ID_EDIT_SELECT_ALL);
    EXPECT_TRUE(Enabled(ID_EDIT_COPY));
    Command(ID_EDIT_COPY);
    EXPECT_EQ(clipboard::Take(clipboard::TextFormat()), QByteArray("before"));
    EXPECT_FALSE(clipboard::IsAvailable(CHOXClipboard::ChartFormat()));

    // Cut leaves the monitor object out and takes the shape.
    Command(ID_EDIT_SELECT_ALL);
    Command(ID_EDIT_CUT);
    EXPECT_EQ(Shapes(), 0u);
    EXPECT_EQ(wnd->LookupMonObj(static_cast<WORD>(position->GetId())), position);
    EXPECT_EQ(BlockIds(), (std::vector<DWORD>{rect->GetId()}));
}

TEST_F(MonViewClipboardTest, EmbeddedItemsAreSelectedButNeverLeaveNorEnter)
{
    CHOXRect* rect = Shape(CRect(100, 100, 150, 130));
    auto made = std::make_unique<CHOXOle>(CRect(300, 100, 360, 160), wnd);
    made->SetId(0);
    made->AttachItem(std::make_unique<CHOXCntrlItem>(doc.get(), made.get()));
    CHOXOle* holder = made.get();
    wnd->AddOleObject(std::move(made));

    Command(ID_EDIT_SELECT_ALL);
    EXPECT_EQ(view.GetSelection(), (std::vector<CHOXDrawObj*>{rect, holder}));
    view.Select(holder);
    EXPECT_FALSE(Enabled(ID_EDIT_COPY));
    EXPECT_FALSE(Enabled(ID_EDIT_CUT));
    SelectOnly({holder, rect});
    Command(ID_EDIT_COPY);
    EXPECT_EQ(BlockIds(), (std::vector<DWORD>{rect->GetId()}));
    Command(ID_EDIT_CUT);
    EXPECT_EQ(wnd->LookupOleObject(0), holder);
    EXPECT_EQ(Shapes(), 0u);
    EXPECT_EQ(doc->GetItems().size(), 1u);

    // A block that holds one anyway: only the shape comes in.
    CArchive ar;
    ar << DWORD(CHOXClipboard::kFormatWord) << DWORD(Me() + 1);
    ar.WriteCount(2);
    ar.WriteObject(holder);
    auto shape = std::make_unique<CHOXRect>(CRect(60, 60, 90, 90), nullptr);
    ar.WriteObject(shape.get());
    ASSERT_TRUE(clipboard::Offer(CHOXClipboard::ChartFormat(), ar.Buffer()));
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(wnd->GetOleMap().GetCount(), 1u);
    EXPECT_NE(ShapeAt(CPoint(60, 60)), nullptr);
    EXPECT_EQ(Shapes(), 1u);
    EXPECT_EQ(doc->GetItems().size(), 1u);
}

// The fault: objects read after a refused symbol were never placed nor
// deleted.
TEST_F(MonViewClipboardTest, ASymbolStopsThePasteKeepingWhatCameBeforeAndDeletingTheRest)
{
    auto before = std::make_unique<CTestCountedRect>(CRect(10, 10, 40, 40), nullptr);
    auto symbol = std::make_unique<CHOXSymbol>(CPoint(100, 100), nullptr);
    auto after = std::make_unique<CTestCountedRect>(CRect(200, 10, 240, 40), nullptr);
    OfferBlock({before.get(), symbol.get(), after.get()}, Me());
    before.reset();
    after.reset();
    ASSERT_EQ(CTestCountedRect::s_live, 0);

    ScriptedMessages messages;
    messages.Expect(kSymbolPasteRefused, kStop, IDOK);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(Shapes(), 1u);
    EXPECT_NE(ShapeAt(CPoint(20, 20)), nullptr);
    EXPECT_EQ(view.GetSelectionCount(), 0u);
    EXPECT_EQ(CTestCountedRect::s_live, 1);
    EXPECT_EQ(doc->GetPasteOffset(), CSize(20, 20));
}

TEST_F(MonViewClipboardTest, WiresNodesAndMonitorObjectsOfABlockAreLeftOutQuietly)
{
    CHOXFlowWnd* chart = Chart(QStringLiteral("Flow Chart1"));
    CHOXSymbol* a = PlaceWithId(1, CPoint(100, 40), chart);
    CHOXSymbol* b = PlaceWithId(2, CPoint(100, 200), chart);
    CHOXConnect* wire = Wire(a, 1, b);
    ASSERT_TRUE(wire->CreateNode());
    CHOXDrawObj* node = chart->LookupNode(static_cast<WORD>(wire->GetNodeId()));
    ASSERT_NE(node, nullptr);
    CHOXMonCurPos position(wnd);
    auto rect = std::make_unique<CTestCountedRect>(CRect(30, 30, 60, 60), nullptr);
    OfferBlock({wire, node, &position, rect.get()}, Me());
    rect.reset();

    Command(ID_EDIT_PASTE);
    EXPECT_EQ(Shapes(), 1u);
    EXPECT_TRUE(wnd->GetMonObjMap().IsEmpty());
    EXPECT_EQ(view.GetSelection(), (std::vector<CHOXDrawObj*>{ShapeAt(CPoint(40, 40))}));
    EXPECT_EQ(CTestCountedRect::s_live, 1);
}

TEST_F(MonViewClipboardTest, APasteBeyondTheSheetsEdgesGrowsItFifteenBeyondTheShape)
{
    struct Case {
        CRect rect;
        CRect sheet;
    };
    const Case cases[] = {
        {CRect(100, 100, 150, 130), CRect(0, 0, 500, 300)},
        {CRect(440, 250, 480, 290), CRect(0, 0, 500, 305)},
        {CRect(460, 100, 490, 130), CRect(0, 0, 505, 305)},
        // A line drawn upwards: its lower end is its top.
        {CRect(100, 320, 140, 280), CRect(0, 0, 505, 335)},
    };
    for (const Case& c : cases) {
        auto shape = std::make_unique<CHOXLine>(c.rect, nullptr);
        OfferBlock({shape.get()}, Me() + 1);
        doc->SetPasteOffset(CSize(0, 0));
        Command(ID_EDIT_PASTE);
        EXPECT_EQ(sheet->GetRect(), c.sheet) << c.rect.left << "," << c.rect.top;
    }
    EXPECT_EQ(host.totalSize, CSize(520, 350));
}

TEST_F(MonViewClipboardTest, ADamagedBlockPastesNothingAndSaysWhy)
{
    Shape(CRect(100, 100, 150, 130));
    QByteArray bytes = CHOXClipboard(nullptr).WriteBlock(Me(), {wnd->LookupShape(0)});
    bytes.chop(3);
    ASSERT_TRUE(clipboard::Offer(CHOXClipboard::ChartFormat(), bytes));
    ScriptedMessages messages;
    messages.Expect(kUnexpectedFormat, MB_OK | MB_ICONEXCLAMATION, IDOK);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(Shapes(), 1u);
    EXPECT_EQ(view.GetSelectionCount(), 0u);
    ASSERT_EQ(messages.seen.size(), 1u);
    EXPECT_FALSE(messages.seen.front().detail.isEmpty());
}

// The fault: Cut deleted the selection even when its block never reached
// the clipboard.
TEST_F(MonViewClipboardTest, ACutWhoseBlockNeverReachedTheClipboardRemovesNothing)
{
    CHOXRect* rect = Shape(CRect(100, 100, 150, 130));
    view.Select(rect);
    ClipboardService* service = clipboard::GetService();
    clipboard::SetService(nullptr);
    Command(ID_EDIT_CUT);
    clipboard::SetService(service);
    EXPECT_EQ(wnd->LookupShape(0), rect);
    EXPECT_EQ(Program().clipboard.cut, 0);
}

TEST_F(MonViewClipboardTest, CutCopyAndPasteWorkOnlyWhileThePageIsEdited)
{
    CHOXRect* rect = Shape(CRect(100, 100, 150, 130));
    view.Select(rect);
    Command(ID_EDIT_COPY);
    EXPECT_TRUE(Enabled(ID_EDIT_CUT));
    StartMonitoring();
    for (UINT id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE}) {
        EXPECT_FALSE(Enabled(id)) << id;
        Command(id);
    }
    EXPECT_EQ(Shapes(), 1u);
}

TEST_F(MonViewClipboardTest, ASymbolDraggedOntoThePageIsRefusedAndStaysInItsChart)
{
    CHOXFlowWnd* chart = Chart(QStringLiteral("Flow Chart1"));
    CHOXSymbol* symbol = PlaceWithId(1, CPoint(100, 100), chart);
    HostedView<CHOXFlowView> flow(*doc, chart, CRect(0, 0, 400, 300));
    Shape(CRect(10, 10, 40, 40));
    wnd->GetUndo()->RecordAdd(wnd->LookupShape(0));

    ScriptedDrag drag;
    drag.DropOn(view, CPoint(200, 150));
    // Let go where nothing took it, it goes back as from anywhere outside
    // its sheet.
    ScriptedMessages messages;
    messages.Expect(kOutsideSheet, kStop, IDOK);
    flow.view.Select(symbol);
    const CPoint grip(120, 110);
    flow.view.OnLButtonDown(MK_LBUTTON, flow.view.DocToClient(grip));
    flow.view.OnMouseMove(MK_LBUTTON, flow.view.DocToClient(CPoint(grip.x + 500, grip.y)));
    flow.view.OnMouseMove(MK_LBUTTON, flow.view.DocToClient(CPoint(grip.x + 510, grip.y)));

    ASSERT_EQ(drag.seen.size(), 1u);
    EXPECT_EQ(drag.seen.front().enter, DROPEFFECT_NONE);
    EXPECT_EQ(drag.seen.front().over, DROPEFFECT_NONE);
    EXPECT_EQ(drag.seen.front().result, DROPEFFECT_NONE);
    EXPECT_EQ(chart->LookupObject(static_cast<WORD>(symbol->GetId())), symbol);
    EXPECT_EQ(symbol->GetRect().TopLeft(), CPoint(100, 100));
    EXPECT_TRUE(wnd->GetObjectMap().IsEmpty());

    // Let go anyway, nothing is taken and the undo store stays.
    COleDataObject data(drag.seen.front().blocks);
    EXPECT_FALSE(view.OnDrop(&data, DROPEFFECT_MOVE, CPoint(200, 150)));
    EXPECT_TRUE(wnd->GetObjectMap().IsEmpty());
    EXPECT_TRUE(wnd->GetUndo()->CanUndo());
}
