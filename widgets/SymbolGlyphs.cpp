// Symbol glyphs as polygons, and the check that a symbol face is really there.
#include "SymbolGlyphs.h"

#include "WinHandles.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

bool FontHasFace(HFONT font, const std::string& face) {
    WindowDC screen(nullptr);
    SelectedObject selection(screen.Get(), font);
    char used[LF_FACESIZE] = "";
    GetTextFaceA(screen.Get(), sizeof used, used);
    return lstrcmpiA(used, face.c_str()) == 0;
}

void DrawSymbolCaption(HDC dc, const RECT& box, const std::string& caption, COLORREF colour,
                       int fontHeight) {
    // The face's proportions: each glyph centred in a cell one character height wide; an
    // arrow four fifteenths of it wide and twice that tall, a column two pixels taller at
    // each step from the point; a square eleven fifteenths of it.
    const int cell = std::abs(fontHeight);
    const int arrowWidth = std::max(2, (cell * 4 + 7) / 15);
    const int square = std::max(3, (cell * 11 + 7) / 15);

    std::vector<char> glyphs;
    for (char glyph : caption)
        if (glyph == '3' || glyph == '4' || glyph == 'g')
            glyphs.push_back(glyph);
    BrushHandle brush(CreateSolidBrush(colour));
    const int width = static_cast<int>(glyphs.size()) * cell;
    int left = box.left + (box.right - box.left - width) / 2;
    const int middle = box.top + (box.bottom - box.top) / 2;
    for (char glyph : glyphs) {
        const int centre = left + cell / 2;
        if (glyph == 'g') {
            const RECT face = {centre - square / 2, middle - square / 2,
                               centre - square / 2 + square, middle - square / 2 + square};
            FillRect(dc, &face, brush.Get());
        } else {
            const int first = centre - arrowWidth / 2;
            for (int column = 0; column < arrowWidth; ++column) {
                // Counted from the point: left for "3", right for "4".
                const int fromPoint = glyph == '3' ? column : arrowWidth - 1 - column;
                const RECT run = {first + column, middle - fromPoint - 1, first + column + 1,
                                  middle + fromPoint + 1};
                FillRect(dc, &run, brush.Get());
            }
        }
        left += cell;
    }
}
