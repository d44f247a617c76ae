// The version reader over version.dll.
#include "info.h"

#include <windows.h>

#include <vector>

void TEPInfoExe::Read() {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(ExeName.c_str(), &ignored);
    if (size == 0)
        return;
    std::vector<char> block(size, 0);
    if (!GetFileVersionInfoA(ExeName.c_str(), 0, size, block.data()))
        return;
    const struct {
        const char* name;
        std::string* value;
    } values[] = {{"CompanyName", &CompanyName},           {"FileDescription", &FileDescription},
                  {"FileVersion", &FileVersion},           {"InternalName", &InternalName},
                  {"LegalCopyright", &LegalCopyright},     {"LegalTradeMarks", &LegalTradeMarks},
                  {"OriginalFilename", &OriginalFilename}, {"ProductName", &ProductName},
                  {"ProductVersion", &ProductVersion},     {"Comments", &Comments}};
    const std::string prefix = "StringFileInfo\\" + LangId + "04E4\\";
    for (const auto& entry : values) {
        void* text = nullptr;
        UINT length = 0;
        const std::string path = prefix + entry.name;
        // The block is ours and zeroed, so a found text ends within it; length counts the
        // terminating zero on some systems and not on others, so the text is taken up to it.
        if (VerQueryValueA(block.data(), path.c_str(), &text, &length) && text && length > 0)
            *entry.value = std::string(static_cast<const char*>(text),
                                       strnlen(static_cast<const char*>(text), length));
        else
            entry.value->clear();
    }
}
