// The alert window: standard controls on a small topmost window.
#include "AlertWindowUnit.h"

#include <algorithm>

namespace {
const int windowWidth = AlertWindowWidth;
const int windowHeight = AlertWindowHeight;
const int snoozeChoices[] = {5, 10, 15};

std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

HWND CreateChild(HWND parent, const char* className, const char* text, DWORD style, int x, int y,
                 int width, int height, int id, HFONT font) {
    HWND child = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width,
                                 height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

// Dialog text lines end in CR LF.
std::string WindowsLines(const std::string& text) {
    std::string result;
    for (char c : text) {
        if (c == '\n')
            result += '\r';
        result += c;
    }
    return result;
}
} // namespace

std::string AlertWindowText(const std::vector<TDueAlert>& alerts) {
    if (alerts.size() == 1) {
        const TDueAlert& due = alerts.front();
        return due.Alert.Text + (due.Late ? "\n(late)" : "");
    }
    std::string text = std::to_string(alerts.size()) + " more reminders:";
    for (const TDueAlert& due : alerts)
        text += "\n" + FirstLine(due.Alert.Text) + (due.Late ? " (late)" : "");
    return text;
}

TAlertWindow::TAlertWindow(std::vector<TDueAlert> alerts, int slot, TDoneHandler onDone)
    : alerts_(std::move(alerts)), onDone_(std::move(onDone)), slot_(slot) {
    RegisterWindowClass(AlertWindowClassName, 0, GetSysColorBrush(COLOR_BTNFACE),
                        LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    font_ = FontHandle(CreateFontIndirectA(&metrics.lfMessageFont));
    RECT work = {0, 0, 800, 600};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const bool late =
        std::any_of(alerts_.begin(), alerts_.end(), [](const TDueAlert& due) { return due.Late; });
    const std::string title = alerts_.size() > 1 ? "Velmora reminders"
                              : late             ? "Velmora reminder (late)"
                                                 : "Velmora reminder";
    CreateHandle(WS_EX_TOPMOST | WS_EX_CONTROLPARENT, AlertWindowClassName, title.c_str(),
                 WS_POPUP | WS_CAPTION | WS_SYSMENU, work.right - windowWidth - 8,
                 work.bottom - (slot + 1) * Height(), windowWidth, windowHeight, nullptr, 0);
    CreateComponents();
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
}

void TAlertWindow::CreateComponents() {
    RECT client;
    GetClientRect(Handle(), &client);
    const int margin = 8, buttonHeight = 25, bottom = client.bottom - margin - buttonHeight;
    HFONT font = font_.Get();
    CreateChild(Handle(), "STATIC", WindowsLines(AlertWindowText(alerts_)).c_str(),
                SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, margin, margin, client.right - 2 * margin,
                bottom - 2 * margin, AlertTextId, font);
    HWND dismiss =
        CreateChild(Handle(), "BUTTON", "Dismiss", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, margin,
                    bottom, 80, buttonHeight, AlertDismissId, font);
    CreateChild(Handle(), "BUTTON", "Snooze", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
                client.right - margin - 80 - 6 - 100, bottom, 80, buttonHeight, AlertSnoozeId,
                font);
    HWND choice =
        CreateChild(Handle(), "COMBOBOX", "", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL | WS_GROUP,
                    client.right - margin - 100, bottom + 1, 100, 120, AlertSnoozeChoiceId, font);
    for (int minutes : snoozeChoices)
        SendMessageA(choice, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>((std::to_string(minutes) + " minutes").c_str()));
    SendMessageA(choice, CB_SETCURSEL, 0, 0);
    SetFocus(dismiss);
}

int TAlertWindow::ChosenSnooze() const {
    const LRESULT index =
        SendMessageA(GetDlgItem(Handle(), AlertSnoozeChoiceId), CB_GETCURSEL, 0, 0);
    return index >= 0 && index < 3 ? snoozeChoices[index] : snoozeChoices[0];
}

void TAlertWindow::Done(int snoozeMinutes) {
    // A second press before the window has gone must not count twice.
    if (done_)
        return;
    done_ = true;
    if (onDone_)
        onDone_(*this, snoozeMinutes);
    DestroyWindow(Handle());
}

bool TAlertWindow::DialogMessage(MSG* message) {
    HWND top = message->hwnd ? GetAncestor(message->hwnd, GA_ROOT) : nullptr;
    if (!top)
        return false;
    char className[32] = "";
    GetClassNameA(top, className, sizeof className);
    return lstrcmpA(className, AlertWindowClassName) == 0 && IsDialogMessageA(top, message);
}

LRESULT TAlertWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == AlertDismissId && HIWORD(wParam) == BN_CLICKED)
            Done(0);
        else if (LOWORD(wParam) == AlertSnoozeId && HIWORD(wParam) == BN_CLICKED)
            Done(ChosenSnooze());
        return 0;
    case WM_CLOSE:
        Done(ChosenSnooze());
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            SetFocus(GetDlgItem(Handle(), AlertDismissId));
        return 0;
    case DM_GETDEFID:
        return MAKELRESULT(AlertDismissId, DC_HASDEFID);
    default:
        return DefaultHandler(message, wParam, lParam);
    }
}
