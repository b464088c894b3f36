// The device context's clip and device caps: a clip is set in the present
// mapping and stays where it is on the device; RGN_OR widens it, RGN_AND
// narrows it; the clip box is read back in the present mapping.
#include "chart/RecordingPainter.h"
#include "platform/DC.h"

#include <gtest/gtest.h>

using kt::test::RecordingPaintDevice;

TEST(DeviceContextTest, ClipsStayOnTheDeviceAndCombine)
{
    RecordingPaintDevice device(PageMetrics{600, 840, 200, 280, 75, 72});
    QPainter painter(&device);
    CDC dc(painter, true);
    EXPECT_EQ(dc.GetClipBox(), CRect(0, 0, 600, 840));

    // Two logical units to a pixel.
    dc.SetMapping(1, 1, 2, 2, CPoint());
    dc.SelectClipRect(CRect(0, 0, 100, 100));
    EXPECT_EQ(dc.GetClipBox(), CRect(0, 0, 100, 100));
    ASSERT_FALSE(device.Record().clips.empty());
    EXPECT_EQ(device.Record().clips.back().bounds, QRect(0, 0, 50, 50));

    // A unit to a pixel: the clip covers the same pixels.
    dc.SetMapping(1, 1, 1, 1, CPoint());
    EXPECT_EQ(dc.GetClipBox(), CRect(0, 0, 50, 50));
    dc.SelectClipRect(CRect(50, 0, 80, 20), RGN_OR);
    EXPECT_EQ(dc.GetClipBox(), CRect(0, 0, 80, 50));
    dc.SelectClipRect(CRect(10, 10, 300, 300), RGN_AND);
    EXPECT_EQ(dc.GetClipBox(), CRect(10, 10, 80, 50));
    dc.SelectClipRect(CRect(5, 5, 6, 6));
    EXPECT_EQ(dc.GetClipBox(), CRect(5, 5, 6, 6));
    dc.SelectClipNone();
    EXPECT_EQ(dc.GetClipBox(), CRect(0, 0, 600, 840));
    // Without a clip there is nothing to widen.
    dc.SelectClipRect(CRect(0, 0, 10, 10), RGN_OR);
    EXPECT_EQ(dc.GetClipBox(), CRect(0, 0, 600, 840));

    const struct {
        int index;
        int value;
    } caps[] = {{HORZRES, 600},   {VERTRES, 840},   {HORZSIZE, 200}, {VERTSIZE, 280},
                {LOGPIXELSX, 75}, {LOGPIXELSY, 72}, {12, 0}};
    for (const auto& c : caps) EXPECT_EQ(dc.GetDeviceCaps(c.index), c.value) << c.index;
}
