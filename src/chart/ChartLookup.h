#pragma once
// Finding the symbols, wires and nodes of a flow-chart record by id. Ids are
// 32-bit but the maps are keyed by 16 bits: an id beyond the key range (such
// as -1, "none") finds nothing rather than an object under its low bits.
#include "chart/HOXConnect.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXNode.h"
#include "chart/HOXSymbol.h"
#include "chart/RecordCasts.h"

#include <algorithm>
#include <cstdint>

namespace chart {

// Coordinates come from files too: sums are taken in 64 bits and kept in
// the 32-bit range.
inline LONG Sat(std::int64_t v) { return static_cast<LONG>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX)); }
inline CPoint Pt(std::int64_t x, std::int64_t y) { return CPoint(Sat(x), Sat(y)); }

inline bool IsKey(DWORD id) { return id <= 0xFFFFu; }

// The symbol when it is a POINTER, whose number the node on the wire that
// leaves it carries too; null for any other symbol.
inline CHOXSymbol* AsPointerSymbol(CHOXSymbol* symbol)
{
    return symbol != nullptr && symbol->GetObjectType() == objtype::kFlowPointer ? symbol : nullptr;
}

inline CHOXSymbol* FindSymbol(const CHOXWnd* wnd, DWORD id)
{
    if (wnd == nullptr || !IsKey(id)) return nullptr;
    return dynamic_cast<CHOXSymbol*>(wnd->LookupObject(static_cast<WORD>(id)));
}

inline CHOXConnect* FindWire(CHOXWnd* wnd, DWORD id)
{
    CHOXFlowWnd* flow = AsFlowWnd(wnd);
    if (flow == nullptr || !IsKey(id)) return nullptr;
    return dynamic_cast<CHOXConnect*>(flow->LookupConnect(static_cast<WORD>(id)));
}

inline CHOXNode* FindNode(CHOXWnd* wnd, DWORD id)
{
    CHOXFlowWnd* flow = AsFlowWnd(wnd);
    if (flow == nullptr || !IsKey(id)) return nullptr;
    return dynamic_cast<CHOXNode*>(flow->LookupNode(static_cast<WORD>(id)));
}

} // namespace chart
