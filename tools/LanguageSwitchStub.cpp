// Until the dialogs can be read again from a language module, every dialog keeps the texts it
// is built with, which is what a switch without a module for the language does.
#include "LanguageModules.h"

void SwitchDialogLanguage(int32_t) {}
