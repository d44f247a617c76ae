// Window procedure plumbing shared by every window of the program.
#include "BaseWindow.h"

#include "OwnModule.h"
#include "WinHandles.h"
#include "WindowAttachment.h"

#include <string>
#include <utility>
#include <vector>

namespace {
// What this module registered; plain module data, so a fresh load of the library starts empty.
std::vector<std::string> registeredClasses;
std::vector<std::function<void()>> moduleCleanups;
} // namespace

TBaseWindow::~TBaseWindow() { DestroyDetachedWindow(handle_); }

TBaseWindow* TBaseWindow::FromHandle(HWND window) {
    return window ? reinterpret_cast<TBaseWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA)) : nullptr;
}

HINSTANCE TBaseWindow::ModuleInstance() { return OwnModule(); }

void TBaseWindow::AddModuleCleanup(std::function<void()> cleanup) { moduleCleanups.push_back(std::move(cleanup)); }

void TBaseWindow::UnregisterModuleClasses() {
    std::vector<std::function<void()>> cleanups;
    cleanups.swap(moduleCleanups);
    for (auto cleanup = cleanups.rbegin(); cleanup != cleanups.rend(); ++cleanup) (*cleanup)();
    const HINSTANCE module = ModuleInstance();
    for (const std::string& name : registeredClasses) UnregisterClassA(name.c_str(), module);
    registeredClasses.clear();
}

void TBaseWindow::RegisterWindowClass(const char* className, UINT style, HBRUSH background,
                                      HCURSOR cursor) {
    const HINSTANCE module = ModuleInstance();
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExA(module, className, &windowClass)) return;
    if (RegisterOwnWindowClass(className, WindowProcedure, style, background, cursor))
        registeredClasses.emplace_back(className);
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

LRESULT CALLBACK TBaseWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    TBaseWindow* self = AttachedObject(window, message, lParam, &TBaseWindow::handle_);
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = 0;
    // The default handling after a failure keeps a failed paint from being asked for again at once.
    if (!RunGuarded([&] { result = self->HandleMessage(message, wParam, lParam); }))
        result = DefWindowProcA(window, message, wParam, lParam);
    DetachAfterLastMessage(window, message, self, &TBaseWindow::handle_);
    return result;
}
