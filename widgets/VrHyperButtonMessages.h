// Messages with which another program (the window tests) reads a hover button's state.
// A button's component name is the global atom in its window property "Name".
#pragma once

#define VRM_GETBORDERCOLOR (0x8000 + 1) // returns BorderColor
#define VRM_GETFONTCOLOR (0x8000 + 2)   // returns the caption colour
#define VRM_GETCOLORENTER (0x8000 + 3)  // returns ColorEnter
#define VRM_GETHINTATOM (0x8000 + 4)    // returns a new global atom holding the hint (up to 255 characters); the caller deletes it
#define VRM_ISHOVERED (0x8000 + 5)      // returns 1 while the pointer is over the button
