// The symbol base and its pins: geometry, stored form, pin catch areas and
// joining rules, numbers given back on removal, dragging, drawing, and the
// questions the converter asks about the wires at a symbol's pins.
#include "chart/ChartFixture.h"
#include "chart/RecordingPainter.h"
#include "online/monitor/HOXMonWnd.h"
#include "platform/Archive.h"
#include "symbols/flow/HOXFlowPointer.h"
#include "symbols/flow/HOXFlowStart.h"
#include "symbols/flow/HOXFlowSubRtn.h"

#include <QPainter>

using kt::test::ChartFixture;
using kt::test::MemoryViewHost;
using kt::test::RecordingPaintDevice;
using kt::test::ScriptedMessages;
using kt::test::SideExitSymbol;

namespace {

class SymbolTest : public ChartFixture {
protected:
    // The texts drawn by the symbol, with their top-left corners.
    std::vector<std::pair<QString, QPoint>> DrawnTexts(CHOXSymbol* symbol, bool printing = false)
    {
        RecordingPaintDevice device;
        {
            QPainter painter(&device);
            CDC dc(painter, printing);
            symbol->Draw(&dc);
        }
        std::vector<std::pair<QString, QPoint>> texts;
        for (const auto& t : device.Record().texts)
            if (t.font.pixelSize() == 14) texts.emplace_back(t.text, device.TextOrigin(t));
        return texts;
    }

    const QString kPinHit = QStringLiteral("ERROR :  Pins are not vacant on this side of this Symbol.");
    const QString kOutside = QStringLiteral("ERROR:  Cannot draw out side the  Base Rectangle.");
};

} // namespace

TEST_F(SymbolTest, ANewSymbolIs64By32WithItsTwoPins)
{
    CHOXSymbol* symbol = Place(1, {100, 50});
    EXPECT_EQ(symbol->GetRect(), CRect(100, 50, 164, 82));
    EXPECT_EQ(symbol->GetObjectType(), 300);
    EXPECT_EQ(symbol->GetState(), 0);
    EXPECT_EQ(symbol->GetDisplayComment(), 1);
    EXPECT_EQ(symbol->GetDisplayContents(), 1);
    EXPECT_TRUE(symbol->GetComment().isEmpty());
    EXPECT_TRUE(symbol->GetLabel().isEmpty());
    ASSERT_EQ(symbol->GetPinCount(), 2);
    EXPECT_EQ(symbol->GetPinPosition(0), CPoint(132, 50));
    EXPECT_EQ(symbol->GetPinPosition(1), CPoint(132, 82));
    EXPECT_EQ(symbol->GetPinPosition(2), CPoint(0, 0));
    const CHOXPin* in = symbol->GetPin(0);
    const CHOXPin* out = symbol->GetPin(1);
    EXPECT_TRUE(in->IsInputSide());
    EXPECT_EQ(in->GetKind(), 0);
    EXPECT_FALSE(out->IsInputSide());
    EXPECT_EQ(out->GetKind(), 1);
    EXPECT_TRUE(in->IsFree());
    EXPECT_EQ(in->GetWnd(), wnd);
    EXPECT_EQ(out->GetObjectType(), 501);

    // In the monitor window a symbol has no pins.
    CHOXSymbol onMonitor(CPoint(10, 10), doc.GetMonWnd());
    onMonitor.CreatePins();
    EXPECT_EQ(onMonitor.GetPinCount(), 0);
}

TEST_F(SymbolTest, StoredForm)
{
    CHOXSymbol* symbol = Place(7, {100, 50});
    symbol->SetComment(QStringLiteral("ab"));
    symbol->SetDisplayContents(0);
    symbol->SetState(2);
    symbol->GetPin(0)->SetLinkId(5);
    CArchive out;
    out.WriteObject(symbol);
    const QByteArray expected =
        QByteArray::fromHex("ffff00000a00") + "CHOXSymbol" +
        QByteArray::fromHex("07000000" "6400000032000000a400000052000000" // id, bounds
                            "00"                                          // symbol name: none for the base
                            "02") + "ab" +                                // comment
        QByteArray::fromHex("01000000"                                    // display comment
                            "00"                                          // label
                            "00000000"                                    // display contents
                            "00000000"                                    // category
                            "02000000"                                    // state
                            "0200"                                        // two pins
                            "ffff00000700") + "CHOXPin" +
        QByteArray::fromHex("00000000" "20000000" "00000000" "00000000" "01000000" "05000000" // input, wire 5
                            "0380"                                                            // the class again
                            "01000000" "20000000" "20000000" "01000000" "00000000" "ffffffff");
    EXPECT_EQ(out.Buffer().toHex(), expected.toHex());

    CArchive in(out.Buffer());
    auto back = in.ReadOwned<CHOXSymbol>();
    ASSERT_TRUE(back);
    EXPECT_EQ(back->GetId(), 7u);
    EXPECT_EQ(back->GetRect(), CRect(100, 50, 164, 82));
    EXPECT_EQ(back->GetComment(), QStringLiteral("ab"));
    EXPECT_EQ(back->GetDisplayContents(), 0);
    EXPECT_EQ(back->GetState(), 2);
    ASSERT_EQ(back->GetPinCount(), 2);
    EXPECT_EQ(back->GetPin(0)->GetLinkId(), 5u);
    EXPECT_TRUE(back->GetPin(1)->IsFree());
    EXPECT_EQ(back->GetPinPosition(1), CPoint(132, 82));
    back->SetWnd(wnd);
    EXPECT_EQ(back->GetPin(1)->GetWnd(), wnd);
    CArchive again;
    again.WriteObject(back.get());
    EXPECT_EQ(again.Buffer(), out.Buffer());

    for (int cut = 0; cut < out.Buffer().size(); ++cut) {
        CArchive damaged(out.Buffer().left(cut));
        EXPECT_THROW(damaged.ReadOwned<CHOXSymbol>(), ArchiveError) << cut;
    }
}

TEST_F(SymbolTest, PinCatchAreas)
{
    CHOXSymbol* plain = Place(1, {100, 50});     // 100, 50, 164, 82
    CHOXSymbol* cjump = Place<SideExitSymbol>(2, {300, 50});
    const struct {
        CHOXSymbol* symbol;
        CPoint at;
        int pin;
    } cases[] = {
        {plain, {100, 36}, 0},  // 14 above the top edge
        {plain, {163, 63}, 0},  // just inside the upper band
        {plain, {150, 64}, -1}, // between the bands
        {plain, {150, 68}, 1},  // the lower band starts 14 above the bottom
        {plain, {163, 95}, 1},
        {plain, {164, 70}, -1}, // right of the symbol
        {plain, {120, 96}, -1}, // 14 below the bottom
        {cjump, {349, 82}, 1},
        {cjump, {350, 82}, -1}, // the bands end 14 before the right edge
        {cjump, {350, 70}, 2},
        {cjump, {350, 50}, -1}, // too high for the side pin
        {cjump, {377, 72}, 2},  // T + 9 .. T + 23, R - 14 .. R + 14
        {cjump, {378, 72}, -1},
        {cjump, {364, 73}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.at.x * 1000 + c.at.y);
        ScriptedMessages messages;
        if (c.pin == -1) messages.Expect(kPinHit, MB_OK | MB_ICONHAND, IDOK);
        EXPECT_EQ(c.symbol->FindFreePinAt(c.at), c.pin);
    }
}

TEST_F(SymbolTest, ATakenPinRefusesAndClearsTheUndoStore)
{
    CHOXSymbol* symbol = Place(1, {100, 50});
    symbol->GetPin(0)->SetLinkId(4);
    wnd->GetUndo()->RecordAdd(symbol);
    ASSERT_TRUE(wnd->GetUndo()->CanUndo());
    ScriptedMessages messages;
    messages.Expect(kPinHit, MB_OK | MB_ICONHAND, IDOK);
    EXPECT_EQ(symbol->FindFreePinAt(CPoint(120, 52)), -1);
    EXPECT_FALSE(wnd->GetUndo()->CanUndo());
}

TEST_F(SymbolTest, PinsJoinOnlyOutputToInput)
{
    CHOXSymbol* symbol = Place(1, {100, 50});
    const CHOXPin* in = symbol->GetPin(0);
    const CHOXPin* out = symbol->GetPin(1);
    const struct {
        const CHOXPin* start;
        bool endIsInput;
        const char* message;
    } cases[] = {
        {out, true, nullptr},
        {in, false, nullptr},
        {in, true, "ERROR : Input side of the symbol is connected to the Input side of the symbol."},
        {out, false, "ERROR : Output side  of the symbol is connected to the Output side of the symbol."},
    };
    for (const auto& c : cases) {
        wnd->GetUndo()->RecordAdd(symbol);
        ScriptedMessages messages;
        if (c.message != nullptr) messages.Expect(QString::fromLatin1(c.message), MB_OK | MB_ICONHAND, IDOK);
        EXPECT_EQ(c.start->CheckConnectDirection(c.endIsInput), c.message == nullptr);
        EXPECT_EQ(wnd->GetUndo()->CanUndo(), c.message == nullptr);
    }
}

TEST_F(SymbolTest, ToggleLinkTakesOrFreesTheWire)
{
    CHOXPin pin;
    EXPECT_TRUE(pin.IsFree());
    pin.ToggleLink(3);
    EXPECT_EQ(pin.GetLinkId(), 3u);
    pin.ToggleLink(3);
    EXPECT_TRUE(pin.IsFree());
    pin.ToggleLink(3);
    pin.ToggleLink(4);
    EXPECT_EQ(pin.GetLinkId(), 4u);
}

TEST_F(SymbolTest, RemoveGivesBackTheNumbersTheSymbolHolds)
{
    auto* start = Place<CHOXFlowStart>(1, {100, 50});
    auto* subroutine = Place<CHOXFlowSubRtn>(2, {200, 50});
    auto* pointer = Place<CHOXFlowPointer>(3, {300, 50});
    const int program = start->GetProgramNumber();
    ASSERT_TRUE(doc.IsProgramNumberUsed(start->GetAxis(), program));
    ASSERT_TRUE(doc.IsPointerNumberUsed(subroutine->GetPointerNumber()));
    EXPECT_FALSE(start->Remove());
    EXPECT_FALSE(doc.IsProgramNumberUsed(start->GetAxis(), program));
    subroutine->Remove();
    EXPECT_FALSE(doc.IsPointerNumberUsed(subroutine->GetPointerNumber()));
    // A node of this window carries the POINTER's number: it stays used.
    wnd->AddNode(std::make_unique<CHOXNode>(pointer->GetPointerNumber(), CRect(0, 0, 10, 10), 99, wnd));
    pointer->Remove();
    EXPECT_TRUE(doc.IsPointerNumberUsed(pointer->GetPointerNumber()));
    wnd->RemoveNode(static_cast<WORD>(pointer->GetPointerNumber()));
    pointer->Remove();
    EXPECT_FALSE(doc.IsPointerNumberUsed(pointer->GetPointerNumber()));

    // In the error state nothing is given back.
    auto* broken = Place<CHOXFlowPointer>(4, {100, 150});
    broken->SetState(2);
    broken->Remove();
    EXPECT_TRUE(doc.IsPointerNumberUsed(broken->GetPointerNumber()));
    auto* brokenStart = Place<CHOXFlowStart>(5, {200, 150});
    brokenStart->SetState(2);
    brokenStart->Remove();
    EXPECT_TRUE(doc.IsProgramNumberUsed(brokenStart->GetAxis(), brokenStart->GetProgramNumber()));
}

TEST_F(SymbolTest, AStartInTheSubtaskWindowGivesBackNoProgramNumber)
{
    auto subtask = doc.NewFlowWindow(QStringLiteral("Subtask"), QString());
    CHOXFlowWnd* sub = subtask.get();
    doc.AddWindow(QStringLiteral("Subtask"), std::move(subtask));
    CHOXFlowStart start(CPoint(100, 50), sub);
    start.SetAxis(0);
    start.SetProgramNumber(5);
    ASSERT_TRUE(doc.IsProgramNumberUsed(0, 5));
    start.Remove();
    EXPECT_TRUE(doc.IsProgramNumberUsed(0, 5));

    // Nothing at all happens in the monitor window.
    CHOXFlowStart onMonitor(CPoint(10, 10), doc.GetMonWnd());
    doc.MarkProgramNumberUsed(onMonitor.GetAxis(), onMonitor.GetProgramNumber());
    onMonitor.Remove();
    EXPECT_TRUE(doc.IsProgramNumberUsed(onMonitor.GetAxis(), onMonitor.GetProgramNumber()));
}

TEST_F(SymbolTest, WhatThePinsLeadTo)
{
    CHOXSymbol* top = Place(1, {68, 50});
    CHOXSymbol* middle = Place(2, {68, 150});
    CHOXSymbol* bottom = Place(4, {68, 300});
    Place(6, {300, 50});
    CHOXConnect* first = Wire(3, 1, 1, 2);
    CHOXConnect* second = Wire(5, 2, 1, 4);
    CHOXNode* node = NodeOn(second);
    CHOXConnect* jump = Wire(7, 6, 1, node->GetId(), CHOXConnect::kTargetNode);
    DWORD id = 0;
    EXPECT_TRUE(middle->GetLinkedSymbolId(0, &id));
    EXPECT_EQ(id, 1u);
    EXPECT_TRUE(middle->GetLinkedSymbolId(1, &id));
    EXPECT_EQ(id, 4u);
    EXPECT_EQ(middle->GetLinkedSymbol(1), bottom);
    CHOXSymbol* jumper = dynamic_cast<CHOXSymbol*>(wnd->LookupObject(6));
    EXPECT_TRUE(jumper->GetLinkedSymbolId(1, &id)); // through the node
    EXPECT_EQ(id, 4u);
    EXPECT_FALSE(top->GetLinkedSymbolId(0, &id));   // free
    EXPECT_FALSE(top->GetLinkedSymbolId(7, &id));   // no such pin

    id = 0;
    EXPECT_TRUE(jumper->GetTargetIdAt(1, &id));
    EXPECT_EQ(id, node->GetId());
    EXPECT_FALSE(middle->GetTargetIdAt(0, &id)); // an input
    EXPECT_TRUE(jumper->IsPinWireToNode(1));
    EXPECT_FALSE(middle->IsPinWireToNode(1));
    EXPECT_FALSE(middle->IsPinWireToNode(0));

    // A link to a wire that is not there counts as no wire.
    wnd->RemoveConnect(3);
    EXPECT_FALSE(middle->GetLinkedSymbolId(0, &id));
    id = 42;
    EXPECT_TRUE(top->GetTargetIdAt(1, &id));
    EXPECT_EQ(id, 42u);
    (void)first;
    (void)jump;

    middle->ClearPinLinks();
    EXPECT_TRUE(middle->GetPin(0)->IsFree());
    EXPECT_TRUE(middle->GetPin(1)->IsFree());
}

TEST_F(SymbolTest, RenumberWireNodeAsksOnlyTheWireAtPinZero)
{
    auto* pointer = Place<CHOXFlowPointer>(1, {68, 50});
    Place(2, {68, 250});
    CHOXConnect* wire = Wire(3, 1, 0, 2);
    CHOXNode* node = NodeOn(wire);
    pointer->RenumberWireNode(40);
    EXPECT_EQ(node->GetId(), 40u);
    EXPECT_EQ(wire->GetNodeId(), 40u);
    EXPECT_EQ(wnd->LookupNode(40), node);

    // A symbol without pin 0 does not take the number for a wire id.
    CHOXSymbol* pinless = Place(4, {300, 50});
    pinless->SetPinCount(0);
    Place(5, {300, 150});
    Place(6, {300, 250});
    CHOXConnect* other = Wire(41, 5, 1, 6);
    CHOXNode* otherNode = NodeOn(other);
    const DWORD before = otherNode->GetId();
    pinless->RenumberWireNode(41);
    EXPECT_EQ(otherNode->GetId(), before);
}

TEST_F(SymbolTest, DeletingTheOutputPinTakesTheWireOut)
{
    CHOXSymbol* source = Place(1, {68, 50});
    CHOXSymbol* target = Place(2, {68, 150});
    Wire(3, 1, 1, 2);
    source->DeletePins();
    EXPECT_EQ(source->GetPinCount(), 0);
    EXPECT_EQ(wnd->LookupConnect(3), nullptr);
    EXPECT_TRUE(target->GetPin(0)->IsFree());
    EXPECT_EQ(wnd->GetUndo()->GetAction(), 2);
}

// ---------------------------------------------------------------------------
// Dragging

TEST_F(SymbolTest, DraggingMovesTheSymbolAndItsWires)
{
    CHOXView view;
    MemoryViewHost host;
    view.SetHost(&host);
    CHOXSymbol* symbol = Place(1, {100, 50});
    Place(2, {100, 200});
    CHOXConnect* wire = Wire(3, 1, 1, 2);
    doc.SetModifiedFlag(false);
    symbol->OnLButtonDown(&view, MK_LBUTTON, CPoint(110, 60));
    EXPECT_TRUE(host.capture);
    symbol->OnMouseMove(&view, MK_LBUTTON, CPoint(110, 60)); // no move yet
    EXPECT_EQ(symbol->m_nDragging, 0);
    symbol->OnMouseMove(&view, MK_LBUTTON, CPoint(130, 70));
    symbol->OnMouseMove(&view, MK_LBUTTON, CPoint(140, 75));
    EXPECT_EQ(symbol->GetRect(), CRect(130, 65, 194, 97));
    EXPECT_EQ(symbol->m_nDragging, 1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(host.cursor, Cursor::Arrow);
    EXPECT_EQ(wire->GetPoints().front(), CPoint(162, 97));
    symbol->OnLButtonUp(&view, 0, CPoint(140, 75));
    EXPECT_EQ(symbol->m_nDragging, 0);
    EXPECT_FALSE(host.capture);
    EXPECT_EQ(symbol->GetRect(), CRect(130, 65, 194, 97));

    // Without the capture only the cursor is set.
    symbol->OnMouseMove(&view, 0, CPoint(300, 200));
    EXPECT_EQ(symbol->GetRect(), CRect(130, 65, 194, 97));
    // While a wire segment is dragged the symbol leaves the cursor alone.
    host.cursor = Cursor::SizeWE;
    view.m_nTracking = 1;
    symbol->OnLButtonDown(&view, MK_LBUTTON, CPoint(140, 75));
    symbol->OnMouseMove(&view, MK_LBUTTON, CPoint(141, 75));
    EXPECT_EQ(host.cursor, Cursor::SizeWE);
    symbol->OnLButtonUp(&view, 0, CPoint(141, 75));
}

TEST_F(SymbolTest, DroppedOutsideTheSheetItGoesBackWithOneMessage)
{
    CHOXView view;
    MemoryViewHost host;
    view.SetHost(&host);
    CHOXSymbol* one = Place(1, {100, 50});
    CHOXSymbol* two = Place(2, {100, 150});
    host.scroll = CPoint(0, 0);
    for (CHOXSymbol* s : {one, two}) s->OnLButtonDown(&view, MK_LBUTTON, CPoint(110, 60));
    host.scroll = CPoint(0, 0);
    for (CHOXSymbol* s : {one, two}) s->OnMouseMove(&view, MK_LBUTTON, CPoint(510, 60));
    EXPECT_EQ(one->GetRect(), CRect(500, 50, 564, 82));
    {
        ScriptedMessages messages;
        messages.Expect(kOutside, MB_OK | MB_ICONHAND, IDOK);
        for (CHOXSymbol* s : {one, two}) s->OnLButtonUp(&view, 0, CPoint(510, 60));
    }
    EXPECT_EQ(one->GetRect(), CRect(100, 50, 164, 82));
    EXPECT_EQ(two->GetRect(), CRect(100, 150, 164, 182));
    EXPECT_EQ(host.scroll, CPoint(0, 0));
    // Back where it started: no move for the undo store.
    EXPECT_EQ(one->m_ptPrevDrag, one->m_ptDragStart);

    // While a drop is being refused, the message is left to the drop.
    CHOXView::s_nOutOfSheetWarned = 0;
    CHOXView::s_nDropRefused = 1;
    one->OnLButtonDown(&view, MK_LBUTTON, CPoint(110, 60));
    one->OnMouseMove(&view, MK_LBUTTON, CPoint(110, 400));
    one->OnLButtonUp(&view, 0, CPoint(110, 400));
    EXPECT_EQ(one->GetRect(), CRect(100, 50, 164, 82));
}

// ---------------------------------------------------------------------------
// Drawing

TEST_F(SymbolTest, TheLabelStandsLeftAndTheCommentRight)
{
    class Labelled : public CHOXSymbol {
    public:
        using CHOXSymbol::CHOXSymbol;
        void SetLabel(const QString& label) { m_strLabel = label; }
    };
    auto* symbol = Place<Labelled>(1, {200, 50});
    symbol->SetLabel(QStringLiteral("P12\nLONGER LINE"));
    symbol->SetComment(QStringLiteral("twenty characters..")); // 19
    symbol->SetComment(symbol->GetComment() + QStringLiteral("!"));
    const auto texts = DrawnTexts(symbol);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].first, QStringLiteral("P12"));
    EXPECT_EQ(texts[1].first, QStringLiteral("LONGER LINE"));
    EXPECT_EQ(texts[2].first, QStringLiteral("twenty character"));
    // Both lines start at one x, 14 apart, level with the middle - 14.
    EXPECT_EQ(texts[0].second.x(), texts[1].second.x());
    EXPECT_EQ(texts[0].second.y(), 50 + 16 - 14);
    EXPECT_EQ(texts[1].second.y(), 50 + 16);
    EXPECT_EQ(texts[2].second, QPoint(266, 52));
    // The widest line ends 2 units before the symbol.
    RecordingPaintDevice device;
    QPainter painter(&device);
    CDC dc(painter);
    dc.SelectFont(CHOXSymbol::LabelFont());
    int widest = 0;
    for (const QChar c : QStringLiteral("LONGER LINE")) widest += dc.GetTextExtent(QString(c)).cx;
    EXPECT_EQ(texts[1].second.x() + widest, 200 - 2);
    EXPECT_EQ(symbol->GetLabelOrigin(&dc), CPoint(198 - widest, 52));

    // Hidden texts are not drawn; an empty label draws nothing.
    symbol->SetDisplayComment(0);
    EXPECT_EQ(DrawnTexts(symbol).size(), 2u);
    symbol->SetLabel(QString());
    EXPECT_TRUE(DrawnTexts(symbol).empty());

    // Printing follows the document's print options instead.
    symbol->SetLabel(QStringLiteral("P12"));
    symbol->SetDisplayContents(0);
    EXPECT_EQ(DrawnTexts(symbol, true).size(), 2u);
    doc.SetPrintComment(false);
    EXPECT_EQ(DrawnTexts(symbol, true).size(), 1u);
    doc.SetPrintContent(false);
    EXPECT_TRUE(DrawnTexts(symbol, true).empty());
}

TEST_F(SymbolTest, PinsAreDrawnBesideTheirPlaces)
{
    CHOXSymbol* symbol = Place(1, {100, 50});
    CHOXSymbol* cjump = Place<SideExitSymbol>(2, {300, 50});
    const QImage& topBottom = doc.GetPinBitmap(0);
    ASSERT_FALSE(topBottom.isNull());
    const int w = topBottom.width();
    const int h = topBottom.height();
    RecordingPaintDevice device;
    {
        QPainter painter(&device);
        CDC dc(painter);
        symbol->DrawPins(&dc);
        cjump->DrawPins(&dc);
    }
    const auto& images = device.Record().images;
    ASSERT_EQ(images.size(), 2u); // the conditional jump draws none
    EXPECT_EQ(images[0], QRectF(132 - w / 2, 50 - h, w, h));
    EXPECT_EQ(images[1], QRectF(132 - w / 2, 82, w, h));
}

TEST_F(SymbolTest, ADraggedSymbolIsOnlyADottedOutline)
{
    CHOXSymbol* symbol = Place(1, {100, 50});
    symbol->SetComment(QStringLiteral("note"));
    symbol->m_nDragging = 1;
    RecordingPaintDevice device;
    {
        QPainter painter(&device);
        CDC dc(painter);
        symbol->Draw(&dc);
    }
    const auto& record = device.Record();
    ASSERT_EQ(record.rects.size(), 1u);
    EXPECT_EQ(record.rects[0].pen.style(), Qt::DotLine);
    EXPECT_EQ(record.rects[0].brush.style(), Qt::NoBrush);
    EXPECT_TRUE(record.texts.empty());
    EXPECT_TRUE(record.images.empty());
}
