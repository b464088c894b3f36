#pragma once
// "POINTER": the pointer number of a POINTER; titled "SUBROUTINE", the same
// dialog numbers a SUBROUTINE. A number is taken only when no one holds it.
#include "symbols/flow/HOXFlowSymbolDlg.h"

class CHOXFlowPointer;
class CHOXFlowSubRtn;

class CHOXFlowPointerDlg : public CHOXFlowSymbolDlg {
public:
    static constexpr UINT kTemplate = 2014;
    static constexpr int kNumber = 8124;
    static constexpr int kSpin = 8310;

    explicit CHOXFlowPointerDlg(CHOXFlowPointer* symbol);
    explicit CHOXFlowPointerDlg(CHOXFlowSubRtn* symbol);

    int GetDialogKind() const override { return 705; }
    std::int32_t GetPointerNumber() const { return m_nPointerNumber; }

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

private:
    void CopyFrom(CHOXSymbol* symbol);

    std::int32_t m_nNumberAtOpening = -1;
    std::int32_t m_nPointerNumber = -1;
    bool m_bSubroutine = false;
    std::int32_t m_nState = 0;
};
