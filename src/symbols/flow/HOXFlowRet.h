#pragma once
// RET: the return at the end of a subroutine.
#include "chart/HOXSymbol.h"

class CHOXFlowRet : public CHOXSymbol {
    KT_DECLARE_SERIAL(CHOXFlowRet)
public:
    CHOXFlowRet();
    CHOXFlowRet(CPoint topLeft, CHOXWnd* wnd);

    int GetObjectType() const override { return objtype::kFlowRet; }
    // The "END" dialog titled "RET", in a flow chart: the comment only.
    void OnOpen(UINT flags, CPoint point) override;
    void CreatePins() override;
    QString GetCode() override;
    void CalcSteps() override;
};
