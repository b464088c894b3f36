#include "params/HOXParamOthersDlg.h"

#include "chart/DeviceRanges.h"

CHOXParamOthersDlg::CHOXParamOthersDlg(CHOXParam* param) : CHOXParamDlg(kTemplate, param)
{
    m_singleStep = Load(53);
    m_input = Load(54);
    m_generalInputs = Load(56);
    OnClicked(kValid, [this] { UpdateEnabling(); });
    OnChange(kInput, [this] { OnInputChanged(); });
}

void CHOXParamOthersDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, kValid, m_nSingleStep);
    DDX_Text(pDX, kInput, m_nInput);
    DDX_Radio(pDX, kNever, m_nGeneralInputs);
}

void CHOXParamOthersDlg::OnInputChanged()
{
    // What is typed is the dialog's value at once; a text that is no number
    // yet waits for the data exchange to say so.
    bool ok = false;
    const std::int32_t value = GetDlgItemInt(kInput, &ok);
    if (ok) m_nInput = value;
}

void CHOXParamOthersDlg::SetupControls()
{
    const SpinSteps steps =
        IsOneAxis() ? SpinSteps{.lowerTop = devices::kLastLowXOneAxis, .upperBottom = devices::kFirstHighXOneAxis}
                    : SpinSteps{.octal = true,
                                .lowerTop = devices::kLastOctalTwoAxes,
                                .upperBottom = devices::kFirstHighXTwoAxes};
    SetSpin(kInputSpin, 0, devices::kLastXY, steps);
}

void CHOXParamOthersDlg::ShowAxis(int axis)
{
    const auto a = static_cast<std::size_t>(axis);
    m_nSingleStep = m_singleStep[a];
    m_nInput = m_input[a];
    m_nGeneralInputs = m_generalInputs[a];
}

void CHOXParamOthersDlg::StoreAxis(int axis)
{
    const auto a = static_cast<std::size_t>(axis);
    m_singleStep[a] = m_nSingleStep;
    m_input[a] = m_nInput;
    m_generalInputs[a] = m_nGeneralInputs;
}

void CHOXParamOthersDlg::UpdateEnabling() { EnableAll({kInput, kInputSpin}, IsDlgButtonChecked(kValid) != 0); }

bool CHOXParamOthersDlg::CheckFields()
{
    if (m_nSingleStep == 0) return true;
    if (IsOneAxis()) return devices::InXBlocks(m_nInput, true) || Fail(kInput, kMsgRange3And375);
    if (!devices::InXBlocks(m_nInput, false)) return Fail(kInput, kMsgOctal67And372To377);
    return CheckOctalDigit(kInput, m_nInput);
}

void CHOXParamOthersDlg::WriteValues()
{
    for (int axis = 0; axis < AxisCount(); ++axis) {
        const auto a = static_cast<std::size_t>(axis);
        Write(53, axis, m_singleStep[a]);
        if (m_singleStep[a] == 1) Write(54, axis, m_input[a]);
        Write(56, axis, m_generalInputs[a]);
    }
}
