// MessageBeep: the short alert sound of a message box or a refused action, played through the
// sound output like any other sound (tests give it a FakeSoundSink).
#pragma once

#include "platform/core/Types.h"

// `type` is a message box icon kind (MB_ICONHAND, MB_ICONQUESTION, MB_ICONEXCLAMATION,
// MB_ICONASTERISK), MB_OK or 0xFFFFFFFF; each kind sounds at its own pitch. Does not wait for
// the sound to end.
BOOL MessageBeep(UINT type);
