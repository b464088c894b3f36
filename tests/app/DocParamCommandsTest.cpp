// The document's Parameters menu and Initialize and Show All, the steps pane,
// and the searches by comment and by pointer number over every chart with
// their dialogs.
#include "AppDocsFixture.h"

#include "chart/HOXFindCommentDlg.h"
#include "chart/HOXFindNumberDlg.h"
#include "chart/HOXNode.h"
#include "chart/ObjectTypes.h"
#include "params/HOXParam.h"
#include "res/CommandIds.h"
#include "symbols/flow/HOXFlowCall.h"
#include "symbols/flow/HOXFlowJump.h"
#include "symbols/flow/HOXFlowPointer.h"
#include "symbols/flow/HOXFlowSubRtn.h"

#include <QLineEdit>

#include <gtest/gtest.h>

#include <algorithm>

using kt::test::AppDocsFixture;
using kt::test::DialogDriver;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedMessages;

namespace {

constexpr UINT kWarn = MB_OK | MB_ICONEXCLAMATION;
const QString kInitializeQuestion =
    QStringLiteral("This command will initialize all the Parameters.\nDo you want to continue?");

class DocParamCommandsTest : public AppDocsFixture {
protected:
    void SetUp() override
    {
        AppDocsFixture::SetUp();
        ASSERT_TRUE(Start());
    }

    // A document with the charts Flow Chart1 to Flow Chart<count>.
    CHOXDoc* DocumentWithCharts(int count, int type = 0)
    {
        // The type dialog's buttons: 8044 one axis, 8049 two independent
        // axes, 8047 two simultaneous axes.
        CHOXDoc* doc = NewDocument(type == 0 ? 8044 : (type == 1 ? 8049 : 8047));
        EXPECT_EQ(doc->GetControllerType(), type);
        for (int i = 2; i <= count; ++i)
            Main()->CreateFlowChartWindow(QStringLiteral("Flow Chart%1").arg(i), QString(), 0);
        return doc;
    }
    CHOXFlowWnd* Chart(int i) const { return Doc()->FindWindowByName(QStringLiteral("Flow Chart%1").arg(i)); }

    template <class T>
    T* Place(CHOXFlowWnd* wnd, CPoint at, const QString& comment = QString())
    {
        auto symbol = std::make_unique<T>(at, wnd);
        symbol->SetId(static_cast<DWORD>(Doc()->NewSymbolId()));
        symbol->SetComment(comment);
        T* raw = symbol.get();
        wnd->AddObject(std::move(symbol));
        return raw;
    }
    CHOXNode* PlaceNode(CHOXFlowWnd* wnd, DWORD number, CPoint at)
    {
        auto node = std::make_unique<CHOXNode>(number, CRect(at.x - 5, at.y - 5, at.x + 5, at.y + 5), 0, wnd);
        CHOXNode* raw = node.get();
        wnd->AddNode(std::move(node));
        return raw;
    }
    // The selection of the chart's view in the order of the objects (the
    // search goes in map order).
    static std::vector<CHOXDrawObj*> Selection(const CHOXFlowWnd* wnd)
    {
        std::vector<CHOXDrawObj*> selection =
            wnd->GetView() != nullptr ? wnd->GetView()->GetSelection() : std::vector<CHOXDrawObj*>{};
        std::sort(selection.begin(), selection.end(),
                  [](const CHOXDrawObj* a, const CHOXDrawObj* b) { return a->GetId() < b->GetId(); });
        return selection;
    }
    // The last window of the map with a selection.
    QString LastSelectedWindow() const
    {
        QString last;
        for (const auto& [name, wnd] : Doc()->GetWindowMap())
            if (wnd->GetView() != nullptr && wnd->GetView()->GetSelectionCount() > 0) last = name;
        return last;
    }
};

using Selected = std::vector<CHOXDrawObj*>;

// A program in text that holds the pointer numbers it is given.
class TextHolding : public CHOXSymbol {
public:
    TextHolding(CPoint topLeft, CHOXWnd* wnd) : CHOXSymbol(topLeft, wnd) {}
    int GetObjectType() const override { return objtype::kFlowProgText; }
    std::vector<HeldNumber> GetHeldNumbers() const override
    {
        std::vector<HeldNumber> held;
        for (std::int32_t n : numbers) held.push_back({HeldNumber::kPointer, 0, n, true});
        held.push_back({HeldNumber::kProgram, 0, 9, true});
        return held;
    }
    std::vector<std::int32_t> numbers;
};

// A conditional jump to a pointer number.
class ConditionalJumpTo : public CHOXSymbol {
public:
    ConditionalJumpTo(CPoint topLeft, CHOXWnd* wnd) : CHOXSymbol(topLeft, wnd) {}
    int GetObjectType() const override { return objtype::kFlowCJump; }
    std::int32_t GetPointerNumber() const override { return target; }
    std::int32_t target = -1;
};

} // namespace

// ---------------------------------------------------------------------------
// Parameters menu

TEST_F(DocParamCommandsTest, ParameterCommandsOpenTheirDialogsAlsoWhileMonitoring)
{
    DocumentWithCharts(1, 1);
    const std::pair<UINT, UINT> commands[] = {
        {ID_PARAM_SYSTEM, 2055}, {ID_PARAM_SUBTASK, 2054},      {ID_PARAM_PROGRAM_NUMBER, 2051},
        {ID_PARAM_MCODE, 2049},  {ID_PARAM_PULSER, 2050},       {ID_PARAM_ABS_POSITION, 2048},
        {ID_PARAM_OTHERS, 2052}, {ID_PARAM_SHOW_ALL, 4079},     {ID_PARAM_UNITS, 2057},
        {ID_PARAM_SPEED, 2058},  {ID_PARAM_MACHINE_ZERO, 2053}, {ID_PARAM_SETTINGS, 2056},
    };
    for (bool monitoring : {false, true}) {
        Doc()->SetEditMode(!monitoring);
        Doc()->SetMonitoring(monitoring);
        for (const auto& [command, dialog] : commands) {
            EXPECT_TRUE(Enabled(command)) << command;
            ScriptedDialogs dialogs;
            dialogs.Expect(dialog, [](DialogDriver& d) { d.Click(IDOK); });
            EXPECT_TRUE(GetCommandRouter()->Execute(command));
        }
    }
    Doc()->SetEditMode(true);
    Doc()->SetMonitoring(false);
}

TEST_F(DocParamCommandsTest, OkMarksTheDocumentModifiedAndCancelDoesNot)
{
    DocumentWithCharts(1);
    Doc()->SetModifiedFlag(false);
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(2052, [](DialogDriver& d) { d.Click(IDCANCEL); });
        GetCommandRouter()->Execute(ID_PARAM_OTHERS);
    }
    EXPECT_FALSE(Doc()->IsModified());
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(4079, [](DialogDriver& d) { d.Click(IDOK); });
        GetCommandRouter()->Execute(ID_PARAM_SHOW_ALL);
    }
    EXPECT_FALSE(Doc()->IsModified());
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(2052, [](DialogDriver& d) { d.Click(IDOK); });
        GetCommandRouter()->Execute(ID_PARAM_OTHERS);
    }
    EXPECT_TRUE(Doc()->IsModified());
}

// Initialize resets every parameter only on Yes, and the reset is then the
// document's to save: closing asks.
TEST_F(DocParamCommandsTest, InitializeAsksThenResetsAndTheResetIsSaved)
{
    DocumentWithCharts(1, 2);
    CHOXParam& param = Doc()->GetParam();
    std::int32_t v = 3000;
    param.SetParam(&v, 101, 0);
    v = 7;
    param.SetParam(&v, 37, 1);
    Doc()->SetModifiedFlag(false);
    {
        ScriptedMessages messages;
        messages.Expect(kInitializeQuestion, MB_YESNO | MB_ICONINFORMATION, IDNO);
        GetCommandRouter()->Execute(ID_PARAM_INITIALIZE);
    }
    param.GetParam(&v, 101, 0);
    EXPECT_EQ(v, 3000);
    EXPECT_FALSE(Doc()->IsModified());
    {
        ScriptedMessages messages;
        messages.Expect(kInitializeQuestion, MB_YESNO | MB_ICONINFORMATION, IDYES);
        GetCommandRouter()->Execute(ID_PARAM_INITIALIZE);
    }
    param.GetParam(&v, 101, 0);
    EXPECT_EQ(v, 0);
    param.GetParam(&v, 37, 1);
    EXPECT_EQ(v, 0);
    EXPECT_TRUE(Doc()->IsModified());
    ScriptedMessages messages;
    messages.Expect(QStringLiteral("Save changes to Untitled.hox?"), MB_YESNOCANCEL, IDCANCEL);
    EXPECT_FALSE(Main()->OnClose());
}

// ---------------------------------------------------------------------------
// Steps pane

TEST_F(DocParamCommandsTest, TheStepsPaneFollowsTheChartsAndLeavesImportTextAlone)
{
    DocumentWithCharts(2);
    Window()->UpdateCommandStates();
    const UINT before = Doc()->GetTotalSteps();
    EXPECT_EQ(Window()->StatusText(2), QStringLiteral("Steps %1").arg(before));
    Place<CHOXFlowPointer>(Chart(2), CPoint(100, 100));
    Place<CHOXFlowJump>(Chart(1), CPoint(100, 200))->SetPointerNumber(1);
    const UINT after = Doc()->GetTotalSteps();
    EXPECT_GT(after, before);
    Window()->UpdateCommandStates();
    EXPECT_EQ(Window()->StatusText(2), QStringLiteral("Steps %1").arg(after));

    CCmdUI ui(ID_INDICATOR_STEPS);
    Doc()->OnUpdateSteps(&ui);
    EXPECT_TRUE(ui.m_bEnabled);
    EXPECT_EQ(ui.m_strText, QStringLiteral("Steps %1").arg(after));
    // The pane shares its number with Import Text, which the document does
    // not take.
    EXPECT_FALSE(Doc()->OnCmdMsg(ID_FILE_IMPORT_TEXT, CmdMode::Probe, nullptr));
}

// ---------------------------------------------------------------------------
// Searches

TEST_F(DocParamCommandsTest, SearchByCommentSelectsEveryMatchShowsItsFramesAndActivatesTheLast)
{
    DocumentWithCharts(3);
    CHOXSymbol* a = Place<CHOXFlowPointer>(Chart(1), CPoint(100, 100), QStringLiteral("  Feed "));
    CHOXSymbol* b = Place<CHOXFlowJump>(Chart(1), CPoint(100, 200), QStringLiteral("FEED"));
    Place<CHOXFlowJump>(Chart(1), CPoint(200, 200), QStringLiteral("Feeder"));
    CHOXSymbol* c = Place<CHOXFlowCall>(Chart(3), CPoint(100, 100), QStringLiteral("feed\t"));
    Place<CHOXFlowCall>(Chart(2), CPoint(100, 100), QStringLiteral("stop"));
    // A chart that closed and one minimized come back.
    FrameOf(Chart(1))->ShowWindow(SW_HIDE);
    FrameOf(Chart(3))->ShowWindow(SW_SHOWMINIMIZED);
    Chart(2)->GetView()->Select(Chart(2)->GetObjectMap().begin()->second.get());

    EXPECT_TRUE(Doc()->FindSymbolByComment(QStringLiteral("feed")));
    EXPECT_EQ(Selection(Chart(1)), (Selected{a, b}));
    EXPECT_TRUE(Selection(Chart(2)).empty());
    EXPECT_EQ(Selection(Chart(3)), (Selected{c}));
    EXPECT_TRUE(FrameOf(Chart(1))->IsWindowVisible());
    EXPECT_FALSE(FrameOf(Chart(3))->IsIconic());
    EXPECT_EQ(ActiveTitle(), LastSelectedWindow());

    // The search text itself is not trimmed.
    EXPECT_FALSE(Doc()->FindSymbolByComment(QStringLiteral(" feed")));
    EXPECT_TRUE(Selection(Chart(1)).empty());
}

TEST_F(DocParamCommandsTest, SearchByNumberFindsLabelsJumpsCallsAndNodesOfTheNumber)
{
    DocumentWithCharts(3, 1);
    auto* pointer = Place<CHOXFlowPointer>(Chart(1), CPoint(100, 100));
    pointer->SetPointerNumber(5);
    auto* subroutine = Place<CHOXFlowSubRtn>(Chart(2), CPoint(100, 100));
    subroutine->SetPointerNumber(6);
    auto* jump = Place<CHOXFlowJump>(Chart(2), CPoint(100, 200));
    jump->SetPointerNumber(5);
    Place<CHOXFlowJump>(Chart(2), CPoint(200, 200))->SetPointerNumber(6);
    auto* call = Place<CHOXFlowCall>(Chart(3), CPoint(100, 100));
    call->SetPointerNumber(5);
    CHOXNode* node = PlaceNode(Chart(2), 5, CPoint(300, 100));
    PlaceNode(Chart(3), 7, CPoint(300, 100));
    auto* text = Place<TextHolding>(Chart(3), CPoint(100, 300));
    text->numbers = {4, 5};
    Place<ConditionalJumpTo>(Chart(1), CPoint(100, 300))->target = 5;
    // A program number is not a pointer number.
    Place<TextHolding>(Chart(1), CPoint(200, 300))->numbers = {};

    EXPECT_TRUE(Doc()->FindSymbolByPointerNumber(5));
    EXPECT_EQ(Selection(Chart(1)), (Selected{pointer}));
    const Selected second = Selection(Chart(2));
    ASSERT_EQ(second.size(), 2u);
    EXPECT_NE(std::find(second.begin(), second.end(), jump), second.end());
    EXPECT_NE(std::find(second.begin(), second.end(), node), second.end());
    EXPECT_EQ(Selection(Chart(3)), (Selected{call, text}));
    EXPECT_EQ(ActiveTitle(), LastSelectedWindow());
    EXPECT_FALSE(Doc()->FindSymbolByPointerNumber(9));

    EXPECT_TRUE(Doc()->FindSymbolByPointerNumber(6));
    EXPECT_EQ(Selection(Chart(2)).size(), 2u);
    EXPECT_TRUE(Selection(Chart(1)).empty());
    EXPECT_FALSE(Doc()->FindSymbolByPointerNumber(-1));
}

TEST_F(DocParamCommandsTest, AMatchOutsideTheViewIsScrolledToTheMiddle)
{
    DocumentWithCharts(1);
    CHOXView* view = Chart(1)->GetView();
    ASSERT_NE(view, nullptr);
    FrameOf(Chart(1))->ShowWindow(SW_SHOWNORMAL);
    view->SetPageSize(4000, 3000);
    view->ScrollToPosition(CPoint(0, 0));
    CHOXSymbol* far = Place<CHOXFlowJump>(Chart(1), CPoint(2000, 1500), QStringLiteral("far"));
    const CRect client = view->GetClientRect();
    ASSERT_LT(client.Width(), 4000);
    EXPECT_TRUE(Doc()->FindSymbolByComment(QStringLiteral("far")));
    const CPoint scroll = view->GetScrollPosition();
    EXPECT_EQ(scroll.x, far->m_position.left - client.Width() / 2);
    EXPECT_EQ(scroll.y, far->m_position.top - client.Height() / 2);
    // The match is near the middle of the client area.
    const CPoint shown = view->DocToClient(far->m_position.TopLeft());
    EXPECT_EQ(shown, CPoint(client.Width() / 2, client.Height() / 2));
}

TEST_F(DocParamCommandsTest, AMatchComesToTheMiddleAtEveryZoom)
{
    DocumentWithCharts(1);
    CHOXView* view = Chart(1)->GetView();
    ASSERT_NE(view, nullptr);
    FrameOf(Chart(1))->ShowWindow(SW_SHOWNORMAL);
    CHOXSymbol* far = Place<CHOXFlowJump>(Chart(1), CPoint(2000, 1500), QStringLiteral("far"));
    for (const int zoomIndex : {0, 1, 3}) { // 200 %, 150 %, 75 %
        SCOPED_TRACE(zoomIndex);
        view->SetZoomIndex(zoomIndex);
        view->SetPageSize(10000, 8000); // room to scroll at every zoom
        view->ScrollToPosition(CPoint(0, 0));
        const CRect client = view->GetClientRect();
        EXPECT_TRUE(Doc()->FindSymbolByComment(QStringLiteral("far")));
        const CPoint shown = view->DocToClient(far->m_position.TopLeft());
        EXPECT_NEAR(shown.x, client.Width() / 2, 1);
        EXPECT_NEAR(shown.y, client.Height() / 2, 1);
    }
}

// ---------------------------------------------------------------------------
// Find dialogs

TEST_F(DocParamCommandsTest, TheCommentDialogAsksForTextSaysWhenNothingIsFoundAndClosesOnAFind)
{
    DocumentWithCharts(1);
    Place<CHOXFlowJump>(Chart(1), CPoint(100, 200), QStringLiteral("Home"));
    ScriptedDialogs dialogs;
    dialogs.Expect(CHOXFindCommentDlg::kTemplate, [](DialogDriver& d) {
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("Please enter a comment string."), kWarn, IDOK);
        d.Type(CHOXFindCommentDlg::kCommentEdit, QStringLiteral("   "));
        d.Click(CHOXFindCommentDlg::kFindButton);
        EXPECT_EQ(d.Focus(), CHOXFindCommentDlg::kCommentEdit);
        messages.Expect(QStringLiteral("Comment not found."), kWarn, IDOK);
        d.Type(CHOXFindCommentDlg::kCommentEdit, QStringLiteral("away"));
        d.Click(CHOXFindCommentDlg::kFindButton);
        EXPECT_FALSE(d.Ended());
        EXPECT_EQ(d.Focus(), CHOXFindCommentDlg::kCommentEdit);
        EXPECT_EQ(qobject_cast<QLineEdit*>(d.Widget(CHOXFindCommentDlg::kCommentEdit))->selectedText(),
                  QStringLiteral("away"));
        // The dialog trims what the search does not.
        d.Type(CHOXFindCommentDlg::kCommentEdit, QStringLiteral(" home "));
        d.Click(CHOXFindCommentDlg::kFindButton);
        EXPECT_TRUE(d.Ended());
    });
    EXPECT_TRUE(GetCommandRouter()->Execute(ID_SEARCH_COMMENT));
    EXPECT_EQ(Selection(Chart(1)).size(), 1u);
    dialogs.Expect(CHOXFindCommentDlg::kTemplate, [](DialogDriver& d) { d.Click(CHOXFindCommentDlg::kCloseButton); });
    EXPECT_TRUE(GetCommandRouter()->Execute(ID_SEARCH_COMMENT));
}

TEST_F(DocParamCommandsTest, TheNumberDialogTakesThePointerNumbersOfTheType)
{
    for (const auto& [type, highest] : {std::pair{0, 127}, std::pair{1, 255}}) {
        DocumentWithCharts(1, type);
        Place<CHOXFlowJump>(Chart(1), CPoint(100, 200))->SetPointerNumber(highest);
        ScriptedDialogs dialogs;
        dialogs.Expect(CHOXFindNumberDlg::kTemplate, [highest = highest](DialogDriver& d) {
            ScriptedMessages messages;
            const int edit = CHOXFindNumberDlg::kNumberEdit;
            EXPECT_EQ(d.Limit(edit), 3);
            // Four digits cannot be typed.
            d.Type(edit, QStringLiteral("1000"));
            EXPECT_EQ(d.Text(edit), QStringLiteral("100"));
            const QString range = QStringLiteral("Please enter an integer between 0 and %1.").arg(highest);
            messages.Expect(range, kWarn, IDOK);
            d.Type(edit, QString::number(highest + 1));
            d.Click(CHOXFindNumberDlg::kFindButton);
            EXPECT_EQ(d.Focus(), edit);
            // The spin stops at the highest number.
            d.Type(edit, QString::number(highest));
            d.Spin(CHOXFindNumberDlg::kNumberSpin, 1);
            EXPECT_EQ(d.Text(edit), QString::number(highest));
            messages.Expect(QStringLiteral("Pointer Number not found"), kWarn, IDOK);
            d.Type(edit, QStringLiteral("3"));
            d.Click(CHOXFindNumberDlg::kFindButton);
            EXPECT_FALSE(d.Ended());
            EXPECT_EQ(d.Focus(), edit);
            d.Type(edit, QString::number(highest));
            d.Click(CHOXFindNumberDlg::kFindButton);
            EXPECT_TRUE(d.Ended());
        });
        EXPECT_TRUE(GetCommandRouter()->Execute(ID_SEARCH_NUMBER));
        EXPECT_EQ(Selection(Chart(1)).size(), 1u);
        Doc()->SetModifiedFlag(false);
    }
}
