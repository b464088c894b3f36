#pragma once
// SEGMENT DISPLAY: shows a word (source) on seven-segment displays wired
// to Y outputs (destination), with the number of digits and the logic of the
// signals.
#include "symbols/func/HOXFuncSymbol.h"
#include "symbols/operand/HOXSelectVal.h"

#include <array>

class CHOXFuncSegl : public CHOXFuncSymbol {
    KT_DECLARE_SERIAL(CHOXFuncSegl)
public:
    CHOXFuncSegl();
    CHOXFuncSegl(CPoint topLeft, CHOXWnd* wnd);

    // The symbol part, the four operands, the 32-bit flag.
    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kFuncSegl; }
    // The dialog; its OK takes kind, operands and width, and renames the
    // symbol after the kind.
    void OnOpen(UINT flags, CPoint point) override;
    void UpdateText() override;
    QString GetCode() override;
    int GetErrorState() override;
    void CalcSteps() override;

    std::int32_t Get32Bit() const { return m_n32Bit; }
    void Set32Bit(std::int32_t is32Bit) { m_n32Bit = is32Bit; }
    // Operands 0 to 3: source, destination, digits, logic.
    CHOXSelectVal GetOperand(int i) const { return m_operands.at(static_cast<std::size_t>(i)); }
    void SetOperand(int i, const CHOXSelectVal& operand) { m_operands.at(static_cast<std::size_t>(i)) = operand; }

    // The rebuilder's setter: "DSEGL" is the 32-bit form.
    void SetFromInstruction(QString name, QString operand1, QString operand2, QString operand3, QString operand4);

private:
    std::array<CHOXSelectVal, 4> m_operands;
    std::int32_t m_n32Bit = 0;
};
