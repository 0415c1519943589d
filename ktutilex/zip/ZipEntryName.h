// Entry names as an archive carries them, made safe to unpack below a target folder.
#pragma once

#include "platform/core/CString.h"

namespace ktutilex::zip {

struct EntryPath
{
    CString relative;     // "/"-separated, never absolute, never with "." or ".." segments
    bool isFolder { false }; // the name ended with a separator (or named nothing)
};

// "\" reads as "/", a leading drive ("C:") and leading separators are dropped, and empty and
// "." segments vanish. False for a name with a ".." segment, which would climb out.
bool MakeEntryPath(const CString& name, EntryPath& path);

} // namespace ktutilex::zip
