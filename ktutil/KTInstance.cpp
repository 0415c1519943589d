// KTInstance over the platform's instance claims (platform/sys/SingleInstance.h) and the
// window layer's window properties.
#include "ktutil/KTInstance.h"

#include "ktutil/KTGF.h"
#include "platform/msg/WindowApi.h"
#include "platform/sys/Shell.h"
#include "platform/sys/SingleInstance.h"

#include <mutex>
#include <set>
#include <string>

namespace {

// ---- names this process claimed -------------------------------------------------------------

// A name in this set is held by this process, so GetInstanceWindow never sends an activation
// request to itself. Guarded by s_claimedLock (a leaf lock).
std::mutex s_claimedLock;
std::set<std::string> s_claimed;

void RememberClaim(const std::string& name)
{
    std::lock_guard lock(s_claimedLock);
    s_claimed.insert(name);
}

bool ClaimedHere(const std::string& name)
{
    std::lock_guard lock(s_claimedLock);
    return s_claimed.count(name) != 0;
}

// ---- marked windows -------------------------------------------------------------------------

HWND FindRegWindow(LPCTSTR name)
{
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        if (GetProp(window, name))
            return window;
    }
    return nullptr;
}

} // namespace

int KTInstance::LockInstance(LPCTSTR name, HWND mainWindow)
{
    if (KTGF::IsEmpty(name) || !platform::ClaimInstance(name))
        return 0;
    RememberClaim(name);
    RegWindow(mainWindow, name);
    platform::SetInstanceActivationWindow(name, mainWindow);
    return 1;
}

int KTInstance::IsInstanceExist(LPCTSTR name)
{
    if (KTGF::IsEmpty(name))
        return 0;
    return platform::IsInstanceClaimed(name) ? 1 : 0;
}

HWND KTInstance::GetInstanceWindow(LPCTSTR name)
{
    if (KTGF::IsEmpty(name))
        return nullptr;
    if (HWND window = FindRegWindow(name))
        return window;
    if (!ClaimedHere(name) && platform::IsInstanceClaimed(name))
        platform::RequestInstanceActivation(name);
    return nullptr;
}

BOOL KTInstance::RegWindow(HWND window, LPCTSTR name)
{
    if (KTGF::IsEmpty(name))
        return FALSE;
    return SetProp(window, name, reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(1)));
}

void KTInstance::UnregWindow(HWND window, LPCTSTR name)
{
    if (!KTGF::IsEmpty(name))
        RemoveProp(window, name);
}

void KTInstance::UnlockInstance(LPCTSTR)
{
    // Nothing to do: a claim is released only by the end of the process that holds it.
}

BOOL KTInstance::RunInstance(LPCTSTR file, LPCTSTR parameters)
{
    HINSTANCE result = ShellExecute(nullptr, "open", file, parameters, nullptr, SW_SHOWNORMAL);
    return platform::ShellResultCode(result) > 32;
}
