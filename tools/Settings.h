// The user's settings, held once by the library and stored in section "options" of
// calendar.ini, together with the start-up shortcut that follows "loadonstartup".
#pragma once
#include <cstdint>
#include <string>

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
};

TCalendarOptions& CalendarOptions();
TCalendarOptions DefaultOptions();
bool SettingsLoaded();
// Back to the state of a freshly loaded library: every field zero, the loaded flag clear.
void ResetSettings();

std::string SettingsFileName();
// Reads the record from calendar.ini, then the reminder types, then sets the loaded flag.
// A stored value out of its range raises RangeError naming the key and the file; the record
// then holds the defaults and the loaded flag stays clear.
void LoadSettings();
void LoadSettingsIfNeeded();
// The same from a settings file that the reminder types are read from as well.
void LoadSettings(const ProfileFileSections& settingsFile);
void LoadSettingsIfNeeded(const ProfileFileSections& settingsFile);
// Writes every key, keeps the start-up shortcut in step, then writes the reminder types.
void SaveSettings();
// Writes the window position alone; used when the other settings could not be read, so that
// the user's stored values are not replaced by defaults.
void SavePositionOnly();

void UpdateStartupShortcut(bool loadOnStartup);
