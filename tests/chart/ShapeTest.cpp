// Rectangles, ellipses and lines: stored form, drawing, the line's hit band
// and alignment, and the mouse handling that moves, sizes and tidies them.
#include "app/HOXDoc.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXLine.h"
#include "chart/HOXOval.h"
#include "chart/HOXRect.h"
#include "chart/HOXView.h"
#include "online/monitor/HOXMonWnd.h"
#include "platform/Archive.h"
#include "platform/DC.h"
#include "support/MemoryViewHost.h"
#include "support/Scripted.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>

using kt::test::MemoryViewHost;
using kt::test::ScriptedMessages;
using kt::test::TempSettings;

namespace {

const QString kOutOfSheet = QStringLiteral("ERROR:  Cannot draw out side the  Base Rectangle.");

// Lets a test look at and spoil the pen and brush that are not stored.
class ProbeRect : public CHOXRect {
public:
    using CHOXRect::CHOXRect;
    using CHOXShape::m_logbrush;
    using CHOXShape::m_logpen;
};

QByteArray Stored(CObject& object)
{
    CArchive ar;
    object.Serialize(ar);
    return ar.Buffer();
}

template <class T>
std::unique_ptr<T> Loaded(const QByteArray& bytes)
{
    auto object = std::make_unique<T>();
    CArchive ar(bytes);
    object->Serialize(ar);
    EXPECT_EQ(ar.BytesLeft(), 0u);
    return object;
}

QImage White(int w = 200, int h = 200)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

template <class Paint>
QImage Painted(Paint paint, bool printing = false)
{
    QImage image = White();
    {
        QPainter painter(&image);
        CDC dc(painter, printing);
        paint(dc);
    }
    return image;
}

QRgb Rgb(COLORREF c) { return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)); }

} // namespace

TEST(ShapeStoredForm, GoldenBytesForEveryShape)
{
    struct Case {
        std::unique_ptr<CHOXShape> shape;
        const char* hex;
    };
    Case cases[3] = {
        {std::make_unique<CHOXRect>(CRect(10, 20, 110, 70), nullptr), nullptr},
        {std::make_unique<CHOXOval>(CRect(-5, 0, 5, 300), nullptr), nullptr},
        {std::make_unique<CHOXLine>(CRect(200, 10, 20, 100), nullptr), nullptr},
    };
    cases[0].hex = "07000000" "0a000000" "14000000" "6e000000" "46000000" "03000000" "010203" "00" "102030" "00";
    cases[1].hex = "08010000" "fbffffff" "00000000" "05000000" "2c010000" "01000000" "000000" "00" "ffffff" "00";
    cases[2].hex = "ffffffff" "c8000000" "0a000000" "14000000" "64000000" "0c000000" "ff0000" "00" "00ff00" "00";
    cases[0].shape->SetId(7);
    cases[0].shape->SetLineWidth(3);
    cases[0].shape->SetLineColor(RGB(1, 2, 3));
    cases[0].shape->SetFillColor(RGB(0x10, 0x20, 0x30));
    cases[1].shape->SetId(0x108);
    cases[2].shape->SetId(0xFFFFFFFF);
    cases[2].shape->SetLineWidth(12);
    cases[2].shape->SetLineColor(RGB(255, 0, 0));
    cases[2].shape->SetFillColor(RGB(0, 255, 0));
    for (auto& c : cases) {
        const QByteArray bytes = Stored(*c.shape);
        EXPECT_EQ(bytes.toHex(), QByteArray(c.hex)) << c.shape->GetObjectType();
        EXPECT_EQ(bytes.size(), 32);
    }

    // Read back, a line keeps its ends as they were.
    auto line = Loaded<CHOXLine>(QByteArray::fromHex(cases[2].hex));
    EXPECT_EQ(line->GetId(), 0xFFFFFFFFu);
    EXPECT_EQ(line->GetRect(), CRect(200, 10, 20, 100));
    EXPECT_EQ(line->GetLineWidth(), 12);
    EXPECT_EQ(line->GetLineColor(), RGB(255, 0, 0));
    EXPECT_EQ(line->GetFillColor(), RGB(0, 255, 0));
}

TEST(ShapeStoredForm, LoadingAlwaysGivesASolidBrushAndAnInsideFramePen)
{
    ProbeRect source(CRect(1, 2, 3, 4), nullptr);
    source.SetLineWidth(4);
    source.m_logpen.width.y = 9; // not stored
    ProbeRect loaded;
    loaded.m_logpen.style = PS_DOT;
    loaded.m_logpen.width = CPoint(1, 77);
    loaded.m_logbrush.style = 2;
    loaded.m_logbrush.hatch = 5;
    CArchive ar(Stored(source));
    loaded.Serialize(ar);
    EXPECT_EQ(loaded.m_logpen.style, 6u);
    EXPECT_EQ(loaded.m_logpen.width, CPoint(4, 4));
    EXPECT_EQ(loaded.m_logbrush.style, 0u);
    EXPECT_EQ(loaded.m_logbrush.hatch, 0);
}

TEST(ShapeStoredForm, ByClassNameAndTruncatedData)
{
    CHOXOval oval(CRect(1, 2, 3, 4), nullptr);
    oval.SetFillColor(RGB(9, 8, 7));
    CArchive out;
    out.WriteObject(&oval);
    // New-class tag, schema 0, the name, then the 32 bytes.
    EXPECT_TRUE(out.Buffer().startsWith(QByteArray::fromHex("ffff00000800") + "CHOXOval"));
    CArchive in(out.Buffer());
    auto back = in.ReadOwned<CHOXShape>();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetObjectType(), 403);
    EXPECT_EQ(back->GetFillColor(), RGB(9, 8, 7));

    CArchive cut(Stored(oval).left(31));
    CHOXOval broken;
    EXPECT_THROW(broken.Serialize(cut), ArchiveError);
}

TEST(Shape, NewShapesTypesAndHandles)
{
    const std::unique_ptr<CHOXShape> shapes[] = {
        std::make_unique<CHOXShape>(CRect(0, 0, 10, 10), nullptr),
        std::make_unique<CHOXRect>(CRect(0, 0, 10, 10), nullptr),
        std::make_unique<CHOXOval>(CRect(0, 0, 10, 10), nullptr),
        std::make_unique<CHOXLine>(CRect(0, 0, 10, 10), nullptr),
    };
    const int types[] = {401, 402, 403, 404};
    const int handles[] = {8, 8, 8, 2};
    for (int i = 0; i < 4; ++i) {
        const CHOXShape& s = *shapes[i];
        EXPECT_EQ(s.GetObjectType(), types[i]);
        EXPECT_EQ(s.GetHandleCount(), handles[i]);
        EXPECT_EQ(s.GetLineWidth(), 1);
        EXPECT_EQ(s.GetLineColor(), RGB(0, 0, 0));
        EXPECT_EQ(s.GetFillColor(), RGB(255, 255, 255));
        EXPECT_EQ(s.m_nCurrentHandle, 5);
        EXPECT_EQ(s.GetId(), 0u);
    }
}

TEST(Line, SecondHandleIsTheBottomRightOne)
{
    CHOXLine line(CRect(100, 40, 20, 90), nullptr);
    EXPECT_EQ(line.GetHandle(1), CPoint(100, 40));
    EXPECT_EQ(line.GetHandle(2), CPoint(20, 90));
    EXPECT_EQ(line.GetHandle(0), CPoint(100, 40));
    EXPECT_EQ(line.GetHandleCursor(1), Cursor::SizeNWSE);
    EXPECT_EQ(line.GetHandleCursor(2), Cursor::SizeNWSE);
    line.MoveHandleTo(2, CPoint(7, 8), nullptr);
    EXPECT_EQ(line.GetRect(), CRect(100, 40, 7, 8));
    line.MoveHandleTo(1, CPoint(1, 2), nullptr);
    EXPECT_EQ(line.GetRect(), CRect(1, 2, 7, 8));
}

TEST(Line, EdgesAndAlignment)
{
    // Ends (120, 10) first and (20, 70) second: width 100, height 60.
    CHOXLine line(CRect(120, 10, 20, 70), nullptr);
    EXPECT_EQ(line.GetEdge(0), 20);
    EXPECT_EQ(line.GetEdge(1), 120);
    EXPECT_EQ(line.GetEdge(2), 10);
    EXPECT_EQ(line.GetEdge(3), 70);
    EXPECT_EQ(line.GetEdge(4), 120);
    EXPECT_EQ(line.GetEdge(-1), 120);

    const struct {
        int side;
        CRect expected;
    } cases[] = {
        {0, CRect(150, 10, 50, 70)},  // smaller x (the second end) at 50
        {1, CRect(50, 10, -50, 70)},  // larger x (the first end) at 50
        {2, CRect(120, 50, 20, 110)}, // smaller y (the first end) at 50
        {3, CRect(120, -10, 20, 50)}, // larger y (the second end) at 50
        {7, CRect(120, 10, 20, 70)},
    };
    for (const auto& c : cases) EXPECT_EQ(line.GetAlignedRect(c.side, 50), c.expected) << c.side;

    CHOXLine forward(CRect(0, 100, 40, 0), nullptr);
    EXPECT_EQ(forward.GetAlignedRect(0, 10), CRect(10, 100, 50, 0));
    EXPECT_EQ(forward.GetAlignedRect(3, 10), CRect(0, 10, 40, -90));
}

TEST(Line, DirectionFollowsTheEnds)
{
    const struct {
        CRect bounds;
        int direction;
    } cases[] = {
        {CRect(0, 0, 100, 100), 0},  // down to the right
        {CRect(100, 100, 0, 0), 0},  // up to the left
        {CRect(0, 100, 100, 0), 1},  // up to the right
        {CRect(100, 0, 0, 100), 1},  // down to the left
        {CRect(0, 50, 100, 50), 0},  // horizontal, left to right
        {CRect(100, 50, 0, 50), 1},  // horizontal, right to left
        {CRect(50, 0, 50, 100), 1},  // vertical
    };
    for (const auto& c : cases) {
        CHOXLine line(c.bounds, nullptr);
        EXPECT_EQ(line.GetDirection(), c.direction) << c.bounds.left << "," << c.bounds.top;
    }
}

TEST(Line, HitBandAroundTheLine)
{
    // From (0, 0) to (100, 100), pen 1: the band reaches 6 units to either
    // side horizontally.
    CHOXLine down(CRect(0, 0, 100, 100), nullptr);
    // From (0, 100) up to (100, 0).
    CHOXLine up(CRect(0, 100, 100, 0), nullptr);
    const struct {
        const CHOXLine* line;
        CRect rect;
        bool hit;
    } cases[] = {
        {&down, CRect(50, 50, 51, 51), true},
        {&down, CRect(54, 50, 55, 51), true},
        {&down, CRect(58, 50, 59, 51), false},
        {&down, CRect(50, 60, 51, 61), false},
        {&down, CRect(44, 60, 60, 61), true}, // spans the band
        {&down, CRect(90, 10, 91, 11), false},
        {&down, CRect(61, 51, 51, 61), true}, // not normalised
        {&down, CRect(50, 50, 50, 60), false}, // empty
        {&down, CRect(-100, -100, 300, 300), true}, // holds the band
        {&up, CRect(50, 50, 51, 51), true},
        {&up, CRect(90, 10, 91, 11), true},
        {&up, CRect(10, 10, 11, 11), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.line->Intersects(c.rect), c.hit)
            << c.rect.left << "," << c.rect.top << " direction " << c.line->GetDirection();

    // A wider pen widens the band.
    down.SetLineWidth(10);
    EXPECT_TRUE(down.Intersects(CRect(62, 50, 63, 51)));
}

TEST(Line, HitBandOfAHugeLineFromAFile)
{
    // From one end of the 32-bit range to the other, through (0, 0).
    auto line = Loaded<CHOXLine>(QByteArray::fromHex("00000000" "00000080" "00000080" "ffffff7f" "ffffff7f"
                                                     "01000000" "00000000" "00000000"));
    EXPECT_TRUE(line->Intersects(CRect(-10, -10, 10, 10)));
    EXPECT_FALSE(line->Intersects(CRect(1000000, -10, 1000010, 10)));
    const QImage image = Painted([&](CDC& dc) { line->Draw(&dc); });
    EXPECT_EQ(image.pixel(100, 100), qRgb(0, 0, 0));

    // The widest pen a file can hold.
    auto wide = Loaded<CHOXLine>(QByteArray::fromHex("00000000" "00000080" "00000080" "ffffff7f" "ffffff7f"
                                                     "ffffff7f" "00000000" "00000000"));
    EXPECT_TRUE(wide->Intersects(CRect(1000000, -10, 1000010, 10)));
    const QImage covered = Painted([&](CDC& dc) { wide->Draw(&dc); });
    EXPECT_EQ(covered.pixel(0, 199), qRgb(0, 0, 0));
    EXPECT_EQ(covered.pixel(199, 0), qRgb(0, 0, 0));
}

TEST(ShapeDraw, RectangleAndEllipseWithTheirPenAndFill)
{
    CHOXRect rect(CRect(20, 20, 120, 100), nullptr);
    rect.SetLineWidth(4);
    rect.SetLineColor(RGB(0, 0, 255));
    rect.SetFillColor(RGB(0, 200, 0));
    QImage image = Painted([&](CDC& dc) { rect.Draw(&dc); });
    EXPECT_EQ(image.pixel(21, 60), Rgb(RGB(0, 0, 255))); // outline inside the bounds
    EXPECT_EQ(image.pixel(119, 60), Rgb(RGB(0, 0, 255)));
    EXPECT_EQ(image.pixel(120, 60), qRgb(255, 255, 255)); // right is outside
    EXPECT_EQ(image.pixel(70, 60), Rgb(RGB(0, 200, 0)));

    CHOXOval oval(CRect(20, 20, 120, 100), nullptr);
    oval.SetFillColor(RGB(200, 0, 0));
    image = Painted([&](CDC& dc) { oval.Draw(&dc); });
    EXPECT_EQ(image.pixel(70, 60), Rgb(RGB(200, 0, 0)));
    EXPECT_EQ(image.pixel(22, 22), qRgb(255, 255, 255)); // the corner is not the ellipse's
}

TEST(ShapeDraw, DraggedShapesShowOnlyADottedOutline)
{
    CHOXRect rect(CRect(20, 20, 120, 100), nullptr);
    rect.SetFillColor(RGB(0, 200, 0));
    rect.m_nDragging = 1;
    QImage image = Painted([&](CDC& dc) {
        const QPen pen = dc.GetPen();
        rect.Draw(&dc);
        EXPECT_EQ(dc.GetPen(), pen); // put back
    });
    EXPECT_EQ(image.pixel(70, 60), qRgb(255, 255, 255));
    int black = 0, white = 0;
    for (int x = 30; x < 110; ++x) (image.pixel(x, 20) == qRgb(0, 0, 0) ? black : white) += 1;
    EXPECT_GT(black, 10);
    EXPECT_GT(white, 10);

    CHOXOval oval(CRect(20, 20, 120, 100), nullptr);
    oval.SetFillColor(RGB(200, 0, 0));
    oval.m_nDragging = 1;
    image = Painted([&](CDC& dc) { oval.Draw(&dc); });
    EXPECT_EQ(image.pixel(70, 60), qRgb(255, 255, 255));
}

TEST(ShapeDraw, LineEndsArePulledInByHalfThePen)
{
    // Width 5 from (0, 0) to (100, 100): drawn from (3, 3) to (98, 98).
    CHOXLine line(CRect(0, 0, 100, 100), nullptr);
    line.SetLineWidth(5);
    QImage image = Painted([&](CDC& dc) { line.Draw(&dc); });
    EXPECT_EQ(image.pixel(50, 50), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(4, 4), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(97, 97), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(2, 2), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(99, 99), qRgb(255, 255, 255));

    // The same line stored the other way round ends at the same places.
    CHOXLine back(CRect(100, 100, 0, 0), nullptr);
    back.SetLineWidth(5);
    EXPECT_EQ(Painted([&](CDC& dc) { back.Draw(&dc); }), image);

    // Dragging changes nothing in a line's look.
    line.m_nDragging = 1;
    EXPECT_EQ(Painted([&](CDC& dc) { line.Draw(&dc); }), image);
}

TEST(ShapeDraw, HorizontalAndVerticalLinesStayStraight)
{
    // Pulling the ends in across the stroke would tilt these; they keep their
    // row or column whichever way they were drawn and however wide the pen.
    const CRect lines[] = {CRect(10, 50, 110, 50), CRect(110, 50, 10, 50), CRect(50, 10, 50, 110),
                           CRect(50, 110, 50, 10)};
    for (const CRect& bounds : lines) {
        for (int width : {1, 5, 10}) {
            CHOXLine line(bounds, nullptr);
            line.SetLineWidth(width);
            const QImage image = Painted([&](CDC& dc) { line.Draw(&dc); });
            const bool horizontal = bounds.top == bounds.bottom;
            // The stroke across the line is the same near either end.
            for (int across = 30; across < 70; ++across) {
                const QRgb nearFirst = horizontal ? image.pixel(20, across) : image.pixel(across, 20);
                const QRgb nearLast = horizontal ? image.pixel(100, across) : image.pixel(across, 100);
                EXPECT_EQ(nearFirst, nearLast) << bounds.left << "," << bounds.top << " width " << width
                                               << " at " << across;
            }
            EXPECT_EQ(horizontal ? image.pixel(60, 50) : image.pixel(50, 60), qRgb(0, 0, 0));
        }
    }
}

TEST(ShapeDraw, HandlesAtTheEndsOfTheRangeFromAFile)
{
    constexpr LONG lo = std::numeric_limits<LONG>::min();
    constexpr LONG hi = std::numeric_limits<LONG>::max();
    CHOXRect rect(CRect(lo, lo, hi, hi), nullptr);
    // The handle squares are cut off at the range instead of wrapping round.
    const QImage image = Painted([&](CDC& dc) { rect.DrawTracker(&dc); });
    EXPECT_EQ(image.pixel(100, 100), qRgb(255, 255, 255));
}

// Shapes in the monitor window of a document, shown in a view at 100 %.
class ShapeMouse : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.SetModifiedFlag(false);
        view.SetHost(&host);
        view.SetWnd(mon);
        doc.AddView(&view);
    }
    void TearDown() override
    {
        doc.RemoveView(&view);
        CHOXView::s_nOutOfSheetWarned = 0;
    }

    template <class T>
    T* Add(const CRect& bounds, DWORD id)
    {
        auto shape = std::make_unique<T>(bounds, mon);
        shape->SetId(id);
        T* raw = shape.get();
        mon->AddShape(std::move(shape));
        return raw;
    }

    // One press, move and release on every selected object, as the views
    // hand them on.
    void Drag(CPoint from, CPoint to)
    {
        const auto selection = view.GetSelection();
        for (CHOXDrawObj* o : selection) o->OnLButtonDown(&view, MK_LBUTTON, from);
        for (CHOXDrawObj* o : selection) o->OnMouseMove(&view, MK_LBUTTON, to);
        for (CHOXDrawObj* o : selection) o->OnLButtonUp(&view, 0, to);
    }

    TempSettings settings;
    CHOXDoc doc;
    CHOXMonWnd* mon = doc.GetMonWnd(); // base sheet (0, 0, 500, 300)
    MemoryViewHost host;
    CHOXView view;
};

TEST_F(ShapeMouse, DraggingInsideMovesTheShape)
{
    auto* rect = Add<CHOXRect>(CRect(50, 50, 100, 100), 1);
    view.Select(rect);
    host.ClearRecord();

    rect->OnLButtonDown(&view, MK_LBUTTON, CPoint(75, 75));
    EXPECT_TRUE(host.capture);
    EXPECT_EQ(rect->m_nCurrentHandle, 0);
    EXPECT_EQ(view.m_nTracking, 1);
    rect->OnMouseMove(&view, MK_LBUTTON, CPoint(85, 95));
    EXPECT_EQ(rect->GetRect(), CRect(60, 70, 110, 120));
    EXPECT_EQ(rect->m_nDragging, 1);
    EXPECT_EQ(rect->m_nResized, 0);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_GT(host.invalidateAll, 0); // all views updated

    rect->OnLButtonUp(&view, 0, CPoint(85, 95));
    EXPECT_EQ(rect->GetRect(), CRect(60, 70, 110, 120));
    EXPECT_EQ(rect->m_nDragging, 0);
    EXPECT_FALSE(host.capture);
    EXPECT_EQ(host.cursor, Cursor::Arrow);
    EXPECT_EQ(CHOXView::s_nOutOfSheetWarned, 0);
}

TEST_F(ShapeMouse, AMoveBackToTheStartDoesNothing)
{
    auto* rect = Add<CHOXRect>(CRect(50, 50, 100, 100), 1);
    view.Select(rect);
    rect->OnLButtonDown(&view, MK_LBUTTON, CPoint(75, 75));
    rect->OnMouseMove(&view, MK_LBUTTON, CPoint(75, 75));
    EXPECT_EQ(rect->m_nDragging, 0);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ShapeMouse, DraggingAHandleSizesTheShape)
{
    auto* oval = Add<CHOXOval>(CRect(50, 50, 100, 100), 1);
    view.Select(oval);
    oval->OnLButtonDown(&view, MK_LBUTTON, CPoint(101, 99));
    EXPECT_EQ(oval->m_nCurrentHandle, 5);
    EXPECT_EQ(host.cursor, Cursor::SizeNWSE);
    EXPECT_EQ(view.m_nTracking, 0);
    oval->OnMouseMove(&view, MK_LBUTTON, CPoint(150, 130));
    EXPECT_EQ(oval->GetRect(), CRect(50, 50, 150, 130));
    EXPECT_EQ(oval->m_nResized, 1);
    oval->OnLButtonUp(&view, 0, CPoint(150, 130));
    EXPECT_EQ(oval->m_ptPrevDrag, CPoint(150, 130));

    // A handle dragged beyond the sheet stops one unit inside it.
    oval->OnLButtonDown(&view, MK_LBUTTON, CPoint(150, 90));
    EXPECT_EQ(oval->m_nCurrentHandle, 4);
    oval->OnMouseMove(&view, MK_LBUTTON, CPoint(900, 90));
    EXPECT_EQ(oval->GetRect(), CRect(50, 50, 499, 130));
    oval->OnLButtonUp(&view, 0, CPoint(900, 90));
    EXPECT_EQ(oval->GetRect(), CRect(50, 50, 499, 130));
}

TEST_F(ShapeMouse, WithSeveralSelectedNoHandleIsTaken)
{
    auto* a = Add<CHOXRect>(CRect(50, 50, 100, 100), 1);
    auto* b = Add<CHOXRect>(CRect(200, 50, 250, 100), 2);
    view.Select(a);
    view.Select(b, true);
    a->OnLButtonDown(&view, MK_LBUTTON, CPoint(100, 100));
    EXPECT_EQ(a->m_nCurrentHandle, 0);
    EXPECT_EQ(view.m_nTracking, 1);
}

TEST_F(ShapeMouse, HoverShowsTheHandleCursor)
{
    auto* rect = Add<CHOXRect>(CRect(50, 50, 100, 100), 1);
    view.Select(rect);
    const struct {
        CPoint point;
        Cursor cursor;
    } cases[] = {
        {CPoint(75, 50), Cursor::SizeNS},   {CPoint(100, 50), Cursor::SizeNESW},
        {CPoint(100, 75), Cursor::SizeWE},  {CPoint(50, 50), Cursor::SizeNWSE},
        {CPoint(75, 75), Cursor::Arrow},
    };
    for (const auto& c : cases) {
        host.cursor = Cursor::Wait;
        rect->OnMouseMove(&view, 0, c.point);
        EXPECT_EQ(host.cursor, c.cursor) << c.point.x << "," << c.point.y;
    }
    EXPECT_EQ(rect->GetRect(), CRect(50, 50, 100, 100));

    // With two selected the handles do not count.
    auto* other = Add<CHOXRect>(CRect(200, 50, 250, 100), 2);
    view.Select(other, true);
    rect->OnMouseMove(&view, 0, CPoint(100, 100));
    EXPECT_EQ(host.cursor, Cursor::Arrow);
}

TEST_F(ShapeMouse, BoundsAreBroughtInOrderAtTheRelease)
{
    // Shapes being drawn, as the monitor view makes them: sized by their
    // bottom-right corner while the view holds the mouse.
    const struct {
        bool line;
        CRect start;
        CPoint to;
        CRect stored;
    } cases[] = {
        {false, CRect(200, 200, 200, 200), CPoint(120, 150), CRect(120, 150, 200, 200)},
        {true, CRect(200, 200, 200, 200), CPoint(120, 150), CRect(120, 150, 200, 200)},
        {true, CRect(200, 100, 200, 100), CPoint(120, 150), CRect(120, 150, 200, 100)},
        {true, CRect(200, 100, 200, 100), CPoint(120, 100), CRect(200, 100, 120, 100)},
        {true, CRect(100, 200, 100, 200), CPoint(180, 150), CRect(100, 200, 180, 150)},
        {false, CRect(100, 200, 100, 200), CPoint(180, 150), CRect(100, 150, 180, 200)},
    };
    DWORD id = 1;
    for (const auto& c : cases) {
        CHOXShape* shape = c.line ? static_cast<CHOXShape*>(Add<CHOXLine>(c.start, id))
                                  : static_cast<CHOXShape*>(Add<CHOXRect>(c.start, id));
        ++id;
        view.Select(shape);
        host.capture = true;
        shape->OnMouseMove(&view, MK_LBUTTON, c.to);
        shape->OnLButtonUp(&view, 0, c.to);
        EXPECT_EQ(shape->GetRect(), c.stored) << c.line << " to " << c.to.x << "," << c.to.y;
    }
}

TEST_F(ShapeMouse, DroppedOutsideTheSheetTheyGoBackAndTheWarningShowsOnce)
{
    auto* a = Add<CHOXRect>(CRect(400, 100, 450, 150), 1);
    auto* b = Add<CHOXLine>(CRect(420, 250, 480, 200), 2);
    view.Select(a);
    view.Select(b, true);
    ScriptedMessages messages;
    messages.Expect(kOutOfSheet, MB_OK | MB_ICONHAND, IDOK);

    for (CHOXDrawObj* o : view.GetSelection()) o->OnLButtonDown(&view, MK_LBUTTON, CPoint(430, 120));
    for (CHOXDrawObj* o : view.GetSelection()) o->OnMouseMove(&view, MK_LBUTTON, CPoint(480, 120));
    EXPECT_EQ(a->GetRect(), CRect(450, 100, 500, 150));
    host.scroll = CPoint(7, 9);
    for (CHOXDrawObj* o : view.GetSelection()) o->OnLButtonUp(&view, 0, CPoint(480, 120));

    EXPECT_EQ(messages.seen.size(), 1u);
    EXPECT_EQ(CHOXView::s_nOutOfSheetWarned, 1);
    EXPECT_EQ(a->GetRect(), CRect(400, 100, 450, 150));
    EXPECT_EQ(b->GetRect(), CRect(420, 250, 480, 200));
    EXPECT_EQ(a->m_ptPrevDrag, a->m_ptDragStart);
    EXPECT_EQ(host.scroll, CPoint(0, 0)); // as at the press
    EXPECT_FALSE(host.capture);
    EXPECT_EQ(a->m_nDragging, 0);
}

TEST_F(ShapeMouse, TouchingTheSheetsEdgeCountsAsOutside)
{
    auto* rect = Add<CHOXRect>(CRect(400, 100, 450, 150), 1);
    view.Select(rect);
    ScriptedMessages messages;
    messages.Expect(kOutOfSheet, MB_OK | MB_ICONHAND, IDOK);
    Drag(CPoint(420, 120), CPoint(469, 120)); // right edge 499: inside
    EXPECT_EQ(rect->GetRect(), CRect(449, 100, 499, 150));
    EXPECT_TRUE(messages.seen.empty());
    Drag(CPoint(420, 120), CPoint(421, 120)); // right edge 500: outside
    EXPECT_EQ(rect->GetRect(), CRect(449, 100, 499, 150));
    EXPECT_EQ(messages.seen.size(), 1u);
}

TEST_F(ShapeMouse, SettersMarkTheDocumentModified)
{
    auto* rect = Add<CHOXRect>(CRect(50, 50, 100, 100), 1);
    const std::function<void()> setters[] = {
        [&] { rect->SetLineWidth(3); },
        [&] { rect->SetLineColor(RGB(1, 2, 3)); },
        [&] { rect->SetFillColor(RGB(4, 5, 6)); },
    };
    for (const auto& set : setters) {
        doc.SetModifiedFlag(false);
        set();
        EXPECT_TRUE(doc.IsModified());
    }
    EXPECT_EQ(rect->GetLineWidth(), 3);
    EXPECT_EQ(rect->GetLineColor(), RGB(1, 2, 3));
    EXPECT_EQ(rect->GetFillColor(), RGB(4, 5, 6));
}

TEST_F(ShapeMouse, ShapesReachingTheEndsOfTheRangeFromAFile)
{
    constexpr LONG lo = std::numeric_limits<LONG>::min();
    constexpr LONG hi = std::numeric_limits<LONG>::max();
    auto* rect = Add<CHOXRect>(CRect(0, 0, hi, 100), 1);
    auto* line = Add<CHOXLine>(CRect(lo, hi, hi, lo), 2);

    // Handle squares at the end of the range: none under an ordinary point.
    EXPECT_EQ(rect->HitTest(CPoint(200, 50), &view), 0);
    EXPECT_EQ(line->HitTest(CPoint(200, 50), &view), 0);
    rect->OnMouseMove(&view, 0, CPoint(200, 50));
    EXPECT_EQ(host.cursor, Cursor::Arrow);
    EXPECT_EQ(rect->HitTest(CPoint(0, 0), &view), 1);

    // A move stops short at the end of the range, keeping the size.
    const struct {
        CRect from;
        std::int64_t dx, dy;
        CRect to;
    } moves[] = {
        {CRect(0, 0, hi, 100), 10, 10, CRect(0, 10, hi, 110)},
        {CRect(0, 0, hi - 4, 100), 10, -10, CRect(4, -10, hi, 90)},
        {CRect(lo, hi, hi, lo), -10, 10, CRect(lo, hi, hi, lo)},
        {CRect(lo + 3, 0, 0, 0), -10, 0, CRect(lo, 0, -3, 0)},
        {CRect(5, 6, 7, 8), -5, -6, CRect(0, 0, 2, 2)},
    };
    for (const auto& m : moves)
        EXPECT_EQ(CHOXDrawObj::Shifted(m.from, m.dx, m.dy), m.to) << m.from.left << "," << m.dx;

    // Selecting such shapes and converting their bounds for the window
    // stays within the range.
    view.Select(rect);
    view.Select(line, true);
    EXPECT_TRUE(view.IsSelected(rect));
    const CRect client = view.DocToClient(line->GetRect());
    EXPECT_GE(view.ClientToDoc(CPoint(hi, hi)).x, 0);
    EXPECT_LE(client.left, client.right);
}

TEST(Shape, OutsideTheSheetOfAFlowChartAtTheEndsOfTheRange)
{
    TempSettings settings;
    CHOXDoc doc;
    auto chart = doc.NewFlowWindow(QStringLiteral("Flow Chart1"), QString());
    CHOXWnd* wnd = chart.get();
    doc.AddWindow(QStringLiteral("Flow Chart1"), std::move(chart));
    constexpr LONG lo = std::numeric_limits<LONG>::min();
    // A flow chart's sheet counts 15 units up and to the left of where it
    // stands; a sheet read from a file may start at the very end of the range.
    wnd->GetBaseRect()->m_position = CRect(lo, lo, 500, 300);
    const struct {
        CRect bounds;
        bool outside;
    } cases[] = {
        {CRect(lo, lo, 100, 100), false},
        {CRect(0, 0, 485, 100), true},
        {CRect(0, 0, 484, 284), false},
    };
    for (const auto& c : cases) {
        CHOXRect rect(c.bounds, wnd);
        EXPECT_EQ(rect.IsOutsideBaseRect(), c.outside) << c.bounds.right << "," << c.bounds.bottom;
    }
}
