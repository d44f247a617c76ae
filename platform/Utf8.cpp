// UTF-8 encoding and a strict decoder: overlong forms, surrogates and code points past
// U+10FFFF are malformed, as the standard says, so no two byte strings mean one text.
#include "CodePage.h"

void DecodeUtf8(const std::string& utf8, std::u32string* codePoints, size_t* malformed) {
    codePoints->clear();
    codePoints->reserve(utf8.size());
    const size_t size = utf8.size();
    size_t i = 0;
    while (i < size) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            codePoints->push_back(lead);
            ++i;
            continue;
        }
        size_t length = 0;
        char32_t value = 0, minimum = 0;
        if (lead >= 0xC2 && lead <= 0xDF)
            length = 2, value = lead & 0x1F, minimum = 0x80;
        else if (lead >= 0xE0 && lead <= 0xEF)
            length = 3, value = lead & 0x0F, minimum = 0x800;
        else if (lead >= 0xF0 && lead <= 0xF4)
            length = 4, value = lead & 0x07, minimum = 0x10000;
        bool good = length != 0 && i + length <= size;
        for (size_t k = 1; good && k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80)
                good = false;
            else
                value = (value << 6) | (next & 0x3F);
        }
        if (good && (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)))
            good = false;
        if (!good) {
            codePoints->push_back(static_cast<char32_t>(-1));
            ++*malformed;
            ++i;
            continue;
        }
        codePoints->push_back(value);
        i += length;
    }
}

void AppendUtf8(char32_t codePoint, std::string* utf8) {
    if (codePoint < 0x80) {
        *utf8 += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        *utf8 += static_cast<char>(0xC0 | (codePoint >> 6));
        *utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        *utf8 += static_cast<char>(0xE0 | (codePoint >> 12));
        *utf8 += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        *utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        *utf8 += static_cast<char>(0xF0 | (codePoint >> 18));
        *utf8 += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        *utf8 += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        *utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}
