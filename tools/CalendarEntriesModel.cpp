// The reminder editor's decisions: rows, fields, modified state, load and save.
#include "CalendarEntriesModel.h"
#include "DatePattern.h"
#include "DateUtils.h"
#include "Errors.h"
#include "EventTypeUnit.h"
#include "FileSystem.h"
#include "Locale.h"
#include "ReminderFiles.h"
#include "TextCase.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace {
const int intervalCount = 6;
const char* const intervalMissingMessage = "You must set an interval for a regular entry.";

// A broken stored date that is no number still equals itself, so looking at it is no change.
bool SameDay(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
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
    entries.insert(std::upper_bound(entries.begin() + 1, entries.end(), rowType, BeforeIgnoringCase),
                   rowType);
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

bool IsEmpty(const DatedRow& row) {
    return row.Description.empty() && row.ReminderType.empty();
}
bool IsEmpty(const RegularRow& row) {
    return row.Description.empty() && row.ReminderType.empty();
}

// Appends the rows one by one, so that those before a broken record stay listed.
void ReadRegularRows(std::vector<RegularRow>& rows) {
    rows.clear();
    const std::string path = RegularFileName();
    if (!FileExists(path))
        return;
    size_t recordNumber = 0;
    int badInterval = -1;
    const size_t partBytes = ReadRegularRecords(path, [&](const char* record) {
        if (badInterval >= 0)
            return;
        ++recordNumber;
        TRegularEntry entry;
        DecodeRegularRecord(record, entry);
        if (entry.Interval >= intervalCount) {
            badInterval = entry.Interval;
            return;
        }
        const TCalendarEntry split = ParseDayFileLine(entry.Description);
        RegularRow row;
        row.Description = split.Description;
        row.ReminderType = split.ReminderType;
        row.StartDate = WholeDay(entry.StartDate);
        row.Interval = entry.Interval;
        rows.push_back(row);
    });
    if (badInterval >= 0)
        throw RangeError("Range check error: record " + std::to_string(recordNumber) + " of \"" +
                         path + "\" has the interval " + std::to_string(badInterval) +
                         ", not 0 to 5");
    if (partBytes != 0)
        throw VelmoraError(PartRecordMessage(partBytes));
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

void TCalendarEntriesModel::SetEventTypes(const std::vector<std::string>& lines) {
    typeNames_.clear();
    for (const std::string& line : lines)
        typeNames_.push_back(line.substr(0, line.find('=')));
    std::stable_sort(typeNames_.begin(), typeNames_.end(), BeforeIgnoringCase);
}

// --- Loading, saving, closing ---

LoadResult TCalendarEntriesModel::LoadEntries() {
    // The lists are replaced, not deselected: nothing of the old rows is committed.
    const bool wasAttached = attached_;
    attached_ = false;
    selectedDated_ = selectedRegular_ = -1;
    description_.clear();
    type_.clear();
    regularDescription_.clear();
    regularType_.clear();
    interval_ = 0;
    datedRows_.clear();
    LoadResult result;
    // Each file is read on its own, so a broken day file does not leave the regular list
    // unread, and the other way round.
    datedUnreadable_ = false;
    try {
        std::vector<DatedRow> rows;
        for (const std::string& line : ReadDayFile(shownDate_)) {
            const TCalendarEntry entry = ParseDayFileLine(line);
            rows.push_back({entry.Description, entry.ReminderType});
        }
        datedRows_ = std::move(rows);
    } catch (const std::exception& error) {
        datedUnreadable_ = true;
        result.message = error.what();
    }
    regularUnreadable_ = false;
    try {
        ReadRegularRows(regularRows_);
    } catch (const std::exception& error) {
        regularUnreadable_ = true;
        if (result.message.empty())
            result.message = error.what();
    }
    attached_ = wasAttached;
    if (result.Succeeded())
        modified_ = false;
    return result;
}

SaveResult TCalendarEntriesModel::SaveEntries() {
    // The check sees the selected row's chosen interval, which its row already holds, and
    // its fields, which are committed only after the check.
    for (size_t i = 0; i < regularRows_.size(); ++i) {
        const RegularRow& row = regularRows_[i];
        const bool empty = static_cast<int>(i) == selectedRegular_
                               ? regularDescription_.empty() && regularType_.empty()
                               : IsEmpty(row);
        if (!empty && row.Interval == 0) {
            modified_ = true;
            return {SaveStatus::IntervalMissing, intervalMissingMessage};
        }
    }
    ListView1SelectItem(selectedDated_, false);
    ListView2SelectItem(selectedRegular_, false);

    std::vector<std::string> keptFiles;
    try {
        if (datedUnreadable_) {
            keptFiles.push_back(DayFileName(shownDate_));
        } else {
            std::vector<TCalendarEntry> entries;
            for (const DatedRow& row : datedRows_)
                if (!IsEmpty(row))
                    entries.push_back({row.Description, row.ReminderType});
            WriteDayFile(shownDate_, entries);
            datedRows_.erase(std::remove_if(datedRows_.begin(), datedRows_.end(),
                                            [](const DatedRow& row) { return IsEmpty(row); }),
                             datedRows_.end());
        }
        if (regularUnreadable_) {
            keptFiles.push_back(RegularFileName());
        } else {
            std::vector<TRegularEntry> entries;
            for (const RegularRow& row : regularRows_) {
                if (IsEmpty(row))
                    continue;
                TRegularEntry entry;
                entry.StartDate = row.StartDate;
                entry.Description = RegularDescription(row.ReminderType, row.Description);
                entry.Interval = static_cast<uint8_t>(row.Interval);
                entries.push_back(entry);
            }
            WriteRegularFile(entries);
            regularRows_.erase(std::remove_if(regularRows_.begin(), regularRows_.end(),
                                              [](const RegularRow& row) { return IsEmpty(row); }),
                               regularRows_.end());
        }
    } catch (const std::exception& error) {
        return {SaveStatus::IoError, error.what()};
    }
    modified_ = false;
    if (keptFiles.empty())
        return {SaveStatus::Saved, ""};
    std::string message =
        "These files could not be read whole when the date was shown, so they were "
        "left as they are and their changes were not saved:";
    for (const std::string& file : keptFiles)
        message += "\r\n" + file;
    return {SaveStatus::SavedExceptUnreadable, message};
}

SaveResult TCalendarEntriesModel::OkButtonClick() {
    if (!modified_)
        return {SaveStatus::NotModified, ""};
    return SaveEntries();
}

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

void TCalendarEntriesModel::FieldChanged() {
    if (attached_)
        modified_ = true;
}

void TCalendarEntriesModel::SetDescriptionText(const std::string& text) {
    if (text == description_)
        return;
    description_ = text;
    FieldChanged();
}

void TCalendarEntriesModel::ChooseType(int entry) {
    const std::vector<std::string> entries = TypeEntries();
    if (entry < 0 || entry >= static_cast<int>(entries.size()) || entry == ChosenTypeIndex())
        return;
    type_ = entries[static_cast<size_t>(entry)];
    FieldChanged();
}

void TCalendarEntriesModel::SetRegularDescriptionText(const std::string& text) {
    if (text == regularDescription_)
        return;
    regularDescription_ = text;
    FieldChanged();
}

void TCalendarEntriesModel::ChooseRegularType(int entry) {
    const std::vector<std::string> entries = RegularTypeEntries();
    if (entry < 0 || entry >= static_cast<int>(entries.size()) || entry == ChosenRegularTypeIndex())
        return;
    regularType_ = entries[static_cast<size_t>(entry)];
    FieldChanged();
}

void TCalendarEntriesModel::SetRegularStartDate(double date) {
    date = WholeDay(date);
    if (SameDay(date, regularStartDate_))
        return;
    regularStartDate_ = date;
    FieldChanged();
}

void TCalendarEntriesModel::ChooseInterval(int interval) {
    if (interval < 0 || interval >= intervalCount || interval == interval_)
        return;
    interval_ = interval;
    if (selectedRegular_ >= 0)
        regularRows_[static_cast<size_t>(selectedRegular_)].Interval = interval;
    FieldChanged();
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
    if (row < 0 || row >= static_cast<int>(datedRows_.size()))
        return;
    if (!selected) {
        if (row == selectedDated_)
            CommitDated();
        return;
    }
    if (row == selectedDated_)
        return;
    if (selectedDated_ >= 0)
        CommitDated();
    FillDated(row);
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
    if (row < 0 || row >= static_cast<int>(regularRows_.size()))
        return;
    if (!selected) {
        if (row == selectedRegular_)
            CommitRegular();
        return;
    }
    if (row == selectedRegular_)
        return;
    if (selectedRegular_ >= 0)
        CommitRegular();
    FillRegular(row);
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
    return std::vector<std::string>(EntryIntervalNames, EntryIntervalNames + intervalCount);
}

std::string TCalendarEntriesModel::StartText(const RegularRow& row) {
    return FormatDatePattern(ShortDateFormat(), row.StartDate);
}

std::string TCalendarEntriesModel::IntervalText(const RegularRow& row) {
    return row.Interval >= 0 && row.Interval < intervalCount ? EntryIntervalNames[row.Interval]
                                                             : "";
}

int32_t TCalendarEntriesModel::TypeSwatchColour(const std::string& reminderType) const {
    if (reminderType.empty())
        return defaultColour_;
    const int32_t colour = FindEventTypeColour(reminderType);
    return colour == -1 ? 0 : colour;
}

bool TCalendarEntriesModel::IsSpecialDay(int year, int month, int day) {
    return IsValidDate(year, month, day) && DayHasEntries(EncodeDate(year, month, day));
}
