// Language switching: the language module in use, the descriptions dialogs are built from,
// and the re-read of the open dialogs when the language changes.
#include "ReInit.h"

#include "BaseForm.h"
#include "FormReRead.h"
#include "LanguageModuleName.h"
#include "Locale.h"
#include "ModuleResources.h"
#include "ReportOnce.h"
#include "ResourceModule.h"
#include "Resources.h"
#include "WinHandles.h"

#include <cstdint>
#include <utility>

namespace {
// Far larger than a module of a few dialogs' texts; a bigger file is not read into memory.
const DWORD maxModuleFileSize = 16 << 20;

// The bytes of a module's file as it was mapped by loading it as data; false when the view is
// not the file laid flat or holds less than the file (then nothing of it can be trusted).
// Copied once, so that every later lookup reads what was checked.
bool ReadMappedModuleFile(HMODULE module, const std::string& path, std::string* file) {
    const auto address = reinterpret_cast<uintptr_t>(module);
    // A module loaded as data is marked in its lowest bit; anything else is not the flat file.
    if ((address & 3) != 1)
        return false;
    const char* view = reinterpret_cast<const char*>(address & ~uintptr_t{3});
    MEMORY_BASIC_INFORMATION region = {};
    WIN32_FILE_ATTRIBUTE_DATA attributes = {};
    if (VirtualQuery(view, &region, sizeof region) != sizeof region || region.BaseAddress != view ||
        region.State != MEM_COMMIT ||
        !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes) ||
        attributes.nFileSizeHigh != 0 || attributes.nFileSizeLow > maxModuleFileSize ||
        attributes.nFileSizeLow > region.RegionSize)
        return false;
    file->assign(view, attributes.nFileSizeLow);
    return true;
}

// The language module's description of a dialog class; false when the module has none or
// it cannot be read (then the dialog keeps what it has).
bool ReadTranslation(const std::string& className, FormComponent* translation) {
    std::string text;
    if (!FindFormDescription(className, &text))
        return false;
    try {
        *translation = ParseFormDescription(text);
        return true;
    } catch (const FormDescriptionError&) {
        return false;
    }
}
} // namespace

HMODULE LoadLanguageModule(int32_t language) {
    // 0 is what the options dialog hands back when no language is chosen: keep the current.
    if (language <= 0 || language > 0xFFFF)
        return nullptr;
    char path[MAX_PATH + 1] = "";
    const DWORD length = GetModuleFileNameA(OwnModule(), path, sizeof path);
    // A cut path names another file.
    if (length == 0 || length >= sizeof path)
        return nullptr;
    for (const std::string& candidate :
         LanguageModuleCandidates(std::string(path, length), LanguageAbbreviation(language))) {
        ModuleHandle loaded(LoadLibraryExA(candidate.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
        if (!loaded)
            continue;
        // A module is whatever file lies there: one that cannot be read whole, cut short or
        // pointing outside itself, is as good as absent, and the user hears of it once.
        std::string file;
        if (!ReadMappedModuleFile(loaded.Get(), candidate, &file) ||
            !ModuleResources(reinterpret_cast<const unsigned char*>(file.data()), file.size())
                 .Sound()) {
            loaded.Reset();
            ReportFileProblem(candidate, "The language module " + candidate +
                                             " is damaged and is not used: the dialogs keep "
                                             "their own language.");
            continue;
        }
        const HMODULE module = loaded.Get();
        SetLanguageModule(std::move(loaded), std::move(file));
        // A module may translate only part of a dialog: new dialogs are built from the
        // library's own description with the module's laid over it.
        TBaseForm::SetDescriptionReader(CurrentFormDescription);
        return module;
    }
    return nullptr;
}

void ReReadAllDialogs() {
    for (TBaseForm* form : TBaseForm::OpenForms()) {
        FormComponent translation;
        if (!ReadTranslation(form->ClassName(), &translation))
            continue;
        const FormComponent changes =
            TranslationChanges(form->Controls().Description(), translation);
        if (!ChangesNothing(changes))
            form->ApplyDescription(changes);
    }
}

void SwitchDialogLanguage(int32_t language) {
    if (LoadLanguageModule(language))
        ReReadAllDialogs();
}

FormComponent CurrentFormDescription(const std::string& className) {
    FormComponent description = OwnFormDescription(className);
    FormComponent translation;
    if (CurrentResourceModule() != OwnModule() && ReadTranslation(className, &translation))
        MergeFormDescription(description, TranslationChanges(description, translation));
    return description;
}
