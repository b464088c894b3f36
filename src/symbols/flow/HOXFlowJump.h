#pragma once
// JUMP: jumps to a pointer number typed by the user, optionally followed by
// the end of the program. It only refers to the number; a POINTER holds it.
#include "chart/HOXSymbol.h"

#include <cstdint>

class CHOXFlowJump : public CHOXSymbol {
    KT_DECLARE_SERIAL(CHOXFlowJump)
public:
    CHOXFlowJump();
    // No target yet; an end follows (SEND in the subtask chart).
    CHOXFlowJump(CPoint topLeft, CHOXWnd* wnd);

    // The symbol part (with the caption), then target, end follows and end
    // kind. The caption mode is not stored.
    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kFlowJump; }
    // The "JUMP" dialog, in a flow chart. The document counts as modified
    // even after Cancel.
    void OnOpen(UINT flags, CPoint point) override;
    void CreatePins() override;
    void UpdateText() override;
    QString GetCode() override;
    // 1 (incomplete) while no target is set.
    int GetErrorState() override;
    // 0 when reached from a conditional jump's side exit, which carries the
    // jump itself.
    void CalcSteps() override;
    void AssignNewNumber() override;
    // A moved JUMP still jumps to the same label.
    void SettleAfterDrop(bool moved) override;

    // -1 none.
    std::int32_t GetPointerNumber() const override { return m_nPointerNumber; }
    // Stores the target and rebuilds the label; the document's table is not
    // touched.
    void SetPointerNumber(std::int32_t number) override;
    // 1: an end line follows the jump line.
    std::int32_t GetEndFollows() const { return m_nEndFollows; }
    // The caption stays as it is; SetCaptionMode brings it in line.
    void SetEndFollows(std::int32_t follows) { m_nEndFollows = follows; }
    // 0 END, 1 SEND.
    std::int32_t GetEndKind() const { return m_nEndKind; }
    void SetEndKind(std::int32_t kind) { m_nEndKind = kind; }
    // 1: the JUMP stands by itself; 0: a conditional jump's side exit leads
    // into it.
    std::int32_t GetCaptionMode() const { return m_nCaptionMode; }
    // Stores the mode; the caption becomes "JUMP" when the mode and end
    // follows are both set, else "JUMPWEND".
    void SetCaptionMode(std::int32_t mode) override;

private:
    std::int32_t m_nPointerNumber = -1;
    std::int32_t m_nEndFollows = 1;
    std::int32_t m_nCaptionMode = 1;
    std::int32_t m_nEndKind = 0;
};
