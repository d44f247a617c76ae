// Small owners for Windows handles, so no handler has to remember to close, free or
// release what it opened.
#pragma once
#include <windows.h>

template <typename Handle, typename Traits> class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    Handle Get() const { return handle_; }
    explicit operator bool() const { return Traits::IsValid(handle_); }
    Handle Release() {
        Handle handle = handle_;
        handle_ = Traits::Invalid();
        return handle;
    }
    void Reset(Handle handle = Traits::Invalid()) {
        if (Traits::IsValid(handle_)) Traits::Close(handle_);
        handle_ = handle;
    }

  private:
    Handle handle_ = Traits::Invalid();
};

// Kernel objects: files, processes, threads. Either "no handle" value counts as none.
struct KernelHandleTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(HANDLE h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
struct FindHandleTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(HANDLE h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(HANDLE h) { FindClose(h); }
};
struct ModuleHandleTraits {
    static HMODULE Invalid() { return nullptr; }
    static bool IsValid(HMODULE h) { return h != nullptr; }
    static void Close(HMODULE h) { FreeLibrary(h); }
};
// Every GDI object is deleted alike, whatever its type.
template <typename Object> struct GdiObjectTraits {
    static Object Invalid() { return nullptr; }
    static bool IsValid(Object h) { return h != nullptr; }
    static void Close(Object h) { DeleteObject(h); }
};
// A device context of our own making (CreateCompatibleDC), as opposed to a window's.
struct MemoryDCTraits {
    static HDC Invalid() { return nullptr; }
    static bool IsValid(HDC h) { return h != nullptr; }
    static void Close(HDC h) { DeleteDC(h); }
};

using KernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;
using FindHandle = UniqueHandle<HANDLE, FindHandleTraits>;
using ModuleHandle = UniqueHandle<HMODULE, ModuleHandleTraits>;
using GdiObject = UniqueHandle<HGDIOBJ, GdiObjectTraits<HGDIOBJ>>;
using FontHandle = UniqueHandle<HFONT, GdiObjectTraits<HFONT>>;
using BrushHandle = UniqueHandle<HBRUSH, GdiObjectTraits<HBRUSH>>;
using PenHandle = UniqueHandle<HPEN, GdiObjectTraits<HPEN>>;
using RegionHandle = UniqueHandle<HRGN, GdiObjectTraits<HRGN>>;
using BitmapHandle = UniqueHandle<HBITMAP, GdiObjectTraits<HBITMAP>>;
using MemoryDC = UniqueHandle<HDC, MemoryDCTraits>;
// Icons are not GDI objects: they have a destroy call of their own.
struct IconTraits {
    static HICON Invalid() { return nullptr; }
    static bool IsValid(HICON h) { return h != nullptr; }
    static void Close(HICON h) { DestroyIcon(h); }
};
using IconHandle = UniqueHandle<HICON, IconTraits>;

// The export or system function name in module, as the pointer type the caller gives; null
// without a module or without such a name. The one place where a found address is cast.
template <typename Function> Function BindExport(HMODULE module, const char* name) {
    if (!module) return nullptr;
    // Through a plain function pointer, which any other function pointer type may be cast from.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}
template <typename Function> Function BindExport(const ModuleHandle& module, const char* name) {
    return BindExport<Function>(module.Get(), name);
}

// A thread timer (one without a window), killed when its owner goes or starts it again. Its
// callback lives in the module that set it, so a library must not leave one behind.
class ThreadTimer {
  public:
    ThreadTimer() = default;
    ~ThreadTimer() { Stop(); }
    ThreadTimer(const ThreadTimer&) = delete;
    ThreadTimer& operator=(const ThreadTimer&) = delete;
    void Start(unsigned milliseconds, TIMERPROC callback) {
        Stop();
        id_ = SetTimer(nullptr, 0, milliseconds, callback);
    }
    void Stop() {
        if (id_) KillTimer(nullptr, id_);
        id_ = 0;
    }

  private:
    UINT_PTR id_ = 0;
};

// Selects an object into a device context for the lifetime of the owner.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A window's device context, released when the owner goes.
class WindowDC {
  public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() { ReleaseDC(window_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// The painting of one WM_PAINT: BeginPaint now, EndPaint when the owner goes.
class PaintSession {
  public:
    explicit PaintSession(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintSession() { EndPaint(window_, &paint_); }
    PaintSession(const PaintSession&) = delete;
    PaintSession& operator=(const PaintSession&) = delete;
    HDC Get() const { return dc_; }

  private:
    HWND window_;
    PAINTSTRUCT paint_;
    HDC dc_;
};

// A COM interface pointer, released when the owner goes.
template <typename Interface> class ComPtr {
  public:
    ComPtr() = default;
    ~ComPtr() {
        if (pointer_) pointer_->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    Interface* operator->() const { return pointer_; }
    Interface* Get() const { return pointer_; }
    void** ReceiveVoid() { return reinterpret_cast<void**>(&pointer_); }
    explicit operator bool() const { return pointer_ != nullptr; }

  private:
    Interface* pointer_ = nullptr;
};

struct MenuTraits {
    static HMENU Invalid() { return nullptr; }
    static bool IsValid(HMENU h) { return h != nullptr; }
    static void Close(HMENU h) { DestroyMenu(h); }
};
using MenuHandle = UniqueHandle<HMENU, MenuTraits>;
