// The idle handler of the library's application object.
#include "Application.h"

namespace {
TIdleHandler idleHandler;
} // namespace

TIdleHandler SetApplicationIdleHandler(TIdleHandler handler) {
    TIdleHandler previous = std::move(idleHandler);
    idleHandler = std::move(handler);
    return previous;
}

TIdleHandler ApplicationIdleHandler() {
    return idleHandler;
}

void RunApplicationIdle() {
    if (idleHandler) {
        // The handler may replace itself while it runs.
        TIdleHandler running = idleHandler;
        running();
    }
}
