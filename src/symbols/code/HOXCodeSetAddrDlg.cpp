#include "symbols/code/HOXCodeSetAddrDlg.h"

#include "chart/ControllerType.h"
#include "params/HOXParam.h"
#include "symbols/code/HOXCodeSetAddr.h"

CHOXCodeSetAddrDlg::CHOXCodeSetAddrDlg(CHOXCodeSetAddr* symbol)
    : CHOXCodeDlg(symbol, kTemplate), m_x(symbol->GetX()), m_y(symbol->GetY()), m_bXUsed(symbol->GetXUsed()),
      m_bYUsed(symbol->GetYUsed()), m_strX(symbol->GetXText()), m_strY(symbol->GetYText())
{
    SetParameterDialog(&CHOXParam::EditUnits);
    OnClicked(kXBox, [this] { OnAxisBox(true); });
    OnClicked(kYBox, [this] { OnAxisBox(false); });
    OnClicked(kXButton, [this] { ChooseRegister(m_strX, m_x); });
    OnClicked(kYButton, [this] { ChooseRegister(m_strY, m_y); });
}

void CHOXCodeSetAddrDlg::DoDataExchange(CDataExchange* pDX)
{
    CHOXCodeDlg::DoDataExchange(pDX);
    DDX_Check(pDX, kXBox, m_bXUsed);
    DDX_Check(pDX, kYBox, m_bYUsed);
    ExchangeOperand(pDX, kX, m_strX);
    ExchangeOperand(pDX, kY, m_strY);
}

bool CHOXCodeSetAddrDlg::OnInitDialog()
{
    CHOXCodeDlg::OnInitDialog();
    EnableAll({kX, kXButton}, m_bXUsed != 0);
    EnableAll({kY, kYButton}, m_bYUsed != 0);
    if (m_bOneAxis != 0) EnableAll({kYBox, kY, kYButton}, false);
    return true;
}

void CHOXCodeSetAddrDlg::OnAxisBox(bool xAxis)
{
    std::int32_t& used = xAxis ? m_bXUsed : m_bYUsed;
    used = used != 0 ? 0 : 1;
    EnableAll({xAxis ? kX : kY, xAxis ? kXButton : kYButton}, used != 0);
    if (!ctype::HasIndependentAxes(ControllerType())) return;
    // Independent axes: one position at a time.
    (xAxis ? m_bYUsed : m_bXUsed) = 0;
    CheckDlgButton(xAxis ? kYBox : kXBox, 0);
    EnableAll({xAxis ? kY : kX, xAxis ? kYButton : kXButton}, false);
}

bool CHOXCodeSetAddrDlg::CheckBeforeMcode()
{
    if (m_bXUsed != 0 && !CheckOperand(kX, m_strX, m_x, kMsgX, true)) return false;
    return m_bYUsed == 0 || CheckOperand(kY, m_strY, m_y, kMsgY, true);
}

bool CHOXCodeSetAddrDlg::CheckAfterMcode()
{
    if (m_bXUsed != 0 || m_bYUsed != 0) return true;
    AfxMessageBox(kMsgSelectOperand, MB_OK | MB_ICONHAND);
    return false;
}
