#pragma once
// "LINE - Interpolation Positioning": the target of a linear interpolation
// on X, Y or both at one speed, its interrupt form, and the addressing,
// compensation and servo end check it carries.
#include "symbols/code/HOXCodeDlg.h"

#include "res/StringIds.h"

class CHOXCodeLine;

class CHOXCodeLineDlg : public CHOXCodeDlg {
public:
    static constexpr UINT kTemplate = 2023;
    static constexpr int kXBox = 8094;
    static constexpr int kYBox = 8108;
    static constexpr int kSpeedBox = 8400;
    static constexpr int kX = 8134;
    static constexpr int kY = 8141;
    static constexpr int kSpeed = 8552;
    static constexpr int kXButton = 8378;
    static constexpr int kYButton = 8374;
    static constexpr int kSpeedButton = 8375;
    static constexpr int kInterruptStop = 8112;
    static constexpr int kCombination = 8377;
    static constexpr int kOperandLimit = 8;
    static constexpr UINT kMsgNoAxis = 13572;
    static constexpr UINT kMsgNoAxisOneAxis = 13579;
    static constexpr UINT kMsgX = IDS_INVALID_X_VALUE;
    static constexpr UINT kMsgY = IDS_INVALID_Y_VALUE;
    static constexpr UINT kMsgSpeed = IDS_INVALID_SPEED_VALUE;

    explicit CHOXCodeLineDlg(CHOXCodeLine* symbol);

    int GetDialogKind() const override { return 723; }
    bool GetAddressing() const override { return m_bAddressing != 0; }
    bool GetIncremental() const override { return m_bIncremental != 0; }
    bool GetCompensation() const override { return m_bCompensation != 0; }
    CHOXCompSetting GetCompSetting() const override { return m_setting; }

    std::int32_t GetXUsed() const { return m_bXUsed; }
    std::int32_t GetYUsed() const { return m_bYUsed; }
    std::int32_t GetSpeedUsed() const { return m_bSpeedUsed; }
    CHOXDataReg GetX() const { return m_x; }
    CHOXDataReg GetY() const { return m_y; }
    CHOXDataReg GetSpeed() const { return m_speed; }
    std::int32_t GetEndCheck() const { return m_bEndCheck; }
    std::int32_t GetInterruptStop() const { return m_bInterruptStop; }

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

protected:
    bool CheckBeforeMcode() override;

private:
    void OnAxisBox(bool xAxis);
    void OnSpeedBox();
    void OnCombination();

    std::int32_t m_bXUsed = 0;
    std::int32_t m_bYUsed = 0;
    std::int32_t m_bSpeedUsed = 0;
    std::int32_t m_bAddressing = 0;
    std::int32_t m_bCompensation = 0;
    CHOXDataReg m_x;
    CHOXDataReg m_y;
    CHOXDataReg m_speed;
    std::int32_t m_bIncremental = 0;
    CHOXCompSetting m_setting;
    std::int32_t m_bEndCheck = 0;
    QString m_strX;
    QString m_strY;
    QString m_strSpeed;
    std::int32_t m_bInterruptStop = 0;
};
