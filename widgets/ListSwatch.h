// Custom drawing of a report list in which one column shows each row's colour as a swatch
// instead of text: the lists of reminders and of reminder types share it.
#pragma once
#include "BaseForm.h"

#include <windows.h>

#include <cstddef>
#include <functional>

// The swatch colour of a row, or false where the row has none (drawn as usual).
using TRowSwatch = std::function<bool(size_t row, COLORREF* colour)>;

// Answers one NM_CUSTOMDRAW stage of the list in event.draw: asks for item and sub-item
// stages, fills the swatch column's cell (less the inset on each side) and leaves every other
// cell to the list.
void DrawSwatchColumn(TFormEvent& event, int swatchColumn, int insetX, int insetY,
                      const TRowSwatch& swatchOf);
// The same, but the swatch is a square at the left of the cell and the cell's own text (what
// the list answers for it) follows it, in the row's selection colours; a row without a
// swatch shows its text alone.
void DrawSwatchAndTextColumn(TFormEvent& event, int swatchColumn, int insetX, int insetY,
                             const TRowSwatch& swatchOf);
// The last column takes whatever width the others leave of the list's client area, so that
// no empty header shows at the right; called again when a scroll bar comes or goes.
void FitLastColumn(HWND list);
