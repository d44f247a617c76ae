// Window procedure plumbing shared by every window of the program.
#include "BaseWindow.h"

#include "OwnModule.h"
#include "WinHandles.h"
#include "WindowProcedure.h"

namespace {
using TProcedure = TWindowProcedure<TBaseWindow>;
} // namespace

TBaseWindow::~TBaseWindow() {
    TProcedure::DestroyDetached(*this);
}

TBaseWindow* TBaseWindow::FromHandle(HWND window) {
    return TProcedure::FromHandle(window);
}

HINSTANCE TBaseWindow::ModuleInstance() {
    return OwnModule();
}

void TBaseWindow::RegisterWindowClass(const char* className, UINT style, HBRUSH background,
                                      HCURSOR cursor) {
    TProcedure::Register(className, style, background, cursor);
}

HWND TBaseWindow::CreateHandle(DWORD exStyle, const char* className, const char* text,
                               DWORD style, int x, int y, int width, int height, HWND parent,
                               int id) {
    return CreateWindowExA(exStyle, className, text, style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ModuleInstance(), this);
}

bool TBaseWindow::PaintMessage(UINT message, LRESULT* result) {
    if (message == WM_PAINT) {
        PaintSession paint(handle_);
        Paint(paint.Get());
    } else if (message != WM_ERASEBKGND) {
        return false;
    }
    *result = message == WM_ERASEBKGND ? 1 : 0;
    return true;
}

LRESULT TBaseWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultHandler(message, wParam, lParam);
}
