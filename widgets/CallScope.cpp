// The undoing of everything an export of the library registered or set.
#include "CallScope.h"

#include "BaseForm.h"
#include "HintManager.h"
#include "ResourceModule.h"
#include "ThemeParts.h"
#include "WindowClassRegistry.h"
#include "WindowProcedure.h"

namespace {
// How many scopes are open on this module now; only the outermost one owns anything.
int openScopes = 0;
} // namespace

TCallScope::TCallScope() : outermost_(openScopes++ == 0) {
    if (!outermost_)
        return;
    activation_ = std::make_unique<TActivationContext>();
    idleHandler_ = ApplicationIdleHandler();
}

TCallScope::~TCallScope() {
    --openScopes;
    if (!outermost_)
        return;
    // Each step is guarded on its own, so that one that fails keeps no later one from running;
    // a failure is reported, never let out of a destructor.
    // The hint window first: it is a window of one of the classes that go below.
    RunGuarded([] { THintManager::Application().Reset(); });
    RunGuarded([this] { SetApplicationIdleHandler(std::move(idleHandler_)); });
    // A language module is freed here, never from DllMain or a static destructor, where
    // freeing another library is not allowed.
    RunGuarded([] {
        TBaseForm::SetDescriptionReader(nullptr);
        ReleaseLanguageModule();
    });
    RunGuarded([] { UnregisterModuleClasses(); });
    RunGuarded([] { ReleaseThemeLibrary(); });
    activation_.reset();
}
