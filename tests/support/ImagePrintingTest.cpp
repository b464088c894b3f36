// What a failed comparison of two images says: size and format of each, and
// the first pixel in which they differ.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

QImage Filled(int w, int h, QRgb colour, QImage::Format format = QImage::Format_ARGB32)
{
    QImage image(w, h, format);
    image.fill(colour);
    return image;
}

} // namespace

TEST(ImagePrintingTest, AnImagePrintsItsSizeAndFormat)
{
    EXPECT_EQ(::testing::PrintToString(Filled(64, 32, 0xff000000)), "QImage 64x32 Format_ARGB32");
    EXPECT_EQ(::testing::PrintToString(QImage()), "null QImage");
}

TEST(ImagePrintingTest, AFailedComparisonNamesTheFirstDifferingPixel)
{
    const struct {
        const char* what;
        QImage image;
        QImage other;
        std::string said;
    } cases[] = {
        {"one pixel", Filled(4, 3, 0xffffffff),
         [] {
             QImage i = Filled(4, 3, 0xffffffff);
             i.setPixel(2, 1, 0xffff0000);
             i.setPixel(3, 2, 0xff00ff00);
             return i;
         }(),
         "QImage 4x3 Format_ARGB32, first differing pixel (2, 1) #ffffffff"},
        {"other sizes", Filled(4, 3, 0xffffffff), Filled(3, 4, 0xffffffff), "QImage 4x3 Format_ARGB32"},
        {"other formats", Filled(2, 2, 0xff102030, QImage::Format_RGB32), Filled(2, 2, 0xff102030),
         "QImage 2x2 Format_RGB32, the same colours in another format"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(FormatForComparisonFailureMessage(c.image, c.other), c.said);
    }
}

TEST(ImagePrintingTest, TheAssertionsUseIt)
{
    static const QImage white = Filled(2, 2, 0xffffffff);
    static const QImage black = Filled(2, 2, 0xff000000);
    EXPECT_NONFATAL_FAILURE(EXPECT_EQ(white, black), "first differing pixel (0, 0) #ff000000");
}
