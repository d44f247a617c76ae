// Unfolding, content-line parsing, escaping and folding of iCalendar files.
#include "ICalendarText.h"
#include "TextCase.h"

namespace {
bool IsNameCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

// Splits "NAME;PARAM=a,"b";X=c:value"; false for a line that is no content line.
bool ParseContentLine(const std::string& line, ICalProperty* property) {
    size_t i = 0;
    while (i < line.size() && IsNameCharacter(line[i]))
        ++i;
    if (i == 0)
        return false;
    property->name = UpperCaseAscii(line.substr(0, i));
    property->parameters.clear();
    while (i < line.size() && line[i] == ';') {
        ++i;
        const size_t nameStart = i;
        while (i < line.size() && IsNameCharacter(line[i]))
            ++i;
        if (i == nameStart || i >= line.size() || line[i] != '=')
            return false;
        ICalParameter parameter;
        parameter.name = UpperCaseAscii(line.substr(nameStart, i - nameStart));
        ++i;
        for (;;) {
            std::string value;
            if (i < line.size() && line[i] == '"') {
                const size_t close = line.find('"', i + 1);
                if (close == std::string::npos)
                    return false;
                value = line.substr(i + 1, close - i - 1);
                i = close + 1;
            } else {
                const size_t start = i;
                while (i < line.size() && line[i] != ',' && line[i] != ';' && line[i] != ':' &&
                       line[i] != '"')
                    ++i;
                value = line.substr(start, i - start);
            }
            parameter.values.push_back(value);
            if (i < line.size() && line[i] == ',') {
                ++i;
                continue;
            }
            break;
        }
        property->parameters.push_back(std::move(parameter));
    }
    if (i >= line.size() || line[i] != ':')
        return false;
    property->value = line.substr(i + 1);
    return true;
}

// One level of the components being read, with whether a fault keeps it from being used.
struct OpenComponent {
    ICalComponent component;
    bool damaged = false;
};
} // namespace

std::string ICalProperty::Parameter(const std::string& wanted) const {
    for (const ICalParameter& parameter : parameters)
        if (parameter.name == wanted)
            return parameter.values.empty() ? "" : parameter.values.front();
    return "";
}

const ICalProperty* ICalComponent::Find(const std::string& wanted) const {
    for (const ICalProperty& property : properties)
        if (property.name == wanted)
            return &property;
    return nullptr;
}

bool ReadICalendar(const std::string& bytes, const ICalLimits& limits, ICalComponent* root,
                   ICalReadNotes* notes, std::string* failure) {
    root->children.clear();
    if (bytes.size() > limits.maxFileOctets) {
        *failure = "The file is larger than " + std::to_string(limits.maxFileOctets >> 20) + " MB.";
        return false;
    }
    std::vector<OpenComponent> open; // open.front() stands for root
    open.push_back({});
    size_t skippedDepth = 0; // levels inside a component too deep to be kept
    size_t components = 0;
    std::string line;
    bool lineTooLong = false;
    ICalProperty property;

    const auto finishLine = [&]() -> bool {
        if (line.empty() && !lineTooLong)
            return true;
        OpenComponent& current = open.back();
        if (lineTooLong) {
            current.damaged = true;
            lineTooLong = false;
            line.clear();
            return true;
        }
        if (!ParseContentLine(line, &property)) {
            ++notes->badLines;
            line.clear();
            return true;
        }
        line.clear();
        if (property.name == "BEGIN") {
            if (skippedDepth > 0 || open.size() > limits.maxDepth) {
                if (skippedDepth == 0)
                    ++notes->tooDeep;
                ++skippedDepth;
                return true;
            }
            if (++components > limits.maxComponents) {
                *failure = "The file holds more than " + std::to_string(limits.maxComponents) +
                           " components.";
                return false;
            }
            open.push_back({});
            open.back().component.name = UpperCaseAscii(property.value);
            return true;
        }
        if (property.name == "END") {
            if (skippedDepth > 0) {
                --skippedDepth;
                return true;
            }
            const std::string name = UpperCaseAscii(property.value);
            size_t level = open.size();
            while (level > 1 && open[level - 1].component.name != name)
                --level;
            if (level <= 1) {
                ++notes->badLines; // an END that closes nothing
                return true;
            }
            // Components left open inside the one that ends never ended themselves.
            notes->damagedComponents += open.size() - level;
            open.resize(level);
            OpenComponent done = std::move(open.back());
            open.pop_back();
            if (done.damaged)
                ++notes->damagedComponents;
            else
                open.back().component.children.push_back(std::move(done.component));
            return true;
        }
        if (skippedDepth > 0 || open.size() == 1)
            return true; // outside any component kept
        if (current.component.properties.size() >= limits.maxPropertiesPerComponent) {
            current.damaged = true;
            return true;
        }
        current.component.properties.push_back(property);
        return true;
    };

    // Programs on Windows often begin a UTF-8 file with a byte-order mark.
    size_t i = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    const size_t size = bytes.size();
    while (i < size) {
        size_t end = bytes.find('\n', i);
        if (end == std::string::npos)
            end = size;
        size_t contentEnd = end;
        if (contentEnd > i && bytes[contentEnd - 1] == '\r')
            --contentEnd;
        const bool continuation = bytes[i] == ' ' || bytes[i] == '\t';
        const size_t start = continuation ? i + 1 : i;
        if (!continuation && !finishLine())
            return false;
        const size_t length = contentEnd > start ? contentEnd - start : 0;
        if (!lineTooLong) {
            if (line.size() + length > limits.maxLineOctets) {
                lineTooLong = true;
                line.clear();
            } else {
                line.append(bytes, start, length);
            }
        }
        i = end + 1;
    }
    if (!finishLine())
        return false;
    // A truncated file: what never ended is not used.
    notes->damagedComponents += open.size() - 1;
    root->children = std::move(open.front().component.children);
    return true;
}

std::string EscapeText(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' || c == ';' || c == ',') {
            escaped += '\\';
            escaped += c;
        } else if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            escaped += "\\n";
        } else if (c == '\n') {
            escaped += "\\n";
        } else {
            escaped += c;
        }
    }
    return escaped;
}

std::string UnescapeText(const std::string& value) {
    std::string text;
    text.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        const char next = value[++i];
        text += next == 'n' || next == 'N' ? '\n' : next;
    }
    return text;
}

std::vector<std::string> SplitTextList(const std::string& value) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t i = 0; i <= value.size(); ++i) {
        if (i < value.size() && value[i] == '\\') {
            ++i;
            continue;
        }
        if (i == value.size() || value[i] == ',') {
            parts.push_back(UnescapeText(value.substr(start, i - start)));
            start = i + 1;
        }
    }
    return parts;
}

std::string FoldContentLine(const std::string& line) {
    std::string folded;
    folded.reserve(line.size() + line.size() / 37 + 2);
    size_t room = 75; // the first line has 75 octets, the others 74 after their space
    size_t i = 0;
    while (line.size() - i > room) {
        size_t cut = i + room;
        while (cut > i && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut; // not inside a character
        if (cut == i)
            cut = i + room;
        folded.append(line, i, cut - i);
        folded += "\r\n ";
        i = cut;
        room = 74;
    }
    folded.append(line, i, std::string::npos);
    folded += "\r\n";
    return folded;
}
