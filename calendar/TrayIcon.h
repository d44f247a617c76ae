// The calendar's icon in the notification area: the one way to reach a calendar that lies
// beneath every window. It tells its window of clicks through a message of the window's own,
// and shows the day's notification as the area's balloon.
#pragma once
#include <windows.h>

#include <string>

// The message the icon sends its window; lParam is the mouse message or NIN_BALLOONUSERCLICK.
constexpr UINT TrayIconMessage = WM_APP + 64;

class TTrayIcon {
  public:
    explicit TTrayIcon(HWND window);
    ~TTrayIcon();
    TTrayIcon(const TTrayIcon&) = delete;
    TTrayIcon& operator=(const TTrayIcon&) = delete;
    // Puts the icon in the area, again after the area has been made anew (TaskbarCreated).
    // False when the system has no area to take it.
    bool Show();
    void Hide();
    bool Shown() const { return shown_; }
    // The balloon, or the toast that current systems make of it; false without the icon.
    bool ShowBalloon(const std::string& title, const std::string& text);
    // The message the shell broadcasts when it has made the notification area anew.
    static UINT TaskbarCreatedMessage();

  private:
    HWND window_;
    HICON icon_;
    bool shown_ = false;
};
