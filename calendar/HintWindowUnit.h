// The tooltip of the calendar: no frame, rounded corners, the day's heading over a black line
// and the reminders below, in the tooltip font and colours of the options as they are when
// the tooltip is painted.
#pragma once
#include "HintManager.h"

#include <string>

struct TTooltipOptions {
    std::string Font = "Arial";
    int Size = 12; // points
    COLORREF Colour = GetSysColor(COLOR_INFOTEXT);
    COLORREF Background = GetSysColor(COLOR_INFOBK);
};

class TCalendarHintWindow : public THintWindow {
  public:
    explicit TCalendarHintWindow(const TTooltipOptions& options);

  protected:
    TCreateParams CreateParams() const override;
    void Paint(HDC dc) override;

  private:
    void UseTooltipOptions();
    const TTooltipOptions& options_;
    SIZE regionSize_ = {0, 0};
};
