#include "online/monitor/HOXPlotXYDlg.h"

#include "online/monitor/HOXMonPlotObj.h"
#include "online/monitor/PlotLimitsCheck.h"

CHOXPlotXYDlg::CHOXPlotXYDlg(CHOXMonPlotObj* plot, CWnd*)
    : CDialog(kTemplate), m_pPlot(plot), m_nXPositive(plot->GetXPositive()), m_nXNegative(plot->GetXNegative()),
      m_nYPositive(plot->GetYPositive()), m_nYNegative(plot->GetYNegative())
{
    OnClicked(kClear, [this] { OnClear(); });
    OnClicked(kHelpButton, [this] { OpenHelp(kHelpContext); });
}

void CHOXPlotXYDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, kXNegative, m_nXNegative);
    DDX_Text(pDX, kXPositive, m_nXPositive);
    DDX_Text(pDX, kYNegative, m_nYNegative);
    DDX_Text(pDX, kYPositive, m_nYPositive);
}

void CHOXPlotXYDlg::OnOK()
{
    if (!UpdateData(true)) return;
    // X first: Y is not looked at while X is refused.
    if (!plotlimits::Check(*this, m_nXPositive, m_nXNegative, plotlimits::XMessage(), kXNegative)) return;
    if (!plotlimits::Check(*this, m_nYPositive, m_nYNegative, plotlimits::YMessage(), kYNegative)) return;
    EndDialog(IDOK);
}

void CHOXPlotXYDlg::OnClear() { m_pPlot->ClearSamples(); }
