// The window bases on the real system: a failing handler is reported and the window lives on,
// and a call scope undoes everything the module registered or set for its windows, so that the
// next scope registers it all again.
#include "Application.h"
#include "BaseWindow.h"
#include "CallScope.h"
#include "Errors.h"
#include "HintManager.h"
#include "ResourceModule.h"
#include "WidgetWindow.h"
#include "WineTestSupport.h"

#include <gtest/gtest.h>

namespace {
const char* const className = "TFailingWindow";
const UINT failWithMessage = WM_APP + 1;
const UINT failWithoutMessage = WM_APP + 2;
const UINT answer = WM_APP + 3;

// The probes fail in a handler, with and without a message of their own.
UINT Probe(UINT message) {
    if (message == failWithMessage)
        throw VelmoraError("The handler failed.");
    if (message == failWithoutMessage)
        throw 42;
    return message;
}

class TFailingWindow : public TBaseWindow {
  public:
    TFailingWindow() {
        RegisterWindowClass(className, 0, nullptr, nullptr);
        CreateHandle(0, className, "", WS_POPUP, 0, 0, 10, 10, nullptr, 0);
    }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        return message == answer ? 7 : DefaultHandler(Probe(message), wParam, lParam);
    }
};

// A widget's handler throws just as a window's may.
class TFailingWidget : public TWidgetWindow {
  public:
    TFailingWidget() : TWidgetWindow("FailingWidget", 1) {
        RegisterWidgetClass("TFailingWidget", 0, nullptr);
        Create(0, "TFailingWidget", WS_POPUP, TWidgetBounds{0, 0, 10, 10}, nullptr, nullptr);
    }
    ~TFailingWidget() override { DestroyWindow(Handle()); }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        return message == answer ? 7 : DefaultHandler(Probe(message), wParam, lParam);
    }
};

template <typename Window> void ExpectFailuresReportedAndWindowLivesOn() {
    MessageBoxWatcher boxes;
    Window window;
    ASSERT_NE(window.Handle(), nullptr);
    SendMessageA(window.Handle(), failWithMessage, 0, 0);
    SendMessageA(window.Handle(), failWithoutMessage, 0, 0);
    EXPECT_EQ(SendMessageA(window.Handle(), answer, 0, 0), 7);
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::string>{"The handler failed.", "An unexpected failure occurred."}));
}

bool ClassRegistered(const char* name) {
    WNDCLASSEXA info = {};
    info.cbSize = sizeof info;
    return GetClassInfoExA(TBaseWindow::ModuleInstance(), name, &info) != FALSE;
}

TEST(BaseWindowWineTest, AFailingHandlerIsReportedAndTheWindowLivesOn) {
    ExpectFailuresReportedAndWindowLivesOn<TFailingWindow>();
    ExpectFailuresReportedAndWindowLivesOn<TFailingWidget>();
}

// The hint source of the test window, whose pause starts the hint manager's thread timer.
struct TWindowHint : THintSource {
    HWND window;
    explicit TWindowHint(HWND shown) : window(shown) {}
    HWND HintControl() const override { return window; }
    std::string HintText() const override { return "hint"; }
};

// The thread timers that fire within the next milliseconds; none is dispatched.
int TimersFiring(DWORD milliseconds) {
    int fired = 0;
    const DWORD end = GetTickCount() + milliseconds;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        MSG message;
        while (PeekMessageA(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE))
            fired += message.hwnd == nullptr;
        Sleep(20);
    }
    return fired;
}

bool Mapped(HMODULE dataModule) {
    MEMORY_BASIC_INFORMATION region = {};
    const auto view =
        reinterpret_cast<const char*>(reinterpret_cast<uintptr_t>(dataModule) & ~uintptr_t{3});
    return VirtualQuery(view, &region, sizeof region) == sizeof region &&
           region.State == MEM_COMMIT;
}

TEST(BaseWindowWineTest, TheCallScopeUndoesWhatTheModuleRegisteredOrSetAndTheNextRegistersAgain) {
    // Timers of earlier tests (the box watcher's) fire and go first.
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 100; Sleep(10)) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
    THintManager& hints = THintManager::Application();
    for (int call = 0; call < 2; ++call) {
        SCOPED_TRACE(call);
        HMODULE language = nullptr;
        {
            TCallScope scope;
            TFailingWindow window;
            TFailingWidget widget;
            EXPECT_TRUE(ClassRegistered(className));
            EXPECT_TRUE(ClassRegistered("TFailingWidget"));
            // A thread timer waiting to show a hint when the scope ends.
            ShowWindow(window.Handle(), SW_SHOW);
            SetForegroundWindow(window.Handle());
            TWindowHint source(window.Handle());
            hints.SetShowHint(true);
            ASSERT_NE(hints.HintWindow(), nullptr);
            EXPECT_TRUE(ClassRegistered("THintWindow"));
            hints.Register(&source);
            ASSERT_TRUE(hints.IsApplicationActive());
            hints.MouseEntered(&source);
            SetApplicationIdleHandler([] {});
            // A program that this one never loads stands for a language module, loaded as data.
            char path[MAX_PATH] = "";
            GetSystemDirectoryA(path, sizeof path);
            language = LoadLibraryExA((std::string(path) + "\\notepad.exe").c_str(), nullptr,
                                      LOAD_LIBRARY_AS_DATAFILE);
            ASSERT_NE(language, nullptr);
            SetLanguageModule(ModuleHandle(language), std::string());
            EXPECT_EQ(CurrentResourceModule(), language);
        }
        EXPECT_FALSE(ClassRegistered(className));
        EXPECT_FALSE(ClassRegistered("TFailingWidget"));
        EXPECT_FALSE(ClassRegistered("THintWindow"));
        EXPECT_EQ(hints.HintWindow(), nullptr);
        EXPECT_FALSE(hints.ShowHint());
        EXPECT_FALSE(ApplicationIdleHandler());
        EXPECT_EQ(CurrentResourceModule(), TBaseWindow::ModuleInstance());
        EXPECT_FALSE(Mapped(language)) << "the language module was not freed";
        // The hint's pause was 500 ms.
        EXPECT_EQ(TimersFiring(700), 0) << "a thread timer outlived the scope";
    }
}

// A scope inside another leaves everything to the outer one, whose windows are still open.
TEST(BaseWindowWineTest, AnInnerScopeLeavesTheOuterOnesClassesAlone) {
    TCallScope outer;
    TFailingWindow window;
    { TCallScope inner; }
    EXPECT_TRUE(ClassRegistered(className));
    EXPECT_EQ(SendMessageA(window.Handle(), answer, 0, 0), 7);
}
} // namespace
