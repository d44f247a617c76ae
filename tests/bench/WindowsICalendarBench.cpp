// Times the calendar files through TOOLS.DLL as Windows runs it: a file of 100,000 events
// imported into an empty store, imported again (all already present) and the store exported;
// then the month layout (GetItems for 31 days, each call loading the library as the window
// does) without and with a 5,000-event subscription. Runs from a folder of its own that holds
// TOOLS.DLL, whose store it empties first. It only prints.
#include "Clock.h"
#include "DateUtils.h"
#include "ICalendarBenchFiles.h"
#include "ReminderFiles.h"
#include "Tools.h"
#include "WinHandles.h"

#include <windows.h>

#include <psapi.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

namespace {
// A box would wait for a click that never comes: close it and count it.
HHOOK boxHook = nullptr;
int boxesSeen = 0;

LRESULT CALLBACK CloseMessageBoxes(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        char className[16] = "";
        GetClassNameA(reinterpret_cast<HWND>(wParam), className, sizeof className);
        if (std::strcmp(className, "#32770") == 0) {
            ++boxesSeen;
            PostMessageA(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(boxHook, code, wParam, lParam);
}

std::string Folder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text = path;
    return text.substr(0, text.find_last_of('\\') + 1);
}

void Write(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

void EmptyStore(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "data\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((folder + "data\\" + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    CreateDirectoryA((folder + "data").c_str(), nullptr);
    for (const char* file : {"calendar.ini", "out.ics", "sub.ics", "sub.ics.cache"})
        DeleteFileA((folder + file).c_str());
}

template <typename Work> double Seconds(Work work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int32_t CallFileExport(const char* name, const std::string& path) {
    ModuleHandle library(LoadLibraryA("TOOLS.DLL"));
    const auto function = BindExport<TImportCalendarFileFunction>(library, name);
    return function ? function(path.c_str()) : -2;
}

size_t MonthLayout(double firstDay) {
    size_t characters = 0;
    for (int day = 0; day < 31; ++day) {
        ModuleHandle library(LoadLibraryA("TOOLS.DLL"));
        const auto getItems = BindExport<TGetItemsFunction>(library, "GetItems");
        if (!getItems)
            return 0;
        std::unique_ptr<char[]> buffer(new char[1024]());
        char* address = buffer.get();
        uint32_t length = 0;
        getItems(&address, &length, firstDay + day);
        characters += length;
    }
    return characters;
}

double Layouts(double firstDay, int count) {
    return Seconds([&] {
               for (int i = 0; i < count; ++i)
                   MonthLayout(firstDay);
           }) /
           count;
}
} // namespace

int main() {
    // The shipped library runs on the system's clock, which decides the subscription cache's day.
    const double today = std::floor(CurrentDateTime());
    boxHook = SetWindowsHookExA(WH_CBT, CloseMessageBoxes, nullptr, GetCurrentThreadId());
    const std::string folder = Folder();
    EmptyStore(folder);
    Write(folder + "calendar.ini", "[eventtypes]\r\nWork=255\r\n");
    const std::string calendar = GeneratedCalendar(eventCount);
    Write(folder + "large.ics", calendar);

    std::printf("Calendar files through TOOLS.DLL: %d events, %.1f MB\n", eventCount,
                calendar.size() / 1048576.0);
    int32_t count = 0;
    double seconds =
        Seconds([&] { count = CallFileExport("ImportCalendarFile", folder + "large.ics"); });
    std::printf("  import, empty store:  %8.3f s  (%d added)\n", seconds, count);
    seconds = Seconds([&] { count = CallFileExport("ImportCalendarFile", folder + "large.ics"); });
    std::printf("  import again:         %8.3f s  (%d added)\n", seconds, count);
    seconds = Seconds([&] { count = CallFileExport("ExportCalendarFile", folder + "out.ics"); });
    std::printf("  export of the store:  %8.3f s  (%d reminders)\n", seconds, count);
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    std::printf("  peak working set:     %8.1f MB\n", memory.PeakWorkingSetSize / 1048576.0);
    std::fflush(stdout);

    // One own reminder on every day of the month, whose text leaves room to show more.
    EmptyStore(folder);
    for (int day = 0; day < 31; ++day)
        Write(DayFileName(today + day), "Own reminder\r\n");
    const double plain = Layouts(today, 20);
    Write(folder + "sub.ics", SubscribedCalendarText(today));
    Write(folder + "calendar.ini", "[options]\r\nsubscribed=sub.ics\r\nsubscribedcolour=65280\r\n");
    const double first = Seconds([&] { MonthLayout(today); });
    const double steady = Layouts(today, 20);
    std::printf("Month layout through TOOLS.DLL (31 GetItems, one own reminder a day):\n");
    std::printf("  without a subscription:                  %8.2f ms\n", plain * 1e3);
    std::printf("  5,000-event subscription, cache made:    %8.2f ms\n", first * 1e3);
    std::printf("  5,000-event subscription, from its cache:%8.2f ms\n", steady * 1e3);
    if (boxesSeen)
        std::printf("  [WARNING: %d message boxes were shown]\n", boxesSeen);
    UnhookWindowsHookEx(boxHook);
    return 0;
}
