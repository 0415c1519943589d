// Start-up and shut-down hooks of the system's libraries (their "entry points").
//
// A library declares one ExtensionModule object at namespace scope. Its attach hook does not
// run while the library is being loaded, when some of its own static objects may not exist
// yet, but when the program (or the loader of a library opened later) calls
// AttachExtensionModules: by then every static object of every loaded library exists, as the
// libraries' start-up expects (the run log is built before the start banner is written).
// Hooks run in registration order, which is load order: a library's static objects are made
// after those of the libraries it links against, so KTUtil attaches before NRData, NRData
// before NyraClient. Detach hooks run in the reverse order.
#pragma once

namespace platform {

class ExtensionModule
{
public:
    using AttachHook = bool (*)();
    using DetachHook = void (*)();

    // `name` for diagnostics; either hook may be null.
    ExtensionModule(const char* name, AttachHook attach, DetachHook detach);
    // A library that unloads without DetachExtensionModules runs its detach hook here.
    ~ExtensionModule();
    ExtensionModule(const ExtensionModule&) = delete;
    ExtensionModule& operator=(const ExtensionModule&) = delete;

    const char* Name() const { return m_name; }
    bool IsAttached() const { return m_attached; }

private:
    friend bool AttachExtensionModules();
    friend void DetachExtensionModules();

    const char* m_name;
    AttachHook m_attach;
    DetachHook m_detach;
    bool m_attached { false };
    bool m_refused { false };
};

// Runs the attach hooks that have not run yet, in registration order. False when a hook
// refused (its library cannot be used; a program ends its start-up); the hooks after it do
// not run then.
bool AttachExtensionModules();

// Runs the detach hooks of the attached modules, last attached first.
void DetachExtensionModules();

} // namespace platform
