#include "chart/HOXNode.h"

#include "app/HOXDoc.h"
#include "chart/ChartLookup.h"
#include "chart/HOXConnect.h"
#include "chart/HOXJumpEndBase.h"
#include "chart/HOXNodeDlg.h"
#include "chart/HOXSymbol.h"
#include "chart/HOXUndo.h"
#include "chart/HOXView.h"
#include "chart/ObjectKinds.h"
#include "platform/Archive.h"
#include "platform/DC.h"
#include "platform/Messages.h"

#include <algorithm>

KT_IMPLEMENT_SERIAL(CHOXNode, CHOXOval, 0)
KT_REGISTER_KIND(CHOXNode, .type = objtype::kNode, .helpContext = 0x1008F)

using chart::Pt;
using chart::Sat;

namespace {
using I64 = std::int64_t;

CPoint CentreOf(const CRect& r) { return Pt((I64(r.left) + r.right) / 2, (I64(r.top) + r.bottom) / 2); }
} // namespace

CHOXNode::CHOXNode() = default;

CHOXNode::CHOXNode(DWORD number, const CRect& position, DWORD outWireId, CHOXWnd* wnd)
    : CHOXOval(position, wnd), m_nOutWireId(outWireId)
{
    m_nId = number;
}

CHOXNode::~CHOXNode() = default;

void CHOXNode::Serialize(CArchive& ar)
{
    // The shape's pen and fill are not stored for a node.
    CHOXDrawObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nOutWireId;
        ar.WriteCount(static_cast<DWORD>(m_inWires.size()));
        for (DWORD id : m_inWires) ar << id;
        return;
    }
    DWORD out = 0;
    ar >> out;
    const DWORD count = ar.ReadCount(4);
    std::vector<DWORD> in(count);
    for (DWORD& id : in) ar >> id;
    m_nOutWireId = out;
    m_inWires = std::move(in);
}

CHOXFlowWnd* CHOXNode::FlowWnd() const { return chart::AsFlowWnd(m_pWnd); }
CHOXConnect* CHOXNode::FindWire(DWORD id) const { return chart::FindWire(m_pWnd, id); }

int CHOXNode::RemoveInWire(DWORD id)
{
    const auto it = std::find(m_inWires.begin(), m_inWires.end(), id);
    const int index = static_cast<int>(it - m_inWires.begin());
    if (it != m_inWires.end()) m_inWires.erase(it);
    return index;
}

// ---------------------------------------------------------------------------
// Drawing

void CHOXNode::Draw(CDC* pDC)
{
    const QBrush oldBrush = pDC->SelectBrush(QBrush(Qt::black));
    pDC->Ellipse(m_position);
    pDC->SelectBrush(oldBrush);

    // Arrow marks on the sides from which jumps arrive.
    const I64 left = m_position.left;
    const I64 right = m_position.right;
    const I64 cy = (I64(m_position.top) + m_position.bottom) / 2;
    bool leftDrawn = false;
    bool rightDrawn = false;
    for (DWORD id : m_inWires) {
        if (leftDrawn && rightDrawn) break;
        const CHOXConnect* wire = FindWire(id);
        if (wire == nullptr) break;
        const auto& points = wire->GetPoints();
        if (points.size() < 2) continue;
        const I64 x = points[points.size() - 2].x;
        if (x > right && !rightDrawn) {
            pDC->MoveTo(Pt(right, cy));
            pDC->LineTo(Pt(right + 5, cy - 5));
            pDC->MoveTo(Pt(right, cy));
            pDC->LineTo(Pt(right + 5, cy + 5));
            rightDrawn = true;
        } else if (x < left && !leftDrawn) {
            pDC->MoveTo(Pt(left, cy));
            pDC->LineTo(Pt(left - 5, cy - 5));
            pDC->MoveTo(Pt(left, cy));
            pDC->LineTo(Pt(left - 5, cy + 5));
            leftDrawn = true;
        }
    }

    const QFont oldFont = pDC->SelectFont(CHOXSymbol::LabelFont());
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColor = pDC->SetBkColor(m_pWnd != nullptr ? m_pWnd->GetBaseColor() : RGB(255, 255, 255));
    const LONG y = Sat(I64(m_position.top) - 14);
    pDC->TextOut(Sat(right - 42), y, QStringLiteral("P "));
    pDC->TextOut(Sat(right - 32), y, QString::number(static_cast<std::int32_t>(m_nId)));
    pDC->SetBkColor(oldColor);
    pDC->SetBkMode(oldMode);
    pDC->SelectFont(oldFont);
}

// ---------------------------------------------------------------------------
// Numbers and removal

void CHOXNode::Renumber(DWORD n)
{
    CHOXConnect* out = FindWire(m_nOutWireId);
    CHOXFlowWnd* wnd = FlowWnd();
    if (out == nullptr || wnd == nullptr || !chart::IsKey(n)) return;
    // Another node under the new number would be lost from the map.
    const CHOXDrawObj* there = wnd->LookupNode(static_cast<WORD>(n));
    if (there != nullptr && there != this) return;
    out->SetNodeId(n);
    for (DWORD id : m_inWires) {
        CHOXConnect* wire = FindWire(id);
        if (wire == nullptr) continue;
        wire->SetTarget(n, CHOXConnect::kTargetNode);
        if (CHOXJumpEndBase* marker = wire->GetJumpEnd()) marker->SetPointerNumber(static_cast<std::int32_t>(n));
    }
    std::unique_ptr<CHOXDrawObj> self;
    if (chart::IsKey(m_nId) && wnd->LookupNode(static_cast<WORD>(m_nId)) == this)
        self = wnd->RemoveNode(static_cast<WORD>(m_nId));
    m_nId = n;
    if (self) wnd->AddNode(std::move(self));
}

void CHOXNode::DropInWires()
{
    CHOXUndo* undo = m_pWnd != nullptr ? m_pWnd->GetUndo() : nullptr;
    const std::vector<DWORD> in = m_inWires;
    for (DWORD id : in) {
        CHOXConnect* wire = FindWire(id);
        if (wire == nullptr) continue;
        std::unique_ptr<CHOXDrawObj> gone = wire->Detach();
        if (gone && undo != nullptr) undo->RecordDelete(std::move(gone));
    }
}

bool CHOXNode::Remove()
{
    CHOXConnect* out = FindWire(m_nOutWireId);
    if (out == nullptr) return false;
    out->SetNodeId(kNone);
    DropInWires();
    // A POINTER's node carries the POINTER's own number.
    const CHOXSymbol* source = chart::FindSymbol(m_pWnd, out->GetSourceId());
    CHOXDoc* doc = m_pWnd->GetDocument();
    if ((source == nullptr || source->GetObjectType() != objtype::kFlowPointer) && doc != nullptr)
        doc->FreePointerNumber(static_cast<int>(m_nId));
    m_inWires.clear();
    return false;
}

void CHOXNode::Release(const CHOXConnect* outgoing)
{
    DropInWires();
    const CHOXConnect* out = outgoing != nullptr ? outgoing : FindWire(m_nOutWireId);
    const CHOXSymbol* source = out != nullptr ? chart::FindSymbol(m_pWnd, out->GetSourceId()) : nullptr;
    CHOXDoc* doc = m_pWnd != nullptr ? m_pWnd->GetDocument() : nullptr;
    if (source != nullptr && source->GetObjectType() != objtype::kFlowPointer && doc != nullptr)
        doc->FreePointerNumber(static_cast<int>(m_nId));
    m_inWires.clear();
}

CPoint CHOXNode::SnapToWire(CPoint point) const
{
    const CHOXConnect* wire = FindWire(m_nOutWireId);
    if (wire == nullptr) return CPoint(0, 0);
    const CRect square(Pt(point.x - I64(3), point.y - I64(3)), Pt(point.x + I64(3), point.y + I64(3)));
    const auto& points = wire->GetPoints();
    for (std::size_t k = 0; k + 1 < points.size(); ++k) {
        const CRect n = CRect(points[k], points[k + 1]).Normalized();
        const CRect box(Pt(n.left - I64(5), n.top - I64(5)), Pt(n.right + I64(5), n.bottom + I64(5)));
        CRect overlap;
        if (!overlap.IntersectRect(box, square)) continue;
        if (points[k].x == points[k + 1].x) return CPoint(points[k].x, point.y);
        return CPoint(0, 0);
    }
    return CPoint(0, 0);
}

// ---------------------------------------------------------------------------
// Mouse and moving

void CHOXNode::OnLButtonDown(CHOXView* view, UINT flags, CPoint point)
{
    const CPoint p = view->ClientToDoc(point);
    m_ptPrevDrag = p;
    m_ptDragStart = SnapToWire(p);
    CHOXDrawObj::OnLButtonDown(view, flags, point);
}

void CHOXNode::OnMouseMove(CHOXView* view, UINT flags, CPoint point)
{
    if (!view->HasCapture()) {
        view->SetCursor(Cursor::Arrow);
        return;
    }
    const CHOXConnect* wire = FindWire(m_nOutWireId);
    if (wire == nullptr) return;
    const CPoint p = view->ClientToDoc(point);
    const I64 dy = I64(p.y) - m_ptPrevDrag.y;
    const I64 cx = CentreOf(m_position).x;
    const I64 cy = CentreOf(m_position).y;
    const auto& points = wire->GetPoints();

    // The stretch of the wire along which the node may slide.
    bool found = false;
    I64 ya = 0;
    I64 yb = 0;
    const bool straight = std::adjacent_find(points.begin(), points.end()) != points.end();
    if (straight && !points.empty() && points.front().x == cx) {
        ya = std::min(points.front().y, points.back().y);
        yb = std::max(points.front().y, points.back().y);
        found = true;
    } else {
        for (std::size_t k = 0; k + 1 < points.size(); ++k) {
            const CPoint a = points[k];
            const CPoint b = points[k + 1];
            if (a.x != b.x || a.x != cx) continue;
            const I64 low = std::min(a.y, b.y);
            const I64 high = std::max(a.y, b.y);
            // Of several vertical stretches at this x, the one the node is on.
            if (!found || (cy >= low && cy <= high)) {
                ya = low;
                yb = high;
                found = true;
            }
            if (cy >= low && cy <= high) break;
        }
    }
    if (found) {
        CRect r = m_position;
        if (p.y > yb - 10) {
            r = CRect(Pt(cx - 5, yb - 10), Pt(cx + 5, yb));
        } else if (p.y < ya + 10) {
            r = CRect(Pt(cx - 5, ya), Pt(cx + 5, ya + 10));
        } else {
            r = CRect(Pt(r.left, I64(r.top) + dy), Pt(r.right, I64(r.bottom) + dy));
        }
        m_ptPrevDrag = p;
        MoveTo(r, nullptr);
        SetModified();
        UpdateAllViews();
    } else {
        m_ptPrevDrag = p;
    }
    if (view->m_nTracking == 0) CHOXDrawObj::OnMouseMove(view, flags, point);
}

void CHOXNode::OnLButtonUp(CHOXView* view, UINT, CPoint)
{
    UpdateAllViews();
    m_nDragging = 0;
    m_ptPrevDrag = CentreOf(m_position);
    view->ReleaseCapture();
}

void CHOXNode::MoveTo(const CRect& position, CHOXView*)
{
    // Wires that follow the node may lead back to it; it moves once.
    if (m_bMoving) return;
    m_bMoving = true;
    m_position = position;
    if (CHOXConnect* out = FindWire(m_nOutWireId)) {
        const CHOXSymbol* source = chart::FindSymbol(m_pWnd, out->GetSourceId());
        // The node on a wire from a symbol with a side exit keeps its segment.
        if (source != nullptr && !source->HasSideExit()) out->SetNodeSegment(out->SegmentAt(position));
    }
    const CPoint c = CentreOf(position);
    const std::vector<DWORD> in = m_inWires;
    for (DWORD id : in) {
        CHOXConnect* wire = FindWire(id);
        if (wire == nullptr) continue;
        wire->SetEndPoint(c.x, c.y);
        if (wire->NeedsReroute(m_nId, 0, false)) {
            wire->RerouteAll();
        } else {
            wire->MoveEnd(m_nId, 0, false);
        }
    }
    m_bMoving = false;
}

// ---------------------------------------------------------------------------
// Double click

void CHOXNode::OnOpen(UINT, CPoint)
{
    CHOXFlowWnd* wnd = FlowWnd();
    if (wnd == nullptr) return;
    CHOXNodeDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    if (wnd->GetUndo() != nullptr) wnd->GetUndo()->Clear();
    const int n = dlg.GetNumber();
    const DWORD old = m_nId;
    const bool changed = n != static_cast<std::int32_t>(old);
    CHOXConnect* out = FindWire(m_nOutWireId);
    CHOXSymbol* source = out != nullptr ? chart::FindSymbol(m_pWnd, out->GetSourceId()) : nullptr;
    CHOXSymbol* pointer = chart::AsPointerSymbol(source);
    if (pointer != nullptr) {
        pointer->SetPointerNumber(n);
        if (changed)
            AfxMessageBox(QStringLiteral("Caution :Pointer Number of FlowPointer symbol is also updated"),
                          MB_OK | MB_ICONINFORMATION);
    }
    if (changed) {
        // The dialog has already moved the number in the pointer table, so
        // the node follows even when its wire names no source; a node that
        // cannot take the number (no wire) puts the table back.
        Renumber(static_cast<DWORD>(n));
        CHOXDoc* doc = wnd->GetDocument();
        if (m_nId == old && pointer == nullptr && doc != nullptr) {
            doc->FreePointerNumber(n);
            doc->MarkPointerNumberUsed(static_cast<int>(old));
        }
    }
    if (wnd->GetView() != nullptr) wnd->GetView()->Invalidate();
}
