// Times the calendar window's relayout alone: Calendar.exe runs from a folder without
// TOOLS.DLL (so no query loads anything), week numbers and today's fill on, and the
// next-month and previous-month buttons are clicked in turn; each click lays out and repaints
// the month's 47 child windows over the colour key. Usage: windows_relayout_bench FOLDER,
// where FOLDER holds Calendar.exe. It only prints.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {
struct TSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindCalendar(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<TSearch*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    if (process == search->process && std::string(className) == "TVelmora" &&
        IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// A component of the window by the name its hover button carries in the property "Name".
struct TNamed {
    const char* name;
    HWND found;
};

BOOL CALLBACK FindNamed(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<TNamed*>(parameter);
    char name[64] = "";
    const ATOM atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropA(window, "Name")));
    if (atom && GlobalGetAtomNameA(atom, name, sizeof name) && std::string(name) == search->name) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND Named(HWND calendar, const char* name) {
    TNamed search = {name, nullptr};
    EnumChildWindows(calendar, FindNamed, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: windows_relayout_bench FOLDER\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '\\')
        folder += '\\';
    DeleteFileA((folder + "TOOLS.DLL").c_str());
    WritePrivateProfileStringA("options", "weeknumbers", "1", (folder + "calendar.ini").c_str());
    WritePrivateProfileStringA("options", "filltoday", "1", (folder + "calendar.ini").c_str());
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + folder + "Calendar.exe\"";
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
        std::fprintf(stderr, "Calendar.exe did not start\n");
        return 1;
    }
    WaitForInputIdle(process.hProcess, 5000);
    TSearch search = {process.dwProcessId, nullptr};
    for (int attempt = 0; attempt < 200 && !search.found; ++attempt) {
        EnumWindows(FindCalendar, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            Sleep(50);
    }
    HWND next = search.found ? Named(search.found, "MonthNextButton") : nullptr;
    HWND back = search.found ? Named(search.found, "MonthBackButton") : nullptr;
    int result = 1;
    if (next && back) {
        std::vector<double> times;
        for (int i = 0; i < 4 + 200; ++i) {
            const auto start = std::chrono::steady_clock::now();
            SendMessageA(i % 2 ? back : next, BM_CLICK, 0, 0);
            const auto end = std::chrono::steady_clock::now();
            if (i >= 4)
                times.push_back(std::chrono::duration<double>(end - start).count());
        }
        std::sort(times.begin(), times.end());
        std::printf("%-44s median %.3f ms, fastest %.3f ms (%zu relayouts, no library)\n",
                    "Month relayout and repaint", times[times.size() / 2] * 1000,
                    times.front() * 1000, times.size());
        result = 0;
    } else {
        std::fprintf(stderr, "the calendar's window or its buttons were not found\n");
    }
    PostMessageA(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}
