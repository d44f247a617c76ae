// The two exports that move reminders through calendar files: every reminder out to one
// file, or a file's events in. Given no path, each asks for the file in the standard file
// dialog and ends with the import's summary; given one (a script), it says nothing on success.
#include "CallScope.h"
#include "Errors.h"
#include "ExportGuard.h"
#include "ICalendarStore.h"
#include "MessageBoxes.h"
#include "Tools.h"

#include <windows.h>

#include <commdlg.h>

#include <limits>

namespace {
// False when the user cancels.
bool AskForFile(bool save, std::string* path) {
    char buffer[4 * MAX_PATH] = "";
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetActiveWindow();
    dialog.lpstrFilter = "Calendar files (*.ics)\0*.ics\0All files (*.*)\0*.*\0";
    dialog.lpstrFile = buffer;
    dialog.nMaxFile = sizeof buffer;
    dialog.lpstrDefExt = "ics";
    dialog.lpstrTitle = save ? "Export Calendar" : "Import Calendar";
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const BOOL chosen = save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
    if (!chosen) {
        if (const DWORD error = CommDlgExtendedError())
            throw VelmoraError("The file dialog failed (error " + std::to_string(error) + ").");
        return false;
    }
    *path = buffer;
    return true;
}

// The path a script gave, else the file the user picks; false when the user cancels.
bool GivenOrAskedFile(const char* given, bool save, std::string* path) {
    if (!given)
        return AskForFile(save, path);
    *path = given;
    return true;
}

int32_t Count(size_t count) {
    return static_cast<int32_t>(std::min<size_t>(count, std::numeric_limits<int32_t>::max()));
}
} // namespace

VELMORA_EXPORT int32_t VELMORA_CALL ImportCalendarFile(const char* path) {
    return GuardExport<int32_t>(-1, [path]() -> int32_t {
        TCallScope scope;
        std::string file;
        if (!GivenOrAskedFile(path, false, &file))
            return 0;
        const ImportOutcome outcome = ImportCalendarFromFile(file);
        if (!path)
            ShowInformationBox(outcome.summary);
        return Count(outcome.added);
    });
}

VELMORA_EXPORT int32_t VELMORA_CALL ExportCalendarFile(const char* path) {
    return GuardExport<int32_t>(-1, [path]() -> int32_t {
        TCallScope scope;
        std::string file;
        if (!GivenOrAskedFile(path, true, &file))
            return 0;
        const size_t count = ExportCalendarToFile(file);
        if (!path)
            ShowInformationBox("Exported " + std::to_string(count) + " reminders to \"" + file +
                               "\".");
        return Count(count);
    });
}
