#pragma once
// Where the elements of ladder rows stand: the pen walks each row from its
// start, element by element, and every element gives its lines, rectangle
// outlines, ellipses and texts. Drawing only paints what this gives; the
// walk itself knows nothing of devices, only a measure of texts.
#include "platform/Geometry.h"
#include "plc/HOXLadderBlock.h"

#include <QString>

#include <functional>
#include <vector>

namespace ladder {

struct Primitive {
    enum class Shape { Line, Rectangle, Ellipse, Text };
    Shape shape;
    // A line runs from a to b; a rectangle or an ellipse fills a to b, b
    // outside; a text has its top-left corner at a.
    CPoint a;
    CPoint b;
    QString text;

    bool operator==(const Primitive&) const = default;
};

// The width in pixels of a text in the ladder font: the sum of the widths of
// its characters.
using TextMeasure = std::function<int(const QString&)>;

struct Layout {
    // In drawing order.
    std::vector<Primitive> primitives;
    // The pen after each element, element by element, row after row.
    std::vector<CPoint> pens;
};

// A box's text width: operand boxes measure a blank as "5"; instruction
// boxes measure every digit and blank as "5", so numbers of one length give
// boxes of one width; coils measure each character as itself.
int TextWidth(int kind, const QString& text, const TextMeasure& measure);

// One row, moved up by 6 pixels per unit of the vertical scroll position.
void LayOutRow(const CHOXLadderBlock& block, const TextMeasure& measure, int scrollPos, Layout& out);
// Every row in list order.
Layout LayOut(const LadderBlockList& blocks, const TextMeasure& measure, int scrollPos);

} // namespace ladder
