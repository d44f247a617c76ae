// The system services of the options dialog and the about box.
#include "DialogServices.h"

#include "Canvas.h"
#include "WindowProcedure.h"

#include <commdlg.h>

#include <algorithm>
#include <cctype>

namespace {
int CALLBACK CollectFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM target) {
    // A failure ends the enumeration with the families found so far.
    return RunGuarded([&] {
        auto* families = reinterpret_cast<std::vector<std::string>*>(target);
        const std::string name = font->lfFaceName;
        if (name.empty() || name[0] == '@')
            return;
        auto sameName = [&name](const std::string& other) {
            return lstrcmpiA(other.c_str(), name.c_str()) == 0;
        };
        if (std::none_of(families->begin(), families->end(), sameName))
            families->push_back(name);
    });
}

BOOL CALLBACK TakeFirstIcon(HMODULE, LPCSTR, LPSTR name, LONG_PTR target) {
    // The first is all that is wanted: the enumeration ends here, taken or failed.
    RunGuarded([&] {
        auto* found = reinterpret_cast<std::string*>(target);
        // A numbered resource is kept as "#number", which the loaders read back as the number.
        *found = IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name))
                                      : std::string(name);
    });
    return FALSE;
}
} // namespace

std::vector<std::string> InstalledFontFamilies() {
    std::vector<std::string> families;
    WindowDC screen(nullptr);
    LOGFONTA wanted = {};
    wanted.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(screen.Get(), &wanted, CollectFamily, reinterpret_cast<LPARAM>(&families),
                        0);
    return families;
}

std::optional<int32_t> ChooseColourWithDialog(HWND owner, int32_t initial) {
    static COLORREF customColours[16] = {};
    CHOOSECOLORA choose = {};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner;
    // The chooser holds plain colours only: it opens on the one the swatch shows, so a system
    // colour starts as the system draws it now and -1 as white.
    choose.rgbResult = ToColorRef(initial);
    choose.lpCustColors = customColours;
    choose.Flags = CC_RGBINIT;
    if (!ChooseColorA(&choose))
        return std::nullopt;
    return static_cast<int32_t>(choose.rgbResult);
}

std::optional<std::string> ChooseCalendarFileWithDialog(HWND owner, const std::string& initial) {
    char buffer[4 * MAX_PATH] = "";
    // A stored name the dialog cannot start from (a folder that is gone, a name it rejects)
    // must not keep the user from choosing another: the second try starts empty.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const std::string start = attempt == 0 && initial.size() < sizeof buffer ? initial : "";
        std::copy(start.begin(), start.end(), buffer);
        buffer[start.size()] = '\0';
        OPENFILENAMEA dialog = {};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = owner;
        dialog.lpstrFilter = "Calendar files (*.ics)\0*.ics\0All files (*.*)\0*.*\0";
        dialog.lpstrFile = buffer;
        dialog.nMaxFile = sizeof buffer;
        dialog.lpstrDefExt = "ics";
        dialog.lpstrTitle = "Subscribed Calendar";
        dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
        if (GetOpenFileNameA(&dialog))
            return std::string(buffer);
        if (CommDlgExtendedError() == 0 || start.empty())
            return std::nullopt;
    }
    return std::nullopt;
}

IconHandle LoadProgramIcon(int size) {
    HMODULE program = GetModuleHandleA(nullptr);
    std::string name;
    EnumResourceNamesA(program, RT_GROUP_ICON, TakeFirstIcon, reinterpret_cast<LONG_PTR>(&name));
    if (name.empty())
        return IconHandle();
    const char* resource =
        name[0] == '#' ? MAKEINTRESOURCEA(std::stoi(name.substr(1))) : name.c_str();
    return IconHandle(static_cast<HICON>(LoadImageA(program, resource, IMAGE_ICON, size, size, 0)));
}
