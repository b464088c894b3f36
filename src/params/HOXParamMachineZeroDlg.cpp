#include "params/HOXParamMachineZeroDlg.h"

#include "params/HOXParam.h"
#include "params/ParamUnits.h"
#include "platform/Strings.h"

CHOXParamMachineZeroDlg::CHOXParamMachineZeroDlg(CHOXParam* param)
    : CHOXParamAxisDlg(kTemplate, AxisPage::MachineZero, param)
{
    for (std::size_t i = 0; i < m_values.size(); ++i) m_values[i] = Load(13 + static_cast<UINT>(i));
}

void CHOXParamMachineZeroDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, kZeroSpeed, m_nZeroSpeed);
    DDX_Text(pDX, kCreepSpeed, m_nCreepSpeed);
    DDX_Radio(pDX, kIncreasing, m_nDirection);
    DDX_Text(pDX, kAddress, m_nAddress);
    DDV_MinMaxInt(pDX, m_nAddress, -999999, 999999);
    DDX_Text(pDX, kCount, m_nCount);
    DDV_MinMaxInt(pDX, m_nCount, 0, 65535);
    DDX_Radio(pDX, kFrontEnd, m_nDogOption);
    DDX_Radio(pDX, kDogOpen, m_nDogLogic);
    DDX_Radio(pDX, kLimitOpen, m_nLimitLogic);
}

void CHOXParamMachineZeroDlg::ShowAxis(int axis)
{
    const auto a = static_cast<std::size_t>(axis);
    m_nZeroSpeed = m_values[0][a];
    m_nCreepSpeed = m_values[1][a];
    m_nDirection = m_values[2][a];
    m_nAddress = m_values[3][a];
    m_nCount = m_values[4][a];
    m_nDogOption = m_values[5][a];
    m_nDogLogic = m_values[6][a];
    m_nLimitLogic = m_values[7][a];
}

void CHOXParamMachineZeroDlg::StoreAxis(int axis)
{
    const auto a = static_cast<std::size_t>(axis);
    m_values[0][a] = m_nZeroSpeed;
    m_values[1][a] = m_nCreepSpeed;
    m_values[2][a] = m_nDirection;
    m_values[3][a] = m_nAddress;
    m_values[4][a] = m_nCount;
    m_values[5][a] = m_nDogOption;
    m_values[6][a] = m_nDogLogic;
    m_values[7][a] = m_nLimitLogic;
}

void CHOXParamMachineZeroDlg::AxisShown()
{
    const int axis = GetAxis();
    const QString speed = SpeedLabel(axis);
    SetDlgItemText(kZeroSpeedUnit, speed);
    SetDlgItemText(kCreepSpeedUnit, speed);
    SetDlgItemText(kAddressUnit, PositionLabel(axis));
}

bool CHOXParamMachineZeroDlg::CheckFields()
{
    const int axis = GetAxis();
    // Speeds of the Mechanical system are in length units per minute.
    if (StoredSystem(axis) == paramunits::kMechanical) {
        if (m_nCreepSpeed < 1 || m_nCreepSpeed > 15300) return Fail(kCreepSpeed, kMsgCreep15300);
        if (m_nZeroSpeed < 1 || m_nZeroSpeed > 153000) return Fail(kZeroSpeed, kMsgZero153000);
    } else {
        if (m_nCreepSpeed < 1 || m_nCreepSpeed > 20000) return Fail(kCreepSpeed, kMsgCreep20000);
        if (m_nZeroSpeed < 1 || m_nZeroSpeed > 200000) return Fail(kZeroSpeed, kMsgZero200000);
    }
    std::int32_t maxSpeed = 0;
    if (GetParamSet() != nullptr) GetParamSet()->GetParam(&maxSpeed, 4, axis);
    if (m_nZeroSpeed > maxSpeed) return Fail(kZeroSpeed, LoadStr(kMsgZeroToMax) + QString::number(maxSpeed));
    return true;
}

void CHOXParamMachineZeroDlg::WriteValues()
{
    for (int axis = 0; axis < AxisCount(); ++axis)
        for (std::size_t i = 0; i < m_values.size(); ++i)
            Write(13 + static_cast<UINT>(i), axis, m_values[i][static_cast<std::size_t>(axis)]);
}
