// Language switching. The library ships no language modules, so a switch keeps the texts
// the library is built with; loading a module beside the library goes in LoadLanguageModule.
#include "ReInit.h"

#include "BaseForm.h"

#include <windows.h>

namespace {
// The language module for the identifier, loaded as data; null when there is none, in
// which case the current resource module stays as it is.
HMODULE LoadLanguageModule(int32_t) {
    return nullptr;
}
} // namespace

void SwitchDialogLanguage(int32_t language) {
    if (LoadLanguageModule(language))
        ReReadAllDialogs();
}

void ReReadAllDialogs() {
    for (TBaseForm* form : TBaseForm::OpenForms())
        form->ReReadDescription();
}
