#include "params/HOXParamUnitsDlg.h"

#include "params/HOXParam.h"
#include "params/ParamUnits.h"

#include <algorithm>

namespace {
constexpr std::int32_t kMotorSystem = paramunits::kMotor;

// The system buttons stand in the order 2, 1, 0.
int SystemButton(std::int32_t system)
{
    switch (system) {
    case 2: return CHOXParamUnitsDlg::kMechanicalMotor;
    case 1: return CHOXParamUnitsDlg::kMotor;
    case 0: return CHOXParamUnitsDlg::kMechanical;
    default: return 0;
    }
}

int UnitButton(std::int32_t unit)
{
    switch (unit) {
    case CHOXParam::unitMillimetre: return CHOXParamUnitsDlg::kMillimetre;
    case CHOXParam::unitDegree: return CHOXParamUnitsDlg::kDegree;
    case CHOXParam::unitInch: return CHOXParamUnitsDlg::kInch;
    default: return 0;
    }
}
} // namespace

CHOXParamUnitsDlg::CHOXParamUnitsDlg(CHOXParam* param) : CHOXParamAxisDlg(kTemplate, AxisPage::Units, param)
{
    for (std::size_t i = 0; i < m_values.size(); ++i) m_values[i] = Load(static_cast<UINT>(i));
    for (int axis = 0; axis < AxisCount(); ++axis) {
        const auto a = static_cast<std::size_t>(axis);
        m_lengthUnit[a] = m_values[0][a] != kMotorSystem && param != nullptr ? param->GetLengthUnit(axis) : 0;
    }
    for (int id : {kMechanicalMotor, kMotor, kMechanical}) OnClicked(id, [this] { ApplySystem(); });
    OnClicked(kMillimetre, [this] { ChooseUnit(CHOXParam::unitMillimetre); });
    OnClicked(kDegree, [this] { ChooseUnit(CHOXParam::unitDegree); });
    OnClicked(kInch, [this] { ChooseUnit(CHOXParam::unitInch); });
    OnSelChange(kCommandUnit, [this] { TakeCommandUnit(GetAxis()); });
}

QStringList CHOXParamUnitsDlg::CommandUnitTexts(std::int32_t system, std::int32_t lengthUnit)
{
    QStringList texts;
    if (system == kMotorSystem) {
        texts = {QStringLiteral("1000"), QStringLiteral("100"), QStringLiteral("10"), QStringLiteral("1")};
    } else if (lengthUnit == CHOXParam::unitInch) {
        texts = {QStringLiteral("0.1"), QStringLiteral("0.01"), QStringLiteral("0.001"), QStringLiteral("0.0001")};
    } else {
        texts = {QStringLiteral("1"), QStringLiteral("0.1"), QStringLiteral("0.01"), QStringLiteral("0.001")};
    }
    // A sorted list: compared as text, the smallest value comes first.
    std::sort(texts.begin(), texts.end());
    return texts;
}

void CHOXParamUnitsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, kPulseRate, m_nPulseRate);
    DDV_MinMaxInt(pDX, m_nPulseRate, 1, 65535);
    DDX_Text(pDX, kFeedRate, m_nFeedRate);
    DDV_MinMaxInt(pDX, m_nFeedRate, 1, 999999);
}

void CHOXParamUnitsDlg::ShowAxis(int axis)
{
    const auto a = static_cast<std::size_t>(axis);
    m_nPulseRate = m_values[1][a];
    m_nFeedRate = m_values[2][a];
}

void CHOXParamUnitsDlg::AxisShown()
{
    const auto a = static_cast<std::size_t>(GetAxis());
    CheckRadioButton(kMechanicalMotor, kMechanical, SystemButton(m_values[0][a]));
    ApplySystem();
    const std::int32_t commandUnit = m_values[3][a];
    // A stored code outside 0 to 3 selects nothing.
    Site()->SetCurSel(kCommandUnit, commandUnit >= 0 && commandUnit <= 3 ? 3 - commandUnit : -1);
}

std::int32_t CHOXParamUnitsDlg::ChosenSystem() const
{
    switch (GetCheckedRadioButton(kMechanicalMotor, kMechanical)) {
    case kMechanicalMotor: return 2;
    case kMotor: return 1;
    case kMechanical: return 0;
    default: return -1;
    }
}

void CHOXParamUnitsDlg::ApplySystem()
{
    const bool motor = IsMotorChosen();
    EnableAll({kPulseRate, kFeedRate, kMillimetre, kDegree, kInch}, !motor);
    if (motor) {
        // No length unit applies.
        CheckRadioButton(kMillimetre, kInch, 0);
        SetDlgItemText(kPulseUnit, QString());
        SetDlgItemText(kFeedUnit, QStringLiteral(" "));
    } else {
        const std::int32_t unit = m_lengthUnit[static_cast<std::size_t>(GetAxis())];
        CheckRadioButton(kMillimetre, kInch, UnitButton(unit));
        SetDlgItemText(kPulseUnit, QStringLiteral(" PLS/REV"));
        SetDlgItemText(kFeedUnit, paramunits::PerRevolution(unit));
    }
    RebuildList();
}

void CHOXParamUnitsDlg::RebuildList()
{
    const std::int32_t system = ChosenSystem();
    const std::int32_t unit = m_lengthUnit[static_cast<std::size_t>(GetAxis())];
    const QStringList texts = CommandUnitTexts(system, unit);
    Site()->ResetContent(kCommandUnit);
    for (const QString& text : texts) Site()->AddString(kCommandUnit, text);
    QString usual = QStringLiteral("0.01");
    if (system == kMotorSystem) {
        usual = QStringLiteral("10");
    } else if (unit == CHOXParam::unitInch) {
        usual = QStringLiteral("0.001");
    }
    Site()->SetCurSel(kCommandUnit, static_cast<int>(texts.indexOf(usual)));
}

void CHOXParamUnitsDlg::ChooseUnit(std::int32_t unit)
{
    m_lengthUnit[static_cast<std::size_t>(GetAxis())] = unit;
    ApplySystem();
}

void CHOXParamUnitsDlg::TakeCommandUnit(int axis)
{
    const int position = Site()->GetCurSel(kCommandUnit);
    if (position < 0) return;
    m_values[3][static_cast<std::size_t>(axis)] = 3 - position;
}

bool CHOXParamUnitsDlg::TakeFields()
{
    // The rate fields of a Motor axis are not in use.
    return IsMotorChosen() || UpdateData(true);
}

void CHOXParamUnitsDlg::StoreAxis(int axis)
{
    const auto a = static_cast<std::size_t>(axis);
    const std::int32_t system = ChosenSystem();
    if (system >= 0) m_values[0][a] = system;
    if (system != kMotorSystem) {
        m_values[1][a] = m_nPulseRate;
        m_values[2][a] = m_nFeedRate;
    }
    TakeCommandUnit(axis);
}

void CHOXParamUnitsDlg::WriteValues()
{
    for (int axis = 0; axis < AxisCount(); ++axis) {
        const auto a = static_cast<std::size_t>(axis);
        for (std::size_t number = 0; number < m_values.size(); ++number)
            Write(static_cast<UINT>(number), axis, m_values[number][a]);
        if (GetParamSet() != nullptr) GetParamSet()->SetLengthUnit(axis, m_lengthUnit[a]);
    }
}
