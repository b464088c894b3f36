#pragma once
// What a wire knows of the jump-end marker it owns when it ends at a node: a
// small rectangle at its second point standing for a jump to the node's
// pointer number. The wire places, stores and draws it and keeps its number
// in step with the node; what the marker stands for in the program is the
// flow-control marker's own (CHOXFlowJumpEnd).
#include "chart/HOXRect.h"

#include <QString>

#include <cstdint>

class CHOXJumpEndBase : public CHOXRect {
    KT_DECLARE_DYNAMIC(CHOXJumpEndBase)
public:
    // The program text of the jump.
    virtual QString GetCode() const = 0;
    // Program steps of the jump.
    virtual int GetSteps() const = 0;

    // The number of the node jumped to.
    std::int32_t GetPointerNumber() const { return m_nPointerNumber; }
    void SetPointerNumber(std::int32_t number) { m_nPointerNumber = number; }
    // Without redrawing.
    void SetRect(const CRect& rect) { m_position = rect; }

protected:
    // The marker is in no map: its id names nothing.
    CHOXJumpEndBase();
    CHOXJumpEndBase(std::int32_t pointerNumber, const CRect& position, CHOXWnd* wnd);

    std::int32_t m_nPointerNumber = 0;
};
