// The hyperlink label's drawing, keys and mouse, and opening its address.
#include "HyperlinkLabel.h"

#include "WidgetNotifications.h"

#include <shellapi.h>

namespace {
const char* const labelClass = "THyperlinkLabel";

// The shell is bound only for the moment a link is opened, so loading the library that holds
// the widgets stays cheap.
void OpenWithShell(const std::string& url) {
    ModuleHandle shell(LoadLibraryA("shell32.dll"));
    if (!shell)
        return;
    using ShellExecuteProc = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
    const auto execute = BindExport<ShellExecuteProc>(shell, "ShellExecuteA");
    if (execute)
        execute(nullptr, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
int Brightness(COLORREF colour) {
    return (GetRValue(colour) * 299 + GetGValue(colour) * 587 + GetBValue(colour) * 114) / 1000;
}

// The system's link colour, unless it can hardly be told from the face behind it (some themes
// make it a pale grey); then the usual link blue.
COLORREF LinkColour() {
    const COLORREF link = GetSysColor(COLOR_HOTLIGHT);
    const int contrast = Brightness(GetSysColor(COLOR_BTNFACE)) - Brightness(link);
    return contrast > 90 || contrast < -90 ? link : RGB(0, 0x66, 0xCC);
}
} // namespace

THyperlinkLabel::THyperlinkLabel(HWND parent, const std::string& name, int id,
                                 const TWidgetBounds& bounds, const std::string& caption,
                                 double scale)
    : TWidgetWindow(name, id), caption_(caption), scale_(scale > 0.0 ? scale : 1.0) {
    RegisterWidgetClass(labelClass, CS_HREDRAW | CS_VREDRAW, LoadCursor(nullptr, IDC_HAND));
    Create(0, labelClass, WS_CHILD | WS_VISIBLE | WS_TABSTOP, bounds, parent,
           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
    SetWindowTextA(Handle(), caption_.c_str());
}

void THyperlinkLabel::SetCaption(const std::string& caption) {
    caption_ = caption;
    SetWindowTextA(Handle(), caption_.c_str());
    InvalidateRect(Handle(), nullptr, TRUE);
}

void THyperlinkLabel::Click() {
    Notify(WidgetLinkClicked);
    if (Url.empty())
        return;
    if (OnOpen)
        OnOpen(Url);
    else
        OpenWithShell(Url);
}

HFONT THyperlinkLabel::LinkFont() {
    const HFONT base = Font();
    if (!linkFont_ || linkFontOf_ != base) {
        LOGFONTA face = {};
        GetObjectA(base, sizeof face, &face);
        face.lfUnderline = TRUE;
        linkFont_.Reset(CreateFontIndirectA(&face));
        linkFontOf_ = base;
    }
    return linkFont_.Get();
}

void THyperlinkLabel::Paint(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    // The parent chooses the background, as for its static texts.
    HBRUSH background = reinterpret_cast<HBRUSH>(
        SendMessageA(GetParent(Handle()), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(Handle())));
    FillRect(dc, &client, background ? background : GetSysColorBrush(COLOR_BTNFACE));
    SelectedObject font(dc, LinkFont());
    SetBkMode(dc, TRANSPARENT);
    const bool enabled = IsWindowEnabled(Handle()) != FALSE;
    SetTextColor(dc, enabled ? LinkColour() : GetSysColor(COLOR_GRAYTEXT));
    RECT text = client;
    DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text,
              DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    const int height = text.bottom - text.top;
    OffsetRect(&text, 1, (client.bottom - height) / 2);
    if (text.right > client.right - 1)
        text.right = client.right - 1;
    DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text,
              DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (GetFocus() == Handle()) {
        InflateRect(&text, 1, 0);
        DrawFocusRect(dc, &text);
    }
}

LRESULT THyperlinkLabel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PaintSession paint(Handle());
        Paint(paint.Get());
        return 0;
    }
    case WM_GETDLGCODE: {
        // Enter opens the link instead of pressing the dialog's default button.
        const MSG* pending = reinterpret_cast<const MSG*>(lParam);
        if (pending && pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN)
            return DLGC_WANTMESSAGE;
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    }
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_SPACE) {
            if (!(lParam & (1 << 30)))
                Click(); // not again while the key repeats
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == '\r' || wParam == ' ')
            return 0;
        break;
    case WM_LBUTTONDOWN:
        SetFocus(Handle());
        SetCapture(Handle());
        pressed_ = true;
        return 0;
    case WM_LBUTTONUP: {
        if (!pressed_)
            return 0;
        pressed_ = false;
        ReleaseCapture();
        RECT client;
        GetClientRect(Handle(), &client);
        const POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (PtInRect(&client, at))
            Click();
        return 0;
    }
    case WM_CAPTURECHANGED:
        pressed_ = false;
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
        InvalidateRect(Handle(), nullptr, TRUE);
        return 0;
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        if (lParam)
            InvalidateRect(Handle(), nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    }
    return DefaultHandler(message, wParam, lParam);
}
