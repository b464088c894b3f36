// The monitor window record (maps, draw order, stored form, hit test,
// drawing) and the monitor object base (owner, visibility, mouse dragging).
#include "online/monitor/HOXMonObj.h"
#include "online/monitor/HOXMonWnd.h"
#include "online/monitor/HOXOle.h"

#include "app/HOXDoc.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXRect.h"
#include "chart/HOXView.h"
#include "platform/Archive.h"
#include "platform/DC.h"
#include "support/MemoryViewHost.h"
#include "support/Scripted.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using kt::test::MemoryViewHost;
using kt::test::ScriptedMessages;
using kt::test::TempSettings;

namespace {

QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

std::unique_ptr<CHOXMonObj> MonObj(CHOXWnd* wnd, DWORD id, const CRect& rect)
{
    auto object = std::make_unique<CHOXMonObj>(wnd);
    object->SetId(id);
    object->m_position = rect;
    return object;
}

template <class T>
std::unique_ptr<T> Placed(CHOXWnd* wnd, DWORD id, const CRect& rect)
{
    auto object = std::make_unique<T>(rect, wnd);
    object->SetId(id);
    return object;
}

std::vector<DWORD> OrderIds(const CHOXMonWnd& wnd)
{
    std::vector<DWORD> ids;
    for (const CHOXMonObj* object : wnd.GetMonObjOrder()) ids.push_back(object->GetId());
    return ids;
}

std::vector<DWORD> MapIds(const ObjectMap& map)
{
    std::vector<DWORD> ids;
    for (const auto& [key, object] : map) ids.push_back(object->GetId());
    return ids;
}

QByteArray Store(CHOXMonWnd& wnd)
{
    CArchive ar;
    wnd.Serialize(ar);
    return ar.Buffer();
}

// Draw calls in the order they happen, shared by the recording objects.
std::vector<std::string>* g_drawLog = nullptr;

class RecordingMonObj : public CHOXMonObj {
public:
    RecordingMonObj(CHOXWnd* wnd, DWORD id, const CRect& rect) : CHOXMonObj(wnd)
    {
        SetId(id);
        m_position = rect;
    }
    void Draw(CDC*) override { g_drawLog->push_back("mon" + std::to_string(GetId())); }
};

class RecordingDrawObj : public CHOXDrawObj {
public:
    RecordingDrawObj(const char* kind, CHOXWnd* wnd, DWORD id, const CRect& rect)
        : CHOXDrawObj(rect, wnd), m_kind(kind)
    {
        SetId(id);
    }
    void Draw(CDC*) override { g_drawLog->push_back(m_kind + std::to_string(GetId())); }

private:
    std::string m_kind;
};

// Lets a test set the visible flag before the call that must change it.
class VisibilityProbe : public CHOXMonObj {
public:
    void Force(bool visible) { m_nVisible = visible ? 1 : 0; }
};

class MonWndTest : public ::testing::Test {
protected:
    TempSettings settings;
    CHOXDoc doc;
};

} // namespace

// ---------------------------------------------------------------------------
// Maps and the draw order

TEST_F(MonWndTest, StartsEmptyWithTheDocumentsSheet)
{
    CHOXMonWnd wnd(&doc);
    EXPECT_EQ(wnd.GetObjectType(), 104);
    EXPECT_EQ(wnd.GetDocument(), &doc);
    ASSERT_NE(wnd.GetBaseRect(), nullptr);
    EXPECT_EQ(wnd.GetBaseRect()->GetRect(), CRect(0, 0, 500, 300));
    EXPECT_TRUE(wnd.GetShapeMap().IsEmpty());
    EXPECT_TRUE(wnd.GetOleMap().IsEmpty());
    EXPECT_TRUE(wnd.GetMonObjMap().IsEmpty());
    EXPECT_TRUE(wnd.GetMonObjOrder().empty());

    CHOXMonWnd loading;
    EXPECT_EQ(loading.GetDocument(), nullptr);
    EXPECT_EQ(loading.GetBaseRect(), nullptr);
}

TEST_F(MonWndTest, MonitorObjectsKeepTheOrderTheyWereAddedIn)
{
    CHOXMonWnd wnd(&doc);
    for (DWORD id : {36u, 20u, 52u, 21u}) wnd.AddMonObj(MonObj(&wnd, id, CRect(0, 0, 10, 10)));
    EXPECT_EQ(OrderIds(wnd), (std::vector<DWORD>{36, 20, 52, 21}));
    // The map has its own (hash) order.
    EXPECT_EQ(MapIds(wnd.GetMonObjMap()), (std::vector<DWORD>{21, 20, 36, 52}));
    ASSERT_NE(wnd.LookupMonObj(52), nullptr);
    EXPECT_EQ(wnd.LookupMonObj(52)->GetId(), 52u);
    EXPECT_EQ(wnd.LookupMonObj(53), nullptr);
}

TEST_F(MonWndTest, RemovingAMonitorObjectTakesItOutOfMapAndOrder)
{
    CHOXMonWnd wnd(&doc);
    for (DWORD id : {36u, 20u, 52u}) wnd.AddMonObj(MonObj(&wnd, id, CRect(0, 0, 10, 10)));

    std::unique_ptr<CHOXDrawObj> removed = wnd.RemoveMonObj(20);
    ASSERT_NE(removed, nullptr);
    EXPECT_EQ(removed->GetId(), 20u);
    EXPECT_EQ(OrderIds(wnd), (std::vector<DWORD>{36, 52}));
    EXPECT_EQ(wnd.GetMonObjMap().GetCount(), 2u);

    // An id that is not there changes nothing.
    EXPECT_EQ(wnd.RemoveMonObj(20), nullptr);
    EXPECT_EQ(wnd.RemoveMonObj(999), nullptr);
    EXPECT_EQ(OrderIds(wnd), (std::vector<DWORD>{36, 52}));
    EXPECT_EQ(wnd.GetMonObjMap().GetCount(), 2u);
}

TEST_F(MonWndTest, AnObjectAddedUnderATakenIdReplacesTheOldOneInTheOrderToo)
{
    CHOXMonWnd wnd(&doc);
    wnd.AddMonObj(MonObj(&wnd, 20, CRect(0, 0, 10, 10)));
    wnd.AddMonObj(MonObj(&wnd, 21, CRect(0, 0, 10, 10)));
    auto replacement = MonObj(&wnd, 20, CRect(5, 5, 9, 9));
    CHOXMonObj* raw = replacement.get();
    wnd.AddMonObj(std::move(replacement));

    EXPECT_EQ(wnd.GetMonObjMap().GetCount(), 2u);
    ASSERT_EQ(wnd.GetMonObjOrder().size(), 2u);
    EXPECT_EQ(wnd.GetMonObjOrder()[0]->GetId(), 21u);
    EXPECT_EQ(wnd.GetMonObjOrder()[1], raw);
    EXPECT_EQ(wnd.LookupMonObj(20), raw);
}

TEST_F(MonWndTest, ShapeAndOleMapsAreKeyedByTheObjectsId)
{
    CHOXMonWnd wnd(&doc);
    struct Case {
        const char* name;
        void (CHOXMonWnd::*add)(std::unique_ptr<CHOXDrawObj>);
        std::unique_ptr<CHOXDrawObj> (CHOXMonWnd::*remove)(WORD);
        CHOXDrawObj* (CHOXMonWnd::*lookup)(WORD) const;
        ObjectMap& (CHOXMonWnd::*map)();
    };
    const Case cases[] = {
        {"shape", &CHOXMonWnd::AddShape, &CHOXMonWnd::RemoveShape, &CHOXMonWnd::LookupShape, &CHOXMonWnd::GetShapeMap},
        {"OLE", &CHOXMonWnd::AddOleObject, &CHOXMonWnd::RemoveOleObject, &CHOXMonWnd::LookupOleObject,
         &CHOXMonWnd::GetOleMap},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto object = Placed<CHOXDrawObj>(&wnd, 7, CRect(0, 0, 4, 4));
        CHOXDrawObj* raw = object.get();
        (wnd.*c.add)(std::move(object));
        EXPECT_EQ((wnd.*c.lookup)(7), raw);
        EXPECT_EQ((wnd.*c.lookup)(8), nullptr);
        EXPECT_EQ((wnd.*c.map)().GetCount(), 1u);
        EXPECT_EQ((wnd.*c.remove)(8), nullptr);
        std::unique_ptr<CHOXDrawObj> back = (wnd.*c.remove)(7);
        EXPECT_EQ(back.get(), raw);
        EXPECT_TRUE((wnd.*c.map)().IsEmpty());
    }
    // The maps are kept apart: the same id lives in each of them.
    wnd.AddShape(Placed<CHOXDrawObj>(&wnd, 5, CRect()));
    wnd.AddOleObject(Placed<CHOXDrawObj>(&wnd, 5, CRect()));
    wnd.AddMonObj(MonObj(&wnd, 5, CRect()));
    EXPECT_NE(wnd.LookupShape(5), wnd.LookupOleObject(5));
    EXPECT_NE(wnd.LookupShape(5), static_cast<CHOXDrawObj*>(wnd.LookupMonObj(5)));
}

// ---------------------------------------------------------------------------
// Stored form

TEST_F(MonWndTest, StoresTheWindowPartThenFourMapsInMapOrder)
{
    CHOXMonWnd wnd; // no base sheet: the window part starts with the null tag
    wnd.SetWndRect(CRect(1, 2, 3, 4));
    wnd.SetScrollPos(5, 6);
    wnd.SetZoomIndex(3);
    wnd.AddObject(Placed<CHOXDrawObj>(&wnd, 7, CRect(10, 20, 30, 40)));
    wnd.AddOleObject(Placed<CHOXDrawObj>(&wnd, 2, CRect(0, 0, 8, 8)));
    wnd.AddMonObj(MonObj(&wnd, 36, CRect(-1, 0, 100, 50)));
    wnd.AddMonObj(MonObj(&wnd, 20, CRect(1, 1, 2, 2)));

    const QByteArray expected = Hex(
        // window part: base sheet (null), frame rectangle, scroll x, y, zoom
        "0000"
        "01000000020000000300000004000000"
        "05000000" "06000000" "03000000"
        // object map: one entry, key 7, new class CHOXDrawObj, id, bounds
        "0100" "0700" "ffff" "0000" "0b00" "43484f58447261774f626a"
        "07000000" "0a000000140000001e00000028000000"
        // shape map: empty
        "0000"
        // OLE map: key 2, class CHOXDrawObj by reference (index 1)
        "0100" "0200" "0180" "02000000" "00000000000000000800000008000000"
        // monitor-object map in map order: 20 (bucket 1) before 36 (bucket 2)
        "0200"
        "1400" "ffff" "0000" "0a00" "43484f584d6f6e4f626a"
        "14000000" "01000000010000000200000002000000"
        "2400" "0480"
        "24000000" "ffffffff000000006400000032000000");
    EXPECT_EQ(Store(wnd).toHex(), expected.toHex());
}

TEST_F(MonWndTest, LoadingKeepsIdsAndBoundsAndDrawsInMapOrder)
{
    doc.SetControllerType(0);
    CHOXMonWnd wnd(&doc);
    wnd.SetZoomIndex(4);
    wnd.AddShape(Placed<CHOXRect>(&wnd, 3, CRect(10, 10, 60, 40)));
    wnd.AddOleObject(Placed<CHOXOle>(&wnd, 1, CRect(70, 10, 90, 30)));
    for (DWORD id : {52u, 20u, 36u}) wnd.AddMonObj(MonObj(&wnd, id, CRect(id, id + 1, id + 20, id + 30)));
    const QByteArray bytes = Store(wnd);

    CArchive ar(bytes);
    ar.m_pDocument = &doc;
    CHOXMonWnd loaded;
    loaded.Serialize(ar);
    EXPECT_EQ(ar.BytesLeft(), 0u);

    EXPECT_EQ(loaded.GetDocument(), &doc);
    EXPECT_EQ(loaded.GetZoomIndex(), 4);
    ASSERT_NE(loaded.GetBaseRect(), nullptr);
    EXPECT_EQ(loaded.GetBaseRect()->GetWnd(), &loaded);
    ASSERT_NE(loaded.LookupShape(3), nullptr);
    EXPECT_EQ(loaded.LookupShape(3)->GetRect(), CRect(10, 10, 60, 40));
    EXPECT_EQ(loaded.LookupShape(3)->GetObjectType(), 402);
    EXPECT_EQ(loaded.LookupShape(3)->GetWnd(), &loaded);
    ASSERT_NE(loaded.LookupOleObject(1), nullptr);
    EXPECT_EQ(loaded.LookupOleObject(1)->GetRect(), CRect(70, 10, 90, 30));
    EXPECT_EQ(loaded.LookupOleObject(1)->GetWnd(), &loaded);
    EXPECT_EQ(loaded.LookupOleObject(1)->GetObjectType(), objtype::kOle);
    for (DWORD id : {52u, 20u, 36u}) {
        const CHOXMonObj* object = loaded.LookupMonObj(static_cast<WORD>(id));
        ASSERT_NE(object, nullptr) << id;
        EXPECT_EQ(object->GetRect(), CRect(id, id + 1, id + 20, id + 30));
        EXPECT_EQ(object->GetWnd(), &loaded);
        EXPECT_TRUE(object->IsOneAxis()) << "the owner's document is a one-axis controller";
        EXPECT_FALSE(object->IsVisible());
    }
    // Not the order of adding (52, 20, 36) but the map's.
    EXPECT_EQ(OrderIds(loaded), (std::vector<DWORD>{20, 36, 52}));
    EXPECT_EQ(OrderIds(loaded), MapIds(loaded.GetMonObjMap()));
    // Stored again, the bytes are the same.
    EXPECT_EQ(Store(loaded).toHex(), bytes.toHex());
}

TEST_F(MonWndTest, LoadingRefusesObjectsOfTheWrongClassOrCutShortAndKeepsTheMaps)
{
    // A window part as the document writes it, then hand-made maps.
    CHOXMonWnd source(&doc);
    QByteArray windowPart = Store(source);
    windowPart.chop(8); // the four empty map counts

    auto tail = [](const std::vector<int>& emptyBefore, CObject* object) {
        CArchive ar;
        for (std::size_t i = 0; i < emptyBefore.size(); ++i) ar.WriteCount(0);
        ar.WriteCount(1);
        ar << WORD(9);
        ar.WriteObject(object);
        for (std::size_t i = emptyBefore.size() + 1; i < 4; ++i) ar.WriteCount(0);
        return ar.Buffer();
    };
    // The monitor map with two entries under one key.
    auto twice = [](CObject* object) {
        CArchive ar;
        for (int i = 0; i < 3; ++i) ar.WriteCount(0);
        ar.WriteCount(2);
        ar << WORD(9);
        ar.WriteObject(object);
        ar << WORD(9);
        ar.WriteObject(object);
        return ar.Buffer();
    };
    CHOXDrawObj plain(CRect(0, 0, 5, 5), nullptr);
    plain.SetId(9);
    CHOXMonObj monitor;
    monitor.SetId(9);
    CHOXRect shape(CRect(0, 0, 5, 5), nullptr);
    shape.SetId(9);

    const QByteArray good = windowPart + Hex("0000000000000000");
    struct Case {
        const char* name;
        QByteArray bytes;
        ArchiveError::Cause cause;
    };
    const Case cases[] = {
        {"drawing object in the shape map", windowPart + tail({0}, &plain), ArchiveError::badClass},
        {"drawing object in the monitor map", windowPart + tail({0, 0, 0}, &plain), ArchiveError::badClass},
        {"drawing object in the OLE map", windowPart + tail({0, 0}, &plain), ArchiveError::badClass},
        {"shape in the OLE map", windowPart + tail({0, 0}, &shape), ArchiveError::badClass},
        {"shape in the monitor map", windowPart + tail({0, 0, 0}, &shape), ArchiveError::badClass},
        {"monitor object in the shape map", windowPart + tail({0}, &monitor), ArchiveError::badClass},
        {"no maps", windowPart, ArchiveError::endOfFile},
        {"last map missing", good.left(good.size() - 2), ArchiveError::endOfFile},
        {"cut inside an object", windowPart + tail({0, 0, 0}, &monitor).chopped(3), ArchiveError::endOfFile},
        {"cut in the window part", windowPart.left(windowPart.size() - 5), ArchiveError::endOfFile},
        {"one key twice", windowPart + twice(&monitor), ArchiveError::duplicateKey},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CHOXMonWnd wnd(&doc);
        wnd.AddShape(Placed<CHOXRect>(&wnd, 1, CRect(0, 0, 9, 9)));
        wnd.AddMonObj(MonObj(&wnd, 20, CRect(0, 0, 9, 9)));
        wnd.AddMonObj(MonObj(&wnd, 21, CRect(0, 0, 9, 9)));
        CArchive ar(c.bytes);
        ar.m_pDocument = &doc;
        try {
            wnd.Serialize(ar);
            ADD_FAILURE() << "loaded without error";
        } catch (const ArchiveError& e) {
            EXPECT_EQ(e.cause(), c.cause) << e.what();
        }
        EXPECT_NE(wnd.LookupShape(1), nullptr);
        EXPECT_EQ(OrderIds(wnd), (std::vector<DWORD>{20, 21}));
        EXPECT_EQ(wnd.GetMonObjMap().GetCount(), 2u);
    }

    // The monitor map read whole is accepted with the right classes.
    CArchive ar(windowPart + tail({0, 0, 0}, &monitor));
    ar.m_pDocument = &doc;
    CHOXMonWnd wnd;
    wnd.Serialize(ar);
    EXPECT_EQ(OrderIds(wnd), (std::vector<DWORD>{9}));
}

// ---------------------------------------------------------------------------
// Hit test and drawing

TEST_F(MonWndTest, ObjectAtPrefersMonitorObjectsAndTheOneAddedLast)
{
    CHOXMonWnd wnd(&doc);
    CHOXDrawObj* ole = Placed<CHOXDrawObj>(&wnd, 1, CRect(0, 0, 200, 200)).release();
    wnd.AddOleObject(std::unique_ptr<CHOXDrawObj>(ole));
    CHOXDrawObj* shape = Placed<CHOXRect>(&wnd, 2, CRect(0, 0, 100, 100)).release();
    wnd.AddShape(std::unique_ptr<CHOXDrawObj>(shape));
    CHOXDrawObj* inMap = Placed<CHOXDrawObj>(&wnd, 3, CRect(0, 0, 50, 50)).release();
    wnd.AddObject(std::unique_ptr<CHOXDrawObj>(inMap));
    auto low = MonObj(&wnd, 36, CRect(10, 10, 50, 50));
    auto high = MonObj(&wnd, 20, CRect(30, 30, 70, 70));
    CHOXMonObj* lowRaw = low.get();
    CHOXMonObj* highRaw = high.get();
    wnd.AddMonObj(std::move(low));
    wnd.AddMonObj(std::move(high));

    const struct {
        CPoint point;
        CHOXDrawObj* expected;
    } cases[] = {
        {{40, 40}, highRaw},  // both monitor objects: the one added last
        {{15, 15}, lowRaw},   // only the first monitor object
        {{8, 30}, lowRaw},    // 2 units left of it: within the test square
        {{72, 72}, highRaw},  // 2 units beyond the exclusive corner
        {{74, 50}, shape},    // right of both monitor objects
        {{5, 5}, inMap},      // the object map comes before the shapes
        {{150, 150}, ole},    // only the OLE object
        {{203, 10}, nullptr}, // 4 units right of the last column
        {{202, 10}, ole},     // 3 units right of it
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
        EXPECT_EQ(wnd.ObjectAt(c.point), c.expected);
    }
}

TEST_F(MonWndTest, DrawsOleThenShapesThenMonitorObjectsWithHandlesOfTheSelected)
{
    std::vector<std::string> log;
    g_drawLog = &log;
    CHOXMonWnd wnd; // no sheet: the image stays white where nothing is drawn
    CHOXView view;
    MemoryViewHost host;
    view.SetHost(&host);
    wnd.SetView(&view);

    wnd.AddShape(std::make_unique<RecordingDrawObj>("shape", &wnd, 4, CRect(100, 10, 120, 30)));
    wnd.AddOleObject(std::make_unique<RecordingDrawObj>("ole", &wnd, 5, CRect(130, 10, 150, 30)));
    wnd.AddMonObj(std::make_unique<RecordingMonObj>(&wnd, 52, CRect(10, 10, 40, 40)));
    wnd.AddMonObj(std::make_unique<RecordingMonObj>(&wnd, 20, CRect(50, 10, 80, 40)));
    view.Select(wnd.LookupMonObj(52));

    for (bool printing : {false, true}) {
        SCOPED_TRACE(printing ? "printing" : "screen");
        log.clear();
        QImage image(200, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            CDC dc(painter, printing);
            wnd.Draw(&dc);
        }
        EXPECT_EQ(log, (std::vector<std::string>{"ole5", "shape4", "mon52", "mon20"}));
        // The top-left handle of the selected object is inverted on screen only.
        EXPECT_EQ(image.pixelColor(10, 10) == QColor(Qt::black), !printing);
        EXPECT_EQ(image.pixelColor(50, 10), QColor(Qt::white)) << "not selected";
    }
    g_drawLog = nullptr;
}

// ---------------------------------------------------------------------------
// Monitor object: owner and visibility

TEST_F(MonWndTest, MonObjOneAxisFlagFollowsTheOwnersDocument)
{
    CHOXMonWnd wnd(&doc);
    CHOXMonWnd orphan; // no document
    const struct {
        int controllerType;
        bool oneAxis;
    } cases[] = {{0, true}, {1, false}, {2, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.controllerType);
        doc.SetControllerType(c.controllerType);
        CHOXMonObj built(&wnd);
        EXPECT_EQ(built.IsOneAxis(), c.oneAxis);
        EXPECT_FALSE(built.IsVisible());
        EXPECT_TRUE(built.GetRect().IsRectNull());
        EXPECT_EQ(built.GetObjectType(), 801);

        CHOXMonObj loaded;
        EXPECT_FALSE(loaded.IsOneAxis());
        loaded.SetWnd(&wnd);
        EXPECT_EQ(loaded.GetWnd(), &wnd);
        EXPECT_EQ(loaded.IsOneAxis(), c.oneAxis);
        loaded.SetWnd(&orphan);
        EXPECT_FALSE(loaded.IsOneAxis());
        loaded.SetWnd(nullptr);
        EXPECT_FALSE(loaded.IsOneAxis());
    }
}

TEST_F(MonWndTest, MonObjIsVisibleWhenItsBoundsReachThePaintedArea)
{
    const struct {
        const char* name;
        CRect bounds;
        int zoom;       // percent
        CPoint scroll;  // device pixels
        QRect clip;     // device pixels; empty: no clip
        bool visible;
    } cases[] = {
        {"inside", {10, 10, 50, 50}, 100, {0, 0}, {}, true},
        {"across the right edge", {190, 10, 250, 50}, 100, {0, 0}, {}, true},
        {"behind the right edge", {200, 10, 250, 50}, 100, {0, 0}, {}, false},
        {"below the bottom", {10, 100, 50, 150}, 100, {0, 0}, {}, false},
        {"scrolled away", {10, 10, 50, 50}, 100, {60, 0}, {}, false},
        {"scrolled into view", {250, 10, 300, 50}, 100, {100, 0}, {}, true},
        {"brought in by zooming out", {300, 10, 350, 50}, 50, {0, 0}, {}, true},
        {"pushed out by zooming in", {150, 10, 190, 50}, 200, {0, 0}, {}, false},
        {"outside the repainted part", {10, 10, 50, 50}, 100, {0, 0}, {100, 0, 100, 100}, false},
        {"inside the repainted part", {120, 10, 150, 50}, 100, {0, 0}, {100, 0, 100, 100}, true},
        {"empty bounds", {20, 20, 20, 40}, 100, {0, 0}, {}, false},
        {"reversed bounds", {50, 50, 10, 10}, 100, {0, 0}, {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        VisibilityProbe object;
        object.m_position = c.bounds;
        QImage image(200, 100, QImage::Format_RGB32);
        QPainter painter(&image);
        if (!c.clip.isEmpty()) painter.setClipRect(c.clip);
        CDC dc(painter);
        dc.SetMapping(c.zoom, c.zoom, 100, 100, c.scroll);
        // The opposite answer first, so the call must change it.
        object.Force(!c.visible);
        object.UpdateVisibility(&dc);
        EXPECT_EQ(object.IsVisible(), c.visible);
    }
}

TEST_F(MonWndTest, MonObjVisibilityIsRecomputedAtEveryCall)
{
    CHOXMonObj object;
    object.m_position = CRect(10, 10, 50, 50);
    QImage image(200, 100, QImage::Format_RGB32);
    QPainter painter(&image);
    CDC dc(painter);
    object.UpdateVisibility(&dc);
    EXPECT_TRUE(object.IsVisible());
    dc.SetMapping(100, 100, 100, 100, CPoint(0, 200));
    object.UpdateVisibility(&dc);
    EXPECT_FALSE(object.IsVisible());
}

// ---------------------------------------------------------------------------
// Monitor object: mouse

namespace {

class MonObjMouseTest : public MonWndTest {
protected:
    void SetUp() override
    {
        MonWndTest::SetUp();
        wnd = doc.GetMonWnd();
        view.SetHost(&host);
        view.SetWnd(wnd);
        doc.AddView(&view);
        auto owned = MonObj(wnd, 20, CRect(100, 100, 150, 130));
        object = owned.get();
        wnd->AddMonObj(std::move(owned));
        doc.SetModifiedFlag(false);
    }
    void TearDown() override { doc.RemoveView(&view); }

    CHOXMonWnd* wnd = nullptr;
    CHOXView view;
    MemoryViewHost host;
    CHOXMonObj* object = nullptr;
};

} // namespace

TEST_F(MonObjMouseTest, DragMovesTheObjectByTheMouseAndKeepsItOnRelease)
{
    view.m_nTracking = 1;
    host.scroll = CPoint(0, 0);
    object->OnLButtonDown(&view, MK_LBUTTON, CPoint(110, 110));
    EXPECT_EQ(view.m_nTracking, 0);
    EXPECT_TRUE(host.capture);
    EXPECT_EQ(host.cursor, Cursor::Arrow);
    EXPECT_EQ(object->m_ptDragStart, CPoint(110, 110));
    EXPECT_EQ(object->m_ptPrevDrag, CPoint(110, 110));

    object->OnMouseMove(&view, MK_LBUTTON, CPoint(130, 120));
    EXPECT_EQ(object->GetRect(), CRect(120, 110, 170, 140));
    EXPECT_EQ(object->m_nDragging, 1);
    EXPECT_EQ(object->m_ptPrevDrag, CPoint(130, 120));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_GT(host.invalidateAll, 0) << "all views updated";

    object->OnMouseMove(&view, MK_LBUTTON, CPoint(125, 140));
    EXPECT_EQ(object->GetRect(), CRect(115, 130, 165, 160));

    host.ClearRecord();
    object->OnLButtonUp(&view, 0, CPoint(125, 140));
    EXPECT_EQ(object->GetRect(), CRect(115, 130, 165, 160));
    EXPECT_EQ(object->m_nDragging, 0);
    EXPECT_FALSE(host.capture);
    EXPECT_EQ(host.cursor, Cursor::Arrow);
    EXPECT_FALSE(host.invalidated.empty()) << "the object's area is redrawn";
    EXPECT_EQ(CHOXView::s_nOutOfSheetWarned, 0);
}

TEST_F(MonObjMouseTest, DragConvertsDevicePointsThroughZoomAndScroll)
{
    view.SetZoomIndex(4); // 50 %
    host.scroll = CPoint(20, 10);
    object->OnLButtonDown(&view, MK_LBUTTON, CPoint(40, 45)); // document (120, 110)
    EXPECT_EQ(object->m_ptDragStart, CPoint(120, 110));
    object->OnMouseMove(&view, MK_LBUTTON, CPoint(50, 50)); // document (140, 120)
    EXPECT_EQ(object->GetRect(), CRect(120, 110, 170, 140));
}

TEST_F(MonObjMouseTest, MovesThatDoNotMoveDoNothing)
{
    // Back at the press point: no move, no modification.
    object->OnLButtonDown(&view, MK_LBUTTON, CPoint(110, 110));
    host.ClearRecord();
    object->OnMouseMove(&view, MK_LBUTTON, CPoint(110, 110));
    EXPECT_EQ(object->GetRect(), CRect(100, 100, 150, 130));
    EXPECT_EQ(object->m_nDragging, 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(host.cursors.empty());

    // Without the capture only the cursor is set.
    host.capture = false;
    object->OnMouseMove(&view, 0, CPoint(140, 140));
    EXPECT_EQ(object->GetRect(), CRect(100, 100, 150, 130));
    EXPECT_EQ(host.cursors, std::vector<Cursor>{Cursor::Arrow});
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(MonObjMouseTest, WhileTheViewTracksTheCursorIsLeftAlone)
{
    object->OnLButtonDown(&view, MK_LBUTTON, CPoint(110, 110));
    view.m_nTracking = 1;
    host.cursor = Cursor::Cross;
    object->OnMouseMove(&view, MK_LBUTTON, CPoint(115, 110));
    EXPECT_EQ(object->GetRect(), CRect(105, 100, 155, 130));
    EXPECT_EQ(host.cursor, Cursor::Cross);
}

TEST_F(MonObjMouseTest, ReleaseOutsideTheSheetWarnsOnceAndPutsTheObjectBack)
{
    auto second = MonObj(wnd, 21, CRect(200, 100, 250, 130));
    CHOXMonObj* other = second.get();
    wnd->AddMonObj(std::move(second));

    host.scroll = CPoint(0, 0);
    object->OnLButtonDown(&view, MK_LBUTTON, CPoint(110, 110));
    other->OnLButtonDown(&view, MK_LBUTTON, CPoint(110, 110));
    // Past the sheet's right edge (500).
    object->OnMouseMove(&view, MK_LBUTTON, CPoint(510, 110));
    other->OnMouseMove(&view, MK_LBUTTON, CPoint(510, 110));
    EXPECT_EQ(object->GetRect(), CRect(500, 100, 550, 130));
    EXPECT_EQ(other->GetRect(), CRect(600, 100, 650, 130));
    host.scroll = CPoint(25, 7); // scrolled while dragging

    ScriptedMessages messages;
    messages.Expect("ERROR:  Cannot draw out side the  Base Rectangle.", MB_OK | MB_ICONHAND, IDOK);
    object->OnLButtonUp(&view, 0, CPoint(510, 110));
    other->OnLButtonUp(&view, 0, CPoint(510, 110));
    EXPECT_EQ(messages.seen.size(), 1u) << "one message for the whole release";

    EXPECT_EQ(CHOXView::s_nOutOfSheetWarned, 1);
    EXPECT_EQ(object->GetRect(), CRect(100, 100, 150, 130));
    EXPECT_EQ(other->GetRect(), CRect(200, 100, 250, 130));
    EXPECT_EQ(object->m_ptPrevDrag, object->m_ptDragStart);
    EXPECT_EQ(object->m_nDragging, 0);
    EXPECT_EQ(host.scroll, CPoint(0, 0)) << "scroll position of the press";
    EXPECT_FALSE(host.capture);
    EXPECT_EQ(host.cursor, Cursor::Arrow);
}

TEST_F(MonObjMouseTest, WhileMonitoringTheMouseDoesNothing)
{
    doc.SetEditMode(false);
    view.m_nTracking = 1;
    object->OnLButtonDown(&view, MK_LBUTTON, CPoint(110, 110));
    EXPECT_EQ(view.m_nTracking, 1);
    EXPECT_FALSE(host.capture);
    host.capture = true; // as if the view held the mouse anyway
    object->OnMouseMove(&view, MK_LBUTTON, CPoint(150, 150));
    object->OnLButtonUp(&view, 0, CPoint(150, 150));
    EXPECT_EQ(object->GetRect(), CRect(100, 100, 150, 130));
    EXPECT_EQ(object->m_nDragging, 0);
    EXPECT_TRUE(host.capture);
    EXPECT_TRUE(host.cursors.empty());
    EXPECT_FALSE(doc.IsModified());
    doc.SetEditMode(true);
}

// ---------------------------------------------------------------------------
// The window's drawing keeps the visible flags; the real kinds in the window

namespace {

// Notes whether it counted as visible when it was drawn.
class VisibilityRecorder : public CHOXMonObj {
public:
    VisibilityRecorder(CHOXWnd* wnd, DWORD id, const CRect& rect) : CHOXMonObj(wnd)
    {
        SetId(id);
        m_position = rect;
    }
    void Draw(CDC*) override { seen.push_back(IsVisible()); }
    std::vector<bool> seen;
};

} // namespace

TEST_F(MonWndTest, DrawingTellsEachMonitorObjectWhetherItIsSeenOnlyWhileMonitoring)
{
    CHOXMonWnd* wnd = doc.GetMonWnd();
    auto inside = std::make_unique<VisibilityRecorder>(wnd, 20, CRect(10, 10, 50, 50));
    auto outside = std::make_unique<VisibilityRecorder>(wnd, 21, CRect(300, 10, 350, 50));
    VisibilityRecorder* in = inside.get();
    VisibilityRecorder* out = outside.get();
    wnd->AddMonObj(std::move(inside));
    wnd->AddMonObj(std::move(outside));

    const auto drawOnce = [&](bool printing) {
        QImage image(200, 100, QImage::Format_RGB32);
        QPainter painter(&image);
        CDC dc(painter, printing);
        wnd->Draw(&dc);
    };
    // While editing the flags keep their last values (none yet).
    drawOnce(false);
    EXPECT_EQ(in->seen, std::vector<bool>{false});
    EXPECT_EQ(out->seen, std::vector<bool>{false});

    // While monitoring each object knows before it draws.
    doc.SetEditMode(false);
    drawOnce(false);
    EXPECT_EQ(in->seen, (std::vector<bool>{false, true}));
    EXPECT_EQ(out->seen, (std::vector<bool>{false, false}));

    // Scrolled away, the next drawing takes the flag back.
    in->m_position = CRect(250, 10, 290, 50);
    out->m_position = CRect(100, 10, 150, 50);
    drawOnce(false);
    EXPECT_EQ(in->seen.back(), false);
    EXPECT_EQ(out->seen.back(), true);

    // A printed page says nothing of the screen.
    in->m_position = CRect(10, 10, 50, 50);
    drawOnce(true);
    EXPECT_EQ(in->seen.back(), false);
    EXPECT_FALSE(in->IsVisible());
    doc.SetEditMode(true);
}
