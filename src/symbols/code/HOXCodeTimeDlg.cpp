#include "symbols/code/HOXCodeTimeDlg.h"

#include "symbols/code/HOXCodeTime.h"

CHOXCodeTimeDlg::CHOXCodeTimeDlg(CHOXCodeTime* symbol)
    : CHOXCodeDlg(symbol, kTemplate), m_time(symbol->GetTime()), m_strTime(symbol->GetTimeText())
{
    OnClicked(kTimeButton, [this] { ChooseRegister(m_strTime, m_time, RegisterButton::kNotNegative); });
}

void CHOXCodeTimeDlg::DoDataExchange(CDataExchange* pDX)
{
    CHOXCodeDlg::DoDataExchange(pDX);
    ExchangeOperand(pDX, kTime, m_strTime);
}

bool CHOXCodeTimeDlg::CheckAfterMcode()
{
    if (!m_time.Parse(m_strTime, true) ||
        (m_time.IsConstant() && (m_time.GetNumber() < 0 || m_time.GetNumber() > kLongestTime)))
        return Refuse(kTime, kMsgTime);
    return CheckOperandRange(kTime, m_time);
}
