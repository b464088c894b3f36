// Drag and drop of a symbol between two chart views without a screen: the
// mouse pulls a symbol out of its view, the drag is delivered to the other
// view's drop handlers, and the symbol is moved or (with Ctrl) copied with its
// numbers settled. Every refusal shows its message and leaves both charts and
// the numbers as they were.
#include "chart/TransferFixture.h"
#include "support/ScriptedDrag.h"
#include "symbols/flow/HOXFlowJump.h"
#include "symbols/flow/HOXFlowPointer.h"
#include "symbols/flow/HOXFlowSubRtn.h"

#include <functional>

using namespace kt::test;

namespace {

const QString kDropOnSource =
    QStringLiteral("ERROR : Drag is initiated from this window. \nCannot Drop in the same window.");
const QString kOutsideSheet = QStringLiteral("ERROR:  Cannot draw out side the  Base Rectangle.");

class FlowDragDropTest : public TransferFixture {
protected:
    // Presses on the symbol and pulls it out of the view to the right: the
    // first move takes it beyond the scroll extent, the second starts the
    // drag.
    void PullOut(const CHOXDrawObj* symbol)
    {
        const CPoint grip(symbol->GetRect().left + 20, symbol->GetRect().top + 10);
        Press(grip);
        MoveTo(CPoint(grip.x + 500, grip.y));
        MoveTo(CPoint(grip.x + 510, grip.y));
    }
    int UsedPointers() const
    {
        int used = 0;
        for (int n = 0; n <= 255; ++n) used += doc.IsPointerNumberUsed(n) ? 1 : 0;
        return used;
    }
    // The device point of a document point in the other view.
    CPoint OtherDev(CPoint docPoint) const { return otherView.DocToClient(docPoint); }
    // The one symbol of a chart, null unless there is exactly one.
    static CHOXSymbol* Only(const CHOXWnd* record)
    {
        if (record->GetObjectMap().GetCount() != 1) return nullptr;
        return dynamic_cast<CHOXSymbol*>(record->GetObjectMap().begin()->second.get());
    }

    ScriptedDrag drag;
};

TEST_F(FlowDragDropTest, AMovedSymbolKeepsItsNumbersInTheOtherChart)
{
    const struct {
        const char* what;
        std::function<CHOXSymbol*()> make;
    } cases[] = {
        {"POINTER", [this] { return Place<CHOXFlowPointer>(1, CPoint(100, 100)); }},
        {"SUBROUTINE", [this] { return Place<CHOXFlowSubRtn>(1, CPoint(100, 100)); }},
        {"START", [this] { return Place<CHOXFlowStart>(1, CPoint(100, 100)); }},
        {"program in text",
         [this] {
             auto* text = Place<CTestProgText>(1, CPoint(100, 100));
             text->labels = {7, 9};
             doc.MarkPointerNumberUsed(7);
             doc.MarkPointerNumberUsed(9);
             return text;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        view.Select(nullptr);
        otherView.Select(nullptr);
        for (WORD id : Ids(other)) other->RemoveObject(id);
        doc.MarkPointerNumberUsed(0);
        CHOXSymbol* symbol = c.make();
        const std::vector<CHOXSymbol::HeldNumber> held = symbol->GetHeldNumbers();
        ASSERT_FALSE(held.empty());
        wnd->GetUndo()->RecordAdd(symbol);
        other->GetUndo()->RecordAdd(symbol);

        const std::size_t drags = drag.seen.size();
        drag.DropOn(otherView, OtherDev(CPoint(200, 150)));
        PullOut(symbol);

        ASSERT_EQ(drag.seen.size(), drags + 1);
        EXPECT_EQ(drag.seen.back().allowed, DROPEFFECT_COPY | DROPEFFECT_MOVE);
        EXPECT_EQ(drag.seen.back().enter, DROPEFFECT_MOVE);
        EXPECT_EQ(drag.seen.back().result, DROPEFFECT_MOVE);
        EXPECT_EQ(Symbols(), 0u);
        CHOXSymbol* moved = Only(other);
        ASSERT_NE(moved, nullptr);
        EXPECT_EQ(moved->GetRect().TopLeft(), CPoint(200, 150));
        EXPECT_EQ(moved->GetWnd(), other);
        EXPECT_EQ(moved->GetState(), CHOXSymbol::kNormal);
        const std::vector<CHOXSymbol::HeldNumber> now = moved->GetHeldNumbers();
        ASSERT_EQ(now.size(), held.size());
        for (std::size_t i = 0; i < held.size(); ++i) {
            EXPECT_EQ(now[i].number, held[i].number);
            EXPECT_EQ(now[i].axis, held[i].axis);
            EXPECT_TRUE(now[i].IsUsedIn(doc)) << now[i].number;
        }
        // Pins of its own, free; both undo stores forget; the drag is over.
        EXPECT_GT(moved->GetPinCount(), 0);
        for (const auto& pin : moved->GetPins()) EXPECT_TRUE(pin->IsFree());
        EXPECT_FALSE(wnd->GetUndo()->CanUndo());
        EXPECT_FALSE(other->GetUndo()->CanUndo());
        EXPECT_EQ(doc.GetDragSource(), nullptr);
        EXPECT_EQ(view.GetSelectionCount(), 0u);
        EXPECT_FALSE(host.capture);
        EXPECT_EQ(Program().editing.dropRefused, 0);
    }
}

TEST_F(FlowDragDropTest, ACopyTakesAFreshNumberAndTheSourceKeepsItsOwn)
{
    auto* pointer = Place<CHOXFlowPointer>(1, CPoint(100, 100));
    const int n = pointer->GetPointerNumber();
    auto* jump = Place<CHOXFlowJump>(2, CPoint(300, 100));
    jump->SetPointerNumber(n);

    drag.DropOn(otherView, OtherDev(CPoint(200, 150)), MK_CONTROL);
    PullOut(pointer);
    ASSERT_EQ(drag.seen.size(), 1u);
    EXPECT_EQ(drag.seen.back().enter, DROPEFFECT_COPY);
    EXPECT_EQ(drag.seen.back().result, DROPEFFECT_COPY);
    // The source symbol goes back where the mouse took it, without a word.
    EXPECT_EQ(pointer->GetRect().TopLeft(), CPoint(100, 100));
    EXPECT_EQ(pointer->GetPointerNumber(), n);
    CHOXSymbol* copy = Only(other);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy->GetPointerNumber(), n);
    EXPECT_TRUE(doc.IsPointerNumberUsed(n));
    EXPECT_TRUE(doc.IsPointerNumberUsed(copy->GetPointerNumber()));
    EXPECT_EQ(copy->GetLabel(), QStringLiteral("P%1").arg(copy->GetPointerNumber()));

    // A moved JUMP still jumps to its label; a copied one starts without.
    drag.DropOn(otherView, OtherDev(CPoint(300, 150)), MK_CONTROL);
    PullOut(jump);
    drag.DropOn(otherView, OtherDev(CPoint(100, 250)));
    PullOut(jump);
    CHOXSymbol* copied = SymbolAt(other, CPoint(300, 150));
    CHOXSymbol* moved = SymbolAt(other, CPoint(100, 250));
    ASSERT_NE(copied, nullptr);
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(copied->GetPointerNumber(), -1);
    EXPECT_EQ(moved->GetPointerNumber(), n);
    EXPECT_EQ(Symbols(), 1u);
}

TEST_F(FlowDragDropTest, ADropIntoTheWindowItCameFromChangesNothing)
{
    auto* pointer = Place<CHOXFlowPointer>(1, CPoint(100, 100));
    const int n = pointer->GetPointerNumber();
    for (DWORD keys : {DWORD(0), DWORD(MK_CONTROL)}) {
        SCOPED_TRACE(keys);
        ScriptedMessages messages;
        messages.Expect(kDropOnSource, kStop, IDOK);
        drag.DropOn(view, Dev(CPoint(300, 150)), keys);
        PullOut(pointer);
        ASSERT_FALSE(drag.seen.empty());
        // Over its own view a plain drag shows no effect until it moves.
        EXPECT_EQ(drag.seen.back().enter, keys != 0 ? DROPEFFECT_COPY : DROPEFFECT_NONE);
        EXPECT_EQ(drag.seen.back().result, DROPEFFECT_NONE);
        EXPECT_EQ(Ids(wnd), std::vector<WORD>{1});
        EXPECT_EQ(pointer->GetRect().TopLeft(), CPoint(100, 100));
        EXPECT_EQ(pointer->GetPointerNumber(), n);
        EXPECT_TRUE(doc.IsPointerNumberUsed(n));
        EXPECT_EQ(UsedPointers(), 1);
        EXPECT_EQ(Program().editing.dropRefused, 0);
        EXPECT_EQ(doc.GetDragSource(), nullptr);
    }
}

TEST_F(FlowDragDropTest, SymbolsInErrorOrMissingCannotBeDragged)
{
    const struct {
        std::int32_t state;
        QString message;
    } cases[] = {
        {CHOXSymbol::kError, QStringLiteral("ERROR: Symbols in Error State cannot be dragged .   ")},
        {CHOXSymbol::kMissing, QStringLiteral("ERROR: Missing State Icons cannot be Dragged.")},
    };
    for (const auto& c : cases) {
        view.Select(nullptr);
        for (WORD id : Ids(wnd)) wnd->RemoveObject(id);
        CHOXSymbol* symbol = Place(1, CPoint(100, 100));
        symbol->SetState(c.state);
        ScriptedMessages messages;
        messages.Expect(c.message, kStop, IDOK);
        PullOut(symbol);
        EXPECT_TRUE(drag.seen.empty());
        EXPECT_EQ(symbol->GetRect().TopLeft(), CPoint(100, 100));
        EXPECT_EQ(Symbols(), 1u);
        EXPECT_EQ(other->GetObjectMap().GetCount(), 0u);
        EXPECT_EQ(Program().editing.dropRefused, 0);
    }
}

TEST_F(FlowDragDropTest, WithTwoObjectsSelectedNoDragStarts)
{
    CHOXSymbol* a = Place(1, CPoint(100, 100));
    CHOXSymbol* b = Place(2, CPoint(100, 200));
    SelectOnly({a, b});
    PullOut(a);
    EXPECT_TRUE(drag.seen.empty());
    EXPECT_EQ(doc.GetDragSource(), nullptr);
    // The release brings both back from beyond the sheet.
    ScriptedMessages messages;
    messages.Expect(kOutsideSheet, kStop, IDOK);
    Release(CPoint(620, 110));
    EXPECT_EQ(a->GetRect().TopLeft(), CPoint(100, 100));
    EXPECT_EQ(b->GetRect().TopLeft(), CPoint(100, 200));
}

// The fault: the copy refused outside the sheet was removed as if it had
// been placed, giving back numbers that the source still held.
TEST_F(FlowDragDropTest, ADropOutsideTheBaseSheetLeavesBothChartsAndTheNumbers)
{
    auto* pointer = Place<CHOXFlowPointer>(1, CPoint(100, 100));
    const int n = pointer->GetPointerNumber();
    for (DWORD keys : {DWORD(0), DWORD(MK_CONTROL)}) {
        SCOPED_TRACE(keys);
        ScriptedMessages messages;
        messages.Expect(kOutsideSheet, kStop, IDOK);
        drag.DropOn(otherView, OtherDev(CPoint(470, 200)), keys);
        PullOut(pointer);
        EXPECT_EQ(drag.seen.back().result, DROPEFFECT_NONE);
        EXPECT_EQ(other->GetObjectMap().GetCount(), 0u);
        EXPECT_EQ(Ids(wnd), std::vector<WORD>{1});
        EXPECT_EQ(pointer->GetRect().TopLeft(), CPoint(100, 100));
        EXPECT_TRUE(doc.IsPointerNumberUsed(n));
        EXPECT_EQ(UsedPointers(), 1);
    }
}

// The fault: a START copied into the subtask chart followed the ordinary
// rules and never became the subtask's START.
TEST_F(FlowDragDropTest, AStartDraggedIntoTheSubtaskChartBecomesItsStart)
{
    CHOXFlowWnd* subtask = AddSubtask();
    CHOXFlowView subtaskView;
    MemoryViewHost subtaskHost{CRect(0, 0, 400, 300)};
    subtaskView.SetHost(&subtaskHost);
    doc.AddView(&subtaskView);
    subtaskView.ShowRecord(subtask);
    subtaskView.OnInitialUpdate();
    auto* start = Place<CHOXFlowStart>(1, CPoint(100, 100));
    const int number = start->GetProgramNumber();

    // Copied: the source keeps its number.
    drag.DropOn(subtaskView, subtaskView.DocToClient(CPoint(200, 150)), MK_CONTROL);
    PullOut(start);
    auto* copy = dynamic_cast<CHOXFlowStart*>(Only(subtask));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetProgramNumber(), 100);
    EXPECT_EQ(copy->GetAxis(), 2);
    EXPECT_EQ(copy->GetLabel(), QStringLiteral("O100"));
    EXPECT_TRUE(doc.IsProgramNumberUsed(0, number));

    // A second one is refused.
    ScriptedMessages messages;
    messages.Expect(QStringLiteral("ERROR : Start Symbol is already present in the Subtask Window."), kStop, IDOK);
    drag.DropOn(subtaskView, subtaskView.DocToClient(CPoint(200, 200)));
    PullOut(start);
    EXPECT_EQ(subtask->GetObjectMap().GetCount(), 1u);
    EXPECT_EQ(Symbols(), 1u);

    // Moved: the number it had goes back.
    view.Select(nullptr);
    subtask->RemoveObject(static_cast<WORD>(copy->GetId()));
    drag.DropOn(subtaskView, subtaskView.DocToClient(CPoint(200, 150)));
    PullOut(start);
    EXPECT_EQ(Symbols(), 0u);
    auto* moved = dynamic_cast<CHOXFlowStart*>(Only(subtask));
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(moved->GetProgramNumber(), 100);
    EXPECT_FALSE(doc.IsProgramNumberUsed(0, number));
    EXPECT_EQ(Program().editing.subtaskStartMoved, 0);

    // And back out of the subtask chart it takes a program of its own.
    drag.DropOn(view, Dev(CPoint(200, 150)));
    {
        const CPoint grip(moved->GetRect().left + 20, moved->GetRect().top + 10);
        subtaskView.OnLButtonDown(MK_LBUTTON, subtaskView.DocToClient(grip));
        subtaskView.OnMouseMove(MK_LBUTTON, subtaskView.DocToClient(CPoint(grip.x + 500, grip.y)));
        subtaskView.OnMouseMove(MK_LBUTTON, subtaskView.DocToClient(CPoint(grip.x + 510, grip.y)));
    }
    auto* back = dynamic_cast<CHOXFlowStart*>(Only(wnd));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetAxis(), 0);
    EXPECT_EQ(back->GetProgramNumber(), 0);
    EXPECT_TRUE(doc.IsProgramNumberUsed(0, 0));
    EXPECT_EQ(subtask->GetObjectMap().GetCount(), 0u);
    doc.RemoveView(&subtaskView);
}

TEST_F(FlowDragDropTest, ACopiedStartWithNoProgramNumberLeftIsRefused)
{
    doc.SetControllerType(0);
    auto* start = Place<CHOXFlowStart>(1, CPoint(100, 100));
    for (int n = 0; n < 100; ++n) doc.MarkProgramNumberUsed(0, n);
    ScriptedMessages messages;
    messages.Expect(
        QStringLiteral("ERROR : Can not Paste START symbol.\nMaximum program number (99)  has been reached."), kStop,
        IDOK);
    drag.DropOn(otherView, OtherDev(CPoint(200, 150)), MK_CONTROL);
    PullOut(start);
    EXPECT_EQ(other->GetObjectMap().GetCount(), 0u);
    EXPECT_EQ(Symbols(), 1u);
}

TEST_F(FlowDragDropTest, ACopiedPointerWithNoNumberLeftIsRefused)
{
    doc.SetControllerType(0);
    auto* pointer = Place<CHOXFlowPointer>(1, CPoint(100, 100));
    for (int n = 0; n <= 127; ++n) doc.MarkPointerNumberUsed(n);
    ScriptedMessages messages;
    messages.Expect(QStringLiteral("ERROR : Pointer number  exceeds the Maximum limit."), kStop, IDOK);
    drag.DropOn(otherView, OtherDev(CPoint(200, 150)), MK_CONTROL);
    PullOut(pointer);
    EXPECT_EQ(other->GetObjectMap().GetCount(), 0u);
    EXPECT_EQ(pointer->GetRect().TopLeft(), CPoint(100, 100));
    EXPECT_EQ(UsedPointers(), 128);
}

TEST_F(FlowDragDropTest, AProgramInTextCopiedWithinTheDocumentComesInTheErrorState)
{
    auto* text = Place<CTestProgText>(1, CPoint(100, 100));
    text->labels = {7};
    doc.MarkPointerNumberUsed(7);
    drag.DropOn(otherView, OtherDev(CPoint(200, 150)), MK_CONTROL);
    PullOut(text);
    CHOXSymbol* copy = Only(other);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetState(), CHOXSymbol::kError);
    EXPECT_EQ(text->GetState(), CHOXSymbol::kNormal);
    EXPECT_TRUE(doc.IsPointerNumberUsed(7));
}

TEST_F(FlowDragDropTest, AMovedSymbolLeavesItsWiresBehindAndTheCopyNone)
{
    CHOXSymbol* a = Place(1, CPoint(100, 40));
    CHOXSymbol* b = Place(2, CPoint(100, 140));
    CHOXSymbol* c = Place(3, CPoint(100, 240));
    Wire(1, 1, 1, 2);
    Wire(2, 2, 1, 3);
    drag.DropOn(otherView, OtherDev(CPoint(200, 150)));
    PullOut(b);
    EXPECT_EQ(Wires(), 0u);
    EXPECT_TRUE(a->GetPin(1)->IsFree());
    EXPECT_TRUE(c->GetPin(0)->IsFree());
    EXPECT_EQ(other->GetConnectMap().GetCount(), 0u);
    CHOXSymbol* moved = Only(other);
    ASSERT_NE(moved, nullptr);
    for (const auto& pin : moved->GetPins()) EXPECT_TRUE(pin->IsFree());
}

TEST_F(FlowDragDropTest, TheFeedbackAnswersByKeysAndWhereTheSymbolWouldFall)
{
    CHOXSymbol* a = Place(1, CPoint(100, 100));
    COleDataSource source;
    ASSERT_TRUE(CHOXClipboard(&doc).WriteObjects({a}, source, CHOXClipboard::DragFormat()));
    COleDataObject data(source.GetBlocks());
    COleDataObject foreign({{QStringLiteral("text/plain"), QByteArray("x")}});
    const CPoint inside = OtherDev(CPoint(200, 150));
    EXPECT_EQ(otherView.OnDragEnter(&data, 0, inside), DROPEFFECT_MOVE);
    EXPECT_EQ(otherView.OnDragEnter(&data, MK_CONTROL, inside), DROPEFFECT_COPY);
    EXPECT_EQ(otherView.OnDragEnter(&foreign, 0, inside), DROPEFFECT_NONE);
    EXPECT_EQ(otherView.OnDragOver(&data, 0, inside), DROPEFFECT_MOVE);
    EXPECT_EQ(otherView.OnDragOver(&data, MK_CONTROL, inside), DROPEFFECT_COPY);
    EXPECT_EQ(otherView.OnDragOver(&foreign, 0, inside), DROPEFFECT_NONE);
    EXPECT_EQ(otherView.m_nDragFeedback, 1);
    EXPECT_EQ(otherView.m_sizeDrag, CSize(64, 32));
    // Beyond the scroll extent less 30 nothing would fall.
    EXPECT_EQ(otherView.OnDragOver(&data, 0, OtherDev(CPoint(490, 290))), DROPEFFECT_NONE);
    EXPECT_EQ(otherView.OnDragOver(&data, 0, OtherDev(CPoint(460, 270))), DROPEFFECT_MOVE);
    otherView.OnDragLeave();
    EXPECT_EQ(otherView.m_nDragFeedback, 0);
    // While the document is monitored nothing may fall.
    doc.SetEditMode(false);
    EXPECT_EQ(otherView.OnDragOver(&data, 0, inside), DROPEFFECT_NONE);
    EXPECT_FALSE(otherView.OnDrop(&data, DROPEFFECT_MOVE, inside));
    EXPECT_EQ(other->GetObjectMap().GetCount(), 0u);
}

// ---------------------------------------------------------------------------
// From another document (another running copy of the program)

class DragFromOutsideTest : public FlowDragDropTest {
protected:
    DragFromOutsideTest()
    {
        outside.SetControllerType(0);
        auto chart = outside.NewFlowWindow(QStringLiteral("Flow Chart1"), QString());
        target = chart.get();
        outside.AddWindow(QStringLiteral("Flow Chart1"), std::move(chart));
        targetView.SetHost(&targetHost);
        outside.AddView(&targetView);
        targetView.ShowRecord(target);
        targetView.OnInitialUpdate();
    }
    ~DragFromOutsideTest() override { outside.RemoveView(&targetView); }

    CHOXDoc outside;
    CHOXFlowWnd* target = nullptr;
    MemoryViewHost targetHost{CRect(0, 0, 400, 300)};
    CHOXFlowView targetView;
};

// The fault: a drop whose list the filter emptied answered success, and a
// move deleted the source's symbol.
TEST_F(DragFromOutsideTest, AStartTheTargetTypeCannotRunIsRefusedAndTheSourceKeepsIt)
{
    auto* start = Place<CHOXFlowStart>(1, CPoint(100, 100));
    start->SetAxis(1);
    COleDataSource source;
    ASSERT_TRUE(CHOXClipboard(&doc).WriteObjects({start}, source, CHOXClipboard::DragFormat()));
    COleDataObject data(source.GetBlocks());
    const CPoint at = targetView.DocToClient(CPoint(200, 150));
    EXPECT_EQ(targetView.OnDragOver(&data, 0, at), DROPEFFECT_NONE);
    ScriptedMessages messages;
    messages.Expect(QStringLiteral("ERROR : Cannot drop Y-axis Start Symbol in ZE-10RE program."), kStop, IDOK);
    EXPECT_FALSE(targetView.OnDrop(&data, DROPEFFECT_MOVE, at));
    EXPECT_EQ(target->GetObjectMap().GetCount(), 0u);
    EXPECT_EQ(Program().editing.dropRefused, 0);

    // Over the mouse: no effect, no drop; the symbol goes back (it was let
    // go outside every chart).
    messages.Expect(kOutsideSheet, kStop, IDOK);
    drag.DropOn(targetView, at);
    PullOut(start);
    EXPECT_FALSE(drag.seen.back().dropped);
    EXPECT_EQ(Ids(wnd), std::vector<WORD>{1});
    EXPECT_EQ(start->GetRect().TopLeft(), CPoint(100, 100));
}

TEST_F(DragFromOutsideTest, EachStartTheTargetCannotRunIsRefusedWithItsReason)
{
    const struct {
        std::int32_t targetType;
        std::int32_t axis;
        QString message;
    } cases[] = {
        {0, 1, QStringLiteral("ERROR : Cannot drop Y-axis Start Symbol in ZE-10RE program.")},
        {0, 2, QStringLiteral("ERROR : Cannot drop Start Symbol dragged from \nRO-20ZU Simultaneous.")},
        {1, 2, QStringLiteral("ERROR : Cannot drop Start Symbol dragged from \nRO-20ZU Simultaneous.")},
        {2, 0,
         QStringLiteral("ERROR : Cannot drop Start Symbol dragged from other \nDA-ZU type onto RO-20ZU Simultaneous.")},
        {2, 1,
         QStringLiteral("ERROR : Cannot drop Start Symbol dragged from other \nDA-ZU type onto RO-20ZU Simultaneous.")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        outside.SetControllerType(c.targetType);
        const std::unique_ptr<CHOXSymbol> start = LooseStart(c.axis, 5);
        COleDataSource source;
        ASSERT_TRUE(CHOXClipboard(&doc).WriteObjects({start.get()}, source, CHOXClipboard::DragFormat()));
        COleDataObject data(source.GetBlocks());
        ScriptedMessages messages;
        messages.Expect(c.message, kStop, IDOK);
        EXPECT_FALSE(targetView.OnDrop(&data, DROPEFFECT_COPY, targetView.DocToClient(CPoint(200, 150))));
        EXPECT_EQ(target->GetObjectMap().GetCount(), 0u);
        EXPECT_FALSE(outside.IsProgramNumberUsed(0, 5));
    }
}

TEST_F(DragFromOutsideTest, NumbersFromOutsideAreKeptWhenFreeElseFresh)
{
    doc.SetControllerType(0);
    auto* start = Place<CHOXFlowStart>(1, CPoint(100, 100));
    auto* pointer = Place<CHOXFlowPointer>(2, CPoint(300, 100));
    pointer->SetPointerNumber(5);
    // The target has 5 taken; the START's number is free there.
    outside.MarkPointerNumberUsed(5);

    drag.DropOn(targetView, targetView.DocToClient(CPoint(100, 150)));
    PullOut(start);
    drag.DropOn(targetView, targetView.DocToClient(CPoint(300, 150)));
    PullOut(pointer);
    // Moved to another document: gone here, numbers given back.
    EXPECT_EQ(Symbols(), 0u);
    EXPECT_FALSE(doc.IsPointerNumberUsed(5));
    EXPECT_FALSE(doc.IsProgramNumberUsed(0, 0));
    auto* startThere = dynamic_cast<CHOXFlowStart*>(SymbolAt(target, CPoint(100, 150)));
    ASSERT_NE(startThere, nullptr);
    EXPECT_EQ(startThere->GetProgramNumber(), 0);
    EXPECT_TRUE(outside.IsProgramNumberUsed(0, 0));
    CHOXSymbol* pointerThere = SymbolAt(target, CPoint(300, 150));
    ASSERT_NE(pointerThere, nullptr);
    EXPECT_EQ(pointerThere->GetPointerNumber(), 0);
    EXPECT_TRUE(outside.IsPointerNumberUsed(0));
    EXPECT_TRUE(outside.IsPointerNumberUsed(5));
    EXPECT_EQ(outside.GetDragSource(), nullptr);
}


// The fault: a dropped POINTER or SUBROUTINE whose number was free kept the
// label the stream brought, though it held, marked and wrote its number; the
// next save and reopen changed the label. A stream from a damaged or foreign
// writer is where the two part.
TEST_F(DragFromOutsideTest, ADroppedLabelSymbolShowsTheNumberItHolds)
{
    const struct {
        const char* what;
        std::function<std::unique_ptr<CHOXSymbol>()> make;
        DWORD effect;
    } cases[] = {
        {"POINTER copied", [] { return LooseLabel<CHOXFlowPointer>(6); }, DROPEFFECT_COPY},
        {"POINTER moved", [] { return LooseLabel<CHOXFlowPointer>(6); }, DROPEFFECT_MOVE},
        {"SUBROUTINE copied", [] { return LooseLabel<CHOXFlowSubRtn>(6); }, DROPEFFECT_COPY},
        {"SUBROUTINE moved", [] { return LooseLabel<CHOXFlowSubRtn>(6); }, DROPEFFECT_MOVE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (WORD id : Ids(target)) target->RemoveObject(id);
        const std::unique_ptr<CHOXSymbol> symbol = c.make();
        ASSERT_EQ(symbol->GetLabel(), QStringLiteral("P6"));
        COleDataSource source;
        ASSERT_TRUE(CHOXClipboard(&doc).WriteObjects({symbol.get()}, source, CHOXClipboard::DragFormat()));
        // The number is the stream's last field: 6 becomes 5, the label stays.
        QByteArray stream = source.GetBlocks().front().second;
        ASSERT_EQ(stream.right(4), QByteArray("\x06\x00\x00\x00", 4));
        stream[stream.size() - 4] = '\x05';
        COleDataObject data({{CHOXClipboard::DragFormat(), stream}});

        ASSERT_TRUE(targetView.OnDrop(&data, c.effect, targetView.DocToClient(CPoint(200, 150))));
        CHOXSymbol* dropped = SymbolAt(target, CPoint(200, 150));
        ASSERT_NE(dropped, nullptr);
        EXPECT_EQ(dropped->GetPointerNumber(), 5);
        EXPECT_TRUE(outside.IsPointerNumberUsed(5));
        EXPECT_EQ(dropped->GetLabel(), QStringLiteral("P5"));
        EXPECT_TRUE(dropped->GetCode().startsWith(QStringLiteral("P5"))) << dropped->GetCode().toStdString();
        outside.FreePointerNumber(5);
    }
}

} // namespace
