// The hover button: a centred one-line caption on a see-through face, a thin frame while the
// pointer is elsewhere, a filled raised face while the pointer is over it and a sunken one
// while it is pressed. The window's day cells and navigation buttons are made of it.
#pragma once
#include "BaseWindow.h"
#include "HintManager.h"
#include "WinHandles.h"

#include <functional>
#include <string>

enum class TMouseButton { Left, Right, Middle };

struct TShiftState {
    bool Shift = false;
    bool Ctrl = false;
    bool Alt = false;
};

class TVrHyperButton : public TBaseWindow, public THintSource {
  public:
    TVrHyperButton(HWND parent, const std::string& name, int id, const std::string& caption);
    ~TVrHyperButton() override;

    const std::string& Name() const { return name_; }
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    // What a screen reader says and automation finds: the window's text, while the caption (a
    // symbol face's glyph, say) is what is drawn. Without one the window's text is the caption.
    void SetAccessibleName(const std::string& name);
    void SetBounds(int left, int top, int width, int height);
    RECT Bounds() const { return bounds_; }

    void SetFontFace(const std::string& face);
    void SetFontHeight(int height);
    void SetFontColor(COLORREF colour);

    void SetBorderColor(COLORREF colour);
    // The thickness of the frame and the raised or sunken edges, in pixels (1 at 96 DPI).
    void SetFrameWidth(int width);
    void SetColorEnter(COLORREF colour);
    COLORREF BorderHighlight = GetSysColor(COLOR_WINDOW);
    COLORREF BorderShadow = RGB(0, 0, 0);
    // Only used when the button is not transparent.
    COLORREF ColorLeave = RGB(0xC0, 0xC0, 0xC0);
    // A transparent button shows its parent's background (WM_CTLCOLORBTN) behind the caption.
    bool Transparent = true;
    // The caption names glyphs of a symbol face (see SymbolGlyphs.h), drawn as shapes of
    // their own where that face is not installed.
    void SetSymbolCaption(bool symbols);
    // A ring of whole pixels in a contrasting colour around the caption, so that it reads on
    // any background and stays clear of the transparency key.
    void SetOutline(bool outline);
    // Whether the caption is drawn as shapes rather than as text in the font.
    bool DrawsSymbolShapes() const { return symbolCaption_ && !fontHasFace_; }

    std::string Hint;
    std::function<void(TVrHyperButton&)> OnClick;
    std::function<void(TVrHyperButton&, TMouseButton, TShiftState)> OnMouseDown;
    std::function<void(TVrHyperButton&)> OnMouseEnter;
    std::function<void(TVrHyperButton&)> OnMouseLeave;

    HWND HintControl() const override { return Handle(); }
    std::string HintText() const override { return Hint; }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc) override;

  private:
    void MouseMove();
    void MouseLeave();
    void MouseDown(TMouseButton button, WPARAM keys);
    void LeftButtonUp(LPARAM position);
    void Repaint() { InvalidateRect(Handle(), nullptr, FALSE); }
    void RecreateFont();

    std::string name_;
    std::string caption_;
    std::string accessibleName_;
    RECT bounds_ = {0, 0, 0, 0};
    std::string fontFace_ = "Arial";
    int fontHeight_ = -13;
    COLORREF fontColor_ = RGB(255, 255, 255);
    FontHandle font_;
    COLORREF borderColor_ = RGB(0, 0, 0);
    int frameWidth_ = 1;
    COLORREF colorEnter_ = RGB(0, 0, 0x80);
    bool symbolCaption_ = false;
    bool outline_ = false;
    bool fontHasFace_ = true;
    bool hovered_ = false;
    bool pressed_ = false;
    ATOM nameAtom_ = 0;
};
