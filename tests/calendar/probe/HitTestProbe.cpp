// Which ways of making a colour-keyed window's see-through pixels catch the mouse really work
// where the calendar runs: four windows side by side, each a square of the key colour with a
// small white block, made see-through in a different way. A click is sent by the display
// (not by the program) to a key-coloured corner and to the block of each; the program prints
// how many presses each window received and shows the squares for a screenshot.
#include <windows.h>
#include <cstdio>
static const COLORREF key = RGB(0xC9, 0xC0, 0xC0);
static int clicks[4];
static int hits[4];
static HWND windows[4];
static int IndexOf(HWND w) { for (int i = 0; i < 4; ++i) if (windows[i] == w) return i; return -1; }
LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    int i = IndexOf(w);
    switch (m) {
    case WM_NCHITTEST:
        if (i >= 0) ++hits[i];
        if (i == 3) return HTCLIENT;
        break;
    case WM_LBUTTONDOWN: if (i >= 0) ++clicks[i]; return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps; HDC dc = BeginPaint(w, &ps);
        RECT r = {0, 0, 100, 100}; HBRUSH b = CreateSolidBrush(key); FillRect(dc, &r, b); DeleteObject(b);
        RECT d = {45, 45, 55, 55}; HBRUSH wb = CreateSolidBrush(RGB(255,255,255)); FillRect(dc, &d, wb); DeleteObject(wb);
        EndPaint(w, &ps); return 0; }
    }
    return DefWindowProcA(w, m, wp, lp);
}
int main() {
    WNDCLASSA c = {}; c.lpfnWndProc = Proc; c.hInstance = GetModuleHandleA(nullptr); c.lpszClassName = "Probe";
    c.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClassA(&c);
    for (int i = 0; i < 4; ++i) {
        windows[i] = CreateWindowExA(WS_EX_LAYERED | WS_EX_TOOLWINDOW, "Probe", "", WS_POPUP, 100 + i * 150, 100, 100, 100, nullptr, nullptr, c.hInstance, nullptr);
        if (i == 2) {
            // Per-pixel alpha: 1 everywhere, 255 in the block.
            HDC screen = GetDC(nullptr); HDC mem = CreateCompatibleDC(screen);
            BITMAPINFO bi = {}; bi.bmiHeader.biSize = sizeof bi.bmiHeader; bi.bmiHeader.biWidth = 100; bi.bmiHeader.biHeight = -100;
            bi.bmiHeader.biPlanes = 1; bi.bmiHeader.biBitCount = 32;
            void* bits; HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
            DWORD* p = (DWORD*)bits;
            for (int y = 0; y < 100; ++y) for (int x = 0; x < 100; ++x)
                p[y * 100 + x] = (x >= 45 && x < 55 && y >= 45 && y < 55) ? 0xFFFFFFFF : 0x01000000;
            SelectObject(mem, bmp);
            POINT src = {0, 0}, dst = {100 + i * 150, 100}; SIZE sz = {100, 100};
            BLENDFUNCTION bf = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
            BOOL ok = UpdateLayeredWindow(windows[i], screen, &dst, &sz, mem, &src, 0, &bf, ULW_ALPHA);
            printf("ULW %d\n", ok);
            ReleaseDC(nullptr, screen);
        } else {
            SetLayeredWindowAttributes(windows[i], key, 0, LWA_COLORKEY);
        }
        if (i == 1) SetWindowRgn(windows[i], CreateRectRgn(0, 0, 100, 100), TRUE);
        ShowWindow(windows[i], SW_SHOWNOACTIVATE);
    }
    fflush(stdout);
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 9000) {
        MSG m; while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        Sleep(5);
    }
    const char* names[4] = {"colour key", "colour key + region", "per-pixel alpha 1", "colour key + NCHITTEST"};
    for (int i = 0; i < 4; ++i) printf("%s: clicks %d, hit tests %d\n", names[i], clicks[i], hits[i]);
    return 0;
}
