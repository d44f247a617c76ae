// The all-or-nothing save of several stored files, over the file system's safe replacement.
#include "FileTransaction.h"
#include "Errors.h"
#include "FileSystem.h"

#include <exception>

void FileTransaction::Replace(const std::string& path, std::string content) {
    Change change;
    change.path = path;
    change.content = std::move(content);
    changes_.push_back(std::move(change));
}

void FileTransaction::Delete(const std::string& path) {
    Change change;
    change.path = path;
    change.remove = true;
    changes_.push_back(std::move(change));
}

void FileTransaction::RollBack(size_t appliedCount, std::string& message) {
    for (size_t i = appliedCount; i-- > 0;) {
        Change& change = changes_[i];
        try {
            if (change.existed)
                RestoreBackupFile(change.path);
            else
                DeleteFileIfPresent(change.path);
            change.applied = false;
        } catch (const std::exception& error) {
            message += "\r\n" + std::string(error.what());
            if (change.existed)
                message +=
                    "\r\nIts previous content is in \"" + BackupFileName(change.path) + "\".";
        }
    }
}

void FileTransaction::Commit() {
    // First every new file, whole, while nothing the readers see has changed.
    for (size_t i = 0; i < changes_.size(); ++i) {
        if (changes_[i].remove)
            continue;
        try {
            WriteTemporaryFile(changes_[i].path, changes_[i].content);
        } catch (...) {
            for (size_t j = 0; j < i; ++j)
                if (!changes_[j].remove)
                    DiscardTemporaryFile(changes_[j].path);
            throw;
        }
    }
    // Then each in its place, the previous file kept until all are.
    size_t applied = 0;
    try {
        for (; applied < changes_.size(); ++applied) {
            Change& change = changes_[applied];
            if (change.remove) {
                change.existed = FileExists(change.path);
                if (change.existed)
                    MoveToBackupFile(change.path);
            } else {
                change.existed = KeepBackupFile(change.path);
                CommitTemporaryFile(change.path);
            }
            change.applied = true;
        }
    } catch (const std::exception& error) {
        for (size_t j = applied; j < changes_.size(); ++j) {
            if (!changes_[j].remove)
                DiscardTemporaryFile(changes_[j].path);
            // The step that failed left its file as it was; a backup it made is not needed.
            if (j == applied && changes_[j].existed && !changes_[j].remove)
                DiscardBackupFile(changes_[j].path);
        }
        std::string message = error.what();
        RollBack(applied, message);
        for (size_t j = 0; j < applied; ++j)
            if (!changes_[j].applied)
                DiscardBackupFile(changes_[j].path);
        throw VelmoraError(message);
    }
    for (const Change& change : changes_)
        DiscardBackupFile(change.path);
}
