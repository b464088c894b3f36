#include "symbols/flow/HOXFlowSymbolDlg.h"

#include "chart/ControllerType.h"
#include "app/HOXDoc.h"
#include "chart/HOXSymbol.h"
#include "chart/SymbolSupport.h"
#include "platform/Help.h"
#include "platform/Strings.h"
#include "res/StringIds.h"

CHOXFlowSymbolDlg::CHOXFlowSymbolDlg(CHOXSymbol* symbol, UINT templateId)
    : CDialog(templateId), m_pSymbol(symbol), m_pDoc(symbol != nullptr ? chart::DocumentOf(symbol->GetWnd()) : nullptr)
{
    if (symbol != nullptr) {
        m_strComment = symbol->GetComment();
        m_bDisplayComment = symbol->GetDisplayComment();
    }
    OnClicked(kHelp, [this] { OpenHelp(HID_BASE_RESOURCE + GetTemplateId()); });
}

bool CHOXFlowSymbolDlg::IsSingleAxis() const { return ctype::IsOneAxis(ControllerType()); }

std::int32_t CHOXFlowSymbolDlg::ControllerType() const
{
    return m_pDoc != nullptr ? m_pDoc->GetControllerType() : ctype::kTwoAxes;
}

bool CHOXFlowSymbolDlg::InSubtaskWindow() const
{
    return m_pSymbol != nullptr && chart::IsSubtaskWindow(m_pSymbol->GetWnd());
}

void CHOXFlowSymbolDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, kComment, m_strComment);
    DDV_MaxChars(pDX, m_strComment, kCommentLimit);
    DDX_Check(pDX, kDisplayComment, m_bDisplayComment);
}

void CHOXFlowSymbolDlg::FocusAndSelect(int id)
{
    GotoDlgCtrl(id);
    if (Site() != nullptr) Site()->SetSel(id, 0, -1);
}

bool CHOXFlowSymbolDlg::Refuse(int id, UINT messageId)
{
    AfxMessageBox(LoadStr(messageId), MB_OK | MB_ICONHAND);
    FocusAndSelect(id);
    return false;
}

void CHOXFlowSymbolDlg::SetUpPointerSpin(int spinId, int number)
{
    if (Site() == nullptr) return;
    Site()->SetRange(spinId, 0, ctype::HighestPointerNumber(ControllerType()));
    Site()->SetPos(spinId, number);
}

UINT CHOXFlowSymbolDlg::InvalidPointerMessage() const { return IsSingleAxis() ? 13228 : 13229; }

void CHOXFlowSymbolDlg::EndWithPointerNumber(int numberId, const std::int32_t& number, std::int32_t atOpening)
{
    if (!UpdateData(true)) return;
    if (number != atOpening && m_pDoc != nullptr && !m_pDoc->IsValidPointerNumber(number)) {
        Refuse(numberId, InvalidPointerMessage());
        return;
    }
    EndDialog(IDOK);
}

void CHOXFlowSymbolDlg::OpenPointerTarget(int numberId, const std::int32_t& number, void (CHOXDoc::*open)(int))
{
    if (!UpdateData(true) || m_pDoc == nullptr) return;
    if (!m_pDoc->IsValidPointerNumber(number)) {
        Refuse(numberId, IDS_INVALID_POINTER_NUMBER);
        return;
    }
    (m_pDoc->*open)(number);
    EndDialog(IDOK);
}
