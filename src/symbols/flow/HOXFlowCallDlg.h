#pragma once
// "SUBROUTINE CALL": the number of the subroutine a CALL calls. "&Open
// Subroutine" shows that SUBROUTINE (or makes a chart for it) and takes the
// dialog's values.
#include "symbols/flow/HOXFlowSymbolDlg.h"

class CHOXFlowCall;

class CHOXFlowCallDlg : public CHOXFlowSymbolDlg {
public:
    static constexpr UINT kTemplate = 2020;
    static constexpr int kNumber = 8311;
    static constexpr int kSpin = 8098;
    static constexpr int kOpenSubroutine = 8316;

    explicit CHOXFlowCallDlg(CHOXFlowCall* symbol);

    int GetDialogKind() const override { return 706; }
    std::int32_t GetPointerNumber() const { return m_nPointerNumber; }

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

private:
    void OnOpenSubroutine();

    std::int32_t m_nNumberAtOpening = -1;
    std::int32_t m_nPointerNumber = -1;
};
