#pragma once
// "Function  -  BCD ": a word converted from binary to BCD or back.
#include "symbols/func/HOXFuncBaseDlg.h"

class CHOXFuncBcdBin;

class CHOXFuncBcdBinDlg : public CHOXFuncBaseDlg {
public:
    static constexpr UINT kTemplate = 2040;
    static constexpr int kBcd = 8330;
    static constexpr int kBin = 8331;
    static constexpr int kSourceList = 5;
    static constexpr int kDestinationList = 6;

    explicit CHOXFuncBcdBinDlg(CHOXFuncBcdBin* symbol);

    int GetDialogKind() const override { return 744; }
    // 1 BCD, 0 BIN.
    std::int32_t GetKind() const { return m_nKind; }
    void OnSelect1() override;
    void OnSelect2() override;
    void On32Bit() override { Take32Bit(); }
    void OnOK() override;
};
