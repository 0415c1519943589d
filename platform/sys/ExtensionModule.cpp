// The registry of library start-up and shut-down hooks.
#include "platform/sys/ExtensionModule.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace platform {
namespace {

// Registered modules in registration order. Heap-held and never freed, because libraries
// unregister from their static destructors, which may run after this file's statics.
// The lock is recursive: a hook may load a library that registers a module of its own.
std::recursive_mutex& RegistryLock()
{
    static auto* lock = new std::recursive_mutex();
    return *lock;
}

std::vector<ExtensionModule*>& Registry()
{
    static auto* modules = new std::vector<ExtensionModule*>();
    return *modules;
}

} // namespace

ExtensionModule::ExtensionModule(const char* name, AttachHook attach, DetachHook detach)
    : m_name(name ? name : ""), m_attach(attach), m_detach(detach)
{
    std::lock_guard guard(RegistryLock());
    Registry().push_back(this);
}

ExtensionModule::~ExtensionModule()
{
    std::lock_guard guard(RegistryLock());
    if (m_attached && m_detach)
        m_detach();
    m_attached = false;
    std::erase(Registry(), this);
}

bool AttachExtensionModules()
{
    std::lock_guard guard(RegistryLock());
    // By index: a hook may register further modules, which then attach in this same pass.
    for (std::size_t i = 0; i < Registry().size(); ++i) {
        ExtensionModule* module = Registry()[i];
        if (module->m_attached)
            continue;
        if (module->m_refused)
            return false;
        if (module->m_attach && !module->m_attach()) {
            module->m_refused = true;
            return false;
        }
        module->m_attached = true;
    }
    return true;
}

void DetachExtensionModules()
{
    std::lock_guard guard(RegistryLock());
    auto& modules = Registry();
    // By index: a detach hook may unload a library, which removes its module from the list.
    for (std::size_t i = modules.size(); i-- > 0;) {
        if (i >= modules.size())
            continue;
        ExtensionModule* module = modules[i];
        if (!module->m_attached)
            continue;
        module->m_attached = false;
        if (module->m_detach)
            module->m_detach();
    }
}

} // namespace platform
