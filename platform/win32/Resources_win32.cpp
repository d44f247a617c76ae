// Windows side of the form-description lookup: FindResourceA in the current resource module.
#include "ResourceModule.h"
#include "Resources.h"

namespace {
HMODULE resourceModule = nullptr;
} // namespace

HMODULE CurrentResourceModule() {
    return resourceModule ? resourceModule : OwnModule();
}

void SetCurrentResourceModule(HMODULE module) {
    resourceModule = module;
}

bool FindFormDescription(const std::string& className, std::string* description) {
    const HMODULE module = CurrentResourceModule();
    const std::string name = FormResourceName(className);
    HRSRC resource = FindResourceA(module, name.c_str(), RT_RCDATA);
    if (!resource)
        return false;
    HGLOBAL loaded = LoadResource(module, resource);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return false;
    description->assign(static_cast<const char*>(bytes), SizeofResource(module, resource));
    return true;
}
