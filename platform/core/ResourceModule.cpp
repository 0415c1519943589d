// The registry of resource modules, the current resource handle, and loading modules by file.
//
// The registry is created on first use and never destroyed: libraries register from their static
// initialisers before the program's own statics exist, and unregister from static destructors
// that may run after ours at exit.
#include "platform/core/ResourceModule.h"

#include "platform/core/ModulePath.h"

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

namespace platform {
namespace {

struct Piece
{
    const ResourceModuleRegistration* owner;
    ResourceTables tables;
};

struct Module
{
    HINSTANCE handle;
    std::string name;
    ModuleKind kind;
    std::vector<Piece> pieces; // in registration order
};

struct Registry
{
    // Guards modules and current. Recursive so that a search visitor may look resources up again.
    // Never held while a library is loaded or unloaded: its static initialisers and destructors
    // register and unregister.
    std::recursive_mutex lock;
    std::vector<Module> modules; // in load order: the order of each file's first registration
    HINSTANCE current { nullptr };
};

Registry& TheRegistry()
{
    static Registry* registry = new Registry;
    return *registry;
}

HINSTANCE ProgramHandle()
{
    static HINSTANCE program = static_cast<HINSTANCE>(dlopen(nullptr, RTLD_LAZY));
    return program;
}

// The dlopen handle (link map) of the loaded file that holds `address`.
HINSTANCE ModuleHolding(const void* address)
{
    Dl_info info {};
    link_map* map = nullptr;
    if (address && dladdr1(address, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) && map)
        return reinterpret_cast<HINSTANCE>(map);
    return ProgramHandle();
}

// An address inside the registering file: its static tables. A registration object itself may
// live on the stack or the heap.
const void* AddressInFile(const ResourceTables& tables, const void* fallback)
{
    if (!tables.strings.empty())
        return tables.strings.data();
    if (!tables.data.empty())
        return tables.data.data();
    if (tables.dialogs)
        return tables.dialogs;
    return fallback;
}

Module* FindLocked(Registry& registry, HINSTANCE handle)
{
    auto it = std::find_if(registry.modules.begin(), registry.modules.end(),
                           [&](const Module& module) { return module.handle == handle; });
    return it == registry.modules.end() ? nullptr : &*it;
}

bool VisitModule(const Module& module, const std::function<bool(const ResourceTables&)>& visit)
{
    for (const Piece& piece : module.pieces)
        if (visit(piece.tables))
            return true;
    return false;
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

bool EndsWithNoCase(std::string_view text, std::string_view tail)
{
    return text.size() >= tail.size() && EqualNoCase(text.substr(text.size() - tail.size()), tail);
}

std::span<const BYTE> FindData(HINSTANCE module, const std::function<bool(const ResourceData&)>& matches)
{
    std::span<const BYTE> found;
    SearchResourceModules(
        [&](const ResourceTables& tables) {
            for (const ResourceData& data : tables.data) {
                if (matches(data)) {
                    found = data.bytes;
                    return true;
                }
            }
            return false;
        },
        module);
    return found;
}

// A file name without a folder is looked for in `folder` (the program folder when empty); a
// ".dll" ending stands for ".so".
std::string ModuleFilePath(std::string_view fileName, std::string_view folder)
{
    std::string path(fileName);
    if (EndsWithNoCase(path, ".dll"))
        path.replace(path.size() - 4, 4, ".so");
    if (path.find('/') == std::string::npos) {
        std::string base = folder.empty() ? std::string(GetProgramFolder().str()) : std::string(folder);
        if (!base.empty() && base.back() != '/')
            base += '/';
        path = base + path;
    }
    return path;
}

HMODULE LoadModuleFile(const std::string& path)
{
    if (access(path.c_str(), R_OK) != 0) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return static_cast<HMODULE>(handle);
}

} // namespace

// ---- registration ------------------------------------------------------------------------------

ResourceModuleRegistration::ResourceModuleRegistration(const char* name, ResourceTables tables, ModuleKind kind)
    : m_module(ModuleHolding(AddressInFile(tables, this)))
{
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.lock);
    Module* module = FindLocked(registry, m_module);
    if (!module) {
        registry.modules.push_back(Module { m_module, name ? name : "", kind, {} });
        module = &registry.modules.back();
    }
    module->pieces.push_back(Piece { this, tables });
}

ResourceModuleRegistration::~ResourceModuleRegistration()
{
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.lock);
    Module* module = FindLocked(registry, m_module);
    if (!module)
        return;
    std::erase_if(module->pieces, [this](const Piece& piece) { return piece.owner == this; });
    if (!module->pieces.empty())
        return;
    std::erase_if(registry.modules, [this](const Module& m) { return m.handle == m_module; });
    if (registry.current == m_module)
        registry.current = nullptr;
}

// ---- searching ---------------------------------------------------------------------------------

HINSTANCE SearchResourceModules(const std::function<bool(const ResourceTables&)>& visit, HINSTANCE module)
{
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.lock);
    if (module) {
        const Module* only = FindLocked(registry, module);
        return only && VisitModule(*only, visit) ? module : nullptr;
    }
    const HINSTANCE first = registry.current ? registry.current : ProgramHandle();
    if (const Module* current = FindLocked(registry, first); current && VisitModule(*current, visit))
        return first;
    for (const Module& each : registry.modules) {
        if (each.kind == ModuleKind::Extension && each.handle != first && VisitModule(each, visit))
            return each.handle;
    }
    return nullptr;
}

std::span<const BYTE> FindResourceData(HINSTANCE module, std::string_view type, UINT id)
{
    return FindData(module, [&](const ResourceData& data) {
        return data.id == id && data.type && EqualNoCase(data.type, type);
    });
}

std::span<const BYTE> FindResourceData(HINSTANCE module, std::string_view type, std::string_view name)
{
    return FindData(module, [&](const ResourceData& data) {
        return data.name && data.type && EqualNoCase(data.name, name) && EqualNoCase(data.type, type);
    });
}

// ---- language modules --------------------------------------------------------------------------

HINSTANCE LoadLanguageModule(std::string_view codeOrFile, std::string_view folder)
{
    if (codeOrFile.empty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::string fileName(codeOrFile);
    const bool isFile = fileName.find('/') != std::string::npos || EndsWithNoCase(fileName, ".so") ||
                        EndsWithNoCase(fileName, ".dll");
    if (!isFile)
        fileName = "LANG_" + fileName + ".so";
    return LoadModuleFile(ModuleFilePath(fileName, folder));
}

} // namespace platform

// ---- classic functions -------------------------------------------------------------------------

HINSTANCE AfxGetInstanceHandle() { return platform::ProgramHandle(); }

HINSTANCE AfxGetResourceHandle()
{
    platform::Registry& registry = platform::TheRegistry();
    std::lock_guard lock(registry.lock);
    return registry.current ? registry.current : platform::ProgramHandle();
}

void AfxSetResourceHandle(HINSTANCE module)
{
    platform::Registry& registry = platform::TheRegistry();
    std::lock_guard lock(registry.lock);
    registry.current = module == platform::ProgramHandle() ? nullptr : module;
}

HMODULE LoadLibrary(LPCTSTR fileName)
{
    if (!fileName || !*fileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return platform::LoadModuleFile(platform::ModuleFilePath(fileName, {}));
}

BOOL FreeLibrary(HMODULE module)
{
    if (!module || dlclose(module) != 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}
