#pragma once
// BIN - BCD: converts a word from binary to BCD (BCD) or back (BIN).
#include "symbols/func/HOXFuncSymbol.h"
#include "symbols/operand/HOXSelectVal.h"

class CHOXFuncBcdBin : public CHOXFuncSymbol {
    KT_DECLARE_SERIAL(CHOXFuncBcdBin)
public:
    // Any kind but 0 is a BCD.
    enum Kind : std::int32_t { kBin = 0, kBcd = 1 };

    CHOXFuncBcdBin();
    CHOXFuncBcdBin(CPoint topLeft, CHOXWnd* wnd);

    // The symbol part, source, destination, kind, 32-bit flag.
    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kFuncBcdBin; }
    // The dialog; its OK takes kind, operands and width, and renames the
    // symbol after the kind.
    void OnOpen(UINT flags, CPoint point) override;
    void UpdateText() override;
    QString GetCode() override;
    int GetErrorState() override;
    void CalcSteps() override;

    std::int32_t GetKind() const { return m_nKind; }
    void SetKind(std::int32_t kind) { m_nKind = kind; }
    std::int32_t Get32Bit() const { return m_n32Bit; }
    void Set32Bit(std::int32_t is32Bit) { m_n32Bit = is32Bit; }
    CHOXSelectVal GetSource() const { return m_source; }
    void SetSource(const CHOXSelectVal& source) { m_source = source; }
    CHOXSelectVal GetDestination() const { return m_destination; }
    void SetDestination(const CHOXSelectVal& destination) { m_destination = destination; }
    // "BIN - BCD" or "BCD - BIN".
    void SetCaptionForKind();

    // The rebuilder's setter: "BCD", "BIN", each with a leading "D" for 32
    // bits; another name leaves kind and caption as they were.
    void SetFromInstruction(QString name, QString source, QString destination);

private:
    std::int32_t m_nKind = kBcd;
    CHOXSelectVal m_source;
    CHOXSelectVal m_destination;
    std::int32_t m_n32Bit = 0;
};
