// Messages with which another program (the window tests) reads a hover button's state. Only
// the test build (VELMORA_TEST_HOOKS) answers them.
// A button's component name is the global atom in its window property "Name".
#pragma once
#include <windows.h>

constexpr UINT HoverButtonBorderColorQuery = WM_APP + 1; // returns BorderColor
constexpr UINT HoverButtonFontColorQuery = WM_APP + 2;   // returns the caption colour
constexpr UINT HoverButtonColorEnterQuery = WM_APP + 3;  // returns ColorEnter
// Returns a new global atom holding the hint (up to 255 characters); the caller deletes it.
constexpr UINT HoverButtonHintAtomQuery = WM_APP + 4;
constexpr UINT HoverButtonIsHoveredQuery =
    WM_APP + 5; // returns 1 while the pointer is over the button
