// KTIni: reads and writes one existing ini file (sections of key=value lines) through the
// platform's private-profile functions.
//
// Only an existing file is accepted, and none of the operations creates one: a caller that wants
// a new file makes it first (KTGF::CreateFileA). While the file is missing every read gives empty
// text (so ReadInt and ReadDouble give 0), whatever the default, and every write gives 0; a
// missing key in an existing file gives the caller's default.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Types.h"

class KTIni
{
public:
    KTIni() = default;
    explicit KTIni(LPCTSTR path) { SetIni(path); }
    KTIni(LPCTSTR folder, LPCTSTR name) { SetIni(folder, name); }
    KTIni(const KTIni&) = default;
    KTIni& operator=(const KTIni&) = default;
    virtual ~KTIni() = default;

    // Accepts the path (1) only when it names an existing file; else 0 and the path stays.
    int SetIni(LPCTSTR path);
    // The folder joined with the name (a blank folder: the program's folder); 0 for a blank name.
    int SetIni(LPCTSTR folder, LPCTSTR name);
    // Whether the file exists, tested anew on every call.
    BOOL IsAvailable() const;

    // Remove a whole section / one key; nothing happens for blank names or a missing file.
    // 1 when the file was written.
    int DeleteSection(LPCTSTR section);
    int DeleteEntry(LPCTSTR section, LPCTSTR key);

    // A value is read into 4096 bytes, so it is cut to 4095 bytes (on a character boundary).
    CString ReadString(LPCTSTR section, LPCTSTR key, LPCTSTR defaultValue);
    // The leading decimal number of the value (0 when there is none), held to the int range:
    // a number beyond it gives INT_MAX or INT_MIN, never a wrapped value.
    int ReadInt(LPCTSTR section, LPCTSTR key, int defaultValue);
    double ReadDouble(LPCTSTR section, LPCTSTR key, double defaultValue);

    // Whether a value can be written and read back as it is: it holds no line break (CR, LF),
    // which would end its line and let the rest be read as entries of their own, and no NUL,
    // which would cut it. Dialogs that save typed texts keep such characters out with it.
    static BOOL IsWritableValue(const CString& value);

    // Non-zero when written; 0 for a missing file, a blank section or key, or a value that
    // IsWritableValue refuses (the file is not touched then).
    int WriteString(LPCTSTR section, LPCTSTR key, LPCTSTR value);
    int WriteString(LPCTSTR section, LPCTSTR key, const CString& value);
    int WriteInt(LPCTSTR section, LPCTSTR key, int value);
    // Written with six decimals ("%f"): 1.5 gives 1.500000.
    int WriteDouble(LPCTSTR section, LPCTSTR key, double value);

private:
    CString m_path;
};
