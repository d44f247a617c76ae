// The window's life: its components, creation, options, layout and destruction.
#include "MainFormUnit.h"

#include "CalendarUnit.h"
#include "Canvas.h"
#include "Clock.h"
#include "DateUtils.h"
#include "MessageBoxes.h"
#include "Navigation.h"
#include "ProgramDirectory.h"
#include "TextCase.h"
#include "WindowProcedure.h"
#include "WindowQueries.h"

#include <algorithm>

namespace {
const char* const windowClassName = "TVelmora";

struct TNavigationButton {
    const char* Name;
    const char* Caption; // Marlett's arrows and square, drawn as shapes without the face
    const char* Hint;
};
const TNavigationButton navigationButtons[5] = {
    {"YearBackButton", "33", "Previous year"},
    {"MonthBackButton", "3", "Previous month"},
    {"TodayButton", "g", "Today"},
    {"MonthNextButton", "4", "Next month"},
    {"YearNextButton", "44", "Next year"},
};
const int navigationButtonFirstId = 101;

// Where the components stand until the first layout replaces it.
TCellBounds DesignCell(int n) { return {((n - 1) % 7) * 30, 32 + ((n - 1) / 7) * 21, 27, 20}; }
TCellBounds DesignNavigationButton(int index) {
    static const int columns[5] = {0, 1, 3, 5, 6};
    return {columns[index] * 30, 158, 27, 20};
}

// The window draws nothing while its cells move and take their new looks, and is repainted
// once afterwards, instead of once for each of its 47 children. Only a shown window is paused:
// turning drawing back on marks a window visible.
class TRedrawPause {
  public:
    explicit TRedrawPause(HWND window) : window_(IsWindowVisible(window) ? window : nullptr) {
        if (window_) SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
    }
    ~TRedrawPause() { End(); }
    void End() {
        if (window_) SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
        window_ = nullptr;
    }
    TRedrawPause(const TRedrawPause&) = delete;
    TRedrawPause& operator=(const TRedrawPause&) = delete;

  private:
    HWND window_;
};

struct TMonitorRects {
    std::vector<TScreenRect> Bounds;
    std::vector<TScreenRect> WorkAreas;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM rects) {
    // A failure ends the enumeration with the monitors found so far.
    return RunGuarded([&] {
        MONITORINFO info = {};
        info.cbSize = sizeof info;
        if (GetMonitorInfoA(monitor, &info)) {
            TMonitorRects& all = *reinterpret_cast<TMonitorRects*>(rects);
            const RECT &bounds = info.rcMonitor, &work = info.rcWork;
            all.Bounds.push_back({bounds.left, bounds.top, bounds.right, bounds.bottom});
            all.WorkAreas.push_back({work.left, work.top, work.right, work.bottom});
        }
    });
}

TMonitorRects Monitors() {
    TMonitorRects rects;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&rects));
    return rects;
}

// The DPI of the window's monitor where the system tells it per window (Windows 10 and
// later), else the system's.
int WindowDpi(HWND window) {
    using TGetDpiForWindow = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow =
        BindExport<TGetDpiForWindow>(GetModuleHandleA("user32.dll"), "GetDpiForWindow");
    const int dpi = getDpiForWindow ? static_cast<int>(getDpiForWindow(window)) : 0;
    if (dpi > 0) return dpi;
    WindowDC screen(nullptr);
    const int system = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    return system > 0 ? system : 96;
}

// The options as GetOptions hands them over: the short strings carry a length byte.
struct TShortString {
    unsigned char bytes[256] = {};
    std::string Text() const { return std::string(reinterpret_cast<const char*>(bytes + 1), bytes[0]); }
};
} // namespace

TVelmora::TVelmora(HWND owner) : keyBrush_(CreateSolidBrush(KeyColour)) {
    RegisterWindowClass(windowClassName, CS_DBLCLKS, nullptr, nullptr);
    CreateHandle(0, windowClassName, "Velmora", WS_POPUP | WS_CLIPCHILDREN, 100, 100, 293, 266,
                 owner, 0);
    // The message boxes of both modules look for this mark and take no owner that carries it.
    SetPropA(Handle(), KeptBelowWindowProperty, reinterpret_cast<HANDLE>(1));
    dpi_ = WindowDpi(Handle());
    options_.FontHeight = -MulDiv(options_.FontPoints, dpi_, 72);
    font_ = CreateCanvasFont(options_.FontFace, options_.FontHeight, FontSmoothing::None);
    CreateComponents();
    CreateToolsPopup();
    created_ = FormCreate();
}

TVelmora::~TVelmora() {
    // The hint window's cells are this window's buttons; it goes with them.
    THintManager::Application().SetShowHint(false);
    KillTimer(Handle(), Timer1Id);
    KillTimer(Handle(), MouseOverTimerId);
}

void TVelmora::CreateComponents() {
    for (int n = 1; n <= CellCount; ++n) {
        auto cell = std::make_unique<TVrHyperButton>(Handle(), "VrHyperButton" + std::to_string(n),
                                                     n, std::to_string(n));
        const TCellBounds bounds = DesignCell(n);
        cell->SetBounds(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
        cell->SetBorderColor(KeyColour);
        cell->OnClick = [this](TVrHyperButton& sender) { DayButtonClick(sender); };
        cell->OnMouseDown = [this](TVrHyperButton& sender, TMouseButton mouseButton,
                                   TShiftState shift) { DayButtonMouseDown(sender, mouseButton, shift); };
        cell->OnMouseEnter = [this](TVrHyperButton& sender) { DayButtonMouseEnter(sender); };
        if (n == 1)
            cell->OnMouseLeave = [this](TVrHyperButton& sender) { VrHyperButton1MouseLeave(sender); };
        controls_.push_back(std::move(cell));
    }
    for (int index = 0; index < 5; ++index) {
        const TNavigationButton& design = navigationButtons[index];
        auto button = std::make_unique<TVrHyperButton>(Handle(), design.Name,
                                                       navigationButtonFirstId + index, design.Caption);
        const TCellBounds bounds = DesignNavigationButton(index);
        button->SetBounds(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
        button->SetFontFace("Marlett");
        button->SetSymbolCaption(true);
        button->Hint = design.Hint;
        // Read out as what it does, not as the glyph's letter.
        button->SetAccessibleName(design.Hint);
        button->OnClick = [this](TVrHyperButton& sender) { ToolButtonClick(sender); };
        button->OnMouseDown = [this](TVrHyperButton& sender, TMouseButton mouseButton,
                                     TShiftState shift) { ToolButtonMouseDown(sender, mouseButton, shift); };
        button->OnMouseEnter = [this](TVrHyperButton& sender) { ToolButtonMouseEnter(sender); };
        if (index == 2) {
            button->OnMouseLeave = [this](TVrHyperButton& sender) { TodayButtonMouseLeave(sender); };
            todayButton_ = button.get();
        }
        controls_.push_back(std::move(button));
    }
}

bool TVelmora::FormCreate() {
    for (int index = 0; index < 5; ++index)
        FindControlByName(navigationButtons[index].Name)->SetBorderColor(KeyColour);
    if (!InitLayeredWindow(Handle(), KeyColour, 0)) return false;
    THintManager& hints = THintManager::Application();
    std::shared_ptr<const TTooltipOptions> tooltip = options_.Tooltip;
    hints.SetHintWindowClass([tooltip] { return std::make_unique<TCalendarHintWindow>(tooltip); });
    hints.SetShowHint(false);
    hints.SetShowHint(true);
    SetWindowPos(Handle(), nullptr, 0, 0, 215, 215, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    hints.HintHidePause = 60000;
    ComingUpList.clear();
    SyncMinuteTimer();
    return true;
}

void TVelmora::FormShow() {
    TToolsLibrary tools;
    if (!tools.Loaded()) return;
    TToolsHandleUse use(ToolsHandle, tools.Handle());
    ApplyOptions();
    StartReminding();
}

void TVelmora::FormDestroy() {
    TToolsLibrary tools;
    if (!tools.Loaded()) return;
    TToolsHandleUse use(ToolsHandle, tools.Handle());
    if (auto setOptions = tools.Find<TSetOptionsFunction>("SetOptions")) {
        const TScreenPoint position = StoredPosition();
        setOptions(position.Top, position.Left);
    }
}

TScreenPoint TVelmora::ReachablePosition() const {
    RECT bounds;
    GetWindowRect(Handle(), &bounds);
    return PlaceOnScreen({bounds.left, bounds.top, bounds.right, bounds.bottom},
                         Monitors().WorkAreas);
}

void TVelmora::KeepOnScreen() {
    RECT bounds;
    GetWindowRect(Handle(), &bounds);
    const TScreenPoint position = ReachablePosition();
    if (position.Left != bounds.left || position.Top != bounds.top)
        SetWindowPos(Handle(), nullptr, position.Left, position.Top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TOptionNumber LibraryOptionNumbers(HMODULE tools) {
    if (auto getNumber = BindExport<TGetOptionNumberFunction>(tools, "GetOptionNumber"))
        return [getNumber](const char* key, int32_t* value) { return getNumber(key, value) != 0; };
    return StoredOptionNumbers(SettingsFileName());
}

void TVelmora::ApplyOptions() {
    auto getOptions = BindExport<TGetOptionsFunction>(ToolsHandle, "GetOptions");
    if (!getOptions) return;
#ifdef VELMORA_TEST_HOOKS
    ++optionsApplied_;
#endif
    int32_t top = 0, left = 0, fontSize = 0, fontColour = 0, highlight = 0;
    int32_t ttSize = 0, ttColour = 0, ttBackground = 0;
    uint8_t firstDay = 0, listCount = 0, colourCoding = 0;
    TShortString font, ttFont, dateFormat;
    getOptions(&top, &left, font.bytes, 255, &fontSize, &fontColour, &highlight, &firstDay,
               ttFont.bytes, 255, &ttSize, &ttColour, &ttBackground, &listCount, &colourCoding,
               dateFormat.bytes, 255, &options_.HSpacing, &options_.VSpacing);
    // A hand-edited calendar.ini can hold any number; the window is only ever built from what
    // the options dialog could have stored.
    fontSize = FontSizeRange.Hold(fontSize);
    listCount = static_cast<uint8_t>(ListCountRange.Hold(listCount));
    firstDay = static_cast<uint8_t>(FirstDayRange.Hold(firstDay));
    options_.HSpacing = static_cast<uint8_t>(SpacingRange.Hold(options_.HSpacing));
    options_.VSpacing = static_cast<uint8_t>(SpacingRange.Hold(options_.VSpacing));
    options_.Tooltip->Font = ttFont.Text();
    options_.Tooltip->Size = TooltipSizeRange.Hold(ttSize);
    options_.Tooltip->Colour = ToColorRef(ttColour);
    options_.Tooltip->Background = ToColorRef(ttBackground);
    options_.DateFormat = dateFormat.Text();
    const TOptionNumber number = LibraryOptionNumbers(ToolsHandle);
    const TViewOptions view = ReadViewOptions(number);
    int32_t outline = 1;
    if (number("outline", &outline))
        options_.Outline = outline != 0;

    // The stored place is the grid's; a week-number column lies to its left.
    SetWindowPos(Handle(), nullptr, left - weekColumn_, top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    options_.FontFace = font.Text();
    options_.FontPoints = fontSize;
    options_.FontColour = fontColour;
    options_.Highlight = highlight;
    ApplyScaledLook();
    for (size_t index = 0; index < controls_.size(); ++index) {
        TVrHyperButton& control = *controls_[index];
        control.SetColorEnter(ToColorRef(highlight));
        control.SetFontColor(ToColorRef(fontColour));
        control.SetOutline(options_.Outline);
    }

    // Every option can move or recolour the cells (the spacing and font their bounds, the
    // colour coding their frames), so each apply lays the window out as a start does.
    options_.ListCount = listCount;
    options_.ColourCoding = colourCoding;
    options_.FirstDay = firstDay;
    options_.View = view;
    LayoutCalendar();
    // Only now is the size known that decides whether the stored place can be reached.
    KeepOnScreen();
    if (trayIcon_) ApplyAlertOptions();
}

void TVelmora::ApplyScaledLook() {
    options_.FontHeight = -MulDiv(options_.FontPoints, dpi_, 72);
    font_ = CreateCanvasFont(options_.FontFace, options_.FontHeight, FontSmoothing::None);
    for (size_t index = 0; index < controls_.size(); ++index) {
        TVrHyperButton& control = *controls_[index];
        control.SetFontHeight(options_.FontHeight);
        control.SetFrameWidth(Scale(1));
        // The navigation buttons keep their symbol face.
        if (index < static_cast<size_t>(CellCount)) control.SetFontFace(options_.FontFace);
    }
}

void TVelmora::WMDpiChanged(int dpi, const RECT& suggested) {
    if (dpi <= 0 || dpi == dpi_) return;
    dpi_ = dpi;
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyScaledLook();
    LayoutCalendar();
}

void TVelmora::LayoutCalendar() {
    RestartTimer1();
    int maxDayNameWidth = 0, titleHeight = 0, lineHeight = 0, weekColumn = 0;
    {
        WindowDC dc(Handle());
        SelectedObject font(dc.Get(), font_.Get());
        for (int column = 1; column <= 7; ++column)
            maxDayNameWidth = std::max<int>(maxDayNameWidth, TextExtent(dc.Get(), DayName(column, options_.FirstDay)).cx);
        titleHeight =
            TextExtent(dc.Get(), FormatTitle(navigation_.DisplayDate, options_.DateFormat)).cy;
        lineHeight = LineHeight(dc.Get());
        weekColumn = WeekColumnWidth(dc.Get());
    }
    TCalendarGeometry geometry =
        TCalendarGeometry::FromMeasures(maxDayNameWidth, Scale(options_.HSpacing), Scale(options_.VSpacing),
                                        titleHeight);
    geometry.WeekColumn = weekColumn;
    SetWeekColumn(weekColumn);
    ComingUpList.clear();
    comingUpFetched_ = false;
    // Before the size: a reminder of several lines makes the list taller.
    FetchComingUp();

    int year, month, day;
    DecodeDate(navigation_.DisplayDate, &year, &month, &day);
    TTodayFill today;
    int todayYear, todayMonth, todayDay;
    DecodeDate(CurrentDateTime(), &todayYear, &todayMonth, &todayDay);
    if (todayYear == year && todayMonth == month)
        today.Day = todayDay;
    if (options_.View.FillToday)
        today.Colour = static_cast<int32_t>(ToColorRef(options_.View.TodayColour));
    weekNumbers_ = options_.View.WeekNumbers ? RowWeekNumbers(year, month, options_.FirstDay)
                                             : std::vector<int>();
    const std::vector<TCellState> cells =
        LayoutCells({year, month, day, options_.FirstDay, options_.ColourCoding,
                     options_.FontColour, GetMonthItems(navigation_.DisplayDate)},
                    today);
    TRedrawPause pause(Handle());
    for (int n = 1; n <= CellCount; ++n) {
        TVrHyperButton* cell = FindControlByName("VrHyperButton" + std::to_string(n));
        if (!cell) continue;
        const TCellState& state = cells[n - 1];
        if (state.FrameColour) cell->SetBorderColor(ToColorRef(*state.FrameColour));
        if (state.CaptionColour) cell->SetFontColor(ToColorRef(*state.CaptionColour));
        if (cell->Transparent == state.FillColour.has_value() ||
            (state.FillColour && cell->ColorLeave != static_cast<COLORREF>(*state.FillColour))) {
            cell->Transparent = !state.FillColour;
            if (state.FillColour)
                cell->ColorLeave = static_cast<COLORREF>(*state.FillColour);
            InvalidateRect(cell->Handle(), nullptr, FALSE);
        }
        cell->SetCaption(state.Caption);
        const TCellBounds bounds = geometry.Cell(n);
        cell->SetBounds(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
    }
    for (int index = 0; index < 5; ++index) {
        TVrHyperButton* button = FindControlByName(navigationButtons[index].Name);
        const TCellBounds bounds = geometry.NavigationButton(index);
        if (button) button->SetBounds(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
    }
    // Drawing again before the window's own size changes, which must reach the screen; the
    // repaint of FormPaint below covers the window and every cell.
    pause.End();
    // Even within the dialog's ranges the largest font with the longest list makes a window
    // many screens tall.
    const TScreenSize size = FitWindowSize(
        {geometry.WindowWidth(), geometry.WindowHeight(ComingUpLineRoom(), lineHeight)},
        Monitors().Bounds);
    SetWindowPos(Handle(), nullptr, 0, 0, size.Width, size.Height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    FormPaint();
}

TVrHyperButton* TVelmora::FindControlByName(const std::string& name) const {
    for (const auto& control : controls_)
        if (SameTextIgnoringCase(control->Name(), name)) return control.get();
    return nullptr;
}

LRESULT TVelmora::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Outside the paint: the library may show a box while it answers.
    if (message == WM_PAINT) FetchComingUp();
    LRESULT result;
    if (PaintMessage(message, &result)) return result;
    switch (message) {
    case WM_CTLCOLORBTN:
        return reinterpret_cast<LRESULT>(keyBrush_.Get());
    case WM_LBUTTONDOWN:
        FormMouseDown(wParam, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
    case WM_TIMER:
        if (wParam == Timer1Id) Timer1Timer();
        else if (wParam == MouseOverTimerId) MouseOverTimerTimer();
        return 0;
    case WM_DPICHANGED:
        WMDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_WINDOWPOSCHANGING:
        WMWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam));
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == 0 && ToolsPopup.Dispatch(LOWORD(wParam))) return 0;
        return DefaultHandler(message, wParam, lParam);
    case WM_MOUSEWHEEL:
        FormMouseWheel(wParam);
        return 0;
    case WM_KEYDOWN:
        if (FormKeyDown(wParam))
            return 0;
        return DefaultHandler(message, wParam, lParam);
    case WM_CONTEXTMENU:
        // The mouse opens the menu on the button press; here only the keyboard's menu key
        // and Shift+F10 arrive, with no position.
        if (lParam == -1) ContextMenuFromKeyboard();
        return 0;
    case WM_KEYUP:
        // The menu key's release opens the menu on Windows by itself; not every system's
        // default handling does, so the window does it and keeps the key from it.
        if (wParam == VK_APPS) {
            ContextMenuFromKeyboard();
            return 0;
        }
        return DefaultHandler(message, wParam, lParam);
    case WM_CLOSE:
        FormClose();
        return 0;
    case WM_DISPLAYCHANGE:
        // A monitor taken away can take the window with it.
        KeepOnScreen();
        return DefaultHandler(message, wParam, lParam);
    case WM_ENDSESSION:
        if (wParam) DestroyWindow(Handle());
        return 0;
    case WM_DESTROY:
        trayIcon_.reset(); // the area knows the icon by this window, which is going
        if (created_) FormDestroy();
        RemovePropA(Handle(), KeptBelowWindowProperty);
        PostQuitMessage(0);
        return 0;
    default: {
        LRESULT reminding;
        if (AlertMessage(message, wParam, lParam, &reminding)) return reminding;
    }
#ifdef VELMORA_TEST_HOOKS
        if (message >= CalendarDisplayDateQuery && message <= CalendarOptionsAppliedQuery) return AnswerQuery(message, wParam);
        if (message >= CalendarWeekNumberQuery && message <= CalendarCellFillQuery)
            return AnswerLookQuery(message, wParam);
#endif
        return DefaultHandler(message, wParam, lParam);
    }
}
