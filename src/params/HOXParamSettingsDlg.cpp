#include "params/HOXParamSettingsDlg.h"

#include <limits>

namespace {
// The parameters the dialog edits, in the order of its buffers.
constexpr UINT kNumbers[] = {11, 12, 21, 22, 23, 24, 25, 26};
enum Slot { kFormat, kRotation, kCompletion, kServo, kStop, kElectricalZero, kUpper, kLower };
} // namespace

CHOXParamSettingsDlg::CHOXParamSettingsDlg(CHOXParam* param) : CHOXParamAxisDlg(kTemplate, AxisPage::Settings, param)
{
    for (std::size_t i = 0; i < m_values.size(); ++i) m_values[i] = Load(kNumbers[i]);
}

std::optional<std::int32_t> CHOXParamSettingsDlg::ParseLimit(const QString& text)
{
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok, 10);
    if (!ok || QString::number(value) != text) return std::nullopt;
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

void CHOXParamSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, kForwardReverse, m_nPulseFormat);
    DDX_Radio(pDX, kIncreases, m_nDirection);
    DDX_Radio(pDX, kStopInvalid, m_nStopMode);
    DDX_Text(pDX, kUpperLimit, m_strUpper);
    DDX_Text(pDX, kLowerLimit, m_strLower);
    DDX_Text(pDX, kCompletionTime, m_nCompletionTime);
    DDV_MinMaxInt(pDX, m_nCompletionTime, 0, 5000);
    DDX_Text(pDX, kAddress, m_nAddress);
    DDV_MinMaxInt(pDX, m_nAddress, -999999, 999999);
    DDX_Check(pDX, kServoCheck, m_nServoCheck);
}

// The completion time steps by one both ways.
void CHOXParamSettingsDlg::SetupControls() { SetSpin(kCompletionSpin, 0, 5000); }

void CHOXParamSettingsDlg::ShowAxis(int axis)
{
    const auto a = static_cast<std::size_t>(axis);
    m_nPulseFormat = m_values[kFormat][a];
    m_nDirection = m_values[kRotation][a];
    m_nCompletionTime = m_values[kCompletion][a];
    m_nServoCheck = m_values[kServo][a] == 0 ? 1 : 0;
    m_nStopMode = m_values[kStop][a];
    m_nAddress = m_values[kElectricalZero][a];
    m_strUpper = QString::number(m_values[kUpper][a]);
    m_strLower = QString::number(m_values[kLower][a]);
}

void CHOXParamSettingsDlg::StoreAxis(int axis)
{
    const auto a = static_cast<std::size_t>(axis);
    m_values[kFormat][a] = m_nPulseFormat;
    m_values[kRotation][a] = m_nDirection;
    m_values[kCompletion][a] = m_nCompletionTime;
    m_values[kServo][a] = m_nServoCheck != 0 ? 0 : 1;
    m_values[kStop][a] = m_nStopMode;
    m_values[kElectricalZero][a] = m_nAddress;
    // Both passed their check before the values are stored.
    m_values[kUpper][a] = ParseLimit(m_strUpper).value_or(m_values[kUpper][a]);
    m_values[kLower][a] = ParseLimit(m_strLower).value_or(m_values[kLower][a]);
}

void CHOXParamSettingsDlg::AxisShown() { SetDlgItemText(kPositionUnit, PositionLabel(GetAxis())); }

bool CHOXParamSettingsDlg::CheckFields()
{
    if (!ParseLimit(m_strUpper)) return Fail(kUpperLimit, kMsgLimit);
    if (!ParseLimit(m_strLower)) return Fail(kLowerLimit, kMsgLimit);
    return true;
}

void CHOXParamSettingsDlg::WriteValues()
{
    for (int axis = 0; axis < AxisCount(); ++axis)
        for (std::size_t i = 0; i < m_values.size(); ++i)
            Write(kNumbers[i], axis, m_values[i][static_cast<std::size_t>(axis)]);
}
