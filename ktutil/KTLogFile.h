// KTLogFile: an append-only text log, one line per entry: the optional local-time prefix
// "[%Y/%m/%d %H:%M:%S] ", the entry with white space trimmed at both ends, and a line feed.
//
// An entry is formatted into at most 999 bytes (cut on a character boundary). The entry whose
// call creates a new log file is not written into it: the file and its folder are made and the
// call returns 0, so a caller that cares writes a first throw-away entry. Several threads may
// write to one log; each line is written whole.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/CheckedMutex.h"
#include "platform/core/Types.h"

#include <cstdio>
#include <mutex>

class CStringArray;

class KTLogFile
{
public:
    KTLogFile() = default;
    explicit KTLogFile(LPCTSTR path) : m_path(path) {}
    KTLogFile(LPCTSTR path, BOOL openAlways) : m_path(path), m_openAlways(openAlways) {}
    KTLogFile(const KTLogFile&) = delete;
    KTLogFile& operator=(const KTLogFile&) = delete;
    virtual ~KTLogFile();

    // Formats and writes one entry: 1 when written; 0 for a blank format, a log without a file
    // name, a new file (see above) or a file that cannot be opened.
    virtual int Log(LPCTSTR format, ...) __attribute__((format(printf, 2, 3)));
    // Empties the list and appends every line of the file, trimmed; the number of lines, or -1
    // when the file does not exist or cannot be opened.
    virtual int Load(CStringArray& lines);
    // The time prefix when prefixing is on, else empty text.
    virtual CString GetPrefix();

    void SetLogFile(LPCTSTR path);
    CString GetLogFile() const;
    // With the flag the file stays open between entries.
    void OpenAlways(BOOL openAlways);
    void AddPrefix(BOOL addPrefix);
    BOOL IsAddPrefix() const;
    // Closes the file (even when kept open) and empties it when it exists.
    void Clear();

protected:
    // Called with m_lock held (checked).
    int Open();
    void Close(bool force);
    int Write(const CString& entry);

private:
    // Guards every field below; taken for each entry, Load and Clear.
    mutable platform::CheckedRecursiveMutex m_lock;
    CString m_path;
    BOOL m_openAlways { FALSE };
    std::FILE* m_file { nullptr };
    BOOL m_addPrefix { TRUE };
};
