// Reading and writing the day files and regular.dat, byte for byte in their stored formats.
#include "ReminderFiles.h"
#include "DatePattern.h"
#include "DateUtils.h"
#include "Errors.h"
#include "EventTypeUnit.h"
#include "FileSystem.h"
#include "ProgramDirectory.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

const char* const EntryIntervalNames[EntryIntervalCount] = {"None",  "Week",    "Fortnight",
                                                            "Month", "Quarter", "Year"};

namespace {
const size_t maxDescription = 255;

std::string TwoDigits(int value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return buffer;
}

// A fixed-position part of a day-file name as a whole number; 0 for anything else.
long NamePart(const std::string& name, size_t first, size_t count) {
    if (name.size() < first + count) return 0;
    long value = 0;
    size_t i = first;
    bool negative = false;
    if (name[i] == '-' || name[i] == '+') {
        negative = name[i] == '-';
        ++i;
    }
    if (i == first + count) return 0;
    for (; i < first + count; ++i) {
        if (name[i] < '0' || name[i] > '9') return 0;
        value = value * 10 + (name[i] - '0');
    }
    return negative ? -value : value;
}
std::string DayFileContent(const std::vector<TCalendarEntry>& entries) {
    size_t size = 0;
    for (const TCalendarEntry& entry : entries) size += entry.Description.size() + entry.ReminderType.size() + 4;
    std::string content;
    content.reserve(size);
    for (const TCalendarEntry& entry : entries) {
        if (!entry.ReminderType.empty()) content += "{" + entry.ReminderType + "}";
        content += entry.Description;
        content += "\r\n";
    }
    return content;
}
} // namespace

std::string DataDirectory() { return ProgramDirectory() + "data"; }
std::string RegularFileName() { return ProgramDirectory() + "data\\regular.dat"; }

std::string DayFileName(double date) {
    int year, month, day;
    DecodeDate(date, &year, &month, &day);
    char name[32];
    std::snprintf(name, sizeof name, "%04d-%s-%s.txt", year, TwoDigits(month).c_str(), TwoDigits(day).c_str());
    return ProgramDirectory() + "data\\" + name;
}

bool DayHasEntries(double date) { return FileExists(DayFileName(date)); }

std::vector<std::string> SplitDayFileLines(const std::string& content) {
    std::vector<std::string> lines;
    size_t end = content.find('\x1A');
    if (end == std::string::npos) end = content.size();
    size_t start = 0;
    while (start < end) {
        size_t cr = content.find('\r', start);
        if (cr == std::string::npos || cr >= end) {
            lines.push_back(content.substr(start, end - start));
            break;
        }
        lines.push_back(content.substr(start, cr - start));
        start = cr + 1;
        if (start < end && content[start] == '\n') ++start;
    }
    return lines;
}

std::vector<std::string> ReadDayFile(double date) {
    const std::string path = DayFileName(date);
    if (!FileExists(path)) return {};
    return SplitDayFileLines(ReadWholeFile(path));
}

BoundedDayFileLine::BoundedDayFileLine(size_t keep) : keep_(keep) { Clear(); }

void BoundedDayFileLine::Clear() {
    length_ = 0;
    start_.clear();
    open_ = close_ = std::string::npos;
    name_.clear();
    afterClose_.clear();
}

void BoundedDayFileLine::Append(const char* data, size_t size) {
    const size_t offset = length_;
    length_ += size;
    if (start_.size() < keep_) start_.append(data, std::min(size, keep_ - start_.size()));
    size_t i = 0;
    if (close_ == std::string::npos) {
        if (open_ == std::string::npos) {
            const void* open = std::memchr(data, '{', size);
            const size_t openAt = open ? static_cast<const char*>(open) - data : size;
            const void* close = std::memchr(data, '}', openAt);
            if (close) {
                close_ = offset + (static_cast<const char*>(close) - data); // "}" first: no type
                return;
            }
            if (!open) return;
            open_ = offset + openAt;
            i = openAt + 1;
        }
        const void* close = std::memchr(data + i, '}', size - i);
        const size_t nameEnd = close ? static_cast<const char*>(close) - data : size;
        if (name_.size() < maxDescription)
            name_.append(data + i, std::min(nameEnd - i, maxDescription - name_.size()));
        if (!close) return;
        close_ = offset + nameEnd;
        i = nameEnd + 1;
    } else if (open_ == std::string::npos || close_ < open_) {
        return;
    }
    if (afterClose_.size() < keep_) afterClose_.append(data + i, std::min(size - i, keep_ - afterClose_.size()));
}

std::string BoundedDayFileLine::MarkUpEquivalent() const {
    if (open_ == std::string::npos || close_ == std::string::npos || close_ < open_) return start_;
    std::string line = start_.substr(0, std::min(open_, keep_));
    line += '{';
    line += name_;
    line += '}';
    line += afterClose_;
    return line;
}

namespace {
// The one reading of a day file's lines, piece by piece: a line ends at CR or CR LF (also when
// the LF opens the next piece), and byte 26 ends the text. append takes each run of a line's
// characters, endLine closes the line.
template <typename Append, typename EndLine>
void SplitDayFileLines(const std::string& path, Append append, EndLine endLine) {
    bool ended = false;    // byte 26 was met
    bool afterCr = false;  // the last piece ended with a CR, whose LF may open the next
    bool lineOpen = false; // characters of a line not yet handed over
    ReadFilePieces(path, [&](const char* data, size_t size) {
        if (ended) return;
        size_t i = 0;
        if (afterCr && size > 0 && data[0] == '\n') i = 1;
        afterCr = false;
        const void* endOfText = std::memchr(data + i, 26, size - i);
        const size_t end = endOfText ? static_cast<const char*>(endOfText) - data : size;
        while (i < end) {
            const void* cr = std::memchr(data + i, '\r', end - i);
            if (!cr) {
                append(data + i, end - i);
                lineOpen = true;
                break;
            }
            const size_t at = static_cast<const char*>(cr) - data;
            append(data + i, at - i);
            endLine();
            lineOpen = false;
            i = at + 1;
            if (i < end) {
                if (data[i] == '\n') ++i;
            } else if (i == size) {
                afterCr = true;
            }
        }
        if (endOfText) ended = true;
    });
    if (lineOpen) endLine();
}
} // namespace

void ReadDayFileLines(const std::string& path, BoundedDayFileLine& line,
                      const std::function<void(const BoundedDayFileLine& line)>& take) {
    line.Clear();
    SplitDayFileLines(
        path, [&](const char* data, size_t size) { line.Append(data, size); },
        [&] {
            take(line);
            line.Clear();
        });
}

void ReadDayFileWholeLines(const std::string& path, const std::function<void(std::string& line)>& take) {
    std::string line;
    SplitDayFileLines(
        path, [&](const char* data, size_t size) { line.append(data, size); },
        [&] {
            take(line);
            line.clear();
        });
}

std::string DayFileLine(const TCalendarEntry& entry) {
    if (entry.ReminderType.empty()) return entry.Description;
    return "{" + entry.ReminderType + "}" + entry.Description;
}

TCalendarEntry ParseDayFileLine(const std::string& line) {
    size_t open, close;
    if (!FindFirstBraceGroup(line, &open, &close)) return {line, ""};
    std::string description = line;
    description.erase(open, close - open + 1);
    return {description, line.substr(open + 1, close - open - 1)};
}

void WriteDayFile(double date, const std::vector<TCalendarEntry>& entries) {
    ForceDirectories(DataDirectory());
    const std::string path = DayFileName(date);
    if (entries.empty()) {
        DeleteFileIfPresent(path);
        return;
    }
    ReplaceFileContent(path, DayFileContent(entries));
}

void AddDayFileToSave(FileTransaction& save, double date, const std::vector<TCalendarEntry>& entries) {
    ForceDirectories(DataDirectory());
    if (entries.empty())
        save.Delete(DayFileName(date));
    else
        save.Replace(DayFileName(date), DayFileContent(entries));
}

std::string RegularDescription(const std::string& reminderType, const std::string& text) {
    std::string description = text.substr(0, maxDescription);
    if (!reminderType.empty()) description = "{" + reminderType + "}" + description;
    return description.substr(0, maxDescription);
}

std::string EncodeRegularRecords(const std::vector<TRegularEntry>& entries) {
    std::string content(entries.size() * RegularRecordSize, '\0');
    for (size_t i = 0; i < entries.size(); ++i) {
        char* record = &content[i * RegularRecordSize];
        const double start = std::floor(entries[i].StartDate);
        unsigned char bytes[8];
        std::memcpy(bytes, &start, 8); // the targets are little-endian, as the format is
        std::memcpy(record, bytes, 8);
        const std::string description = entries[i].Description.substr(0, maxDescription);
        record[8] = static_cast<char>(description.size());
        std::memcpy(record + 9, description.data(), description.size());
        record[264] = static_cast<char>(entries[i].Interval);
    }
    return content;
}

void DecodeRegularRecord(const char* record, TRegularEntry& entry) {
    std::memcpy(&entry.StartDate, record, 8);
    const size_t length = static_cast<unsigned char>(record[8]);
    entry.Description.assign(record + 9, length);
    entry.Interval = static_cast<uint8_t>(record[264]);
    entry.AnchorDay = DayOfMonth(entry.StartDate);
}

std::string PartRecordMessage(size_t partBytes) {
    return "Read beyond end of file: \"" + RegularFileName() + "\" ends with a part of " +
           std::to_string(partBytes) + " bytes, not a whole record";
}

void DecodeRegularRecords(const std::string& content, std::vector<TRegularEntry>& entries) {
    const size_t count = content.size() / RegularRecordSize;
    entries.clear();
    entries.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        TRegularEntry entry;
        DecodeRegularRecord(content.data() + i * RegularRecordSize, entry);
        entries.push_back(entry);
    }
    if (content.size() % RegularRecordSize != 0)
        throw VelmoraError(PartRecordMessage(content.size() % RegularRecordSize));
}

std::vector<TRegularEntry> ReadRegularFile() {
    std::vector<TRegularEntry> entries;
    const std::string path = RegularFileName();
    if (!FileExists(path)) return entries;
    DecodeRegularRecords(ReadWholeFile(path), entries);
    return entries;
}

void WriteRegularFile(const std::vector<TRegularEntry>& entries) {
    ForceDirectories(DataDirectory());
    const std::string path = RegularFileName();
    if (entries.empty()) {
        DeleteFileIfPresent(path);
        return;
    }
    ReplaceFileContent(path, EncodeRegularRecords(entries));
}

void AddRegularFileToSave(FileTransaction& save, const std::vector<TRegularEntry>& entries) {
    ForceDirectories(DataDirectory());
    if (entries.empty())
        save.Delete(RegularFileName());
    else
        save.Replace(RegularFileName(), EncodeRegularRecords(entries));
}

bool DateFromDayFileName(const std::string& name, double* date) {
    const long year = NamePart(name, 0, 4);
    const long month = NamePart(name, 5, 2);
    const long day = NamePart(name, 8, 2);
    if (year <= 0 || month <= 0 || day <= 0) return false;
    if (!IsValidDate(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day))) return false;
    *date = EncodeDate(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day));
    return true;
}

std::vector<DayFileListing> ListDayFiles() {
    std::vector<DayFileListing> listing;
    for (const std::string& name : ListFileNames(DataDirectory(), ".txt")) {
        double date;
        if (DateFromDayFileName(name, &date)) listing.push_back({date, name});
    }
    return listing;
}
