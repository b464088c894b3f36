#pragma once
// "DRIVE - High Speed Positioning": the targets of X, Y or both with a speed
// for each axis, and the addressing and compensation the drive carries.
#include "symbols/code/HOXCodeDlg.h"

#include "res/StringIds.h"

class CHOXCodeDrv;

class CHOXCodeDrvDlg : public CHOXCodeDlg {
public:
    static constexpr UINT kTemplate = 2022;
    static constexpr int kXBox = 8382;
    static constexpr int kYBox = 8384;
    static constexpr int kXSpeedBox = 8386;
    static constexpr int kYSpeedBox = 8388;
    static constexpr int kXSpeed = 8373;
    static constexpr int kYSpeed = 8120;
    static constexpr int kX = 8134;
    static constexpr int kY = 8141;
    static constexpr int kXSpeedButton = 8380;
    static constexpr int kYSpeedButton = 8041;
    static constexpr int kXButton = 8378;
    static constexpr int kYButton = 8374;
    static constexpr int kCombination = 8377;
    static constexpr int kOperandLimit = 8;
    static constexpr UINT kMsgX = IDS_INVALID_X_VALUE;
    static constexpr UINT kMsgY = IDS_INVALID_Y_VALUE;
    static constexpr UINT kMsgSpeed = IDS_INVALID_SPEED_VALUE;
    static constexpr UINT kMsgSpeedWithoutAxis = 13213;
    static constexpr UINT kMsgNoAxis = 13214;

    explicit CHOXCodeDrvDlg(CHOXCodeDrv* symbol);

    int GetDialogKind() const override { return 722; }
    bool GetAddressing() const override { return m_bAddressing != 0; }
    bool GetIncremental() const override { return m_bIncremental != 0; }
    bool GetCompensation() const override { return m_bCompensation != 0; }
    CHOXCompSetting GetCompSetting() const override { return m_setting; }

    std::int32_t GetXUsed() const { return m_bXUsed; }
    std::int32_t GetYUsed() const { return m_bYUsed; }
    std::int32_t GetXSpeedUsed() const { return m_bXSpeedUsed; }
    std::int32_t GetYSpeedUsed() const { return m_bYSpeedUsed; }
    CHOXDataReg GetX() const { return m_x; }
    CHOXDataReg GetY() const { return m_y; }
    CHOXDataReg GetXSpeed() const { return m_xSpeed; }
    CHOXDataReg GetYSpeed() const { return m_ySpeed; }

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

protected:
    bool CheckBeforeMcode() override;

private:
    // The controls of one axis: its box, target and speed.
    struct Axis {
        int box, edit, button, speedBox, speedEdit, speedButton;
    };
    static constexpr Axis kAxisX{kXBox, kX, kXButton, kXSpeedBox, kXSpeed, kXSpeedButton};
    static constexpr Axis kAxisY{kYBox, kY, kYButton, kYSpeedBox, kYSpeed, kYSpeedButton};
    void OnAxisBox(bool xAxis);
    void OnSpeedBox(std::int32_t& used, int edit, int button);
    void OnCombination();

    std::int32_t m_bXUsed = 0;
    std::int32_t m_bYUsed = 0;
    std::int32_t m_bXSpeedUsed = 0;
    std::int32_t m_bYSpeedUsed = 0;
    std::int32_t m_bAddressing = 0;
    std::int32_t m_bCompensation = 0;
    CHOXDataReg m_x;
    CHOXDataReg m_y;
    CHOXDataReg m_xSpeed;
    CHOXDataReg m_ySpeed;
    std::int32_t m_bIncremental = 0;
    CHOXCompSetting m_setting;
    QString m_strXSpeed;
    QString m_strYSpeed;
    QString m_strX;
    QString m_strY;
};
