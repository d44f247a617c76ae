// Language switching of the library's dialogs: the one place where the language setting
// chooses the resource module that dialogs read their descriptions from, and where every
// open dialog is read again from it.
#pragma once
#include <cstdint>

// Makes the dialogs use the texts for language (a Windows language identifier): loads the
// matching language module and re-reads the open dialogs from it. Without language modules
// the library keeps its own texts, which is what happens for every language today.
void SwitchDialogLanguage(int32_t language);
// Reads every open dialog again from the current resource module.
void ReReadAllDialogs();
