// Painting of the calendar's tooltip.
#include "HintWindowUnit.h"

#include "Canvas.h"
#include "EventTypeUnit.h"

#include <vector>

namespace {
// Reminders are shown as typed: "R&D review" keeps its ampersand and nothing is underlined.
const UINT textFormat = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;
} // namespace

TCalendarHintWindow::TCalendarHintWindow(const TTooltipOptions& options) : options_(options) {
    UseTooltipOptions();
}

THintWindow::TCreateParams TCalendarHintWindow::CreateParams() const {
    TCreateParams params = THintWindow::CreateParams();
    params.Style &= ~static_cast<DWORD>(WS_BORDER | WS_DLGFRAME);
    return params;
}

void TCalendarHintWindow::UseTooltipOptions() {
    SetCanvasFont(options_.Font, PointsToFontHeight(options_.Size), options_.Colour);
    CanvasBrushColour = options_.Background;
}

void TCalendarHintWindow::Paint(HDC dc) {
    UseTooltipOptions();
    SelectedObject font(dc, CanvasFont());
    const std::vector<std::string> lines = SplitItemLines(Caption());

    // The window only ever grows to fit the text.
    RECT client;
    GetClientRect(Handle(), &client);
    int width = client.right;
    int height = client.bottom;
    for (const std::string& line : lines) {
        const int needed = TextExtent(dc, line).cx + 12;
        if (width < needed) width = needed;
    }
    const int textHeight = TextExtent(dc, lines.front()).cy * static_cast<int>(lines.size());
    if (textHeight * 1.2 > height) height = static_cast<int>(textHeight * 1.2);
    if (width != client.right || height != client.bottom) {
        SetWindowPos(Handle(), nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        client = {0, 0, width, height};
    }
    FillSolid(dc, client, CanvasBrushColour);

    // A region set again at every paint would ask for another paint at once.
    if (regionSize_.cx != width || regionSize_.cy != height) {
        SetWindowRgn(Handle(), CreateRoundRectRgn(1, 1, width - 1, height - 1, 14, 14), TRUE);
        regionSize_ = {width, height};
    }

    const std::string& caption = Caption();
    const size_t lineBreak = caption.find("\r\n");
    const std::string heading = lineBreak == std::string::npos ? caption : caption.substr(0, lineBreak);
    const std::string body = lineBreak == std::string::npos ? "" : caption.substr(lineBreak + 2);

    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, CanvasFontColour);
    RECT text = {client.left + 4, client.top + 2, client.right, client.bottom};
    DrawTextA(dc, heading.c_str(), -1, &text, textFormat);
    if (body.empty()) return;
    const int headingHeight = TextExtent(dc, heading).cy;
    PenHandle black(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    {
        SelectedObject pen(dc, black.Get());
        MoveToEx(dc, text.left, headingHeight + 2, nullptr);
        LineTo(dc, text.right - 4, headingHeight + 2);
    }
    text.top += headingHeight + 2;
    DrawTextA(dc, body.c_str(), -1, &text, textFormat);
}
