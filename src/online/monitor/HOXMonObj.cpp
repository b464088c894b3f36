#include "online/monitor/HOXMonObj.h"

#include "app/HOXDoc.h"
#include "chart/ChartLookup.h"
#include "chart/HOXView.h"
#include "chart/HOXWnd.h"
#include "chart/ObjectKinds.h"
#include "platform/DC.h"
#include "platform/Fonts.h"
#include "platform/Messages.h"
#include "platform/Strings.h"

#include <QPaintDevice>
#include <QPainter>
#include <QRegion>

KT_IMPLEMENT_SERIAL(CHOXMonObj, CHOXDrawObj, 0)
KT_REGISTER_KIND(CHOXMonObj, .type = objtype::kMonObj)

namespace {


// The owner's document, or null for an object not (yet) placed.
CHOXDoc* DocumentOf(const CHOXWnd* wnd) { return wnd != nullptr ? wnd->GetDocument() : nullptr; }

// Monitor objects may only be moved while nobody is monitoring. An object
// without a document is never being monitored.
bool InEditMode(const CHOXWnd* wnd)
{
    const CHOXDoc* doc = DocumentOf(wnd);
    return doc == nullptr || doc->IsEditMode();
}

// The rectangle (document units) reaches into the part of the device that is
// painted: the device's own area, cut down to the painter's clip when one is
// set. A rectangle off the device (scrolled away, behind the window's edge)
// or outside the clip is not visible; an empty one never is.
bool RectVisible(CDC& dc, const CRect& bounds)
{
    const CRect r = bounds.Normalized();
    if (r.IsRectEmpty()) return false;
    QPainter& painter = dc.Painter();
    const QPaintDevice* device = painter.device();
    if (device == nullptr) return false;
    // Compared in device pixels, where both the device's area and the clip
    // are exact.
    const QTransform toDevice = painter.combinedTransform();
    QRegion area(0, 0, device->width(), device->height());
    if (painter.hasClipping()) area &= toDevice.map(painter.clipRegion());
    return area.intersects(toDevice.mapRect(QRectF(r.left, r.top, r.Width(), r.Height())).toAlignedRect());
}

} // namespace

CHOXMonObj::CHOXMonObj() = default;

CHOXDoc* CHOXMonObj::GetDocument() const { return DocumentOf(m_pWnd); }

CHOXMonObj::CHOXMonObj(CHOXWnd* wnd) : CHOXDrawObj(CRect(), wnd) { UpdateOneAxis(); }

void CHOXMonObj::SetWnd(CHOXWnd* wnd)
{
    m_pWnd = wnd;
    UpdateOneAxis();
}

void CHOXMonObj::UpdateOneAxis()
{
    const CHOXDoc* doc = DocumentOf(m_pWnd);
    m_nOneAxis = doc != nullptr && ctype::IsOneAxis(doc->GetControllerType()) ? 1 : 0;
}

void CHOXMonObj::UpdateVisibility(CDC* pDC)
{
    m_nVisible.store(pDC != nullptr && RectVisible(*pDC, m_position) ? 1 : 0, std::memory_order_relaxed);
}

void CHOXMonObj::DrawOutline(CDC* pDC) const
{
    const QPen oldPen = pDC->SelectPen(MakePen(m_nDragging != 0 ? PS_DOT : PS_SOLID, 1, RGB(0, 0, 0)));
    const QBrush oldBrush = pDC->SelectBrush(QBrush(Qt::NoBrush));
    pDC->Rectangle(m_position);
    pDC->SelectPen(oldPen);
    pDC->SelectBrush(oldBrush);
}

bool CHOXMonObj::DrawDragOutline(CDC* pDC) const
{
    if (m_nDragging == 0) return false;
    DrawOutline(pDC);
    return true;
}

QFont CHOXMonObj::TextFont()
{
    // Sizing the cell measures fonts: every object draws with it, every
    // paint. Made once, and never destroyed, as fonts must not outlive the
    // application's font database.
    static const QFont* const font = new QFont(LinePrinterCellFont(16, 700));
    return *font;
}

QPen CHOXMonObj::PanelFramePen() { return MakePen(PS_INSIDEFRAME, 4, RGB(127, 127, 127)); }

void CHOXMonObj::TextOutEndingAt(CDC* pDC, std::int64_t x, std::int64_t y, const QString& text)
{
    pDC->TextOut(chart::Sat(x - pDC->GetCharWidthSum(text)), chart::Sat(y), text);
}

void CHOXMonObj::TextOutCentred(CDC* pDC, std::int64_t x, std::int64_t width, std::int64_t y, const QString& text)
{
    pDC->TextOut(chart::Sat(x + (width - pDC->GetCharWidthSum(text)) / 2), chart::Sat(y), text);
}

bool CHOXMonObj::IsEditing() const { return InEditMode(m_pWnd); }

void CHOXMonObj::OnLButtonDown(CHOXView* view, UINT flags, CPoint point)
{
    if (!InEditMode(m_pWnd)) return;
    view->m_nTracking = 0;
    const CPoint doc = view->ClientToDoc(point);
    m_ptDragStart = doc;
    m_ptPrevDrag = doc;
    view->SetCursor(Cursor::Arrow);
    CHOXDrawObj::OnLButtonDown(view, flags, point);
}

void CHOXMonObj::OnMouseMove(CHOXView* view, UINT flags, CPoint point)
{
    if (!InEditMode(m_pWnd)) return;
    if (!view->HasCapture()) {
        CHOXDrawObj::OnMouseMove(view, flags, point);
        return;
    }
    const CPoint doc = view->ClientToDoc(point);
    if (doc == m_ptDragStart) return;
    m_nDragging = 1;
    const CRect moved = Shifted(m_position, std::int64_t(doc.x) - m_ptPrevDrag.x, std::int64_t(doc.y) - m_ptPrevDrag.y);
    // Stopped short at the end of the coordinate range, the drag counts only
    // what the object moved, so that putting it back returns it exactly.
    const CPoint reached(static_cast<LONG>(m_ptPrevDrag.x + (std::int64_t(moved.left) - m_position.left)),
                         static_cast<LONG>(m_ptPrevDrag.y + (std::int64_t(moved.top) - m_position.top)));
    MoveTo(moved, view);
    EnsureVisible(view);
    SetModified();
    UpdateAllViews();
    m_ptPrevDrag = reached;
    if (view->m_nTracking == 0) CHOXDrawObj::OnMouseMove(view, flags, point);
}

void CHOXMonObj::OnLButtonUp(CHOXView* view, UINT flags, CPoint point)
{
    if (!InEditMode(m_pWnd)) return;
    m_nDragging = 0;
    SettleAfterDrag(view);
    UpdateAllViews();
    CHOXDrawObj::OnLButtonUp(view, flags, point);
    view->SetCursor(Cursor::Arrow);
}

