#pragma once
// "Parameter M Code", per axis: whether M codes are output (36), the first
// output (37) and the input that turns them off (38).
#include "params/HOXParamDlg.h"

class CHOXParamMcodeDlg : public CHOXParamDlg {
public:
    static constexpr UINT kTemplate = 2049;
    static constexpr int kOutputMcode = 8780;
    static constexpr int kOutput = 8783;
    static constexpr int kOutputSpin = 8784;
    static constexpr int kOffInput = 8787;
    static constexpr int kOffInputSpin = 8788;

    explicit CHOXParamMcodeDlg(CHOXParam* param);

    void DoDataExchange(CDataExchange* pDX) override;

    std::int32_t m_nMcode = 0;
    std::int32_t m_nOutput = 0;
    std::int32_t m_nOffInput = 0;

protected:
    void SetupControls() override;
    void ShowAxis(int axis) override;
    void StoreAxis(int axis) override;
    void UpdateEnabling() override;
    bool CheckFields() override;
    void WriteValues() override;

private:
    void OnOutputMcode();

    // Parameters 36 to 38 of both axes.
    std::array<AxisValues, 3> m_values{};
};
