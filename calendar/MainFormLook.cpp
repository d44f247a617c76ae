// The week-number column at the grid's left and the queries about it and today's fill.
#include "MainFormUnit.h"

#include "Canvas.h"
#include "WindowQueries.h"

#include <algorithm>

namespace {
const char* const weekHeading = "Wk";
}

int TVelmora::WeekColumnWidth(HDC dc) const {
    if (!options_.View.WeekNumbers)
        return 0;
    const int widest = std::max<int>(TextExtent(dc, weekHeading).cx, TextExtent(dc, "53").cx);
    return widest + options_.HSpacing;
}

void TVelmora::SetWeekColumn(int width) {
    if (width == weekColumn_)
        return;
    RECT bounds;
    GetWindowRect(Handle(), &bounds);
    SetWindowPos(Handle(), nullptr, bounds.left - (width - weekColumn_), bounds.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    weekColumn_ = width;
}

TScreenPoint TVelmora::StoredPosition() const {
    TScreenPoint position = ReachablePosition();
    position.Left += weekColumn_;
    return position;
}

void TVelmora::PaintWeekNumbers(HDC dc, int headingTop) const {
    if (weekColumn_ == 0 || weekNumbers_.empty())
        return;
    // Dimmer than the days, so the eye reads the grid first; the font draws without
    // smoothing, so no pixel falls between this colour and the key colour.
    SetTextColor(
        dc, ToColorRef(WeekNumberColour(static_cast<int32_t>(ToColorRef(options_.FontColour)))));
    const auto centred = [&](const std::string& text, int top, int height) {
        const SIZE size = TextExtent(dc, text);
        TextOutA(dc, weekColumn_ / 2 - size.cx / 2, top + (height - size.cy) / 2, text.c_str(),
                 static_cast<int>(text.size()));
    };
    const SIZE heading = TextExtent(dc, weekHeading);
    centred(weekHeading, headingTop, heading.cy);
    for (int row = 0; row < 6 && row < static_cast<int>(weekNumbers_.size()); ++row) {
        if (weekNumbers_[row] == 0)
            continue;
        const TVrHyperButton* cell =
            FindControlByName("VrHyperButton" + std::to_string(row * 7 + 1));
        if (!cell)
            continue;
        const RECT bounds = cell->Bounds();
        centred(std::to_string(weekNumbers_[row]), bounds.top, bounds.bottom - bounds.top);
    }
    SetTextColor(dc, ToColorRef(options_.FontColour));
}

#ifdef VELMORA_TEST_HOOKS
LRESULT TVelmora::AnswerLookQuery(UINT message, WPARAM wParam) const {
    switch (message) {
    case CalendarWeekNumberQuery:
        return weekColumn_ != 0 && wParam < weekNumbers_.size() ? weekNumbers_[wParam] : 0;
    case CalendarWeekColumnQuery:
        return weekColumn_;
    case CalendarCellFillQuery: {
        const TVrHyperButton* cell = FindControlByName("VrHyperButton" + std::to_string(wParam));
        if (!cell || cell->Transparent)
            return -1;
        return static_cast<LRESULT>(cell->ColorLeave);
    }
    default:
        return 0;
    }
}
#endif
