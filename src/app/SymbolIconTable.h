#pragma once
// Every symbol picture of the program: the symbol name (the exact key the
// symbols ask with) and the bitmap resource of each state it has a picture
// for. The application loads them in this order.
#include "platform/Types.h"

#include <span>

struct SymbolIconResources {
    const char* name;
    UINT normal; // state 0
    UINT error;  // state 2; 0: none
    UINT missing; // state 3; 0: none
};

std::span<const SymbolIconResources> SymbolIconTable();
