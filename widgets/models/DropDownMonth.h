// What the date field's drop-down month decides, apart from any window: the month it shows,
// the day under the keyboard cursor, which days are special (framed), what a key does and
// what a point of the drop-down hits. The Win32 widget only turns messages into these calls
// and paints what they say.
#pragma once
#include "MonthArithmetic.h"

#include <array>
#include <functional>
#include <string>

// Asked once for every day of each month the drop-down shows; true frames the day.
using TSpecialDayQuestion = std::function<bool(int year, int month, int day)>;

enum class TDropDownKey {
    Left,
    Right,
    Up,
    Down,
    PageUp,
    PageDown,
    YearBack,
    YearNext,
    Home,
    End,
    Enter,
    Escape
};
// None: nothing changed; Redraw: the cursor or the month moved; Pick: the cursor's day is
// chosen and the drop-down closes; Cancel: it closes and the field keeps its date.
enum class TDropDownAction { None, Redraw, Pick, Cancel };

class TDropDownMonth {
  public:
    // Shows the month of the date with its day under the cursor. startDay 1 = Sunday ...
    // 7 = Saturday; anything else counts as Sunday.
    void Open(double date, int startDay, TSpecialDayQuestion question);
    int Year() const { return year_; }
    int Month() const { return month_; }
    int CursorDay() const { return cursorDay_; }
    double CursorDate() const;
    int StartDay() const { return startDay_; }
    // The cell (1..42) of day 1, the day of a cell (0 outside the month) and back.
    int FirstCell() const { return firstCell_; }
    int CellDay(int cell) const;
    int CellOfDay(int day) const { return firstCell_ + day - 1; }
    bool IsSpecial(int day) const { return day >= 1 && day <= 31 && special_[day]; }
    // The month and year over the grid, in the system's month names.
    std::string Caption() const;

    TDropDownAction Key(TDropDownKey key);
    // The navigation buttons: a month back or forward, the cursor keeping its day where the
    // month has it.
    void StepMonths(int months);
    // A day of the shown month under the cursor (a click or the pointer over it).
    void PutCursor(int day);

  private:
    void Show(int year, int month, int day);
    void MoveCursorByDays(int days);

    int year_ = 1899;
    int month_ = 12;
    int cursorDay_ = 30;
    int startDay_ = 1;
    int firstCell_ = 1;
    int daysInMonth_ = 31;
    std::array<bool, 32> special_{}; // by day; element 0 unused
    bool asked_ = false;
    TSpecialDayQuestion question_;
};

struct TDropDownHit {
    enum TKind { Nothing, PreviousMonth, NextMonth, DayCell };
    TKind Kind = Nothing;
    int Day = 0;
};

// Where things are in the drop-down, from its width and the text height of its font; every
// other size comes from the scale the field was created with (1.0 at 96 DPI).
struct TDropDownLayout {
    int Width = 0;
    int Padding = 0;
    int HeaderHeight = 0;
    int NamesHeight = 0;
    int CellWidth = 0;
    int CellHeight = 0;
    int GridLeft = 0;

    static TDropDownLayout For(int width, int lineHeight, double scale);
    int Height() const;
    TCellBounds PreviousButton() const;
    TCellBounds NextButton() const;
    TCellBounds CaptionBand() const;
    TCellBounds NameCell(int column) const;
    TCellBounds Cell(int n) const;
    TDropDownHit HitTest(const TDropDownMonth& month, int x, int y) const;
};
