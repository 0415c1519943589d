// The station's application id in the registry store, as the "RegServer" and "UnregServer"
// switches write and remove it: under the classes root, AppID\{guid} with the default value
// "TarvicII", and AppID\TarvicII.EXE with a value "AppID" holding the same guid. The station
// serves no classes, so there is nothing else to register.
#pragma once

#include "platform/core/Types.h"

namespace tarvic {

constexpr char kAppIdGuid[] = "{6B0E2C5A-3F1D-4E8B-9A27-5C41D8E7F902}";

enum class RegistrationSwitch
{
    None,
    Register,
    Unregister,
};

// The switch a command line asks for. Each candidate is the whole rest of the command line
// after a '-' or '/', from left to right; "UnregServer" or "RegServer" matches without regard to
// case. A switch followed by further text matches neither.
RegistrationSwitch FindRegistrationSwitch(LPCTSTR commandLine);

// Write or remove the entries; TRUE when the store took the change.
BOOL RegisterAppId();
BOOL UnregisterAppId();

} // namespace tarvic
