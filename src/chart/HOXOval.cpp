#include "chart/HOXOval.h"

#include "chart/ObjectKinds.h"
#include "platform/DC.h"

KT_IMPLEMENT_SERIAL(CHOXOval, CHOXShape, 0)
KT_REGISTER_KIND(CHOXOval, .type = objtype::kOval, .helpContext = 0x1008A, .maker = &MakeShapeOf<CHOXOval>)

CHOXOval::CHOXOval() = default;

CHOXOval::CHOXOval(const CRect& position, CHOXWnd* wnd) : CHOXShape(position, wnd) {}

void CHOXOval::Draw(CDC* pDC)
{
    // While dragged only a dotted outline follows the mouse.
    const bool dragging = m_nDragging != 0;
    const QPen oldPen = pDC->SelectPen(dragging ? MakePen(PS_DOT, 1, RGB(0, 0, 0)) : MakeShapePen());
    const QBrush oldBrush = pDC->SelectBrush(dragging ? QBrush(Qt::NoBrush) : MakeShapeBrush());
    pDC->Ellipse(m_position);
    pDC->SelectPen(oldPen);
    pDC->SelectBrush(oldBrush);
}
