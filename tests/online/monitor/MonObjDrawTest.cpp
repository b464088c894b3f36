// What the plot, the current position, the controller status and the program
// information draw, read back from a recording painter in document units, at
// 100 % and at 150 % with the view scrolled: places of texts, lines, frames,
// lamps, the plot's marker and its clipped trace.
#include "online/monitor/HOXMonCurPos.h"
#include "online/monitor/HOXMonKZQWStat.h"
#include "online/monitor/HOXMonPlotObj.h"
#include "online/monitor/HOXMonProgInfo.h"

#include "chart/RecordingPainter.h"
#include "platform/Fonts.h"
#include "support/DocBuilder.h"

#include <QFontMetricsF>

#include <array>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>
#include <vector>

using kt::test::DocBuilder;
using kt::test::RecordingPaintDevice;
using kt::test::RecordingPaintEngine;

namespace {

// The zooms drawn at: the scale, and the mapping that gives it with a
// scroll position.
struct Zoom {
    int num;
    int den;
    CPoint scroll;
    double Scale() const { return double(num) / den; }
};
const Zoom kZooms[] = {{1, 1, CPoint()}, {3, 2, CPoint(15, 9)}};

struct Text {
    QString text;
    QPoint at; // top-left corner as drawn, document units
    QFont font;
};
struct Shape {
    QRect outer; // with the pen's width
    QPen pen;
    QBrush brush;
};
struct Line {
    QLine line;
    QPen pen;
};
struct Poly {
    std::vector<QPoint> points;
    QPen pen;
    QBrush brush;
    bool polyline;
};

// One drawing of an object, read back in document units.
struct Drawing {
    std::vector<Text> texts;
    std::vector<Shape> rects;
    // Filled without a pen: the backgrounds of opaque texts.
    std::vector<QRect> fills;
    std::vector<Line> lines;
    std::vector<Poly> polygons;

    QStringList TextList() const
    {
        QStringList out;
        for (const Text& t : texts) out << t.text;
        return out;
    }
    std::optional<Text> Find(const QString& text, int nth = 0) const
    {
        for (const Text& t : texts)
            if (t.text == text && nth-- == 0) return t;
        return std::nullopt;
    }
    std::vector<std::vector<QPoint>> Polylines() const
    {
        std::vector<std::vector<QPoint>> out;
        for (const Poly& p : polygons)
            if (p.polyline) out.push_back(p.points);
        return out;
    }
};

int Round(double v) { return static_cast<int>(std::clamp<long long>(std::llround(v), INT_MIN, INT_MAX)); }
// The last whole unit before an edge.
int Before(double edge) { return static_cast<int>(std::clamp<long long>(std::llround(edge) - 1, INT_MIN, INT_MAX)); }

Drawing Draw(CHOXDrawObj& object, const Zoom& zoom)
{
    RecordingPaintDevice device;
    {
        QPainter painter(&device);
        CDC dc(painter);
        dc.SetMapping(zoom.num, zoom.num, zoom.den, zoom.den, zoom.scroll);
        object.Draw(&dc);
    }
    const double s = zoom.Scale();
    const auto x = [&](double v) { return (v + zoom.scroll.x) / s; };
    const auto y = [&](double v) { return (v + zoom.scroll.y) / s; };
    const RecordingPaintEngine& rec = device.Record();
    Drawing out;
    for (const auto& t : rec.texts) {
        const double ascent = QFontMetricsF(t.font, &device).ascent();
        out.texts.push_back({t.text, QPoint(Round(x(t.baseline.x())), Round(y(t.baseline.y()) - ascent)), t.font});
    }
    for (const auto& r : rec.rects) {
        if (r.pen.style() == Qt::NoPen) {
            out.fills.push_back(QRect(QPoint(Round(x(r.rect.left())), Round(y(r.rect.top()))),
                                      QPoint(Before(x(r.rect.right())), Before(y(r.rect.bottom())))));
            continue;
        }
        // As the device context insets a rectangle by its pen.
        const double width = r.pen.style() == Qt::NoPen                  ? 0
                             : r.pen.isCosmetic() || r.pen.widthF() <= 0 ? 1.0
                                                                         : r.pen.widthF();
        const double half = width / 2;
        const QRectF doc(QPointF(x(r.rect.left()), y(r.rect.top())), QPointF(x(r.rect.right()), y(r.rect.bottom())));
        const QRectF outer = doc.adjusted(-half, -half, half, half);
        out.rects.push_back({QRect(QPoint(Round(outer.left()), Round(outer.top())),
                                   QPoint(Before(outer.right()), Before(outer.bottom()))),
                             r.pen, r.brush});
    }
    for (const auto& l : rec.lines)
        out.lines.push_back(
            {QLine(Round(x(l.line.x1())), Round(y(l.line.y1())), Round(x(l.line.x2())), Round(y(l.line.y2()))), l.pen});
    for (const auto& p : rec.polygons) {
        Poly poly{{}, p.pen, p.brush, p.mode == QPaintEngine::PolylineMode};
        for (const QPointF& point : p.points) poly.points.emplace_back(Round(x(point.x())), Round(y(point.y())));
        out.polygons.push_back(poly);
    }
    return out;
}

// The width of a text as the objects measure it, in a font.
int Width(const QFont& font, const QString& text)
{
    RecordingPaintDevice device;
    QPainter painter(&device);
    CDC dc(painter);
    dc.SelectFont(font);
    return dc.GetCharWidthSum(text);
}

int TextHeight(const QFont& font)
{
    RecordingPaintDevice device;
    return static_cast<int>(std::ceil(QFontMetricsF(font, &device).height()));
}

QString N(std::int64_t v) { return QString::number(v); }

class MonObjDrawTest : public ::testing::Test, protected DocBuilder {};

} // namespace

// ---------------------------------------------------------------------------
// The one-axis plot

TEST_F(MonObjDrawTest, OneAxisPlotFrameAxisTicksAndLabels)
{
    NewDocument(ctype::kOneAxis);
    CHOXMonPlotObj plot(Monitor());
    plot.m_position = CRect(30, 40, 250, 86); // middle line at 63
    const QFont font = GraphFont();
    const struct {
        const char* what;
        std::int32_t positive, negative;
        QStringList labels;
    } cases[] = {
        {"default limits: 0 in the middle", 100, -100, {"100", "-100", "0"}},
        {"from 0: 50 in the middle", 100, 0, {"100", "0", "50"}},
        {"a span of one: the middle is a limit", 1, 0, {"1", "0"}},
        {"a span of two", 1, -1, {"1", "-1", "0"}},
        {"no span", 5, 5, {"5", "5"}},
        {"the whole range", INT_MAX, INT_MIN, {N(INT_MAX), N(INT_MIN), "-1"}},
    };
    for (const Zoom& zoom : kZooms) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.what) + " at " + std::to_string(zoom.Scale()));
            plot.SetLimits(c.positive, c.negative, 100, -100);
            const Drawing d = Draw(plot, zoom);
            ASSERT_EQ(d.rects.size(), 1u);
            EXPECT_EQ(d.rects[0].outer, QRect(QPoint(30, 40), QPoint(249, 85)));
            EXPECT_EQ(d.rects[0].pen.color(), QColor(127, 127, 127));
            EXPECT_EQ(d.rects[0].pen.widthF(), 4.0);
            EXPECT_EQ(d.rects[0].brush.color(), QColor(Qt::white));

            ASSERT_EQ(d.lines.size(), 8u) << "the axis and seven ticks";
            EXPECT_EQ(d.lines[0].line, QLine(34, 63, 246, 63));
            EXPECT_EQ(d.lines[0].pen.widthF(), 2.0);
            EXPECT_EQ(d.lines[0].pen.color(), QColor(Qt::black));
            const int ticks[] = {40, 73, 106, 140, 173, 206, 240};
            for (int k = 0; k < 7; ++k) EXPECT_EQ(d.lines[std::size_t(k) + 1].line, QLine(ticks[k], 60, ticks[k], 66));

            EXPECT_EQ(d.TextList(), c.labels);
            for (const Text& t : d.texts) EXPECT_EQ(t.font.family(), font.family());
            EXPECT_EQ(d.texts[0].at, QPoint(246 - Width(font, c.labels[0]), 67)) << "ending at L + 216";
            EXPECT_EQ(d.texts[1].at, QPoint(34, 67));
            if (c.labels.size() == 3) {
                EXPECT_EQ(d.texts[2].at, QPoint(140 - Width(font, c.labels[2]) / 2, 67)) << "centred on L + 110";
            }
            EXPECT_TRUE(d.polygons.empty()) << "no marker without a sample";
        }
    }
}

TEST_F(MonObjDrawTest, OneAxisMarkerStandsOnTheScaleOrNowhere)
{
    NewDocument(ctype::kOneAxis);
    CHOXMonPlotObj plot(Monitor());
    plot.m_position = CRect(30, 40, 250, 86);
    // A value of 515396076 times 200 wraps in 32 bits to 96: a point worked
    // out in 32 bits would stand on the scale.
    const struct {
        const char* what;
        std::int32_t positive, negative, x;
        std::optional<int> at; // the marker's tip, document units
    } cases[] = {
        {"at zero", 100, -100, 0, 140},
        {"at the positive limit", 100, -100, 100, 240},
        {"at the negative limit", 100, -100, -100, 40},
        {"the last place on the right", 100, -100, 102, 242},
        {"one past it", 100, -100, 103, std::nullopt},
        {"the last place on the left", 100, -100, -106, 34},
        {"one past it", 100, -100, -107, std::nullopt},
        {"limits far from zero, at the negative one", -19999999, -20000000, -20000000, 40},
        {"limits far from zero, at the positive one", -19999999, -20000000, -19999999, 240},
        {"the whole range", INT_MAX, INT_MIN, 0, 140},
        {"a narrow span, the highest position", 1, 0, INT_MAX, std::nullopt},
        {"a narrow span, the lowest position", 1, 0, INT_MIN, std::nullopt},
        {"a narrow span, a position that wraps onto the scale", 1, 0, 515396076, std::nullopt},
        {"no span", 3, 3, 3, std::nullopt},
    };
    for (const Zoom& zoom : kZooms) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.what) + " at " + std::to_string(zoom.Scale()));
            plot.SetLimits(c.positive, c.negative, 100, -100);
            plot.AddSample(c.x, 77);
            const Drawing d = Draw(plot, zoom);
            if (!c.at) {
                EXPECT_TRUE(d.polygons.empty());
                continue;
            }
            ASSERT_EQ(d.polygons.size(), 1u);
            const int p = *c.at;
            EXPECT_EQ(d.polygons[0].points, (std::vector<QPoint>{{p, 57}, {p - 8, 49}, {p + 8, 49}}));
            EXPECT_EQ(d.polygons[0].pen.color(), QColor(Qt::red));
            EXPECT_EQ(d.polygons[0].pen.widthF(), 1.0);
            EXPECT_EQ(d.polygons[0].brush.color(), QColor(Qt::black));
            EXPECT_FALSE(d.polygons[0].polyline);
        }
    }
}

// ---------------------------------------------------------------------------
// The X-Y plot

TEST_F(MonObjDrawTest, XYPlotDrawsAZeroLineOnlyWhereItsZeroLiesInside)
{
    CHOXMonPlotObj plot(Monitor());
    plot.m_position = CRect(20, 30, 252, 262); // spans from (24, 34), 232 wide and high
    const struct {
        const char* what;
        std::int32_t xPositive, xNegative, yPositive, yNegative;
        std::optional<int> vertical, horizontal;
    } cases[] = {
        {"default limits", 100, -100, 100, -100, 124, 134},
        {"zeros at the starts", 100, 0, 0, -100, 24, 34},
        {"zeros at the ends", 0, -100, 100, 0, 224, 234},
        {"X all positive: its zero before the span", 100, 10, 100, -100, std::nullopt, 134},
        {"Y all negative: its zero above the span", 100, -100, -10, -100, 124, std::nullopt},
        {"a zero 12 short of the width", -1, -12, 100, -100, 242, 134},
        {"a zero 12 or less from the edge", -1, -11, 100, -100, std::nullopt, 134},
        {"Y's zero 12 or less from the bottom", 100, -100, 11, 1, 124, std::nullopt},
        {"no span in X", 7, 7, 100, -100, std::nullopt, 134},
        {"no span at all", 7, 7, -3, -3, std::nullopt, std::nullopt},
        {"the whole range", INT_MAX, INT_MIN, INT_MAX, INT_MIN, 124, 133},
    };
    for (const Zoom& zoom : kZooms) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.what) + " at " + std::to_string(zoom.Scale()));
            plot.SetLimits(c.xPositive, c.xNegative, c.yPositive, c.yNegative);
            const Drawing d = Draw(plot, zoom);
            ASSERT_EQ(d.rects.size(), 1u);
            EXPECT_EQ(d.rects[0].outer, QRect(QPoint(20, 30), QPoint(251, 261)));
            std::vector<QLine> expected;
            if (c.vertical) expected.emplace_back(*c.vertical, 30, *c.vertical, 262);
            if (c.horizontal) expected.emplace_back(20, *c.horizontal, 252, *c.horizontal);
            std::vector<QLine> lines;
            for (const Line& l : d.lines) {
                lines.push_back(l.line);
                EXPECT_EQ(l.pen.widthF(), 2.0);
            }
            EXPECT_EQ(lines, expected);
            EXPECT_EQ(d.TextList(), (QStringList{N(c.xNegative), N(c.xPositive), N(c.yPositive), N(c.yNegative)}));
        }
    }
}

TEST_F(MonObjDrawTest, XYPlotLabelsStandBesideTheirLinesOrAtTheEdge)
{
    CHOXMonPlotObj plot(Monitor());
    plot.m_position = CRect(20, 30, 252, 262);
    const QFont font = GraphFont();
    const int h = TextHeight(font);
    const auto right = [&](const QString& text) { return 246 - Width(font, text); };
    const struct {
        const char* what;
        std::int32_t xPositive, xNegative, yPositive, yNegative;
        int xLabelsTop;  // both X labels: X negative from the left, X positive ending at the right
        int yLabelsLeft; // both Y labels: Y positive at the top, Y negative at the bottom
        int yLabelsLeftNegative;
    } cases[] = {
        {"below and right of the lines", 100, -100, 100, -100, 137, 128, 128},
        // Lines at 234 and 244: the X labels do not fit below theirs, nor
        // the wider Y label right of its line.
        {"lines near the far ends: above and left of them where they do not fit", -5, -100, 100, 5, 241 - h,
         234 - 4 - Width(font, QStringLiteral("100")), 238},
        {"no lines, zeros before the spans: at the top and left", 100, 10, -10, -100, 36, 26, 26},
        {"no lines, zeros past the spans: at the bottom and right", -10, -100, 100, 10, 256 - h,
         right(QStringLiteral("100")), right(QStringLiteral("10"))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        plot.SetLimits(c.xPositive, c.xNegative, c.yPositive, c.yNegative);
        const Drawing d = Draw(plot, kZooms[0]);
        ASSERT_EQ(d.texts.size(), 4u);
        EXPECT_EQ(d.texts[0].at, QPoint(26, c.xLabelsTop));
        EXPECT_EQ(d.texts[1].at, QPoint(right(N(c.xPositive)), c.xLabelsTop));
        EXPECT_EQ(d.texts[2].at, QPoint(c.yLabelsLeft, 36));
        EXPECT_EQ(d.texts[3].at, QPoint(c.yLabelsLeftNegative, 256 - h));
    }
}

TEST_F(MonObjDrawTest, XYTraceIsCutToTheBoundsInsetByFour)
{
    CHOXMonPlotObj plot(Monitor());
    plot.m_position = CRect(20, 30, 252, 262); // inside: 24..248 by 34..258
    using Points = std::vector<QPoint>;
    using Runs = std::vector<Points>;
    const struct {
        const char* what;
        std::int32_t xPositive, xNegative, yPositive, yNegative;
        std::vector<PlotSample> samples;
        Runs runs;
    } cases[] = {
        {"one sample draws nothing", 100, -100, 100, -100, {{0, 0}}, {}},
        {"a path inside: one line through every sample",
         100,
         -100,
         100,
         -100,
         {{0, 0}, {50, 50}, {50, -100}},
         {{{124, 134}, {174, 84}, {174, 234}}}},
        {"a sample standing still adds no point",
         100,
         -100,
         100,
         -100,
         {{0, 0}, {0, 0}, {10, 0}},
         {{{124, 134}, {134, 134}}}},
        {"cut at the right", 100, -100, 100, -100, {{0, 0}, {200, 0}}, {{{124, 134}, {248, 134}}}},
        {"cut at the top", 100, -100, 100, -100, {{0, 0}, {0, 500}}, {{{124, 134}, {124, 34}}}},
        {"wholly outside: not drawn", 100, -100, 100, -100, {{300, 300}, {400, 300}}, {}},
        {"out and back in: two lines",
         100,
         -100,
         100,
         -100,
         {{0, 0}, {200, 0}, {200, 50}, {0, 50}},
         {{{124, 134}, {248, 134}}, {{248, 84}, {124, 84}}}},
        {"from one side to the other outside the field",
         100,
         -100,
         100,
         -100,
         {{-300, 0}, {300, 0}},
         {{{24, 134}, {248, 134}}}},
        {"narrow spans, to the highest X", 1, 0, 1, 0, {{0, 0}, {INT_MAX, 0}}, {{{24, 234}, {248, 234}}}},
        {"narrow spans, from the lowest to the highest corner",
         1,
         0,
         1,
         0,
         {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}},
         {{{24, 234}, {224, 34}}}},
        {"narrow spans, both ends beyond one edge", 1, 0, 1, 0, {{INT_MAX, INT_MIN}, {INT_MAX, INT_MAX}}, {}},
        {"the whole range",
         INT_MAX,
         INT_MIN,
         INT_MAX,
         INT_MIN,
         {{0, 0}, {INT_MAX, INT_MIN}},
         {{{124, 133}, {223, 233}}}},
        {"no span in Y: nothing plotted", 100, -100, 4, 4, {{0, 0}, {50, 50}}, {}},
    };
    for (const Zoom& zoom : kZooms) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.what) + " at " + std::to_string(zoom.Scale()));
            plot.SetLimits(c.xPositive, c.xNegative, c.yPositive, c.yNegative);
            plot.ClearSamples();
            for (const PlotSample& s : c.samples) plot.AddSample(s.x, s.y);
            const Drawing d = Draw(plot, zoom);
            EXPECT_EQ(d.Polylines(), c.runs);
            for (const Poly& p : d.polygons) {
                EXPECT_EQ(p.pen.color(), QColor(Qt::red));
                EXPECT_EQ(p.pen.widthF(), 1.0);
                EXPECT_EQ(p.pen.style(), Qt::SolidLine);
            }
        }
    }
}

TEST_F(MonObjDrawTest, XYTraceOfExtremeSamplesStaysInside)
{
    CHOXMonPlotObj plot(Monitor());
    plot.m_position = CRect(20, 30, 252, 262);
    const std::int32_t values[] = {INT_MIN, INT_MIN + 1, -1, 0, 1, INT_MAX - 1, INT_MAX};
    const std::int32_t limits[][2] = {
        {1, 0}, {0, -1}, {INT_MAX, INT_MAX - 1}, {INT_MIN + 1, INT_MIN}, {INT_MAX, INT_MIN}};
    for (const auto& xl : limits) {
        for (const auto& yl : limits) {
            plot.SetLimits(xl[0], xl[1], yl[0], yl[1]);
            plot.ClearSamples();
            for (std::int32_t x : values)
                for (std::int32_t y : values) plot.AddSample(x, y);
            const Drawing d = Draw(plot, kZooms[0]);
            for (const auto& run : d.Polylines())
                for (const QPoint& p : run)
                    ASSERT_TRUE(QRect(QPoint(24, 34), QPoint(248, 258)).contains(p))
                        << xl[0] << "," << xl[1] << " " << yl[0] << "," << yl[1];
        }
    }
}

TEST_F(MonObjDrawTest, EveryKindDrawsOnlyItsDottedOutlineWhileDragged)
{
    CHOXMonPlotObj plot(Monitor());
    plot.AddSample(1, 1);
    plot.AddSample(50, 50);
    CHOXMonCurPos position(Monitor());
    CHOXMonKZQWStat status(Monitor());
    CHOXMonProgInfo info(Monitor());
    for (CHOXMonObj* object : std::vector<CHOXMonObj*>{&plot, &position, &status, &info}) {
        SCOPED_TRACE(object->GetRuntimeClass()->m_lpszClassName);
        object->m_position = CRect(40, 50, 300, 200);
        object->m_nDragging = 1;
        const Drawing d = Draw(*object, kZooms[1]);
        EXPECT_TRUE(d.texts.empty());
        EXPECT_TRUE(d.lines.empty());
        EXPECT_TRUE(d.polygons.empty());
        ASSERT_EQ(d.rects.size(), 1u);
        EXPECT_EQ(d.rects[0].pen.style(), Qt::DotLine);
        EXPECT_EQ(d.rects[0].brush.style(), Qt::NoBrush);
        EXPECT_EQ(object->m_position, CRect(40, 50, 300, 200)) << "bounds as they were";
        object->m_nDragging = 0;
    }
}

// ---------------------------------------------------------------------------
// The current position

TEST_F(MonObjDrawTest, CurrentPositionRowsEndWherePositivesAndNegativesEnd)
{
    const QFont font = CHOXMonObj::TextFont();
    const std::int32_t values[] = {0, 7, 123456, -1, -4567, INT_MIN, INT_MAX};
    for (std::int32_t type : {ctype::kOneAxis, ctype::kTwoAxes}) {
        NewDocument(type);
        CHOXMonCurPos position(Monitor());
        EXPECT_EQ(position.GetRect(), CRect(10, 10, 138, ctype::IsOneAxis(type) ? 42 : 62));
        position.m_position.OffsetRect(100, 200);
        for (const Zoom& zoom : kZooms) {
            for (std::int32_t v : values) {
                SCOPED_TRACE(std::to_string(type) + " " + std::to_string(v) + " at " + std::to_string(zoom.Scale()));
                position.SetPositions(v, -(v / 2));
                const Drawing d = Draw(position, zoom);
                ASSERT_EQ(d.rects.size(), 1u);
                EXPECT_EQ(d.rects[0].outer.topLeft(), QPoint(110, 210));
                EXPECT_EQ(d.rects[0].outer.bottom(), ctype::IsOneAxis(type) ? 241 : 261);
                EXPECT_EQ(d.rects[0].pen.widthF(), 4.0);
                EXPECT_EQ(d.rects[0].pen.color(), QColor(127, 127, 127));
                EXPECT_EQ(d.rects[0].brush.color(), QColor(Qt::white));
                QStringList rows{"X:", N(v)};
                if (!ctype::IsOneAxis(type)) rows << "Y:" << N(-(v / 2));
                EXPECT_EQ(d.TextList(), rows);
                for (const Text& t : d.texts) {
                    EXPECT_EQ(t.font.family(), font.family());
                    EXPECT_EQ(t.font.pixelSize(), font.pixelSize());
                    EXPECT_EQ(t.font.weight(), QFont::Bold);
                }
                EXPECT_EQ(d.texts[0].at, QPoint(119, 218));
                EXPECT_EQ(d.texts[1].at, QPoint(225 - Width(font, N(v)), 218));
                if (rows.size() == 4) {
                    EXPECT_EQ(d.texts[2].at, QPoint(119, 238));
                    EXPECT_EQ(d.texts[3].at, QPoint(225 - Width(font, N(-(v / 2))), 238));
                }
            }
        }
    }
}

// ---------------------------------------------------------------------------
// The controller status

TEST_F(MonObjDrawTest, StatusLampsAreYellowOnlyForAWordOfExactlyOne)
{
    const QColor yellow(255, 255, 0);
    const QColor cyan(0, 255, 255);
    CHOXMonKZQWStat status(Monitor());
    status.m_position = CRect(50, 60, 326, 160);
    status.SetStatus(0, 1, 0, 2, -1);
    status.SetStatus(1, 0, 1, 65537, 1);
    const Drawing d = Draw(status, kZooms[0]);
    ASSERT_EQ(d.rects.size(), 8u);
    const QColor expected[] = {yellow, cyan, cyan, cyan, cyan, yellow, cyan, yellow};
    for (std::size_t i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(d.rects[i].brush.color(), expected[i]);
        EXPECT_EQ(d.rects[i].brush.style(), Qt::SolidPattern);
    }
}

TEST_F(MonObjDrawTest, StatusLayoutKeepsItsSizeFromTheTopLeftCorner)
{
    const QFont font = CHOXMonObj::TextFont();
    const auto centred = [&](int left, const char* text) {
        return left + (128 - Width(font, QString::fromLatin1(text))) / 2;
    };
    const char* const lamps[] = {"Ready", "Completed", "Error", "Zero Completed"};
    for (std::int32_t type : {ctype::kOneAxis, ctype::kInterpolated}) {
        NewDocument(type);
        CHOXMonKZQWStat status(Monitor());
        EXPECT_EQ(status.GetRect(), CRect(10, 10, ctype::IsOneAxis(type) ? 138 : 276, 110));
        const int columns = ctype::IsOneAxis(type) ? 1 : 2;
        for (const CRect& bounds : {CRect(50, 60, 60, 70), CRect(50, 60, 900, 700)}) {
            for (const Zoom& zoom : kZooms) {
                SCOPED_TRACE(std::to_string(type) + " " + std::to_string(bounds.right) + " at " +
                             std::to_string(zoom.Scale()));
                status.m_position = bounds;
                const Drawing d = Draw(status, zoom);
                ASSERT_EQ(d.rects.size(), std::size_t(4 * columns));
                ASSERT_EQ(d.texts.size(), std::size_t(5 * columns));
                for (int column = 0; column < columns; ++column) {
                    const int left = 50 + 138 * column;
                    const Text& title = d.texts[std::size_t(5 * column)];
                    EXPECT_EQ(title.text, column == 0 ? QStringLiteral("X-axis") : QStringLiteral("Y-axis"));
                    EXPECT_EQ(title.at, QPoint(centred(left, column == 0 ? "X-axis" : "Y-axis"), 60));
                    for (int i = 0; i < 4; ++i) {
                        const Shape& lamp = d.rects[std::size_t(4 * column + i)];
                        EXPECT_EQ(lamp.outer, QRect(QPoint(left, 80 + 20 * i), QPoint(left + 127, 99 + 20 * i)));
                        const Text& text = d.texts[std::size_t(5 * column + 1 + i)];
                        EXPECT_EQ(text.text, QString::fromLatin1(lamps[i]));
                        EXPECT_EQ(text.at, QPoint(centred(left, lamps[i]), 82 + 20 * i));
                    }
                }
                EXPECT_EQ(status.m_position, bounds) << "the bounds stay as they are";
            }
        }
    }
}

// ---------------------------------------------------------------------------
// The program information

TEST_F(MonObjDrawTest, ProgramInformationBoxesFollowTheLabelsWidth)
{
    const QFont font = CHOXMonObj::TextFont();
    const int w = Width(font, QStringLiteral("Program Number"));
    for (std::int32_t type : {ctype::kOneAxis, ctype::kTwoAxes}) {
        NewDocument(type);
        CHOXMonProgInfo info(Monitor());
        const bool one = ctype::IsOneAxis(type);
        EXPECT_EQ(info.GetRect(), CRect(10, 10, one ? 185 : 250, 84));
        info.m_position = CRect(100, 200, 101, 274);
        for (const Zoom& zoom : kZooms) {
            for (const auto& values : std::vector<std::array<std::int32_t, 3>>{{-1, 0, 0}, {99, 255, -32768}}) {
                SCOPED_TRACE(std::to_string(type) + " " + std::to_string(values[0]) + " at " +
                             std::to_string(zoom.Scale()));
                info.SetInfo(0, values[0], values[1], values[2]);
                info.SetInfo(1, -values[2], values[0], values[1]);
                const Drawing d = Draw(info, zoom);
                EXPECT_EQ(info.GetRect(), CRect(100, 200, 100 + w + (one ? 65 : 132), 274))
                    << "the right edge after the last box";
                const int columns = one ? 1 : 2;
                ASSERT_EQ(d.rects.size(), std::size_t(3 * columns));
                ASSERT_EQ(d.texts.size(), std::size_t(3 + 6 * columns));
                const char* const labels[] = {"Program Number", "M code Status", "Error Code"};
                for (int row = 0; row < 3; ++row) {
                    EXPECT_EQ(d.texts[std::size_t(row)].text, QString::fromLatin1(labels[row]));
                    EXPECT_EQ(d.texts[std::size_t(row)].at, QPoint(100, 202 + 25 * row));
                }
                for (int column = 0; column < columns; ++column) {
                    const int boxLeft = 100 + w + (column == 0 ? 10 : 75);
                    const int boxWidth = column == 0 ? 55 : 57;
                    const std::array<std::int32_t, 3> shown =
                        column == 0 ? values : std::array<std::int32_t, 3>{-values[2], values[0], values[1]};
                    const char* const prefixes[] = {column == 0 ? " X:" : " Y:", " M:", " E:"};
                    for (int row = 0; row < 3; ++row) {
                        const Shape& box = d.rects[std::size_t(3 * column + row)];
                        EXPECT_EQ(box.outer, QRect(boxLeft, 200 + 25 * row, boxWidth, 20));
                        EXPECT_EQ(box.pen.widthF(), 2.0);
                        EXPECT_EQ(box.pen.color(), QColor(127, 127, 127));
                        EXPECT_EQ(box.brush.color(), QColor(Qt::white));
                        const Text& prefix = d.texts[std::size_t(3 + 6 * column + 2 * row)];
                        const Text& value = d.texts[std::size_t(4 + 6 * column + 2 * row)];
                        EXPECT_EQ(prefix.text, QString::fromLatin1(prefixes[row]));
                        EXPECT_EQ(prefix.at, QPoint(boxLeft + 2, 202 + 25 * row));
                        EXPECT_EQ(value.text, N(shown[std::size_t(row)]));
                        EXPECT_EQ(value.at.x() + Width(font, value.text), boxLeft + 50);
                        EXPECT_EQ(value.at.y(), 202 + 25 * row);
                    }
                }
            }
        }
    }
}

// Bounds from a file may lie at the ends of the coordinate range: every place
// drawn is worked out without overflow and kept in the range.
TEST_F(MonObjDrawTest, ObjectsAtTheEndsOfTheCoordinateRangeDrawWithinIt)
{
    const CRect ends[] = {CRect(INT_MAX - 60, INT_MAX - 60, INT_MAX - 1, INT_MAX - 1),
                          CRect(INT_MIN, INT_MIN, INT_MIN + 60, INT_MIN + 60)};
    for (std::int32_t type : {ctype::kOneAxis, ctype::kTwoAxes}) {
        NewDocument(type);
        CHOXMonPlotObj plot(Monitor());
        for (int i = 0; i < 4; ++i) plot.AddSample(i * 40 - 60, 60 - i * 40);
        CHOXMonCurPos position(Monitor());
        position.SetPositions(INT_MIN, INT_MAX);
        CHOXMonKZQWStat status(Monitor());
        CHOXMonProgInfo info(Monitor());
        for (CHOXMonObj* object : std::vector<CHOXMonObj*>{&plot, &position, &status, &info}) {
            for (const CRect& at : ends) {
                SCOPED_TRACE(std::string(object->GetRuntimeClass()->m_lpszClassName) + " " + std::to_string(at.left));
                object->m_position = at;
                const Drawing d = Draw(*object, kZooms[0]);
                EXPECT_FALSE(d.texts.empty() && d.rects.empty());
                EXPECT_EQ(object->GetRect().left, at.left);
                EXPECT_GE(object->GetRect().right, object->GetRect().left);
            }
        }
    }
}
