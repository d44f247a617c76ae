// Spin edit numbers and the named colours of the colour combo box.
#include "WidgetValues.h"

#include <cctype>
#include <cstdio>

int SpinEditValue(const std::string& text, int low, int high) {
    if (high < low)
        high = low;
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    const size_t digitsStart = i;
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        if (value < 10000000000LL)
            value = value * 10 + (text[i] - '0'); // saturates, never wraps
    const size_t digitsEnd = i;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    if (digitsEnd == digitsStart || i != text.size())
        return low;
    if (negative)
        value = -value;
    if (value < low)
        return low;
    if (value > high)
        return high;
    return static_cast<int>(value);
}

const std::array<TNamedColour, StandardColourCount>& StandardColours() {
    static const std::array<TNamedColour, StandardColourCount> colours = {{
        {"Black", 0x000000},
        {"Maroon", 0x000080},
        {"Green", 0x008000},
        {"Olive", 0x008080},
        {"Navy", 0x800000},
        {"Purple", 0x800080},
        {"Teal", 0x808000},
        {"Gray", 0x808080},
        {"Silver", 0xC0C0C0},
        {"Red", 0x0000FF},
        {"Lime", 0x00FF00},
        {"Yellow", 0x00FFFF},
        {"Blue", 0xFF0000},
        {"Fuchsia", 0xFF00FF},
        {"Aqua", 0xFFFF00},
        {"LtGray", 0xC0C0C0},
        {"DkGray", 0x808080},
        {"White", 0xFFFFFF},
    }};
    return colours;
}

int StandardColourIndex(int32_t colour) {
    const auto& colours = StandardColours();
    for (int i = 0; i < StandardColourCount; ++i)
        if (colours[i].Value == colour)
            return i;
    return -1;
}

std::string ForeignColourName(int32_t colour) {
    if (colour < 0 || colour > 0xFFFFFF)
        return "Custom " + std::to_string(colour);
    // Written the way colours are usually written, red first.
    char text[16];
    std::snprintf(text, sizeof text, "Custom #%02X%02X%02X", colour & 0xFF, (colour >> 8) & 0xFF,
                  (colour >> 16) & 0xFF);
    return text;
}
