// Placing the palette's symbols with the mouse: each built flow-control
// symbol, the placing rules and their refusals, and symbols that would stick
// out of the base sheet.
#include "chart/FlowViewFixture.h"
#include "platform/Strings.h"
#include "symbols/flow/HOXFlowStart.h"

using namespace kt::test;

namespace {

const ViewPlace kPlaces[] = {{2, CPoint(0, 0), "Normal"}, {0, CPoint(150, 90), "LargeScrolled"}};

class FlowPlaceTest : public FlowViewFixture, public ::testing::WithParamInterface<ViewPlace> {
protected:
    FlowPlaceTest() { ShowAt(GetParam()); }

    // Everything a refused press must leave alone.
    struct Snapshot {
        std::size_t symbols;
        std::int32_t symbolCounter;
        bool modified;
    };
    Snapshot Take() const { return {Symbols(), doc.GetIdCounters().symbol, doc.IsModified()}; }
    void ExpectUnchanged(const Snapshot& before) const
    {
        EXPECT_EQ(Symbols(), before.symbols);
        EXPECT_EQ(doc.GetIdCounters().symbol, before.symbolCounter);
        EXPECT_EQ(doc.IsModified(), before.modified);
    }
    // A refused press ends the tool at once.
    void ExpectToolEnded() const
    {
        EXPECT_EQ(Mode(), 0);
        EXPECT_FALSE(host.capture);
        EXPECT_EQ(host.cursor, Cursor::Arrow);
    }
};

INSTANTIATE_TEST_SUITE_P(Places, FlowPlaceTest, ::testing::ValuesIn(kPlaces),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(FlowPlaceTest, EachBuiltFlowSymbolIsPlacedWhereClicked)
{
    const struct {
        UINT tool;
        int type;
    } cases[] = {{20101, 301}, {20102, 302}, {20103, 303}, {20104, 309}, {20106, 305}, {20108, 306}, {20109, 304}};
    int row = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tool);
        const CPoint at(60 + 80 * (row % 4), 60 + 100 * (row / 4));
        ++row;
        doc.SetModifiedFlag(false);
        view.OnToolSelected(c.tool);
        EXPECT_EQ(Mode(), 1);
        Press(at);
        // Placed at the press: the only selection, recorded as added, and
        // the tool is used up; the mode ends with the release.
        ASSERT_EQ(view.GetSelectionCount(), 1u);
        CHOXDrawObj* placed = view.GetSelection().front();
        EXPECT_EQ(placed->GetObjectType(), c.type);
        EXPECT_EQ(placed->GetRect(), CRect(at.x, at.y, at.x + 64, at.y + 32));
        EXPECT_EQ(wnd->LookupObject(static_cast<WORD>(placed->GetId())), placed);
        EXPECT_EQ(CHOXView::s_nCurrentTool, 0u);
        EXPECT_EQ(wnd->GetUndo()->GetAction(), 1);
        ASSERT_EQ(wnd->GetUndo()->GetRecords().size(), 1u);
        EXPECT_EQ(wnd->GetUndo()->GetRecords()[0]->m_nId, placed->GetId());
        EXPECT_EQ(Mode(), 1);
        Release(at);
        EXPECT_EQ(Mode(), 0);
        EXPECT_EQ(view.GetSelectionCount(), 0u);
        EXPECT_FALSE(host.capture);
        EXPECT_TRUE(doc.IsModified());
    }
    EXPECT_EQ(Symbols(), std::size(cases));
    // Undo of the last placement takes the POINTER away again.
    view.OnEditUndo();
    EXPECT_EQ(Symbols(), std::size(cases) - 1);
}

TEST_P(FlowPlaceTest, WhileMovingTheCrossShowsAndNothingFollows)
{
    view.OnToolSelected(20102);
    MoveTo(CPoint(100, 100), 0);
    EXPECT_EQ(host.cursor, Cursor::Cross);
    Press(CPoint(100, 100));
    MoveTo(CPoint(200, 200));
    Release(CPoint(200, 200));
    ASSERT_EQ(Symbols(), 1u);
    EXPECT_EQ(wnd->GetObjectMap().begin()->second->GetRect().TopLeft(), CPoint(100, 100));
}

TEST_P(FlowPlaceTest, PlacingRulesRefuseWithTheirMessages)
{
    const QString circular = QStringLiteral("ERROR:  Circular Code Symbol cannot be pasted .\n");
    const QString linear =
        QStringLiteral("ERROR:  Linear Code Symbol cannot be pasted for \nRO-20ZU Independent 2-Axis.");
    const QString pointer =
        QStringLiteral("ERROR : Pointer number exceeds the Maximum limt.\nCan not create this symbol.");
    const QString program = QStringLiteral("ERROR : Program number exceeds 99.\nCan not create this symbol.");
    const struct {
        const char* what;
        UINT tool;
        std::int32_t controllerType;
        QString message; // empty: placed
        int fill;        // 1 all pointer numbers, 2 program row X, 3 rows X and Y
    } cases[] = {
        {"circular on one axis", 20204, 0, circular + QStringLiteral("for ZE-10RE."), 0},
        {"circular on two axes", 20204, 1, circular + QStringLiteral("for RO-20ZU Independent Axis"), 0},
        {"circular interpolated", 20204, 2, {}, 0},
        {"linear on one axis", 20203, 0, {}, 0},
        {"linear on two axes", 20203, 1, linear, 0},
        {"linear interpolated", 20203, 2, {}, 0},
        {"subroutine without pointer numbers", 20103, 1, pointer, 1},
        {"pointer without pointer numbers", 20109, 0, pointer, 1},
        {"start, X row full on one axis", 20101, 0, program, 2},
        {"start, X row full on two axes takes Y", 20101, 1, {}, 2},
        {"start, both rows full on two axes", 20101, 1, program, 3},
        {"start, row full interpolated", 20101, 2, program, 2},
    };
    ToolMakerScope line(20203, &MakeSymbolOf<CodeSymbolOf<objtype::kCodeLine>>);
    ToolMakerScope cir(20204, &MakeSymbolOf<CodeSymbolOf<objtype::kCodeCir>>);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        doc.SetControllerType(c.controllerType);
        for (int n = 0; n <= 255; ++n) doc.FreePointerNumber(n);
        for (int axis : {0, 1})
            for (int n = 0; n <= 99; ++n) doc.FreeProgramNumber(axis, n);
        if (c.fill == 1)
            for (int n = 0; n <= 255; ++n) doc.MarkPointerNumberUsed(n);
        for (int n = 0; n <= 99 && c.fill >= 2; ++n) doc.MarkProgramNumberUsed(0, n);
        for (int n = 0; n <= 99 && c.fill == 3; ++n) doc.MarkProgramNumberUsed(1, n);
        const Snapshot before = Take();
        view.OnToolSelected(c.tool);
        {
            ScriptedMessages messages;
            if (!c.message.isEmpty()) messages.Expect(c.message, kStop, IDOK);
            Press(CPoint(100, 100));
        }
        if (c.message.isEmpty()) {
            EXPECT_EQ(Symbols(), before.symbols + 1);
            Release(CPoint(100, 100));
            for (auto& [id, object] : wnd->GetObjectMap()) object->Remove();
            wnd->GetObjectMap().RemoveAll();
            continue;
        }
        ExpectUnchanged(before);
        ExpectToolEnded();
        // The release that follows changes nothing either.
        Release(CPoint(100, 100));
        EXPECT_EQ(Symbols(), before.symbols);
    }
}

TEST_P(FlowPlaceTest, ASecondStartInTheSubtaskIsRefusedAnyElsewhereIsNot)
{
    wnd->SetNames(LoadStr(20000), QString());
    PlaceWithTool(20101, CPoint(100, 60));
    ASSERT_EQ(Symbols(), 1u);
    const Snapshot before = Take();
    view.OnToolSelected(20101);
    {
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("ERROR : Start Symbol is already present in the Subtask Window."), kStop, IDOK);
        Press(CPoint(200, 60));
    }
    ExpectUnchanged(before);
    ExpectToolEnded();
    // A name that only looks like it is another chart.
    wnd->SetNames(QStringLiteral("subtask"), QString());
    EXPECT_NE(PlaceWithTool(20101, CPoint(200, 60)), nullptr);
}

TEST_P(FlowPlaceTest, WithoutAMakerTheFactoryFailsAndGivesTheIdBack)
{
    ToolMakerScope none(20107, nullptr);
    const Snapshot before = Take();
    view.OnToolSelected(20107);
    {
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("ERROR :  Fialed in creating a symbol."), kStop, IDOK);
        Press(CPoint(100, 100));
    }
    ExpectUnchanged(before);
    ExpectToolEnded();
}

TEST_P(FlowPlaceTest, NoFreeSymbolIdEndsTheToolAfterTheDocumentsMessage)
{
    // Every id taken: the counter has run out and the search finds none.
    CHOXDoc::IdCounters counters = doc.GetIdCounters();
    counters.symbol = 4000;
    doc.SetIdCounters(counters);
    for (DWORD id = 0; id <= 4000; ++id) Place(id, CPoint(40 + static_cast<LONG>(id % 8), 40));
    const std::size_t before = Symbols();
    view.OnToolSelected(20102);
    {
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("ERROR : Number of Symbols exceeded the limit."), kStop, IDOK);
        Press(CPoint(300, 200));
    }
    EXPECT_EQ(Symbols(), before);
    ExpectToolEnded();
}

TEST_P(FlowPlaceTest, ASymbolStickingOutOfTheSheetGoesWithItsNumber)
{
    wnd->GetBaseRect()->m_position = CRect(0, 0, 500, 300);
    doc.SetControllerType(1);
    const int freeBefore = doc.FindFreeProgramNumber(0);
    const Snapshot before = Take();
    view.OnToolSelected(20101);
    // The sheet holds a symbol only 15 units inside its right and bottom
    // edges: 64 wide at 430 ends at 494.
    const CPoint at(430, 100);
    {
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("ERROR:  Cannot draw out side the  Base Rectangle."), kStop, IDOK);
        Press(at);
    }
    ExpectUnchanged(before);
    EXPECT_EQ(view.GetSelectionCount(), 0u);
    EXPECT_EQ(doc.FindFreeProgramNumber(0), freeBefore);
    // The tool stays chosen until the release.
    EXPECT_EQ(Mode(), 1);
    EXPECT_EQ(CHOXView::s_nCurrentTool, 20101u);
    Release(at);
    EXPECT_EQ(Mode(), 0);
    EXPECT_EQ(Symbols(), 0u);
    // Just inside, it stays.
    EXPECT_NE(PlaceWithTool(20101, CPoint(420, 100)), nullptr);
}

TEST_P(FlowPlaceTest, NothingIsPlacedWhileMonitoring)
{
    doc.SetEditMode(false);
    view.OnToolSelected(20102);
    Press(CPoint(100, 100));
    EXPECT_FALSE(host.capture);
    Release(CPoint(100, 100));
    EXPECT_EQ(Symbols(), 0u);
    EXPECT_EQ(Mode(), 1);
    doc.SetEditMode(true);
}

} // namespace
