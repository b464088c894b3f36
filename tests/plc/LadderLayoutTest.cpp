// Where ladder elements stand: each kind's lines, boxes, ellipses, texts and
// pen advance with a fixed-width measure, the box widths, lower rows,
// ignored kinds and scrolling.
#include "plc/LadderLayout.h"

#include "LadderTestSupport.h"

#include <gtest/gtest.h>

#include <ostream>

using kt::test::LadderRow;
using kt::test::MakeLadder;
using kt::test::MakeRow;
using ladder::Primitive;
using Shape = ladder::Primitive::Shape;

namespace ladder {
static void PrintTo(const Primitive& p, std::ostream* os)
{
    static const char* const kNames[] = {"line", "rect", "ellipse", "text"};
    *os << kNames[static_cast<int>(p.shape)] << " (" << p.a.x << "," << p.a.y << ")";
    if (p.shape == Shape::Text) {
        *os << " \"" << p.text.toStdString() << "\"";
    } else {
        *os << "-(" << p.b.x << "," << p.b.y << ")";
    }
}
} // namespace ladder
static void PrintTo(const CPoint& p, std::ostream* os) { *os << "(" << p.x << "," << p.y << ")"; }

namespace {

// "5" is 7 wide, a blank 2, every other character 6: the rules that measure
// one character as another show in the widths.
int Width(const QString& text)
{
    int sum = 0;
    for (const QChar c : text) sum += c == u'5' ? 7 : c == u' ' ? 2 : 6;
    return sum;
}

Primitive L(int x1, int y1, int x2, int y2) { return {Shape::Line, {x1, y1}, {x2, y2}, {}}; }
Primitive R(int x1, int y1, int x2, int y2) { return {Shape::Rectangle, {x1, y1}, {x2, y2}, {}}; }
Primitive E(int x1, int y1, int x2, int y2) { return {Shape::Ellipse, {x1, y1}, {x2, y2}, {}}; }
Primitive T(int x, int y, const char* text) { return {Shape::Text, {x, y}, {x, y}, QString::fromLatin1(text)}; }

ladder::Layout LayOut(const LadderBlockList& blocks, int scroll = 0) { return ladder::LayOut(blocks, Width, scroll); }

} // namespace

TEST(LadderLayout, EveryKindFromThePenAt100And50)
{
    struct Case {
        int kind;
        const char* text;
        std::vector<Primitive> drawn;
        CPoint pen;
    };
    const Case cases[] = {
        {1, "", {L(100, 34, 100, 66), L(100, 50, 108, 50)}, {108, 50}},
        {2, "", {L(100, 50, 108, 50), L(108, 34, 108, 66)}, {108, 66}},
        {3, "", {L(100, 50, 100, 82), L(100, 82, 108, 82)}, {108, 82}},
        {4, "", {L(100, 50, 108, 50), L(108, 50, 108, 18)}, {108, 18}},
        {5,
         "M8000",
         {L(100, 50, 108, 50), L(108, 42, 108, 58), T(108, 26, "M8000"), L(116, 42, 116, 58), L(116, 50, 127, 50)},
         {127, 50}},
        // Width of "K4 " with its blank as "5": 6 + 6 + 7, plus 10.
        {6, "K4 ", {R(100, 42, 129, 58), T(105, 43, "K4 ")}, {129, 50}},
        {6, "", {R(100, 42, 115, 58)}, {115, 50}},
        // "= D1 K5" with digits and blanks as "5": 46 wide, the box closes
        // at 100 + 46 + 13; its 8-pixel tail is not counted.
        {7,
         "= D1 K5",
         {L(100, 50, 108, 50), L(108, 42, 108, 58), L(108, 42, 112, 42), L(108, 58, 112, 58), T(116, 46, "= D1 K5"),
          L(159, 42, 159, 58), L(159, 42, 155, 42), L(159, 58, 155, 58), L(159, 50, 167, 50)},
         {159, 50}},
        {7,
         "",
         {L(100, 50, 108, 50), L(108, 42, 108, 58), L(108, 42, 112, 42), L(108, 58, 112, 58), L(132, 42, 132, 58),
          L(132, 42, 128, 42), L(132, 58, 128, 58), L(132, 50, 140, 50)},
         {132, 50}},
        // "M 5" measured as itself: 6 + 2 + 7, plus 10.
        {8, "M 5", {L(100, 50, 108, 50), E(108, 38, 141, 62), T(115, 43, "M 5"), L(141, 50, 149, 50)}, {141, 50}},
        {9,
         "X1",
         {L(100, 50, 108, 50), L(108, 42, 108, 58), T(108, 26, "X1"), L(116, 42, 116, 58), L(116, 50, 124, 50),
          L(105, 58, 120, 42)},
         {124, 50}},
        {10, "", {L(100, 50, 116, 50)}, {116, 50}},
        {11, "", {}, {132, 50}},
        {0, "x", {}, {100, 50}},
        {12, "x", {}, {100, 50}},
        {-1, "", {}, {100, 50}},
    };
    for (const Case& c : cases) {
        LadderBlockList blocks;
        blocks.push_back(MakeRow({{c.kind, c.text}}, 100, 50));
        const ladder::Layout layout = LayOut(blocks);
        EXPECT_EQ(layout.primitives, c.drawn) << "kind " << c.kind << " \"" << c.text << "\"";
        EXPECT_EQ(layout.pens, std::vector<CPoint>{c.pen}) << "kind " << c.kind << " \"" << c.text << "\"";
    }
}

TEST(LadderLayout, BoxWidthsMeasureSomeCharactersAsFive)
{
    using ladder::TextWidth;
    // Operand boxes: a blank counts as "5", digits as themselves.
    EXPECT_EQ(TextWidth(6, QStringLiteral("K4 "), Width), TextWidth(6, QStringLiteral("K45"), Width));
    EXPECT_EQ(TextWidth(6, QStringLiteral("K41"), Width), 18);
    // Instruction boxes: digits and blanks count as "5", so numbers of one
    // length give one width.
    EXPECT_EQ(TextWidth(7, QStringLiteral("= D1 K5"), Width), TextWidth(7, QStringLiteral("=5D55K5"), Width));
    EXPECT_EQ(TextWidth(7, QStringLiteral("= D100 K1"), Width), TextWidth(7, QStringLiteral("= D999 K7"), Width));
    // Coils measure every character as itself.
    EXPECT_EQ(TextWidth(8, QStringLiteral("M 1"), Width), 14);
    EXPECT_EQ(TextWidth(6, QString(), Width), 0);
}

TEST(LadderLayout, OneRowLadderOfTheInstructionDialog)
{
    const ladder::Layout layout = LayOut(MakeLadder({kt::test::OneRowFrom()}));
    ASSERT_EQ(layout.pens.size(), 8u);
    // The bus at x 16 on the line y 32.
    EXPECT_EQ(layout.primitives.front(), L(16, 16, 16, 48));
    EXPECT_EQ(layout.pens[0], CPoint(24, 32));
    // The contact ends at 51, where the "FROM" box starts.
    EXPECT_EQ(layout.pens[1], CPoint(51, 32));
    const auto from = std::find_if(layout.primitives.begin(), layout.primitives.end(),
                                   [](const Primitive& p) { return p.shape == Shape::Rectangle; });
    ASSERT_NE(from, layout.primitives.end());
    EXPECT_EQ(*from, R(51, 24, 51 + 4 * 6 + 10, 40));
    EXPECT_EQ(*(from + 1), T(56, 25, "FROM"));
    // The right bus ends the row 16 below its line.
    EXPECT_EQ(layout.pens.back().y, 48);
}

TEST(LadderLayout, LowerRowHangsFromItsBranchPoint)
{
    const ladder::Layout layout = LayOut(kt::test::FounSeqPage1());
    ASSERT_EQ(layout.pens.size(), 9u + 7u);
    // The second row's branch runs from (59, 32) down to (59, 64), and its
    // elements stand on the line y 64.
    const ladder::Layout lower = [] {
        LadderBlockList blocks = kt::test::FounSeqPage1();
        blocks.erase(blocks.begin());
        return LayOut(blocks);
    }();
    EXPECT_EQ(lower.primitives[0], L(59, 32, 59, 64));
    EXPECT_EQ(lower.primitives[1], L(59, 64, 67, 64));
    EXPECT_EQ(lower.pens[0], CPoint(67, 64));
    for (std::size_t i = 1; i + 1 < lower.pens.size(); ++i) EXPECT_EQ(lower.pens[i].y, 64) << i;
    EXPECT_EQ(lower.primitives[2], R(67, 56, 67 + 2 * 6 + 10, 72));
    // The first row's short line puts its branch point at 59 too.
    EXPECT_EQ(layout.pens[2], CPoint(67, 32));
}

TEST(LadderLayout, IgnoredKindsLeaveTheRestInPlace)
{
    const LadderRow plain = {{1, ""}, {5, "M1"}, {7, "= D1 K2"}, {6, "K1"}, {8, "M2"}, {2, ""}};
    const LadderRow mixed = {{1, ""},   {0, "x"}, {5, "M1"}, {12, "y"}, {7, "= D1 K2"},
                             {6, "K1"}, {99, ""}, {8, "M2"}, {2, ""}};
    EXPECT_EQ(LayOut(MakeLadder({mixed})).primitives, LayOut(MakeLadder({plain})).primitives);
}

TEST(LadderLayout, ElementsAfterABoxStartAtItsClosingEdge)
{
    const ladder::Layout layout = LayOut(MakeLadder({{{1, ""}, {7, "= D1 K5"}, {6, "K1"}, {8, "M1"}, {5, "X1"}}}));
    // Box from 24: closes at 24 + 46 + 13 = 83; the operand box starts there.
    EXPECT_EQ(layout.pens[1], CPoint(83, 32));
    EXPECT_EQ(layout.pens[2], CPoint(83 + 22, 32));
    // The coil's pen stops at its ellipse; the contact starts there.
    EXPECT_EQ(layout.pens[3], CPoint(105 + 22 + 16, 32));
    EXPECT_EQ(layout.primitives.back(), L(143 + 16, 32, 143 + 27, 32));
}

TEST(LadderLayout, ScrollingMovesEveryRowUpSixPixelsAUnit)
{
    const LadderBlockList blocks = kt::test::FounSeqPage1();
    const ladder::Layout still = LayOut(blocks);
    const ladder::Layout scrolled = LayOut(blocks, 3);
    ASSERT_EQ(scrolled.primitives.size(), still.primitives.size());
    for (std::size_t i = 0; i < still.primitives.size(); ++i) {
        Primitive moved = still.primitives[i];
        moved.a.y -= 18;
        moved.b.y -= 18;
        EXPECT_EQ(scrolled.primitives[i], moved) << i;
    }
    // Horizontal positions do not follow any scrolling.
    EXPECT_EQ(scrolled.pens.back().x, still.pens.back().x);
    EXPECT_EQ(LayOut(blocks, -1).primitives.front().a.y, still.primitives.front().a.y + 6);
}
