// What the file operations do alike on both sides: the names of the new and the backup file,
// and a replacement made of the two steps.
#include "FileSystem.h"

std::string TemporaryFileName(const std::string& path) {
    return path + ".new";
}

std::string BackupFileName(const std::string& path) {
    return path + ".old";
}

void ReplaceFileContent(const std::string& path, const std::string& content) {
    WriteTemporaryFile(path, content);
    CommitTemporaryFile(path);
}
