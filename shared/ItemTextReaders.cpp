// The readers with which the window takes item text apart: colour groups and indent marks.
#include "EventTypeUnit.h"
#include "DecimalText.h"

#include <cctype>

namespace {
// Indent numbers come from the length of a date text; anything larger is not an indent the
// window could draw, so it is held to this.
const long maxIndent = 1024;
} // namespace

bool FindFirstBraceGroup(const std::string& text, size_t lineStart, size_t lineEnd, size_t* open,
                         size_t* close) {
    *open = text.find('{', lineStart);
    *close = text.find('}', lineStart);
    return *open < lineEnd && *close < lineEnd && *open < *close;
}

bool FindFirstBraceGroup(const std::string& text, size_t* open, size_t* close) {
    return FindFirstBraceGroup(text, 0, std::string::npos, open, close);
}

int32_t ItemColour(const std::string& text, int32_t defaultColour) {
    size_t open, close;
    if (!FindFirstBraceGroup(text, &open, &close)) return defaultColour;
    int32_t colour;
    return ParseDecimalInt32(text.substr(open + 1, close - open - 1), &colour) ? colour : defaultColour;
}

std::string StripColourGroups(const std::string& text) {
    std::string result = text;
    for (;;) {
        size_t open = result.find('{');
        if (open == std::string::npos) break;
        size_t close = result.find('}', open);
        if (close == std::string::npos) break;
        result.erase(open, close - open + 1);
    }
    return result;
}

std::string ExpandIndents(const std::string& text, const TextMeasure* canvas, bool pad) {
    std::string result = text;
    size_t searchFrom = 0;
    for (;;) {
        size_t bar = result.find('|', searchFrom);
        if (bar == std::string::npos) break;
        size_t end = bar + 1;
        long indent = 0;
        while (end < result.size() && std::isdigit(static_cast<unsigned char>(result[end]))) {
            if (indent < maxIndent) indent = indent * 10 + (result[end] - '0');
            ++end;
        }
        if (indent > maxIndent) indent = maxIndent;
        result.erase(bar, end - bar);
        searchFrom = bar;
        if (pad && canvas) {
            int unit = canvas->TextWidth("X");
            int spaces = unit > 0 ? canvas->TextWidth(std::string(static_cast<size_t>(indent), 'X')) / unit : 0;
            if (spaces > 0) {
                result.insert(0, static_cast<size_t>(spaces), ' ');
                searchFrom += static_cast<size_t>(spaces);
            }
        }
    }
    return result;
}

DisplayLine ReadDisplayLine(const std::string& line, const TextMeasure& canvas, int32_t defaultColour) {
    // The indent goes first: the digits of a text that follows the mark must not be read
    // into the indent number once the colour group between them is gone.
    std::string text = ExpandIndents(line, &canvas, true);
    int32_t colour = defaultColour;
    size_t open, close;
    if (FindFirstBraceGroup(text, &open, &close)) {
        colour = ItemColour(text, defaultColour);
        if (colour < 0) colour = defaultColour; // a type that is not in the table
        text.erase(open, close - open + 1);
    }
    return {text, colour};
}

std::vector<std::string> SplitItemLines(const std::string& itemText) {
    std::vector<std::string> lines;
    if (itemText.empty()) return lines;
    size_t start = 0;
    for (;;) {
        const size_t end = itemText.find("\r\n", start);
        lines.push_back(itemText.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return lines;
        start = end + 2;
    }
}

// Only the colour group of each line is removed, as the Coming Up list removes it: braces
// that belong to a reminder's own text are shown in the tooltip too.
std::string TooltipText(const std::string& itemText) {
    std::string result;
    bool first = true;
    for (const std::string& line : SplitItemLines(itemText)) {
        std::string text = ExpandIndents(line, nullptr, false);
        size_t open, close;
        if (FindFirstBraceGroup(text, &open, &close))
            text.erase(open, close - open + 1);
        if (!first) result += "\r\n";
        result += text;
        first = false;
    }
    return result;
}
