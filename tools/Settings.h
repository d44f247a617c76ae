// The user's settings, held once by the library and stored in section "options" of
// calendar.ini, together with the start-up shortcut that follows "loadonstartup".
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class ProfileFileSections;

struct TCalendarOptions {
    int32_t top = 0;
    int32_t left = 0;
    std::string font;
    int32_t fontsize = 0;
    int32_t fontcolour = 0;
    int32_t highlight = 0;
    uint8_t firstday = 0;
    std::string dateformat;
    std::string ttfont;
    int32_t ttsize = 0;
    int32_t ttcolour = 0;
    int32_t ttbackground = 0;
    uint8_t hspacing = 0;
    uint8_t vspacing = 0;
    uint8_t listcount = 0;
    uint8_t colourcoding = 0;
    bool loadonstartup = false;
    int32_t language = 0;
    // Reminding, kept by the library and read by the window from calendar.ini.
    int32_t alertlead = 0; // minutes before a reminder's time: 0, 5, 10, 15, 30 or 60
    bool alerttomorrow = false;
    bool alertsound = true;
    bool hidetrayicon = false;
};

// What a setting holds, which says how it is read, checked and written.
enum class SettingKind {
    Integer,  // 32-bit signed
    Colour,   // a 32-bit Windows colour value; negative values are system colours
    Byte,     // 0..255; a stored value outside fails the load
    Language, // a Windows language identifier, never negative; defaults to the user's language
    Boolean,  // stored as 1 or 0; any non-zero number reads as true
    String    // at most 255 characters; a longer stored value is cut
};

// One setting: its key in section "options", the field that holds it, and its range. For a
// string the range is its length. Exactly one of the field pointers is set, by the kind.
struct SettingDescription {
    const char* key;
    SettingKind kind;
    int32_t minimum;
    int32_t maximum;
    int32_t defaultNumber;     // numbers and Boolean (0 or 1); not used for Language
    const char* defaultText;   // strings
    int savedAt;               // position of the key in a save
    int32_t TCalendarOptions::*integer;
    uint8_t TCalendarOptions::*byte;
    bool TCalendarOptions::*flag;
    std::string TCalendarOptions::*text;
};

// The settings in the order they are read; savedAt gives the order they are written.
const std::vector<SettingDescription>& SettingDescriptions();
// The description of the setting with this key (letter case ignored), or nullptr.
const SettingDescription* FindSettingDescription(const std::string& key);

TCalendarOptions& CalendarOptions();
TCalendarOptions DefaultOptions();
bool SettingsLoaded();
// Back to the state of a freshly loaded library: every field zero, the loaded flag clear.
void ResetSettings();

std::string SettingsFileName();
// Reads the record from calendar.ini, then the reminder types, then sets the loaded flag.
// A stored value out of its range raises RangeError naming the key and the file; the record
// then holds the defaults but for the window position, which keeps its stored values so that
// the window comes up, and is saved, where the user left it. The loaded flag stays clear.
void LoadSettings();
void LoadSettingsIfNeeded();
// The same from a settings file that the reminder types are read from as well.
void LoadSettings(const ProfileFileSections& settingsFile);
void LoadSettingsIfNeeded(const ProfileFileSections& settingsFile);
// Writes every key and the reminder types in one replacement of the file, then keeps the
// start-up shortcut in step. Keys of "options" that are not settings are kept, in their place.
void SaveSettings();
// Writes the window position alone, in one replacement of the file; used when the other
// settings could not be read, so that the user's stored values are not replaced by defaults.
void SavePositionOnly();

void UpdateStartupShortcut(bool loadOnStartup);
