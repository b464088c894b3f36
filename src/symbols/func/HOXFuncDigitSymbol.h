#pragma once
// What EXTERNAL DIGITAL SWITCH and SEGMENT DISPLAY share: both move a value
// between a word and digit hardware on X/Y devices, so both hold four
// operands and a 32-bit flag, stored alike, and show their operands one a
// line as their label.
#include "symbols/func/HOXFuncSymbol.h"
#include "symbols/operand/HOXSelectVal.h"

#include <array>

class CHOXFuncDigitSymbol : public CHOXFuncSymbol {
    KT_DECLARE_DYNAMIC(CHOXFuncDigitSymbol)
public:
    // The symbol part, the four operands, the 32-bit flag.
    void Serialize(CArchive& ar) override;
    void UpdateText() override;

    std::int32_t Get32Bit() const { return m_n32Bit; }
    void Set32Bit(std::int32_t is32Bit) { m_n32Bit = is32Bit; }
    CHOXSelectVal GetOperand(int i) const { return m_operands.at(static_cast<std::size_t>(i)); }
    void SetOperand(int i, const CHOXSelectVal& operand) { m_operands.at(static_cast<std::size_t>(i)) = operand; }

protected:
    using CHOXFuncSymbol::CHOXFuncSymbol;

    // The rebuilder's texts; the instruction word named by the string
    // `wide32` is the 32-bit form.
    void SetFromWords(const QString& name, UINT wide32, const char* caption, std::initializer_list<QString> operands);
    // After the dialog's OK: comment, operands and width; then the steps,
    // label, view, document and undo follow.
    template <class Dialog>
    void TakeDialog(const Dialog& dlg)
    {
        TakeComment(dlg);
        for (int i = 0; i < 4; ++i) SetOperand(i, dlg.GetOperand(i));
        m_n32Bit = dlg.Get32Bit();
        CalcSteps();
        UpdateText();
        FinishEdit();
    }
    // A digit or logic operand counts only as a constant.
    int ConstantOnlyWeight(int i) const
    {
        return m_operands.at(static_cast<std::size_t>(i)).IsDeviceType(CHOXSelectVal::kK) ? 2 : 0;
    }

    std::array<CHOXSelectVal, 4> m_operands;
    std::int32_t m_n32Bit = 0;
};
