#pragma once
// SUBROUTINE CALL: calls the subroutine of a pointer number. It only refers
// to the number; the SUBROUTINE holds it.
#include "chart/HOXSymbol.h"

#include <cstdint>

class CHOXFlowCall : public CHOXSymbol {
    KT_DECLARE_SERIAL(CHOXFlowCall)
public:
    CHOXFlowCall();
    // No number yet.
    CHOXFlowCall(CPoint topLeft, CHOXWnd* wnd);

    // The symbol part, then the called number.
    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kFlowCall; }
    // The "SUBROUTINE CALL" dialog, in a flow chart.
    void OnOpen(UINT flags, CPoint point) override;
    void CreatePins() override;
    void UpdateText() override;
    QString GetCode() override;
    // 1 (incomplete) while no number is set.
    int GetErrorState() override;
    void CalcSteps() override;
    // After paste or drop the call has no number until the user gives one.
    void AssignNewNumber() override;

    // -1 none.
    std::int32_t GetPointerNumber() const override { return m_nPointerNumber; }
    // Stores the number and rebuilds the label; the document's table is not
    // touched.
    void SetPointerNumber(std::int32_t number) override;

private:
    std::int32_t m_nPointerNumber = -1;
};
