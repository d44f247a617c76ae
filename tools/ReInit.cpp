// Language switching: the language module in use, the descriptions dialogs are built from,
// and the re-read of the open dialogs when the language changes.
#include "ReInit.h"

#include "BaseForm.h"
#include "Errors.h"
#include "FormReRead.h"
#include "LanguageModuleName.h"
#include "Locale.h"
#include "ResourceModule.h"
#include "Resources.h"
#include "WinHandles.h"

namespace {
// The language module the dialogs read from, or none while they use the library's own
// texts. Freed when it is replaced and, by its destructor, when the library is unloaded: a
// module loaded as data is only a mapped view, which may be unmapped at that point.
ModuleHandle languageModule;

bool DescriptionInModule(HMODULE module, const std::string& className, std::string* text) {
    const std::string name = FormResourceName(className);
    HRSRC resource = FindResourceA(module, name.c_str(), RT_RCDATA);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return false;
    text->assign(static_cast<const char*>(bytes), SizeofResource(module, resource));
    return true;
}

// The language module's description of a dialog class; false when the module has none or
// it cannot be read (then the dialog keeps what it has).
bool ReadTranslation(HMODULE module, const std::string& className, FormComponent* translation) {
    std::string text;
    if (!DescriptionInModule(module, className, &text))
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
        HMODULE module = LoadLibraryExA(candidate.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        if (!module)
            continue;
        SetCurrentResourceModule(module);
        languageModule.Reset(module);
        // A module may translate only part of a dialog: new dialogs are built from the
        // library's own description with the module's laid over it.
        TBaseForm::SetDescriptionReader(CurrentFormDescription);
        return module;
    }
    return nullptr;
}

void ReReadAllDialogs() {
    const HMODULE module = CurrentResourceModule();
    for (TBaseForm* form : TBaseForm::OpenForms()) {
        FormComponent translation;
        if (!ReadTranslation(module, form->ClassName(), &translation))
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
    std::string own;
    if (!DescriptionInModule(OwnModule(), className, &own))
        throw VelmoraError("The library holds no description of the dialog " + className + ".");
    FormComponent description = ParseFormDescription(own);
    const HMODULE module = CurrentResourceModule();
    FormComponent translation;
    if (module != OwnModule() && ReadTranslation(module, className, &translation))
        MergeFormDescription(description, TranslationChanges(description, translation));
    return description;
}

void ReleaseLanguageModule() {
    TBaseForm::SetDescriptionReader(nullptr);
    SetCurrentResourceModule(nullptr);
    languageModule.Reset();
}
