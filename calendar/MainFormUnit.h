// The desktop window: one month under a title and day names, five navigation buttons and the
// Coming Up list, kept beneath every other window and see-through wherever it shows the key
// colour, so only its text and frames appear on the desktop.
#pragma once
#include "BaseWindow.h"
#include "HintWindowUnit.h"
#include "MonthGrid.h"
#include "VrHyperButton.h"
#include "WinHandles.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The window's copies of the settings, as they are until options have arrived.
struct TWindowOptions {
    std::string FontFace = "Arial";
    int FontHeight = -13;
    int32_t FontColour = 0xFFFFFF;
    int32_t Highlight = 0x800000;
    uint8_t FirstDay = 0;
    // Shared with the hint window, which may outlive the window while hints are switched off.
    std::shared_ptr<TTooltipOptions> Tooltip = std::make_shared<TTooltipOptions>();
    uint8_t ListCount = 0;
    uint8_t ColourCoding = 0;
    std::string DateFormat;
    uint8_t HSpacing = 4;
    uint8_t VSpacing = 2;
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
    bool FormCreate();
    void FormDestroy();
    void FormPaint();
    void Paint(HDC dc) override;
    void FormMouseDown(WPARAM keys, int x, int y);
    void ApplyOptions();
    void LayoutCalendar();
    void FetchComingUp();

    void ToolButtonClick(TVrHyperButton& sender);
    void ToolButtonMouseDown(TVrHyperButton& sender, TMouseButton button, TShiftState shift);
    void ToolButtonMouseEnter(TVrHyperButton& sender);
    void DayButtonClick(TVrHyperButton& sender);
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
    LRESULT AnswerQuery(UINT message, WPARAM wParam);

    TVrHyperButton* FindControlByName(const std::string& name) const;
    // The day a cell shows in the displayed month, or 0 for a blank or stale cell.
    int CellDayOf(const TVrHyperButton& cell) const;
    int LineHeight(HDC dc) const;
    int NavigationBottom() const;

    std::vector<std::unique_ptr<TVrHyperButton>> controls_;
    TVrHyperButton* todayButton_ = nullptr;
    HMODULE ToolsHandle = nullptr;
    std::vector<std::string> ComingUpList;
    // Set once the list has been asked for since the last layout, even when it came back
    // empty: a failing or empty answer must not be asked for again at every paint.
    bool comingUpFetched_ = false;
    int comingUpFetches_ = 0;
    TWindowOptions options_;
    FontHandle font_;
    BrushHandle keyBrush_;
    unsigned timer1Interval_ = 60000;
    bool created_ = false;
};
