// The calendar as it sits on a desktop: one calendar per folder, a Coming Up list tall enough
// for every line of its reminders, and a tooltip that stays on the screen.
#include "CalendarDriver.h"
#include "wine/ScreenCapture.h"

#include "DateUtils.h"
#include "WindowQueries.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {
double Today() {
    return EncodeDate(2007, 3, 5);
}
double TestNow() {
    return EncodeDate(2007, 3, 5) + 10.5 / 24;
}

class CalendarDesktopTest : public testing::Test {
  protected:
    void SetUp() override {
        char now[64];
        std::snprintf(now, sizeof now, "%.6f", TestNow());
        SetEnvironmentVariableA("VELMORA_NOW", now);
    }
    void TearDown() override { SetEnvironmentVariableA("VELMORA_NOW", nullptr); }
};

void KeepPicture(const std::string& name, const RECT& area);

int CountWindows(const char* className) {
    struct TCount {
        const char* Name;
        int Found;
    } count = {className, 0};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* search = reinterpret_cast<TCount*>(parameter);
            char name[64] = "";
            GetClassNameA(window, name, sizeof name);
            if (lstrcmpA(name, search->Name) == 0 && IsWindowVisible(window))
                ++search->Found;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.Found;
}

TEST_F(CalendarDesktopTest, ASecondStartInTheSameFolderEndsAtOnce) {
    TCalendarFolder folder("one-calendar");
    folder.WriteFile("calendar.ini", "[options]\r\ntop=40\r\nleft=50\r\n");
    TCalendarProcess first(folder);
    ASSERT_TRUE(first.Start());
    ASSERT_EQ(CountWindows("TVelmora"), 1);

    // Started again as a user would, from the same folder: it ends by itself, shows nothing,
    // and the first calendar runs on.
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION second = {};
    std::string commandLine = "\"" + folder.Path() + "Calendar.exe\"";
    ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                               folder.Path().c_str(), &startup, &second));
    EXPECT_EQ(WaitForSingleObject(second.hProcess, 5000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(second.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    TerminateProcess(second.hProcess, 1); // only if it is still there
    CloseHandle(second.hThread);
    CloseHandle(second.hProcess);
    EXPECT_EQ(CountWindows("TVelmora"), 1);
    EXPECT_TRUE(IsWindow(first.Window()));
    // The calendar already there has the keyboard now.
    EXPECT_EQ(GetForegroundWindow(), first.Window());

    // Another folder is another calendar.
    TCalendarFolder other("one-calendar-other");
    other.WriteFile("calendar.ini", "[options]\r\ntop=300\r\nleft=50\r\n");
    TCalendarProcess elsewhere(other);
    ASSERT_TRUE(elsewhere.Start());
    EXPECT_EQ(CountWindows("TVelmora"), 2);
    ASSERT_TRUE(elsewhere.Close());
    ASSERT_TRUE(first.Close());
}

// With three reminders set and the first of two lines, all three reminders show: the window
// grows by the one line more. A reminder in another year is shown with its year, and a click
// on it goes there.
TEST_F(CalendarDesktopTest, ComingUpMakesRoomForEveryLineAndNamesAnotherYear) {
    const char* options = "[options]\r\ntop=40\r\nleft=50\r\nfontsize=10\r\nlistcount=3\r\n";
    TCalendarFolder single("coming-up-single-lines");
    single.WriteFile("calendar.ini", options);
    single.WriteDayFile(Today() + 1, {"Trip"});
    single.WriteDayFile(Today() + 2, {"Dentist"});
    single.WriteDayFile(EncodeDate(2008, 1, 2), {"New year walk"});
    TCalendarFolder multi("coming-up-multi-lines");
    multi.WriteFile("calendar.ini", options);
    multi.WriteDayFile(Today() + 1, {"Trip|bags to pack"});
    multi.WriteDayFile(Today() + 2, {"Dentist"});
    multi.WriteDayFile(EncodeDate(2008, 1, 2), {"New year walk"});

    int heights[2] = {};
    for (int run = 0; run < 2; ++run) {
        TCalendarProcess calendar(run == 0 ? single : multi);
        ASSERT_TRUE(calendar.Start());
        const RECT window = calendar.WindowRect();
        heights[run] = window.bottom - window.top;
        const std::vector<std::string> lines = calendar.ComingUpLines();
        ASSERT_EQ(lines.size(), run == 0 ? 3u : 4u);
        EXPECT_EQ(lines.back(), "1/2/2008 New year walk");
        if (run == 1) {
            // Every line drawn lies inside the window: the last one ends at its bottom.
            const RECT navigation = calendar.ControlRect(calendar.Control("TodayButton"));
            const int lineHeight = (heights[1] - navigation.bottom) / 4;
            EXPECT_EQ(navigation.bottom + 4 * lineHeight, heights[1]);
            RECT area = calendar.WindowRect();
            InflateRect(&area, 8, 8);
            KeepPicture("coming-up-lines", area);
            calendar.ClickWindow(5, navigation.bottom + 3 * lineHeight + 1);
            EXPECT_EQ(std::floor(calendar.DisplayDate()), EncodeDate(2008, 1, 2));
        }
        ASSERT_TRUE(calendar.Close());
    }
    EXPECT_GT(heights[1], heights[0]);
}

// Reminders the length of a story.
std::vector<std::string> LongReminders(int count, size_t length) {
    std::vector<std::string> reminders;
    int word = 0;
    for (int i = 0; i < count; ++i) {
        std::string text;
        while (text.size() + 8 < length)
            text += "word" + std::to_string(word++) + " ";
        text.pop_back();
        reminders.push_back(text);
    }
    return reminders;
}

bool EndsWithEllipsis(const std::string& text) {
    return text.size() > 3 && text.compare(text.size() - 3, 3, "...") == 0;
}

// The reminders of a day, as the tooltip shows them below its heading.
std::string Joined(const std::vector<std::string>& reminders) {
    std::string body;
    for (const std::string& reminder : reminders)
        body += (body.empty() ? "" : "\r\n") + reminder;
    return body;
}

// About 3,000 characters of reminders on a day: the library gives the first 1,023, the
// tooltip wraps them at half the work area, stays inside the work area although the window
// stands at its right edge, and ends with an ellipsis. With a tooltip font too large for the
// whole text, it shows what fits, cut after a word, also with an ellipsis.
TEST_F(CalendarDesktopTest, ALongTooltipIsWrappedKeptOnTheWorkAreaAndEndsWithAnEllipsis) {
    RECT work = {};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    const struct {
        const char* Name;
        int TooltipSize;
        int Reminders;
    } cases[] = {{"long-tooltip", 10, 15}, {"tall-tooltip", 72, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TCalendarFolder folder(c.Name);
        folder.WriteFile("calendar.ini",
                         "[options]\r\ntop=40\r\nleft=" + std::to_string(work.right - 260) +
                             "\r\nfontsize=10\r\nttsize=" + std::to_string(c.TooltipSize) + "\r\n");
        const std::vector<std::string> reminders = LongReminders(c.Reminders, 200);
        folder.WriteDayFile(Today() + 1, reminders);
        TCalendarProcess calendar(folder);
        ASSERT_TRUE(calendar.Start());
        const TShownTooltip tooltip = ShowTooltip(calendar, calendar.CellWithCaption("6"));
        ASSERT_NE(tooltip.Window, nullptr);
        const RECT& bounds = tooltip.Bounds;
        EXPECT_GE(bounds.left, work.left);
        EXPECT_GE(bounds.top, work.top);
        EXPECT_LE(bounds.right, work.right);
        EXPECT_LE(bounds.bottom, work.bottom);
        // Wrapped near half the work area, not one line as wide as a reminder.
        EXPECT_LE(bounds.right - bounds.left, (work.right - work.left) / 2 + 16);
        EXPECT_TRUE(EndsWithEllipsis(tooltip.Text)) << tooltip.Text;
        // What shows is the start of the reminders, cut where a word ends.
        const std::string body = Joined(reminders);
        const size_t headingEnd = tooltip.Text.find("\r\n");
        ASSERT_NE(headingEnd, std::string::npos);
        const std::string kept =
            tooltip.Text.substr(headingEnd + 2, tooltip.Text.size() - headingEnd - 5);
        ASSERT_LT(kept.size(), body.size());
        EXPECT_EQ(body.compare(0, kept.size(), kept), 0) << kept;
        EXPECT_TRUE(body[kept.size()] == ' ' || body[kept.size()] == '\r') << kept;
        if (c.TooltipSize == 10) {
            EXPECT_GT(kept.size(), 900u);
            RECT area = calendar.WindowRect();
            UnionRect(&area, &area, &bounds);
            InflateRect(&area, 8, 8);
            IntersectRect(&area, &area, &work);
            KeepPicture("long-tooltip", area);
        }
        ASSERT_TRUE(calendar.Close());
    }
}
} // namespace

namespace {
// A wallpaper of the test's own: a window shown before the calendar starts, filled
// light, dark or busy (bands of strong colours and a checker of black and white).
enum class TWallpaper { Light, Dark, Busy };

LRESULT CALLBACK WallpaperProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT)
        return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    const auto kind = static_cast<TWallpaper>(GetWindowLongPtrA(window, GWLP_USERDATA));
    const auto fill = [dc](const RECT& rect, COLORREF colour) {
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc, &rect, brush);
        DeleteObject(brush);
    };
    if (kind == TWallpaper::Light)
        fill(client, RGB(236, 236, 228));
    else if (kind == TWallpaper::Dark)
        fill(client, RGB(18, 28, 48));
    else {
        const COLORREF bands[] = {RGB(250, 250, 250), RGB(255, 210, 0), RGB(30, 90, 200),
                                  RGB(200, 40, 40),   RGB(20, 20, 20),  RGB(60, 170, 80),
                                  RGB(180, 180, 180)};
        for (int x = 0; x < client.right; x += 23) {
            const RECT band = {x, 0, x + 23, client.bottom};
            fill(band, bands[(x / 23) % 7]);
        }
        for (int y = 0; y < client.bottom; y += 64)
            for (int x = (y / 64 % 2) * 32; x < client.right; x += 64) {
                const RECT square = {x, y, x + 8, y + 8};
                fill(square, (x / 64) % 2 ? RGB(0, 0, 0) : RGB(255, 255, 255));
            }
    }
    EndPaint(window, &paint);
    return 0;
}

class TWallpaperWindow {
  public:
    explicit TWallpaperWindow(TWallpaper kind) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = WallpaperProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TestWallpaper";
        RegisterClassA(&windowClass);
        window_ =
            CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "TestWallpaper", "", WS_POPUP, 0,
                            0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                            nullptr, nullptr, windowClass.hInstance, nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, static_cast<LONG_PTR>(kind));
        ShowWindow(window_, SW_SHOWNOACTIVATE);
        Pump(300);
    }
    ~TWallpaperWindow() {
        DestroyWindow(window_);
        Pump(200);
    }
    TWallpaperWindow(const TWallpaperWindow&) = delete;
    TWallpaperWindow& operator=(const TWallpaperWindow&) = delete;
    // Lets the wallpaper paint and the display catch up.
    static void Pump(DWORD milliseconds) {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < milliseconds) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
            Sleep(10);
        }
    }

  private:
    HWND window_;
};

// With VELMORA_SCREENSHOTS naming a folder, the area is kept there as a BMP file.
void KeepPicture(const std::string& name, const RECT& area) {
    char folder[MAX_PATH] = "";
    if (GetEnvironmentVariableA("VELMORA_SCREENSHOTS", folder, sizeof folder))
        SaveScreenArea(std::string(folder) + "\\" + name + ".bmp", area.left, area.top,
                       area.right - area.left, area.bottom - area.top);
}

// White text with the outline on a light wallpaper: a ring of black pixels around each digit,
// the text itself still white, and no pixel of the window's transparency key reaching the
// screen. Without the outline nothing dark shows there at all.
TEST_F(CalendarDesktopTest, TheOutlineKeepsTheTextReadableOnALightWallpaper) {
    const COLORREF keyColour = RGB(0xC9, 0xC0, 0xC0);
    for (const int outline : {1, 0}) {
        SCOPED_TRACE(outline);
        TCalendarFolder folder("outline-" + std::to_string(outline));
        folder.WriteFile("calendar.ini",
                         "[options]\r\ntop=40\r\nleft=50\r\nfontsize=12\r\noutline=" +
                             std::to_string(outline) + "\r\n");
        // First, as a desktop is there before any program starts.
        TWallpaperWindow wallpaper(TWallpaper::Light);
        TCalendarProcess calendar(folder);
        ASSERT_TRUE(calendar.Start());
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        TWallpaperWindow::Pump(400);
        RECT day;
        GetWindowRect(calendar.CellWithCaption("20"), &day);
        int dark = 0, white = 0, key = 0;
        for (COLORREF pixel : ScreenPixels(calendar.WindowRect())) {
            if (pixel == keyColour)
                ++key;
            if (GetRValue(pixel) < 60 && GetGValue(pixel) < 60 && GetBValue(pixel) < 60)
                ++dark;
        }
        for (COLORREF pixel : ScreenPixels(day))
            if (pixel == RGB(255, 255, 255))
                ++white;
        EXPECT_EQ(key, 0);
        EXPECT_GT(white, 10);
        if (outline) {
            EXPECT_GT(dark, 200);
        } else {
            EXPECT_EQ(dark, 0);
        }
        ASSERT_TRUE(calendar.Close());
        // The option is the user's: a run leaves it as it was.
        EXPECT_EQ(folder.ReadSetting("options", "outline"), std::to_string(outline));
    }
}

// The pictures of the documentation: the calendar with its reminders on three wallpapers.
TEST_F(CalendarDesktopTest, PicturesOnLightDarkAndBusyWallpapers) {
    char folderName[MAX_PATH] = "";
    if (!GetEnvironmentVariableA("VELMORA_SCREENSHOTS", folderName, sizeof folderName))
        GTEST_SKIP() << "pictures are only taken for the documentation";
    TCalendarFolder folder("wallpapers");
    folder.WriteFile("calendar.ini",
                     "[options]\r\ntop=40\r\nleft=50\r\nfontsize=12\r\nlistcount=4\r\n"
                     "fontcolour=16777215\r\n[eventtypes]\r\nBirthday=255\r\nHoliday=65535\r\n");
    folder.WriteDayFile(Today() + 1, {"{Birthday}Cake for Anna"});
    folder.WriteDayFile(Today() + 3, {"{Holiday}Trip|bags to pack"});
    folder.WriteDayFile(Today() + 9, {"Dentist"});
    const std::pair<TWallpaper, const char*> kinds[] = {{TWallpaper::Light, "wallpaper-light"},
                                                        {TWallpaper::Dark, "wallpaper-dark"},
                                                        {TWallpaper::Busy, "wallpaper-busy"}};
    for (const auto& kind : kinds) {
        TWallpaperWindow wallpaper(kind.first);
        TCalendarProcess calendar(folder);
        ASSERT_TRUE(calendar.Start());
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        TWallpaperWindow::Pump(400);
        RECT area = calendar.WindowRect();
        InflateRect(&area, 20, 20);
        KeepPicture(kind.second, area);
        ASSERT_TRUE(calendar.Close());
    }
}
} // namespace
