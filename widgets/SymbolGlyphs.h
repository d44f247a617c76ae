// The navigation buttons' captions name glyphs of a symbol face: "3" and "4" are arrows to the
// left and right, "g" a filled square. Where that face is not installed (a fresh Wine prefix,
// for one) the system would show the digits and the letter instead, so the same shapes are
// drawn as polygons.
#pragma once
#include <windows.h>

#include <string>

// Whether the font, selected into a screen DC, is the face it was asked for and not a stand-in.
bool FontHasFace(HFONT font, const std::string& face);
// Draws the caption's glyphs, centred in the box, in the colour, sized for a font of the
// given character height (negative, as fonts are asked for). Other characters are skipped.
void DrawSymbolCaption(HDC dc, const RECT& box, const std::string& caption, COLORREF colour,
                       int fontHeight);
