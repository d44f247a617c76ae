// Reading the window's own keys of calendar.ini.
#include "ViewOptions.h"

#include "DecimalText.h"
#include "ProfileFile.h"

#include <memory>

TOptionNumber StoredOptionNumbers(const std::string& settingsPath) {
    const auto options = std::make_shared<const ProfileSection>(settingsPath, "options");
    return [options](const char* key, int32_t* value) {
        return ParseStoredNumber(options->Read(key, ""), value);
    };
}

namespace {
void ReadFlag(const TOptionNumber& number, const char* key, bool* flag) {
    int32_t value;
    if (number(key, &value))
        *flag = value != 0;
}
} // namespace

TViewOptions ReadViewOptions(const TOptionNumber& number) {
    TViewOptions view;
    ReadFlag(number, "weeknumbers", &view.WeekNumbers);
    ReadFlag(number, "filltoday", &view.FillToday);
    number("todaycolour", &view.TodayColour);
    return view;
}
