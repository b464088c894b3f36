#pragma once
// The ids of the monitor window's objects. The single objects each have a
// fixed id, so a window holds at most one of each; a manual-operation button
// is found by its id, which its button index gives; device-status objects
// take the document's monitor-object ids (CHOXDoc::NewMonObjId), which
// start above all fixed ones.
#include "platform/Types.h"

namespace monid {

constexpr WORD kCurPos = 0;
constexpr WORD kPlot = 1;
// 2 to 15: the manual-operation buttons, 2 plus the button index.
constexpr WORD kFirstManOpern = 2;
constexpr int kManOpernButtons = 14;
constexpr WORD kManInputStat = 16;
constexpr WORD kKZQWStat = 17;
constexpr WORD kProgInfo = 18;

// The button indexes 0 to 13.
constexpr bool IsManOpernIndex(int index) { return index >= 0 && index < kManOpernButtons; }
// The id of the button with the index (0 to 13).
constexpr WORD ManOpernId(int index) { return static_cast<WORD>(kFirstManOpern + index); }

} // namespace monid
