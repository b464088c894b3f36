// The stored forms of the monitor objects: golden bytes built from fragments,
// read back with their class; a monitor window holding every kind saved,
// loaded and saved again; the default bounds of each kind by model.
#include "online/monitor/HOXMonCurPos.h"
#include "online/monitor/HOXMonDevStat.h"
#include "online/monitor/HOXMonKZQWStat.h"
#include "online/monitor/HOXMonManInputStat.h"
#include "online/monitor/HOXMonManOpern.h"
#include "online/monitor/HOXMonPlotObj.h"
#include "online/monitor/HOXMonProgInfo.h"
#include "online/monitor/MonObjIds.h"

#include "support/DocBuilder.h"
#include "support/StoredFragments.h"
#include "symbols/operand/HOXSelectVal.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <vector>

using kt::test::DocBuilder;
using kt::test::LoadStored;
using kt::test::StoredBytes;
using namespace kt::test::hex;

namespace {

using SV = CHOXSelectVal;
using Settings = CHOXMonDevStat::Settings;

// An object's id and bounds as CHOXDrawObj writes them.
QByteArray IdAndBounds(DWORD id, const CRect& r)
{
    return I32(static_cast<std::int32_t>(id)) + I32(r.left) + I32(r.top) + I32(r.right) + I32(r.bottom);
}

template <class T>
T* Put(CHOXMonWnd* wnd, std::unique_ptr<T> object, DWORD id)
{
    object->SetId(id);
    T* raw = object.get();
    wnd->AddMonObj(std::move(object));
    return raw;
}

QByteArray Store(CHOXMonWnd& wnd)
{
    CArchive ar;
    wnd.Serialize(ar);
    return ar.Buffer();
}

class MonObjStoredFormTest : public ::testing::Test, protected DocBuilder {};

} // namespace

TEST_F(MonObjStoredFormTest, EachKindWritesItsOwnFieldsAfterIdAndBounds)
{
    CHOXMonWnd* wnd = Monitor();
    const CRect bounds(30, 40, 170, 90);
    struct Case {
        const char* cls;
        int type;
        std::function<std::unique_ptr<CHOXMonObj>()> make;
        QByteArray own;
    };
    const Case cases[] = {
        {"CHOXMonCurPos", 802, [&] { return std::make_unique<CHOXMonCurPos>(wnd); }, ""},
        {"CHOXMonPlotObj", 803,
         [&] {
             auto plot = std::make_unique<CHOXMonPlotObj>(wnd);
             plot->SetLimits(5000, -20, 7, -2147483647 - 1);
             return plot;
         },
         I32(5000) + I32(-20) + I32(7) + I32(-2147483647 - 1)},
        {"CHOXMonPlotObj", 803, [&] { return std::make_unique<CHOXMonPlotObj>(wnd); },
         I32(100) + I32(-100) + I32(100) + I32(-100)},
        {"CHOXMonDevStat", 804,
         [&] {
             return std::make_unique<CHOXMonDevStat>(Settings{0, SV::kD, 9010, SV::kIndexZ, 5, 8}, wnd);
         },
         I32(0) + I32(1) + I32(9010) + I32(2) + I32(5) + I32(8)},
        {"CHOXMonManOpern", 805, [&] { return std::make_unique<CHOXMonManOpern>(12, wnd); }, I32(12)},
        {"CHOXMonManInputStat", 806,
         [&] {
             auto inputs = std::make_unique<CHOXMonManInputStat>(wnd);
             inputs->SetTopDevice(axis::kX, 100);
             inputs->SetTopDevice(axis::kY, 3062);
             return inputs;
         },
         I32(100) + I32(3062)},
        {"CHOXMonKZQWStat", 807, [&] { return std::make_unique<CHOXMonKZQWStat>(wnd); }, ""},
        {"CHOXMonProgInfo", 808, [&] { return std::make_unique<CHOXMonProgInfo>(wnd); }, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cls);
        std::unique_ptr<CHOXMonObj> object = c.make();
        object->SetId(21);
        object->m_position = bounds;
        const QByteArray bytes = StoredBytes(object.get());
        EXPECT_EQ(bytes.toHex(), NewClass(c.cls) + IdAndBounds(21, bounds) + c.own);

        std::unique_ptr<CHOXMonObj> back = LoadStored<CHOXMonObj>(bytes);
        ASSERT_NE(back, nullptr);
        EXPECT_STREQ(back->GetRuntimeClass()->m_lpszClassName, c.cls);
        EXPECT_EQ(back->GetObjectType(), c.type);
        EXPECT_EQ(back->GetId(), 21u);
        EXPECT_EQ(back->GetRect(), bounds);
        EXPECT_EQ(StoredBytes(back.get()).toHex(), bytes.toHex());
    }
}

TEST_F(MonObjStoredFormTest, AWindowOfEveryKindSavesLoadsAndSavesAgainByteForByte)
{
    CHOXMonWnd* wnd = Monitor();
    auto* curPos = Put(wnd, std::make_unique<CHOXMonCurPos>(wnd), monid::kCurPos);
    curPos->SetPositions(-1234, 5678);
    curPos->SetUnit(CHOXMonCurPos::kUnitPulse);
    auto* plot = Put(wnd, std::make_unique<CHOXMonPlotObj>(wnd), monid::kPlot);
    plot->SetLimits(300, -10, 50, -50);
    plot->AddSample(1, 2);
    plot->AddSample(3, 4);
    auto* feed = Put(wnd, std::make_unique<CHOXMonManOpern>(5, wnd), monid::ManOpernId(5));
    feed->SetFeedValue(250);
    auto* jog = Put(wnd, std::make_unique<CHOXMonManOpern>(9, wnd), monid::ManOpernId(9));
    jog->SetPressed(true);
    jog->m_position = CRect(80, 10, 140, 40);
    auto* inputs = Put(wnd, std::make_unique<CHOXMonManInputStat>(wnd), monid::kManInputStat);
    inputs->SetTopDevice(axis::kX, 100);
    inputs->SetTopDevice(axis::kY, 2000);
    inputs->SetInputs(axis::kX, 1, 1, 1, 1, 1, 1);
    auto* status = Put(wnd, std::make_unique<CHOXMonKZQWStat>(wnd), monid::kKZQWStat);
    status->SetStatus(axis::kY, 1, 1, 1, 1);
    auto* info = Put(wnd, std::make_unique<CHOXMonProgInfo>(wnd), monid::kProgInfo);
    info->SetInfo(axis::kX, 7, 2, 3);
    // A 32-bit D with an index register (kept as DD), and bits.
    auto* words = Put(wnd, std::make_unique<CHOXMonDevStat>(Settings{1, SV::kD, 100, SV::kIndexV, 2, 4}, wnd),
                      static_cast<DWORD>(doc->NewMonObjId()));
    const std::array<BYTE, 8> read = {1, 0, 0, 0, 2, 0, 0, 0};
    words->SetValues(read, false);
    auto* bits = Put(wnd, std::make_unique<CHOXMonDevStat>(Settings{0, SV::kX, 0, 0, 0, 16}, wnd),
                     static_cast<DWORD>(doc->NewMonObjId()));
    bits->m_position = CRect(200, 10, 240, 330);

    const QByteArray saved = Store(*wnd);
    CArchive in(saved);
    in.m_pDocument = doc.get();
    CHOXMonWnd loaded;
    loaded.Serialize(in);
    EXPECT_EQ(in.BytesLeft(), 0u);

    // Every object back under its id, with its bounds and class.
    ASSERT_EQ(loaded.GetMonObjMap().GetCount(), wnd->GetMonObjMap().GetCount());
    for (const auto& [id, object] : wnd->GetMonObjMap()) {
        SCOPED_TRACE(id);
        const CHOXMonObj* back = loaded.LookupMonObj(id);
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->GetRuntimeClass(), object->GetRuntimeClass());
        EXPECT_EQ(back->GetRect(), object->GetRect());
        EXPECT_EQ(back->GetWnd(), &loaded);
        EXPECT_FALSE(back->IsVisible());
    }
    // The draw order is the map's.
    std::vector<WORD> order;
    for (const CHOXMonObj* object : loaded.GetMonObjOrder()) order.push_back(static_cast<WORD>(object->GetId()));
    EXPECT_EQ(order, loaded.GetMonObjMap().Keys());

    // Stored fields back, the rest as new.
    const auto* curPosBack = dynamic_cast<const CHOXMonCurPos*>(loaded.LookupMonObj(monid::kCurPos));
    ASSERT_NE(curPosBack, nullptr);
    EXPECT_EQ(curPosBack->GetUnit(), CHOXMonCurPos::kUnitSystem);
    EXPECT_EQ(curPosBack->GetXPosition(), 0);
    EXPECT_EQ(curPosBack->GetYPosition(), 0);

    const auto* plotBack = dynamic_cast<const CHOXMonPlotObj*>(loaded.LookupMonObj(monid::kPlot));
    ASSERT_NE(plotBack, nullptr);
    EXPECT_EQ(plotBack->GetXPositive(), 300);
    EXPECT_EQ(plotBack->GetXNegative(), -10);
    EXPECT_EQ(plotBack->GetYPositive(), 50);
    EXPECT_EQ(plotBack->GetYNegative(), -50);
    EXPECT_TRUE(plotBack->GetSamples().empty());
    EXPECT_EQ(plotBack->GetLastSample(), PlotSample{});

    for (int index : {5, 9}) {
        const auto* button = dynamic_cast<const CHOXMonManOpern*>(loaded.LookupMonObj(monid::ManOpernId(index)));
        ASSERT_NE(button, nullptr) << index;
        EXPECT_EQ(button->GetButtonIndex(), index);
        EXPECT_EQ(button->GetFeedValue(), 0);
        EXPECT_FALSE(button->IsPressed());
    }

    const auto* inputsBack = dynamic_cast<const CHOXMonManInputStat*>(loaded.LookupMonObj(monid::kManInputStat));
    ASSERT_NE(inputsBack, nullptr);
    EXPECT_EQ(inputsBack->GetTopDevice(axis::kX), 100);
    EXPECT_EQ(inputsBack->GetTopDevice(axis::kY), 2000);
    QString name;
    EXPECT_EQ(inputsBack->GetInput(axis::kX, 0, name), 0);

    const auto* statusBack = dynamic_cast<const CHOXMonKZQWStat*>(loaded.LookupMonObj(monid::kKZQWStat));
    ASSERT_NE(statusBack, nullptr);
    EXPECT_EQ(statusBack->GetLamp(axis::kY, 0, name), 0);

    const auto* infoBack = dynamic_cast<const CHOXMonProgInfo*>(loaded.LookupMonObj(monid::kProgInfo));
    ASSERT_NE(infoBack, nullptr);
    for (int axis : {axis::kX, axis::kY}) EXPECT_EQ(infoBack->GetInfo(axis), CHOXMonProgInfo::AxisInfo{});

    // Each device status works out its rows again after loading.
    const auto* wordsBack = dynamic_cast<const CHOXMonDevStat*>(loaded.LookupMonObj(static_cast<WORD>(words->GetId())));
    ASSERT_NE(wordsBack, nullptr);
    EXPECT_EQ(wordsBack->GetSettings(), (Settings{1, SV::kDD, 100, SV::kIndexV, 2, 4}));
    EXPECT_EQ(wordsBack->GetShownCount(), 4);
    EXPECT_EQ(wordsBack->GetValue(0), 0);
    EXPECT_EQ(wordsBack->GetRowLabel(1), "DD102 V2 ");
    const auto* bitsBack = dynamic_cast<const CHOXMonDevStat*>(loaded.LookupMonObj(static_cast<WORD>(bits->GetId())));
    ASSERT_NE(bitsBack, nullptr);
    EXPECT_EQ(bitsBack->GetShownCount(), 16);
    EXPECT_EQ(bitsBack->GetRowLabel(15), "X017");

    EXPECT_EQ(Store(loaded).toHex(), saved.toHex());
}

TEST_F(MonObjStoredFormTest, EachKindStartsAtItsModelsDefaultBounds)
{
    struct Case {
        const char* what;
        std::function<std::unique_ptr<CHOXMonObj>(CHOXWnd*)> make;
        CRect oneAxis;
        CRect twoAxes;
    };
    const Case cases[] = {
        {"current position",
         [](CHOXWnd* w) { return std::make_unique<CHOXMonCurPos>(w); },
         {10, 10, 138, 42},
         {10, 10, 138, 62}},
        {"plot", [](CHOXWnd* w) { return std::make_unique<CHOXMonPlotObj>(w); }, {10, 10, 230, 56}, {10, 10, 242, 242}},
        {"manual operation",
         [](CHOXWnd* w) { return std::make_unique<CHOXMonManOpern>(3, w); },
         {10, 10, 70, 40},
         {10, 10, 70, 40}},
        {"manual input status",
         [](CHOXWnd* w) { return std::make_unique<CHOXMonManInputStat>(w); },
         {10, 10, 80, 150},
         {10, 10, 160, 150}},
        {"controller status",
         [](CHOXWnd* w) { return std::make_unique<CHOXMonKZQWStat>(w); },
         {10, 10, 138, 110},
         {10, 10, 276, 110}},
        {"program information",
         [](CHOXWnd* w) { return std::make_unique<CHOXMonProgInfo>(w); },
         {10, 10, 185, 84},
         {10, 10, 250, 84}},
        {"device status, bits",
         [](CHOXWnd* w) {
             return std::make_unique<CHOXMonDevStat>(Settings{0, SV::kM, 0, 0, 0, 4}, w);
         },
         {10, 10, 50, 90},
         {10, 10, 50, 90}},
        {"device status, words",
         [](CHOXWnd* w) {
             return std::make_unique<CHOXMonDevStat>(Settings{0, SV::kD, 0, 0, 0, 8}, w);
         },
         {10, 10, 154, 170},
         {10, 10, 154, 170}},
    };
    for (std::int32_t type : {ctype::kOneAxis, ctype::kTwoAxes, ctype::kInterpolated}) {
        NewDocument(type);
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.what << ", controller type " << type);
            const std::unique_ptr<CHOXMonObj> object = c.make(Monitor());
            EXPECT_EQ(object->GetRect(), ctype::IsOneAxis(type) ? c.oneAxis : c.twoAxes);
            EXPECT_EQ(object->GetWnd(), Monitor());
            EXPECT_EQ(object->GetId(), 0u) << "the creator gives the id";
        }
    }
}

// Settings no dialog makes, as a file may hold them, come back byte for
// byte: a device status keeps what it read even where it shows other rows.
TEST_F(MonObjStoredFormTest, ADeviceStatusKeepsSettingsOnlyAFileCanHold)
{
    constexpr std::int32_t kMin = -2147483647 - 1;
    constexpr std::int32_t kMax = 2147483647;
    const std::array<std::array<std::int32_t, 6>, 5> settings = {{
        {0, SV::kM, 100, 0, 0, 5},          // points no dialog offers
        {7, SV::kD, kMax, SV::kIndexZ, 9, 16}, // a flag other than 0/1, the top at the end
        {1, SV::kX, kMin, -1, kMin, 17},    // a negative top and index, more than 16 points
        {0, 99, 0, 0, 0, 0},                // an unknown type and no points
        {0, SV::kY, 0, 5, kMax, kMax},      // an unknown index kind
    }};
    const CRect bounds(10, 10, 50, 170);
    for (const auto& s : settings) {
        SCOPED_TRACE(::testing::PrintToString(s));
        QByteArray own;
        for (std::int32_t v : s) own += I32(v);
        const QByteArray bytes = QByteArray::fromHex(NewClass("CHOXMonDevStat") + IdAndBounds(21, bounds) + own);
        std::unique_ptr<CHOXMonObj> back = LoadStored<CHOXMonObj>(bytes);
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(StoredBytes(back.get()).toHex(), bytes.toHex());
    }
}
