// The hyperlink label: a one-line caption drawn as a link (underlined, in the system's link
// colour, a hand pointer) that takes the focus like a button. A click, Enter or Space sends
// WidgetLinkClicked to the parent and opens the Url, if there is one, with the shell.
#pragma once
#include "WidgetWindow.h"
#include "WinHandles.h"

#include <functional>
#include <string>

class THyperlinkLabel : public TWidgetWindow {
  public:
    THyperlinkLabel(HWND parent, const std::string& name, int id, const TWidgetBounds& bounds,
                    const std::string& caption, double scale = 1.0);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    std::string Url;
    // Replaces the shell for opening the Url (tests, or a caller that opens it itself).
    std::function<void(const std::string& url)> OnOpen;
    // What a click, Enter or Space does.
    void Click();

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void Paint(HDC dc);
    HFONT LinkFont();

    std::string caption_;
    double scale_;
    bool pressed_ = false;
    HFONT linkFontOf_ = nullptr;
    FontHandle linkFont_;
};
