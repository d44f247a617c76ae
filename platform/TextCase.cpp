// Case-blind comparison of the program's names.
#include "TextCase.h"

#include <algorithm>

namespace {
bool SameRange(const char* a, const char* b, size_t count) {
    for (size_t i = 0; i < count; ++i)
        if (LowerCaseAscii(a[i]) != LowerCaseAscii(b[i]))
            return false;
    return true;
}

bool ByteBefore(char x, char y) {
    return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
}
} // namespace

char LowerCaseAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerCaseAscii(std::string text) {
    for (char& c : text)
        c = LowerCaseAscii(c);
    return text;
}

std::string UpperCaseAscii(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && SameRange(a.data(), b.data(), a.size());
}

bool SameTextIgnoringCase(const char* a, size_t aLength, const char* b, size_t bLength) {
    return aLength == bLength && SameRange(a, b, aLength);
}

bool BeforeIgnoringCase(const std::string& a, const std::string& b) {
    const auto folded = [](char x, char y) {
        return ByteBefore(LowerCaseAscii(x), LowerCaseAscii(y));
    };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), folded))
        return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), folded))
        return false;
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), ByteBefore);
}

bool BeginsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && SameRange(text.data(), prefix.data(), prefix.size());
}

bool EndsWithIgnoringCase(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           SameRange(text.data() + text.size() - suffix.size(), suffix.data(), suffix.size());
}
