#pragma once
// LOGICAL: WAND, WOR or WXOR of two sources into a destination.
#include "symbols/func/HOXFuncWordSymbol.h"

class CHOXFuncLogical : public CHOXFuncWordSymbol {
    KT_DECLARE_SERIAL(CHOXFuncLogical)
public:
    enum Kind : std::int32_t { kWand = 0, kWor = 1, kWxor = 2 };

    CHOXFuncLogical();
    CHOXFuncLogical(CPoint topLeft, CHOXWnd* wnd);

    int GetObjectType() const override { return objtype::kFuncLogical; }
    // The dialog; its OK takes kind, operands and width, and renames the
    // symbol after the kind.
    void OnOpen(UINT flags, CPoint point) override;
    void UpdateText() override;
    // Nothing for a kind beyond WXOR.
    QString GetCode() override;
    int GetErrorState() override;
    // A kind beyond WXOR writes nothing and counts nothing.
    void CalcSteps() override;

    CHOXSelectVal GetSource1() const { return Operand(0); }
    void SetSource1(const CHOXSelectVal& source) { Operand(0) = source; }
    CHOXSelectVal GetSource2() const { return Operand(1); }
    void SetSource2(const CHOXSelectVal& source) { Operand(1) = source; }
    CHOXSelectVal GetDestination() const { return Operand(2); }
    void SetDestination(const CHOXSelectVal& destination) { Operand(2) = destination; }
    // "LOGICAL", "LOGICAL WOR" or "LOGICAL WXOR"; another kind keeps the
    // caption it has.
    void SetCaptionForKind() override;

    // The rebuilder's setter: "WAND", "WOR", "WXOR" or "DAND", "DOR",
    // "DXOR"; the first letter decides the width whatever follows.
    void SetFromInstruction(QString name, QString source1, QString source2, QString destination);

private:
    bool IsKnownKind() const { return m_nKind >= kWand && m_nKind <= kWxor; }
};
