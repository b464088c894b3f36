#pragma once
// What a wire knows of the jump-end marker it owns when it ends at a node: a
// small rectangle at its second point standing for a jump to the node's
// pointer number. The wire places, stores and draws it and keeps its number
// in step with the node; what the marker stands for in the program is the
// flow-control marker's own (CHOXFlowJumpEnd).
#include "chart/HOXRect.h"

#include <QString>

#include <cstdint>
#include <memory>

class CHOXJumpEndBase : public CHOXRect {
    KT_DECLARE_DYNAMIC(CHOXJumpEndBase)
public:
    // The program text of the jump.
    virtual QString GetCode() const = 0;
    // Program steps of the jump.
    virtual int GetSteps() const = 0;

    // The number of the node jumped to.
    std::int32_t GetPointerNumber() const { return m_nPointerNumber; }
    void SetPointerNumber(std::int32_t number) { m_nPointerNumber = number; }
    // Without redrawing.
    void SetRect(const CRect& rect) { m_position = rect; }

    // The editor makes the marker of a wire it joins to a node through the
    // maker that the marker class registers (KT_REGISTER_JUMP_END_MAKER);
    // null until one has.
    using Maker = std::unique_ptr<CHOXJumpEndBase> (*)(std::int32_t pointerNumber, const CRect& position, CHOXWnd* wnd);
    static bool RegisterMaker(Maker maker);
    static std::unique_ptr<CHOXJumpEndBase> Make(std::int32_t pointerNumber, const CRect& position, CHOXWnd* wnd);

protected:
    // The marker is in no map: its id names nothing.
    CHOXJumpEndBase();
    CHOXJumpEndBase(std::int32_t pointerNumber, const CRect& position, CHOXWnd* wnd);

    std::int32_t m_nPointerNumber = 0;
};

// In the marker class's source file: the editor makes markers of the class.
#define KT_REGISTER_JUMP_END_MAKER(cls)                                                                                \
    [[maybe_unused]] static const bool kt_jump_end_##cls = CHOXJumpEndBase::RegisterMaker(                             \
        [](std::int32_t pointerNumber, const CRect& position, CHOXWnd* wnd) -> std::unique_ptr<CHOXJumpEndBase> {      \
            return std::make_unique<cls>(pointerNumber, position, wnd);                                                \
        });
