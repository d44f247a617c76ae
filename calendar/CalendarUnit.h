// The window's way into TOOLS.DLL: the library is loaded by name around every use and each
// export looked up by its exact name, so the window always sees what is stored on disk and a
// missing library or export simply gives nothing. Also the start-up system check and Read Me.
#pragma once
#include "WinHandles.h"

#include <cstdint>
#include <string>
#include <vector>

// The exports as the library declares them; bound by name, never linked.
using TGetOptionsFunction = void(WINAPI*)(int32_t* top, int32_t* left, unsigned char* font,
                                          int32_t fontCapacity, int32_t* fontsize,
                                          int32_t* fontcolour, int32_t* highlight,
                                          uint8_t* firstday, unsigned char* ttfont,
                                          int32_t ttfontCapacity, int32_t* ttsize,
                                          int32_t* ttcolour, int32_t* ttbackground,
                                          uint8_t* listcount, uint8_t* colourcoding,
                                          unsigned char* dateformat, int32_t dateformatCapacity,
                                          uint8_t* hspacing, uint8_t* vspacing);
using TSetOptionsFunction = void(WINAPI*)(int32_t top, int32_t left);
using TGetItemsFunction = void(WINAPI*)(char** buffer, uint32_t* length, double date);
using TComingUpFunction = void(WINAPI*)(int32_t count, char** buffer, uint32_t* length,
                                        double date);
using TAddEntryFunction = void(WINAPI*)(double date);
using TOptionsCallback = void(WINAPI*)();
using TShowOptionsFunction = int32_t(WINAPI*)(TOptionsCallback callback);

// One load of the library, freed when it goes out of scope.
class TToolsLibrary {
  public:
    TToolsLibrary();
    bool Loaded() const { return static_cast<bool>(module_); }
    HMODULE Handle() const { return module_.Get(); }
    template <typename Function> Function Find(const char* exportName) const {
        return module_ ? reinterpret_cast<Function>(
                             reinterpret_cast<void*>(GetProcAddress(module_.Get(), exportName)))
                       : nullptr;
    }

  private:
    ModuleHandle module_;
};

// The day's item text, or "" without the library.
std::string GetDayItems(double date);
// Item texts of day 1 to the last day of the date's month; entry d - 1 belongs to day d.
std::vector<std::string> GetMonthItems(double date);
// The Coming Up text of at most count reminders from the date's day on.
std::string GetComingUp(double date, int count);
// Opens the reminder editor on the date and returns when it is closed.
void EditReminders(double date);

// Turns the window transparent where it shows the key colour. On an unsuitable system it
// shows why and returns false: the program must then end without showing the window.
bool InitLayeredWindow(HWND window, COLORREF keyColour, BYTE alpha);
// Opens the read-me of the program directory in Notepad, without waiting.
void ShowReadMe();
