// The text layer of iCalendar files: content lines unfolded and taken apart into components
// and properties, and written back escaped and folded. A file is untrusted, so the reader
// works within fixed bounds and says what it passed over instead of failing.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

struct ICalParameter {
    std::string name; // upper case
    std::vector<std::string> values;
};

struct ICalProperty {
    std::string name; // upper case
    std::vector<ICalParameter> parameters;
    std::string value; // as written, escapes kept
    // The first value of the parameter, or "" when it is not given.
    std::string Parameter(const std::string& name) const;
};

struct ICalComponent {
    std::string name; // upper case
    std::vector<ICalProperty> properties;
    std::vector<ICalComponent> children;
    // The first property of the name, or null.
    const ICalProperty* Find(const std::string& name) const;
};

struct ICalLimits {
    size_t maxFileOctets = 64u << 20;
    size_t maxLineOctets = 64u << 10; // one unfolded content line
    size_t maxDepth = 8;              // components inside components
    size_t maxComponents = 300000;    // in the whole file
    size_t maxPropertiesPerComponent = 1000;
};

// What a read passed over: components with a line too long, too many properties or no
// proper end, components nested too deeply, and lines that are no content line.
struct ICalReadNotes {
    size_t damagedComponents = 0;
    size_t tooDeep = 0;
    size_t badLines = 0;
};

// Reads the file's components into root's children (VCALENDARs, normally). False, with a
// message in *failure, only for what the file as a whole must not exceed (its size, the
// number of components); everything else is passed over and noted.
bool ReadICalendar(const std::string& bytes, const ICalLimits& limits, ICalComponent* root,
                   ICalReadNotes* notes, std::string* failure);

// TEXT values: "\\", "\;", "\," and "\n" (or "\N") as the file writes them.
std::string EscapeText(const std::string& text);
std::string UnescapeText(const std::string& value);
// A list value split at the commas that are not escaped; each part unescaped.
std::vector<std::string> SplitTextList(const std::string& value);

// One content line ended by CR LF and folded so that no line is longer than 75 octets,
// never inside a UTF-8 sequence.
std::string FoldContentLine(const std::string& line);
