// Key lookup over a section listing, with the profile API's own reading rules.
#include "ProfileFile.h"

#include <cctype>

namespace {
bool SameKey(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}
} // namespace

ProfileSection::ProfileSection(const std::string& path, const std::string& section)
    : lines_(ProfileReadSection(path, section)) {}

std::string ProfileSection::Read(const std::string& key, const std::string& defaultValue,
                                 std::size_t bufferSize) const {
    std::string value = defaultValue;
    for (const std::string& line : lines_) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos || !SameKey(line.substr(0, equals), key)) continue;
        value = line.substr(equals + 1);
        if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
            value = value.substr(1, value.size() - 2);
        break;
    }
    if (bufferSize == 0) return "";
    if (value.size() > bufferSize - 1) value.resize(bufferSize - 1);
    return value;
}
