// The values behind the spin edit and the colour combo box, apart from any window: how a
// spin edit's text reads as a number in its range, and the eighteen named colours a colour
// combo box offers, with the name of a colour that is not among them.
#pragma once
#include <array>
#include <cstdint>
#include <string>

// The number a spin edit's text stands for, brought to the nearest bound of low..high; a text
// that is not a number reads as the lower bound. Surrounding spaces are allowed.
int SpinEditValue(const std::string& text, int low, int high);

struct TNamedColour {
    const char* Name;
    int32_t Value; // 0x00BBGGRR
};
constexpr int StandardColourCount = 18;
// In the order the combo box lists them; two values appear twice under other names.
const std::array<TNamedColour, StandardColourCount>& StandardColours();
// The first entry with the value, or -1.
int StandardColourIndex(int32_t colour);
// The entry a colour outside the list is shown as, so that it survives being read back.
std::string ForeignColourName(int32_t colour);
