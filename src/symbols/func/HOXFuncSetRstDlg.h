#pragma once
// "Function  -  SET/RST   ": sets or resets one output bit, a Y or an M the
// controller has.
#include "symbols/func/HOXFuncBaseDlg.h"

class CHOXFuncSetRst;

class CHOXFuncSetRstDlg : public CHOXFuncBaseDlg {
public:
    static constexpr UINT kTemplate = 2047;
    static constexpr int kSet = 8361;
    static constexpr int kRst = 8362;
    static constexpr int kOutputBits = 4;

    explicit CHOXFuncSetRstDlg(CHOXFuncSetRst* symbol);

    int GetDialogKind() const override { return 750; }
    // 1 SET, 0 RST.
    std::int32_t GetKind() const { return m_nKind; }
    void OnSelect1() override;
    void OnOK() override;
};
