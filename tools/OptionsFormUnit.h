// TOptionsForm: the options dialog, its pages of settings and the reminder types. Its
// decisions are OptionsModel's; this class turns the controls' messages into calls on the
// model and shows what the model holds.
#pragma once
#include "BaseForm.h"
#include "OptionsModel.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TCheckListBox;
class TColourComboBox;
class TSpinEdit;
class TWidgetWindow;

class TOptionsForm : public TBaseForm {
  public:
    // accepted runs after every accept, once the settings are saved; it may be empty.
    explicit TOptionsForm(std::function<void()> accepted);
    ~TOptionsForm() override;

    // The procedure Apply runs before it clears the modified flag; ShowOptions sets it.
    void SetAcceptProcedure(std::function<void()> accept) { acceptProcedure_ = std::move(accept); }
    // Switches the dialog language, then shows the settings record and the reminder types.
    void FillFromSettings();
    // The dialog's values become the settings, which are saved; then the accepted procedure
    // runs. A changed language fills the dialog again.
    void AcceptIntoSettings();
    // Shows the first page with fresh previews and language list, and runs the dialog.
    int Show();

    const OptionsModel& Model() const { return model_; }

  protected:
    void FormCreate() override;
    void FormClose() override;
    bool HandleEvent(TFormEvent& event) override;
    HWND CreateCustomControl(const FormComponent& component, const RECT& bounds, int id) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void IdleHandler();
    void ShowValues();
    void ShowTypeRows();
    void ShowTypeName();
    void ShowLanguageRows();
    void FillFontCombo(const char* component, const std::string& chosen);
    void RefreshCalendarPreview();
    void RefreshTooltipPreview();
    void PaintPreview(const DRAWITEMSTRUCT& item, bool tooltip);
    void EnableControl(const char* component, bool enabled);
    std::string ControlText(const char* component) const;
    std::string ChosenFontName(const char* component) const;
    TSpinEdit& Spin(const char* component) const;
    TColourComboBox& ColourCombo(const char* component) const;
    TCheckListBox& CheckList(const char* component) const;

    // Named handlers, one per component and event.
    void FontComboChange(TFormEvent& event);
    void FontSizeSpinChange(TFormEvent& event);
    void FontColourComboChange(TFormEvent& event);
    void HighlightColourComboChange(TFormEvent& event);
    void FirstDayGroupClick(TFormEvent& event);
    void DateFormatEditChange(TFormEvent& event);
    void TooltipFontComboChange(TFormEvent& event);
    void TooltipFontSizeSpinChange(TFormEvent& event);
    void TooltipFontColorComboChange(TFormEvent& event);
    void TooltipBackgroundColorComboBoxChange(TFormEvent& event);
    void ListView1SelectItem(TFormEvent& event);
    void ListView1CustomDraw(TFormEvent& event);
    void EventEditChange(TFormEvent& event);
    void EventColourButtonClick(TFormEvent& event);
    void AddEventTypeButtonClick(TFormEvent& event);
    void RemoveEventTypeButtonClick(TFormEvent& event);
    void ListCountSpinChange(TFormEvent& event);
    void StartupCheckClick(TFormEvent& event);
    void OutlineCheckClick(TFormEvent& event);
    void ColourCodingGroupClick(TFormEvent& event);
    void HSpacingSpinChange(TFormEvent& event);
    void VSpacingSpinChange(TFormEvent& event);
    void LanguageListClickCheck(TFormEvent& event);
    void PageControl1Change(TFormEvent& event);
    void ReadmeButtonClick(TFormEvent& event);
    void AboutButtonClick(TFormEvent& event);
    void ApplyButtonClick(TFormEvent& event);
    void WeekNumbersCheckClick(TFormEvent& event);
    void FillTodayCheckClick(TFormEvent& event);
    void TodayColourComboChange(TFormEvent& event);
    void ShowCalendarLook();
    void SubscribedFileEditChange(TFormEvent& event);
    void SubscribedBrowseButtonClick(TFormEvent& event);
    void SubscribedColourComboChange(TFormEvent& event);
    void AlertLeadComboChange(TFormEvent& event);
    void AlertTomorrowCheckClick(TFormEvent& event);
    void AlertSoundCheckClick(TFormEvent& event);
    void HideTrayIconCheckClick(TFormEvent& event);

    OptionsModel model_;
    std::vector<std::unique_ptr<TWidgetWindow>> widgets_;
    std::function<void()> acceptProcedure_;
    std::vector<std::string> installedFonts_;
    // Set while the dialog shows values itself, so that no change handler takes them as edits.
    bool filling_ = false;
    bool okFocused_ = false;
};
