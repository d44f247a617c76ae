// The library's own activation context, made from the manifest resource (DialogManifest.h) of the module
// that holds this code, so that its dialogs get the themed common controls whichever program
// loaded the library. Active from construction to destruction, on one thread, strictly nested:
// the call scope of each export holds one for the length of the call (CallScope.h).
#pragma once
#include <windows.h>

class TActivationContext {
  public:
    TActivationContext();
    ~TActivationContext();
    TActivationContext(const TActivationContext&) = delete;
    TActivationContext& operator=(const TActivationContext&) = delete;
    bool Active() const { return cookie_ != 0; }

  private:
    HANDLE context_ = INVALID_HANDLE_VALUE;
    ULONG_PTR cookie_ = 0;
};
