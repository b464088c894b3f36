// The flow-symbol dialogs in their surroundings: a double click in the view
// opens them, a POINTER takes the node on its wire along to its new number,
// and "&Open Program" and "&Open Subroutine" show the target the number
// names, make a chart for a free one, or report a number of the wrong kind;
// each closes the dialog with the number taken.
#include "app/AppDocsFixture.h"
#include "chart/FlowViewFixture.h"
#include "symbols/flow/HOXFlowCall.h"
#include "symbols/flow/HOXFlowCallDlg.h"
#include "symbols/flow/HOXFlowEnd.h"
#include "symbols/flow/HOXFlowJump.h"
#include "symbols/flow/HOXFlowJumpDlg.h"
#include "symbols/flow/HOXFlowPointer.h"
#include "symbols/flow/HOXFlowPointerDlg.h"
#include "symbols/flow/HOXFlowStart.h"
#include "symbols/flow/HOXFlowStartDlg.h"
#include "symbols/flow/HOXFlowSubRtn.h"

#include "platform/Strings.h"

using kt::test::DialogDriver;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedMessages;

namespace {

class FlowDialogViewTest : public kt::test::FlowViewFixture {};

} // namespace

TEST_F(FlowDialogViewTest, ADoubleClickOpensTheStartDialog)
{
    doc.SetControllerType(1);
    auto* start = Place<CHOXFlowStart>(7, CPoint(100, 60));
    const int invalidated = host.invalidateAll;
    ScriptedDialogs dialogs;
    dialogs.Expect(CHOXFlowStartDlg::kTemplate, [](DialogDriver& d) {
        d.Type(CHOXFlowStartDlg::kNumber, QStringLiteral("12"));
        d.Click(IDOK);
    });
    view.OnLButtonDblClk(MK_LBUTTON, Dev(CPoint(130, 75)));
    EXPECT_EQ(dialogs.Ran(), 1);
    EXPECT_EQ(start->GetLabel(), QStringLiteral("Ox12"));
    EXPECT_GT(host.invalidateAll, invalidated);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(FlowDialogViewTest, APointerTakesTheNodeOnItsWireToItsNewNumber)
{
    doc.SetControllerType(1);
    auto* pointer = Place<CHOXFlowPointer>(1, CPoint(100, 40));
    Place<CHOXFlowEnd>(2, CPoint(100, 160));
    CHOXConnect* wire = Wire(10, 1, 0, 2);
    CHOXNode* node = NodeOn(wire);
    ASSERT_NE(node, nullptr);
    ScriptedDialogs dialogs;
    dialogs.Expect(CHOXFlowPointerDlg::kTemplate, [](DialogDriver& d) {
        d.Type(CHOXFlowPointerDlg::kNumber, QStringLiteral("9"));
        d.Click(IDOK);
    });
    pointer->OnOpen(0, CPoint());
    EXPECT_EQ(pointer->GetLabel(), QStringLiteral("P9"));
    EXPECT_EQ(node->GetId(), 9u);
    EXPECT_EQ(wnd->LookupNode(9), node);
    EXPECT_EQ(wire->GetNodeId(), 9u);
    EXPECT_TRUE(doc.IsPointerNumberUsed(9));
}

namespace {

class FlowOpenTargetTest : public kt::test::AppDocsFixture {
protected:
    // A chart of the kind (1 POINTER and END, 2 SUBROUTINE and RET) and the
    // number its first symbol holds.
    int ChartWithLabel(const QString& name, int kind)
    {
        Main()->CreateFlowChartWindow(name, QString(), kind);
        for (auto& [id, object] : Doc()->FindWindowByName(name)->GetObjectMap())
            if (object->GetObjectType() == (kind == 1 ? objtype::kFlowPointer : objtype::kFlowSubRtn)) {
                labels[name] = object.get();
                return static_cast<CHOXSymbol*>(object.get())->GetPointerNumber();
            }
        ADD_FAILURE() << "no label in " << name.toStdString();
        return -1;
    }
    template <class T>
    T* PlaceInFirstChart()
    {
        CHOXFlowWnd* first = Doc()->FindWindowByName(QStringLiteral("Flow Chart1"));
        auto symbol = std::make_unique<T>(CPoint(300, 40), first);
        symbol->SetId(static_cast<DWORD>(Doc()->NewSymbolId()));
        T* raw = symbol.get();
        first->AddObject(std::move(symbol));
        return raw;
    }
    // Opens the symbol's dialog, types the number and clicks the button.
    void OpenWith(CHOXSymbol* symbol, UINT templateId, int edit, int button, int number)
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(templateId, [=](DialogDriver& d) {
            d.Type(edit, QString::number(number));
            d.Click(button);
            EXPECT_TRUE(d.Ended());
            EXPECT_EQ(d.Result(), IDOK);
        });
        symbol->OnOpen(0, CPoint());
    }
    std::map<QString, CHOXDrawObj*> labels;
};

} // namespace

TEST_F(FlowOpenTargetTest, OpenProgramShowsMakesOrRefusesTheTarget)
{
    ASSERT_TRUE(Start());
    ASSERT_NE(NewDocument(), nullptr);
    const int pointer = ChartWithLabel(QStringLiteral("Jumps"), 1);
    const int subroutine = ChartWithLabel(QStringLiteral("Calls"), 2);
    CHOXFlowJump* jump = PlaceInFirstChart<CHOXFlowJump>();
    using Dlg = CHOXFlowJumpDlg;

    // Held by a POINTER: its chart comes forward with the POINTER selected.
    OpenWith(jump, Dlg::kTemplate, Dlg::kNumber, Dlg::kOpenProgram, pointer);
    EXPECT_EQ(jump->GetPointerNumber(), pointer);
    EXPECT_EQ(ActiveTitle(), QStringLiteral("Jumps"));
    EXPECT_EQ(Doc()->FindWindowByName(QStringLiteral("Jumps"))->GetView()->GetSelection(),
              std::vector<CHOXDrawObj*>{labels[QStringLiteral("Jumps")]});

    // Free: a new chart begins with a POINTER of the number.
    const std::size_t windows = Doc()->GetWindowMap().GetCount();
    OpenWith(jump, Dlg::kTemplate, Dlg::kNumber, Dlg::kOpenProgram, 40);
    EXPECT_EQ(jump->GetLabel(), QStringLiteral("P40"));
    ASSERT_EQ(Doc()->GetWindowMap().GetCount(), windows + 1);
    const QString made = Doc()->GetWindowNameList().back();
    EXPECT_EQ(ActiveTitle(), made);
    EXPECT_TRUE(Doc()->IsPointerNumberUsed(40));
    int pointers = 0;
    for (auto& [id, object] : Doc()->FindWindowByName(made)->GetObjectMap())
        if (auto* p = dynamic_cast<CHOXFlowPointer*>(object.get())) pointers += p->GetPointerNumber() == 40 ? 1 : 0;
    EXPECT_EQ(pointers, 1);

    // A SUBROUTINE's number: the message, and still the number is taken.
    {
        ScriptedMessages messages;
        messages.Expect(LoadStr(13275), MB_OK | MB_ICONHAND, IDOK);
        OpenWith(jump, Dlg::kTemplate, Dlg::kNumber, Dlg::kOpenProgram, subroutine);
    }
    EXPECT_EQ(jump->GetPointerNumber(), subroutine);

    // No pointer number at all: refused, the dialog stays.
    ScriptedDialogs dialogs;
    dialogs.Expect(Dlg::kTemplate, [](DialogDriver& d) {
        d.Type(Dlg::kNumber, QStringLiteral("256"));
        ScriptedMessages messages;
        messages.Expect(LoadStr(13227), MB_OK | MB_ICONHAND, IDOK);
        d.Click(Dlg::kOpenProgram);
        EXPECT_FALSE(d.Ended());
        EXPECT_EQ(d.Focus(), Dlg::kNumber);
        d.Click(IDCANCEL);
    });
    jump->OnOpen(0, CPoint());
    EXPECT_EQ(jump->GetPointerNumber(), subroutine);
    EXPECT_EQ(Doc()->GetWindowMap().GetCount(), windows + 1);
}

TEST_F(FlowOpenTargetTest, OpenSubroutineShowsMakesOrRefusesTheTarget)
{
    ASSERT_TRUE(Start());
    ASSERT_NE(NewDocument(), nullptr);
    const int pointer = ChartWithLabel(QStringLiteral("Jumps"), 1);
    const int subroutine = ChartWithLabel(QStringLiteral("Calls"), 2);
    CHOXFlowCall* call = PlaceInFirstChart<CHOXFlowCall>();
    using Dlg = CHOXFlowCallDlg;

    OpenWith(call, Dlg::kTemplate, Dlg::kNumber, Dlg::kOpenSubroutine, subroutine);
    EXPECT_EQ(call->GetPointerNumber(), subroutine);
    EXPECT_EQ(ActiveTitle(), QStringLiteral("Calls"));
    EXPECT_EQ(Doc()->FindWindowByName(QStringLiteral("Calls"))->GetView()->GetSelection(),
              std::vector<CHOXDrawObj*>{labels[QStringLiteral("Calls")]});

    OpenWith(call, Dlg::kTemplate, Dlg::kNumber, Dlg::kOpenSubroutine, 77);
    EXPECT_EQ(call->GetLabel(), QStringLiteral("P77"));
    EXPECT_TRUE(Doc()->IsSubroutineDefined(77));
    EXPECT_EQ(ActiveTitle(), Doc()->GetWindowNameList().back());

    {
        ScriptedMessages messages;
        messages.Expect(LoadStr(13274), MB_OK | MB_ICONHAND, IDOK);
        OpenWith(call, Dlg::kTemplate, Dlg::kNumber, Dlg::kOpenSubroutine, pointer);
    }
    EXPECT_EQ(call->GetPointerNumber(), pointer);
    EXPECT_EQ(call->GetSteps(), 4);
}
