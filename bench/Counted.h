#pragma once
// Under callgrind started with --collect-atstart=no, only the code inside a
// Counted scope is counted: a benchmark's measured part, without the setting
// up it does with its timing paused. Instruction counts stay comparable on a
// loaded machine, where times do not. Outside valgrind it costs nothing.
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define KT_TOGGLE_COUNTING() CALLGRIND_TOGGLE_COLLECT
#else
#define KT_TOGGLE_COUNTING() ((void)0)
#endif

class Counted {
public:
    Counted() { KT_TOGGLE_COUNTING(); }
    ~Counted() { KT_TOGGLE_COUNTING(); }
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;
};
