// The fuzz targets' program folder, export calls and item-text checks.
#include "FuzzSupport.h"
#include "EventTypeUnit.h"
#include "PortableTestHooks.h"
#include "Queries.h"
#include "Settings.h"
#include "Tools.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

const std::string& FuzzFolder() {
    static const std::string folder = [] {
        char pattern[] = "/tmp/velmora-fuzz-XXXXXX";
        const char* made = mkdtemp(pattern);
        if (!made)
            FuzzFailure("cannot make a folder");
        const std::string path = std::string(made) + "/";
        SetPortableProgramDirectory(path);
        return path;
    }();
    return folder;
}

void WriteFuzzFile(const std::string& relative, const std::string& content) {
    const std::filesystem::path path = FuzzFolder() + relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

void RemoveFuzzFile(const std::string& relative) {
    std::error_code ignored;
    std::filesystem::remove(FuzzFolder() + relative, ignored);
}

void ResetLibrary() {
    FuzzFolder();
    ResetSettings();
    ClearEventTypes();
    RegularEntries().clear();
    RecordedMessageBoxes().clear();
}

void FuzzFailure(const std::string& what) {
    std::fprintf(stderr, "fuzz property failed: %s\n", what.c_str());
    std::abort();
}

void CheckItemText(const std::string& text, const char* where) {
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\0')
            FuzzFailure(std::string(where) + ": a NUL inside item text");
        if (c == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))
            FuzzFailure(std::string(where) + ": a CR without its LF");
        if (c == '\n' && (i == 0 || text[i - 1] != '\r'))
            FuzzFailure(std::string(where) + ": a LF without its CR");
        if (c == '|' && (i + 1 == text.size() || text[i + 1] < '0' || text[i + 1] > '9'))
            FuzzFailure(std::string(where) + ": a bar without its indent number");
    }
}

namespace {
std::string CheckedCall(bool items, int32_t count, double date) {
    // Exactly the window's 1024 bytes, so that the sanitizer sees any write past them.
    std::unique_ptr<char[]> storage(new char[1024]);
    storage[0] = '\0';
    char* buffer = storage.get();
    char* const original = buffer;
    uint32_t length = 0;
    if (items)
        GetItems(&buffer, &length, date);
    else
        ComingUp(count, &buffer, &length, date);
    if (buffer != original)
        FuzzFailure("the buffer address was changed");
    if (length > 1023)
        FuzzFailure("a length beyond the buffer");
    if (std::strlen(buffer) != length)
        FuzzFailure("the length does not agree with the text");
    const std::string text(buffer, length);
    CheckItemText(text, items ? "GetItems" : "ComingUp");
    return text;
}
} // namespace

std::string FuzzGetItems(double date) {
    return CheckedCall(true, 0, date);
}
std::string FuzzComingUp(int32_t count, double date) {
    return CheckedCall(false, count, date);
}
