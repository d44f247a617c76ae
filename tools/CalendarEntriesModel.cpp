// The reminder editor's decisions: rows, fields, modified state, load and save.
#include "CalendarEntriesModel.h"
#include "DatePattern.h"
#include "DateUtils.h"
#include "Errors.h"
#include "EventTypeUnit.h"
#include "FileSystem.h"
#include "FileTransaction.h"
#include "Locale.h"
#include "ReminderFiles.h"
#include "TextCase.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <iterator>

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

bool IsEmpty(const DatedRow& row) {
    return row.Description.empty() && row.ReminderType.empty();
}
bool IsEmpty(const RegularRow& row) {
    return row.Description.empty() && row.ReminderType.empty();
}

// Appends the rows one by one, so that those before a broken record stay listed. A file that
// cannot be read raises as the file system does; one whose content is broken (a record with
// no such interval, a part record at the end) sets damaged before it raises.
void ReadRegularRows(std::vector<RegularRow>& rows, bool& damaged) {
    rows.clear();
    damaged = false;
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
        rows.push_back(std::move(row));
    });
    damaged = badInterval >= 0 || partBytes != 0;
    if (badInterval >= 0)
        throw RangeError("Range check error: record " + std::to_string(recordNumber) + " of \"" +
                         path + "\" has the interval " + std::to_string(badInterval) +
                         ", not 0 to 5");
    if (partBytes != 0)
        throw VelmoraError(PartRecordMessage(partBytes));
}

// The rows of the day file, read in one pass with each line split in place: a day of a
// million lines holds its rows and little more.
std::vector<DatedRow> ReadDatedRows(double date) {
    std::vector<DatedRow> rows;
    const std::string path = DayFileName(date);
    if (!FileExists(path))
        return rows;
    ReadDayFileWholeLines(path, [&rows](std::string& line) {
        DatedRow row;
        size_t open, close;
        if (FindFirstBraceGroup(line, &open, &close)) {
            row.ReminderType.assign(line, open + 1, close - open - 1);
            line.erase(open, close - open + 1);
        }
        row.Description = std::move(line);
        rows.push_back(std::move(row));
    });
    return rows;
}

// The message of a save refused because a file that could not be read at the load still
// cannot be read: saving the list alone would lose what the file holds.
std::string StillUnreadableMessage(const std::string& path, const std::string& error) {
    return "\"" + path +
           "\" could not be read when the date was shown and cannot be read now, "
           "so nothing was saved; the changes are kept here until it can be read.\r\n" +
           error;
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
        datedRows_ = ReadDatedRows(shownDate_);
    } catch (const std::exception& error) {
        datedUnreadable_ = true;
        result.message = error.what();
    }
    regularUnreadable_ = regularDamaged_ = false;
    try {
        ReadRegularRows(regularRows_, regularDamaged_);
    } catch (const std::exception& error) {
        // A broken file keeps the rows before the break on show; of a file that could not
        // be read (held open by another program, say) none is listed, so that every row
        // is the user's own when the file is read again at the save.
        if (!regularDamaged_) {
            regularUnreadable_ = true;
            regularRows_.clear();
        }
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

    // A file that could not be read at the load is read now: its reminders come first, the
    // rows typed meanwhile after them. Still unreadable, nothing is saved and the edits stay.
    if (datedUnreadable_) {
        try {
            std::vector<DatedRow> rows = ReadDatedRows(shownDate_);
            rows.insert(rows.end(), std::make_move_iterator(datedRows_.begin()),
                        std::make_move_iterator(datedRows_.end()));
            datedRows_ = std::move(rows);
            datedUnreadable_ = false;
        } catch (const std::exception& error) {
            return {SaveStatus::IoError,
                    StillUnreadableMessage(DayFileName(shownDate_), error.what())};
        }
    }
    if (regularUnreadable_) {
        try {
            std::vector<RegularRow> rows;
            bool damaged = false;
            ReadRegularRows(rows, damaged);
            rows.insert(rows.end(), std::make_move_iterator(regularRows_.begin()),
                        std::make_move_iterator(regularRows_.end()));
            regularRows_ = std::move(rows);
            regularUnreadable_ = false;
        } catch (const std::exception& error) {
            return {SaveStatus::IoError, StillUnreadableMessage(RegularFileName(), error.what())};
        }
    }

    // One save of both files: either both are as the lists hold them, or neither changed.
    std::vector<std::string> keptFiles;
    try {
        FileTransaction save;
        std::vector<TCalendarEntry> datedEntries;
        for (const DatedRow& row : datedRows_)
            if (!IsEmpty(row))
                datedEntries.push_back({row.Description, row.ReminderType});
        AddDayFileToSave(save, shownDate_, datedEntries);
        datedEntries = {};
        if (regularDamaged_) {
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
            AddRegularFileToSave(save, entries);
        }
        save.Commit();
    } catch (const std::exception& error) {
        return {SaveStatus::IoError, std::string(error.what()) + "\r\nNothing was saved."};
    }
    datedRows_.erase(std::remove_if(datedRows_.begin(), datedRows_.end(),
                                    [](const DatedRow& row) { return IsEmpty(row); }),
                     datedRows_.end());
    if (!regularDamaged_)
        regularRows_.erase(std::remove_if(regularRows_.begin(), regularRows_.end(),
                                          [](const RegularRow& row) { return IsEmpty(row); }),
                           regularRows_.end());
    modified_ = false;
    if (keptFiles.empty())
        return {SaveStatus::Saved, ""};
    std::string message =
        "These files are damaged, so they were left as they are and their changes were not "
        "saved:";
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
