#pragma once
// "Plotting Object" of an X-Y plot: the positive and negative limits of both
// axes, each positive one the greater; "&Clear" empties the plot's trace at
// once, whatever the dialog then ends with.
#include "platform/Dialog.h"

#include <cstdint>

class CHOXMonPlotObj;
class CWnd;

class CHOXPlotXYDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 2076;
    static constexpr UINT kHelpContext = 0x2081C;
    static constexpr int kXNegative = 8573;
    static constexpr int kXPositive = 8572;
    static constexpr int kYNegative = 8577;
    static constexpr int kYPositive = 8575;
    static constexpr int kClear = 8581;
    static constexpr int kHelpButton = 8579;

    // Filled from the plot's limits.
    explicit CHOXPlotXYDlg(CHOXMonPlotObj* plot, CWnd* parent = nullptr);

    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    std::int32_t GetXPositive() const { return m_nXPositive; }
    std::int32_t GetXNegative() const { return m_nXNegative; }
    std::int32_t GetYPositive() const { return m_nYPositive; }
    std::int32_t GetYNegative() const { return m_nYNegative; }

private:
    void OnClear();

    CHOXMonPlotObj* m_pPlot;
    std::int32_t m_nXPositive;
    std::int32_t m_nXNegative;
    std::int32_t m_nYPositive;
    std::int32_t m_nYNegative;
};
