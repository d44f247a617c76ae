// The options dialog's window: its controls, how it shows the model, the two previews and the
// dispatch of its events. What each field's change does is in OptionsFormFields.cpp, the
// Reminder Types page in OptionsFormTypes.cpp.
#include "OptionsFormUnit.h"
#include "Canvas.h"
#include "CheckListBox.h"
#include "Clock.h"
#include "ColourComboBox.h"
#include "DialogServices.h"
#include "EventTypeUnit.h"
#include "LanguageModules.h"
#include "ListSwatch.h"
#include "OptionsFormComponents.h"
#include "OptionsFormControls.h"
#include "ReInit.h"
#include "Settings.h"
#include "SpinEdit.h"
#include "WidgetNotifications.h"
#include "WinHandles.h"

#include <commctrl.h>

#include <algorithm>

namespace {
// The settings each spin edit holds, so that its range is the one the model keeps.
SpinRange RangeOf(const std::string& component) {
    if (component == "ListCountSpin")
        return listCountRange;
    if (component == "HSpacingSpin" || component == "VSpacingSpin")
        return spacingRange;
    return fontSizeRange;
}

TWidgetBounds WidgetBounds(const RECT& bounds) {
    return {bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top};
}

template <typename Widget> Widget& WidgetOf(HWND window, const char* component) {
    auto* widget = dynamic_cast<Widget*>(TWidgetWindow::FromHandle(window));
    if (!widget)
        throw VelmoraError(std::string("The options dialog has no control ") + component + ".");
    return *widget;
}
} // namespace

TOptionsForm::TOptionsForm(std::function<void()> accepted)
    : TBaseForm("TOptionsForm"), model_(SwitchDialogLanguage, std::move(accepted)) {}

TOptionsForm::~TOptionsForm() {
    Destroy();
    widgets_.clear();
}

void TOptionsForm::FormCreate() {
    RequireComponents(Controls().Description(), OptionsFormComponents());
    TakeOverIdleHandler([this] { IdleHandler(); });
    installedFonts_ = InstalledFontFamilies();
    filling_ = true;
    SetWindowTextA(Control("EventEdit"), "");
    filling_ = false;
}

HWND TOptionsForm::CreateCustomControl(const FormComponent& component, const RECT& bounds, int id) {
    const std::string& kind = component.kind;
    if (kind == "radiogroup")
        return CreateRadioGroup(Handle(), component, bounds, id);
    if (kind == "checkbox")
        return CreateCheckBox(Handle(), bounds, id);
    if (kind == "shape")
        return CreatePaintedShape(Handle(), bounds, id);
    const double scale = Dpi() / 96.0;
    if (kind == "spinedit") {
        const SpinRange range = RangeOf(component.name);
        widgets_.push_back(std::make_unique<TSpinEdit>(Handle(), component.name, id,
                                                       WidgetBounds(bounds), range.minimum,
                                                       range.maximum, scale));
    } else if (kind == "colourcombo") {
        widgets_.push_back(std::make_unique<TColourComboBox>(Handle(), component.name, id,
                                                             WidgetBounds(bounds), scale));
    } else if (kind == "checklist") {
        widgets_.push_back(std::make_unique<TCheckListBox>(Handle(), component.name, id,
                                                           WidgetBounds(bounds), scale));
    } else {
        return nullptr;
    }
    return widgets_.back()->Handle();
}

void TOptionsForm::FormClose() {
    // OK is an accept like Apply's: a save that fails raises here, the base shows why and
    // keeps the dialog open with the user's edits, so OK reports only what was saved.
    if (ModalResult() == mrOk && acceptProcedure_)
        acceptProcedure_();
}

void TOptionsForm::FillFromSettings() {
    model_.Fill(CalendarOptions(), EventTypes());
    ShowValues();
}

void TOptionsForm::AcceptIntoSettings() {
    if (model_.Accept(CalendarOptions()))
        ShowValues();
}

int TOptionsForm::Show() {
    RefreshCalendarPreview();
    RefreshTooltipPreview();
    model_.Shown(AvailableLanguageModules());
    ShowLanguageRows();
    HWND pages = Control("PageControl1");
    TabCtrl_SetCurSel(pages, 0);
    Controls().ShowChosenPages();
    TFormEvent pageShown{TFormEvent::Kind::Change, "PageControl1"};
    PageControl1Change(pageShown);
    okFocused_ = false;
    return ShowModal();
}

// --- Showing the model ---

void TOptionsForm::ShowValues() {
    const TCalendarOptions& values = model_.Values();
    filling_ = true;
    FillFontCombo("FontCombo", values.font);
    Spin("FontSizeSpin").SetValue(values.fontsize);
    ColourCombo("FontColourCombo").SetColour(values.fontcolour);
    ColourCombo("HighlightColourCombo").SetColour(values.highlight);
    SetRadioGroupIndex(Control("FirstDayGroup"), model_.FirstDayItem());
    SetWindowTextA(Control("DateFormatEdit"), values.dateformat.c_str());
    Spin("ListCountSpin").SetValue(values.listcount);
    SetRadioGroupIndex(Control("ColourCodingGroup"), model_.ColourCodingItem());
    SendMessageA(Control("StartupCheck"), BM_SETCHECK,
                 values.loadonstartup ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageA(Control("OutlineCheck"), BM_SETCHECK, values.outline ? BST_CHECKED : BST_UNCHECKED,
                 0);
    FillFontCombo("TooltipFontCombo", values.ttfont);
    Spin("TooltipFontSizeSpin").SetValue(values.ttsize);
    ColourCombo("TooltipFontColorCombo").SetColour(values.ttcolour);
    ColourCombo("TooltipBackgroundColorComboBox").SetColour(values.ttbackground);
    Spin("HSpacingSpin").SetValue(values.hspacing);
    Spin("VSpacingSpin").SetValue(values.vspacing);
    ShowCalendarLook();
    SetWindowTextA(Control("SubscribedFileEdit"), values.subscribed.c_str());
    ColourCombo("SubscribedColourCombo").SetColour(values.subscribedcolour);
    SendMessageA(Control("AlertLeadCombo"), CB_SETCURSEL,
                 static_cast<WPARAM>(model_.AlertLeadItem()), 0);
    for (const auto& check : {std::make_pair("AlertTomorrowCheck", values.alerttomorrow),
                              std::make_pair("AlertSoundCheck", values.alertsound),
                              std::make_pair("HideTrayIconCheck", values.hidetrayicon)})
        SendMessageA(Control(check.first), BM_SETCHECK, check.second ? BST_CHECKED : BST_UNCHECKED,
                     0);
    filling_ = false;
    ShowLanguageRows();
    ShowTypeRows();
    RefreshCalendarPreview();
    RefreshTooltipPreview();
}

void TOptionsForm::FillFontCombo(const char* component, const std::string& chosen) {
    HWND combo = Control(component);
    const std::vector<std::string> entries = FontListEntries(installedFonts_, chosen);
    SendMessageA(combo, WM_SETREDRAW, FALSE, 0);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : entries)
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(FontEntryIndex(entries, chosen)), 0);
    SendMessageA(combo, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(combo, nullptr, TRUE);
}

void TOptionsForm::ShowLanguageRows() {
    TCheckListBox& list = CheckList("LanguageList");
    const std::vector<LanguageRow>& rows = model_.LanguageRows();
    filling_ = true;
    if (list.Count() != static_cast<int>(rows.size())) {
        list.Clear();
        for (const LanguageRow& row : rows)
            list.Add(row.caption);
    }
    for (size_t i = 0; i < rows.size(); ++i)
        list.SetChecked(static_cast<int>(i), rows[i].checked);
    filling_ = false;
}

void TOptionsForm::RefreshCalendarPreview() {
    InvalidateRect(Control("SampleShape"), nullptr, TRUE);
}
void TOptionsForm::RefreshTooltipPreview() {
    InvalidateRect(Control("SampleTooltipShape"), nullptr, TRUE);
}

void TOptionsForm::PaintPreview(const DRAWITEMSTRUCT& item, bool tooltip) {
    const PreviewLook look =
        tooltip ? model_.TooltipPreview() : model_.CalendarPreview(CurrentDateTime());
    HDC dc = item.hDC;
    const RECT& area = item.rcItem;
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    const COLORREF fill = tooltip ? ToColorRef(look.background) : GetSysColor(COLOR_DESKTOP);
    {
        BrushHandle brush(CreateSolidBrush(fill));
        PenHandle pen(CreatePen(PS_SOLID, 1, fill));
        SelectedObject brushSelected(dc, brush.Get());
        SelectedObject penSelected(dc, pen.Get());
        RoundRect(dc, area.left, area.top, area.right, area.bottom, Scale(12), Scale(12));
    }
    FontHandle font(CreateFaceFont(look.fontName, PointsToFontHeight(look.fontSize, Dpi())));
    SelectedObject fontSelected(dc, font.Get());
    SIZE letter = {};
    GetTextExtentPoint32A(dc, "X", 1, &letter);
    const FormComponent* label =
        Controls().Description().FindComponent(tooltip ? "SampleTooltipLabel" : "SampleLabel");
    int left = area.left + Scale(label ? label->Number("bounds", 0, 10) : 10);
    RECT needed = {0, 0, 0, 0};
    DrawTextA(dc, look.text.c_str(), -1, &needed, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    // A text too long to start at the label's place moves left, so that as much as possible
    // of the date shows inside the shape.
    if (left + needed.right > area.right)
        left =
            std::max(area.left + Scale(4), area.left + (area.right - area.left - needed.right) / 2);
    const int top = CentredLabelTop(area.top, area.bottom - area.top, letter.cy);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(look.textColour));
    RECT textArea = {left, top, area.right, area.bottom};
    DrawTextA(dc, look.text.c_str(), -1, &textArea,
              DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
}

// --- Idle enabling ---

void TOptionsForm::EnableControl(const char* component, bool enabled) {
    HWND control = Control(component);
    if (!control || (IsWindowEnabled(control) != FALSE) == enabled)
        return;
    // Focus must not stay on a control that goes grey, or the keyboard loses the dialog.
    HWND focused = GetFocus();
    if (!enabled && focused && (focused == control || IsChild(control, focused)))
        SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control("OkButton")), TRUE);
    EnableWindow(control, enabled);
}

void TOptionsForm::IdleHandler() {
    // The dialog opens with OK as the focused control, once its loop has started.
    if (!okFocused_) {
        okFocused_ = true;
        SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control("OkButton")), TRUE);
    }
    EnableControl("ApplyButton", model_.ApplyEnabled());
    const bool oneRow = model_.TypeRowControlsEnabled();
    EnableControl("EventEdit", oneRow);
    EnableControl("RemoveEventTypeButton", oneRow);
    EnableControl("EventColourButton", oneRow);
    EnableControl("TodayColourCombo", model_.TodayColourEnabled());
    EnableControl("TodayColourLabel", model_.TodayColourEnabled());
    EnableControl("SubscribedColourCombo", model_.SubscribedColourEnabled());
}

// --- Reading controls ---

std::string TOptionsForm::ControlText(const char* component) const {
    HWND control = Control(component);
    const int length = GetWindowTextLengthA(control);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(control, &text[0], length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

std::string TOptionsForm::ChosenFontName(const char* component) const {
    HWND combo = Control(component);
    const LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return std::string();
    const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    return text;
}

TSpinEdit& TOptionsForm::Spin(const char* component) const {
    return WidgetOf<TSpinEdit>(Control(component), component);
}
TColourComboBox& TOptionsForm::ColourCombo(const char* component) const {
    return WidgetOf<TColourComboBox>(Control(component), component);
}
TCheckListBox& TOptionsForm::CheckList(const char* component) const {
    return WidgetOf<TCheckListBox>(Control(component), component);
}

// --- Events ---

bool TOptionsForm::HandleEvent(TFormEvent& event) {
    using Kind = TFormEvent::Kind;
    static const TFormHandler<TOptionsForm> handlers[] = {
        {"FontCombo", Kind::Change, &TOptionsForm::FontComboChange},
        {"FontSizeSpin", Kind::Change, &TOptionsForm::FontSizeSpinChange},
        {"FontColourCombo", Kind::Change, &TOptionsForm::FontColourComboChange},
        {"HighlightColourCombo", Kind::Change, &TOptionsForm::HighlightColourComboChange},
        {"FirstDayGroup", Kind::Click, &TOptionsForm::FirstDayGroupClick},
        {"DateFormatEdit", Kind::Change, &TOptionsForm::DateFormatEditChange},
        {"TooltipFontCombo", Kind::Change, &TOptionsForm::TooltipFontComboChange},
        {"TooltipFontSizeSpin", Kind::Change, &TOptionsForm::TooltipFontSizeSpinChange},
        {"TooltipFontColorCombo", Kind::Change, &TOptionsForm::TooltipFontColorComboChange},
        {"TooltipBackgroundColorComboBox", Kind::Change,
         &TOptionsForm::TooltipBackgroundColorComboBoxChange},
        {"ListView1", Kind::SelectItem, &TOptionsForm::ListView1SelectItem},
        {"ListView1", Kind::CustomDraw, &TOptionsForm::ListView1CustomDraw},
        {"EventEdit", Kind::Change, &TOptionsForm::EventEditChange},
        {"EventColourButton", Kind::Click, &TOptionsForm::EventColourButtonClick},
        {"AddEventTypeButton", Kind::Click, &TOptionsForm::AddEventTypeButtonClick},
        {"RemoveEventTypeButton", Kind::Click, &TOptionsForm::RemoveEventTypeButtonClick},
        {"ListCountSpin", Kind::Change, &TOptionsForm::ListCountSpinChange},
        {"StartupCheck", Kind::Click, &TOptionsForm::StartupCheckClick},
        {"OutlineCheck", Kind::Click, &TOptionsForm::OutlineCheckClick},
        {"ColourCodingGroup", Kind::Click, &TOptionsForm::ColourCodingGroupClick},
        {"HSpacingSpin", Kind::Change, &TOptionsForm::HSpacingSpinChange},
        {"VSpacingSpin", Kind::Change, &TOptionsForm::VSpacingSpinChange},
        {"LanguageList", Kind::Click, &TOptionsForm::LanguageListClickCheck},
        {"PageControl1", Kind::Change, &TOptionsForm::PageControl1Change},
        {"ReadmeButton", Kind::Click, &TOptionsForm::ReadmeButtonClick},
        {"AboutButton", Kind::Click, &TOptionsForm::AboutButtonClick},
        {"ApplyButton", Kind::Click, &TOptionsForm::ApplyButtonClick},
        {"WeekNumbersCheck", Kind::Click, &TOptionsForm::WeekNumbersCheckClick},
        {"FillTodayCheck", Kind::Click, &TOptionsForm::FillTodayCheckClick},
        {"TodayColourCombo", Kind::Change, &TOptionsForm::TodayColourComboChange},
        {"SubscribedFileEdit", Kind::Change, &TOptionsForm::SubscribedFileEditChange},
        {"SubscribedBrowseButton", Kind::Click, &TOptionsForm::SubscribedBrowseButtonClick},
        {"SubscribedColourCombo", Kind::Change, &TOptionsForm::SubscribedColourComboChange},
        {"AlertLeadCombo", Kind::Change, &TOptionsForm::AlertLeadComboChange},
        {"AlertTomorrowCheck", Kind::Click, &TOptionsForm::AlertTomorrowCheckClick},
        {"AlertSoundCheck", Kind::Click, &TOptionsForm::AlertSoundCheckClick},
        {"HideTrayIconCheck", Kind::Click, &TOptionsForm::HideTrayIconCheckClick},
    };
    // Values the dialog shows itself are no edits; list drawing goes on regardless.
    if (filling_ && event.kind != Kind::CustomDraw && event.kind != Kind::Click)
        return true;
    return DispatchFormEvent(*this, handlers, event);
}

LRESULT TOptionsForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        const TFormControl* control = Controls().FindWindow(reinterpret_cast<HWND>(lParam));
        if (!control)
            break;
        const WORD code = HIWORD(wParam);
        const std::string& kind = control->kind;
        TFormEvent event{TFormEvent::Kind::Change, control->name};
        if ((kind == "radiogroup" || kind == "checkbox") && code == BN_CLICKED) {
            event.kind = TFormEvent::Kind::Click;
        } else if (kind == "checklist" && code == WidgetCheckClicked) {
            event.kind = TFormEvent::Kind::Click;
            event.item = CheckList(control->name.c_str()).ClickedItem();
        } else if (!((kind == "spinedit" && code == WidgetTextChanged) ||
                     (kind == "colourcombo" && code == WidgetSelectionChanged))) {
            break;
        }
        RaiseEvent(event);
        return 0;
    }
    case WM_DRAWITEM: {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (draw->hwndItem == Control("SampleShape") ||
            draw->hwndItem == Control("SampleTooltipShape")) {
            PaintPreview(*draw, draw->hwndItem == Control("SampleTooltipShape"));
            return TRUE;
        }
        break;
    }
    default:
        break;
    }
    return TBaseForm::HandleMessage(message, wParam, lParam);
}
