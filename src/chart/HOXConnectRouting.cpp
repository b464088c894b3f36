// Wires: routing along the corner table, and following moved symbols and
// nodes.
#include "chart/HOXConnect.h"

#include "chart/ChartLookup.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXJumpEndBase.h"
#include "chart/HOXNode.h"
#include "chart/HOXPin.h"
#include "chart/HOXSymbol.h"
#include "chart/WireGeometry.h"

using chart::Pt;
using chart::Sat;
using namespace chart::wire;

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
