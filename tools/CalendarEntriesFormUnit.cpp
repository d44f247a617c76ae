// The reminder editor's window: events in, the model's state out.
#include "CalendarEntriesFormUnit.h"

#include "Canvas.h"
#include "Errors.h"
#include "ListSwatch.h"
#include "Locale.h"
#include "MessageBoxes.h"
#include "WinHandles.h"
#include "rmComboCalendar.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

namespace {
const char* const saveQuestion =
    "The reminders of this date have changes that are not saved.\r\n\r\n"
    "Save them before another date is shown?";

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, &text[0], length + 1);
    text.resize(static_cast<size_t>(copied < 0 ? 0 : copied));
    return text;
}

// The lists ask for their rows as they paint them: showing rows is telling the list how many
// there are and that what it painted may have changed. A day of a million reminders opens
// as fast as one of ten, and no row's texts are copied into the list.
void ShowRowCount(HWND list, size_t count) {
    if (ListView_GetItemCount(list) != static_cast<int>(count)) {
        ListView_SetItemCountEx(list, static_cast<int>(count), LVSICF_NOSCROLL);
        // More rows may have brought a scroll bar, fewer taken it away.
        FitLastColumn(list);
    }
    InvalidateRect(list, nullptr, FALSE);
}

void ShowSelection(HWND list, int selected) {
    const UINT both = LVIS_SELECTED | LVIS_FOCUSED;
    for (const UINT which : {LVNI_SELECTED, LVNI_FOCUSED}) {
        const int shown = ListView_GetNextItem(list, -1, which);
        if (shown >= 0 && shown != selected)
            ListView_SetItemState(list, shown, 0, both);
    }
    if (selected < 0)
        return;
    if ((ListView_GetItemState(list, selected, both) & both) != both)
        ListView_SetItemState(list, selected, both, both);
    ListView_EnsureVisible(list, selected, FALSE);
}

// What a description box shows of a reminder: its beginning, as much as anyone reads in a
// box of one line. A stored line may be of any length (one of 100 MB takes the system's edit
// box minutes and gigabytes); the row keeps it whole until the user edits the box, whose
// text then becomes the reminder.
const size_t boxShowsAtMost = 4096;
std::string BoxText(const std::string& description) {
    return description.size() > boxShowsAtMost ? description.substr(0, boxShowsAtMost)
                                               : description;
}

// Hands the list a cell's text, cut to the room it gives: a stored line of any length shows
// its beginning, and stays whole in the row.
void AnswerItemText(NMLVDISPINFOA* display, const std::string& text) {
    LVITEMA& item = display->item;
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0)
        return;
    const size_t length = std::min(text.size(), static_cast<size_t>(item.cchTextMax - 1));
    std::memcpy(item.pszText, text.data(), length);
    item.pszText[length] = '\0';
}
} // namespace

TCalendarEntriesForm::TCalendarEntriesForm() : TBaseForm("TCalendarEntriesForm") {}

TCalendarEntriesForm::~TCalendarEntriesForm() {
    Destroy();
}

HWND TCalendarEntriesForm::CreateCustomControl(const FormComponent& component, const RECT& bounds,
                                               int id) {
    if (component.kind != "datefield")
        return nullptr;
    const TWidgetBounds box{bounds.left, bounds.top, bounds.right - bounds.left,
                            bounds.bottom - bounds.top};
    auto field =
        std::make_unique<TrmComboCalendar>(Handle(), component.name, id, box, Dpi() / 96.0);
    field->DropDownWidth = component.Number("dropdownwidth", 0, field->DropDownWidth);
    HWND window = field->Handle();
    dateFields_.push_back(std::move(field));
    return window;
}

TrmComboCalendar* TCalendarEntriesForm::DateField(const std::string& name) const {
    for (const auto& field : dateFields_)
        if (field->Name() == name)
            return field.get();
    return nullptr;
}

bool TCalendarEntriesForm::HandleEvent(TFormEvent& event) {
    using Kind = TFormEvent::Kind;
    using Form = TCalendarEntriesForm;
    static const TFormHandler<Form> handlers[] = {
        {"ApplyButton", Kind::Click, &Form::ApplyButtonClick},
        {"rmComboCalendar1", Kind::Change, &Form::rmComboCalendar1Change},
        // The six editing fields: each hands its value to the model, which takes a real
        // change to its Edit1Change, the one rule that sets the modified state.
        {"Edit1", Kind::Change, &Form::DescriptionChange},
        {"ComboBox2", Kind::Change, &Form::TypeChange},
        {"Edit2", Kind::Change, &Form::RegularDescriptionChange},
        {"rmComboCalendar2", Kind::Change, &Form::StartDateChange},
        {"ComboBox1", Kind::Change, &Form::IntervalChange},
        {"ComboBox3", Kind::Change, &Form::RegularTypeChange},
        {"ListView1", Kind::SelectItem, &Form::ListView1SelectItem},
        {"AddEntryButton", Kind::Click, &Form::AddEntryButtonClick},
        {"DeleteEntryButton", Kind::Click, &Form::DeleteEntryButtonClick},
        {"ShuffleDownButton", Kind::Click, &Form::ShuffleDownButtonClick},
        {"ShuffleUpButton", Kind::Click, &Form::ShuffleUpButtonClick},
        {"ListView1", Kind::CustomDraw, &Form::ListView1CustomDrawSubItem},
        {"ListView2", Kind::SelectItem, &Form::ListView2SelectItem},
        {"AddRegularEntryButton", Kind::Click, &Form::AddRegularEntryButtonClick},
        {"DeleteRegularEntryButton", Kind::Click, &Form::DeleteRegularEntryButtonClick},
        {"ListView2", Kind::CustomDraw, &Form::ListView2CustomDrawSubItem},
        {"ListView1", Kind::ItemText, &Form::ListView1Data},
        {"ListView2", Kind::ItemText, &Form::ListView2Data},
    };
    // While the dialog writes into its own controls, their notifications are its own echo.
    if (showing_ && (event.kind == Kind::Change || event.kind == Kind::SelectItem))
        return true;
    return DispatchFormEvent(*this, handlers, event);
}

// --- Creation and the opener's calls ---

void TCalendarEntriesForm::FormCreate() {
    // A description (a translated one, say) that lacks a control the editor drives would
    // leave a dialog that cannot work: refuse it with its name instead.
    for (const char* name :
         {"PageControl1", "rmComboCalendar1", "ListView1", "Edit1", "ComboBox2", "AddEntryButton",
          "DeleteEntryButton", "ShuffleUpButton", "ShuffleDownButton", "ListView2", "Edit2",
          "ComboBox3", "ComboBox1", "rmComboCalendar2", "AddRegularEntryButton",
          "DeleteRegularEntryButton", "OkButton", "CancelButton", "ApplyButton"})
        if (!Control(name))
            throw VelmoraError("The description of " + ClassName() + " has no component " + name +
                               ".");
    TakeOverIdleHandler([this] { AppIdle(); });
    SetChangeHandlers(false);
    ShowText("Edit1", "");
    // The date fields show a date of their own until SetDate gives them the opener's: no
    // load for that one, or a broken file would be reported twice before the dialog shows.
    showing_ = true;
    const std::string longDate = LongDateFormat();
    for (const char* name : {"rmComboCalendar1", "rmComboCalendar2"}) {
        if (TrmComboCalendar* field = DateField(name)) {
            field->SetDateFormat(longDate);
            field->OnSpecialDay = [](int year, int month, int day) {
                return TCalendarEntriesModel::IsSpecialDay(year, month, day);
            };
        }
    }
    showing_ = false;
    TabCtrl_SetCurSel(Control("PageControl1"), 0);
    Controls().ShowChosenPages();
    ShowText("Edit2", "");
    HWND intervals = Control("ComboBox1");
    SendMessageA(intervals, CB_RESETCONTENT, 0, 0);
    for (const std::string& name : TCalendarEntriesModel::IntervalNames())
        SendMessageA(intervals, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageA(intervals, CB_SETCURSEL, 0, 0);
    SetChangeHandlers(true);
}

void TCalendarEntriesForm::FormDestroy() {
    PutBackIdleHandler();
}

void TCalendarEntriesForm::FormClose() {
    if (ModalResult() != mrOk)
        return;
    const SaveResult result = model_.OkButtonClick();
    ShowModel(true);
    Report(result);
    if (!result.Succeeded())
        SetModalResult(mrNone);
}

void TCalendarEntriesForm::SetDate(double date) {
    const LoadResult result = model_.SetDate(date);
    ShowModel(true);
    Report(result);
}

void TCalendarEntriesForm::SetStartDay(int day) {
    model_.SetStartDay(day);
    if (TrmComboCalendar* field = DateField("rmComboCalendar1"))
        field->SetStartDay(model_.StartDay());
}

void TCalendarEntriesForm::SetDefaultColour(int32_t colour) {
    model_.SetDefaultColour(colour);
}

void TCalendarEntriesForm::SetEventTypes(const std::vector<TEventType>& types) {
    model_.SetEventTypes(types);
    ShowModel(false);
}

void TCalendarEntriesForm::SetChangeHandlers(bool attach) {
    model_.SetChangeHandlers(attach);
}

void TCalendarEntriesForm::LoadEntries() {
    const LoadResult result = model_.LoadEntries();
    ShowModel(true);
    Report(result);
}

bool TCalendarEntriesForm::SaveEntries() {
    const SaveResult result = model_.SaveEntries();
    ShowModel(true);
    Report(result);
    return result.Succeeded();
}

void TCalendarEntriesForm::AppIdle() {
    const IdleState state = model_.AppIdle();
    const auto enable = [this](const char* name, bool enabled) {
        if (HWND control = Control(name))
            if ((IsWindowEnabled(control) != FALSE) != enabled)
                EnableWindow(control, enabled);
    };
    for (const char* name : {"Edit1", "ComboBox2", "DeleteEntryButton"})
        enable(name, state.datedFieldsEnabled);
    for (const char* name :
         {"Edit2", "ComboBox3", "rmComboCalendar2", "ComboBox1", "DeleteRegularEntryButton"})
        enable(name, state.regularFieldsEnabled);
    enable("ShuffleDownButton", state.shuffleDownEnabled);
    enable("ShuffleUpButton", state.shuffleUpEnabled);
    enable("ApplyButton", state.applyEnabled);
    // The Interval column is asked of the selected row itself whenever it is painted, and
    // the interval box's change repaints the list: the live column needs nothing here.
}

// --- What the model holds, shown ---

void TCalendarEntriesForm::ShowText(const char* name, const std::string& text) {
    HWND control = Control(name);
    if (!control || WindowText(control) == text)
        return;
    const bool wasShowing = showing_;
    showing_ = true;
    SetWindowTextA(control, text.c_str());
    showing_ = wasShowing;
}

void TCalendarEntriesForm::ShowTypeBox(const char* name, const std::vector<std::string>& entries,
                                       int chosen) {
    HWND box = Control(name);
    if (!box)
        return;
    const bool wasShowing = showing_;
    showing_ = true;
    bool same = SendMessageA(box, CB_GETCOUNT, 0, 0) == static_cast<LRESULT>(entries.size());
    for (size_t index = 0; same && index < entries.size(); ++index) {
        const LRESULT length = SendMessageA(box, CB_GETLBTEXTLEN, index, 0);
        std::string text(static_cast<size_t>(length < 0 ? 0 : length) + 1, '\0');
        SendMessageA(box, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
        text.resize(static_cast<size_t>(length < 0 ? 0 : length));
        same = text == entries[index];
    }
    if (!same) {
        SendMessageA(box, CB_RESETCONTENT, 0, 0);
        // Inserted, not added: the model has sorted them already, and its order is the one
        // its entry numbers count in.
        for (const std::string& entry : entries)
            SendMessageA(box, CB_INSERTSTRING, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(entry.c_str()));
    }
    if (SendMessageA(box, CB_GETCURSEL, 0, 0) != chosen)
        SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
    showing_ = wasShowing;
}

void TCalendarEntriesForm::ShowDatedRows(bool selection) {
    HWND list = Control("ListView1");
    ShowRowCount(list, model_.DatedRows().size());
    if (selection)
        ShowSelection(list, model_.SelectedDatedRow());
}

void TCalendarEntriesForm::ShowRegularRows(bool selection) {
    HWND list = Control("ListView2");
    ShowRowCount(list, model_.RegularRows().size());
    if (selection)
        ShowSelection(list, model_.SelectedRegularRow());
}

void TCalendarEntriesForm::ShowModel(bool selection) {
    const bool wasShowing = showing_;
    showing_ = true;
    if (TrmComboCalendar* field = DateField("rmComboCalendar1"))
        field->SetSelectedDate(model_.ShownDate());
    ShowDatedRows(selection);
    ShowText("Edit1", BoxText(model_.DescriptionText()));
    ShowTypeBox("ComboBox2", model_.TypeEntries(), model_.ChosenTypeIndex());
    ShowRegularRows(selection);
    ShowText("Edit2", BoxText(model_.RegularDescriptionText()));
    ShowTypeBox("ComboBox3", model_.RegularTypeEntries(), model_.ChosenRegularTypeIndex());
    HWND intervals = Control("ComboBox1");
    if (SendMessageA(intervals, CB_GETCURSEL, 0, 0) != model_.ChosenInterval())
        SendMessageA(intervals, CB_SETCURSEL, static_cast<WPARAM>(model_.ChosenInterval()), 0);
    if (TrmComboCalendar* field = DateField("rmComboCalendar2"))
        field->SetSelectedDate(model_.RegularStartDate());
    showing_ = wasShowing;
}

void TCalendarEntriesForm::Report(const SaveResult& result) {
    if (result.message.empty())
        return;
    if (result.status == SaveStatus::IntervalMissing)
        ShowInformationBox(result.message);
    else
        ShowErrorBox(result.message);
}

void TCalendarEntriesForm::Report(const LoadResult& result) {
    if (!result.Succeeded())
        ShowErrorBox(result.message);
}

// --- Handlers ---

void TCalendarEntriesForm::ApplyButtonClick(TFormEvent&) {
    SaveEntries();
}

void TCalendarEntriesForm::rmComboCalendar1Change(TFormEvent&) {
    TrmComboCalendar* field = DateField("rmComboCalendar1");
    if (!field)
        return;
    const DateChangeOutcome outcome = model_.ChangeDate(field->SelectedDate(), [] {
        switch (AskYesNoCancel(saveQuestion)) {
        case QuestionAnswer::Yes:
            return SaveQuestionAnswer::Yes;
        case QuestionAnswer::No:
            return SaveQuestionAnswer::No;
        default:
            return SaveQuestionAnswer::Cancel;
        }
    });
    ShowModel(true);
    if (outcome.asked)
        Report(outcome.save);
    Report(outcome.load);
}

int TCalendarEntriesForm::ChosenEntry(const char* box) const {
    return static_cast<int>(SendMessageA(Control(box), CB_GETCURSEL, 0, 0));
}

void TCalendarEntriesForm::DescriptionChange(TFormEvent&) {
    model_.SetDescriptionText(WindowText(Control("Edit1")));
}

void TCalendarEntriesForm::TypeChange(TFormEvent&) {
    model_.ChooseType(ChosenEntry("ComboBox2"));
}

void TCalendarEntriesForm::RegularDescriptionChange(TFormEvent&) {
    model_.SetRegularDescriptionText(WindowText(Control("Edit2")));
}

void TCalendarEntriesForm::RegularTypeChange(TFormEvent&) {
    model_.ChooseRegularType(ChosenEntry("ComboBox3"));
}

void TCalendarEntriesForm::IntervalChange(TFormEvent&) {
    model_.ChooseInterval(ChosenEntry("ComboBox1"));
    // The selected row's Interval column follows the box at once.
    ShowRegularRows(false);
}

void TCalendarEntriesForm::StartDateChange(TFormEvent&) {
    if (TrmComboCalendar* field = DateField("rmComboCalendar2"))
        model_.SetRegularStartDate(field->SelectedDate());
}

void TCalendarEntriesForm::ListView1SelectItem(TFormEvent& event) {
    // A list whose rows the form keeps tells of "every row deselected" as row -1.
    const int row = event.item < 0 && !event.selected ? model_.SelectedDatedRow() : event.item;
    model_.ListView1SelectItem(row, event.selected);
    ShowModel(false);
}

void TCalendarEntriesForm::ListView2SelectItem(TFormEvent& event) {
    const int row = event.item < 0 && !event.selected ? model_.SelectedRegularRow() : event.item;
    model_.ListView2SelectItem(row, event.selected);
    ShowModel(false);
}

void TCalendarEntriesForm::StartTyping(const char* edit) {
    // A new row is typed into at once: its text field takes the focus as Tab would give it.
    HWND window = Control(edit);
    EnableWindow(window, TRUE);
    SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(window), TRUE);
}

void TCalendarEntriesForm::AddEntryButtonClick(TFormEvent&) {
    model_.AddEntryButtonClick();
    ShowModel(true);
    StartTyping("Edit1");
}

void TCalendarEntriesForm::DeleteEntryButtonClick(TFormEvent&) {
    model_.DeleteEntryButtonClick();
    ShowModel(true);
}

void TCalendarEntriesForm::ShuffleDownButtonClick(TFormEvent&) {
    model_.ShuffleDownButtonClick();
    ShowModel(true);
}

void TCalendarEntriesForm::ShuffleUpButtonClick(TFormEvent&) {
    model_.ShuffleUpButtonClick();
    ShowModel(true);
}

void TCalendarEntriesForm::AddRegularEntryButtonClick(TFormEvent&) {
    model_.AddRegularEntryButtonClick();
    ShowModel(true);
    StartTyping("Edit2");
}

void TCalendarEntriesForm::DeleteRegularEntryButtonClick(TFormEvent&) {
    model_.DeleteRegularEntryButtonClick();
    ShowModel(true);
}

template <typename Row>
void TCalendarEntriesForm::DrawTypeSwatches(TFormEvent& event, int typeColumn,
                                            const std::vector<Row>& rows) {
    // The swatch of the type's colour, its name beside it (ListView1Data): a type that is no
    // longer defined has no colour to show, and says so in its name.
    DrawSwatchAndTextColumn(
        event, typeColumn, Scale(4), Scale(2), [&](size_t row, COLORREF* colour) {
            if (row >= rows.size() || !model_.TypeIsDefined(rows[row].ReminderType))
                return false;
            *colour = ToColorRef(model_.TypeSwatchColour(rows[row].ReminderType));
            return true;
        });
}

void TCalendarEntriesForm::ListView1Data(TFormEvent& event) {
    const std::vector<DatedRow>& rows = model_.DatedRows();
    const size_t row = static_cast<size_t>(event.display->item.iItem);
    if (event.display->item.iItem < 0 || row >= rows.size())
        return AnswerItemText(event.display, "");
    AnswerItemText(event.display, event.display->item.iSubItem == 0
                                      ? rows[row].Description
                                      : TCalendarEntriesModel::TypeText(rows[row].ReminderType));
}

void TCalendarEntriesForm::ListView2Data(TFormEvent& event) {
    const std::vector<RegularRow>& rows = model_.RegularRows();
    const size_t row = static_cast<size_t>(event.display->item.iItem);
    if (event.display->item.iItem < 0 || row >= rows.size())
        return AnswerItemText(event.display, "");
    switch (event.display->item.iSubItem) {
    case 0:
        return AnswerItemText(event.display, rows[row].Description);
    case 1:
        return AnswerItemText(event.display, TCalendarEntriesModel::StartText(rows[row]));
    case 2:
        return AnswerItemText(event.display, TCalendarEntriesModel::IntervalText(rows[row]));
    default:
        return AnswerItemText(event.display,
                              TCalendarEntriesModel::TypeText(rows[row].ReminderType));
    }
}

void TCalendarEntriesForm::ListView1CustomDrawSubItem(TFormEvent& event) {
    DrawTypeSwatches(event, 1, model_.DatedRows());
}

void TCalendarEntriesForm::ListView2CustomDrawSubItem(TFormEvent& event) {
    DrawTypeSwatches(event, 3, model_.RegularRows());
}
