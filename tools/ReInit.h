// Language switching of the library's dialogs: the language module chosen by the language
// setting, the library's one current resource module, and the re-read of every open dialog
// from it by component name.
//
// A language module is a resource-only file beside the library, named like the library with
// its extension replaced by a language abbreviation ("Tools.NLD"), loaded as data. It holds,
// for each dialog class, a description named like the library's own that may give only the
// components it translates: a dialog is built from the library's own description with the
// module's laid over it, and an open dialog is re-read from it, so that what a module does
// not mention keeps the library's texts.
#pragma once
#include "FormDescription.h"

#include <windows.h>

#include <cstdint>
#include <string>

// The language switch, run by AddEntry before it creates the editor and by the options dialog
// at the start of every fill: loads the module for language and, when one loaded, re-reads
// every open dialog. Without a module for the language (and for language 0) the current
// resource module stays as it is and nothing is re-read.
void SwitchDialogLanguage(int32_t language);

// Loads the module for a Windows language identifier and makes it the library's resource
// module (ResourceModule.h, which owns it from then on and frees it with the library's call
// scope), freeing the language module it replaces. Null when none loaded: nothing changes.
// A module that cannot be read whole (cut short, or any offset of its resource tree outside
// the file) counts as absent: it is freed at once and reported once for as long as it stays
// as it is.
HMODULE LoadLanguageModule(int32_t language);

// Reads every open dialog of the library again from the current resource module: components
// it names take the values it gives them (captions, hints, items, column titles); the others
// keep theirs.
void ReReadAllDialogs();

// The description a new dialog of this class is built from: the library's own, with the
// current language module's laid over it by component name. Raises VelmoraError when the
// library holds none or it cannot be read; a language module's description that cannot be
// read is passed over, so a damaged module never keeps a dialog from opening.
FormComponent CurrentFormDescription(const std::string& className);

// The language modules for the options dialog's language list are in LanguageModules.h.
