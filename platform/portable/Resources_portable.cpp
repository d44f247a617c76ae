// Portable side of the form-description lookup: a file named like the resource, in the folder
// the tests set (none set: no descriptions at all).
#include "PortableTestHooks.h"
#include "Resources.h"

#include <fstream>
#include <iterator>

namespace {
std::string formFolder;
} // namespace

void SetPortableFormFolder(const std::string& folderWithTrailingSlash) {
    formFolder = folderWithTrailingSlash;
}

bool FindFormDescription(const std::string& className, std::string* description) {
    if (formFolder.empty())
        return false;
    std::ifstream in(NativePath(formFolder + FormResourceName(className)), std::ios::binary);
    if (!in)
        return false;
    description->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}
