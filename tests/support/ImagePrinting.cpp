#include "support/ImagePrinting.h"

#include <QMetaEnum>

#include <iomanip>
#include <sstream>

namespace {
std::string FormatName(QImage::Format format)
{
    const char* name = QMetaEnum::fromType<QImage::Format>().valueToKey(format);
    return name != nullptr ? name : "Format " + std::to_string(static_cast<int>(format));
}

std::string Argb(QRgb pixel)
{
    std::ostringstream out;
    out << '#' << std::hex << std::setw(8) << std::setfill('0') << pixel;
    return out.str();
}
} // namespace

void PrintTo(const QImage& image, std::ostream* os)
{
    if (image.isNull()) {
        *os << "null QImage";
        return;
    }
    *os << "QImage " << image.width() << "x" << image.height() << " " << FormatName(image.format());
}

std::string FormatForComparisonFailureMessage(const QImage& image, const QImage& other)
{
    std::ostringstream out;
    PrintTo(image, &out);
    if (image.isNull() || other.isNull() || image.size() != other.size()) return out.str();
    // Pixels compared as the colours they show, whatever the formats.
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb mine = image.pixel(x, y);
            if (mine == other.pixel(x, y)) continue;
            out << ", first differing pixel (" << x << ", " << y << ") " << Argb(mine);
            return out.str();
        }
    }
    if (image.format() != other.format()) out << ", the same colours in another format";
    return out.str();
}
