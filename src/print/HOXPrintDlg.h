#pragma once
// The print dialog of every print run: the system's dialog (printer, file,
// copies) with the program's own page, which chooses the kinds of pages, the
// flow-chart windows, the order of the parameter pages, zoom or automatic
// scale and the base colour. The ten options come from the settings when the
// dialog is made and go back at OK.
#include "platform/PrintDialog.h"

#include <cstdint>
#include <vector>

class CHOXPrintDlg : public CPrintDialog {
public:
    static constexpr UINT kTemplate = 2084;
    static constexpr UINT kHelpContext = 0x20824;
    static constexpr int kGroupWindows = 100001;
    static constexpr int kGroupScale = 100002;
    static constexpr int kMonitoring = 100003;
    static constexpr int kFlowCharts = 100004;
    static constexpr int kOpenedWindows = 100005;
    static constexpr int kAllWindows = 100006;
    static constexpr int kParamInfo = 100007;
    static constexpr int kGroupOrder = 100008;
    static constexpr int kNumberOrder = 100009;
    static constexpr int kBaseColor = 100010;
    static constexpr int kZoom = 100011;
    static constexpr int kAutoScale = 100012;
    static constexpr int kZoomSize = 100013;
    static constexpr int kGroupColor = 100016;
    static constexpr int kHelp = 57670;

    static constexpr int kSmallestZoom = 50;
    static constexpr int kLargestZoom = 150;
    static constexpr int kZoomStep = 5;

    CHOXPrintDlg(bool printSetupOnly = false, DWORD flags = PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIES);

    // The page's controls show the options.
    bool OnInitDialog() override;
    // Takes the zoom box's size while Zoom is chosen, then writes the ten
    // options in their order.
    void OnOK() override;

    // Zoom with the chosen size; a size the dialog never offers counts as
    // 100.
    bool IsFixedScale() const override { return m_nPrintZoom != 0; }
    int FixedScalePercent() const override;
    static bool IsOfferedZoom(int size) { return size >= kSmallestZoom && size <= kLargestZoom; }

    // The settings' names of the options, in the order they are read and
    // written.
    static std::vector<const char*> OptionNames();

    std::int32_t m_nPrintMonitoring = 1;
    std::int32_t m_nPrintFlowCharts = 1;
    std::int32_t m_nPrintFlowChartsOpenWnds = 1;
    std::int32_t m_nPrintParamInfo = 1;
    std::int32_t m_nPrintParamInfoGrpOrder = 1;
    std::int32_t m_nPrintZoom = 1;
    std::int32_t m_nPrintZoomSize = 100;
    std::int32_t m_nPrintBaseCol = 1;
    std::int32_t m_nPrintComment = 1;
    std::int32_t m_nPrintContent = 1;

private:
    void ReadOptions();
    void WriteOptions();
    void ShowOptions();
    // The zoom box's item of a size: the step at or below it, -1 for a size
    // the box does not offer.
    static int ZoomItemOf(int size);
    void OnFlowCharts();
    void OnParamInfo();
    void ChooseWindows(bool openedOnly);
    void ChooseOrder(bool groupOrder);
    void ChooseZoom(bool zoom);
};
