#pragma once
// A drag service for tests: each drag a view starts is delivered, as the
// script says, to the handlers of a target view (enter, move, then drop or
// leave) with the keys held, and answers the effect the drop had. A drag
// nobody expected fails the test and ends with no effect.
#include "platform/DragDrop.h"
#include "platform/View.h"

#include <deque>
#include <functional>

namespace kt::test {

class ScriptedDrag : public DragService {
public:
    ScriptedDrag();
    ~ScriptedDrag() override;
    ScriptedDrag(const ScriptedDrag&) = delete;
    ScriptedDrag& operator=(const ScriptedDrag&) = delete;

    // The next drag moves over the view to the device point and is let go
    // there with the keys held (MK_CONTROL for a copy).
    ScriptedDrag& DropOn(CView& target, CPoint point, DWORD keyState = 0);
    // The next drag moves over the view and is let go where nothing takes
    // it.
    ScriptedDrag& LeaveFrom(CView& target, CPoint point, DWORD keyState = 0);

    DWORD DoDragDrop(ViewHost* source, const DataBlocks& blocks, DWORD allowedEffects) override;

    // Every drag run, as the target answered it.
    struct Seen {
        DataBlocks blocks;
        DWORD allowed = DROPEFFECT_NONE;
        DWORD enter = DROPEFFECT_NONE;
        DWORD over = DROPEFFECT_NONE;
        bool dropped = false;
        DWORD result = DROPEFFECT_NONE;
    };
    std::vector<Seen> seen;

private:
    struct Expected {
        CView* target;
        CPoint point;
        DWORD keyState;
        bool drop;
    };
    std::deque<Expected> m_expected;
    DragService* m_previous;
};

} // namespace kt::test
