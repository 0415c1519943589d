// Remote names and folder texts as the FTP client checks and forms them.
#pragma once

#include "platform/core/CString.h"

namespace ktutilex::ftp {

// A name that may stand in a remote folder: not blank, none of the characters no file name
// may hold, and no line break (which would end the command it stands in and start another).
bool IsValidRemoteName(LPCTSTR name);

// An absolute "/"-separated folder without a trailing "/" ("/" for the root): "\" reads as
// "/", a relative folder is taken below `current`, and "." and ".." segments are resolved
// (never above the root). Empty when a segment holds a line break.
CString NormaliseRemoteFolder(LPCTSTR folder, const CString& current);

} // namespace ktutilex::ftp
