// Reading the window's own keys of calendar.ini.
#include "ViewOptions.h"

#include "DecimalText.h"
#include "ProfileFile.h"

#include <cctype>

bool ReadOptionNumber(const ProfileSection& options, const char* key, int32_t* value) {
    const std::string text = options.Read(key, "");
    if (text.size() > 2 && text.size() <= 10 && text[0] == '0' &&
        (text[1] == 'x' || text[1] == 'X')) {
        uint32_t number = 0;
        for (size_t i = 2; i < text.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(text[i]);
            if (!std::isxdigit(c))
                return false;
            number = number * 16 +
                     static_cast<uint32_t>(std::isdigit(c) ? c - '0' : std::tolower(c) - 'a' + 10);
        }
        *value = static_cast<int32_t>(number);
        return true;
    }
    return ParseDecimalInt32(text, value);
}

namespace {
void ReadFlag(const ProfileSection& options, const char* key, bool* flag) {
    int32_t number;
    if (ReadOptionNumber(options, key, &number))
        *flag = number != 0;
}
} // namespace

TViewOptions ReadViewOptions(const ProfileSection& options) {
    TViewOptions view;
    ReadFlag(options, "weeknumbers", &view.WeekNumbers);
    ReadFlag(options, "filltoday", &view.FillToday);
    ReadOptionNumber(options, "todaycolour", &view.TodayColour);
    return view;
}

TViewOptions ReadViewOptions(const std::string& settingsPath) {
    return ReadViewOptions(ProfileSection(settingsPath, "options"));
}
