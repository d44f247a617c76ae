// The reminder-type table, its storage in calendar.ini, the lookup and the markup.
#include "EventTypeUnit.h"
#include "TextCase.h"
#include "DecimalText.h"
#include "Errors.h"
#include "FileSystem.h"
#include "ProfileFile.h"
#include "ProgramDirectory.h"

#include <cctype>
#include <cstdio>
#include <set>

namespace {
std::vector<TEventType> eventTypes;

const char* const sectionName = "eventtypes";
const size_t maxNameLength = 255;

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

const std::vector<int32_t>& TypePalette() {
    static const std::vector<int32_t> palette = {
        0x2F32DC, // red
        0x3C9600, // green
        0xD28B26, // blue
        0x008CFF, // orange
        0xB4308E, // purple
        0x969600, // teal
        0x13458B, // brown
        0x9300D6, // magenta
    };
    return palette;
}

int32_t NextTypeColour(const std::vector<TEventType>& types, int32_t fontColour) {
    const std::vector<int32_t>& palette = TypePalette();
    for (int32_t colour : palette) {
        if (colour == fontColour)
            continue;
        bool taken = false;
        for (const TEventType& type : types)
            taken = taken || type.Colour == colour;
        if (!taken) return colour;
    }
    int32_t colour = palette[types.size() % palette.size()];
    if (colour == fontColour) colour = palette[(types.size() + 1) % palette.size()];
    return colour;
}

std::vector<TEventType> StarterEventTypes() {
    const std::vector<int32_t>& palette = TypePalette();
    return {{"Birthday", palette[0]}, {"Holiday", palette[1]}, {"Work", palette[2]}};
}

const std::vector<TEventType>& EventTypes() { return eventTypes; }
void ClearEventTypes() { eventTypes.clear(); }

void ReplaceEventTypes(const std::vector<TEventType>& types) {
    eventTypes = types;
    for (TEventType& type : eventTypes) type.Name = CutName(type.Name);
}

void LoadEventTypes() {
    if (!eventTypes.empty()) return;
    LoadEventTypes(ProfileFileSections(SettingsFileName()));
}

void LoadEventTypes(const ProfileFileSections& settingsFile) {
    if (eventTypes.empty())
        eventTypes = ReadEventTypes(settingsFile);
}

std::vector<TEventType> ReadEventTypes(const ProfileFileSections& settingsFile) {
    // The very first start: there is no calendar.ini yet, so the editor's type list is not
    // empty. The first write of the file stores them; from then on the file says. A file read
    // whole is there, which spares every load of the library a look at the disk.
    if (!settingsFile.ReadWhole() && !FileExists(settingsFile.Path()))
        return StarterEventTypes();
    std::vector<TEventType> types;
    for (const std::string& line : settingsFile.Section(sectionName)) {
        TEventType type = TypeFromLine(line);
        std::string name;
        size_t equals = line.find('=');
        if (equals != std::string::npos && UnescapeKey(line.substr(0, equals), &name))
            type.Name = CutName(name);
        types.push_back(type);
    }
    return types;
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
    const std::string path = SettingsFileName();
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

namespace {
// No copies of the names: a store with thousands of types looks a name up against each.
bool SameTypeName(const std::string& a, const char* b, size_t bLength) {
    return SameTextIgnoringCase(a.data(), a.size(), b, bLength);
}

int32_t ColourOfName(const char* name, size_t length) {
    if (length > maxNameLength) length = maxNameLength;
    for (const TEventType& type : eventTypes)
        if (SameTypeName(type.Name, name, length)) return type.Colour;
    return -1;
}
} // namespace

int32_t FindEventTypeColour(const std::string& name) { return ColourOfName(name.data(), name.size()); }

// Every line the markup makes carries its colour group where the readers look for it:
// the reminder line has its type group (when it names one), and every continuation line
// starts with the reminder's colour, -1 included, so that braces in the text that follows
// are never read as a colour. A line break stored inside a reminder (a "|", and also a CR
// or LF on its own or a CR LF pair, which day files written elsewhere and regular.dat can
// hold) becomes a continuation line, so the tooltip and the Coming Up list break it alike
// and the tooltip measures every line it draws. A NUL byte, which would end the text the
// window reads, is shown as "?".
std::string MarkUpItemLine(const std::string& text, int length) {
    size_t open = 0, close = 0;
    const bool typed = FindFirstBraceGroup(text, &open, &close);
    int32_t colour = -1;
    if (typed) colour = ColourOfName(text.data() + open + 1, close - open - 1);
    const std::string colourText = std::to_string(colour);
    const std::string mark = "\r\n|" + std::to_string(length + 1) + "{" + colourText + "}";
    std::string result;
    result.reserve(text.size() + 16);
    const auto append = [&result, &mark](const std::string& text, size_t from, size_t to) {
        for (size_t i = from; i < to; ++i) {
            size_t next = i;
            while (next < to && text[next] != '|' && text[next] != '\r' && text[next] != '\n' && text[next] != '\0')
                ++next;
            result.append(text, i, next - i);
            i = next;
            if (i == to) break;
            if (text[i] == '\0') {
                result += '?';
                continue;
            }
            result += mark;
            if (text[i] == '\r' && i + 1 < to && text[i + 1] == '\n') ++i;
        }
    };
    if (typed) {
        // A type group stored after the first line break would stand in a continuation line,
        // which carries the colour already: the group goes to the front of the reminder
        // line instead, so the reminder is drawn in its colour and the group is not shown.
        size_t firstBreak = 0;
        while (firstBreak < open && text[firstBreak] != '|' && text[firstBreak] != '\r' && text[firstBreak] != '\n')
            ++firstBreak;
        if (firstBreak == open) {
            append(text, 0, open);
            result += "{" + colourText + "}";
            append(text, close + 1, text.size());
        } else {
            // Read as if the group had never been there: a CR and a LF on either side of it
            // are one line break.
            result += "{" + colourText + "}";
            const std::string rest = text.substr(0, open) + text.substr(close + 1);
            append(rest, 0, rest.size());
        }
    } else {
        append(text, 0, text.size());
    }
    return result;
}
