#pragma once
// ARITHMETIC: ADD, SUB, MUL and DIV of two sources into a destination, or
// INC, DEC and NEG of the first source in place.
#include "symbols/func/HOXFuncWordSymbol.h"

class CHOXFuncArth : public CHOXFuncWordSymbol {
    KT_DECLARE_SERIAL(CHOXFuncArth)
public:
    // Any kind beyond DEC is taken as NEG by the caption and the label.
    enum Kind : std::int32_t { kAdd = 0, kSub = 1, kMul = 2, kDiv = 3, kInc = 4, kDec = 5, kNeg = 6 };

    CHOXFuncArth();
    CHOXFuncArth(CPoint topLeft, CHOXWnd* wnd);

    int GetObjectType() const override { return objtype::kFuncArth; }
    // The dialog; its OK takes kind, operands and width, and renames the
    // symbol after the kind.
    void OnOpen(UINT flags, CPoint point) override;
    void UpdateText() override;
    // Three operand places even for INC, DEC and NEG; nothing for a kind
    // beyond NEG.
    QString GetCode() override;
    int GetErrorState() override;
    // INC, DEC and NEG count their first source only; a kind beyond NEG
    // writes nothing and counts nothing.
    void CalcSteps() override;

    CHOXSelectVal GetSource1() const { return Operand(0); }
    void SetSource1(const CHOXSelectVal& source) { Operand(0) = source; }
    CHOXSelectVal GetSource2() const { return Operand(1); }
    void SetSource2(const CHOXSelectVal& source) { Operand(1) = source; }
    CHOXSelectVal GetDestination() const { return Operand(2); }
    void SetDestination(const CHOXSelectVal& destination) { Operand(2) = destination; }
    // "ARITHMETIC", "SUBTRACT", ... "DECREMENT", else "COMPLEMENT".
    void SetCaptionForKind() override;

    // The rebuilder's setter: "ADD" ... "DEC", each with a leading "D" for
    // 32 bits ("DDIV", "DDEC"); anything else is NEG.
    void SetFromInstruction(QString name, QString source1, QString source2, QString destination);

private:
    bool IsInPlace() const { return m_nKind >= kInc && m_nKind <= kNeg; }
};
