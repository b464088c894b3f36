// The undo store of a window record: its step and states, moves and resizes
// taken back and done again exactly, additions and deletions in the monitor
// window's maps and in a flow chart with its wires, nodes and numbers.
#include "chart/HOXUndo.h"

#include "app/HOXDoc.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXConnect.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXLine.h"
#include "chart/HOXNode.h"
#include "chart/HOXOval.h"
#include "chart/HOXPin.h"
#include "chart/HOXRect.h"
#include "chart/HOXView.h"
#include "online/monitor/HOXMonObj.h"
#include "online/monitor/HOXMonWnd.h"
#include "support/MemoryViewHost.h"
#include "support/Scripted.h"
#include "symbols/flow/HOXFlowCall.h"
#include "symbols/flow/HOXFlowEnd.h"
#include "symbols/flow/HOXFlowPointer.h"
#include "symbols/flow/HOXFlowStart.h"
#include "symbols/flow/HOXFlowSubRtn.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using kt::test::MemoryViewHost;
using kt::test::TempSettings;

namespace {

// An OLE holder as the store sees one: its type code, released through Remove.
class FakeOle : public CHOXDrawObj {
public:
    FakeOle(const CRect& rect, CHOXWnd* wnd, int* removed, int* destroyed)
        : CHOXDrawObj(rect, wnd), m_removed(removed), m_destroyed(destroyed)
    {
    }
    ~FakeOle() override
    {
        if (m_destroyed != nullptr) ++*m_destroyed;
    }
    int GetObjectType() const override { return objtype::kOle; }
    bool Remove() override
    {
        if (m_removed != nullptr) ++*m_removed;
        return true;
    }

private:
    int* m_removed;
    int* m_destroyed;
};

// A monitor object that counts its destruction.
class CountedMonObj : public CHOXMonObj {
public:
    CountedMonObj(CHOXWnd* wnd, int* destroyed) : CHOXMonObj(wnd), m_destroyed(destroyed) {}
    ~CountedMonObj() override
    {
        if (m_destroyed != nullptr) ++*m_destroyed;
    }

private:
    int* m_destroyed;
};

class UndoMonTest : public ::testing::Test {
public:
    void SetUp() override
    {
        wnd = doc.GetMonWnd();
        view.SetHost(&host);
        view.SetWnd(wnd);
        wnd->SetView(&view);
        doc.AddView(&view);
    }
    void TearDown() override
    {
        doc.RemoveView(&view);
        wnd->SetView(nullptr);
    }

    CHOXUndo& Store() { return *wnd->GetUndo(); }

    template <class T>
    T* AddShape(DWORD id, const CRect& rect)
    {
        auto owned = std::make_unique<T>(rect, wnd);
        owned->SetId(id);
        T* shape = owned.get();
        wnd->AddShape(std::move(owned));
        return shape;
    }
    CHOXMonObj* AddMonObj(DWORD id, const CRect& rect, int* destroyed = nullptr)
    {
        auto owned = std::make_unique<CountedMonObj>(wnd, destroyed);
        owned->SetId(id);
        owned->m_position = rect;
        CHOXMonObj* object = owned.get();
        wnd->AddMonObj(std::move(owned));
        return object;
    }
    FakeOle* AddOle(DWORD id, const CRect& rect, int* removed = nullptr, int* destroyed = nullptr)
    {
        auto owned = std::make_unique<FakeOle>(rect, wnd, removed, destroyed);
        owned->SetId(id);
        FakeOle* ole = owned.get();
        wnd->AddOleObject(std::move(owned));
        return ole;
    }

    // The selection dragged as the monitor view drives it: every selected
    // object gets the press, the move and the release (device points).
    void DragSelection(CPoint from, CPoint to)
    {
        const std::vector<CHOXDrawObj*> selection = view.GetSelection();
        for (CHOXDrawObj* object : selection) object->OnLButtonDown(&view, MK_LBUTTON, from);
        for (CHOXDrawObj* object : selection) object->OnMouseMove(&view, MK_LBUTTON, to);
        for (CHOXDrawObj* object : selection) object->OnLButtonUp(&view, 0, to);
        view.RecordSelectionMove();
    }

    TempSettings settings;
    CHOXDoc doc;
    CHOXMonWnd* wnd = nullptr;
    CHOXView view;
    MemoryViewHost host;
};

} // namespace

// ---------------------------------------------------------------------------
// The step and its states

TEST_F(UndoMonTest, StartsEmptyAndUndoAndRedoOfNothingDoNothing)
{
    CHOXUndo& store = Store();
    EXPECT_EQ(store.GetState(), -1);
    EXPECT_EQ(store.GetAction(), -1);
    EXPECT_FALSE(store.CanUndo());
    EXPECT_FALSE(store.CanRedo());
    store.Undo();
    store.Redo();
    EXPECT_EQ(store.GetState(), -1);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(UndoMonTest, RecordsOfOneActionExtendTheStepAndAnyOtherStartsANewOne)
{
    struct Case {
        const char* name;
        std::function<void(UndoMonTest&, CHOXUndo&)> actions;
        std::int32_t state;
        std::int32_t action;
        std::size_t records;
        std::size_t kept;
    };
    const std::vector<Case> cases = {
        {"add, add", [](UndoMonTest& t, CHOXUndo& u) {
             u.RecordAdd(t.AddShape<CHOXRect>(1, CRect(10, 10, 40, 40)));
             u.RecordAdd(t.AddShape<CHOXRect>(2, CRect(50, 10, 80, 40)));
         }, 0, 1, 2, 0},
        {"add, then move", [](UndoMonTest& t, CHOXUndo& u) {
             u.RecordAdd(t.AddShape<CHOXRect>(1, CRect(10, 10, 40, 40)));
             u.RecordMove(t.AddShape<CHOXRect>(2, CRect(50, 10, 80, 40)));
         }, 0, 0, 1, 0},
        {"add, then delete", [](UndoMonTest& t, CHOXUndo& u) {
             u.RecordAdd(t.AddShape<CHOXRect>(1, CRect(10, 10, 40, 40)));
             u.RecordDelete(t.wnd->RemoveShape(1));
         }, 0, 2, 0, 1},
        {"delete, delete", [](UndoMonTest& t, CHOXUndo& u) {
             t.AddShape<CHOXRect>(1, CRect(10, 10, 40, 40));
             t.AddShape<CHOXRect>(2, CRect(50, 10, 80, 40));
             u.RecordDelete(t.wnd->RemoveShape(1));
             u.RecordDelete(t.wnd->RemoveShape(2));
         }, 0, 2, 0, 2},
        {"add, undo, add again", [](UndoMonTest& t, CHOXUndo& u) {
             u.RecordAdd(t.AddShape<CHOXRect>(1, CRect(10, 10, 40, 40)));
             u.Undo();
             u.RecordAdd(t.AddShape<CHOXRect>(2, CRect(50, 10, 80, 40)));
         }, 0, 1, 1, 0},
        {"move, undo", [](UndoMonTest& t, CHOXUndo& u) { u.RecordMove(t.AddShape<CHOXRect>(1, CRect(10, 10, 40, 40))); u.Undo(); },
         1, 0, 1, 0},
        {"move, undo, redo", [](UndoMonTest& t, CHOXUndo& u) {
             u.RecordMove(t.AddShape<CHOXRect>(1, CRect(10, 10, 40, 40)));
             u.Undo();
             u.Redo();
         }, 0, 0, 1, 0},
        {"add, clear", [](UndoMonTest& t, CHOXUndo& u) {
             u.RecordAdd(t.AddShape<CHOXRect>(1, CRect(10, 10, 40, 40)));
             u.Clear();
         }, -1, -1, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CHOXMonWnd fresh(&doc);
        CHOXMonWnd* saved = wnd;
        wnd = &fresh;
        CHOXUndo& store = *fresh.GetUndo();
        c.actions(*this, store);
        EXPECT_EQ(store.GetState(), c.state);
        EXPECT_EQ(store.GetAction(), c.action);
        EXPECT_EQ(store.GetRecords().size(), c.records);
        EXPECT_EQ(store.GetKept().size(), c.kept);
        EXPECT_EQ(store.CanUndo(), c.state == 0);
        EXPECT_EQ(store.CanRedo(), c.state == 1);
        wnd = saved;
    }
}

TEST_F(UndoMonTest, KindsFollowTheClass)
{
    CHOXFlowWnd flow(&doc);
    CHOXRect rect(CRect(0, 0, 10, 10), wnd);
    CHOXOval oval(CRect(0, 0, 10, 10), wnd);
    CHOXLine line(CRect(0, 0, 10, 10), wnd);
    CHOXNode node(5, CRect(0, 0, 10, 10), 1, &flow);
    CHOXMonObj monObj(wnd);
    CHOXConnect wire(CRect(0, 0, 0, 0), &flow);
    CHOXFlowEnd end(CPoint(0, 0), &flow);
    FakeOle ole(CRect(0, 0, 10, 10), wnd, nullptr, nullptr);
    CHOXDrawObj plain(CRect(0, 0, 10, 10), wnd);
    const struct {
        const char* name;
        const CHOXDrawObj* object;
        std::int32_t kind;
    } cases[] = {
        {"rectangle", &rect, 401}, {"ellipse", &oval, 401}, {"line", &line, 401},     {"node", &node, 502},
        {"monitor object", &monObj, 801}, {"wire", &wire, 500}, {"symbol", &end, 300}, {"OLE holder", &ole, 410},
        {"anything else", &plain, 0},     {"nothing", nullptr, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(CHOXUndo::KindOf(c.object), c.kind) << c.name;
}

// ---------------------------------------------------------------------------
// Moves and resizes

TEST_F(UndoMonTest, UndoOfAMouseMovePutsEveryObjectBackAndRedoMovesItAgain)
{
    CHOXRect* rect = AddShape<CHOXRect>(1, CRect(100, 100, 150, 130));
    CHOXMonObj* monObj = AddMonObj(20, CRect(200, 50, 260, 90));
    CHOXLine* line = AddShape<CHOXLine>(2, CRect(50, 200, 120, 240));
    view.Select(rect, true);
    view.Select(monObj, true);
    view.Select(line, true);

    DragSelection(CPoint(110, 110), CPoint(140, 130));
    ASSERT_EQ(rect->GetRect(), CRect(130, 120, 180, 150));
    ASSERT_EQ(monObj->GetRect(), CRect(230, 70, 290, 110));
    ASSERT_EQ(line->GetRect(), CRect(80, 220, 150, 260));
    ASSERT_TRUE(Store().CanUndo());
    EXPECT_EQ(Store().GetRecords().size(), 3u);

    // Twice round: nothing drifts.
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        Store().Undo();
        EXPECT_EQ(rect->GetRect(), CRect(100, 100, 150, 130));
        EXPECT_EQ(monObj->GetRect(), CRect(200, 50, 260, 90));
        EXPECT_EQ(line->GetRect(), CRect(50, 200, 120, 240));
        EXPECT_TRUE(Store().CanRedo());
        EXPECT_FALSE(Store().CanUndo());

        Store().Redo();
        EXPECT_EQ(rect->GetRect(), CRect(130, 120, 180, 150));
        EXPECT_EQ(monObj->GetRect(), CRect(230, 70, 290, 110));
        EXPECT_EQ(line->GetRect(), CRect(80, 220, 150, 260));
        EXPECT_TRUE(Store().CanUndo());
    }
}

TEST_F(UndoMonTest, UndoMarksTheDocumentModifiedAndRedrawsTheViews)
{
    CHOXRect* rect = AddShape<CHOXRect>(1, CRect(100, 100, 150, 130));
    view.Select(rect);
    DragSelection(CPoint(120, 120), CPoint(130, 125));
    doc.SetModifiedFlag(false);
    host.ClearRecord();
    Store().Undo();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_GT(host.invalidateAll, 0);
}

TEST_F(UndoMonTest, AMoveAfterAnUndoReplacesTheStepAndRedoIsGone)
{
    CHOXRect* first = AddShape<CHOXRect>(1, CRect(100, 100, 150, 130));
    CHOXRect* second = AddShape<CHOXRect>(2, CRect(300, 100, 350, 130));
    view.Select(first);
    DragSelection(CPoint(120, 120), CPoint(140, 140));
    Store().Undo();
    ASSERT_EQ(first->GetRect(), CRect(100, 100, 150, 130));

    view.Select(second);
    DragSelection(CPoint(320, 120), CPoint(310, 150));
    EXPECT_FALSE(Store().CanRedo());
    ASSERT_EQ(Store().GetRecords().size(), 1u);
    EXPECT_EQ(Store().GetRecords()[0]->m_nId, 2u);

    Store().Undo();
    EXPECT_EQ(second->GetRect(), CRect(300, 100, 350, 130));
    EXPECT_EQ(first->GetRect(), CRect(100, 100, 150, 130)) << "the old step is gone";
}

TEST_F(UndoMonTest, ASelectionThatDidNotMoveRecordsNothing)
{
    CHOXRect* rect = AddShape<CHOXRect>(1, CRect(100, 100, 150, 130));
    CHOXRect* added = AddShape<CHOXRect>(2, CRect(300, 100, 350, 130));
    Store().RecordAdd(added);

    // Pressed and released in place, an empty selection, and objects whose
    // move was already recorded: the add step stays.
    view.Select(rect);
    DragSelection(CPoint(120, 120), CPoint(120, 120));
    view.Select(nullptr);
    view.RecordSelectionMove();
    EXPECT_EQ(Store().GetAction(), 1);
    EXPECT_EQ(Store().GetRecords().size(), 1u);

    view.Select(rect);
    DragSelection(CPoint(120, 120), CPoint(125, 120));
    ASSERT_EQ(Store().GetAction(), 0);
    view.RecordSelectionMove();
    EXPECT_EQ(Store().GetRecords().size(), 1u);
    Store().Undo();
    EXPECT_EQ(rect->GetRect(), CRect(100, 100, 150, 130));
}

TEST_F(UndoMonTest, AMoveTakenBackAtAnOutOfSheetReleaseIsNotRecorded)
{
    kt::test::ScriptedMessages messages;
    messages.Expect(QStringLiteral("ERROR:  Cannot draw out side the  Base Rectangle."), MB_OK | MB_ICONHAND, IDOK);
    CHOXRect* rect = AddShape<CHOXRect>(1, CRect(100, 100, 150, 130));
    Store().RecordAdd(rect);
    view.Select(rect);
    DragSelection(CPoint(120, 120), CPoint(700, 120));
    EXPECT_EQ(rect->GetRect(), CRect(100, 100, 150, 130));
    EXPECT_EQ(Store().GetAction(), 1) << "the add step stays";
}

TEST_F(UndoMonTest, AResizeIsTakenBackToTheEdgesWhereTheHandleWasPressed)
{
    struct Case {
        const char* name;
        bool line;
        CPoint press;
        CPoint release;
        CRect after;
    };
    const CRect before(100, 100, 150, 130);
    const std::vector<Case> cases = {
        {"rectangle, bottom-right outwards", false, {150, 130}, {180, 170}, {100, 100, 180, 170}},
        {"rectangle, top-left outwards", false, {100, 100}, {90, 80}, {90, 80, 150, 130}},
        {"rectangle, top edge", false, {125, 100}, {125, 60}, {100, 60, 150, 130}},
        {"rectangle, left edge past the right one", false, {100, 115}, {170, 115}, {150, 100, 170, 130}},
        {"rectangle, bottom-right past the top-left", false, {150, 130}, {80, 90}, {80, 90, 100, 100}},
        {"line, second end", true, {150, 130}, {180, 170}, {100, 100, 180, 170}},
        {"line, first end past the second", true, {100, 100}, {200, 90}, {150, 130, 200, 90}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Store().Clear();
        wnd->GetShapeMap().RemoveAll();
        CHOXShape* shape = c.line ? static_cast<CHOXShape*>(AddShape<CHOXLine>(1, before))
                                  : static_cast<CHOXShape*>(AddShape<CHOXRect>(1, before));
        view.Select(shape);
        DragSelection(c.press, c.release);
        ASSERT_EQ(shape->GetRect(), c.after);
        ASSERT_TRUE(Store().CanUndo());
        EXPECT_EQ(Store().GetRecords()[0]->m_nResized, 1);

        Store().Undo();
        EXPECT_EQ(shape->GetRect(), before);
        Store().Redo();
        EXPECT_EQ(shape->GetRect(), c.after);
        Store().Undo();
        EXPECT_EQ(shape->GetRect(), before);
        view.Select(nullptr);
    }
}

TEST_F(UndoMonTest, AMoveIsToldByTheDragPointsAndTheFirstFormerPlaceIsKept)
{
    // A move made without the mouse (as alignment does it): drag origin at
    // the former top-left corner, last drag point at the new one.
    CHOXRect* rect = AddShape<CHOXRect>(1, CRect(100, 100, 150, 130));
    rect->m_ptDragStart = CPoint(100, 100);
    rect->m_ptPrevDrag = CPoint(100, 100);
    rect->MoveTo(CRect(100, 60, 150, 90), &view);
    rect->m_ptPrevDrag = CPoint(100, 60);
    Store().RecordMove(rect);
    EXPECT_EQ(rect->m_ptDragStart, rect->m_ptPrevDrag) << "the points are used up";

    // Moved once more in the same step.
    rect->m_ptDragStart = CPoint(100, 60);
    rect->MoveTo(CRect(120, 60, 170, 90), &view);
    rect->m_ptPrevDrag = CPoint(120, 60);
    Store().RecordMove(rect);
    ASSERT_EQ(Store().GetRecords().size(), 1u);

    view.Select(rect);
    view.RecordSelectionMove();
    ASSERT_EQ(Store().GetRecords().size(), 1u) << "nothing new to record";

    Store().Undo();
    EXPECT_EQ(rect->GetRect(), CRect(100, 100, 150, 130));
    Store().Redo();
    EXPECT_EQ(rect->GetRect(), CRect(120, 60, 170, 90));
}

TEST_F(UndoMonTest, AMovedObjectThatHasLeftTheWindowIsPassedOver)
{
    CHOXRect* first = AddShape<CHOXRect>(1, CRect(100, 100, 150, 130));
    CHOXRect* second = AddShape<CHOXRect>(2, CRect(200, 100, 250, 130));
    view.Select(first, true);
    view.Select(second, true);
    DragSelection(CPoint(120, 120), CPoint(130, 120));
    view.Select(nullptr);
    std::unique_ptr<CHOXDrawObj> gone = wnd->RemoveShape(1);

    Store().Undo();
    EXPECT_EQ(second->GetRect(), CRect(200, 100, 250, 130));
    EXPECT_EQ(gone->GetRect(), CRect(110, 100, 160, 130));
    EXPECT_TRUE(Store().CanRedo());
}

// ---------------------------------------------------------------------------
// Additions and deletions in the monitor window

TEST_F(UndoMonTest, UndoOfAnAdditionTakesTheObjectsOutAndRedoPutsThemBack)
{
    CHOXRect* rect = AddShape<CHOXRect>(3, CRect(10, 10, 40, 40));
    CHOXMonObj* monObj = AddMonObj(21, CRect(50, 50, 90, 90));
    FakeOle* ole = AddOle(4, CRect(100, 10, 140, 40));
    for (CHOXDrawObj* object : std::vector<CHOXDrawObj*>{rect, monObj, ole}) {
        Store().RecordAdd(object);
        view.Select(object, true);
    }

    Store().Undo();
    EXPECT_EQ(wnd->LookupShape(3), nullptr);
    EXPECT_EQ(wnd->LookupMonObj(21), nullptr);
    EXPECT_TRUE(wnd->GetMonObjOrder().empty());
    EXPECT_EQ(wnd->LookupOleObject(4), nullptr);
    EXPECT_EQ(view.GetSelectionCount(), 0u);
    EXPECT_EQ(Store().GetKept().size(), 3u);
    EXPECT_TRUE(Store().GetRecords().empty());
    EXPECT_TRUE(Store().CanRedo());

    Store().Redo();
    EXPECT_EQ(wnd->LookupShape(3), rect);
    EXPECT_EQ(wnd->LookupMonObj(21), monObj);
    ASSERT_EQ(wnd->GetMonObjOrder().size(), 1u);
    EXPECT_EQ(wnd->LookupOleObject(4), ole);
    EXPECT_EQ(rect->GetRect(), CRect(10, 10, 40, 40));
    EXPECT_TRUE(Store().GetKept().empty());
    EXPECT_EQ(Store().GetRecords().size(), 3u);
    EXPECT_TRUE(Store().CanUndo());
}

TEST_F(UndoMonTest, UndoOfADeletionPutsTheObjectsBackAndRedoTakesThemAgain)
{
    AddShape<CHOXOval>(3, CRect(10, 10, 40, 40));
    AddMonObj(21, CRect(50, 50, 90, 90));
    AddMonObj(22, CRect(150, 50, 190, 90));
    Store().Clear();
    Store().RecordDelete(wnd->RemoveShape(3));
    Store().RecordDelete(wnd->RemoveMonObj(22));
    ASSERT_EQ(Store().GetKept().size(), 2u);

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        Store().Undo();
        ASSERT_NE(wnd->LookupShape(3), nullptr);
        ASSERT_NE(wnd->LookupMonObj(22), nullptr);
        EXPECT_EQ(wnd->GetMonObjOrder().size(), 2u);
        EXPECT_EQ(wnd->LookupShape(3)->GetRect(), CRect(10, 10, 40, 40));

        Store().Redo();
        EXPECT_EQ(wnd->LookupShape(3), nullptr);
        EXPECT_EQ(wnd->LookupMonObj(22), nullptr);
        EXPECT_NE(wnd->LookupMonObj(21), nullptr);
        EXPECT_EQ(Store().GetKept().size(), 2u);
    }
}

TEST_F(UndoMonTest, UndoOfAnAdditionWhoseShapeHasGoneLeavesEverythingAndEmptiesTheStore)
{
    CHOXMonObj* monObj = AddMonObj(21, CRect(50, 50, 90, 90));
    Store().RecordAdd(monObj);
    Store().RecordAdd(AddShape<CHOXRect>(3, CRect(10, 10, 40, 40)));
    std::unique_ptr<CHOXDrawObj> gone = wnd->RemoveShape(3);

    Store().Undo();
    EXPECT_EQ(wnd->LookupMonObj(21), monObj);
    EXPECT_EQ(Store().GetState(), -1);
    EXPECT_FALSE(Store().CanUndo());
    EXPECT_FALSE(Store().CanRedo());
}

TEST_F(UndoMonTest, ARestoreIsRefusedWhenTheIdWasGivenToAnotherObject)
{
    int destroyed = 0;
    AddMonObj(21, CRect(50, 50, 90, 90), &destroyed);
    AddShape<CHOXRect>(3, CRect(10, 10, 40, 40));
    Store().RecordDelete(wnd->RemoveShape(3));
    Store().RecordDelete(wnd->RemoveMonObj(21));
    CHOXMonObj* newcomer = AddMonObj(21, CRect(200, 200, 220, 220));

    Store().Undo();
    EXPECT_EQ(wnd->LookupMonObj(21), newcomer);
    EXPECT_EQ(wnd->LookupShape(3), nullptr) << "nothing of the step comes back";
    EXPECT_EQ(destroyed, 1) << "the kept object is released";
    EXPECT_EQ(Store().GetState(), -1);
    EXPECT_TRUE(Store().GetKept().empty());
}

TEST_F(UndoMonTest, ClearReleasesTheKeptObjectsAndAnOleHolderThroughItsRemove)
{
    int removed = 0;
    int oleDestroyed = 0;
    int monDestroyed = 0;
    AddOle(4, CRect(100, 10, 140, 40), &removed, &oleDestroyed);
    AddMonObj(21, CRect(50, 50, 90, 90), &monDestroyed);
    Store().RecordDelete(wnd->RemoveOleObject(4));
    Store().RecordDelete(wnd->RemoveMonObj(21));

    Store().Clear();
    EXPECT_EQ(removed, 1);
    EXPECT_EQ(oleDestroyed, 1);
    EXPECT_EQ(monDestroyed, 1);
    EXPECT_EQ(Store().GetState(), -1);
    EXPECT_EQ(Store().GetAction(), -1);
}

TEST_F(UndoMonTest, AStoreThatGoesReleasesWhatItKeeps)
{
    int removed = 0;
    int destroyed = 0;
    {
        CHOXUndo store(wnd);
        store.RecordDelete(std::make_unique<FakeOle>(CRect(0, 0, 5, 5), wnd, &removed, &destroyed));
    }
    EXPECT_EQ(removed, 1);
    EXPECT_EQ(destroyed, 1);
}

// ---------------------------------------------------------------------------
// Flow charts: symbols, wires, nodes and their numbers

namespace {

class UndoFlowTest : public ::testing::Test {
public:
    void SetUp() override
    {
        doc.SetControllerType(1);
        flow = AddChart(QStringLiteral("Flow Chart1"));
        other = AddChart(QStringLiteral("Flow Chart2"));
        view.SetHost(&host);
        view.SetWnd(flow);
        flow->SetView(&view);
        doc.AddView(&view);
    }
    void TearDown() override
    {
        doc.RemoveView(&view);
        flow->SetView(nullptr);
    }

    CHOXFlowWnd* AddChart(const QString& name)
    {
        std::unique_ptr<CHOXFlowWnd> owned = doc.NewFlowWindow(name, QString());
        CHOXFlowWnd* wnd = owned.get();
        doc.AddWindow(name, std::move(owned));
        return wnd;
    }

    CHOXUndo& Store() { return *flow->GetUndo(); }

    template <class T>
    T* Place(CPoint topLeft, CHOXFlowWnd* wnd = nullptr)
    {
        if (wnd == nullptr) wnd = flow;
        auto owned = std::make_unique<T>(topLeft, wnd);
        owned->SetId(static_cast<DWORD>(doc.NewSymbolId()));
        T* symbol = owned.get();
        wnd->AddObject(std::move(owned));
        return symbol;
    }

    // A finished wire from the source's pin to the target's input pin.
    CHOXConnect* Join(CHOXSymbol* source, int pin, CHOXSymbol* target)
    {
        auto owned = std::make_unique<CHOXConnect>(CRect(source->GetPinPosition(pin), CSize(0, 0)), flow);
        owned->SetId(static_cast<DWORD>(doc.NewWireId()));
        owned->SetSource(source->GetId(), pin);
        owned->SetTarget(target->GetId(), CHOXConnect::kTargetSymbol);
        CHOXConnect* wire = owned.get();
        flow->AddConnect(std::move(owned));
        wire->RerouteAll();
        return wire;
    }

    // A node above the wire's end under the number, as the NODE dialog makes
    // one that takes a POINTER's number.
    CHOXNode* AddNodeNumbered(CHOXConnect* wire, DWORD number)
    {
        const CPoint last = wire->GetPoints().back();
        auto owned = std::make_unique<CHOXNode>(number, CRect(last.x - 5, last.y - 30, last.x + 5, last.y - 20),
                                                wire->GetId(), flow);
        CHOXNode* node = owned.get();
        flow->AddNode(std::move(owned));
        wire->SetNodeId(number);
        return node;
    }

    // Deleted as the view's Delete takes a symbol out.
    void DeleteSymbol(CHOXSymbol* symbol)
    {
        symbol->DeletePins();
        symbol->Remove();
        view.Deselect(symbol);
        Store().RecordDelete(flow->RemoveObject(static_cast<WORD>(symbol->GetId())));
    }

    void DeleteWire(CHOXConnect* wire)
    {
        wire->Remove();
        view.Deselect(wire);
        Store().RecordDelete(flow->RemoveConnect(static_cast<WORD>(wire->GetId())));
    }

    static DWORD Link(const CHOXSymbol* symbol, int pin) { return symbol->GetPin(pin)->GetLinkId(); }

    TempSettings settings;
    CHOXDoc doc;
    CHOXFlowWnd* flow = nullptr;
    CHOXFlowWnd* other = nullptr;
    CHOXView view;
    MemoryViewHost host;
};

} // namespace

TEST_F(UndoFlowTest, DeletingTheMiddleOfAChartIsUndoneWithItsWiresAndRedoneAgain)
{
    auto* start = Place<CHOXFlowStart>(CPoint(100, 20));
    auto* call = Place<CHOXFlowCall>(CPoint(100, 100));
    auto* end = Place<CHOXFlowEnd>(CPoint(100, 200));
    CHOXConnect* upper = Join(start, 0, call);
    CHOXConnect* lower = Join(call, 1, end);
    const DWORD upperId = upper->GetId();
    const DWORD lowerId = lower->GetId();
    const std::vector<CPoint> upperRoute = upper->GetPoints();
    const std::vector<CPoint> lowerRoute = lower->GetPoints();
    const DWORD callId = call->GetId();

    Store().Clear();
    DeleteSymbol(call);
    ASSERT_EQ(flow->LookupObject(static_cast<WORD>(callId)), nullptr);
    ASSERT_EQ(flow->LookupConnect(static_cast<WORD>(upperId)), nullptr);
    ASSERT_EQ(flow->LookupConnect(static_cast<WORD>(lowerId)), nullptr);
    ASSERT_EQ(Link(start, 0), CHOXPin::kFree);
    ASSERT_EQ(Link(end, 0), CHOXPin::kFree);
    EXPECT_EQ(Store().GetKept().size(), 3u);

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        Store().Undo();
        ASSERT_EQ(flow->LookupObject(static_cast<WORD>(callId)), call);
        ASSERT_EQ(flow->LookupConnect(static_cast<WORD>(upperId)), upper);
        ASSERT_EQ(flow->LookupConnect(static_cast<WORD>(lowerId)), lower);
        EXPECT_EQ(call->GetRect(), CRect(100, 100, 164, 132));
        ASSERT_EQ(call->GetPinCount(), 2);
        EXPECT_EQ(Link(start, 0), upperId);
        EXPECT_EQ(Link(call, 0), upperId);
        EXPECT_EQ(Link(call, 1), lowerId);
        EXPECT_EQ(Link(end, 0), lowerId);
        EXPECT_EQ(upper->GetPoints(), upperRoute);
        EXPECT_EQ(lower->GetPoints(), lowerRoute);
        EXPECT_TRUE(Store().CanRedo());
        EXPECT_TRUE(Store().GetKept().empty());

        Store().Redo();
        EXPECT_EQ(flow->LookupObject(static_cast<WORD>(callId)), nullptr);
        EXPECT_EQ(flow->LookupConnect(static_cast<WORD>(upperId)), nullptr);
        EXPECT_EQ(flow->LookupConnect(static_cast<WORD>(lowerId)), nullptr);
        EXPECT_EQ(Link(start, 0), CHOXPin::kFree);
        EXPECT_EQ(Link(end, 0), CHOXPin::kFree);
        EXPECT_EQ(Store().GetKept().size(), 3u);
        EXPECT_TRUE(Store().CanUndo());
    }
}

TEST_F(UndoFlowTest, MovingASymbolIsUndoneWithItsWiresFollowing)
{
    auto* start = Place<CHOXFlowStart>(CPoint(100, 20));
    auto* call = Place<CHOXFlowCall>(CPoint(100, 100));
    auto* end = Place<CHOXFlowEnd>(CPoint(100, 220));
    CHOXConnect* upper = Join(start, 0, call);
    CHOXConnect* lower = Join(call, 1, end);
    const std::vector<CPoint> upperBefore = upper->GetPoints();
    const std::vector<CPoint> lowerBefore = lower->GetPoints();

    view.Select(call);
    call->OnLButtonDown(&view, MK_LBUTTON, CPoint(120, 110));
    call->OnMouseMove(&view, MK_LBUTTON, CPoint(160, 130));
    call->OnLButtonUp(&view, 0, CPoint(160, 130));
    view.RecordSelectionMove();
    ASSERT_EQ(call->GetRect(), CRect(140, 120, 204, 152));
    const std::vector<CPoint> upperAfter = upper->GetPoints();
    const std::vector<CPoint> lowerAfter = lower->GetPoints();
    ASSERT_NE(upperAfter, upperBefore);

    Store().Undo();
    EXPECT_EQ(call->GetRect(), CRect(100, 100, 164, 132));
    EXPECT_EQ(upper->GetPoints().front(), upperBefore.front());
    EXPECT_EQ(upper->GetPoints().back(), upperBefore.back());
    EXPECT_EQ(lower->GetPoints().front(), lowerBefore.front());
    EXPECT_EQ(lower->GetPoints().back(), lowerBefore.back());
    Store().Redo();
    EXPECT_EQ(call->GetRect(), CRect(140, 120, 204, 152));
    EXPECT_EQ(upper->GetPoints().back(), upperAfter.back());
    EXPECT_EQ(lower->GetPoints().front(), lowerAfter.front());
}

TEST_F(UndoFlowTest, ASelectionLedByAWireRecordsNothingAndWiresAreNeverRecorded)
{
    auto* start = Place<CHOXFlowStart>(CPoint(100, 20));
    auto* call = Place<CHOXFlowCall>(CPoint(100, 100));
    CHOXConnect* wire = Join(start, 0, call);
    call->m_ptDragStart = CPoint(1, 1); // as if dragged
    wire->m_ptDragStart = CPoint(5, 5);

    view.Select(wire);
    view.Select(call, true);
    Store().RecordAdd(start);
    view.RecordSelectionMove();
    EXPECT_EQ(Store().GetAction(), 1) << "a wire first: nothing recorded";

    view.Select(call);
    view.Select(wire, true);
    view.RecordSelectionMove();
    ASSERT_EQ(Store().GetAction(), 0);
    ASSERT_EQ(Store().GetRecords().size(), 1u);
    EXPECT_EQ(Store().GetRecords()[0]->m_nKind, 300);
}

TEST_F(UndoFlowTest, ADeletedStartWhoseNumberWasTakenComesBackWithTheNextFreeOne)
{
    auto* start = Place<CHOXFlowStart>(CPoint(100, 20));
    ASSERT_EQ(start->GetAxis(), 0);
    ASSERT_EQ(start->GetProgramNumber(), 0);
    DeleteSymbol(start);
    ASSERT_FALSE(doc.IsProgramNumberUsed(0, 0));

    auto* newcomer = Place<CHOXFlowStart>(CPoint(100, 20), other);
    ASSERT_EQ(newcomer->GetProgramNumber(), 0);

    Store().Undo();
    EXPECT_EQ(flow->LookupObject(static_cast<WORD>(start->GetId())), start);
    EXPECT_EQ(start->GetProgramNumber(), 1);
    EXPECT_EQ(newcomer->GetProgramNumber(), 0);
    EXPECT_TRUE(doc.IsProgramNumberUsed(0, 0));
    EXPECT_TRUE(doc.IsProgramNumberUsed(0, 1));
    EXPECT_FALSE(doc.IsProgramNumberUsed(0, 2));
}

TEST_F(UndoFlowTest, ARestoreIsRefusedWhenASymbolIdWasGivenAgain)
{
    auto* call = Place<CHOXFlowCall>(CPoint(100, 100));
    const DWORD id = call->GetId();
    DeleteSymbol(call);
    auto owned = std::make_unique<CHOXFlowEnd>(CPoint(10, 10), other);
    owned->SetId(id);
    CHOXDrawObj* newcomer = owned.get();
    other->AddObject(std::move(owned));

    Store().Undo();
    EXPECT_EQ(flow->LookupObject(static_cast<WORD>(id)), nullptr);
    EXPECT_EQ(other->LookupObject(static_cast<WORD>(id)), newcomer);
    EXPECT_FALSE(Store().CanUndo());
    EXPECT_FALSE(Store().CanRedo());
    EXPECT_EQ(Store().GetState(), -1);
}

TEST_F(UndoFlowTest, UndoOfAPasteGivesItsNumbersBackAndRedoTakesThemAgain)
{
    // Pasted: each symbol took its number and was recorded as added.
    auto* start = Place<CHOXFlowStart>(CPoint(100, 20));
    auto* pointer = Place<CHOXFlowPointer>(CPoint(200, 20));
    auto* subroutine = Place<CHOXFlowSubRtn>(CPoint(300, 20));
    ASSERT_EQ(start->GetProgramNumber(), 0);
    ASSERT_EQ(pointer->GetPointerNumber(), 0);
    ASSERT_EQ(subroutine->GetPointerNumber(), 1);
    Store().Clear();
    for (CHOXSymbol* symbol : std::vector<CHOXSymbol*>{start, pointer, subroutine}) Store().RecordAdd(symbol);

    Store().Undo();
    EXPECT_TRUE(flow->GetObjectMap().IsEmpty());
    EXPECT_FALSE(doc.IsProgramNumberUsed(0, 0));
    EXPECT_FALSE(doc.IsPointerNumberUsed(0));
    EXPECT_FALSE(doc.IsPointerNumberUsed(1));

    Store().Redo();
    EXPECT_EQ(flow->GetObjectMap().GetCount(), 3u);
    EXPECT_TRUE(doc.IsProgramNumberUsed(0, 0));
    EXPECT_TRUE(doc.IsPointerNumberUsed(0));
    EXPECT_TRUE(doc.IsPointerNumberUsed(1));
    EXPECT_EQ(pointer->GetPointerNumber(), 0);

    // A number taken by another meanwhile: a fresh one, in the order the
    // symbols come back; the other's stays.
    Store().Undo();
    auto* taker = Place<CHOXFlowPointer>(CPoint(10, 10), other);
    ASSERT_EQ(taker->GetPointerNumber(), 0);
    Store().Redo();
    EXPECT_EQ(taker->GetPointerNumber(), 0);
    EXPECT_EQ(pointer->GetPointerNumber(), 1);
    EXPECT_EQ(subroutine->GetPointerNumber(), 2);
    EXPECT_TRUE(doc.IsPointerNumberUsed(0));
    EXPECT_TRUE(doc.IsPointerNumberUsed(1));
    EXPECT_TRUE(doc.IsPointerNumberUsed(2));
}

TEST_F(UndoFlowTest, SymbolsInTheErrorStateNeitherGiveBackNorTakeNumbersTheyNeverHeld)
{
    struct Case {
        const char* name;
        // Makes a holder of a number in the other chart and, in this chart,
        // a symbol in the error state that carries the same number; answers
        // that symbol and the number.
        std::function<std::pair<CHOXSymbol*, int>(UndoFlowTest&)> make;
        std::function<bool(const CHOXDoc&, int)> numberUsed;
        std::function<int(const CHOXSymbol*)> number;
    };
    const auto pointerUsed = [](const CHOXDoc& d, int n) { return d.IsPointerNumberUsed(n); };
    const std::vector<Case> cases = {
        {"START",
         [](UndoFlowTest& t) {
             const int held = t.Place<CHOXFlowStart>(CPoint(10, 10), t.other)->GetProgramNumber();
             auto* broken = t.Place<CHOXFlowStart>(CPoint(100, 20));
             broken->SetState(2);
             broken->SetProgramNumber(held);
             return std::pair<CHOXSymbol*, int>(broken, held);
         },
         [](const CHOXDoc& d, int n) { return d.IsProgramNumberUsed(0, n); },
         [](const CHOXSymbol* s) { return static_cast<const CHOXFlowStart*>(s)->GetProgramNumber(); }},
        {"SUBROUTINE",
         [](UndoFlowTest& t) {
             const int held = t.Place<CHOXFlowPointer>(CPoint(10, 10), t.other)->GetPointerNumber();
             auto* broken = t.Place<CHOXFlowSubRtn>(CPoint(100, 80));
             broken->SetState(2);
             broken->SetPointerNumber(held);
             return std::pair<CHOXSymbol*, int>(broken, held);
         },
         pointerUsed, [](const CHOXSymbol* s) { return static_cast<const CHOXFlowSubRtn*>(s)->GetPointerNumber(); }},
        {"POINTER",
         [](UndoFlowTest& t) {
             const int held = t.Place<CHOXFlowSubRtn>(CPoint(10, 10), t.other)->GetPointerNumber();
             auto* broken = t.Place<CHOXFlowPointer>(CPoint(100, 140));
             broken->SetState(2);
             broken->SetPointerNumber(held);
             return std::pair<CHOXSymbol*, int>(broken, held);
         },
         pointerUsed, [](const CHOXSymbol* s) { return static_cast<const CHOXFlowPointer*>(s)->GetPointerNumber(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto [broken, held] = c.make(*this);
        ASSERT_TRUE(c.numberUsed(doc, held));
        ASSERT_EQ(c.number(broken), held);
        Store().Clear();

        // Deleted, then undone and redone twice: the holder's number stays.
        DeleteSymbol(broken);
        EXPECT_TRUE(c.numberUsed(doc, held));
        for (int round = 0; round < 2; ++round) {
            Store().Undo();
            EXPECT_EQ(flow->LookupObject(static_cast<WORD>(broken->GetId())), broken);
            EXPECT_EQ(c.number(broken), held);
            EXPECT_TRUE(c.numberUsed(doc, held)) << "after undo";
            Store().Redo();
            EXPECT_TRUE(c.numberUsed(doc, held)) << "after redo";
        }

        // Added (as by a paste) and undone: the same.
        Store().Undo();
        Store().Clear();
        Store().RecordAdd(broken);
        Store().Undo();
        EXPECT_TRUE(c.numberUsed(doc, held)) << "undo of an addition";
        Store().Redo();
        EXPECT_TRUE(c.numberUsed(doc, held)) << "redo of an addition";
        EXPECT_EQ(c.number(broken), held);
    }
}

TEST_F(UndoFlowTest, AWireWithItsNodeIsDeletedAndRestoredWithTheNodesNumber)
{
    auto* call = Place<CHOXFlowCall>(CPoint(100, 20));
    auto* end = Place<CHOXFlowEnd>(CPoint(100, 200));
    CHOXConnect* wire = Join(call, 1, end);
    ASSERT_TRUE(wire->CreateNode());
    const DWORD number = wire->GetNodeId();
    CHOXDrawObj* node = flow->LookupNode(static_cast<WORD>(number));
    ASSERT_NE(node, nullptr);
    ASSERT_TRUE(doc.IsPointerNumberUsed(static_cast<int>(number)));
    ASSERT_EQ(Store().GetAction(), 1) << "the node was recorded as added";

    Store().Clear();
    DeleteWire(wire);
    ASSERT_EQ(flow->LookupNode(static_cast<WORD>(number)), nullptr);
    ASSERT_FALSE(doc.IsPointerNumberUsed(static_cast<int>(number)));
    ASSERT_EQ(Store().GetKept().size(), 2u);

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        Store().Undo();
        EXPECT_EQ(flow->LookupConnect(static_cast<WORD>(wire->GetId())), wire);
        EXPECT_EQ(flow->LookupNode(static_cast<WORD>(number)), node);
        EXPECT_EQ(wire->GetNodeId(), number);
        EXPECT_TRUE(doc.IsPointerNumberUsed(static_cast<int>(number)));
        EXPECT_EQ(Link(call, 1), wire->GetId());
        EXPECT_EQ(Link(end, 0), wire->GetId());

        Store().Redo();
        EXPECT_EQ(flow->LookupNode(static_cast<WORD>(number)), nullptr);
        EXPECT_FALSE(doc.IsPointerNumberUsed(static_cast<int>(number)));
        EXPECT_EQ(Link(call, 1), CHOXPin::kFree);
    }
}

TEST_F(UndoFlowTest, UndoOfANodeAddedToAPointersWireKeepsThePointersNumber)
{
    auto* pointer = Place<CHOXFlowPointer>(CPoint(100, 20));
    auto* end = Place<CHOXFlowEnd>(CPoint(100, 200));
    CHOXConnect* wire = Join(pointer, 0, end);
    const DWORD number = static_cast<DWORD>(pointer->GetPointerNumber());
    CHOXNode* node = AddNodeNumbered(wire, number);
    Store().Clear();
    Store().RecordAdd(node);

    Store().Undo();
    EXPECT_EQ(flow->LookupNode(static_cast<WORD>(number)), nullptr);
    EXPECT_EQ(wire->GetNodeId(), CHOXConnect::kNone);
    EXPECT_TRUE(doc.IsPointerNumberUsed(static_cast<int>(number))) << "still the POINTER's";

    Store().Redo();
    EXPECT_EQ(flow->LookupNode(static_cast<WORD>(number)), node);
    EXPECT_EQ(wire->GetNodeId(), number);
    EXPECT_TRUE(doc.IsPointerNumberUsed(static_cast<int>(number)));
}

TEST_F(UndoFlowTest, ARenumberedNodeOfTheStepIsFoundUnderItsNewNumber)
{
    auto* call = Place<CHOXFlowCall>(CPoint(100, 20));
    auto* end = Place<CHOXFlowEnd>(CPoint(100, 200));
    CHOXConnect* wire = Join(call, 1, end);
    Store().Clear();
    ASSERT_TRUE(wire->CreateNode());
    const DWORD first = wire->GetNodeId();
    auto* node = static_cast<CHOXNode*>(flow->LookupNode(static_cast<WORD>(first)));
    node->Renumber(first + 5);
    Store().RenumberNode(first, first + 5);
    ASSERT_EQ(Store().GetRecords()[0]->m_nId, first + 5);

    Store().Undo();
    EXPECT_EQ(flow->LookupNode(static_cast<WORD>(first + 5)), nullptr);
    EXPECT_EQ(Store().GetKept().size(), 1u);
}

TEST_F(UndoFlowTest, APointerDeletedWithTheNodeOnItsWireTakesItsNumberAgain)
{
    auto* pointer = Place<CHOXFlowPointer>(CPoint(100, 20));
    auto* end = Place<CHOXFlowEnd>(CPoint(100, 200));
    CHOXConnect* wire = Join(pointer, 0, end);
    const DWORD number = static_cast<DWORD>(pointer->GetPointerNumber());
    CHOXNode* node = AddNodeNumbered(wire, number);
    Store().Clear();

    DeleteSymbol(pointer);
    ASSERT_EQ(flow->LookupNode(static_cast<WORD>(number)), nullptr);
    ASSERT_FALSE(doc.IsPointerNumberUsed(static_cast<int>(number)));

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        Store().Undo();
        EXPECT_EQ(flow->LookupNode(static_cast<WORD>(number)), node);
        EXPECT_EQ(pointer->GetPointerNumber(), static_cast<int>(number));
        EXPECT_EQ(wire->GetNodeId(), number);
        EXPECT_EQ(Link(pointer, 0), wire->GetId());
        EXPECT_TRUE(doc.IsPointerNumberUsed(static_cast<int>(number)));

        Store().Redo();
        EXPECT_EQ(flow->LookupNode(static_cast<WORD>(number)), nullptr);
        EXPECT_FALSE(doc.IsPointerNumberUsed(static_cast<int>(number)));
    }
}

TEST_F(UndoFlowTest, UndoOfADrawnWireFreesItsPinsAndRedoJoinsThemAgain)
{
    auto* start = Place<CHOXFlowStart>(CPoint(100, 20));
    auto* end = Place<CHOXFlowEnd>(CPoint(100, 200));
    CHOXConnect* wire = Join(start, 0, end);
    const std::vector<CPoint> route = wire->GetPoints();
    Store().Clear();
    Store().RecordAdd(wire);
    view.Select(wire);

    Store().Undo();
    EXPECT_EQ(flow->LookupConnect(static_cast<WORD>(wire->GetId())), nullptr);
    EXPECT_EQ(Link(start, 0), CHOXPin::kFree);
    EXPECT_EQ(Link(end, 0), CHOXPin::kFree);
    EXPECT_FALSE(view.IsSelected(wire));

    Store().Redo();
    EXPECT_EQ(flow->LookupConnect(static_cast<WORD>(wire->GetId())), wire);
    EXPECT_EQ(Link(start, 0), wire->GetId());
    EXPECT_EQ(Link(end, 0), wire->GetId());
    EXPECT_EQ(wire->GetPoints(), route);
}
