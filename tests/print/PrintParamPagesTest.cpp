// The parameter-information pages on a recording page at 100 %: titles,
// heads, columns, rows and footers in group and in number order, for one axis
// and two, and what taller or shorter paper does to them.
#include "app/HOXDoc.h"
#include "chart/RecordingPainter.h"
#include "params/HOXParam.h"
#include "platform/PrintDialog.h"
#include "print/HOXPrintJob.h"
#include "support/Scripted.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace kt::test;

namespace {

struct Placed {
    QString text;
    QPoint at;
    bool operator==(const Placed& o) const { return text == o.text && at == o.at; }
};
void PrintTo(const Placed& p, std::ostream* os)
{
    *os << '"' << p.text.toStdString() << "\" at " << p.at.x() << ',' << p.at.y();
}

class PrintParamPagesTest : public ::testing::Test {
protected:
    PrintParamPagesTest() : painter(&device), dc(painter, true), job(&doc)
    {
        dc.SelectFont(CHOXPrintJob::MakePrintFont());
        // The test page's drawing rectangle at 100 %.
        info.m_rectDraw = CRect(41, 27, 559, 813);
    }

    // Counts as a run in the order does, then draws page n of the
    // parameter information.
    void Count(bool groupOrder, bool preview = false)
    {
        job.m_bGroupOrder = groupOrder ? 1 : 0;
        info.m_bPreview = preview;
        job.CountParameterPages(&dc, &info);
    }
    std::vector<Placed> Page(UINT n)
    {
        RecordingPaintEngine& e = device.Record();
        e.texts.clear();
        e.lines.clear();
        info.m_nCurPage = n;
        job.PrintParameterInfo(&dc, &info);
        std::vector<Placed> out;
        for (const auto& t : e.texts) out.push_back({t.text, device.TextOrigin(t)});
        return out;
    }
    std::set<std::array<int, 4>> Lines() const
    {
        std::set<std::array<int, 4>> out;
        for (const auto& l : const_cast<RecordingPaintDevice&>(device).Record().lines) {
            const QPoint a = l.line.p1().toPoint(), b = l.line.p2().toPoint();
            out.insert({a.x(), a.y(), b.x(), b.y()});
        }
        return out;
    }
    PARAM_ROW Row(int number) const
    {
        PARAM_ROW row{};
        doc.GetParam().GetParamRow(UINT(number), &row);
        return row;
    }

    TempSettings settings;
    CHOXDoc doc;
    RecordingPaintDevice device{TestPageMetrics()};
    QPainter painter;
    CDC dc;
    CHOXPrintJob job;
    CPrintInfo info;

    static PageMetrics TestPageMetrics() { return PageMetrics{600, 840, 200, 280, 75, 75}; }
};

// An empty text draws nothing.
void Expect(std::vector<Placed>& expected, const char* text, QPoint at)
{
    if (*text != 0) expected.push_back({QString::fromLatin1(text), at});
}

constexpr int x0 = 41;
constexpr int y0 = 27;

// The rows of the group-order pages, as the table of groups has them.
const struct GroupRows {
    int page;
    const char* group;
    std::vector<int> numbers;
} kGroups[] = {
    {1, "Unit", {0, 3, 1, 2}},
    {1, "Speed", {4, 5, 6, 8, 9, 10, 7, 13, 14}},
    {1, "Machine Zero", {15, 16, 17, 18, 19, 20}},
    {2, "Settings", {11, 12, 21, 22, 23, 24, 25, 26}},
    {2, "Program Number", {30, 31, 32, 33, 34, 35}},
    {2, "MCode", {36, 37, 38}},
    {2, "Manual Pulse Generator", {39, 40, 41, 42}},
    {3, "Absolute Position", {50, 51, 52}},
    {3, "Single Step", {53, 54, 56}},
    {3, "System", {100, 101, 102, 103}},
    {3, "Subtask", {104, 105, 106, 107, 108, 109, 110, 111}},
};

TEST_F(PrintParamPagesTest, GroupOrderPagesHoldTheirGroupsUnderTheHead)
{
    for (bool twoAxes : {true, false}) {
        SCOPED_TRACE(twoAxes ? "two axes" : "one axis");
        doc.SetControllerType(twoAxes ? 2 : 0);
        Count(true);
        ASSERT_EQ(job.m_nParameterPages, 3u);
        for (int page = 1; page <= 3; ++page) {
            SCOPED_TRACE(page);
            const int items = page == 2 ? 110 : 100;
            std::vector<Placed> expected = {
                {QStringLiteral("Parameter Information in Group Order"), {200, y0}},
                {QStringLiteral("Parameter Information  page %1 of 3").arg(page), {x0, 813 - 30}},
                {QStringLiteral("Parameter"), {x0 + 10, y0 + 60}},
                {QStringLiteral("Group"), {x0 + 10, y0 + 85}},
                {QStringLiteral("Items"), {x0 + items, y0 + 85}},
                {QStringLiteral("X-Axis Settings"), {x0 + 210, y0 + 85}},
            };
            if (twoAxes) {
                expected.push_back({QStringLiteral("Y-Axis Settings"), {x0 + 330, y0 + 85}});
                expected.push_back({QStringLiteral("Number"), {x0 + 450, y0 + 85}});
            } else {
                expected.push_back({QStringLiteral("Number"), {x0 + 330, y0 + 85}});
            }
            int row = 0;
            for (const GroupRows& group : kGroups) {
                if (group.page != page) continue;
                for (std::size_t i = 0; i < group.numbers.size(); ++i, ++row) {
                    const int y = y0 + 125 + 25 * row - 15;
                    const PARAM_ROW p = Row(group.numbers[i]);
                    if (i == 0) expected.push_back({QString::fromLatin1(group.group), {x0 + 10, y}});
                    Expect(expected, p.name, {x0 + items, y});
                    Expect(expected, p.xText, {x0 + 210, y});
                    if (twoAxes) Expect(expected, p.yText, {x0 + 330, y});
                    expected.push_back({QString::number(group.numbers[i]), {x0 + (twoAxes ? 450 : 330), y}});
                }
            }
            EXPECT_EQ(Page(UINT(page)), expected);
        }
    }
    EXPECT_EQ(QString::fromLatin1(Row(0).name), QStringLiteral("System of Unit"));
}

TEST_F(PrintParamPagesTest, GroupOrderColumnsEndAtTheLastRowAndNarrowForOneAxis)
{
    const struct {
        int type;
        int page;
        std::vector<int> columns; // x of the inner columns
        int right;
        int bottom;
    } cases[] = {
        {2, 1, {90, 200, 320, 440}, 559 - 2, 575},
        {2, 2, {103, 200, 320, 440}, 559 - 2, 625},
        {2, 3, {90, 200, 320, 440}, 559 - 2, 550},
        {0, 1, {90, 200, 320}, x0 + 370, 575},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        doc.SetControllerType(c.type);
        Count(true);
        Page(UINT(c.page));
        const auto lines = Lines();
        std::set<std::array<int, 4>> verticals;
        for (const auto& l : lines)
            if (l[0] == l[2]) verticals.insert(l);
        std::set<std::array<int, 4>> expected = {{x0, y0 + 50, x0, y0 + c.bottom},
                                                 {c.right, y0 + 50, c.right, y0 + c.bottom}};
        for (int x : c.columns) expected.insert({x0 + x, y0 + 75, x0 + x, y0 + c.bottom});
        EXPECT_EQ(verticals, expected);
        for (int y : {50, 75, 100, 125}) EXPECT_EQ(lines.count({x0, y0 + y, c.right, y0 + y}), 1u) << y;
    }
}

TEST_F(PrintParamPagesTest, NumberOrderListsTwentyFiveNumbersAPageWithSpareRows)
{
    const struct {
        int page;
        int first, last;
    } pages[] = {{1, 0, 24}, {2, 24, 48}, {3, 48, 72}, {4, 72, 96}, {5, 96, 119}};
    for (bool twoAxes : {true, false}) {
        SCOPED_TRACE(twoAxes ? "two axes" : "one axis");
        doc.SetControllerType(twoAxes ? 1 : 0);
        Count(false);
        ASSERT_EQ(job.m_nParameterPages, 5u);
        for (const auto& p : pages) {
            SCOPED_TRACE(p.page);
            std::vector<Placed> expected = {
                {QStringLiteral("Parameter Information in Number Order"), {200, y0}},
                {QStringLiteral("Parameter Information  page %1 of 5").arg(p.page), {x0, 813 - 12}},
                {QStringLiteral("Parameter"), {x0 + 10, y0 + 60}},
                {QStringLiteral("Number"), {x0 + 10, y0 + 85}},
                {QStringLiteral("Items"), {x0 + 50, y0 + 85}},
                {QStringLiteral("X-Axis Settings"), {x0 + 160, y0 + 85}},
            };
            if (twoAxes) expected.push_back({QStringLiteral("Y-Axis Settings"), {x0 + 280, y0 + 85}});
            for (int number = p.first; number <= p.last; ++number) {
                const int y = y0 + 125 + 25 * (number - p.first) - 15;
                const PARAM_ROW r = Row(number);
                expected.push_back({QString::number(number), {x0 + 10, y}});
                Expect(expected, r.name, {x0 + 50, y});
                Expect(expected, r.xText, {x0 + 160, y});
                if (twoAxes) Expect(expected, r.yText, {x0 + 280, y});
            }
            EXPECT_EQ(Page(UINT(p.page)), expected);
            const int bottom = y0 + (p.page <= 4 ? 725 : 700);
            const auto lines = Lines();
            EXPECT_EQ(lines.count({x0 + 270, y0 + (twoAxes ? 75 : 50), x0 + 270, bottom}), 1u);
            EXPECT_EQ(lines.count({x0 + 400, y0 + 50, x0 + 400, bottom}), twoAxes ? 1u : 0u);
        }
    }
    // Numbers without a parameter.
    for (int number : {27, 28, 29, 43, 49, 55, 57, 99, 112, 119})
        EXPECT_EQ(QString::fromLatin1(Row(number).name), QStringLiteral("Spare")) << number;
}

// The page counts assume 25 rows under the head: taller paper leaves the
// later groups out, shorter paper adds pages of title, head and footer.
TEST_F(PrintParamPagesTest, TallerAndShorterPaperKeepTheFixedLayout)
{
    doc.SetControllerType(2);
    auto numbersOn = [this](UINT page) {
        std::set<QString> numbers;
        for (const Placed& p : Page(page))
            if (p.at.x() == x0 + 450 && p.at.y() > y0 + 100) numbers.insert(p.text);
        return numbers;
    };
    {
        SCOPED_TRACE("taller paper");
        info.m_rectDraw = CRect(41, 27, 559, 1027);
        Count(true);
        ASSERT_EQ(job.m_nParameterPages, 2u);
        EXPECT_EQ(numbersOn(1).size(), 19u);
        EXPECT_EQ(numbersOn(2).size(), 21u);
        EXPECT_EQ(numbersOn(2).count(QStringLiteral("50")), 0u);
    }
    {
        SCOPED_TRACE("landscape");
        info.m_rectDraw = CRect(41, 27, 799, 573);
        Count(true);
        ASSERT_EQ(job.m_nParameterPages, 4u);
        EXPECT_EQ(numbersOn(3).size(), 18u);
        const std::vector<Placed> fourth = Page(4);
        ASSERT_EQ(fourth.size(), 8u);
        EXPECT_EQ(fourth[1].text, QStringLiteral("Parameter Information  page 4 of 4"));
        EXPECT_EQ(Lines().size(), 3u);

        Count(false);
        ASSERT_EQ(job.m_nParameterPages, 7u);
        int rows = 0;
        for (const Placed& p : Page(5)) rows += p.at.x() == x0 + 10 && p.at.y() > y0 + 100 ? 1 : 0;
        EXPECT_EQ(rows, 24);
        // After the fifth page: no rows, no columns.
        EXPECT_EQ(Page(6).size(), 7u);
        EXPECT_EQ(Lines().size(), 3u);
    }
}

// In preview both orders follow each other: the group pages, then the number
// pages, numbered through.
TEST_F(PrintParamPagesTest, PreviewShowsGroupOrderThenNumberOrder)
{
    doc.SetControllerType(2);
    Count(true, true);
    ASSERT_EQ(job.m_nParameterPages, 8u);
    EXPECT_EQ(Page(3).front().text, QStringLiteral("Parameter Information in Group Order"));
    const std::vector<Placed> fourth = Page(4);
    EXPECT_EQ(fourth[0].text, QStringLiteral("Parameter Information in Number Order"));
    EXPECT_EQ(fourth[1].text, QStringLiteral("Parameter Information  page 4 of 8"));
    EXPECT_EQ(fourth[7].text, QStringLiteral("0"));
    EXPECT_EQ(Page(8)[7].text, QStringLiteral("96"));
}

} // namespace
