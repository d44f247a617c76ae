// A popup menu owned by a window: named items shown at a screen point. The menu only posts
// the chosen item's command to its window, so each item's handler runs from the window's
// message loop after the menu has gone, never inside the handler that opened it.
#pragma once
#include "WinHandles.h"

#include <functional>
#include <string>
#include <vector>

class TPopupMenu {
  public:
    // Commands of the menu are numbered from here, clear of the window's control ids.
    explicit TPopupMenu(UINT firstCommand = 0x7100);
    // A caption of "-" makes a separator.
    void Add(const std::string& name, const std::string& caption, std::function<void()> onClick);
    void SetEnabled(const std::string& name, bool enabled);
    // Shows the menu with its top-left corner at the screen point; the window gets the command.
    void Popup(HWND owner, POINT screenPoint) const;
    // Runs the handler of a command from the window's WM_COMMAND; false if it is not ours.
    bool Dispatch(UINT command) const;
    HMENU Handle() const { return menu_.Get(); }

  private:
    struct TItem {
        std::string Name;
        UINT Command;
        std::function<void()> OnClick;
    };
    MenuHandle menu_;
    UINT nextCommand_;
    std::vector<TItem> items_;
};
