// The device context's measure of texts by the sum of their characters'
// widths: each character measured alone in the selected font and rounded up
// to whole units, whatever the mapping.
#include "chart/RecordingPainter.h"
#include "platform/DC.h"
#include "platform/Fonts.h"

#include <QFontMetricsF>

#include <gtest/gtest.h>

#include <cmath>

using kt::test::RecordingPaintDevice;

TEST(DeviceContextMeasureTest, SumsTheRoundedWidthsOfEachCharacter)
{
    RecordingPaintDevice device;
    QPainter painter(&device);
    CDC dc(painter);
    for (const QFont& font : {LinePrinterFont(16, 700), LinePrinterFont(12, 400), GraphFont()}) {
        SCOPED_TRACE(font.family().toStdString() + " " + std::to_string(font.pixelSize()));
        dc.SelectFont(font);
        const QFontMetricsF fm(font, &device);
        for (const QString& text :
             {QStringLiteral("Program Number"), QStringLiteral("-2147483648"), QStringLiteral("X")}) {
            int expected = 0;
            for (const QChar c : text) expected += static_cast<int>(std::ceil(fm.horizontalAdvance(QString(c))));
            EXPECT_EQ(dc.GetCharWidthSum(text), expected) << text.toStdString();
        }
        EXPECT_EQ(dc.GetCharWidthSum(QString()), 0);
    }
    dc.SelectFont(LinePrinterFont(16, 700));
    // The mapping does not change what a text measures in document units.
    const int plain = dc.GetCharWidthSum(QStringLiteral("Zero Completed"));
    dc.SetMapping(2, 2, 1, 1, CPoint(30, 40));
    EXPECT_EQ(dc.GetCharWidthSum(QStringLiteral("Zero Completed")), plain);
}

// A font asked for by its cell height fits a line of text into that height,
// as tightly as whole pixel sizes allow.
TEST(DeviceContextMeasureTest, ACellFontsLinesFitItsHeight)
{
    for (int cell : {8, 12, 16, 20, 40}) {
        for (int weight : {400, 700}) {
            SCOPED_TRACE(std::to_string(cell) + " " + std::to_string(weight));
            const QFont font = LinePrinterCellFont(cell, weight);
            EXPECT_EQ(font.weight(), weight);
            EXPECT_EQ(font.family(), LinePrinterFont(cell, weight).family());
            EXPECT_LE(QFontMetricsF(font).height(), cell);
            EXPECT_GT(QFontMetricsF(LinePrinterFont(font.pixelSize() + 1, weight)).height(), cell);
        }
    }
}
