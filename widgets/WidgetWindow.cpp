// The widgets' window plumbing and the host behaviour of widgets that wrap a standard control.
#include "WidgetWindow.h"

#include "WindowProcedure.h"

namespace {
using TProcedure = TWindowProcedure<TWidgetWindow>;
} // namespace

TWidgetWindow::~TWidgetWindow() {
    TProcedure::DestroyDetached(*this);
}

void TWidgetWindow::SetBounds(const TWidgetBounds& bounds) {
    SetWindowPos(handle_, nullptr, bounds.Left, bounds.Top, bounds.Width, bounds.Height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

TWidgetWindow* TWidgetWindow::FromHandle(HWND window) {
    return TProcedure::FromHandle(window);
}

void TWidgetWindow::RegisterWidgetClass(const char* className, UINT style, HCURSOR cursor) {
    TProcedure::Register(className, style, nullptr, cursor);
}

HWND TWidgetWindow::Create(DWORD exStyle, const char* className, DWORD style,
                           const TWidgetBounds& bounds, HWND parent, HMENU idOrMenu) {
    CreateWindowExA(exStyle, className, "", style, bounds.Left, bounds.Top, bounds.Width,
                    bounds.Height, parent, idOrMenu, OwnModule(), this);
    return handle_;
}

HWND TWidgetWindow::CreateHost(HWND parent, const char* hostClass, const TWidgetBounds& bounds,
                               DWORD innerExStyle, const char* innerClass, DWORD innerStyle,
                               int innerHeight) {
    RegisterWidgetClass(hostClass, 0, nullptr);
    HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_));
    if (!Create(WS_EX_CONTROLPARENT, hostClass, WS_CHILD | WS_VISIBLE, bounds, parent, id))
        return nullptr;
    return CreateWindowExA(innerExStyle, innerClass, "",
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP | innerStyle, 0, 0, bounds.Width,
                           innerHeight, handle_, id, OwnModule(), nullptr);
}

LRESULT TWidgetWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultHandler(message, wParam, lParam);
}

void TWidgetWindow::Notify(WORD code) const {
    HWND parent = GetParent(handle_);
    if (parent)
        SendMessageA(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id_), code),
                     reinterpret_cast<LPARAM>(handle_));
}

HFONT TWidgetWindow::Font() const {
    if (font_)
        return font_;
    HFONT parentFont = reinterpret_cast<HFONT>(SendMessageA(GetParent(handle_), WM_GETFONT, 0, 0));
    return parentFont ? parentFont : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

LRESULT TWidgetWindow::HostHandler(HWND inner, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        // The dialog decides the colours of what it holds, inner controls included.
        return SendMessageA(GetParent(handle_), message, wParam, lParam);
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        if (inner)
            SendMessageA(inner, WM_SETFONT, wParam, lParam);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_ENABLE:
        if (inner)
            EnableWindow(inner, static_cast<BOOL>(wParam));
        return 0;
    case WM_SETFOCUS:
        if (inner)
            SetFocus(inner);
        return 0;
    case WM_SIZE:
        if (inner)
            MoveWindow(inner, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    default:
        return DefaultHandler(message, wParam, lParam);
    }
}
