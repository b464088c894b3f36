#include "online/monitor/HOXMonManOpern.h"

#include "app/HOXDoc.h"
#include "chart/ChartLookup.h"
#include "chart/HOXUndo.h"
#include "chart/ObjectKinds.h"
#include "chart/RecordCasts.h"
#include "online/HOXMonCommand.h"
#include "online/monitor/HOXManOpernDlg.h"
#include "online/monitor/HOXMonWnd.h"
#include "online/monitor/HOXWordInputDlg.h"
#include "online/monitor/MonObjIds.h"
#include "platform/Archive.h"
#include "platform/DC.h"
#include "platform/Fonts.h"
#include "platform/Messages.h"
#include "res/StringIds.h"

KT_IMPLEMENT_SERIAL(CHOXMonManOpern, CHOXMonObj, 0)
KT_REGISTER_KIND(CHOXMonManOpern, .type = objtype::kMonManOpern, .helpContext = 0x18075)

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kFace = RGB(192, 192, 192);
// The edges' width, the dotted frame's distance inside a pressed button and
// the label's below its top.
constexpr int kEdge = 3;
constexpr int kFocusInset = 5;
constexpr int kLabelDrop = 8;

// By button index: seven buttons of the X axis, then the same of the Y axis.
// clang-format off
constexpr CHOXMonManOpern::Button kButtons[monid::kManOpernButtons] = {
    {"X START", false, false}, {"X STOP", false, false}, {"X JOG+", true, false}, {"X JOG-", true, false},
    {"X ZRN", false, false},   {"X FEED", false, true},  {"X E-RST", false, false},
    {"Y START", false, false}, {"Y STOP", false, false}, {"Y JOG+", true, false}, {"Y JOG-", true, false},
    {"Y ZRN", false, false},   {"Y FEED", false, true},  {"Y E-RST", false, false},
};
// clang-format on

} // namespace

const CHOXMonManOpern::Button* CHOXMonManOpern::FindButton(std::int32_t index)
{
    return monid::IsManOpernIndex(index) ? &kButtons[index] : nullptr;
}

CHOXMonManOpern::CHOXMonManOpern() = default;

CHOXMonManOpern::CHOXMonManOpern(std::int32_t buttonIndex, CHOXWnd* wnd) : CHOXMonObj(wnd), m_nButtonIndex(buttonIndex)
{
    m_position = CRect(10, 10, 70, 40);
}

void CHOXMonManOpern::Serialize(CArchive& ar)
{
    CHOXMonObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nButtonIndex;
    } else {
        ar >> m_nButtonIndex;
    }
}

void CHOXMonManOpern::Draw(CDC* pDC)
{
    if (DrawDragOutline(pDC)) return;
    const CRect& r = m_position;
    const QPen oldPen = pDC->SelectPen(MakePen(PS_SOLID, 1, kBlack));
    const QBrush oldBrush = pDC->SelectBrush(QBrush(ToQColor(kFace)));
    pDC->Rectangle(r);
    // The light falls from the top left: a raised button's upper edges are
    // lit, a pressed one's are in shadow like its lower edges.
    pDC->SelectPen(MakePen(PS_INSIDEFRAME, kEdge, kBlack));
    pDC->MoveTo(r.right, r.top);
    pDC->LineTo(r.right, r.bottom);
    pDC->LineTo(r.left, r.bottom);
    pDC->SelectPen(MakePen(PS_INSIDEFRAME, kEdge, IsPressed() ? kBlack : kWhite));
    pDC->MoveTo(chart::Sat(std::int64_t(r.right) - kEdge), r.top);
    pDC->LineTo(r.left, r.top);
    pDC->LineTo(r.left, r.bottom);
    if (IsPressed()) {
        pDC->SelectPen(MakePen(PS_DOT, 1, kBlack));
        pDC->SelectBrush(QBrush(Qt::NoBrush));
        pDC->Rectangle(CRect(chart::Sat(std::int64_t(r.left) + kFocusInset), chart::Sat(std::int64_t(r.top) + kFocusInset),
                             chart::Sat(std::int64_t(r.right) - kFocusInset),
                             chart::Sat(std::int64_t(r.bottom) - kFocusInset)));
    }
    QString label;
    GetButtonName(m_nButtonIndex, label);
    const QFont oldFont = pDC->SelectFont(TimesNewRomanFont(14, 700));
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    TextOutCentred(pDC, r.left, std::int64_t(r.right) - r.left, std::int64_t(r.top) + kLabelDrop, label);
    pDC->SetBkMode(oldMode);
    pDC->SelectFont(oldFont);
    pDC->SelectBrush(oldBrush);
    pDC->SelectPen(oldPen);
}

int CHOXMonManOpern::GetButtonName(std::int32_t index, QString& name)
{
    const Button* button = FindButton(index);
    name = button != nullptr ? QString::fromLatin1(button->label) : QString();
    return button != nullptr ? monid::ManOpernId(index) : -1;
}

bool CHOXMonManOpern::IsFeedButton() const
{
    const Button* button = FindButton(m_nButtonIndex);
    return button != nullptr && button->feed;
}

bool CHOXMonManOpern::IsJogButton() const
{
    const Button* button = FindButton(m_nButtonIndex);
    return button != nullptr && button->jog;
}

void CHOXMonManOpern::OnOpen(UINT, CPoint)
{
    if (IsEditing()) {
        ChooseButton();
    } else if (IsFeedButton()) {
        AskFeedValue();
    }
}

void CHOXMonManOpern::AskFeedValue()
{
    const bool x = m_nButtonIndex < CHOXManOpernDlg::kAxisButtons;
    const QString prompt = x ? QStringLiteral("&Enter X-axis Feed Value") : QStringLiteral("&Enter Y-axis Feed Value");
    CHOXWordInputDlg dlg(m_nFeedValue, prompt, 1, 1);
    if (dlg.DoModal() == IDOK) m_nFeedValue = dlg.GetValue();
}

void CHOXMonManOpern::ChooseButton()
{
    CHOXDoc* doc = GetDocument();
    CHOXMonWnd* wnd = chart::AsMonWnd(m_pWnd);
    if (doc == nullptr || wnd == nullptr) return;
    CHOXManOpernDlg dlg(doc->GetFounSeq(), m_nButtonIndex);
    if (dlg.DoModal() != IDOK) return;
    const std::int32_t index = dlg.GetButtonIndex();
    if (index == m_nButtonIndex || !monid::IsManOpernIndex(index)) return;
    if (wnd->LookupMonObj(monid::ManOpernId(index)) != nullptr) {
        AfxMessageBox(IDS_MAN_OPERN_PRESENT, MB_OK | MB_ICONHAND);
        return;
    }
    // Only an object the window holds under its own id can be filed anew.
    if (GetId() > 0xFFFF || wnd->LookupMonObj(static_cast<WORD>(GetId())) != this) return;
    wnd->RemoveMonObj(static_cast<WORD>(GetId())).release();
    SetId(monid::ManOpernId(index));
    wnd->AddMonObj(std::unique_ptr<CHOXMonObj>(this));
    m_nButtonIndex = index;
    // The window's undo records name objects by id, and this one has a new
    // one: an undo must not move the button that takes the old id later.
    if (wnd->GetUndo() != nullptr) wnd->GetUndo()->Clear();
    Invalidate();
    SetModified();
    UpdateAllViews();
}

void CHOXMonManOpern::OnLButtonDown(CHOXView* view, UINT flags, CPoint point)
{
    if (IsEditing()) {
        CHOXMonObj::OnLButtonDown(view, flags, point);
        return;
    }
    if (FindButton(m_nButtonIndex) == nullptr || m_bPressing) return;
    SetPressed(true);
    Invalidate();
    m_bPressing = true;
    m_bLetGo = false;
    bool sent = false;
    {
        CHOXMonCommand sender(GetDocument());
        sent = sender.ManualOperation(m_nButtonIndex, 1, IsFeedButton() ? m_nFeedValue : 0) != 0;
    }
    m_bPressing = false;
    // A feed is one step; a refused press shows the button up again.
    const bool held = sent && !IsFeedButton();
    SetPressed(held && !m_bLetGo);
    // Let go before the controller took the jog: it must not run on.
    if (held && m_bLetGo && IsJogButton()) SendRelease();
    Invalidate();
}

void CHOXMonManOpern::OnLButtonUp(CHOXView* view, UINT flags, CPoint point)
{
    if (IsEditing()) {
        CHOXMonObj::OnLButtonUp(view, flags, point);
        return;
    }
    if (m_bPressing) {
        m_bLetGo = true;
        return;
    }
    if (IsPressed() && IsJogButton()) SendRelease();
    SetPressed(false);
    Invalidate();
}

void CHOXMonManOpern::SendRelease()
{
    CHOXMonCommand sender(GetDocument());
    sender.ManualOperation(m_nButtonIndex, 0, 0);
}
