// Cut, Copy, Paste and Select All in the flow view: what a cut paste and a
// copy paste do with places, ids, numbers, wires and nodes, in one chart and
// between charts; the START, pointer, interpolation and program-text rules
// with their messages; the sheet that grows; and the faults the paste must
// not have (a Cut that deleted what never reached the clipboard, numbers
// left unmarked or kept twice, ids reused).
#include "chart/HOXRect.h"
#include "chart/TransferFixture.h"
#include "symbols/code/HOXCodeCir.h"
#include "symbols/code/HOXCodeLine.h"
#include "symbols/flow/HOXFlowEnd.h"
#include "symbols/flow/HOXFlowPointer.h"
#include "symbols/flow/HOXFlowSubRtn.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeData>

KT_IMPLEMENT_SERIAL(CTestProgText, CHOXSymbol, 0)

using namespace kt::test;

namespace {

const QString kDuplicateNodes =
    QStringLiteral("ERROR : Duplicate Nodes are Present.\nAssociated Wires and  Nodes cannot be Pasted.");
const QString kNotForFlowWindow =
    QStringLiteral("ERROR: Drawing objects or OLE objects cannot be pasted in Flow Window.");
const QString kNoPointerNumber =
    QStringLiteral("ERROR : Pointer number  exceeds the Maximum limit.\nCan not Paste this symbol.");
const QString kNoProgramNumber =
    QStringLiteral("ERROR : Can not Paste START symbol.\nMaximum program number (99)  has been reached.");
const QString kStartInSubtask = QStringLiteral("ERROR : Start Symbol is already present in the Subtask Window.");
const QString kOneAxisStartOnBoth =
    QStringLiteral("ERROR : Cannot paste Start Symbol copied from other \nDA-ZU type onto RO-20ZU Simultaneous.");
const QString kBothAxesStartElsewhere =
    QStringLiteral("ERROR : Cannot paste Start Symbol copied from \nRO-20ZU Simultaneous or Subtask window.");
const QString kYStartOnOneAxis = QStringLiteral("ERROR : Cannot paste Y axis Start Symbol in ZE-10RE program.");

class FlowPasteTest : public TransferFixture {
protected:
    // START (1) -> middle (3) -> last (4), the second wire with a node on it;
    // a POINTER (2) beside them.
    void BuildWiredChart()
    {
        start = Place<CHOXFlowStart>(1, CPoint(100, 40));
        pointer = Place<CHOXFlowPointer>(2, CPoint(300, 40));
        middle = Place(3, CPoint(100, 140));
        last = Place(4, CPoint(100, 240));
        Wire(1, 1, 0, 3);
        Wire(2, 3, 1, 4);
        node = NodeOn(chart::FindWire(wnd, 2));
        ASSERT_NE(node, nullptr);
        nodeNumber = static_cast<int>(node->GetId());
        program = start->GetProgramNumber();
    }

    CHOXFlowStart* start = nullptr;
    CHOXFlowPointer* pointer = nullptr;
    CHOXSymbol* middle = nullptr;
    CHOXSymbol* last = nullptr;
    CHOXNode* node = nullptr;
    int nodeNumber = -1;
    int program = -1;
};

// ---------------------------------------------------------------------------
// Cut paste and copy paste

TEST_F(FlowPasteTest, CutThenPastePutsEverythingBackThenCopiesAtTheSamePlaceThenShifted)
{
    BuildWiredChart();
    SelectOnly({start, middle, last});
    ASSERT_TRUE(Enabled(ID_EDIT_CUT));
    Run(ID_EDIT_CUT);

    // Out of the chart, numbers given back, on the clipboard with the wires
    // and the node between them.
    EXPECT_EQ(Ids(wnd), std::vector<WORD>{2});
    EXPECT_EQ(Wires(), 0u);
    EXPECT_EQ(Nodes(), 0u);
    EXPECT_FALSE(doc.IsProgramNumberUsed(0, program));
    EXPECT_FALSE(doc.IsPointerNumberUsed(nodeNumber));
    EXPECT_EQ(Program().clipboard.cut, 1);
    EXPECT_EQ(doc.GetPasteOffset(), CSize(0, 0));
    const CHOXClipboard::Block cutBlock = CHOXClipboard(&doc).ReadBlock(ClipboardBlock());
    EXPECT_EQ(cutBlock.formatWord, 101u);
    EXPECT_EQ(cutBlock.sourceInstance, Me());
    std::vector<int> types;
    for (const auto& object : cutBlock.objects) types.push_back(object->GetObjectType());
    EXPECT_EQ(types, (std::vector<int>{301, 300, 300, 500, 500, 502}));

    // 1: the cut paste: same ids, places and numbers, wires and node back.
    Run(ID_EDIT_PASTE);
    EXPECT_EQ(Ids(wnd), (std::vector<WORD>{1, 2, 3, 4}));
    auto* back = dynamic_cast<CHOXFlowStart*>(chart::FindSymbol(wnd, 1));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetRect().TopLeft(), CPoint(100, 40));
    EXPECT_EQ(back->GetProgramNumber(), program);
    EXPECT_TRUE(doc.IsProgramNumberUsed(0, program));
    ASSERT_EQ(Wires(), 2u);
    ASSERT_EQ(Nodes(), 1u);
    EXPECT_EQ(back->GetPin(0)->GetLinkId(), 1u);
    EXPECT_EQ(chart::FindSymbol(wnd, 3)->GetPin(0)->GetLinkId(), 1u);
    EXPECT_EQ(chart::FindSymbol(wnd, 3)->GetPin(1)->GetLinkId(), 2u);
    EXPECT_EQ(chart::FindSymbol(wnd, 4)->GetPin(0)->GetLinkId(), 2u);
    EXPECT_EQ(chart::FindWire(wnd, 2)->GetNodeId(), static_cast<DWORD>(nodeNumber));
    // The Cut gave the node's number back; the paste takes it again.
    EXPECT_TRUE(doc.IsPointerNumberUsed(nodeNumber));
    EXPECT_EQ(Program().clipboard.cut, 0);
    EXPECT_EQ(doc.GetPasteOffset(), CSize(0, 0));
    EXPECT_EQ(view.GetSelectionCount(), 3u);
    EXPECT_TRUE(view.IsSelected(back));
    EXPECT_TRUE(doc.IsModified());

    // 2: a copy paste at the same place, new ids, no wires; START takes a
    // free number.
    Run(ID_EDIT_PASTE);
    EXPECT_EQ(Ids(wnd), (std::vector<WORD>{1, 2, 3, 4, 100, 101, 102}));
    EXPECT_EQ(Wires(), 2u);
    EXPECT_EQ(Nodes(), 1u);
    auto* copy = dynamic_cast<CHOXFlowStart*>(chart::FindSymbol(wnd, 100));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetRect().TopLeft(), CPoint(100, 40));
    EXPECT_NE(copy->GetProgramNumber(), program);
    EXPECT_TRUE(doc.IsProgramNumberUsed(0, copy->GetProgramNumber()));
    for (WORD id : {100, 101, 102})
        for (const auto& pin : chart::FindSymbol(wnd, id)->GetPins()) EXPECT_TRUE(pin->IsFree());
    EXPECT_EQ(doc.GetPasteOffset(), CSize(10, 10));

    // 3: shifted by 10.
    Run(ID_EDIT_PASTE);
    EXPECT_NE(SymbolAt(wnd, CPoint(110, 50)), nullptr);
    EXPECT_NE(SymbolAt(wnd, CPoint(110, 250)), nullptr);
    EXPECT_EQ(doc.GetPasteOffset(), CSize(20, 20));

    // Undo takes the last paste back with its numbers.
    const int third = dynamic_cast<CHOXFlowStart*>(SymbolAt(wnd, CPoint(110, 50)))->GetProgramNumber();
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(SymbolAt(wnd, CPoint(110, 50)), nullptr);
    EXPECT_FALSE(doc.IsProgramNumberUsed(0, third));
}

TEST_F(FlowPasteTest, CopyPastePasteShiftsByTenThenTwenty)
{
    CHOXSymbol* a = Place(1, CPoint(100, 100));
    Program().clipboard.cut = 1;
    doc.SetPasteOffset(CSize(40, 40));
    SelectOnly({a});
    Run(ID_EDIT_COPY);
    EXPECT_EQ(Program().clipboard.cut, 0);
    EXPECT_EQ(doc.GetPasteOffset(), CSize(10, 10));
    EXPECT_EQ(Ids(wnd), std::vector<WORD>{1});
    Run(ID_EDIT_PASTE);
    Run(ID_EDIT_PASTE);
    EXPECT_NE(SymbolAt(wnd, CPoint(110, 110)), nullptr);
    EXPECT_NE(SymbolAt(wnd, CPoint(120, 120)), nullptr);
    EXPECT_EQ(Ids(wnd), (std::vector<WORD>{1, 100, 101}));
    EXPECT_EQ(view.CopySelection(), std::vector<CHOXDrawObj*>{SymbolAt(wnd, CPoint(120, 120))});
}

TEST_F(FlowPasteTest, ACutPastesBackIntoAnotherChartWithItsWires)
{
    BuildWiredChart();
    SelectOnly({start, middle, last});
    Run(ID_EDIT_CUT);
    RunIn(otherView, ID_EDIT_PASTE);
    EXPECT_EQ(Ids(other), (std::vector<WORD>{1, 3, 4}));
    EXPECT_EQ(other->GetConnectMap().GetCount(), 2u);
    EXPECT_EQ(other->GetNodeMap().GetCount(), 1u);
    EXPECT_EQ(chart::FindSymbol(other, 1)->GetRect().TopLeft(), CPoint(100, 40));
    EXPECT_EQ(chart::FindSymbol(other, 1)->GetWnd(), other);
    EXPECT_TRUE(doc.IsPointerNumberUsed(nodeNumber));
    EXPECT_EQ(Ids(wnd), std::vector<WORD>{2});
}

TEST_F(FlowPasteTest, DataOfAnotherRunningCopyIsACopyPasteEvenAfterACutThere)
{
    BuildWiredChart();
    SelectOnly({start, middle, last});
    Run(ID_EDIT_CUT);
    // Another copy of the program wrote the block.
    const QByteArray cut = ClipboardBlock();
    CHOXClipboard::Block block = CHOXClipboard(&doc).ReadBlock(cut);
    std::vector<CHOXDrawObj*> objects;
    for (auto& object : block.objects) objects.push_back(object.get());
    OfferBlock(objects, Me() ^ 0x5A5A5A5Au);
    Program().clipboard.cut = 1;

    Run(ID_EDIT_PASTE);
    EXPECT_EQ(Ids(wnd), (std::vector<WORD>{2, 100, 101, 102}));
    EXPECT_EQ(Wires(), 0u);
    EXPECT_EQ(Nodes(), 0u);
    EXPECT_NE(SymbolAt(wnd, CPoint(100, 40)), nullptr);
    EXPECT_EQ(Program().clipboard.cut, 0);
    EXPECT_EQ(Program().clipboard.sourceId, Me() ^ 0x5A5A5A5Au);
    EXPECT_FALSE(doc.IsPointerNumberUsed(nodeNumber));
}

TEST_F(FlowPasteTest, TheRealClipboardCarriesTheBlock)
{
    CHOXSymbol* a = Place(1, CPoint(100, 100));
    SelectOnly({a});
    Run(ID_EDIT_COPY);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    ASSERT_TRUE(data->hasFormat(QStringLiteral("application/x-kinetrace-trnwk-hox")));
    EXPECT_EQ(data->data(QStringLiteral("application/x-kinetrace-trnwk-hox")),
              CHOXClipboard(nullptr).WriteBlock(Me(), {a}));
}

// ---------------------------------------------------------------------------
// START, pointer, interpolation and program-text rules

TEST_F(FlowPasteTest, StartRules)
{
    struct Case {
        const char* what;
        std::int32_t type;
        bool intoSubtask;
        std::int32_t axis;
        std::int32_t number;
        // The target's row is full (but for number 99 when `numberTaken`).
        bool rowFull;
        bool numberTaken;
        QString message;
        std::int32_t axisAfter;
        std::int32_t numberAfter;
    };
    const Case cases[] = {
        {"free number kept", 1, false, 0, 5, false, false, {}, 0, 5},
        {"Y start kept on two axes", 1, false, 1, 7, false, false, {}, 1, 7},
        {"taken number: the first free one", 1, false, 0, 5, false, true, {}, 0, 0},
        {"taken number, full row", 1, false, 0, 5, true, true, kNoProgramNumber, -1, -1},
        {"into an empty subtask chart", 1, true, 0, 5, false, false, {}, 2, 100},
        {"subtask START onto both axes", 2, false, 2, 100, false, false, {}, 2, 0},
        {"subtask START onto one axis", 0, false, 2, 100, false, false, {}, 0, 0},
        {"subtask START onto two axes", 1, false, 2, 100, false, false, {}, 0, 0},
        {"subtask START, full row", 1, false, 2, 100, true, false, kNoProgramNumber, -1, -1},
        {"X start onto both axes", 2, false, 0, 5, false, false, kOneAxisStartOnBoth, -1, -1},
        {"Y start onto both axes", 2, false, 1, 5, false, false, kOneAxisStartOnBoth, -1, -1},
        {"both-axes start onto one axis", 0, false, 2, 5, false, false, kBothAxesStartElsewhere, -1, -1},
        {"both-axes start onto two axes", 1, false, 2, 5, false, false, kBothAxesStartElsewhere, -1, -1},
        {"Y start onto one axis", 0, false, 1, 5, false, false, kYStartOnOneAxis, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CHOXDoc target;
        target.SetControllerType(c.type);
        const QString name = c.intoSubtask ? LoadStr(20000) : QStringLiteral("Flow Chart1");
        auto owned = target.NewFlowWindow(name, QString());
        CHOXFlowWnd* chart = owned.get();
        target.AddWindow(name, std::move(owned));
        CHOXFlowView pasteView;
        MemoryViewHost pasteHost;
        pasteView.SetHost(&pasteHost);
        target.AddView(&pasteView);
        pasteView.ShowRecord(chart);
        const int row = c.axis == 1 && c.number != 100 ? 1 : 0;
        if (c.rowFull)
            for (int n = 0; n < 100; ++n) target.MarkProgramNumberUsed(row, n);
        if (c.numberTaken) target.MarkProgramNumberUsed(row, c.number);
        ScriptedMessages messages;
        if (!c.message.isEmpty()) messages.Expect(c.message, kStop, IDOK);
        std::unique_ptr<CHOXSymbol> loose = LooseStart(c.axis, c.number);
        OfferBlock({loose.get()}, Me());
        pasteView.OnCmdMsg(ID_EDIT_PASTE, CmdMode::Execute, nullptr);
        if (c.message.isEmpty()) {
            ASSERT_EQ(chart->GetObjectMap().GetCount(), 1u);
            auto* pasted = dynamic_cast<CHOXFlowStart*>(chart->GetObjectMap().begin()->second.get());
            ASSERT_NE(pasted, nullptr);
            EXPECT_EQ(pasted->GetAxis(), c.axisAfter);
            EXPECT_EQ(pasted->GetProgramNumber(), c.numberAfter);
            if (c.numberAfter != 100) {
                EXPECT_TRUE(target.IsProgramNumberUsed(c.axisAfter, c.numberAfter));
            }
        } else {
            EXPECT_EQ(chart->GetObjectMap().GetCount(), 0u);
        }
        EXPECT_EQ(messages.seen.size(), c.message.isEmpty() ? 0u : 1u);
        target.RemoveView(&pasteView);
    }
}

TEST_F(FlowPasteTest, ASecondStartIsRefusedInTheSubtaskChart)
{
    CHOXFlowWnd* subtask = AddSubtask();
    CHOXFlowView subtaskView;
    MemoryViewHost subtaskHost;
    subtaskView.SetHost(&subtaskHost);
    doc.AddView(&subtaskView);
    subtaskView.ShowRecord(subtask);
    std::vector<std::unique_ptr<CHOXSymbol>> starts;
    starts.push_back(LooseStart(0, 3, CPoint(100, 50)));
    starts.push_back(LooseStart(0, 4, CPoint(100, 150)));
    starts.push_back(LooseStart(0, 5, CPoint(100, 250)));
    OfferBlock(Raw(starts), Me());
    ScriptedMessages messages;
    // One message however many STARTs it refuses in a row.
    messages.Expect(kStartInSubtask, kStop, IDOK);
    subtaskView.OnCmdMsg(ID_EDIT_PASTE, CmdMode::Execute, nullptr);
    ASSERT_EQ(subtask->GetObjectMap().GetCount(), 1u);
    auto* kept = dynamic_cast<CHOXFlowStart*>(SymbolAt(subtask, CPoint(110, 60)));
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->GetProgramNumber(), 100);
    EXPECT_EQ(kept->GetAxis(), 2);
    doc.RemoveView(&subtaskView);
}

TEST_F(FlowPasteTest, AStartMessageShowsOnlyWhenItDiffersFromTheLastOne)
{
    doc.SetControllerType(0);
    std::vector<std::unique_ptr<CHOXSymbol>> starts;
    for (std::int32_t axis : {1, 1, 2, 1}) starts.push_back(LooseStart(axis, 5));
    OfferBlock(Raw(starts), Me());
    ScriptedMessages messages;
    messages.Expect(kYStartOnOneAxis, kStop, IDOK)
        .Expect(kBothAxesStartElsewhere, kStop, IDOK)
        .Expect(kYStartOnOneAxis, kStop, IDOK);
    Run(ID_EDIT_PASTE);
    EXPECT_EQ(Symbols(), 0u);
}

TEST_F(FlowPasteTest, InterpolationSymbolsByControllerTypeEachMessageOnce)
{
    const QString circularTwoAxes =
        QStringLiteral("ERROR:  Circular Code Symbol cannot be pasted .\nfor RO-20ZU Independent Axis");
    const QString circularOneAxis = QStringLiteral("ERROR:  Circular Code Symbol cannot be pasted .\nfor ZE-10RE.");
    const QString linear =
        QStringLiteral("ERROR:  Linear Code Symbol cannot be pasted for \nRO-20ZU Independent 2-Axis.");
    const struct {
        std::int32_t type;
        std::vector<QString> messages;
        std::size_t pasted;
    } cases[] = {
        {1, {circularTwoAxes, linear}, 0},
        {0, {circularOneAxis}, 2},
        {2, {}, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        doc.SetControllerType(c.type);
        view.Select(nullptr);
        for (WORD id : Ids(wnd)) wnd->RemoveObject(id);
        CHOXCodeCir cir1;
        CHOXCodeCir cir2;
        CHOXCodeLine line1;
        CHOXCodeLine line2;
        OfferBlock({&cir1, &line1, &cir2, &line2}, Me());
        ScriptedMessages messages;
        for (const QString& text : c.messages) messages.Expect(text, kStop, IDOK);
        Run(ID_EDIT_PASTE);
        EXPECT_EQ(Symbols(), c.pasted);
    }
}

TEST_F(FlowPasteTest, PointerSymbolsKeepAFreeNumberElseTakeTheNextOne)
{
    doc.MarkPointerNumberUsed(0);
    std::vector<std::unique_ptr<CHOXSymbol>> labels;
    labels.push_back(LooseLabel<CHOXFlowPointer>(7, CPoint(100, 50)));
    labels.push_back(LooseLabel<CHOXFlowSubRtn>(7, CPoint(100, 150)));
    // A number no table tracks is no number to keep.
    labels.push_back(LooseLabel<CHOXFlowPointer>(300, CPoint(100, 250)));
    OfferBlock(Raw(labels), Me());
    Run(ID_EDIT_PASTE);
    ASSERT_EQ(Symbols(), 3u);
    EXPECT_EQ(SymbolAt(wnd, CPoint(110, 60))->GetPointerNumber(), 7);
    EXPECT_EQ(SymbolAt(wnd, CPoint(110, 160))->GetPointerNumber(), 1);
    EXPECT_EQ(SymbolAt(wnd, CPoint(110, 160))->GetLabel(), QStringLiteral("P1"));
    EXPECT_EQ(SymbolAt(wnd, CPoint(110, 260))->GetPointerNumber(), 2);
    for (int n : {0, 1, 2, 7}) EXPECT_TRUE(doc.IsPointerNumberUsed(n)) << n;
}

TEST_F(FlowPasteTest, WithNoPointerNumberFreeThePointerSymbolsAreRefusedOnce)
{
    doc.SetControllerType(0);
    for (int n = 0; n <= 127; ++n) doc.MarkPointerNumberUsed(n);
    std::vector<std::unique_ptr<CHOXSymbol>> labels;
    labels.push_back(LooseLabel<CHOXFlowPointer>(7, CPoint(100, 50)));
    labels.push_back(LooseLabel<CHOXFlowSubRtn>(8, CPoint(100, 150)));
    labels.push_back(std::make_unique<CHOXFlowEnd>());
    labels.back()->m_position = CRect(100, 250, 164, 282);
    OfferBlock(Raw(labels), Me());
    ScriptedMessages messages;
    messages.Expect(kNoPointerNumber, kStop, IDOK);
    Run(ID_EDIT_PASTE);
    EXPECT_EQ(Ids(wnd), std::vector<WORD>{100});
    EXPECT_EQ(SymbolAt(wnd, CPoint(110, 260))->GetObjectType(), objtype::kFlowEnd);
}

TEST_F(FlowPasteTest, AProgramInTextWithLabelsIsCopiedInTheErrorStateAndCutBackUnchanged)
{
    auto* text = Place<CTestProgText>(1, CPoint(100, 100));
    text->labels = {3, 4};
    doc.MarkPointerNumberUsed(3);
    doc.MarkPointerNumberUsed(4);
    auto* plain = Place<CTestProgText>(2, CPoint(300, 100));

    SelectOnly({text, plain});
    Run(ID_EDIT_COPY);
    Run(ID_EDIT_PASTE);
    EXPECT_EQ(SymbolAt(wnd, CPoint(110, 110))->GetState(), CHOXSymbol::kError);
    EXPECT_EQ(SymbolAt(wnd, CPoint(310, 110))->GetState(), CHOXSymbol::kNormal);

    // A Cut gives the labels back; its paste takes them again.
    SelectOnly({text});
    Run(ID_EDIT_CUT);
    EXPECT_FALSE(doc.IsPointerNumberUsed(3));
    Run(ID_EDIT_PASTE);
    CHOXSymbol* back = chart::FindSymbol(wnd, 1);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetState(), CHOXSymbol::kNormal);
    EXPECT_TRUE(doc.IsPointerNumberUsed(3));
    EXPECT_TRUE(doc.IsPointerNumberUsed(4));

    // One of them taken meanwhile: the one cut comes back in the error state,
    // and the other holder keeps its number.
    SelectOnly({back});
    Run(ID_EDIT_CUT);
    doc.MarkPointerNumberUsed(4);
    Run(ID_EDIT_PASTE);
    back = chart::FindSymbol(wnd, 1);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetState(), CHOXSymbol::kError);
    EXPECT_FALSE(doc.IsPointerNumberUsed(3));
    EXPECT_TRUE(doc.IsPointerNumberUsed(4));
}

TEST_F(FlowPasteTest, PastingBeyondTheSheetGrowsIt)
{
    auto far = std::make_unique<CHOXSymbol>(CPoint(480, 290), nullptr);
    OfferBlock({far.get()}, Me());
    Run(ID_EDIT_PASTE);
    // Shifted by 10: (490, 300) to (554, 332).
    EXPECT_EQ(wnd->GetBaseRect()->GetRect(), CRect(0, 0, 584, 362));
    EXPECT_EQ(host.totalSize, CSize(599, 377));
    // Inside by more than 15 the sheet stays.
    auto near = std::make_unique<CHOXSymbol>(CPoint(100, 100), nullptr);
    OfferBlock({near.get()}, Me());
    Run(ID_EDIT_PASTE);
    EXPECT_EQ(wnd->GetBaseRect()->GetRect(), CRect(0, 0, 584, 362));
}

// ---------------------------------------------------------------------------
// Cut and Copy: what they take and when they are enabled

TEST_F(FlowPasteTest, CutAndCopyNeedASymbolThatIsNeitherInErrorNorMissing)
{
    CHOXSymbol* normal = Place(1, CPoint(100, 100));
    CHOXSymbol* broken = Place(2, CPoint(300, 100));
    broken->SetState(CHOXSymbol::kError);
    CHOXSymbol* missing = Place(3, CPoint(100, 200));
    missing->SetState(CHOXSymbol::kMissing);
    CHOXConnect* wire = Wire(1, 2, 1, 3);
    SelectOnly({broken, missing, wire});
    EXPECT_FALSE(Enabled(ID_EDIT_CUT));
    EXPECT_FALSE(Enabled(ID_EDIT_COPY));
    SelectOnly({});
    EXPECT_FALSE(Enabled(ID_EDIT_CUT));

    SelectOnly({broken, normal});
    EXPECT_TRUE(Enabled(ID_EDIT_CUT));
    EXPECT_TRUE(Enabled(ID_EDIT_COPY));
    Run(ID_EDIT_CUT);
    EXPECT_EQ(Ids(wnd), (std::vector<WORD>{2, 3}));
    EXPECT_FALSE(view.IsSelected(broken));
    const CHOXClipboard::Block block = CHOXClipboard(&doc).ReadBlock(ClipboardBlock());
    ASSERT_EQ(block.objects.size(), 1u);
    EXPECT_EQ(block.objects.front()->GetId(), 1u);

    // Copy still writes error symbols, but a paste leaves them out.
    SelectOnly({missing, broken});
    view.Select(Place(4, CPoint(300, 300)), true);
    Run(ID_EDIT_COPY);
    EXPECT_EQ(CHOXClipboard(&doc).ReadBlock(ClipboardBlock()).objects.size(), 3u);
    Run(ID_EDIT_PASTE);
    EXPECT_EQ(Ids(wnd), (std::vector<WORD>{2, 3, 4, 100}));

    // While monitoring nothing is enabled.
    SelectOnly({Place(5, CPoint(300, 200))});
    doc.SetEditMode(false);
    EXPECT_FALSE(Enabled(ID_EDIT_CUT));
    EXPECT_FALSE(Enabled(ID_EDIT_COPY));
    EXPECT_FALSE(Enabled(ID_EDIT_PASTE));
}

TEST_F(FlowPasteTest, CutCarriesTheWireBetweenItsSymbolsCopyOnlyTheSelection)
{
    CHOXSymbol* a = Place(1, CPoint(100, 100));
    CHOXSymbol* b = Place(2, CPoint(100, 200));
    CHOXSymbol* c = Place(3, CPoint(100, 300));
    Wire(1, 1, 1, 2);
    Wire(2, 2, 1, 3);
    SelectOnly({a, b});
    Run(ID_EDIT_COPY);
    EXPECT_EQ(CHOXClipboard(&doc).ReadBlock(ClipboardBlock()).objects.size(), 2u);
    Run(ID_EDIT_CUT);
    const CHOXClipboard::Block block = CHOXClipboard(&doc).ReadBlock(ClipboardBlock());
    ASSERT_EQ(block.objects.size(), 3u);
    EXPECT_EQ(block.objects[2]->GetId(), 1u);
    // Both wires went with the symbols; the one to the symbol left behind
    // does not come back.
    EXPECT_EQ(Wires(), 0u);
    Run(ID_EDIT_PASTE);
    EXPECT_EQ(Wires(), 1u);
    EXPECT_TRUE(c->GetPin(0)->IsFree());
    EXPECT_EQ(chart::FindSymbol(wnd, 2)->GetPin(0)->GetLinkId(), 1u);
}

TEST_F(FlowPasteTest, ACopyStartingWithAWireLeavesTheClipboardAsItWas)
{
    CHOXSymbol* a = Place(1, CPoint(100, 100));
    Place(2, CPoint(100, 200));
    CHOXConnect* ab = Wire(1, 1, 1, 2);
    ASSERT_TRUE(clipboard::Offer(QStringLiteral("text/plain"), "before"));
    doc.SetPasteOffset(CSize(40, 40));
    SelectOnly({ab, a});
    Run(ID_EDIT_COPY);
    EXPECT_EQ(clipboard::Take(QStringLiteral("text/plain")), QByteArray("before"));
    EXPECT_FALSE(clipboard::IsAvailable(CHOXClipboard::ChartFormat()));
    EXPECT_EQ(doc.GetPasteOffset(), CSize(10, 10));
}

// The fault: Cut removed what never reached the clipboard and set the flag,
// so the next paste took the old data for a cut paste and replaced the
// objects of equal ids.
TEST_F(FlowPasteTest, ACutWhoseBlockNeverReachedTheClipboardRemovesNothing)
{
    CHOXSymbol* a = Place(1, CPoint(100, 100));
    CHOXSymbol* broken = Place(2, CPoint(300, 100));
    broken->SetState(CHOXSymbol::kError);
    CHOXSymbol* b = Place(3, CPoint(100, 200));
    CHOXConnect* ab = Wire(1, 1, 1, 3);
    // Earlier data on the clipboard, with a symbol of id 1.
    auto older = std::make_unique<CHOXSymbol>(CPoint(400, 200), nullptr);
    older->SetId(1);
    OfferBlock({older.get()}, Me());

    // Without the error symbol the selection starts with the wire.
    SelectOnly({broken, ab, a});
    ASSERT_TRUE(Enabled(ID_EDIT_CUT));
    Run(ID_EDIT_CUT);
    EXPECT_EQ(Ids(wnd), (std::vector<WORD>{1, 2, 3}));
    EXPECT_EQ(Wires(), 1u);
    EXPECT_EQ(Program().clipboard.cut, 0);
    EXPECT_EQ(b->GetPin(0)->GetLinkId(), 1u);

    Run(ID_EDIT_PASTE);
    // A copy of the older symbol beside the one of id 1, which stays.
    EXPECT_EQ(chart::FindSymbol(wnd, 1), a);
    EXPECT_EQ(Ids(wnd), (std::vector<WORD>{1, 2, 3, 100}));
    EXPECT_NE(SymbolAt(wnd, CPoint(410, 210)), nullptr);
}

// The fault: a cut paste kept ids that had been handed out since the Cut and
// replaced the objects holding them.
TEST_F(FlowPasteTest, ACutPasteWhoseIdIsTakenBecomesACopyPaste)
{
    CHOXSymbol* a = Place(1, CPoint(100, 100));
    CHOXSymbol* b = Place(2, CPoint(100, 200));
    Wire(1, 1, 1, 2);
    SelectOnly({a, b});
    Run(ID_EDIT_CUT);
    // Something new has taken id 2 meanwhile.
    CHOXSymbol* newer = Place(2, CPoint(300, 300));
    Run(ID_EDIT_PASTE);
    EXPECT_EQ(chart::FindSymbol(wnd, 2), newer);
    EXPECT_EQ(Ids(wnd), (std::vector<WORD>{2, 100, 101}));
    EXPECT_EQ(Wires(), 0u);
    EXPECT_EQ(Program().clipboard.cut, 0);

    // The same for a wire id.
    view.Select(nullptr);
    for (WORD id : Ids(wnd)) wnd->RemoveObject(id);
    a = Place(1, CPoint(100, 100));
    b = Place(2, CPoint(100, 200));
    Wire(1, 1, 1, 2);
    SelectOnly({a, b});
    Run(ID_EDIT_CUT);
    Place(5, CPoint(300, 100));
    Place(6, CPoint(300, 200));
    Wire(1, 5, 1, 6);
    Run(ID_EDIT_PASTE);
    EXPECT_EQ(Wires(), 1u);
    EXPECT_EQ(chart::FindWire(wnd, 1)->GetSourceId(), 5u);
    EXPECT_EQ(chart::FindSymbol(wnd, 1), nullptr);
}

TEST_F(FlowPasteTest, ANodeNumberInUseOrUntrackedMakesACopyPasteWithoutWiresAndNodes)
{
    const struct {
        const char* what;
        std::int32_t typeAtPaste;
        bool takeNumber;
    } cases[] = {
        {"taken since the Cut", 1, true},
        // Number 200 lies outside the pointer range of a one-axis document.
        {"outside the range", 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        view.Select(nullptr);
        for (WORD id : Ids(wnd)) wnd->RemoveObject(id);
        doc.SetControllerType(1);
        CHOXSymbol* a = Place(1, CPoint(100, 100));
        CHOXSymbol* b = Place(2, CPoint(100, 200));
        CHOXConnect* ab = Wire(1, 1, 1, 2);
        ASSERT_TRUE(ab->CreateNode());
        dynamic_cast<CHOXNode*>(wnd->LookupNode(static_cast<WORD>(ab->GetNodeId())))->Renumber(200);
        doc.MarkPointerNumberUsed(200);
        SelectOnly({a, b});
        Run(ID_EDIT_CUT);
        ASSERT_FALSE(doc.IsPointerNumberUsed(200));
        if (c.takeNumber) doc.MarkPointerNumberUsed(200);
        doc.SetControllerType(c.typeAtPaste);
        ScriptedMessages messages;
        messages.Expect(kDuplicateNodes, kStop, IDOK);
        Run(ID_EDIT_PASTE);
        EXPECT_EQ(Wires(), 0u);
        EXPECT_EQ(Nodes(), 0u);
        EXPECT_EQ(Symbols(), 2u);
        EXPECT_EQ(chart::FindSymbol(wnd, 1), nullptr);
        EXPECT_EQ(Program().clipboard.cut, 0);
    }
}

TEST_F(FlowPasteTest, ASymbolWithoutAnIdIsLeftOutWithOneMessage)
{
    // Every symbol id from 0 to 4000 is in use in the other chart.
    doc.SetIdCounters({4000, 100, 0, 0, 20});
    for (int id = 0; id <= 4000; ++id) {
        auto filler = std::make_unique<CHOXSymbol>(CPoint(100, 100), other);
        filler->SetId(static_cast<DWORD>(id));
        other->AddObject(std::move(filler));
    }
    auto a = std::make_unique<CHOXSymbol>(CPoint(100, 100), nullptr);
    auto b = std::make_unique<CHOXSymbol>(CPoint(100, 200), nullptr);
    OfferBlock({a.get(), b.get()}, Me());
    ScriptedMessages messages;
    messages.Expect(QStringLiteral("ERROR : Number of Symbols exceeded the limit."), kStop, IDOK);
    Run(ID_EDIT_PASTE);
    EXPECT_EQ(Symbols(), 0u);
    EXPECT_EQ(view.GetSelectionCount(), 0u);
}

TEST_F(FlowPasteTest, ABlockThatStartsWithAnythingButASymbolPastesNothing)
{
    CHOXRect shape(CRect(10, 10, 50, 50), nullptr);
    auto symbol = std::make_unique<CHOXSymbol>(CPoint(100, 100), nullptr);
    OfferBlock({&shape, symbol.get()}, Me());
    Program().clipboard.cut = 1;
    ScriptedMessages messages;
    messages.Expect(kNotForFlowWindow, kStop, IDOK);
    Run(ID_EDIT_PASTE);
    EXPECT_EQ(Symbols(), 0u);
    EXPECT_EQ(view.GetSelectionCount(), 0u);
}

TEST_F(FlowPasteTest, ADamagedBlockIsReportedAndPastesNothing)
{
    CHOXSymbol* a = Place(1, CPoint(100, 100));
    SelectOnly({a});
    Run(ID_EDIT_COPY);
    const QByteArray whole = ClipboardBlock();
    for (qsizetype cut : {qsizetype(0), qsizetype(9), whole.size() / 2, whole.size() - 1}) {
        SCOPED_TRACE(cut);
        ASSERT_TRUE(clipboard::Offer(CHOXClipboard::ChartFormat(), whole.left(cut)));
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("Unexpected file format."), MB_OK | MB_ICONEXCLAMATION, IDOK);
        Run(ID_EDIT_PASTE);
        ASSERT_EQ(messages.seen.size(), 1u);
        EXPECT_FALSE(messages.seen.front().detail.isEmpty());
        EXPECT_EQ(Ids(wnd), std::vector<WORD>{1});
        EXPECT_EQ(view.GetSelectionCount(), 0u);
    }
    // A count the data cannot hold.
    QByteArray huge = whole;
    huge[8] = char(0xFF);
    huge[9] = char(0x7F);
    ASSERT_TRUE(clipboard::Offer(CHOXClipboard::ChartFormat(), huge));
    ScriptedMessages messages;
    messages.Expect(QStringLiteral("Unexpected file format."), MB_OK | MB_ICONEXCLAMATION, IDOK);
    Run(ID_EDIT_PASTE);
    EXPECT_EQ(Ids(wnd), std::vector<WORD>{1});
}

// ---------------------------------------------------------------------------
// Select All, Undo, New and Open

TEST_F(FlowPasteTest, SelectAllTakesEverySymbolAndNoWireOrNodeAndEndsTheWireTool)
{
    EXPECT_FALSE(Enabled(ID_EDIT_SELECT_ALL));
    CHOXSymbol* a = Place(1, CPoint(100, 100));
    CHOXSymbol* b = Place(2, CPoint(100, 200));
    ASSERT_NE(NodeOn(Wire(1, 1, 1, 2)), nullptr);
    view.OnWireTool();
    ASSERT_EQ(Mode(), 2);
    // Also while monitoring.
    doc.SetEditMode(false);
    EXPECT_TRUE(Enabled(ID_EDIT_SELECT_ALL));
    Run(ID_EDIT_SELECT_ALL);
    EXPECT_EQ(Mode(), 0);
    EXPECT_EQ(view.GetSelectionCount(), 2u);
    EXPECT_TRUE(view.IsSelected(a));
    EXPECT_TRUE(view.IsSelected(b));
    EXPECT_EQ(host.cursor, Cursor::Arrow);
}

TEST_F(FlowPasteTest, NewAndOpenEndTheCut)
{
    Program().clipboard.cut = 1;
    CHOXDoc fresh;
    ASSERT_TRUE(fresh.OnNewDocument());
    EXPECT_EQ(Program().clipboard.cut, 0);

    Program().clipboard.cut = 1;
    const QString path = QFileInfo(settings.Path()).dir().filePath(QStringLiteral("cut.hox"));
    ASSERT_TRUE(fresh.OnSaveDocument(path));
    CHOXDoc opened;
    ASSERT_TRUE(opened.OnOpenDocument(path));
    EXPECT_EQ(Program().clipboard.cut, 0);
}

TEST_F(FlowPasteTest, TheClipboardCommandsHaveTheirStatusLinesAndTips)
{
    const struct {
        UINT id;
        const char* text;
    } cases[] = {
        {ID_EDIT_CUT, "Cut the Selection and put it on the Clipboard\nCut"},
        {ID_EDIT_COPY, "Copy the Selection and put it on the Clipboard\nCopy"},
        {ID_EDIT_PASTE, "Insert Clipboard contents\nPaste"},
        {ID_EDIT_SELECT_ALL, "Select the Entire Document\nSelect All"},
    };
    for (const auto& c : cases) EXPECT_EQ(LoadStr(c.id), QString::fromLatin1(c.text)) << c.id;
}

TEST_F(FlowPasteTest, AViewNamesThisRunningCopyAndForgetsTheLastSource)
{
    Program().clipboard.sourceId = 7;
    CHOXFlowView another;
    EXPECT_EQ(Program().clipboard.instanceId, ProgramInstanceId());
    EXPECT_NE(ProgramInstanceId(), 0u);
    EXPECT_EQ(Program().clipboard.sourceId, 0u);
}

} // namespace
