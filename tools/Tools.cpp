// The library's exports: the whole boundary between the window and its data. Every export
// runs inside the export guard (ExportGuard.h), which shows a failure in the library's error
// box, so no exception and no C++ type ever crosses the boundary.
#include "Tools.h"
#include "Errors.h"
#include "ExportGuard.h"
#include "Queries.h"
#include "ReportOnce.h"
#include "Settings.h"

#include <algorithm>
#include <cstring>

namespace {
// The window hands over buffers of this many bytes for item text.
const size_t itemTextCapacity = 1024;
// No more Coming Up lines than that buffer could show are ever gathered, whatever count a
// caller asks for.
const int32_t maxComingUpCount = static_cast<int32_t>(itemTextCapacity);

void CopyShortString(const std::string& value, unsigned char* buffer, int32_t capacity) {
    if (!buffer) return;
    const size_t limit = static_cast<size_t>(std::max(0, std::min(capacity, 255)));
    const size_t count = std::min(value.size(), limit);
    buffer[0] = static_cast<unsigned char>(count);
    std::memcpy(buffer + 1, value.data(), count);
}

template <typename T> void Put(T* target, T value) {
    if (target) *target = value;
}

void CopyItemText(const std::string& text, char** buffer, uint32_t* length) {
    if (!buffer || !*buffer || !length) return;
    const std::string shown = ShortenItemText(text, itemTextCapacity - 1);
    std::memcpy(*buffer, shown.c_str(), shown.size() + 1);
    *length = static_cast<uint32_t>(shown.size());
}

const char* const defaultsNotice =
    "\r\n\r\nThe calendar uses its default settings until the value is corrected.";
const char* const unreadableNotice =
    "\r\n\r\nThe settings cannot be read now. The calendar uses its default settings meanwhile and "
    "saves nothing over the file until it can be read.";
} // namespace

VELMORA_EXPORT void VELMORA_CALL GetOptions(int32_t* top, int32_t* left, unsigned char* font,
                                            int32_t fontCapacity, int32_t* fontsize,
                                            int32_t* fontcolour, int32_t* highlight,
                                            uint8_t* firstday, unsigned char* ttfont,
                                            int32_t ttfontCapacity, int32_t* ttsize,
                                            int32_t* ttcolour, int32_t* ttbackground,
                                            uint8_t* listcount, uint8_t* colourcoding,
                                            unsigned char* dateformat, int32_t dateformatCapacity,
                                            uint8_t* hspacing, uint8_t* vspacing) {
    GuardExport([&] {
        try {
            LoadSettingsIfNeeded();
        } catch (const RangeError& error) {
            // The window still comes up where it was, with the defaults the failed load left.
            ReportFileProblem(SettingsFileName(), std::string(error.what()) + defaultsNotice);
        } catch (const UnreadableFileError& error) {
            // Held by another program: the window runs on the defaults, and as the loaded flag
            // stays clear, nothing it stores later goes over the file unread.
            ReportFileProblem(SettingsFileName(), std::string(error.what()) + unreadableNotice);
        }
        const TCalendarOptions& options = CalendarOptions();
        Put(top, options.top);
        Put(left, options.left);
        CopyShortString(options.font, font, fontCapacity);
        Put(fontsize, options.fontsize);
        Put(fontcolour, options.fontcolour);
        Put(highlight, options.highlight);
        Put(firstday, options.firstday);
        CopyShortString(options.ttfont, ttfont, ttfontCapacity);
        Put(ttsize, options.ttsize);
        Put(ttcolour, options.ttcolour);
        Put(ttbackground, options.ttbackground);
        Put(listcount, options.listcount);
        Put(colourcoding, options.colourcoding);
        CopyShortString(options.dateformat, dateformat, dateformatCapacity);
        Put(hspacing, options.hspacing);
        Put(vspacing, options.vspacing);
    });
}

VELMORA_EXPORT void VELMORA_CALL SetOptions(int32_t top, int32_t left) {
    GuardExport([&] {
        try {
            LoadSettingsIfNeeded();
        } catch (const RangeError&) {
            // The other settings could not be read: only the position is written, so the
            // user's stored values are kept for them to correct. GetOptions has said why.
            CalendarOptions().top = top;
            CalendarOptions().left = left;
            SavePositionOnly();
            return;
        } catch (const UnreadableFileError& error) {
            // Still unreadable: the user's stored settings are worth more than the position.
            ReportFileProblem(SettingsFileName(), std::string(error.what()) + unreadableNotice);
            return;
        }
        CalendarOptions().top = top;
        CalendarOptions().left = left;
        SaveSettings();
    });
}

VELMORA_EXPORT void VELMORA_CALL GetItems(char** buffer, uint32_t* length, double date) {
    GuardExport([&] {
        std::string text;
        if (BuildItemsText(date, &text)) CopyItemText(text, buffer, length);
    });
}

VELMORA_EXPORT void VELMORA_CALL ComingUp(int32_t count, char** buffer, uint32_t* length, double date) {
    GuardExport([&] {
        std::string text;
        if (BuildComingUpText(std::min(count, maxComingUpCount), date, &text))
            CopyItemText(text, buffer, length);
    });
}

VELMORA_EXPORT int32_t VELMORA_CALL GetOptionNumber(const char* key, int32_t* value) {
    return GuardExport<int32_t>(0, [&]() -> int32_t {
        if (!key || !value)
            return 0;
        const SettingDescription* setting = FindSettingDescription(key);
        if (!setting)
            return 0;
        try {
            LoadSettingsIfNeeded();
        } catch (const RangeError&) {
            // GetOptions, asked first, has told the user; the defaults stand meanwhile.
        } catch (const UnreadableFileError&) {
        }
        if (setting->text)
            return 0; // a text has no number
        *value = SettingNumber(CalendarOptions(), *setting);
        return 1;
    });
}
