// The library's application object, as far as dialogs need one: the idle handler that a
// modal run calls each time its message queue is empty. Module state, so it is gone with
// the library.
#pragma once
#include <functional>

using TIdleHandler = std::function<void()>;

// Sets the handler and returns the one it replaces, so the caller can put that back.
TIdleHandler SetApplicationIdleHandler(TIdleHandler handler);
// The handler set now (empty when none is).
TIdleHandler ApplicationIdleHandler();
// Runs the handler, if one is set.
void RunApplicationIdle();
