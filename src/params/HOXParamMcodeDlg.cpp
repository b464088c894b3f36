#include "params/HOXParamMcodeDlg.h"

CHOXParamMcodeDlg::CHOXParamMcodeDlg(CHOXParam* param) : CHOXParamDlg(kTemplate, param)
{
    for (std::size_t i = 0; i < m_values.size(); ++i) m_values[i] = Load(36 + static_cast<UINT>(i));
    OnClicked(kOutputMcode, [this] { OnOutputMcode(); });
}

void CHOXParamMcodeDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, kOutputMcode, m_nMcode);
    DDX_Text(pDX, kOutput, m_nOutput);
    DDX_Text(pDX, kOffInput, m_nOffInput);
}

void CHOXParamMcodeDlg::OnOutputMcode()
{
    // Without M codes there is no output and no input to name.
    if (IsDlgButtonChecked(kOutputMcode) == 0) {
        SetDlgItemInt(kOutput, 0);
        SetDlgItemInt(kOffInput, 0);
    }
    UpdateEnabling();
}

void CHOXParamMcodeDlg::SetupControls()
{
    if (IsOneAxis()) {
        SetSpin(kOutputSpin, 0, 5);
        SetSpin(kOffInputSpin, 0, 377, {.lowerTop = 3, .upperBottom = 375});
        return;
    }
    SetSpin(kOutputSpin, 0, 57, {.octal = true});
    SetSpin(kOffInputSpin, 0, 377, {.octal = true, .lowerTop = 67, .upperBottom = 372});
}

void CHOXParamMcodeDlg::ShowAxis(int axis)
{
    const auto a = static_cast<std::size_t>(axis);
    m_nMcode = m_values[0][a];
    m_nOutput = m_values[1][a];
    m_nOffInput = m_values[2][a];
}

void CHOXParamMcodeDlg::StoreAxis(int axis)
{
    const auto a = static_cast<std::size_t>(axis);
    m_values[0][a] = m_nMcode;
    m_values[1][a] = m_nOutput;
    m_values[2][a] = m_nOffInput;
}

void CHOXParamMcodeDlg::UpdateEnabling()
{
    EnableAll({kOutput, kOutputSpin, kOffInput, kOffInputSpin}, IsDlgButtonChecked(kOutputMcode) != 0);
}

bool CHOXParamMcodeDlg::CheckFields()
{
    if (IsOneAxis()) {
        if (m_nOutput < 0 || m_nOutput > 5) return Fail(kOutput, kMsgRange5Is);
        if ((m_nOffInput >= 0 && m_nOffInput <= 3) || (m_nOffInput >= 375 && m_nOffInput <= 377)) return true;
        return Fail(kOffInput, kMsgRange3And375);
    }
    if (m_nOutput < 0 || m_nOutput > 57) return Fail(kOutput, kMsgOctal57);
    if (!CheckOctalDigit(kOutput, m_nOutput)) return false;
    if (!((m_nOffInput >= 0 && m_nOffInput <= 67) || (m_nOffInput >= 372 && m_nOffInput <= 377)))
        return Fail(kOffInput, kMsgOctal67And372To377);
    return CheckOctalDigit(kOffInput, m_nOffInput);
}

void CHOXParamMcodeDlg::WriteValues()
{
    for (int axis = 0; axis < AxisCount(); ++axis)
        for (std::size_t i = 0; i < m_values.size(); ++i)
            Write(36 + static_cast<UINT>(i), axis, m_values[i][static_cast<std::size_t>(axis)]);
}
