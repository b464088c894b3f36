#include "platform/Fonts.h"

#include <QFontMetricsF>
#include <QStringList>

#include <algorithm>

QFont LinePrinterFont(int pixelHeight, int weight)
{
    QFont font;
    font.setFamilies(
        {QStringLiteral("LinePrinter"), QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")});
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(std::max(1, pixelHeight));
    // Qt's weights run on the same 1 to 1000 scale.
    font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
    return font;
}

QFont LinePrinterCellFont(int cellHeight, int weight)
{
    const int cell = std::max(1, cellHeight);
    QFont font = LinePrinterFont(cell, weight);
    // Pixel sizes do not depend on the device's resolution.
    const double height = QFontMetricsF(font).height();
    if (height <= cell) return font;
    int pixels = std::max(1, static_cast<int>(cell * cell / height));
    while (pixels > 1 && QFontMetricsF(LinePrinterFont(pixels, weight)).height() > cell) --pixels;
    return LinePrinterFont(pixels, weight);
}

QFont TimesNewRomanFont(int pixelHeight, int weight)
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(std::max(1, pixelHeight));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
    return font;
}

QFont GraphFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("GraphFont"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}
