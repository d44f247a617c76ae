// Reminder types (a name with a colour), their storage in section "eventtypes" of
// calendar.ini, the markup that turns a stored reminder into item text, and the readers
// with which the window takes item text apart again.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class ProfileFileSections;
struct ProfileSectionLines;

struct TEventType {
    std::string Name; // at most 255 characters
    int32_t Colour;   // 0x00BBGGRR; negative values are system colours
};

// Colours for new types, distinct from each other and readable on a white list and on the
// desktop: 0x00BBGGRR.
const std::vector<int32_t>& TypePalette();
// The first colour of the palette that no type has and that is not the calendar's font
// colour; with every one taken, the palette goes round again by the number of types.
int32_t NextTypeColour(const std::vector<TEventType>& types, int32_t fontColour);
// The types offered at the very first start: the table when calendar.ini does not exist.
// A file without types (all removed by the user) keeps its empty table.
std::vector<TEventType> StarterEventTypes();

// The library-wide table, in the order of the settings file and of the options dialog.
const std::vector<TEventType>& EventTypes();
void ClearEventTypes();
// Replaces the table by these types as they are (names may hold any characters).
void ReplaceEventTypes(const std::vector<TEventType>& types);

// Fills the table from calendar.ini when it is empty; a table that holds types is kept.
// Without calendar.ini the table is the starter types.
void LoadEventTypes();
// The same from a settings file that other sections are read from as well.
void LoadEventTypes(const ProfileFileSections& settingsFile);
// The types the settings file holds, read as the table is filled, without touching the table;
// the window orders its notification by them. Raises UnreadableFileError as the file's Section.
std::vector<TEventType> ReadEventTypes(const ProfileFileSections& settingsFile);
// Replaces section "eventtypes" by the table, in one replacement of the file.
void SaveEventTypes();
// The section as it is to be written: one "key=colour" line per type, in table order.
ProfileSectionLines EventTypesSection();
// "name=colour" per type, in table order.
std::vector<std::string> EventTypesToList();
// Replaces the table by one type per "name=colour" string.
void ListToEventTypes(const std::vector<std::string>& list);
// The colour of the first type whose name matches (A-Z folded), or -1.
int32_t FindEventTypeColour(const std::string& name);

// Turns a stored reminder into a reminder line and its continuation lines: the type name in
// braces becomes its colour, and each "|" a line break with an indent mark of length + 1.
std::string MarkUpItemLine(const std::string& text, int length);

// --- Readers of item text, used by the window ---

// The first brace group of a line, the one rule for the type name of a stored reminder and
// for the colour group of item text: the first "{" and the first "}", when the "{" comes
// first. False when there is none.
bool FindFirstBraceGroup(const std::string& text, size_t* open, size_t* close);
// The same within the line text[lineStart, lineEnd) of a longer text.
bool FindFirstBraceGroup(const std::string& text, size_t lineStart, size_t lineEnd, size_t* open,
                         size_t* close);
// The colour number of the first brace group, or defaultColour.
int32_t ItemColour(const std::string& text, int32_t defaultColour);
// The text without its brace groups.
std::string StripColourGroups(const std::string& text);

// Text measurement in the font of whatever will draw the text.
class TextMeasure {
  public:
    virtual ~TextMeasure() = default;
    virtual int TextWidth(const std::string& text) const = 0;
};
// Removes each indent mark ("|" and the digits after it); with pad, puts in front of the
// text as many spaces as the width of that many letters "X" over the width of one.
std::string ExpandIndents(const std::string& text, const TextMeasure* canvas, bool pad);

// The lines of item text (split at CR LF); an empty text has none.
std::vector<std::string> SplitItemLines(const std::string& itemText);

// One line of item text as the window draws it: its colour (defaultColour when it names none
// or an unknown type) and its text with the indent made and the colour group removed.
struct DisplayLine {
    std::string text;
    int32_t colour;
};
DisplayLine ReadDisplayLine(const std::string& line, const TextMeasure& canvas, int32_t defaultColour);
// A day's item text as the tooltip shows it: no indent marks, and no colour group (the
// first brace group of each line); other braces are the reminder's own text.
std::string TooltipText(const std::string& itemText);
