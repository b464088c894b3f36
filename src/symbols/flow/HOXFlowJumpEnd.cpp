#include "symbols/flow/HOXFlowJumpEnd.h"

#include "app/HOXDoc.h"
#include "chart/HOXView.h"
#include "chart/ObjectKinds.h"
#include "chart/SymbolSupport.h"
#include "platform/Archive.h"
#include "platform/DC.h"
#include "platform/Strings.h"
#include "res/StringIds.h"
#include "symbols/flow/FlowSymbolHelpers.h"
#include "symbols/flow/HOXFlowJumpEndDlg.h"

KT_IMPLEMENT_SERIAL(CHOXFlowJumpEnd, CHOXJumpEndBase, 0)
KT_REGISTER_KIND(CHOXFlowJumpEnd, .type = objtype::kFlowJumpEnd)
KT_REGISTER_JUMP_END_MAKER(CHOXFlowJumpEnd)

using namespace chart;
using flowsym::EndLine;

CHOXFlowJumpEnd::CHOXFlowJumpEnd() = default;

CHOXFlowJumpEnd::CHOXFlowJumpEnd(int pointerNumber, const CRect& position, CHOXWnd* wnd)
    : CHOXJumpEndBase(pointerNumber, position, wnd)
{
    if (IsFlowRecord(wnd)) m_nEndKind = IsSubtaskWindow(wnd) ? 1 : 0;
}

void CHOXFlowJumpEnd::Serialize(CArchive& ar)
{
    CHOXDrawObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nEndFollows << m_nEndKind;
        return;
    }
    std::int32_t follows = 0;
    std::int32_t kind = 0;
    ar >> follows >> kind;
    m_nEndFollows = follows;
    m_nEndKind = kind;
}

void CHOXFlowJumpEnd::Draw(CDC* pDC)
{
    const QPen oldPen = pDC->SelectPen(MakeShapePen());
    const QBrush oldBrush = pDC->SelectBrush(m_nEndFollows == 1 ? QBrush(Qt::black) : QBrush(Qt::NoBrush));
    pDC->Rectangle(m_position);
    pDC->SelectPen(oldPen);
    pDC->SelectBrush(oldBrush);
}

QString CHOXFlowJumpEnd::GetCode() const
{
    QString code =
        LoadStr(IDS_JMP_WORD) + QStringLiteral(" P") + QString::number(m_nPointerNumber) + LoadStr(IDS_STATEMENT_END);
    if (m_nEndFollows != 0) code += QStringLiteral("\n") + EndLine(IsSubtaskWindow(m_pWnd), m_nEndKind);
    return code;
}

void CHOXFlowJumpEnd::OnOpen(UINT, CPoint)
{
    CHOXFlowJumpEndDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    m_nEndFollows = dlg.GetEndFollows();
    m_nEndKind = dlg.GetEndKind();
    // The program changed with the marker: closing must not lose it.
    if (CHOXDoc* doc = DocumentOf(m_pWnd)) doc->SetModifiedFlag(true);
    if (CHOXView* view = m_pWnd != nullptr ? m_pWnd->GetView() : nullptr) view->Invalidate(true);
}

int CHOXFlowJumpEnd::GetSteps() const { return m_nEndFollows > 0 ? 6 : 4; }

CArchive& operator>>(CArchive& ar, std::unique_ptr<CHOXFlowJumpEnd>& marker)
{
    marker = ar.ReadOwned<CHOXFlowJumpEnd>();
    return ar;
}
