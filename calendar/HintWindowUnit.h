// The tooltip of the calendar: no frame, rounded corners, the day's heading over a black line
// and the reminders below, in the tooltip font and colours of the options as they are when
// the tooltip is shown.
#pragma once
#include "HintManager.h"

#include <memory>
#include <string>

struct TTooltipOptions {
    std::string Font = "Arial";
    int Size = 12; // points
    COLORREF Colour = GetSysColor(COLOR_INFOTEXT);
    COLORREF Background = GetSysColor(COLOR_INFOBK);
};

class TCalendarHintWindow : public THintWindow {
  public:
    // The options are the window's; shared, so they live as long as either needs them.
    explicit TCalendarHintWindow(std::shared_ptr<const TTooltipOptions> options);
    // Large enough for every line of the hint, in the tooltip font of the options now.
    RECT CalcHintRect(int maxWidth, const std::string& hint) override;

  protected:
    TCreateParams CreateParams() const override;
    void HintSized(int width, int height) override;
    void Paint(HDC dc) override;

  private:
    void UseTooltipOptions();
    std::shared_ptr<const TTooltipOptions> options_;
    SIZE regionSize_ = {0, 0};
};
