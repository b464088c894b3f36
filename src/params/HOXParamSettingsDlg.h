#pragma once
// "Parameter Settings", per axis: pulse output format (11), rotation
// direction (12), positioning completion time (21), servo ready check (22),
// stop mode (23), electrical zero point address (24) and the software limits
// (25, 26).
#include "params/HOXParamAxisDlg.h"

#include <optional>

class CHOXParamSettingsDlg : public CHOXParamAxisDlg {
public:
    static constexpr UINT kTemplate = 2056;
    static constexpr int kForwardReverse = 8900; // first of the pulse output buttons
    static constexpr int kPulseDirection = 8901;
    static constexpr int kIncreases = 8902; // first of the present value buttons
    static constexpr int kDecreases = 8903;
    static constexpr int kStopInvalid = 8904; // first of the six stop modes
    static constexpr int kStopNextInterpolation = 8909;
    static constexpr int kUpperLimit = 8910;
    static constexpr int kLowerLimit = 8911;
    static constexpr int kCompletionTime = 8912;
    static constexpr int kCompletionSpin = 8913;
    static constexpr int kAddress = 8914;
    static constexpr int kPositionUnit = 8915;
    static constexpr int kServoCheck = 8916;

    static constexpr UINT kMsgLimit = 13948;

    explicit CHOXParamSettingsDlg(CHOXParam* param);

    void DoDataExchange(CDataExchange* pDX) override;

    // A software limit's text: the number when the text is exactly its
    // decimal form and the number is a signed 32-bit value (read in 64
    // bits), else nothing. Leading zeros, a plus sign and blanks fail.
    static std::optional<std::int32_t> ParseLimit(const QString& text);

    std::int32_t m_nPulseFormat = 0;
    std::int32_t m_nDirection = 0;
    std::int32_t m_nStopMode = 0;
    std::int32_t m_nCompletionTime = 0;
    std::int32_t m_nAddress = 0;
    // Ticked while parameter 22 is 0.
    std::int32_t m_nServoCheck = 0;
    QString m_strUpper;
    QString m_strLower;

protected:
    void SetupControls() override;
    void ShowAxis(int axis) override;
    void StoreAxis(int axis) override;
    void AxisShown() override;
    bool CheckFields() override;
    void WriteValues() override;

private:
    // Parameters 11, 12 and 21 to 26 of both axes, in this order.
    std::array<AxisValues, 8> m_values{};
};
