// Program start: a hidden owner keeps the calendar off the taskbar and out of the task
// switcher; the window is created, shown and runs until it is closed. One calendar runs per
// program folder: a second start there hands the keyboard to the first and ends.
#include "CalendarUnit.h"
#include "MainFormUnit.h"
#include "ProgramDirectory.h"
#include "TextCase.h"
#include "WindowClassRegistry.h"
#include "WindowProcedure.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>

namespace {
// Two calendars on one folder would both save the position and both edit the same files.
// The name is the folder's, in one letter case as the file system reads it; a hash keeps it
// within the length and characters a kernel object name allows.
std::string InstanceMutexName(const std::string& folder) {
    uint64_t hash = 1469598103934665603ull;
    for (char c : UpperCaseAscii(folder)) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    char name[64];
    std::snprintf(name, sizeof name, "Local\\Velmora.Calendar.%016llx",
                  static_cast<unsigned long long>(hash));
    return name;
}

struct TFirstCalendarSearch {
    std::string Folder;
    HWND Found = nullptr;
};

// True when the window is the calendar of the search's folder.
bool IsFirstCalendar(HWND window, const TFirstCalendarSearch& search) {
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) != "TVelmora")
        return false;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    char path[MAX_PATH] = "";
    DWORD size = sizeof path;
    if (!process || !QueryFullProcessImageNameA(process.Get(), 0, path, &size))
        return false;
    std::string folder(path, size);
    folder.erase(folder.find_last_of('\\') + 1);
    return UpperCaseAscii(folder) == UpperCaseAscii(search.Folder);
}

BOOL CALLBACK FindFirstCalendar(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<TFirstCalendarSearch*>(lParam);
    bool found = false;
    // A failure ends the search with nothing found: the new instance then just ends.
    if (!RunGuarded([&] { found = IsFirstCalendar(window, search); }))
        return FALSE;
    if (!found)
        return TRUE;
    search.Found = window;
    return FALSE;
}

// The calendar already running on this folder is brought to the user's attention: it takes
// the keyboard (it stays beneath other windows, as it always does).
void ActivateFirstCalendar(const std::string& folder) {
    TFirstCalendarSearch search;
    search.Folder = folder;
    EnumWindows(FindFirstCalendar, reinterpret_cast<LPARAM>(&search));
    if (search.Found)
        SetForegroundWindow(search.Found);
}

LRESULT CALLBACK ApplicationWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // A close sent to every window of the program (a task manager's "end task") is the
    // calendar window's to handle; the owner going first would take the window with it.
    if (message == WM_CLOSE) return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateApplicationWindow() {
    const char* const className = "TVelmoraApplication";
    RegisterModuleClass({className, ApplicationWindowProcedure});
    HWND application = CreateWindowExA(0, className, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                       GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(application, GWL_EXSTYLE,
                      GetWindowLongPtrA(application, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
    return application;
}
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int fileCommandExit = 0;
    if (RunCalendarFileCommand(&fileCommandExit)) return fileCommandExit;
    const std::string folder = ProgramDirectory();
    // Held until the program ends; the system lets it go with the process.
    KernelHandle instance(CreateMutexA(nullptr, FALSE, InstanceMutexName(folder).c_str()));
    if (instance && GetLastError() == ERROR_ALREADY_EXISTS) {
        ActivateFirstCalendar(folder);
        return 0;
    }
    HWND application = CreateApplicationWindow();
    int exitCode = 0;
    {
        TVelmora window(application);
        if (!window.Created()) return 0;
        SetWindowLongPtrA(window.Handle(), GWL_EXSTYLE,
                          GetWindowLongPtrA(window.Handle(), GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
        window.FormShow();
        ShowWindow(window.Handle(), SW_SHOW);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            if (TAlertWindow::DialogMessage(&message)) continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        exitCode = static_cast<int>(message.wParam);
    }
    DestroyWindow(application);
    // The program's run is the scope of its classes.
    UnregisterModuleClasses();
    return exitCode;
}
