// Portable stand-in for the system code page: Windows-1252, the code page of the western
// locales the native tests model.
#include "CodePage.h"

namespace {
// 0x80..0x9F; 0 where the code page has no character.
const char32_t upperControls[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t CodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0)
        return upperControls[byte - 0x80] ? upperControls[byte - 0x80] : byte;
    return byte;
}

bool AnsiByte(char32_t codePoint, char* byte) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        *byte = static_cast<char>(codePoint);
        return true;
    }
    for (int i = 0; i < 32; ++i)
        if (codePoint == (upperControls[i] ? upperControls[i] : static_cast<char32_t>(0x80 + i))) {
            *byte = static_cast<char>(0x80 + i);
            return true;
        }
    return false;
}
} // namespace

std::string AnsiToUtf8(const std::string& ansi) {
    std::string utf8;
    utf8.reserve(ansi.size());
    for (char c : ansi)
        AppendUtf8(CodePoint(static_cast<unsigned char>(c)), &utf8);
    return utf8;
}

std::string Utf8ToAnsi(const std::string& utf8, size_t* replaced) {
    std::u32string codePoints;
    DecodeUtf8(utf8, &codePoints, replaced);
    std::string ansi;
    ansi.reserve(codePoints.size());
    for (char32_t codePoint : codePoints) {
        char byte;
        if (codePoint == static_cast<char32_t>(-1)) {
            ansi += '?'; // counted by the decoder
        } else if (AnsiByte(codePoint, &byte)) {
            ansi += byte;
        } else {
            ansi += '?';
            ++*replaced;
        }
    }
    return ansi;
}
