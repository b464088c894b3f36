// The plot object as data: its samples per model, the zero points and scales
// of its axes, the clipping of its trace, and limits and samples that only a
// file holds.
#include "online/monitor/HOXMonPlotObj.h"

#include "online/monitor/HOXMonView.h"
#include "support/DocBuilder.h"
#include "support/StoredFragments.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

using kt::test::DocBuilder;
using kt::test::HostedView;
using kt::test::LoadStored;
using kt::test::StoredBytes;
using namespace kt::test::hex;

namespace {

class MonPlotObjTest : public ::testing::Test, protected DocBuilder {};

// Whether the point lies in the rectangle, edges included.
bool Inside(const PlotPoint& p, const PlotRect& r)
{
    return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom;
}

} // namespace

TEST_F(MonPlotObjTest, OneAxisKeepsTheNewestSampleTwoAxesThePath)
{
    for (std::int32_t type : {ctype::kOneAxis, ctype::kTwoAxes, ctype::kInterpolated}) {
        SCOPED_TRACE(type);
        NewDocument(type);
        CHOXMonPlotObj plot(Monitor());
        EXPECT_TRUE(plot.GetSamples().empty());
        for (std::int32_t i = 1; i <= 50; ++i) plot.AddSample(i, -i);
        EXPECT_EQ(plot.GetLastSample(), (PlotSample{50, -50}));
        if (ctype::IsOneAxis(type)) {
            EXPECT_EQ(plot.GetSamples(), (std::vector<PlotSample>{PlotSample{50, 0}}));
        } else {
            ASSERT_EQ(plot.GetSamples().size(), 50u);
            EXPECT_EQ(plot.GetSamples().front(), (PlotSample{1, -1}));
            EXPECT_EQ(plot.GetSamples().back(), (PlotSample{50, -50}));
        }
    }
}

TEST_F(MonPlotObjTest, ClearingForgetsThePathAndRedrawsThePlot)
{
    auto owned = std::make_unique<CHOXMonPlotObj>(Monitor());
    owned->SetId(1);
    CHOXMonPlotObj* plot = owned.get();
    Monitor()->AddMonObj(std::move(owned));
    HostedView<CHOXMonView> shown(*doc, Monitor());
    plot->AddSample(10, 20);
    plot->AddSample(30, 40);
    shown.host.ClearRecord();
    plot->ClearSamples();
    EXPECT_TRUE(plot->GetSamples().empty());
    EXPECT_FALSE(shown.host.invalidated.empty());
    EXPECT_EQ(plot->GetXPositive(), 100) << "the limits stay";
}

TEST_F(MonPlotObjTest, ZeroPointsAndScalesOfTheAxes)
{
    struct Case {
        const char* what;
        std::int32_t positive;
        std::int32_t negative;
        std::int64_t xZero;
        std::int64_t yZero;
        std::int32_t v;
        std::int64_t scaled;
    };
    const Case cases[] = {
        {"default limits: the zero in the middle", 100, -100, 100, 100, 50, 50},
        {"from 0: the zero at the start, Y's at the bottom", 100, 0, 0, 200, 50, 100},
        {"up to 0: the zero at the end, Y's at the top", 0, -100, 200, 0, -25, -50},
        {"both positive: the zero before the span", 150, 50, -100, 300, 100, 200},
        {"both negative: the zero past the span", -50, -150, 300, -100, -100, -200},
        {"whole units towards zero", 2, -1, 66, 133, 1, 66},
        {"negative results towards zero", 10, 1, -22, 222, -1, -22},
        {"reversed limits", -100, 100, 100, 100, 50, 50},
        {"the whole 32-bit range", INT_MAX, INT_MIN, 100, 99, INT_MAX, 99},
        {"the whole range, the lowest position", INT_MAX, INT_MIN, 100, 99, INT_MIN, -100},
        {"a range of one at the bottom", INT_MIN + 1, INT_MIN, 429496729600, -429496729400, INT_MAX, 429496729400},
        {"a range of one at the top", INT_MAX, INT_MAX - 1, -429496729200, 429496729400, INT_MIN, -429496729600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CHOXMonPlotObj::XZero(c.positive, c.negative), c.xZero);
        EXPECT_EQ(CHOXMonPlotObj::YZero(c.positive, c.negative), c.yZero);
        EXPECT_EQ(CHOXMonPlotObj::Scale(c.v, c.positive, c.negative), c.scaled);
    }
}

TEST_F(MonPlotObjTest, TheObjectsZeroPointAndScalesByModel)
{
    for (std::int32_t type : {ctype::kOneAxis, ctype::kTwoAxes}) {
        SCOPED_TRACE(type);
        NewDocument(type);
        CHOXMonPlotObj plot(Monitor());
        plot.SetLimits(100, 0, 0, -100);
        EXPECT_TRUE(plot.HasXSpan());
        EXPECT_TRUE(plot.HasYSpan());
        EXPECT_EQ(plot.GetZeroPoint(), (PlotPoint{0, 0}));
        plot.SetLimits(100, -100, 100, 0);
        EXPECT_EQ(plot.GetZeroPoint(), (PlotPoint{100, ctype::IsOneAxis(type) ? 0 : 200}));
        EXPECT_EQ(plot.ScaleX(-100), -100);
        EXPECT_EQ(plot.ScaleY(50), 100);
    }
}

TEST_F(MonPlotObjTest, AnAxisWithoutSpanPlotsNothing)
{
    CHOXMonPlotObj plot(Monitor());
    for (std::int32_t limit : {0, 7, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(limit);
        plot.SetLimits(limit, limit, limit, limit);
        EXPECT_FALSE(plot.HasXSpan());
        EXPECT_FALSE(plot.HasYSpan());
        EXPECT_EQ(plot.GetZeroPoint(), PlotPoint{});
        EXPECT_EQ(plot.ScaleX(INT_MIN), 0);
        EXPECT_EQ(plot.ScaleY(INT_MAX), 0);
    }
    plot.SetLimits(5, 5, 10, -10);
    EXPECT_FALSE(plot.HasXSpan());
    EXPECT_TRUE(plot.HasYSpan());
    EXPECT_EQ(plot.GetZeroPoint(), (PlotPoint{0, 100}));
}

TEST_F(MonPlotObjTest, ClipSegmentKeepsThePartInsideTheRectangle)
{
    const PlotRect rect{0, 0, 100, 100};
    struct Case {
        const char* what;
        PlotPoint a, b;
        bool inside;
        PlotPoint clippedA, clippedB;
    };
    const Case cases[] = {
        {"inside", {10, 10}, {90, 90}, true, {10, 10}, {90, 90}},
        {"on the edges", {0, 0}, {100, 100}, true, {0, 0}, {100, 100}},
        {"a single point inside", {50, 50}, {50, 50}, true, {50, 50}, {50, 50}},
        {"crossing the left edge", {-50, 50}, {50, 50}, true, {0, 50}, {50, 50}},
        {"crossing the right edge", {50, 50}, {150, 50}, true, {50, 50}, {100, 50}},
        {"crossing the top edge", {50, -50}, {50, 50}, true, {50, 0}, {50, 50}},
        {"crossing the bottom edge", {50, 50}, {50, 150}, true, {50, 50}, {50, 100}},
        {"across, both ends outside", {-50, 50}, {150, 50}, true, {0, 50}, {100, 50}},
        {"diagonal through two corners", {-10, -10}, {110, 110}, true, {0, 0}, {100, 100}},
        {"touching a corner", {-10, 10}, {10, -10}, true, {0, 0}, {0, 0}},
        {"left of it", {-10, 0}, {-5, 100}, false, {-10, 0}, {-5, 100}},
        {"right of it", {101, -50}, {200, 150}, false, {101, -50}, {200, 150}},
        {"above it", {0, -1}, {100, -20}, false, {0, -1}, {100, -20}},
        {"below it", {50, 101}, {50, 300}, false, {50, 101}, {50, 300}},
        {"past a corner", {-10, 5}, {5, -10}, false, {-10, 5}, {5, -10}},
        {"a single point outside", {150, 50}, {150, 50}, false, {150, 50}, {150, 50}},
        // Ends moved onto an edge round towards where they were.
        {"rounded inwards", {-3, -1}, {1, 1}, true, {0, 0}, {1, 1}},
        {"rounded inwards at both ends", {-1, 0}, {200, 3}, true, {0, 0}, {100, 2}},
        {"from far beyond", {-(std::int64_t(1) << 41), 50}, {std::int64_t(1) << 41, 51}, true, {0, 50}, {100, 51}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PlotPoint a = c.a;
        PlotPoint b = c.b;
        EXPECT_EQ(CHOXMonPlotObj::ClipSegment(a, b, rect), c.inside);
        EXPECT_EQ(a, c.clippedA);
        EXPECT_EQ(b, c.clippedB);
    }
}

TEST_F(MonPlotObjTest, ClippedEndsStayInsideForSegmentsInAnyDirection)
{
    const PlotRect rect{-7, 3, 93, 61};
    // Ends on a grid around the rectangle, with far ends too.
    const std::int64_t coords[] = {-1000003, -50, -8, -7, 0, 17, 61, 62, 93, 94, 500, 99999989};
    int kept = 0;
    for (std::int64_t ax : coords)
        for (std::int64_t ay : coords)
            for (std::int64_t bx : coords)
                for (std::int64_t by : coords) {
                    PlotPoint a{ax, ay};
                    PlotPoint b{bx, by};
                    if (!CHOXMonPlotObj::ClipSegment(a, b, rect)) {
                        EXPECT_EQ(a, (PlotPoint{ax, ay}));
                        EXPECT_EQ(b, (PlotPoint{bx, by}));
                        continue;
                    }
                    ++kept;
                    ASSERT_TRUE(Inside(a, rect)) << ax << "," << ay << " - " << bx << "," << by;
                    ASSERT_TRUE(Inside(b, rect)) << ax << "," << ay << " - " << bx << "," << by;
                }
    EXPECT_GT(kept, 0);
}

TEST_F(MonPlotObjTest, LimitsAndSamplesOnlyAFileHoldsComputeWithoutFaultAndSaveAsLoaded)
{
    const struct {
        const char* what;
        std::int32_t xPositive, xNegative, yPositive, yNegative;
    } files[] = {
        {"equal limits", 5, 5, -3, -3},
        {"equal at the ends of the range", INT_MAX, INT_MAX, INT_MIN, INT_MIN},
        {"the whole range", INT_MAX, INT_MIN, INT_MAX, INT_MIN},
        {"reversed over the whole range", INT_MIN, INT_MAX, INT_MIN, INT_MAX},
        {"a range of one", INT_MIN + 1, INT_MIN, INT_MAX, INT_MAX - 1},
    };
    const std::int32_t positions[] = {INT_MIN, -1, 0, 1, INT_MAX};
    const CRect bounds(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    for (const auto& f : files) {
        SCOPED_TRACE(f.what);
        const QByteArray stored = NewClass("CHOXMonPlotObj") + I32(1) + I32(bounds.left) + I32(bounds.top) +
                                  I32(bounds.right) + I32(bounds.bottom) + I32(f.xPositive) + I32(f.xNegative) +
                                  I32(f.yPositive) + I32(f.yNegative);
        std::unique_ptr<CHOXMonPlotObj> plot = LoadStored<CHOXMonPlotObj>(QByteArray::fromHex(stored));
        ASSERT_NE(plot, nullptr);
        plot->SetWnd(Monitor());
        for (std::int32_t x : positions)
            for (std::int32_t y : positions) plot->AddSample(x, y);

        // Every segment of the trace, placed as the drawing places it, is
        // clipped to the bounds inset by 4.
        const PlotPoint zero = plot->GetZeroPoint();
        const PlotRect inset{std::int64_t(bounds.left) + 4, std::int64_t(bounds.top) + 4,
                             std::int64_t(bounds.right) - 4, std::int64_t(bounds.bottom) - 4};
        const auto at = [&](const PlotSample& s) {
            return PlotPoint{inset.left + zero.x + plot->ScaleX(s.x), inset.top + zero.y - plot->ScaleY(s.y)};
        };
        const std::vector<PlotSample>& samples = plot->GetSamples();
        ASSERT_EQ(samples.size(), 25u);
        for (std::size_t i = 1; i < samples.size(); ++i) {
            PlotPoint a = at(samples[i - 1]);
            PlotPoint b = at(samples[i]);
            if (CHOXMonPlotObj::ClipSegment(a, b, inset)) {
                EXPECT_TRUE(Inside(a, inset));
                EXPECT_TRUE(Inside(b, inset));
            }
        }
        EXPECT_EQ(plot->GetXPositive(), f.xPositive);
        EXPECT_EQ(plot->GetYNegative(), f.yNegative);
        EXPECT_EQ(StoredBytes(plot.get()).toHex(), stored);
    }
}
