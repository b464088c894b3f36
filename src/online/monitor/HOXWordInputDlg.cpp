#include "online/monitor/HOXWordInputDlg.h"

CHOXWordInputDlg::CHOXWordInputDlg(std::int32_t value, const QString& prompt, std::int32_t editable, std::int32_t feed,
                                   CWnd*)
    : CDialog(kTemplate), m_nValue(value), m_strPrompt(prompt), m_bEditable(editable), m_bFeed(feed)
{
    OnClicked(kHelp, [this] { OpenHelp(kHelpContext); });
}

bool CHOXWordInputDlg::OnInitDialog()
{
    SetWindowText(m_bFeed != 0 ? QStringLiteral("Feed Input") : QStringLiteral("Word Input"));
    SetDlgItemText(kPrompt, m_strPrompt);
    EnableDlgItem(kValue, m_bEditable == 1);
    return CDialog::OnInitDialog();
}

void CHOXWordInputDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, kValue, m_nValue);
    DDV_MinMaxInt(pDX, m_nValue, kLowest, kHighest);
}
