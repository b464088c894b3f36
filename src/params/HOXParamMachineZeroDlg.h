#pragma once
// "Parameter Machine Zero", per axis: zero return speed (13), creep speed
// (14), direction (15), machine zero point address (16), zero point signal
// count (17), the dog switch's count start (18) and logic (19), and the
// stroke end limit switch logic (20).
#include "params/HOXParamAxisDlg.h"

#include "res/StringIds.h"

class CHOXParamMachineZeroDlg : public CHOXParamAxisDlg {
public:
    static constexpr UINT kTemplate = 2053;
    static constexpr int kZeroSpeed = 8880;
    static constexpr int kZeroSpeedUnit = 8881;
    static constexpr int kCreepSpeed = 8882;
    static constexpr int kCreepSpeedUnit = 8883;
    static constexpr int kIncreasing = 8884; // first of the direction buttons
    static constexpr int kDecreasing = 8885;
    static constexpr int kFrontEnd = 8886; // first of the dog switch options
    static constexpr int kRearEnd = 8887;
    static constexpr int kNotUsed = 8888;
    static constexpr int kFrontEndPicture = 8889;
    static constexpr int kRearEndPicture = 8890;
    static constexpr int kDogOpen = 8891; // first of the dog switch logic
    static constexpr int kDogClosed = 8892;
    static constexpr int kLimitOpen = 8893; // first of the limit switch logic
    static constexpr int kLimitClosed = 8894;
    static constexpr int kAddress = 8895;
    static constexpr int kAddressUnit = 8896;
    static constexpr int kCount = 8897;

    // Messages of the checks (string ids); the zero return speed's ranges
    // read as the maximum speed's.
    static constexpr UINT kMsgCreep15300 = 13945;
    static constexpr UINT kMsgZero153000 = IDS_RANGE_1_153000;
    static constexpr UINT kMsgCreep20000 = 13946;
    static constexpr UINT kMsgZero200000 = IDS_RANGE_1_200000;
    static constexpr UINT kMsgZeroToMax = 13947;

    explicit CHOXParamMachineZeroDlg(CHOXParam* param);

    void DoDataExchange(CDataExchange* pDX) override;

    std::int32_t m_nZeroSpeed = 0;
    std::int32_t m_nCreepSpeed = 0;
    std::int32_t m_nDirection = 0;
    std::int32_t m_nAddress = 0;
    std::int32_t m_nCount = 0;
    std::int32_t m_nDogOption = 0;
    std::int32_t m_nDogLogic = 0;
    std::int32_t m_nLimitLogic = 0;

protected:
    void ShowAxis(int axis) override;
    void StoreAxis(int axis) override;
    void AxisShown() override;
    bool CheckFields() override;
    void WriteValues() override;

private:
    // Parameters 13 to 20 of both axes.
    std::array<AxisValues, 8> m_values{};
};
