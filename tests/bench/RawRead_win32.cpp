// Raw reads over CreateFile/ReadFile and FindFirstFile.
#include "RawRead.h"
#include "WinHandles.h"

#include <vector>

const char RawPathSeparator = '\\';

size_t RawReadFile(const std::string& path) {
    static std::vector<char> buffer(1 << 20);
    KernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return 0;
    size_t total = 0;
    DWORD got = 0;
    while (ReadFile(file.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) &&
           got > 0)
        total += got;
    return total;
}

size_t RawListDirectory(const std::string& directory) {
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA((directory + "\\*.txt").c_str(), &found));
    if (!search)
        return 0;
    size_t names = 0;
    do
        ++names;
    while (FindNextFileA(search.Get(), &found));
    return names;
}
