#include "params/HOXParamSystemDlg.h"

#include "params/HOXParam.h"

CHOXParamSystemDlg::CHOXParamSystemDlg(CHOXParam* param) : CHOXParamDlg(kTemplate, param)
{
    m_nMemory = Load(100)[0];
    m_nFileRegisters = Load(CHOXParam::fileRegistersNumber)[0];
    if (IsOneAxis()) {
        // Only 4K steps; the battery output does not exist.
        m_nMemory = 1;
    } else {
        m_nBattery = Load(102)[0];
        m_nBatteryOutput = Load(103)[0];
    }
    for (int id : {kBatteryOn, kBatteryOff, kBatterySet}) OnClicked(id, [this] { UpdateEnabling(); });
}

void CHOXParamSystemDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, kMemory8K, m_nMemory);
    DDX_Text(pDX, kFileRegisters, m_nFileRegisters);
    DDV_MinMaxInt(pDX, m_nFileRegisters, 0, 3000);
    DDX_Radio(pDX, kBatteryOn, m_nBattery);
    DDX_Text(pDX, kOutput, m_nBatteryOutput);
    DDV_MinMaxInt(pDX, m_nBatteryOutput, 0, 67);
}

void CHOXParamSystemDlg::SetupControls() { SetSpin(kOutputSpin, 0, 67, {.octal = true}); }

void CHOXParamSystemDlg::UpdateEnabling()
{
    if (IsOneAxis()) {
        EnableDlgItem(kMemory8K, false);
        EnableAll({kBatteryGroup, kBatteryOn, kBatteryOff, kBatterySet, kOutputLabel, kOutput, kOutputSpin}, false);
        return;
    }
    EnableAll({kOutput, kOutputSpin}, IsDlgButtonChecked(kBatterySet) != 0);
}

bool CHOXParamSystemDlg::CheckFields() { return CheckOctalDigit(kOutput, m_nBatteryOutput); }

void CHOXParamSystemDlg::WriteValues()
{
    Write(100, 0, m_nMemory);
    Write(CHOXParam::fileRegistersNumber, 0, m_nFileRegisters);
    if (IsOneAxis()) return;
    Write(102, 0, m_nBattery);
    if (m_nBattery == 2) Write(103, 0, m_nBatteryOutput);
}
