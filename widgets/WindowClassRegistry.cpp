// The module's list of the window classes it registered.
#include "WindowClassRegistry.h"

#include "OwnModule.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {
// Plain module data: a fresh load of the library starts with none.
std::vector<std::string> registeredClasses;

bool Exists(const char* name, HMODULE module) {
    WNDCLASSEXA description = {};
    description.cbSize = sizeof description;
    return GetClassInfoExA(module, name, &description) != FALSE;
}

bool Listed(const char* name) {
    return std::find(registeredClasses.begin(), registeredClasses.end(), name) !=
           registeredClasses.end();
}
} // namespace

bool RegisterModuleClass(const TWindowClass& windowClass) {
    if (Listed(windowClass.name))
        return true;
    const HMODULE module = OwnModule();
    if (Exists(windowClass.name, module))
        UnregisterClassA(windowClass.name, module);
    WNDCLASSEXA description = {};
    description.cbSize = sizeof description;
    description.style = windowClass.style;
    description.lpfnWndProc = windowClass.procedure;
    description.cbWndExtra = windowClass.windowExtraBytes;
    description.hInstance = module;
    description.hCursor = windowClass.cursor ? windowClass.cursor : LoadCursor(nullptr, IDC_ARROW);
    description.hbrBackground = windowClass.background;
    description.lpszClassName = windowClass.name;
    if (!RegisterClassExA(&description))
        return false;
    registeredClasses.emplace_back(windowClass.name);
    return true;
}

void UnregisterModuleClasses() {
    const HMODULE module = OwnModule();
    std::vector<std::string> kept;
    for (auto name = registeredClasses.rbegin(); name != registeredClasses.rend(); ++name)
        if (!UnregisterClassA(name->c_str(), module) && Exists(name->c_str(), module))
            kept.insert(kept.begin(), *name);
    registeredClasses.swap(kept);
}
