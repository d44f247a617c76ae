// Where dialogs find their form descriptions: a resource of type RT_RCDATA named after the
// dialog's class in upper case, in the library's current resource module (the library itself
// until a language module is chosen). The portable side reads files named the same way from a
// folder that the tests set, so the lookup and what is built from it are tested natively.
#pragma once
#include <string>

// The description of the dialog class (for example "TCalendarEntriesForm"); false, with
// description untouched, when the current resource module holds none.
bool FindFormDescription(const std::string& className, std::string* description);
// The resource name a class's description is stored under: the class name in upper case.
std::string FormResourceName(const std::string& className);
