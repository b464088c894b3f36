#include "chart/HOXSymbol.h"

#include "app/HOXDoc.h"
#include "chart/ChartLookup.h"
#include "chart/HOXConnect.h"
#include "chart/HOXNode.h"
#include "chart/HOXPin.h"
#include "chart/HOXUndo.h"
#include "chart/HOXView.h"
#include "chart/HOXWnd.h"
#include "chart/ObjectKinds.h"
#include "chart/SideTextScope.h"
#include "chart/SymbolSupport.h"
#include "platform/Archive.h"
#include "platform/DC.h"
#include "platform/Fonts.h"
#include "platform/Messages.h"
#include "res/StringIds.h"

#include <QStringList>

#include <algorithm>

KT_IMPLEMENT_SERIAL(CHOXSymbol, CHOXDrawObj, 0)
KT_REGISTER_KIND(CHOXSymbol, .type = objtype::kSymbol)

using chart::Pt;
using chart::Sat;

using chart::SideTextScope;

CHOXSymbol::CHOXSymbol() { Init(); }

CHOXSymbol::CHOXSymbol(CPoint topLeft, CHOXWnd* wnd)
    : CHOXDrawObj(CRect(topLeft, Pt(std::int64_t(topLeft.x) + 64, std::int64_t(topLeft.y) + 32)), wnd)
{
    Init();
}

CHOXSymbol::~CHOXSymbol() = default;

void CHOXSymbol::Init()
{
    m_nState = kNormal;
    m_nMonitorMark1 = 0;
    m_nMonitorMark2 = 0;
    m_nMonitorMark3 = 0;
    m_nDisplayComment = 1;
    m_nDisplayContents = 1;
    m_strComment.clear();
    m_strLabel.clear();
    UpdateText();
}

QFont CHOXSymbol::LabelFont() { return LinePrinterFont(14, 400); }

// ---------------------------------------------------------------------------
// Stored form

void CHOXSymbol::Serialize(CArchive& ar)
{
    CHOXDrawObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_strSymbolName << m_strComment << static_cast<DWORD>(m_nDisplayComment) << m_strLabel
           << static_cast<DWORD>(m_nDisplayContents) << static_cast<DWORD>(m_nCategory) << static_cast<DWORD>(m_nState);
        ar.WriteCount(static_cast<DWORD>(m_pins.size()));
        for (const auto& pin : m_pins) ar.WriteObject(pin.get());
        return;
    }
    QString name;
    QString comment;
    DWORD displayComment = 0;
    QString label;
    DWORD displayContents = 0;
    DWORD category = 0;
    DWORD state = 0;
    ar >> name >> comment >> displayComment >> label >> displayContents >> category >> state;
    // Each pin is at least an object tag.
    const DWORD count = ar.ReadCount(2);
    std::vector<std::unique_ptr<CHOXPin>> pins;
    pins.reserve(count);
    for (DWORD i = 0; i < count; ++i) pins.push_back(ar.ReadOwned<CHOXPin>());
    m_strSymbolName = name;
    m_strComment = comment;
    m_nDisplayComment = static_cast<std::int32_t>(displayComment);
    m_strLabel = label;
    m_nDisplayContents = static_cast<std::int32_t>(displayContents);
    m_nCategory = static_cast<std::int32_t>(category);
    m_nState = static_cast<std::int32_t>(state);
    m_pins = std::move(pins);
    for (auto& pin : m_pins)
        if (pin) pin->SetWnd(m_pWnd);
}

// ---------------------------------------------------------------------------
// Pins

CHOXPin* CHOXSymbol::GetPin(int i) const
{
    return i >= 0 && i < GetPinCount() ? m_pins[static_cast<std::size_t>(i)].get() : nullptr;
}

void CHOXSymbol::SetPinCount(int n) { m_pins.resize(static_cast<std::size_t>(std::max(0, n))); }

void CHOXSymbol::SetPin(int i, std::unique_ptr<CHOXPin> pin)
{
    if (i < 0) return;
    if (i >= GetPinCount()) SetPinCount(i + 1);
    m_pins[static_cast<std::size_t>(i)] = std::move(pin);
}

void CHOXSymbol::CreatePins()
{
    m_pins.clear();
    if (chart::IsMonitorRecord(m_pWnd)) return;
    m_pins.push_back(chart::MakePin(0, 32, 0, CHOXPin::kTop, CHOXPin::kInput, m_pWnd));
    m_pins.push_back(chart::MakePin(1, 32, 32, CHOXPin::kBottom, CHOXPin::kOutput, m_pWnd));
}

void CHOXSymbol::DeletePins()
{
    CHOXUndo* undo = m_pWnd != nullptr ? m_pWnd->GetUndo() : nullptr;
    for (auto& pin : m_pins) {
        if (!pin || pin->IsFree()) continue;
        CHOXConnect* wire = chart::FindWire(m_pWnd, pin->GetLinkId());
        if (wire == nullptr) continue;
        std::unique_ptr<CHOXDrawObj> gone = pin->IsInputSide() ? wire->Detach() : wire->DetachFromSource();
        if (gone && undo != nullptr) undo->RecordDelete(std::move(gone));
    }
    m_pins.clear();
}

CPoint CHOXSymbol::GetPinPosition(int i) const
{
    const CHOXPin* pin = GetPin(i);
    if (pin == nullptr) return CPoint(0, 0);
    return Pt(std::int64_t(m_position.left) + pin->GetOffset().x, std::int64_t(m_position.top) + pin->GetOffset().y);
}

int CHOXSymbol::FindFreePinAt(CPoint point)
{
    const std::int64_t l = m_position.left;
    const std::int64_t t = m_position.top;
    const std::int64_t r = m_position.right;
    const std::int64_t b = m_position.bottom;
    const std::int64_t d = GetSidePinInset();
    for (int i = 0; i < GetPinCount(); ++i) {
        const CHOXPin* pin = GetPin(i);
        if (pin == nullptr) continue;
        CRect area;
        switch (pin->GetKind()) {
        case CHOXPin::kTop: area = CRect(Pt(l, t - 14), Pt(r - d, t + 14)); break;
        case CHOXPin::kBottom: area = CRect(Pt(l, b - 14), Pt(r - d, b + 14)); break;
        case CHOXPin::kSideExit: area = CRect(Pt(r - 14, t + 9), Pt(r + 14, t + 23)); break;
        default: continue;
        }
        if (!area.Normalized().PtInRect(point)) continue;
        if (pin->IsFree()) return i;
        break;
    }
    AfxMessageBox(QStringLiteral("ERROR :  Pins are not vacant on this side of this Symbol."), MB_OK | MB_ICONHAND);
    if (m_pWnd != nullptr && m_pWnd->GetUndo() != nullptr) m_pWnd->GetUndo()->Clear();
    return -1;
}

bool CHOXSymbol::IsSideExitPin(int i) const
{
    const CHOXPin* pin = GetPin(i);
    return pin != nullptr && pin->GetKind() == CHOXPin::kSideExit;
}

bool CHOXSymbol::HasSideExit() const
{
    for (int i = 0; i < GetPinCount(); ++i)
        if (IsSideExitPin(i)) return true;
    return false;
}

bool CHOXSymbol::GetLinkedSymbolId(int i, DWORD* id) const
{
    const CHOXPin* pin = GetPin(i);
    if (pin == nullptr || pin->IsFree()) return false;
    const CHOXConnect* wire = chart::FindWire(m_pWnd, pin->GetLinkId());
    if (wire == nullptr) return false;
    *id = pin->IsInputSide() ? wire->GetSourceId() : wire->GetFinalTarget();
    return true;
}

CHOXSymbol* CHOXSymbol::GetLinkedSymbol(int i) const
{
    DWORD id = CHOXConnect::kNone;
    if (!GetLinkedSymbolId(i, &id)) return nullptr;
    return chart::FindSymbol(m_pWnd, id);
}

bool CHOXSymbol::GetTargetIdAt(int i, DWORD* id) const
{
    const CHOXPin* pin = GetPin(i);
    if (pin == nullptr || pin->IsInputSide() || pin->IsFree()) return false;
    if (const CHOXConnect* wire = chart::FindWire(m_pWnd, pin->GetLinkId())) *id = wire->GetTargetId();
    return true;
}

bool CHOXSymbol::IsPinWireToNode(int i) const
{
    const CHOXPin* pin = GetPin(i);
    if (pin == nullptr || pin->IsInputSide() || pin->IsFree()) return false;
    const CHOXConnect* wire = chart::FindWire(m_pWnd, pin->GetLinkId());
    return wire != nullptr && wire->GetTargetKind() != CHOXConnect::kTargetSymbol;
}

void CHOXSymbol::ClearPinLinks()
{
    for (auto& pin : m_pins)
        if (pin) pin->SetLinkId(CHOXPin::kFree);
}

void CHOXSymbol::RenumberWireNode(int n)
{
    // Only the wire at pin 0 is asked: without pin 0 there is no wire to ask.
    const CHOXPin* pin = GetPin(0);
    if (pin == nullptr) return;
    const CHOXConnect* wire = chart::FindWire(m_pWnd, pin->GetLinkId());
    if (wire == nullptr) return;
    if (CHOXNode* node = chart::FindNode(m_pWnd, wire->GetNodeId())) node->Renumber(static_cast<DWORD>(n));
}

void CHOXSymbol::AssignNewNumber()
{
    if (chart::IsFlowRecord(m_pWnd)) UpdateText();
    CalcSteps();
}

// ---------------------------------------------------------------------------
// Drawing

void CHOXSymbol::Draw(CDC* pDC)
{
    if (m_nDragging != 0) {
        const QPen oldPen = pDC->SelectPen(MakePen(PS_DOT, 1, RGB(0, 0, 0)));
        const QBrush oldBrush = pDC->SelectBrush(QBrush(Qt::NoBrush));
        pDC->Rectangle(m_position);
        pDC->SelectPen(oldPen);
        pDC->SelectBrush(oldBrush);
        return;
    }
    DrawBody(pDC);
    if (!chart::IsFlowRecord(m_pWnd)) return;
    DrawPins(pDC);
    CHOXDoc* doc = m_pWnd->GetDocument();
    const bool printing = pDC->IsPrinting();
    const bool label = printing ? doc != nullptr && doc->GetPrintContent() : m_nDisplayContents == 1;
    const bool comment = printing ? doc != nullptr && doc->GetPrintComment() : m_nDisplayComment == 1;
    if (label) PrintText(pDC);
    if (comment) DrawComment(pDC);
}

void CHOXSymbol::DrawBody(CDC* pDC)
{
    CHOXDoc* doc = m_pWnd != nullptr ? m_pWnd->GetDocument() : nullptr;
    if (doc == nullptr) return;
    doc->DrawSymbolIcon(pDC, m_strSymbolName, m_nState, m_position.TopLeft());
    if (doc->IsEditMode()) pDC->FrameRect(m_position, RGB(0, 0, 0), 1);
}

void CHOXSymbol::DrawPins(CDC* pDC)
{
    CHOXDoc* doc = m_pWnd != nullptr ? m_pWnd->GetDocument() : nullptr;
    if (doc == nullptr) return;
    for (int i = 0; i < GetPinCount(); ++i) {
        const CHOXPin* pin = GetPin(i);
        if (pin == nullptr) continue;
        const QImage& bitmap = doc->GetPinBitmap(pin->GetKind());
        if (bitmap.isNull()) continue;
        const CPoint p = GetPinPosition(i);
        const std::int64_t w = bitmap.width();
        const std::int64_t h = bitmap.height();
        CPoint at = p;
        switch (pin->GetKind()) {
        case CHOXPin::kTop: at = Pt(p.x - w / 2, p.y - h); break;
        case CHOXPin::kBottom: at = Pt(p.x - w / 2, p.y); break;
        case CHOXPin::kSideExit: at = Pt(p.x, p.y - h / 2); break;
        default: break;
        }
        const CRect target(at, Pt(std::int64_t(at.x) + w, std::int64_t(at.y) + h));
        if (pDC->IsPrinting()) pDC->FillSolidRect(target, RGB(255, 255, 255));
        pDC->DrawImage(target, bitmap);
    }
}

CPoint CHOXSymbol::GetLabelOrigin(CDC* pDC) const
{
    std::int64_t widest = 0;
    for (const QString& line : m_strLabel.split(QLatin1Char('\n'))) {
        std::int64_t width = 0;
        for (const QChar c : line) width += pDC->GetTextExtent(QString(c)).cx;
        widest = std::max(widest, width);
    }
    const std::int64_t top = m_position.top;
    return Pt(std::int64_t(m_position.left) - 2 - widest, top + (std::int64_t(m_position.bottom) - top) / 2 - 14);
}

CPoint CHOXSymbol::GetCommentOrigin() const
{
    const std::int64_t top = m_position.top;
    return Pt(std::int64_t(m_position.right) + 2, top + (std::int64_t(m_position.bottom) - top) / 2 - 14);
}

void CHOXSymbol::PrintText(CDC* pDC)
{
    if (m_strLabel.isEmpty()) return;
    SideTextScope scope(pDC, m_pWnd);
    const CPoint origin = GetLabelOrigin(pDC);
    std::int64_t y = origin.y;
    for (const QString& line : m_strLabel.split(QLatin1Char('\n'))) {
        pDC->TextOut(origin.x, Sat(y), line);
        y += 14;
    }
}

void CHOXSymbol::DrawComment(CDC* pDC)
{
    if (m_strComment.isEmpty()) return;
    SideTextScope scope(pDC, m_pWnd);
    const CPoint origin = GetCommentOrigin();
    pDC->TextOut(origin.x, origin.y, m_strComment.left(16));
}

// ---------------------------------------------------------------------------
// Mouse and moving

void CHOXSymbol::OnLButtonDown(CHOXView* view, UINT flags, CPoint point)
{
    const CPoint p = view->ClientToDoc(point);
    m_ptDragStart = p;
    m_ptPrevDrag = p;
    CHOXDrawObj::OnLButtonDown(view, flags, point);
}

void CHOXSymbol::OnMouseMove(CHOXView* view, UINT flags, CPoint point)
{
    if (!view->HasCapture()) {
        view->SetCursor(Cursor::Arrow);
        return;
    }
    const CPoint p = view->ClientToDoc(point);
    if (p == m_ptDragStart) return;
    m_nDragging = 1;
    CRect r = m_position;
    r.OffsetRect(Sat(std::int64_t(p.x) - m_ptPrevDrag.x), Sat(std::int64_t(p.y) - m_ptPrevDrag.y));
    MoveTo(r, view);
    m_ptPrevDrag = p;
    const CRect visible = view->ClientToDoc(view->GetClientRect());
    if (visible.PtInRect(m_position.TopLeft()) || visible.PtInRect(m_position.BottomRight())) EnsureVisible(view);
    SetModified();
    UpdateAllViews();
    if (view->m_nTracking == 0) CHOXDrawObj::OnMouseMove(view, flags, point);
}

void CHOXSymbol::OnLButtonUp(CHOXView* view, UINT, CPoint)
{
    m_nDragging = 0;
    if (IsOutsideBaseRect()) {
        CRect back = m_position;
        back.OffsetRect(Sat(std::int64_t(m_ptDragStart.x) - m_ptPrevDrag.x),
                        Sat(std::int64_t(m_ptDragStart.y) - m_ptPrevDrag.y));
        MoveTo(back, view);
        // Back where it started: nothing moved for the undo store to record.
        m_ptPrevDrag = m_ptDragStart;
        RestoreScroll(view);
        if (CHOXView::s_nOutOfSheetWarned == 0 && CHOXView::s_nDropRefused == 0) {
            AfxMessageBox(IDS_OUTSIDE_SHEET, MB_OK | MB_ICONHAND);
            CHOXView::s_nOutOfSheetWarned = 1;
        }
    }
    UpdateAllViews();
    view->ReleaseCapture();
}

void CHOXSymbol::MoveTo(const CRect& position, CHOXView* view)
{
    if (position == m_position) return;
    CHOXDrawObj::MoveTo(position, view);
    if (chart::IsFlowRecord(m_pWnd)) {
        for (int i = 0; i < GetPinCount(); ++i) {
            CHOXPin* pin = GetPin(i);
            if (pin == nullptr || pin->IsFree()) continue;
            CHOXConnect* wire = chart::FindWire(m_pWnd, pin->GetLinkId());
            if (wire == nullptr) continue;
            if (wire->NeedsReroute(m_nId, i, true)) {
                pin->RerouteWire();
            } else {
                wire->MoveEnd(m_nId, i, true);
            }
        }
    }
    SetModified();
}

void CHOXSymbol::SetWnd(CHOXWnd* wnd)
{
    m_pWnd = wnd;
    for (auto& pin : m_pins)
        if (pin) pin->SetWnd(wnd);
}

// ---------------------------------------------------------------------------
// Removal

bool CHOXSymbol::Remove()
{
    // The monitor window gives no numbers back.
    if (chart::IsMonitorRecord(m_pWnd) || m_pWnd == nullptr) return false;
    CHOXDoc* doc = m_pWnd->GetDocument();
    if (doc == nullptr) return false;
    for (const HeldNumber& held : GetHeldNumbers())
        if (held.givesBack) held.FreeIn(*doc);
    return false;
}

bool CHOXSymbol::GetHeldProgramNumber(std::int32_t* axis, std::int32_t* number) const
{
    for (const HeldNumber& held : GetHeldNumbers()) {
        if (held.kind != HeldNumber::kProgram) continue;
        *axis = held.axis;
        *number = held.number;
        return true;
    }
    return false;
}

bool CHOXSymbol::HeldNumber::IsUsedIn(const CHOXDoc& doc) const
{
    return kind == kProgram ? doc.IsProgramNumberUsed(axis, number) : doc.IsPointerNumberUsed(number);
}

void CHOXSymbol::HeldNumber::MarkIn(CHOXDoc& doc) const
{
    if (kind == kProgram) {
        doc.MarkProgramNumberUsed(axis, number);
    } else {
        doc.MarkPointerNumberUsed(number);
    }
}

void CHOXSymbol::HeldNumber::FreeIn(CHOXDoc& doc) const
{
    if (kind == kProgram) {
        doc.FreeProgramNumber(axis, number);
    } else {
        doc.FreePointerNumber(number);
    }
}

bool CHOXSymbol::HeldNumber::HasFreeIn(CHOXDoc& doc) const
{
    if (kind == kProgram) return doc.FindFreeProgramNumber(axis) >= 0;
    // The pointer table only hands numbers out: one is taken and given back.
    const int probe = doc.AllocPointerNumber();
    if (probe < 0) return false;
    doc.FreePointerNumber(probe);
    return true;
}
