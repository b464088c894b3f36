#pragma once
// "Function  -  RPT ": the start of a repeated block with its count (any word
// device but Z, checked as 16-bit), or its end.
#include "symbols/func/HOXFuncBaseDlg.h"

class CHOXFuncRepeat;

class CHOXFuncRepeatDlg : public CHOXFuncBaseDlg {
public:
    static constexpr UINT kTemplate = 2041;
    static constexpr int kRpt = 8343;
    static constexpr int kRpe = 8344;
    static constexpr int kCountList = 4;

    explicit CHOXFuncRepeatDlg(CHOXFuncRepeat* symbol);

    int GetDialogKind() const override { return 742; }
    // 1 RPT, 0 RPE.
    std::int32_t GetKind() const { return m_nKind; }
    void OnSelect1() override;
    void OnOK() override;

protected:
    void EnableForKind() override;
};
