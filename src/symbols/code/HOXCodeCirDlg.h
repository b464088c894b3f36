#pragma once
// "CIR - Circular Interpolation": the end point, speed and direction of an
// arc given by its radius or its centre, and the addressing, compensation and
// servo end check it carries; the compensation follows the arc's form.
#include "symbols/code/HOXCodeDlg.h"

#include "res/StringIds.h"

class CHOXCodeCir;

class CHOXCodeCirDlg : public CHOXCodeDlg {
public:
    static constexpr UINT kTemplate = 2024;
    static constexpr int kMcodeModeBox = 8585;
    static constexpr int kXBox = 8382;
    static constexpr int kYBox = 8384;
    static constexpr int kSpeedBox = 8097;
    static constexpr int kIBox = 1590;
    static constexpr int kJBox = 1591;
    static constexpr int kX = 8367;
    static constexpr int kY = 8365;
    static constexpr int kSpeed = 8552;
    static constexpr int kI = 8194;
    static constexpr int kJ = 8193;
    static constexpr int kR = 8011;
    static constexpr int kXButton = 8378;
    static constexpr int kYButton = 8374;
    static constexpr int kSpeedButton = 8375;
    static constexpr int kIButton = 8379;
    static constexpr int kJButton = 8380;
    static constexpr int kRButton = 8381;
    static constexpr int kCounterClockwise = 8188;
    static constexpr int kClockwise = 8187;
    static constexpr int kRadius = 8192;
    static constexpr int kCentre = 8190;
    static constexpr int kCombination = 8377;
    static constexpr int kOperandLimit = 8;
    static constexpr UINT kMsgX = IDS_INVALID_X_VALUE;
    static constexpr UINT kMsgY = IDS_INVALID_Y_VALUE;
    static constexpr UINT kMsgSpeed = IDS_INVALID_SPEED_VALUE;
    static constexpr UINT kMsgI = IDS_INVALID_I_VALUE;
    static constexpr UINT kMsgJ = IDS_INVALID_J_VALUE;
    static constexpr UINT kMsgR = IDS_INVALID_R_VALUE;

    explicit CHOXCodeCirDlg(CHOXCodeCir* symbol);

    int GetDialogKind() const override { return 724; }
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
    // The radius in radius form, the centre's i in centre form.
    CHOXDataReg GetCentreIOrRadius() const { return m_iOrR; }
    CHOXDataReg GetCentreJ() const { return m_j; }
    // 1 clockwise, 0 counter-clockwise.
    std::int32_t GetDirection() const { return m_nDirection; }
    // 1 by the centre, 0 by the radius.
    std::int32_t GetCentreMode() const { return m_nCentreMode; }
    std::int32_t GetIUsed() const { return m_bIUsed; }
    std::int32_t GetJUsed() const { return m_bJUsed; }
    std::int32_t GetEndCheck() const { return m_bEndCheck; }

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

protected:
    bool CheckBeforeMcode() override;

private:
    void ShowForm();
    void OnOperandBox(std::int32_t& used, int edit, int button);
    void OnCentreBox(bool first);
    void OnFormRadio(std::int32_t centre);
    void OnCombination();
    // Centre form needs i or j; the user is told when neither is set.
    bool CentreGiven();

    std::int32_t m_bXUsed = 0;
    std::int32_t m_bYUsed = 0;
    std::int32_t m_bSpeedUsed = 0;
    CHOXDataReg m_x;
    CHOXDataReg m_y;
    CHOXDataReg m_speed;
    CHOXDataReg m_iOrR;
    CHOXDataReg m_j;
    std::int32_t m_nDirection = 1;
    std::int32_t m_nCentreMode = 0;
    std::int32_t m_bAddressing = 0;
    std::int32_t m_bCompensation = 0;
    std::int32_t m_bEndCheck = 0;
    std::int32_t m_bIncremental = 0;
    CHOXCompSetting m_setting;
    QString m_strX;
    QString m_strY;
    QString m_strSpeed;
    QString m_strI;
    QString m_strJ;
    QString m_strR;
    std::int32_t m_bIUsed = 0;
    std::int32_t m_bJUsed = 0;
};
