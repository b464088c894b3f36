#pragma once
// "SETR/DRVR - Electric Zero Point": save the current position as the
// electric zero, or return to it.
#include "symbols/code/HOXCodeDlg.h"

class CHOXCodeSetrDrvr;

class CHOXCodeSetrDrvrDlg : public CHOXCodeDlg {
public:
    static constexpr UINT kTemplate = 2028;
    static constexpr int kSave = 8213;
    static constexpr int kReturn = 8219;

    explicit CHOXCodeSetrDrvrDlg(CHOXCodeSetrDrvr* symbol);
    int GetDialogKind() const override { return 327; }
    // 0 SETR, 1 DRVR.
    std::int32_t GetFunction() const { return m_nFunction; }

    void DoDataExchange(CDataExchange* pDX) override;

private:
    std::int32_t m_nFunction = 1;
};
