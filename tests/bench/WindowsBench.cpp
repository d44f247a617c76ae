// Times the queries through TOOLS.DLL as the window calls them, each use loading the library,
// binding the export by name, calling it with a fresh 1024-byte buffer and freeing the
// library again, and sets each against the raw Win32 read of the same files; and the load of
// the library alone against the load of MINIMAL.DLL, the least library the build makes; and a
// month of MINIMAL.DLL loads beside the raw reads, the least a month of uses can take. Runs
// from a folder that holds TOOLS.DLL, MINIMAL.DLL, calendar.ini and data\. It only prints.
#include "BenchSupport.h"
#include "DateUtils.h"
#include "Tools.h"
#include "WinHandles.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {
const int queryYear = 2015, queryMonth = 6, queryDay = 15;

// A box would wait for a click that never comes; close it and say that it was there.
HHOOK boxHook = nullptr;
int boxesSeen = 0;
std::string firstBoxText;

LRESULT CALLBACK CloseMessageBoxes(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char className[16] = "";
        GetClassNameA(window, className, sizeof className);
        if (std::strcmp(className, "#32770") == 0) {
            char text[512] = "";
            GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
            if (boxesSeen++ == 0)
                firstBoxText = text;
            PostMessageA(window, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(boxHook, code, wParam, lParam);
}

std::string Health() {
    if (boxesSeen == 0)
        return "";
    return "  [WARNING: " + std::to_string(boxesSeen) + " message boxes: " + firstBoxText + "]";
}

uint32_t CallGetItems(double date) {
    ModuleHandle library(LoadLibraryA("TOOLS.DLL"));
    if (!library)
        return 0;
    TGetItemsFunction getItems = BindExport<TGetItemsFunction>(library, "GetItems");
    if (!getItems)
        return 0;
    std::unique_ptr<char[]> buffer(new char[1024]());
    char* address = buffer.get();
    uint32_t length = 0;
    getItems(&address, &length, date);
    return length;
}

// GetItems through a library loaded once beforehand: what the calls cost beyond the loads.
TGetItemsFunction heldGetItems = nullptr;
uint32_t CallHeldGetItems(double date) {
    if (!heldGetItems)
        return 0;
    std::unique_ptr<char[]> buffer(new char[1024]());
    char* address = buffer.get();
    uint32_t length = 0;
    heldGetItems(&address, &length, date);
    return length;
}

// The least a month of uses can cost with a load per use: MINIMAL.DLL loaded, bound and freed
// for each day, and the day's files read raw. Set against the raw reads alone, it is the floor
// of the month's ratio for any library loaded once per use, whatever its queries do.
std::vector<QueryReads> monthDayReads; // the raw reads of each day of the month, from day 1
uint32_t CallMinimalAndReadRaw(double date) {
    ModuleHandle library(LoadLibraryA("MINIMAL.DLL"));
    BindExport<int(WINAPI*)()>(library, "MinimalExport");
    int year, month, day;
    DecodeDate(date, &year, &month, &day);
    return static_cast<uint32_t>(RawReads(monthDayReads.at(static_cast<size_t>(day - 1))));
}

uint32_t CallComingUp(int count, double date) {
    ModuleHandle library(LoadLibraryA("TOOLS.DLL"));
    if (!library)
        return 0;
    TComingUpFunction comingUp = BindExport<TComingUpFunction>(library, "ComingUp");
    if (!comingUp)
        return 0;
    std::unique_ptr<char[]> buffer(new char[1024]());
    char* address = buffer.get();
    uint32_t length = 0;
    comingUp(count, &address, &length, date);
    return length;
}

// The cost of the load, bind and free alone, which every use pays before any file is read,
// interleaved with the same for the minimal library.
void BenchLoadAndFree() {
    const Medians medians = MedianTimes(
        201,
        [] {
            ModuleHandle library(LoadLibraryA("TOOLS.DLL"));
            BindExport<TGetItemsFunction>(library, "GetItems");
        },
        [] {
            ModuleHandle library(LoadLibraryA("MINIMAL.DLL"));
            BindExport<int(WINAPI*)()>(library, "MinimalExport");
        });
    const double target = 1.3;
    std::printf("%-44s TOOLS.DLL %s  MINIMAL.DLL %s  ratio %6.2f (target < %g: %s)\n"
                "    load, bind by name, free; no call\n",
                "Library load alone", FormatSeconds(medians.librarySeconds).c_str(),
                FormatSeconds(medians.rawSeconds).c_str(), medians.Ratio(), target,
                medians.Ratio() < target ? "met" : "NOT met");
}

// The system libraries TOOLS.DLL imports that this process does not already hold: a use
// loads and frees each of them with the library. The window holds what it imports itself.
std::string ImportsLoadedWithEachUse() {
    ModuleHandle image(LoadLibraryExA("TOOLS.DLL", nullptr, DONT_RESOLVE_DLL_REFERENCES));
    if (!image)
        return "(TOOLS.DLL could not be mapped)";
    const auto* base = reinterpret_cast<const BYTE*>(image.Get());
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    std::string loaded;
    if (directory.VirtualAddress == 0)
        return "none";
    for (const auto* entry =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         entry->Name != 0; ++entry) {
        const char* name = reinterpret_cast<const char*>(base + entry->Name);
        if (!GetModuleHandleA(name))
            loaded += (loaded.empty() ? "" : ", ") + std::string(name);
    }
    return loaded.empty() ? "none" : loaded;
}

void BenchComingUp(int count, double date, int runs) {
    const QueryReads reads = ComingUpReads(count, date);
    const uint32_t length = CallComingUp(count, date);
    const Medians medians = MedianTimes(
        runs, [count, date] { CallComingUp(count, date); }, [&reads] { RawReads(reads); });
    PrintComparison("ComingUp, count " + std::to_string(count) + ", one use", medians,
                    ReadsFigures(reads) + ", " + Grouped(reads.Candidates()) +
                        " candidates by the gathering rules (" + Grouped(reads.datedCandidates) +
                        " dated), " + Grouped(length) + " characters of text" + Health());
}
} // namespace

int main() {
    // What Calendar.exe imports beyond this program, held for the run as the window holds it:
    // otherwise every use would load and free it with the library, which the window never
    // does. OLEAUT32 is the window's clock; SHELL32 its notification icon and read-me.
    ModuleHandle windowImports[] = {ModuleHandle(LoadLibraryA("OLEAUT32.DLL")),
                                    ModuleHandle(LoadLibraryA("GDI32.DLL")),
                                    ModuleHandle(LoadLibraryA("SHELL32.DLL"))};
    boxHook = SetWindowsHookExA(WH_CBT, CloseMessageBoxes, nullptr, GetCurrentThreadId());
    {
        ModuleHandle probe(LoadLibraryA("TOOLS.DLL"));
        if (!probe) {
            std::fprintf(stderr, "TOOLS.DLL is not beside this program\n");
            return 1;
        }
    }
    const double date = EncodeDate(queryYear, queryMonth, queryDay);
    std::printf(
        "Windows build, each use loads TOOLS.DLL, binds the export, calls it and frees the "
        "library.\n"
        "Query date %04d-%02d-%02d. Medians of interleaved runs after two warm-up rounds.\n"
        "Held for the run, as Calendar.exe imports them: OLEAUT32, GDI32, SHELL32. Imports of "
        "TOOLS.DLL each use loads besides: %s.\n\n",
        queryYear, queryMonth, queryDay, ImportsLoadedWithEachUse().c_str());
    BenchLoadAndFree();
    // Each use loads and frees the library, which alone costs about as much as the raw read.
    BenchGetItemsDay("GetItems, one use", 101, date, CallGetItems, Health, 3);
    // A month of uses as the window makes them at each layout: one load, call and free a day.
    BenchGetItemsMonth("GetItems, a month of uses", 21, date, CallGetItems, Health, 2);
    {
        int year, month, day;
        DecodeDate(date, &year, &month, &day);
        for (int d = 1; d <= DaysInMonth(year, month); ++d)
            monthDayReads.push_back(ItemsReads(EncodeDate(year, month, d)));
        BenchGetItemsMonth("Floor: MINIMAL.DLL use + raw reads, a month", 21, date,
                           CallMinimalAndReadRaw, Health, 2);
    }
    {
        // Not what the window does (it frees the library after every use): the same month in
        // one load, which shows how much of the figure above is the loads. The library keeps
        // what it read of calendar.ini for the length of a load, so here it reads that file
        // once while the raw side still reads it for every day: this ratio flatters it.
        ModuleHandle held(LoadLibraryA("TOOLS.DLL"));
        heldGetItems = BindExport<TGetItemsFunction>(held, "GetItems");
        BenchGetItemsMonth("GetItems, a month of calls in one load", 21, date, CallHeldGetItems,
                           Health, 2);
        heldGetItems = nullptr;
    }
    BenchComingUp(3, date, 51);
    BenchComingUp(200, date, 11);
    if (boxHook)
        UnhookWindowsHookEx(boxHook);
    return 0;
}
