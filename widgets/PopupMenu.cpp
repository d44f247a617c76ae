// The popup menu: a Windows popup menu and the handlers of its items.
#include "PopupMenu.h"

TPopupMenu::TPopupMenu(UINT firstCommand) : menu_(CreatePopupMenu()), nextCommand_(firstCommand) {}

void TPopupMenu::Add(const std::string& name, const std::string& caption,
                     std::function<void()> onClick) {
    const UINT command = nextCommand_++;
    if (caption == "-")
        AppendMenuA(menu_.Get(), MF_SEPARATOR, command, nullptr);
    else
        AppendMenuA(menu_.Get(), MF_STRING, command, caption.c_str());
    items_.push_back({name, command, std::move(onClick)});
}

void TPopupMenu::SetEnabled(const std::string& name, bool enabled) {
    for (const TItem& item : items_)
        if (item.Name == name)
            EnableMenuItem(menu_.Get(), item.Command,
                           MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void TPopupMenu::Popup(HWND owner, POINT screenPoint) const {
    // A menu only closes on a click elsewhere while its window owns the foreground; the
    // message after it lets the menu's own loop see that it has ended.
    SetForegroundWindow(owner);
    TrackPopupMenuEx(menu_.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screenPoint.x,
                     screenPoint.y, owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
}

bool TPopupMenu::Dispatch(UINT command) const {
    for (const TItem& item : items_) {
        if (item.Command != command)
            continue;
        if (item.OnClick)
            item.OnClick();
        return true;
    }
    return false;
}
