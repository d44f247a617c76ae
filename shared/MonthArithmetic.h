// The arithmetic of a month laid out as six rows of seven cells: where day 1 falls for a
// chosen first day of the week, which day a cell shows, the day names over the columns, and
// stepping whole months. The desktop window, the date field's drop-down month and the
// recurrence of regular reminders use it.
#pragma once
#include <string>

// A rectangle in pixels, as the layouts hand it to the windows.
struct TCellBounds {
    int Left;
    int Top;
    int Width;
    int Height;
    int Right() const { return Left + Width; }
    int Bottom() const { return Top + Height; }
    bool Contains(int x, int y) const {
        return x >= Left && x < Right() && y >= Top && y < Bottom();
    }
};

// The cell (1..42) that holds day 1 of the date's month. firstday 1 = Sunday ... 7 = Saturday;
// 0 (no options received yet) shifts the grid one column to the right.
int FirstCell(double date, int firstday);
// The day shown in cell n, or 0 when the cell lies outside the month.
int CellDay(int cell, int firstCell, int daysInMonth);
// The short name over column k (1..7), or "" when the index falls outside the week.
std::string DayName(int column, int firstday);
// Moves year and month by a number of months; false (and nothing moved) when the result would
// leave the years 1 to 9999.
bool StepYearMonth(int& year, int& month, long long months);
