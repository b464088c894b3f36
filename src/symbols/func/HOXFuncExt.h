#pragma once
// EXTERNAL DIGITAL SWITCH: reads digit switches: the X inputs (source),
// the Y strobe outputs (first destination), the word that takes the value
// (second destination) and the number of digits.
#include "symbols/func/HOXFuncSymbol.h"
#include "symbols/operand/HOXSelectVal.h"

#include <array>

class CHOXFuncExt : public CHOXFuncSymbol {
    KT_DECLARE_SERIAL(CHOXFuncExt)
public:
    CHOXFuncExt();
    CHOXFuncExt(CPoint topLeft, CHOXWnd* wnd);

    // The symbol part, the four operands, the 32-bit flag.
    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kFuncExt; }
    // The dialog; its OK takes kind, operands and width, and renames the
    // symbol after the kind.
    void OnOpen(UINT flags, CPoint point) override;
    void UpdateText() override;
    QString GetCode() override;
    int GetErrorState() override;
    void CalcSteps() override;

    std::int32_t Get32Bit() const { return m_n32Bit; }
    void Set32Bit(std::int32_t is32Bit) { m_n32Bit = is32Bit; }
    // Operands 0 to 3: source, first destination, second destination, digits.
    CHOXSelectVal GetOperand(int i) const { return m_operands.at(static_cast<std::size_t>(i)); }
    void SetOperand(int i, const CHOXSelectVal& operand) { m_operands.at(static_cast<std::size_t>(i)) = operand; }

    // The rebuilder's setter: "DEXT" is the 32-bit form.
    void SetFromInstruction(QString name, QString operand1, QString operand2, QString operand3, QString operand4);

private:
    std::array<CHOXSelectVal, 4> m_operands;
    std::int32_t m_n32Bit = 0;
};
