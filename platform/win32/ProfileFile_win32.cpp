// Windows side of the profile-file access: the system's own profile API for reading keys and
// sections, and whole-file reads and safe replacement for what must not be taken for empty or
// cut short.
#include "Errors.h"
#include "FileSystem.h"
#include "ProfileFile.h"
#include "SystemMessage.h"
#include "WinHandles.h"

#include <windows.h>

#include <algorithm>

namespace {
// Reads the open file to its end; false with the error when a read fails (a locked range).
bool ReadToEnd(HANDLE file, std::string* content, DWORD* error) {
    content->clear();
    char chunk[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, chunk, sizeof chunk, &got, nullptr)) {
            *error = GetLastError();
            content->clear();
            return false;
        }
        if (got == 0) return true;
        content->append(chunk, got);
    }
}

// What another program's hold on the file looks like; any of them may pass in a moment.
bool HeldByAnother(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

const DWORD retryPause = 50;
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

ProfileFileRead ReadProfileFile(const std::string& path, int waitMilliseconds, std::string* content,
                                std::string* reason) {
    content->clear();
    const DWORD start = GetTickCount();
    for (;;) {
        DWORD error = 0;
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            error = GetLastError();
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return ProfileFileRead::Missing;
        } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            *reason = "it is a folder, not a file";
            return ProfileFileRead::Unreadable;
        } else {
            // The profile API would read such a file as empty without a word; opening it here
            // tells "not there" from "not readable now".
            KernelHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
            if (!file) error = GetLastError();
            else if (ReadToEnd(file.Get(), content, &error)) return ProfileFileRead::Read;
            if (error == ERROR_FILE_NOT_FOUND) return ProfileFileRead::Missing;
        }
        if (!HeldByAnother(error) || GetTickCount() - start >= static_cast<DWORD>(std::max(0, waitMilliseconds))) {
            *reason = SystemMessage(error ? error : ERROR_READ_FAULT);
            return ProfileFileRead::Unreadable;
        }
        Sleep(retryPause);
    }
}

void ProfileReplaceSections(const std::string& path, const std::vector<ProfileSectionLines>& sections,
                            int waitMilliseconds) {
    // Whatever the API still holds of the file goes to the disk first, so the copy is whole.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    std::string content, reason;
    if (ReadProfileFile(path, waitMilliseconds, &content, &reason) == ProfileFileRead::Unreadable)
        throw UnreadableFileError("Cannot read file \"" + path + "\": " + reason);
    // The whole new file is known here, so the replacement can check that every byte of it
    // reached the disk before it takes the old file's place: a disk that fills part way
    // fails the save instead of leaving a file cut short.
    ReplaceFileContent(path, ProfileTextWithSections(content, sections));
}
