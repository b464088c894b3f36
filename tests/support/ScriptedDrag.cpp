#include "support/ScriptedDrag.h"

#include <gtest/gtest.h>

namespace kt::test {

ScriptedDrag::ScriptedDrag() : m_previous(dragdrop::GetService()) { dragdrop::SetService(this); }

ScriptedDrag::~ScriptedDrag()
{
    dragdrop::SetService(m_previous);
    EXPECT_TRUE(m_expected.empty()) << m_expected.size() << " expected drag(s) never started";
}

ScriptedDrag& ScriptedDrag::DropOn(CView& target, CPoint point, DWORD keyState)
{
    m_expected.push_back({&target, point, keyState, true});
    return *this;
}

ScriptedDrag& ScriptedDrag::LeaveFrom(CView& target, CPoint point, DWORD keyState)
{
    m_expected.push_back({&target, point, keyState, false});
    return *this;
}

DWORD ScriptedDrag::DoDragDrop(ViewHost*, const DataBlocks& blocks, DWORD allowedEffects)
{
    Seen run;
    run.blocks = blocks;
    run.allowed = allowedEffects;
    if (m_expected.empty()) {
        ADD_FAILURE() << "a drag nobody expected";
        seen.push_back(run);
        return DROPEFFECT_NONE;
    }
    const Expected next = m_expected.front();
    m_expected.pop_front();
    COleDataObject data(blocks);
    run.enter = next.target->OnDragEnter(&data, next.keyState, next.point);
    run.over = next.target->OnDragOver(&data, next.keyState, next.point) & allowedEffects;
    // As the desktop does: a drag let go where the last move answered no
    // effect is no drop.
    if (!next.drop || run.over == DROPEFFECT_NONE) {
        next.target->OnDragLeave();
    } else {
        run.dropped = true;
        if (next.target->OnDrop(&data, run.over, next.point)) run.result = run.over;
    }
    seen.push_back(run);
    return run.result;
}

} // namespace kt::test
