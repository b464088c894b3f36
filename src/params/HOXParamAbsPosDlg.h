#pragma once
// "Parameter Absolute Position ", per axis: whether the absolute position is
// detected (50) and its first input (51) and output (52). Also run on its own
// by the absolute-position instruction's dialog.
#include "params/HOXParamDlg.h"

class CHOXParamAbsPosDlg : public CHOXParamDlg {
public:
    static constexpr UINT kTemplate = 2048;
    static constexpr int kDetect = 8810;
    static constexpr int kInput = 8813;
    static constexpr int kInputSpin = 8814;
    static constexpr int kOutput = 8817;
    static constexpr int kOutputSpin = 8818;

    explicit CHOXParamAbsPosDlg(CHOXParam* param);

    void DoDataExchange(CDataExchange* pDX) override;

    std::int32_t m_nDetect = 0;
    std::int32_t m_nInput = 0;
    std::int32_t m_nOutput = 0;

protected:
    void SetupControls() override;
    void ShowAxis(int axis) override;
    void StoreAxis(int axis) override;
    void UpdateEnabling() override;
    bool CheckFields() override;
    void WriteValues() override;

private:
    // Parameters 50 to 52 of both axes.
    std::array<AxisValues, 3> m_values{};
};
