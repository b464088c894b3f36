#include "online/monitor/HOXPlotXDlg.h"

#include "online/monitor/HOXMonPlotObj.h"
#include "online/monitor/PlotLimitsCheck.h"

CHOXPlotXDlg::CHOXPlotXDlg(CHOXMonPlotObj* plot, CWnd*)
    : CDialog(kTemplate), m_nXPositive(plot->GetXPositive()), m_nXNegative(plot->GetXNegative())
{
    OnClicked(kHelpButton, [this] { OpenHelp(kHelpContext); });
}

void CHOXPlotXDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, kXPositive, m_nXPositive);
    DDX_Text(pDX, kXNegative, m_nXNegative);
}

void CHOXPlotXDlg::OnOK()
{
    if (!UpdateData(true)) return;
    if (!plotlimits::Check(*this, m_nXPositive, m_nXNegative, plotlimits::XMessage(), kXNegative)) return;
    EndDialog(IDOK);
}
