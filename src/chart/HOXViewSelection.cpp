// What the flow-chart and monitor views share of the selection by mouse and
// keyboard: Shift-click and the arrow keys.
#include "chart/HOXView.h"

#include "app/HOXDoc.h"
#include "chart/ChartLookup.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXConnect.h"
#include "chart/HOXNode.h"
#include "chart/HOXWnd.h"

#include <vector>

namespace {
bool IsNode(const CHOXDrawObj* object) { return object != nullptr && object->GetObjectType() == objtype::kNode; }
bool IsWire(const CHOXDrawObj* object) { return object != nullptr && object->GetObjectType() == objtype::kConnect; }
bool IsArrowKey(UINT key) { return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN; }
} // namespace

void CHOXView::ShiftSelect(CHOXDrawObj* object)
{
    // A wire or a node is selected alone: it starts a selection afresh and
    // leaves one when something else joins.
    if (m_selection.empty() || IsWire(m_selection.front())) {
        Select(object);
        return;
    }
    if (IsNode(m_selection.front())) Deselect(m_selection.front());
    if (IsNode(object)) {
        Select(object);
    } else if (IsSelected(object)) {
        Deselect(object);
    } else {
        Select(object, true);
    }
}

bool CHOXView::NudgeSelection(UINT key)
{
    CHOXWnd* wnd = GetWnd();
    if (!IsArrowKey(key) || wnd == nullptr || wnd->GetBaseRect() == nullptr) return true;
    if (m_selection.empty()) return false;
    const CRect sheet = wnd->GetBaseRect()->GetRect();
    for (CHOXDrawObj* object : std::vector<CHOXDrawObj*>(m_selection))
        if (!Nudge(object, key, sheet)) return false;
    if (CHOXDoc* doc = wnd->GetDocument()) {
        doc->SetModifiedFlag(true);
        doc->UpdateAllViews(nullptr, 0, nullptr);
    }
    return true;
}

bool CHOXView::Nudge(CHOXDrawObj* object, UINT key, const CRect& sheet)
{
    if (IsNode(object)) return SlideNode(static_cast<CHOXNode*>(object), key);
    // Every object keeps 14 units and the step's 3 inside the sheet.
    const CRect& r = object->GetRect();
    std::int64_t dx = 0;
    std::int64_t dy = 0;
    switch (key) {
    case VK_DOWN:
        if (std::int64_t(r.bottom) + 3 < std::int64_t(sheet.bottom) - 14) dy = 1;
        break;
    case VK_UP:
        if (std::int64_t(r.top) - 3 > std::int64_t(sheet.top) + 14) dy = -1;
        break;
    case VK_LEFT:
        if (std::int64_t(r.left) - 3 > std::int64_t(sheet.left) + 14) dx = -1;
        break;
    default:
        if (std::int64_t(r.right) + 3 < std::int64_t(sheet.right) - 14) dx = 1;
        break;
    }
    if (dx == 0 && dy == 0) return true;
    object->MoveTo(CHOXDrawObj::Shifted(r, dx, dy), this);
    object->EnsureVisible(this);
    return true;
}

bool CHOXView::SlideNode(CHOXNode* node, UINT key)
{
    // A node moves only up and down its wire.
    if (key == VK_LEFT || key == VK_RIGHT) return false;
    const CHOXConnect* wire = chart::FindWire(GetWnd(), node->GetOutWireId());
    if (wire == nullptr) return false;
    const std::vector<CPoint>& points = wire->GetPoints();
    if (points.size() < 2) return true;
    std::int64_t y1 = 0;
    std::int64_t y2 = 0;
    if (points.front().x == points.back().x) {
        y1 = points.front().y;
        y2 = points.back().y;
    } else {
        const std::int32_t k = wire->GetNodeSegment();
        // A segment the wire does not have gives the node nowhere to go.
        if (k < 0 || std::size_t(k) + 1 >= points.size()) return true;
        y1 = points[std::size_t(k)].y;
        y2 = points[std::size_t(k) + 1].y;
    }
    const CRect& r = node->GetRect();
    std::int64_t dy = 0;
    if (key == VK_DOWN) {
        if (std::int64_t(r.bottom) + 3 < (y1 < y2 ? y2 : y1)) dy = 1;
    } else if (std::int64_t(r.top) - 3 > (y1 < y2 ? y1 : y2)) {
        dy = -1;
    }
    if (dy != 0) node->MoveTo(CHOXDrawObj::Shifted(r, 0, dy), this);
    return true;
}
