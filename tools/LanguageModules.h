// The language modules the dialogs can be shown in, and the one place where a dialog asks for
// its language to be switched.
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

// Makes the dialogs read their texts in this language from now on; dialogs already open are
// read again. Without a module for the language nothing changes.
void SwitchDialogLanguage(int32_t language);
