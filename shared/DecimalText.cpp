// Reading a signed 32-bit decimal number from text.
#include "DecimalText.h"

bool ParseDecimalInt32(const std::string& text, int32_t* value) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i == text.size()) return false;
    long long number = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        number = number * 10 + (text[i] - '0');
        if (number > 2147483648LL) return false;
    }
    if (negative) number = -number;
    if (number > 2147483647LL) return false;
    *value = static_cast<int32_t>(number);
    return true;
}

bool ParseStoredNumber(const std::string& text, int32_t* value) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        long long number = 0;
        for (size_t i = 2; i < text.size(); ++i) {
            const char c = text[i];
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0)
                return false;
            number = number * 16 + digit;
            if (number > 0xFFFFFFFFLL)
                return false;
        }
        *value = static_cast<int32_t>(number > 0x7FFFFFFFLL ? number - 0x100000000LL : number);
        return true;
    }
    return ParseDecimalInt32(text, value);
}
