// Portable side of the process notes: the native build links the library into the program,
// so plain memory lives exactly as long as the process.
#include "PortableTestHooks.h"
#include "ProcessNotes.h"

#include <map>
#include <sys/stat.h>

namespace {
std::map<std::string, std::string> notes;
} // namespace

std::string ReadProcessNote(const std::string& name) {
    const auto found = notes.find(name);
    return found == notes.end() ? "" : found->second;
}

void WriteProcessNote(const std::string& name, const std::string& value) {
    notes[name] = value;
}

std::string FileStamp(const std::string& path) {
    struct stat info;
    if (stat(NativePath(path).c_str(), &info) != 0)
        return "";
    return std::to_string(info.st_size) + ":" + std::to_string(info.st_mtim.tv_sec) + ":" +
           std::to_string(info.st_mtim.tv_nsec);
}
