#pragma once
// POINTER: a jump label.
#include "symbols/flow/HOXFlowLabel.h"

class CHOXFlowPointer : public CHOXFlowLabel {
    KT_DECLARE_SERIAL(CHOXFlowPointer)
public:
    CHOXFlowPointer();
    CHOXFlowPointer(CPoint topLeft, CHOXWnd* wnd);
    int GetObjectType() const override { return objtype::kFlowPointer; }
    void UpdateText() override;
    // The "POINTER" dialog, in a flow chart; the node on the wire that
    // leaves the POINTER takes the new number with it.
    void OnOpen(UINT flags, CPoint point) override;
    // A node of the same chart may carry the number too (the node on the
    // wire that leaves it): the number then stays taken when the POINTER
    // goes.
    std::vector<HeldNumber> GetHeldNumbers() const override;
};
