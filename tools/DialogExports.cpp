// The exports that open dialogs. Each creates its dialog, shows it modally on the caller's
// thread and destroys it before returning; a failure is shown in the library's error box
// and goes no further, so the caller only ever sees the call return.
#include "BaseWindow.h"
#include "CalendarEntriesFormUnit.h"
#include "EventTypeUnit.h"
#include "MessageBoxes.h"
#include "OptionsFormUnit.h"
#include "ReInit.h"
#include "Settings.h"
#include "Tools.h"
#include "WidgetSet.h"

#include <exception>
#include <functional>

VELMORA_EXPORT int32_t VELMORA_CALL ShowOptions(TOptionsCallback callback) {
    int32_t result = mrCancel;
    try {
        // Settings that cannot be read are not offered for editing: an accept would replace
        // the user's stored values by the defaults the failed load left.
        LoadSettingsIfNeeded();
        std::function<void()> accepted;
        if (callback)
            accepted = [callback] { callback(); };
        TOptionsForm form(accepted);
        form.Create();
        form.SetAcceptProcedure([&form] { form.AcceptIntoSettings(); });
        form.FillFromSettings();
        result = form.Show();
        // OK after an Apply accepts again, as the Apply button would.
        if (result == mrOk)
            form.AcceptIntoSettings();
        form.Destroy();
    } catch (const std::exception& error) {
        ShowErrorBox(error.what());
    }
    // Nothing of the dialog's may point into the library once the caller frees it.
    UnregisterWidgetClasses();
    TBaseWindow::UnregisterModuleClasses();
    return result == mrOk ? mrOk : mrCancel;
}

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
