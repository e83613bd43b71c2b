// What the recorder remembers across recordings and across openings of the macro
// manager, for the whole run of the program: the last key report it was handed and
// the moment the last event was stored. Touched on the user-interface thread only.
#pragma once

#include <cstdint>

namespace tavrel {

extern uint32_t g_nLastVk;
extern uint32_t g_nLastFlags;
extern uint32_t g_dwLastTick;

}  // namespace tavrel
