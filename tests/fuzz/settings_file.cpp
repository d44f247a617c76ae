// A calendar.ini of any bytes: GetOptions into short strings of exactly 256 bytes, then a
// SetOptions round trip with the position read. What a fresh load reads afterwards must be
// what was read before: every option and every reminder type. The one accepted difference is
// the profile file's own: a text value is written with the blanks at its ends dropped and read
// with one pair of surrounding quotes taken off, so a value read as "  Segoe UI " (stored
// quoted) may come back as it was or as that write and read make it, and nothing else.
#include "EventTypeUnit.h"
#include "FuzzSupport.h"
#include "Tools.h"

#include <memory>
#include <string>
#include <vector>

namespace {
struct ReadOptions {
    int32_t top = 0, left = 0, fontsize = 0, fontcolour = 0, highlight = 0, ttsize = 0,
            ttcolour = 0, ttbackground = 0;
    uint8_t firstday = 0, listcount = 0, colourcoding = 0, hspacing = 0, vspacing = 0;
    std::string font, ttfont, dateformat;
    std::vector<std::string> types;

    // Equal to the options read before the save (o), except that each text value may be what
    // a profile write and read make of the value read then.
    bool SavedFrom(const ReadOptions& o) const {
        return top == o.top && left == o.left && fontsize == o.fontsize &&
               fontcolour == o.fontcolour && highlight == o.highlight && ttsize == o.ttsize &&
               ttcolour == o.ttcolour && ttbackground == o.ttbackground && firstday == o.firstday &&
               listcount == o.listcount && colourcoding == o.colourcoding &&
               hspacing == o.hspacing && vspacing == o.vspacing && SavedText(font, o.font) &&
               SavedText(ttfont, o.ttfont) && SavedText(dateformat, o.dateformat) &&
               types == o.types;
    }

    static bool SavedText(const std::string& after, const std::string& before) {
        return after == before || after == ProfileWrittenAndRead(before);
    }
    static std::string ProfileWrittenAndRead(const std::string& value) {
        const size_t first = value.find_first_not_of(" \t");
        if (first == std::string::npos)
            return "";
        std::string stored = value.substr(first, value.find_last_not_of(" \t") - first + 1);
        if (stored.size() >= 2 && (stored[0] == '"' || stored[0] == '\'') &&
            stored.back() == stored[0])
            stored = stored.substr(1, stored.size() - 2);
        return stored;
    }
};

std::string Describe(const ReadOptions& o) {
    std::string text = std::to_string(o.top) + " " + std::to_string(o.left) + " " + o.font + " " +
                       std::to_string(o.fontsize) + " " + std::to_string(o.fontcolour) + " " +
                       std::to_string(o.highlight) + " " + std::to_string(o.firstday) + " " +
                       o.ttfont + " " + std::to_string(o.ttsize) + " " +
                       std::to_string(o.ttcolour) + " " + std::to_string(o.ttbackground) + " " +
                       std::to_string(o.listcount) + " " + std::to_string(o.colourcoding) + " [" +
                       o.dateformat + "] " + std::to_string(o.hspacing) + " " +
                       std::to_string(o.vspacing) + " types:";
    for (const std::string& type : o.types)
        text += " [" + type + "]";
    return text;
}

std::string ShortString(const unsigned char* buffer) {
    return std::string(reinterpret_cast<const char*>(buffer + 1), buffer[0]);
}

ReadOptions Read() {
    ReadOptions o;
    // Each short string buffer is exactly 256 bytes: a write past it is seen.
    std::unique_ptr<unsigned char[]> font(new unsigned char[256]), ttfont(new unsigned char[256]),
        dateformat(new unsigned char[256]);
    font[0] = ttfont[0] = dateformat[0] = 0;
    GetOptions(&o.top, &o.left, font.get(), 255, &o.fontsize, &o.fontcolour, &o.highlight,
               &o.firstday, ttfont.get(), 255, &o.ttsize, &o.ttcolour, &o.ttbackground,
               &o.listcount, &o.colourcoding, dateformat.get(), 255, &o.hspacing, &o.vspacing);
    o.font = ShortString(font.get());
    o.ttfont = ShortString(ttfont.get());
    o.dateformat = ShortString(dateformat.get());
    o.types = EventTypesToList();
    return o;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ResetLibrary();
    RemoveFuzzFile("calendar.ini");
    WriteFuzzFile("calendar.ini", std::string(reinterpret_cast<const char*>(data), size));
    const ReadOptions before = Read();
    SetOptions(before.top, before.left);
    ResetLibrary();
    const ReadOptions after = Read();
    if (!after.SavedFrom(before))
        FuzzFailure("the settings read after a save differ from those read before it:\n  " +
                    Describe(before) + "\n  " + Describe(after));
    return 0;
}
