#pragma once
// "Parameter System": memory size (100), file registers (101) and the
// battery status with its output (102, 103). The one-axis type has only the
// 4K memory and no battery output.
#include "params/HOXParamDlg.h"

class CHOXParamSystemDlg : public CHOXParamDlg {
public:
    static constexpr UINT kTemplate = 2055;
    static constexpr int kMemory8K = 8710; // first of the memory buttons
    static constexpr int kMemory4K = 8711;
    static constexpr int kFileRegisters = 8712;
    static constexpr int kBatteryGroup = 8713;
    static constexpr int kBatteryOn = 8714; // first of the battery buttons
    static constexpr int kBatteryOff = 8715;
    static constexpr int kBatterySet = 8716;
    static constexpr int kOutputLabel = 8717;
    static constexpr int kOutput = 8718;
    static constexpr int kOutputSpin = 8719;

    explicit CHOXParamSystemDlg(CHOXParam* param);

    void DoDataExchange(CDataExchange* pDX) override;

    std::int32_t m_nMemory = 0;
    std::int32_t m_nFileRegisters = 0;
    std::int32_t m_nBattery = 0;
    std::int32_t m_nBatteryOutput = 0;

protected:
    void SetupControls() override;
    void ShowAxis(int) override {}
    void StoreAxis(int) override {}
    void UpdateEnabling() override;
    bool CheckFields() override;
    void WriteValues() override;
};
