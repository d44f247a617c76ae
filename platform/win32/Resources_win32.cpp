// Windows side of the form-description lookup: FindResourceA in the library's own file, the
// checked reader in a language module's.
#include "ModuleResources.h"
#include "ResourceModule.h"
#include "Resources.h"

#include <utility>

namespace {
HMODULE resourceModule = nullptr;
std::string resourceModuleFile;
} // namespace

HMODULE CurrentResourceModule() {
    return resourceModule ? resourceModule : OwnModule();
}

void SetCurrentResourceModule(HMODULE module, std::string moduleFile) {
    resourceModule = module;
    resourceModuleFile = module ? std::move(moduleFile) : std::string();
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
    if (!resourceModule)
        return FindOwnFormDescription(className, description);
    const ModuleResources resources(
        reinterpret_cast<const unsigned char*>(resourceModuleFile.data()),
        resourceModuleFile.size());
    return resources.FindNamed(DataResourceType, FormResourceName(className), description);
}
