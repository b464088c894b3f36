#pragma once
// SUBROUTINE: where a subroutine begins.
#include "symbols/flow/HOXFlowLabel.h"

class CHOXFlowSubRtn : public CHOXFlowLabel {
    KT_DECLARE_SERIAL(CHOXFlowSubRtn)
public:
    CHOXFlowSubRtn();
    CHOXFlowSubRtn(CPoint topLeft, CHOXWnd* wnd);
    int GetObjectType() const override { return objtype::kFlowSubRtn; }
    void UpdateText() override { SetLabelFromNumber(); }
    // The "POINTER" dialog titled "SUBROUTINE", in a flow chart.
    void OnOpen(UINT flags, CPoint point) override;
};
