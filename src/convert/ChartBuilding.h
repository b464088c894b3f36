#pragma once
// What the builders of charts from program text share: the wire that joins
// one symbol to the next in a column, and the growth of a chart's sheet as
// the column gets longer.
#include "platform/Geometry.h"

class CHOXConnect;
class CHOXFlowWnd;
class CHOXSymbol;
class CHOXWnd;

namespace chartbuild {

// The output a column wire leaves by: pin 1 of a symbol with several pins
// (pin 2 is a conditional jump's side exit), else pin 0.
int ColumnOutputPin(const CHOXSymbol* symbol);

enum class WireResult {
    kWired,
    // The document has no wire id left; it has said so.
    kNoId,
    // An end is missing, faces the wrong way or is taken already: wiring it
    // would tear off another wire.
    kRefused,
};

// A wire of line width 2 from the output pin of `from` to the input pin 0
// of `to`, stored in the chart and routed; `wire` receives it when made.
WireResult WireSymbols(CHOXFlowWnd* wnd, CHOXSymbol* from, int pin, CHOXSymbol* to, CHOXConnect** wire = nullptr);

// When y lies below the sheet, the sheet's bottom moves down to it; the
// chart's view fits its scroll range to the sheet.
void GrowSheetTo(CHOXWnd* wnd, LONG y);

} // namespace chartbuild
