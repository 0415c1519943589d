// The string table: texts by id from the resource modules (platform/core/ResourceModule.h).
// A lookup by id alone goes to the current resource module first, then along the chain of
// extension modules in load order, so a language module that is current overrides texts by id
// while an id it lacks still comes from the module that owns it.
#pragma once

#include "platform/core/Types.h"

#include <string>

namespace platform {

// Finds the text of `id` in search order; false when no module has it.
bool LookupString(UINT id, std::string& text);
// Finds the text of `id` in one module only (null: the program's own module).
bool LookupString(HINSTANCE module, UINT id, std::string& text);

} // namespace platform

// Copies the text of `id` from `module` (null: the program's own module) into `buffer`, at most
// `size` - 1 bytes and never part of a UTF-8 character, and terminates it. Returns the number of
// bytes copied; 0 (and an empty buffer) when the module has no such text.
int LoadString(HINSTANCE module, UINT id, LPTSTR buffer, int size);
