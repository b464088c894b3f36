// The speed graph's drawing: the box, axes and titles, the profile over
// acceleration + deceleration + 5000 ms, the bias ramps, the dotted end of
// the span, the tick at the maximum level and the labels; and values that
// passed no check drawn without harm.
#include "params/HOXSpeedGraph.h"

#include "chart/RecordingPainter.h"
#include "platform/DC.h"

#include <QFontInfo>

#include <gtest/gtest.h>

#include <climits>
#include <map>

namespace {

using kt::test::RecordingPaintDevice;
using kt::test::RecordingPaintEngine;
using Profile = CHOXSpeedGraph::Profile;

// 540 pixels for the time axis: 10 ms a pixel over the usual 5400 ms.
const CRect kBox(0, 0, 590, 200);

const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);

struct Drawn {
    struct Line {
        QLine line;
        QColor color;
        Qt::PenStyle style;
        bool operator==(const Line&) const = default;
    };
    std::vector<Line> lines;
    std::map<QString, std::vector<QPoint>> texts; // text to its top-left corners
    std::vector<RecordingPaintEngine::Text> raw;
    QRectF fill;
    QColor fillColor;
};

Drawn Draw(const Profile& profile, const CRect& box = kBox)
{
    CHOXSpeedGraph graph;
    graph.SetProfile(profile);
    RecordingPaintDevice device;
    {
        QPainter painter(&device);
        CDC dc(painter);
        graph.OnPaint(dc, box);
    }
    const RecordingPaintEngine& rec = device.Record();
    Drawn drawn;
    for (const auto& l : rec.lines) drawn.lines.push_back({l.line.toLine(), l.pen.color(), l.pen.style()});
    for (const auto& t : rec.texts) drawn.texts[t.text].push_back(device.TextOrigin(t));
    drawn.raw = rec.texts;
    if (!rec.rects.empty()) {
        drawn.fill = rec.rects.front().rect;
        drawn.fillColor = rec.rects.front().brush.color();
    }
    return drawn;
}

Drawn::Line Solid(int x1, int y1, int x2, int y2, const QColor& c) { return {QLine(x1, y1, x2, y2), c, Qt::SolidLine}; }
Drawn::Line Dotted(int x1, int y1, int x2, int y2, const QColor& c) { return {QLine(x1, y1, x2, y2), c, Qt::DotLine}; }

// The box, the axes through the origin (30, 180) and their titles.
void ExpectFrame(const Drawn& d, const CRect& box = kBox)
{
    EXPECT_EQ(d.fill, QRectF(box.left, box.top, box.Width(), box.Height()));
    EXPECT_EQ(d.fillColor, QColor(Qt::white));
    ASSERT_GE(d.lines.size(), 2u);
    const int oy = box.bottom - 20;
    EXPECT_EQ(d.lines[0], Solid(30, oy, 30, 0, kGreen));
    EXPECT_EQ(d.lines[1], Solid(0, oy, box.right, oy, kGreen));
    EXPECT_EQ(d.texts.at(QStringLiteral("Speed(PPS)")), std::vector<QPoint>{QPoint(35, 5)});
    EXPECT_EQ(d.texts.at(QStringLiteral("0")), std::vector<QPoint>{QPoint(20, oy + 5)});
    EXPECT_EQ(d.texts.at(QStringLiteral("time(ms)")), std::vector<QPoint>{QPoint((box.right - 30) / 4 + 30, oy + 5)});
}

} // namespace

TEST(SpeedGraphTest, TheProfileSpansAccelerationDecelerationAndFiveSeconds)
{
    const Drawn d = Draw({200000, 0, 200, 200});
    ExpectFrame(d);
    // H = 200 - 45 = 155 above the origin; 5400 ms end at 30 + 540.
    const std::vector<Drawn::Line> expected = {
        Solid(30, 180, 30, 0, kGreen), Solid(0, 180, 590, 180, kGreen), Dotted(570, 180, 570, 0, kGreen),
        Solid(25, 25, 35, 25, kRed), // the tick: -54 to 54 ms
        Solid(30, 180, 50, 25, kRed),  Solid(50, 25, 550, 25, kRed),    Solid(550, 25, 570, 180, kRed),
    };
    EXPECT_EQ(d.lines, expected);
    EXPECT_EQ(d.texts.at(QStringLiteral("5400")), std::vector<QPoint>{QPoint(560, 185)});
    EXPECT_EQ(d.texts.at(QStringLiteral("200000")), std::vector<QPoint>{QPoint(1, 25)});
    EXPECT_EQ(d.texts.size(), 5u);
    for (const auto& t : d.raw) {
        EXPECT_EQ(t.font.pointSize(), 8) << t.text.toStdString();
        EXPECT_EQ(QFontInfo(t.font).family(), QStringLiteral("Liberation Sans"));
    }
}

TEST(SpeedGraphTest, TheBiasRampsAreDottedFromTheirLevel)
{
    const Drawn d = Draw({200000, 50000, 1000, 2000});
    ExpectFrame(d);
    // 8000 ms over 540 pixels; the bias level 155 * 50000 / 200000 = 38.
    const std::vector<Drawn::Line> expected = {
        Solid(30, 180, 30, 0, kGreen),  Solid(0, 180, 590, 180, kGreen), Dotted(570, 180, 570, 0, kGreen),
        Solid(25, 25, 35, 25, kRed),    Solid(30, 180, 98, 25, kRed),    Solid(98, 25, 435, 25, kRed),
        Solid(435, 25, 570, 180, kRed), Dotted(30, 142, 98, 25, kRed),   Dotted(435, 25, 570, 142, kRed),
    };
    EXPECT_EQ(d.lines, expected);
    EXPECT_EQ(d.texts.at(QStringLiteral("8000")), std::vector<QPoint>{QPoint(560, 185)});
    EXPECT_EQ(d.texts.at(QStringLiteral("50000")), std::vector<QPoint>{QPoint(1, 142)});
}

TEST(SpeedGraphTest, ABiasAboveTheMaximumIsDrawnAtTheMaximum)
{
    const Drawn d = Draw({200000, 900000, 200, 200});
    ASSERT_EQ(d.lines.size(), 9u);
    EXPECT_EQ(d.lines[7], Dotted(30, 25, 50, 25, kRed));
    EXPECT_EQ(d.lines[8], Dotted(550, 25, 570, 25, kRed));
    EXPECT_EQ(d.texts.at(QStringLiteral("200000")), (std::vector<QPoint>{QPoint(1, 25), QPoint(1, 25)}));
    EXPECT_EQ(d.texts.count(QStringLiteral("900000")), 0u);
}

// Without a maximum speed (or with a negative one) there is no profile, no
// bias whatever it holds, and no labels.
TEST(SpeedGraphTest, WithoutAMaximumOnlyTheFrameIsDrawn)
{
    for (const Profile& p : {Profile{0, 0, 200, 200}, Profile{0, 5000, 200, 200}, Profile{-5, 10, 200, 200}}) {
        const Drawn d = Draw(p);
        ExpectFrame(d);
        EXPECT_EQ(d.lines.size(), 2u) << p.maxSpeed << " " << p.biasSpeed;
        EXPECT_EQ(d.texts.size(), 3u);
    }
}

// Values that passed no check: a span of 0 ms or less, or a box too small
// for the axes, draws the frame only; huge spans are clipped to the box.
TEST(SpeedGraphTest, UncheckedValuesAndSmallBoxesDrawNothingOutsideTheBox)
{
    const struct {
        Profile profile;
        CRect box;
    } frameOnly[] = {
        {{200000, 100, -3000, -2000}, kBox}, // span 0
        {{200000, 100, -9000, 0}, kBox},     // span below 0
        {{200000, 100, 200, 200}, CRect(0, 0, 50, 200)},
        {{200000, 100, 200, 200}, CRect(0, 0, 590, 45)},
    };
    for (const auto& c : frameOnly) {
        const Drawn d = Draw(c.profile, c.box);
        ExpectFrame(d, c.box);
        EXPECT_EQ(d.lines.size(), 2u) << c.profile.accTime << " " << c.box.Width() << "x" << c.box.Height();
        EXPECT_EQ(d.texts.size(), 3u);
    }

    const Profile huge[] = {
        {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX},
        {INT32_MAX, 1, INT32_MIN, 2147478649},            // a span of 1 ms
        {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MIN + 1}, // a span of 5000 ms
    };
    for (const Profile& p : huge) {
        const Drawn d = Draw(p);
        ExpectFrame(d);
        EXPECT_GT(d.lines.size(), 2u);
        for (const auto& l : d.lines) {
            for (const QPoint& end : {l.line.p1(), l.line.p2()}) {
                EXPECT_TRUE(end.x() >= 0 && end.x() <= 590 && end.y() >= 0 && end.y() <= 200)
                    << p.accTime << " " << p.decTime << ": " << end.x() << "," << end.y();
            }
        }
    }
    // The span's label is the full 64-bit sum.
    EXPECT_EQ(Draw(huge[0]).texts.count(QStringLiteral("4294972294")), 1u);
}
