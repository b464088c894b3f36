#pragma once
// Pictures compared as the user sees them. A picture that passes through a
// pixmap (a label's, a button's, a grabbed widget's) comes back through the
// processor's own conversion path, which rounds premultiplied alpha its own
// way; every channel may then be one unit off.
#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>

namespace kt::test {

inline ::testing::AssertionResult SamePicture(const QImage& actual, const QImage& expected)
{
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure() << "size " << actual.width() << "x" << actual.height() << " instead of "
                                             << expected.width() << "x" << expected.height();
    const QImage a = actual.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage b = expected.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            const bool near = std::abs(qRed(p) - qRed(q)) <= 1 && std::abs(qGreen(p) - qGreen(q)) <= 1 &&
                              std::abs(qBlue(p) - qBlue(q)) <= 1 && std::abs(qAlpha(p) - qAlpha(q)) <= 1;
            if (!near)
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex << p
                                                     << " instead of " << q;
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace kt::test
