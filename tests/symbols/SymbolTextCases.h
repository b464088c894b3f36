#pragma once
// The program text of the instruction symbols, one row per class and option:
// a symbol set up by hand in a flow chart of a document of the row's
// controller type, the text it writes, the steps it counts and its label;
// where the row is about them, the same symbol filled by the setters of the
// program rebuilder. The symbols' own tests and the instruction checker's
// test both run every row.
#include "chart/HOXSymbol.h"

#include <memory>
#include <span>

class CHOXConnect;
class CHOXFlowWnd;
class CHOXWnd;

namespace kt::test {

// Makes the row's symbol in the window (its top-left corner at (100, 50)).
using CaseMaker = std::unique_ptr<CHOXSymbol> (*)(CHOXWnd* wnd);

struct SymbolTextCase {
    const char* what;
    int controllerType;
    CaseMaker make;
    const char* code;
    int steps;
    const char* label;
    // The same symbol through the rebuilder's setters; null when the row is
    // not about them.
    CaseMaker rebuild = nullptr;
    // Why the symbol deliberately counts otherwise than the instruction
    // checker, or writes a line the checker refuses; empty when they agree.
    const char* countsOtherwise = "";
};

// The positioning codes.
std::span<const SymbolTextCase> CodeSymbolTextCases();
// The function instructions.
std::span<const SymbolTextCase> FuncSymbolTextCases();
// The conditional jumps: their text once the jump output leads to the node
// of pointer 5 (JumpToNode5). The setters are the only way to fill them.
std::span<const SymbolTextCase> CJumpTextCases();
// A wire from the symbol's jump output (pin 2) to the node of pointer 5, in
// the chart that holds the symbol (the node need not exist; when it does, the
// wire is among its incoming ones).
CHOXConnect* JumpToNode5(CHOXFlowWnd* chart, CHOXSymbol* cjump);

} // namespace kt::test
