// The month grid's numbering, names, geometry and colour coding.
#include "MonthGrid.h"

#include "DatePattern.h"
#include "DateUtils.h"
#include "EventTypeUnit.h"
#include "Locale.h"

namespace {
// A type missing from the table comes through as -1; such a day looks like an untyped one.
int32_t ColourOrDefault(const std::string& itemText, int32_t defaultColour) {
    int32_t colour = ItemColour(itemText, defaultColour);
    return colour < 0 ? defaultColour : colour;
}
} // namespace

namespace {
// The year of a day counted from 1 January 1970 (DateArithmetic::DaysFromCivil's count), for
// any year: the week of a day at the calendar's ends may have its Thursday beyond them.
long long YearOfDay(long long days) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long monthIndex = (5 * dayOfYear + 2) / 153;
    return yearOfEra + era * 400 + (monthIndex >= 10 ? 1 : 0);
}

const long long oleDayOfUnixEpoch = 25569; // 1 January 1970 as an OLE date

int IsoWeekOfDay(long long oleDay) {
    const long long mondayBased =
        ((oleDay + 5) % 7 + 7) % 7; // 0 = Monday; OLE day 0 was a Saturday
    // A week belongs to the year that holds its Thursday.
    const long long thursday = oleDay - mondayBased + 3 - oleDayOfUnixEpoch;
    const long long firstOfYear = DateArithmetic::DaysFromCivil(YearOfDay(thursday), 1, 1);
    return static_cast<int>((thursday - firstOfYear) / 7 + 1);
}
} // namespace

int32_t AwayFromKeyColour(int32_t colour) {
    return colour == KeyColour ? colour - 1 : colour;
}

int32_t WeekNumberColour(int32_t fontColour) {
    int32_t dimmed = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int channel = (fontColour >> shift) & 0xFF;
        dimmed |= ((channel + 0x80) / 2) << shift;
    }
    return AwayFromKeyColour(dimmed);
}

int IsoWeekNumber(double date) {
    return IsoWeekOfDay(static_cast<long long>(WholeDay(date)));
}

std::vector<int> RowWeekNumbers(int year, int month, int firstDay) {
    const double firstOfMonth = EncodeDate(year, month, 1);
    const int firstCell = FirstCell(firstOfMonth, firstDay);
    const int daysInMonth = DaysInMonth(year, month);
    std::vector<int> numbers(6, 0);
    for (int row = 0; row < 6; ++row) {
        const int firstCellOfRow = row * 7 + 1;
        if (CellDay(firstCellOfRow, firstCell, daysInMonth) == 0 &&
            CellDay(firstCellOfRow + 6, firstCell, daysInMonth) == 0)
            continue;
        const long long fourthDay =
            static_cast<long long>(firstOfMonth) + (firstCellOfRow + 3 - firstCell);
        numbers[row] = IsoWeekOfDay(fourthDay);
    }
    return numbers;
}

std::string FormatTitle(double date, const std::string& dateformat) {
    return FormatDatePattern(dateformat.empty() ? LongDateFormat() : dateformat, date);
}

TCalendarGeometry TCalendarGeometry::FromMeasures(int maxDayNameWidth, int hspacing, int vspacing,
                                                  int titleHeight) {
    TCalendarGeometry geometry;
    geometry.W = maxDayNameWidth + hspacing;
    geometry.H = maxDayNameWidth + vspacing;
    geometry.T = 2 * titleHeight;
    return geometry;
}

TCellBounds TCalendarGeometry::Cell(int n) const {
    int column = (n - 1) % 7;
    int row = (n - 1) / 7;
    return {WeekColumn + column * W, T + row * H, W, H};
}

TCellBounds TCalendarGeometry::NavigationButton(int index) const {
    // Columns 3 and 5 stay empty, so the Today button stands alone in the middle.
    static const int columns[5] = {0, 1, 3, 5, 6};
    return {WeekColumn + columns[index] * W, T + 6 * H, W, H};
}

std::vector<TCellState> LayoutCells(const TMonthLayoutInput& input, const TTodayFill& today) {
    const double firstOfMonth = EncodeDate(input.Year, input.Month, 1);
    const int firstCell = FirstCell(firstOfMonth, input.FirstDay);
    const int daysInMonth = DaysInMonth(input.Year, input.Month);
    std::vector<TCellState> cells(CellCount);
    for (int n = 1; n <= CellCount; ++n) {
        TCellState& cell = cells[n - 1];
        const int d = CellDay(n, firstCell, daysInMonth);
        if (d == 0) {
            cell.FrameColour = KeyColour;
            continue;
        }
        const bool hasEntry = static_cast<size_t>(d - 1) < input.MonthItems.size();
        const std::string entry = hasEntry ? input.MonthItems[d - 1] : std::string();
        if (d == input.SelectedDay) {
            cell.FrameColour = SelectedDayFrameColour;
        } else if (hasEntry && entry.find('\r') != std::string::npos) {
            if (input.ColourCoding == 0) cell.FrameColour = KeyColour;
            else if (input.ColourCoding == 1) cell.FrameColour = ColourOrDefault(entry, KeyColour);
        } else {
            cell.FrameColour = KeyColour;
        }
        if (input.ColourCoding == 0)
            cell.CaptionColour = hasEntry ? ColourOrDefault(entry, input.FontColour) : input.FontColour;
        else if (input.ColourCoding == 1)
            cell.CaptionColour = input.FontColour;
        if (d == today.Day && today.Colour)
            cell.FillColour = AwayFromKeyColour(*today.Colour);
        cell.Caption = std::to_string(d);
    }
    return cells;
}
