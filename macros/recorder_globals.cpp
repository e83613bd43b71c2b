#include "macros/recorder_globals.h"

namespace tavrel {

uint32_t g_nLastVk = 0;
uint32_t g_nLastFlags = 0;
uint32_t g_dwLastTick = 0;

}  // namespace tavrel
