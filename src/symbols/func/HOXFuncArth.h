#pragma once
// ARITHMETIC: ADD, SUB, MUL and DIV of two sources into a destination, or
// INC, DEC and NEG of the first source in place.
#include "symbols/func/HOXFuncSymbol.h"
#include "symbols/operand/HOXSelectVal.h"

class CHOXFuncArth : public CHOXFuncSymbol {
    KT_DECLARE_SERIAL(CHOXFuncArth)
public:
    // Any kind beyond DEC is taken as NEG by the caption and the label.
    enum Kind : std::int32_t { kAdd = 0, kSub = 1, kMul = 2, kDiv = 3, kInc = 4, kDec = 5, kNeg = 6 };

    CHOXFuncArth();
    CHOXFuncArth(CPoint topLeft, CHOXWnd* wnd);

    // The symbol part, both sources, destination, kind, 32-bit flag.
    void Serialize(CArchive& ar) override;
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

    std::int32_t GetKind() const { return m_nKind; }
    void SetKind(std::int32_t kind) { m_nKind = kind; }
    std::int32_t Get32Bit() const { return m_n32Bit; }
    void Set32Bit(std::int32_t is32Bit) { m_n32Bit = is32Bit; }
    CHOXSelectVal GetSource1() const { return m_source1; }
    void SetSource1(const CHOXSelectVal& source) { m_source1 = source; }
    CHOXSelectVal GetSource2() const { return m_source2; }
    void SetSource2(const CHOXSelectVal& source) { m_source2 = source; }
    CHOXSelectVal GetDestination() const { return m_destination; }
    void SetDestination(const CHOXSelectVal& destination) { m_destination = destination; }
    // "ARITHMETIC", "SUBTRACT", ... "DECREMENT", else "COMPLEMENT".
    void SetCaptionForKind();

    // The rebuilder's setter: "ADD" ... "DEC", each with a leading "D" for
    // 32 bits ("DDIV", "DDEC"); anything else is NEG.
    void SetFromInstruction(QString name, QString source1, QString source2, QString destination);

private:
    bool IsInPlace() const { return m_nKind >= kInc && m_nKind <= kNeg; }

    std::int32_t m_nKind = kAdd;
    CHOXSelectVal m_source1;
    CHOXSelectVal m_source2;
    CHOXSelectVal m_destination;
    std::int32_t m_n32Bit = 0;
};
