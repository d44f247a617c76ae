// Program start: a hidden owner keeps the calendar off the taskbar and out of the task
// switcher; the window is created, shown and runs until it is closed.
#include "MainFormUnit.h"

#include <windows.h>

namespace {
LRESULT CALLBACK ApplicationWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // A close sent to every window of the program (a task manager's "end task") is the
    // calendar window's to handle; the owner going first would take the window with it.
    if (message == WM_CLOSE) return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateApplicationWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ApplicationWindowProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TVelmoraApplication";
    RegisterClassA(&windowClass);
    HWND application = CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 0, 0,
                                       nullptr, nullptr, windowClass.hInstance, nullptr);
    SetWindowLongPtrA(application, GWL_EXSTYLE,
                      GetWindowLongPtrA(application, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
    return application;
}
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    HWND application = CreateApplicationWindow();
    int exitCode = 0;
    {
        TVelmora window(application);
        if (!window.Created()) return 0;
        SetWindowLongPtrA(window.Handle(), GWL_EXSTYLE,
                          GetWindowLongPtrA(window.Handle(), GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
        window.FormShow();
        ShowWindow(window.Handle(), SW_SHOW);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            if (TAlertWindow::DialogMessage(&message)) continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        exitCode = static_cast<int>(message.wParam);
    }
    DestroyWindow(application);
    return exitCode;
}
