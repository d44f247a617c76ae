// The exports that open dialogs. Each creates its dialog, shows it modally on the caller's
// thread and destroys it before returning; a failure is shown in the library's error box
// and goes no further, so the caller only ever sees the call return.
#include "BaseWindow.h"
#include "CalendarEntriesFormUnit.h"
#include "Errors.h"
#include "EventTypeUnit.h"
#include "MessageBoxes.h"
#include "OptionsFormUnit.h"
#include "ProfileFile.h"
#include "ReInit.h"
#include "ReportOnce.h"
#include "Settings.h"
#include "Tools.h"
#include "WidgetSet.h"

#include <exception>
#include <functional>

VELMORA_EXPORT int32_t VELMORA_CALL ShowOptions(TOptionsCallback callback) {
    int32_t result = mrCancel;
    // What the record was before the dialog read the file for itself; put back when the file
    // was not saved, so that nothing read for the dialog stands for the stored settings.
    const TCalendarOptions before = CalendarOptions();
    const bool loadedBefore = SettingsLoaded();
    try {
        // A file that cannot be read is not offered for editing: an accept would replace the
        // user's stored values by defaults. That failure reaches the box below.
        std::vector<SettingCorrection> corrections;
        if (!loadedBefore)
            corrections = LoadSettingsForEditing();
        std::function<void()> accepted;
        if (callback)
            accepted = [callback] { callback(); };
        TOptionsForm form(accepted);
        form.Create();
        form.SetAcceptProcedure([&form] { form.AcceptIntoSettings(); });
        form.FillFromSettings();
        // Values out of range are shown at their nearest bound, and said once, so that an
        // accept repairs them knowingly.
        if (!corrections.empty())
            ShowErrorBox(CorrectionsMessage(corrections));
        // OK accepts inside the dialog, which stays open when the save fails.
        result = form.Show();
        form.Destroy();
    } catch (const std::exception& error) {
        ShowErrorBox(error.what());
    }
    if (!SettingsLoaded())
        CalendarOptions() = before;
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

// The reminder editor needs only the first day of the week, the default colour and the
// language, and stores nothing in calendar.ini: it opens whatever the file says. A value out of
// range is held to its nearest bound, as the options dialog shows it; a file that cannot be
// read gives the defaults, said once.
TCalendarOptions EditorSettings() {
    try {
        LoadSettingsIfNeeded();
        return CalendarOptions();
    } catch (const RangeError&) {
        return ReadSettings(ProfileFileSections(SettingsFileName())).record;
    } catch (const UnreadableFileError& error) {
        ReportFileProblem(SettingsFileName(), error.what());
        return DefaultOptions();
    }
}
} // namespace

VELMORA_EXPORT void VELMORA_CALL AddEntry(double date) {
    DialogCallScope scope;
    try {
        const TCalendarOptions settings = EditorSettings();
        SwitchDialogLanguage(settings.language);
        TCalendarEntriesForm form;
        form.Create();
        form.SetDate(date);
        form.SetStartDay(settings.firstday);
        form.SetDefaultColour(settings.fontcolour);
        try {
            LoadEventTypes();
        } catch (const UnreadableFileError&) {
            // Told by EditorSettings; the editor stores no types, so it opens without them.
        }
        form.SetEventTypes(EventTypes());
        form.ShowModal();
        form.Destroy();
    } catch (const std::exception& error) {
        ShowErrorBox(error.what());
    }
}
