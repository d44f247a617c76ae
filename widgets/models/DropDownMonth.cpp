// The drop-down month's decisions: cursor, month steps, special days and hit-testing.
#include "DropDownMonth.h"

#include "DatePattern.h"
#include "DateUtils.h"

#include <algorithm>
#include <cmath>

void TDropDownMonth::Open(double date, int startDay, TSpecialDayQuestion question) {
    startDay_ = startDay >= 1 && startDay <= 7 ? startDay : 1;
    question_ = std::move(question);
    asked_ = false;
    int year, month, day;
    DecodeDate(date, &year, &month, &day);
    Show(year, month, day);
}

double TDropDownMonth::CursorDate() const {
    return EncodeDate(year_, month_, cursorDay_);
}

int TDropDownMonth::CellDay(int cell) const {
    return ::CellDay(cell, firstCell_, daysInMonth_);
}

std::string TDropDownMonth::Caption() const {
    return FormatDatePattern("mmmm yyyy", EncodeDate(year_, month_, 1));
}

void TDropDownMonth::Show(int year, int month, int day) {
    const bool newMonth = year != year_ || month != month_ || !asked_;
    year_ = year;
    month_ = month;
    daysInMonth_ = DaysInMonth(year, month);
    cursorDay_ = std::min(std::max(day, 1), daysInMonth_);
    firstCell_ = ::FirstCell(EncodeDate(year, month, 1), startDay_);
    if (!newMonth)
        return;
    // Asked afresh for every month shown, so a day file written since the last look counts.
    special_.fill(false);
    asked_ = true;
    for (int d = 1; question_ && d <= daysInMonth_; ++d) {
        try {
            special_[d] = question_(year, month, d);
        } catch (...) {
            // A question that fails leaves the day plain; the drop-down still opens.
            special_[d] = false;
        }
    }
}

void TDropDownMonth::StepMonths(int months) {
    int year = year_, month = month_;
    if (StepYearMonth(year, month, months))
        Show(year, month, cursorDay_);
}

void TDropDownMonth::PutCursor(int day) {
    if (day >= 1 && day <= daysInMonth_)
        cursorDay_ = day;
}

void TDropDownMonth::MoveCursorByDays(int days) {
    const double target = CursorDate() + days;
    if (target < FirstOleDate || target > LastOleDate)
        return;
    int year, month, day;
    DecodeDate(target, &year, &month, &day);
    Show(year, month, day);
}

TDropDownAction TDropDownMonth::Key(TDropDownKey key) {
    const double before = CursorDate();
    switch (key) {
    case TDropDownKey::Enter:
        return TDropDownAction::Pick;
    case TDropDownKey::Escape:
        return TDropDownAction::Cancel;
    case TDropDownKey::Left:
        MoveCursorByDays(-1);
        break;
    case TDropDownKey::Right:
        MoveCursorByDays(1);
        break;
    case TDropDownKey::Up:
        MoveCursorByDays(-7);
        break;
    case TDropDownKey::Down:
        MoveCursorByDays(7);
        break;
    case TDropDownKey::PageUp:
        StepMonths(-1);
        break;
    case TDropDownKey::PageDown:
        StepMonths(1);
        break;
    case TDropDownKey::YearBack:
        StepMonths(-12);
        break;
    case TDropDownKey::YearNext:
        StepMonths(12);
        break;
    case TDropDownKey::Home:
        cursorDay_ = 1;
        break;
    case TDropDownKey::End:
        cursorDay_ = daysInMonth_;
        break;
    }
    return CursorDate() == before ? TDropDownAction::None : TDropDownAction::Redraw;
}

TDropDownLayout TDropDownLayout::For(int width, int lineHeight, double scale) {
    if (!(scale > 0.0))
        scale = 1.0;
    TDropDownLayout layout;
    layout.Padding = std::max(1, static_cast<int>(std::lround(4 * scale)));
    layout.Width = std::max(width, 7 * (lineHeight + 2));
    layout.HeaderHeight = lineHeight + 4 * layout.Padding;
    layout.NamesHeight = lineHeight + layout.Padding;
    layout.CellWidth = (layout.Width - 2 * layout.Padding) / 7;
    layout.CellHeight = lineHeight + 2 * layout.Padding;
    layout.GridLeft = (layout.Width - 7 * layout.CellWidth) / 2;
    return layout;
}

int TDropDownLayout::Height() const {
    return HeaderHeight + NamesHeight + 6 * CellHeight + Padding;
}

TCellBounds TDropDownLayout::PreviousButton() const {
    return {GridLeft, Padding, CellWidth, HeaderHeight - 2 * Padding};
}

TCellBounds TDropDownLayout::NextButton() const {
    return {GridLeft + 6 * CellWidth, Padding, CellWidth, HeaderHeight - 2 * Padding};
}

TCellBounds TDropDownLayout::CaptionBand() const {
    return {GridLeft + CellWidth, 0, 5 * CellWidth, HeaderHeight};
}

TCellBounds TDropDownLayout::NameCell(int column) const {
    return {GridLeft + (column - 1) * CellWidth, HeaderHeight, CellWidth, NamesHeight};
}

TCellBounds TDropDownLayout::Cell(int n) const {
    const int column = (n - 1) % 7, row = (n - 1) / 7;
    return {GridLeft + column * CellWidth, HeaderHeight + NamesHeight + row * CellHeight, CellWidth,
            CellHeight};
}

TDropDownHit TDropDownLayout::HitTest(const TDropDownMonth& month, int x, int y) const {
    TDropDownHit hit;
    if (PreviousButton().Contains(x, y))
        hit.Kind = TDropDownHit::PreviousMonth;
    else if (NextButton().Contains(x, y))
        hit.Kind = TDropDownHit::NextMonth;
    for (int n = 1; hit.Kind == TDropDownHit::Nothing && n <= 42; ++n) {
        if (!Cell(n).Contains(x, y))
            continue;
        const int day = month.CellDay(n);
        if (day != 0)
            hit = {TDropDownHit::DayCell, day};
        break;
    }
    return hit;
}
