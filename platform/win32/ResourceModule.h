// The library's current resource module: the library's own file at load, a language module
// (loaded as data) after a language switch. Module state, so it starts afresh at every load.
#pragma once
#include "OwnModule.h"

#include <string>

HMODULE CurrentResourceModule();
// Null goes back to the library's own file. A language module comes with the bytes of its
// file, read whole and found sound (ModuleResources.h): its descriptions are read from them,
// never through the system's lookup, which would follow the module's offsets unchecked. The
// caller owns a language module it sets and frees it after it has set another one.
void SetCurrentResourceModule(HMODULE module, std::string moduleFile = std::string());

// The description of the dialog class in the library's own file, whatever the current
// resource module; false when the library holds none.
bool FindOwnFormDescription(const std::string& className, std::string* description);
