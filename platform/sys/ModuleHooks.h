// A library's entry point: what it does when it loads and when it unloads.
//
// A library declares one ModuleHooks object at namespace scope, in the file that holds its
// other start-up statics, after them:
//
//     KTLogFile RunLog;                                           // built first
//     const platform::ExtensionModule s_module("NyraClient", {...}); // joins the resource chain
//     const platform::ModuleHooks s_hooks(&StartUp, &ShutDown);    // then the entry point
//
// Order, which the libraries' start-up relies on:
//  - at load, the statics of one file are built in the order they are written, so `attach`
//    runs after the run log exists and the library's resources are registered; libraries load
//    after the libraries they link against (KTUtil, then NRData, then NyraClient), so a
//    library's entry point finds its dependencies started;
//  - at unload (the program's exit, or FreeLibrary) statics go in the reverse order, so
//    `detach` runs while the run log still exists, and the libraries it depends on go after it.
// Registering the resources (platform::ExtensionModule) cannot fail, so no load is refused.
#pragma once

namespace platform {

class ModuleHooks
{
public:
    using Hook = void (*)();

    // Either hook may be null.
    ModuleHooks(Hook attach, Hook detach) : m_detach(detach)
    {
        if (attach)
            attach();
    }
    ~ModuleHooks()
    {
        if (m_detach)
            m_detach();
    }
    ModuleHooks(const ModuleHooks&) = delete;
    ModuleHooks& operator=(const ModuleHooks&) = delete;

private:
    Hook m_detach;
};

} // namespace platform
