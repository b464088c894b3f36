#pragma once
// DRIVE TO ZERO: returns to the zero point, of the X or the Y axis alone
// (between a SET and an RST of the axis's return device) or plain.
#include "symbols/code/HOXCodeSymbol.h"

class CHOXCodeDrvz : public CHOXCodeSymbol {
    KT_DECLARE_SERIAL(CHOXCodeDrvz)
public:
    enum ReturnOption : BYTE { kReturnX = 0, kReturnY = 1, kPlain = 2 };

    CHOXCodeDrvz();
    CHOXCodeDrvz(CPoint topLeft, CHOXWnd* wnd);

    // The symbol and M-code parts, then the return option (a byte).
    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kCodeDrvz; }
    // Opens the property dialog; its OK changes the symbol.
    void OnOpen(UINT flags, CPoint point) override;
    void UpdateText() override;
    QString GetCode() override;
    void CalcSteps() override;

    BYTE GetReturnOption() const { return m_byReturnOption; }
    void SetReturnOption(BYTE option) { m_byReturnOption = option; }

    // The rebuilder's setter; an option other than X or Y is plain.
    void SetFromText(BYTE mcode, std::int32_t returnOption, std::int32_t mcodeMode);

private:
    BYTE m_byReturnOption = kPlain;
};
