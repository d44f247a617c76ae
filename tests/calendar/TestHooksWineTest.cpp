// The shipped modules (dist/) against the test build (testbin/), side by side: only the test
// build runs on the clock the tests set in VELMORA_NOW and answers the window tests' queries.
// Each test also shows the test build doing it, so a check that could not see a hook fails.
#include "CalendarDriver.h"

#include "DateUtils.h"
#include "Tools.h"
#include "VrHyperButtonMessages.h"
#include "WinHandles.h"
#include "WindowQueries.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {
std::string ProgramFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// A day the system's clock is not in a month of the same shape: February 2007 (28 days from
// a Thursday), or in February March 2007 (31 days), so the grid tells which clock was read.
double TestNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wMonth == 2 ? EncodeDate(2007, 3, 5) : EncodeDate(2007, 2, 5);
}

class TestClock {
  public:
    explicit TestClock(double now) {
        char text[64];
        std::snprintf(text, sizeof text, "%.6f", now + 0.5);
        SetEnvironmentVariableA("VELMORA_NOW", text);
    }
    ~TestClock() { SetEnvironmentVariableA("VELMORA_NOW", nullptr); }
};

// What a run of the window showed: its month's grid (the captions of the 42 cells), and
// whatever it answered to the queries.
struct TWindowRun {
    std::vector<std::string> grid;
    LRESULT displayDate = 0;
    LRESULT title = 0;
    int answeringCells = 0; // cells that answered a query of the hover button
};

TWindowRun RunWindow(const std::string& build) {
    const std::string folder = ProgramFolder() + build + "\\";
    DeleteFileA((folder + "calendar.ini").c_str());
    std::ofstream(folder + "calendar.ini", std::ios::binary)
        << "[options]\r\ntop=40\r\nleft=50\r\nlistcount=3\r\n";
    TWindowRun run;
    TCalendarProcess calendar(folder);
    if (!calendar.Start())
        return run;
    for (int cell = 1; cell <= 42; ++cell) {
        HWND control = calendar.Control("VrHyperButton" + std::to_string(cell));
        run.grid.push_back(control ? calendar.Caption(control) : "<none>");
        if (control && (SendMessageA(control, HoverButtonFontColorQuery, 0, 0) != 0 ||
                        SendMessageA(control, HoverButtonBorderColorQuery, 0, 0) != 0))
            ++run.answeringCells;
    }
    run.displayDate = SendMessageA(calendar.Window(), CalendarDisplayDateQuery, 0, 0);
    run.title = SendMessageA(calendar.Window(), CalendarTitleAtomQuery, 0, 0);
    if (run.title)
        GlobalDeleteAtom(static_cast<ATOM>(run.title));
    calendar.Close();
    return run;
}

double DateOf(LRESULT bits) {
    double date;
    std::memcpy(&date, &bits, sizeof date);
    return date;
}

TEST(TestHooks, TheShippedWindowReadsTheSystemClockAndAnswersNoQuery) {
    const TWindowRun systemClock = RunWindow("test");
    ASSERT_EQ(systemClock.grid.size(), 42u) << "the test build did not start";
    TWindowRun shipped, test;
    {
        TestClock clock(TestNow());
        shipped = RunWindow("release");
        test = RunWindow("test");
    }
    ASSERT_EQ(shipped.grid.size(), 42u) << "the shipped build did not start";
    // The test build shows the test clock's month and answers.
    EXPECT_NE(test.grid, systemClock.grid);
    EXPECT_EQ(std::floor(DateOf(test.displayDate)), TestNow());
    EXPECT_NE(test.title, 0);
    EXPECT_EQ(test.answeringCells, 42);
    // The shipped one shows the system clock's month and leaves the queries to the default.
    EXPECT_EQ(shipped.grid, systemClock.grid);
    EXPECT_EQ(shipped.displayDate, 0);
    EXPECT_EQ(shipped.title, 0);
    EXPECT_EQ(shipped.answeringCells, 0);
}

// The calendar file the library exports carries its clock in each event's DTSTAMP.
std::string ExportedWith(const std::string& build) {
    const std::string file = ProgramFolder() + build + "-export.ics";
    DeleteFileA(file.c_str());
    ModuleHandle library(LoadLibraryA((ProgramFolder() + build + "\\TOOLS.DLL").c_str()));
    auto exportFile = BindExport<TExportCalendarFileFunction>(library, "ExportCalendarFile");
    if (!exportFile || exportFile(file.c_str()) != 1)
        return "";
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(TestHooks, TheShippedLibraryReadsTheSystemClock) {
    CreateDirectoryA((ProgramFolder() + "data").c_str(), nullptr);
    std::ofstream(ProgramFolder() + "data\\2010-06-15.txt", std::ios::binary) << "A reminder\r\n";
    int year, month, day;
    DecodeDate(TestNow(), &year, &month, &day);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "DTSTAMP:%04d%02d", year, month);
    TestClock clock(TestNow());
    const std::string test = ExportedWith("test");
    const std::string shipped = ExportedWith("release");
    EXPECT_NE(test.find(stamp), std::string::npos) << test;
    ASSERT_NE(shipped.find("DTSTAMP:"), std::string::npos) << shipped;
    EXPECT_EQ(shipped.find(stamp), std::string::npos) << shipped;
}
} // namespace
