// The Coming Up list's dates read back from its lines.
#include "ComingUpClick.h"

#include "DatePattern.h"
#include "DateUtils.h"
#include "Locale.h"
#include "TextCase.h"

#include <algorithm>
#include <cctype>
#include <vector>

int ComingUpLineIndex(int y, int navigationBottom, int lineHeight) {
    if (lineHeight <= 0 || y < navigationBottom) return -1;
    return (y - navigationBottom) / lineHeight;
}

std::string MonthNamesToNumbers(const std::string& text) {
    std::string result = text;
    for (int month = 1; month <= 12; ++month) {
        const std::string name = LowerCaseAscii(ShortMonthName(month));
        if (name.empty()) continue;
        const std::string number = std::to_string(month);
        size_t at = 0;
        while ((at = LowerCaseAscii(result).find(name, at)) != std::string::npos) {
            result.replace(at, name.size(), number);
            at += number.size();
        }
    }
    return result;
}

std::string ComingUpReadingFormat() { return ComingUpDatePattern() + DateSeparator() + "yyyy"; }

bool ReadDateText(const std::string& text, const std::string& format, double* date) {
    // The order of the fields is the order in which d, m and y first appear in the format.
    std::string order;
    for (char c : format) {
        const char letter = LowerCaseAscii(c);
        if ((letter == 'd' || letter == 'm' || letter == 'y') && order.find(letter) == std::string::npos)
            order += letter;
    }
    if (order.size() != 3) return false;
    std::vector<int> fields;
    const char separator = DateSeparator();
    size_t start = 0;
    for (;;) {
        size_t end = text.find(separator, start);
        const std::string field = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (field.empty() || field.size() > 4) return false;
        for (char c : field)
            if (!std::isdigit(static_cast<unsigned char>(c))) return false;
        fields.push_back(std::stoi(field));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    if (fields.size() != 3) return false;
    int year = 0, month = 0, day = 0;
    for (size_t i = 0; i < 3; ++i) {
        if (order[i] == 'd') day = fields[i];
        else if (order[i] == 'm') month = fields[i];
        else year = fields[i];
    }
    if (!IsValidDate(year, month, day)) return false;
    *date = EncodeDate(year, month, day);
    return true;
}

bool ComingUpLineDate(const std::string& line, double displayDate, double* date) {
    const std::string dateText = line.substr(0, line.find(' '));
    const std::string format = ComingUpReadingFormat();
    int year, month, day;
    DecodeDate(displayDate, &year, &month, &day);
    // A date of another year is written whole, in the short date format.
    double whole;
    if (ReadDateText(MonthNamesToNumbers(dateText), ShortDateFormat(), &whole)) {
        int wholeYear, wholeMonth, wholeDay;
        DecodeDate(whole, &wholeYear, &wholeMonth, &wholeDay);
        // A format with a two-digit year gives the year nearest the shown one.
        const std::string shortFormat = ShortDateFormat();
        const size_t yearLetters = std::count(shortFormat.begin(), shortFormat.end(), 'y') +
                                   std::count(shortFormat.begin(), shortFormat.end(), 'Y');
        if (wholeYear < 100 && yearLetters > 2)
            return false; // a four-digit year is written whole
        if (wholeYear < 100) {
            int full = year - year % 100 + wholeYear;
            if (full > year + 50)
                full -= 100;
            else if (full < year - 50)
                full += 100;
            if (!IsValidDate(full, wholeMonth, wholeDay))
                return false;
            whole = EncodeDate(full, wholeMonth, wholeDay);
        }
        *date = whole;
        return true;
    }
    const std::string separator(1, DateSeparator());
    double read;
    if (!ReadDateText(MonthNamesToNumbers(dateText + separator + std::to_string(year)), format, &read))
        return false;
    if (read < WholeDay(displayDate)) {
        // A reminder early next year, listed while the end of this one is shown.
        if (!ReadDateText(MonthNamesToNumbers(dateText + separator + std::to_string(year + 1)),
                          format, &read))
            return false;
    }
    *date = read;
    return true;
}
