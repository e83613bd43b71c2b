// The record layouts are checked at compile time in records.h; this unit makes sure
// every build compiles them on its own compiler and ABI.
#include "config/records.h"
