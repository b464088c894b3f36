#include "symbols/code/HOXCodeLineDlg.h"

#include "params/HOXParam.h"
#include "symbols/code/HOXCodeLine.h"
#include "symbols/code/HOXCombinationDlg.h"

CHOXCodeLineDlg::CHOXCodeLineDlg(CHOXCodeLine* symbol)
    : CHOXCodeDlg(symbol, kTemplate), m_bXUsed(symbol->GetXUsed()), m_bYUsed(symbol->GetYUsed()),
      m_bSpeedUsed(symbol->GetSpeedUsed()), m_bAddressing(symbol->GetAddressing()),
      m_bCompensation(symbol->GetCompensationOn()), m_x(symbol->GetX()), m_y(symbol->GetY()),
      m_speed(symbol->GetSpeed()), m_bIncremental(symbol->GetIncremental()), m_setting(symbol->GetCompSetting()),
      m_bEndCheck(symbol->GetEndCheck()), m_strX(symbol->GetXText()), m_strY(symbol->GetYText()),
      m_strSpeed(symbol->GetSpeedText()), m_bInterruptStop(symbol->GetInterrupt())
{
    SetParameterDialog(&CHOXParam::EditUnits);
    OnClicked(kXBox, [this] { OnAxisBox(true); });
    OnClicked(kYBox, [this] { OnAxisBox(false); });
    OnClicked(kSpeedBox, [this] { OnSpeedBox(); });
    OnClicked(kXButton, [this] { ChooseRegister(m_strX, m_x); });
    OnClicked(kYButton, [this] { ChooseRegister(m_strY, m_y); });
    OnClicked(kSpeedButton, [this] { ChooseRegister(m_strSpeed, m_speed); });
    OnClicked(kCombination, [this] { OnCombination(); });
}

void CHOXCodeLineDlg::DoDataExchange(CDataExchange* pDX)
{
    CHOXCodeDlg::DoDataExchange(pDX);
    DDX_Check(pDX, kXBox, m_bXUsed);
    DDX_Check(pDX, kYBox, m_bYUsed);
    DDX_Check(pDX, kSpeedBox, m_bSpeedUsed);
    ExchangeOperand(pDX, kX, m_strX, kOperandLimit);
    ExchangeOperand(pDX, kY, m_strY, kOperandLimit);
    ExchangeOperand(pDX, kSpeed, m_strSpeed, kOperandLimit);
    DDX_Check(pDX, kInterruptStop, m_bInterruptStop);
}

bool CHOXCodeLineDlg::OnInitDialog()
{
    CHOXCodeDlg::OnInitDialog();
    EnableAll({kX, kXButton}, m_bXUsed != 0);
    EnableAll({kY, kYButton}, m_bYUsed != 0);
    EnableAll({kSpeed, kSpeedButton}, m_bSpeedUsed != 0);
    if (m_bOneAxis != 0) {
        // The one-axis controller has no Y.
        EnableDlgItem(kYBox, false);
        m_strY = QStringLiteral("0");
        SetDlgItemText(kY, m_strY);
    }
    return true;
}

void CHOXCodeLineDlg::OnAxisBox(bool xAxis)
{
    std::int32_t& used = xAxis ? m_bXUsed : m_bYUsed;
    used = used != 0 ? 0 : 1;
    EnableAll({xAxis ? kX : kY, xAxis ? kXButton : kYButton}, used != 0);
    if (m_bXUsed == 0 && m_bYUsed == 0) {
        // No axis, no speed.
        m_bSpeedUsed = 0;
        CheckDlgButton(kSpeedBox, 0);
        EnableAll({kSpeedBox, kSpeed, kSpeedButton}, false);
    } else {
        EnableDlgItem(kSpeedBox, true);
    }
}

void CHOXCodeLineDlg::OnSpeedBox()
{
    m_bSpeedUsed = m_bSpeedUsed != 0 ? 0 : 1;
    EnableAll({kSpeed, kSpeedButton}, m_bSpeedUsed != 0);
}

void CHOXCodeLineDlg::OnCombination()
{
    CHOXCombinationDlg dlg(this, true, true, true);
    if (dlg.DoModal() != IDOK) return;
    m_bAddressing = dlg.GetAddressing();
    m_bIncremental = dlg.GetIncremental();
    m_bCompensation = dlg.GetCompensation();
    m_setting = dlg.GetCompSetting();
    m_bEndCheck = dlg.GetEndCheck();
}

bool CHOXCodeLineDlg::CheckBeforeMcode()
{
    if (m_bXUsed == 0 && m_bYUsed == 0) {
        AfxMessageBox(m_bOneAxis != 0 ? kMsgNoAxisOneAxis : kMsgNoAxis, MB_OK | MB_ICONHAND);
        GotoDlgCtrl(kXBox);
        return false;
    }
    if (m_bXUsed != 0 && !CheckOperand(kX, m_strX, m_x, kMsgX, true)) return false;
    if (m_bYUsed != 0 && !CheckOperand(kY, m_strY, m_y, kMsgY, true)) return false;
    return m_bSpeedUsed == 0 || CheckOperand(kSpeed, m_strSpeed, m_speed, kMsgSpeed, false);
}
