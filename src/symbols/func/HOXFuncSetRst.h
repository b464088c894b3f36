#pragma once
// SET / RESET: switches a bit device on (SET) or off (RST).
#include "symbols/func/HOXFuncSymbol.h"
#include "symbols/operand/HOXSelectVal.h"

class CHOXFuncSetRst : public CHOXFuncSymbol {
    KT_DECLARE_SERIAL(CHOXFuncSetRst)
public:
    // Any kind but 0 writes SET.
    enum Kind : std::int32_t { kRst = 0, kSet = 1 };

    CHOXFuncSetRst();
    CHOXFuncSetRst(CPoint topLeft, CHOXWnd* wnd);

    // The symbol part, the operand, the kind.
    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kFuncSetRst; }
    // The dialog; its OK takes kind, operands and width, and renames the
    // symbol after the kind.
    void OnOpen(UINT flags, CPoint point) override;
    void UpdateText() override;
    QString GetCode() override;
    // 1 without a bit device; a bit device is never a file register.
    int GetErrorState() override;
    void CalcSteps() override;

    std::int32_t GetKind() const { return m_nKind; }
    void SetKind(std::int32_t kind) { m_nKind = kind; }
    CHOXSelectVal GetOperand() const { return m_operand; }
    void SetOperand(const CHOXSelectVal& operand) { m_operand = operand; }
    // "SET" for kind 1, else "RESET".
    void SetCaptionForKind();

    // The rebuilder's setter: "SET", any other name RST.
    void SetFromInstruction(QString name, QString operand);

private:
    CHOXSelectVal m_operand;
    std::int32_t m_nKind = kSet;
};
