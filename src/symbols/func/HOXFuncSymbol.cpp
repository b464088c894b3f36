#include "symbols/func/HOXFuncSymbol.h"

#include "app/HOXDoc.h"
#include "chart/HOXUndo.h"
#include "chart/HOXView.h"
#include "chart/HOXWnd.h"
#include "chart/RecordCasts.h"
#include "chart/SymbolSupport.h"
#include "params/HOXParam.h"
#include "platform/Strings.h"
#include "res/StringIds.h"
#include "symbols/func/HOXFuncBaseDlg.h"
#include "symbols/operand/HOXSelectVal.h"

KT_IMPLEMENT_DYNAMIC(CHOXFuncSymbol, CHOXSymbol)

CHOXFuncSymbol::CHOXFuncSymbol(const char* caption)
{
    SetCaption(caption);
    m_nCategory = kFuncCategory;
}

CHOXFuncSymbol::CHOXFuncSymbol(const char* caption, CPoint topLeft, CHOXWnd* wnd) : CHOXSymbol(topLeft, wnd)
{
    SetCaption(caption);
    m_nCategory = kFuncCategory;
}

int CHOXFuncSymbol::OperandWeight(const CHOXSelectVal& operand, bool is32Bit)
{
    switch (operand.GetDeviceType()) {
    case CHOXSelectVal::kK:
    case CHOXSelectVal::kH: return is32Bit ? 5 : 3;
    case CHOXSelectVal::kD:
    case CHOXSelectVal::kDD:
    case CHOXSelectVal::kKnM:
    case CHOXSelectVal::kKnX:
    case CHOXSelectVal::kKnY:
    case CHOXSelectVal::kV:
    case CHOXSelectVal::kZ:
    case CHOXSelectVal::kX:
    case CHOXSelectVal::kY:
    case CHOXSelectVal::kM: return 2;
    default: return 0;
    }
}

bool CHOXFuncSymbol::InMonitorWindow() const { return chart::IsMonitorRecord(m_pWnd); }

std::int32_t CHOXFuncSymbol::FileRegisters() const
{
    const CHOXDoc* doc = chart::DocumentOf(m_pWnd);
    return doc != nullptr ? doc->GetParam().GetFileRegisters() : 0;
}

int CHOXFuncSymbol::OperandErrorState(const CHOXSelectVal& first,
                                      std::initializer_list<const CHOXSelectVal*> checked) const
{
    if (first.IsEmpty()) return 1;
    const std::int32_t fileRegisters = FileRegisters();
    for (const CHOXSelectVal* operand : checked)
        if (!CHOXSelectVal::CheckFileRegister(*operand, fileRegisters)) return 2;
    return 0;
}

QString CHOXFuncSymbol::Statement(UINT mnemonic, std::initializer_list<QString> operands)
{
    QString text = LoadStr(mnemonic);
    for (const QString& operand : operands) text += LoadStr(IDS_OPERAND_GAP) + operand;
    return text + LoadStr(IDS_STATEMENT_END);
}

QString CHOXFuncSymbol::LoadWord(UINT id)
{
    QString word = LoadStr(id);
    qsizetype blanks = 0;
    while (blanks < word.size() && word[blanks] == u' ') ++blanks;
    return word.mid(blanks);
}

void CHOXFuncSymbol::ParseOperand(CHOXSelectVal& operand, const QString& text)
{
    QString ignored;
    operand.Parse(text, ignored);
}

bool CHOXFuncSymbol::CanOpen() const { return chart::IsFlowRecord(m_pWnd); }

void CHOXFuncSymbol::TakeComment(const CHOXFuncBaseDlg& dlg)
{
    m_strComment = dlg.GetComment();
    m_nDisplayComment = dlg.GetDisplayComment();
    m_nDisplayContents = dlg.GetDisplayContents();
}

void CHOXFuncSymbol::FinishEdit()
{
    if (CHOXView* view = m_pWnd != nullptr ? m_pWnd->GetView() : nullptr) view->Invalidate(true);
    if (CHOXDoc* doc = chart::DocumentOf(m_pWnd)) doc->SetModifiedFlag(true);
    if (CHOXUndo* undo = m_pWnd != nullptr ? m_pWnd->GetUndo() : nullptr) undo->Clear();
}
