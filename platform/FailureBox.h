// What the user reads when our code, called from outside it (an export of the library, a
// window procedure, a timer or an enumeration callback), fails: the failure's own message,
// or a general one for a failure that brings none, in the module's error box.
#pragma once
#include "MessageBoxes.h"

// Never throws: it runs where nothing may escape, so a box that cannot even be shown (no
// memory for its text) is given up rather than let a second failure out.
inline void ShowFailureBox(const char* what) noexcept {
    try {
        ShowErrorBox(what && *what ? what : "An unexpected failure occurred.");
    } catch (...) {
    }
}
