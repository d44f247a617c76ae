// Helpers for the Windows test programs: the program's own folder (where the library looks
// for its files), a clean store in it, and a watcher that reads and dismisses message boxes
// so that no test can hang on one.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

std::string ExecutableFolder();
// Removes calendar.ini and data\ from the executable's folder.
void ClearStore();
void WriteStoreFile(const std::string& relative, const std::string& content);
std::string ReadStoreFile(const std::string& relative);
bool StoreFileExists(const std::string& relative);

// A real hold on a file, as a backup or sync tool or an editor takes it: the file opened
// without sharing, so that no other open succeeds until the hold ends.
class FileHold {
  public:
    explicit FileHold(const std::string& path);
    ~FileHold();
    FileHold(const FileHold&) = delete;
    FileHold& operator=(const FileHold&) = delete;
    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Release();
    // Lets go of the file from another thread after this many milliseconds.
    void ReleaseAfter(DWORD milliseconds);

  private:
    static DWORD WINAPI ReleaseLater(void* hold);
    HANDLE handle_;
    HANDLE releaser_ = nullptr;
    DWORD delay_ = 0;
};

class MessageBoxWatcher {
  public:
    MessageBoxWatcher();
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;
    // The texts of the boxes shown since the watcher was made, each dismissed with OK.
    const std::vector<std::string>& Texts() const;

  private:
    HHOOK hook_;
};
