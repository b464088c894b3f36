#include "chart/HOXView.h"

#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "app/ProgramState.h"
#include "chart/ChartLookup.h"
#include "chart/FrameHooks.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXDrawObj.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXSymbol.h"
#include "chart/HOXUndo.h"
#include "chart/HOXWnd.h"
#include "chart/ObjectKinds.h"
#include "platform/DC.h"
#include "platform/MDI.h"
#include "platform/Strings.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace {
// Coordinates read from a file may stand at the ends of the 32-bit range;
// what is worked out from them stops there rather than wrapping.
LONG Clamped(long long v) { return static_cast<LONG>(std::clamp<long long>(v, INT32_MIN, INT32_MAX)); }

// a * b / c rounded to the nearest integer, halves away from zero.
LONG Scale(long long a, LONG b, LONG c)
{
    if (c == 0) return Clamped(a);
    const long long n = a * b;
    const long long q = (std::llabs(n) * 2 + std::llabs(c)) / (2 * std::llabs(static_cast<long long>(c)));
    return Clamped(((n < 0) != (c < 0)) ? -q : q);
}
} // namespace

std::int32_t& CHOXView::s_nOutOfSheetWarned = Program().editing.outOfSheetWarned;
std::int32_t& CHOXView::s_nToolMode = Program().editing.toolMode;
UINT& CHOXView::s_nCurrentTool = Program().editing.currentTool;
std::int32_t& CHOXView::s_nToolChosen = Program().editing.toolChosen;
std::int32_t& CHOXView::s_nDropRefused = Program().editing.dropRefused;
std::int32_t& CHOXView::s_nSubtaskStartMoved = Program().editing.subtaskStartMoved;

CHOXView::CHOXView()
{
    OnCommandRange(ID_ZOOM_200, ID_ZOOM_10, [this](UINT id) { OnZoom(id); });
    OnCommand(ID_ZOOM_BOX, [this] { OnZoomComboSelChange(); });
    OnUpdateRange(ID_ZOOM_200, ID_ZOOM_10, [this](CCmdUI* ui) { UpdateZoomItem(ui); });
    CCmdTarget::OnUpdate(ID_ZOOM_BOX, [this](CCmdUI* ui) { UpdateZoomItem(ui); });
    // The palette's tools: three runs of ids with gaps between them.
    for (const auto& [first, last] : {std::pair{ID_TOOL_FLOW_START, ID_TOOL_FLOW_POINTER},
                                      std::pair{ID_TOOL_CODE_DRV, ID_TOOL_CODE_MCODE},
                                      std::pair{ID_TOOL_FUNC_REPEAT, ID_TOOL_FUNC_SETRST}})
        OnCommandRange(first, last, [this](UINT id) { OnToolSelected(id); });
    RegisterEditCommands();
}
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
    return {Scale(static_cast<long long>(point.x) + scroll.x, m_nZoomDenX, m_nZoomNumX),
            Scale(static_cast<long long>(point.y) + scroll.y, m_nZoomDenY, m_nZoomNumY)};
}

CRect CHOXView::ClientToDoc(const CRect& rect) const
{
    return CRect(ClientToDoc(rect.TopLeft()), ClientToDoc(rect.BottomRight())).Normalized();
}

CPoint CHOXView::DocToClient(CPoint point) const
{
    const CPoint scroll = GetScrollPosition();
    return {Clamped(static_cast<long long>(Scale(point.x, m_nZoomNumX, m_nZoomDenX)) - scroll.x),
            Clamped(static_cast<long long>(Scale(point.y, m_nZoomNumY, m_nZoomDenY)) - scroll.y)};
}

CRect CHOXView::DocToClient(const CRect& rect) const
{
    return CRect(DocToClient(rect.TopLeft()), DocToClient(rect.BottomRight())).Normalized();
}

void CHOXView::ShowRecord(CHOXWnd* wnd)
{
    m_pWnd = wnd;
    if (wnd != nullptr) wnd->SetView(this);
}

void CHOXView::InvalObj(const CHOXDrawObj* object)
{
    const CRect r = DocToClient(object->m_position);
    InvalidateRect(CRect(Clamped(static_cast<long long>(r.left) - 5), Clamped(static_cast<long long>(r.top) - 5),
                         Clamped(static_cast<long long>(r.right) + 5), Clamped(static_cast<long long>(r.bottom) + 5)),
                   false);
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

// ---------------------------------------------------------------------------

CHOXWnd* CHOXView::GetWnd() const
{
    if (m_pWnd != nullptr) return m_pWnd;
    auto* doc = dynamic_cast<CHOXDoc*>(GetDocument());
    if (doc == nullptr) return nullptr;
    if (GetViewType() == objtype::kFlowView) return doc->FindWindowByView(this);
    return doc->GetMonitorRecord();
}

QString CHOXView::GetWindowName() const
{
    CHOXApp* app = CHOXApp::Get();
    CMDIChildWnd* frame = app != nullptr ? app->FrameOfView(this) : nullptr;
    if (frame == nullptr) return {};
    QString title = frame->GetWindowText();
    const QString monitorMode = LoadStr(IDS_MONITOR_MODE_SUFFIX);
    if (!monitorMode.isEmpty() && title.endsWith(monitorMode)) return title.chopped(monitorMode.size());
    while (title.startsWith(u' ')) title.remove(0, 1);
    return title;
}

void CHOXView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    SetScrollSizes(CSize(100, 100));
    SetZoom(100, 100, 100, 100);
}

void CHOXView::OnActivateView(bool activate)
{
    FrameHooks* frame = GetFrameHooks();
    if (activate && GetWnd() != nullptr && frame != nullptr) frame->SetZoomBoxSelection(GetWnd()->GetZoomIndex());
    CHOXApp* app = CHOXApp::Get();
    if (app == nullptr) return;
    if (CDocument* doc = GetDocument(); doc != nullptr && !doc->GetPathName().isEmpty()) {
        app->SetMainTitle(doc->GetPathName());
    } else {
        app->SetMainTitleUntitled();
    }
}

void CHOXView::SetPageSize(int cx, int cy)
{
    SetScrollSizes(CSize(cx, cy));
    if (GetDocument() != nullptr) GetDocument()->UpdateAllViews(nullptr);
}

void CHOXView::DeselectWiresAndNodes()
{
    std::erase_if(m_selection, [](const CHOXDrawObj* o) {
        const int type = o->GetObjectType();
        return type == objtype::kConnect || type == objtype::kNode;
    });
}

void CHOXView::OnToolSelected(UINT id)
{
    if (id < ID_TOOL_FIRST || id > ID_TOOL_LAST) return;
    // A chosen tool is placed with the next press, whatever mode was on
    // (the wire tool included).
    s_nToolMode = toolmode::kPlace;
    s_nCurrentTool = id;
    s_nToolChosen = 1;
    Select(nullptr);
}

std::unique_ptr<CHOXDrawObj> CHOXView::CreateSymbol(CPoint point)
{
    CHOXWnd* wnd = GetWnd();
    if (wnd == nullptr) return nullptr;
    return kinds::MakeForTool(s_nCurrentTool, point, wnd);
}

void CHOXView::OnZoom(UINT id)
{
    const int index = id >= ID_ZOOM_150 && id <= ID_ZOOM_10 ? static_cast<int>(id - ID_ZOOM_200) : 0;
    ApplyZoomIndex(index);
}

void CHOXView::OnZoomComboSelChange()
{
    if (FrameHooks* frame = GetFrameHooks()) ApplyZoomIndex(frame->GetZoomBoxSelection());
}

void CHOXView::ApplyZoomIndex(int index)
{
    if (CHOXWnd* wnd = GetWnd()) wnd->SetZoomIndex(index);
    if (FrameHooks* frame = GetFrameHooks()) frame->SetZoomBoxSelection(index);
    SetZoomIndex(index);
}

void CHOXView::UpdateZoomItem(CCmdUI* ui)
{
    const FrameHooks* frame = GetFrameHooks();
    const int selected = frame != nullptr ? frame->GetZoomBoxSelection() : -1;
    if (ui->m_nID != ID_ZOOM_BOX)
        ui->SetCheck(selected >= 0 && ui->m_nID == ID_ZOOM_200 + static_cast<UINT>(selected) ? 1 : 0);
    auto* doc = dynamic_cast<CHOXDoc*>(GetDocument());
    ui->Enable(doc != nullptr && doc->IsEditMode());
}

CSize CHOXView::DocToClient(CSize size) const
{
    const CPoint origin = DocToClient(CPoint(0, 0));
    const CPoint extent = DocToClient(CPoint(size.cx, size.cy));
    return {extent.x - origin.x, extent.y - origin.y};
}

void CHOXView::FitScrollSizesToSheet()
{
    CHOXWnd* wnd = GetWnd();
    if (wnd == nullptr || wnd->GetBaseRect() == nullptr) return;
    const CRect& sheet = wnd->GetBaseRect()->GetRect();
    // A sheet grown to the coordinate limit (a paste far out) keeps its
    // margin within the range.
    SetScrollSizes(DocToClient(CSize(chart::Sat(std::int64_t(sheet.right) + 15), chart::Sat(std::int64_t(sheet.bottom) + 15))));
}

void CHOXView::SetInitialPageSize()
{
    CHOXWnd* wnd = GetWnd();
    if (wnd == nullptr || wnd->GetBaseRect() == nullptr) return;
    const CRect& sheet = wnd->GetBaseRect()->GetRect();
    const std::int64_t height = std::int64_t(sheet.bottom) - sheet.top;
    if (height <= 300) {
        SetPageSize(515, 315);
    } else {
        SetPageSize(chart::Sat(std::int64_t(sheet.right) - sheet.left + 15), chart::Sat(height + 15));
    }
}

void CHOXView::DrawRecordOnPage(CDC* pDC)
{
    if (!pDC->IsPrinting()) {
        const CRect client = GetClientRect();
        QPainter& painter = pDC->Painter();
        painter.save();
        painter.resetTransform();
        painter.fillRect(QRect(client.left, client.top, client.Width(), client.Height()), Qt::white);
        painter.restore();
    }
    if (CHOXWnd* wnd = GetWnd()) wnd->Draw(pDC);
}

bool CHOXView::InvalidateForHint(std::intptr_t hint, CObject* hintObject)
{
    switch (hint) {
    case 0: Invalidate(false); return true;
    case 1:
        if (auto* object = dynamic_cast<CHOXDrawObj*>(hintObject)) InvalObj(object);
        return true;
    case 2:
        for (CHOXDrawObj* object : m_selection) InvalObj(object);
        return true;
    case 3:
        for (CHOXDrawObj* object : std::vector<CHOXDrawObj*>(m_selection)) {
            InvalObj(object);
            Deselect(object);
        }
        return true;
    default: return false;
    }
}

bool CHOXView::SheetMouseDown(UINT flags, CPoint point)
{
    s_nOutOfSheetWarned = 0;
    CHOXWnd* wnd = GetWnd();
    if (wnd == nullptr || wnd->GetBaseRect() == nullptr) return false;
    CHOXBaseRect* sheet = wnd->GetBaseRect();
    sheet->OnLButtonDown(this, flags, point);
    return sheet->IsOnResizeHandle();
}

void CHOXView::SheetMouseMove(UINT flags, CPoint point)
{
    CHOXWnd* wnd = GetWnd();
    if (wnd != nullptr && wnd->GetBaseRect() != nullptr) wnd->GetBaseRect()->OnMouseMove(this, flags, point);
}

bool CHOXView::SheetMouseUp(UINT flags, CPoint point)
{
    s_nOutOfSheetWarned = 0;
    CHOXWnd* wnd = GetWnd();
    if (wnd == nullptr || wnd->GetBaseRect() == nullptr) return false;
    CHOXBaseRect* sheet = wnd->GetBaseRect();
    // Held since the press: no hit test runs while the mouse is captured.
    const bool held = sheet->IsOnResizeHandle();
    sheet->OnLButtonUp(this, flags, point);
    return held;
}

void CHOXView::DrawOverlay(CDC* pDC)
{
    if (pDC->IsPrinting() || (m_nBandActive == 0 && m_nDragFeedback == 0)) return;
    // Drawn over the chart rather than inverted into it: each repaint shows
    // the band, or the outline of what a drag would drop, as it stands.
    const QPen oldPen = pDC->SelectPen(MakePen(PS_DOT, 0, RGB(0, 0, 0)));
    const QBrush oldBrush = pDC->SelectBrush(QBrush(Qt::NoBrush));
    if (m_nBandActive != 0) pDC->Rectangle(BandRect());
    if (m_nDragFeedback != 0) pDC->Rectangle(DragFeedbackRect());
    pDC->SelectPen(oldPen);
    pDC->SelectBrush(oldBrush);
}

void CHOXView::StartBand(CPoint docPoint)
{
    Select(nullptr);
    m_ptBandStart = CPoint(Clamped(std::int64_t(docPoint.x) + 1), Clamped(std::int64_t(docPoint.y) + 1));
    m_ptBandEnd = m_ptBandStart;
    InvalidateBand();
    m_nBandActive = 1;
    SetCapture();
}

void CHOXView::MoveBand(CPoint docPoint)
{
    InvalidateBand();
    // The band stops at the sheet's right and bottom edges.
    CPoint end = docPoint;
    const CHOXWnd* wnd = GetWnd();
    if (wnd != nullptr && wnd->GetBaseRect() != nullptr) {
        end.x = std::min(end.x, wnd->GetBaseRect()->GetRect().right);
        end.y = std::min(end.y, wnd->GetBaseRect()->GetRect().bottom);
    }
    m_ptBandEnd = end;
    InvalidateBand();
}

CRect CHOXView::EndBand()
{
    InvalidateBand();
    m_nBandActive = 0;
    return BandRect();
}

CRect CHOXView::BandRect() const { return CRect(m_ptBandStart, m_ptBandEnd).Normalized(); }

void CHOXView::InvalidateBand()
{
    CRect r = DocToClient(BandRect());
    r.InflateRect(2, 2);
    InvalidateRect(r, false);
}

bool CHOXView::IsDocumentShown()
{
    CHOXApp* app = CHOXApp::Get();
    CHOXDoc* doc = app != nullptr ? app->GetDocument() : nullptr;
    if (doc == nullptr) return false;
    for (const CView* view : doc->GetViews()) {
        const CMDIChildWnd* frame = app->FrameOfView(view);
        if (frame != nullptr && frame->IsWindowVisible()) return true;
    }
    return false;
}
