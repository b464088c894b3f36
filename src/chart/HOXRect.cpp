#include "chart/HOXRect.h"

#include "chart/ObjectKinds.h"
#include "platform/DC.h"

KT_IMPLEMENT_SERIAL(CHOXRect, CHOXShape, 0)
KT_REGISTER_KIND(CHOXRect, .type = objtype::kRect, .helpContext = 0x1008B, .maker = &MakeShapeOf<CHOXRect>)

CHOXRect::CHOXRect() = default;

CHOXRect::CHOXRect(const CRect& position, CHOXWnd* wnd) : CHOXShape(position, wnd) {}

void CHOXRect::Draw(CDC* pDC)
{
    // While dragged only a dotted outline follows the mouse.
    const bool dragging = m_nDragging != 0;
    const QPen oldPen = pDC->SelectPen(dragging ? MakePen(PS_DOT, 1, RGB(0, 0, 0)) : MakeShapePen());
    const QBrush oldBrush = pDC->SelectBrush(dragging ? QBrush(Qt::NoBrush) : MakeShapeBrush());
    pDC->Rectangle(m_position);
    pDC->SelectPen(oldPen);
    pDC->SelectBrush(oldBrush);
}
