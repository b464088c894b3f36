// The two transfer formats of chart objects, byte for byte: the "TRNWK_HOX"
// block of the clipboard and the "HOX_DRAG_FORMAT" stream of a drag, both
// read back equal; the drag filter by controller type; and damaged or cut-off
// data, which every reader refuses without a crash or a leak (fixed seed).
#include "chart/TransferFixture.h"
#include "platform/DragDrop.h"
#include "support/StoredFragments.h"
#include "symbols/flow/HOXFlowEnd.h"
#include "symbols/flow/HOXFlowPointer.h"

#include <random>

using namespace kt::test;
using namespace kt::test::hex;

namespace {

// Bounds (100, 50, 164, 82) after the id.
const QByteArray kBounds = "64000000"
                           "32000000"
                           "a4000000"
                           "52000000";
const QByteArray kFlag = "01000000";
const QByteArray kCategoryAndState = "00000000"
                                     "00000000";
// The pin class again: a reference to class index 3 (START's class is 1,
// START 2, the pin class 3).
const QByteArray kPinClassAgain = "0380";

// Answers every message with OK, counting them.
class AnyMessages : public MessageHandler {
public:
    AnyMessages() : m_previous(GetMessageHandler()) { SetMessageHandler(this); }
    ~AnyMessages() override { SetMessageHandler(m_previous); }
    AnyMessages(const AnyMessages&) = delete;
    AnyMessages& operator=(const AnyMessages&) = delete;
    int Show(const QString&, UINT, const QString&) override
    {
        ++shown;
        return IDOK;
    }
    int shown = 0;

private:
    MessageHandler* m_previous;
};

class ChartClipboardTest : public TransferFixture {
protected:
    // START (5), POINTER (6) and END (7), each at (100, 50).
    void MakeFlowSymbols()
    {
        auto* s = Place<CHOXFlowStart>(5, CPoint(100, 50));
        s->SetProgramNumber(12);
        auto* p = Place<CHOXFlowPointer>(6, CPoint(100, 50));
        p->SetPointerNumber(33);
        auto* e = Place<CHOXFlowEnd>(7, CPoint(100, 50));
        symbols = {s, p, e};
    }
    static QByteArray SymbolBytes()
    {
        return NewClass("CHOXFlowStart") + "05000000" + kBounds + "05" + Ascii("START") + "00" + kFlag + "04" +
               Ascii("Ox12") + kFlag + kCategoryAndState + "0100" + NewClass("CHOXPin") + kOutputPin0 +
               "00000000"
               "0c000000" + // axis X, program 12
               NewClass("CHOXFlowPointer") +
               "06000000" + kBounds + "07" + Ascii("POINTER") + "00" + kFlag + "03" + Ascii("P33") + kFlag +
               kCategoryAndState + "0100" + kPinClassAgain + kOutputPin0 + "21000000" + // pointer 33
               NewClass("CHOXFlowEnd") + "07000000" + kBounds + "03" + Ascii("END") + "00" + kFlag + "00" + kFlag +
               kCategoryAndState + "0100" + kPinClassAgain + kInputPin0 + "00000000"; // end kind
    }

    std::vector<CHOXDrawObj*> symbols;
};

} // namespace

TEST_F(ChartClipboardTest, TheClipboardBlockByteForByte)
{
    MakeFlowSymbols();
    const QByteArray expected = "65000000" // format word 101
                                "78563412" // the running copy that wrote it
                                "0300" +   // three objects
                                SymbolBytes();
    const QByteArray bytes = CHOXClipboard(&doc).WriteBlock(0x12345678u, symbols);
    EXPECT_EQ(bytes.toHex(), expected);

    const CHOXClipboard::Block block = CHOXClipboard(&doc).ReadBlock(bytes);
    EXPECT_EQ(block.formatWord, 101u);
    EXPECT_EQ(block.sourceInstance, 0x12345678u);
    ASSERT_EQ(block.objects.size(), 3u);
    std::vector<CHOXDrawObj*> back;
    for (const auto& object : block.objects) back.push_back(object.get());
    EXPECT_EQ(dynamic_cast<CHOXFlowStart*>(back[0])->GetProgramNumber(), 12);
    EXPECT_EQ(back[1]->GetRuntimeClass(), RUNTIME_CLASS(CHOXFlowPointer));
    EXPECT_EQ(CHOXClipboard(nullptr).WriteBlock(0x12345678u, back), bytes);

    // A count beyond 0xFFFE takes the long form (0xFFFF and 32 bits).
    CHOXSymbol many;
    std::vector<CHOXDrawObj*> lots(0x10000, &many);
    const QByteArray big = CHOXClipboard(nullptr).WriteBlock(1, lots);
    EXPECT_EQ(big.mid(8, 6).toHex(), QByteArray("ffff00000100"));
}

TEST_F(ChartClipboardTest, TheDragStreamByteForByte)
{
    MakeFlowSymbols();
    COleDataSource source;
    ASSERT_TRUE(CHOXClipboard(&doc).WriteObjects(symbols, source, CHOXClipboard::DragFormat()));
    ASSERT_EQ(source.GetBlocks().size(), 1u);
    EXPECT_EQ(source.GetBlocks().front().first, QStringLiteral("application/x-kinetrace-hox-drag-format"));
    const QByteArray expected = "03000000" + SymbolBytes(); // 32-bit count
    EXPECT_EQ(source.GetBlocks().front().second.toHex(), expected);

    COleDataObject data(source.GetBlocks());
    EXPECT_TRUE(CHOXClipboard::IsFormatAvailable(data, CHOXClipboard::DragFormat()));
    EXPECT_FALSE(CHOXClipboard::IsFormatAvailable(data, CHOXClipboard::ChartFormat()));
    DrawObjList list;
    ASSERT_TRUE(CHOXClipboard(&doc).ReadObjects(list, data, CHOXClipboard::DragFormat()));
    ASSERT_EQ(list.size(), 3u);
    std::vector<CHOXDrawObj*> back;
    for (const auto& object : list) back.push_back(object.get());
    COleDataSource again;
    ASSERT_TRUE(CHOXClipboard(&doc).WriteObjects(back, again, CHOXClipboard::DragFormat()));
    EXPECT_EQ(again.GetBlocks().front().second.toHex(), expected);

    // No stream of the format: nothing read.
    DrawObjList none;
    EXPECT_FALSE(CHOXClipboard(&doc).ReadObjects(none, COleDataObject(), CHOXClipboard::DragFormat()));
    EXPECT_TRUE(none.empty());
}

TEST_F(ChartClipboardTest, TheDragFilterByControllerType)
{
    const struct {
        std::int32_t axis;
        std::int32_t number;
        bool passes[3]; // controller types 0, 1, 2
    } starts[] = {
        {0, 5, {true, true, false}},
        {1, 5, {false, true, false}},
        {2, 5, {false, false, true}},
        // The subtask's START goes anywhere.
        {2, 100, {true, true, true}},
    };
    for (const auto& c : starts) {
        const std::unique_ptr<CHOXSymbol> start = LooseStart(c.axis, c.number);
        for (std::int32_t type = 0; type <= 2; ++type)
            EXPECT_EQ(CHOXClipboard::PassesDragFilter(start.get(), type), c.passes[type])
                << "axis " << c.axis << " number " << c.number << " type " << type;
    }
    const struct {
        int objectType;
        bool passes[3];
    } codes[] = {
        {objtype::kCodeCir, {false, false, true}},
        {objtype::kCodeLine, {true, false, true}},
        {objtype::kCodeDrv, {true, true, true}},
    };
    for (const auto& c : codes) {
        struct Code : CHOXSymbol {
            int type = 0;
            int GetObjectType() const override { return type; }
        } code;
        code.type = c.objectType;
        for (std::int32_t type = 0; type <= 2; ++type)
            EXPECT_EQ(CHOXClipboard::PassesDragFilter(&code, type), c.passes[type]) << c.objectType << " " << type;
    }

    // Reading keeps what the filter let through and hands the rest over.
    doc.SetControllerType(0);
    const std::unique_ptr<CHOXSymbol> x = LooseStart(0, 1);
    const std::unique_ptr<CHOXSymbol> y = LooseStart(1, 2);
    COleDataSource source;
    ASSERT_TRUE(CHOXClipboard(&doc).WriteObjects({y.get(), x.get()}, source, CHOXClipboard::DragFormat()));
    DrawObjList kept;
    DrawObjList filtered;
    ASSERT_TRUE(CHOXClipboard(&doc).ReadObjects(kept, COleDataObject(source.GetBlocks()), CHOXClipboard::DragFormat(),
                                                &filtered));
    ASSERT_EQ(kept.size(), 1u);
    ASSERT_EQ(filtered.size(), 1u);
    EXPECT_EQ(dynamic_cast<CHOXFlowStart*>(kept.front().get())->GetAxis(), 0);
    EXPECT_EQ(dynamic_cast<CHOXFlowStart*>(filtered.front().get())->GetAxis(), 1);
}

// ---------------------------------------------------------------------------
// Damaged data

namespace {

class ChartClipboardFuzzTest : public ChartClipboardTest {
protected:
    // A cut of a wired chart: START -> middle -> END, a node on the second
    // wire and a wire from a POINTER jumping to it (with its marker).
    std::vector<CHOXDrawObj*> WiredChart()
    {
        auto* s = Place<CHOXFlowStart>(1, CPoint(100, 40));
        CHOXSymbol* m = Place(2, CPoint(100, 140));
        auto* e = Place<CHOXFlowEnd>(3, CPoint(100, 240));
        auto* p = Place<CHOXFlowPointer>(4, CPoint(300, 40));
        CHOXConnect* w1 = Wire(1, 1, 0, 2);
        CHOXConnect* w2 = Wire(2, 2, 1, 3);
        CHOXNode* n = NodeOn(w2);
        CHOXConnect* w3 = Wire(3, 4, 0, n->GetId(), CHOXConnect::kTargetNode);
        return {s, m, e, p, w1, w2, n, w3};
    }

    static QByteArray Damaged(const QByteArray& whole, std::mt19937& random)
    {
        QByteArray bytes = whole;
        const int changes = 1 + static_cast<int>(random() % 3);
        for (int i = 0; i < changes; ++i) {
            const auto at = static_cast<qsizetype>(random() % static_cast<std::uint32_t>(bytes.size()));
            bytes[at] = static_cast<char>(random() % 4 == 0 ? 0xFF : random() & 0xFF);
        }
        return bytes;
    }
};

// A fresh document with one chart in a view, for pasting or dropping one
// damaged block.
struct Target {
    Target()
    {
        auto owned = doc.NewFlowWindow(QStringLiteral("Flow Chart1"), QString());
        chart = owned.get();
        doc.AddWindow(QStringLiteral("Flow Chart1"), std::move(owned));
        view.SetHost(&host);
        doc.AddView(&view);
        view.ShowRecord(chart);
        view.OnInitialUpdate();
    }
    ~Target() { doc.RemoveView(&view); }
    CHOXDoc doc;
    CHOXFlowWnd* chart = nullptr;
    MemoryViewHost host;
    CHOXFlowView view;
};

} // namespace

TEST_F(ChartClipboardFuzzTest, EveryCutOffBlockAndStreamIsRefused)
{
    const std::vector<CHOXDrawObj*> objects = WiredChart();
    const QByteArray block = CHOXClipboard(nullptr).WriteBlock(Me(), objects);
    COleDataSource source;
    ASSERT_TRUE(CHOXClipboard(&doc).WriteObjects(objects, source, CHOXClipboard::DragFormat()));
    const QByteArray stream = source.GetBlocks().front().second;
    ASSERT_EQ(CHOXClipboard(&doc).ReadBlock(block).objects.size(), objects.size());
    for (qsizetype len = 0; len < block.size(); ++len) {
        SCOPED_TRACE(len);
        try {
            CHOXClipboard(&doc).ReadBlock(block.left(len));
            ADD_FAILURE() << "a cut-off block was read";
        } catch (const ArchiveError& e) {
            EXPECT_TRUE(e.cause() == ArchiveError::endOfFile || e.cause() == ArchiveError::badCount) << e.what();
        }
    }
    for (qsizetype len = 0; len < stream.size(); ++len) {
        SCOPED_TRACE(len);
        DrawObjList list;
        try {
            CHOXClipboard(&doc).ReadObjects(list, COleDataObject({{CHOXClipboard::DragFormat(), stream.left(len)}}),
                                            CHOXClipboard::DragFormat());
            ADD_FAILURE() << "a cut-off stream was read";
        } catch (const ArchiveError& e) {
            EXPECT_TRUE(e.cause() == ArchiveError::endOfFile || e.cause() == ArchiveError::badCount) << e.what();
        }
        EXPECT_TRUE(list.empty());
    }
}

TEST_F(ChartClipboardFuzzTest, ChangedBlocksAreReadOrRefusedAndPasteSafely)
{
    const QByteArray whole = CHOXClipboard(nullptr).WriteBlock(Me(), WiredChart());
    std::mt19937 random(20261210);
    AnyMessages messages;
    int refused = 0;
    for (int round = 0; round < 2000; ++round) {
        const QByteArray bytes = Damaged(whole, random);
        SCOPED_TRACE(bytes.toHex().toStdString());
        bool read = true;
        try {
            CHOXClipboard(&doc).ReadBlock(bytes);
        } catch (const ArchiveError&) {
            read = false;
            ++refused;
        }
        // Every few rounds the block goes through a paste too, as a cut
        // paste or a copy paste; a refused one shows its message.
        if (round % 5 != 0) continue;
        Target target;
        ASSERT_TRUE(clipboard::Offer(CHOXClipboard::ChartFormat(), bytes));
        Program().clipboard.cut = round % 2;
        const int before = messages.shown;
        target.view.OnCmdMsg(ID_EDIT_PASTE, CmdMode::Execute, nullptr);
        if (!read) {
            EXPECT_GT(messages.shown, before);
            EXPECT_TRUE(target.chart->GetObjectMap().IsEmpty());
        }
        // Whatever went in is a chart the numbers agree with.
        for (auto& [id, object] : target.chart->GetObjectMap()) {
            auto* symbol = dynamic_cast<CHOXSymbol*>(object.get());
            ASSERT_NE(symbol, nullptr);
            EXPECT_EQ(symbol->GetWnd(), target.chart);
        }
    }
    EXPECT_GT(refused, 300);
}

TEST_F(ChartClipboardFuzzTest, ChangedDragStreamsAreReadOrRefusedAndDropSafely)
{
    COleDataSource source;
    ASSERT_TRUE(CHOXClipboard(&doc).WriteObjects(WiredChart(), source, CHOXClipboard::DragFormat()));
    const QByteArray whole = source.GetBlocks().front().second;
    std::mt19937 random(20261210);
    AnyMessages messages;
    int refused = 0;
    for (int round = 0; round < 2000; ++round) {
        const QByteArray bytes = Damaged(whole, random);
        SCOPED_TRACE(bytes.toHex().toStdString());
        COleDataObject data({{CHOXClipboard::DragFormat(), bytes}});
        DrawObjList list;
        try {
            CHOXClipboard(&doc).ReadObjects(list, data, CHOXClipboard::DragFormat());
        } catch (const ArchiveError&) {
            ++refused;
        }
        if (round % 5 != 0) continue;
        Target target;
        const DWORD effect = round % 2 != 0 ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
        target.view.OnDragEnter(&data, 0, CPoint(50, 50));
        target.view.OnDragOver(&data, 0, CPoint(50, 50));
        const bool dropped = target.view.OnDrop(&data, effect, CPoint(50, 50));
        EXPECT_EQ(dropped, !target.chart->GetObjectMap().IsEmpty());
        EXPECT_EQ(Program().editing.dropRefused, 0);
    }
    EXPECT_GT(refused, 300);
}
