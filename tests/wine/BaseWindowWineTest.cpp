// The window bases on the real system: a failing handler is reported and the window lives on,
// and everything a module registered for its windows can be undone and registered again.
#include "BaseWindow.h"
#include "Errors.h"
#include "HintManager.h"
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
    ~TFailingWidget() override {
        DestroyWindow(Handle());
        UnregisterWidgetClass("TFailingWidget");
    }

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

TEST(BaseWindowWineTest, WhatAModuleRegisteredIsUndoneAndCanBeRegisteredAgain) {
    {
        TFailingWindow window;
        EXPECT_TRUE(ClassRegistered(className));
    }
    THintManager& hints = THintManager::Application();
    hints.SetShowHint(true);
    ASSERT_NE(hints.HintWindow(), nullptr);
    EXPECT_TRUE(ClassRegistered("THintWindow"));

    TBaseWindow::UnregisterModuleClasses();
    EXPECT_FALSE(ClassRegistered(className));
    EXPECT_FALSE(ClassRegistered("THintWindow"));
    EXPECT_EQ(hints.HintWindow(), nullptr);
    EXPECT_FALSE(hints.ShowHint());

    TFailingWindow again;
    EXPECT_NE(again.Handle(), nullptr);
    hints.SetShowHint(true);
    EXPECT_NE(hints.HintWindow(), nullptr);
    TBaseWindow::UnregisterModuleClasses();
}
} // namespace
