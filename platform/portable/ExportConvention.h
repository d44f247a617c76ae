// The calling convention of the library's exports in the native build: plain C names, so the
// export code also builds and runs under the native sanitizers.
#pragma once

#define VELMORA_EXPORT extern "C"
#define VELMORA_CALL
