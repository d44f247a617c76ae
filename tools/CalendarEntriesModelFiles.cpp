// The reminder editor's files: what a load reads into the rows and a save writes of them.
#include "CalendarEntriesModel.h"
#include "DateUtils.h"
#include "Errors.h"
#include "EventTypeUnit.h"
#include "FileSystem.h"
#include "FileTransaction.h"
#include "ReminderFiles.h"

#include <algorithm>
#include <exception>
#include <iterator>

namespace {
const char* const intervalMissingMessage = "You must set an interval for a regular entry.";

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
        if (entry.Interval >= EntryIntervalCount) {
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
