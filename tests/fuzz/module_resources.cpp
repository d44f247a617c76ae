// A language module's file of any bytes, as a user's disk may hold it cut short or damaged:
// the reader of its resource tree decides whether it can be read whole and finds the dialogs'
// descriptions without reading outside the bytes or walking endlessly. A part of the file cut
// from its start that is read whole finds exactly what the whole file finds there: a reader
// that looked past the end it was given, or that took its offsets from the file's length,
// would differ.
#include "FuzzSupport.h"
#include "ModuleResources.h"

#include <memory>
#include <string>

namespace {
const char* const dialogs[] = {"TAboutBox", "TCalendarEntriesForm", "TOptionsForm", "toptionsform"};

struct Found {
    bool sound = false;
    bool found[4] = {};
    std::string texts[4];
};

// Read from a buffer of exactly the bytes, so the sanitizer sees any read past them.
Found Read(const uint8_t* data, size_t size) {
    std::unique_ptr<unsigned char[]> exact(new unsigned char[size ? size : 1]);
    std::copy(data, data + size, exact.get());
    const ModuleResources resources(exact.get(), size);
    Found found;
    found.sound = resources.Sound();
    for (int i = 0; i < 4; ++i)
        found.found[i] = resources.FindNamed(DataResourceType, dialogs[i], &found.texts[i]);
    if (found.found[2] != found.found[3] || found.texts[2] != found.texts[3])
        FuzzFailure("a name is found differently in another case");
    return found;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Found whole = Read(data, size);
    for (const size_t cut : {size - size / 8, size / 2, size - 1}) {
        if (cut >= size)
            continue;
        const Found part = Read(data, cut);
        if (!part.sound)
            continue;
        for (int i = 0; i < 4; ++i)
            if (part.found[i] && (!whole.found[i] || part.texts[i] != whole.texts[i]))
                FuzzFailure(std::string("the start of a module finds ") + dialogs[i] +
                            " where the whole module does not");
    }
    return 0;
}
