// The language modules known by name: "Tools." and the language's three-letter abbreviation,
// in the program directory beside the library.
#include "LanguageModules.h"
#include "FileSystem.h"
#include "ProgramDirectory.h"

std::vector<LanguageModule> AvailableLanguageModules() {
    static const struct {
        const char* extension;
        int32_t languageId;
        const char* caption;
    } known[] = {{"ENA", 0x0C09, "English (Australia)"},
                 {"ENU", 0x0409, "English (United States)"},
                 {"NLD", 0x0413, "Dutch (Netherlands)"}};
    std::vector<LanguageModule> found;
    for (const auto& module : known)
        if (FileExists(ProgramDirectory() + "Tools." + module.extension))
            found.push_back({module.languageId, module.caption});
    return found;
}
