// Times the settings save the window makes when it closes, SetOptions, against calendar.ini
// files with 1000 and 4000 reminder types. Natively it runs in process on the folder it is
// given; the Windows build loads TOOLS.DLL beside itself for every call, as the window does,
// and works on the calendar.ini there. It only prints.
#include "BenchSupport.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#ifdef _WIN32
#include "WinHandles.h"
#else
#include "EventTypeUnit.h"
#include "PortableTestHooks.h"
#include "Settings.h"
#include "Tools.h"
#endif

namespace {
std::string folder; // the program folder, with its trailing separator

#ifdef _WIN32
using SetOptionsFunction = void(WINAPI*)(int32_t, int32_t);

void CallSetOptions(int32_t top, int32_t left) {
    ModuleHandle library(LoadLibraryA("TOOLS.DLL"));
    if (!library)
        return;
    auto setOptions = reinterpret_cast<SetOptionsFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(library.Get(), "SetOptions")));
    if (setOptions)
        setOptions(top, left);
}

std::string ProgramFolder(const char*) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string result = path;
    return result.substr(0, result.find_last_of("\\/") + 1);
}
#else
void CallSetOptions(int32_t top, int32_t left) {
    // What a fresh load of the library starts from.
    ResetSettings();
    ClearEventTypes();
    SetOptions(top, left);
}

std::string ProgramFolder(const char* given) {
    std::string result = given;
    if (result.back() != '/')
        result += '/';
    SetPortableProgramDirectory(result);
    return result;
}
#endif

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A settings file as a user with many reminder types has it.
void WriteSettingsFile(int types) {
    std::string content =
        "[options]\r\nfirstday=2\r\ndateformat=dddd, d mmmm yyyy\r\ntop=120\r\nleft=840\r\n"
        "listcount=10\r\n\r\n[eventtypes]\r\n";
    for (int i = 0; i < types; ++i)
        content += "Reminder type " + std::to_string(i) + "=" + std::to_string(i * 97) + "\r\n";
    std::ofstream(folder + "calendar.ini", std::ios::binary) << content;
}

void BenchSave(int types, int runs) {
    WriteSettingsFile(types);
    int32_t position = 0;
    const Medians medians = MedianTimes(
        runs,
        [&position] {
            ++position;
            CallSetOptions(position, position);
        },
        [] {});
    const std::string saved = ReadAll(folder + "calendar.ini");
    size_t lines = 0;
    for (char c : saved)
        lines += c == '\n' ? 1 : 0;
    const bool whole =
        saved.find("Reminder type " + std::to_string(types - 1) + "=") != std::string::npos &&
        saved.find("top=" + std::to_string(position)) != std::string::npos;
    std::printf(
        "%-44s library %s  (%s types, calendar.ini of %s bytes and %s lines after the save%s)\n",
        ("SetOptions, " + Grouped(static_cast<size_t>(types)) + " reminder types").c_str(),
        FormatSeconds(medians.librarySeconds).c_str(), Grouped(static_cast<size_t>(types)).c_str(),
        Grouped(saved.size()).c_str(), Grouped(lines).c_str(),
        whole ? "" : "  [WARNING: the saved file is not whole]");
}
} // namespace

int main(int argc, char** argv) {
#ifndef _WIN32
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <program folder>\n", argv[0]);
        return 2;
    }
#endif
    folder = ProgramFolder(argc > 1 ? argv[1] : "");
#ifdef _WIN32
    PrintHeading("Settings save, Windows build: SetOptions through TOOLS.DLL, loaded for each call (medians)");
#else
    PrintHeading("Settings save, native: SetOptions in process, from a fresh library state (medians)");
#endif
    BenchSave(1000, 21);
    BenchSave(4000, 11);
    return 0;
}
