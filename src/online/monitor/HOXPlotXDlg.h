#pragma once
// "Plotting Object" of a one-axis plot: the positive and negative limit of
// the X scale. The positive one must be the greater.
#include "platform/Dialog.h"

#include <cstdint>

class CHOXMonPlotObj;
class CWnd;

class CHOXPlotXDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 2077;
    static constexpr UINT kHelpContext = 0x2081C;
    static constexpr int kXPositive = 8572;
    static constexpr int kXNegative = 8582;
    static constexpr int kHelpButton = 8579;

    // Filled from the plot's limits.
    explicit CHOXPlotXDlg(CHOXMonPlotObj* plot, CWnd* parent = nullptr);

    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    std::int32_t GetXPositive() const { return m_nXPositive; }
    std::int32_t GetXNegative() const { return m_nXNegative; }

private:
    std::int32_t m_nXPositive;
    std::int32_t m_nXNegative;
};
