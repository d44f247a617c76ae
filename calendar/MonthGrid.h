// The month as the window lays it out: which cell shows which day, the day names over the
// columns, the sizes of cells and rows, and the frame and number colours of every cell.
// Portable, so the arithmetic is tested without a window.
#pragma once
#include "MonthArithmetic.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The colour that the layered window shows as "nothing": frames in it are invisible.
constexpr int32_t KeyColour = 0xC0C0C9;
constexpr int32_t SelectedDayFrameColour = 0xFFFFFF;
constexpr int CellCount = 42;

// The window's title: the date in the user's own pattern, or the long date by default.
std::string FormatTitle(double date, const std::string& dateformat);

// W, H and T of the layout: the cell width and height grow from the widest day name, and
// the title band is twice the title's text height.
struct TCalendarGeometry {
    int W = 0;
    int H = 0;
    int T = 0;
    static TCalendarGeometry FromMeasures(int maxDayNameWidth, int hspacing, int vspacing,
                                          int titleHeight);
    // The width of the week-number column at the left, 0 while week numbers are off; the
    // cells and buttons stand to its right.
    int WeekColumn = 0;
    TCellBounds Cell(int n) const;
    // Where row 0..5's week number goes, level with its cells.
    TCellBounds WeekNumber(int row) const { return {0, T + row * H, WeekColumn, H}; }
    // Navigation buttons in display order: year back, month back, today, month next, year next.
    TCellBounds NavigationButton(int index) const;
    int NavigationBottom() const { return T + 7 * H; }
    int WindowWidth() const { return WeekColumn + 7 * W; }
    int WindowHeight(int listcount, int lineHeight) const {
        return NavigationBottom() + listcount * lineHeight;
    }
};

// What a layout sets on one cell. An empty optional leaves the cell's colour as it was,
// which is what an unknown colour-coding mode does.
struct TCellState {
    std::string Caption;
    std::optional<int32_t> FrameColour;
    std::optional<int32_t> CaptionColour;
    // Set on today's cell alone when today is filled; the face shows it behind the caption.
    std::optional<int32_t> FillColour;
};

struct TMonthLayoutInput {
    int Year;
    int Month;
    int SelectedDay;
    int FirstDay;
    int ColourCoding;
    int32_t FontColour;
    // Entry d - 1 is the item text of day d; missing entries mean the library gave nothing.
    std::vector<std::string> MonthItems;
};
// Today's day when it lies in the shown month (0 otherwise) and its fill when today is filled.
struct TTodayFill {
    int Day = 0;
    std::optional<int32_t> Colour;
};
std::vector<TCellState> LayoutCells(const TMonthLayoutInput& input,
                                    const TTodayFill& today = TTodayFill());

// A colour drawn on the window that would fall into the key colour and vanish is moved to its
// nearest neighbour, which looks the same and stays visible.
int32_t AwayFromKeyColour(int32_t colour);
// The week numbers' colour: the font's, dimmed halfway towards grey (0x00BBGGRR), so numbers
// in a light font come out darker and in a dark font lighter; never the key colour.
int32_t WeekNumberColour(int32_t fontColour);

// The ISO 8601 week (1..53) of the date's day. Days beyond the calendar's years are reckoned as
// the calendar would go on, so a row at its very ends still gets its number.
int IsoWeekNumber(double date);
// The numbers beside the grid's six rows: the ISO week of each row's fourth day, the week that
// holds most of the row's days whatever day the week starts on; 0 for a row that shows no day
// of the month. firstDay as FirstCell takes it.
std::vector<int> RowWeekNumbers(int year, int month, int firstDay);
