// Named instance claims, so that only one copy of a program runs on a machine and a second
// start can ask the first to come to the front.
//
// A claim is a lock file "<name>.lock" in the runtime folder, held with flock for the rest of
// the process's life (the kernel drops it when the process ends, however it ends). The holder
// also listens on a local socket "<name>.sock" beside it; a second start connects there with
// an activation request, and the holder runs its activation handler (which shows and raises
// its main window).
#pragma once

#include "platform/core/Types.h"

#include <functional>
#include <string>

namespace platform {

// $XDG_RUNTIME_DIR, or a private folder below /tmp when that is not set.
std::string InstanceRuntimeFolder();

// Claims `name` for the life of the process. False when another process holds it, when this
// process claimed it already, or when the lock file cannot be made.
bool ClaimInstance(const std::string& name);

// True when some process (this one included) holds `name`. Leaves no claim behind.
bool IsInstanceClaimed(const std::string& name);

// What the holder of `name` does on an activation request. It runs on the claim's listener
// thread, so a handler that touches windows posts to the user-interface thread.
void SetInstanceActivationHandler(const std::string& name, std::function<void()> handler);

// The usual handler: on a request, `mainWindow` is shown in its normal state and brought to
// the front, on its own thread (the request waits for that, as a sent message would). A window
// that no longer exists is left alone.
void SetInstanceActivationWindow(const std::string& name, HWND mainWindow);

// Asks the holder of `name` to show and raise its main window. True when the holder took the
// request (its handler has run by then); false when nobody holds the name or nobody answers
// within a few seconds.
bool RequestInstanceActivation(const std::string& name);

} // namespace platform
