// The application id's registry entries and the registration switches.
#include "tarvic/app/ComRegistration.h"

#include "platform/core/CString.h"
#include "platform/core/Registry.h"

#include <cstring>

namespace tarvic {

namespace {

constexpr char kAppIdKey[] = "AppID";
constexpr char kProgramName[] = "TarvicII";
constexpr char kProgramFileKey[] = "TarvicII.EXE";

BOOL SetText(HKEY key, LPCTSTR name, LPCTSTR text)
{
    return RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                         DWORD(std::strlen(text) + 1)) == ERROR_SUCCESS;
}

// Sets a text value of a key below AppID, creating the key.
BOOL SetAppIdValue(LPCTSTR subKey, LPCTSTR name, LPCTSTR text)
{
    HKEY key = nullptr;
    const CString path = CString(kAppIdKey) + "\\" + subKey;
    if (RegCreateKey(HKEY_CLASSES_ROOT, path, &key) != ERROR_SUCCESS)
        return FALSE;
    const BOOL done = SetText(key, name, text);
    RegCloseKey(key);
    return done;
}

} // namespace

RegistrationSwitch FindRegistrationSwitch(LPCTSTR commandLine)
{
    if (commandLine == nullptr)
        return RegistrationSwitch::None;
    for (const char* at = commandLine; *at != '\0'; ++at) {
        if (*at != '-' && *at != '/')
            continue;
        const CString candidate(at + 1);
        if (candidate.CompareNoCase("UnregServer") == 0)
            return RegistrationSwitch::Unregister;
        if (candidate.CompareNoCase("RegServer") == 0)
            return RegistrationSwitch::Register;
    }
    return RegistrationSwitch::None;
}

BOOL RegisterAppId()
{
    return SetAppIdValue(kAppIdGuid, nullptr, kProgramName) &&
           SetAppIdValue(kProgramFileKey, kAppIdKey, kAppIdGuid);
}

BOOL UnregisterAppId()
{
    HKEY appIds = nullptr;
    if (RegOpenKey(HKEY_CLASSES_ROOT, kAppIdKey, &appIds) != ERROR_SUCCESS)
        return TRUE; // nothing registered
    const LONG guid = RegDeleteKey(appIds, kAppIdGuid);
    const LONG file = RegDeleteKey(appIds, kProgramFileKey);
    RegCloseKey(appIds);
    auto gone = [](LONG result) { return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND; };
    return gone(guid) && gone(file);
}

} // namespace tarvic
