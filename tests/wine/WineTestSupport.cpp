// Helpers for the Windows test programs.
#include "WineTestSupport.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {
std::vector<std::string> boxTexts;

BOOL CALLBACK CollectStaticText(HWND child, LPARAM target) {
    char className[32] = "";
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0) {
        char text[4096] = "";
        GetWindowTextA(child, text, sizeof text);
        *reinterpret_cast<std::string*>(target) += text;
    }
    return TRUE;
}

// The message of a box: the text of its static controls (the icon's is empty).
std::string BoxText(HWND box) {
    std::string text;
    EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}

HWND pendingBox = nullptr;

void CALLBACK ReadAndDismissBox(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (!pendingBox)
        return;
    boxTexts.push_back(BoxText(pendingBox));
    PostMessageA(pendingBox, WM_COMMAND, IDOK, 0);
    pendingBox = nullptr;
}

LRESULT CALLBACK WatchBoxes(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char className[32] = "";
        GetClassNameA(window, className, sizeof className);
        if (std::string(className) == "#32770") {
            // The box fills in its text after activation: read and close it from inside its
            // own modal loop, a moment later.
            pendingBox = window;
            SetTimer(nullptr, 0, 1, ReadAndDismissBox);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
} // namespace

std::string ExecutableFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text = path;
    return text.substr(0, text.find_last_of('\\') + 1);
}

void ClearStore() {
    std::error_code ignored;
    const std::filesystem::path folder = ExecutableFolder();
    std::filesystem::remove(folder / "calendar.ini", ignored);
    if (std::filesystem::exists(folder / "data")) {
        for (const auto& entry :
             std::filesystem::recursive_directory_iterator(folder / "data", ignored))
            SetFileAttributesA(entry.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    std::filesystem::remove_all(folder / "data", ignored);
}

void WriteStoreFile(const std::string& relative, const std::string& content) {
    const std::filesystem::path path = std::filesystem::path(ExecutableFolder()) / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

std::string ReadStoreFile(const std::string& relative) {
    std::ifstream in(std::filesystem::path(ExecutableFolder()) / relative, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool StoreFileExists(const std::string& relative) {
    return std::filesystem::exists(std::filesystem::path(ExecutableFolder()) / relative);
}

FileHold::FileHold(const std::string& path)
    : handle_(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {}

FileHold::~FileHold() {
    if (releaser_) {
        WaitForSingleObject(releaser_, INFINITE);
        CloseHandle(releaser_);
    }
    Release();
}

void FileHold::Release() {
    HANDLE handle = InterlockedExchangePointer(&handle_, INVALID_HANDLE_VALUE);
    if (handle != INVALID_HANDLE_VALUE)
        CloseHandle(handle);
}

DWORD WINAPI FileHold::ReleaseLater(void* hold) {
    auto* self = static_cast<FileHold*>(hold);
    Sleep(self->delay_);
    self->Release();
    return 0;
}

void FileHold::ReleaseAfter(DWORD milliseconds) {
    delay_ = milliseconds;
    releaser_ = CreateThread(nullptr, 0, ReleaseLater, this, 0, nullptr);
}

MessageBoxWatcher::MessageBoxWatcher()
    : hook_(SetWindowsHookExA(WH_CBT, WatchBoxes, nullptr, GetCurrentThreadId())) {
    boxTexts.clear();
}
MessageBoxWatcher::~MessageBoxWatcher() {
    UnhookWindowsHookEx(hook_);
}
const std::vector<std::string>& MessageBoxWatcher::Texts() const {
    return boxTexts;
}
