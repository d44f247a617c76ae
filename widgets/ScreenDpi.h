// The screen's pixels per logical inch, by which dialogs and their controls scale what their
// descriptions give at 96.
#pragma once
#include <windows.h>

inline int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}
