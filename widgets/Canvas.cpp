// Fonts, colours and the off-screen buffer.
#include "Canvas.h"

#include "ScreenColour.h"
#include "WindowProcedure.h"

namespace {
// How the canvas's fonts and the dialogs' are made; only the character set differs between them.
FontHandle CreateFontWithCharSet(const std::string& face, int height, FontSmoothing smoothing,
                                 BYTE charSet) {
    LOGFONTA font = {};
    font.lfHeight = height;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = charSet;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = smoothing == FontSmoothing::None ? NONANTIALIASED_QUALITY : DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynA(font.lfFaceName, face.c_str(), LF_FACESIZE);
    return FontHandle(CreateFontIndirectA(&font));
}

int CALLBACK NoteSymbolCharSet(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM found) {
    // A failure ends the enumeration; the face is then taken in the default character set.
    return RunGuarded([&] {
        if (font->lfCharSet == SYMBOL_CHARSET)
            *reinterpret_cast<bool*>(found) = true;
    });
}

// Symbol faces such as the navigation arrows' exist only in their own character set; asked
// for in the default one, their letters come from another face.
BYTE CharSetOfFace(const std::string& face) {
    LOGFONTA query = {};
    query.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(query.lfFaceName, face.c_str(), LF_FACESIZE);
    bool symbol = false;
    WindowDC screen(nullptr);
    EnumFontFamiliesExA(screen.Get(), &query, NoteSymbolCharSet, reinterpret_cast<LPARAM>(&symbol), 0);
    return symbol ? SYMBOL_CHARSET : DEFAULT_CHARSET;
}
} // namespace

FontHandle CreateCanvasFont(const std::string& face, int height, FontSmoothing smoothing) {
    return CreateFontWithCharSet(face, height, smoothing, CharSetOfFace(face));
}

FontHandle CreateFaceFont(const std::string& face, int height) {
    return CreateFontWithCharSet(face, height, FontSmoothing::System, DEFAULT_CHARSET);
}

int PointsToFontHeight(int points, int dpi) {
    return -MulDiv(points, dpi, 72);
}

int PointsToFontHeight(int points) {
    WindowDC screen(nullptr);
    return PointsToFontHeight(points, GetDeviceCaps(screen.Get(), LOGPIXELSY));
}

COLORREF ToColorRef(int32_t colour) {
    return ScreenColourOf(colour, [](int index) { return GetSysColor(index); });
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    BrushHandle brush(CreateSolidBrush(colour));
    FillRect(dc, &rect, brush.Get());
}

SIZE TextExtent(HDC dc, const std::string& text) {
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    if (text.empty()) {
        TEXTMETRICA metrics;
        GetTextMetricsA(dc, &metrics);
        size.cy = metrics.tmHeight;
    }
    return size;
}

TMemoryCanvas::TMemoryCanvas(HDC target, int width, int height)
    : dc_(CreateCompatibleDC(target)),
      bitmap_(CreateCompatibleBitmap(target, width > 0 ? width : 1, height > 0 ? height : 1)),
      selection_(dc_.Get(), bitmap_.Get()), width_(width), height_(height) {}

TMemoryCanvas::~TMemoryCanvas() = default;

void TMemoryCanvas::CopyTo(HDC target, int x, int y) const {
    BitBlt(target, x, y, width_, height_, dc_.Get(), 0, 0, SRCCOPY);
}

COLORREF ContrastingOutline(COLORREF text) {
    const int luminance =
        (299 * GetRValue(text) + 587 * GetGValue(text) + 114 * GetBValue(text)) / 1000;
    return luminance >= 128 ? RGB(0, 0, 0) : RGB(255, 255, 255);
}

void OutlinedTextOut(HDC dc, int x, int y, const std::string& text, COLORREF colour, bool outline) {
    const int length = static_cast<int>(text.size());
    if (outline) {
        SetTextColor(dc, ContrastingOutline(colour));
        DrawOutlineRing(
            [&](int dx, int dy) { TextOutA(dc, x + dx, y + dy, text.c_str(), length); });
    }
    SetTextColor(dc, colour);
    TextOutA(dc, x, y, text.c_str(), length);
}
