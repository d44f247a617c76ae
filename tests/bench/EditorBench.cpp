// Times the opening of the reminder editor and of the options dialog through TOOLS.DLL on
// huge stores: a day of 100,000 or 1,000,000 short reminders, one reminder of 100 MB, 20,000
// regular reminders, 4,000 reminder types. One case per run of the program, so that its peak
// memory is its own; each run first opens the same dialog on an empty store and prints both.
// The time runs from the call until the dialog is up and painted. It only prints.
#include "BaseForm.h"
#include "DateUtils.h"
#include "ReminderFiles.h"
#include "Tools.h"
#include "WinHandles.h"

#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

namespace {
using Clock = std::chrono::steady_clock;

const double shownDay = 39146; // 5 March 2007

std::string Folder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// --- The stores ---

class FileWriter {
  public:
    explicit FileWriter(const std::string& path)
        : file_(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~FileWriter() {
        Flush();
        CloseHandle(file_);
    }
    void Add(const std::string& text) {
        buffer_ += text;
        written_ += text.size();
        if (buffer_.size() >= (1u << 20))
            Flush();
    }
    size_t Written() const { return written_; }

  private:
    void Flush() {
        DWORD done = 0;
        WriteFile(file_, buffer_.data(), static_cast<DWORD>(buffer_.size()), &done, nullptr);
        buffer_.clear();
    }
    HANDLE file_;
    std::string buffer_;
    size_t written_ = 0;
};

void ClearStore() {
    const std::string folder = Folder();
    DeleteFileA((folder + "calendar.ini").c_str());
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "data\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do
            DeleteFileA((folder + "data\\" + found.cFileName).c_str());
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    CreateDirectoryA((folder + "data").c_str(), nullptr);
}

size_t WriteDayLines(size_t count) {
    FileWriter day(DayFileName(shownDay));
    char line[64];
    for (size_t i = 0; i < count; ++i) {
        std::snprintf(line, sizeof line, "%sReminder %07u\r\n", i % 10 == 0 ? "{Birthday}" : "",
                      static_cast<unsigned>(i));
        day.Add(line);
    }
    return day.Written();
}

size_t WriteLongLine(size_t bytes) {
    FileWriter day(DayFileName(shownDay));
    day.Add("{Birthday}");
    const std::string piece(1 << 20, 'x');
    for (size_t done = 10; done < bytes; done += piece.size())
        day.Add(piece.substr(0, std::min(piece.size(), bytes - done)));
    day.Add("\r\n");
    return day.Written();
}

size_t WriteRegulars(int count) {
    FileWriter regular(RegularFileName());
    for (int i = 0; i < count; ++i) {
        TRegularEntry entry;
        entry.StartDate = shownDay - i % 700;
        entry.Description =
            (i % 3 == 0 ? "{Birthday}" : "") + std::string("Regular ") + std::to_string(i);
        entry.Interval = static_cast<uint8_t>(1 + i % 5);
        regular.Add(EncodeRegularRecords({entry}));
    }
    return regular.Written();
}

size_t WriteTypes(int count) {
    FileWriter ini(Folder() + "calendar.ini");
    ini.Add("[options]\r\n[eventtypes]\r\n");
    for (int i = 0; i < count; ++i)
        ini.Add("Type " + std::to_string(10000 + i) + "=" + std::to_string(i * 997 % 16777216) +
                "\r\n");
    return ini.Written();
}

// --- Opening a dialog and closing it once it is painted ---

HHOOK hook = nullptr;
const char* awaited = "";
Clock::time_point shownAt;
HWND shownDialog = nullptr;
// Whether the first reminder is then selected, and how long that took to show.
const char* selectIn = nullptr; // the list whose first row is selected, if any
double selectSeconds = -1;
int boxes = 0;
std::string firstBox;

void CALLBACK Painted(HWND, UINT, UINT_PTR timer, DWORD) {
    // A timer comes after every paint the dialog and its lists had waiting.
    KillTimer(nullptr, timer);
    shownAt = Clock::now();
    if (selectIn) {
        // As a click on the row: the description box gets the reminder whole.
        HWND list = reinterpret_cast<HWND>(
            SendMessageA(shownDialog, WM_FINDCOMPONENT, 0, reinterpret_cast<LPARAM>(selectIn)));
        LVITEMA state = {};
        state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
        const Clock::time_point start = Clock::now();
        SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
        UpdateWindow(shownDialog);
        selectSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    }
    PostMessageA(shownDialog, WM_COMMAND, IDCANCEL, 0);
}

LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char className[64] = "";
        GetClassNameA(window, className, sizeof className);
        if (std::strcmp(className, "#32770") == 0) {
            char text[512] = "";
            GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
            if (boxes++ == 0)
                firstBox = text;
            PostMessageA(window, WM_COMMAND, IDOK, 0);
        } else if (std::strcmp(className, awaited) == 0 && shownDialog != window) {
            shownDialog = window;
            SetTimer(nullptr, 0, 0, Painted);
        }
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

// Seconds from the call until the dialog was painted.
double OpenDialog(bool options) {
    ModuleHandle library(LoadLibraryA("TOOLS.DLL"));
    if (!library)
        return -1;
    awaited = options ? "TOptionsForm" : "TCalendarEntriesForm";
    shownDialog = nullptr;
    const Clock::time_point start = Clock::now();
    shownAt = start;
    if (options)
        BindExport<TShowOptionsFunction>(library, "ShowOptions")(nullptr);
    else
        BindExport<TAddEntryFunction>(library, "AddEntry")(shownDay);
    return shownDialog ? std::chrono::duration<double>(shownAt - start).count() : -1;
}

double PeakMegabytes() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

struct Case {
    const char* name;
    const char* what;
    bool options;
    const char* list; // the list of the rows written
    size_t (*write)();
};

const Case cases[] = {
    {"lines-100k", "editor, a day of 100,000 short reminders", false, "ListView1",
     [] { return WriteDayLines(100000); }},
    {"lines-1m", "editor, a day of 1,000,000 short reminders", false, "ListView1",
     [] { return WriteDayLines(1000000); }},
    {"long-line", "editor, one reminder of 100 MB", false, "ListView1",
     [] { return WriteLongLine(100u << 20); }},
    {"regular-20k", "editor, 20,000 regular reminders", false, "ListView2",
     [] { return WriteRegulars(20000); }},
    {"types-4k", "options, 4,000 reminder types", true, nullptr, [] { return WriteTypes(4000); }},
};
} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: windows_editor_bench <case>; cases:");
        for (const Case& c : cases)
            std::printf(" %s", c.name);
        std::printf("\n");
        return 1;
    }
    for (const Case& c : cases) {
        if (std::strcmp(argv[1], c.name) != 0)
            continue;
        hook = SetWindowsHookExA(WH_CBT, Watch, nullptr, GetCurrentThreadId());
        ClearStore();
        // The same dialog on an empty store, twice: the first pays for the system's own
        // first use of the controls.
        OpenDialog(c.options);
        const double empty = OpenDialog(c.options);
        const double emptyPeak = PeakMegabytes();
        const size_t bytes = c.write();
        selectIn = c.list;
        const double seconds = OpenDialog(c.options);
        const double peak = PeakMegabytes();
        const std::string selected =
            selectSeconds < 0 ? ""
                              : ", its first row selected in " +
                                    std::to_string(static_cast<int>(selectSeconds * 1e3)) + " ms";
        std::printf(
            "%-46s %8.0f ms  (empty store %5.0f ms)  peak memory %7.1f MB (empty %5.1f "
            "MB), files %7.1f MB%s%s%s\n",
            c.what, seconds * 1e3, empty * 1e3, peak, emptyPeak,
            static_cast<double>(bytes) / (1024.0 * 1024.0), selected.c_str(),
            seconds < 0 ? "  [the dialog did not come up]" : "",
            boxes ? ("  [WARNING: " + std::to_string(boxes) + " boxes: " + firstBox + "]").c_str()
                  : "");
        UnhookWindowsHookEx(hook);
        ClearStore();
        return 0;
    }
    std::fprintf(stderr, "no case %s\n", argv[1]);
    return 1;
}
