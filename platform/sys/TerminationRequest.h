// Termination requests: a program that must shut down in order (close its recordings, write its
// rows) takes SIGTERM and SIGINT as a request instead of dying at once.
//
// The signal handler only writes one byte to a pipe (async-signal-safe); the pipe is watched by
// the message queue of the thread that set the handler, so the handler runs there, the next time
// that thread pumps messages, with every lock and object in a normal state.
#pragma once

#include <functional>

namespace platform {

// From now on SIGTERM and SIGINT call `handler` on the calling thread (once per signal that
// arrives while no earlier request is waiting). Setting another handler replaces the first;
// null puts the signals' previous dispositions back. False when the pipe cannot be made.
bool SetTerminationHandler(std::function<void()> handler);

} // namespace platform
