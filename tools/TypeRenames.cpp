// The rewrite of stored reminders for renamed reminder types.
#include "TypeRenames.h"

#include "EventTypeUnit.h"
#include "FileSystem.h"
#include "FileTransaction.h"
#include "ReminderFiles.h"
#include "TextCase.h"

#include <algorithm>
#include <cstring>

std::optional<std::string> RenamedType(const std::vector<TypeChange>& changes,
                                       const std::string& stored) {
    for (const TypeChange& change : changes) {
        if (!SameTextIgnoringCase(change.from, stored))
            continue;
        if (change.to && *change.to != change.from)
            return change.to;
        return std::nullopt;
    }
    return std::nullopt;
}

bool AnyRenamed(const std::vector<TypeChange>& changes) {
    return std::any_of(changes.begin(), changes.end(), [](const TypeChange& change) {
        return change.to && *change.to != change.from;
    });
}

namespace {
// Renames the first brace group of text[begin, end) in place; returns the change in length,
// and counts the move.
bool RenameGroup(std::string& text, size_t begin, size_t end,
                 const std::vector<TypeChange>& changes, long long* growth) {
    const std::string line = text.substr(begin, end - begin);
    size_t open, close;
    if (!FindFirstBraceGroup(line, &open, &close))
        return false;
    const std::optional<std::string> to =
        RenamedType(changes, line.substr(open + 1, close - open - 1));
    if (!to)
        return false;
    text.replace(begin + open + 1, close - open - 1, *to);
    *growth = static_cast<long long>(to->size()) - static_cast<long long>(close - open - 1);
    return true;
}
} // namespace

size_t RenameTypesInDayFile(std::string& content, const std::vector<TypeChange>& changes) {
    // The line rules of SplitDayFileLines: a line ends at CR, a LF right after it is skipped,
    // a LF alone belongs to the line, byte 26 ends the text.
    size_t moved = 0;
    size_t end = content.find('\x1A');
    if (end == std::string::npos)
        end = content.size();
    size_t start = 0;
    while (start < end) {
        size_t lineEnd = content.find('\r', start);
        if (lineEnd == std::string::npos || lineEnd > end)
            lineEnd = end;
        long long growth = 0;
        if (RenameGroup(content, start, lineEnd, changes, &growth)) {
            ++moved;
            lineEnd = static_cast<size_t>(static_cast<long long>(lineEnd) + growth);
            end = static_cast<size_t>(static_cast<long long>(end) + growth);
        }
        start = lineEnd + 1;
        if (lineEnd < end && start < end && content[start] == '\n')
            ++start;
    }
    return moved;
}

size_t RenameTypesInRegularFile(std::string& content, const std::vector<TypeChange>& changes) {
    size_t moved = 0;
    const size_t records = content.size() / RegularRecordSize;
    for (size_t index = 0; index < records; ++index) {
        char* record = &content[index * RegularRecordSize];
        TRegularEntry entry;
        DecodeRegularRecord(record, entry);
        std::string description = entry.Description;
        long long growth = 0;
        if (!RenameGroup(description, 0, description.size(), changes, &growth))
            continue;
        // The record's other bytes (date, interval, what follows the text) stay as they were.
        const std::string stored = RegularDescription("", description);
        const size_t oldLength = static_cast<unsigned char>(record[8]);
        std::memset(record + 9, 0, std::max(oldLength, stored.size()));
        record[8] = static_cast<char>(stored.size());
        std::memcpy(record + 9, stored.data(), stored.size());
        ++moved;
    }
    return moved;
}

size_t MoveRenamedReminders(const std::vector<TypeChange>& changes) {
    if (!AnyRenamed(changes))
        return 0;
    FileTransaction save;
    size_t moved = 0;
    for (const DayFileListing& day : ListDayFiles()) {
        const std::string path = DataDirectory() + "\\" + day.name;
        std::string content = ReadWholeFile(path);
        if (const size_t count = RenameTypesInDayFile(content, changes)) {
            moved += count;
            save.Replace(path, std::move(content));
        }
    }
    const std::string regular = RegularFileName();
    if (FileExists(regular)) {
        std::string content = ReadWholeFile(regular);
        if (const size_t count = RenameTypesInRegularFile(content, changes)) {
            moved += count;
            save.Replace(regular, std::move(content));
        }
    }
    if (moved)
        save.Commit();
    return moved;
}

std::string MovedRemindersMessage(size_t count) {
    return count == 1 ? "1 reminder was moved to its type's new name."
                      : std::to_string(count) + " reminders were moved to their types' new names.";
}
