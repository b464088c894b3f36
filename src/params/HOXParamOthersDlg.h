#pragma once
// "Parameter Others", per axis: single-step operation (53) with its start
// input (54), and when the forward, reverse and zero-return inputs serve as
// general inputs (56).
#include "params/HOXParamDlg.h"

class CHOXParamOthersDlg : public CHOXParamDlg {
public:
    static constexpr UINT kTemplate = 2052;
    static constexpr int kValid = 8820;
    static constexpr int kInput = 8822;
    static constexpr int kInputSpin = 8823;
    static constexpr int kNever = 8824; // first of the general-input buttons
    static constexpr int kAuto = 8825;
    static constexpr int kAlways = 8826;
    static constexpr int kAutoSpecialM = 8827;
    static constexpr int kAlwaysSpecialM = 8828;

    explicit CHOXParamOthersDlg(CHOXParam* param);

    void DoDataExchange(CDataExchange* pDX) override;

    std::int32_t m_nSingleStep = 0;
    std::int32_t m_nInput = 0;
    std::int32_t m_nGeneralInputs = 0;

protected:
    void SetupControls() override;
    void ShowAxis(int axis) override;
    void StoreAxis(int axis) override;
    void UpdateEnabling() override;
    bool CheckFields() override;
    void WriteValues() override;

private:
    void OnInputChanged();

    // Parameters 53, 54 and 56 of both axes.
    AxisValues m_singleStep{};
    AxisValues m_input{};
    AxisValues m_generalInputs{};
};
