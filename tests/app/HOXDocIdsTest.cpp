// The document's window map, id allocators and number tables.
#include "app/HOXDoc.h"
#include "chart/HOXDrawObj.h"
#include "chart/HOXFlowWnd.h"
#include "online/monitor/HOXMonWnd.h"
#include "symbols/flow/HOXFlowMonInfo.h"

#include <tuple>
#include "support/Scripted.h"

#include <gtest/gtest.h>

using kt::test::ScriptedMessages;
using kt::test::TempSettings;

namespace {

class HOXDocTest : public ::testing::Test {
protected:
    // A flow-chart window with objects of the given ids in its object map.
    CHOXFlowWnd* AddChart(const QString& name, std::initializer_list<int> symbolIds = {},
                          std::initializer_list<int> wireIds = {})
    {
        auto wnd = doc.NewFlowWindow(name, QString());
        EXPECT_TRUE(wnd);
        for (int id : symbolIds) {
            auto object = std::make_unique<CHOXDrawObj>(CRect(0, 0, 10, 10), wnd.get());
            object->SetId(static_cast<DWORD>(id));
            wnd->AddObject(std::move(object));
        }
        for (int id : wireIds) {
            auto object = std::make_unique<CHOXDrawObj>(CRect(0, 0, 10, 10), wnd.get());
            object->SetId(static_cast<DWORD>(id));
            wnd->AddConnect(std::move(object));
        }
        CHOXFlowWnd* raw = wnd.get();
        doc.AddWindow(name, std::move(wnd));
        return raw;
    }

    TempSettings settings;
    CHOXDoc doc;
};

} // namespace

TEST_F(HOXDocTest, StartsWithTheDocumentedValues)
{
    EXPECT_EQ(doc.GetControllerType(), 1);
    EXPECT_TRUE(doc.IsEditMode());
    EXPECT_FALSE(doc.IsMonitoring());
    EXPECT_TRUE(doc.GetPrintComment());
    EXPECT_TRUE(doc.GetPrintContent());
    EXPECT_EQ(doc.GetIdCounters().monObj, 20);
    EXPECT_EQ(doc.GetPasteOffset().cx, 10);
    ASSERT_NE(doc.GetMonWnd(), nullptr);
    EXPECT_EQ(doc.GetMonWnd()->GetDocument(), &doc);
    EXPECT_TRUE(doc.GetWindowNameList().isEmpty());
    EXPECT_EQ(doc.NewMonObjId(), 20);
}

TEST_F(HOXDocTest, WindowsByNameAndTheNameList)
{
    CHOXFlowWnd* one = AddChart(QStringLiteral("Flow Chart1"));
    AddChart(QStringLiteral("Subtask"));
    EXPECT_EQ(doc.FindWindowByName(QStringLiteral("flow chart1")), one);
    EXPECT_EQ(doc.FindWindowByName(QStringLiteral("Flow Chart2")), nullptr);
    EXPECT_TRUE(doc.FindWindowByName(QStringLiteral("Subtask"))->IsSubtaskWindow());
    EXPECT_EQ(doc.GetWindowNameList(), (QStringList{"Flow Chart1", "Subtask"}));

    // Taking a record out leaves its name in the list until the list is told.
    auto taken = doc.RemoveWindow(QStringLiteral("Flow Chart1"));
    EXPECT_EQ(taken.get(), one);
    EXPECT_EQ(doc.FindWindowByName(QStringLiteral("Flow Chart1")), nullptr);
    EXPECT_EQ(doc.GetWindowNameList().size(), 2);
    doc.UpdateWindowName(QStringLiteral("Flow Chart1"), false, QStringLiteral("Press"));
    EXPECT_EQ(doc.GetWindowNameList(), (QStringList{"Press", "Subtask"}));
    doc.UpdateWindowName(QStringLiteral("Press"), true, QString());
    EXPECT_EQ(doc.GetWindowNameList(), (QStringList{"Subtask"}));
    doc.UpdateWindowName(QStringLiteral("absent"), false, QStringLiteral("x"));
    EXPECT_EQ(doc.GetWindowNameList(), (QStringList{"Subtask"}));
}

TEST_F(HOXDocTest, RefusesThe501stWindow)
{
    for (int i = 1; i <= 500; ++i) AddChart(QStringLiteral("Flow Chart%1").arg(i));
    EXPECT_EQ(doc.GetWindowMap().GetCount(), 500u);
    EXPECT_EQ(doc.NewFlowWindow(QStringLiteral("Flow Chart501"), QString()), nullptr);
    doc.RemoveWindow(QStringLiteral("Flow Chart7"));
    EXPECT_NE(doc.NewFlowWindow(QStringLiteral("Flow Chart501"), QString()), nullptr);
}

TEST_F(HOXDocTest, SymbolIdsCountThenSearch)
{
    EXPECT_EQ(doc.NewSymbolId(), 0);
    EXPECT_EQ(doc.NewSymbolId(), 1);
    doc.ReleaseSymbolId();
    EXPECT_EQ(doc.NewSymbolId(), 1);

    // Counter used up: the lowest id no window uses.
    doc.SetIdCounters({.symbol = 4000});
    EXPECT_EQ(doc.NewSymbolId(), 0); // no windows at all
    AddChart(QStringLiteral("A"), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    AddChart(QStringLiteral("B"), {10});
    EXPECT_EQ(doc.NewSymbolId(), 11);
    // A searched id is not given back: the next search finds it again.
    doc.ReleaseSymbolId();
    EXPECT_EQ(doc.GetIdCounters().symbol, 4000);
    EXPECT_EQ(doc.NewSymbolId(), 11);
}

// Past the counter, one search after another remembers what it found: it
// must still answer as a fresh search would, whatever happened between.
TEST_F(HOXDocTest, SearchedIdsFollowEveryChangeOfTheMaps)
{
    doc.SetIdCounters({.symbol = 4000, .wire = 4000});
    CHOXFlowWnd* a = AddChart(QStringLiteral("A"), {0, 1, 2, 4}, {0, 1});
    CHOXFlowWnd* b = AddChart(QStringLiteral("B"), {3, 6});
    const auto place = [](CHOXFlowWnd* wnd, int id) {
        auto object = std::make_unique<CHOXDrawObj>(CRect(0, 0, 10, 10), wnd);
        object->SetId(static_cast<DWORD>(id));
        wnd->AddObject(std::move(object));
    };

    EXPECT_EQ(doc.NewSymbolId(), 5);
    EXPECT_EQ(doc.NewSymbolId(), 5) << "an id not placed is found again";
    place(a, 5);
    EXPECT_EQ(doc.NewSymbolId(), 7) << "placed, it is skipped; so is 6, held before";
    place(b, 8); // placed by other means than the search
    place(a, 7);
    EXPECT_EQ(doc.NewSymbolId(), 9);
    a->RemoveObject(1);
    EXPECT_EQ(doc.NewSymbolId(), 1) << "a deleted object frees its id";
    place(a, 1);
    const auto kept = doc.RemoveWindow(QStringLiteral("B")); // handed on, not deleted
    EXPECT_EQ(doc.NewSymbolId(), 3) << "a window taken out of the document frees its ids";
    EXPECT_EQ(doc.NewWireId(), 2) << "wires have their own ids";
}

TEST_F(HOXDocTest, ExhaustedIdsShowTheirMessage)
{
    doc.SetIdCounters({.symbol = 4000, .wire = 4000});
    std::vector<int> all;
    for (int i = 0; i <= 4000; ++i) all.push_back(i);
    auto wnd = doc.NewFlowWindow(QStringLiteral("Full"), QString());
    for (int id : all) {
        auto s = std::make_unique<CHOXDrawObj>(CRect(), wnd.get());
        s->SetId(static_cast<DWORD>(id));
        wnd->AddObject(std::move(s));
        auto w = std::make_unique<CHOXDrawObj>(CRect(), wnd.get());
        w->SetId(static_cast<DWORD>(id));
        wnd->AddConnect(std::move(w));
    }
    doc.AddWindow(QStringLiteral("Full"), std::move(wnd));
    ScriptedMessages messages;
    messages.Expect("ERROR : Number of Symbols exceeded the limit.", MB_OK | MB_ICONHAND, IDOK)
        .Expect("ERROR : Number of Wires exceeded the limit.", MB_OK | MB_ICONHAND, IDOK);
    EXPECT_EQ(doc.NewSymbolId(), -1);
    EXPECT_EQ(doc.NewWireId(), -1);
    doc.FindWindowByName(QStringLiteral("Full"))->RemoveObject(17);
    EXPECT_EQ(doc.NewSymbolId(), 17) << "one deleted after all were taken";
}

TEST_F(HOXDocTest, MonitorAndOleIdsSearchTheMonitorWindow)
{
    doc.SetIdCounters({.ole = 4000, .monObj = 4000});
    EXPECT_EQ(doc.NewMonObjId(), 20);
    EXPECT_EQ(doc.NewOleId(), 0);
    ScriptedMessages messages;
    messages.Expect("ERROR : Number of OLE Objects exceeded the limit.", MB_OK | MB_ICONHAND, IDOK);
    for (int id = 0; id <= 4000; ++id) {
        auto o = std::make_unique<CHOXDrawObj>(CRect(), doc.GetMonWnd());
        o->SetId(static_cast<DWORD>(id));
        doc.GetMonWnd()->AddOleObject(std::move(o));
    }
    EXPECT_EQ(doc.NewOleId(), -1);
}

TEST_F(HOXDocTest, ShapeIdsNeverWrapOntoAnExistingKey)
{
    EXPECT_EQ(doc.NewShapeId(), 0);
    EXPECT_EQ(doc.NewShapeId(), 1);
    doc.SetIdCounters({.shape = 0x10000});
    for (int id : {0, 1, 2}) {
        auto shape = std::make_unique<CHOXDrawObj>(CRect(), doc.GetMonWnd());
        shape->SetId(static_cast<DWORD>(id));
        doc.GetMonWnd()->AddShape(std::move(shape));
    }
    EXPECT_EQ(doc.NewShapeId(), 3);
}

TEST_F(HOXDocTest, PointerNumbersFollowTheControllerType)
{
    doc.SetControllerType(0);
    EXPECT_TRUE(doc.IsValidPointerNumber(127));
    EXPECT_FALSE(doc.IsValidPointerNumber(128));
    EXPECT_FALSE(doc.IsValidPointerNumber(-1));
    doc.MarkPointerNumberUsed(128); // out of range: ignored
    EXPECT_FALSE(doc.IsPointerNumberUsed(128));
    for (int i = 0; i <= 127; ++i) EXPECT_EQ(doc.AllocPointerNumber(), i);
    EXPECT_EQ(doc.AllocPointerNumber(), -1);
    doc.FreePointerNumber(5);
    EXPECT_EQ(doc.AllocPointerNumber(), 5);

    doc.SetControllerType(2);
    EXPECT_TRUE(doc.IsValidPointerNumber(255));
    EXPECT_FALSE(doc.IsValidPointerNumber(256));
    EXPECT_EQ(doc.AllocPointerNumber(), 128);
}

TEST_F(HOXDocTest, ProgramNumbersPerAxis)
{
    EXPECT_EQ(doc.FindFreeProgramNumber(0), 0);
    EXPECT_EQ(doc.FindFreeProgramNumber(0), 0); // finding does not take
    doc.MarkProgramNumberUsed(2, 0);             // both axes use the X row
    EXPECT_TRUE(doc.IsProgramNumberUsed(0, 0));
    EXPECT_EQ(doc.FindFreeProgramNumber(2), 1);
    EXPECT_EQ(doc.FindFreeProgramNumber(1), 0);
    doc.MarkProgramNumberUsed(1, 100); // outside the table: ignored
    EXPECT_FALSE(doc.IsProgramNumberUsed(1, 100));
    // A selector that names no axis (read from a damaged file) is ignored.
    for (int axis : {-1, 3, 7}) {
        doc.MarkProgramNumberUsed(axis, 5);
        EXPECT_FALSE(doc.IsProgramNumberUsed(axis, 0));
        EXPECT_EQ(doc.FindFreeProgramNumber(axis), -1);
    }
    EXPECT_FALSE(doc.IsProgramNumberUsed(0, 5));
    EXPECT_FALSE(doc.IsProgramNumberUsed(1, 5));
    for (int n = 0; n <= 99; ++n) doc.MarkProgramNumberUsed(1, n);
    EXPECT_EQ(doc.FindFreeProgramNumber(1), -1);
    doc.FreeProgramNumber(1, 42);
    EXPECT_EQ(doc.FindFreeProgramNumber(1), 42);
}

TEST_F(HOXDocTest, ObjectIdsInUseAcrossWindows)
{
    AddChart(QStringLiteral("A"), {3});
    AddChart(QStringLiteral("B"), {9});
    EXPECT_TRUE(doc.IsObjectIdUsed(9));
    EXPECT_FALSE(doc.IsObjectIdUsed(4));
}

TEST_F(HOXDocTest, ModeCommandsAndTheirStates)
{
    auto state = [this](UINT id) {
        CCmdUI ui(id);
        const bool handled = doc.OnCmdMsg(id, CmdMode::Update, &ui);
        return std::make_tuple(handled, ui.m_bEnableChanged ? ui.m_bEnabled : true, ui.m_nCheck);
    };
    EXPECT_TRUE(doc.OnCmdMsg(32894, CmdMode::Execute, nullptr));
    EXPECT_TRUE(doc.IsProgTextXShown());
    EXPECT_EQ(std::get<2>(state(32894)), 1);
    doc.OnCmdMsg(32894, CmdMode::Execute, nullptr);
    EXPECT_FALSE(doc.IsProgTextXShown());

    // The Y-axis item only on the independent two-axis type.
    EXPECT_TRUE(std::get<1>(state(32897)));
    doc.SetControllerType(0);
    EXPECT_FALSE(std::get<1>(state(32897)));

    // While monitoring, editing and controller commands wait; Stop waits
    // for monitoring.
    EXPECT_FALSE(std::get<1>(state(32038)));
    EXPECT_TRUE(std::get<1>(state(57603)));
    doc.SetEditMode(false);
    doc.SetMonitoring(true);
    EXPECT_FALSE(std::get<1>(state(57603)));
    EXPECT_TRUE(std::get<1>(state(32038)));
    EXPECT_EQ(std::get<2>(state(32890)), 1);
}

TEST_F(HOXDocTest, StepMapLookupsAndRenames)
{
    EXPECT_TRUE(doc.GetStepWindowName(3).isEmpty());
    doc.AddStepInfo(std::make_unique<CHOXFlowMonInfo>(0, 3, QStringLiteral("A")));
    doc.AddStepInfo(std::make_unique<CHOXFlowMonInfo>(4, 3, QStringLiteral("B")));
    doc.AddStepInfo(std::make_unique<CHOXFlowMonInfo>(8, 9, QStringLiteral("A")));
    EXPECT_EQ(doc.GetStepWindowName(3), QStringLiteral("A")); // the first record wins
    doc.RenameStepWindow(QStringLiteral("A"), QStringLiteral("Press"));
    EXPECT_EQ(doc.GetStepWindowName(9), QStringLiteral("Press"));
    EXPECT_EQ(doc.GetStepInfoList().front()->GetStep(), 0);
    doc.RenameStepWindow(QStringLiteral("a"), QStringLiteral("x")); // exact names only
    EXPECT_EQ(doc.GetStepWindowName(3), QStringLiteral("Press"));
    doc.ClearStepInfo();
    EXPECT_TRUE(doc.GetStepInfoList().empty());
}
