#include "print/HOXPrintDlg.h"

#include "app/HOXRegistry.h"

namespace {
// The options in the order the settings are read and written.
struct Option {
    const char* name;
    std::int32_t CHOXPrintDlg::*field;
};
const Option kOptions[] = {
    {"PrintMonitoring", &CHOXPrintDlg::m_nPrintMonitoring},
    {"PrintFlowCharts", &CHOXPrintDlg::m_nPrintFlowCharts},
    {"PrintFlowChartsOpenWnds", &CHOXPrintDlg::m_nPrintFlowChartsOpenWnds},
    {"PrintParamInfo", &CHOXPrintDlg::m_nPrintParamInfo},
    {"PrintParamInfoGrpOrder", &CHOXPrintDlg::m_nPrintParamInfoGrpOrder},
    {"PrintZoom", &CHOXPrintDlg::m_nPrintZoom},
    {"PrintZoomSize", &CHOXPrintDlg::m_nPrintZoomSize},
    {"PrintBaseCol", &CHOXPrintDlg::m_nPrintBaseCol},
    {"PrintComment", &CHOXPrintDlg::m_nPrintComment},
    {"PrintContent", &CHOXPrintDlg::m_nPrintContent},
};
} // namespace

CHOXPrintDlg::CHOXPrintDlg(bool printSetupOnly, DWORD flags) : CPrintDialog(kTemplate, printSetupOnly, flags)
{
    ReadOptions();
    OnClicked(kMonitoring, [this] { m_nPrintMonitoring = m_nPrintMonitoring != 0 ? 0 : 1; });
    OnClicked(kFlowCharts, [this] { OnFlowCharts(); });
    OnClicked(kOpenedWindows, [this] { ChooseWindows(true); });
    OnClicked(kAllWindows, [this] { ChooseWindows(false); });
    OnClicked(kParamInfo, [this] { OnParamInfo(); });
    OnClicked(kGroupOrder, [this] { ChooseOrder(true); });
    OnClicked(kNumberOrder, [this] { ChooseOrder(false); });
    OnClicked(kBaseColor, [this] { m_nPrintBaseCol = m_nPrintBaseCol != 0 ? 0 : 1; });
    OnClicked(kZoom, [this] { ChooseZoom(true); });
    OnClicked(kAutoScale, [this] { ChooseZoom(false); });
    OnClicked(kHelp, [this] { OpenHelp(kHelpContext); });
}

std::vector<const char*> CHOXPrintDlg::OptionNames()
{
    std::vector<const char*> names;
    for (const Option& option : kOptions) names.push_back(option.name);
    return names;
}

void CHOXPrintDlg::ReadOptions()
{
    CHOXRegistry registry;
    for (const Option& option : kOptions) this->*option.field = registry.ReadPrintSetting(option.name);
}

void CHOXPrintDlg::WriteOptions()
{
    // A setting that cannot be written keeps its old value; the run goes on
    // with the choice made.
    CHOXRegistry registry;
    for (const Option& option : kOptions)
        static_cast<void>(registry.WriteString(option.name, QString::number(this->*option.field)));
}

int CHOXPrintDlg::FixedScalePercent() const { return IsOfferedZoom(m_nPrintZoomSize) ? m_nPrintZoomSize : 100; }

int CHOXPrintDlg::ZoomItemOf(int size)
{
    if (size == 0) return (100 - kSmallestZoom) / kZoomStep;
    if (!IsOfferedZoom(size)) return -1;
    return (size - kSmallestZoom) / kZoomStep;
}

bool CHOXPrintDlg::OnInitDialog()
{
    ShowOptions();
    // The system's dialog around the page keeps the focus where it puts it.
    return false;
}

void CHOXPrintDlg::ShowOptions()
{
    CheckDlgButton(kMonitoring, m_nPrintMonitoring != 0 ? 1 : 0);
    CheckDlgButton(kFlowCharts, m_nPrintFlowCharts != 0 ? 1 : 0);
    CheckDlgButton(kOpenedWindows, m_nPrintFlowChartsOpenWnds != 0 ? 1 : 0);
    CheckDlgButton(kAllWindows, m_nPrintFlowChartsOpenWnds != 0 ? 0 : 1);
    CheckDlgButton(kParamInfo, m_nPrintParamInfo != 0 ? 1 : 0);
    CheckDlgButton(kGroupOrder, m_nPrintParamInfoGrpOrder != 0 ? 1 : 0);
    CheckDlgButton(kNumberOrder, m_nPrintParamInfoGrpOrder != 0 ? 0 : 1);
    CheckDlgButton(kZoom, m_nPrintZoom != 0 ? 1 : 0);
    CheckDlgButton(kAutoScale, m_nPrintZoom != 0 ? 0 : 1);
    CheckDlgButton(kBaseColor, m_nPrintBaseCol != 0 ? 1 : 0);
    EnableDlgItem(kOpenedWindows, m_nPrintFlowCharts != 0);
    EnableDlgItem(kAllWindows, m_nPrintFlowCharts != 0);
    EnableDlgItem(kGroupOrder, m_nPrintParamInfo != 0);
    EnableDlgItem(kNumberOrder, m_nPrintParamInfo != 0);
    EnableDlgItem(kZoomSize, m_nPrintZoom != 0);
    if (DialogSite* site = Site()) {
        site->ResetContent(kZoomSize);
        for (int size = kSmallestZoom; size <= kLargestZoom; size += kZoomStep)
            site->AddString(kZoomSize, QString::number(size) + QLatin1Char('%'));
        site->SetCurSel(kZoomSize, ZoomItemOf(m_nPrintZoomSize));
    }
}

void CHOXPrintDlg::OnFlowCharts()
{
    m_nPrintFlowCharts = m_nPrintFlowCharts != 0 ? 0 : 1;
    EnableDlgItem(kOpenedWindows, m_nPrintFlowCharts != 0);
    EnableDlgItem(kAllWindows, m_nPrintFlowCharts != 0);
}

void CHOXPrintDlg::OnParamInfo()
{
    m_nPrintParamInfo = m_nPrintParamInfo != 0 ? 0 : 1;
    EnableDlgItem(kGroupOrder, m_nPrintParamInfo != 0);
    EnableDlgItem(kNumberOrder, m_nPrintParamInfo != 0);
}

void CHOXPrintDlg::ChooseWindows(bool openedOnly)
{
    m_nPrintFlowChartsOpenWnds = openedOnly ? 1 : 0;
    CheckDlgButton(kOpenedWindows, openedOnly ? 1 : 0);
    CheckDlgButton(kAllWindows, openedOnly ? 0 : 1);
}

void CHOXPrintDlg::ChooseOrder(bool groupOrder)
{
    m_nPrintParamInfoGrpOrder = groupOrder ? 1 : 0;
    CheckDlgButton(kGroupOrder, groupOrder ? 1 : 0);
    CheckDlgButton(kNumberOrder, groupOrder ? 0 : 1);
}

void CHOXPrintDlg::ChooseZoom(bool zoom)
{
    m_nPrintZoom = zoom ? 1 : 0;
    CheckDlgButton(kZoom, zoom ? 1 : 0);
    CheckDlgButton(kAutoScale, zoom ? 0 : 1);
    EnableDlgItem(kZoomSize, zoom);
}

void CHOXPrintDlg::OnOK()
{
    if (m_nPrintZoom != 0) {
        const DialogSite* site = Site();
        const int item = site != nullptr ? site->GetCurSel(kZoomSize) : -1;
        if (item >= 0) {
            const QString text = site->GetItemText(kZoomSize, item);
            m_nPrintZoomSize = DecimalValue(text.left(text.size() - 1));
        }
        // A size the box does not offer (it came from the settings) never
        // reaches the print mapping.
        if (!IsOfferedZoom(m_nPrintZoomSize)) m_nPrintZoomSize = 100;
    }
    WriteOptions();
    CPrintDialog::OnOK();
}
