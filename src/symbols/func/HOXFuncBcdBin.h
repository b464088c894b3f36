#pragma once
// BIN - BCD: converts a word from binary to BCD (BCD) or back (BIN).
#include "symbols/func/HOXFuncWordSymbol.h"

class CHOXFuncBcdBin : public CHOXFuncWordSymbol {
    KT_DECLARE_SERIAL(CHOXFuncBcdBin)
public:
    // Any kind but 0 is a BCD.
    enum Kind : std::int32_t { kBin = 0, kBcd = 1 };

    CHOXFuncBcdBin();
    CHOXFuncBcdBin(CPoint topLeft, CHOXWnd* wnd);

    int GetObjectType() const override { return objtype::kFuncBcdBin; }
    // The dialog; its OK takes kind, operands and width, and renames the
    // symbol after the kind.
    void OnOpen(UINT flags, CPoint point) override;
    void UpdateText() override;
    QString GetCode() override;
    int GetErrorState() override;
    void CalcSteps() override;

    CHOXSelectVal GetSource() const { return Operand(0); }
    void SetSource(const CHOXSelectVal& source) { Operand(0) = source; }
    CHOXSelectVal GetDestination() const { return Operand(1); }
    void SetDestination(const CHOXSelectVal& destination) { Operand(1) = destination; }
    // "BIN - BCD" or "BCD - BIN".
    void SetCaptionForKind() override;

    // The rebuilder's setter: "BCD", "BIN", each with a leading "D" for 32
    // bits; another name leaves kind and caption as they were.
    void SetFromInstruction(QString name, QString source, QString destination);
};
