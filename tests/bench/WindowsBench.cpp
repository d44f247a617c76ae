// Times the queries through TOOLS.DLL as the window calls them, each use loading the library,
// binding the export by name, calling it with a fresh 1024-byte buffer and freeing the
// library again, and sets each against the raw Win32 read of the same files. Runs from a
// folder that holds TOOLS.DLL, calendar.ini and data\. It only prints.
#include "BenchSupport.h"
#include "DateUtils.h"
#include "Tools.h"
#include "WinHandles.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

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

// The cost of the load, bind and free alone, which every use pays before any file is read.
void BenchLoadAndFree() {
    const Medians medians = MedianTimes(
        101,
        [] {
            ModuleHandle library(LoadLibraryA("TOOLS.DLL"));
            BindExport<TGetItemsFunction>(library, "GetItems");
        },
        [] {});
    std::printf("%-44s library %s  (load, bind by name, free; no call)\n", "TOOLS.DLL alone",
                FormatSeconds(medians.librarySeconds).c_str());
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
        "Query date %04d-%02d-%02d. Medians of interleaved runs after two warm-up rounds.\n\n",
        queryYear, queryMonth, queryDay);
    BenchLoadAndFree();
    // Each use loads and frees the library, which alone costs about as much as the raw read.
    BenchGetItemsDay("GetItems, one use", 101, date, CallGetItems, Health, 3);
    BenchGetItemsMonth("GetItems, a month of uses", 21, date, CallGetItems, Health, 3);
    BenchComingUp(3, date, 51);
    BenchComingUp(200, date, 11);
    if (boxHook)
        UnhookWindowsHookEx(boxHook);
    return 0;
}
