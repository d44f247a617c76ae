// A stand-in TOOLS.DLL for the window's command tests: it writes every call it gets to
// calls.txt beside the program and plays its dialogs as recording.ini there says (how many
// accepts, what result, what to do to the window while the "dialog" is open), so a test can
// see what the window passed, when it re-applied the options and what a dialog went through.
#include "Tools.h"
#include "WindowQueries.h"

#include <windows.h>

#include <oleauto.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {
HMODULE thisModule = nullptr;
// Lives as long as the library stays loaded, as the real library's settings do.
int32_t fontSize = 0;
// The spacing and colour coding, which an accept can change to what recording.ini's
// [ShowOptions] hspacing= and colourcoding= say.
uint8_t horizontalSpacing = 4;
uint8_t colourCoding = 0;

std::string ProgramFile(const char* name) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

int Setting(const char* section, const char* key, int fallback) {
    return static_cast<int>(
        GetPrivateProfileIntA(section, key, fallback, ProgramFile("recording.ini").c_str()));
}

void Record(const std::string& line) {
    if (FILE* file = std::fopen(ProgramFile("calls.txt").c_str(), "ab")) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
}

HWND CalendarWindow() {
    return FindWindowA("TVelmora", nullptr);
}

int WindowHeight() {
    RECT bounds = {};
    GetWindowRect(CalendarWindow(), &bounds);
    return bounds.bottom - bounds.top;
}

void PumpMessages(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    }
}

// What a dialog of the library lives through while it is open: the window's minute timer
// and a close of the window. Returns the dialog, an active window of the library's own.
HWND OpenDialog(const char* section) {
    HWND dialog = CreateWindowExA(0, "STATIC", section, WS_POPUP | WS_VISIBLE, 400, 300, 120, 60,
                                  nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(dialog);
    if (Setting(section, "timer", 0)) {
        SendMessageA(CalendarWindow(), WM_TIMER, 1, 0);
        Record(std::string(section) +
               " after-timer active=" + (GetActiveWindow() == dialog ? "1" : "0") +
               " loaded=" + (GetModuleHandleA("TOOLS.DLL") == thisModule ? "1" : "0"));
    }
    if (Setting(section, "close", 0)) {
        PostMessageA(CalendarWindow(), WM_CLOSE, 0, 0);
        PumpMessages(300);
        Record(std::string(section) +
               " after-close window=" + (IsWindow(CalendarWindow()) ? "1" : "0"));
    }
    return dialog;
}
} // namespace

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        thisModule = module;
        fontSize = Setting("options", "fontsize", 10);
        horizontalSpacing = static_cast<uint8_t>(Setting("options", "hspacing", 4));
        colourCoding = static_cast<uint8_t>(Setting("options", "colourcoding", 0));
    }
    return TRUE;
}

VELMORA_EXPORT void VELMORA_CALL GetOptions(int32_t* top, int32_t* left, unsigned char* font,
                                            int32_t, int32_t* fontsize, int32_t* fontcolour,
                                            int32_t* highlight, uint8_t* firstday,
                                            unsigned char* ttfont, int32_t, int32_t* ttsize,
                                            int32_t* ttcolour, int32_t* ttbackground,
                                            uint8_t* listcount, uint8_t* colourcoding,
                                            unsigned char* dateformat, int32_t, uint8_t* hspacing,
                                            uint8_t* vspacing) {
    Record("GetOptions fontsize=" + std::to_string(fontSize));
    *top = 40;
    *left = 50;
    font[0] = 5;
    std::memcpy(font + 1, "Arial", 5);
    *fontsize = fontSize;
    *fontcolour = 0xFFFFFF;
    *highlight = 0x800000;
    *firstday = 1;
    ttfont[0] = 5;
    std::memcpy(ttfont + 1, "Arial", 5);
    *ttsize = 10;
    *ttcolour = 0;
    *ttbackground = 0xFFFFFF;
    *listcount = 0;
    *colourcoding = colourCoding;
    dateformat[0] = 0;
    *hspacing = horizontalSpacing;
    *vspacing = 2;
}

VELMORA_EXPORT void VELMORA_CALL SetOptions(int32_t top, int32_t left) {
    Record("SetOptions " + std::to_string(top) + " " + std::to_string(left));
}

VELMORA_EXPORT void VELMORA_CALL AddEntry(double date) {
    SYSTEMTIME day = {};
    VariantTimeToSystemTime(date, &day);
    char text[32];
    std::snprintf(text, sizeof text, "AddEntry %04d-%02d-%02d", day.wYear, day.wMonth, day.wDay);
    Record(text);
    DestroyWindow(OpenDialog("AddEntry"));
}

VELMORA_EXPORT int32_t VELMORA_CALL ShowOptions(TOptionsCallback callback) {
    Record("ShowOptions");
    // A failure inside the library, reported there as the library reports its failures.
    if (Setting("ShowOptions", "fail", 0)) {
        MessageBoxA(nullptr, "Range check error", "Error", MB_OK | MB_ICONERROR);
        return 0;
    }
    HWND dialog = OpenDialog("ShowOptions");
    // Each accept changes the font size, as the dialog's Apply and OK would.
    const int accepts = Setting("ShowOptions", "accepts", 0);
    for (int accept = 1; accept <= accepts; ++accept) {
        fontSize += 4;
        // The window reads its look keys from the file itself; asked for, each accept
        // switches the week numbers, on at the first.
        if (Setting("ShowOptions", "toggleweeknumbers", 0))
            WritePrivateProfileStringA("options", "weeknumbers", accept % 2 ? "1" : "0",
                                       ProgramFile("calendar.ini").c_str());
        horizontalSpacing =
            static_cast<uint8_t>(Setting("ShowOptions", "hspacing", horizontalSpacing));
        colourCoding = static_cast<uint8_t>(Setting("ShowOptions", "colourcoding", colourCoding));
        if (callback)
            callback();
        RECT firstCell = {};
        GetWindowRect(GetDlgItem(CalendarWindow(), 1), &firstCell);
        Record("accepted " + std::to_string(accept) + " height=" + std::to_string(WindowHeight()) +
               " grid=" + std::to_string(firstCell.left) + " column=" +
               std::to_string(SendMessageA(CalendarWindow(), CalendarWeekColumnQuery, 0, 0)));
    }
    DestroyWindow(dialog);
    return Setting("ShowOptions", "result", 2);
}
