#pragma once
// "TIMER - Stabilization Time": a dwell in units of 10 ms, a constant of 0 to
// 65535 or a data register.
#include "symbols/code/HOXCodeDlg.h"

class CHOXCodeTime;

class CHOXCodeTimeDlg : public CHOXCodeDlg {
public:
    static constexpr UINT kTemplate = 2026;
    static constexpr int kTime = 8130;
    static constexpr int kTimeButton = 8249;
    static constexpr UINT kMsgTime = 13747;
    static constexpr std::int32_t kLongestTime = 65535;

    explicit CHOXCodeTimeDlg(CHOXCodeTime* symbol);
    int GetDialogKind() const override { return 725; }
    CHOXDataReg GetTime() const { return m_time; }

    void DoDataExchange(CDataExchange* pDX) override;

protected:
    bool CheckAfterMcode() override;

private:
    CHOXDataReg m_time;
    QString m_strTime;
};
