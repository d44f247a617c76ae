// The two kinds of reminder file in data\: one text file per day with dated reminders
// ("yyyy-mm-dd.txt", CR LF lines) and regular.dat, fixed 272-byte records of recurring ones.
#pragma once
#include "FileSystem.h"
#include "FileTransaction.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum class TEntryInterval : uint8_t { None = 0, Weekly, Fortnightly, Monthly, Quarterly, Yearly };

// The names the editor shows, in value order; a stored interval of EntryIntervalCount or more
// is no interval.
const int EntryIntervalCount = 6;
extern const char* const EntryIntervalNames[EntryIntervalCount];

struct TCalendarEntry {
    std::string Description;
    std::string ReminderType; // empty for none
};

struct TRegularEntry {
    double StartDate = 0; // while queried: the current occurrence
    std::string Description; // type group in front, at most 255 characters
    uint8_t Interval = 0;    // a TEntryInterval value as stored; readers may meet larger ones
    int AnchorDay = 0;       // the start date's day of month, aimed at by calendar steps
};

const size_t RegularRecordSize = 272;

std::string DataDirectory();
std::string RegularFileName();
std::string DayFileName(double date);
bool DayHasEntries(double date);

// The lines of a day file's content: a line ends at CR (a LF right after it is skipped),
// a LF alone belongs to the line, byte 26 ends the text.
std::vector<std::string> SplitDayFileLines(const std::string& content);
std::vector<std::string> ReadDayFile(double date);

// One line of a day file held in a bounded form while the file is read, so that a line of
// any length costs no more than the queries can show of it: its first keep characters, and,
// when its first "{" comes before its first "}", the type name (at most 255 characters, as
// much as a lookup uses) and the first keep characters after that "}".
class BoundedDayFileLine {
  public:
    explicit BoundedDayFileLine(size_t keep);
    void Append(const char* data, size_t size);
    void Clear();
    const std::string& Start() const { return start_; }
    // A line of at most 2 * keep + 257 characters whose markup begins with the same keep
    // characters as the markup of the whole line: same type, same colour, same text.
    std::string MarkUpEquivalent() const;

  private:
    size_t keep_;
    size_t length_ = 0;
    std::string start_;
    size_t open_, close_; // the first "{" and the first "}" of the line, npos until met
    std::string name_;
    std::string afterClose_;
};
// Reads the day file at path piece by piece and hands each of its lines, in the bounded
// form, to take, following the same line rules as SplitDayFileLines. Fails as ReadWholeFile.
void ReadDayFileLines(const std::string& path, BoundedDayFileLine& line,
                      const std::function<void(const BoundedDayFileLine& line)>& take);
// Hands each line of the day file at path to take, whole, as the file is read piece by piece,
// following the same line rules as SplitDayFileLines; take may move the line's text away.
// Fails as ReadWholeFile.
void ReadDayFileWholeLines(const std::string& path, const std::function<void(std::string& line)>& take);
// The line a dated reminder is stored as: "{type}description" or the description alone.
std::string DayFileLine(const TCalendarEntry& entry);
// Splits a stored line into type and description at its first "{" and first "}".
TCalendarEntry ParseDayFileLine(const std::string& line);
void WriteDayFile(double date, const std::vector<TCalendarEntry>& entries);
// The day file as part of a save of several files: replaced by the entries, or deleted when
// there are none.
void AddDayFileToSave(FileTransaction& save, double date, const std::vector<TCalendarEntry>& entries);

// Builds a stored description: text cut to 255, type group in front, cut to 255 again.
std::string RegularDescription(const std::string& reminderType, const std::string& text);
std::string EncodeRegularRecords(const std::vector<TRegularEntry>& entries);
// Decodes whole records; a trailing part shorter than a record raises VelmoraError after
// the whole records were put into entries.
void DecodeRegularRecords(const std::string& content, std::vector<TRegularEntry>& entries);
// Decodes one whole record into entry, reusing the room its description already has.
void DecodeRegularRecord(const char* record, TRegularEntry& entry);
// The error text of a regular.dat that ends with partBytes of a record.
std::string PartRecordMessage(size_t partBytes);
// Hands each whole record of the file to take as the file is read, without holding all of
// it, and returns the number of bytes of a part record at its end (0 for a sound file).
// A failing read raises VelmoraError as ReadWholeFile does, whatever take was given before.
// A template, so that the step for each record is not a call through a function object.
template <typename Take> size_t ReadRegularRecords(const std::string& path, Take take);
std::vector<TRegularEntry> ReadRegularFile();
void WriteRegularFile(const std::vector<TRegularEntry>& entries);
void AddRegularFileToSave(FileTransaction& save, const std::vector<TRegularEntry>& entries);

struct DayFileListing {
    double date;
    std::string name;
};
// The date a day-file name stands for, read from its fixed positions; false for a name that
// is not a day file (a part that is not a positive number, or no such date).
bool DateFromDayFileName(const std::string& name, double* date);
// The day files of data\, in the order the directory search gives them.
std::vector<DayFileListing> ListDayFiles();

template <typename Take> size_t ReadRegularRecords(const std::string& path, Take take) {
    std::string part; // a record begun at the end of one piece and ended in the next
    part.reserve(RegularRecordSize);
    ReadFilePieces(path, [&](const char* data, size_t size) {
        if (!part.empty()) {
            const size_t used = RegularRecordSize - part.size() < size ? RegularRecordSize - part.size() : size;
            part.append(data, used);
            data += used;
            size -= used;
            if (part.size() < RegularRecordSize) return;
            take(part.data());
            part.clear();
        }
        for (; size >= RegularRecordSize; data += RegularRecordSize, size -= RegularRecordSize) take(data);
        part.assign(data, size);
    });
    return part.size();
}
