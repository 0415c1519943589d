// CFileFind: lists the entries of one folder that match a classic wildcard pattern
// ("/data/*.FMF", "*.*", "name.?x"), sorted by name (byte order), "." and ".." included when
// they match, as the framework does.
//
//     CFileFind find;
//     BOOL more = find.FindFile("/data/*.*");
//     while (more) {
//         more = find.FindNextFile();   // steps onto the next entry; FALSE on the last one
//         if (find.IsDots()) continue;
//         ... find.GetFilePath() ...
//     }
//
// The listing is read once by FindFile; later changes to the folder are not seen.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/FileSystem.h"
#include "platform/core/Object.h"
#include "platform/core/Time.h"
#include "platform/core/Types.h"

#include <vector>

class CFileFind : public CObject
{
public:
    CFileFind() = default;
    ~CFileFind() override = default;

    // Starts a search; a null name means "*.*" in the current folder. FALSE (last error
    // ERROR_FILE_NOT_FOUND or ERROR_PATH_NOT_FOUND) when nothing matches.
    virtual BOOL FindFile(LPCTSTR name = nullptr, DWORD unused = 0);
    // Moves onto the next entry; returns FALSE when that entry is the last one.
    virtual BOOL FindNextFile();
    void Close();

    ULONGLONG GetLength() const;
    virtual CString GetFileName() const;
    virtual CString GetFilePath() const;
    virtual CString GetFileTitle() const;
    // The folder searched, absolute, without a trailing "/".
    virtual CString GetRoot() const;

    virtual BOOL GetLastWriteTime(CTime& time) const;
    virtual BOOL GetLastAccessTime(CTime& time) const;
    virtual BOOL GetCreationTime(CTime& time) const;

    // TRUE when any of the FILE_ATTRIBUTE_* bits in `mask` is set for the current entry.
    virtual BOOL MatchesMask(DWORD mask) const;
    virtual BOOL IsDots() const;
    BOOL IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }
    BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
    BOOL IsHidden() const { return MatchesMask(FILE_ATTRIBUTE_HIDDEN); }
    BOOL IsSystem() const { return MatchesMask(FILE_ATTRIBUTE_SYSTEM); }
    BOOL IsArchived() const { return MatchesMask(FILE_ATTRIBUTE_ARCHIVE); }
    BOOL IsNormal() const { return MatchesMask(FILE_ATTRIBUTE_NORMAL); }
    BOOL IsCompressed() const { return FALSE; }
    BOOL IsTemporary() const { return FALSE; }

private:
    struct Entry
    {
        CString name;
        platform::FileInfo info;
    };
    const Entry* Current() const;

    CString m_root;
    std::vector<Entry> m_entries;
    int m_index{-1};
};
