// Windows side of the profile-file access: the system's own profile API.
#include "ProfileFile.h"
#include "Errors.h"
#include "FileSystem.h"

#include <windows.h>

namespace {
[[noreturn]] void WriteFailure(const std::string& path, DWORD error) {
    if (error == 0) error = ERROR_WRITE_FAULT;
    char buffer[512] = "";
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                  buffer, sizeof buffer, nullptr);
    std::string text(buffer, length);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
    if (text.empty()) text = "system error " + std::to_string(error);
    throw VelmoraError("Cannot write file \"" + path + "\": " + text);
}

// How many sections of this name the file holds: the API lists a name once per section.
size_t SectionCount(const std::string& path, const std::string& section) {
    DWORD size = 4096;
    std::string buffer;
    DWORD length = 0;
    for (;;) {
        buffer.assign(size, '\0');
        length = GetPrivateProfileSectionNamesA(&buffer[0], size, path.c_str());
        if (length + 2 < size || size >= (1u << 26)) break;
        size *= 4;
    }
    size_t count = 0;
    for (size_t start = 0; start < length;) {
        const size_t end = buffer.find('\0', start);
        if (end == std::string::npos || end > length) break;
        if (end > start && lstrcmpiA(buffer.c_str() + start, section.c_str()) == 0) ++count;
        start = end + 1;
    }
    return count;
}

void WriteSection(const std::string& temporary, const std::string& path, const ProfileSectionLines& section) {
    std::string block; // "key=value", each ending in a zero, and one more zero at the end
    for (const std::string& line : section.lines)
        if (line.find('=') != std::string::npos) block += line + '\0';
    const size_t count = SectionCount(temporary, section.name);
    // One section is replaced where it stands; more than one are all erased (the API erases
    // the first of a name each time) and the section written anew at the end of the file.
    if (count > 1 || block.empty()) {
        for (size_t i = 0; i < count; ++i)
            if (!WritePrivateProfileStringA(section.name.c_str(), nullptr, nullptr, temporary.c_str()))
                WriteFailure(path, GetLastError());
        if (SectionCount(temporary, section.name) != 0) WriteFailure(path, ERROR_WRITE_FAULT);
    }
    if (block.empty()) return;
    block += '\0';
    if (!WritePrivateProfileSectionA(section.name.c_str(), block.data(), temporary.c_str()))
        WriteFailure(path, GetLastError());
}
} // namespace

std::string ProfileReadString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& defaultValue,
                              std::size_t bufferSize) {
    if (bufferSize == 0) return "";
    std::string buffer(bufferSize, '\0');
    DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                            &buffer[0], static_cast<DWORD>(bufferSize), path.c_str());
    buffer.resize(length);
    return buffer;
}

bool ProfileWriteString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != FALSE;
}

bool ProfileEraseSection(const std::string& path, const std::string& section) {
    return WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, path.c_str()) != FALSE;
}

std::vector<std::string> ProfileReadSection(const std::string& path, const std::string& section) {
    // The API gives no size up front: grow the buffer until the list fits with room to spare.
    DWORD size = 32768;
    std::string buffer;
    DWORD length = 0;
    for (;;) {
        buffer.assign(size, '\0');
        length = GetPrivateProfileSectionA(section.c_str(), &buffer[0], size, path.c_str());
        if (length + 2 < size || size >= (1u << 26)) break;
        size *= 4;
    }
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < length) {
        size_t end = buffer.find('\0', start);
        if (end == std::string::npos || end > length) end = length;
        if (end > start) lines.push_back(buffer.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

void ProfileReplaceSections(const std::string& path, const std::vector<ProfileSectionLines>& sections) {
    // Whatever the API still holds of the file goes to the disk first, so the copy is whole.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    const std::string content = FileExists(path) ? ReadWholeFile(path) : std::string();
    // The sections are written by the API itself into a copy beside the file, so that every
    // other part of the file, in whatever form the API accepts it, comes through as it would.
    WriteTemporaryFile(path, content);
    const std::string temporary = TemporaryFileName(path);
    try {
        for (const ProfileSectionLines& section : sections) WriteSection(temporary, path, section);
        // The API lets go of the copy: all of it is in the file, and none of it is held after the move.
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, temporary.c_str());
    } catch (...) {
        DiscardTemporaryFile(path);
        throw;
    }
    CommitTemporaryFile(path);
}
