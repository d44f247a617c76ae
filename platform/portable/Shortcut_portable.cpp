// Portable stand-in for shell links: each special folder is a subfolder of a root the tests
// choose, and a "link" is a small text file naming its target, arguments and directory.
#include "FileSystem.h"
#include "PortableTestHooks.h"
#include "Shortcut.h"

namespace {
std::string specialFolderRoot = "./special/";
}

void SetPortableSpecialFolderRoot(const std::string& root) {
    specialFolderRoot = root;
}

// An empty root stands for a system without special folders.
std::string SpecialFolderPath(const std::string& token) {
    return specialFolderRoot.empty() ? "" : specialFolderRoot + token;
}

void CreateShortcut(const std::string& target, const std::string& arguments,
                    const std::string& workingDirectory, const std::string& location) {
    const std::string path = ResolveShortcutLocation(location);
    if (path.empty())
        throw ShortcutError(location);
    ForceDirectories(path.substr(0, path.find_last_of('\\')));
    try {
        ReplaceFileContent(path, "target=" + target + "\narguments=" + arguments +
                                     "\nworkingdirectory=" + workingDirectory + "\n");
    } catch (const VelmoraError&) {
        throw ShortcutError(location);
    }
}
