// The reminder editor's decisions: rows, fields, modified state and what the dialog shows.
// What a load reads and a save writes is in CalendarEntriesModelFiles.cpp.
#include "CalendarEntriesModel.h"
#include "DatePattern.h"
#include "DateUtils.h"
#include "EventTypeUnit.h"
#include "Locale.h"
#include "ReminderFiles.h"
#include "TextCase.h"

#include <algorithm>
#include <cmath>

namespace {
// A broken stored date that is no number still equals itself, so looking at it is no change.
bool SameDay(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

// A type box's entry taken as the page's type; false for no entry or the one already shown.
bool TakeEntry(const std::vector<std::string>& entries, int entry, int shown, std::string* type) {
    if (entry < 0 || entry >= static_cast<int>(entries.size()) || entry == shown)
        return false;
    *type = entries[static_cast<size_t>(entry)];
    return true;
}

// The selection rule of both lists: the row left is committed before another is filled, and
// a row selected again keeps what the controls show.
template <typename Commit, typename Fill>
void FollowSelection(int row, bool selected, size_t rowCount, int current, Commit commit,
                     Fill fill) {
    if (row < 0 || row >= static_cast<int>(rowCount))
        return;
    if (!selected) {
        if (row == current)
            commit();
        return;
    }
    if (row == current)
        return;
    if (current >= 0)
        commit();
    fill(row);
}

// The box entries: the empty entry, the sorted names, and a row's own type when the names
// do not hold it, so that a type no longer defined is offered and kept.
std::vector<std::string> EntriesFor(const std::vector<std::string>& names,
                                    const std::string& rowType, bool rowSelected) {
    std::vector<std::string> entries;
    entries.reserve(names.size() + 2);
    entries.push_back("");
    entries.insert(entries.end(), names.begin(), names.end());
    if (!rowSelected || rowType.empty())
        return entries;
    for (const std::string& name : names)
        if (SameTextIgnoringCase(name, rowType))
            return entries;
    entries.insert(
        std::upper_bound(entries.begin() + 1, entries.end(), rowType, BeforeIgnoringCase), rowType);
    return entries;
}

// The entry showing the field's type: an exact match first, then one that differs in case
// only (the stored spelling is kept in the field all the same).
int ChosenIndex(const std::vector<std::string>& entries, const std::string& type) {
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i] == type)
            return static_cast<int>(i);
    for (size_t i = 0; i < entries.size(); ++i)
        if (SameTextIgnoringCase(entries[i], type))
            return static_cast<int>(i);
    return -1;
}
} // namespace

TCalendarEntriesModel::TCalendarEntriesModel() = default;

// --- The opener's calls ---

LoadResult TCalendarEntriesModel::SetDate(double date) {
    shownDate_ = WholeDay(date);
    regularStartDate_ = shownDate_;
    return LoadEntries();
}

void TCalendarEntriesModel::SetStartDay(int day) {
    startDay_ = day;
}

void TCalendarEntriesModel::SetDefaultColour(int32_t colour) {
    defaultColour_ = colour;
}

void TCalendarEntriesModel::SetEventTypes(const std::vector<TEventType>& types) {
    typeNames_.clear();
    for (const TEventType& type : types)
        typeNames_.push_back(type.Name);
    std::stable_sort(typeNames_.begin(), typeNames_.end(), BeforeIgnoringCase);
}

// --- Another date ---

DateChangeOutcome
TCalendarEntriesModel::ChangeDate(double date,
                                  const std::function<SaveQuestionAnswer()>& askToSave) {
    DateChangeOutcome outcome;
    date = WholeDay(date);
    if (SameDay(date, shownDate_))
        return outcome;
    if (modified_) {
        outcome.asked = true;
        const SaveQuestionAnswer answer = askToSave ? askToSave() : SaveQuestionAnswer::Cancel;
        if (answer == SaveQuestionAnswer::Cancel)
            return outcome;
        if (answer == SaveQuestionAnswer::Yes) {
            outcome.save = SaveEntries();
            if (!outcome.save.Succeeded())
                return outcome;
        }
    }
    shownDate_ = date;
    outcome.dateChanged = true;
    outcome.load = LoadEntries();
    return outcome;
}

// --- Fields ---

void TCalendarEntriesModel::Edit1Change() {
    if (attached_)
        modified_ = true;
}

void TCalendarEntriesModel::SetDescriptionText(const std::string& text) {
    if (text == description_)
        return;
    description_ = text;
    Edit1Change();
}

void TCalendarEntriesModel::ChooseType(int entry) {
    if (TakeEntry(TypeEntries(), entry, ChosenTypeIndex(), &type_))
        Edit1Change();
}

void TCalendarEntriesModel::SetRegularDescriptionText(const std::string& text) {
    if (text == regularDescription_)
        return;
    regularDescription_ = text;
    Edit1Change();
}

void TCalendarEntriesModel::ChooseRegularType(int entry) {
    if (TakeEntry(RegularTypeEntries(), entry, ChosenRegularTypeIndex(), &regularType_))
        Edit1Change();
}

void TCalendarEntriesModel::SetRegularStartDate(double date) {
    date = WholeDay(date);
    if (SameDay(date, regularStartDate_))
        return;
    regularStartDate_ = date;
    Edit1Change();
}

void TCalendarEntriesModel::ChooseInterval(int interval) {
    if (interval < 0 || interval >= EntryIntervalCount || interval == interval_)
        return;
    interval_ = interval;
    if (selectedRegular_ >= 0)
        regularRows_[static_cast<size_t>(selectedRegular_)].Interval = interval;
    Edit1Change();
}

std::vector<std::string> TCalendarEntriesModel::TypeEntries() const {
    const bool selected = selectedDated_ >= 0;
    return EntriesFor(typeNames_,
                      selected ? datedRows_[static_cast<size_t>(selectedDated_)].ReminderType : "",
                      selected);
}

int TCalendarEntriesModel::ChosenTypeIndex() const {
    return selectedDated_ < 0 ? -1 : ChosenIndex(TypeEntries(), type_);
}

std::vector<std::string> TCalendarEntriesModel::RegularTypeEntries() const {
    const bool selected = selectedRegular_ >= 0;
    return EntriesFor(
        typeNames_,
        selected ? regularRows_[static_cast<size_t>(selectedRegular_)].ReminderType : "", selected);
}

int TCalendarEntriesModel::ChosenRegularTypeIndex() const {
    return selectedRegular_ < 0 ? -1 : ChosenIndex(RegularTypeEntries(), regularType_);
}

// --- "Reminders" page ---

void TCalendarEntriesModel::FillDated(int row) {
    const bool wasAttached = attached_;
    attached_ = false;
    selectedDated_ = row;
    description_ = datedRows_[static_cast<size_t>(row)].Description;
    type_ = datedRows_[static_cast<size_t>(row)].ReminderType;
    attached_ = wasAttached;
}

void TCalendarEntriesModel::CommitDated() {
    DatedRow& row = datedRows_[static_cast<size_t>(selectedDated_)];
    if (description_ != row.Description || type_ != row.ReminderType)
        modified_ = true;
    row.Description = description_;
    row.ReminderType = type_;
    selectedDated_ = -1;
    // Emptying the box is a change of its text like any other while the handlers listen.
    SetDescriptionText("");
    type_.clear();
}

void TCalendarEntriesModel::ListView1SelectItem(int row, bool selected) {
    FollowSelection(
        row, selected, datedRows_.size(), selectedDated_, [this] { CommitDated(); },
        [this](int chosen) { FillDated(chosen); });
}

int TCalendarEntriesModel::AddEntryButtonClick() {
    ListView1SelectItem(selectedDated_, false);
    datedRows_.push_back({});
    const int row = static_cast<int>(datedRows_.size()) - 1;
    FillDated(row);
    return row;
}

void TCalendarEntriesModel::DeleteEntryButtonClick() {
    if (selectedDated_ < 0)
        return;
    const int row = selectedDated_;
    CommitDated();
    datedRows_.erase(datedRows_.begin() + row);
    modified_ = true;
}

void TCalendarEntriesModel::ShuffleUpButtonClick() {
    if (selectedDated_ <= 0)
        return;
    const int row = selectedDated_;
    CommitDated();
    std::swap(datedRows_[static_cast<size_t>(row)], datedRows_[static_cast<size_t>(row - 1)]);
    FillDated(row - 1);
    modified_ = true;
}

void TCalendarEntriesModel::ShuffleDownButtonClick() {
    if (selectedDated_ < 0 || selectedDated_ + 1 >= static_cast<int>(datedRows_.size()))
        return;
    const int row = selectedDated_;
    CommitDated();
    std::swap(datedRows_[static_cast<size_t>(row)], datedRows_[static_cast<size_t>(row + 1)]);
    FillDated(row + 1);
    modified_ = true;
}

// --- "Regular Reminders" page ---

void TCalendarEntriesModel::FillRegular(int row) {
    const bool wasAttached = attached_;
    attached_ = false;
    selectedRegular_ = row;
    const RegularRow& source = regularRows_[static_cast<size_t>(row)];
    regularDescription_ = source.Description;
    regularType_ = source.ReminderType;
    regularStartDate_ = source.StartDate;
    interval_ = source.Interval;
    attached_ = wasAttached;
}

void TCalendarEntriesModel::CommitRegular() {
    RegularRow& row = regularRows_[static_cast<size_t>(selectedRegular_)];
    if (regularDescription_ != row.Description || regularType_ != row.ReminderType ||
        !SameDay(regularStartDate_, row.StartDate) || interval_ != row.Interval)
        modified_ = true;
    row.Description = regularDescription_;
    row.ReminderType = regularType_;
    row.StartDate = regularStartDate_;
    row.Interval = interval_;
    selectedRegular_ = -1;
    SetRegularDescriptionText("");
    regularType_.clear();
    interval_ = 0; // the start-date field keeps its date for the next Add
}

void TCalendarEntriesModel::ListView2SelectItem(int row, bool selected) {
    FollowSelection(
        row, selected, regularRows_.size(), selectedRegular_, [this] { CommitRegular(); },
        [this](int chosen) { FillRegular(chosen); });
}

int TCalendarEntriesModel::AddRegularEntryButtonClick() {
    ListView2SelectItem(selectedRegular_, false);
    RegularRow added;
    added.StartDate = regularStartDate_;
    added.Interval = interval_;
    regularRows_.push_back(added);
    const int row = static_cast<int>(regularRows_.size()) - 1;
    FillRegular(row);
    return row;
}

void TCalendarEntriesModel::DeleteRegularEntryButtonClick() {
    if (selectedRegular_ < 0)
        return;
    const int row = selectedRegular_;
    CommitRegular();
    regularRows_.erase(regularRows_.begin() + row);
    modified_ = true;
}

// --- Shared ---

IdleState TCalendarEntriesModel::AppIdle() const {
    IdleState state;
    const int datedCount = static_cast<int>(datedRows_.size());
    state.datedFieldsEnabled = selectedDated_ >= 0;
    state.shuffleUpEnabled = datedCount > 1 && selectedDated_ > 0;
    state.shuffleDownEnabled =
        datedCount > 1 && selectedDated_ >= 0 && selectedDated_ < datedCount - 1;
    state.regularFieldsEnabled = selectedRegular_ >= 0;
    state.applyEnabled = modified_;
    if (selectedRegular_ >= 0) {
        state.liveIntervalRow = selectedRegular_;
        state.liveIntervalText = IntervalText(regularRows_[static_cast<size_t>(selectedRegular_)]);
    }
    return state;
}

std::vector<std::string> TCalendarEntriesModel::IntervalNames() {
    return std::vector<std::string>(EntryIntervalNames, EntryIntervalNames + EntryIntervalCount);
}

std::string TCalendarEntriesModel::StartText(const RegularRow& row) {
    return FormatDatePattern(ShortDateFormat(), row.StartDate);
}

std::string TCalendarEntriesModel::IntervalText(const RegularRow& row) {
    return row.Interval >= 0 && row.Interval < EntryIntervalCount ? EntryIntervalNames[row.Interval]
                                                                  : "";
}

int32_t TCalendarEntriesModel::TypeSwatchColour(const std::string& reminderType) const {
    if (reminderType.empty())
        return defaultColour_;
    const int32_t colour = FindEventTypeColour(reminderType);
    // -1 is also "no such type"; a type stored with -1 keeps it, as its days do on the desktop.
    return colour == -1 && !TypeIsDefined(reminderType) ? 0 : colour;
}

bool TCalendarEntriesModel::TypeIsDefined(const std::string& reminderType) {
    if (reminderType.empty())
        return true;
    for (const TEventType& type : EventTypes())
        if (SameTextIgnoringCase(type.Name, reminderType))
            return true;
    return false;
}

std::string TCalendarEntriesModel::TypeText(const std::string& reminderType) {
    return TypeIsDefined(reminderType) ? reminderType : reminderType + " (not defined)";
}

bool TCalendarEntriesModel::IsSpecialDay(int year, int month, int day) {
    return IsValidDate(year, month, day) && DayHasEntries(EncodeDate(year, month, day));
}
