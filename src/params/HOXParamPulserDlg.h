#pragma once
// "Paramter Manual Pulse Generator", per axis: how many pulse generators
// (39), the multiplying factor (40), the division rate (41, two-axis types
// only) and the enable input (42).
#include "params/HOXParamDlg.h"

class CHOXParamPulserDlg : public CHOXParamDlg {
public:
    static constexpr UINT kTemplate = 2050;
    static constexpr int kNone = 8790; // first of the pulser buttons
    static constexpr int kOne = 8791;
    static constexpr int kTwo = 8792;
    static constexpr int kFactor = 8794;
    static constexpr int kFactorSpin = 8795;
    static constexpr int kDivision = 8797;
    static constexpr int kDivisionSpin = 8798;
    static constexpr int kInput = 8800;
    static constexpr int kInputSpin = 8801;

    explicit CHOXParamPulserDlg(CHOXParam* param);

    void DoDataExchange(CDataExchange* pDX) override;

    std::int32_t m_nPulser = 0;
    std::int32_t m_nFactor = 0;
    std::int32_t m_nDivision = 0;
    std::int32_t m_nInput = 0;

protected:
    void SetupControls() override;
    void ShowAxis(int axis) override;
    void StoreAxis(int axis) override;
    void UpdateEnabling() override;
    bool CheckFields() override;
    void WriteValues() override;

private:
    // Parameters 39 to 42 of both axes.
    std::array<AxisValues, 4> m_values{};
};
