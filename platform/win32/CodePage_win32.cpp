// Windows side of the code page conversion: the system's ANSI code page through the
// system's own tables, with no "best fit" stand-ins, so a character it lacks shows as "?".
#include "CodePage.h"

#include <windows.h>

namespace {
std::wstring Utf16(const std::u32string& codePoints) {
    std::wstring wide;
    wide.reserve(codePoints.size());
    for (char32_t codePoint : codePoints) {
        if (codePoint == static_cast<char32_t>(-1)) {
            wide += L'?';
        } else if (codePoint >= 0x10000) {
            const char32_t value = codePoint - 0x10000;
            wide += static_cast<wchar_t>(0xD800 + (value >> 10));
            wide += static_cast<wchar_t>(0xDC00 + (value & 0x3FF));
        } else {
            wide += static_cast<wchar_t>(codePoint);
        }
    }
    return wide;
}

// The wide text in the code page; *lost tells whether any character took the default.
std::string Narrow(const wchar_t* wide, int length, bool* lost) {
    if (length == 0)
        return "";
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, length, nullptr, 0,
                                         "?", &usedDefault);
    std::string narrow(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, length, &narrow[0], size, "?",
                            &usedDefault);
    *lost = usedDefault != FALSE;
    return narrow;
}
} // namespace

std::string AnsiToUtf8(const std::string& ansi) {
    if (ansi.empty())
        return "";
    const int length =
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), &wide[0],
                            length);
    std::string utf8;
    utf8.reserve(wide.size());
    for (size_t i = 0; i < wide.size(); ++i) {
        char32_t unit = wide[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
            wide[i + 1] <= 0xDFFF) {
            unit = 0x10000 + ((unit - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
            ++i;
        }
        AppendUtf8(unit, &utf8);
    }
    return utf8;
}

std::string Utf8ToAnsi(const std::string& utf8, size_t* replaced) {
    std::u32string codePoints;
    DecodeUtf8(utf8, &codePoints, replaced);
    const std::wstring wide = Utf16(codePoints);
    bool lost = false;
    std::string whole = Narrow(wide.data(), static_cast<int>(wide.size()), &lost);
    if (!lost)
        return whole;
    // Rare: count the characters that were lost one by one.
    std::string ansi;
    for (size_t i = 0; i < wide.size();) {
        const int units = (wide[i] >= 0xD800 && wide[i] <= 0xDBFF && i + 1 < wide.size()) ? 2 : 1;
        bool one = false;
        ansi += Narrow(wide.data() + i, units, &one);
        if (one)
            ++*replaced;
        i += static_cast<size_t>(units);
    }
    return ansi;
}
