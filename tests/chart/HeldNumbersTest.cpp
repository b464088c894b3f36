// The numbers a symbol holds, told by the symbol alone: a symbol family the
// chart layer has never heard of is placed from its palette tool, removed,
// undone, redone, stored and loaded, and its chart deleted, and the document's
// pointer table follows each time.
#include "app/HOXDoc.h"
#include "app/PaletteTools.h"
#include "chart/HOXFlowView.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXSymbol.h"
#include "chart/HOXUndo.h"
#include "chart/SymbolSupport.h"
#include "platform/Archive.h"
#include "support/MemoryViewHost.h"
#include "support/Scripted.h"

#include <gtest/gtest.h>

#include <memory>

using kt::test::MemoryViewHost;
using kt::test::TempSettings;

// A symbol of its own family that holds one pointer number: taken when it is
// made, stored after the symbol part, given back unless it is in the error
// state.
class CTestNumberHolder : public CHOXSymbol {
    KT_DECLARE_SERIAL(CTestNumberHolder)
public:
    CTestNumberHolder() = default;
    CTestNumberHolder(CPoint topLeft, CHOXWnd* wnd) : CHOXSymbol(topLeft, wnd)
    {
        AssignNewNumber();
        CreatePins();
    }

    void Serialize(CArchive& ar) override
    {
        CHOXSymbol::Serialize(ar);
        if (ar.IsStoring()) {
            ar << m_nNumber;
        } else {
            ar >> m_nNumber;
        }
    }
    void AssignNewNumber() override
    {
        CHOXDoc* doc = chart::DocumentOf(m_pWnd);
        m_nNumber = doc != nullptr ? doc->AllocPointerNumber() : -1;
    }
    std::vector<HeldNumber> GetHeldNumbers() const override
    {
        HeldNumber held;
        held.kind = HeldNumber::kPointer;
        held.number = m_nNumber;
        held.givesBack = m_nState != kError;
        return {held};
    }

    std::int32_t m_nNumber = -1;
};

KT_IMPLEMENT_SERIAL(CTestNumberHolder, CHOXSymbol, 0)

namespace {

// The family's tool, for as long as a test needs it; the tool's own maker
// comes back afterwards.
class ToolRegistration {
public:
    explicit ToolRegistration(UINT tool) : m_tool(tool), m_old(FindPaletteTool(tool)->maker)
    {
        EXPECT_TRUE(RegisterSymbolMaker(tool, &MakeSymbolOf<CTestNumberHolder>));
    }
    ~ToolRegistration() { RegisterSymbolMaker(m_tool, m_old); }
    ToolRegistration(const ToolRegistration&) = delete;
    ToolRegistration& operator=(const ToolRegistration&) = delete;

private:
    UINT m_tool;
    SymbolMaker m_old;
};

class HeldNumbersTest : public ::testing::Test {
protected:
    HeldNumbersTest()
    {
        chart = AddChart(doc, QStringLiteral("Flow Chart1"));
        other = AddChart(doc, QStringLiteral("Flow Chart2"));
        view.SetHost(&host);
        view.ShowRecord(chart);
        doc.AddView(&view);
    }
    ~HeldNumbersTest() override
    {
        doc.RemoveView(&view);
        chart->SetView(nullptr);
    }

    static CHOXFlowWnd* AddChart(CHOXDoc& document, const QString& name)
    {
        std::unique_ptr<CHOXFlowWnd> owned = document.NewFlowWindow(name, QString());
        CHOXFlowWnd* wnd = owned.get();
        document.AddWindow(name, std::move(owned));
        return wnd;
    }

    // Placed as the flow view places a tool's symbol: made by the factory,
    // given an id, put into the chart and recorded as added.
    CTestNumberHolder* PlaceFromTool(UINT tool)
    {
        view.OnToolSelected(tool);
        std::unique_ptr<CHOXDrawObj> made = view.CreateSymbol(CPoint(100, 50));
        auto* holder = dynamic_cast<CTestNumberHolder*>(made.get());
        if (holder == nullptr) return nullptr;
        made->SetId(static_cast<DWORD>(doc.NewSymbolId()));
        chart->AddObject(std::move(made));
        Store().RecordAdd(holder);
        return holder;
    }

    // Deleted as the view's Delete takes a symbol out.
    void Delete(CHOXSymbol* symbol)
    {
        symbol->DeletePins();
        symbol->Remove();
        view.Deselect(symbol);
        Store().RecordDelete(chart->RemoveObject(static_cast<WORD>(symbol->GetId())));
    }

    CHOXUndo& Store() { return *chart->GetUndo(); }

    TempSettings settings;
    CHOXDoc doc;
    CHOXFlowWnd* chart = nullptr;
    CHOXFlowWnd* other = nullptr;
    CHOXFlowView view;
    MemoryViewHost host;
};

} // namespace

TEST_F(HeldNumbersTest, ASymbolOfANewFamilyIsMadeByTheMakerItsClassRegistered)
{
    EXPECT_FALSE(RegisterSymbolMaker(20110, &MakeSymbolOf<CTestNumberHolder>)); // no tool
    ToolRegistration registration(ID_TOOL_FLOW_PROGTEXT);
    CTestNumberHolder* holder = PlaceFromTool(ID_TOOL_FLOW_PROGTEXT);
    ASSERT_NE(holder, nullptr);
    EXPECT_EQ(holder->GetWnd(), chart);
    EXPECT_EQ(holder->GetRect(), CRect(100, 50, 164, 82));
    EXPECT_EQ(holder->m_nNumber, 0);
    EXPECT_TRUE(doc.IsPointerNumberUsed(0));
}

TEST_F(HeldNumbersTest, RemovingUndoingAndRedoingGiveItsNumberBackAndTakeItAgain)
{
    ToolRegistration registration(ID_TOOL_FLOW_PROGTEXT);
    CTestNumberHolder* holder = PlaceFromTool(ID_TOOL_FLOW_PROGTEXT);
    ASSERT_NE(holder, nullptr);
    const int n = holder->m_nNumber;

    // Undo and redo of the placing.
    Store().Undo();
    EXPECT_FALSE(doc.IsPointerNumberUsed(n));
    Store().Redo();
    EXPECT_TRUE(doc.IsPointerNumberUsed(n));

    // Removal, then undo and redo of it.
    Delete(holder);
    EXPECT_FALSE(doc.IsPointerNumberUsed(n));
    Store().Undo();
    ASSERT_EQ(chart->LookupObject(static_cast<WORD>(holder->GetId())), holder);
    EXPECT_TRUE(doc.IsPointerNumberUsed(n));
    EXPECT_EQ(holder->m_nNumber, n);
    Store().Redo();
    EXPECT_FALSE(doc.IsPointerNumberUsed(n));

    // Taken by another holder meanwhile: the symbol comes back with a fresh
    // number and the other keeps its own.
    ASSERT_EQ(doc.AllocPointerNumber(), n);
    Store().Undo();
    EXPECT_NE(holder->m_nNumber, n);
    EXPECT_TRUE(doc.IsPointerNumberUsed(n));
    EXPECT_TRUE(doc.IsPointerNumberUsed(holder->m_nNumber));
}

TEST_F(HeldNumbersTest, InTheErrorStateItGivesBackNothing)
{
    ToolRegistration registration(ID_TOOL_FLOW_PROGTEXT);
    CTestNumberHolder* holder = PlaceFromTool(ID_TOOL_FLOW_PROGTEXT);
    ASSERT_NE(holder, nullptr);
    const int n = holder->m_nNumber;
    holder->SetState(CHOXSymbol::kError);
    Delete(holder);
    EXPECT_TRUE(doc.IsPointerNumberUsed(n));
    Store().Undo();
    Store().Redo();
    EXPECT_TRUE(doc.IsPointerNumberUsed(n));
}

TEST_F(HeldNumbersTest, LoadingAChartMarksItsNumberAndDeletingTheChartGivesItBack)
{
    ToolRegistration registration(ID_TOOL_FLOW_PROGTEXT);
    doc.AllocPointerNumber();
    doc.AllocPointerNumber();
    CTestNumberHolder* holder = PlaceFromTool(ID_TOOL_FLOW_PROGTEXT);
    ASSERT_NE(holder, nullptr);
    ASSERT_EQ(holder->m_nNumber, 2);

    CArchive out;
    out.m_pDocument = &doc;
    out.WriteObject(chart);
    CHOXDoc loaded;
    CArchive in(out.Buffer());
    in.m_pDocument = &loaded;
    std::unique_ptr<CHOXFlowWnd> back = in.ReadOwned<CHOXFlowWnd>();
    ASSERT_NE(back, nullptr);
    ASSERT_NE(dynamic_cast<CTestNumberHolder*>(back->LookupObject(static_cast<WORD>(holder->GetId()))), nullptr);
    for (int n = 0; n <= 255; ++n) EXPECT_EQ(loaded.IsPointerNumberUsed(n), n == 2) << n;

    back->GiveBackNumbers();
    EXPECT_FALSE(loaded.IsPointerNumberUsed(2));
}
