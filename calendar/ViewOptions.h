// The window's settings that came after the library's GetOptions was fixed: week numbers and
// today's fill. The window reads them from calendar.ini's section "options" itself, at every
// apply, so the exports stay as they are and older copies simply ignore the keys.
#pragma once
#include <cstdint>
#include <string>

class ProfileSection;

// The defaults match the library's settings table, which writes these keys.
struct TViewOptions {
    bool WeekNumbers = false;
    bool FillToday = false;
    int32_t TodayColour = 0x808080; // grey, which reads under light and dark fonts alike
    bool operator==(const TViewOptions& other) const {
        return WeekNumbers == other.WeekNumbers && FillToday == other.FillToday &&
               TodayColour == other.TodayColour;
    }
    bool operator!=(const TViewOptions& other) const { return !(*this == other); }
};

// A number of the window's own keys: decimal as the library writes it, or "0x" and up to eight
// hex digits as a hand edit may. False, and value left as it was, for anything else.
bool ReadOptionNumber(const ProfileSection& options, const char* key, int32_t* value);

// A value that is not a number, as a hand edit may leave, counts as the default.
TViewOptions ReadViewOptions(const ProfileSection& options);
// From the settings file itself; the defaults when it cannot be read.
TViewOptions ReadViewOptions(const std::string& settingsPath);
