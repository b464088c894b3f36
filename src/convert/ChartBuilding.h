#pragma once
// Building flow charts from program text, as the text import and the
// program reader both do: a program is laid out as one column of symbols,
// each joined to the next by a wire, a conditional jump's side exit leading
// to a JUMP beside the column, and the chart's sheet growing down to the
// column's end.
#include <cstdint>

class CHOXConnect;
class CHOXFlowJump;
class CHOXFlowWnd;
class CHOXSymbol;

namespace chartbuild {

// Distance of a conditional jump's JUMP to the right of the column.
constexpr int kBranchOffset = 100;

// The pin a symbol's flow goes on from: pin 1 when it has more than one
// pin, else pin 0.
int OutputPin(const CHOXSymbol& symbol);

// A new wire, 2 wide, from the symbol's pin to the input (pin 0) of `to`,
// routed and in the window's wire map. Null when the document has no wire
// id left (its allocator has said so); nothing is added then.
CHOXConnect* AddWire(CHOXFlowWnd& wnd, CHOXSymbol& from, int fromPin, CHOXSymbol& to);

// The wire from one symbol of the column to the next.
CHOXConnect* ConnectSymbols(CHOXFlowWnd& wnd, CHOXSymbol& from, CHOXSymbol& to);

// A conditional jump's side exit, once the wire to the next symbol exists
// and the JUMP to the jump's target is built: the JUMP takes the next
// symbol's place moved to the right, the next symbol the JUMP's place (one
// row further down), the wire follows the next symbol, and a second wire
// joins the jump pin to the JUMP, which is marked as reached from a side
// exit without an end of its own. Null (nothing of the second wire added)
// when no wire id is left.
CHOXConnect* AttachJumpBranch(CHOXFlowWnd& wnd, CHOXSymbol& cjump, CHOXConnect& wire, CHOXSymbol& next,
                              CHOXFlowJump& jump);

// Moves the bottom of the window's sheet down to y when y lies below it, and
// fits the window's view to the sheet.
void GrowSheetTo(CHOXFlowWnd& wnd, std::int32_t y);

} // namespace chartbuild
