#include "plc/LadderLayout.h"

#include "plc/LadderKinds.h"

#include <algorithm>

namespace ladder {

namespace {

using Shape = Primitive::Shape;

// Appends the primitives of one element at the pen.
class Walk {
public:
    Walk(Layout& out, CPoint pen) : m_out(out), m_pen(pen) {}

    CPoint Pen() const { return m_pen; }
    void MoveBy(int dx, int dy) { m_pen.Offset(dx, dy); }

    // Coordinates are relative to the pen.
    void Line(int x1, int y1, int x2, int y2) { Add(Shape::Line, x1, y1, x2, y2); }
    void Rectangle(int x1, int y1, int x2, int y2) { Add(Shape::Rectangle, x1, y1, x2, y2); }
    void Ellipse(int x1, int y1, int x2, int y2) { Add(Shape::Ellipse, x1, y1, x2, y2); }
    void Text(int x, int y, const QString& text)
    {
        // An empty text draws nothing.
        if (!text.isEmpty()) m_out.primitives.push_back({Shape::Text, At(x, y), At(x, y), text});
    }

private:
    CPoint At(int dx, int dy) const { return {m_pen.x + dx, m_pen.y + dy}; }
    void Add(Shape shape, int x1, int y1, int x2, int y2)
    {
        m_out.primitives.push_back({shape, At(x1, y1), At(x2, y2), QString()});
    }

    Layout& m_out;
    CPoint m_pen;
};

// The contact's bars with its device above; both contacts share it.
void ContactBars(Walk& w, const QString& text)
{
    w.Line(0, 0, 8, 0);
    w.Line(8, -8, 8, 8);
    w.Text(8, -24, text);
    w.Line(16, -8, 16, 8);
}

void OperandBox(Walk& w, int textWidth, const QString& text)
{
    if (text.isEmpty()) {
        w.Rectangle(0, -8, 15, 8);
        w.MoveBy(15, 0);
        return;
    }
    const int boxWidth = textWidth + 10;
    w.Rectangle(0, -8, boxWidth, 8);
    w.Text(5, -7, text);
    w.MoveBy(boxWidth, 0);
}

// The line after the box is drawn but the pen stays at the closing edge:
// the next element starts there and draws over it.
void InstructionBox(Walk& w, int textWidth, const QString& text)
{
    w.Line(0, 0, 8, 0);
    w.Line(8, -8, 8, 8);
    w.Line(8, -8, 12, -8);
    w.Line(8, 8, 12, 8);
    w.Text(16, -4, text);
    const int q = text.isEmpty() ? 32 : textWidth + 13;
    w.Line(q, -8, q, 8);
    w.Line(q, -8, q - 4, -8);
    w.Line(q, 8, q - 4, 8);
    w.Line(q, 0, q + 8, 0);
    w.MoveBy(q, 0);
}

void Coil(Walk& w, int textWidth, const QString& text)
{
    const int size = textWidth + 10;
    w.Line(0, 0, 8, 0);
    w.Ellipse(8, -12, size + 16, 12);
    w.Text(15, -7, text);
    w.Line(size + 16, 0, size + 24, 0);
    w.MoveBy(size + 16, 0);
}

void Element(Walk& w, int kind, const QString& text, const TextMeasure& measure)
{
    switch (kind) {
    case ladderkind::kLeftBus:
        w.Line(0, -16, 0, 16);
        w.Line(0, 0, 8, 0);
        w.MoveBy(8, 0);
        break;
    case ladderkind::kRightBus:
        w.Line(0, 0, 8, 0);
        w.Line(8, -16, 8, 16);
        w.MoveBy(8, 16);
        break;
    case ladderkind::kBranchDown:
        w.Line(0, 0, 0, 32);
        w.Line(0, 32, 8, 32);
        w.MoveBy(8, 32);
        break;
    case ladderkind::kBranchUp:
        w.Line(0, 0, 8, 0);
        w.Line(8, 0, 8, -32);
        w.MoveBy(8, -32);
        break;
    case ladderkind::kContact:
        ContactBars(w, text);
        w.Line(16, 0, 27, 0);
        w.MoveBy(27, 0);
        break;
    case ladderkind::kOperandBox: OperandBox(w, TextWidth(kind, text, measure), text); break;
    case ladderkind::kInstructionBox: InstructionBox(w, TextWidth(kind, text, measure), text); break;
    case ladderkind::kCoil: Coil(w, TextWidth(kind, text, measure), text); break;
    case ladderkind::kClosedContact:
        ContactBars(w, text);
        w.Line(16, 0, 24, 0);
        w.Line(5, 8, 20, -8);
        w.MoveBy(24, 0);
        break;
    case ladderkind::kShortLine:
        w.Line(0, 0, 16, 0);
        w.MoveBy(16, 0);
        break;
    case ladderkind::kBlankGap: w.MoveBy(32, 0); break;
    default: break; // kept, but neither drawn nor moving the pen
    }
}

} // namespace

int TextWidth(int kind, const QString& text, const TextMeasure& measure)
{
    QString measured = text;
    for (QChar& c : measured) {
        const bool blank = c == u' ';
        const bool digit = c >= u'0' && c <= u'9';
        if ((kind == ladderkind::kOperandBox && blank) || (kind == ladderkind::kInstructionBox && (blank || digit)))
            c = u'5';
    }
    return measure(measured);
}

void LayOutRow(const CHOXLadderBlock& block, const TextMeasure& measure, int scrollPos, Layout& out)
{
    // Scroll positions come from the owner's range; keep the product in range.
    const long long up = std::clamp(6LL * scrollPos, -(1LL << 30), 1LL << 30);
    Walk w(out, CPoint(block.GetX(), static_cast<int>(block.GetY() - up)));
    for (const auto& item : block.GetItemList()) {
        Element(w, item->GetKind(), item->GetText(), measure);
        out.pens.push_back(w.Pen());
    }
}

Layout LayOut(const LadderBlockList& blocks, const TextMeasure& measure, int scrollPos)
{
    Layout out;
    for (const auto& block : blocks) LayOutRow(*block, measure, scrollPos, out);
    return out;
}

} // namespace ladder
