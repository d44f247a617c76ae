// The reminder editor: the dialog of dated reminders ("Reminders") and regular reminders
// ("Regular Reminders"). What each click decides lives in TCalendarEntriesModel; this unit
// turns the dialog's events into calls on the model and shows what the model holds.
#pragma once
#include "BaseForm.h"
#include "CalendarEntriesModel.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TrmComboCalendar;

class TCalendarEntriesForm : public TBaseForm {
  public:
    TCalendarEntriesForm();
    ~TCalendarEntriesForm() override;

    // The opener's calls, in this order, between Create() and ShowModal().
    void SetDate(double date);
    void SetStartDay(int day);
    void SetDefaultColour(int32_t colour);
    void SetEventTypes(const std::vector<TEventType>& types);

    void SetChangeHandlers(bool attach);
    void AppIdle();
    void LoadEntries();
    // True when both files were written (or nothing needed writing).
    bool SaveEntries();

  protected:
    void FormCreate() override;
    void FormClose() override;
    void FormDestroy() override;
    bool HandleEvent(TFormEvent& event) override;
    HWND CreateCustomControl(const FormComponent& component, const RECT& bounds, int id) override;

  private:
    void ApplyButtonClick(TFormEvent& event);
    void rmComboCalendar1Change(TFormEvent& event);
    // The editing fields' changes, each handing the field's value to the model.
    void DescriptionChange(TFormEvent& event);
    void TypeChange(TFormEvent& event);
    void RegularDescriptionChange(TFormEvent& event);
    void RegularTypeChange(TFormEvent& event);
    void IntervalChange(TFormEvent& event);
    void StartDateChange(TFormEvent& event);
    void ListView1SelectItem(TFormEvent& event);
    void AddEntryButtonClick(TFormEvent& event);
    void DeleteEntryButtonClick(TFormEvent& event);
    void ShuffleDownButtonClick(TFormEvent& event);
    void ShuffleUpButtonClick(TFormEvent& event);
    void ListView1CustomDrawSubItem(TFormEvent& event);
    void ListView2SelectItem(TFormEvent& event);
    void AddRegularEntryButtonClick(TFormEvent& event);
    void DeleteRegularEntryButtonClick(TFormEvent& event);
    void ListView2CustomDrawSubItem(TFormEvent& event);
    // The texts of a row as the list paints it.
    void ListView1Data(TFormEvent& event);
    void ListView2Data(TFormEvent& event);

    // Puts the model's rows, fields and (with selection) selected rows into the controls.
    void ShowModel(bool selection);
    void ShowDatedRows(bool selection);
    void ShowRegularRows(bool selection);
    void ShowTypeBox(const char* name, const std::vector<std::string>& entries, int chosen);
    void ShowText(const char* name, const std::string& text);
    void StartTyping(const char* edit);
    // The type column of a reminder list shows each row's type as a swatch of its colour.
    template <typename Row>
    void DrawTypeSwatches(TFormEvent& event, int typeColumn, const std::vector<Row>& rows);
    void Report(const SaveResult& result);
    void Report(const LoadResult& result);
    TrmComboCalendar* DateField(const std::string& name) const;
    // The chosen entry of a combo box, -1 for none.
    int ChosenEntry(const char* box) const;

    TCalendarEntriesModel model_;
    // True while the dialog itself writes into its controls: their notifications then
    // echo the model and are not the user's.
    bool showing_ = false;
    std::vector<std::unique_ptr<TrmComboCalendar>> dateFields_;
};
