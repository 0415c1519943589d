// String lookups over the registered string tables. Tables are short and hand-written in C++,
// so a linear scan of each is all a lookup needs.
#include "platform/core/StringTable.h"

#include "platform/core/ResourceModule.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

bool Lookup(HINSTANCE module, UINT id, std::string& text)
{
    const HINSTANCE found = SearchResourceModules(
        [&](const ResourceTables& tables) {
            auto it = std::find_if(tables.strings.begin(), tables.strings.end(),
                                   [id](const StringEntry& entry) { return entry.id == id; });
            if (it == tables.strings.end() || !it->text)
                return false;
            text = it->text;
            return true;
        },
        module);
    return found != nullptr;
}

} // namespace

bool LookupString(UINT id, std::string& text) { return Lookup(nullptr, id, text); }

bool LookupString(HINSTANCE module, UINT id, std::string& text)
{
    return Lookup(module ? module : AfxGetInstanceHandle(), id, text);
}

} // namespace platform

int LoadString(HINSTANCE module, UINT id, LPTSTR buffer, int size)
{
    if (!buffer || size <= 0)
        return 0;
    std::string text;
    if (!platform::LookupString(module, id, text)) {
        buffer[0] = '\0';
        return 0;
    }
    std::size_t n = std::min(text.size(), static_cast<std::size_t>(size - 1));
    // Step back over continuation bytes so that a cut never splits a character.
    while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}
