// Library wrappers, the layered-window set-up and Read Me.
#include "CalendarUnit.h"
#include "CalendarCommandLine.h"

#include "DateUtils.h"
#include "EventTypeUnit.h"
#include "MessageBoxes.h"
#include "ReadMe.h"
#include "StartupCheck.h"

#include <cstring>
#include <vector>

namespace {
// The capacity agreed with the library, which shortens longer texts at a whole line.
const size_t textBufferSize = 1024;

// One call of a text export into a fresh buffer. The length starts at 0 and the buffer empty,
// so a call that fails inside the library reads as no text at all.
template <typename Call> std::string CallForText(Call call, bool useLength) {
    std::vector<char> buffer(textBufferSize, '\0');
    char* text = buffer.data();
    uint32_t length = 0;
    call(&text, &length);
    buffer.back() = '\0';
    if (useLength && length == 0) return "";
    return std::string(buffer.data(), strnlen(buffer.data(), textBufferSize - 1));
}

// False without the library or its export; a day whose query fails gives an empty text.
bool ItemsOfDay(double date, std::string* items) {
    TToolsLibrary tools;
    auto getItems = tools.Find<TGetItemsFunction>("GetItems");
    if (!getItems) return false;
    *items = CallForText([&](char** text, uint32_t* length) { getItems(text, length, date); }, true);
    return true;
}

std::vector<std::string> CommandLineArguments() {
    std::vector<std::string> arguments;
    for (int i = 1; i < __argc; ++i) arguments.emplace_back(__argv[i]);
    return arguments;
}
} // namespace

TToolsLibrary::TToolsLibrary() : module_(LoadLibraryA("TOOLS.DLL")) {}

std::string GetDayItems(double date) {
    std::string items;
    ItemsOfDay(date, &items);
    return items;
}

std::string DayTooltipText(double date) {
    const std::string items = GetDayItems(date);
    std::string tooltip = TooltipText(items);
    if (items.size() + 1 >= textBufferSize) {
        // The shortened text may end inside a word; the ellipsis follows the last whole one.
        const size_t lineStart = tooltip.rfind('\n');
        const size_t space = tooltip.rfind(' ');
        if (space != std::string::npos && (lineStart == std::string::npos || space > lineStart))
            tooltip.erase(space);
        tooltip += "...";
    }
    return tooltip;
}

std::vector<std::string> GetMonthItems(double date) {
    int year, month, day;
    DecodeDate(date, &year, &month, &day);
    std::vector<std::string> items;
    for (int d = 1; d <= DaysInMonth(year, month); ++d) {
        // Without the library no day has an entry; a day whose query failed has an empty
        // one, so every later day keeps its own text.
        std::string text;
        if (!ItemsOfDay(EncodeDate(year, month, d), &text)) break;
        items.push_back(std::move(text));
    }
    return items;
}

std::string GetComingUp(double date, int count) {
    TToolsLibrary tools;
    auto comingUp = tools.Find<TComingUpFunction>("ComingUp");
    if (!comingUp) return "";
    const double day = WholeDay(date);
    return CallForText(
        [&](char** text, uint32_t* length) { comingUp(count, text, length, day); }, false);
}

void EditReminders(double date) {
    TToolsLibrary tools;
    if (auto addEntry = tools.Find<TAddEntryFunction>("AddEntry")) addEntry(WholeDay(date));
}

bool InitLayeredWindow(HWND window, COLORREF keyColour, BYTE alpha) {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    std::string reason;
    bool versionAsked = false;
    if (!SkipsVersionCheck(CommandLineArguments())) {
        versionAsked = GetVersionExA(&version) != FALSE;
        reason = VersionCheckReason(version.dwPlatformId, version.dwMajorVersion);
    }
    if (reason.empty()) {
        SetWindowLongPtrA(window, GWL_EXSTYLE,
                          GetWindowLongPtrA(window, GWL_EXSTYLE) | WS_EX_LAYERED);
        ModuleHandle user32(LoadLibraryA("USER32.DLL"));
        if (!user32) {
            reason = "Unable to load user32.dll.";
        } else {
            using TSetLayeredWindowAttributes = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
            auto setAttributes =
                BindExport<TSetLayeredWindowAttributes>(user32, "SetLayeredWindowAttributes");
            if (!setAttributes) reason = "Unable to set layered window attributes.";
            else setAttributes(window, keyColour, alpha, LWA_COLORKEY);
        }
    }
    if (reason.empty()) return true;
    if (!versionAsked) GetVersionExA(&version);
    ShowErrorBox(InitialisationErrorText(reason, version.dwPlatformId, version.dwMajorVersion));
    return false;
}

bool RunCalendarFileCommand(int* exitCode) {
    const CalendarFileCommand command = FindCalendarFileCommand(CommandLineArguments());
    if (command.kind == CalendarFileCommand::None) return false;
    bool ran = false;
    int32_t result = -1;
    if (command.kind != CalendarFileCommand::Incomplete) {
        TToolsLibrary tools;
        const char* name = command.kind == CalendarFileCommand::Import ? "ImportCalendarFile" : "ExportCalendarFile";
        if (auto run = tools.Find<TImportCalendarFileFunction>(name)) {
            result = run(command.path.c_str());
            ran = true;
        }
    }
    *exitCode = CalendarFileCommandExitCode(ran, result);
    return true;
}

bool ImportOrExportCalendar(bool import) {
    TToolsLibrary tools;
    auto run = tools.Find<TImportCalendarFileFunction>(import ? "ImportCalendarFile" : "ExportCalendarFile");
    if (!run) return false;
    run(nullptr);
    return true;
}

void ShowReadMe() {
    OpenReadMe();
}
