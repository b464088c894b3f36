#include "params/HOXParamAbsPosDlg.h"

CHOXParamAbsPosDlg::CHOXParamAbsPosDlg(CHOXParam* param) : CHOXParamDlg(kTemplate, param)
{
    for (std::size_t i = 0; i < m_values.size(); ++i) m_values[i] = Load(50 + static_cast<UINT>(i));
    OnClicked(kDetect, [this] { UpdateEnabling(); });
}

void CHOXParamAbsPosDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, kDetect, m_nDetect);
    DDX_Text(pDX, kInput, m_nInput);
    DDX_Text(pDX, kOutput, m_nOutput);
}

void CHOXParamAbsPosDlg::SetupControls()
{
    if (IsOneAxis()) {
        SetSpin(kInputSpin, 0, 376, {.lowerTop = 2, .upperBottom = 375});
        SetSpin(kOutputSpin, 0, 3);
        return;
    }
    SetSpin(kInputSpin, 0, 66, {.octal = true});
    SetSpin(kOutputSpin, 0, 65, {.octal = true});
}

void CHOXParamAbsPosDlg::ShowAxis(int axis)
{
    const auto a = static_cast<std::size_t>(axis);
    m_nDetect = m_values[0][a];
    m_nInput = m_values[1][a];
    m_nOutput = m_values[2][a];
}

void CHOXParamAbsPosDlg::StoreAxis(int axis)
{
    const auto a = static_cast<std::size_t>(axis);
    m_values[0][a] = m_nDetect;
    m_values[1][a] = m_nInput;
    m_values[2][a] = m_nOutput;
}

void CHOXParamAbsPosDlg::UpdateEnabling()
{
    EnableAll({kInput, kInputSpin, kOutput, kOutputSpin}, IsDlgButtonChecked(kDetect) != 0);
}

bool CHOXParamAbsPosDlg::CheckFields()
{
    if (m_nDetect == 0) return true;
    if (IsOneAxis()) {
        // The one-axis type takes the inputs 0 to 2 and 375, 376 as heads,
        // whatever the message says.
        if (!((m_nInput >= 0 && m_nInput <= 2) || m_nInput == 375 || m_nInput == 376))
            return Fail(kInput, kMsgRange3And375);
        return m_nOutput >= 0 && m_nOutput <= 3 ? true : Fail(kOutput, kMsgRange3);
    }
    if (m_nInput < 0 || m_nInput > 66) return Fail(kInput, kMsgOctal66);
    if (!CheckOctalDigit(kInput, m_nInput)) return false;
    if (m_nOutput < 0 || m_nOutput > 65) return Fail(kOutput, kMsgOctal65);
    return CheckOctalDigit(kOutput, m_nOutput);
}

void CHOXParamAbsPosDlg::WriteValues()
{
    for (int axis = 0; axis < AxisCount(); ++axis) {
        const auto a = static_cast<std::size_t>(axis);
        Write(50, axis, m_values[0][a]);
        if (m_values[0][a] == 0) continue;
        Write(51, axis, m_values[1][a]);
        Write(52, axis, m_values[2][a]);
    }
}
