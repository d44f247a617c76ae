// What the reminder editor decides, without a window: the rows of both pages, the fields of
// the selected row, the modified state, what selecting, deselecting and each button commit,
// what the idle update enables, and what a load reads and a save writes. The dialog turns
// control notifications into calls on this model and shows what the model holds.
#pragma once
#include "EventTypeUnit.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One row of the "Reminders" list: a dated reminder of the shown day.
struct DatedRow {
    std::string Description;  // whole, as stored: never cut by being looked at
    std::string ReminderType; // empty for none; kept as stored, case included
};

// One row of the "Regular Reminders" list.
struct RegularRow {
    std::string Description;  // the caption: the stored description without its type group
    std::string ReminderType; // empty for none
    double StartDate = 0;     // a whole day; the Start column is only its text
    int Interval = 0;         // a TEntryInterval value, 0..5
};

enum class SaveStatus {
    Saved,           // both files written as the lists hold them
    NotModified,     // OK without changes: nothing written, the dialog may close
    IntervalMissing, // nothing written; show message in an information box, stay open
    // A write failed and neither file changed, or a file that could not be read at the
    // load still cannot be read and nothing was written; show message in the error box and
    // stay open with the edits.
    IoError,
    // regular.dat was damaged at the last load (a record with no such interval, a part
    // record at its end): it was left as it is on disk, so the records that were not read
    // are not lost; the day file was written. Show message in the error box; the dialog may
    // close.
    SavedExceptUnreadable,
};

struct SaveResult {
    SaveStatus status = SaveStatus::Saved;
    std::string message;
    // True when the dialog may close after OK (or the date may change after "Yes").
    bool Succeeded() const {
        return status == SaveStatus::Saved || status == SaveStatus::NotModified ||
               status == SaveStatus::SavedExceptUnreadable;
    }
};

// A load that met a read error still holds the rows read before it; message is the error
// text for the library's error box, empty when both files were read whole.
struct LoadResult {
    std::string message;
    bool Succeeded() const { return message.empty(); }
};

// The answer to "save the changes before showing another date?".
enum class SaveQuestionAnswer { Yes, No, Cancel };

struct DateChangeOutcome {
    bool dateChanged = false; // false: the date field must show ShownDate() again
    bool asked = false;       // whether the question was asked
    SaveResult save;          // the save made for "Yes": show its message when not empty
    LoadResult load;          // the load of the new date, when the date changed
};

// What the idle update enables, and the Interval column of the selected regular row.
struct IdleState {
    bool datedFieldsEnabled = false;   // Edit1, ComboBox2, DeleteEntryButton
    bool shuffleUpEnabled = false;     // ShuffleUpButton
    bool shuffleDownEnabled = false;   // ShuffleDownButton
    bool regularFieldsEnabled = false; // Edit2, ComboBox3, rmComboCalendar2, ComboBox1,
                                       // DeleteRegularEntryButton
    bool applyEnabled = false;         // ApplyButton
    int liveIntervalRow = -1;          // the selected regular row, -1 for none
    std::string liveIntervalText;      // the text its Interval column shows
};

// How the dialog drives it: every control notification becomes one call below, made only
// for the user's own actions (notifications caused while the dialog refills its controls
// are ignored there). After a call that changes rows or the selection (select, the
// buttons, a load, a save, a date change) the dialog shows the rows, the selection, the
// fields and the type-box entries again; after a field edit nothing needs showing. The
// idle update enables the controls and sets the live Interval column.
class TCalendarEntriesModel {
  public:
    TCalendarEntriesModel();

    // --- The opener's calls, in this order, before the dialog is shown ---

    // Shows the date (whole day) on the "Reminders" page, sets the start-date field of the
    // regular page to it as well, and loads both lists without asking anything.
    LoadResult SetDate(double date);
    // First day of the week of the "Reminders" date field's drop-down month (1 = Sunday).
    void SetStartDay(int day);
    // The swatch colour of a reminder without a type.
    void SetDefaultColour(int32_t colour);
    // The type table's rows: their names, whole (a name may hold any character, "=" too),
    // sorted ignoring case, follow an empty entry ("no type") at position 0 in both type boxes.
    void SetEventTypes(const std::vector<TEventType>& types);

    // --- Loading, saving, closing ---

    // Reads the day file of the shown date and regular.dat afresh; no row selected, fields
    // emptied, not modified (unless a read failed: then the modified state is kept).
    LoadResult LoadEntries();
    // Apply: the interval check, then the selected rows committed, then the day file of the
    // shown date and regular.dat replaced in one save: after a failure neither changed.
    // A file that could not be read at the load is read first and its rows put before the
    // user's; while it still cannot be read nothing is saved. Rows with neither description nor
    // type are not written (and an empty regular row is not checked); after a save they are gone.
    SaveResult SaveEntries();
    SaveResult ApplyButtonClick() { return SaveEntries(); }
    // OK: saves only when modified. Close the dialog when the result Succeeded().
    SaveResult OkButtonClick();

    // The user picked another date in rmComboCalendar1. Unmodified: the date changes and the
    // lists load at once. Modified: askToSave is called; Yes saves and then changes the
    // date, unless the save fails (the old date and the edits stay); No discards the edits
    // and changes the date; Cancel keeps the old date and the edits. The same date as the
    // shown one does nothing.
    DateChangeOutcome ChangeDate(double date, const std::function<SaveQuestionAnswer()>& askToSave);

    // --- "Reminders" page ---

    // A row gained (selected) or lost (!selected) the selection, as the list reports it.
    // Gaining it commits a row selected before; losing it commits the fields into the row.
    // Repeated or stale reports (a row that is already selected, or not selected) do
    // nothing, so the dialog may pass on every notification of its list.
    void ListView1SelectItem(int row, bool selected);
    // The user's edit of Edit1. A different text marks the dialog modified.
    void SetDescriptionText(const std::string& text);
    // The user's choice in ComboBox2, an index into TypeEntries(); choosing the entry that
    // is already chosen does nothing, another one marks the dialog modified.
    void ChooseType(int entry);
    // Commits the selected row, appends an empty row and selects it (not a change by
    // itself). Returns the new row's index; give Edit1 the focus.
    int AddEntryButtonClick();
    // Removes the selected row (modified); nothing when none is selected.
    void DeleteEntryButtonClick();
    // Moves the selected row one place: the fields are committed first, so an edit still in
    // the fields moves with its reminder; the moved row stays selected (modified). Nothing
    // at the ends or without a selection.
    void ShuffleUpButtonClick();
    void ShuffleDownButtonClick();

    const std::vector<DatedRow>& DatedRows() const { return datedRows_; }
    int SelectedDatedRow() const { return selectedDated_; }
    const std::string& DescriptionText() const { return description_; }
    // The entries of ComboBox2 in display order: the empty entry, the type names, and, while
    // a row whose type is none of them is selected, that row's type in its sorted place.
    std::vector<std::string> TypeEntries() const;
    // The chosen entry of ComboBox2, -1 for none (no row selected).
    int ChosenTypeIndex() const;

    // --- "Regular Reminders" page ---

    void ListView2SelectItem(int row, bool selected);
    void SetRegularDescriptionText(const std::string& text); // Edit2
    void ChooseRegularType(int entry);                       // ComboBox3, RegularTypeEntries()
    void SetRegularStartDate(double date);                   // rmComboCalendar2, whole day
    // ComboBox1, an index into IntervalNames(); the selected row's Interval follows at once.
    void ChooseInterval(int interval);
    // Appends a row with an empty description and type, the start-date field's date and
    // the chosen interval ("None" whenever no row was selected), and selects it.
    int AddRegularEntryButtonClick();
    void DeleteRegularEntryButtonClick();

    const std::vector<RegularRow>& RegularRows() const { return regularRows_; }
    int SelectedRegularRow() const { return selectedRegular_; }
    const std::string& RegularDescriptionText() const { return regularDescription_; }
    std::vector<std::string> RegularTypeEntries() const;
    int ChosenRegularTypeIndex() const;
    double RegularStartDate() const { return regularStartDate_; }
    int ChosenInterval() const { return interval_; }

    // --- Shared state and what the dialog shows ---

    // The idle update; call it whenever the message queue runs empty.
    IdleState AppIdle() const;
    bool Modified() const { return modified_; }
    double ShownDate() const { return shownDate_; }
    int StartDay() const { return startDay_; }
    // Attached by default; detached, edits update the fields without marking a change.
    void SetChangeHandlers(bool attach) { attached_ = attach; }
    bool ChangeHandlersAttached() const { return attached_; }

    // "None", "Week", "Fortnight", "Month", "Quarter", "Year": ComboBox1, in value order.
    static std::vector<std::string> IntervalNames();
    // The Start column: the start date in the user's short date format.
    static std::string StartText(const RegularRow& row);
    // The Interval column.
    static std::string IntervalText(const RegularRow& row);
    // The Type column's swatch: the default colour for no type, the type's colour, black
    // for a name that is no type. Negative results other than that are system colours.
    int32_t TypeSwatchColour(const std::string& reminderType) const;
    // No type, or a name the type table holds (letters A-Z folded).
    static bool TypeIsDefined(const std::string& reminderType);
    // The Type column's text: the stored name, and for a name that is no longer a type,
    // "Name (not defined)", so that a removed or renamed type is seen as such.
    static std::string TypeText(const std::string& reminderType);
    // The drop-down months' marks: whether the day has a day file (false for no such day).
    static bool IsSpecialDay(int year, int month, int day);

  private:
    void CommitDated();
    void FillDated(int row);
    void CommitRegular();
    void FillRegular(int row);
    // The one change handler shared by the six editing fields (Edit1, ComboBox2, Edit2,
    // rmComboCalendar2, ComboBox1, ComboBox3), reached by each field's setter when the field's
    // value really changes: it only marks the dialog modified, and only while attached.
    void Edit1Change();

    std::vector<std::string> typeNames_; // sorted, without the empty entry
    std::vector<DatedRow> datedRows_;
    std::vector<RegularRow> regularRows_;
    int selectedDated_ = -1;
    int selectedRegular_ = -1;
    std::string description_;        // Edit1
    std::string type_;               // ComboBox2's chosen text, exactly as it will be stored
    std::string regularDescription_; // Edit2
    std::string regularType_;        // ComboBox3
    double regularStartDate_ = 0;    // rmComboCalendar2
    int interval_ = 0;               // ComboBox1
    double shownDate_ = 0;           // rmComboCalendar1
    int startDay_ = 1;
    int32_t defaultColour_ = 0xFFFFFF;
    bool modified_ = false;
    bool attached_ = true;
    // A list whose file could not be read at the load (held open by another program): it
    // holds only the user's rows, and its file is read again at the save.
    bool datedUnreadable_ = false;
    bool regularUnreadable_ = false;
    // regular.dat's content is broken: it is left alone on save.
    bool regularDamaged_ = false;
};
