// Drawing and mouse handling of the hover button.
#include "VrHyperButton.h"

#include "Canvas.h"
#include "SymbolGlyphs.h"
#ifdef VELMORA_TEST_HOOKS
#include "VrHyperButtonMessages.h"
#endif

namespace {
const char* const className = "TVrHyperButton";

TShiftState ShiftStateOf(WPARAM keys) {
    TShiftState state;
    state.Shift = (keys & MK_SHIFT) != 0;
    state.Ctrl = (keys & MK_CONTROL) != 0;
    state.Alt = GetKeyState(VK_MENU) < 0;
    return state;
}

void DrawEdgeLine(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight) {
    PenHandle light(CreatePen(PS_SOLID, 1, topLeft));
    PenHandle dark(CreatePen(PS_SOLID, 1, bottomRight));
    {
        SelectedObject pen(dc, light.Get());
        MoveToEx(dc, rect.left, rect.bottom - 1, nullptr);
        LineTo(dc, rect.left, rect.top);
        LineTo(dc, rect.right - 1, rect.top);
    }
    SelectedObject pen(dc, dark.Get());
    MoveToEx(dc, rect.right - 1, rect.top, nullptr);
    LineTo(dc, rect.right - 1, rect.bottom - 1);
    LineTo(dc, rect.left - 1, rect.bottom - 1);
}

// Edges width pixels thick, one line inside the other.
void DrawEdgeLines(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight, int width) {
    DrawFrameLines(rect, width,
                   [&](const RECT& line) { DrawEdgeLine(dc, line, topLeft, bottomRight); });
}
} // namespace

TVrHyperButton::TVrHyperButton(HWND parent, const std::string& name, int id,
                               const std::string& caption)
    : name_(name), caption_(caption) {
    RegisterWindowClass(className, 0, nullptr, nullptr);
    CreateHandle(0, className, caption.c_str(), WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent, id);
    // The name travels as a global atom so that another process can read it too.
    nameAtom_ = GlobalAddAtomA(name.c_str());
    SetPropA(Handle(), "Name", reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(nameAtom_)));
    RecreateFont();
    THintManager::Application().Register(this);
}

TVrHyperButton::~TVrHyperButton() {
    THintManager::Application().Unregister(this);
    if (Handle()) RemovePropA(Handle(), "Name");
    if (nameAtom_) GlobalDeleteAtom(nameAtom_);
}

void TVrHyperButton::SetCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    if (accessibleName_.empty()) SetWindowTextA(Handle(), caption.c_str());
    Repaint();
}

void TVrHyperButton::SetAccessibleName(const std::string& name) {
    accessibleName_ = name;
    SetWindowTextA(Handle(), (name.empty() ? caption_ : name).c_str());
}

void TVrHyperButton::SetBounds(int left, int top, int width, int height) {
    bounds_ = {left, top, left + width, top + height};
    SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TVrHyperButton::RecreateFont() {
    font_ = CreateCanvasFont(fontFace_, fontHeight_, FontSmoothing::None);
    // Asked once per font, not at every paint: a symbol face is there or not for the run.
    fontHasFace_ = !symbolCaption_ || FontHasFace(font_.Get(), fontFace_);
}

void TVrHyperButton::SetFontFace(const std::string& face) {
    if (face == fontFace_) return;
    fontFace_ = face;
    RecreateFont();
    Repaint();
}

void TVrHyperButton::SetFontHeight(int height) {
    if (height == fontHeight_) return;
    fontHeight_ = height;
    RecreateFont();
    Repaint();
}

void TVrHyperButton::SetSymbolCaption(bool symbols) {
    if (symbols == symbolCaption_) return;
    symbolCaption_ = symbols;
    fontHasFace_ = !symbolCaption_ || FontHasFace(font_.Get(), fontFace_);
    Repaint();
}

void TVrHyperButton::SetFontColor(COLORREF colour) {
    if (colour == fontColor_) return;
    fontColor_ = colour;
    Repaint();
}

void TVrHyperButton::SetBorderColor(COLORREF colour) {
    if (colour == borderColor_) return;
    borderColor_ = colour;
    Repaint();
}

void TVrHyperButton::SetFrameWidth(int width) {
    if (width < 1 || width == frameWidth_) return;
    frameWidth_ = width;
    Repaint();
}

void TVrHyperButton::SetOutline(bool outline) {
    if (outline == outline_)
        return;
    outline_ = outline;
    Repaint();
}

void TVrHyperButton::SetColorEnter(COLORREF colour) {
    if (colour == colorEnter_) return;
    colorEnter_ = colour;
    Repaint();
}

void TVrHyperButton::Paint(HDC target) {
    RECT client;
    GetClientRect(Handle(), &client);
    TMemoryCanvas canvas(target, client.right, client.bottom);
    HDC dc = canvas.Get();
    const bool sunken = pressed_ && hovered_;
    if (hovered_) {
        FillSolid(dc, client, colorEnter_);
        if (sunken) DrawEdgeLines(dc, client, BorderShadow, BorderHighlight, frameWidth_);
        else DrawEdgeLines(dc, client, BorderHighlight, BorderShadow, frameWidth_);
    } else {
        HBRUSH background = Transparent ? reinterpret_cast<HBRUSH>(SendMessageA(
                                              GetParent(Handle()), WM_CTLCOLORBTN,
                                              reinterpret_cast<WPARAM>(dc),
                                              reinterpret_cast<LPARAM>(Handle())))
                                        : nullptr;
        if (background) FillRect(dc, &client, background);
        else FillSolid(dc, client, ColorLeave);
        BrushHandle frame(CreateSolidBrush(borderColor_));
        const RECT edge = DrawFrameLines(
            client, frameWidth_, [&](const RECT& line) { FrameRect(dc, &line, frame.Get()); });
        // A frame that shows (not the see-through background's colour) gets the caption's
        // outline on its inner side, as the caption does around its strokes.
        LOGBRUSH shown = {};
        const bool frameShows = !background || !GetObjectA(background, sizeof shown, &shown) ||
                                shown.lbColor != borderColor_;
        if (outline_ && frameShows && edge.right > edge.left && edge.bottom > edge.top) {
            BrushHandle ring(CreateSolidBrush(ContrastingOutline(borderColor_)));
            FrameRect(dc, &edge, ring.Get());
        }
    }
    SelectedObject font(dc, font_.Get());
    SetBkMode(dc, TRANSPARENT);
    RECT text = client;
    if (sunken) OffsetRect(&text, frameWidth_, frameWidth_);
    const auto drawCaption = [&](const RECT& box, COLORREF colour) {
        SetTextColor(dc, colour);
        RECT place = box;
        if (DrawsSymbolShapes())
            DrawSymbolCaption(dc, place, caption_, colour, fontHeight_);
        else
            DrawTextA(dc, caption_.c_str(), -1, &place,
                      DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    };
    if (outline_ && !caption_.empty()) {
        const COLORREF outline = ContrastingOutline(fontColor_);
        DrawOutlineRing([&](int dx, int dy) {
            RECT moved = text;
            OffsetRect(&moved, dx, dy);
            drawCaption(moved, outline);
        });
    }
    drawCaption(text, fontColor_);
    canvas.CopyTo(target);
}

void TVrHyperButton::MouseMove() {
    if (hovered_) return;
    hovered_ = true;
    TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, Handle(), 0};
    TrackMouseEvent(&track);
    Repaint();
    if (OnMouseEnter) OnMouseEnter(*this);
    THintManager::Application().MouseEntered(this);
}

void TVrHyperButton::MouseLeave() {
    if (!hovered_) return;
    hovered_ = false;
    Repaint();
    if (OnMouseLeave) OnMouseLeave(*this);
    THintManager::Application().MouseLeft(this);
}

void TVrHyperButton::MouseDown(TMouseButton button, WPARAM keys) {
    THintManager::Application().MouseClicked(this);
    if (button == TMouseButton::Left) {
        pressed_ = true;
        SetCapture(Handle());
        Repaint();
    }
    if (OnMouseDown) OnMouseDown(*this, button, ShiftStateOf(keys));
    // A handler that took the capture away (to drag the window) has used up the press.
    if (pressed_ && GetCapture() != Handle()) {
        pressed_ = false;
        Repaint();
    }
}

void TVrHyperButton::LeftButtonUp(LPARAM position) {
    if (!pressed_) return;
    pressed_ = false;
    ReleaseCapture();
    Repaint();
    RECT client;
    GetClientRect(Handle(), &client);
    POINT point = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    if (PtInRect(&client, point) && OnClick) OnClick(*this);
}

LRESULT TVrHyperButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result;
    if (PaintMessage(message, &result)) return result;
    switch (message) {
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_MOUSEMOVE:
        MouseMove();
        return 0;
    case WM_MOUSELEAVE:
        MouseLeave();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        MouseDown(TMouseButton::Left, wParam);
        return 0;
    case WM_RBUTTONDOWN:
        MouseDown(TMouseButton::Right, wParam);
        return 0;
    case WM_LBUTTONUP:
        LeftButtonUp(lParam);
        return 0;
    case WM_CAPTURECHANGED:
        if (pressed_) {
            pressed_ = false;
            Repaint();
        }
        return 0;
    case BM_CLICK:
        THintManager::Application().MouseClicked(this);
        if (OnClick) OnClick(*this);
        return 0;
#ifdef VELMORA_TEST_HOOKS
    case HoverButtonBorderColorQuery:
        return static_cast<LRESULT>(borderColor_);
    case HoverButtonFontColorQuery:
        return static_cast<LRESULT>(fontColor_);
    case HoverButtonColorEnterQuery:
        return static_cast<LRESULT>(colorEnter_);
    case HoverButtonHintAtomQuery:
        return GlobalAddAtomA(Hint.substr(0, 255).c_str());
    case HoverButtonIsHoveredQuery:
        return hovered_ ? 1 : 0;
#endif
    default:
        return DefaultHandler(message, wParam, lParam);
    }
}
