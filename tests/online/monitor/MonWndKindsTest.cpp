// The monitor window with the real kinds of monitor objects in it: which
// one a click finds, which ones the drawing marks as seen while monitoring,
// and the frame each draws while dragged, or until it draws its own face.
#include "online/monitor/HOXMonCurPos.h"
#include "online/monitor/HOXMonDevStat.h"
#include "online/monitor/HOXMonKZQWStat.h"
#include "online/monitor/HOXMonManInputStat.h"
#include "online/monitor/HOXMonManOpern.h"
#include "online/monitor/HOXMonPlotObj.h"
#include "online/monitor/HOXMonProgInfo.h"
#include "online/monitor/MonObjIds.h"

#include "chart/HOXRect.h"
#include "chart/RecordingPainter.h"
#include "support/DocBuilder.h"
#include "symbols/operand/HOXSelectVal.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
#include <set>

using kt::test::DocBuilder;
using kt::test::RecordingPaintDevice;

namespace {

using Settings = CHOXMonDevStat::Settings;

class MonWndKindsTest : public ::testing::Test, protected DocBuilder {
protected:
    template <class T>
    T* Put(std::unique_ptr<T> object, DWORD id, const CRect& bounds)
    {
        object->SetId(id);
        object->m_position = bounds;
        T* raw = object.get();
        Monitor()->AddMonObj(std::move(object));
        return raw;
    }

    // One of each kind, with its fixed id (a device status with the
    // document's), at the bounds.
    std::vector<CHOXMonObj*> OneOfEach(const std::vector<CRect>& bounds)
    {
        CHOXMonWnd* wnd = Monitor();
        return {
            Put(std::make_unique<CHOXMonCurPos>(wnd), monid::kCurPos, bounds[0]),
            Put(std::make_unique<CHOXMonPlotObj>(wnd), monid::kPlot, bounds[1]),
            Put(std::make_unique<CHOXMonManOpern>(4, wnd), monid::ManOpernId(4), bounds[2]),
            Put(std::make_unique<CHOXMonManInputStat>(wnd), monid::kManInputStat, bounds[3]),
            Put(std::make_unique<CHOXMonKZQWStat>(wnd), monid::kKZQWStat, bounds[4]),
            Put(std::make_unique<CHOXMonProgInfo>(wnd), monid::kProgInfo, bounds[5]),
            Put(std::make_unique<CHOXMonDevStat>(Settings{0, CHOXSelectVal::kM, 0, 0, 0, 4}, wnd),
                static_cast<DWORD>(doc->NewMonObjId()), bounds[6]),
        };
    }
};

} // namespace

TEST_F(MonWndKindsTest, AClickFindsTheMonitorObjectOnTopBeforeAShape)
{
    auto shape = std::make_unique<CHOXRect>(CRect(0, 0, 300, 300), Monitor());
    shape->SetId(1);
    CHOXDrawObj* rect = shape.get();
    Monitor()->AddShape(std::move(shape));
    auto* plot = Put(std::make_unique<CHOXMonPlotObj>(Monitor()), monid::kPlot, CRect(10, 10, 242, 242));
    auto* position = Put(std::make_unique<CHOXMonCurPos>(Monitor()), monid::kCurPos, CRect(100, 100, 228, 152));

    EXPECT_EQ(Monitor()->ObjectAt(CPoint(120, 120)), position) << "added last, drawn on top";
    EXPECT_EQ(Monitor()->ObjectAt(CPoint(50, 50)), plot);
    EXPECT_EQ(Monitor()->ObjectAt(CPoint(280, 280)), rect);
    // Taken out, the plot is found again where both lay.
    std::unique_ptr<CHOXDrawObj> removed = Monitor()->RemoveMonObj(monid::kCurPos);
    EXPECT_EQ(removed.get(), position);
    EXPECT_EQ(Monitor()->ObjectAt(CPoint(120, 120)), plot);
    EXPECT_EQ(Monitor()->RemoveMonObj(monid::kCurPos), nullptr);
}

TEST_F(MonWndKindsTest, WhileMonitoringOnlyTheKindsThatCanBeSeenAreMarkedSeen)
{
    // Every other one lies beyond the painted 400 by 300.
    const std::vector<CRect> bounds = {
        {10, 10, 138, 62},   {500, 10, 732, 242}, {150, 10, 210, 40},   {10, 400, 160, 540},
        {390, 10, 528, 110}, {10, 299, 250, 383}, {600, 600, 640, 680},
    };
    const std::vector<CHOXMonObj*> objects = OneOfEach(bounds);
    const bool seen[] = {true, false, true, false, true, true, false};
    doc->SetEditMode(false);
    QImage image(400, 300, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        CDC dc(painter);
        Monitor()->Draw(&dc);
    }
    for (std::size_t i = 0; i < objects.size(); ++i) {
        SCOPED_TRACE(objects[i]->GetRuntimeClass()->m_lpszClassName);
        EXPECT_EQ(objects[i]->IsVisible(), seen[i]);
    }
    doc->SetEditMode(true);
}

TEST_F(MonWndKindsTest, EachKindIsAThinDottedFrameWhileDragged)
{
    // Undragged, every kind draws its own face (MonObjDrawTest and the faces'
    // own tests); dragged, only its outline.
    const CRect at(20, 30, 120, 90);
    const std::vector<CHOXMonObj*> objects = OneOfEach(std::vector<CRect>(7, at));
    for (CHOXMonObj* object : objects) {
        SCOPED_TRACE(object->GetRuntimeClass()->m_lpszClassName);
        object->m_nDragging = 1;
        RecordingPaintDevice device;
        {
            QPainter painter(&device);
            CDC dc(painter);
            object->Draw(&dc);
        }
        const auto& rects = device.Record().rects;
        ASSERT_EQ(rects.size(), 1u);
        EXPECT_EQ(rects[0].pen.style(), Qt::DotLine);
        EXPECT_EQ(rects[0].pen.color(), QColor(Qt::black));
        EXPECT_EQ(rects[0].brush.style(), Qt::NoBrush);
        EXPECT_TRUE(QRectF(at.left, at.top, at.Width(), at.Height()).contains(rects[0].rect));
        EXPECT_GT(rects[0].rect.width(), at.Width() - 2);
        object->m_nDragging = 0;
    }
}
