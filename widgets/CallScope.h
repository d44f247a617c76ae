// The call scope of an export of the library. TOOLS.DLL is loaded and freed around every use,
// so nothing it registers or sets may outlive the call that did it: every export that shows or
// registers anything opens one TCallScope first, which owns for the call's length
//   - the activation context of the themed common controls (active while it is open),
//   - the application's idle handler (put back as it was),
//   - the hint manager's window and thread timers,
//   - the current resource module and the language module it may hold,
//   - the module's window classes (WindowClassRegistry.h),
//   - the theme library the widgets bound,
// and whose destructor undoes all of it, in that order read backwards, before the export
// returns, failure or not. The windows and dialogs of the call are gone by then: they are
// objects made inside the scope.
//
// A scope opened inside another (an export called back from a dialog of the library) leaves
// everything to the outer one, which still has windows open.
#pragma once
#include "ActivationContext.h"
#include "Application.h"

#include <memory>

class TCallScope {
  public:
    TCallScope();
    ~TCallScope();
    TCallScope(const TCallScope&) = delete;
    TCallScope& operator=(const TCallScope&) = delete;

  private:
    bool outermost_;
    std::unique_ptr<TActivationContext> activation_;
    TIdleHandler idleHandler_;
};
