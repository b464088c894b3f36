#pragma once
// SEGMENT DISPLAY: shows a word (source) on seven-segment displays wired
// to Y outputs (destination), with the number of digits and the logic of the
// signals.
#include "symbols/func/HOXFuncDigitSymbol.h"

class CHOXFuncSegl : public CHOXFuncDigitSymbol {
    KT_DECLARE_SERIAL(CHOXFuncSegl)
public:
    CHOXFuncSegl();
    CHOXFuncSegl(CPoint topLeft, CHOXWnd* wnd);

    int GetObjectType() const override { return objtype::kFuncSegl; }
    // The dialog; its OK takes the operands and the width.
    void OnOpen(UINT flags, CPoint point) override;
    QString GetCode() override;
    int GetErrorState() override;
    void CalcSteps() override;

    // Operands 0 to 3 (GetOperand): source, destination, digits, logic.

    // The rebuilder's setter: "DSEGL" is the 32-bit form.
    void SetFromInstruction(QString name, QString operand1, QString operand2, QString operand3, QString operand4);
};
