// Writes a heavy store into a folder: generate_store <folder> [scale].
#include "HeavyStore.h"
#include "PortableTestHooks.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s <folder> [scale]\n", argv[0]);
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '/')
        folder += '/';
    const int scale = argc == 3 ? std::atoi(argv[2]) : 1;
    if (scale < 1) {
        std::fprintf(stderr, "scale must be a positive whole number\n");
        return 2;
    }
    SetPortableProgramDirectory(folder);
    try {
        const HeavyStoreSummary summary = GenerateHeavyStore(HeavyStoreAtScale(scale));
        std::printf(
            "%s: %zu day files, %zu dated reminders, %zu regular reminders, %zu reminder types\n",
            folder.c_str(), summary.dayFiles, summary.datedReminders, summary.regularReminders,
            summary.reminderTypes);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "cannot write the store: %s\n", error.what());
        return 1;
    }
    return 0;
}
