// Key lookup over a section listing, with the profile API's own reading rules, and the
// sections of a plain profile file read at once.
#include "ProfileFile.h"
#include "Errors.h"
#include "FileSystem.h"
#include "TextCase.h"

std::string ProfileValueWithoutQuotes(const std::string& value) {
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        return value.substr(1, value.size() - 2);
    return value;
}

ProfileSection::ProfileSection(const std::string& path, const std::string& section)
    : lines_(ProfileReadSection(path, section)) {}

ProfileSection::ProfileSection(const ProfileFileSections& file, const std::string& section)
    : lines_(file.Section(section)) {}

std::string ProfileSection::Read(const std::string& key, const std::string& defaultValue,
                                 std::size_t bufferSize) const {
    std::string value = defaultValue;
    for (const std::string& line : lines_) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos || !SameTextIgnoringCase(line.substr(0, equals), key)) continue;
        value = ProfileValueWithoutQuotes(line.substr(equals + 1));
        break;
    }
    if (bufferSize == 0) return "";
    if (value.size() > bufferSize - 1) value.resize(bufferSize - 1);
    return value;
}

namespace {
// Large enough for any settings file; past it the API's own growing buffer is left to decide.
const size_t maxPlainProfileSize = 1 << 20;

bool HasUpperCase(const std::string& text) {
    for (char c : text)
        if (c >= 'A' && c <= 'Z') return true;
    return false;
}

// Calls line(begin, end) for each line of content, without its CR LF or LF.
template <typename Line> void ForEachLine(const std::string& content, Line line) {
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        const size_t stop = end > start && content[end - 1] == '\r' ? end - 1 : end;
        if (!line(start, stop)) return;
        start = end + 1;
    }
}
} // namespace

bool IsPlainProfileText(const std::string& content) {
    if (content.size() > maxPlainProfileSize) return false;
    for (size_t i = 0; i < content.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(content[i]);
        if (c == '\n' || (c == '\r' && i + 1 < content.size() && content[i + 1] == '\n')) continue;
        if (c < 0x20 || c > 0x7E) return false;
    }
    bool plain = true;
    bool inSection = false;
    std::vector<std::string> sections;
    ForEachLine(content, [&](size_t begin, size_t end) {
        if (begin == end) return true;
        const std::string line = content.substr(begin, end - begin);
        if (line[0] == '[') {
            // Names the API would compare by the letter case rules of the locale are left to it.
            const std::string name = line.size() >= 2 ? line.substr(1, line.size() - 2) : "";
            plain = line.back() == ']' && !name.empty() && name.find_first_of("[]") == std::string::npos &&
                    name.front() != ' ' && name.back() != ' ' && !HasUpperCase(name);
            for (const std::string& seen : sections)
                if (seen == name) plain = false;
            sections.push_back(name);
            inSection = true;
            return plain;
        }
        const size_t equals = line.find('=');
        plain = inSection && line[0] != ' ' && line[0] != ';' && line.back() != ' ' && equals != std::string::npos &&
                equals > 0 && line[equals - 1] != ' ' && (equals + 1 == line.size() || line[equals + 1] != ' ');
        return plain;
    });
    return plain;
}

std::vector<std::string> PlainProfileSection(const std::string& content, const std::string& section) {
    std::vector<std::string> lines;
    bool inside = false;
    ForEachLine(content, [&](size_t begin, size_t end) {
        if (begin == end) return true;
        if (content[begin] == '[') {
            if (inside) return false; // no section comes twice
            inside = content.compare(begin + 1, end - begin - 2, section) == 0 && end - begin - 2 == section.size();
            return true;
        }
        if (inside) lines.push_back(content.substr(begin, end - begin));
        return true;
    });
    return lines;
}

ProfileFileSections::ProfileFileSections(const std::string& path, int waitMilliseconds)
    : path_(path), waitMilliseconds_(waitMilliseconds) {}

void ProfileFileSections::Read() const {
    read_ = true;
    std::string reason;
    const ProfileFileRead result = ReadProfileFile(path_, waitMilliseconds_, &content_, &reason);
    readWhole_ = result == ProfileFileRead::Read;
    if (result != ProfileFileRead::Read) {
        content_.clear();
        if (result == ProfileFileRead::Unreadable) unreadable_ = "Cannot read file \"" + path_ + "\": " + reason;
        return;
    }
    plain_ = IsPlainProfileText(content_);
    if (!plain_) content_.clear();
}

bool ProfileFileSections::ReadWhole() const {
    if (!read_) Read();
    return readWhole_;
}

std::vector<std::string> ProfileFileSections::Section(const std::string& section) const {
    if (!read_) Read();
    if (!unreadable_.empty()) throw UnreadableFileError(unreadable_);
    if (plain_ && !HasUpperCase(section)) return PlainProfileSection(content_, section);
    return ProfileReadSection(path_, section);
}

namespace {
// A line as the profile API splits the text: it ends at any run of CR and LF characters.
struct TextLine {
    size_t begin;
    size_t end;  // where its terminators start
    size_t next; // where the next line starts
};

std::vector<TextLine> TextLines(const std::string& content) {
    std::vector<TextLine> lines;
    for (size_t start = 0; start < content.size();) {
        size_t end = start;
        while (end < content.size() && content[end] != '\r' && content[end] != '\n') ++end;
        size_t next = end;
        while (next < content.size() && (content[next] == '\r' || content[next] == '\n')) ++next;
        lines.push_back({start, end, next});
        start = next;
    }
    return lines;
}

// A section header as the API reads one: "[" after any blanks, the name up to the first "]".
bool SectionHeaderName(const std::string& content, const TextLine& line, std::string* name) {
    size_t at = line.begin;
    while (at < line.end && (content[at] == ' ' || content[at] == '\t')) ++at;
    if (at == line.end || content[at] != '[') return false;
    const size_t close = content.find(']', at + 1);
    if (close == std::string::npos || close >= line.end) return false;
    *name = content.substr(at + 1, close - at - 1);
    return true;
}

std::string TrimBlanks(const std::string& text) {
    const size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) return "";
    return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

// Whether the text ends with an empty line: two line ends with nothing between them.
bool EndsWithBlankLine(const std::string& text) {
    size_t at = text.size();
    size_t feeds = 0, returns = 0;
    while (at > 0 && (text[at - 1] == '\r' || text[at - 1] == '\n')) (text[--at] == '\n' ? feeds : returns)++;
    return feeds >= 2 || (feeds == 0 && returns >= 2);
}

std::string WithSection(const std::string& content, const ProfileSectionLines& section) {
    std::string kept;
    size_t insertAt = std::string::npos;
    size_t found = 0;
    bool inside = false;
    for (const TextLine& line : TextLines(content)) {
        std::string name;
        if (SectionHeaderName(content, line, &name)) {
            inside = SameTextIgnoringCase(TrimBlanks(name), TrimBlanks(section.name));
            if (inside && found++ == 0) insertAt = kept.size();
        }
        if (!inside) kept.append(content, line.begin, line.next - line.begin);
    }
    std::string block;
    for (const std::string& line : section.lines) {
        const size_t equals = line.find('=');
        if (equals != std::string::npos)
            block += TrimBlanks(line.substr(0, equals)) + "=" + TrimBlanks(line.substr(equals + 1)) + "\r\n";
    }
    if (block.empty()) return kept;
    block = "[" + section.name + "]\r\n" + block;
    if (found == 1) {
        // In the old one's place, apart from what follows by an empty line.
        if (insertAt < kept.size()) block += "\r\n";
        kept.insert(insertAt, block);
        return kept;
    }
    if (!kept.empty()) {
        if (kept.back() != '\r' && kept.back() != '\n') kept += "\r\n";
        if (!EndsWithBlankLine(kept)) kept += "\r\n";
    }
    return kept + block;
}
} // namespace

std::string ProfileTextWithSections(const std::string& content, const std::vector<ProfileSectionLines>& sections) {
    std::string text = content;
    for (const ProfileSectionLines& section : sections) text = WithSection(text, section);
    return text;
}
