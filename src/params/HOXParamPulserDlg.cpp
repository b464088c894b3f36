#include "params/HOXParamPulserDlg.h"

CHOXParamPulserDlg::CHOXParamPulserDlg(CHOXParam* param) : CHOXParamDlg(kTemplate, param)
{
    for (std::size_t i = 0; i < m_values.size(); ++i) m_values[i] = Load(39 + static_cast<UINT>(i));
    for (int id : {kNone, kOne, kTwo}) OnClicked(id, [this] { UpdateEnabling(); });
}

void CHOXParamPulserDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, kNone, m_nPulser);
    DDX_Text(pDX, kFactor, m_nFactor);
    DDV_MinMaxInt(pDX, m_nFactor, 1, 255);
    DDX_Text(pDX, kDivision, m_nDivision);
    DDV_MinMaxInt(pDX, m_nDivision, 0, 7);
    DDX_Text(pDX, kInput, m_nInput);
}

void CHOXParamPulserDlg::SetupControls()
{
    SetSpin(kFactorSpin, 1, 255);
    SetSpin(kDivisionSpin, 0, 7);
    if (IsOneAxis()) {
        SetSpin(kInputSpin, 0, 3);
    } else {
        SetSpin(kInputSpin, 0, 67, {.octal = true});
    }
}

void CHOXParamPulserDlg::ShowAxis(int axis)
{
    const auto a = static_cast<std::size_t>(axis);
    m_nPulser = m_values[0][a];
    m_nFactor = m_values[1][a];
    m_nDivision = m_values[2][a];
    m_nInput = m_values[3][a];
}

void CHOXParamPulserDlg::StoreAxis(int axis)
{
    const auto a = static_cast<std::size_t>(axis);
    m_values[0][a] = m_nPulser;
    m_values[1][a] = m_nFactor;
    m_values[2][a] = m_nDivision;
    m_values[3][a] = m_nInput;
}

void CHOXParamPulserDlg::UpdateEnabling()
{
    const bool used = IsDlgButtonChecked(kNone) == 0;
    EnableAll({kFactor, kFactorSpin, kInput, kInputSpin}, used);
    // The one-axis type has one pulse generator and no division rate.
    EnableAll({kDivision, kDivisionSpin}, used && !IsOneAxis());
    if (IsOneAxis()) EnableDlgItem(kTwo, false);
}

bool CHOXParamPulserDlg::CheckFields()
{
    if (IsOneAxis()) return m_nInput >= 0 && m_nInput <= 3 ? true : Fail(kInput, kMsgRange3);
    if (m_nPulser == 0) return true;
    if (m_nFactor < 1 || m_nFactor > 255) return Fail(kFactor, kMsgRange255);
    if (m_nInput < 0 || m_nInput > 67) return Fail(kInput, kMsgOctal67);
    if (!CheckOctalDigit(kInput, m_nInput)) return false;
    if (m_nDivision < 0 || m_nDivision > 7) return Fail(kDivision, kMsgRange7);
    return true;
}

void CHOXParamPulserDlg::WriteValues()
{
    for (int axis = 0; axis < AxisCount(); ++axis) {
        const auto a = static_cast<std::size_t>(axis);
        Write(39, axis, m_values[0][a]);
        // The factor, division and input of an axis without a pulse
        // generator stay as they were.
        if (m_values[0][a] == 0) continue;
        Write(40, axis, m_values[1][a]);
        if (!IsOneAxis()) Write(41, axis, m_values[2][a]);
        Write(42, axis, m_values[3][a]);
    }
}
