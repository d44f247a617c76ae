// Window procedure plumbing shared by every window of the program.
#include "BaseWindow.h"

TBaseWindow::~TBaseWindow() {
    if (handle_) {
        // The object goes first; messages sent while the window dies must not reach it.
        SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
        HWND window = handle_;
        handle_ = nullptr;
        DestroyWindow(window);
    }
}

TBaseWindow* TBaseWindow::FromHandle(HWND window) {
    return window ? reinterpret_cast<TBaseWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA)) : nullptr;
}

void TBaseWindow::RegisterWindowClass(const char* className, UINT style, HBRUSH background,
                                      HCURSOR cursor) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExA(GetModuleHandleA(nullptr), className, &windowClass)) return;
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = style;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = cursor ? cursor : LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = className;
    RegisterClassExA(&windowClass);
}

HWND TBaseWindow::CreateHandle(DWORD exStyle, const char* className, const char* text,
                               DWORD style, int x, int y, int width, int height, HWND parent,
                               int id) {
    return CreateWindowExA(exStyle, className, text, style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), this);
}

LRESULT TBaseWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultHandler(message, wParam, lParam);
}

LRESULT CALLBACK TBaseWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    TBaseWindow* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<TBaseWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->handle_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = FromHandle(window);
    }
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = self->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->handle_ = nullptr;
    }
    return result;
}
