#pragma once
// "Parameter Program Number", per axis: where the program number comes from
// (30), the digital switch inputs, outputs and reading interval (31 to 33)
// and the ready output (34, 35).
#include "params/HOXParamDlg.h"

class CHOXParamProgNoDlg : public CHOXParamDlg {
public:
    static constexpr UINT kTemplate = 2051;
    static constexpr int kDesigFixed = 8760; // first of the program number buttons
    static constexpr int kDesigSwitch9 = 8761;
    static constexpr int kDesigSwitch99 = 8762;
    static constexpr int kDesigRegister = 8763;
    static constexpr int kKzPlc = 8764;
    static constexpr int kInput = 8766;
    static constexpr int kInputSpin = 8767;
    static constexpr int kOutput = 8769;
    static constexpr int kOutputSpin = 8770;
    static constexpr int kInterval = 8772;
    static constexpr int kIntervalSpin = 8773;
    static constexpr int kReady = 8774;
    static constexpr int kReadyOutput = 8776;
    static constexpr int kReadyOutputSpin = 8777;
    // The special data register that takes the program number.
    static constexpr std::int32_t kProgramRegister = 9000;

    explicit CHOXParamProgNoDlg(CHOXParam* param);

    void DoDataExchange(CDataExchange* pDX) override;
    void OnKzPlc();

    // The shown axis.
    std::int32_t m_nDesig = 0;
    std::int32_t m_nInput = 0;
    std::int32_t m_nOutput = 0;
    std::int32_t m_nInterval = 0;
    std::int32_t m_nReady = 0;
    std::int32_t m_nReadyOutput = 0;

protected:
    void SetupControls() override;
    void ShowAxis(int axis) override;
    void StoreAxis(int axis) override;
    void UpdateEnabling() override;
    bool CheckFields() override;
    void WriteValues() override;

private:
    bool CheckOutput(int id, std::int32_t value);

    // Parameters 30 to 35 of both axes.
    std::array<AxisValues, 6> m_values{};
};
