// Private-profile (ini) functions with the classic semantics:
//
//  - "[section]" lines open sections, "key=value" lines are entries; section and key names are
//    matched without regard to (ASCII) case; blanks around names and values are trimmed; a value
//    in matching double or single quotes is read without them. The first section or key of a
//    name wins when a file repeats one.
//  - A read of a missing file, section or key gives the default (trailing blanks trimmed).
//  - A write replaces the entry in place or appends it at the end of its section; a new section
//    goes at the end of the file. A null key deletes the whole section, a null value the entry.
//    Every other line (comments, blank lines, unknown text) is kept as it was, and so are the
//    file's line ends (CRLF or LF).
//  - Two programs can share one file: each write reads, changes and rewrites the file under an
//    exclusive flock on a lock file beside it (".<name>.lock"), writes a temporary file and
//    renames it into place, so a reader sees the old or the new file, never a mix.
//
// Buffers are filled to at most size - 1 bytes plus a terminator, never splitting a UTF-8
// character; lists (section names, keys, section entries) are NUL-separated and end with a
// second NUL.
#pragma once

#include "platform/core/Types.h"

// With a null section: the list of section names; with a null key: the list of keys in the
// section. Returns the bytes copied without the final terminator (size - 2 for a list that did
// not fit, size - 1 for a value that did not fit).
DWORD GetPrivateProfileString(LPCTSTR section, LPCTSTR key, LPCTSTR defaultValue, LPTSTR buffer, DWORD size,
                              LPCTSTR fileName);
// The value read as a decimal integer (an optional sign and the leading digits; 0 when there
// are none); the default when the key is missing.
UINT GetPrivateProfileInt(LPCTSTR section, LPCTSTR key, INT defaultValue, LPCTSTR fileName);
// "key=value" lines of one section.
DWORD GetPrivateProfileSection(LPCTSTR section, LPTSTR buffer, DWORD size, LPCTSTR fileName);
DWORD GetPrivateProfileSectionNames(LPTSTR buffer, DWORD size, LPCTSTR fileName);
// Creates the file when it does not exist (not its folder). FALSE with the last error set when
// the file cannot be written (a read-only file is not written), and FALSE with
// ERROR_INVALID_PARAMETER, the file untouched, when the section, key or value holds a line break
// (CR or LF): it would end the line and the rest would be read back as entries of its own.
BOOL WritePrivateProfileString(LPCTSTR section, LPCTSTR key, LPCTSTR value, LPCTSTR fileName);

inline DWORD GetPrivateProfileStringA(LPCTSTR section, LPCTSTR key, LPCTSTR defaultValue, LPTSTR buffer,
                                      DWORD size, LPCTSTR fileName)
{
    return GetPrivateProfileString(section, key, defaultValue, buffer, size, fileName);
}
inline UINT GetPrivateProfileIntA(LPCTSTR section, LPCTSTR key, INT defaultValue, LPCTSTR fileName)
{
    return GetPrivateProfileInt(section, key, defaultValue, fileName);
}
inline BOOL WritePrivateProfileStringA(LPCTSTR section, LPCTSTR key, LPCTSTR value, LPCTSTR fileName)
{
    return WritePrivateProfileString(section, key, value, fileName);
}
