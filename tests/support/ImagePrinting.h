#pragma once
// Readable failures of image comparisons. An image prints as its size and
// format instead of its bytes; a failed EXPECT_EQ of two images also names
// the first pixel in which they differ. Every file of the test program sees
// these (the build includes this header first), so that each prints an
// image the same way.
#include <QImage>

#include <ostream>
#include <string>

void PrintTo(const QImage& image, std::ostream* os);

// Found by argument-dependent lookup from the comparison assertions, which
// hand each value over with the other one; preferred to their own template.
std::string FormatForComparisonFailureMessage(const QImage& image, const QImage& other);
