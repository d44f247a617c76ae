// MarkUpItemLine with the window's readers: every character of a description other than
// its line breaks and its type group reaches what the Coming Up reader draws, digits
// included, each line of a reminder in the reminder's colour; and a cut of the marked-up
// text to any room never splits a mark.
#include "EventTypeUnit.h"
#include "FuzzSupport.h"
#include "Queries.h"

#include <string>
#include <vector>

namespace {
struct OneWidePerCharacter : TextMeasure {
    int TextWidth(const std::string& text) const override { return static_cast<int>(text.size()); }
};

bool IsBreak(char c) {
    return c == '|' || c == '\r' || c == '\n';
}

// The description as it should be read: the type group gone, NUL shown as "?", split into
// lines at its breaks (a CR LF pair is one break).
std::vector<std::string> ExpectedLines(std::string text) {
    const size_t open = text.find('{');
    const size_t close = text.find('}');
    if (open != std::string::npos && close != std::string::npos && open < close)
        text.erase(open, close - open + 1);
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsBreak(text[i])) {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            lines.emplace_back();
        } else {
            lines.back() += text[i] == '\0' ? '?' : text[i];
        }
    }
    return lines;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    static const bool once = [] {
        ListToEventTypes({"Birthday=255", "System=-2147483643", "7=65280", "=3"});
        return true;
    }();
    (void)once;
    const int length = data[0];
    const size_t room = 20 + data[1] * 4;
    const std::string description(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::string marked = MarkUpItemLine(description, length);
    CheckItemText(marked, "MarkUpItemLine");
    const std::vector<std::string> lines = SplitItemLines(marked);
    const std::vector<std::string> expected = ExpectedLines(description);
    if (lines.size() != (description.empty() ? 0 : expected.size()))
        FuzzFailure("the markup made " + std::to_string(lines.size()) + " lines, not " +
                    std::to_string(expected.size()));
    const OneWidePerCharacter canvas;
    const std::string pad(static_cast<size_t>(length + 1), ' ');
    int32_t firstColour = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        const DisplayLine shown = ReadDisplayLine(lines[i], canvas, 12345);
        const std::string wanted = i == 0 ? expected[0] : pad + expected[i];
        if (shown.text != wanted)
            FuzzFailure("line " + std::to_string(i) + " is drawn as \"" + shown.text + "\"");
        if (i == 0)
            firstColour = shown.colour;
        else if (shown.colour != firstColour)
            FuzzFailure("a continuation line in another colour");
    }

    // The tooltip shows the same lines, without the indent.
    const std::vector<std::string> tooltip = SplitItemLines(TooltipText(marked));
    for (size_t i = 0; i < tooltip.size(); ++i)
        if (tooltip[i] != expected[i]) FuzzFailure("tooltip line " + std::to_string(i) + " is \"" + tooltip[i] + "\"");

    // The text as the window gets it, cut to a room: a prefix, no longer, and its last line
    // still holds its whole mark and colour group.
    const std::string text = "Monday March 5 2007\r\n" + marked;
    const std::string cut = ShortenItemText(text, room);
    if (cut.size() > room || text.compare(0, cut.size(), cut) != 0)
        FuzzFailure("the cut is no prefix within the room");
    CheckItemText(cut, "ShortenItemText");
    const std::vector<std::string> cutLines = SplitItemLines(cut);
    const std::string& last = cutLines.back();
    const std::vector<std::string> whole = SplitItemLines(text);
    const std::string& same = whole[cutLines.size() - 1];
    if (last != same && !last.empty() && last[0] == '|') {
        size_t at = 1;
        while (at < last.size() && last[at] >= '0' && last[at] <= '9')
            ++at;
        if (last.compare(0, at, same, 0, at) != 0 || at >= last.size() || last[at] != '{' ||
            last.find('}') == std::string::npos)
            FuzzFailure("the cut split a mark or a colour group: \"" + last + "\"");
    }
    return 0;
}
