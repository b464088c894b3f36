// Flow-chart window records: names, hit testing in map order, drawing in
// reverse, and the stored form of the record.
#include "app/HOXDoc.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXRect.h"
#include "symbols/flow/HOXFlowEnd.h"
#include "platform/Archive.h"
#include "platform/DC.h"
#include "support/Scripted.h"

#include <QPainter>

#include <gtest/gtest.h>

using kt::test::TempSettings;

namespace {
CHOXRect* PlaceRect(CHOXFlowWnd& wnd, DWORD id, CRect r)
{
    auto object = std::make_unique<CHOXRect>(r, &wnd);
    object->SetId(id);
    CHOXRect* raw = object.get();
    wnd.AddObject(std::move(object));
    return raw;
}
} // namespace

TEST(FlowWndTest, TheSubtaskWindowIsNamedExactly)
{
    TempSettings settings;
    CHOXDoc doc;
    CHOXFlowWnd wnd(&doc);
    for (const char* name : {"Subtask", "subtask", "Subtask ", "SUBTASK"}) {
        wnd.SetNames(QString::fromLatin1(name), QString());
        EXPECT_EQ(wnd.IsSubtaskWindow(), std::string(name) == "Subtask") << name;
    }
}

TEST(FlowWndTest, ANewRecordHasItsSheetAndZoom)
{
    TempSettings settings;
    CHOXDoc doc;
    CHOXFlowWnd wnd(&doc);
    ASSERT_NE(wnd.GetBaseRect(), nullptr);
    EXPECT_EQ(wnd.GetBaseRect()->GetRect(), CRect(0, 0, 500, 300));
    EXPECT_EQ(wnd.GetZoomIndex(), 2);
    EXPECT_EQ(wnd.GetShowState(), 2);
    EXPECT_TRUE(wnd.GetWndRect().IsRectNull());
    EXPECT_EQ(wnd.GetObjectType(), 103);
}

TEST(FlowWndTest, HitTestsTakeTheFirstObjectInMapOrderWithinTenUnits)
{
    TempSettings settings;
    CHOXDoc doc;
    CHOXFlowWnd wnd(&doc);
    // Ids 1 and 2 share bucket 0: the newer one (2) comes first.
    CHOXRect* one = PlaceRect(wnd, 1, CRect(100, 100, 164, 132));
    CHOXRect* two = PlaceRect(wnd, 2, CRect(120, 110, 184, 142));
    CHOXRect* far = PlaceRect(wnd, 40, CRect(300, 300, 364, 332));
    EXPECT_EQ(wnd.ObjectAt(CPoint(130, 120)), two);
    EXPECT_EQ(wnd.ObjectAt(CPoint(105, 105)), one);
    EXPECT_EQ(wnd.ObjectAt(CPoint(291, 291)), far);  // 10 units short of it
    EXPECT_EQ(wnd.ObjectAt(CPoint(289, 289)), nullptr);
    // Objects beat nodes, nodes beat wires.
    auto node = std::make_unique<CHOXRect>(CRect(300, 300, 310, 310), &wnd);
    node->SetId(5);
    CHOXRect* nodeRaw = node.get();
    wnd.AddNode(std::move(node));
    auto wire = std::make_unique<CHOXRect>(CRect(400, 0, 410, 500), &wnd);
    wire->SetId(5);
    CHOXRect* wireRaw = wire.get();
    wnd.AddConnect(std::move(wire));
    EXPECT_EQ(wnd.ObjectAt(CPoint(305, 305)), far);
    wnd.RemoveObject(40);
    EXPECT_EQ(wnd.ObjectAt(CPoint(305, 305)), nodeRaw);
    EXPECT_EQ(wnd.ObjectAt(CPoint(405, 250)), wireRaw);
}

TEST(FlowWndTest, DrawsSymbolsInReverseMapOrder)
{
    TempSettings settings;
    CHOXDoc doc;
    CHOXFlowWnd wnd(&doc);
    // Two overlapping filled rectangles: the first in map order is drawn
    // last, so it is on top where they overlap.
    CHOXRect* one = PlaceRect(wnd, 1, CRect(10, 10, 60, 60));
    CHOXRect* two = PlaceRect(wnd, 2, CRect(30, 30, 80, 80));
    one->SetFillColor(RGB(255, 0, 0));
    two->SetFillColor(RGB(0, 0, 255));
    ASSERT_EQ(wnd.GetObjectMap().Keys().front(), 2);
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        CDC dc(painter);
        wnd.Draw(&dc);
    }
    EXPECT_EQ(QColor(image.pixel(45, 45)), QColor(Qt::blue));
    EXPECT_EQ(QColor(image.pixel(20, 20)), QColor(Qt::red));
}

TEST(FlowWndTest, StoredFormAfterTheWindowPart)
{
    TempSettings settings;
    CHOXDoc doc;
    CHOXFlowWnd wnd(&doc);
    wnd.SetNames(QStringLiteral("Flow Chart1"), QStringLiteral("press"));
    CArchive out;
    out.m_pDocument = &doc;
    out.WriteObject(&wnd);
    const QByteArray bytes = out.Buffer();
    // Class, then the base sheet with its class, then the rest.
    EXPECT_TRUE(bytes.startsWith(QByteArray::fromHex("ffff00000b00") + "CHOXFlowWnd" +
                                 QByteArray::fromHex("ffff00000c00") + "CHOXBaseRect"));
    // Rectangle, scroll x and y, zoom 2, three empty maps, the two names.
    EXPECT_TRUE(bytes.endsWith(QByteArray(16 + 8, '\0') + QByteArray::fromHex("02000000") +
                               QByteArray::fromHex("000000000000") + "\x0b" "Flow Chart1" "\x05" "press"));
    CArchive in(bytes);
    in.m_pDocument = &doc;
    auto back = in.ReadOwned<CHOXFlowWnd>();
    ASSERT_TRUE(back);
    EXPECT_EQ(back->GetName(), QStringLiteral("Flow Chart1"));
    EXPECT_EQ(back->GetDocument(), &doc);
    EXPECT_EQ(back->GetBaseRect()->GetWnd(), back.get());
}

TEST(FlowWndTest, LoadingRefusesObjectsOfTheWrongKind)
{
    TempSettings settings;
    CHOXDoc doc;
    CHOXFlowWnd wnd(&doc);
    PlaceRect(wnd, 3, CRect(0, 0, 10, 10)); // a shape where only symbols belong
    CArchive out;
    out.m_pDocument = &doc;
    out.WriteObject(&wnd);
    CArchive in(out.Buffer());
    in.m_pDocument = &doc;
    try {
        in.ReadOwned<CHOXFlowWnd>();
        ADD_FAILURE() << "read without error";
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.cause(), ArchiveError::badClass);
    }
}

TEST(FlowWndTest, WhileMonitoringTheFrameShowsTheMarkOfTheFollowedAxis)
{
    TempSettings settings;
    CHOXDoc doc;
    CHOXFlowWnd wnd(&doc);
    auto end = std::make_unique<CHOXFlowEnd>(CPoint(100, 100), &wnd);
    end->SetId(1);
    CHOXFlowEnd* symbol = end.get();
    wnd.AddObject(std::move(end));
    const CRect r = symbol->GetRect();
    ASSERT_FALSE(r.IsRectEmpty());
    struct Case {
        int editMode, first, second, third, mark1, mark2, mark3, state;
        bool red;
    };
    const Case cases[] = {
        {0, 1, 0, 0, 1, 0, 0, 0, true},  // the first flag takes the first mark
        {0, 1, 0, 0, 0, 1, 1, 1, false}, // ... and nothing else
        {0, 0, 1, 0, 0, 1, 0, 0, true},
        {0, 1, 1, 0, 0, 1, 0, 0, false}, // the first flag wins over the second
        {0, 0, 0, 1, 0, 0, 1, 0, true},
        {0, 0, 1, 1, 0, 0, 1, 0, false},
        {0, 0, 0, 0, 0, 0, 0, 1, true}, // no flag: the state
        {0, 0, 0, 0, 1, 1, 1, 0, false},
        {0, 0, 0, 0, 0, 0, 0, 2, false}, // only 1 is marked
        {1, 1, 0, 0, 1, 0, 0, 1, false}, // editing: never a red frame
    };
    for (const Case& c : cases) {
        doc.SetEditMode(c.editMode != 0);
        wnd.m_nDisplayFirst = c.first;
        wnd.m_nDisplaySecond = c.second;
        wnd.m_nDisplayThird = c.third;
        symbol->SetMonitorMark1(c.mark1);
        symbol->SetMonitorMark2(c.mark2);
        symbol->SetMonitorMark3(c.mark3);
        symbol->SetState(c.state);
        QImage image(400, 400, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            CDC dc(painter);
            wnd.Draw(&dc);
        }
        const int midY = r.top + r.Height() / 2;
        const int midX = r.left + r.Width() / 2;
        const QColor expected = c.red ? QColor(255, 0, 0) : QColor(0, 0, 0);
        SCOPED_TRACE(::testing::Message() << "edit " << c.editMode << " flags " << c.first << c.second << c.third
                                          << " marks " << c.mark1 << c.mark2 << c.mark3 << " state " << c.state);
        EXPECT_EQ(QColor(image.pixel(r.left, midY)), expected);
        EXPECT_EQ(QColor(image.pixel(midX, r.bottom - 1)), expected);
        // The red frame is three units thick, the black one a single unit.
        EXPECT_EQ(QColor(image.pixel(r.left + 2, midY)) == QColor(255, 0, 0), c.red);
    }
    doc.SetEditMode(true);
}
