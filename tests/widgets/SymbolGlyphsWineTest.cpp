// The navigation buttons' symbol captions: with the symbol face they are its arrows and
// square; with a face that is not installed the button draws the same shapes itself instead
// of showing digits and a letter. Each rendering is read back and classified by shape.
#include "SymbolGlyphs.h"
#include "VrHyperButton.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
const COLORREF ink = RGB(255, 255, 255);
const int width = 48, height = 24;

// The shapes drawn in ink, left to right: "<" and ">" an arrow pointing that way, "#" a
// square, "?" anything else (a digit, a letter). A shape is a run of inked columns, each
// column one unbroken run of pixels about the same centre.
std::string Shapes(HDC dc) {
    std::string shapes;
    int x = 0;
    while (x < width) {
        std::vector<int> tops, heights;
        for (; x < width; ++x) {
            int top = -1, bottom = -1, pieces = 0;
            for (int y = 0; y < height; ++y) {
                const bool inked = GetPixel(dc, x, y) == ink;
                if (inked && (y == 0 || GetPixel(dc, x, y - 1) != ink))
                    ++pieces;
                if (inked && top < 0)
                    top = y;
                if (inked)
                    bottom = y;
            }
            if (top < 0)
                break;
            if (pieces > 1)
                tops.push_back(-1000); // broken column: not one of the shapes
            else
                tops.push_back(top + bottom); // twice the centre
            heights.push_back(bottom - top + 1);
        }
        ++x;
        if (heights.empty())
            continue;
        bool centred = true, equal = true, growing = true, shrinking = true;
        for (size_t i = 1; i < heights.size(); ++i) {
            centred = centred && std::abs(tops[i] - tops[0]) <= 1;
            equal = equal && heights[i] == heights[0];
            growing = growing && heights[i] > heights[i - 1];
            shrinking = shrinking && heights[i] < heights[i - 1];
        }
        const int columns = static_cast<int>(heights.size());
        if (!centred || tops[0] < 0)
            shapes += '?';
        else if (equal && std::abs(columns - heights[0]) <= 1 && columns > 2)
            shapes += '#';
        else if (growing && columns > 1)
            shapes += '<';
        else if (shrinking && columns > 1)
            shapes += '>';
        else
            shapes += '?';
    }
    return shapes;
}

class SymbolCaptionTest : public testing::Test {
  protected:
    void SetUp() override {
        parent_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                  nullptr, nullptr);
        screen_ = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen_);
        bitmap_ = CreateCompatibleBitmap(screen_, width, height);
        previous_ = SelectObject(dc_, bitmap_);
    }
    void TearDown() override {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
        ReleaseDC(nullptr, screen_);
        DestroyWindow(parent_);
    }
    // The caption as a navigation button in that face draws it, and whether it drew shapes.
    std::string Render(const std::string& face, const std::string& caption, bool symbols,
                       bool* drewShapes) {
        TVrHyperButton button(parent_, "Glyphs", 1, caption);
        button.SetBounds(0, 0, width, height);
        button.Transparent = false;
        button.ColorLeave = RGB(0, 0, 0);
        button.SetBorderColor(RGB(0, 0, 0));
        button.SetFontColor(ink);
        button.SetFontHeight(-15);
        button.SetFontFace(face);
        button.SetSymbolCaption(symbols);
        *drewShapes = button.DrawsSymbolShapes();
        SendMessageA(button.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
        return Shapes(dc_);
    }
    HWND parent_ = nullptr;
    HDC screen_ = nullptr, dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

TEST_F(SymbolCaptionTest, TheFiveCaptionsShowTheSameShapesWithAndWithoutTheSymbolFace) {
    const struct {
        const char* Caption;
        const char* Shapes;
    } captions[] = {{"33", "<<"}, {"3", "<"}, {"g", "#"}, {"4", ">"}, {"44", ">>"}};
    for (const auto& caption : captions) {
        SCOPED_TRACE(caption.Caption);
        bool drewShapes = true;
        EXPECT_EQ(Render("Marlett", caption.Caption, true, &drewShapes), caption.Shapes);
        EXPECT_FALSE(drewShapes) << "the test prefix has the symbol face";
        EXPECT_EQ(Render("Velmora Missing Symbols", caption.Caption, true, &drewShapes),
                  caption.Shapes);
        EXPECT_TRUE(drewShapes);
    }
}

TEST_F(SymbolCaptionTest, WithoutTheFallbackAMissingFaceShowsTheDigitsAndTheLetter) {
    // What the arrows and the square become when a missing face is left to the system: text.
    bool drewShapes = true;
    EXPECT_EQ(Render("Velmora Missing Symbols", "3", false, &drewShapes), "?");
    EXPECT_FALSE(drewShapes);
    EXPECT_EQ(Render("Velmora Missing Symbols", "g", false, &drewShapes), "?");
    FontHandle symbols(
        CreateFontA(-15, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Marlett"));
    EXPECT_TRUE(FontHasFace(symbols.Get(), "Marlett"));
}
} // namespace
