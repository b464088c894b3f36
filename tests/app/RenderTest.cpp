// A document with several charts drawn by the real view widgets offscreen at
// 200 %, 100 % and 10 %: the picture itself is checked.
#include "app/AppDocsFixture.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXFlowView.h"
#include "platform/ui/QtChildFrame.h"
#include "platform/ui/QtViewWidget.h"

#include <QImage>

using namespace kt::test;

namespace {
class RenderTest : public AppDocsFixture {
protected:
    // The view widget of a chart's frame, sized and drawn.
    QImage Draw(const QString& chart, int zoomIndex)
    {
        CMDIChildWnd* frame = ChartFrame(chart);
        EXPECT_NE(frame, nullptr);
        auto* host = static_cast<QtChildFrameHost*>(frame->Host());
        QtViewWidget* widget = host->Window()->ViewWidget();
        static_cast<CHOXView*>(frame->GetActiveView())->SetZoomIndex(zoomIndex);
        widget->resize(700, 500);
        widget->ScrollToPosition(CPoint(0, 0));
        QImage image = widget->viewport()->grab().toImage();
        if (qEnvironmentVariableIsSet("KT_DUMP_RENDER"))
            image.save(QStringLiteral("/tmp/render-%1-%2.png").arg(chart.size()).arg(zoomIndex));
        return image;
    }
    static bool IsGrey(QRgb p) { return QColor(p) == QColor(192, 192, 192); }
    // The first row below the sheet's outline, in column x, that is neither
    // page white nor sheet grey: where the first symbol begins.
    static int FirstInk(const QImage& image, int x)
    {
        for (int y = 3; y < image.height(); ++y) {
            const QColor c(image.pixel(x, y));
            if (c != QColor(Qt::white) && c != QColor(192, 192, 192)) return y;
        }
        return -1;
    }
};
} // namespace

TEST_F(RenderTest, ChartsAtThreeZoomSteps)
{
    ASSERT_TRUE(Start());
    ASSERT_NE(NewDocument(), nullptr);
    Main()->CreateFlowChartWindow(QStringLiteral("Press"), QString(), 1);
    ASSERT_NE(Doc()->FindWindowByName(QStringLiteral("Press")), nullptr);

    // 100 %: the sheet is 500 by 300 pixels on a white page; START's icon
    // begins 32 units down (the sheet's top plus 32).
    QImage normal = Draw(QStringLiteral("Flow Chart1"), 2);
    EXPECT_TRUE(IsGrey(normal.pixel(10, 10)));
    EXPECT_TRUE(IsGrey(normal.pixel(495, 295)));
    EXPECT_EQ(QColor(normal.pixel(505, 150)), QColor(Qt::white));
    EXPECT_EQ(QColor(normal.pixel(250, 305)), QColor(Qt::white));
    const int top100 = FirstInk(normal, 150);
    EXPECT_NEAR(top100, 32, 2);

    // 200 %: everything twice as far.
    QImage large = Draw(QStringLiteral("Flow Chart1"), 0);
    EXPECT_TRUE(IsGrey(large.pixel(large.width() - 5, large.height() - 5)));
    EXPECT_NEAR(FirstInk(large, 300), 2 * top100, 3);

    // 10 %: the sheet shrinks to 50 by 30 pixels.
    QImage small = Draw(QStringLiteral("Flow Chart1"), 6);
    EXPECT_TRUE(IsGrey(small.pixel(45, 5)));
    EXPECT_EQ(QColor(small.pixel(55, 5)), QColor(Qt::white));
    EXPECT_EQ(QColor(small.pixel(20, 35)), QColor(Qt::white));

    // The second chart draws its own symbols (POINTER and END), not the
    // first chart's: the pictures differ.
    QImage other = Draw(QStringLiteral("Press"), 2);
    EXPECT_NE(other.copy(100, 20, 100, 60), normal.copy(100, 20, 100, 60));
}
