// The window on monitors of other scales: told of a new DPI as Windows tells it on a move to
// another monitor, it takes the suggested place and grows or shrinks its fonts, spacing and
// frames with the scale, and comes back to the same size at 96 DPI.
#include "CalendarDriver.h"

#include "DateUtils.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {
const COLORREF red = RGB(255, 0, 0);

// WM_DPICHANGED carries a pointer to the suggested rectangle, which has to be in the
// program's own memory.
void SendDpiChanged(const TCalendarProcess& calendar, int dpi, const RECT& suggested) {
    DWORD processId = 0;
    GetWindowThreadProcessId(calendar.Window(), &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    ASSERT_NE(process, nullptr);
    void* remote = VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT, PAGE_READWRITE);
    ASSERT_NE(remote, nullptr);
    ASSERT_TRUE(WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr));
    SendMessageA(calendar.Window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(remote));
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
}

// How many pixels of the frame colour lie on the screen going right from the cell's left
// edge, halfway down.
int FrameThickness(const TCalendarProcess& calendar, HWND cell, COLORREF colour) {
    RECT bounds = {};
    GetWindowRect(cell, &bounds);
    UpdateWindow(calendar.Window());
    Sleep(300);
    HDC screen = GetDC(nullptr);
    int thickness = 0;
    const int y = (bounds.top + bounds.bottom) / 2;
    while (thickness < 10 && GetPixel(screen, bounds.left + thickness, y) == colour)
        ++thickness;
    ReleaseDC(nullptr, screen);
    return thickness;
}

TEST(CalendarDpiTest, TheWindowScalesWithTheMonitorsDpiAndComesBackTheSameSize) {
    char now[64];
    std::snprintf(now, sizeof now, "%.6f", EncodeDate(2007, 3, 5) + 10.5 / 24);
    SetEnvironmentVariableA("VELMORA_NOW", now);
    TCalendarFolder folder("dpi");
    // Day borders: the 12th is framed in the birthday's red.
    folder.WriteFile("calendar.ini",
                     "[options]\r\ntop=40\r\nleft=50\r\nfontsize=10\r\nlistcount=3\r\n"
                     "colourcoding=1\r\n[eventtypes]\r\nBirthday=255\r\n");
    folder.WriteDayFile(EncodeDate(2007, 3, 12), {"{Birthday}Anna turns 30"});
    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    const RECT at96 = calendar.WindowRect();
    const RECT cellAt96 = calendar.ControlRect(calendar.CellWithCaption("12"));
    ASSERT_EQ(FrameThickness(calendar, calendar.CellWithCaption("12"), red), 1);

    const struct {
        int dpi;
        int frame;
    } scales[] = {{144, 2}, {192, 2}, {288, 3}};
    for (const auto& scale : scales) {
        SCOPED_TRACE(scale.dpi);
        const RECT suggested = {60 + scale.dpi / 4, 30, 400, 400};
        SendDpiChanged(calendar, scale.dpi, suggested);
        const RECT window = calendar.WindowRect();
        EXPECT_EQ(window.left, suggested.left);
        EXPECT_EQ(window.top, suggested.top);
        const double factor = scale.dpi / 96.0;
        EXPECT_NEAR(double(window.right - window.left) / (at96.right - at96.left), factor,
                    0.15 * factor);
        EXPECT_NEAR(double(window.bottom - window.top) / (at96.bottom - at96.top), factor,
                    0.15 * factor);
        HWND cell = calendar.CellWithCaption("12");
        const RECT bounds = calendar.ControlRect(cell);
        EXPECT_NEAR(double(bounds.right - bounds.left) / (cellAt96.right - cellAt96.left), factor,
                    0.15 * factor);
        EXPECT_EQ(FrameThickness(calendar, cell, red), scale.frame);
        EXPECT_FALSE(calendar.ComingUpLines().empty());
    }

    SendDpiChanged(calendar, 96, {50, 40, 300, 300});
    const RECT back = calendar.WindowRect();
    EXPECT_EQ(back.right - back.left, at96.right - at96.left);
    EXPECT_EQ(back.bottom - back.top, at96.bottom - at96.top);
    EXPECT_EQ(FrameThickness(calendar, calendar.CellWithCaption("12"), red), 1);
    ASSERT_TRUE(calendar.Close());
    SetEnvironmentVariableA("VELMORA_NOW", nullptr);
}
} // namespace
