// Windows side of shell links: special folders through the shell, links through the shell
// link object and its IShellLinkA and IPersistFile interfaces. The shell and COM libraries
// are bound only while a shortcut is handled: the window loads TOOLS.DLL for every query,
// and loading them each time would cost more than the query.
#include "Errors.h"
#include "Shortcut.h"
#include "WinHandles.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

// The shared token table holds the shell's numbers; two spot checks tie them to its names.
static_assert(CSIDL_STARTUP == 0x07 && CSIDL_COMMON_ALTSTARTUP == 0x1E, "folder numbers");

namespace {
// The shell and COM functions this file needs, bound by name for the lifetime of the object.
class ShellLibraries {
  public:
    ShellLibraries() : ole32_(LoadLibraryA("ole32.dll")), shell32_(LoadLibraryA("shell32.dll")) {
        Bind(ole32_, "CoInitialize", coInitialize);
        Bind(ole32_, "CoUninitialize", coUninitialize);
        Bind(ole32_, "CoCreateInstance", coCreateInstance);
        Bind(ole32_, "CoTaskMemFree", coTaskMemFree);
        Bind(shell32_, "SHGetSpecialFolderLocation", getSpecialFolderLocation);
        Bind(shell32_, "SHGetPathFromIDListA", getPathFromIdList);
    }
    bool Complete() const {
        return coInitialize && coUninitialize && coCreateInstance && coTaskMemFree && getSpecialFolderLocation &&
               getPathFromIdList;
    }

    HRESULT(WINAPI* coInitialize)(LPVOID) = nullptr;
    void(WINAPI* coUninitialize)() = nullptr;
    HRESULT(WINAPI* coCreateInstance)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*) = nullptr;
    void(WINAPI* coTaskMemFree)(LPVOID) = nullptr;
    HRESULT(WINAPI* getSpecialFolderLocation)(HWND, int, LPITEMIDLIST*) = nullptr;
    BOOL(WINAPI* getPathFromIdList)(LPCITEMIDLIST, LPSTR) = nullptr;

  private:
    template <typename Function> static void Bind(const ModuleHandle& module, const char* name, Function& target) {
        target = BindExport<Function>(module, name);
    }
    ModuleHandle ole32_;
    ModuleHandle shell32_;
};

// COM for the current thread while a link is made. Only a successful initialisation (S_OK or
// S_FALSE) is balanced by an uninitialisation; a thread already in another apartment mode
// can still create the link object, and must not lose its own COM.
class ComApartment {
  public:
    explicit ComApartment(const ShellLibraries& shell)
        : shell_(shell), initialised_(SUCCEEDED(shell_.coInitialize(nullptr))) {}
    ~ComApartment() {
        if (initialised_) shell_.coUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    const ShellLibraries& shell_;
    bool initialised_;
};
} // namespace

std::string SpecialFolderPath(const std::string& token) {
    const int folderId = SpecialFolderId(token);
    if (folderId < 0) return "";
    const ShellLibraries shell;
    if (!shell.Complete()) return "";
    LPITEMIDLIST list = nullptr;
    if (FAILED(shell.getSpecialFolderLocation(nullptr, folderId, &list)) || !list) return "";
    char path[MAX_PATH] = "";
    BOOL found = shell.getPathFromIdList(list, path);
    shell.coTaskMemFree(list);
    return found ? std::string(path) : std::string();
}

void CreateShortcut(const std::string& target, const std::string& arguments,
                    const std::string& workingDirectory, const std::string& location) {
    const std::string path = ResolveShortcutLocation(location);
    if (path.empty()) throw ShortcutError(location);
    const ShellLibraries shell;
    if (!shell.Complete()) throw ShortcutError(location);
    ComApartment apartment(shell);
    ComPtr<IShellLinkA> link;
    if (FAILED(shell.coCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                      link.ReceiveVoid())))
        throw ShortcutError(location);
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid()))) throw ShortcutError(location);
    link->SetArguments(arguments.c_str());
    link->SetDescription("");
    link->SetIconLocation(target.c_str(), 0);
    link->SetPath(target.c_str());
    link->SetWorkingDirectory(workingDirectory.c_str());
    link->SetShowCmd(SW_SHOWNORMAL);

    // The folder may be missing in a fresh profile; whether it could be made shows in the save.
    CreateDirectoryA(path.substr(0, path.find_last_of('\\')).c_str(), nullptr);
    const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (length <= 0) throw ShortcutError(location);
    std::wstring widePath(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &widePath[0], length);
    if (FAILED(file->Save(widePath.c_str(), FALSE))) throw ShortcutError(location);
}
