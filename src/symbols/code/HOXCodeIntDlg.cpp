#include "symbols/code/HOXCodeIntDlg.h"

#include "params/HOXParam.h"
#include "symbols/code/HOXCodeInt.h"
#include "symbols/code/HOXCombinationDlg.h"

CHOXCodeIntDlg::CHOXCodeIntDlg(CHOXCodeInt* symbol)
    : CHOXCodeDlg(symbol, kTemplate), m_distance(symbol->GetDistance()), m_speed1(symbol->GetSpeed1()),
      m_speed2(symbol->GetSpeed2()), m_bCompensation(symbol->GetCompensationOn()), m_setting(symbol->GetCompSetting()),
      m_nDriveMethod(symbol->GetTwoStep()), m_nAxis(symbol->GetYAxis()), m_strDistance(symbol->GetDistanceText()),
      m_strSpeed1(symbol->GetSpeed1Text()), m_strSpeed2(symbol->GetSpeed2Text())
{
    SetParameterDialog(&CHOXParam::EditUnits);
    const auto form = RegisterButton::kNotNegative;
    OnClicked(kDistanceButton, [this, form] { ChooseRegister(m_strDistance, m_distance, form); });
    OnClicked(kSpeed1Button, [this, form] { ChooseRegister(m_strSpeed1, m_speed1, form); });
    OnClicked(kSpeed2Button, [this, form] { ChooseRegister(m_strSpeed2, m_speed2, form); });
    OnClicked(kOneStep, [this] { EnableAll({kSpeed2, kSpeed2Button}, false); });
    OnClicked(kTwoStep, [this] { EnableAll({kSpeed2, kSpeed2Button}, true); });
    OnClicked(kCombination, [this] { OnCombination(); });
}

void CHOXCodeIntDlg::DoDataExchange(CDataExchange* pDX)
{
    CHOXCodeDlg::DoDataExchange(pDX);
    ExchangeOperand(pDX, kDistance, m_strDistance);
    ExchangeOperand(pDX, kSpeed1, m_strSpeed1);
    ExchangeOperand(pDX, kSpeed2, m_strSpeed2);
    DDX_Radio(pDX, kOneStep, m_nDriveMethod);
    DDX_Radio(pDX, kAxisX, m_nAxis);
}

bool CHOXCodeIntDlg::OnInitDialog()
{
    CHOXCodeDlg::OnInitDialog();
    if (m_bOneAxis != 0) EnableDlgItem(kAxisY, false);
    EnableAll({kSpeed2, kSpeed2Button}, m_nDriveMethod != 0);
    return true;
}

void CHOXCodeIntDlg::OnCombination()
{
    CHOXCombinationDlg dlg(this, false, true, false);
    if (dlg.DoModal() != IDOK) return;
    m_bCompensation = dlg.GetCompensation();
    m_setting = dlg.GetCompSetting();
}

bool CHOXCodeIntDlg::CheckSpeed(int id, const QString& text, CHOXDataReg& speed)
{
    if (!speed.Parse(text, true) ||
        (speed.IsConstant() && (speed.GetNumber() < 0 || speed.GetNumber() > kHighestSpeed)))
        return Refuse(id, kMsgSpeed);
    return CheckOperandRange(id, speed);
}

bool CHOXCodeIntDlg::CheckAfterMcode()
{
    // The second speed is read with either method.
    return CheckOperand(kDistance, m_strDistance, m_distance, kMsgDistance, true) &&
           CheckSpeed(kSpeed1, m_strSpeed1, m_speed1) && CheckSpeed(kSpeed2, m_strSpeed2, m_speed2);
}
