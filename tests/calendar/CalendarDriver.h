// Drives Calendar.exe from another process, as a person would see it: a folder of its own
// with settings and reminders, the window and its cells found by name, their captions and
// colours read through the window's query messages, clicks sent to them, error boxes
// dismissed, and the settings file read back after the program has closed.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// A visible top-level window of the process with the class name, or null.
HWND FindProcessWindow(DWORD process, const char* className);

// A visible control of a dialog by class and caption (null: any caption), or null; a dialog's
// controls are its children.
HWND FormControl(HWND form, const char* className, const char* caption = nullptr);

// A day's tooltip as the window shows it: its window (null when none came up), its bounds and
// its text.
struct TShownTooltip {
    HWND Window = nullptr;
    RECT Bounds = {};
    std::string Text;
};
class TCalendarProcess;
// Points at the day and lets the hover timer show its tooltip.
TShownTooltip ShowTooltip(const TCalendarProcess& calendar, HWND day);

class TCalendarFolder {
  public:
    // A fresh folder beside the test program holding Calendar.exe and TOOLS.DLL.
    explicit TCalendarFolder(const std::string& name);
    const std::string& Path() const { return path_; }
    void WriteFile(const std::string& relativePath, const std::string& content) const;
    void WriteDayFile(double date, const std::vector<std::string>& reminders) const;
    struct TRegular {
        double Start;
        std::string Text;
        int Interval; // 1 week, 2 fortnight, 3 month, 4 quarter, 5 year
    };
    void WriteRegularFile(const std::vector<TRegular>& records) const;
    std::string ReadSetting(const std::string& section, const std::string& key) const;
    // The file's content, or "" when it is not there.
    std::string ReadFile(const std::string& relativePath) const;

  private:
    std::string path_;
};

class TCalendarProcess {
  public:
    explicit TCalendarProcess(const TCalendarFolder& folder);
    // The program installed in a folder (a path ending in a backslash).
    explicit TCalendarProcess(const std::string& installedFolder);
    ~TCalendarProcess();
    // Starts the program and waits for its window to be shown; error boxes that come up
    // on the way are dismissed and counted.
    bool Start();
    HWND Window() const { return window_; }
    DWORD ProcessId() const { return process_.dwProcessId; }
    HWND Control(const std::string& name) const;
    // The day cell whose caption is the text, or null.
    HWND CellWithCaption(const std::string& caption) const;
    std::string Caption(HWND control) const;
    COLORREF BorderColor(HWND control) const;
    COLORREF FontColor(HWND control) const;
    std::string Hint(HWND control) const;
    double DisplayDate() const;
    std::vector<std::string> ComingUpLines() const;
    std::vector<COLORREF> ComingUpColours() const;
    int ComingUpFetches() const;
    RECT WindowRect() const;
    // The control's rectangle in the window's client coordinates.
    RECT ControlRect(HWND control) const;
    void Click(HWND control) const;
    void ClickWindow(int x, int y) const;
    void FireTimer(int id) const;
    // Presses the right button on a control, as the menu opens on the press.
    void RightClick(HWND control) const;
    // The program's open popup menu, waited for up to three seconds; null if none opens.
    HWND WaitForPopupMenu() const;
    // Picks the item that this many presses of the Down key reach in the open menu.
    void ChooseFromMenu(HWND menu, int downPresses) const;
    // The captions of the window's popup menu, "-" for a separator.
    std::vector<std::string> PopupItems() const;
    // How often the window has fetched and applied the options.
    int OptionsApplied() const;
    // Waits for the program to end by itself.
    bool WaitForExit(DWORD milliseconds) const;
    // Dismisses the program's error boxes for the given time; returns how many there were.
    int DismissErrorBoxes(DWORD milliseconds);
    int ErrorBoxes() const { return errorBoxes_; }
    std::string LastErrorText() const { return lastErrorText_; }
    // Closes the window and waits for the program to end.
    bool Close();

  private:
    HWND FindErrorBox() const;
    std::string folder_;
    PROCESS_INFORMATION process_ = {};
    HWND window_ = nullptr;
    int errorBoxes_ = 0;
    std::string lastErrorText_;
};

std::string AtomText(ATOM atom);
