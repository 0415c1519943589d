// CFile: a binary file over a POSIX descriptor, with the framework's open modes and errors.
//
// Read, Write, Seek, SetLength, Flush and Close raise CFileException* on failure, as the
// framework does; Open reports failure by its result (and fills an exception object when one is
// given). The constructor that opens raises on failure.
//
// Share modes become advisory flock locks, held while the file is open: shareExclusive and
// shareDenyRead take an exclusive lock; shareDenyWrite takes an exclusive lock when the file is
// opened for writing and a shared one when it is opened for reading; shareDenyNone (and
// shareCompat) take none. A conflicting lock makes Open fail with sharingViolation at once.
// With modeCreate, truncation happens only after the lock is held, so a locked file is never
// emptied by a second opener.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/FileException.h"
#include "platform/core/Object.h"
#include "platform/core/Time.h"
#include "platform/core/Types.h"

struct CFileStatus
{
    CTime m_ctime; // creation (birth where recorded, else last write)
    CTime m_mtime; // last write
    CTime m_atime; // last access
    ULONGLONG m_size{0};
    BYTE m_attribute{0}; // FILE_ATTRIBUTE_* bits
    char m_szFullName[MAX_PATH]{};
};

class CFile : public CObject
{
public:
    enum OpenFlags : UINT
    {
        modeRead = 0x00000,
        modeWrite = 0x00001,
        modeReadWrite = 0x00002,
        shareCompat = 0x00000,
        shareExclusive = 0x00010,
        shareDenyWrite = 0x00020,
        shareDenyRead = 0x00030,
        shareDenyNone = 0x00040,
        modeNoInherit = 0x00080,
        modeCreate = 0x01000,
        modeNoTruncate = 0x02000,
        typeText = 0x04000,
        typeBinary = 0x08000,
        osNoBuffer = 0x10000,
        osWriteThrough = 0x20000,
        osRandomAccess = 0x40000,
        osSequentialScan = 0x80000,
    };
    enum SeekPosition
    {
        begin = 0x0,
        current = 0x1,
        end = 0x2
    };
    static constexpr int hFileNull = -1;

    CFile() = default;
    CFile(LPCTSTR fileName, UINT openFlags);
    ~CFile() override;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    virtual BOOL Open(LPCTSTR fileName, UINT openFlags, CFileException* error = nullptr);
    // Bytes read; fewer than asked only at the end of the file.
    virtual UINT Read(void* buffer, UINT count);
    virtual void Write(const void* buffer, UINT count);
    virtual ULONGLONG Seek(LONGLONG offset, UINT from);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG length);
    virtual ULONGLONG GetPosition() const;
    // Writes the file's data through to the disk.
    virtual void Flush();
    virtual void Close();
    // Closes without raising.
    virtual void Abort();

    // Full path, name with extension, name without extension.
    virtual CString GetFilePath() const { return m_path; }
    virtual CString GetFileName() const;
    virtual CString GetFileTitle() const;

    BOOL GetStatus(CFileStatus& status) const;
    static BOOL GetStatus(LPCTSTR fileName, CFileStatus& status);
    // Sets the times (a zero time is left alone) and the read-only attribute; raises on failure.
    static void SetStatus(LPCTSTR fileName, const CFileStatus& status);
    // Renames without replacing an existing target; raises on failure.
    static void Rename(LPCTSTR oldName, LPCTSTR newName);
    static void Remove(LPCTSTR fileName);

    // The descriptor, or hFileNull while closed.
    int m_hFile{hFileNull};

private:
    [[noreturn]] void ThrowErrno(int err) const;

    CString m_path;
};
