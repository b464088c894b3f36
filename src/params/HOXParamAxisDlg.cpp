#include "params/HOXParamAxisDlg.h"

#include "params/HOXParam.h"
#include "params/ParamUnits.h"
#include "platform/Resources.h"

namespace {
// The listing's speed and backlash units bring a leading blank to stand after
// a number; a label beside its field does without it.
QString Unblanked(const QString& text) { return text.startsWith(QLatin1Char(' ')) ? text.mid(1) : text; }
} // namespace

CHOXParamAxisDlg::CHOXParamAxisDlg(UINT templateId, AxisPage page, CHOXParam* param)
    : CHOXParamDlg(templateId, param), m_page(page)
{
    OnClicked(kBackButton, [this] { GoTo(Before(m_page)); });
    OnClicked(kForwardButton, [this] { GoTo(After(m_page)); });
}

AxisPage CHOXParamAxisDlg::Before(AxisPage page)
{
    switch (page) {
    case AxisPage::Units: return AxisPage::Settings;
    case AxisPage::Speed: return AxisPage::Units;
    case AxisPage::MachineZero: return AxisPage::Speed;
    case AxisPage::Settings: return AxisPage::MachineZero;
    case AxisPage::None: break;
    }
    return AxisPage::None;
}

AxisPage CHOXParamAxisDlg::After(AxisPage page)
{
    switch (page) {
    case AxisPage::Units: return AxisPage::Speed;
    case AxisPage::Speed: return AxisPage::MachineZero;
    case AxisPage::MachineZero: return AxisPage::Settings;
    case AxisPage::Settings: return AxisPage::Units;
    case AxisPage::None: break;
    }
    return AxisPage::None;
}

bool CHOXParamAxisDlg::OnInitDialog()
{
    m_backPicture = LoadBitmapResource(kBackPicture);
    m_forwardPicture = LoadBitmapResource(kForwardPicture);
    Site()->SetImage(kBackButton, m_backPicture);
    Site()->SetImage(kForwardButton, m_forwardPicture);
    return CHOXParamDlg::OnInitDialog();
}

void CHOXParamAxisDlg::GoTo(AxisPage page)
{
    if (!CommitValues()) return;
    m_next = page;
    EndDialog(IDOK);
}

std::int32_t CHOXParamAxisDlg::StoredSystem(int axis) const
{
    std::int32_t system = paramunits::kMechanical;
    if (GetParamSet() != nullptr) GetParamSet()->GetParam(&system, 0, axis);
    return system;
}

QString CHOXParamAxisDlg::SpeedLabel(int axis) const
{
    const CHOXParam* param = GetParamSet();
    if (param == nullptr) return {};
    return Unblanked(paramunits::Speed(StoredSystem(axis), param->GetLengthUnit(axis)));
}

QString CHOXParamAxisDlg::BacklashLabel(int axis) const
{
    const CHOXParam* param = GetParamSet();
    if (param == nullptr) return {};
    return Unblanked(paramunits::Backlash(StoredSystem(axis), param->GetLengthUnit(axis)));
}

QString CHOXParamAxisDlg::PositionLabel(int axis) const
{
    const CHOXParam* param = GetParamSet();
    if (param == nullptr) return {};
    std::int32_t commandUnit = -1;
    param->GetParam(&commandUnit, 3, axis);
    return paramunits::Position(StoredSystem(axis), param->GetLengthUnit(axis), commandUnit);
}
