// Access to Windows profile (.ini) files: sections, keys and values, as the system's
// profile API reads and writes them. Paths use backslashes; the portable side maps them.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

// The value of key in section, or defaultValue when the file, section or key is missing.
// A value longer than bufferSize - 1 characters is cut to that length.
std::string ProfileReadString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& defaultValue,
                              std::size_t bufferSize = 4096);
// A value as a key read gives it: one pair of matching quotes (" or ') around the whole
// value is taken off, as the system's profile API does.
std::string ProfileValueWithoutQuotes(const std::string& value);
// Writes key=value into section, creating the file and section when needed.
// A key that exists keeps its place; a new key goes to the end of its section.
// False when the file could not be written (a read-only file, a folder that cannot be written).
bool ProfileWriteString(const std::string& path, const std::string& section,
                        const std::string& key, const std::string& value);
// Removes the whole section with its keys; false when the file could not be written.
bool ProfileEraseSection(const std::string& path, const std::string& section);
// The section's "key=value" lines in file order, comments left out.
std::vector<std::string> ProfileReadSection(const std::string& path, const std::string& section);

// A section's whole content for ProfileReplaceSections: its "key=value" lines in order.
struct ProfileSectionLines {
    std::string name;
    std::vector<std::string> lines;
};
// What reading a profile file found.
enum class ProfileFileRead {
    Read,      // the whole content was read
    Missing,   // there is no such file: the caller's defaults hold
    Unreadable // the file is there but could not be read; it must never be taken for empty
};
// Reads the whole file. A file that another program holds open without sharing or has locked
// is tried again for up to waitMilliseconds, as such holds are mostly short (a backup or sync
// tool, an editor saving); then reason gets the system's account of why it could not be read.
ProfileFileRead ReadProfileFile(const std::string& path, int waitMilliseconds, std::string* content,
                                std::string* reason);

// The file content with these sections put in, as ProfileReplaceSections stores it. Every line
// of every other section comes through byte for byte.
std::string ProfileTextWithSections(const std::string& content, const std::vector<ProfileSectionLines>& sections);

// Puts these sections into the file in one step that is all or nothing. Every section of each
// name goes (a file edited by hand may hold one twice, and only the first would be read), and
// its lines, when there are any, become the one section of that name, in the place of the old
// one when there was exactly one. Lines without "=" are left out. Other sections are kept.
// The whole new file is built in memory, written beside the old one, checked and moved over
// it, so a failure, raised as VelmoraError naming the file, leaves the previous file whole. A
// file that is there but cannot be read (after waitMilliseconds, as above) is never replaced:
// that raises UnreadableFileError.
void ProfileReplaceSections(const std::string& path, const std::vector<ProfileSectionLines>& sections,
                            int waitMilliseconds = 0);

// One section read in a single call, then looked up key by key as ProfileReadString would
// (first key that matches without regard to case, one pair of surrounding quotes dropped,
// the value cut to bufferSize - 1). Reading many keys this way opens the file once.
class ProfileFileSections;

class ProfileSection {
  public:
    ProfileSection(const std::string& path, const std::string& section);
    ProfileSection(const ProfileFileSections& file, const std::string& section);
    std::string Read(const std::string& key, const std::string& defaultValue,
                     std::size_t bufferSize = 4096) const;

  private:
    std::vector<std::string> lines_;
};

// Several sections of one file for readers that need more than one. Each call of the profile
// API opens the file again, and an open is the dearest part of a read, so a file in the plain
// form the API itself writes (printable ASCII, "[name]" headers, "key=value" lines with no
// spaces around the names and values, no comments, no section twice) is read once, on the
// first request, and split here. Any other file, and a file that cannot be read, is left to
// ProfileReadSection section by section: what is listed is always what it would list.
//
// A file that is there but cannot be read (after waitMilliseconds, as ReadProfileFile) lists
// nothing: Section raises UnreadableFileError, so that no reader takes it for an empty file.
class ProfileFileSections {
  public:
    explicit ProfileFileSections(const std::string& path, int waitMilliseconds = 0);
    std::vector<std::string> Section(const std::string& section) const;
    const std::string& Path() const { return path_; }
    // Whether the file was there and read whole (read on the first request, as by Section):
    // then it is a file that exists, and a reader need not ask the file system again.
    bool ReadWhole() const;

  private:
    void Read() const;

    std::string path_;
    int waitMilliseconds_;
    mutable bool read_ = false;
    mutable bool readWhole_ = false;
    mutable std::string unreadable_; // why the file could not be read; empty when it could
    mutable bool plain_ = false;
    mutable std::string content_;
};

// Whether content is in the plain form above, in which every reader of profile files agrees
// on what each section lists.
bool IsPlainProfileText(const std::string& content);
// The lines section lists in content of the plain form.
std::vector<std::string> PlainProfileSection(const std::string& content, const std::string& section);
