#pragma once
// "INTERRUPT - Onestep / Twostep": interrupt positioning of one axis, the
// distance after the interrupt and one or two speeds, and the compensation it
// carries.
#include "symbols/code/HOXCodeDlg.h"

#include "chart/ControllerType.h"

class CHOXCodeInt;

class CHOXCodeIntDlg : public CHOXCodeDlg {
public:
    static constexpr UINT kTemplate = 2029;
    static constexpr int kDistance = 8231;
    static constexpr int kSpeed1 = 8235;
    static constexpr int kSpeed2 = 8240;
    static constexpr int kDistanceButton = 8246;
    static constexpr int kSpeed1Button = 8216;
    static constexpr int kSpeed2Button = 8460;
    static constexpr int kCombination = 8133;
    static constexpr int kOneStep = 8462;
    static constexpr int kTwoStep = 8467;
    static constexpr int kAxisX = 8224;
    static constexpr int kAxisY = 8227;
    static constexpr UINT kMsgDistance = 13245;
    static constexpr UINT kMsgSpeed = 13746;
    static constexpr std::int32_t kHighestSpeed = 200000;

    explicit CHOXCodeIntDlg(CHOXCodeInt* symbol);

    int GetDialogKind() const override { return 729; }
    bool GetCompensation() const override { return m_bCompensation != 0; }
    CHOXCompSetting GetCompSetting() const override { return m_setting; }

    CHOXDataReg GetDistance() const { return m_distance; }
    CHOXDataReg GetSpeed1() const { return m_speed1; }
    CHOXDataReg GetSpeed2() const { return m_speed2; }
    // 0 one step, 1 two steps.
    std::int32_t GetDriveMethod() const { return m_nDriveMethod; }
    // 0 X, 1 Y.
    std::int32_t GetAxis() const { return m_nAxis; }

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

protected:
    bool CheckAfterMcode() override;

private:
    void OnCombination();
    bool CheckSpeed(int id, const QString& text, CHOXDataReg& speed);

    CHOXDataReg m_distance;
    CHOXDataReg m_speed1;
    CHOXDataReg m_speed2;
    std::int32_t m_bCompensation = 0;
    CHOXCompSetting m_setting;
    std::int32_t m_nDriveMethod = 1;
    std::int32_t m_nAxis = axis::kX;
    QString m_strDistance;
    QString m_strSpeed1;
    QString m_strSpeed2;
};
