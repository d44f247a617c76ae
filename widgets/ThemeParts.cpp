// The theme library, bound by name at run time.
#include "ThemeParts.h"
#include "WinHandles.h"

namespace {
struct ThemeLibrary {
    using Open = HANDLE(WINAPI*)(HWND, LPCWSTR);
    using Close = HRESULT(WINAPI*)(HANDLE);
    using Draw = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*);
    HMODULE module = nullptr;
    bool tried = false;
    Open open = nullptr;
    Close close = nullptr;
    Draw draw = nullptr;
};
ThemeLibrary library;

} // namespace

bool DrawThemePart(HWND window, HDC dc, const wchar_t* themeClass, int part, int state,
                   const RECT& rect) {
    if (!library.tried) {
        library.tried = true;
        library.module = LoadLibraryA("uxtheme.dll");
        if (library.module) {
            library.open = BindExport<ThemeLibrary::Open>(library.module, "OpenThemeData");
            library.close = BindExport<ThemeLibrary::Close>(library.module, "CloseThemeData");
            library.draw = BindExport<ThemeLibrary::Draw>(library.module, "DrawThemeBackground");
        }
    }
    if (!library.open || !library.close || !library.draw)
        return false;
    // Without an active theme there is no theme data to open.
    HANDLE theme = library.open(window, themeClass);
    if (!theme)
        return false;
    const bool drawn = SUCCEEDED(library.draw(theme, dc, part, state, &rect, nullptr));
    library.close(theme);
    return drawn;
}

void ReleaseThemeLibrary() {
    if (library.module)
        FreeLibrary(library.module);
    library = ThemeLibrary();
}
