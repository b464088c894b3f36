#include "chart/HOXConnect.h"

#include "app/HOXDoc.h"
#include "chart/ChartLookup.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXJumpEndBase.h"
#include "chart/HOXNode.h"
#include "chart/HOXNodeDlg.h"
#include "chart/HOXPin.h"
#include "chart/HOXSymbol.h"
#include "chart/HOXUndo.h"
#include "chart/HOXView.h"
#include "platform/Archive.h"
#include "platform/DC.h"
#include "platform/Messages.h"

#include <cmath>
#include <cstdlib>

KT_IMPLEMENT_SERIAL(CHOXConnect, CHOXDrawObj, 0)

using chart::Pt;
using chart::Sat;

namespace {
using I64 = std::int64_t;

// The box of segment a-b widened by w on every side.
CRect SegmentBox(CPoint a, CPoint b, I64 w)
{
    const CRect n = CRect(a, b).Normalized();
    return CRect(Pt(n.left - w, n.top - w), Pt(I64(n.right) + w, I64(n.bottom) + w));
}

bool Meets(const CRect& a, const CRect& b)
{
    CRect overlap;
    return overlap.IntersectRect(a, b.Normalized());
}

CRect SquareAround(CPoint c, I64 half)
{
    return CRect(Pt(c.x - half, c.y - half), Pt(I64(c.x) + half, I64(c.y) + half));
}

CPoint CentreOf(const CRect& r)
{
    return Pt((I64(r.left) + r.right) / 2, (I64(r.top) + r.bottom) / 2);
}

LONG Limit(I64 v, I64 low, I64 high)
{
    if (v < low) v = low;
    if (v > high) v = high;
    return Sat(v);
}

// The corner points between a source pin s and an end e. source and target
// are the rectangles of the two symbols (target null for a node).
std::vector<CPoint> Corners(const CRect& source, CPoint s, CPoint e, const CRect* target, bool sideExit)
{
    const I64 x0 = s.x, y0 = s.y, x1 = e.x, y1 = e.y;
    const I64 ls = source.left, rs = source.right;
    if (target == nullptr) {
        if (sideExit) {
            if (y1 - y0 < 30 && x1 <= x0 && y1 >= y0 - 15)
                return {Pt(x0 + 15, y0), Pt(x0 + 15, y0 + 30), Pt(ls - 15, y0 + 30), Pt(ls - 15, y1)};
            return {Pt(x0 + 15, y0), Pt(x0 + 15, y1)};
        }
        if (y1 - y0 < 3) {
            const I64 x = x1 > x0 ? rs + 15 : ls - 15;
            return {Pt(x0, y0 + 15), Pt(x, y0 + 15), Pt(x, y1)};
        }
        return {Pt(x0, y1)};
    }
    const I64 lt = target->left, tt = target->top, rt = target->right, bt = target->bottom;
    if (y1 - y0 > 15) {
        if (sideExit) {
            if (x1 - x0 >= 3) return {Pt(x1, y0)};
            const I64 y = y0 + 30 < y1 ? y0 + 30 : y1;
            return {Pt(x0 + 15, y0), Pt(x0 + 15, y), Pt(x1, y)};
        }
        const I64 m = y0 + (y1 - y0) / 2;
        return {Pt(x0, m), Pt(x1, m)};
    }
    if (sideExit) {
        if (lt - x0 > 15) return {Pt(lt - 15, y0), Pt(lt - 15, y1 - 15), Pt(x1, y1 - 15)};
        const I64 y = y1 < y0 - 15 ? y0 + 30 : bt + 15;
        const I64 d = x0 + 15 - x1;
        const I64 x = d >= 30 && d < 120 ? lt - 15 : rt + 15;
        return {Pt(x0 + 15, y0), Pt(x0 + 15, y), Pt(x, y), Pt(x, tt - 15), Pt(x1, tt - 15)};
    }
    const I64 y = bt > y0 ? bt + 15 : y0 + 15;
    const I64 x = (x0 - x1 > 75 || (x1 - x0 >= 0 && x1 - x0 <= 75)) ? rt + 15 : lt - 15;
    return {Pt(x0, y), Pt(x, y), Pt(x, y1 - 15), Pt(x1, y1 - 15)};
}
} // namespace

CHOXConnect::CHOXConnect() = default;

CHOXConnect::CHOXConnect(const CRect& position, CHOXWnd* wnd) : CHOXDrawObj(position, wnd)
{
    m_points = {position.TopLeft(), position.BottomRight()};
    m_nCurrentHandle = 2;
    m_nPenWidth = 1;
}

CHOXConnect::~CHOXConnect() = default;

// ---------------------------------------------------------------------------
// Stored form

void CHOXConnect::Serialize(CArchive& ar)
{
    CHOXDrawObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nSourceId << m_nSourcePin << m_nTargetId << m_nTargetKind << m_nNodeId << m_nNodeSegment;
        ar.WriteObject(m_pJumpEnd.get());
        ar.WriteCount(static_cast<DWORD>(m_points.size()));
        for (const CPoint& p : m_points) ar << p;
        return;
    }
    DWORD sourceId = 0;
    std::int32_t sourcePin = 0;
    DWORD targetId = 0;
    std::int32_t targetKind = 0;
    DWORD nodeId = 0;
    std::int32_t nodeSegment = 0;
    ar >> sourceId >> sourcePin >> targetId >> targetKind >> nodeId >> nodeSegment;
    std::unique_ptr<CHOXJumpEndBase> marker = ar.ReadOwned<CHOXJumpEndBase>();
    const DWORD count = ar.ReadCount(8);
    std::vector<CPoint> points(count);
    for (CPoint& p : points) ar >> p;
    m_nSourceId = sourceId;
    m_nSourcePin = sourcePin;
    m_nTargetId = targetId;
    m_nTargetKind = targetKind;
    m_nNodeId = nodeId;
    m_nNodeSegment = nodeSegment;
    m_pJumpEnd = std::move(marker);
    if (m_pJumpEnd) {
        m_pJumpEnd->SetPointerNumber(static_cast<std::int32_t>(targetId));
        m_pJumpEnd->SetWnd(m_pWnd);
    }
    m_points = std::move(points);
    m_nPenStyle = PS_INSIDEFRAME;
    m_nPenWidth = 2;
}

// ---------------------------------------------------------------------------
// Fields

void CHOXConnect::SetSource(DWORD symbolId, std::int32_t pin)
{
    m_nSourceId = symbolId;
    m_nSourcePin = pin;
}

void CHOXConnect::SetTarget(DWORD id, std::int32_t kind)
{
    m_nTargetId = id;
    m_nTargetKind = kind;
}

void CHOXConnect::SetJumpEnd(std::unique_ptr<CHOXJumpEndBase> marker) { m_pJumpEnd = std::move(marker); }

void CHOXConnect::SetLineWidth(int width) { m_nPenWidth = width; }

void CHOXConnect::SetWnd(CHOXWnd* wnd)
{
    m_pWnd = wnd;
    if (m_pJumpEnd) m_pJumpEnd->SetWnd(wnd);
}

CPoint CHOXConnect::GetSecondPoint() const
{
    if (m_points.size() > 1) return m_points[1];
    return m_points.empty() ? CPoint(0, 0) : m_points.front();
}

void CHOXConnect::SetEndPoint(int x, int y)
{
    if (!IsNodeTarget() || m_points.empty()) return;
    m_points.back() = CPoint(x, y);
}

CHOXFlowWnd* CHOXConnect::FlowWnd() const { return chart::AsFlowWnd(m_pWnd); }
CHOXSymbol* CHOXConnect::FindSymbol(DWORD id) const { return chart::FindSymbol(m_pWnd, id); }
CHOXNode* CHOXConnect::FindNode(DWORD id) const { return chart::FindNode(m_pWnd, id); }
CHOXConnect* CHOXConnect::FindWire(DWORD id) const { return chart::FindWire(m_pWnd, id); }

bool CHOXConnect::IsSideExit() const
{
    const CHOXSymbol* source = FindSymbol(m_nSourceId);
    return source != nullptr && source->GetObjectType() == objtype::kFlowCJump && m_nSourcePin == 2;
}

void CHOXConnect::RecomputeBounds()
{
    if (m_points.empty()) return;
    CRect r(m_points.front(), m_points.front());
    for (const CPoint& p : m_points) {
        r.left = std::min(r.left, p.x);
        r.top = std::min(r.top, p.y);
        r.right = std::max(r.right, p.x);
        r.bottom = std::max(r.bottom, p.y);
    }
    m_position = r;
}

DWORD CHOXConnect::GetFinalTarget() const
{
    const CHOXConnect* wire = this;
    // A chain of jumps that runs in a circle ends nowhere.
    const CHOXFlowWnd* flow = FlowWnd();
    const std::size_t limit = flow != nullptr ? flow->GetConnectMap().GetCount() + 1 : 1;
    for (std::size_t step = 0; step <= limit; ++step) {
        if (!wire->IsNodeTarget()) return wire->m_nTargetId;
        const CHOXNode* node = FindNode(wire->m_nTargetId);
        if (node == nullptr) return kNone;
        wire = FindWire(node->GetOutWireId());
        if (wire == nullptr) return kNone;
    }
    return kNone;
}

// ---------------------------------------------------------------------------
// Routing

void CHOXConnect::Reroute()
{
    m_points.clear();
    CHOXSymbol* source = FindSymbol(m_nSourceId);
    if (source == nullptr) return;
    CHOXPin* pin = source->GetPin(m_nSourcePin);
    if (pin == nullptr) return;
    pin->SetLinkId(m_nId);
    const CPoint start = source->GetPinPosition(m_nSourcePin);

    CPoint end;
    const CHOXSymbol* target = nullptr;
    if (IsNodeTarget()) {
        const CHOXNode* node = FindNode(m_nTargetId);
        if (node == nullptr) return;
        end = CentreOf(node->GetRect());
    } else {
        target = FindSymbol(m_nTargetId);
        CHOXPin* input = target != nullptr ? target->GetPin(0) : nullptr;
        if (input == nullptr) return;
        input->SetLinkId(m_nId);
        end = target->GetPinPosition(0);
    }
    const std::vector<CPoint> corners =
        Corners(source->GetRect(), start, end, target != nullptr ? &target->GetRect() : nullptr, IsSideExit());
    m_points.reserve(corners.size() + 2);
    m_points.push_back(start);
    m_points.insert(m_points.end(), corners.begin(), corners.end());
    m_points.push_back(end);
    RecomputeBounds();
}

void CHOXConnect::RerouteAll()
{
    Reroute();
    PlaceMarkerAndNode();
}

void CHOXConnect::PlaceMarkerAndNode()
{
    if (m_points.size() < 2) return;
    if (m_pJumpEnd) m_pJumpEnd->SetRect(SquareAround(m_points[1], 5));
    if (CHOXNode* node = FindNode(m_nNodeId)) node->MoveTo(SquareAround(NodePosOnSegment(m_nNodeSegment), 5), nullptr);
}

CPoint CHOXConnect::NodePosOnSegment(int k) const
{
    const CHOXNode* node = FindNode(m_nNodeId);
    if (node == nullptr || m_points.size() < 2) return CPoint(0, 0);
    const int last = static_cast<int>(m_points.size()) - 2;
    k = std::clamp(k, 0, last);
    const CPoint a = m_points[static_cast<std::size_t>(k)];
    const CPoint b = m_points[static_cast<std::size_t>(k) + 1];
    const I64 low = std::min(a.y, b.y);
    const I64 high = std::max(a.y, b.y);
    const I64 c = CentreOf(node->GetRect()).y;
    if (c >= low + 10 && c <= high - 10) return Pt(a.x, c);
    return Pt(a.x, (low + high) / 2);
}

bool CHOXConnect::HitsRect(const CRect& rect) const
{
    for (std::size_t k = 0; k + 1 < m_points.size(); ++k)
        if (Meets(SegmentBox(m_points[k], m_points[k + 1], 5), rect)) return true;
    return false;
}

int CHOXConnect::SegmentAt(const CRect& rect) const
{
    for (std::size_t k = 0; k + 1 < m_points.size(); ++k)
        if (Meets(SegmentBox(m_points[k], m_points[k + 1], 1), rect)) return static_cast<int>(k);
    return -1;
}

bool CHOXConnect::NodePointAt(CPoint point, CPoint* nodePoint) const
{
    const CRect square = SquareAround(point, 3);
    for (std::size_t k = 0; k + 1 < m_points.size(); ++k) {
        const CPoint a = m_points[k];
        const CPoint b = m_points[k + 1];
        if (!Meets(SegmentBox(a, b, 5), square)) continue;
        if (a.y == b.y) return false;
        *nodePoint = CPoint(a.x, point.y);
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------
// Following moved symbols and nodes

bool CHOXConnect::NeedsReroute(DWORD id, int pin, bool isSymbol) const
{
    const CHOXSymbol* source = FindSymbol(m_nSourceId);
    const CHOXDrawObj* moved = isSymbol ? static_cast<const CHOXDrawObj*>(FindSymbol(id)) : FindNode(id);
    const CHOXDrawObj* target =
        IsNodeTarget() ? static_cast<const CHOXDrawObj*>(FindNode(m_nTargetId)) : FindSymbol(m_nTargetId);
    if (source == nullptr || moved == nullptr || target == nullptr || m_points.size() < 2) return true;
    const CPoint p0 = m_points.front();
    const CPoint p1 = m_points[1];
    const CPoint pm = m_points[m_points.size() - 2];
    const CPoint pn = m_points.back();
    if (const CHOXBaseRect* sheet = m_pWnd != nullptr ? m_pWnd->GetBaseRect() : nullptr) {
        const CRect& s = sheet->GetRect();
        if (I64(p1.y) > I64(s.bottom) - 15 || I64(pm.y) < I64(s.top) + 15 || I64(p1.x) > I64(s.right) - 15) return true;
    }
    if (!isSymbol) return std::llabs(I64(p0.y) - pn.y) < 7 || std::llabs(I64(pn.x) - pm.x) < 30;

    const I64 ny = static_cast<const CHOXSymbol*>(moved)->GetPinPosition(pin).y;
    const bool side = IsSideExit();
    if (id == m_nSourceId) {
        if (side) return I64(p1.x) - p0.x < 7;
        if (p0.y >= p1.y) return ny <= I64(p1.y) + 15;
        if (ny >= I64(p1.y) - 7) return true;
        const I64 ty = target->GetRect().top;
        return ny + 30 < ty && p1.y >= ty && ny < pm.y;
    }
    if (!IsNodeTarget() && id == m_nTargetId) {
        const I64 qy = source->GetPinPosition(m_nSourcePin).y;
        if (side) return I64(p1.x) - p0.x < 7 || I64(pn.y) - 7 <= pm.y;
        if (pn.y > pm.y) return ny <= I64(pm.y) + 7 || (ny - 30 > qy && pm.y <= qy && ny > p1.y);
        return ny >= I64(pm.y) - 15;
    }
    // Neither of its ends: the links disagree, so route from scratch.
    return true;
}

void CHOXConnect::MoveEnd(DWORD id, int pin, bool isSymbol)
{
    if (m_points.size() < 2) return;
    CPoint& p0 = m_points.front();
    CPoint& p1 = m_points[1];
    CPoint& pm = m_points[m_points.size() - 2];
    CPoint& pn = m_points.back();
    if (isSymbol) {
        const CHOXSymbol* symbol = FindSymbol(id);
        if (symbol == nullptr) return;
        if (id == m_nSourceId) {
            const CPoint n = symbol->GetPinPosition(pin);
            p0 = n;
            // The first segment stays vertical (horizontal for a side exit).
            if (IsSideExit()) {
                p1.y = n.y;
            } else {
                p1.x = n.x;
            }
        } else if (!IsNodeTarget() && id == m_nTargetId) {
            const CPoint n = symbol->GetPinPosition(0);
            pn = n;
            pm.x = n.x;
        } else {
            return;
        }
    } else {
        const CHOXNode* node = FindNode(id);
        if (node == nullptr) return;
        const CPoint c = CentreOf(node->GetRect());
        pn = c;
        pm.y = c.y;
    }
    PlaceMarkerAndNode();
    RecomputeBounds();
}

void CHOXConnect::MoveSegment(int k, int x, int y)
{
    const int count = static_cast<int>(m_points.size());
    if (k < 1 || k > count - 1) return;
    CPoint& a = m_points[static_cast<std::size_t>(k) - 1];
    CPoint& b = m_points[static_cast<std::size_t>(k)];
    const CHOXBaseRect* sheet = m_pWnd != nullptr ? m_pWnd->GetBaseRect() : nullptr;
    const CRect s = sheet != nullptr ? sheet->GetRect() : CRect(INT32_MIN + 15, INT32_MIN + 15, INT32_MAX - 15, INT32_MAX - 15);
    if (a.x == b.x && a.y != b.y) {
        a.x = b.x = Limit(x, I64(s.left) + 15, I64(s.right) - 15);
    } else if (a.y == b.y) {
        a.y = b.y = Limit(y, I64(s.top) + 15, I64(s.bottom) - 15);
    } else {
        return;
    }
    PlaceMarkerAndNode();
    RecomputeBounds();
}

// ---------------------------------------------------------------------------
// Handles, drawing and the mouse

int CHOXConnect::GetHandleCount() const { return static_cast<int>(m_points.size()); }

CPoint CHOXConnect::GetHandle(int n) const
{
    if (n < 1 || n > GetHandleCount()) return m_position.TopLeft();
    return m_points[static_cast<std::size_t>(n) - 1];
}

void CHOXConnect::Draw(CDC* pDC)
{
    const QPen oldPen = pDC->SelectPen(MakePen(m_nPenStyle, m_nPenWidth, RGB(0, 0, 0)));
    for (std::size_t k = 0; k + 1 < m_points.size(); ++k) {
        pDC->MoveTo(m_points[k]);
        pDC->LineTo(m_points[k + 1]);
    }
    pDC->SelectPen(oldPen);
    if (CHOXNode* node = FindNode(m_nNodeId)) node->Draw(pDC);
    if (m_nTargetKind == kTargetNode && m_pJumpEnd) m_pJumpEnd->Draw(pDC);
}

int CHOXConnect::HitTest(CPoint point, const CHOXView* view) const
{
    if (view == nullptr) return 0;
    const int count = GetHandleCount();
    for (int k = 1; k < count; ++k) {
        const CRect first = GetHandleRect(k, view);
        const CRect second = GetHandleRect(k + 1, view);
        CRect area;
        bool vertical = false;
        if (first.left == second.left) {
            area = CRect(first.left, first.top, first.right, second.bottom).Normalized();
            vertical = true;
        } else if (first.top == second.top) {
            area = CRect(first.left, first.top, second.right, first.bottom).Normalized();
        } else {
            continue;
        }
        if (!area.PtInRect(point)) continue;
        m_nGrabbedSegment = k;
        // The first and last segments stay on their pins.
        if (k == 1 || k == count - 1) return 0;
        return vertical ? kVerticalSegment : kHorizontalSegment;
    }
    return 0;
}

void CHOXConnect::MoveHandleTo(int n, CPoint point, CHOXView* view)
{
    CRect r = m_position;
    if (n == 1 && !m_points.empty()) {
        m_points[0] = point;
        r.left = point.x;
        r.top = point.y;
    } else if ((n == 2 || n == GetHandleCount()) && m_points.size() > 1) {
        m_points[1] = point;
        r.right = point.x;
        r.bottom = point.y;
    }
    MoveTo(r, view);
}

void CHOXConnect::OnLButtonDown(CHOXView* view, UINT flags, CPoint point)
{
    const CPoint p = view->ClientToDoc(point);
    m_ptDragStart = p;
    m_nCurrentHandle = HitTest(p, view);
    view->m_nTracking = m_nCurrentHandle == kVerticalSegment || m_nCurrentHandle == kHorizontalSegment ? 1 : 0;
    CHOXDrawObj::OnLButtonDown(view, flags, point);
}

void CHOXConnect::OnMouseMove(CHOXView* view, UINT, CPoint point)
{
    const CPoint p = view->ClientToDoc(point);
    if (!view->HasCapture()) {
        const int hit = HitTest(p, view);
        view->SetCursor(hit == kVerticalSegment ? Cursor::SizeWE : hit == kHorizontalSegment ? Cursor::SizeNS : Cursor::Arrow);
        return;
    }
    if (p == m_ptDragStart) return;
    bool segmentDragged = false;
    if (m_nCurrentHandle == 1 || m_nCurrentHandle == 2) {
        // The loose end of a wire being drawn follows the mouse.
        m_nPenStyle = PS_DOT;
        MoveHandleTo(m_nCurrentHandle, p, view);
        SetModified();
        UpdateAllViews();
        const CRect visible = view->ClientToDoc(view->GetClientRect());
        CPoint scroll = view->GetScrollPosition();
        auto step = [](I64 docDelta, int num, int den) { return den != 0 ? docDelta * num / den : docDelta; };
        const I64 bottom = m_position.bottom;
        const I64 right = m_position.right;
        if (bottom > I64(visible.bottom) - 15) {
            scroll.y = Sat(scroll.y + step(bottom - visible.bottom + 15, view->ZoomNumY(), view->ZoomDenY()));
        } else if (bottom < I64(visible.top) + 15) {
            scroll.y = Sat(scroll.y - step(I64(visible.top) - bottom + 15, view->ZoomNumY(), view->ZoomDenY()));
        }
        if (right > I64(visible.right) - 15) {
            scroll.x = Sat(scroll.x + step(right - visible.right + 15, view->ZoomNumX(), view->ZoomDenX()));
        } else if (right < I64(visible.left) + 15) {
            scroll.x = Sat(scroll.x - step(I64(visible.left) - right + 15, view->ZoomNumX(), view->ZoomDenX()));
        }
        scroll.x = std::max<LONG>(scroll.x, 0);
        scroll.y = std::max<LONG>(scroll.y, 0);
        if (scroll != view->GetScrollPosition()) view->ScrollToPosition(scroll);
    } else if (view->m_nTracking != 0) {
        const CHOXSymbol* source = FindSymbol(m_nSourceId);
        const CHOXPin* pin = source != nullptr ? source->GetPin(m_nSourcePin) : nullptr;
        const int last = GetHandleCount() - 1;
        if (pin != nullptr && pin->GetLinkId() == m_nId && m_nGrabbedSegment != 1 && m_nGrabbedSegment != last) {
            MoveSegment(m_nGrabbedSegment, p.x, p.y);
            view->SetCursor(m_nCurrentHandle == kVerticalSegment ? Cursor::SizeWE : Cursor::SizeNS);
            segmentDragged = true;
        }
    }
    UpdateAllViews();
    if (!segmentDragged) view->SetCursor(Cursor::Arrow);
}

void CHOXConnect::OnLButtonUp(CHOXView* view, UINT, CPoint)
{
    if (view->HasCapture() && view->m_nTracking == 0 && m_pWnd != nullptr && m_pWnd->GetDocument() != nullptr)
        m_pWnd->GetDocument()->UpdateAllViews(view);
    m_nPenStyle = PS_INSIDEFRAME;
    m_nPenWidth = 2;
    view->ReleaseCapture();
    view->Select(this);
    view->m_nTracking = 0;
    view->SetCursor(Cursor::Arrow);
    RecomputeBounds();
}

void CHOXConnect::OnOpen(UINT, CPoint point)
{
    CHOXFlowWnd* wnd = FlowWnd();
    if (wnd == nullptr) return;
    CHOXDoc* doc = wnd->GetDocument();
    CHOXView* view = wnd->GetView();
    CPoint nodePoint;
    if (!NodePointAt(point, &nodePoint)) {
        if (view != nullptr) view->Invalidate();
        return;
    }
    if (m_nNodeId != kNone) return;
    const CHOXSymbol* target = IsNodeTarget() ? nullptr : FindSymbol(m_nTargetId);
    if (IsNodeTarget() || (target != nullptr && target->GetObjectType() == objtype::kFlowJump)) {
        AfxMessageBox(QStringLiteral("ERROR :  Cannot create Node on this Wire Object."), MB_OK | MB_ICONHAND);
        return;
    }
    CHOXSymbol* pointer = chart::AsPointerSymbol(FindSymbol(m_nSourceId));
    int offered = -1;
    bool taken = false;
    if (pointer != nullptr) {
        offered = pointer->GetPointerNumber();
    } else if (doc != nullptr) {
        offered = doc->AllocPointerNumber();
        taken = offered != -1;
    }
    CHOXNodeDlg dlg(wnd, offered, taken);
    const int result = dlg.DoModal();
    if (result != IDOK) {
        // A dialog that never ran could not give its number back.
        if (result == -1 && taken && doc != nullptr) doc->FreePointerNumber(offered);
        return;
    }
    const int number = dlg.GetNumber();
    if (number < 0 || wnd->LookupNode(static_cast<WORD>(number)) != nullptr) return;

    const CRect square = SquareAround(nodePoint, 5);
    auto node = std::make_unique<CHOXNode>(static_cast<DWORD>(number), square, m_nId, wnd);
    m_nNodeSegment = SegmentAt(square);
    if (pointer != nullptr) {
        const std::int32_t former = pointer->GetPointerNumber();
        pointer->SetPointerNumber(number);
        if (former != number)
            AfxMessageBox(QStringLiteral("Caution :Pointer Number of FlowPointer symbol is also updated"),
                          MB_OK | MB_ICONINFORMATION);
    }
    CHOXNode* placed = node.get();
    wnd->AddNode(std::move(node));
    m_nNodeId = static_cast<DWORD>(number);
    if (wnd->GetUndo() != nullptr) wnd->GetUndo()->RecordAdd(placed);
    SetModified();
    if (view != nullptr) view->Invalidate();
}

bool CHOXConnect::CreateNode()
{
    CHOXFlowWnd* wnd = FlowWnd();
    CHOXDoc* doc = wnd != nullptr ? wnd->GetDocument() : nullptr;
    if (doc == nullptr || m_points.size() < 2 || m_nNodeId != kNone) return false;
    const int number = doc->AllocPointerNumber();
    if (number == -1 || wnd->LookupNode(static_cast<WORD>(number)) != nullptr) return false;
    const CPoint last = m_points.back();
    const CPoint before = m_points[m_points.size() - 2];
    const CRect square = SquareAround(Pt(last.x, (I64(before.y) + last.y) / 2), 5);
    auto node = std::make_unique<CHOXNode>(static_cast<DWORD>(number), square, m_nId, wnd);
    m_nNodeSegment = SegmentAt(square);
    CHOXNode* placed = node.get();
    wnd->AddNode(std::move(node));
    m_nNodeId = static_cast<DWORD>(number);
    if (wnd->GetUndo() != nullptr) wnd->GetUndo()->RecordAdd(placed);
    return true;
}

// ---------------------------------------------------------------------------
// Taking the wire out and putting it back

void CHOXConnect::FreeSourcePin()
{
    // Only a pin that holds this wire is freed: toggling a free pin would
    // leave a stale link behind.
    const CHOXSymbol* source = FindSymbol(m_nSourceId);
    CHOXPin* pin = source != nullptr ? source->GetPin(m_nSourcePin) : nullptr;
    if (pin != nullptr && pin->GetLinkId() == m_nId) pin->SetLinkId(CHOXPin::kFree);
}

void CHOXConnect::FreeTargetPin()
{
    if (IsNodeTarget()) {
        if (CHOXNode* node = FindNode(m_nTargetId)) node->RemoveInWire(m_nId);
        return;
    }
    const CHOXSymbol* target = FindSymbol(m_nTargetId);
    CHOXPin* pin = target != nullptr ? target->GetPin(0) : nullptr;
    if (pin != nullptr && pin->GetLinkId() == m_nId) pin->SetLinkId(CHOXPin::kFree);
}

void CHOXConnect::FreeEnds()
{
    FreeSourcePin();
    FreeTargetPin();
}

std::unique_ptr<CHOXDrawObj> CHOXConnect::LeaveWireMap()
{
    CHOXFlowWnd* wnd = FlowWnd();
    if (wnd == nullptr || !chart::IsKey(m_nId) || wnd->LookupConnect(static_cast<WORD>(m_nId)) != this) return nullptr;
    return wnd->RemoveConnect(static_cast<WORD>(m_nId));
}

CHOXNode* CHOXConnect::HandNodeToUndo(DWORD nodeId)
{
    CHOXFlowWnd* wnd = FlowWnd();
    CHOXNode* node = FindNode(nodeId);
    if (node == nullptr || wnd->GetUndo() == nullptr) return nullptr;
    wnd->GetUndo()->RecordDelete(wnd->RemoveNode(static_cast<WORD>(nodeId)));
    return node;
}

void CHOXConnect::DetachLinks()
{
    FreeSourcePin();
    if (CHOXNode* node = HandNodeToUndo(m_nNodeId)) node->Release(node->GetOutWireId() == m_nId ? this : nullptr);
}

std::unique_ptr<CHOXDrawObj> CHOXConnect::Detach()
{
    DetachLinks();
    std::unique_ptr<CHOXDrawObj> self = LeaveWireMap();
    NotifyJumpSymbol(1);
    return self;
}

bool CHOXConnect::Remove()
{
    FreeTargetPin();
    DetachLinks();
    NotifyJumpSymbol(1);
    return false;
}

std::unique_ptr<CHOXDrawObj> CHOXConnect::DetachFromSource()
{
    if (IsNodeTarget()) {
        if (CHOXNode* target = FindNode(m_nTargetId)) target->RemoveInWire(m_nId);
        // Nothing can inherit a jump to a jump: the node this wire carries
        // goes with it.
        if (CHOXNode* node = HandNodeToUndo(m_nNodeId)) node->Release(node->GetOutWireId() == m_nId ? this : nullptr);
    } else {
        FreeTargetPin();
        if (FindNode(m_nNodeId) != nullptr) {
            CHOXConnect* heir = NearestIncomingWire();
            if (heir == nullptr || heir->GetSourceId() == m_nTargetId) {
                if (CHOXNode* node = HandNodeToUndo(m_nNodeId))
                    node->Release(node->GetOutWireId() == m_nId ? this : nullptr);
            } else {
                heir->SetTarget(m_nTargetId, kTargetSymbol);
                heir->RerouteAll();
                heir->TakeNode(m_nNodeId);
            }
        }
    }
    std::unique_ptr<CHOXDrawObj> self = LeaveWireMap();
    NotifyJumpSymbol(1);
    return self;
}

CHOXConnect* CHOXConnect::NearestIncomingWire() const
{
    const CHOXNode* node = FindNode(m_nNodeId);
    if (node == nullptr) return nullptr;
    CHOXConnect* nearest = nullptr;
    double shortest = 0;
    for (DWORD id : node->GetInWires()) {
        CHOXConnect* wire = FindWire(id);
        if (wire == nullptr || wire->m_points.empty()) continue;
        const double dx = double(wire->m_points.back().x) - wire->m_points.front().x;
        const double dy = double(wire->m_points.back().y) - wire->m_points.front().y;
        const double distance = std::sqrt(dx * dx + dy * dy);
        if (nearest == nullptr || distance < shortest) {
            nearest = wire;
            shortest = distance;
        }
    }
    return nearest;
}

void CHOXConnect::TakeNode(DWORD nodeId)
{
    CHOXNode* node = FindNode(nodeId);
    if (node == nullptr) return;
    CHOXDoc* doc = m_pWnd->GetDocument();
    node->RemoveInWire(m_nId);
    node->SetOutWireId(m_nId);
    const CHOXSymbol* pointer = chart::AsPointerSymbol(FindSymbol(m_nSourceId));
    if (pointer != nullptr && pointer->GetPointerNumber() >= 0) {
        // The node now sits on the POINTER's wire and takes its number.
        const std::int32_t number = pointer->GetPointerNumber();
        if (doc != nullptr) doc->FreePointerNumber(static_cast<int>(node->GetId()));
        node->Renumber(static_cast<DWORD>(number));
        if (doc != nullptr) doc->MarkPointerNumberUsed(number);
    } else {
        m_nNodeId = node->GetId();
        if (doc != nullptr) doc->MarkPointerNumberUsed(static_cast<int>(node->GetId()));
    }
    m_nNodeSegment = IsSideExit() ? 1 : 0;
    const CPoint pos = NodePosOnSegment(m_nNodeSegment);
    node->MoveTo(CRect(Pt(pos.x - I64(5), pos.y + I64(5)), Pt(pos.x + I64(5), pos.y + I64(15))), nullptr);
}

void CHOXConnect::RestoreLinks()
{
    CHOXSymbol* source = FindSymbol(m_nSourceId);
    if (CHOXPin* pin = source != nullptr ? source->GetPin(m_nSourcePin) : nullptr) pin->SetLinkId(m_nId);
    if (IsNodeTarget()) {
        if (CHOXNode* node = FindNode(m_nTargetId)) {
            const auto& in = node->GetInWires();
            if (std::find(in.begin(), in.end(), m_nId) == in.end()) node->AddInWire(m_nId);
        }
    } else if (CHOXSymbol* target = FindSymbol(m_nTargetId)) {
        if (CHOXPin* input = target->GetPin(0)) {
            const DWORD held = input->GetLinkId();
            input->SetLinkId(m_nId);
            // The wire that inherited the target while this one was away.
            CHOXConnect* other = held != CHOXPin::kFree && held != m_nId ? FindWire(held) : nullptr;
            CHOXNode* node = other != nullptr ? FindNode(other->GetNodeId()) : nullptr;
            if (node != nullptr) TakeNodeBack(other, node, source);
        }
    }
    NotifyJumpSymbol(0);
    RerouteAll();
}

void CHOXConnect::TakeNodeBack(CHOXConnect* other, CHOXNode* node, CHOXSymbol* source)
{
    CHOXDoc* doc = m_pWnd->GetDocument();
    node->SetOutWireId(m_nId);
    CHOXSymbol* mine = chart::AsPointerSymbol(source);
    const CHOXSymbol* theirs = chart::AsPointerSymbol(FindSymbol(other->GetSourceId()));
    if (mine == nullptr) {
        int number = static_cast<int>(m_nNodeId);
        if (theirs != nullptr && doc != nullptr && doc->IsPointerNumberUsed(number)) number = doc->AllocPointerNumber();
        if (number >= 0) {
            node->Renumber(static_cast<DWORD>(number));
            if (doc != nullptr) doc->MarkPointerNumberUsed(number);
        }
    } else if (theirs != nullptr) {
        if (mine->GetPointerNumber() >= 0) node->Renumber(static_cast<DWORD>(mine->GetPointerNumber()));
    } else {
        mine->SetPointerNumber(static_cast<std::int32_t>(other->GetNodeId()));
    }
    // The wire names the node by its number, whichever way it was settled.
    m_nNodeId = node->GetId();
    other->m_nNodeId = kNone;
    other->m_nNodeSegment = -1;
    other->SetTarget(node->GetId(), kTargetNode);
    node->AddInWire(other->m_nId);
    if (other->m_pJumpEnd) other->m_pJumpEnd->SetPointerNumber(static_cast<std::int32_t>(node->GetId()));
    other->RerouteAll();
}

void CHOXConnect::RestoreJumpChain()
{
    NotifyJumpSymbol(1);
    CHOXNode* node = FindNode(m_nNodeId);
    if (node == nullptr || FindWire(node->GetOutWireId()) != nullptr || IsNodeTarget()) return;
    CHOXConnect* heir = NearestIncomingWire();
    if (heir == nullptr) return;
    heir->SetTarget(m_nTargetId, kTargetSymbol);
    heir->TakeNode(m_nNodeId);
    heir->RerouteAll();
}

void CHOXConnect::NotifyJumpSymbol(int mode)
{
    if (IsNodeTarget()) return;
    CHOXSymbol* source = FindSymbol(m_nSourceId);
    CHOXSymbol* target = FindSymbol(m_nTargetId);
    const auto asJump = [](CHOXSymbol* symbol) {
        return symbol != nullptr && symbol->GetObjectType() == objtype::kFlowJump ? symbol : nullptr;
    };
    CHOXSymbol* jumpAtTarget = asJump(target);
    CHOXSymbol* jumpAtSource = asJump(source);
    if (source != nullptr && target != nullptr) {
        if (m_nSourcePin != 2) return;
        if (jumpAtTarget != nullptr) {
            jumpAtTarget->SetCaptionMode(mode);
        } else if (jumpAtSource != nullptr) {
            jumpAtSource->SetCaptionMode(mode);
        }
    } else if (jumpAtTarget != nullptr) {
        jumpAtTarget->SetCaptionMode(mode);
    } else if (jumpAtSource != nullptr) {
        jumpAtSource->SetCaptionMode(mode);
    }
}
