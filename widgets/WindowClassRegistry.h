// The one registry of window classes of a module. Every class of ours - the windows', the
// widgets', the dialogs' and the options dialog's radio group - is registered here, under the
// module that holds its window procedure, and taken away again by UnregisterModuleClasses:
// in TOOLS.DLL at the end of every export's call scope (CallScope.h), because a class left
// registered would point into unloaded code on the library's next load; in Calendar.exe when
// the program's run ends.
#pragma once
#include <windows.h>

struct TWindowClass {
    const char* name;
    WNDPROC procedure;
    UINT style = 0;
    HBRUSH background = nullptr;
    HCURSOR cursor = nullptr; // null is the arrow
    int windowExtraBytes = 0;
};

// Registers the class under this module once; registering again is harmless. A class of that
// name that this module did not register here (left behind by an earlier load of the library,
// its procedure gone with it) is replaced. False when the system refused.
bool RegisterModuleClass(const TWindowClass& windowClass);
// Unregisters every class registered above, newest first. A class whose windows still exist
// stays registered (the system refuses) and stays listed, for a later call to take away.
void UnregisterModuleClasses();
