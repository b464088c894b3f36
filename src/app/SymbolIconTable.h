#pragma once
// Every symbol picture of the program: the symbol name (the exact key the
// symbols ask with) and the bitmap resource of each state it has a picture
// for. The application loads them in this order; the pictures themselves are
// the kinds' (chart/ObjectKinds.h).
#include "chart/ObjectKinds.h"
#include "platform/Types.h"

#include <span>

using SymbolIconResources = KindIcon;

std::span<const SymbolIconResources> SymbolIconTable();
