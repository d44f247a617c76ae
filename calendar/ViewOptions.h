// The window's settings that came after the library's GetOptions was fixed: week numbers and
// today's fill, the outline and the alert keys. The window asks the library for them by key
// (GetOptionNumber), so the exports that older callers know stay as they are; a library older
// than that export is read through its file, by the library's own rule.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

// One of the library's numbers by its key in calendar.ini's options; false, value untouched,
// when there is none to give.
using TOptionNumber = std::function<bool(const char* key, int32_t* value)>;

// The numbers of calendar.ini's options as the library reads them, from one read of the
// section; none when the file cannot be read. For a library without GetOptionNumber.
TOptionNumber StoredOptionNumbers(const std::string& settingsPath);

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

// A key with no number keeps its default.
TViewOptions ReadViewOptions(const TOptionNumber& number);
