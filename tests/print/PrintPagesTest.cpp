// The flow-chart and monitor pages of a print run, drawn on a recording
// page: which object, wire segment, jump end and node lands on which tile
// and where, the sheet frame of each tile, and the monitor window's passes,
// its line shapes cut to the tiles and automatic scale.
#include "app/PaletteTools.h"
#include "chart/ChartFixture.h"
#include "chart/HOXJumpEndBase.h"
#include "chart/HOXLine.h"
#include "chart/RecordingPainter.h"
#include "online/monitor/HOXMonObj.h"
#include "online/monitor/HOXMonProgInfo.h"
#include "online/monitor/HOXMonWnd.h"
#include "online/monitor/MonObjIds.h"
#include "platform/Archive.h"
#include "platform/PrintDialog.h"
#include "print/HOXPrintJob.h"
#include "res/CommandIds.h"

#include <array>
#include <map>
#include <set>

using namespace kt::test;

namespace {

// An object that outlines its bounds and notes, in the order drawn, its id.
class Probe : public CHOXDrawObj {
public:
    Probe(DWORD id, const CRect& r, CHOXWnd* wnd, std::vector<DWORD>* log) : CHOXDrawObj(r, wnd), m_log(log)
    {
        SetId(id);
    }
    void Draw(CDC* pDC) override
    {
        if (m_log != nullptr) m_log->push_back(GetId());
        pDC->Rectangle(m_position);
    }

private:
    std::vector<DWORD>* m_log;
};

// A monitor object of the test; one that widens itself as it draws, as the
// program-information object sets its right edge to its text.
class ProbeMonObj : public CHOXMonObj {
public:
    ProbeMonObj(DWORD id, const CRect& r, CHOXWnd* wnd, std::vector<DWORD>* log, bool widens = false)
        : CHOXMonObj(wnd), m_log(log), m_widens(widens)
    {
        SetId(id);
        m_position = r;
    }
    void Draw(CDC* pDC) override
    {
        if (m_log != nullptr) m_log->push_back(GetId());
        if (m_widens) m_position.right += 30;
        pDC->Rectangle(m_position);
    }

private:
    std::vector<DWORD>* m_log;
    bool m_widens;
};

// The rectangle a CDC::Rectangle of the default pen was given.
CRect Outline(const RecordingPaintEngine::Shape& s)
{
    const QRect r = s.rect.adjusted(-0.5, -0.5, 0.5, 0.5).toRect();
    return CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

// The drawing rectangle is 200 by 100 units at (40, 20), the margins' size:
// a sheet of 500 by 300 is three tiles wide and three high.
class PrintPagesTest : public ChartFixture {
protected:
    PrintPagesTest() : painter(&device), dc(painter, true), job(&doc)
    {
        job.m_nMarginLeft = 40;
        job.m_nMarginTop = 20;
        info.m_rectDraw = CRect(40, 20, 240, 120);
        wnd->GetBaseRect()->m_position = CRect(0, 0, 500, 300);
        doc.GetMonWnd()->GetBaseRect()->m_position = CRect(0, 0, 500, 300);
    }

    // Where a sheet point of tile (c, r) lands on its page.
    static CPoint Offset(int page)
    {
        const int c = (page - 1) % 3 + 1;
        const int r = (page - 1) / 3 + 1;
        return CPoint(40 - 200 * (c - 1), 20 - 100 * (r - 1));
    }
    static CRect OnPage(const CRect& r, int page)
    {
        const CPoint o = Offset(page);
        return CRect(r.left + o.x, r.top + o.y, r.right + o.x, r.bottom + o.y);
    }

    void Clear()
    {
        RecordingPaintEngine& e = device.Record();
        e.rects.clear();
        e.lines.clear();
        e.texts.clear();
        e.ellipses.clear();
        e.paths.clear();
        e.images.clear();
        log.clear();
    }
    RecordingPaintEngine& FlowPage(UINT page)
    {
        Clear();
        info.m_nCurPage = page;
        job.DrawFlowChartPage(&dc, &info, wnd);
        return device.Record();
    }
    RecordingPaintEngine& MonitorPage(UINT page)
    {
        Clear();
        info.m_nCurPage = page;
        job.DrawMonitorPage(&dc, &info);
        return device.Record();
    }
    // The outlines drawn after the white fill and the sheet frame.
    std::vector<CRect> ObjectOutlines()
    {
        std::vector<CRect> out;
        const auto& rects = device.Record().rects;
        for (std::size_t i = 2; i < rects.size(); ++i) out.push_back(Outline(rects[i]));
        return out;
    }
    // The lines drawn: x1, y1, x2, y2.
    using Segment = std::array<int, 4>;
    static std::set<Segment> Lines(const RecordingPaintEngine& e)
    {
        std::set<Segment> out;
        for (const auto& l : e.lines) {
            const QPoint a = l.line.p1().toPoint(), b = l.line.p2().toPoint();
            out.insert({a.x(), a.y(), b.x(), b.y()});
        }
        return out;
    }

    void AddProbe(DWORD id, const CRect& r) { wnd->AddObject(std::make_unique<Probe>(id, r, wnd, &log)); }
    CHOXConnect* AddSegment(DWORD id, CPoint a, CPoint b)
    {
        auto wire = std::make_unique<CHOXConnect>(CRect(a.x, a.y, b.x, b.y), wnd);
        wire->SetId(id);
        CHOXConnect* raw = wire.get();
        wnd->AddConnect(std::move(wire));
        return raw;
    }

    RecordingPaintDevice device;
    QPainter painter;
    CDC dc;
    CHOXPrintJob job;
    CPrintInfo info;
    std::vector<DWORD> log;
};

TEST_F(PrintPagesTest, AnObjectIsOnTheTilesThatHoldOneOfItsCorners)
{
    const struct {
        const char* name;
        CRect rect;
        std::set<int> pages;
    } cases[] = {
        {"straddling the corner of four tiles", CRect(190, 90, 230, 130), {1, 2, 4, 5}},
        {"larger than a tile: not on the tiles it only covers", CRect(10, 10, 490, 290), {1, 3, 7, 9}},
        {"at the sheet's left edge on the second row", CRect(0, 150, 20, 170), {4}},
        {"on the sheet's last unit", CRect(480, 280, 500, 300), {9}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        wnd->GetObjectMap().RemoveAll();
        AddProbe(1, c.rect);
        for (int page = 1; page <= 9; ++page) {
            FlowPage(page);
            const std::vector<CRect> drawn = ObjectOutlines();
            if (c.pages.count(page) == 0) {
                EXPECT_TRUE(drawn.empty()) << "page " << page;
                continue;
            }
            ASSERT_EQ(drawn.size(), 1u) << "page " << page;
            EXPECT_EQ(drawn[0], OnPage(c.rect, page)) << "page " << page;
            // Printing draws through a moved device context: the object
            // keeps its bounds.
            EXPECT_EQ(wnd->LookupObject(1)->GetRect(), c.rect);
        }
    }
}

TEST_F(PrintPagesTest, AWireSegmentIsOnEveryTileItCrosses)
{
    const struct {
        const char* name;
        CPoint a, b;
        std::set<int> pages;
    } cases[] = {
        {"across the first row", {50, 50}, {450, 50}, {1, 2, 3}},
        // Ends within a margin's width of the tile they cross: counted from
        // the sheet, the tile's edges are where its points' tiles end.
        {"from just before the second column's edge", {190, 60}, {420, 60}, {1, 2, 3}},
        {"from just above the second row's edge", {300, 90}, {300, 210}, {2, 5, 8}},
        {"down the last column only", {450, 20}, {450, 280}, {3, 6, 9}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        wnd->GetConnectMap().RemoveAll();
        AddSegment(1, c.a, c.b);
        for (int page = 1; page <= 9; ++page) {
            const auto lines = Lines(FlowPage(page));
            if (c.pages.count(page) == 0) {
                EXPECT_TRUE(lines.empty()) << "page " << page;
                continue;
            }
            const CPoint o = Offset(page);
            EXPECT_EQ(lines, (std::set<Segment>{{c.a.x + o.x, c.a.y + o.y, c.b.x + o.x, c.b.y + o.y}}))
                << "page " << page;
        }
    }
    // Black and one unit wide.
    const auto& line = FlowPage(1).lines.front();
    EXPECT_EQ(line.pen.color(), QColor(Qt::black));
    EXPECT_EQ(line.pen.widthF(), 1.0);
}

TEST_F(PrintPagesTest, JumpEndsAndNodesArePlacedLikeObjects)
{
    CHOXConnect* wire = AddSegment(1, {100, 50}, {300, 50});
    wire->SetJumpEnd(CHOXJumpEndBase::Make(5, CRect(295, 45, 305, 55), wnd));
    ASSERT_NE(wire->GetJumpEnd(), nullptr);
    wnd->AddNode(std::make_unique<CHOXNode>(7, CRect(395, 95, 405, 105), 1, wnd));

    // The jump end on tile 2 alone; the node on the four tiles at its
    // corners.
    std::map<int, std::pair<bool, int>> seen;
    for (int page = 1; page <= 9; ++page) {
        RecordingPaintEngine& e = FlowPage(page);
        const bool jumpEnd = std::any_of(e.rects.begin(), e.rects.end(), [&](const auto& s) {
            return Outline(s) == OnPage(CRect(295, 45, 305, 55), page);
        });
        int nodes = 0;
        for (const auto& ellipse : e.ellipses)
            if (ellipse.rect.adjusted(-0.5, -0.5, 0.5, 0.5).toRect() ==
                QRect(OnPage(CRect(395, 95, 405, 105), page).left, OnPage(CRect(395, 95, 405, 105), page).top, 10, 10))
                ++nodes;
        seen[page] = {jumpEnd, nodes};
    }
    for (int page = 1; page <= 9; ++page) {
        EXPECT_EQ(seen[page].first, page == 2) << "page " << page;
        EXPECT_EQ(seen[page].second, page == 2 || page == 3 || page == 5 || page == 6 ? 1 : 0) << "page " << page;
    }
}

TEST_F(PrintPagesTest, TheSheetFrameIsCutOnTheLastColumnAndRow)
{
    wnd->GetBaseRect()->m_position = CRect(0, 0, 500, 250);
    wnd->SetBaseColor(RGB(200, 230, 255));
    const struct {
        int page;
        CRect frame;
    } cases[] = {
        {1, CRect(40, 20, 240, 120)},
        {3, CRect(40, 20, 140, 120)},
        {8, CRect(40, 20, 240, 70)},
        {9, CRect(40, 20, 140, 70)},
    };
    for (const auto& c : cases) {
        const auto& rects = FlowPage(c.page).rects;
        ASSERT_GE(rects.size(), 2u);
        // White over what the page may draw, then the frame in the base
        // colour.
        EXPECT_EQ(rects[0].brush.color(), QColor(Qt::white));
        EXPECT_EQ(Outline(rects[1]), c.frame) << "page " << c.page;
        EXPECT_EQ(rects[1].brush.color(), QColor(200, 230, 255));
    }

    // Without the base colour: a black outline of one unit.
    job.m_bPrintBaseColor = 0;
    const auto& outline = FlowPage(9).rects[1];
    EXPECT_EQ(outline.brush.style(), Qt::NoBrush);
    EXPECT_EQ(outline.pen.color(), QColor(Qt::black));
    EXPECT_EQ(outline.pen.widthF(), 1.0);

    // A sheet smaller than the drawing rectangle is one page, framed at its
    // own size.
    wnd->GetBaseRect()->m_position = CRect(0, 0, 150, 80);
    EXPECT_EQ(Outline(FlowPage(1).rects[1]), CRect(40, 20, 190, 100));
}

TEST_F(PrintPagesTest, ObjectsAreDrawnInTheReverseOfTheMapsOrder)
{
    // Ids 1 and 272 share the map's first bucket, the newer first; 16 is in
    // the next: the map holds 272, 1, 16.
    for (DWORD id : {1u, 16u, 272u}) AddProbe(id, CRect(10, 10, 30, 30));
    FlowPage(1);
    EXPECT_EQ(log, (std::vector<DWORD>{16, 1, 272}));

    // The monitor window: OLE items, monitor objects, shapes, then the
    // object map, each in the reverse of its map's order.
    CHOXMonWnd* monitor = doc.GetMonWnd();
    for (DWORD id : {1u, 16u})
        monitor->AddOleObject(std::make_unique<Probe>(100 + id, CRect(10, 10, 30, 30), monitor, &log));
    for (DWORD id : {20u, 36u})
        monitor->AddMonObj(std::make_unique<ProbeMonObj>(id, CRect(10, 10, 30, 30), monitor, &log));
    for (DWORD id : {1u, 16u})
        monitor->AddShape(std::make_unique<Probe>(200 + id, CRect(10, 10, 30, 30), monitor, &log));
    for (DWORD id : {1u, 16u})
        monitor->AddObject(std::make_unique<Probe>(300 + id, CRect(10, 10, 30, 30), monitor, &log));
    MonitorPage(1);
    EXPECT_EQ(log, (std::vector<DWORD>{116, 101, 36, 20, 216, 201, 316, 301}));
}

TEST_F(PrintPagesTest, AMonitorObjectThatSetsItsBoundsWhileDrawingGetsThemBack)
{
    CHOXMonWnd* monitor = doc.GetMonWnd();
    monitor->AddMonObj(std::make_unique<ProbeMonObj>(18, CRect(190, 10, 230, 30), monitor, &log, true));
    for (int page : {1, 2}) {
        MonitorPage(page);
        ASSERT_EQ(log.size(), 1u) << page;
        EXPECT_EQ(monitor->LookupMonObj(18)->GetRect(), CRect(190, 10, 230, 30));
    }
}

TEST_F(PrintPagesTest, AMonitorObjectSpanningATileIsOnIt)
{
    // Wider than the middle column with no corner on it: on the tile it
    // spans, not on the one below it meets nowhere.
    CHOXMonWnd* monitor = doc.GetMonWnd();
    monitor->AddShape(std::make_unique<Probe>(1, CRect(150, 40, 450, 60), monitor, &log));
    std::set<int> pages;
    for (int page = 1; page <= 9; ++page) {
        MonitorPage(page);
        if (!log.empty()) pages.insert(page);
    }
    EXPECT_EQ(pages, (std::set<int>{1, 2, 3}));
}

TEST_F(PrintPagesTest, AMonitorLineShapeIsPrintedPieceByPieceOnEachTile)
{
    CHOXMonWnd* monitor = doc.GetMonWnd();
    auto line = std::make_unique<CHOXLine>(CRect(150, 50, 450, 250), monitor);
    line->SetId(1);
    line->SetLineWidth(3);
    line->SetLineColor(RGB(0, 0, 255));
    monitor->AddShape(std::move(line));
    // A tile with an end shows the whole line (the page's clip cuts it),
    // one it passes through the part inside it.
    const std::map<int, std::pair<QPoint, QPoint>> expected = {
        {1, {QPoint(150, 50), QPoint(450, 250)}},  {2, {QPoint(200, 83), QPoint(225, 100)}},
        {5, {QPoint(225, 100), QPoint(375, 200)}}, {8, {QPoint(375, 200), QPoint(400, 217)}},
        {9, {QPoint(150, 50), QPoint(450, 250)}},
    };
    for (int page = 1; page <= 9; ++page) {
        const RecordingPaintEngine& e = MonitorPage(page);
        const auto it = expected.find(page);
        if (it == expected.end()) {
            EXPECT_TRUE(e.lines.empty()) << "page " << page;
            continue;
        }
        ASSERT_EQ(e.lines.size(), 1u) << "page " << page;
        const CPoint o = Offset(page);
        EXPECT_EQ(e.lines[0].line.p1().toPoint(), it->second.first + QPoint(o.x, o.y)) << "page " << page;
        EXPECT_EQ(e.lines[0].line.p2().toPoint(), it->second.second + QPoint(o.x, o.y)) << "page " << page;
        EXPECT_EQ(e.lines[0].pen.color(), QColor(0, 0, 255));
        EXPECT_EQ(e.lines[0].pen.widthF(), 3.0);
    }
}

TEST_F(PrintPagesTest, AutoScaleDrawsTheWholeMonitorSheetMovedByTheMargins)
{
    job.m_bAutoScale = 1;
    CHOXMonWnd* monitor = doc.GetMonWnd();
    monitor->AddShape(std::make_unique<Probe>(1, CRect(400, 250, 480, 290), monitor, &log));
    monitor->AddObject(std::make_unique<Probe>(2, CRect(300, 10, 320, 30), monitor, &log));
    auto line = std::make_unique<CHOXLine>(CRect(10, 290, 490, 10), monitor);
    line->SetId(3);
    monitor->AddShape(std::move(line));
    RecordingPaintEngine& e = MonitorPage(1);
    EXPECT_EQ(Outline(e.rects[1]), CRect(40, 20, 540, 320));
    const std::vector<CRect> drawn = ObjectOutlines();
    EXPECT_EQ(drawn, (std::vector<CRect>{CRect(440, 270, 520, 310), CRect(340, 30, 360, 50)}));
    // The line by its own drawing, not cut to a tile.
    ASSERT_EQ(e.lines.size(), 1u);
    EXPECT_NEAR(e.lines[0].line.p1().x(), 50, 1);
    EXPECT_NEAR(e.lines[0].line.p2().x(), 530, 1);
}

// Printing moves the device context, never the objects: every page of a
// chart with symbols of each family, wires, a node and a jump end, and of a
// monitor window whose object sets its own bounds, leaves the document as it
// was, stored bytes and modified flag alike.
TEST_F(PrintPagesTest, PrintingLeavesTheDocumentAsItWas)
{
    DWORD id = 0;
    for (UINT tool : {ID_TOOL_FLOW_START, ID_TOOL_CODE_DRV, ID_TOOL_FUNC_MOVE, ID_TOOL_FLOW_CJUMP, ID_TOOL_FLOW_END}) {
        std::unique_ptr<CHOXSymbol> symbol = MakeToolSymbol(tool, CPoint(60 + 90 * LONG(id), 80 + 40 * LONG(id)), wnd);
        ASSERT_NE(symbol, nullptr);
        symbol->SetId(id++);
        wnd->AddObject(std::move(symbol));
    }
    CHOXConnect* wire = Wire(0, 1, 1, 2);
    Wire(1, 2, 1, 3);
    ASSERT_NE(NodeOn(wire), nullptr);
    AddSegment(5, {20, 290}, {480, 290})->SetJumpEnd(CHOXJumpEndBase::Make(0, CRect(475, 285, 485, 295), wnd));
    CHOXMonWnd* monitor = doc.GetMonWnd();
    // The program information sets its own right edge as it draws.
    auto info = std::make_unique<CHOXMonProgInfo>(monitor);
    info->SetId(monid::kProgInfo);
    info->m_position = CRect(190, 90, 260, 130);
    monitor->AddMonObj(std::move(info));
    auto line = std::make_unique<CHOXLine>(CRect(10, 10, 490, 290), monitor);
    line->SetId(1);
    monitor->AddShape(std::move(line));
    doc.SetModifiedFlag(false);
    auto stored = [this] {
        CArchive ar;
        doc.Serialize(ar);
        return ar.Buffer();
    };
    const QByteArray before = stored();

    for (int autoScale : {0, 1}) {
        job.m_bAutoScale = autoScale;
        for (UINT page = 1; page <= 9; ++page) {
            FlowPage(page);
            MonitorPage(page);
        }
    }
    EXPECT_EQ(stored(), before);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(PrintPagesTest, TilesAreNumberedRowByRow)
{
    const struct {
        UINT index, columns, rows;
        CPoint position;
    } cases[] = {
        {1, 3, 3, {1, 1}}, {3, 3, 3, {3, 1}}, {4, 3, 3, {1, 2}},
        {9, 3, 3, {3, 3}}, {5, 1, 5, {1, 5}}, {0, 3, 3, {3, 3}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CHOXPrintJob::GetPagePosition(c.index, c.columns, c.rows), c.position) << c.index;
}

} // namespace
