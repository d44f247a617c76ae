// The exports that open dialogs. Each creates its dialog, shows it modally on the caller's
// thread and destroys it before returning; a failure is shown in the library's error box
// and goes no further, so the caller only ever sees the call return.
#include "BaseWindow.h"
#include "CalendarEntriesFormUnit.h"
#include "EventTypeUnit.h"
#include "MessageBoxes.h"
#include "ReInit.h"
#include "Settings.h"
#include "Tools.h"
#include "WidgetSet.h"

#include <exception>

namespace {
// The library is freed after every call: whatever its dialogs registered or set goes before
// the export returns, failure or not, once their windows are gone.
struct DialogCallScope {
    DialogCallScope() = default;
    DialogCallScope(const DialogCallScope&) = delete;
    DialogCallScope& operator=(const DialogCallScope&) = delete;
    ~DialogCallScope() {
        UnregisterWidgetClasses();
        TBaseWindow::UnregisterModuleClasses();
    }
};
} // namespace

VELMORA_EXPORT void VELMORA_CALL AddEntry(double date) {
    DialogCallScope scope;
    try {
        LoadSettingsIfNeeded();
        SwitchDialogLanguage(CalendarOptions().language);
        TCalendarEntriesForm form;
        form.Create();
        form.SetDate(date);
        form.SetStartDay(CalendarOptions().firstday);
        form.SetDefaultColour(CalendarOptions().fontcolour);
        LoadEventTypes();
        form.SetEventTypes(EventTypesToList());
        form.ShowModal();
        form.Destroy();
    } catch (const std::exception& error) {
        ShowErrorBox(error.what());
    }
}
