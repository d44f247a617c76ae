// The activation context of the library's manifest resource.
#include "ActivationContext.h"
#include "DialogManifest.h"
#include "ResourceModule.h"

TActivationContext::TActivationContext() {
    ACTCTXA request = {};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.hModule = OwnModule();
    request.lpResourceName = MAKEINTRESOURCEA(VELMORA_DIALOG_MANIFEST_ID);
    context_ = CreateActCtxA(&request);
    // Without a context the dialogs still work, only in the classic look.
    if (context_ != INVALID_HANDLE_VALUE && !ActivateActCtx(context_, &cookie_))
        cookie_ = 0;
}

TActivationContext::~TActivationContext() {
    if (cookie_)
        DeactivateActCtx(0, cookie_);
    if (context_ != INVALID_HANDLE_VALUE)
        ReleaseActCtx(context_);
}
