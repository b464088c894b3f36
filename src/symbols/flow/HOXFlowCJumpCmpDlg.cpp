#include "symbols/flow/HOXFlowCJumpCmpDlg.h"

#include "platform/Resources.h"
#include "platform/Strings.h"
#include "res/StringIds.h"
#include "symbols/flow/HOXFlowCJump.h"

CHOXFlowCJumpCmpDlg::CHOXFlowCJumpCmpDlg(CHOXFlowCJump* symbol)
    : CHOXFlowCJumpWordDlg(symbol, kTemplate, {kOutputType, kOutputNumber, kOutputSpin})
{
    if (symbol != nullptr) {
        m_n32Bit = symbol->GetCompare32Bit();
        m_source1 = symbol->GetCompareOperand1();
        m_source2 = symbol->GetCompareOperand2();
        m_strSource1 = m_source1.GetText();
        m_strSource2 = m_source2.GetText();
        m_nRelation = symbol->GetCompareCondition();
        m_nOutputType = symbol->GetCompareOutputType();
        m_nOutputNumber = symbol->GetCompareOutputNumber();
    }
    for (std::size_t i = 0; i < kRelationButtons.size(); ++i) {
        const auto relation = static_cast<std::int32_t>(i);
        OnClicked(kRelationButtons[i], [this, relation] { OnRelation(relation); });
    }
    OnClicked(kSelect1, [this] { SelectOperand(kSource1, m_strSource1, m_source1); });
    OnClicked(kSelect2, [this] { SelectOperand(kSource2, m_strSource2, m_source2); });
}

void CHOXFlowCJumpCmpDlg::DoDataExchange(CDataExchange* pDX)
{
    CHOXFlowCJumpWordDlg::DoDataExchange(pDX);
    DDX_Text(pDX, kSource1, m_strSource1);
    DDX_Text(pDX, kSource2, m_strSource2);
}

bool CHOXFlowCJumpCmpDlg::OnInitDialog()
{
    CHOXFlowCJumpWordDlg::OnInitDialog();
    for (std::size_t i = 0; i < kRelationButtons.size(); ++i) {
        m_pictures[i] = LoadBitmapResource(kRelationBitmaps[i]);
        Site()->SetImage(kRelationButtons[i], m_pictures[i]);
    }
    ShowRelation();
    return true;
}

void CHOXFlowCJumpCmpDlg::ShowRelation()
{
    const bool known = m_nRelation >= 0 && m_nRelation < static_cast<std::int32_t>(m_pictures.size());
    Site()->SetImage(kRelationPicture, known ? m_pictures[static_cast<std::size_t>(m_nRelation)] : QImage());
}

void CHOXFlowCJumpCmpDlg::OnRelation(std::int32_t relation)
{
    m_nRelation = relation;
    ShowRelation();
}

void CHOXFlowCJumpCmpDlg::OnOK()
{
    if (!UpdateData(true)) return;
    if (m_strSource1.isEmpty() || m_strSource2.isEmpty()) {
        AfxMessageBox(LoadStr(IDS_INVALID_DESTINATION_DATA), MB_OK | MB_ICONHAND);
        FocusAndSelect(kSource1);
        FocusAndSelect(kSource2);
        return;
    }
    const std::pair<int, CHOXSelectVal*> sources[] = {{kSource1, &m_source1}, {kSource2, &m_source2}};
    for (const auto& [edit, operand] : sources) {
        QString message;
        if (!ReadOperand(GetDlgItemText(edit), *operand, message)) {
            AfxMessageBox(LoadStr(IDS_INVALID_DESTINATION_DATA) + message, MB_OK | MB_ICONHAND);
            FocusAndSelect(edit);
            return;
        }
    }
    if (!CheckOutputNumber()) return;
    EndDialog(IDOK);
}
