// The desktop window: one month under a title and day names, five navigation buttons and the
// Coming Up list, kept beneath every other window and see-through wherever it shows the key
// colour, so only its text and frames appear on the desktop.
#pragma once
#include "AlertWindowUnit.h"
#include "BaseWindow.h"
#include "Clock.h"
#include "HintWindowUnit.h"
#include "MonthGrid.h"
#include "Navigation.h"
#include "PopupDay.h"
#include "PopupMenu.h"
#include "ScreenPlacement.h"
#include "ViewOptions.h"
#include "TrayIcon.h"
#include "VrHyperButton.h"
#include "WinHandles.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The window's copies of the settings, as they are until options have arrived.
struct TWindowOptions {
    std::string FontFace = "Arial";
    // Points; FontHeight is the height in pixels at the window's DPI.
    int FontPoints = 10;
    int FontHeight = -13;
    int32_t FontColour = 0xFFFFFF;
    int32_t Highlight = 0x800000;
    uint8_t FirstDay = 0;
    // Shared with the hint window, which may outlive the window while hints are switched off.
    std::shared_ptr<TTooltipOptions> Tooltip = std::make_shared<TTooltipOptions>();
    uint8_t ListCount = 0;
    uint8_t ColourCoding = 0;
    std::string DateFormat;
    // Pixels at 96 DPI, scaled to the window's DPI in the layout.
    uint8_t HSpacing = 4;
    uint8_t VSpacing = 2;
    TViewOptions View;
    // On unless the library says otherwise: white text vanishes on a light wallpaper.
    bool Outline = true;
};

// The alert settings, read from calendar.ini's options, which older copies of the program ignore.
struct TAlertOptions {
    int LeadMinutes = 0;
    bool Tomorrow = false;
    bool Sound = true;
    bool HideTrayIcon = false;
};

// The window's own settings beyond GetOptions, from the loaded library (see ViewOptions.h).
TOptionNumber LibraryOptionNumbers(HMODULE tools);

// Keeps a load's handle in the window's ToolsHandle for the length of a handler and puts the
// one before it back, so loads nest the way the system counts them.
class TToolsHandleUse {
  public:
    TToolsHandleUse(HMODULE& slot, HMODULE handle) : slot_(slot), previous_(slot) { slot_ = handle; }
    ~TToolsHandleUse() { slot_ = previous_; }
    TToolsHandleUse(const TToolsHandleUse&) = delete;
    TToolsHandleUse& operator=(const TToolsHandleUse&) = delete;

  private:
    HMODULE& slot_;
    HMODULE previous_;
};

class TVelmora : public TBaseWindow {
  public:
    explicit TVelmora(HWND owner);
    ~TVelmora() override;
    // False when the system check failed and the program has to end unseen.
    bool Created() const { return created_; }
    void FormShow();

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void CreateComponents();
    void CreateToolsPopup();
    bool FormCreate();
    void FormDestroy();
    void FormPaint();
    void Paint(HDC dc) override;
    void FormMouseDown(WPARAM keys, int x, int y);
    void ApplyOptions();
    // The window's font and the cells' fonts and frames at the window's DPI.
    void ApplyScaledLook();
    // A move to a monitor of another scale: the suggested place, then everything laid out again.
    void WMDpiChanged(int dpi, const RECT& suggested);
    int Scale(int pixelsAt96) const { return MulDiv(pixelsAt96, dpi_, 96); }
    void LayoutCalendar();
    void FetchComingUp();
    // Lines the window leaves for Coming Up: one a reminder, more for reminders of several.
    int ComingUpLineRoom() const;
    // Where the window is, or the nearest place on a monitor when it could not be reached
    // there; what is stored and where the window is moved back to.
    TScreenPoint ReachablePosition() const;
    void KeepOnScreen();

    void ToolButtonClick(TVrHyperButton& sender);
    void ToolButtonMouseDown(TVrHyperButton& sender, TMouseButton button, TShiftState shift);
    void ToolButtonMouseEnter(TVrHyperButton& sender);
    void DayButtonClick(TVrHyperButton& sender);
    void DayButtonMouseDown(TVrHyperButton& sender, TMouseButton button, TShiftState shift);
    void DayButtonMouseEnter(TVrHyperButton& sender);
    void VrHyperButton1MouseLeave(TVrHyperButton& sender);
    void TodayButtonMouseLeave(TVrHyperButton& sender);
    void Timer1Timer();
    void MouseOverTimerTimer();
    void SyncMinuteTimer();
    void RestartTimer1();
    void RefreshDayButtons();
    void StartHoverTimer();
    void WMWindowPosChanging(WINDOWPOS* position);
    // The answers to the window tests' queries (WindowQueries.h), only in the test build.
    LRESULT AnswerQuery(UINT message, WPARAM wParam);

    // Wheel, keys, week numbers and today's fill.
    void FormMouseWheel(WPARAM wParam);
    bool FormKeyDown(WPARAM key);
    void OpenSelectedDay();
    // The week-number column's width in the window's font, 0 while week numbers are off.
    int WeekColumnWidth(HDC dc) const;
    // The window grows and shrinks at its left by the column, so the grid keeps its place.
    void SetWeekColumn(int width);
    void PaintWeekNumbers(HDC dc, int headingTop) const;
    // Where the window is, as the settings store it: the grid's left, not the column's.
    TScreenPoint StoredPosition() const;
    LRESULT AnswerLookQuery(UINT message, WPARAM wParam) const;

    // The popup menu and its commands.
    void ShowToolsPopup(const TVrHyperButton& control);
    POINT PopupPointBelow(const TVrHyperButton& control) const;
    void ContextMenuFromKeyboard();
    void AddEntry1Click();
    void Options1Click();
    // "Import Calendar..." and "Export Calendar...".
    void CalendarFile1Click(bool import);
    void ReadMe1Click();
    void Close1Click();
    static void WINAPI OptionsApplied();
    // While a dialog of the library runs, the commands that would open another one or end
    // the program wait; a close asked for meanwhile happens when the dialog has returned.
    void DialogStarted();
    void DialogEnded();
    void FormClose();

    TVrHyperButton* FindControlByName(const std::string& name) const;
    // The day a cell shows in the displayed month, or 0 for a blank or stale cell.
    int CellDayOf(const TVrHyperButton& cell) const;
    int LineHeight(HDC dc) const;
    int NavigationBottom() const;

    // The shown date and the days the month steps remember; the window starts on now.
    TNavigationState navigation_{CurrentDateTime()};
    std::vector<std::unique_ptr<TVrHyperButton>> controls_;
    TVrHyperButton* todayButton_ = nullptr;
    // The most recent load of TOOLS.DLL while a handler holds it. A handler that loads the
    // library again inside another's call (a layout while a dialog runs) puts the outer
    // handle back when it is done, so the outer call still finds its library here.
    HMODULE ToolsHandle = nullptr;
    TPopupMenu ToolsPopup;
    TPopupDay popupDay_;
    int dialogsOpen_ = 0;
    bool closeWhenDialogsEnd_ = false;
    // The window whose options dialog is open, for OptionsApplied, which gets no arguments.
    static TVelmora* optionsWindow_;
    std::vector<std::string> ComingUpList;
    // Set once the list has been asked for since the last layout, even when it came back
    // empty: a failing or empty answer must not be asked for again at every paint.
    bool comingUpFetched_ = false;
    // Counted only in the test build, for its queries; declared in both, so that the objects
    // the two builds share agree on the window's layout.
    int comingUpFetches_ = 0;
    int optionsApplied_ = 0;
    TWindowOptions options_;
    // The DPI of the monitor the window is on; sizes of the options are those at 96.
    int dpi_ = 96;
    FontHandle font_;

    // The day's notification, the alerts at a time and the notification-area icon.
    void StartReminding();
    void ApplyAlertOptions();
    void RemindOnTick();
    void CheckNotification(bool dayChanged);
    void CheckAlerts();
    void AlertDone(TAlertWindow& sender, int snoozeMinutes);
    void ShowTrayIcon();
    void TrayIconClick(LPARAM mouseMessage);
    void SelectToday();
    bool AlertMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    TAlertOptions alertOptions_;
    std::unique_ptr<TTrayIcon> trayIcon_;
    // Shown for a notification only while the option hides the icon.
    bool trayIconForBalloon_ = false;
    std::vector<std::unique_ptr<TAlertWindow>> alertWindows_;
    // What has become of the alerts: read from alerts.ini once, when reminding starts (one
    // calendar runs per folder), and written back at each change. What this run decided
    // counts even where the file could not take it (a folder that cannot be written): a
    // dismissed alert must not come back at the next minute.
    TAlertState alertState_;
    double notifiedCheckDay_ = -1e9;
    // Kept only in the test build, for its queries (declared in both, as the counters above).
    int notifications_ = 0;
    std::string lastNotification_;
    BrushHandle keyBrush_;
    unsigned timer1Interval_ = 60000;
    TWheelNotches wheelNotches_;
    int weekColumn_ = 0;
    // The week numbers beside the six rows as laid out; 0 for a row without one.
    std::vector<int> weekNumbers_;
    bool created_ = false;
};
