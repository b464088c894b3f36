#pragma once
// What the flow-control symbols ask of the window record that holds them.
#include "app/HOXDoc.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXPin.h"
#include "chart/HOXWnd.h"
#include "chart/RecordCasts.h"

#include <QString>

#include <memory>

namespace flowsym {

// A flow-chart record (type 103); the subtask chart is one too.
inline bool IsFlowWindow(const CHOXWnd* wnd) { return chart::IsFlowRecord(wnd); }

// The monitor window record (type 104).
inline bool IsMonitorWindow(const CHOXWnd* wnd) { return chart::IsMonitorRecord(wnd); }

inline bool IsSubtaskWindow(const CHOXWnd* wnd)
{
    return IsFlowWindow(wnd) && static_cast<const CHOXFlowWnd*>(wnd)->IsSubtaskWindow();
}

inline CHOXDoc* DocumentOf(const CHOXWnd* wnd) { return wnd != nullptr ? wnd->GetDocument() : nullptr; }

// The line that ends a program: the subtask always ends with SEND; elsewhere
// only end kind 0 is a plain END.
inline QString EndLine(bool subtask, int endKind)
{
    return (subtask || endKind != 0) ? QStringLiteral("m102(SEND);") : QStringLiteral("m02(END);");
}

// A pin at its offset in the symbol; kind 0 top, 1 bottom; side 1 input, 0
// output.
inline std::unique_ptr<CHOXPin> MakePin(int number, int x, int y, int kind, int side, CHOXWnd* wnd)
{
    auto pin = std::make_unique<CHOXPin>();
    pin->Set(number, x, y, kind, side);
    pin->SetWnd(wnd);
    return pin;
}

} // namespace flowsym
