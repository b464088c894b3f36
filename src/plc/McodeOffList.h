#pragma once
// The M codes whose "M code OFF" ladders the M-code sequence dialog shows for
// an axis: the applied M codes of the axis, then the M codes that the M Code
// symbols of the document's flow charts hold, then the M code being edited,
// each once. The charts are walked as the conversion walks them, in the
// order of the window-name list, and each chart's symbols in its object
// map's order. M codes outside 0 to 100 have no settings and stay out.
#include "plc/PlcLadderRows.h"

#include <QString>

#include <cstdint>
#include <vector>

class CHOXDoc;
class CHOXMcodeKzPlc;
class CHOXSymbol;

namespace mcodeoff {

// The M codes of the M Code symbols, `skip` left out.
std::vector<std::int32_t> ChartMcodes(const CHOXDoc& doc, const CHOXSymbol* skip);

// The applied M codes of the axis whose sequence is set, then the chart's M
// codes, then the edited one, each once.
std::vector<std::int32_t> Merge(const CHOXMcodeKzPlc& settings, int axis, const std::vector<std::int32_t>& chartMcodes,
                                std::int32_t edited);

// The whole list for the M code that the symbol opened: the symbol itself
// is left out when its M code was changed in its dialog, since it will no
// longer hold the M code it stores.
std::vector<std::int32_t> Gather(const CHOXMcodeKzPlc& settings, int axis, const CHOXDoc& doc, const CHOXSymbol* opener,
                                 bool changed, std::int32_t edited);

// The rows of the total ladder: each M code of the list whose sequence is
// set, with its completion device; the edited M code's state and device are
// the dialog's own.
struct Edited {
    std::int32_t mcode;
    bool sequenceSet;
    QString completion;
};
std::vector<plcrows::McodeOffEntry> TotalEntries(const CHOXMcodeKzPlc& settings, int axis,
                                                 const std::vector<std::int32_t>& offList, const Edited& edited);

} // namespace mcodeoff
