// The reminder-type table, its storage in calendar.ini, the lookup and the markup.
#include "EventTypeUnit.h"
#include "TextCase.h"
#include "DecimalText.h"
#include "Errors.h"
#include "ProfileFile.h"
#include "ProgramDirectory.h"

#include <cctype>
#include <cstdio>
#include <set>

namespace {
std::vector<TEventType> eventTypes;

const char* const sectionName = "eventtypes";
const size_t maxNameLength = 255;

std::string SettingsPath() { return ProgramDirectory() + "calendar.ini"; }

// A signed decimal number; 0 when the text is anything else.
int32_t ParseColour(const std::string& text) {
    int32_t colour = 0;
    return ParseDecimalInt32(text, &colour) ? colour : 0;
}

std::string CutName(const std::string& name) {
    return name.size() > maxNameLength ? name.substr(0, maxNameLength) : name;
}

TEventType TypeFromLine(const std::string& line) {
    size_t equals = line.find('=');
    if (equals == std::string::npos) return {"", ParseColour(line)};
    return {CutName(line.substr(0, equals)), ParseColour(line.substr(equals + 1))};
}

// A name the profile format keeps exactly when used as a key as it is.
bool StorableAsKey(const std::string& name) {
    if (name.empty()) return false;
    const char first = name[0];
    if (first == ';' || first == '[' || first == '%' || first == ' ' || first == '\t') return false;
    if (name.back() == ' ' || name.back() == '\t') return false;
    for (char c : name)
        if (c == '=' || static_cast<unsigned char>(c) < 0x20) return false;
    return true;
}

// Names that cannot be keys as they are (empty, with "=", starting with ";" or "[", or
// equal but for case to an earlier one) are stored as "%" + position + "%" + the name's
// bytes in upper-case hexadecimal, which is unique, survives the profile API and reads back
// to the very same name.
std::string EscapedKey(size_t position, const std::string& name) {
    std::string key = "%" + std::to_string(position) + "%";
    char hex[3];
    for (unsigned char c : name) {
        std::snprintf(hex, sizeof hex, "%02X", c);
        key += hex;
    }
    return key;
}

bool UnescapeKey(const std::string& key, std::string* name) {
    if (key.size() < 2 || key[0] != '%') return false;
    size_t second = key.find('%', 1);
    if (second == std::string::npos || second == 1) return false;
    for (size_t i = 1; i < second; ++i)
        if (!std::isdigit(static_cast<unsigned char>(key[i]))) return false;
    std::string hexText = key.substr(second + 1);
    if (hexText.size() % 2 != 0) return false;
    std::string decoded;
    for (size_t i = 0; i < hexText.size(); i += 2) {
        unsigned value = 0;
        for (size_t j = 0; j < 2; ++j) {
            char c = hexText[i + j];
            value <<= 4;
            if (c >= '0' && c <= '9') value |= static_cast<unsigned>(c - '0');
            else if (c >= 'A' && c <= 'F') value |= static_cast<unsigned>(c - 'A' + 10);
            else if (c >= 'a' && c <= 'f') value |= static_cast<unsigned>(c - 'a' + 10);
            else return false;
        }
        decoded += static_cast<char>(value);
    }
    *name = decoded;
    return true;
}
} // namespace

const std::vector<TEventType>& EventTypes() { return eventTypes; }
void ClearEventTypes() { eventTypes.clear(); }

void ReplaceEventTypes(const std::vector<TEventType>& types) {
    eventTypes = types;
    for (TEventType& type : eventTypes) type.Name = CutName(type.Name);
}

void LoadEventTypes() {
    if (!eventTypes.empty()) return;
    LoadEventTypes(ProfileFileSections(SettingsPath()));
}

void LoadEventTypes(const ProfileFileSections& settingsFile) {
    if (!eventTypes.empty()) return;
    for (const std::string& line : settingsFile.Section(sectionName)) {
        TEventType type = TypeFromLine(line);
        std::string name;
        size_t equals = line.find('=');
        if (equals != std::string::npos && UnescapeKey(line.substr(0, equals), &name))
            type.Name = CutName(name);
        eventTypes.push_back(type);
    }
}

ProfileSectionLines EventTypesSection() {
    ProfileSectionLines section{sectionName, {}};
    std::set<std::string> keysUsed;
    for (size_t i = 0; i < eventTypes.size(); ++i) {
        const TEventType& type = eventTypes[i];
        std::string key = type.Name;
        if (!StorableAsKey(key) || !keysUsed.insert(UpperCaseAscii(key)).second) key = EscapedKey(i, type.Name);
        section.lines.push_back(key + "=" + std::to_string(type.Colour));
    }
    return section;
}

void SaveEventTypes() {
    const std::string path = SettingsPath();
    try {
        ProfileReplaceSections(path, {EventTypesSection()});
    } catch (const VelmoraError& error) {
        throw VelmoraError("The reminder types could not be saved: " + std::string(error.what()));
    }
}

std::vector<std::string> EventTypesToList() {
    std::vector<std::string> list;
    for (const TEventType& type : eventTypes) list.push_back(type.Name + "=" + std::to_string(type.Colour));
    return list;
}

void ListToEventTypes(const std::vector<std::string>& list) {
    eventTypes.clear();
    for (const std::string& line : list) eventTypes.push_back(TypeFromLine(line));
}

int32_t FindEventTypeColour(const std::string& name) {
    const std::string wanted = CutName(name);
    for (const TEventType& type : eventTypes)
        if (SameTextIgnoringCase(type.Name, wanted)) return type.Colour;
    return -1;
}

std::string MarkUpItemLine(const std::string& text, int length) {
    std::string line = text;
    bool typed = false;
    int32_t colour = -1;
    size_t open, close;
    if (FindFirstBraceGroup(line, &open, &close)) {
        colour = FindEventTypeColour(line.substr(open + 1, close - open - 1));
        line.replace(open + 1, close - open - 1, std::to_string(colour));
        typed = true;
    }
    const std::string mark = "\r\n|" + std::to_string(length + 1);
    const std::string colourGroup = "{" + std::to_string(colour) + "}";
    std::string result;
    result.reserve(line.size() + 16);
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '|') {
            result += line[i];
            continue;
        }
        result += mark;
        const bool nextIsDigit =
            i + 1 < line.size() && std::isdigit(static_cast<unsigned char>(line[i + 1]));
        // A colour group always follows the mark of a typed reminder. Before a text that
        // begins with a digit it is written in any case, so that the digits cannot be taken
        // for part of the indent number.
        if ((typed && colour >= 0) || nextIsDigit) result += colourGroup;
    }
    return result;
}
