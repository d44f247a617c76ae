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
    TCellBounds Cell(int n) const;
    // Navigation buttons in display order: year back, month back, today, month next, year next.
    TCellBounds NavigationButton(int index) const;
    int NavigationBottom() const { return T + 7 * H; }
    int WindowWidth() const { return 7 * W; }
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
std::vector<TCellState> LayoutCells(const TMonthLayoutInput& input);
