#pragma once
// What POINTER and SUBROUTINE share: a label "P" and a pointer number that
// the document counts as taken while the symbol holds it.
#include "chart/HOXSymbol.h"

#include <cstdint>

class CHOXFlowPointerDlg;

class CHOXFlowLabel : public CHOXSymbol {
    KT_DECLARE_DYNAMIC(CHOXFlowLabel)
public:
    // The symbol part, then the pointer number.
    void Serialize(CArchive& ar) override;
    void CreatePins() override;
    QString GetCode() override;
    void CalcSteps() override;
    // After paste or drop: the lowest free pointer number.
    void AssignNewNumber() override;

    // The pointer number.
    std::vector<HeldNumber> GetHeldNumbers() const override;

    // -1 none.
    std::int32_t GetPointerNumber() const override { return m_nPointerNumber; }
    // Gives the old number back, takes the new one (unless in the error
    // state) and rebuilds the label.
    void SetPointerNumber(std::int32_t number) override;

protected:
    // After the dialog's OK: comment and flags, the old number given back
    // (unless the symbol never took it, in the error state), the new one
    // taken, the label rebuilt.
    void TakeNumberFrom(const CHOXFlowPointerDlg& dlg);
    // For loading: number 0 until the stored one comes.
    explicit CHOXFlowLabel(const char* symbolName);
    // Takes the lowest free pointer number (none in the monitor window).
    CHOXFlowLabel(const char* symbolName, CPoint topLeft, CHOXWnd* wnd);
    // "P" and the number, or nothing without a number.
    void SetLabelFromNumber();

    std::int32_t m_nPointerNumber = 0;
};
