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
