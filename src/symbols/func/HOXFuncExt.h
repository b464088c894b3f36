#pragma once
// EXTERNAL DIGITAL SWITCH: reads digit switches: the X inputs (source),
// the Y strobe outputs (first destination), the word that takes the value
// (second destination) and the number of digits.
#include "symbols/func/HOXFuncDigitSymbol.h"

class CHOXFuncExt : public CHOXFuncDigitSymbol {
    KT_DECLARE_SERIAL(CHOXFuncExt)
public:
    CHOXFuncExt();
    CHOXFuncExt(CPoint topLeft, CHOXWnd* wnd);

    int GetObjectType() const override { return objtype::kFuncExt; }
    // The dialog; its OK takes the operands and the width.
    void OnOpen(UINT flags, CPoint point) override;
    QString GetCode() override;
    int GetErrorState() override;
    void CalcSteps() override;

    // Operands 0 to 3 (GetOperand): source, first destination, second destination, digits.

    // The rebuilder's setter: "DEXT" is the 32-bit form.
    void SetFromInstruction(QString name, QString operand1, QString operand2, QString operand3, QString operand4);
};
