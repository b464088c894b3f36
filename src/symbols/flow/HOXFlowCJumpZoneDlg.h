#pragma once
// "Conditional Jump - By Zone Compare": three word operands, the middle one
// compared with the zone the other two bound, and the output whose bits the
// comparison sets.
#include "symbols/flow/HOXFlowCJumpWordDlg.h"

#include <array>

class CHOXFlowCJumpZoneDlg : public CHOXFlowCJumpWordDlg {
public:
    static constexpr UINT kTemplate = 2019;
    static constexpr std::array<int, 3> kOperands{8442, 8312, 8014};
    static constexpr std::array<int, 3> kSelects{8393, 8395, 8313};
    static constexpr int kOutputType = 8536;
    static constexpr int kOutputNumber = 8304;
    static constexpr int kOutputSpin = 8447;
    // The "<=" between the operands.
    static constexpr UINT kLessEqualBitmap = 4066;

    explicit CHOXFlowCJumpZoneDlg(CHOXFlowCJump* symbol);

    int GetDialogKind() const override { return 711; }
    // i = 0, 1, 2 in the order written.
    CHOXSelectVal GetOperand(int i) const { return m_operands.at(static_cast<std::size_t>(i)); }

    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

private:
    std::array<CHOXSelectVal, 3> m_operands;
    std::array<QString, 3> m_texts;
};
