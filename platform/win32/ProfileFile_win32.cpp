// Windows side of the profile-file access: the system's own profile API.
#include "ProfileFile.h"

#include <windows.h>

std::string ProfileReadString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& defaultValue,
                              std::size_t bufferSize) {
    if (bufferSize == 0) return "";
    std::string buffer(bufferSize, '\0');
    DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                            &buffer[0], static_cast<DWORD>(bufferSize), path.c_str());
    buffer.resize(length);
    return buffer;
}

bool ProfileWriteString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != FALSE;
}

bool ProfileEraseSection(const std::string& path, const std::string& section) {
    return WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, path.c_str()) != FALSE;
}

std::vector<std::string> ProfileReadSection(const std::string& path, const std::string& section) {
    // The API gives no size up front: grow the buffer until the list fits with room to spare.
    DWORD size = 32768;
    std::string buffer;
    DWORD length = 0;
    for (;;) {
        buffer.assign(size, '\0');
        length = GetPrivateProfileSectionA(section.c_str(), &buffer[0], size, path.c_str());
        if (length + 2 < size || size >= (1u << 26)) break;
        size *= 4;
    }
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < length) {
        size_t end = buffer.find('\0', start);
        if (end == std::string::npos || end > length) end = length;
        if (end > start) lines.push_back(buffer.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}
