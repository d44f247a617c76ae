// Windows side of the message boxes. Every box waits for an answer, so it comes up in front
// of every other window, takes the foreground and stays in front until it is answered: one
// beneath the others (the calendar's own window lies at the very bottom, and a click on any
// other window raises that one) would leave the program waiting unseen.
#include "MessageBoxes.h"

#include <windows.h>

namespace {
const UINT inFront = MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST;

// The active window, whose box it is, unless it keeps itself at the bottom; a box without an
// owner still disables every window of the thread while it is open (task modal).
HWND BoxOwner() {
    HWND active = GetActiveWindow();
    return active && GetPropA(active, KeptBelowWindowProperty) ? nullptr : active;
}

// MB_TOPMOST alone does not reach a window manager under every system (Wine passes it on only
// when the window is made topmost once it exists), so the box is made topmost again as it is
// first activated. The hook lives for one box on this thread and is gone when it returns.
thread_local HHOOK boxHook = nullptr;
thread_local bool boxRaised = false;

LRESULT CALLBACK RaiseBoxOnActivation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && !boxRaised) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char className[16] = "";
        GetClassNameA(window, className, sizeof className);
        if (lstrcmpA(className, "#32770") == 0) {
            boxRaised = true;
            SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        }
    }
    return CallNextHookEx(boxHook, code, wParam, lParam);
}

int ShowBox(const std::string& text, const char* caption, UINT type) {
    HHOOK outer = boxHook;
    const bool outerRaised = boxRaised;
    boxHook = SetWindowsHookExA(WH_CBT, RaiseBoxOnActivation, nullptr, GetCurrentThreadId());
    boxRaised = false;
    const int answer = MessageBoxA(BoxOwner(), text.c_str(), caption, type | inFront);
    if (boxHook)
        UnhookWindowsHookEx(boxHook);
    boxHook = outer;
    boxRaised = outerRaised;
    return answer;
}
} // namespace

void ShowErrorBox(const std::string& text) {
    ShowBox(text, "Velmora", MB_OK | MB_ICONERROR);
}
void ShowInformationBox(const std::string& text) {
    ShowBox(text, "Information", MB_OK | MB_ICONINFORMATION);
}
QuestionAnswer AskYesNoCancel(const std::string& text) {
    switch (ShowBox(text, "Confirm", MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
        return QuestionAnswer::Yes;
    case IDNO:
        return QuestionAnswer::No;
    default:
        return QuestionAnswer::Cancel;
    }
}
