// Reading a module's resource tree from its file's bytes, every offset checked before use.
#include "ModuleResources.h"

#include "TextCase.h"

namespace {
// Far more entries than any module holds. Directories may be shared by many entries, so
// without a bound a small hostile file could make the walk visit the same ones endlessly.
const size_t maxEntriesWalked = size_t{1} << 16;
const uint32_t highBit = 0x80000000u;

// The file as the loader lays out a module mapped as data: headers, the section table and
// the section that holds the resource tree, all within the bytes.
class TreeReader {
  public:
    TreeReader(const unsigned char* file, size_t size) : file_(file), size_(size) {}

    bool Open() {
        if (!Fits(0, 64) || file_[0] != 'M' || file_[1] != 'Z')
            return false;
        const uint64_t header = U32(0x3C);
        if (!Fits(header, 24) || U32(header) != 0x00004550) // "PE\0\0"
            return false;
        sections_ = U16(header + 6);
        const uint64_t optional = header + 24;
        const uint64_t optionalSize = U16(header + 20);
        if (optionalSize < 2 || !Fits(optional, optionalSize))
            return false;
        uint64_t countAt = 0, directories = 0;
        switch (U16(optional)) {
        case 0x10B:
            countAt = 92, directories = 96;
            break; // 32-bit modules
        case 0x20B:
            countAt = 108, directories = 112;
            break; // 64-bit modules
        default:
            return false;
        }
        // The resource directory is the third of the data directories.
        if (optionalSize < directories + 3 * 8 || U32(optional + countAt) < 3)
            return false;
        const uint32_t rva = U32(optional + directories + 2 * 8);
        sectionTable_ = optional + optionalSize;
        if (rva == 0 || !Fits(sectionTable_, uint64_t{sections_} * 40))
            return false;
        for (size_t i = 0; i < sections_; ++i) {
            const uint64_t section = sectionTable_ + uint64_t{i} * 40;
            const uint32_t address = U32(section + 12), rawSize = U32(section + 16);
            if (rva < address || rva - address >= rawSize)
                continue;
            // The whole section must be there: a module cut short anywhere in it is refused.
            const uint64_t raw = U32(section + 20);
            if (!Fits(raw, rawSize))
                return false;
            root_ = raw + (rva - address);
            treeEnd_ = raw + rawSize;
            return true;
        }
        return false;
    }

    // The directory at offset from the root: where its entries begin and how many there are.
    bool Directory(uint64_t offset, uint64_t* entries, size_t* count) const {
        const uint64_t at = root_ + offset;
        if (!InTree(at, 16))
            return false;
        *count = size_t{U16(at + 12)} + U16(at + 14);
        *entries = at + 16;
        return InTree(*entries, uint64_t{*count} * 8);
    }
    uint32_t EntryName(uint64_t entries, size_t index) const { return U32(entries + index * 8); }
    uint32_t EntryTarget(uint64_t entries, size_t index) const {
        return U32(entries + index * 8 + 4);
    }

    // A name entry's string lies in the tree; with expected, also whether it is that name.
    bool Name(uint32_t field, const std::string* expected = nullptr) const {
        const uint64_t at = root_ + (field & ~highBit);
        if (!InTree(at, 2))
            return false;
        const size_t length = U16(at);
        if (!InTree(at + 2, uint64_t{length} * 2))
            return false;
        if (!expected)
            return true;
        if (expected->size() != length)
            return false;
        for (size_t i = 0; i < length; ++i) {
            const uint16_t unit = U16(at + 2 + i * 2);
            if (unit > 0x7F ||
                LowerCaseAscii(static_cast<char>(unit)) != LowerCaseAscii((*expected)[i]))
                return false;
        }
        return true;
    }

    // The file range of the resource whose data entry lies at offset from the root.
    bool Data(uint32_t offset, uint64_t* start, uint64_t* length) const {
        const uint64_t at = root_ + offset;
        if (!InTree(at, 16))
            return false;
        const uint32_t rva = U32(at), size = U32(at + 4);
        for (size_t i = 0; i < sections_; ++i) {
            const uint64_t section = sectionTable_ + uint64_t{i} * 40;
            const uint32_t address = U32(section + 12), rawSize = U32(section + 16);
            if (rva < address || rva - address >= rawSize || size > rawSize - (rva - address))
                continue;
            *start = uint64_t{U32(section + 20)} + (rva - address);
            *length = size;
            return Fits(*start, size);
        }
        return false;
    }

    std::string Bytes(uint64_t start, uint64_t length) const {
        return std::string(reinterpret_cast<const char*>(file_ + start), length);
    }

  private:
    bool Fits(uint64_t offset, uint64_t length) const {
        return offset <= size_ && length <= size_ - offset;
    }
    bool InTree(uint64_t offset, uint64_t length) const {
        return offset >= root_ && offset <= treeEnd_ && length <= treeEnd_ - offset;
    }
    uint16_t U16(uint64_t at) const {
        return static_cast<uint16_t>(file_[at] | file_[at + 1] << 8);
    }
    uint32_t U32(uint64_t at) const { return uint32_t{U16(at)} | uint32_t{U16(at + 2)} << 16; }

    const unsigned char* file_;
    uint64_t size_;
    uint64_t sectionTable_ = 0;
    size_t sections_ = 0;
    uint64_t root_ = 0, treeEnd_ = 0;
};

// Types, names and languages: a directory at each of the first two levels leads to one at
// the next, and the third leads to the resources themselves.
bool WalkDirectory(const TreeReader& reader, uint64_t offset, int level, size_t* budget) {
    uint64_t entries = 0;
    size_t count = 0;
    if (!reader.Directory(offset, &entries, &count) || count > *budget)
        return false;
    *budget -= count;
    for (size_t i = 0; i < count; ++i) {
        const uint32_t name = reader.EntryName(entries, i), target = reader.EntryTarget(entries, i);
        if ((name & highBit) && !reader.Name(name))
            return false;
        const bool directory = (target & highBit) != 0;
        if (directory != (level < 3))
            return false;
        uint64_t start = 0, length = 0;
        if (directory ? !WalkDirectory(reader, target & ~highBit, level + 1, budget)
                      : !reader.Data(target, &start, &length))
            return false;
    }
    return true;
}

// The directory that the entry of the directory at offset leads to, found by match.
template <typename Match>
bool FindBelow(const TreeReader& reader, uint64_t offset, Match match, uint64_t* below) {
    uint64_t entries = 0;
    size_t count = 0;
    if (!reader.Directory(offset, &entries, &count))
        return false;
    for (size_t i = 0; i < count; ++i) {
        const uint32_t target = reader.EntryTarget(entries, i);
        if ((target & highBit) && match(reader.EntryName(entries, i))) {
            *below = target & ~highBit;
            return true;
        }
    }
    return false;
}
} // namespace

bool ModuleResources::Sound() const {
    TreeReader reader(file_, size_);
    size_t budget = maxEntriesWalked;
    return reader.Open() && WalkDirectory(reader, 0, 1, &budget);
}

bool ModuleResources::FindNamed(uint16_t type, const std::string& name, std::string* data) const {
    TreeReader reader(file_, size_);
    uint64_t names = 0, languages = 0, entries = 0, start = 0, length = 0;
    size_t count = 0;
    if (!reader.Open() ||
        !FindBelow(
            reader, 0, [type](uint32_t id) { return id == type; }, &names) ||
        !FindBelow(
            reader, names,
            [&](uint32_t field) { return (field & highBit) && reader.Name(field, &name); },
            &languages) ||
        !reader.Directory(languages, &entries, &count) || count == 0)
        return false;
    const uint32_t target = reader.EntryTarget(entries, 0);
    if ((target & highBit) || !reader.Data(target, &start, &length))
        return false;
    *data = reader.Bytes(start, length);
    return true;
}
