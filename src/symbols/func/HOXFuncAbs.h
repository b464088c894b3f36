#pragma once
// X-ABSOLUTE / Y-ABSOLUTE: reads the absolute position of an axis (XAB,
// YAB). It has no operand.
#include "symbols/func/HOXFuncSymbol.h"

class CHOXFuncAbs : public CHOXFuncSymbol {
    KT_DECLARE_SERIAL(CHOXFuncAbs)
public:
    // The instruction's own selector as files hold it, not the axis numbering
    // of axis:: (where X is 0): 1 reads X, any other value Y.
    enum Axis : std::int32_t { kYAxis = 0, kXAxis = 1 };

    CHOXFuncAbs();
    CHOXFuncAbs(CPoint topLeft, CHOXWnd* wnd);

    // The symbol part, then the axis.
    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kFuncAbs; }
    // The dialog; its OK takes kind, operands and width, and renames the
    // symbol after the kind.
    void OnOpen(UINT flags, CPoint point) override;
    void UpdateText() override;
    QString GetCode() override;
    // Always complete.
    int GetErrorState() override { return 0; }
    void CalcSteps() override;

    // The axis the instruction reads, in its own numbering (kXAxis,
    // kYAxis); named apart from the START's axis, which a paste or drop sets
    // on any symbol through the base.
    std::int32_t GetAbsAxis() const { return m_nAxis; }
    void SetAbsAxis(std::int32_t axis) { m_nAxis = axis; }
    // "X-ABSOLUTE" or "Y-ABSOLUTE".
    void SetCaptionForKind();

    // The rebuilder's setter: "XAB" reads X, any other name Y.
    void SetFromInstruction(QString name);

private:
    std::int32_t m_nAxis = kXAxis;
};
