// The library's current resource module: the library's own file at load, a language module
// (loaded as data) after a language switch. Module state, so it starts afresh at every load.
#pragma once
#include "OwnModule.h"

HMODULE CurrentResourceModule();
// Null goes back to the library's own file. The caller owns a language module it sets and
// frees it after it has set another one.
void SetCurrentResourceModule(HMODULE module);
