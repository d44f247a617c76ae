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
    return {column * W, T + row * H, W, H};
}

TCellBounds TCalendarGeometry::NavigationButton(int index) const {
    // Columns 3 and 5 stay empty, so the Today button stands alone in the middle.
    static const int columns[5] = {0, 1, 3, 5, 6};
    return {columns[index] * W, T + 6 * H, W, H};
}

std::vector<TCellState> LayoutCells(const TMonthLayoutInput& input) {
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
        cell.Caption = std::to_string(d);
    }
    return cells;
}
