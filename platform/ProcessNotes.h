// Notes that last as long as the program runs, across every load and unload of the library:
// the library is freed after each use, so what it must remember for longer (which broken
// files it has told the user about) is kept by the process. Windows keeps the notes in the
// process's environment block; the portable side keeps them in memory.
#pragma once
#include <string>

// The note of that name, or "" when there is none.
std::string ReadProcessNote(const std::string& name);
void WriteProcessNote(const std::string& name, const std::string& value);
// Text that changes whenever the file does (its size and last write time); "" when the file
// cannot be examined at all.
std::string FileStamp(const std::string& path);
