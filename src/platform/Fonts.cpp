#include "platform/Fonts.h"

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

QFont TimesNewRomanFont(int pixelHeight, int weight)
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(std::max(1, pixelHeight));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
    return font;
}

QFont RomanFont(int pixelHeight, int weight) { return TimesNewRomanFont(pixelHeight, weight); }
