#include "chart/HOXShape.h"

#include "app/HOXDoc.h"
#include "chart/HOXView.h"
#include "chart/HOXWnd.h"
#include "chart/ObjectKinds.h"
#include "platform/Archive.h"
#include "platform/DC.h"
#include "platform/Messages.h"
#include "platform/Strings.h"

#include <algorithm>

KT_IMPLEMENT_SERIAL(CHOXShape, CHOXDrawObj, 0)
KT_REGISTER_KIND(CHOXShape, .type = objtype::kShape)

CHOXShape::CHOXShape() = default;

CHOXShape::CHOXShape(const CRect& position, CHOXWnd* wnd) : CHOXDrawObj(position, wnd)
{
    m_logpen.width = CPoint(1, 1);
    m_logpen.color = RGB(0, 0, 0);
    m_logbrush.color = RGB(255, 255, 255);
    // A shape being drawn is sized by its bottom-right corner.
    m_nCurrentHandle = 5;
}

void CHOXShape::Serialize(CArchive& ar)
{
    CHOXDrawObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<std::int32_t>(m_logpen.width.x) << m_logpen.color << m_logbrush.color;
    } else {
        std::int32_t width = 0;
        ar >> width >> m_logpen.color >> m_logbrush.color;
        // Only width and colours are kept; the styles are always these.
        m_logpen.width = CPoint(width, width);
        m_logpen.style = 6; // PS_INSIDEFRAME
        m_logbrush.style = 0; // BS_SOLID
        m_logbrush.hatch = 0;
    }
}

void CHOXShape::OnLButtonDown(CHOXView* view, UINT flags, CPoint point)
{
    const CPoint p = view->ClientToDoc(point);
    m_nResized = 0;
    m_nCurrentHandle = view->GetSelectionCount() <= 1 ? HitTest(p, view) : 0;
    if (m_nCurrentHandle != 0) {
        view->SetCursor(GetHandleCursor(m_nCurrentHandle));
    } else {
        view->m_nTracking = 1;
    }
    m_ptDragStart = p;
    m_ptPrevDrag = p;
    CHOXDrawObj::OnLButtonDown(view, flags, point);
}

void CHOXShape::OnMouseMove(CHOXView* view, UINT flags, CPoint point)
{
    const CPoint p = view->ClientToDoc(point);
    if (!view->HasCapture()) {
        if (view->GetSelectionCount() <= 1) {
            const int handle = HitTest(p, view);
            if (handle != 0) {
                view->SetCursor(GetHandleCursor(handle));
                return;
            }
        }
        CHOXDrawObj::OnMouseMove(view, flags, point);
        return;
    }
    if (p == m_ptDragStart) return;
    m_nDragging = 1;
    CPoint reached = p;
    if (m_nCurrentHandle != 0) {
        MoveHandleTo(m_nCurrentHandle, p, view);
        m_nResized = 1;
    } else {
        const CRect moved =
            Shifted(m_position, std::int64_t(p.x) - m_ptPrevDrag.x, std::int64_t(p.y) - m_ptPrevDrag.y);
        // Where the object stops short at the end of the coordinate range the
        // drag counts only what it moved, so that taking it back (or undoing)
        // returns it exactly.
        reached = CPoint(static_cast<LONG>(m_ptPrevDrag.x + (std::int64_t(moved.left) - m_position.left)),
                         static_cast<LONG>(m_ptPrevDrag.y + (std::int64_t(moved.top) - m_position.top)));
        MoveTo(moved, view);
    }
    UpdateAllViews();
    m_ptPrevDrag = reached;
    EnsureVisible(view);
    if (view->m_nTracking == 0) CHOXDrawObj::OnMouseMove(view, flags, point);
}

void CHOXShape::OnLButtonUp(CHOXView* view, UINT flags, CPoint point)
{
    if (m_nResized != 0 && m_nCurrentHandle != 0) m_ptPrevDrag = GetHandle(m_nCurrentHandle);
    NormalizeBounds();
    m_nDragging = 0;
    SettleAfterDrag(view);
    UpdateAllViews();
    CHOXDrawObj::OnLButtonUp(view, flags, point);
    view->SetCursor(Cursor::Arrow);
}

void CHOXShape::SetLineWidth(int width)
{
    m_logpen.width = CPoint(width, width);
    SetModified();
}

void CHOXShape::SetLineColor(COLORREF color)
{
    m_logpen.color = color;
    SetModified();
}

void CHOXShape::SetFillColor(COLORREF color)
{
    m_logbrush.color = color;
    SetModified();
}

void CHOXShape::NormalizeBounds() { m_position.NormalizeRect(); }

QPen CHOXShape::MakeShapePen() const
{
    // A width read from a file may be beyond what the painter takes; such a
    // pen covers everything anyway.
    constexpr int kWidest = (1 << 15) - 1;
    return MakePen(static_cast<int>(m_logpen.style), std::min(m_logpen.width.x, kWidest), m_logpen.color);
}

QBrush CHOXShape::MakeShapeBrush() const { return QBrush(ToQColor(m_logbrush.color)); }

