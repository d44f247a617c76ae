// The dialog widgets as a set: one call that takes every class they registered away again,
// for the library to make before it is freed (after the dialogs' windows are gone).
#pragma once

void UnregisterWidgetClasses();
