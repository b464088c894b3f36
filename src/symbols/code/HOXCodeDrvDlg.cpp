#include "symbols/code/HOXCodeDrvDlg.h"

#include "chart/ControllerType.h"
#include "params/HOXParam.h"
#include "symbols/code/HOXCodeDrv.h"
#include "symbols/code/HOXCombinationDlg.h"

CHOXCodeDrvDlg::CHOXCodeDrvDlg(CHOXCodeDrv* symbol)
    : CHOXCodeDlg(symbol, kTemplate), m_bXUsed(symbol->GetXUsed()), m_bYUsed(symbol->GetYUsed()),
      m_bXSpeedUsed(symbol->GetXSpeedUsed()), m_bYSpeedUsed(symbol->GetYSpeedUsed()),
      m_bAddressing(symbol->GetAddressing()), m_bCompensation(symbol->GetCompensationOn()), m_x(symbol->GetX()),
      m_y(symbol->GetY()), m_xSpeed(symbol->GetXSpeed()), m_ySpeed(symbol->GetYSpeed()),
      m_bIncremental(symbol->GetIncremental()), m_setting(symbol->GetCompSetting()),
      m_strXSpeed(symbol->GetXSpeedText()), m_strYSpeed(symbol->GetYSpeedText()), m_strX(symbol->GetXText()),
      m_strY(symbol->GetYText())
{
    SetParameterDialog(&CHOXParam::EditUnits);
    OnClicked(kXBox, [this] { OnAxisBox(true); });
    OnClicked(kYBox, [this] { OnAxisBox(false); });
    OnClicked(kXSpeedBox, [this] { OnSpeedBox(m_bXSpeedUsed, kXSpeed, kXSpeedButton); });
    OnClicked(kYSpeedBox, [this] { OnSpeedBox(m_bYSpeedUsed, kYSpeed, kYSpeedButton); });
    OnClicked(kXButton, [this] { ChooseRegister(m_strX, m_x); });
    OnClicked(kYButton, [this] { ChooseRegister(m_strY, m_y); });
    OnClicked(kXSpeedButton, [this] { ChooseRegister(m_strXSpeed, m_xSpeed); });
    OnClicked(kYSpeedButton, [this] { ChooseRegister(m_strYSpeed, m_ySpeed); });
    OnClicked(kCombination, [this] { OnCombination(); });
}

void CHOXCodeDrvDlg::DoDataExchange(CDataExchange* pDX)
{
    CHOXCodeDlg::DoDataExchange(pDX);
    DDX_Check(pDX, kXBox, m_bXUsed);
    DDX_Check(pDX, kYBox, m_bYUsed);
    DDX_Check(pDX, kXSpeedBox, m_bXSpeedUsed);
    DDX_Check(pDX, kYSpeedBox, m_bYSpeedUsed);
    ExchangeOperand(pDX, kXSpeed, m_strXSpeed, kOperandLimit);
    ExchangeOperand(pDX, kYSpeed, m_strYSpeed, kOperandLimit);
    ExchangeOperand(pDX, kX, m_strX, kOperandLimit);
    ExchangeOperand(pDX, kY, m_strY, kOperandLimit);
}

bool CHOXCodeDrvDlg::OnInitDialog()
{
    CHOXCodeDlg::OnInitDialog();
    EnableAll({kX, kXButton}, m_bXUsed != 0);
    EnableAll({kY, kYButton}, m_bYUsed != 0);
    EnableAll({kXSpeed, kXSpeedButton}, m_bXSpeedUsed != 0);
    EnableAll({kYSpeed, kYSpeedButton}, m_bYSpeedUsed != 0);
    EnableDlgItem(kXSpeedBox, m_bXUsed != 0);
    EnableDlgItem(kYSpeedBox, m_bYUsed != 0);
    if (m_bOneAxis != 0) EnableDlgItem(kYBox, m_bYUsed != 0);
    return true;
}

void CHOXCodeDrvDlg::OnAxisBox(bool xAxis)
{
    const Axis& axis = xAxis ? kAxisX : kAxisY;
    const Axis& other = xAxis ? kAxisY : kAxisX;
    std::int32_t& used = xAxis ? m_bXUsed : m_bYUsed;
    used = used != 0 ? 0 : 1;
    EnableAll({axis.edit, axis.button}, used != 0);
    if (used == 0) {
        // A speed needs its axis.
        (xAxis ? m_bXSpeedUsed : m_bYSpeedUsed) = 0;
        CheckDlgButton(axis.speedBox, 0);
        EnableAll({axis.speedBox, axis.speedEdit, axis.speedButton}, false);
    } else {
        EnableDlgItem(axis.speedBox, true);
    }
    if (!ctype::HasIndependentAxes(ControllerType())) return;
    // Independent axes: a drive moves one of them.
    (xAxis ? m_bYUsed : m_bXUsed) = 0;
    (xAxis ? m_bYSpeedUsed : m_bXSpeedUsed) = 0;
    CheckDlgButton(other.box, 0);
    CheckDlgButton(other.speedBox, 0);
    EnableAll({other.edit, other.speedEdit, other.button, other.speedButton, other.speedBox}, false);
}

void CHOXCodeDrvDlg::OnSpeedBox(std::int32_t& used, int edit, int button)
{
    used = used != 0 ? 0 : 1;
    EnableAll({edit, button}, used != 0);
}

void CHOXCodeDrvDlg::OnCombination()
{
    CHOXCombinationDlg dlg(this, true, true, false);
    if (dlg.DoModal() != IDOK) return;
    m_bAddressing = dlg.GetAddressing();
    m_bIncremental = dlg.GetIncremental();
    m_bCompensation = dlg.GetCompensation();
    m_setting = dlg.GetCompSetting();
}

bool CHOXCodeDrvDlg::CheckBeforeMcode()
{
    if ((m_bXSpeedUsed != 0 && m_bXUsed == 0) || (m_bYSpeedUsed != 0 && m_bYUsed == 0)) {
        AfxMessageBox(kMsgSpeedWithoutAxis, MB_OK | MB_ICONHAND);
        return false;
    }
    if (m_bXUsed == 0 && m_bYUsed == 0) {
        AfxMessageBox(kMsgNoAxis, MB_OK | MB_ICONHAND);
        return false;
    }
    if (m_bXUsed != 0 && !CheckOperand(kX, m_strX, m_x, kMsgX, true)) return false;
    if (m_bXSpeedUsed != 0 && !CheckOperand(kXSpeed, m_strXSpeed, m_xSpeed, kMsgSpeed, false)) return false;
    if (m_bYUsed != 0 && !CheckOperand(kY, m_strY, m_y, kMsgY, true)) return false;
    return m_bYSpeedUsed == 0 || CheckOperand(kYSpeed, m_strYSpeed, m_ySpeed, kMsgSpeed, false);
}
