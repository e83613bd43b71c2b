#include "macros/win/system_ticks.h"

#include <windows.h>

namespace tavrel {

uint32_t SystemTicks::Now() { return GetTickCount(); }

}  // namespace tavrel
