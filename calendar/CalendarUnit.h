// The window's way into TOOLS.DLL: the library is loaded by name around every use and each
// export looked up by its exact name, so the window always sees what is stored on disk and a
// missing library or export simply gives nothing. Also the start-up system check and Read Me.
#pragma once
#include "Tools.h"
#include "WinHandles.h"

#include <cstdint>
#include <string>
#include <vector>

// One load of the library, freed when it goes out of scope.
class TToolsLibrary {
  public:
    TToolsLibrary();
    bool Loaded() const { return static_cast<bool>(module_); }
    HMODULE Handle() const { return module_.Get(); }
    // The export by its exact name as one of the pointer types of Tools.h; null when missing.
    template <typename Function> Function Find(const char* exportName) const {
        return BindExport<Function>(module_, exportName);
    }

  private:
    ModuleHandle module_;
};

// The day's item text, or "" without the library.
std::string GetDayItems(double date);
// The day's tooltip: its reminders as typed, ended with an ellipsis when the library had to
// shorten them to the agreed buffer (a text that fills the buffer is taken as shortened).
std::string DayTooltipText(double date);
// Item texts of day 1 to the last day of the date's month; entry d - 1 belongs to day d.
std::vector<std::string> GetMonthItems(double date);
// The Coming Up text of at most count reminders from the date's day on.
std::string GetComingUp(double date, int count);
// Opens the reminder editor on the date and returns when it is closed.
void EditReminders(double date);

// Turns the window transparent where it shows the key colour. On an unsuitable system it
// shows why and returns false: the program must then end without showing the window.
bool InitLayeredWindow(HWND window, COLORREF keyColour, BYTE alpha);
// The window's Read Me: the program directory's readme in Notepad (OpenReadMe), not waited for.
void ShowReadMe();
// A command line with "/import FILE" or "/export FILE" is done through the library without
// a window: true, with the program's exit code. False when the window is to be shown.
bool RunCalendarFileCommand(int* exitCode);
// The library's calendar-file dialog (import or export); false without the library or export.
bool ImportOrExportCalendar(bool import);
