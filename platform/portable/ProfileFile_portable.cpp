// Portable stand-in for the Windows profile API, with the same observable behaviour:
// sections and keys compared without regard to case, spaces around names and values
// dropped, one pair of surrounding quotes stripped on read, ';' lines taken as comments,
// a rewritten key kept in its place and new keys added at the end of their section.
#include "ProfileFile.h"
#include "Errors.h"
#include "FileSystem.h"
#include "PortableTestHooks.h"
#include "TextCase.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace {

std::string Trim(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) return "";
    size_t end = text.find_last_not_of(" \t");
    return text.substr(begin, end - begin + 1);
}


// A line ends at LF, CR LF or a CR alone, as the system's reader has it.
std::vector<std::string> SplitLines(const std::string& content) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find_first_of("\r\n", start);
        if (end == std::string::npos) end = content.size();
        lines.push_back(content.substr(start, end - start));
        start = end + (content.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

// A file that is missing or cannot be read lists no lines, as the system's reader has it.
std::vector<std::string> LoadLines(const std::string& path) {
    std::string content, reason;
    ReadProfileFile(path, 0, &content, &reason);
    return SplitLines(content);
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string content;
    for (const std::string& line : lines) content += line + "\r\n";
    return content;
}

// Rewrites the file in place, as the system's API does: a disk that fills part way leaves
// the file cut short, which a test can make happen.
bool SaveLines(const std::string& path, const std::vector<std::string>& lines) {
    // A file the user marked read-only is not written, as on Windows (even for root).
    struct stat info;
    if (stat(NativePath(path).c_str(), &info) == 0 && !(info.st_mode & S_IWUSR)) return false;
    if (TakePortableFileFault(PortableFileStep::Create)) return false;
    FILE* file = std::fopen(NativePath(path).c_str(), "wb");
    if (!file) return false;
    const std::string content = JoinLines(lines);
    size_t toWrite = content.size();
    long failAfter = -1;
    const bool injected = TakePortableFileFault(PortableFileStep::Write, &failAfter) &&
                          static_cast<size_t>(failAfter) < content.size();
    if (injected) toWrite = static_cast<size_t>(failAfter);
    const bool written = std::fwrite(content.data(), 1, toWrite, file) == toWrite && !injected;
    return std::fclose(file) == 0 && written;
}

bool IsSectionHeader(const std::string& line, std::string* name) {
    std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] != '[') return false;
    // Without its "]" the line is no header, and belongs to the section before it.
    size_t close = trimmed.find(']');
    if (close == std::string::npos) return false;
    if (name) *name = Trim(trimmed.substr(1, close - 1));
    return true;
}

bool IsComment(const std::string& line) {
    std::string trimmed = Trim(line);
    return !trimmed.empty() && trimmed[0] == ';';
}

// Splits a key line; false for blank lines and comments.
bool SplitKeyLine(const std::string& line, std::string* key, std::string* value, bool* hasValue) {
    std::string trimmed = Trim(line);
    if (trimmed.empty() || IsComment(line)) return false;
    size_t equals = trimmed.find('=');
    *hasValue = equals != std::string::npos;
    *key = Trim(trimmed.substr(0, equals));
    *value = *hasValue ? Trim(trimmed.substr(equals + 1)) : "";
    return true;
}

// The range [first, last) of the section's body lines; first == npos when it is missing.
void FindSection(const std::vector<std::string>& lines, const std::string& section, size_t* first,
                 size_t* last) {
    *first = *last = std::string::npos;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string name;
        if (!IsSectionHeader(lines[i], &name)) continue;
        if (*first != std::string::npos) {
            *last = i;
            return;
        }
        if (SameTextIgnoringCase(name, Trim(section))) *first = i + 1;
    }
    if (*first != std::string::npos) *last = lines.size();
}

} // namespace

std::string ProfileReadString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& defaultValue,
                              std::size_t bufferSize) {
    std::string result = Trim(defaultValue);
    std::vector<std::string> lines = LoadLines(path);
    size_t first, last;
    FindSection(lines, section, &first, &last);
    if (first != std::string::npos) {
        for (size_t i = first; i < last; ++i) {
            std::string lineKey, value;
            bool hasValue;
            if (SplitKeyLine(lines[i], &lineKey, &value, &hasValue) && SameTextIgnoringCase(lineKey, key)) {
                result = ProfileValueWithoutQuotes(value);
                break;
            }
        }
    }
    if (bufferSize == 0) return "";
    if (result.size() > bufferSize - 1) result.resize(bufferSize - 1);
    return result;
}

bool ProfileWriteString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
    std::vector<std::string> lines = LoadLines(path);
    std::string newLine = Trim(key) + "=" + Trim(value);
    size_t first, last;
    FindSection(lines, section, &first, &last);
    if (first == std::string::npos) {
        if (!lines.empty() && !Trim(lines.back()).empty()) lines.push_back("");
        lines.push_back("[" + section + "]");
        lines.push_back(newLine);
        return SaveLines(path, lines);
    }
    size_t insertAt = first;
    for (size_t i = first; i < last; ++i) {
        std::string lineKey, lineValue;
        bool hasValue;
        if (!SplitKeyLine(lines[i], &lineKey, &lineValue, &hasValue)) continue;
        if (SameTextIgnoringCase(lineKey, key)) {
            lines[i] = newLine;
            return SaveLines(path, lines);
        }
        insertAt = i + 1;
    }
    lines.insert(lines.begin() + static_cast<long>(insertAt), newLine);
    return SaveLines(path, lines);
}

bool ProfileEraseSection(const std::string& path, const std::string& section) {
    std::vector<std::string> lines = LoadLines(path);
    size_t first, last;
    FindSection(lines, section, &first, &last);
    if (first == std::string::npos) return true;
    lines.erase(lines.begin() + static_cast<long>(first - 1), lines.begin() + static_cast<long>(last));
    return SaveLines(path, lines);
}

std::vector<std::string> ProfileReadSection(const std::string& path, const std::string& section) {
    std::vector<std::string> result;
    std::vector<std::string> lines = LoadLines(path);
    size_t first, last;
    FindSection(lines, section, &first, &last);
    if (first == std::string::npos) return result;
    for (size_t i = first; i < last; ++i) {
        std::string key, value;
        bool hasValue;
        if (!SplitKeyLine(lines[i], &key, &value, &hasValue)) continue;
        result.push_back(hasValue ? key + "=" + value : key);
    }
    return result;
}

ProfileFileRead ReadProfileFile(const std::string& path, int, std::string* content, std::string* reason) {
    content->clear();
    struct stat info;
    if (stat(NativePath(path).c_str(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) return ProfileFileRead::Missing;
        *reason = std::strerror(errno);
        return ProfileFileRead::Unreadable;
    }
    if (S_ISDIR(info.st_mode)) {
        *reason = "it is a folder, not a file";
        return ProfileFileRead::Unreadable;
    }
    FILE* file = std::fopen(NativePath(path).c_str(), "rb");
    if (!file) {
        *reason = std::strerror(errno);
        return ProfileFileRead::Unreadable;
    }
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) content->append(chunk, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        content->clear();
        *reason = "the file could not be read to its end";
        return ProfileFileRead::Unreadable;
    }
    return ProfileFileRead::Read;
}

void ProfileReplaceSections(const std::string& path, const std::vector<ProfileSectionLines>& sections,
                            int waitMilliseconds) {
    std::string content, reason;
    if (ReadProfileFile(path, waitMilliseconds, &content, &reason) == ProfileFileRead::Unreadable)
        throw UnreadableFileError("Cannot read file \"" + path + "\": " + reason);
    ReplaceFileContent(path, ProfileTextWithSections(content, sections));
}
