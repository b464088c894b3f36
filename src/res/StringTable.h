#pragma once
// The string table: every text the program shows by id, sorted by id.
#include "platform/Types.h"

#include <cstddef>

struct StringEntry {
    UINT id;
    const char* text; // Latin-1
};

extern const StringEntry kStringTable[];
extern const std::size_t kStringTableSize;
