// Starting, inspecting and closing Calendar.exe from a test program.
#include "CalendarDriver.h"

#include "DateUtils.h"
#include "VrHyperButtonMessages.h"
#include "WindowQueries.h"
#include "WinHandles.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace {
std::string TestProgramDirectory() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory = path;
    return directory.substr(0, directory.find_last_of('\\') + 1);
}

struct TWindowSearch {
    DWORD process;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchProcessWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<TWindowSearch*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (process == search->process && std::strcmp(className, search->className) == 0 &&
        IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

struct TFormControlSearch {
    HWND form;
    const char* className;
    const char* caption;
    HWND found;
};

BOOL CALLBACK FindFormControl(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<TFormControlSearch*>(parameter);
    char className[64] = "", caption[128] = "";
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, caption, sizeof caption);
    if (GetParent(window) == search->form && IsWindowVisible(window) &&
        lstrcmpiA(className, search->className) == 0 &&
        (!search->caption || std::strcmp(caption, search->caption) == 0)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

struct TChildSearch {
    std::string wanted;
    bool byCaption;
    HWND found;
};

BOOL CALLBACK FindChild(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<TChildSearch*>(parameter);
    std::string text;
    if (search->byCaption) {
        char caption[64] = "";
        GetWindowTextA(window, caption, sizeof caption);
        text = caption;
    } else {
        text = AtomText(static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropA(window, "Name"))));
    }
    if (lstrcmpiA(text.c_str(), search->wanted.c_str()) == 0) {
        // Cell captions are only looked for among the day cells.
        char name[64] = "";
        GlobalGetAtomNameA(static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropA(window, "Name"))),
                           name, sizeof name);
        if (!search->byCaption || std::strncmp(name, "VrHyperButton", 13) == 0) {
            search->found = window;
            return FALSE;
        }
    }
    return TRUE;
}
} // namespace

HWND FindProcessWindow(DWORD process, const char* className) {
    TWindowSearch search = {process, className, nullptr};
    EnumWindows(MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string AtomText(ATOM atom) {
    if (atom == 0) return "";
    char text[256] = "";
    UINT length = GlobalGetAtomNameA(atom, text, sizeof text);
    return std::string(text, length);
}

TCalendarFolder::TCalendarFolder(const std::string& name) : path_(TestProgramDirectory() + name + "\\") {
    // Left over from an earlier run: start empty.
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path_ + "data\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((path_ + "data\\" + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    DeleteFileA((path_ + "calendar.ini").c_str());
    DeleteFileA((path_ + "alerts.ini").c_str());
    CreateDirectoryA(path_.c_str(), nullptr);
    CreateDirectoryA((path_ + "data").c_str(), nullptr);
    const std::string source = TestProgramDirectory();
    CopyFileA((source + "Calendar.exe").c_str(), (path_ + "Calendar.exe").c_str(), FALSE);
    CopyFileA((source + "TOOLS.DLL").c_str(), (path_ + "TOOLS.DLL").c_str(), FALSE);
}

void TCalendarFolder::WriteFile(const std::string& relativePath, const std::string& content) const {
    std::ofstream file(path_ + relativePath, std::ios::binary | std::ios::trunc);
    file << content;
}

void TCalendarFolder::WriteDayFile(double date, const std::vector<std::string>& reminders) const {
    int year, month, day;
    DecodeDate(date, &year, &month, &day);
    char name[32];
    std::snprintf(name, sizeof name, "data\\%04d-%02d-%02d.txt", year, month, day);
    std::string content;
    for (const std::string& reminder : reminders) content += reminder + "\r\n";
    WriteFile(name, content);
}

void TCalendarFolder::WriteRegularFile(const std::vector<TRegular>& records) const {
    std::string content;
    for (const TRegular& record : records) {
        char bytes[272] = {};
        std::memcpy(bytes, &record.Start, sizeof record.Start);
        bytes[8] = static_cast<char>(record.Text.size());
        std::memcpy(bytes + 9, record.Text.data(), record.Text.size());
        bytes[264] = static_cast<char>(record.Interval);
        content.append(bytes, sizeof bytes);
    }
    WriteFile("data\\regular.dat", content);
}

std::string TCalendarFolder::ReadSetting(const std::string& section, const std::string& key) const {
    char value[512] = "";
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "<missing>", value, sizeof value,
                             (path_ + "calendar.ini").c_str());
    return value;
}

std::string TCalendarFolder::ReadFile(const std::string& relativePath) const {
    std::ifstream file(path_ + relativePath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

TCalendarProcess::TCalendarProcess(const TCalendarFolder& folder) : folder_(folder.Path()) {}

TCalendarProcess::TCalendarProcess(const std::string& installedFolder) : folder_(installedFolder) {}

TCalendarProcess::~TCalendarProcess() {
    if (process_.hProcess) {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            Close();
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(process_.hProcess, 1);
        }
        KernelHandle process(process_.hProcess);
        KernelHandle thread(process_.hThread);
    }
}

bool TCalendarProcess::Start() {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + folder_ + "Calendar.exe\"";
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder_.c_str(), &startup, &process_))
        return false;
    WaitForInputIdle(process_.hProcess, 5000);
    for (int attempt = 0; attempt < 300 && !window_; ++attempt) {
        DismissErrorBoxes(0);
        window_ = FindProcessWindow(process_.dwProcessId, "TVelmora");
        if (!window_) Sleep(50);
    }
    return window_ != nullptr;
}

HWND FormControl(HWND form, const char* className, const char* caption) {
    TFormControlSearch search = {form, className, caption, nullptr};
    EnumChildWindows(form, FindFormControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND TCalendarProcess::Control(const std::string& name) const {
    TChildSearch search = {name, false, nullptr};
    EnumChildWindows(window_, FindChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND TCalendarProcess::CellWithCaption(const std::string& caption) const {
    TChildSearch search = {caption, true, nullptr};
    EnumChildWindows(window_, FindChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string TCalendarProcess::Caption(HWND control) const {
    char caption[64] = "";
    GetWindowTextA(control, caption, sizeof caption);
    return caption;
}

COLORREF TCalendarProcess::BorderColor(HWND control) const {
    return static_cast<COLORREF>(SendMessageA(control, HoverButtonBorderColorQuery, 0, 0));
}
COLORREF TCalendarProcess::FontColor(HWND control) const {
    return static_cast<COLORREF>(SendMessageA(control, HoverButtonFontColorQuery, 0, 0));
}

std::string TCalendarProcess::Hint(HWND control) const {
    ATOM atom = static_cast<ATOM>(SendMessageA(control, HoverButtonHintAtomQuery, 0, 0));
    std::string text = AtomText(atom);
    if (atom) GlobalDeleteAtom(atom);
    return text;
}

double TCalendarProcess::DisplayDate() const {
    LRESULT bits = SendMessageA(window_, CalendarDisplayDateQuery, 0, 0);
    double date;
    std::memcpy(&date, &bits, sizeof date);
    return date;
}

std::vector<std::string> TCalendarProcess::ComingUpLines() const {
    std::vector<std::string> lines;
    const LRESULT count = SendMessageA(window_, CalendarComingUpCountQuery, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        ATOM atom = static_cast<ATOM>(SendMessageA(window_, CalendarComingUpLineQuery, i, 0));
        lines.push_back(AtomText(atom));
        if (atom) GlobalDeleteAtom(atom);
    }
    return lines;
}

std::vector<COLORREF> TCalendarProcess::ComingUpColours() const {
    std::vector<COLORREF> colours;
    const LRESULT count = SendMessageA(window_, CalendarComingUpCountQuery, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
        colours.push_back(static_cast<COLORREF>(SendMessageA(window_, CalendarComingUpColourQuery, i, 0)));
    return colours;
}

int TCalendarProcess::ComingUpFetches() const {
    return static_cast<int>(SendMessageA(window_, CalendarComingUpFetchesQuery, 0, 0));
}

RECT TCalendarProcess::WindowRect() const {
    RECT rect = {};
    GetWindowRect(window_, &rect);
    return rect;
}

RECT TCalendarProcess::ControlRect(HWND control) const {
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void TCalendarProcess::Click(HWND control) const { SendMessageA(control, BM_CLICK, 0, 0); }

void TCalendarProcess::ClickWindow(int x, int y) const {
    SendMessageA(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(window_, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void TCalendarProcess::FireTimer(int id) const { SendMessageA(window_, WM_TIMER, id, 0); }

void TCalendarProcess::RightClick(HWND control) const {
    // Posted: the menu's loop runs inside the program's handler of the press.
    PostMessageA(control, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
}

HWND TCalendarProcess::WaitForPopupMenu() const {
    for (int attempt = 0; attempt < 150; ++attempt) {
        if (HWND menu = FindProcessWindow(process_.dwProcessId, "#32768")) return menu;
        Sleep(20);
    }
    return nullptr;
}

void TCalendarProcess::ChooseFromMenu(HWND menu, int downPresses) const {
    for (int press = 0; press < downPresses; ++press) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
}

std::vector<std::string> TCalendarProcess::PopupItems() const {
    std::vector<std::string> items;
    for (WPARAM index = 0; index < 16; ++index) {
        ATOM atom = static_cast<ATOM>(SendMessageA(window_, CalendarPopupItemQuery, index, 0));
        if (!atom) break;
        items.push_back(AtomText(atom));
        GlobalDeleteAtom(atom);
    }
    return items;
}

int TCalendarProcess::OptionsApplied() const {
    return static_cast<int>(SendMessageA(window_, CalendarOptionsAppliedQuery, 0, 0));
}

bool TCalendarProcess::WaitForExit(DWORD milliseconds) const {
    return WaitForSingleObject(process_.hProcess, milliseconds) == WAIT_OBJECT_0;
}

HWND TCalendarProcess::FindErrorBox() const {
    return FindProcessWindow(process_.dwProcessId, "#32770");
}

int TCalendarProcess::DismissErrorBoxes(DWORD milliseconds) {
    int dismissed = 0;
    const DWORD start = GetTickCount();
    do {
        if (HWND box = FindErrorBox()) {
            char title[64] = "";
            GetWindowTextA(box, title, sizeof title);
            // The text is the box's static control with the id 0xFFFF.
            char text[1024] = "";
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            lastErrorText_ = text;
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            while (IsWindow(box) && GetTickCount() - start < milliseconds + 5000) Sleep(10);
            ++dismissed;
            ++errorBoxes_;
        } else if (milliseconds) {
            Sleep(20);
        }
    } while (GetTickCount() - start < milliseconds);
    return dismissed;
}

bool TCalendarProcess::Close() {
    if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
    return WaitForSingleObject(process_.hProcess, 10000) == WAIT_OBJECT_0;
}

TShownTooltip ShowTooltip(const TCalendarProcess& calendar, HWND day) {
    TShownTooltip shown;
    SendMessageA(day, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    RECT cell;
    GetWindowRect(day, &cell);
    SetCursorPos((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    calendar.FireTimer(static_cast<int>(MouseOverTimerId));
    DWORD process = 0;
    GetWindowThreadProcessId(calendar.Window(), &process);
    for (int attempt = 0; attempt < 100 && !shown.Window; ++attempt) {
        shown.Window = FindProcessWindow(process, "THintWindow");
        if (!shown.Window)
            Sleep(30);
    }
    if (!shown.Window)
        return shown;
    GetWindowRect(shown.Window, &shown.Bounds);
    std::vector<char> text(8192, '\0');
    GetWindowTextA(shown.Window, text.data(), static_cast<int>(text.size()));
    shown.Text = text.data();
    return shown;
}
