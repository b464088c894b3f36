// What the device status, manual input status and manual operation objects
// draw, as a recording painter sees it: lamps and their colours, labels
// across the octal skip, word rows with their values right-aligned, rows of
// devices that do not exist, the manual inputs per axis, and the buttons
// raised and pressed; at 100 % and at 200 %.
#include "online/monitor/HOXMonDevStat.h"
#include "online/monitor/HOXMonManInputStat.h"
#include "online/monitor/HOXMonManOpern.h"
#include "online/monitor/MonObjIds.h"

#include "chart/RecordingPainter.h"
#include "params/HOXParam.h"
#include "support/DocBuilder.h"
#include "symbols/operand/HOXSelectVal.h"

#include <QFontMetricsF>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using kt::test::DocBuilder;
using kt::test::RecordingPaintDevice;
using kt::test::RecordingPaintEngine;

namespace {

using SV = CHOXSelectVal;
using Settings = CHOXMonDevStat::Settings;

const QColor kYellow(255, 255, 0);
const QColor kCyan(0, 255, 255);
const QColor kWhite(255, 255, 255);
const QColor kGrey(192, 192, 192);

// What one drawing recorded, in document units (the zoom taken out).
struct Drawn {
    struct Text {
        QString text;
        QPoint origin; // top-left corner, as TextOut was given it
        int width;     // the sum of its characters' widths
        QFont font;
    };
    std::vector<Text> texts;
    std::vector<RecordingPaintEngine::Shape> rects;
    std::vector<RecordingPaintEngine::Line> lines;
};

// Draws the object on a recording device at the zoom (percent).
Drawn DrawOf(CHOXMonObj& object, int zoom = 100)
{
    RecordingPaintDevice device;
    {
        QPainter painter(&device);
        CDC dc(painter);
        dc.SetMapping(zoom, zoom, 100, 100, CPoint(0, 0));
        object.Draw(&dc);
    }
    Drawn out;
    auto& record = device.Record();
    const double scale = zoom / 100.0;
    for (const auto& t : record.texts) {
        // Texts are measured in the font as selected, in document units;
        // the zoom scales only where they are drawn.
        const QFontMetricsF fm(t.font, &device);
        double width = 0;
        for (const QChar c : t.text) width += std::ceil(fm.horizontalAdvance(QString(c)));
        const QPointF origin = t.baseline / scale - QPointF(0, fm.ascent());
        out.texts.push_back(
            {t.text, QPoint(static_cast<int>(std::lround(origin.x())), static_cast<int>(std::lround(origin.y()))),
             static_cast<int>(width), t.font});
    }
    for (auto r : record.rects) {
        r.rect = QRectF(r.rect.left() / scale, r.rect.top() / scale, r.rect.width() / scale, r.rect.height() / scale);
        out.rects.push_back(r);
    }
    for (auto l : record.lines) {
        l.line = QLineF(l.line.p1() / scale, l.line.p2() / scale);
        out.lines.push_back(l);
    }
    return out;
}

// A rectangle as the device context fills it: the pen's half width inside.
QRect Box(const RecordingPaintEngine::Shape& s) { return s.rect.toAlignedRect(); }

// Values as the monitoring thread hands them over.
std::vector<BYTE> Words16(const std::vector<int>& values)
{
    std::vector<BYTE> bytes;
    for (int v : values) {
        const auto u = static_cast<std::uint16_t>(v);
        bytes.push_back(static_cast<BYTE>(u & 0xFF));
        bytes.push_back(static_cast<BYTE>(u >> 8));
    }
    return bytes;
}
std::vector<BYTE> Words32(const std::vector<int>& values)
{
    std::vector<BYTE> bytes;
    for (int v : values) {
        const auto u = static_cast<std::uint32_t>(v);
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<BYTE>((u >> (8 * i)) & 0xFF));
    }
    return bytes;
}

class MonObjFacesTest : public ::testing::Test, protected DocBuilder {
protected:
    CHOXMonDevStat* DevStat(std::int32_t model, std::int32_t fileRegisters, const Settings& settings, CPoint at)
    {
        NewDocument(model);
        EXPECT_TRUE(doc->GetParam().SetParam(&fileRegisters, 101, axis::kX));
        auto object = std::make_unique<CHOXMonDevStat>(settings, Monitor());
        object->SetId(static_cast<DWORD>(doc->NewMonObjId()));
        object->m_position = CHOXDrawObj::Shifted(object->GetRect(), at.x - 10, at.y - 10);
        CHOXMonDevStat* raw = object.get();
        Monitor()->AddMonObj(std::move(object));
        return raw;
    }
};

} // namespace

// ---------------------------------------------------------------------------
// Device status

TEST_F(MonObjFacesTest, BitRowsAreLampsLabelledAcrossTheOctalSkipAndLitByOne)
{
    constexpr auto kZe = ctype::kOneAxis;
    constexpr auto kRo = ctype::kTwoAxes;
    struct Case {
        const char* what;
        std::int32_t model;
        Settings settings;
        std::vector<int> values;         // as read, 16-bit
        std::vector<const char*> labels; // per row, "" for a row without device
        const char* lamps;               // per row: y lit, c not
    };
    // clang-format off
    const Case cases[] = {
        {"X0, 16 points", kRo, {0, SV::kX, 0, 0, 0, 16}, {0, 1, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 1},
         {"X000", "X001", "X002", "X003", "X004", "X005", "X006", "X007", "X010", "X011", "X012", "X013", "X014",
          "X015", "X016", "X017"},
         "cycccccyyccccccy"},
        {"Y6, 4 points", kRo, {0, SV::kY, 6, 0, 0, 4}, {1, 0, 0, 1}, {"Y006", "Y007", "Y010", "Y011"}, "yccy"},
        {"X0, 8 points, one axis: X4 on do not exist", kZe, {0, SV::kX, 0, 0, 0, 8}, {1, 1, 0, 1},
         {"X000", "X001", "X002", "X003", "", "", "", ""}, "yycycccc"},
        {"M9000, 4 points", kRo, {0, SV::kM, 9000, 0, 0, 4}, {0, 2, -1, 1}, {"M9000", "M9001", "M9002", "M9003"},
         "cccy"},
        {"M5, 4 points", kRo, {0, SV::kM, 5, 0, 0, 4}, {1, 0, 0, 0}, {"M005", "M006", "M007", "M008"}, "yccc"},
        {"M510, 4 points: past M511 none", kRo, {0, SV::kM, 510, 0, 0, 4}, {1, 1}, {"M510", "M511", "", ""}, "yycc"},
        {"Y4, 4 points, one axis", kZe, {0, SV::kY, 4, 0, 0, 4}, {0, 1}, {"Y004", "Y005", "", ""}, "cycc"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CHOXMonDevStat* object = DevStat(c.model, 0, c.settings, CPoint(30, 50));
        object->SetValues(Words16(c.values), true);
        for (int zoom : {100, 200}) {
            SCOPED_TRACE(zoom);
            const Drawn d = DrawOf(*object, zoom);
            ASSERT_EQ(d.rects.size(), c.labels.size());
            std::size_t text = 0;
            for (std::size_t row = 0; row < c.labels.size(); ++row) {
                SCOPED_TRACE(row);
                const int top = 50 + 20 * static_cast<int>(row);
                EXPECT_EQ(Box(d.rects[row]), QRect(30, top, 40, 20));
                EXPECT_EQ(d.rects[row].pen.color(), QColor(Qt::black));
                const char lamp = c.lamps[row];
                EXPECT_EQ(d.rects[row].brush.color(), lamp == 'y' ? kYellow : kCyan);
                if (*c.labels[row] == '\0') continue;
                ASSERT_LT(text, d.texts.size());
                const Drawn::Text& t = d.texts[text++];
                EXPECT_EQ(t.text.toStdString(), c.labels[row]);
                EXPECT_EQ(t.origin, QPoint(30 + (40 - t.width) / 2, top + 2));
            }
            EXPECT_EQ(text, d.texts.size()) << "no label on a row without device";
        }
    }
}

TEST_F(MonObjFacesTest, WordRowsShowLabelsAndValuesEndingAtTheSameRightEdge)
{
    constexpr auto kRo = ctype::kTwoAxes;
    constexpr auto kZe = ctype::kOneAxis;
    struct Case {
        const char* what;
        std::int32_t model;
        std::int32_t fileRegisters;
        Settings settings;
        std::vector<BYTE> read;
        bool sixteenBit;
        // Per row the label and the value shown; an empty label: no device,
        // the empty box alone.
        std::vector<std::pair<const char*, const char*>> rows;
    };
    // clang-format off
    const Case cases[] = {
        {"D100, 4 points", kRo, 0, {0, SV::kD, 100, 0, 0, 4}, Words16({5, -5, 32767, -32768}), true,
         {{"D100 ", "5"}, {"D101 ", "-5"}, {"D102 ", "32767"}, {"D103 ", "-32768"}}},
        {"32-bit D100 is DD in pairs", kRo, 0, {1, SV::kD, 100, 0, 0, 4},
         Words32({70000, -1, 2147483647, -2147483647 - 1}), false,
         {{"DD100 ", "70000"}, {"DD102 ", "-1"}, {"DD104 ", "2147483647"}, {"DD106 ", "-2147483648"}}},
        {"32-bit Z0, 8 points: pairs up to Z6", kRo, 0, {1, SV::kZ, 0, 0, 0, 8}, Words32({1, -2, 3, -4}), false,
         {{"Z0 ", "1"}, {"Z2 ", "-2"}, {"Z4 ", "3"}, {"Z6 ", "-4"}, {"", ""}, {"", ""}, {"", ""}, {"", ""}}},
        {"Z6, 4 points", kRo, 0, {0, SV::kZ, 6, 0, 0, 4}, Words16({-7, 8}), true,
         {{"Z6 ", "-7"}, {"Z7 ", "8"}, {"", ""}, {"", ""}}},
        {"V0 indexed by nothing", kZe, 0, {0, SV::kV, 0, 0, 0, 1}, Words16({-12}), true, {{"V0 ", "-12"}}},
        {"D100 indexed by V3", kRo, 0, {0, SV::kD, 100, SV::kIndexV, 3, 4}, Words32({1, 2, -3, 4}), false,
         {{"D100 V3 ", "1"}, {"D101 V3 ", "2"}, {"D102 V3 ", "-3"}, {"D103 V3 ", "4"}}},
        {"DD200 indexed by Z7", kRo, 0, {1, SV::kD, 200, SV::kIndexZ, 7, 1}, Words32({-9}), false,
         {{"DD200 Z7 ", "-9"}}},
        {"D3998, 4 points, no file registers", kRo, 0, {0, SV::kD, 3998, 0, 0, 4}, Words16({1, 2}), true,
         {{"D3998 ", "1"}, {"D3999 ", "2"}, {"", ""}, {"", ""}}},
        {"D1998, 4 points, one axis with file registers", kZe, 1000, {0, SV::kD, 1998, 0, 0, 4}, Words16({3, 4}),
         true, {{"D1998 ", "3"}, {"D1999 ", "4"}, {"", ""}, {"", ""}}},
        {"D9000 before a reading", kRo, 0, {0, SV::kD, 9000, 0, 0, 1}, {}, true, {{"D9000 ", "0"}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CHOXMonDevStat* object = DevStat(c.model, c.fileRegisters, c.settings, CPoint(40, 60));
        object->SetValues(c.read, c.sixteenBit);
        for (int zoom : {100, 200}) {
            SCOPED_TRACE(zoom);
            const Drawn d = DrawOf(*object, zoom);
            ASSERT_EQ(d.rects.size(), c.rows.size());
            std::size_t text = 0;
            for (std::size_t row = 0; row < c.rows.size(); ++row) {
                SCOPED_TRACE(row);
                const int top = 60 + 20 * static_cast<int>(row);
                EXPECT_EQ(Box(d.rects[row]), QRect(40 + 65, top, 80, 20));
                EXPECT_EQ(d.rects[row].brush.color(), kWhite);
                if (*c.rows[row].first == '\0') continue;
                ASSERT_LT(text + 1, d.texts.size());
                const Drawn::Text& label = d.texts[text++];
                const Drawn::Text& value = d.texts[text++];
                EXPECT_EQ(label.text.toStdString(), c.rows[row].first);
                EXPECT_EQ(label.origin, QPoint(40, top));
                EXPECT_EQ(value.text.toStdString(), c.rows[row].second);
                EXPECT_EQ(value.origin, QPoint(40 + 143 - value.width, top + 2)) << "right-aligned";
            }
            EXPECT_EQ(text, d.texts.size()) << "nothing written in an empty box";
        }
    }
}

TEST_F(MonObjFacesTest, DevStatTextsAreBoldLinePrinterAndItsDragShowsTheDottedOutlineOnly)
{
    CHOXMonDevStat* object = DevStat(ctype::kTwoAxes, 0, {0, SV::kD, 0, 0, 0, 4}, CPoint(10, 10));
    Drawn d = DrawOf(*object);
    ASSERT_FALSE(d.texts.empty());
    for (const auto& t : d.texts) {
        EXPECT_EQ(t.font.pixelSize(), CHOXMonObj::TextFont().pixelSize());
        EXPECT_EQ(t.font.weight(), QFont::Bold);
        EXPECT_EQ(t.font.styleHint(), QFont::TypeWriter);
    }
    object->m_nDragging = 1;
    d = DrawOf(*object);
    ASSERT_EQ(d.rects.size(), 1u);
    EXPECT_TRUE(d.texts.empty());
    EXPECT_EQ(d.rects[0].pen.style(), Qt::DotLine);
    EXPECT_EQ(d.rects[0].brush.style(), Qt::NoBrush);
    EXPECT_EQ(Box(d.rects[0]), QRect(10, 10, 144, 80));
}

// ---------------------------------------------------------------------------
// Manual input status

TEST_F(MonObjFacesTest, ManualInputsShowOneColumnOfLampsPerAxis)
{
    for (std::int32_t model : {ctype::kOneAxis, ctype::kTwoAxes, ctype::kInterpolated}) {
        SCOPED_TRACE(model);
        NewDocument(model);
        auto owned = std::make_unique<CHOXMonManInputStat>(Monitor());
        CHOXMonManInputStat& object = *owned;
        object.SetId(monid::kManInputStat);
        object.m_position = CHOXDrawObj::Shifted(object.GetRect(), 15, 25);
        Monitor()->AddMonObj(std::move(owned));
        // Only exactly 1 is on.
        object.SetInputs(axis::kX, 1, 0, 1, 0, 2, 1);
        object.SetInputs(axis::kY, 0, 1, 0, 0, 1, -1);
        const bool twoAxes = model != ctype::kOneAxis;
        EXPECT_EQ(object.GetRect(), CRect(25, 35, twoAxes ? 175 : 95, 175));
        for (int zoom : {100, 200}) {
            SCOPED_TRACE(zoom);
            const Drawn d = DrawOf(object, zoom);
            struct Column {
                int left;
                const char* header;
                const char* lamps;
            };
            std::vector<Column> columns = {{25, "X-axis", "ycyccy"}};
            if (twoAxes) columns.push_back({105, "Y-axis", "cyccyc"});
            ASSERT_EQ(d.rects.size(), 6 * columns.size());
            ASSERT_EQ(d.texts.size(), 7 * columns.size());
            const char* names[] = {"DOG", "START", "STOP", "ZRN", "FWD", "RVS"};
            for (std::size_t col = 0; col < columns.size(); ++col) {
                const Column& c = columns[col];
                const Drawn::Text& header = d.texts[7 * col];
                EXPECT_EQ(header.text.toStdString(), c.header);
                EXPECT_EQ(header.origin, QPoint(c.left + (70 - header.width) / 2, 35));
                for (int i = 0; i < 6; ++i) {
                    SCOPED_TRACE(names[i]);
                    const auto& box = d.rects[6 * col + std::size_t(i)];
                    EXPECT_EQ(Box(box), QRect(c.left, 55 + 20 * i, 70, 20));
                    EXPECT_EQ(box.brush.color(), c.lamps[i] == 'y' ? kYellow : kCyan);
                    const Drawn::Text& name = d.texts[7 * col + 1 + std::size_t(i)];
                    EXPECT_EQ(name.text.toStdString(), names[i]);
                    EXPECT_EQ(name.origin, QPoint(c.left + (70 - name.width) / 2, 55 + 20 * i + 2));
                    EXPECT_EQ(name.font.pixelSize(), CHOXMonObj::TextFont().pixelSize());
                    EXPECT_EQ(name.font.weight(), QFont::Bold);
                }
            }
        }
        object.m_nDragging = 1;
        const Drawn dragged = DrawOf(object);
        ASSERT_EQ(dragged.rects.size(), 1u);
        EXPECT_EQ(dragged.rects[0].pen.style(), Qt::DotLine);
        EXPECT_TRUE(dragged.texts.empty());
    }
}

// ---------------------------------------------------------------------------
// Manual operation buttons

TEST_F(MonObjFacesTest, ButtonsAreRaisedOrPressedWithTheirLabelCentred)
{
    struct Case {
        std::int32_t index;
        bool pressed;
        CRect bounds;
    };
    const Case cases[] = {
        {0, false, {10, 10, 70, 40}},
        {2, true, {10, 10, 70, 40}},
        {12, false, {100, 50, 200, 90}},
        {12, true, {100, 50, 200, 90}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.index) + (c.pressed ? " pressed" : " raised"));
        NewDocument(ctype::kTwoAxes);
        auto owned = std::make_unique<CHOXMonManOpern>(c.index, Monitor());
        CHOXMonManOpern& button = *owned;
        button.SetId(monid::ManOpernId(c.index));
        button.m_position = c.bounds;
        button.SetPressed(c.pressed);
        Monitor()->AddMonObj(std::move(owned));
        QString label;
        CHOXMonManOpern::GetButtonName(c.index, label);
        const CRect& r = c.bounds;
        for (int zoom : {100, 200}) {
            SCOPED_TRACE(zoom);
            const Drawn d = DrawOf(button, zoom);
            // The grey face, and a dotted frame 5 inside a pressed one.
            ASSERT_EQ(d.rects.size(), c.pressed ? 2u : 1u);
            EXPECT_EQ(Box(d.rects[0]), QRect(r.left, r.top, r.Width(), r.Height()));
            EXPECT_EQ(d.rects[0].brush.color(), kGrey);
            if (c.pressed) {
                EXPECT_EQ(Box(d.rects[1]), QRect(r.left + 5, r.top + 5, r.Width() - 10, r.Height() - 10));
                EXPECT_EQ(d.rects[1].pen.style(), Qt::DotLine);
                EXPECT_EQ(d.rects[1].brush.style(), Qt::NoBrush);
            }
            // Black right and bottom; top and left white when raised, black
            // when pressed; each 3 units wide.
            ASSERT_EQ(d.lines.size(), 4u);
            const QColor upper = c.pressed ? QColor(Qt::black) : kWhite;
            const std::vector<std::pair<QLineF, QColor>> edges = {
                {QLineF(r.right, r.top, r.right, r.bottom), Qt::black},
                {QLineF(r.right, r.bottom, r.left, r.bottom), Qt::black},
                {QLineF(r.right - 3, r.top, r.left, r.top), upper},
                {QLineF(r.left, r.top, r.left, r.bottom), upper},
            };
            for (std::size_t i = 0; i < edges.size(); ++i) {
                SCOPED_TRACE(i);
                EXPECT_EQ(d.lines[i].line, edges[i].first);
                EXPECT_EQ(d.lines[i].pen.color(), edges[i].second);
                EXPECT_DOUBLE_EQ(d.lines[i].pen.widthF(), 3.0);
            }
            ASSERT_EQ(d.texts.size(), 1u);
            const Drawn::Text& t = d.texts[0];
            EXPECT_EQ(t.text, label);
            EXPECT_EQ(t.origin, QPoint(r.left + (r.Width() - t.width) / 2, r.top + 8));
            EXPECT_EQ(t.font.pixelSize(), 14);
            EXPECT_EQ(t.font.weight(), QFont::Bold);
            EXPECT_TRUE(t.font.families().contains(QStringLiteral("Liberation Serif")));
        }
    }
}
