// The property dialogs of the flow-control symbols run on scripts: each
// refusal with its message and the user put on the field, what each symbol
// takes after OK and leaves after Cancel, and the number tables in step
// with it. Among them the three faults: an unchanged START keeps its number,
// an END the importer left missing becomes the END of its window, not a
// subtask end.
#include "chart/HOXUndo.h"
#include "symbols/CodeDialogSupport.h"
#include "symbols/flow/HOXFlowCall.h"
#include "symbols/flow/HOXFlowCallDlg.h"
#include "symbols/flow/HOXFlowEnd.h"
#include "symbols/flow/HOXFlowEndDlg.h"
#include "symbols/flow/HOXFlowJump.h"
#include "symbols/flow/HOXFlowJumpDlg.h"
#include "symbols/flow/HOXFlowJumpEnd.h"
#include "symbols/flow/HOXFlowJumpEndDlg.h"
#include "symbols/flow/HOXFlowPointer.h"
#include "symbols/flow/HOXFlowPointerDlg.h"
#include "symbols/flow/HOXFlowRet.h"
#include "symbols/flow/HOXFlowStart.h"
#include "symbols/flow/HOXFlowStartDlg.h"
#include "symbols/flow/HOXFlowSubRtn.h"

#include <functional>

using kt::test::DialogDriver;
using kt::test::ExpectOkRefused;
using kt::test::RecordingHelp;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedMessages;
using Start = CHOXFlowStartDlg;
using Pointer = CHOXFlowPointerDlg;
using Jump = CHOXFlowJumpDlg;
using Call = CHOXFlowCallDlg;
using EndDlg = CHOXFlowEndDlg;
using Marker = CHOXFlowJumpEndDlg;

namespace {

class FlowDialogsTest : public kt::test::CodeDialogTest {
protected:
    // Double-clicks the symbol with the script playing its dialog.
    void Open(CHOXDrawObj* object, UINT templateId, ScriptedDialogs::Script script)
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(templateId, std::move(script));
        object->OnOpen(0, CPoint());
    }
    // A step the chart could undo, so that a test sees the store emptied.
    void LeaveSomethingToUndo(CHOXWnd* wnd, CHOXDrawObj* object)
    {
        wnd->GetUndo()->RecordAdd(object);
        ASSERT_TRUE(wnd->GetUndo()->CanUndo());
        doc->SetModifiedFlag(false);
    }
};

void ClickOk(DialogDriver& d) { d.Click(IDOK); }
void ClickCancel(DialogDriver& d) { d.Click(IDCANCEL); }

} // namespace

// ---------------------------------------------------------------------------
// START

TEST_F(FlowDialogsTest, StartRefusesNumbersOutOfRangeAndTakenInItsAxis)
{
    Place<CHOXFlowStart>(chart); // Ox0
    CHOXFlowStart* start = Place<CHOXFlowStart>(chart, CPoint(200, 50));
    ASSERT_EQ(start->GetProgramNumber(), 1);
    Open(start, Start::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(d.Text(Start::kPrefix), QStringLiteral("Ox"));
        EXPECT_EQ(d.Text(Start::kNumber), QStringLiteral("1"));
        EXPECT_EQ(d.Check(Start::kXAxis), 1);
        EXPECT_TRUE(d.Enabled(Start::kYAxis));
        d.Type(Start::kNumber, QStringLiteral("0"));
        ExpectOkRefused(d, Start::kNumber, LoadStr(13232));
        d.Type(Start::kNumber, QStringLiteral("100"));
        ExpectOkRefused(d, Start::kNumber, LoadStr(13231));
        d.Type(Start::kNumber, QStringLiteral("-1"));
        ExpectOkRefused(d, Start::kNumber, LoadStr(13231));
        // The Y axis has its own numbers: choosing it starts at Oy0.
        d.Click(Start::kYAxis);
        EXPECT_EQ(d.Text(Start::kPrefix), QStringLiteral("Oy"));
        EXPECT_EQ(d.Text(Start::kNumber), QStringLiteral("0"));
        d.Click(IDOK);
        EXPECT_EQ(d.Result(), IDOK);
    });
    EXPECT_EQ(start->GetAxis(), 1);
    EXPECT_EQ(start->GetProgramNumber(), 0);
    EXPECT_EQ(start->GetLabel(), QStringLiteral("Oy0"));
    EXPECT_FALSE(doc->IsProgramNumberUsed(0, 1));
    EXPECT_TRUE(doc->IsProgramNumberUsed(0, 0));
    EXPECT_TRUE(doc->IsProgramNumberUsed(1, 0));
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(FlowDialogsTest, StartRulesFollowTheControllerTypeAndTheSubtask)
{
    // One axis: X only.
    MakeDocument(0);
    CHOXFlowStart* one = Place<CHOXFlowStart>(chart);
    Open(one, Start::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(d.Text(Start::kPrefix), QStringLiteral("Ox"));
        EXPECT_FALSE(d.Enabled(Start::kYAxis));
        EXPECT_TRUE(d.Enabled(Start::kXAxis));
        d.Type(Start::kNumber, QStringLiteral("7"));
        d.Click(IDOK);
    });
    EXPECT_EQ(one->GetLabel(), QStringLiteral("Ox7"));

    // Both axes together: no axis to choose, the program is axis 2.
    MakeDocument(2);
    CHOXFlowStart* both = Place<CHOXFlowStart>(chart);
    Open(both, Start::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(d.Text(Start::kPrefix), QStringLiteral("O"));
        EXPECT_FALSE(d.Enabled(Start::kXAxis));
        EXPECT_FALSE(d.Enabled(Start::kYAxis));
        EXPECT_EQ(d.Check(Start::kXAxis) + d.Check(Start::kYAxis), 0);
        d.Type(Start::kNumber, QStringLiteral("4"));
        d.Click(IDOK);
    });
    EXPECT_EQ(both->GetAxis(), 2);
    EXPECT_EQ(both->GetLabel(), QStringLiteral("O4"));
    EXPECT_TRUE(doc->IsProgramNumberUsed(0, 4));
    EXPECT_FALSE(doc->IsProgramNumberUsed(0, 0));

    // The subtask's START is O100 whatever the edit held.
    MakeDocument(1);
    CHOXFlowStart* sub = Place<CHOXFlowStart>(subtask);
    Open(sub, Start::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(d.Text(Start::kPrefix), QStringLiteral("O"));
        for (int id : {Start::kXAxis, Start::kYAxis, Start::kNumber, Start::kSpin}) EXPECT_FALSE(d.Enabled(id)) << id;
        EXPECT_EQ(d.Text(Start::kNumber), QStringLiteral("100"));
        d.Click(IDOK);
    });
    EXPECT_EQ(sub->GetAxis(), 2);
    EXPECT_EQ(sub->GetProgramNumber(), 100);
    EXPECT_EQ(sub->GetCode(), QStringLiteral("O100;"));
    EXPECT_EQ(UsedProgramNumbers(0) + UsedProgramNumbers(1), 0);
}

// A START whose comment alone changes keeps its number: the next START
// must not get the same one.
TEST_F(FlowDialogsTest, AnUnchangedStartKeepsItsNumberTaken)
{
    CHOXFlowStart* start = Place<CHOXFlowStart>(chart);
    ASSERT_EQ(start->GetProgramNumber(), 0);
    LeaveSomethingToUndo(chart, start);
    Open(start, Start::kTemplate, [](DialogDriver& d) {
        d.Type(Start::kComment, QStringLiteral("main"));
        d.Click(IDOK);
    });
    EXPECT_EQ(start->GetComment(), QStringLiteral("main"));
    EXPECT_TRUE(doc->IsProgramNumberUsed(0, 0));
    EXPECT_EQ(UsedProgramNumbers(0), 1);
    EXPECT_FALSE(chart->GetUndo()->CanUndo());
    EXPECT_TRUE(doc->IsModified());
    CHOXFlowStart* next = Place<CHOXFlowStart>(chart, CPoint(200, 50));
    EXPECT_EQ(next->GetLabel(), QStringLiteral("Ox1"));

    // Cancel leaves everything as it was.
    doc->SetModifiedFlag(false);
    Open(next, Start::kTemplate, [](DialogDriver& d) {
        d.Type(Start::kNumber, QStringLiteral("9"));
        d.Type(Start::kComment, QStringLiteral("gone"));
        d.Click(IDCANCEL);
    });
    EXPECT_EQ(next->GetProgramNumber(), 1);
    EXPECT_EQ(next->GetComment(), QString());
    EXPECT_FALSE(doc->IsProgramNumberUsed(0, 9));
    EXPECT_FALSE(doc->IsModified());
}

// In the error state the START never took its number: OK takes the one
// confirmed and gives nothing back, and a number someone else holds is
// refused even unchanged.
TEST_F(FlowDialogsTest, AStartInTheErrorStateOnlyTakesItsNumber)
{
    CHOXFlowStart* start = Place<CHOXFlowStart>(chart);
    doc->FreeProgramNumber(0, 0);
    start->SetState(CHOXSymbol::kError);
    start->SetProgramNumber(3); // not taken in the error state
    ASSERT_FALSE(doc->IsProgramNumberUsed(0, 3));
    doc->MarkProgramNumberUsed(0, 0); // another START's
    Open(start, Start::kTemplate, ClickOk);
    EXPECT_EQ(start->GetState(), CHOXSymbol::kNormal);
    EXPECT_TRUE(doc->IsProgramNumberUsed(0, 3));
    EXPECT_TRUE(doc->IsProgramNumberUsed(0, 0));

    CHOXFlowStart* copy = Place<CHOXFlowStart>(chart, CPoint(200, 50));
    doc->FreeProgramNumber(0, copy->GetProgramNumber());
    copy->SetState(CHOXSymbol::kError);
    copy->SetProgramNumber(3);
    Open(copy, Start::kTemplate, [](DialogDriver& d) {
        ExpectOkRefused(d, Start::kNumber, LoadStr(13232));
        d.Click(IDCANCEL);
    });
    EXPECT_EQ(copy->GetState(), CHOXSymbol::kError);
}

TEST_F(FlowDialogsTest, StartParametersAndHelp)
{
    CHOXFlowStart* start = Place<CHOXFlowStart>(chart);
    RecordingHelp help;
    ScriptedDialogs dialogs;
    dialogs.Expect(Start::kTemplate, [](DialogDriver& d) {
        d.Click(Start::kParameters);
        d.Click(Start::kHelp);
        d.Click(IDCANCEL);
    });
    dialogs.Expect(2051, ClickCancel);
    start->OnOpen(0, CPoint());
    EXPECT_EQ(dialogs.MostOpen(), 2);
    EXPECT_EQ(help.pages, std::vector<QString>{QStringLiteral(":/res/help/207da.html")});
    Start dlg(start);
    EXPECT_EQ(dlg.GetDialogKind(), 702);
    EXPECT_FALSE(dlg.IsSingleAxis());
}

// ---------------------------------------------------------------------------
// END and RET

// An END that the importer left missing has no kind chosen; OK gives it
// its window's end, never a subtask end in an axis chart.
TEST_F(FlowDialogsTest, AMissingEndTakesTheEndOfItsWindow)
{
    const struct {
        bool inSubtask;
        std::int32_t kind;
        const char* code;
    } cases[] = {{false, 0, "m02(END);"}, {true, 1, "m102(SEND);"}};
    for (const auto& c : cases) {
        CHOXFlowEnd* end = Place<CHOXFlowEnd>(c.inSubtask ? subtask : chart);
        end->SetEndKind(1 - c.kind);
        end->SetState(CHOXSymbol::kMissing);
        end->CalcSteps();
        ASSERT_EQ(end->GetCode(), QString());
        Open(end, EndDlg::kTemplate, [&](DialogDriver& d) {
            EXPECT_EQ(d.Check(EndDlg::kEnd) + d.Check(EndDlg::kSend), 0);
            EXPECT_EQ(d.Enabled(EndDlg::kEnd), !c.inSubtask);
            d.Click(IDOK);
        });
        EXPECT_EQ(end->GetEndKind(), c.kind);
        EXPECT_EQ(end->GetState(), CHOXSymbol::kNormal);
        EXPECT_EQ(end->GetCode(), QString::fromLatin1(c.code));
        EXPECT_EQ(end->GetSteps(), 2);
    }
}

TEST_F(FlowDialogsTest, EndTakesItsKindAndMarksTheDocumentEvenOnCancel)
{
    CHOXFlowEnd* end = Place<CHOXFlowEnd>(chart);
    LeaveSomethingToUndo(chart, end);
    Open(end, EndDlg::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(d.Check(EndDlg::kEnd), 1);
        d.Click(EndDlg::kSend);
        d.Type(EndDlg::kComment, QStringLiteral("stop"));
        d.Click(IDCANCEL);
    });
    EXPECT_EQ(end->GetEndKind(), 0);
    EXPECT_EQ(end->GetComment(), QString());
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(chart->GetUndo()->CanUndo());

    Open(end, EndDlg::kTemplate, [](DialogDriver& d) {
        d.Click(EndDlg::kSend);
        d.Type(EndDlg::kComment, QStringLiteral("stop"));
        d.Click(IDOK);
    });
    EXPECT_EQ(end->GetEndKind(), 1);
    EXPECT_EQ(end->GetComment(), QStringLiteral("stop"));
    EXPECT_EQ(end->GetCode(), QStringLiteral("m102(SEND);"));
    EXPECT_FALSE(chart->GetUndo()->CanUndo());

    // Not in the monitor window.
    auto stray = std::make_unique<CHOXFlowEnd>(CPoint(10, 10), monitor);
    ScriptedDialogs none;
    stray->OnOpen(0, CPoint());
    EXPECT_EQ(none.Ran(), 0);
}

TEST_F(FlowDialogsTest, RetUsesTheEndDialogWithoutAKind)
{
    CHOXFlowRet* ret = Place<CHOXFlowRet>(chart);
    Open(ret, EndDlg::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(d.Caption(), QStringLiteral("RET"));
        EXPECT_EQ(d.Check(EndDlg::kEnd) + d.Check(EndDlg::kSend), 0);
        EXPECT_FALSE(d.Enabled(EndDlg::kEnd));
        EXPECT_FALSE(d.Enabled(EndDlg::kSend));
        d.Type(EndDlg::kComment, QStringLiteral("back"));
        d.Click(EndDlg::kDisplayComment);
        d.Click(IDOK);
    });
    EXPECT_EQ(ret->GetComment(), QStringLiteral("back"));
    EXPECT_EQ(ret->GetDisplayComment(), 0);
    EXPECT_EQ(ret->GetCode(), QStringLiteral("RET(FNC03);"));
    EXPECT_TRUE(doc->IsModified());
    doc->SetModifiedFlag(false);
    Open(ret, EndDlg::kTemplate, [](DialogDriver& d) {
        d.Type(EndDlg::kComment, QStringLiteral("gone"));
        d.Click(IDCANCEL);
    });
    EXPECT_EQ(ret->GetComment(), QStringLiteral("back"));
    EXPECT_FALSE(doc->IsModified());
}

// ---------------------------------------------------------------------------
// POINTER and SUBROUTINE

TEST_F(FlowDialogsTest, PointerRefusesInvalidAndTakenNumbers)
{
    Place<CHOXFlowPointer>(chart); // P0
    CHOXFlowPointer* pointer = Place<CHOXFlowPointer>(chart, CPoint(200, 50));
    ASSERT_EQ(pointer->GetPointerNumber(), 1);
    Open(pointer, Pointer::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(d.Caption(), QStringLiteral("POINTER"));
        EXPECT_EQ(d.Text(Pointer::kNumber), QStringLiteral("1"));
        d.Type(Pointer::kNumber, QStringLiteral("0"));
        ExpectOkRefused(d, Pointer::kNumber, LoadStr(13230));
        d.Type(Pointer::kNumber, QStringLiteral("256"));
        ExpectOkRefused(d, Pointer::kNumber, LoadStr(13229));
        d.Type(Pointer::kNumber, QStringLiteral("-3"));
        ExpectOkRefused(d, Pointer::kNumber, LoadStr(13229));
        d.Type(Pointer::kNumber, QStringLiteral("255"));
        d.Click(IDOK);
    });
    EXPECT_EQ(pointer->GetLabel(), QStringLiteral("P255"));
    EXPECT_FALSE(doc->IsPointerNumberUsed(1));
    EXPECT_TRUE(doc->IsPointerNumberUsed(255));
    EXPECT_EQ(UsedPointerNumbers(), 2);

    MakeDocument(0);
    CHOXFlowPointer* small = Place<CHOXFlowPointer>(chart);
    Open(small, Pointer::kTemplate, [](DialogDriver& d) {
        d.Type(Pointer::kNumber, QStringLiteral("128"));
        ExpectOkRefused(d, Pointer::kNumber, LoadStr(13228));
        d.Click(IDCANCEL);
    });
    EXPECT_EQ(small->GetPointerNumber(), 0);
    EXPECT_TRUE(doc->IsPointerNumberUsed(0));
}

// Confirmed unchanged, a POINTER in the error state takes its number when it
// is free and is refused when someone else has it; either way it gives no
// number back.
TEST_F(FlowDialogsTest, PointersInTheErrorStateTakeTheirNumberWhenFree)
{
    CHOXFlowPointer* pointer = Place<CHOXFlowPointer>(chart); // P0
    pointer->SetState(CHOXSymbol::kError);
    pointer->SetPointerNumber(6); // frees 0, takes nothing
    doc->MarkPointerNumberUsed(0);
    Open(pointer, Pointer::kTemplate, ClickOk);
    EXPECT_EQ(pointer->GetState(), CHOXSymbol::kNormal);
    EXPECT_TRUE(doc->IsPointerNumberUsed(6));
    EXPECT_TRUE(doc->IsPointerNumberUsed(0));

    CHOXFlowSubRtn* subroutine = Place<CHOXFlowSubRtn>(chart, CPoint(200, 50));
    const int own = subroutine->GetPointerNumber();
    subroutine->SetState(CHOXSymbol::kError);
    subroutine->SetPointerNumber(6);
    Open(subroutine, Pointer::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(d.Caption(), QStringLiteral("SUBROUTINE"));
        ExpectOkRefused(d, Pointer::kNumber, LoadStr(13230));
        d.Click(IDCANCEL);
    });
    EXPECT_EQ(subroutine->GetState(), CHOXSymbol::kError);
    EXPECT_FALSE(doc->IsPointerNumberUsed(own));
}

TEST_F(FlowDialogsTest, SubroutineMovesItsNumberAndComesOutOfTheErrorState)
{
    CHOXFlowSubRtn* subroutine = Place<CHOXFlowSubRtn>(chart);
    LeaveSomethingToUndo(chart, subroutine);
    Open(subroutine, Pointer::kTemplate, [](DialogDriver& d) {
        d.Type(Pointer::kNumber, QStringLiteral("20"));
        d.Click(Pointer::kDisplayContents);
        d.Click(IDOK);
    });
    EXPECT_EQ(subroutine->GetLabel(), QStringLiteral("P20"));
    EXPECT_EQ(subroutine->GetDisplayContents(), 0);
    EXPECT_FALSE(doc->IsPointerNumberUsed(0));
    EXPECT_TRUE(doc->IsSubroutineDefined(20));
    EXPECT_FALSE(chart->GetUndo()->CanUndo());
    EXPECT_TRUE(doc->IsModified());

    doc->SetModifiedFlag(false);
    Open(subroutine, Pointer::kTemplate, [](DialogDriver& d) {
        d.Type(Pointer::kNumber, QStringLiteral("21"));
        d.Click(IDCANCEL);
    });
    EXPECT_EQ(subroutine->GetPointerNumber(), 20);
    EXPECT_FALSE(doc->IsPointerNumberUsed(21));
    EXPECT_FALSE(doc->IsModified());
}

// ---------------------------------------------------------------------------
// JUMP and SUBROUTINE CALL

TEST_F(FlowDialogsTest, JumpAndCallAcceptAnUnchangedNumberAndRefuseOthersOutOfRange)
{
    CHOXFlowJump* jump = Place<CHOXFlowJump>(chart);
    CHOXFlowCall* call = Place<CHOXFlowCall>(chart, CPoint(200, 50));
    // -1 (none) stays acceptable as it is.
    Open(jump, Jump::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(d.Text(Jump::kNumber), QStringLiteral("-1"));
        d.Type(Jump::kNumber, QStringLiteral("256"));
        ExpectOkRefused(d, Jump::kNumber, LoadStr(13229));
        d.Type(Jump::kNumber, QStringLiteral("-1"));
        d.Click(IDOK);
        EXPECT_EQ(d.Result(), IDOK);
    });
    EXPECT_EQ(jump->GetPointerNumber(), -1);
    Open(call, Call::kTemplate, [](DialogDriver& d) {
        d.Type(Call::kNumber, QStringLiteral("-2"));
        ExpectOkRefused(d, Call::kNumber, LoadStr(13229));
        // A number nobody holds is the converter's matter.
        d.Type(Call::kNumber, QStringLiteral("17"));
        d.Click(IDOK);
    });
    EXPECT_EQ(call->GetLabel(), QStringLiteral("P17"));
    EXPECT_EQ(call->GetSteps(), 4);
    EXPECT_EQ(call->GetErrorState(), 0);
    EXPECT_FALSE(doc->IsPointerNumberUsed(17));
    doc->SetModifiedFlag(false);
    Open(call, Call::kTemplate, [](DialogDriver& d) {
        d.Type(Call::kNumber, QStringLiteral("18"));
        d.Click(IDCANCEL);
    });
    EXPECT_EQ(call->GetPointerNumber(), 17);
    EXPECT_FALSE(doc->IsModified());

    // Out of range as stored (a file of another controller type) is kept.
    MakeDocument(0);
    CHOXFlowJump* small = Place<CHOXFlowJump>(chart);
    small->SetPointerNumber(200);
    Open(small, Jump::kTemplate, [](DialogDriver& d) {
        d.Type(Jump::kNumber, QStringLiteral("128"));
        ExpectOkRefused(d, Jump::kNumber, LoadStr(13228));
        d.Type(Jump::kNumber, QStringLiteral("200"));
        d.Click(IDOK);
    });
    EXPECT_EQ(small->GetPointerNumber(), 200);
}

TEST_F(FlowDialogsTest, JumpEndInstructionFollowsTheBoxAndTheSubtask)
{
    CHOXFlowJump* jump = Place<CHOXFlowJump>(chart);
    Open(jump, Jump::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(d.Check(Jump::kEndFollows), 1);
        EXPECT_EQ(d.Check(Jump::kEnd), 1);
        EXPECT_TRUE(d.Enabled(Jump::kEnd));
        EXPECT_TRUE(d.Enabled(Jump::kSend));
        d.Click(Jump::kSend);
        d.Click(Jump::kEndFollows); // cleared: no kind
        EXPECT_EQ(d.Check(Jump::kEnd) + d.Check(Jump::kSend), 0);
        EXPECT_FALSE(d.Enabled(Jump::kEnd));
        EXPECT_FALSE(d.Enabled(Jump::kSend));
        d.Click(Jump::kEndFollows); // ticked: the kind last chosen
        EXPECT_EQ(d.Check(Jump::kSend), 1);
        d.Click(Jump::kEndFollows);
        d.Type(Jump::kNumber, QStringLiteral("3"));
        d.Click(IDOK);
    });
    EXPECT_EQ(jump->GetEndFollows(), 0);
    EXPECT_EQ(jump->GetSymbolName(), QStringLiteral("JUMPWEND"));
    EXPECT_EQ(jump->GetCode(), QStringLiteral("JMP(FNC04) P3;"));
    EXPECT_EQ(jump->GetSteps(), 4);

    // In the subtask only SEND can follow.
    CHOXFlowJump* sub = Place<CHOXFlowJump>(subtask);
    sub->SetEndFollows(0);
    sub->SetCaptionMode(1);
    Open(sub, Jump::kTemplate, [](DialogDriver& d) {
        EXPECT_FALSE(d.Enabled(Jump::kEnd));
        EXPECT_FALSE(d.Enabled(Jump::kSend));
        d.Click(Jump::kEndFollows);
        EXPECT_FALSE(d.Enabled(Jump::kEnd));
        EXPECT_TRUE(d.Enabled(Jump::kSend));
        EXPECT_EQ(d.Check(Jump::kSend), 1);
        d.Click(IDOK);
    });
    EXPECT_EQ(sub->GetEndFollows(), 1);
    EXPECT_EQ(sub->GetEndKind(), 1);
    EXPECT_EQ(sub->GetSymbolName(), QStringLiteral("JUMP"));
}

// Behind a conditional jump's jump output no end instruction is offered,
// and the caption stays that of a jump without one.
TEST_F(FlowDialogsTest, AJumpBehindAConditionalJumpOffersNoEnd)
{
    CHOXFlowJump* jump = Place<CHOXFlowJump>(chart);
    jump->SetEndFollows(0);
    jump->SetCaptionMode(0);
    Open(jump, Jump::kTemplate, [](DialogDriver& d) {
        EXPECT_FALSE(d.Enabled(Jump::kEndFollows));
        EXPECT_FALSE(d.Enabled(Jump::kEnd));
        EXPECT_FALSE(d.Enabled(Jump::kSend));
        EXPECT_EQ(d.Check(Jump::kEnd) + d.Check(Jump::kSend), 0);
        d.Type(Jump::kNumber, QStringLiteral("8"));
        d.Click(IDOK);
    });
    EXPECT_EQ(jump->GetSymbolName(), QStringLiteral("JUMPWEND"));
    EXPECT_EQ(jump->GetEndFollows(), 0);
    EXPECT_EQ(jump->GetLabel(), QStringLiteral("P8"));

    // Cancel still marks the document and rebuilds the label.
    doc->SetModifiedFlag(false);
    Open(jump, Jump::kTemplate, ClickCancel);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(jump->GetPointerNumber(), 8);
}

// ---------------------------------------------------------------------------
// The jump-end marker

TEST_F(FlowDialogsTest, TheMarkerDialogSetsTheEndThatFollowsItsJump)
{
    CHOXFlowJumpEnd marker(12, CRect(0, 0, 10, 10), chart);
    ScriptedDialogs dialogs;
    dialogs.Expect(Marker::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(d.Text(Marker::kNumber), QStringLiteral("12"));
        EXPECT_TRUE(d.Dialog().Site()->IsReadOnly(Marker::kNumber));
        EXPECT_EQ(d.Check(Marker::kEndFollows), 1);
        EXPECT_EQ(d.Check(Marker::kEnd), 1);
        d.Click(Marker::kEndFollows);
        EXPECT_FALSE(d.Enabled(Marker::kEnd));
        EXPECT_FALSE(d.Enabled(Marker::kSend));
        d.Click(IDOK);
    });
    marker.OnOpen(0, CPoint());
    EXPECT_EQ(marker.GetEndFollows(), 0);
    EXPECT_EQ(marker.GetSteps(), 4);
    EXPECT_EQ(marker.GetCode(), QStringLiteral("JMP(FNC04) P12;"));
    EXPECT_EQ(marker.GetPointerNumber(), 12);
    // The program changed: the document has something to save.
    EXPECT_TRUE(doc->IsModified());

    CHOXFlowJumpEnd subMarker(3, CRect(0, 0, 10, 10), subtask);
    subMarker.SetEndKind(0);
    doc->SetModifiedFlag(false);
    dialogs.Expect(Marker::kTemplate, [](DialogDriver& d) {
        EXPECT_FALSE(d.Enabled(Marker::kEnd));
        EXPECT_TRUE(d.Enabled(Marker::kSend));
        d.Click(Marker::kEndFollows);
        d.Click(Marker::kEndFollows);
        EXPECT_EQ(d.Check(Marker::kSend), 1);
        d.Click(IDCANCEL);
    });
    subMarker.OnOpen(0, CPoint());
    EXPECT_EQ(subMarker.GetEndKind(), 0);
    EXPECT_EQ(subMarker.GetEndFollows(), 1);
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(FlowDialogsTest, DialogKindsAndHelpContexts)
{
    CHOXFlowPointer* pointer = Place<CHOXFlowPointer>(chart);
    CHOXFlowJump* jump = Place<CHOXFlowJump>(chart);
    CHOXFlowCall* call = Place<CHOXFlowCall>(chart);
    CHOXFlowEnd* end = Place<CHOXFlowEnd>(chart);
    EXPECT_EQ(Pointer(pointer).GetDialogKind(), 705);
    EXPECT_EQ(Jump(jump).GetDialogKind(), 707);
    EXPECT_EQ(Call(call).GetDialogKind(), 706);
    EXPECT_EQ(EndDlg(end).GetDialogKind(), 701);

    RecordingHelp help;
    for (auto [object, id] : std::vector<std::pair<CHOXDrawObj*, UINT>>{{pointer, Pointer::kTemplate},
                                                                        {jump, Jump::kTemplate},
                                                                        {call, Call::kTemplate},
                                                                        {end, EndDlg::kTemplate}}) {
        Open(object, id, [](DialogDriver& d) {
            d.Click(CHOXFlowSymbolDlg::kHelp);
            d.Click(IDCANCEL);
        });
    }
    EXPECT_EQ(help.pages,
              (std::vector<QString>{QStringLiteral(":/res/help/207de.html"), QStringLiteral(":/res/help/207df.html"),
                                    QStringLiteral(":/res/help/207e4.html"), QStringLiteral(":/res/help/207db.html")}));
}
