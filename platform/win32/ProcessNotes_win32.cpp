// Windows side of the process notes: variables of the process's own environment block,
// which outlives the library but not the program.
#include "ProcessNotes.h"

#include <windows.h>

#include <vector>

std::string ReadProcessNote(const std::string& name) {
    std::vector<char> value(256);
    DWORD length =
        GetEnvironmentVariableA(name.c_str(), value.data(), static_cast<DWORD>(value.size()));
    if (length >= value.size()) {
        value.resize(length + 1);
        length =
            GetEnvironmentVariableA(name.c_str(), value.data(), static_cast<DWORD>(value.size()));
    }
    if (length == 0 || length >= value.size())
        return "";
    return std::string(value.data(), length);
}

void WriteProcessNote(const std::string& name, const std::string& value) {
    SetEnvironmentVariableA(name.c_str(), value.c_str());
}

std::string FileStamp(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return "";
    return std::to_string(data.nFileSizeHigh) + ":" + std::to_string(data.nFileSizeLow) + ":" +
           std::to_string(data.ftLastWriteTime.dwHighDateTime) + ":" +
           std::to_string(data.ftLastWriteTime.dwLowDateTime);
}
