// The chart views: zoom and the mapping, scroll ranges from the sheet,
// update hints, the symbol factory, the program font, and resizing the base
// sheet with the mouse through the view.
#include "app/HOXDoc.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXClientDC.h"
#include "chart/HOXFlowView.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXRect.h"
#include "chart/HOXUndo.h"
#include "online/monitor/HOXMonView.h"
#include "online/monitor/HOXMonWnd.h"
#include "support/MemoryViewHost.h"
#include "support/Scripted.h"

#include <gtest/gtest.h>

using kt::test::MemoryViewHost;
using kt::test::TempSettings;

namespace {
class ChartViewTest : public ::testing::Test {
protected:
    ChartViewTest()
    {
        auto chart = doc.NewFlowWindow(QStringLiteral("Flow Chart1"), QString());
        wnd = chart.get();
        doc.AddWindow(QStringLiteral("Flow Chart1"), std::move(chart));
        view.SetHost(&host);
        doc.AddView(&view);
        view.SetWnd(wnd);
        wnd->SetView(&view);
    }
    ~ChartViewTest() override { doc.RemoveView(&view); }

    TempSettings settings;
    CHOXDoc doc;
    CHOXFlowWnd* wnd = nullptr;
    MemoryViewHost host;
    CHOXFlowView view;
};
} // namespace

TEST_F(ChartViewTest, ZoomStepsAndPercentages)
{
    const struct {
        int index;
        int percent;
    } cases[] = {{0, 200}, {1, 150}, {2, 100}, {3, 75}, {4, 50}, {5, 25}, {6, 10}, {7, 7}, {150, 150},
                 // A stored step that gives no usable percentage shows 100 %.
                 {0x7FFFFFFF, 0x7FFFFFFF}, {-3, 100}};
    for (const auto& c : cases) {
        view.SetZoomIndex(c.index);
        EXPECT_EQ(view.ZoomNumX(), c.percent) << c.index;
        EXPECT_EQ(view.ZoomDenX(), 100);
    }
    view.SetZoomIndex(2);
    host.ClearRecord();
    // The same step again does not redraw but sets the scroll sizes.
    EXPECT_FALSE(view.SetZoom(100, 100, 100, 100));
    view.SetZoomIndex(2);
    EXPECT_EQ(host.invalidateAll, 0);
    EXPECT_EQ(host.scrollSizesSet, 1);
}

TEST_F(ChartViewTest, MappingWithZoomAndScroll)
{
    view.SetZoomIndex(0); // 200 %
    host.scroll = CPoint(30, 40);
    EXPECT_EQ(view.DocToClient(CPoint(100, 50)), CPoint(170, 60));
    EXPECT_EQ(view.ClientToDoc(CPoint(170, 60)), CPoint(100, 50));
    EXPECT_EQ(view.ClientToDoc(CRect(170, 60, 10, 0)), CRect(20, 20, 100, 50));
    view.SetZoomIndex(5); // 25 %
    host.scroll = CPoint();
    EXPECT_EQ(view.DocToClient(CPoint(100, 50)), CPoint(25, 13));
}

TEST_F(ChartViewTest, ScrollRangeFollowsTheSheetAndZoom)
{
    view.OnInitialUpdate();
    EXPECT_EQ(host.totalSize, CSize(515, 315));
    view.SetZoomIndex(0);
    EXPECT_EQ(host.totalSize, CSize(1030, 630));
    view.SetZoomIndex(4);
    EXPECT_EQ(host.totalSize, CSize(258, 158));

    // A tall sheet starts with its own size and a margin.
    wnd->GetBaseRect()->m_position = CRect(0, 0, 600, 400);
    CHOXFlowView other;
    MemoryViewHost otherHost;
    other.SetHost(&otherHost);
    other.SetWnd(wnd);
    other.OnInitialUpdate();
    EXPECT_EQ(otherHost.totalSize, CSize(615, 415));

    // A sheet grown to the coordinate limit (objects pasted far out) keeps
    // its range within it, whichever way the view sizes it.
    wnd->GetBaseRect()->m_position = CRect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    CHOXFlowView far;
    MemoryViewHost farHost;
    far.SetHost(&farHost);
    far.SetWnd(wnd);
    far.OnInitialUpdate();
    EXPECT_EQ(farHost.totalSize, CSize(INT32_MAX, INT32_MAX));
    far.FitScrollSizesToSheet();
    EXPECT_EQ(farHost.totalSize, CSize(INT32_MAX, INT32_MAX));
}

TEST_F(ChartViewTest, UpdateHints)
{
    auto shape = std::make_unique<CHOXRect>(CRect(10, 10, 50, 30), wnd);
    CHOXRect* raw = shape.get();
    wnd->AddObject(std::move(shape));
    view.OnUpdate(nullptr, 0, nullptr);
    EXPECT_EQ(host.invalidateAll, 1);
    EXPECT_FALSE(host.lastErase);
    host.ClearRecord();
    view.OnUpdate(nullptr, 1, raw);
    ASSERT_EQ(host.invalidated.size(), 1u);
    EXPECT_EQ(host.invalidated[0], CRect(5, 5, 55, 35));
    view.Select(raw);
    host.ClearRecord();
    view.OnUpdate(nullptr, 3, nullptr);
    EXPECT_EQ(view.GetSelectionCount(), 0u);
    EXPECT_FALSE(host.invalidated.empty());
}

TEST_F(ChartViewTest, TheSymbolFactoryMakesTheCurrentTool)
{
    const struct {
        UINT tool;
        int type;
    } cases[] = {{20101, 301}, {20102, 302}, {20103, 303}, {20104, 309}, {20105, 308}, {20106, 305},
                 {20107, 307}, {20108, 306}, {20109, 304}, {20110, 0},   {20300, 341}, {20308, 349}};
    for (const auto& c : cases) {
        view.OnToolSelected(c.tool);
        std::unique_ptr<CHOXDrawObj> symbol = view.CreateSymbol(CPoint(100, 50));
        if (c.type == 0) {
            EXPECT_EQ(symbol, nullptr) << c.tool;
            continue;
        }
        ASSERT_NE(symbol, nullptr) << c.tool;
        EXPECT_EQ(symbol->GetObjectType(), c.type);
        EXPECT_EQ(symbol->GetRect(), CRect(100, 50, 164, 82));
        EXPECT_EQ(symbol->GetWnd(), wnd);
        EXPECT_EQ(symbol->GetId(), 0u); // the caller gives the id
        symbol->Remove();
    }
    view.Select(wnd->GetBaseRect());
    view.OnToolSelected(20101);
    EXPECT_EQ(view.GetSelectionCount(), 0u);
    EXPECT_EQ(CHOXView::s_nCurrentTool, 20101u);
    view.OnToolSelected(20400); // not a palette tool
    EXPECT_EQ(CHOXView::s_nCurrentTool, 20101u);
}

TEST_F(ChartViewTest, APaletteToolSwitchesToPlacingFromAnyMode)
{
    const struct {
        int modeBefore;
        UINT command;
        int modeAfter;
        UINT toolAfter;
        int chosen;
        std::size_t selected;
    } cases[] = {
        {0, 20103, 1, 20103, 1, 0}, // select mode
        {2, 20205, 1, 20205, 1, 0}, // the wire tool is on
        {1, 20308, 1, 20308, 1, 0}, // another tool was chosen
        {2, 20400, 2, 20101, 0, 1}, // not a palette tool: nothing changes
    };
    for (const auto& c : cases) {
        CHOXView::s_nToolMode = c.modeBefore;
        CHOXView::s_nCurrentTool = 20101;
        CHOXView::s_nToolChosen = 0;
        view.Select(wnd->GetBaseRect());
        view.OnToolSelected(c.command);
        EXPECT_EQ(CHOXView::s_nToolMode, c.modeAfter) << c.command;
        EXPECT_EQ(CHOXView::s_nCurrentTool, c.toolAfter) << c.command;
        EXPECT_EQ(CHOXView::s_nToolChosen, c.chosen) << c.command;
        EXPECT_EQ(view.GetSelectionCount(), c.selected) << c.command;
    }
}

TEST_F(ChartViewTest, TheProgramFontScalesWithTheZoom)
{
    view.SetZoomIndex(2);
    int hundred = 0;
    {
        CHOXClientDC dc(&view);
        EXPECT_EQ(dc->GetFont().pixelSize(), 13);
        hundred = dc->LPtoDP(CPoint(0, dc->GetTextExtent(QStringLiteral("Xg")).cy)).y;
    }
    view.SetZoomIndex(0);
    CHOXClientDC dc(&view);
    const int twice = dc->LPtoDP(CPoint(0, dc->GetTextExtent(QStringLiteral("Xg")).cy)).y;
    EXPECT_EQ(twice, 2 * hundred);
}

TEST_F(ChartViewTest, TheSheetIsResizedWithTheMouse)
{
    view.OnInitialUpdate();
    CHOXBaseRect* sheet = wnd->GetBaseRect();
    ASSERT_EQ(sheet->GetRect(), CRect(0, 0, 500, 300));
    // Hovering over the right edge shows the sizing cursor; pressing there
    // and dragging moves the edge.
    view.OnMouseMove(0, CPoint(500, 150));
    EXPECT_EQ(host.cursor, Cursor::SizeWE);
    view.OnLButtonDown(MK_LBUTTON, CPoint(500, 150));
    EXPECT_TRUE(host.capture);
    view.OnMouseMove(MK_LBUTTON, CPoint(640, 150));
    view.OnLButtonUp(0, CPoint(640, 150));
    EXPECT_FALSE(host.capture);
    EXPECT_EQ(sheet->GetRect(), CRect(0, 0, 640, 300));
    EXPECT_EQ(host.totalSize, CSize(655, 315));
    // Elsewhere on the sheet the press starts a rubber band, and the sheet
    // keeps its size.
    view.OnLButtonDown(MK_LBUTTON, CPoint(200, 100));
    EXPECT_EQ(view.m_nBandActive, 1);
    view.OnMouseMove(MK_LBUTTON, CPoint(260, 160));
    view.OnLButtonUp(0, CPoint(260, 160));
    EXPECT_FALSE(host.capture);
    EXPECT_EQ(sheet->GetRect(), CRect(0, 0, 640, 300));
}

TEST(MonViewTest, ShowsTheMonitorWindow)
{
    TempSettings settings;
    CHOXDoc doc;
    CHOXMonView view;
    MemoryViewHost host;
    view.SetHost(&host);
    doc.AddView(&view);
    EXPECT_EQ(view.GetWnd(), doc.GetMonWnd()); // the monitor window without being told
    EXPECT_EQ(view.GetViewType(), 202);
    view.OnInitialUpdate();
    EXPECT_EQ(host.totalSize, CSize(515, 315));
    QImage image(600, 400, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        CDC dc(painter);
        view.OnPrepareDC(&dc);
        view.OnDraw(&dc);
    }
    EXPECT_EQ(QColor(image.pixel(550, 350)), QColor(Qt::white)); // the page
    EXPECT_EQ(QColor(image.pixel(250, 150)), QColor(192, 192, 192)); // the sheet
    doc.RemoveView(&view);
}
