// The owner of one window handle: its window procedure finds the object again and hands every
// message to HandleMessage, which each window class overrides to call its named handlers.
#pragma once
#include <windows.h>

class TBaseWindow {
  public:
    TBaseWindow() = default;
    virtual ~TBaseWindow();
    TBaseWindow(const TBaseWindow&) = delete;
    TBaseWindow& operator=(const TBaseWindow&) = delete;

    HWND Handle() const { return handle_; }
    // The object behind a window of one of our classes, or null.
    static TBaseWindow* FromHandle(HWND window);

  protected:
    // Registers a class whose windows are driven by this base; registering twice is harmless.
    static void RegisterWindowClass(const char* className, UINT style, HBRUSH background,
                                    HCURSOR cursor);
    HWND CreateHandle(DWORD exStyle, const char* className, const char* text, DWORD style, int x,
                      int y, int width, int height, HWND parent, int id);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcA(handle_, message, wParam, lParam);
    }

  private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    HWND handle_ = nullptr;
};
