// Moving stored reminders from a reminder type's old name to its new one, so that renaming a
// type in the options dialog keeps its reminders with it. The files are rewritten in one
// all-or-nothing save; only the name inside each reminder's type group changes, every other
// byte of a file stays as it was.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// One type of the table as it was before the edit, and what became of its row: its new name,
// or nothing when the row was removed (or left without a name).
struct TypeChange {
    std::string from;
    std::optional<std::string> to;
};

// The name a reminder stored with this type takes. The stored name belongs to the first type
// of the old table that it matches (letters A-Z folded), the same rule that gave it its
// colour; it moves when that type's row has a new name. Nothing when it stays as it is.
std::optional<std::string> RenamedType(const std::vector<TypeChange>& changes,
                                       const std::string& stored);
// Whether any type of the table was renamed.
bool AnyRenamed(const std::vector<TypeChange>& changes);

// Renames the type group of each line of a day file's content in place (the lines as the
// day file reader splits them; text after byte 26 is left alone). Returns how many moved.
size_t RenameTypesInDayFile(std::string& content, const std::vector<TypeChange>& changes);
// The same for the records of regular.dat; a partial record at the end is left alone. A
// description that grows past the record's 255 characters is cut at its end, as every
// regular reminder is.
size_t RenameTypesInRegularFile(std::string& content, const std::vector<TypeChange>& changes);

// Rewrites every day file of data\ and regular.dat whose reminders carry a renamed type, in
// one save: either all of them are moved or none (VelmoraError says why). Returns how many
// reminders were moved.
size_t MoveRenamedReminders(const std::vector<TypeChange>& changes);
// What the user is told after a move of count reminders.
std::string MovedRemindersMessage(size_t count);
