// Portable stand-in for the file operations, over POSIX calls. Windows paths are mapped by
// turning backslashes into slashes. A test can make the next write fail at any of its steps.
#include "FileSystem.h"
#include "Errors.h"
#include "PortableTestHooks.h"
#include "TextCase.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {
bool faultArmed = false;
PortableFileStep faultStep = PortableFileStep::Write;
long faultAfterBytes = 0;
int faultStepsToPass = 0;
const size_t filePieceSize = 65536;

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
    throw VelmoraError(what + " \"" + path + "\": " + std::strerror(errno));
}

// A file the user marked read-only is not to be replaced or deleted, as Windows refuses it
// (even to root).
void RefuseReadOnly(const std::string& target, const std::string& what, const std::string& path) {
    struct stat info;
    if (stat(target.c_str(), &info) == 0 && !(info.st_mode & S_IWUSR)) {
        errno = EACCES;
        Fail(what, path);
    }
}
} // namespace

void SetPortableFileFault(PortableFileStep step, long afterBytes) {
    SetPortableFileFaultAfterSteps(step, 0, afterBytes);
}

void SetPortableFileFaultAfterSteps(PortableFileStep step, int stepsToPass, long afterBytes) {
    faultArmed = true;
    faultStepsToPass = stepsToPass < 0 ? 0 : stepsToPass;
    faultStep = step;
    faultAfterBytes = afterBytes < 0 ? 0 : afterBytes;
}

void ClearPortableFileFault() { faultArmed = false; }

void SetPortableWriteFailureAfter(long bytes) {
    if (bytes < 0) ClearPortableFileFault();
    else SetPortableFileFault(PortableFileStep::Write, bytes);
}

bool TakePortableFileFault(PortableFileStep step, long* afterBytes) {
    if (!faultArmed || faultStep != step) return false;
    if (faultStepsToPass > 0) {
        --faultStepsToPass;
        return false;
    }
    faultArmed = false;
    if (afterBytes) *afterBytes = faultAfterBytes;
    return true;
}

std::string NativePath(const std::string& path) {
    std::string result = path;
    for (char& c : result)
        if (c == '\\') c = '/';
    return result;
}

bool FileExists(const std::string& path) {
    struct stat info;
    return stat(NativePath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool FileStamp(const std::string& path, unsigned long long* size, long long* writeTime) {
    struct stat info;
    if (stat(NativePath(path).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    *size = static_cast<unsigned long long>(info.st_size);
    *writeTime = static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
    return true;
}

std::string ReadWholeFile(const std::string& path) {
    FILE* file = std::fopen(NativePath(path).c_str(), "rb");
    if (!file) Fail("Cannot open file", path);
    // Read straight into a string of the file's size; a file that grows meanwhile is read on.
    struct stat info;
    std::string content;
    if (fstat(fileno(file), &info) == 0 && info.st_size > 0) content.resize(static_cast<size_t>(info.st_size));
    size_t filled = 0;
    for (;;) {
        // Room to see the end of the file, or more of a file that grew: small for a small file,
        // as every byte of it is cleared first.
        if (filled == content.size()) content.resize(content.size() + std::max<size_t>(4096, content.size() / 8));
        const size_t got = std::fread(&content[filled], 1, content.size() - filled, file);
        if (got == 0) break;
        filled += got;
    }
    content.resize(filled);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) Fail("Cannot read file", path);
    return content;
}

void ReadFilePieces(const std::string& path, const std::function<void(const char* data, size_t size)>& take) {
    if (TakePortableFileFault(PortableFileStep::Read)) {
        errno = EACCES;
        Fail("Cannot open file", path);
    }
    FILE* file = std::fopen(NativePath(path).c_str(), "rb");
    if (!file) Fail("Cannot open file", path);
    std::unique_ptr<FILE, int (*)(FILE*)> closer(file, std::fclose);
    std::unique_ptr<char[]> buffer(new char[filePieceSize]);
    for (;;) {
        const size_t got = std::fread(buffer.get(), 1, filePieceSize, file);
        if (got == 0) break;
        take(buffer.get(), got);
    }
    if (std::ferror(file)) Fail("Cannot read file", path);
}

void WriteTemporaryFile(const std::string& path, const std::string& content) {
    const std::string target = NativePath(path);
    const std::string temporary = NativePath(TemporaryFileName(path));
    RefuseReadOnly(target, "Cannot write file", path);
    if (TakePortableFileFault(PortableFileStep::Create)) {
        errno = EACCES;
        Fail("Cannot create file", path);
    }
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) Fail("Cannot create file", path);
    long failAfter = -1;
    const bool injected = TakePortableFileFault(PortableFileStep::Write, &failAfter) &&
                          static_cast<size_t>(failAfter) < content.size();
    // Written piece by piece as a disk fills: what fits before the fault reaches the file.
    bool ok = true;
    for (size_t done = 0; ok && done < content.size();) {
        size_t piece = std::min(filePieceSize, content.size() - done);
        if (injected && done + piece > static_cast<size_t>(failAfter)) {
            piece = static_cast<size_t>(failAfter) - done;
            ok = false;
            errno = ENOSPC;
        }
        if (std::fwrite(content.data() + done, 1, piece, file) != piece) ok = false;
        done += piece;
    }
    if (ok && TakePortableFileFault(PortableFileStep::Flush)) {
        ok = false;
        errno = EIO;
    }
    if (ok && (std::fflush(file) != 0 || fsync(fileno(file)) != 0)) ok = false;
    int savedErrno = errno;
    ok = (std::fclose(file) == 0) && ok;
    if (!ok) {
        std::remove(temporary.c_str());
        errno = savedErrno ? savedErrno : EIO;
        Fail("Cannot write file", path);
    }
}

void CommitTemporaryFile(const std::string& path) {
    const std::string temporary = NativePath(TemporaryFileName(path));
    errno = 0;
    if (TakePortableFileFault(PortableFileStep::Move) ||
        std::rename(temporary.c_str(), NativePath(path).c_str()) != 0) {
        const int savedErrno = errno ? errno : EXDEV;
        std::remove(temporary.c_str());
        errno = savedErrno;
        Fail("Cannot replace file", path);
    }
}

void DiscardTemporaryFile(const std::string& path) { std::remove(NativePath(TemporaryFileName(path)).c_str()); }

bool KeepBackupFile(const std::string& path) {
    const std::string target = NativePath(path);
    const std::string backup = NativePath(BackupFileName(path));
    std::remove(backup.c_str());
    struct stat info;
    if (stat(target.c_str(), &info) != 0) return false;
    if (TakePortableFileFault(PortableFileStep::Backup)) {
        errno = EIO;
        Fail("Cannot keep the previous content of file", path);
    }
    // A second name costs nothing; a copy is for a file system without them.
    if (link(target.c_str(), backup.c_str()) == 0) return true;
    std::string content = ReadWholeFile(path);
    FILE* file = std::fopen(backup.c_str(), "wb");
    bool ok = file && std::fwrite(content.data(), 1, content.size(), file) == content.size();
    if (file) ok = std::fclose(file) == 0 && ok;
    if (!ok) {
        const int savedErrno = errno ? errno : EIO;
        std::remove(backup.c_str());
        errno = savedErrno;
        Fail("Cannot keep the previous content of file", path);
    }
    return true;
}

void MoveToBackupFile(const std::string& path) {
    const std::string target = NativePath(path);
    RefuseReadOnly(target, "Cannot delete file", path);
    if (TakePortableFileFault(PortableFileStep::Delete)) {
        errno = EIO;
        Fail("Cannot delete file", path);
    }
    if (std::rename(target.c_str(), NativePath(BackupFileName(path)).c_str()) != 0)
        Fail("Cannot delete file", path);
}

void RestoreBackupFile(const std::string& path) {
    errno = 0;
    if (TakePortableFileFault(PortableFileStep::Restore) ||
        std::rename(NativePath(BackupFileName(path)).c_str(), NativePath(path).c_str()) != 0) {
        if (errno == 0) errno = EIO;
        Fail("Cannot put back the previous content of file", path);
    }
}

void DiscardBackupFile(const std::string& path) { std::remove(NativePath(BackupFileName(path)).c_str()); }

void DeleteFileIfPresent(const std::string& path) {
    const std::string target = NativePath(path);
    struct stat info;
    if (stat(target.c_str(), &info) != 0) return;
    RefuseReadOnly(target, "Cannot delete file", path);
    if (TakePortableFileFault(PortableFileStep::Delete)) {
        errno = EIO;
        Fail("Cannot delete file", path);
    }
    if (std::remove(target.c_str()) != 0 && errno != ENOENT) Fail("Cannot delete file", path);
}

void ForceDirectories(const std::string& path) {
    std::string native = NativePath(path);
    for (size_t i = 1; i <= native.size(); ++i) {
        if (i == native.size() || native[i] == '/') mkdir(native.substr(0, i).c_str(), 0777);
    }
}

std::vector<std::string> ListFileNames(const std::string& directory, const std::string& suffix) {
    std::vector<std::string> names;
    std::string native = NativePath(directory);
    DIR* dir = opendir(native.c_str());
    if (!dir) return names;
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (!EndsWithIgnoringCase(name, suffix)) continue;
        // The entry's own type spares a stat of every file; only an unknown type needs one.
        bool regular = entry->d_type == DT_REG;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat info;
            regular = stat((native + "/" + name).c_str(), &info) == 0 && S_ISREG(info.st_mode);
        }
        if (regular) names.push_back(name);
    }
    closedir(dir);
    return names;
}
