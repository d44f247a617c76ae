// The alert of a reminder at its time: a small window above all others with the reminder's
// text, "Dismiss", and "Snooze" for a chosen number of minutes, every part reachable by the
// keyboard. One window may hold several alerts: the summary of those that did not fit on
// the screen, dismissed or snoozed together.
#pragma once
#include "Alerts.h"
#include "BaseWindow.h"
#include "WinHandles.h"

#include <functional>
#include <string>
#include <vector>

// Child control identifiers, for the window and the tests that press its buttons.
constexpr int AlertDismissId = IDOK;
constexpr int AlertSnoozeId = IDCANCEL; // Escape and the close box snooze: nothing is lost
constexpr int AlertSnoozeChoiceId = 103;
constexpr int AlertTextId = 104;
constexpr const char* AlertWindowClassName = "TVelmoraAlert";
constexpr int AlertWindowWidth = 320;
constexpr int AlertWindowHeight = 150;

class TAlertWindow : public TBaseWindow {
  public:
    // snoozeMinutes is 0 for a dismissal.
    using TDoneHandler = std::function<void(TAlertWindow& sender, int snoozeMinutes)>;
    // slot counts the windows below this one, stacked up from the work area's bottom right.
    TAlertWindow(std::vector<TDueAlert> alerts, int slot, TDoneHandler onDone);
    const std::vector<TDueAlert>& Alerts() const { return alerts_; }
    int Slot() const { return slot_; }
    // The room one window takes in the stack, with the gap above it.
    static int Height() { return AlertWindowHeight + 4; }
    // Tab, Enter and Escape for the alert windows' controls; true when the message was theirs.
    static bool DialogMessage(MSG* message);

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void CreateComponents();
    void Done(int snoozeMinutes);
    int ChosenSnooze() const;

    std::vector<TDueAlert> alerts_;
    TDoneHandler onDone_;
    FontHandle font_;
    bool done_ = false;
    int slot_;
};

// The text an alert window shows for its alerts.
std::string AlertWindowText(const std::vector<TDueAlert>& alerts);
