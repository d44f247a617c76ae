// The dialog driver: a CBT hook to see windows come up, a thread timer to act inside the
// dialog's own message loop.
#include "DialogDriver.h"
#include "ScreenCapture.h"

#include "BaseForm.h"

#include <commctrl.h>
#include <cstdio>
#include <gtest/gtest.h>

namespace {
DialogDriver* current = nullptr;
const UINT tickMilliseconds = 20;
const int maxBusyTicks = 100;

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window) {
    char text[4096] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

BOOL CALLBACK CollectStatic(HWND child, LPARAM target) {
    if (lstrcmpiA(ClassOf(child).c_str(), "Static") == 0)
        *reinterpret_cast<std::string*>(target) += TextOf(child);
    return TRUE;
}
BOOL CALLBACK CollectFields(HWND child, LPARAM target) {
    if (lstrcmpiA(ClassOf(child).c_str(), "Edit") == 0)
        (*reinterpret_cast<std::map<int, std::string>*>(target))[GetDlgCtrlID(child)] =
            TextOf(child);
    return TRUE;
}

void SendKey(WORD key, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}
} // namespace

DialogDriver::DialogDriver(std::string dialogClass) : dialogClass_(std::move(dialogClass)) {
    current = this;
    hook_ = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    timer_ = SetTimer(nullptr, 0, tickMilliseconds, Tick);
}

DialogDriver::~DialogDriver() {
    KillTimer(nullptr, timer_);
    UnhookWindowsHookEx(hook_);
    current = nullptr;
}

LRESULT CALLBACK DialogDriver::Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && current) {
        HWND window = reinterpret_cast<HWND>(wParam);
        const std::string name = ClassOf(window);
        if (name == "#32770" && window != current->answered_) {
            current->box_ = window;
            current->boxWait_ = 2;
        } else if (name == current->dialogClass_) {
            current->dialog_ = window;
            current->seen_ = true;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK DialogDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (current)
        current->RunTick();
}

void DialogDriver::RunTick() {
    if (box_) {
        // The box fills in its text after it is activated: answer it a tick later.
        if (boxWait_-- > 0)
            return;
        SeenBox seen;
        seen.caption = TextOf(box_);
        EnumChildWindows(box_, CollectStatic, reinterpret_cast<LPARAM>(&seen.text));
        EnumChildWindows(box_, CollectFields, reinterpret_cast<LPARAM>(&seen.fields));
        boxes_.push_back(seen);
        const int answer = nextAnswer_ < answers_.size() ? answers_[nextAnswer_++] : IDOK;
        PostMessageA(box_, WM_COMMAND, static_cast<WPARAM>(answer), 0);
        // A box can be activated again before it takes the answer: it is the same box.
        answered_ = box_;
        box_ = nullptr;
        return;
    }
    if (!dialog_ || !IsWindow(dialog_) || !IsWindowVisible(dialog_))
        return;
    // A tick is taken from the queue as soon as it is due, also while paints and posted
    // messages still wait, so on a busy machine the dialog's loop may not have run empty (and
    // its idle update not run) since the last one. Such a tick only waits; once a tick finds
    // the queue empty, the loop runs empty right after it and the idle update has its turn
    // before the next one. A dialog that never quietens is driven on after a while.
    if (HIWORD(GetQueueStatus(QS_ALLINPUT & ~QS_TIMER)) != 0 && busyTicks_++ < maxBusyTicks) {
        timer_ = SetTimer(nullptr, timer_, tickMilliseconds, Tick);
        return;
    }
    busyTicks_ = 0;
    // The first tick after the dialog shows may come before its loop ever ran empty: give
    // the idle update its turn before the script looks at the controls.
    if (!settled_) {
        settled_ = true;
        timer_ = SetTimer(nullptr, timer_, tickMilliseconds, Tick);
        return;
    }
    if (next_ >= steps_.size())
        return;
    // Every other tick is a quiet one, re-armed in full: the input of the last step and the
    // paints it caused are handled, and the queue runs empty, so the dialog's idle update has
    // run before the next step looks at anything.
    if (actedLastTick_) {
        actedLastTick_ = false;
    } else {
        actedLastTick_ = true;
        Step step = steps_[next_++];
        step(*this);
    }
    timer_ = SetTimer(nullptr, timer_, tickMilliseconds, Tick);
}

HWND DialogDriver::Find(const char* component) const {
    HWND window = reinterpret_cast<HWND>(
        SendMessageA(dialog_, WM_FINDCOMPONENT, 0, reinterpret_cast<LPARAM>(component)));
    EXPECT_NE(window, nullptr) << "no component " << component;
    return window;
}

bool DialogDriver::Enabled(const char* component) const {
    return IsWindowEnabled(Find(component)) != FALSE;
}
bool DialogDriver::Visible(const char* component) const {
    return IsWindowVisible(Find(component)) != FALSE;
}
std::string DialogDriver::Text(const char* component) const {
    return TextOf(Find(component));
}

void DialogDriver::Click(const char* button) {
    HWND window = Find(button);
    ASSERT_TRUE(IsWindowVisible(window) && IsWindowEnabled(window))
        << button << " cannot be clicked";
    PostMessageA(window, BM_CLICK, 0, 0);
}

void DialogDriver::Type(const char* edit, const std::string& text) {
    HWND window = Find(edit);
    ASSERT_TRUE(IsWindowVisible(window) && IsWindowEnabled(window)) << edit << " cannot take text";
    SetFocus(window);
    SendMessageA(window, EM_SETSEL, 0, -1);
    if (text.empty())
        PostMessageA(window, WM_CHAR, VK_BACK, 0);
    for (char c : text)
        PostMessageA(window, WM_CHAR, static_cast<unsigned char>(c), 0);
}

void DialogDriver::ClickRow(const char* list, int row) {
    HWND window = Find(list);
    RECT item = {};
    item.left = LVIR_LABEL;
    ASSERT_TRUE(SendMessageA(window, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                             reinterpret_cast<LPARAM>(&item)))
        << "no row " << row << " in " << list;
    const LPARAM at = MAKELPARAM(item.left + 4, (item.top + item.bottom) / 2);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(window, WM_LBUTTONUP, 0, at);
}

void DialogDriver::ClickBelowRows(const char* list) {
    HWND window = Find(list);
    RECT client = {};
    GetClientRect(window, &client);
    const LPARAM at = MAKELPARAM(client.right / 2, client.bottom - 3);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(window, WM_LBUTTONUP, 0, at);
}

int DialogDriver::SelectedRow(const char* list) const {
    return static_cast<int>(
        SendMessageA(Find(list), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int DialogDriver::RowCount(const char* list) const {
    return static_cast<int>(SendMessageA(Find(list), LVM_GETITEMCOUNT, 0, 0));
}

std::string DialogDriver::Cell(const char* list, int row, int column) const {
    char text[1024] = "";
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(Find(list), LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
    return text;
}

void DialogDriver::Choose(const char* combo, const std::string& entry) {
    HWND window = Find(combo);
    ASSERT_TRUE(IsWindowVisible(window) && IsWindowEnabled(window))
        << combo << " cannot be chosen from";
    const LRESULT index = SendMessageA(window, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(entry.c_str()));
    ASSERT_NE(index, CB_ERR) << "no entry \"" << entry << "\" in " << combo;
    SetFocus(window);
    SendMessageA(window, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    // What the box tells its parent when the user picks an entry.
    SendMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(window));
}

std::string DialogDriver::Chosen(const char* combo) const {
    HWND window = Find(combo);
    const LRESULT index = SendMessageA(window, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return "(none)";
    char text[512] = "";
    SendMessageA(window, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

void DialogDriver::Key(WORD virtualKey, bool alt, bool control, bool shift) {
    if (alt)
        SendKey(VK_MENU, false);
    if (control)
        SendKey(VK_CONTROL, false);
    if (shift)
        SendKey(VK_SHIFT, false);
    SendKey(virtualKey, false);
    SendKey(virtualKey, true);
    if (shift)
        SendKey(VK_SHIFT, true);
    if (control)
        SendKey(VK_CONTROL, true);
    if (alt)
        SendKey(VK_MENU, true);
}

void DialogDriver::ShowPage(int page) {
    HWND tabs = Find("PageControl1");
    SendMessageA(tabs, TCM_SETCURFOCUS, static_cast<WPARAM>(page), 0);
    if (SendMessageA(tabs, TCM_GETCURSEL, 0, 0) != page) {
        SendMessageA(tabs, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
        NMHDR header = {tabs, static_cast<UINT_PTR>(GetDlgCtrlID(tabs)),
                        static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageA(dialog_, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    }
}

HWND DialogDriver::Focused() const {
    return GetFocus();
}

std::string DialogDriver::FocusedComponentClass() const {
    return ClassOf(GetFocus());
}

void DialogDriver::SaveScreenshot(const std::string& path, int margin) const {
    RECT frame = {};
    GetWindowRect(dialog_, &frame);
    SaveScreenArea(path, frame.left, frame.top, frame.right - frame.left + margin,
                   frame.bottom - frame.top + margin);
}
