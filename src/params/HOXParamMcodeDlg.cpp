#include "params/HOXParamMcodeDlg.h"

#include "chart/DeviceRanges.h"

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
        SetSpin(kOutputSpin, 0, devices::kLastYOneAxis);
        SetSpin(kOffInputSpin, 0, devices::kLastXY,
                {.lowerTop = devices::kLastLowXOneAxis, .upperBottom = devices::kFirstHighXOneAxis});
        return;
    }
    SetSpin(kOutputSpin, 0, 57, {.octal = true});
    SetSpin(kOffInputSpin, 0, devices::kLastXY,
            {.octal = true, .lowerTop = devices::kLastOctalTwoAxes, .upperBottom = devices::kFirstHighXTwoAxes});
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
        if (m_nOutput < 0 || m_nOutput > devices::kLastYOneAxis) return Fail(kOutput, kMsgRange5Is);
        return devices::InXBlocks(m_nOffInput, true) || Fail(kOffInput, kMsgRange3And375);
    }
    if (m_nOutput < 0 || m_nOutput > 57) return Fail(kOutput, kMsgOctal57);
    if (!CheckOctalDigit(kOutput, m_nOutput)) return false;
    if (!devices::InXBlocks(m_nOffInput, false)) return Fail(kOffInput, kMsgOctal67And372To377);
    return CheckOctalDigit(kOffInput, m_nOffInput);
}

void CHOXParamMcodeDlg::WriteValues()
{
    for (int axis = 0; axis < AxisCount(); ++axis)
        for (std::size_t i = 0; i < m_values.size(); ++i)
            Write(36 + static_cast<UINT>(i), axis, m_values[i][static_cast<std::size_t>(axis)]);
}
