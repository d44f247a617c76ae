// Painting of the window's own surface: the title, the day names and the Coming Up lines.
// Everything else is key colour, which the desktop shows through.
#include "MainFormUnit.h"

#include "CalendarUnit.h"
#include "Canvas.h"
#include "EventTypeUnit.h"
#include "Navigation.h"
#include "WindowQueries.h"

#include <algorithm>
#include <cstring>

namespace {
// The Coming Up indents are measured in the font the lines are drawn in.
class TCanvasMeasure : public TextMeasure {
  public:
    explicit TCanvasMeasure(HDC dc) : dc_(dc) {}
    int TextWidth(const std::string& text) const override { return TextExtent(dc_, text).cx; }

  private:
    HDC dc_;
};

const size_t maxComingUpLines = 256;

#ifdef VELMORA_TEST_HOOKS
ATOM AtomOf(const std::string& text) { return GlobalAddAtomA(text.substr(0, 255).c_str()); }
#endif
} // namespace

int TVelmora::LineHeight(HDC dc) const { return TextExtent(dc, "Y").cy; }

int TVelmora::NavigationBottom() const { return todayButton_->Bounds().bottom; }

void TVelmora::FetchComingUp() {
    if (comingUpFetched_ || options_.ListCount == 0) return;
    // Marked first: a box shown by the library while it answers makes the window paint again.
    comingUpFetched_ = true;
#ifdef VELMORA_TEST_HOOKS
    ++comingUpFetches_;
#endif
    ComingUpList = SplitItemLines(GetComingUp(navigation_.DisplayDate, options_.ListCount));
}

int TVelmora::ComingUpLineRoom() const {
    return static_cast<int>(
        std::max<size_t>(options_.ListCount, std::min(ComingUpList.size(), maxComingUpLines)));
}

void TVelmora::FormPaint() {
    FetchComingUp();
    // The cells too: a cell moved or resized leaves its old pixels to the window, and its new
    // ones are only right once it has painted itself at its new place.
    RedrawWindow(Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TVelmora::Paint(HDC target) {
    RECT client;
    GetClientRect(Handle(), &client);
    TMemoryCanvas canvas(target, client.right, client.bottom);
    HDC dc = canvas.Get();
    FillSolid(dc, client, ToColorRef(KeyColour));
    SelectedObject font(dc, font_.Get());
    SetBkMode(dc, TRANSPARENT);
    const COLORREF fontColour = ToColorRef(options_.FontColour);

    const std::string title = FormatTitle(navigation_.DisplayDate, options_.DateFormat);
    const SIZE titleSize = TextExtent(dc, title);
    OutlinedTextOut(dc, client.right / 2 - titleSize.cx / 2, 0, title, fontColour,
                    options_.Outline);
    for (int column = 1; column <= 7; ++column) {
        const TVrHyperButton* cell = FindControlByName("VrHyperButton" + std::to_string(column));
        if (!cell) continue;
        const RECT bounds = cell->Bounds();
        const std::string name = DayName(column, options_.FirstDay);
        const int x = bounds.left + (bounds.right - bounds.left) / 2 - TextExtent(dc, name).cx / 2;
        OutlinedTextOut(dc, x, titleSize.cy, name, fontColour, options_.Outline);
    }
    PaintWeekNumbers(dc, titleSize.cy);

    const TCanvasMeasure measure(dc);
    const int lineHeight = LineHeight(dc);
    for (size_t i = 0; i < ComingUpList.size() && i < maxComingUpLines; ++i) {
        const DisplayLine line = ReadDisplayLine(ComingUpList[i], measure, options_.FontColour);
        OutlinedTextOut(dc, Scale(2), NavigationBottom() + static_cast<int>(i) * lineHeight, line.text,
                        ToColorRef(line.colour), options_.Outline);
    }
    canvas.CopyTo(target);
}

#ifdef VELMORA_TEST_HOOKS
LRESULT TVelmora::AnswerQuery(UINT message, WPARAM wParam) {
    switch (message) {
    case CalendarDisplayDateQuery: {
        LRESULT bits = 0;
        static_assert(sizeof bits == sizeof navigation_.DisplayDate,
                      "a date travels in one result");
        std::memcpy(&bits, &navigation_.DisplayDate, sizeof bits);
        return bits;
    }
    case CalendarComingUpCountQuery:
        return static_cast<LRESULT>(ComingUpList.size());
    case CalendarComingUpLineQuery:
    case CalendarComingUpColourQuery: {
        if (wParam >= ComingUpList.size()) return 0;
        WindowDC dc(Handle());
        SelectedObject font(dc.Get(), font_.Get());
        const DisplayLine line = ReadDisplayLine(ComingUpList[wParam], TCanvasMeasure(dc.Get()), options_.FontColour);
        return message == CalendarComingUpLineQuery ? AtomOf(line.text) : static_cast<LRESULT>(ToColorRef(line.colour));
    }
    case CalendarComingUpFetchesQuery:
        return comingUpFetches_;
    case CalendarTitleAtomQuery:
        return AtomOf(FormatTitle(navigation_.DisplayDate, options_.DateFormat));
    case CalendarOptionsAppliedQuery:
        return optionsApplied_;
    case CalendarPopupItemQuery: {
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_STRING;
        char caption[256] = "";
        item.dwTypeData = caption;
        item.cch = sizeof caption;
        if (!GetMenuItemInfoA(ToolsPopup.Handle(), static_cast<UINT>(wParam), TRUE, &item)) return 0;
        return AtomOf(item.fType & MFT_SEPARATOR ? "-" : caption);
    }
    default:
        return 0;
    }
}
#endif
