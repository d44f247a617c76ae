// How a stored colour is drawn: the one rule behind the desktop window, the widgets and the
// dialogs, so a reminder type's swatch in a dialog is the colour its days take on the desktop.
#pragma once
#include <cstdint>

// The highest index the system keeps a colour under (the menu bar's).
constexpr int LastSystemColourIndex = 30;

// A stored colour is a Windows colour value. One whose top byte is 0x80 names the system
// colour of its low byte: this returns that index, or -1 for a colour that names none.
constexpr int SystemColourIndex(int32_t colour) {
    const uint32_t value = static_cast<uint32_t>(colour);
    return (value & 0xFF000000u) == 0x80000000u ? static_cast<int>(value & 0xFFu) : -1;
}

// The 0x00BBGGRR colour a stored colour is drawn in, with systemColour(index) giving the
// system's colours. A system index the system has no colour for is black. Every other value is
// drawn in its low three bytes, whatever its top byte: -1, the colour of a type name that is
// not in the table and what older files may hold, is white, the calendar's own text colour by
// default, as the desktop window has always drawn it.
template <typename SystemColour>
constexpr uint32_t ScreenColourOf(int32_t colour, SystemColour systemColour) {
    const int index = SystemColourIndex(colour);
    if (index < 0)
        return static_cast<uint32_t>(colour) & 0x00FFFFFFu;
    return index <= LastSystemColourIndex ? static_cast<uint32_t>(systemColour(index)) : 0u;
}
