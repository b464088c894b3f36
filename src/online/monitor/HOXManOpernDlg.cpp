#include "online/monitor/HOXManOpernDlg.h"

#include "app/HOXDoc.h"
#include "chart/ControllerType.h"
#include "plc/HOXFounSeq.h"

CHOXManOpernDlg::CHOXManOpernDlg(CHOXFounSeq* founSeq, std::int32_t buttonIndex, CWnd*)
    : CDialog(kTemplate), m_pFounSeq(founSeq), m_nButtonIndex(buttonIndex)
{
    OnClicked(kKzPlc, [this] { OnKzPlc(); });
    OnClicked(kHelp, [this] { OpenHelp(kHelpContext); });
}

bool CHOXManOpernDlg::IsTwoAxes() const
{
    const CHOXDoc* doc = m_pFounSeq != nullptr ? m_pFounSeq->GetDocument() : nullptr;
    return doc != nullptr && !ctype::IsOneAxis(doc->GetControllerType());
}

bool CHOXManOpernDlg::OnInitDialog()
{
    Site()->AddString(kTab, QStringLiteral(" X"));
    if (IsTwoAxes()) Site()->AddString(kTab, QStringLiteral(" Y"));
    const bool y = m_nButtonIndex >= kAxisButtons;
    Site()->SetCurSel(kTab, y ? 1 : 0);
    m_nRadio = y ? m_nButtonIndex - kAxisButtons : m_nButtonIndex;
    return CDialog::OnInitDialog();
}

void CHOXManOpernDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, kStart, m_nRadio);
    if (!pDX->m_bSaveAndValidate) return;
    // The radio stays as it is when the tab changes: the tab says the axis.
    const bool y = Site()->GetCurSel(kTab) == 1;
    m_nButtonIndex = m_nRadio < 0 ? -1 : m_nRadio + (y ? kAxisButtons : 0);
}

void CHOXManOpernDlg::OnKzPlc()
{
    if (m_pFounSeq != nullptr) m_pFounSeq->EditFromFirst();
}
