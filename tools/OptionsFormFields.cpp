// The options dialog's fields and buttons: each field's change handed to the model, with the
// preview it affects, and what the buttons of the pages do.
#include "AboutFormUnit.h"
#include "ColourComboBox.h"
#include "DialogServices.h"
#include "Errors.h"
#include "OptionsFormControls.h"
#include "OptionsFormUnit.h"
#include "ReadMe.h"
#include "SpinEdit.h"

void TOptionsForm::FontComboChange(TFormEvent&) {
    model_.SetFont(ChosenFontName("FontCombo"));
    RefreshCalendarPreview();
}
void TOptionsForm::FontSizeSpinChange(TFormEvent&) {
    model_.SetFontSize(Spin("FontSizeSpin").Value());
    RefreshCalendarPreview();
}
void TOptionsForm::FontColourComboChange(TFormEvent&) {
    model_.SetFontColour(ColourCombo("FontColourCombo").Colour());
    RefreshCalendarPreview();
}
void TOptionsForm::HighlightColourComboChange(TFormEvent&) {
    model_.SetHighlight(ColourCombo("HighlightColourCombo").Colour());
}
void TOptionsForm::FirstDayGroupClick(TFormEvent&) {
    model_.SetFirstDayItem(RadioGroupIndex(Control("FirstDayGroup")));
}
void TOptionsForm::DateFormatEditChange(TFormEvent&) {
    model_.SetDateFormat(ControlText("DateFormatEdit"));
    RefreshCalendarPreview();
}
void TOptionsForm::TooltipFontComboChange(TFormEvent&) {
    model_.SetTooltipFont(ChosenFontName("TooltipFontCombo"));
    RefreshTooltipPreview();
}
void TOptionsForm::TooltipFontSizeSpinChange(TFormEvent&) {
    model_.SetTooltipFontSize(Spin("TooltipFontSizeSpin").Value());
    RefreshTooltipPreview();
}
void TOptionsForm::TooltipFontColorComboChange(TFormEvent&) {
    model_.SetTooltipColour(ColourCombo("TooltipFontColorCombo").Colour());
    RefreshTooltipPreview();
}
void TOptionsForm::TooltipBackgroundColorComboBoxChange(TFormEvent&) {
    model_.SetTooltipBackground(ColourCombo("TooltipBackgroundColorComboBox").Colour());
    RefreshTooltipPreview();
}

void TOptionsForm::ListCountSpinChange(TFormEvent&) {
    model_.SetListCount(Spin("ListCountSpin").Value());
}
void TOptionsForm::StartupCheckClick(TFormEvent&) {
    model_.SetLoadOnStartup(SendMessageA(Control("StartupCheck"), BM_GETCHECK, 0, 0) ==
                            BST_CHECKED);
}
void TOptionsForm::ShowCalendarLook() {
    const TCalendarOptions& values = model_.Values();
    SendMessageA(Control("WeekNumbersCheck"), BM_SETCHECK,
                 values.weeknumbers ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageA(Control("FillTodayCheck"), BM_SETCHECK,
                 values.filltoday ? BST_CHECKED : BST_UNCHECKED, 0);
    ColourCombo("TodayColourCombo").SetColour(values.todaycolour);
}
void TOptionsForm::WeekNumbersCheckClick(TFormEvent&) {
    model_.SetWeekNumbers(SendMessageA(Control("WeekNumbersCheck"), BM_GETCHECK, 0, 0) ==
                          BST_CHECKED);
}
void TOptionsForm::FillTodayCheckClick(TFormEvent&) {
    model_.SetFillToday(SendMessageA(Control("FillTodayCheck"), BM_GETCHECK, 0, 0) == BST_CHECKED);
}
void TOptionsForm::TodayColourComboChange(TFormEvent&) {
    model_.SetTodayColour(ColourCombo("TodayColourCombo").Colour());
}
void TOptionsForm::OutlineCheckClick(TFormEvent&) {
    model_.SetOutline(SendMessageA(Control("OutlineCheck"), BM_GETCHECK, 0, 0) == BST_CHECKED);
}
void TOptionsForm::ColourCodingGroupClick(TFormEvent&) {
    model_.SetColourCodingItem(RadioGroupIndex(Control("ColourCodingGroup")));
}
void TOptionsForm::HSpacingSpinChange(TFormEvent&) {
    model_.SetHSpacing(Spin("HSpacingSpin").Value());
}
void TOptionsForm::VSpacingSpinChange(TFormEvent&) {
    model_.SetVSpacing(Spin("VSpacingSpin").Value());
}

void TOptionsForm::LanguageListClickCheck(TFormEvent& event) {
    if (event.item < 0)
        return;
    model_.CheckLanguageRow(static_cast<size_t>(event.item));
    ShowLanguageRows();
}

void TOptionsForm::PageControl1Change(TFormEvent&) {
    // The language group belongs to its page only while there is a language to choose.
    if (!model_.LanguageGroupVisible()) {
        ShowWindow(Control("LanguageGroup"), SW_HIDE);
        ShowWindow(Control("LanguageList"), SW_HIDE);
    }
}

void TOptionsForm::ReadmeButtonClick(TFormEvent&) {
    OpenReadMe();
}

void TOptionsForm::AboutButtonClick(TFormEvent&) {
    TAboutBox about;
    about.Create();
    // Owned by this dialog, so it stays above it.
    SetWindowLongPtrA(about.Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(Handle()));
    about.ShowModal();
    about.Destroy();
}

void TOptionsForm::ApplyButtonClick(TFormEvent&) {
    if (acceptProcedure_)
        acceptProcedure_();
    model_.ClearModified();
}

void TOptionsForm::SubscribedFileEditChange(TFormEvent&) {
    model_.SetSubscribedFile(ControlText("SubscribedFileEdit"));
}

void TOptionsForm::SubscribedBrowseButtonClick(TFormEvent&) {
    const std::optional<std::string> chosen =
        ChooseCalendarFileWithDialog(Handle(), model_.SubscribedFullPathText());
    if (!chosen)
        return;
    if (!model_.SubscribedFileChosen(*chosen))
        throw VelmoraError("The path of the calendar file \"" + *chosen +
                           "\" is longer than 255 characters; move the file to a folder with a "
                           "shorter path.");
    filling_ = true;
    SetWindowTextA(Control("SubscribedFileEdit"), model_.Values().subscribed.c_str());
    filling_ = false;
}

void TOptionsForm::SubscribedColourComboChange(TFormEvent&) {
    model_.SetSubscribedColour(ColourCombo("SubscribedColourCombo").Colour());
}

void TOptionsForm::AlertLeadComboChange(TFormEvent&) {
    model_.SetAlertLeadItem(
        static_cast<int>(SendMessageA(Control("AlertLeadCombo"), CB_GETCURSEL, 0, 0)));
}

void TOptionsForm::AlertTomorrowCheckClick(TFormEvent&) {
    model_.SetAlertTomorrow(SendMessageA(Control("AlertTomorrowCheck"), BM_GETCHECK, 0, 0) ==
                            BST_CHECKED);
}

void TOptionsForm::AlertSoundCheckClick(TFormEvent&) {
    model_.SetAlertSound(SendMessageA(Control("AlertSoundCheck"), BM_GETCHECK, 0, 0) ==
                         BST_CHECKED);
}

void TOptionsForm::HideTrayIconCheckClick(TFormEvent&) {
    model_.SetHideTrayIcon(SendMessageA(Control("HideTrayIconCheck"), BM_GETCHECK, 0, 0) ==
                           BST_CHECKED);
}
