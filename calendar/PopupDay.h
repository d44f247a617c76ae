// The day the popup menu was last opened on by a right click, kept as a whole date: the
// window may have moved to another month (the minute timer, a navigation) before the user
// chooses "Edit Reminders", and the editor must still open on the day that was clicked.
#pragma once

class TPopupDay {
  public:
    // The day of a cell of the shown month; 0 (a blank cell) forgets any earlier day.
    void Remember(int year, int month, int day);
    bool Held() const { return held_; }
    // The date "Edit Reminders" opens on, forgetting it: the remembered day, or else the
    // shown date's day.
    double Take(double displayDate);

  private:
    double date_ = 0;
    bool held_ = false;
};
