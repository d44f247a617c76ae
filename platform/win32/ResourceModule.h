// The library's current resource module: the library's own file at load, a language module
// (loaded as data) after a language switch. Module state, so it starts afresh at every load;
// this is its one owner, and the language module it holds is freed here and nowhere else.
#pragma once
#include "OwnModule.h"
#include "WinHandles.h"

#include <string>

HMODULE CurrentResourceModule();
// Makes a language module the current resource module and takes it over, freeing the language
// module it replaces. It comes with the bytes of its file, read whole and found sound
// (ModuleResources.h): its descriptions are read from them, never through the system's lookup,
// which would follow the module's offsets unchecked.
void SetLanguageModule(ModuleHandle module, std::string moduleFile);
// Back to the library's own file, freeing the language module if one is held. Run at the end
// of every export's call scope (CallScope.h): never from DllMain or a static destructor, where
// freeing another library is not allowed - so the module is held by a plain handle that
// nothing frees at unload.
void ReleaseLanguageModule();

// The description of the dialog class in the library's own file, whatever the current
// resource module; false when the library holds none.
bool FindOwnFormDescription(const std::string& className, std::string* description);
