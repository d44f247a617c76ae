// Windows side of the form-description lookup: FindResourceA in the library's own file, the
// checked reader in a language module's; and the one owner of the language module.
#include "ModuleResources.h"
#include "ResourceModule.h"
#include "Resources.h"

#include <utility>

namespace {
// The language module in use, or null for the library's own file. Not an owner object: its
// destructor would free the module while the library is unloaded (ResourceModule.h).
HMODULE languageModule = nullptr;
std::string languageModuleFile;
} // namespace

HMODULE CurrentResourceModule() {
    return languageModule ? languageModule : OwnModule();
}

void SetLanguageModule(ModuleHandle module, std::string moduleFile) {
    ReleaseLanguageModule();
    languageModule = module.Release();
    languageModuleFile = languageModule ? std::move(moduleFile) : std::string();
}

void ReleaseLanguageModule() {
    ModuleHandle released(languageModule);
    languageModule = nullptr;
    languageModuleFile.clear();
    languageModuleFile.shrink_to_fit();
}

bool FindOwnFormDescription(const std::string& className, std::string* description) {
    const HMODULE module = OwnModule();
    HRSRC resource = FindResourceA(module, FormResourceName(className).c_str(), RT_RCDATA);
    if (!resource)
        return false;
    HGLOBAL loaded = LoadResource(module, resource);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return false;
    description->assign(static_cast<const char*>(bytes), SizeofResource(module, resource));
    return true;
}

bool FindFormDescription(const std::string& className, std::string* description) {
    if (!languageModule)
        return FindOwnFormDescription(className, description);
    const ModuleResources resources(
        reinterpret_cast<const unsigned char*>(languageModuleFile.data()),
        languageModuleFile.size());
    return resources.FindNamed(DataResourceType, FormResourceName(className), description);
}
