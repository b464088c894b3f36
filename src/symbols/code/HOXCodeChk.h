#pragma once
// CHK: waits for the servo end check.
#include "symbols/code/HOXCodeSymbol.h"

class CHOXCodeChk : public CHOXCodeSymbol {
    KT_DECLARE_SERIAL(CHOXCodeChk)
public:
    CHOXCodeChk();
    CHOXCodeChk(CPoint topLeft, CHOXWnd* wnd);

    int GetObjectType() const override { return objtype::kCodeChk; }
    // Opens the property dialog; its OK changes the symbol.
    void OnOpen(UINT flags, CPoint point) override;
    void UpdateText() override;
    QString GetCode() override;
    void CalcSteps() override;

    // The rebuilder's setter.
    void SetFromText(BYTE mcode, std::int32_t mcodeMode);
};
