// Parts of the system's standard controls drawn as the current visual theme draws them, for
// widgets that paint themselves beside standard controls. The theme library is loaded the
// first time a part is drawn and freed with the widget classes, so that a program that never
// shows such a widget never loads it.
#pragma once
#include <windows.h>

// Draws part in state of the theme class (L"COMBOBOX", L"BUTTON") into rect; false when no
// theme is active or the library is missing, and the caller draws the classic look.
bool DrawThemePart(HWND window, HDC dc, const wchar_t* themeClass, int part, int state,
                   const RECT& rect);
void ReleaseThemeLibrary();
