#pragma once
// START: where a program begins. It holds the program number ("O") of its
// axis in the document's table; the subtask's START carries 100, which no
// table holds.
#include "chart/ControllerType.h"
#include "chart/HOXSymbol.h"

#include <cstdint>

class CHOXFlowStart : public CHOXSymbol {
    KT_DECLARE_SERIAL(CHOXFlowStart)
public:
    // For loading: axis 2, program number 0 until the stored values come.
    CHOXFlowStart();
    // Takes its axis and a free program number from the document.
    CHOXFlowStart(CPoint topLeft, CHOXWnd* wnd);

    // The symbol part, then axis and program number.
    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kFlowStart; }
    // The "START" dialog, wherever the symbol is. The tables change only
    // when the number or the axis did: the old number goes back, the new one
    // is taken (a START in the error state never took its old one).
    void OnOpen(UINT flags, CPoint point) override;
    void CreatePins() override;
    void UpdateText() override;
    QString GetCode() override;
    void CalcSteps() override;
    // After paste or drop: a fresh number of the same axis (no fallback to
    // Y); the caller has made sure one is free.
    void AssignNewNumber() override;
    // The program number of its axis; the subtask's START gives none back.
    std::vector<HeldNumber> GetHeldNumbers() const override;

    // 0 X, 1 Y, 2 not bound to one axis (subtask, monitor window, controller
    // type 2).
    std::int32_t GetAxis() const { return m_nAxis; }
    void SetAxis(std::int32_t axis) override { m_nAxis = axis; }
    // 0 to 99, 100 for the subtask, -1 none.
    std::int32_t GetProgramNumber() const { return m_nProgramNumber; }
    // Gives the old number back, takes the new one (unless in the error
    // state) and rebuilds the label.
    void SetProgramNumber(std::int32_t number);

private:
    std::int32_t m_nAxis = axis::kBoth;
    std::int32_t m_nProgramNumber = 0;
};
