// Windows side of the reminder store's file operations.
#include "Errors.h"
#include "FileSystem.h"
#include "SystemMessage.h"
#include "TextCase.h"
#include "WinHandles.h"

#include <windows.h>

#include <algorithm>

namespace {
// The piece buffer of ReadFilePieces, on the stack. The window loads the library afresh for
// every query, and under Wine the first block of this size taken from the heap after a load
// cost about 50 us of fresh pages, more than the read of a day file itself; the stack's
// pages stay with the thread from one load to the next (the settings read touches as many).
const size_t filePieceSize = 65536;

[[noreturn]] void Fail(const std::string& what, const std::string& path, DWORD error) {
    throw VelmoraError(what + " \"" + path + "\": " + SystemMessage(error));
}

bool IsReadOnly(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

} // namespace

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileStamp(const std::string& path, unsigned long long* size, long long* writeTime) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    *size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    *writeTime = static_cast<long long>(
        (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
        data.ftLastWriteTime.dwLowDateTime);
    return true;
}

std::string ReadWholeFile(const std::string& path) {
    KernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) Fail("Cannot open file", path, GetLastError());
    // Read straight into a string of the file's size; a file that grows meanwhile is read on.
    LARGE_INTEGER size;
    std::string content;
    if (GetFileSizeEx(file.Get(), &size) && size.QuadPart > 0 && size.QuadPart < (1LL << 31))
        content.resize(static_cast<size_t>(size.QuadPart));
    size_t filled = 0;
    for (;;) {
        // Room to see the end of the file, or more of a file that grew: small for a small file,
        // as every byte of it is cleared first.
        if (filled == content.size()) content.resize(content.size() + std::max<size_t>(4096, content.size() / 8));
        DWORD got = 0;
        if (!ReadFile(file.Get(), &content[filled], static_cast<DWORD>(content.size() - filled), &got, nullptr))
            Fail("Cannot read file", path, GetLastError());
        if (got == 0) break;
        filled += got;
    }
    content.resize(filled);
    return content;
}

void ReadFilePieces(const std::string& path, const std::function<void(const char* data, size_t size)>& take) {
    KernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) Fail("Cannot open file", path, GetLastError());
    char buffer[filePieceSize];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), buffer, static_cast<DWORD>(filePieceSize), &got, nullptr))
            Fail("Cannot read file", path, GetLastError());
        if (got == 0) break;
        take(buffer, got);
    }
}

void WriteTemporaryFile(const std::string& path, const std::string& content) {
    // A read-only file is the user's wish that it stays as it is.
    if (IsReadOnly(path)) Fail("Cannot write file", path, ERROR_ACCESS_DENIED);
    const std::string temporary = TemporaryFileName(path);
    KernelHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) Fail("Cannot create file", path, GetLastError());
    DWORD written = 0;
    if (!WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr) ||
        written != content.size()) {
        DWORD error = GetLastError();
        file.Reset();
        DeleteFileA(temporary.c_str());
        Fail("Cannot write file", path, error ? error : ERROR_WRITE_FAULT);
    }
}

void CommitTemporaryFile(const std::string& path) {
    const std::string temporary = TemporaryFileName(path);
    {
        // Whatever wrote the new file, its bytes are on the disk before it takes the old one's place.
        KernelHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file || !FlushFileBuffers(file.Get())) {
            DWORD error = GetLastError();
            file.Reset();
            DeleteFileA(temporary.c_str());
            Fail("Cannot write file", path, error ? error : ERROR_WRITE_FAULT);
        }
    }
    if (!MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DWORD error = GetLastError();
        DeleteFileA(temporary.c_str());
        Fail("Cannot replace file", path, error);
    }
}

void DiscardTemporaryFile(const std::string& path) { DeleteFileA(TemporaryFileName(path).c_str()); }

bool KeepBackupFile(const std::string& path) {
    const std::string backup = BackupFileName(path);
    DeleteFileA(backup.c_str());
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    // A second name costs nothing and keeps the very bytes; a copy is for a disk without them.
    if (CreateHardLinkA(backup.c_str(), path.c_str(), nullptr)) return true;
    if (!CopyFileA(path.c_str(), backup.c_str(), FALSE)) {
        DWORD error = GetLastError();
        DeleteFileA(backup.c_str());
        Fail("Cannot keep the previous content of file", path, error);
    }
    // The copy takes the read-only mark of its source, which would stop its own removal.
    SetFileAttributesA(backup.c_str(), FILE_ATTRIBUTE_NORMAL);
    return true;
}

void MoveToBackupFile(const std::string& path) {
    if (IsReadOnly(path)) Fail("Cannot delete file", path, ERROR_ACCESS_DENIED);
    const std::string backup = BackupFileName(path);
    if (!MoveFileExA(path.c_str(), backup.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        Fail("Cannot delete file", path, GetLastError());
}

void RestoreBackupFile(const std::string& path) {
    const std::string backup = BackupFileName(path);
    if (!MoveFileExA(backup.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        Fail("Cannot put back the previous content of file", path, GetLastError());
}

void DiscardBackupFile(const std::string& path) { DeleteFileA(BackupFileName(path).c_str()); }

void DeleteFileIfPresent(const std::string& path) {
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    if (IsReadOnly(path)) Fail("Cannot delete file", path, ERROR_ACCESS_DENIED);
    if (!DeleteFileA(path.c_str())) {
        DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
            Fail("Cannot delete file", path, error);
    }
}

void ForceDirectories(const std::string& path) {
    for (size_t i = 3; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\' || path[i] == '/')
            CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    }
}

std::vector<std::string> ListFileNames(const std::string& directory, const std::string& suffix) {
    std::vector<std::string> names;
    std::string pattern = directory;
    if (!pattern.empty() && pattern.back() != '\\') pattern += '\\';
    pattern += "*" + suffix;
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA(pattern.c_str(), &found));
    if (!search) return names;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        if (EndsWithIgnoringCase(found.cFileName, suffix)) names.push_back(found.cFileName);
    } while (FindNextFileA(search.Get(), &found));
    return names;
}
