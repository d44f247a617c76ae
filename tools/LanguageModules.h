// The language modules the dialogs can be shown in.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A resource-only module beside the library holding the dialogs' texts in one language.
struct LanguageModule {
    int32_t languageId;
    std::string caption;
};

// The modules present, in the order the options dialog lists them.
std::vector<LanguageModule> AvailableLanguageModules();
