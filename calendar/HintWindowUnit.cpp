// The calendar's tooltip: sized and shaped when its text is set, painted when asked.
#include "HintWindowUnit.h"

#include "Canvas.h"
#include "EventTypeUnit.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {
// Reminders are shown as typed: "R&D review" keeps its ampersand and nothing is underlined.
const UINT textFormat = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;
} // namespace

TCalendarHintWindow::TCalendarHintWindow(std::shared_ptr<const TTooltipOptions> options)
    : options_(std::move(options)) {
    UseTooltipOptions();
}

THintWindow::TCreateParams TCalendarHintWindow::CreateParams() const {
    TCreateParams params = THintWindow::CreateParams();
    params.Style &= ~static_cast<DWORD>(WS_BORDER | WS_DLGFRAME);
    return params;
}

void TCalendarHintWindow::UseTooltipOptions() {
    SetCanvasFont(options_->Font, PointsToFontHeight(options_->Size), options_->Colour);
    CanvasBrushColour = options_->Background;
}

RECT TCalendarHintWindow::CalcHintRect(int maxWidth, const std::string& hint) {
    UseTooltipOptions();
    RECT rect = THintWindow::CalcHintRect(maxWidth, hint);
    // The word-wrapped size is grown to the widest line, up to the wrapping width, and the
    // height leaves room for the line under the heading and the rounded corners.
    WindowDC screen(nullptr);
    SelectedObject font(screen.Get(), CanvasFont());
    const std::vector<std::string> lines = SplitItemLines(hint);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    for (const std::string& line : lines)
        width =
            std::max<int>(width, std::min<int>(TextExtent(screen.Get(), line).cx, maxWidth) + 12);
    const int lineHeight =
        TextExtent(screen.Get(), lines.empty() ? std::string() : lines.front()).cy;
    const int textHeight =
        std::max<int>(height, lineHeight * static_cast<int>(std::max<size_t>(lines.size(), 1)));
    // A fifth more, but never more than a line: a long text would end in an empty band.
    height = std::max(height, textHeight + std::min(textHeight / 5, lineHeight));
    return {rect.left, rect.top, rect.left + width, rect.top + height};
}

void TCalendarHintWindow::HintSized(int width, int height) {
    // The system only asks for a paint when the shape really changes.
    if (regionSize_.cx == width && regionSize_.cy == height)
        return;
    RegionHandle region(CreateRoundRectRgn(1, 1, width - 1, height - 1, 14, 14));
    // On success the window owns the region; on failure it stays ours to delete.
    if (region && SetWindowRgn(Handle(), region.Get(), TRUE))
        region.Release();
    regionSize_ = {width, height};
}

void TCalendarHintWindow::Paint(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    FillSolid(dc, client, CanvasBrushColour);
    SelectedObject font(dc, CanvasFont());

    const std::string& caption = Caption();
    const size_t lineBreak = caption.find("\r\n");
    const std::string heading =
        lineBreak == std::string::npos ? caption : caption.substr(0, lineBreak);
    const std::string body = lineBreak == std::string::npos ? "" : caption.substr(lineBreak + 2);

    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, CanvasFontColour);
    RECT text = {client.left + 4, client.top + 2, client.right, client.bottom};
    DrawTextA(dc, heading.c_str(), -1, &text, textFormat);
    if (body.empty())
        return;
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
