#pragma once
// REPEAT: the start (RPT) or the end (RPE) of a block run a number of times.
#include "symbols/func/HOXFuncSymbol.h"
#include "symbols/operand/HOXSelectVal.h"

class CHOXFuncRepeat : public CHOXFuncSymbol {
    KT_DECLARE_SERIAL(CHOXFuncRepeat)
public:
    // Any kind but 0 is an RPT.
    enum Kind : std::int32_t { kRpe = 0, kRpt = 1 };

    // RPT with no count yet.
    CHOXFuncRepeat();
    CHOXFuncRepeat(CPoint topLeft, CHOXWnd* wnd);

    // The symbol part, the count, the kind.
    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kFuncRepeat; }
    // The dialog; its OK takes kind, operands and width, and renames the
    // symbol after the kind.
    void OnOpen(UINT flags, CPoint point) override;
    void UpdateText() override;
    QString GetCode() override;
    // An RPT needs its count; an RPE is always complete.
    int GetErrorState() override;
    void CalcSteps() override;

    std::int32_t GetKind() const { return m_nKind; }
    void SetKind(std::int32_t kind) { m_nKind = kind; }
    CHOXSelectVal GetCount() const { return m_count; }
    void SetCount(const CHOXSelectVal& count) { m_count = count; }
    // "REPEAT" or "REPEAT END".
    void SetCaptionForKind();

    // The rebuilder's setter: a count makes an RPT, no count an RPE (which
    // keeps the count it had).
    void SetFromInstruction(QString count);

private:
    CHOXSelectVal m_count;
    std::int32_t m_nKind = kRpt;
};
