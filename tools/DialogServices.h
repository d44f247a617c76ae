// What the options dialog and the about box ask of the system beyond their own controls: the
// installed fonts, the colour chooser, the readme in Notepad and the program's icon.
#pragma once
#include "ReadMe.h"
#include "WinHandles.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The family name of every installed font of every character set, each once, in the order
// the system lists them; the vertical variants ("@" names) are left out.
std::vector<std::string> InstalledFontFamilies();
// The system's colour chooser opened on initial; the colour picked, or nothing when the user
// cancelled.
std::optional<int32_t> ChooseColourWithDialog(HWND owner, int32_t initial);
// The system's open-file dialog for a calendar file (*.ics), opened on initial (a full path,
// may be ""); the file chosen, or nothing when the user cancelled.
std::optional<std::string> ChooseCalendarFileWithDialog(HWND owner, const std::string& initial);
// The readme in Notepad is OpenReadMe of ReadMe.h, the same launch as the window's Read Me.
// The first icon of the running program at size pixels, or none.
IconHandle LoadProgramIcon(int size);
