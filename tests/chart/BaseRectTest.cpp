// The base sheet: its colour when a chart is made, stored form, drawing, the
// handle test on its edges and the resize with its limits and scroll range.
#include "app/HOXDoc.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXLine.h"
#include "chart/HOXRect.h"
#include "chart/HOXView.h"
#include "online/monitor/HOXMonObj.h"
#include "online/monitor/HOXMonWnd.h"
#include "platform/Archive.h"
#include "platform/DC.h"
#include "support/MemoryViewHost.h"
#include "support/Scripted.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using kt::test::MemoryViewHost;
using kt::test::ScriptedMessages;
using kt::test::TempSettings;

namespace {

// An object of the symbol base's type code, which the monitor sheet ignores.
class SymbolLike : public CHOXDrawObj {
public:
    using CHOXDrawObj::CHOXDrawObj;
    int GetObjectType() const override { return objtype::kSymbol; }
};

std::unique_ptr<CHOXDrawObj> Object(const CRect& bounds, DWORD id, CHOXWnd* wnd)
{
    auto object = std::make_unique<CHOXDrawObj>(bounds, wnd);
    object->SetId(id);
    return object;
}

class BaseRectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.SetModifiedFlag(false);
        view.SetHost(&host);
        doc.AddView(&view);
    }
    void TearDown() override { doc.RemoveView(&view); }

    CHOXFlowWnd* AddChart(const QString& name)
    {
        auto wnd = doc.NewFlowWindow(name, QString());
        CHOXFlowWnd* raw = wnd.get();
        doc.AddWindow(name, std::move(wnd));
        return raw;
    }
    // Shows the record in the view and drags the sheet's handle there.
    void Resize(CHOXWnd* wnd, int handle, CPoint to)
    {
        view.SetWnd(wnd);
        wnd->GetBaseRect()->MoveHandleTo(handle, to, &view);
    }
    // Pulls the right edge and then the bottom edge as far in as they go.
    void ShrinkToLimits(CHOXWnd* wnd)
    {
        Resize(wnd, 5, CPoint(5000, 5000));
        Resize(wnd, 4, CPoint(0, 0));
        Resize(wnd, 6, CPoint(0, 0));
    }

    TempSettings settings;
    CHOXDoc doc;
    MemoryViewHost host;
    CHOXView view;
};

} // namespace

TEST_F(BaseRectTest, ANewSheetTakesTheColourOfTheFirstChart)
{
    // No chart yet: the monitor record made with the document is light grey.
    CHOXBaseRect* monSheet = doc.GetMonWnd()->GetBaseRect();
    EXPECT_EQ(monSheet->GetObjectType(), 405);
    EXPECT_EQ(monSheet->GetRect(), CRect(0, 0, 500, 300));
    EXPECT_EQ(monSheet->GetFillColor(), RGB(192, 192, 192));
    EXPECT_EQ(monSheet->GetLineWidth(), 1);
    EXPECT_EQ(monSheet->GetLineColor(), RGB(0, 0, 0));
    EXPECT_EQ(monSheet->m_nCurrentHandle, 0);
    EXPECT_FALSE(monSheet->IsOnResizeHandle());

    CHOXFlowWnd* a = AddChart(QStringLiteral("A"));
    EXPECT_EQ(a->GetBaseColor(), RGB(192, 192, 192));
    a->SetBaseColor(RGB(255, 0, 0));
    CHOXFlowWnd* r = AddChart(QStringLiteral("R"));
    EXPECT_EQ(r->GetBaseColor(), RGB(255, 0, 0));
    r->SetBaseColor(RGB(0, 0, 255));

    // "A" and "R" share a bucket of the window map, the newer one first.
    auto c = doc.NewFlowWindow(QStringLiteral("C"), QString());
    EXPECT_EQ(c->GetBaseColor(), RGB(0, 0, 255));
}

TEST(BaseRectStoredForm, IsThatOfAShape)
{
    CHOXBaseRect sheet(CRect(0, 0, 500, 300), nullptr);
    sheet.SetFillColor(RGB(0x12, 0x34, 0x56));
    CArchive out;
    sheet.Serialize(out);
    EXPECT_EQ(out.Buffer().toHex(), QByteArray("00000000" "00000000" "00000000" "f4010000" "2c010000"
                                               "01000000" "00000000" "123456" "00"));
    CArchive in(out.Buffer());
    CHOXBaseRect back;
    back.Serialize(in);
    EXPECT_EQ(back.GetRect(), CRect(0, 0, 500, 300));
    EXPECT_EQ(back.GetFillColor(), RGB(0x12, 0x34, 0x56));

    CArchive tagged;
    tagged.WriteObject(&sheet);
    EXPECT_TRUE(tagged.Buffer().startsWith(QByteArray::fromHex("ffff00000c00") + "CHOXBaseRect"));
}

TEST(BaseRectDraw, FilledOnScreenOutlinedOnPaper)
{
    CHOXBaseRect sheet(CRect(10, 10, 150, 120), nullptr);
    for (const bool printing : {false, true}) {
        QImage image(200, 200, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            CDC dc(painter, printing);
            sheet.Draw(&dc);
        }
        EXPECT_EQ(image.pixel(10, 60), qRgb(0, 0, 0)) << printing;
        EXPECT_EQ(image.pixel(149, 60), qRgb(0, 0, 0)) << printing;
        EXPECT_EQ(image.pixel(80, 60), printing ? qRgb(255, 255, 255) : qRgb(192, 192, 192));
        EXPECT_EQ(image.pixel(150, 60), qRgb(255, 255, 255));
    }
}

TEST_F(BaseRectTest, HandleTestOnTheEdges)
{
    CHOXBaseRect* sheet = doc.GetMonWnd()->GetBaseRect(); // (0, 0, 500, 300)
    const struct {
        CPoint point;
        int handle;
        Cursor cursor;
    } cases[] = {
        {CPoint(500, 300), 5, Cursor::SizeNWSE}, {CPoint(497, 297), 5, Cursor::SizeNWSE},
        {CPoint(503, 303), 5, Cursor::SizeNWSE}, {CPoint(504, 300), 0, Cursor::Wait},
        {CPoint(500, 150), 4, Cursor::SizeWE},   {CPoint(500, 1), 4, Cursor::SizeWE},
        {CPoint(500, 0), 0, Cursor::Wait},       {CPoint(496, 150), 0, Cursor::Wait},
        {CPoint(250, 300), 6, Cursor::SizeNS},   {CPoint(0, 300), 6, Cursor::SizeNS},
        {CPoint(-1, 300), 0, Cursor::Wait},      {CPoint(250, 297), 0, Cursor::Wait},
        {CPoint(250, 298), 6, Cursor::SizeNS},   {CPoint(250, 302), 6, Cursor::SizeNS},
        {CPoint(250, 303), 0, Cursor::Wait},     {CPoint(496, 299), 6, Cursor::SizeNS},
        {CPoint(250, 150), 0, Cursor::Wait},
    };
    for (const auto& c : cases) {
        host.cursor = Cursor::Wait;
        EXPECT_EQ(sheet->HitTestBorder(&view, 0, c.point), c.handle) << c.point.x << "," << c.point.y;
        EXPECT_EQ(host.cursor, c.cursor) << c.point.x << "," << c.point.y;
        EXPECT_EQ(sheet->IsOnResizeHandle(), c.handle != 0);
    }
}

TEST_F(BaseRectTest, AnEmptyChartShrinksTo301By251)
{
    CHOXFlowWnd* chart = AddChart(QStringLiteral("Flow Chart1"));
    Resize(chart, 4, CPoint(10, 10));
    EXPECT_EQ(chart->GetBaseRect()->GetRect(), CRect(0, 0, 301, 300));
    EXPECT_TRUE(doc.IsModified());
    Resize(chart, 6, CPoint(10, 10));
    EXPECT_EQ(chart->GetBaseRect()->GetRect(), CRect(0, 0, 301, 251));
    // The corner pulled below both limits at once stays where it is.
    Resize(chart, 5, CPoint(10, 10));
    EXPECT_EQ(chart->GetBaseRect()->GetRect(), CRect(0, 0, 301, 251));
    Resize(chart, 4, CPoint(800, 10));
    EXPECT_EQ(chart->GetBaseRect()->GetRect(), CRect(0, 0, 800, 251));
    Resize(chart, 6, CPoint(800, 400));
    EXPECT_EQ(chart->GetBaseRect()->GetRect(), CRect(0, 0, 800, 400));
    // Other handles move nothing.
    Resize(chart, 1, CPoint(50, 60));
    EXPECT_EQ(chart->GetBaseRect()->GetRect(), CRect(0, 0, 800, 400));
}

TEST_F(BaseRectTest, AChartSheetStops15BeyondSymbolsAndWires)
{
    CHOXFlowWnd* chart = AddChart(QStringLiteral("Flow Chart1"));
    chart->AddObject(Object(CRect(350, 40, 414, 72), 1, chart));
    chart->AddConnect(Object(CRect(20, 250, 30, 280), 1, chart));
    // The corner dragged into the symbol's columns, then into the wire's rows.
    Resize(chart, 5, CPoint(100, 400));
    EXPECT_EQ(chart->GetBaseRect()->GetRect(), CRect(0, 0, 429, 400));
    Resize(chart, 5, CPoint(600, 100));
    EXPECT_EQ(chart->GetBaseRect()->GetRect(), CRect(0, 0, 600, 295));
    ShrinkToLimits(chart);
    EXPECT_EQ(chart->GetBaseRect()->GetRect(), CRect(0, 0, 429, 295));
}

TEST_F(BaseRectTest, BelowBothLimitsNothingChanges)
{
    CHOXFlowWnd* chart = AddChart(QStringLiteral("Flow Chart1"));
    // A symbol beyond the right edge puts the right edge below its limit.
    chart->AddObject(Object(CRect(520, 40, 585, 72), 1, chart));
    Resize(chart, 6, CPoint(0, 100));
    EXPECT_EQ(chart->GetBaseRect()->GetRect(), CRect(0, 0, 500, 300));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(host.scrollSizesSet, 0);

    // Dragged down instead, the right edge is raised to its limit too.
    Resize(chart, 6, CPoint(0, 400));
    EXPECT_EQ(chart->GetBaseRect()->GetRect(), CRect(0, 0, 600, 400));
}

TEST_F(BaseRectTest, TheMonitorSheetHoldsShapesOleAndMonitorObjects)
{
    CHOXMonWnd* mon = doc.GetMonWnd();
    const struct {
        const char* what;
        std::function<void()> add;
        CRect expected;
    } cases[] = {
        {"line by its ends", [&] {
             auto line = std::make_unique<CHOXLine>(CRect(50, 400, 450, 20), mon);
             line->SetId(1);
             mon->AddShape(std::move(line));
         }, CRect(0, 0, 451, 401)},
        {"rectangle", [&] {
             auto rect = std::make_unique<CHOXRect>(CRect(10, 10, 460, 100), mon);
             rect->SetId(2);
             mon->AddShape(std::move(rect));
         }, CRect(0, 0, 461, 401)},
        {"OLE object", [&] { mon->AddOleObject(Object(CRect(0, 0, 470, 30), 1, mon)); }, CRect(0, 0, 471, 401)},
        {"symbol type ignored", [&] {
             auto s = std::make_unique<SymbolLike>(CRect(0, 0, 900, 900), mon);
             s->SetId(5);
             mon->AddObject(std::move(s));
         }, CRect(0, 0, 471, 401)},
        {"object map", [&] { mon->AddObject(Object(CRect(0, 0, 30, 410), 6, mon)); }, CRect(0, 0, 471, 411)},
        {"monitor object", [&] {
             auto m = std::make_unique<CHOXMonObj>(mon);
             m->SetId(20);
             m->m_position = CRect(0, 0, 480, 20);
             mon->AddMonObj(std::move(m));
         }, CRect(0, 0, 481, 411)},
    };
    for (const auto& c : cases) {
        c.add();
        ShrinkToLimits(mon);
        EXPECT_EQ(mon->GetBaseRect()->GetRect(), c.expected) << c.what;
    }
}

TEST_F(BaseRectTest, TheScrollRangeFollowsTheSheet)
{
    CHOXFlowWnd* chart = AddChart(QStringLiteral("Flow Chart1"));
    host.client = CRect(0, 0, 400, 200);

    Resize(chart, 4, CPoint(1000, 0));
    EXPECT_EQ(host.totalSize, CSize(1015, 315));
    EXPECT_EQ(host.scroll, CPoint(615, 0));

    Resize(chart, 6, CPoint(0, 600));
    EXPECT_EQ(host.totalSize, CSize(1015, 615));
    EXPECT_EQ(host.scroll, CPoint(615, 415));

    // At 200 % the range is in device pixels.
    host.scroll = CPoint();
    view.SetZoomIndex(0);
    Resize(chart, 5, CPoint(700, 400));
    EXPECT_EQ(host.totalSize, CSize(1430, 830));
    EXPECT_EQ(host.scroll, CPoint(1030, 630));

    // A client wider than the sheet does not scroll.
    view.SetZoomIndex(2);
    host.client = CRect(0, 0, 2000, 2000);
    host.scroll = CPoint();
    Resize(chart, 5, CPoint(900, 500));
    EXPECT_EQ(host.scroll, CPoint(0, 0));
}

TEST_F(BaseRectTest, BeyondThe30000ScrollLimitTheMessageComesAndTheScrollStillTakesPlace)
{
    CHOXFlowWnd* chart = AddChart(QStringLiteral("Flow Chart1"));
    host.client = CRect(0, 0, 1000, 1000);
    {
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("ERROR: Can not exceeds horizontal scroll limit."), MB_OK | MB_ICONHAND, IDOK);
        Resize(chart, 4, CPoint(31000, 0));
        EXPECT_EQ(host.scroll.x, 31015 - 1000);
        EXPECT_EQ(messages.seen.size(), 1u);
    }
    {
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("ERROR: Can not exceeds Vertial scroll limit."), MB_OK | MB_ICONHAND, IDOK);
        Resize(chart, 6, CPoint(0, 40000));
        EXPECT_EQ(host.scroll.y, 40015 - 1000);
        EXPECT_EQ(messages.seen.size(), 1u);
    }
    // Right at the limit, and by the corner, there is no message.
    ScriptedMessages none;
    Resize(chart, 4, CPoint(30985, 0));
    EXPECT_EQ(host.scroll.x, 30000);
    Resize(chart, 5, CPoint(50000, 50000));
    EXPECT_EQ(host.scroll, CPoint(49015, 49015));
    EXPECT_TRUE(none.seen.empty());
}

TEST_F(BaseRectTest, MouseResizesOnlyFromAHandle)
{
    CHOXFlowWnd* chart = AddChart(QStringLiteral("Flow Chart1"));
    CHOXBaseRect* sheet = chart->GetBaseRect();
    view.SetWnd(chart);

    // Off the edges: no handle, the mouse is let go.
    sheet->OnLButtonDown(&view, MK_LBUTTON, CPoint(100, 100));
    EXPECT_FALSE(host.capture);
    EXPECT_EQ(sheet->m_nCurrentHandle, 0);
    EXPECT_FALSE(sheet->IsOnResizeHandle());

    // Hovering shows the edge's cursor, or the arrow.
    sheet->OnMouseMove(&view, 0, CPoint(500, 100));
    EXPECT_EQ(host.cursor, Cursor::SizeWE);
    sheet->OnMouseMove(&view, 0, CPoint(100, 100));
    EXPECT_EQ(host.cursor, Cursor::Arrow);

    // On the corner at 50 %: the device point is converted first.
    view.SetZoomIndex(4);
    sheet->OnLButtonDown(&view, MK_LBUTTON, CPoint(250, 150));
    EXPECT_TRUE(host.capture);
    EXPECT_EQ(sheet->m_nCurrentHandle, 5);
    EXPECT_TRUE(sheet->IsOnResizeHandle());
    sheet->OnMouseMove(&view, MK_LBUTTON, CPoint(350, 200));
    EXPECT_EQ(sheet->GetRect(), CRect(0, 0, 700, 400));
    EXPECT_EQ(host.totalSize, CSize(358, 208));
    EXPECT_TRUE(doc.IsModified());
    sheet->OnLButtonUp(&view, 0, CPoint(350, 200));
    EXPECT_FALSE(host.capture);
    EXPECT_EQ(sheet->m_nCurrentHandle, 0);
    EXPECT_TRUE(sheet->IsOnResizeHandle()); // the views ask after the release

    // Held by someone else without a handle, a move changes nothing.
    host.capture = true;
    sheet->OnMouseMove(&view, MK_LBUTTON, CPoint(10, 10));
    EXPECT_EQ(sheet->GetRect(), CRect(0, 0, 700, 400));
}
