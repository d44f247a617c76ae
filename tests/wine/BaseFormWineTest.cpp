// The dialog base on the real system: a probe dialog built from its description in this
// program's resources, run modally and driven with real key presses.
#include "BaseForm.h"
#include "CallScope.h"
#include "DialogDriver.h"
#include "Errors.h"
#include "ResourceModule.h"
#include "Resources.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {
class TProbeForm : public TBaseForm {
  public:
    TProbeForm() : TBaseForm("TProbeForm") {}
    ~TProbeForm() override { Destroy(); }

    int adds = 0;
    int idles = 0;
    int created = 0;
    int destroyed = 0;
    int closes = 0;
    int keepOpenOnce = 0;
    std::string lastChange;

  protected:
    void FormCreate() override {
        ++created;
        TakeOverIdleHandler([this] { ++idles; });
    }
    void FormDestroy() override {
        ++destroyed;
        PutBackIdleHandler();
    }
    void FormClose() override {
        ++closes;
        if (keepOpenOnce-- > 0)
            SetModalResult(mrNone);
    }
    bool HandleEvent(TFormEvent& event) override {
        static const TFormHandler<TProbeForm> handlers[] = {
            {"AddButton", TFormEvent::Kind::Click, &TProbeForm::AddButtonClick},
            {"FailButton", TFormEvent::Kind::Click, &TProbeForm::FailButtonClick},
            {"Edit1", TFormEvent::Kind::Change, &TProbeForm::FieldChange},
            {"Combo1", TFormEvent::Kind::Change, &TProbeForm::FieldChange},
        };
        return DispatchFormEvent(*this, handlers, event);
    }

  private:
    void AddButtonClick(TFormEvent&) { ++adds; }
    void FailButtonClick(TFormEvent&) { throw VelmoraError("The probe failed on purpose."); }
    void FieldChange(TFormEvent& event) { lastChange = event.component; }
};

// A window of the calling program, with a timer and paints that must go on meanwhile.
struct CallerWindow {
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_TIMER)
            ++ticks;
        if (message == WM_PAINT) {
            ++paints;
            ValidateRect(window, nullptr);
            return 0;
        }
        if (message == WM_USER)
            return 42;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    CallerWindow() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TProbeCaller";
        RegisterClassA(&windowClass);
        window = CreateWindowExA(WS_EX_TOOLWINDOW, "TProbeCaller", "", WS_POPUP | WS_VISIBLE, 0, 0,
                                 50, 50, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetTimer(window, 1, 15, nullptr);
        ticks = paints = 0;
    }
    ~CallerWindow() {
        DestroyWindow(window);
        UnregisterClassA("TProbeCaller", GetModuleHandleA(nullptr));
    }
    HWND window;
    static int ticks;
    static int paints;
};
int CallerWindow::ticks = 0;
int CallerWindow::paints = 0;

// As an export of the library runs a dialog: inside a call scope, which ends after the dialog.
int RunProbe(TProbeForm& form, DialogDriver& driver) {
    TCallScope scope;
    form.Create();
    const int result = form.ShowModal();
    EXPECT_EQ(driver.StepsLeft(), 0u) << "the dialog closed before the script ended";
    form.Destroy();
    return result;
}

TEST(BaseFormTest, KeysFollowTheDescriptionAndTheCallersWindowKeepsRunning) {
    CallerWindow caller;
    TProbeForm form;
    DialogDriver driver("TProbeForm");
    bool callerDisabled = false;
    std::vector<std::string> focusOrder;
    const auto noteFocus = [&](DialogDriver& d) {
        for (const char* name :
             {"Edit1", "Edit2", "Combo1", "AddButton", "FailButton", "OkButton", "CancelButton"})
            if (d.Focused() == d.Find(name))
                focusOrder.push_back(name);
    };
    std::string hint;
    bool ownerless = false;
    driver.Then([&](DialogDriver& d) {
        callerDisabled = !IsWindowEnabled(caller.window);
        // The hint of Edit1 is a tool of the system tooltip that the dialog owns.
        HWND tooltip = nullptr;
        while ((tooltip = FindWindowExA(nullptr, tooltip, TOOLTIPS_CLASSA, nullptr)))
            if (GetWindow(tooltip, GW_OWNER) == d.Dialog())
                break;
        char text[80] = "";
        TOOLINFOA tool = {};
        tool.cbSize = sizeof tool;
        tool.hwnd = d.Dialog();
        tool.uId = reinterpret_cast<UINT_PTR>(d.Find("Edit1"));
        tool.lpszText = text;
        if (tooltip)
            SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
        hint = text;
        // A top-level window of its own: no owner, and the desktop as its parent.
        ownerless = GetWindow(d.Dialog(), GW_OWNER) == nullptr &&
                    GetAncestor(d.Dialog(), GA_PARENT) == GetDesktopWindow();
        noteFocus(d);
        d.Key(VK_TAB);
    });
    for (int step = 0; step < 6; ++step)
        driver.Then([&](DialogDriver& d) {
            noteFocus(d);
            d.Key(VK_TAB);
        });
    driver.Then([&](DialogDriver& d) {
        noteFocus(d);
        d.Key(VK_TAB, false, false, true);
    });
    driver.Then([&](DialogDriver& d) {
        noteFocus(d);
        d.Key('A', true);
    });
    driver.Then([&](DialogDriver& d) {
        EXPECT_EQ(form.adds, 1);
        d.Key('G', true);
    });
    driver.Then([&](DialogDriver& d) {
        EXPECT_EQ(d.Focused(), d.Find("Edit2"));
        d.Type("Edit1", "0123456789ABC");
    });
    driver.Then([&](DialogDriver& d) {
        EXPECT_EQ(d.Text("Edit1"), "0123456789");
        EXPECT_EQ(form.lastChange, "Edit1");
        d.Choose("Combo1", "Two");
    });
    driver.Then([&](DialogDriver& d) {
        EXPECT_EQ(form.lastChange, "Combo1");
        d.Key(VK_RETURN);
    });
    form.keepOpenOnce = 1;
    driver.Then([&](DialogDriver& d) {
        // FormClose kept it open once; Enter presses the default button again.
        EXPECT_TRUE(IsWindowVisible(d.Dialog()));
        d.Key(VK_RETURN);
    });
    EXPECT_EQ(RunProbe(form, driver), mrOk);
    EXPECT_EQ(form.closes, 2);
    EXPECT_EQ(hint, "First field");
    EXPECT_TRUE(ownerless);
    EXPECT_EQ(focusOrder,
              (std::vector<std::string>{"Edit1", "Edit2", "Combo1", "AddButton", "FailButton",
                                        "OkButton", "CancelButton", "Edit1", "CancelButton"}));
    EXPECT_TRUE(callerDisabled);
    EXPECT_TRUE(IsWindowEnabled(caller.window));
    EXPECT_GT(CallerWindow::ticks, 5);
    EXPECT_GT(form.idles, 5);
    EXPECT_EQ(SendMessageA(caller.window, WM_USER, 0, 0), 42);
}

TEST(BaseFormTest, EscapeCancelsAndAFailingHandlerIsReportedWithTheDialogLeftOpen) {
    TProbeForm form;
    DialogDriver driver("TProbeForm");
    driver.Then([](DialogDriver& d) { d.Click("FailButton"); });
    driver.Then([](DialogDriver& d) {
        EXPECT_TRUE(IsWindowVisible(d.Dialog()));
        d.Click("AddButton");
    });
    driver.Then([](DialogDriver& d) { d.Key(VK_ESCAPE); });
    EXPECT_EQ(RunProbe(form, driver), mrCancel);
    ASSERT_EQ(driver.Boxes().size(), 1u);
    EXPECT_EQ(driver.Boxes()[0].text, "The probe failed on purpose.");
    EXPECT_EQ(form.adds, 1);
}

TEST(BaseFormTest, NothingStaysRegisteredOrSetAfterTheDialogsCallScope) {
    ULONG_PTR cookieBefore = 0;
    HANDLE contextBefore = nullptr;
    GetCurrentActCtx(&contextBefore);
    (void)cookieBefore;
    bool themed = false;
    int runs = 0;
    for (int run = 0; run < 3; ++run) {
        TProbeForm form;
        DialogDriver driver("TProbeForm");
        driver.Then([&](DialogDriver& d) {
            // The themed controls come from the side-by-side common controls, not system32's.
            HMODULE owner = nullptr;
            GetModuleHandleExA(
                GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                    GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                reinterpret_cast<LPCSTR>(GetClassLongPtrW(d.Find("Combo1"), GCLP_WNDPROC)), &owner);
            char path[MAX_PATH] = "";
            GetModuleFileNameA(owner, path, MAX_PATH);
            themed = std::string(path).find("winsxs") != std::string::npos;
            d.Click("CancelButton");
        });
        EXPECT_EQ(RunProbe(form, driver), mrCancel);
        EXPECT_EQ(form.created, 1);
        EXPECT_EQ(form.destroyed, 1);
        ++runs;
        WNDCLASSEXA info = {};
        info.cbSize = sizeof info;
        EXPECT_FALSE(GetClassInfoExA(GetModuleHandleA(nullptr), "TProbeForm", &info));
        HANDLE contextAfter = nullptr;
        GetCurrentActCtx(&contextAfter);
        EXPECT_EQ(contextAfter, contextBefore);
        if (contextAfter)
            ReleaseActCtx(contextAfter);
    }
    if (contextBefore)
        ReleaseActCtx(contextBefore);
    EXPECT_EQ(runs, 3);
    EXPECT_TRUE(themed);
}

// A language switch: the open dialog takes the texts of a translated description by
// component name, the user's entries and everything not named stay.
TEST(BaseFormTest, ATranslationIsReadOverTheOpenDialogByComponentName) {
    TProbeForm form;
    DialogDriver driver("TProbeForm");
    driver.Then([&](DialogDriver& d) {
        d.Type("Edit1", "kept");
        d.Choose("Combo1", "Two");
    });
    driver.Then([&](DialogDriver& d) {
        std::string text;
        ASSERT_TRUE(FindFormDescription("TProbeFormNL", &text));
        form.ApplyDescription(ParseFormDescription(text));
        EXPECT_EQ(d.Text("AddButton"), "&Toevoegen");
        EXPECT_EQ(d.Text("Group1"), "&Groep");
        EXPECT_EQ(d.Text("FailButton"), "&Fail");
        EXPECT_EQ(d.Text("Edit1"), "kept");
        EXPECT_EQ(d.Chosen("Combo1"), "Twee");
        char caption[64] = "";
        GetWindowTextA(d.Dialog(), caption, sizeof caption);
        EXPECT_STREQ(caption, "Proef");
        // The mnemonic of the new caption works at once.
        d.Key('T', true);
    });
    driver.Then([&](DialogDriver& d) {
        EXPECT_EQ(form.adds, 1);
        d.Click("CancelButton");
    });
    RunProbe(form, driver);
}

TEST(BaseFormTest, ADialogWithoutADescriptionIsNotCreated) {
    struct TMissingForm : TBaseForm {
        TMissingForm() : TBaseForm("TMissingForm") {}
        ~TMissingForm() override { Destroy(); }
    };
    {
        TCallScope scope;
        TMissingForm form;
        EXPECT_THROW(form.Create(), VelmoraError);
    }
    WNDCLASSEXA info = {};
    info.cbSize = sizeof info;
    EXPECT_FALSE(GetClassInfoExA(GetModuleHandleA(nullptr), "TMissingForm", &info));
}
} // namespace
