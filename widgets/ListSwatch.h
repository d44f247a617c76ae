// Custom drawing of a report list in which one column shows each row's colour as a swatch
// instead of text: the lists of reminders and of reminder types share it.
#pragma once
#include "BaseForm.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>

// A stored colour as the screen takes it: a negative value is a system colour, by its index
// in the low byte.
COLORREF ScreenColour(int32_t colour);

// The swatch colour of a row, or false where the row has none (drawn as usual).
using TRowSwatch = std::function<bool(size_t row, COLORREF* colour)>;

// Answers one NM_CUSTOMDRAW stage of the list in event.draw: asks for item and sub-item
// stages, fills the swatch column's cell (less the inset on each side) and leaves every other
// cell to the list.
void DrawSwatchColumn(TFormEvent& event, int swatchColumn, int insetX, int insetY,
                      const TRowSwatch& swatchOf);
