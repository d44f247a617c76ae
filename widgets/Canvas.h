// Drawing helpers shared by the widgets and the windows: fonts that stay crisp on the
// transparency key colour, colour values, and an off-screen buffer for flicker-free paints.
#pragma once
#include "WinHandles.h"

#include <cstdint>
#include <string>

// Anti-aliased letters blend into the key colour and leave a visible fringe on the desktop
// behind a colour-keyed window, so text drawn on it uses whole-pixel fonts.
enum class FontSmoothing { None, System };

// A regular font of the face, height in pixels as fonts are asked for (negative: the character
// height). The desktop window, its hints and hover buttons draw in it: a symbol face is taken in
// its own character set, where its letters are.
FontHandle CreateCanvasFont(const std::string& face, int height, FontSmoothing smoothing);
// The same font as the system's controls take it, in the default character set, smoothed as
// the system smooths: the fonts of the dialogs, whose controls show text, never symbols.
FontHandle CreateFaceFont(const std::string& face, int height);
// The character height in pixels (negative, as fonts are asked for) of a size in points, at
// a window's dots per inch or the screen's.
int PointsToFontHeight(int points, int dpi);
int PointsToFontHeight(int points);
// A stored colour as a drawing colour, by the rule of ScreenColour.h (the system's colours from
// GetSysColor): the one conversion of the window, the widgets and the dialogs.
COLORREF ToColorRef(int32_t colour);
void FillSolid(HDC dc, const RECT& rect, COLORREF colour);
// Width and height of text in the font selected into dc.
SIZE TextExtent(HDC dc, const std::string& text);

// Black for light text, white for dark: the outline that keeps text readable on any
// background. Never the transparency key, which is neither.
COLORREF ContrastingOutline(COLORREF text);
// Draws whatever draw(dx, dy) draws once at each of the eight one-pixel offsets around it in
// the outline colour (already set by the caller's draw through the colour it is given).
template <typename Draw> void DrawOutlineRing(Draw draw) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (dx != 0 || dy != 0)
                draw(dx, dy);
}
// A frame width pixels thick: ring(rect) once for each line of it, each one pixel inside the
// last, while the rectangle is not empty. Returns what lies inside the frame.
template <typename Ring> RECT DrawFrameLines(RECT rect, int width, Ring ring) {
    for (int line = 0; line < width && rect.right > rect.left && rect.bottom > rect.top; ++line) {
        ring(rect);
        InflateRect(&rect, -1, -1);
    }
    return rect;
}
// Text at (x, y) in the selected font and its colour, with an outline ring when asked for.
void OutlinedTextOut(HDC dc, int x, int y, const std::string& text, COLORREF colour, bool outline);

// A bitmap of the target's kind to draw a whole paint into before it is copied out at once.
class TMemoryCanvas {
  public:
    TMemoryCanvas(HDC target, int width, int height);
    ~TMemoryCanvas();
    TMemoryCanvas(const TMemoryCanvas&) = delete;
    TMemoryCanvas& operator=(const TMemoryCanvas&) = delete;
    HDC Get() const { return dc_.Get(); }
    void CopyTo(HDC target, int x = 0, int y = 0) const;

  private:
    // Declared in the order of making: the bitmap is selected out before either is deleted.
    MemoryDC dc_;
    BitmapHandle bitmap_;
    SelectedObject selection_;
    int width_;
    int height_;
};
