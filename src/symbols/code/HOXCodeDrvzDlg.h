#pragma once
// "DRVZ - Drive to Zero": the return target (X, Y or the origin); a return
// of one axis only where both move together.
#include "symbols/code/HOXCodeDlg.h"

class CHOXCodeDrvz;

class CHOXCodeDrvzDlg : public CHOXCodeDlg {
public:
    static constexpr UINT kTemplate = 2025;
    static constexpr int kReturnX = 8199;
    static constexpr int kReturnY = 8201;
    static constexpr int kReturnOrigin = 8205;

    explicit CHOXCodeDrvzDlg(CHOXCodeDrvz* symbol);
    int GetDialogKind() const override { return 727; }
    // 0 X axis, 1 Y axis, 2 the origin.
    BYTE GetReturnTarget() const { return static_cast<BYTE>(m_nReturn); }

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    std::int32_t m_nReturn = 2;
};
