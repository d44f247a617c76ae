// The notification-area icon over the shell's notify-icon API.
#include "TrayIcon.h"

#include <shellapi.h>

#include <cstring>

namespace {
const UINT trayIconId = 1;

NOTIFYICONDATAA IconData(HWND window) {
    NOTIFYICONDATAA data = {};
    // The size of the version that has balloons, which every system since 2000 takes.
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = trayIconId;
    return data;
}

void CopyText(char* target, size_t size, const std::string& text) {
    const size_t length = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(target, text.data(), length);
    target[length] = '\0';
}
} // namespace

TTrayIcon::TTrayIcon(HWND window)
    : window_(window),
      icon_(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON,
                                          GetSystemMetrics(SM_CXSMICON),
                                          GetSystemMetrics(SM_CYSMICON), 0))) {}

TTrayIcon::~TTrayIcon() {
    Hide();
    if (icon_)
        DestroyIcon(icon_);
}

bool TTrayIcon::Show() {
    NOTIFYICONDATAA data = IconData(window_);
    data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    data.uCallbackMessage = TrayIconMessage;
    data.hIcon = icon_ ? icon_ : LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    CopyText(data.szTip, sizeof data.szTip, "Velmora");
    // After the area was made anew the old icon is gone: adding is then what is needed, and
    // a modify of an icon the area still has is what is needed otherwise.
    shown_ = Shell_NotifyIconA(NIM_ADD, &data) || Shell_NotifyIconA(NIM_MODIFY, &data);
    return shown_;
}

void TTrayIcon::Hide() {
    if (!shown_)
        return;
    NOTIFYICONDATAA data = IconData(window_);
    Shell_NotifyIconA(NIM_DELETE, &data);
    shown_ = false;
}

bool TTrayIcon::ShowBalloon(const std::string& title, const std::string& text) {
    if (!shown_)
        return false;
    NOTIFYICONDATAA data = IconData(window_);
    data.uFlags = NIF_INFO;
    data.dwInfoFlags = NIIF_INFO;
    CopyText(data.szInfoTitle, sizeof data.szInfoTitle, title);
    CopyText(data.szInfo, sizeof data.szInfo, text);
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

UINT TTrayIcon::TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}
