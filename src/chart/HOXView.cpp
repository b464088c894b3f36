#include "chart/HOXView.h"

#include "chart/HOXDrawObj.h"
#include "chart/HOXUndo.h"
#include "chart/HOXWnd.h"
#include "platform/DC.h"

#include <algorithm>
#include <cstdlib>

namespace {
// a * b / c rounded to the nearest integer, halves away from zero.
LONG Scale(LONG a, LONG b, LONG c)
{
    if (c == 0) return a;
    const long long n = static_cast<long long>(a) * b;
    const long long q = (std::llabs(n) * 2 + std::llabs(c)) / (2 * std::llabs(static_cast<long long>(c)));
    return static_cast<LONG>(((n < 0) != (c < 0)) ? -q : q);
}
} // namespace

std::int32_t CHOXView::s_nOutOfSheetWarned = 0;
std::int32_t CHOXView::s_nDropRefused = 0;

CHOXView::CHOXView() = default;
CHOXView::~CHOXView() = default;

int CHOXView::ZoomPercent(int index)
{
    static const int kPercent[] = {200, 150, 100, 75, 50, 25, 10};
    const int p = index >= 0 && index <= 6 ? kPercent[index] : index;
    // A stored index that gives no usable percentage would break every
    // conversion; such a view shows the chart at 100 %.
    return p > 0 ? p : 100;
}

void CHOXView::SetZoomIndex(int index)
{
    const int p = ZoomPercent(index);
    SetZoom(p, p, 100, 100);
    UpdateScrollSizes();
}

bool CHOXView::SetZoom(int numX, int numY, int denX, int denY)
{
    if (numX == m_nZoomNumX && numY == m_nZoomNumY && denX == m_nZoomDenX && denY == m_nZoomDenY) return false;
    m_nZoomNumX = numX;
    m_nZoomNumY = numY;
    m_nZoomDenX = denX;
    m_nZoomDenY = denY;
    Invalidate(true);
    return true;
}

void CHOXView::OnPrepareDC(CDC* pDC)
{
    pDC->SetMapping(m_nZoomNumX, m_nZoomNumY, m_nZoomDenX, m_nZoomDenY, GetScrollPosition());
}

CPoint CHOXView::ClientToDoc(CPoint point) const
{
    const CPoint scroll = GetScrollPosition();
    return {Scale(point.x + scroll.x, m_nZoomDenX, m_nZoomNumX), Scale(point.y + scroll.y, m_nZoomDenY, m_nZoomNumY)};
}

CRect CHOXView::ClientToDoc(const CRect& rect) const
{
    return CRect(ClientToDoc(rect.TopLeft()), ClientToDoc(rect.BottomRight())).Normalized();
}

CPoint CHOXView::DocToClient(CPoint point) const
{
    const CPoint scroll = GetScrollPosition();
    return {Scale(point.x, m_nZoomNumX, m_nZoomDenX) - scroll.x, Scale(point.y, m_nZoomNumY, m_nZoomDenY) - scroll.y};
}

CRect CHOXView::DocToClient(const CRect& rect) const
{
    return CRect(DocToClient(rect.TopLeft()), DocToClient(rect.BottomRight())).Normalized();
}

void CHOXView::InvalObj(const CHOXDrawObj* object)
{
    CRect r = DocToClient(object->m_position);
    r.InflateRect(5, 5);
    InvalidateRect(r, false);
}

bool CHOXView::IsSelected(const CObject* object) const
{
    return std::find(m_selection.begin(), m_selection.end(), object) != m_selection.end();
}

void CHOXView::Select(CHOXDrawObj* object, bool add)
{
    if (!add) {
        OnUpdate(nullptr, 2, nullptr);
        m_selection.clear();
    }
    if (object != nullptr && !IsSelected(object)) {
        m_selection.push_back(object);
        InvalObj(object);
    }
}

void CHOXView::Deselect(CHOXDrawObj* object)
{
    auto it = std::find(m_selection.begin(), m_selection.end(), object);
    if (it != m_selection.end()) m_selection.erase(it);
}

void CHOXView::RecordSelectionMove()
{
    CHOXUndo* undo = m_pWnd != nullptr ? m_pWnd->GetUndo() : nullptr;
    if (undo == nullptr) return;
    for (CHOXDrawObj* object : m_selection) {
        if (CHOXUndo::KindOf(object) == CHOXUndoRecord::kWire) return;
        if (object->m_ptDragStart == object->m_ptPrevDrag) continue;
        undo->Clear();
        // A wire follows its symbols; it is never moved on its own.
        for (CHOXDrawObj* moved : m_selection)
            if (CHOXUndo::KindOf(moved) != CHOXUndoRecord::kWire) undo->RecordMove(moved);
        return;
    }
}
