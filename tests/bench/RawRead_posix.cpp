// Raw reads over stdio and dirent.
#include "RawRead.h"

#include <cstdio>
#include <dirent.h>
#include <vector>

const char RawPathSeparator = '/';

size_t RawReadFile(const std::string& path) {
    static std::vector<char> buffer(1 << 20);
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return 0;
    size_t total = 0, got;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0)
        total += got;
    std::fclose(file);
    return total;
}

size_t RawListDirectory(const std::string& directory) {
    DIR* dir = opendir(directory.c_str());
    if (!dir)
        return 0;
    size_t names = 0;
    while (readdir(dir))
        ++names;
    closedir(dir);
    return names;
}
