// Wires: handles, drawing and the mouse.
#include "chart/HOXConnect.h"

#include "app/HOXDoc.h"
#include "chart/ChartLookup.h"
#include "chart/HOXJumpEndBase.h"
#include "chart/HOXNode.h"
#include "chart/HOXNodeDlg.h"
#include "chart/HOXPin.h"
#include "chart/HOXSymbol.h"
#include "chart/HOXUndo.h"
#include "chart/HOXView.h"
#include "chart/WireGeometry.h"
#include "platform/DC.h"
#include "platform/Messages.h"

using chart::Pt;
using chart::Sat;
using namespace chart::wire;

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
