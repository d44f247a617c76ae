// Remembering, for the life of the program, which broken files the user has been told about.
#include "ReportOnce.h"
#include "MessageBoxes.h"
#include "ProcessNotes.h"
#include "TextCase.h"

#include <cstdint>
#include <cstdio>

namespace {
// One note per file, named after the file's path (letters A to Z folded, as Windows
// compares paths), holding the state in which it was reported.
std::string NoteName(const std::string& path) {
    uint64_t hash = 14695981039346656037ULL;
    for (char c : UpperCaseAscii(path)) {
        if (c == '/')
            c = '\\';
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    }
    char name[40];
    std::snprintf(name, sizeof name, "VELMORA_TOLD_%016llX", static_cast<unsigned long long>(hash));
    return name;
}
} // namespace

void ReportFileProblem(const std::string& path, const std::string& message) {
    const std::string name = NoteName(path);
    const std::string state = "told " + FileStamp(path);
    if (ReadProcessNote(name) == state)
        return;
    WriteProcessNote(name, state);
    ShowErrorBox(message);
}
