// The exports that open dialogs. Each opens its call scope, creates its dialog, shows it
// modally on the caller's thread and destroys it; the scope then undoes whatever the dialog
// registered or set, and the export guard shows a failure in the library's error box, so the
// caller only ever sees the call return.
#include "CalendarEntriesFormUnit.h"
#include "CallScope.h"
#include "Errors.h"
#include "EventTypeUnit.h"
#include "ExportGuard.h"
#include "MessageBoxes.h"
#include "OptionsFormUnit.h"
#include "ProfileFile.h"
#include "ReInit.h"
#include "ReportOnce.h"
#include "Settings.h"
#include "Tools.h"

#include <functional>

namespace {
// A file that cannot be read is not offered for editing: an accept would replace the user's
// stored values by defaults. That failure reaches the error box.
int32_t RunOptionsDialog(TOptionsCallback callback, bool settingsLoaded) {
    TCallScope scope;
    std::vector<SettingCorrection> corrections;
    if (!settingsLoaded)
        corrections = LoadSettingsForEditing();
    std::function<void()> accepted;
    if (callback)
        accepted = [callback] { callback(); };
    TOptionsForm form(accepted);
    form.Create();
    form.SetAcceptProcedure([&form] { form.AcceptIntoSettings(); });
    form.FillFromSettings();
    // Values out of range are shown at their nearest bound, and said once, so that an accept
    // repairs them knowingly.
    if (!corrections.empty())
        ShowErrorBox(CorrectionsMessage(corrections));
    // OK accepts inside the dialog, which stays open when the save fails.
    const int32_t result = form.Show();
    form.Destroy();
    return result;
}

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

VELMORA_EXPORT int32_t VELMORA_CALL ShowOptions(TOptionsCallback callback) {
    return GuardExport<int32_t>(mrCancel, [callback]() -> int32_t {
        // What the record was before the dialog read the file for itself; put back when the
        // file was not saved, failure or not, so that nothing read for the dialog stands for
        // the stored settings.
        const TCalendarOptions before = CalendarOptions();
        const auto putBackUnsaved = [&before] {
            if (!SettingsLoaded())
                CalendarOptions() = before;
        };
        int32_t result = mrCancel;
        try {
            result = RunOptionsDialog(callback, SettingsLoaded());
        } catch (...) {
            putBackUnsaved();
            throw;
        }
        putBackUnsaved();
        return result == mrOk ? mrOk : mrCancel;
    });
}

VELMORA_EXPORT void VELMORA_CALL AddEntry(double date) {
    GuardExport([date] {
        TCallScope scope;
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
    });
}
