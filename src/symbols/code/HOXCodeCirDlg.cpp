#include "symbols/code/HOXCodeCirDlg.h"

#include "params/HOXParam.h"
#include "symbols/code/HOXCodeCir.h"
#include "symbols/code/HOXCombinationDlg.h"

CHOXCodeCirDlg::CHOXCodeCirDlg(CHOXCodeCir* symbol)
    : CHOXCodeDlg(symbol, kTemplate, {.modeBox = kMcodeModeBox}), m_bXUsed(symbol->GetXUsed()),
      m_bYUsed(symbol->GetYUsed()), m_bSpeedUsed(symbol->GetSpeedUsed()), m_x(symbol->GetX()), m_y(symbol->GetY()),
      m_speed(symbol->GetSpeed()), m_nDirection(symbol->GetClockwise()), m_nCentreMode(symbol->GetCentreForm()),
      m_bAddressing(symbol->GetAddressing()), m_bCompensation(symbol->GetCompensationOn()),
      m_bEndCheck(symbol->GetEndCheck()), m_bIncremental(symbol->GetIncremental()), m_setting(symbol->GetCompSetting()),
      m_strX(symbol->GetXText()), m_strY(symbol->GetYText()), m_strSpeed(symbol->GetSpeedText()),
      m_bIUsed(symbol->GetIUsed()), m_bJUsed(symbol->GetJUsed())
{
    const QString zero = QStringLiteral("0");
    if (m_nCentreMode != 0) {
        // Only the offsets in use come over; the radius is not shown.
        if (m_bIUsed != 0) m_iOrR = symbol->GetCentreIOrRadius();
        if (m_bJUsed != 0) m_j = symbol->GetCentreJ();
        m_strI = m_bIUsed != 0 ? symbol->GetCentreIOrRadiusText() : zero;
        m_strJ = m_bJUsed != 0 ? symbol->GetCentreJText() : zero;
        m_strR = zero;
    } else {
        m_iOrR = symbol->GetCentreIOrRadius();
        m_j = symbol->GetCentreJ();
        m_strR = symbol->GetCentreIOrRadiusText();
        m_strI = m_strJ = zero;
    }
    SetParameterDialog(&CHOXParam::EditUnits);
    OnClicked(kXBox, [this] { OnOperandBox(m_bXUsed, kX, kXButton); });
    OnClicked(kYBox, [this] { OnOperandBox(m_bYUsed, kY, kYButton); });
    OnClicked(kSpeedBox, [this] { OnOperandBox(m_bSpeedUsed, kSpeed, kSpeedButton); });
    OnClicked(kIBox, [this] { OnCentreBox(true); });
    OnClicked(kJBox, [this] { OnCentreBox(false); });
    OnClicked(kRadius, [this] { OnFormRadio(0); });
    OnClicked(kCentre, [this] { OnFormRadio(1); });
    const auto stop = RegisterButton::kStopOnFail;
    OnClicked(kXButton, [this, stop] { ChooseRegister(m_strX, m_x, stop); });
    OnClicked(kYButton, [this, stop] { ChooseRegister(m_strY, m_y, stop); });
    OnClicked(kSpeedButton, [this, stop] { ChooseRegister(m_strSpeed, m_speed, stop); });
    OnClicked(kIButton, [this, stop] { ChooseRegister(m_strI, m_iOrR, stop); });
    OnClicked(kJButton, [this, stop] { ChooseRegister(m_strJ, m_j, stop); });
    OnClicked(kRButton, [this, stop] { ChooseRegister(m_strR, m_iOrR, stop); });
    OnClicked(kCombination, [this] { OnCombination(); });
}

void CHOXCodeCirDlg::DoDataExchange(CDataExchange* pDX)
{
    CHOXCodeDlg::DoDataExchange(pDX);
    DDX_Check(pDX, kXBox, m_bXUsed);
    DDX_Check(pDX, kYBox, m_bYUsed);
    DDX_Check(pDX, kSpeedBox, m_bSpeedUsed);
    DDX_Check(pDX, kIBox, m_bIUsed);
    DDX_Check(pDX, kJBox, m_bJUsed);
    // Counter-clockwise is the group's first button.
    DDX_Radio(pDX, kCounterClockwise, m_nDirection);
    DDX_Radio(pDX, kRadius, m_nCentreMode);
    ExchangeOperand(pDX, kX, m_strX, kOperandLimit);
    ExchangeOperand(pDX, kY, m_strY, kOperandLimit);
    ExchangeOperand(pDX, kSpeed, m_strSpeed, kOperandLimit);
    ExchangeOperand(pDX, kI, m_strI, kOperandLimit);
    ExchangeOperand(pDX, kJ, m_strJ, kOperandLimit);
    ExchangeOperand(pDX, kR, m_strR, kOperandLimit);
}

bool CHOXCodeCirDlg::OnInitDialog()
{
    CHOXCodeDlg::OnInitDialog();
    EnableAll({kX, kXButton}, m_bXUsed != 0);
    EnableAll({kY, kYButton}, m_bYUsed != 0);
    EnableAll({kSpeed, kSpeedButton}, m_bSpeedUsed != 0);
    ShowForm();
    return true;
}

void CHOXCodeCirDlg::ShowForm()
{
    const bool centre = m_nCentreMode != 0;
    EnableAll({kR, kRButton}, !centre);
    EnableAll({kIBox, kJBox}, centre);
    EnableAll({kI, kIButton}, centre && m_bIUsed != 0);
    EnableAll({kJ, kJButton}, centre && m_bJUsed != 0);
}

void CHOXCodeCirDlg::OnOperandBox(std::int32_t& used, int edit, int button)
{
    used = used != 0 ? 0 : 1;
    EnableAll({edit, button}, used != 0);
}

void CHOXCodeCirDlg::OnCentreBox(bool first)
{
    UpdateData(true);
    if (first) {
        EnableAll({kI, kIButton}, m_bIUsed != 0);
    } else {
        EnableAll({kJ, kJButton}, m_bJUsed != 0);
    }
}

void CHOXCodeCirDlg::OnFormRadio(std::int32_t centre)
{
    m_nCentreMode = centre;
    ShowForm();
    // The combined compensation follows the arc's form, from nothing.
    if (m_setting.GetKind() == CHOXCompSetting::kCanc) return;
    m_setting.SetKind(centre != 0 ? CHOXCompSetting::kCntc : CHOXCompSetting::kRadc);
    m_setting.SetOperand1(CHOXDataReg());
    m_setting.SetOperand2(CHOXDataReg());
}

bool CHOXCodeCirDlg::CentreGiven()
{
    if (m_nCentreMode == 0 || m_bIUsed != 0 || m_bJUsed != 0) return true;
    AfxMessageBox(kMsgSelectOperand, MB_OK | MB_ICONHAND);
    return false;
}

void CHOXCodeCirDlg::OnCombination()
{
    if (!UpdateData(true)) return;
    if (!CentreGiven()) return;
    CHOXCombinationDlg dlg(this, true, true, true);
    if (dlg.DoModal() != IDOK) return;
    m_bAddressing = dlg.GetAddressing();
    m_bIncremental = dlg.GetIncremental();
    m_bCompensation = dlg.GetCompensation();
    m_setting = dlg.GetCompSetting();
    m_bEndCheck = dlg.GetEndCheck();
    UpdateData(false);
}

bool CHOXCodeCirDlg::CheckBeforeMcode()
{
    if (m_bXUsed != 0 && !CheckOperand(kX, m_strX, m_x, kMsgX, true)) return false;
    if (m_bYUsed != 0 && !CheckOperand(kY, m_strY, m_y, kMsgY, true)) return false;
    if (m_bSpeedUsed != 0 && !CheckOperand(kSpeed, m_strSpeed, m_speed, kMsgSpeed, false)) return false;
    if (m_nCentreMode == 0) return CheckOperand(kR, m_strR, m_iOrR, kMsgR, true);
    if (!CentreGiven()) return false;
    if (m_bIUsed != 0 && !CheckOperand(kI, m_strI, m_iOrR, kMsgI, true)) return false;
    return m_bJUsed == 0 || CheckOperand(kJ, m_strJ, m_j, kMsgJ, true);
}
