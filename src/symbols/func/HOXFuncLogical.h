#pragma once
// LOGICAL: WAND, WOR or WXOR of two sources into a destination.
#include "symbols/func/HOXFuncSymbol.h"
#include "symbols/operand/HOXSelectVal.h"

class CHOXFuncLogical : public CHOXFuncSymbol {
    KT_DECLARE_SERIAL(CHOXFuncLogical)
public:
    enum Kind : std::int32_t { kWand = 0, kWor = 1, kWxor = 2 };

    CHOXFuncLogical();
    CHOXFuncLogical(CPoint topLeft, CHOXWnd* wnd);

    // The symbol part, both sources, destination, kind, 32-bit flag.
    void Serialize(CArchive& ar) override;
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
    // "LOGICAL", "LOGICAL WOR" or "LOGICAL WXOR"; another kind keeps the
    // caption it has.
    void SetCaptionForKind();

    // The rebuilder's setter: "WAND", "WOR", "WXOR" or "DAND", "DOR",
    // "DXOR"; the first letter decides the width whatever follows.
    void SetFromInstruction(QString name, QString source1, QString source2, QString destination);

private:
    bool IsKnownKind() const { return m_nKind >= kWand && m_nKind <= kWxor; }

    std::int32_t m_nKind = kWand;
    CHOXSelectVal m_source1;
    CHOXSelectVal m_source2;
    CHOXSelectVal m_destination;
    std::int32_t m_n32Bit = 0;
};
