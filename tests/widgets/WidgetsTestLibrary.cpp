// A library holding the widgets, as TOOLS.DLL does, so a test can load it, make a date field,
// free it and load it again.
#include "ThemeParts.h"
#include "WindowClassRegistry.h"
#include "rmComboCalendar.h"

#include <memory>

namespace {
std::unique_ptr<TrmComboCalendar> field;
}

extern "C" __declspec(dllexport) HWND CreateDateField(HWND parent) {
    field = std::make_unique<TrmComboCalendar>(parent, "rmComboCalendar1", 101,
                                               TWidgetBounds{10, 10, 210, 24});
    field->OnSpecialDay = [](int, int, int day) { return day == 1; };
    return field->Handle();
}

extern "C" __declspec(dllexport) void DestroyDateField(BOOL unregister) {
    field.reset();
    if (unregister) {
        UnregisterModuleClasses();
        ReleaseThemeLibrary();
    }
}
