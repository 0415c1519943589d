// Resource modules: every library and program that carries resources registers them here when it
// loads, and they are found again by module handle or along the search order.
//
// A module is one loaded file (the program or a shared library); its handle (HINSTANCE/HMODULE)
// is the file's dlopen handle, so the module-path functions work on it too. A library registers
// with one static object, from a static initialiser, in any translation unit:
//
//     const platform::StringEntry kStrings[] = { { 10170, "MHR" }, { 10118, "MSpO2" } };
//     platform::ResourceModuleRegistration s_module("KTUtil", { .strings = kStrings });
//
// Further objects of the same file (its dialog templates, its bitmaps) add tables to the same
// module; each object withdraws its tables when it is destroyed, which for a library happens when
// it is unloaded. Registering is what makes a library an extension library: its resources join
// the chain. The tables are not copied: they must be static data of the registering file.
//
// Search order for texts and other resources: the current resource module (the program's own
// module unless AfxSetResourceHandle chose another, typically a language module), then every
// extension module in load order (the libraries in dependency order, then the program).
// A language module (`LANG_<code>.so` beside the program) registers as ModuleKind::Language:
// it carries the same ids as the built-in English tables and is consulted only while it is the
// current resource module, so an id it lacks still comes from the module that owns it.
#pragma once

#include "platform/core/Types.h"

#include <functional>
#include <span>
#include <string_view>

namespace platform {

struct StringEntry
{
    UINT id;
    const char* text; // UTF-8
};

// A binary resource: a PNG bitmap, a wave sound, a toolbar... found by type and id or name.
// Types and names compare without case, as the classic ones did ("WAVE", "PNG").
struct ResourceData
{
    const char* type;
    UINT id;
    const char* name; // may be null when the resource is found by id only
    std::span<const BYTE> bytes;
};

// A module's dialog templates; the dialog module defines it.
struct DialogTemplateTable;

// What one registration contributes to its module.
struct ResourceTables
{
    std::span<const StringEntry> strings {};
    std::span<const ResourceData> data {};
    const DialogTemplateTable* dialogs { nullptr };
};

enum class ModuleKind
{
    Extension, // a library or the program: its resources join the chain
    Language,  // a language module: found only as the current resource module or by its handle
};

class ResourceModuleRegistration
{
public:
    // `name` is for people reading logs; the module is the file this object lives in. The first
    // registration of a file decides its kind.
    ResourceModuleRegistration(const char* name, ResourceTables tables, ModuleKind kind = ModuleKind::Extension);
    ~ResourceModuleRegistration();
    ResourceModuleRegistration(const ResourceModuleRegistration&) = delete;
    ResourceModuleRegistration& operator=(const ResourceModuleRegistration&) = delete;

    HINSTANCE Handle() const { return m_module; }

private:
    HINSTANCE m_module { nullptr };
};

// The start-up registration of a library as an extension library of the framework is this same
// registration.
using ExtensionModule = ResourceModuleRegistration;

// Visits the registered tables in search order, or only those of `module` when it is not null,
// until `visit` returns true; returns the module whose tables satisfied it (null when none did).
// `visit` runs under the registry lock: it may look up resources but must not load or unload
// modules. The dialog module finds its templates with it.
HINSTANCE SearchResourceModules(const std::function<bool(const ResourceTables&)>& visit, HINSTANCE module = nullptr);

// The bytes of a resource, searched in search order (module null) or in one module; empty when
// none has it. The bytes stay valid while their module is loaded.
std::span<const BYTE> FindResourceData(HINSTANCE module, std::string_view type, UINT id);
std::span<const BYTE> FindResourceData(HINSTANCE module, std::string_view type, std::string_view name);

// Loads a language module: `codeOrFile` is a code ("KOR" gives LANG_KOR.so), a file name
// ("LANG_KOR.dll" is taken as LANG_KOR.so) or a path with a "/". Without a path the file is
// looked for in `folder`, by default the program folder. The module registers itself when it
// loads; make it current with AfxSetResourceHandle. Null when it cannot be loaded (English
// stays); language modules are meant to stay loaded for the process's life.
HINSTANCE LoadLanguageModule(std::string_view codeOrFile, std::string_view folder = {});

} // namespace platform

// The program's own module.
HINSTANCE AfxGetInstanceHandle();
// The module searched first: the one set by AfxSetResourceHandle while it is loaded, else the
// program's own module.
HINSTANCE AfxGetResourceHandle();
// Null goes back to the program's own module.
void AfxSetResourceHandle(HINSTANCE module);

// Loads a shared library from a path, or by file name from the program folder (never from the
// system's library folders); a ".dll" ending is taken as ".so". Null when it cannot be loaded:
// GetLastError gives ERROR_FILE_NOT_FOUND for a missing file, ERROR_INVALID_PARAMETER for a file
// that is not a loadable library.
HMODULE LoadLibrary(LPCTSTR fileName);
BOOL FreeLibrary(HMODULE module);
