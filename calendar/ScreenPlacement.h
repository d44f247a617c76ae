// Keeping the desktop window within reach: the sizes it is built from held to what the options
// dialog offers, and a position that would leave it off every monitor brought back onto one.
// Portable, so the decisions are tested without a screen.
#pragma once
#include <cstdint>
#include <vector>

// A closed range of whole numbers, as the options dialog's spin edits offer them.
struct TSizeRange {
    int32_t Minimum;
    int32_t Maximum;
    int32_t Hold(int32_t value) const {
        return value < Minimum ? Minimum : value > Maximum ? Maximum : value;
    }
};

// The options dialog's ranges. A calendar.ini edited by hand can hold anything; a font size of
// thousands of points would make a window of tens of thousands of pixels that shows nothing.
constexpr TSizeRange FontSizeRange{6, 72};
constexpr TSizeRange TooltipSizeRange{6, 72};
constexpr TSizeRange ListCountRange{0, 200};
constexpr TSizeRange SpacingRange{0, 250};
// The dialog offers 1 to 7; 0 stays the grid of a window that never had options.
constexpr TSizeRange FirstDayRange{0, 7};

// Screen rectangles in pixels; Right and Bottom lie just outside.
struct TScreenRect {
    int Left;
    int Top;
    int Right;
    int Bottom;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
};

struct TScreenPoint {
    int Left;
    int Top;
    bool operator==(const TScreenPoint& other) const {
        return Left == other.Left && Top == other.Top;
    }
};

struct TScreenSize {
    int Width;
    int Height;
};

// The window's size within what the monitors can show: no wider or taller than all of them
// together, since what lies beyond every screen is never seen, and less tall than the smallest
// monitor, since a window that covers a whole monitor is taken for a full-screen one and lifted
// above every other window. Only the largest fonts with the longest lists come near either.
TScreenSize FitWindowSize(TScreenSize window, const std::vector<TScreenRect>& monitors);

// How much of the window must lie on one monitor's work area for it to count as reachable:
// a sliver at a screen edge cannot be grabbed or right-clicked.
constexpr int MinimumVisiblePart = 24;

// Where the window belongs: its own place while a large enough part of it lies on a work
// area, otherwise inside the work area of the nearest monitor (the one its rectangle is
// closest to; the first listed on a tie), as close as possible to where it was. A window larger
// than that work area is put at its top-left corner. Without any work area it stays put.
TScreenPoint PlaceOnScreen(const TScreenRect& window, const std::vector<TScreenRect>& workAreas);
