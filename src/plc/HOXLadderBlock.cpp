#include "plc/HOXLadderBlock.h"

#include "platform/DC.h"
#include "plc/LadderLayout.h"

void CHOXLadderBlock::AddItem(int kind, const QString& text)
{
    m_items.push_back(std::make_unique<CHOXLadderItem>(kind, text));
}

void CHOXLadderBlock::SetPosition(int x, int y)
{
    m_nX = x;
    m_nY = y;
}

void CHOXLadderBlock::Draw(CDC* pDC, int scrollPos)
{
    // The box widths are sums of character widths.
    const ladder::TextMeasure measure = [pDC](const QString& text) { return pDC->GetCharWidthSum(text); };
    ladder::Layout layout;
    ladder::LayOutRow(*this, measure, scrollPos, layout);
    using Shape = ladder::Primitive::Shape;
    for (const ladder::Primitive& p : layout.primitives) {
        switch (p.shape) {
        case Shape::Line:
            pDC->MoveTo(p.a);
            pDC->LineTo(p.b);
            break;
        case Shape::Rectangle: pDC->Rectangle(CRect(p.a, p.b)); break;
        case Shape::Ellipse: pDC->Ellipse(CRect(p.a, p.b)); break;
        case Shape::Text: pDC->TextOut(p.a.x, p.a.y, p.text); break;
        }
    }
    const CPoint pen = layout.pens.empty() ? CPoint(m_nX, m_nY) : layout.pens.back();
    m_nPenX = pen.x;
    m_nPenY = pen.y;
}
