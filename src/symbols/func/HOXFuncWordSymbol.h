#pragma once
// What ARITHMETIC, LOGICAL, MOVE and BIN - BCD share: each works on word
// operands (its sources, then its destination) in one of its kinds, 16 or 32
// bits wide, all stored alike after the symbol part, and each takes kind,
// operands and width from its dialog and is renamed after the kind.
#include "platform/Messages.h"
#include "symbols/func/HOXFuncSymbol.h"
#include "symbols/operand/HOXSelectVal.h"

#include <array>

class CHOXFuncWordSymbol : public CHOXFuncSymbol {
    KT_DECLARE_DYNAMIC(CHOXFuncWordSymbol)
public:
    // The symbol part, the operands, kind, 32-bit flag.
    void Serialize(CArchive& ar) override;

    std::int32_t GetKind() const { return m_nKind; }
    void SetKind(std::int32_t kind) { m_nKind = kind; }
    std::int32_t Get32Bit() const { return m_n32Bit; }
    void Set32Bit(std::int32_t is32Bit) { m_n32Bit = is32Bit; }
    // The caption that goes with the kind.
    virtual void SetCaptionForKind() = 0;

protected:
    // For loading, and a new symbol in the window: the caption, the number
    // of operands (sources and destination) and the first kind.
    CHOXFuncWordSymbol(const char* caption, int operands, std::int32_t kind);
    CHOXFuncWordSymbol(const char* caption, int operands, std::int32_t kind, CPoint topLeft, CHOXWnd* wnd);

    CHOXSelectVal& Operand(int i) { return m_operands.at(static_cast<std::size_t>(i)); }
    const CHOXSelectVal& Operand(int i) const { return m_operands.at(static_cast<std::size_t>(i)); }

    // The dialog of the symbol; its OK takes comment, kind, operands and
    // width, renames the symbol after the kind, and the steps, label, view,
    // document and undo follow.
    template <class Dialog, class Self>
    void OpenDialog(Self* self)
    {
        if (!CanOpen()) return;
        Dialog dlg(self);
        if (dlg.DoModal() != IDOK) return;
        TakeComment(dlg);
        m_nKind = dlg.GetKind();
        for (int i = 0; i < m_nOperands; ++i) Operand(i) = dlg.GetOperand(i);
        m_n32Bit = TakenWidth(dlg.Get32Bit());
        SetCaptionForKind();
        CalcSteps();
        UpdateText();
        FinishEdit();
    }
    // The width the symbol keeps of the one its dialog chose (after the
    // kind): that one, unless the kind has its own.
    virtual std::int32_t TakenWidth(std::int32_t chosen) const { return chosen; }

    std::int32_t m_nKind = 0;
    std::int32_t m_n32Bit = 0;

private:
    int m_nOperands;
    std::array<CHOXSelectVal, 3> m_operands;
};
