// The resources of a Windows module read from its file's bytes, as they lie on disk. A
// language module is whatever file the user put beside the library: nothing in it is taken on
// trust, and every header, directory, name and data range is checked against the bytes there
// are before it is read, so a module cut short or damaged anywhere is refused, never read past.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// The type of the resources that hold form descriptions.
const uint16_t DataResourceType = 10;

class ModuleResources {
  public:
    // The bytes stay the caller's and must outlive this reader.
    ModuleResources(const unsigned char* file, size_t size) : file_(file), size_(size) {}

    // True when the file holds a resource tree that can be read whole: the headers and the
    // section that holds the tree lie in the file, and so does every directory, entry, name
    // and resource of it, three levels deep (type, name, language) as modules have them.
    bool Sound() const;

    // The bytes of the resource of that type named name (compared without regard to the case
    // of A to Z), in the first language the module gives it; false, with data untouched,
    // when there is none or it does not lie whole in the file.
    bool FindNamed(uint16_t type, const std::string& name, std::string* data) const;

  private:
    const unsigned char* file_;
    size_t size_;
};
