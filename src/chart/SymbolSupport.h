#pragma once
// What every symbol class asks of the window record that holds it, and how it
// makes its pins.
#include "chart/HOXFlowWnd.h"
#include "chart/HOXPin.h"
#include "chart/RecordCasts.h"

#include <cstdint>
#include <memory>

class CHOXDoc;

namespace chart {

// The subtask chart: a flow-chart record named "Subtask".
inline bool IsSubtaskWindow(const CHOXWnd* wnd)
{
    const CHOXFlowWnd* flow = AsFlowWnd(wnd);
    return flow != nullptr && flow->IsSubtaskWindow();
}

inline CHOXDoc* DocumentOf(const CHOXWnd* wnd) { return wnd != nullptr ? wnd->GetDocument() : nullptr; }

// A pin at its offset in the symbol, belonging to the record.
inline std::unique_ptr<CHOXPin> MakePin(std::int32_t number, std::int32_t x, std::int32_t y, CHOXPin::Kind kind,
                                        CHOXPin::Side side, CHOXWnd* wnd)
{
    auto pin = std::make_unique<CHOXPin>();
    pin->Set(number, x, y, kind, side);
    pin->SetWnd(wnd);
    return pin;
}

} // namespace chart
