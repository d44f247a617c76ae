// The file operations of the reminder store. Paths use backslashes; the portable side maps
// them. Every failure raises VelmoraError with a message naming the file.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

bool FileExists(const std::string& path);
// The file's size and last write time (in the system's own units), which change whenever
// it is written; false when there is no such file.
bool FileStamp(const std::string& path, unsigned long long* size, long long* writeTime);
// The whole content of the file.
std::string ReadWholeFile(const std::string& path);
// The file's content from start to end, handed to take piece by piece through one buffer of
// a fixed size. For a large file this is much cheaper than a buffer of the file's size, whose
// fresh pages the system has to provide on every read. Fails as ReadWholeFile does.
void ReadFilePieces(const std::string& path, const std::function<void(const char* data, size_t size)>& take);
// Replaces the file by content: the bytes go to a new file beside it, which is then moved
// over the old one, so a failed write leaves the previous file as it was.
void ReplaceFileContent(const std::string& path, const std::string& content);

// The steps of that replacement, for a writer that fills the new file by other means (the
// profile API). The new file's name ends in ".new", which no reader of the store looks for.
// A step that fails removes the new file before it raises.
std::string TemporaryFileName(const std::string& path);
// Creates the new file of path holding content. A read-only file at path is not to be
// replaced and fails here, before anything is written.
void WriteTemporaryFile(const std::string& path, const std::string& content);
// Flushes the new file to the disk and moves it over path.
void CommitTemporaryFile(const std::string& path);
// Removes the new file of path, if there is one; for a writer that failed in between.
void DiscardTemporaryFile(const std::string& path);
// The previous content of a file replaced within one save of several files, kept under a
// name of its own (".old", which no reader of the store looks for) until the save is whole,
// so that a later step that fails can put it back.
std::string BackupFileName(const std::string& path);
// Keeps the file's present content under its backup name while the file stays where it is;
// false (and no backup) when there is no file. A backup left by an earlier save is dropped.
bool KeepBackupFile(const std::string& path);
// Moves the file to its backup name: a delete that can be undone. A read-only file is not
// to be deleted and fails here, as DeleteFileIfPresent does.
void MoveToBackupFile(const std::string& path);
// Moves the backup back over path.
void RestoreBackupFile(const std::string& path);
// Removes the backup of path, if there is one.
void DiscardBackupFile(const std::string& path);
// Deletes the file; a file that is not there is no failure.
void DeleteFileIfPresent(const std::string& path);
// Creates the directory and any missing parent; failures are left to the write that follows.
void ForceDirectories(const std::string& path);
// Names (not paths) of the files in directory whose names end with suffix, case ignored,
// in the order the directory search returns them. A missing directory gives none.
std::vector<std::string> ListFileNames(const std::string& directory, const std::string& suffix);
