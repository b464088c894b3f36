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
};
