#include "chart/FrameHooks.h"

namespace {
FrameHooks* g_hooks = nullptr;
} // namespace

FrameHooks* GetFrameHooks() { return g_hooks; }
void SetFrameHooks(FrameHooks* hooks) { g_hooks = hooks; }
