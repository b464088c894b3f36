#include "params/HOXParamProgNoDlg.h"

#include "params/HOXParam.h"
#include "platform/Strings.h"
#include "plc/HOXKzPlcDlg.h"

CHOXParamProgNoDlg::CHOXParamProgNoDlg(CHOXParam* param) : CHOXParamDlg(kTemplate, param)
{
    for (std::size_t i = 0; i < m_values.size(); ++i) m_values[i] = Load(30 + static_cast<UINT>(i));
    for (int id : {kDesigFixed, kDesigSwitch9, kDesigSwitch99, kDesigRegister, kReady})
        OnClicked(id, [this] { UpdateEnabling(); });
    OnClicked(kKzPlc, [this] { OnKzPlc(); });
}

void CHOXParamProgNoDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, kDesigFixed, m_nDesig);
    DDX_Text(pDX, kInput, m_nInput);
    DDX_Text(pDX, kOutput, m_nOutput);
    DDX_Text(pDX, kInterval, m_nInterval);
    DDV_MinMaxInt(pDX, m_nInterval, 7, 100);
    DDX_Check(pDX, kReady, m_nReady);
    DDX_Text(pDX, kReadyOutput, m_nReadyOutput);
}

void CHOXParamProgNoDlg::OnKzPlc()
{
    CHOXKzPlcDlg dlg(CHOXKzPlcDlg::kForm16Bit, kProgramRegister, GetParamSet()->GetDocument(), 0, 0);
    dlg.DoModal();
}

void CHOXParamProgNoDlg::SetupControls()
{
    SetSpin(kIntervalSpin, 7, 100);
    if (IsOneAxis()) {
        SetSpin(kInputSpin, 0, 3);
        SetSpin(kOutputSpin, 0, 5);
        SetSpin(kReadyOutputSpin, 0, 5);
        return;
    }
    SetSpin(kInputSpin, 0, 374, {.octal = true, .lowerTop = 67, .upperBottom = 372});
    SetSpin(kOutputSpin, 0, 67, {.octal = true});
    SetSpin(kReadyOutputSpin, 0, 67, {.octal = true});
}

void CHOXParamProgNoDlg::ShowAxis(int axis)
{
    const auto a = static_cast<std::size_t>(axis);
    m_nDesig = m_values[0][a];
    m_nInput = m_values[1][a];
    m_nOutput = m_values[2][a];
    m_nInterval = m_values[3][a];
    m_nReady = m_values[4][a];
    m_nReadyOutput = m_values[5][a];
}

void CHOXParamProgNoDlg::StoreAxis(int axis)
{
    const auto a = static_cast<std::size_t>(axis);
    m_values[0][a] = m_nDesig;
    m_values[1][a] = m_nInput;
    m_values[2][a] = m_nOutput;
    m_values[3][a] = m_nInterval;
    m_values[4][a] = m_nReady;
    m_values[5][a] = m_nReadyOutput;
}

void CHOXParamProgNoDlg::UpdateEnabling()
{
    const bool switches = IsDlgButtonChecked(kDesigSwitch9) != 0 || IsDlgButtonChecked(kDesigSwitch99) != 0;
    EnableAll({kInput, kInputSpin, kOutput, kOutputSpin, kInterval, kIntervalSpin}, switches);
    EnableDlgItem(kKzPlc, IsDlgButtonChecked(kDesigRegister) != 0);
    EnableAll({kReadyOutput, kReadyOutputSpin}, IsDlgButtonChecked(kReady) != 0);
}

bool CHOXParamProgNoDlg::CheckOutput(int id, std::int32_t value)
{
    const std::int32_t highest = IsOneAxis() ? 5 : 67;
    if (value < 0 || value > highest) return Fail(id, FormatStr(kMsgIntegerTo, {QString::number(highest)}));
    return IsOneAxis() || CheckOctalDigit(id, value);
}

bool CHOXParamProgNoDlg::CheckFields()
{
    if (m_nDesig == 1 || m_nDesig == 2) {
        if (IsOneAxis()) {
            if (m_nInput < 0 || m_nInput > 3) return Fail(kInput, FormatStr(kMsgIntegerTo, {QStringLiteral("3")}));
        } else {
            if (!((m_nInput >= 0 && m_nInput <= 67) || (m_nInput >= 372 && m_nInput <= 374)))
                return Fail(kInput, kMsgOctal67And372To374);
            if (!CheckOctalDigit(kInput, m_nInput)) return false;
        }
        if (!CheckOutput(kOutput, m_nOutput)) return false;
    }
    if (m_nReady != 0 && !CheckOutput(kReadyOutput, m_nReadyOutput)) return false;
    return true;
}

void CHOXParamProgNoDlg::WriteValues()
{
    for (int axis = 0; axis < AxisCount(); ++axis)
        for (std::size_t i = 0; i < m_values.size(); ++i)
            Write(30 + static_cast<UINT>(i), axis, m_values[i][static_cast<std::size_t>(axis)]);
}
