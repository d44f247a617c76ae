// The user's settings, held once by the library and stored in section "options" of
// calendar.ini, together with the start-up shortcut that follows "loadonstartup".
#pragma once
#include "ProgramDirectory.h" // SettingsFileName

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
    // The window's look beyond GetOptions, which the window asks for through GetOptionNumber.
    bool weeknumbers = false;
    bool filltoday = false;
    int32_t todaycolour = 0;
    // An outline in a contrasting colour around the window's text, for any wallpaper.
    bool outline = false;
    std::string subscribed;    // an .ics file shown read-only on the month; "" for none
    int32_t subscribedcolour = 0;
    // Reminding, kept by the library and asked for by the window (GetOptionNumber).
    int32_t alertlead = 0; // minutes before a reminder's time: 0, 5, 10, 15, 30 or 60
    bool alerttomorrow = false;
    bool alertsound = true;
    bool hidetrayicon = false;
};

// What a setting holds, which says how it is read, checked and written.
enum class SettingKind {
    Integer,  // 32-bit signed
    Colour,   // a 32-bit Windows colour value; negative values are system colours
    Byte,     // 0..255, or the narrower range of its control in the options dialog
    Language, // a Windows language identifier, never negative; defaults to the user's language
    Boolean,  // stored as 1 or 0; any non-zero number reads as true
    String    // at most 255 characters; a longer stored value is cut
};

// One setting: its key in section "options", the field that holds it, and its range: the one
// its control in the options dialog offers, so that no stored value can take the window where
// the dialog could not (a font of 9999 points). For a string the range is its length.
// Exactly one of the field pointers is set, by the kind.
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
// The number the record holds for the setting: a flag as 1 or 0, a text as 0.
int32_t SettingNumber(const TCalendarOptions& record, const SettingDescription& setting);

TCalendarOptions& CalendarOptions();
TCalendarOptions DefaultOptions();
bool SettingsLoaded();
// Back to the state of a freshly loaded library: every field zero, the loaded flag clear.
void ResetSettings();

// How long a read of calendar.ini that a save or a dialog may follow waits for another
// program to let go of the file, in milliseconds.
extern const int settingsReadWait;

// A stored value outside its setting's range, and the nearest value of the range used instead.
struct SettingCorrection {
    std::string key;
    int32_t stored;
    int32_t used;
};
// Every key of the file read, even after a bad one.
struct SettingsReading {
    TCalendarOptions record;
    std::vector<SettingCorrection> corrections;
};
// Reads the record; raises UnreadableFileError for a file that is there but cannot be read.
SettingsReading ReadSettings(const ProfileFileSections& settingsFile);
// The message of the options dialog naming each corrected value.
std::string CorrectionsMessage(const std::vector<SettingCorrection>& corrections);

// Reads the record from calendar.ini, then the reminder types, then sets the loaded flag.
// Stored values out of their ranges raise RangeError naming each key and the file; the record
// then holds the defaults but for the window position, which keeps its stored values so that
// the window comes up, and is saved, where the user left it. A file that cannot be read raises
// UnreadableFileError and leaves the defaults. Either way the loaded flag stays clear, so no
// save follows from the defaults.
void LoadSettings();
void LoadSettingsIfNeeded();
// The same from a settings file that the reminder types are read from as well.
void LoadSettings(const ProfileFileSections& settingsFile);
void LoadSettingsIfNeeded(const ProfileFileSections& settingsFile);
// For the options dialog: the record and the types as read, every value out of its range held
// to the nearest bound; returns those corrections. The loaded flag is set only when there
// were none, as the file does not yet hold what the record does; a save sets it.
// UnreadableFileError leaves the record and the flag as they were.
std::vector<SettingCorrection> LoadSettingsForEditing();
// Writes every key and the reminder types in one replacement of the file, then sets the
// loaded flag and keeps the start-up shortcut in step. Keys of "options" that are not
// settings are kept, in their place. A file that cannot be read is not replaced.
void SaveSettings();
// Writes the window position alone, in one replacement of the file; used when the other
// settings could not be read, so that the user's stored values are not replaced by defaults.
void SavePositionOnly();

void UpdateStartupShortcut(bool loadOnStartup);
