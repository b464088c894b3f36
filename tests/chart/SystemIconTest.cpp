// The picture store of one symbol kind: pictures and resource ids per state,
// and drawing scaled with the device's mapping on a white ground.
#include "chart/HOXSystemIcon.h"
#include "platform/DC.h"
#include "platform/Resources.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

constexpr QRgb kRed = 0xffff0000;
constexpr QRgb kWhite = 0xffffffff;

QImage Canvas(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(kRed);
    return image;
}

} // namespace

TEST(IconStoreTest, KeepsAPictureAndItsResourcePerState)
{
    CHOXSystemIcon icon;
    EXPECT_EQ(icon.GetBitmap(0), nullptr);
    EXPECT_TRUE(icon.LoadBitmap(4014, 0));
    EXPECT_TRUE(icon.LoadBitmap(4082, 2));

    const struct {
        UINT state;
        bool has;
        UINT resource;
    } cases[] = {{0, true, 4014}, {2, true, 4082}, {1, false, 0}, {3, false, 0}, {0x10000, false, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        const QImage* bitmap = icon.GetBitmap(c.state);
        ASSERT_EQ(bitmap != nullptr, c.has);
        EXPECT_EQ(icon.GetResourceId(c.state), c.resource);
        if (bitmap != nullptr) {
            EXPECT_EQ(*bitmap, LoadBitmapResource(c.resource));
        }
    }
}

TEST(IconStoreTest, AMissingResourceLeavesAnEmptyPicture)
{
    CHOXSystemIcon icon;
    EXPECT_TRUE(icon.LoadBitmap(1, 0));
    ASSERT_NE(icon.GetBitmap(0), nullptr);
    EXPECT_TRUE(icon.GetBitmap(0)->isNull());
    EXPECT_EQ(icon.GetResourceId(0), 1u);
}

TEST(IconStoreTest, LoadingAStateAgainReplacesItsPictureAndId)
{
    CHOXSystemIcon icon;
    icon.LoadBitmap(4014, 0);
    icon.LoadBitmap(4009, 0);
    EXPECT_EQ(icon.GetResourceId(0), 4009u);
    EXPECT_EQ(*icon.GetBitmap(0), LoadBitmapResource(4009));
}

TEST(IconStoreTest, DrawingAStateWithoutPictureDrawsNothing)
{
    CHOXSystemIcon icon;
    icon.LoadBitmap(4014, 0);
    QImage canvas = Canvas(100, 50);
    {
        QPainter painter(&canvas);
        CDC dc(painter, true);
        EXPECT_FALSE(icon.Draw(&dc, 0, 0, 2));
    }
    EXPECT_EQ(canvas, Canvas(100, 50));
}

// The device doubles logical units: the picture covers twice its size,
// pixel for pixel, and its see-through parts show white.
TEST(IconStoreTest, DrawScalesWithTheMappingOnAWhiteGround)
{
    const struct {
        UINT resource;
        int x, y;
    } cases[] = {{4014, 5, 3}, {4073, 2, 7}, {4072, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.resource);
        CHOXSystemIcon icon;
        icon.LoadBitmap(c.resource, 0);
        const QImage picture = LoadBitmapResource(c.resource);
        QImage canvas = Canvas(160, 90);
        {
            QPainter painter(&canvas);
            CDC dc(painter, true);
            dc.SetMapping(200, 200, 100, 100, CPoint(0, 0));
            EXPECT_TRUE(icon.Draw(&dc, c.x, c.y, 0));
        }
        const QRect area(2 * c.x, 2 * c.y, 2 * picture.width(), 2 * picture.height());
        for (int y = 0; y < canvas.height(); ++y) {
            for (int x = 0; x < canvas.width(); ++x) {
                QRgb expected = kRed;
                if (area.contains(x, y)) {
                    const QColor source = picture.pixelColor((x - area.left()) / 2, (y - area.top()) / 2);
                    expected = source.alpha() == 0 ? kWhite : source.rgb();
                    // Only fully opaque or fully clear pixels in these pictures.
                    ASSERT_TRUE(source.alpha() == 0 || source.alpha() == 255);
                }
                ASSERT_EQ(canvas.pixel(x, y), expected) << x << "," << y;
            }
        }
    }
}
